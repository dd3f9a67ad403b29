#include "core/admin/DatabaseFileCheck.h"

#include <cstdlib>
#include <filesystem>

#include <sqlite3.h>

#include "platform/FileSystem.h"

namespace {

// The first column of the first row as text; empty when there is none or it fails.
bool firstText(sqlite3* db, const char* sql, std::string& out) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) return false;
    const int step = sqlite3_step(statement);
    bool ok = step == SQLITE_ROW || step == SQLITE_DONE;
    out.clear();
    if (step == SQLITE_ROW) {
        const unsigned char* text = sqlite3_column_text(statement, 0);
        if (text) out = reinterpret_cast<const char*>(text);
    }
    sqlite3_finalize(statement);
    return ok;
}

}  // namespace

DatabaseFileCheck checkDatabaseFile(const std::string& path) {
    DatabaseFileCheck check;
    if (!platform::fileExists(path) || platform::isDirectory(path)) return check;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        if (db) sqlite3_close(db);
        return check;
    }
    std::string answer;
    // An empty or foreign file opens lazily: the first read tells.
    check.opens = firstText(db, "select count(*) from sqlite_master;", answer);
    if (check.opens) {
        check.intact = firstText(db, "pragma quick_check;", answer) && answer == "ok";
        check.companyDatabase =
            firstText(db, "select count(*) from sqlite_master where type = 'table' and name = 'database';",
                      answer) &&
            answer == "1";
        if (check.companyDatabase && firstText(db, "select year from database;", answer))
            check.year = static_cast<int32_t>(std::atol(answer.c_str()));
    }
    sqlite3_close(db);
    return check;
}

bool sameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    if (a.empty() || b.empty()) return false;
    std::error_code ec;
    if (fs::exists(a, ec) && fs::exists(b, ec)) {
        const bool same = fs::equivalent(a, b, ec);
        if (!ec) return same;
    }
    const fs::path ca = fs::weakly_canonical(a, ec);
    if (ec) return a == b;
    const fs::path cb = fs::weakly_canonical(b, ec);
    if (ec) return a == b;
    return ca == cb;
}
