#pragma once

// Looking into a last-year company database without changing it: its company list
// and year read through a read-only connection (everything else is read on a scratch
// copy, core/store/ScratchCopy.h).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace newyear {

struct PriorCompany {
    int32_t key = -1;
    std::string name;
};

// The companies of a company database file, by key then name. The file is opened
// read-only: no in-use mark, no schema check or upgrade, no journal. Nothing when it
// cannot be opened or holds no company table.
std::optional<std::vector<PriorCompany>> readPriorCompanies(const std::string& path);

// The tax year that a company database file names, read as readPriorCompanies reads;
// nothing when the file holds no database row (an empty file, a file of another kind).
std::optional<int> readDatabaseYear(const std::string& path);

// Whether the file was left by a program that ended without closing it: SQLite would
// have to roll back its journal (or recover its write-ahead log) before the file can
// be read, which a look that must not change the file cannot do. Last year's program
// puts it right when it opens and closes the file once.
bool wasNotClosedProperly(const std::string& path);

// What the user is told about such a file; the file itself is left as it is.
std::string notClosedProperlyDetails(const std::string& path);

}  // namespace newyear
