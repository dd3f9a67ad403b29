#pragma once

#include <string>

#include "core/sqlite/DatabaseFileCopy.h"

// The name of the scratch copy of a company database in the configuration folder, on
// which a file is looked into or prepared before anything touches the original.
inline constexpr const char kScratchFileName[] = "temporaryRestoreDatabase.db";

// The scratch copy itself. Whatever lies there is removed when the object is made and
// again when it goes away, so no way out of an inspection or a restore leaves a copy
// behind, and a copy left by a run that did not finish never stands in the way.
class ScratchCopy {
public:
    ScratchCopy();
    ~ScratchCopy();
    ScratchCopy(const ScratchCopy&) = delete;
    ScratchCopy& operator=(const ScratchCopy&) = delete;

    const std::string& path() const { return path_; }
    // Copies a database file there (through SQLite, so a file in use is copied in a
    // consistent state); true when the copy exists afterwards. progress hears the pages
    // copied and may stop the copy; reason (when given) receives why a copy failed.
    bool copyFrom(const std::string& source, const CopyProgress& progress = {}, std::string* reason = nullptr);
    // Removes the copy with its journal files.
    void remove();

    static std::string scratchPath();

private:
    std::string path_;
};
