#include "core/admin/DatabaseFileCheck.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>

#include <sqlite3.h>

#include "core/foundation/TextScan.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/ScratchCopy.h"
#include "platform/FileSystem.h"
#include "platform/SystemLog.h"

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

// Table name -> column names, both lower case, in the order of sqlite_master (the
// tables of SQLite itself left out), and the schema version the file records.
struct Schema {
    std::vector<std::pair<std::string, std::vector<std::string>>> tables;
    std::string version;
};

std::optional<Schema> readSchema(const std::string& path) {
    if (!platform::fileExists(path) || platform::isDirectory(path)) return std::nullopt;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return std::nullopt;
    }
    Schema schema;
    bool ok = true;
    sqlite3_stmt* tables = nullptr;
    ok = sqlite3_prepare_v2(db,
                            "select name from sqlite_master where type = 'table' and name not like 'sqlite\\_%' "
                            "escape '\\' order by rowid;",
                            -1, &tables, nullptr) == SQLITE_OK;
    int step = SQLITE_DONE;
    while (ok && (step = sqlite3_step(tables)) == SQLITE_ROW) {
        const unsigned char* name = sqlite3_column_text(tables, 0);
        if (name)
            schema.tables.emplace_back(textscan::lower(reinterpret_cast<const char*>(name)), std::vector<std::string>{});
    }
    ok = ok && step == SQLITE_DONE;
    sqlite3_finalize(tables);
    for (auto& [table, columns] : schema.tables) {
        if (!ok) break;
        sqlite3_stmt* info = nullptr;
        ok = sqlite3_prepare_v2(db, "select name from pragma_table_info(?);", -1, &info, nullptr) == SQLITE_OK &&
             sqlite3_bind_text(info, 1, table.c_str(), -1, SQLITE_TRANSIENT) == SQLITE_OK;
        while (ok && (step = sqlite3_step(info)) == SQLITE_ROW) {
            const unsigned char* name = sqlite3_column_text(info, 0);
            if (name) columns.push_back(textscan::lower(reinterpret_cast<const char*>(name)));
        }
        ok = ok && step == SQLITE_DONE;
        sqlite3_finalize(info);
    }
    // A file without the table reads no version; the missing table says enough then.
    if (ok) (void)firstText(db, "select current_version from database;", schema.version);
    sqlite3_close(db);
    if (!ok) return std::nullopt;
    return schema;
}

std::mutex& schemaGuard() {
    static std::mutex guard;
    return guard;
}

std::optional<Schema>& madeSchema() {
    static std::optional<Schema> schema;
    return schema;
}

// The schema of a new company database file, made once; reason receives why it could not be made.
const std::optional<Schema>& newFileSchema(std::string& reason) {
    const std::lock_guard<std::mutex> lock(schemaGuard());
    std::optional<Schema>& schema = madeSchema();
    if (schema) return schema;
    const std::string folder = std::filesystem::path(ScratchCopy::scratchPath()).parent_path().string();
    const std::string path = folder + "/companySchemaReference.db";
    auto removeFiles = [&] {
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) platform::removePath(path + suffix);
    };
    removeFiles();
    CompanyDatabase made;
    if (made.CreateNew(path, "", 0, CompanyDatabase::OpenFailures::quiet)) schema = readSchema(path);
    if (!schema) {
        reason = "Unable to make a new company database to compare with: " +
                 (made.openFailure().empty() ? "\"" + path + "\" could not be read." : made.openFailure());
        platform::systemLog(reason);
    }
    removeFiles();
    return schema;
}

}  // namespace

void forgetCompanySchemaForTesting() {
    const std::lock_guard<std::mutex> lock(schemaGuard());
    madeSchema().reset();
}

std::optional<std::vector<std::string>> missingCompanySchema(const std::string& path, std::string* reason) {
    std::string why;
    const std::optional<Schema>& wanted = newFileSchema(why);
    const std::optional<Schema> has = wanted ? readSchema(path) : std::nullopt;
    if (wanted && !has) why = "The tables of \"" + path + "\" could not be read.";
    if (!wanted || !has) {
        if (reason) *reason = why;
        return std::nullopt;
    }
    std::map<std::string, const std::vector<std::string>*> hasTable;
    for (const auto& [table, columns] : has->tables) hasTable.emplace(table, &columns);
    std::vector<std::string> missing;
    for (const auto& [table, columns] : wanted->tables) {
        const auto found = hasTable.find(table);
        if (found == hasTable.end()) {
            missing.push_back(table);
            continue;
        }
        for (const std::string& column : columns)
            if (std::find(found->second->begin(), found->second->end(), column) == found->second->end())
                missing.push_back(table + "." + column);
    }
    // A file that did not reach the current version lacks its last steps, whatever its columns.
    if (missing.empty() && has->version != wanted->version) missing.push_back("database.current_version");
    return missing;
}

DatabaseFileCheck checkDatabaseFile(const std::string& path) {
    DatabaseFileCheck check;
    if (!platform::fileExists(path) || platform::isDirectory(path)) {
        check.problem = platform::fileExists(path) ? "It is a folder, not a file." : "The file could not be found.";
        return check;
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        check.problem = std::string("SQLite could not open it: ") + (db ? sqlite3_errmsg(db) : "out of memory") + ".";
        if (db) sqlite3_close(db);
        return check;
    }
    std::string answer;
    // An empty or foreign file opens lazily: the first read tells.
    check.opens = firstText(db, "select count(*) from sqlite_master;", answer);
    if (!check.opens) {
        const int code = sqlite3_errcode(db);
        check.holdsNoDatabase = code == SQLITE_NOTADB || code == SQLITE_CORRUPT;
        const char* what = code == SQLITE_NOTADB    ? "It is not a database, or it is damaged beyond reading"
                           : code == SQLITE_CORRUPT ? "It is damaged"
                                                    : "SQLite could not read it";
        check.problem = std::string(what) + " (" + sqlite3_errmsg(db) + ").";
    } else {
        const bool noTables = answer == "0";
        check.intact = firstText(db, "pragma quick_check;", answer) && answer == "ok";
        if (!check.intact) {
            // The check names the first fault it found, or SQLite stops it with its reason.
            const std::string found =
                answer.empty() ? std::string(sqlite3_errmsg(db)) : answer.substr(0, answer.find('\n'));
            check.problem = "It is damaged (SQLite's check of its pages found: " + found + ").";
        }
        check.companyDatabase =
            firstText(db, "select count(*) from sqlite_master where type = 'table' and name = 'database';",
                      answer) &&
            answer == "1";
        if (check.companyDatabase && firstText(db, "select year from database;", answer))
            check.year = static_cast<int32_t>(std::atol(answer.c_str()));
        if (check.intact && !check.companyDatabase)
            check.problem = noTables ? "It is empty: it holds no tables."
                                     : "It is a database of another program, not a Talvexa 1099 company database.";
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
    const auto lexical = [&] { return fs::path(a).lexically_normal() == fs::path(b).lexically_normal(); };
    const fs::path ca = fs::weakly_canonical(a, ec);
    if (ec) return lexical();
    const fs::path cb = fs::weakly_canonical(b, ec);
    if (ec) return lexical();
    return ca.lexically_normal() == cb.lexically_normal();
}
