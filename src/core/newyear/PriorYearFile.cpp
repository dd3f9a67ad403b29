#include "core/newyear/PriorYearFile.h"

#include <sqlite3.h>

#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/store/CompanyRowAccess.h"
#include "platform/FileSystem.h"

namespace newyear {

std::optional<std::vector<PriorCompany>> readPriorCompanies(const std::string& path) {
    if (!platform::fileExists(path) || platform::isDirectory(path)) return std::nullopt;
    auto db = FMDatabase::databaseWithPath(path);
    if (!db->openWithFlags(SQLITE_OPEN_READONLY)) return std::nullopt;
    std::vector<PriorCompany> companies;
    const bool read = companyrows::readAll(*db, "select pk, name from companies order by pk, name;", {},
                                           [&](FMResultSet& rs) {
                                               companies.push_back(
                                                   {rs.intForColumn("pk"), companyrows::nameText(rs, "name")});
                                           });
    db->close();
    if (!read) return std::nullopt;
    return companies;
}

std::optional<int> readDatabaseYear(const std::string& path) {
    if (!platform::fileExists(path) || platform::isDirectory(path)) return std::nullopt;
    auto db = FMDatabase::databaseWithPath(path);
    if (!db->openWithFlags(SQLITE_OPEN_READONLY)) return std::nullopt;
    std::optional<int> year;
    const bool read = companyrows::readAll(*db, "select year from database;", {},
                                           [&](FMResultSet& rs) { if (!year) year = rs.intForColumn("year"); });
    db->close();
    if (!read) return std::nullopt;
    return year;
}

bool wasNotClosedProperly(const std::string& path) {
    if (!platform::fileExists(path) || platform::isDirectory(path)) return false;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_extended_result_codes(db, 1);
    // The first read takes the shared lock, which is where a hot journal is found.
    const int rc = sqlite3_exec(db, "select count(*) from sqlite_master;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return rc == SQLITE_READONLY_ROLLBACK || rc == SQLITE_READONLY_RECOVERY;
}

std::string notClosedProperlyDetails(const std::string& path) {
    return "The following database was not closed properly the last time it was used (the program that had it "
           "open ended unexpectedly):\n\n    " +
           path +
           "\n\nTo put it right, open this database once in last year's version of Talvexa 1099 and close it "
           "again, then try again. The database has not been changed.";
}

}  // namespace newyear
