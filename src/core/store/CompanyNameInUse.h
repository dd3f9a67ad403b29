#pragma once

#include <string>

// Whether a company of this name (exact, case-sensitive) already lives in one of the
// company databases that the year's configuration database lists. On a match,
// *DBName receives that database's name; after looking through every database without
// one it receives the empty text. With no open configuration database the answer is
// false and *DBName is left alone. Databases that cannot be opened are passed over.
bool CompanyNameInUse(const std::string& name, std::string* DBName);
