#include "core/sqlite/DatabaseFileCopy.h"

#include <sqlite3.h>

#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"

namespace {

// Pages copied between two reports of a copy that reports (4 MB at the default page size).
constexpr int kPagesPerStep = 1024;

// Copies every page; with progress, in steps that it hears, stopping when it says so.
bool copyPages(sqlite3_backup* backup, const CopyProgress& progress, bool& stopped) {
    if (!progress) return sqlite3_backup_step(backup, -1) == SQLITE_DONE;
    for (;;) {
        const int rc = sqlite3_backup_step(backup, kPagesPerStep);
        if (rc != SQLITE_OK && rc != SQLITE_DONE) return false;
        const int64_t total = sqlite3_backup_pagecount(backup);
        if (progress(total - sqlite3_backup_remaining(backup), total)) {
            stopped = true;
            return false;
        }
        if (rc == SQLITE_DONE) return true;
    }
}

// SQLite's backup of from into a new file at to.
bool backupInto(const std::string& from, const std::string& to, const CopyProgress& progress, std::string& reason) {
    sqlite3* source = nullptr;
    sqlite3* target = nullptr;
    bool stopped = false;
    bool ok = sqlite3_open_v2(from.c_str(), &source, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
              sqlite3_open_v2(to.c_str(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
    if (ok) {
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
        ok = backup != nullptr && copyPages(backup, progress, stopped);
        if (backup && sqlite3_backup_finish(backup) != SQLITE_OK && !stopped) ok = false;
    }
    if (stopped)
        reason = "The copy was cancelled.";
    else if (!ok)
        reason = sqlite3_errmsg(target ? target : source);
    if (target && sqlite3_close(target) != SQLITE_OK) ok = false;
    if (source) sqlite3_close(source);
    return ok;
}

}  // namespace

bool copyDatabaseFile(const std::string& from, const std::string& to, const CopyProgress& progress,
                      std::string* reason) {
    if (!platform::fileExists(from) || platform::isDirectory(from)) {
        if (reason) *reason = "\"" + from + "\" is not there.";
        return false;
    }
    return platform::replaceFile(
        to,
        [&](const std::string& temporary, std::string& why) { return backupInto(from, temporary, progress, why); },
        reason);
}
