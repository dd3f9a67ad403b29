// Single-value queries and schema questions of the connection.

#include <sqlite3.h>

#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/sqlite/FMText.h"
#include "platform/SystemLog.h"

namespace {

// Runs the query and hands its first row to the reader; the result set is closed either way.
template <typename T, typename Reader>
T firstValue(FMDatabase& db, const std::string& sql, const std::vector<FMValue>& arguments, T none, Reader read) {
    auto rs = db.executeQuery(sql, arguments);
    if (!rs) return none;
    T value = none;
    if (rs->next()) {
        value = read(*rs);
        rs->close();
    }
    return value;
}

}  // namespace

int32_t FMDatabase::intForQuery(const std::string& sql, const std::vector<FMValue>& arguments) {
    return firstValue<int32_t>(*this, sql, arguments, 0, [](FMResultSet& rs) { return rs.intForColumnIndex(0); });
}

int64_t FMDatabase::longForQuery(const std::string& sql, const std::vector<FMValue>& arguments) {
    return firstValue<int64_t>(*this, sql, arguments, 0, [](FMResultSet& rs) { return rs.longForColumnIndex(0); });
}

bool FMDatabase::boolForQuery(const std::string& sql, const std::vector<FMValue>& arguments) {
    return firstValue<bool>(*this, sql, arguments, false, [](FMResultSet& rs) { return rs.boolForColumnIndex(0); });
}

double FMDatabase::doubleForQuery(const std::string& sql, const std::vector<FMValue>& arguments) {
    return firstValue<double>(*this, sql, arguments, 0.0,
                              [](FMResultSet& rs) { return rs.doubleForColumnIndex(0); });
}

std::optional<std::string> FMDatabase::stringForQuery(const std::string& sql, const std::vector<FMValue>& arguments) {
    return firstValue<std::optional<std::string>>(*this, sql, arguments, std::nullopt,
                                                  [](FMResultSet& rs) { return rs.stringForColumnIndex(0); });
}

std::optional<FMBlob> FMDatabase::dataForQuery(const std::string& sql, const std::vector<FMValue>& arguments) {
    return firstValue<std::optional<FMBlob>>(*this, sql, arguments, std::nullopt,
                                             [](FMResultSet& rs) { return rs.dataForColumnIndex(0); });
}

std::optional<FMDate> FMDatabase::dateForQuery(const std::string& sql, const std::vector<FMValue>& arguments) {
    return firstValue<std::optional<FMDate>>(*this, sql, arguments, std::nullopt,
                                             [](FMResultSet& rs) { return rs.dateForColumnIndex(0); });
}

bool FMDatabase::tableExists(const std::string& tableName) {
    auto rs = executeQuery("select [sql] from sqlite_master where [type] = 'table' and lower(name) = ?",
                           fmtext::lowercased(tableName));
    if (!rs) return false;
    const bool found = rs->next();
    rs->close();
    return found;
}

std::shared_ptr<FMResultSet> FMDatabase::getSchema() {
    return executeQuery(
        "SELECT type, name, tbl_name, rootpage, sql FROM (SELECT * FROM sqlite_master UNION ALL SELECT * FROM "
        "sqlite_temp_master) WHERE type != 'meta' AND name NOT LIKE 'sqlite_%' ORDER BY tbl_name, type DESC, name");
}

std::shared_ptr<FMResultSet> FMDatabase::getTableSchema(const std::string& tableName) {
    // The name goes into the text of the pragma; double its quotes so it cannot end the literal.
    std::string quoted;
    for (char c : tableName) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return executeQuery("pragma table_info('" + quoted + "')");
}

bool FMDatabase::columnExists(const std::string& columnName, const std::string& tableName) {
    const std::string column = fmtext::lowercased(columnName);
    auto rs = getTableSchema(fmtext::lowercased(tableName));
    if (!rs) return false;
    bool found = false;
    while (rs->next()) {
        const auto name = rs->stringForColumn("name");
        if (name && fmtext::lowercased(*name) == column) {
            found = true;
            break;
        }
    }
    rs->close();
    return found;
}

bool FMDatabase::columnExists_columnName(const std::string& tableName, const std::string& columnName) {
    return columnExists(columnName, tableName);
}

uint32_t FMDatabase::userVersion() {
    return static_cast<uint32_t>(firstValue<int64_t>(*this, "pragma user_version", {}, 0,
                                                     [](FMResultSet& rs) { return rs.longForColumnIndex(0); }));
}

void FMDatabase::setUserVersion(uint32_t version) {
    auto rs = executeQuery("pragma user_version = " + std::to_string(static_cast<int32_t>(version)));
    if (!rs) return;
    rs->next();
    rs->close();
}

uint32_t FMDatabase::applicationID() {
    return static_cast<uint32_t>(firstValue<int64_t>(*this, "pragma application_id", {}, 0,
                                                     [](FMResultSet& rs) { return rs.longForColumnIndex(0); }));
}

void FMDatabase::setApplicationID(uint32_t appID) {
    auto rs = executeQuery("pragma application_id=" + std::to_string(static_cast<int32_t>(appID)));
    if (!rs) return;
    rs->next();
    rs->close();
}

std::string FMDatabase::applicationIDString() {
    const uint32_t id = applicationID();
    std::string code(4, ' ');
    for (int i = 0; i < 4; ++i) code[static_cast<size_t>(i)] = static_cast<char>((id >> (24 - 8 * i)) & 0xFF);
    return code;
}

void FMDatabase::setApplicationIDString(const std::string& text) {
    const size_t length = fmtext::codePointCount(text);
    if (length != 4) {
        platform::systemLog("setApplicationIDString: string passed is not exactly 4 chars long. (was " +
                            std::to_string(length) + ")");
        setApplicationID(0);
        return;
    }
    if (text.size() != 4) {  // a four-character type code holds single bytes only
        setApplicationID(0);
        return;
    }
    uint32_t code = 0;
    for (char c : text) code = (code << 8) | static_cast<unsigned char>(c);
    setApplicationID(code);
}

bool FMDatabase::validateSQL(const std::string& sql, FMError* error) {
    sqlite3_stmt* statement = nullptr;
    const int rc = db_ ? sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) : SQLITE_MISUSE;
    const bool valid = rc == SQLITE_OK;
    if (!valid && error) *error = FMError{"GeneralErrorDomain", lastErrorCode(), lastErrorMessage()};
    sqlite3_finalize(statement);
    return valid;
}
