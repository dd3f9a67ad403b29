#pragma once

// Looking into a last-year company database without changing it: its company list
// read through a read-only connection, and the scratch copy in the configuration
// folder on which everything else is read.

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

// The scratch copy "temporaryRestoreDatabase.db" in the configuration folder. Whatever
// lies there is removed when the object is made and again when it goes away, so no
// way out of an inspection leaves a copy behind.
class ScratchCopy {
public:
    ScratchCopy();
    ~ScratchCopy();
    ScratchCopy(const ScratchCopy&) = delete;
    ScratchCopy& operator=(const ScratchCopy&) = delete;

    const std::string& path() const { return path_; }
    // Copies a database file there (through SQLite, so a file in use is copied in a
    // consistent state); true when the copy exists afterwards.
    bool copyFrom(const std::string& source);
    // Removes the copy with its journal files.
    void remove();

    static std::string scratchPath();

private:
    std::string path_;
};

}  // namespace newyear
