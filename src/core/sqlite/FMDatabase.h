#pragma once

// The connection class of the SQLite access layer. The interface below is the part
// the rest of the program calls; the remaining operations are declared further down.
// Nothing here throws: a failed query gives a null result set, a failed update false,
// and a line in the system log.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "core/sqlite/FMValue.h"

struct sqlite3;
class FMResultSet;
class FMStatement;

template <typename... Args>
concept FMBindable = (std::is_constructible_v<FMValue, Args> && ...);

class FMDatabase : public std::enable_shared_from_this<FMDatabase> {
public:
    // A path of std::nullopt is an in-memory database, "" a private temporary one.
    static std::shared_ptr<FMDatabase> databaseWithPath(const std::optional<std::string>& path);
    ~FMDatabase();

    bool open();
    bool close();

    // Positional arguments, one per "?".
    template <typename... Args>
        requires FMBindable<Args...>
    std::shared_ptr<FMResultSet> executeQuery(const std::string& sql, Args&&... args) {
        return executeQuery(sql, std::vector<FMValue>{FMValue(std::forward<Args>(args))...});
    }
    std::shared_ptr<FMResultSet> executeQuery(const std::string& sql, const std::vector<FMValue>& arguments);
    std::shared_ptr<FMResultSet> executeQuery(const std::string& sql,
                                              const std::map<std::string, FMValue>& parameters);

    template <typename... Args>
        requires FMBindable<Args...>
    bool executeUpdate(const std::string& sql, Args&&... args) {
        return executeUpdate(sql, std::vector<FMValue>{FMValue(std::forward<Args>(args))...});
    }
    bool executeUpdate(const std::string& sql, const std::vector<FMValue>& arguments);
    bool executeUpdate(const std::string& sql, const std::map<std::string, FMValue>& parameters);

    // One or more statements separated by semicolons, no arguments.
    bool executeStatements(const std::string& sql);

    bool beginTransaction();          // "begin exclusive transaction"
    bool commit();
    bool rollback();
    bool isInTransaction() const;

    std::string lastErrorMessage() const;
    int lastErrorCode() const;
    int64_t lastInsertRowId();
    int changes();
    const std::optional<std::string>& databasePath() const;
    bool isOpen() const;

    // Single-value queries: first column of the first row; 0 / none when there is no row.
    template <typename... Args>
        requires FMBindable<Args...>
    int32_t intForQuery(const std::string& sql, Args&&... args) {
        return intForQuery(sql, std::vector<FMValue>{FMValue(std::forward<Args>(args))...});
    }
    int32_t intForQuery(const std::string& sql, const std::vector<FMValue>& arguments);

    sqlite3* sqliteHandle() const;
};
