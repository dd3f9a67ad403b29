#pragma once

#include <string>

#include "core/sqlite/DatabaseFileCopy.h"
#include "platform/FileLock.h"

// The name of the scratch copy of a company database in the configuration folder, on
// which a file is looked into or prepared before anything touches the original.
inline constexpr const char kScratchFileName[] = "temporaryRestoreDatabase.db";

// The scratch copy itself. Whatever lies there is removed when the object is made and
// again when it goes away, so no way out of an inspection or a restore leaves a copy
// behind, and a copy left by a run that did not finish never stands in the way.
// The object holds a lock (a file beside the copy) while it lives: while another copy
// of the program has one (a restore under way, say), the copy there is that run's own,
// and this object neither removes nor writes it.
class ScratchCopy {
public:
    ScratchCopy();
    // In the given folder (the configuration folder before the session knows it).
    explicit ScratchCopy(const std::string& folder);
    ~ScratchCopy();
    ScratchCopy(const ScratchCopy&) = delete;
    ScratchCopy& operator=(const ScratchCopy&) = delete;

    const std::string& path() const { return path_; }
    // Copies a database file there (through SQLite, so a file in use is copied in a
    // consistent state); true when the copy exists afterwards. progress hears the pages
    // copied and may stop the copy; reason (when given) receives why a copy failed.
    bool copyFrom(const std::string& source, const CopyProgress& progress = {}, std::string* reason = nullptr);
    // Removes the copy with its journal files (not while another holder has it).
    void remove();
    // Another copy of the program holds the scratch copy; inUseReason() says so in words.
    bool inUseElsewhere() const { return lock_.busy(); }
    const std::string& inUseReason() const { return inUse_; }

    static std::string scratchPath();

private:
    std::string path_;
    platform::FileLock lock_;
    std::string inUse_;
};
