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

}  // namespace newyear
