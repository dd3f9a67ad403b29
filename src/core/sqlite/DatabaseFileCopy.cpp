#include "core/sqlite/DatabaseFileCopy.h"

#include <sqlite3.h>

#include "platform/FileSystem.h"

bool copyDatabaseFile(const std::string& from, const std::string& to) {
    if (!platform::fileExists(from) || platform::isDirectory(from)) return false;
    const std::string partial = to + ".partial";
    platform::removePath(partial);
    sqlite3* source = nullptr;
    sqlite3* target = nullptr;
    bool ok = sqlite3_open_v2(from.c_str(), &source, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
              sqlite3_open_v2(partial.c_str(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) ==
                  SQLITE_OK;
    if (ok) {
        sqlite3_backup* backup = sqlite3_backup_init(target, "main", source, "main");
        ok = backup != nullptr && sqlite3_backup_step(backup, -1) == SQLITE_DONE;
        if (backup && sqlite3_backup_finish(backup) != SQLITE_OK) ok = false;
    }
    if (target && sqlite3_close(target) != SQLITE_OK) ok = false;
    if (source) sqlite3_close(source);
    ok = ok && platform::movePath(partial, to);
    if (!ok) platform::removePath(partial);
    return ok;
}
