#pragma once

#include <string>

namespace newyear {

// The name of the 2025 company database that the new year makes for a company (the
// file name without " 2025.db", and the database's own name): the listed company name
// cut to 60 characters, every two blanks made one until none stand together, one
// final blank removed, trimmed, every character other than an ASCII letter, digit,
// blank, "-" or "_" made "_", and "_" put in front unless the trimmed name begins with
// an ASCII letter or "_". An empty name gives "_".
std::string rollOverName(const std::string& companyName);

}  // namespace newyear
