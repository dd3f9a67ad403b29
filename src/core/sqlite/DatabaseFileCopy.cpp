#include "core/sqlite/DatabaseFileCopy.h"

#include <sqlite3.h>

#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"

namespace {

// SQLite's backup of from into a new file at to.
bool backupInto(const std::string& from, const std::string& to, std::string& reason) {
    sqlite3* source = nullptr;
    sqlite3* target = nullptr;
    bool ok = sqlite3_open_v2(from.c_str(), &source, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
              sqlite3_open_v2(to.c_str(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
    if (ok) {
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
        ok = backup != nullptr && sqlite3_backup_step(backup, -1) == SQLITE_DONE;
        if (backup && sqlite3_backup_finish(backup) != SQLITE_OK) ok = false;
    }
    if (!ok) reason = sqlite3_errmsg(target ? target : source);
    if (target && sqlite3_close(target) != SQLITE_OK) ok = false;
    if (source) sqlite3_close(source);
    return ok;
}

}  // namespace

bool copyDatabaseFile(const std::string& from, const std::string& to) {
    if (!platform::fileExists(from) || platform::isDirectory(from)) return false;
    return platform::replaceFile(
        to, [&](const std::string& temporary, std::string& reason) { return backupInto(from, temporary, reason); });
}
