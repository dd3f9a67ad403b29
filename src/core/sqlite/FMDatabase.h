#pragma once

// The connection class of the SQLite access layer. The interface below is the part
// the rest of the program calls; the remaining operations are declared further down.
// Nothing here throws: a failed query gives a null result set, a failed update false,
// and a line in the system log.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "core/sqlite/FMError.h"
#include "core/sqlite/FMValue.h"

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_context;
struct sqlite3_value;
class FMDateFormatter;
class FMResultSet;
class FMStatement;

template <typename... Args>
concept FMBindable = (std::is_constructible_v<FMValue, Args> && ...);

// Modes of a write-ahead-log checkpoint (the engine's own codes).
enum FMDBCheckpointMode : int {
    FMDBCheckpointModePassive = 0,
    FMDBCheckpointModeFull = 1,
    FMDBCheckpointModeRestart = 2,
    FMDBCheckpointModeTruncate = 3,
};

// Engine value types as the value readers of an SQL function report them.
enum SqliteValueType : int {
    SqliteValueTypeInteger = 1,
    SqliteValueTypeFloat = 2,
    SqliteValueTypeText = 3,
    SqliteValueTypeBlob = 4,
    SqliteValueTypeNull = 5,
};

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
    [[nodiscard]] bool executeUpdate(const std::string& sql, Args&&... args) {
        return executeUpdate(sql, std::vector<FMValue>{FMValue(std::forward<Args>(args))...});
    }
    [[nodiscard]] bool executeUpdate(const std::string& sql, const std::vector<FMValue>& arguments);
    [[nodiscard]] bool executeUpdate(const std::string& sql, const std::map<std::string, FMValue>& parameters);

    // One or more statements separated by semicolons, no arguments.
    [[nodiscard]] bool executeStatements(const std::string& sql);

    // A write's result tells whether it happened; callers that ignore one on purpose say why.
    [[nodiscard]] bool beginTransaction();          // "begin exclusive transaction"
    [[nodiscard]] bool commit();
    [[nodiscard]] bool rollback();
    // Whether a transaction is open, as SQLite itself sees it: after an I/O error or a
    // full disk SQLite may have rolled back on its own.
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

    // ---------------------------------------------------------------------------------
    // The rest of the connection's interface.

    FMDatabase();
    explicit FMDatabase(const std::optional<std::string>& path);
    FMDatabase(const FMDatabase&) = delete;
    FMDatabase& operator=(const FMDatabase&) = delete;

    // A "file://" address; its path is used.
    static std::shared_ptr<FMDatabase> databaseWithURL(const std::string& url);

    bool openWithFlags(int flags);
    bool openWithFlags(int flags, const std::optional<std::string>& vfsName);
    bool goodConnection();
    bool interrupt();

    // Statements with an error out-parameter (may be null).
    std::shared_ptr<FMResultSet> executeQuery(const std::string& sql, const std::vector<FMValue>& values,
                                              FMError* error);
    bool executeUpdate(const std::string& sql, const std::vector<FMValue>& values, FMError* error);
    template <typename... Args>
        requires FMBindable<Args...>
    bool executeUpdate_withErrorAndBindings(const std::string& sql, FMError* error, Args&&... args) {
        return executeUpdate(sql, std::vector<FMValue>{FMValue(std::forward<Args>(args))...}, error);
    }
    template <typename... Args>
        requires FMBindable<Args...>
    bool update(const std::string& sql, FMError* error, Args&&... args) {
        return executeUpdate(sql, std::vector<FMValue>{FMValue(std::forward<Args>(args))...}, error);
    }

    // printf-style formats: every conversion becomes a "?" bound to the next value; a
    // "%@" whose value is null writes NULL into the SQL instead.
    template <typename... Args>
        requires FMBindable<Args...>
    std::shared_ptr<FMResultSet> executeQueryWithFormat(const std::string& format, Args&&... args) {
        std::string sql;
        std::vector<FMValue> arguments;
        extractSQL(format, {FMValue(std::forward<Args>(args))...}, sql, arguments);
        return executeQuery(sql, arguments);
    }
    template <typename... Args>
        requires FMBindable<Args...>
    bool executeUpdateWithFormat(const std::string& format, Args&&... args) {
        std::string sql;
        std::vector<FMValue> arguments;
        extractSQL(format, {FMValue(std::forward<Args>(args))...}, sql, arguments);
        return executeUpdate(sql, arguments);
    }
    static void extractSQL(const std::string& format, const std::vector<FMValue>& argumentsList,
                           std::string& sql, std::vector<FMValue>& arguments);

    // Each result row as column name -> text (std::nullopt for NULL); a non-zero
    // answer stops the batch.
    using ExecuteStatementsCallback = std::function<int(const std::map<std::string, std::optional<std::string>>&)>;
    bool executeStatements(const std::string& sql, const ExecuteStatementsCallback& block);

    // Transactions and savepoints.
    bool beginExclusiveTransaction();
    bool beginDeferredTransaction();
    bool beginImmediateTransaction();
    bool inTransaction() const;
    bool startSavePointWithName(const std::string& name, FMError* error);
    bool releaseSavePointWithName(const std::string& name, FMError* error);
    bool rollbackToSavePointWithName(const std::string& name, FMError* error);
    std::optional<FMError> inSavePoint(const std::function<void(bool& rollback)>& block);

    // Errors.
    int lastExtendedErrorCode() const;
    bool hadError() const;
    FMError lastError() const;
    FMError errorWithMessage(const std::string& message) const;

    // Settings and state.
    bool traceExecution() const { return traceExecution_; }
    void setTraceExecution(bool on) { traceExecution_ = on; }
    bool checkedOut() const { return checkedOut_; }
    void setCheckedOut(bool on) { checkedOut_ = on; }
    bool crashOnErrors() const { return crashOnErrors_; }
    void setCrashOnErrors(bool on) { crashOnErrors_ = on; }
    bool logsErrors() const { return logsErrors_; }
    void setLogsErrors(bool on) { logsErrors_ = on; }
    double maxBusyRetryTimeInterval() const { return maxBusyRetryTimeInterval_; }
    void setMaxBusyRetryTimeInterval(double seconds);
    int busyRetryTimeout();                 // retired: logs and gives -1
    void setBusyRetryTimeout(int timeout);  // retired: logs only
    std::optional<std::string> databaseURL() const;
    bool hasOpenResultSets() const { return !openResultSets_.empty(); }
    std::string description() const;

    // Dates bound and read as text through a formatter, when one is set.
    void setDateFormat(std::shared_ptr<FMDateFormatter> format);
    bool hasDateFormatter() const { return dateFormat_ != nullptr; }
    std::optional<FMDate> dateFromString(const std::string& text) const;
    std::optional<std::string> stringFromDate(FMDate date) const;
    static std::shared_ptr<FMDateFormatter> storeableDateFormat(const std::string& format);

    // The statement cache (off unless switched on).
    using StatementCache = std::unordered_map<std::string, std::set<std::shared_ptr<FMStatement>>>;
    bool shouldCacheStatements() const { return shouldCacheStatements_; }
    void setShouldCacheStatements(bool on);
    const std::optional<StatementCache>& cachedStatements() const { return cachedStatements_; }
    void setCachedStatements(std::optional<StatementCache> cache);
    void clearCachedStatements();
    std::shared_ptr<FMStatement> cachedStatementForQuery(const std::string& query);
    void setCachedStatement(const std::shared_ptr<FMStatement>& statement, const std::optional<std::string>& query);

    // Result sets handed out and not yet closed (not owned here).
    void closeOpenResultSets();
    void resultSetDidClose(FMResultSet* resultSet);

    // Encryption is not built in: these do nothing and give false.
    bool setKey(const std::string& key);
    bool setKeyWithData(const FMBlob& keyData);
    bool rekey(const std::string& key);
    bool rekeyWithData(const FMBlob& keyData);

    bool checkpoint(FMDBCheckpointMode mode, FMError* error);
    bool checkpoint(FMDBCheckpointMode mode, const std::optional<std::string>& name, FMError* error);
    bool checkpoint(FMDBCheckpointMode mode, const std::optional<std::string>& name, int* logFrameCount,
                    int* checkpointCount, FMError* error);

    // Scalar SQL functions; the connection keeps the callable alive.
    using FunctionBlock = std::function<void(sqlite3_context* context, int argc, sqlite3_value** argv)>;
    void makeFunctionNamed(const std::string& name, int arguments, FunctionBlock block);
    void makeFunctionNamed_maximumArguments(const std::string& name, int count, FunctionBlock block);
    SqliteValueType valueType(sqlite3_value* value);
    int valueInt(sqlite3_value* value);
    int64_t valueLong(sqlite3_value* value);
    double valueDouble(sqlite3_value* value);
    std::optional<FMBlob> valueData(sqlite3_value* value);
    std::optional<std::string> valueString(sqlite3_value* value);
    void resultNullInContext(sqlite3_context* context);
    void resultInt(int value, sqlite3_context* context);
    void resultLong(int64_t value, sqlite3_context* context);
    void resultDouble(double value, sqlite3_context* context);
    void resultData(const FMBlob& data, sqlite3_context* context);
    void resultString(const std::string& value, sqlite3_context* context);
    void resultError(const std::string& error, sqlite3_context* context);
    void resultErrorCode(int code, sqlite3_context* context);
    void resultErrorNoMemoryInContext(sqlite3_context* context);
    void resultErrorTooBigInContext(sqlite3_context* context);

    // Library facts.
    static std::string FMDBUserVersion();
    static int32_t FMDBVersion();
    static std::string sqliteLibVersion();
    static bool isSQLiteThreadSafe();

    // Further single-value queries and schema questions.
    template <typename... Args>
        requires FMBindable<Args...>
    int64_t longForQuery(const std::string& sql, Args&&... args) {
        return longForQuery(sql, std::vector<FMValue>{FMValue(std::forward<Args>(args))...});
    }
    int64_t longForQuery(const std::string& sql, const std::vector<FMValue>& arguments);
    template <typename... Args>
        requires FMBindable<Args...>
    bool boolForQuery(const std::string& sql, Args&&... args) {
        return boolForQuery(sql, std::vector<FMValue>{FMValue(std::forward<Args>(args))...});
    }
    bool boolForQuery(const std::string& sql, const std::vector<FMValue>& arguments);
    template <typename... Args>
        requires FMBindable<Args...>
    double doubleForQuery(const std::string& sql, Args&&... args) {
        return doubleForQuery(sql, std::vector<FMValue>{FMValue(std::forward<Args>(args))...});
    }
    double doubleForQuery(const std::string& sql, const std::vector<FMValue>& arguments);
    template <typename... Args>
        requires FMBindable<Args...>
    std::optional<std::string> stringForQuery(const std::string& sql, Args&&... args) {
        return stringForQuery(sql, std::vector<FMValue>{FMValue(std::forward<Args>(args))...});
    }
    std::optional<std::string> stringForQuery(const std::string& sql, const std::vector<FMValue>& arguments);
    template <typename... Args>
        requires FMBindable<Args...>
    std::optional<FMBlob> dataForQuery(const std::string& sql, Args&&... args) {
        return dataForQuery(sql, std::vector<FMValue>{FMValue(std::forward<Args>(args))...});
    }
    std::optional<FMBlob> dataForQuery(const std::string& sql, const std::vector<FMValue>& arguments);
    template <typename... Args>
        requires FMBindable<Args...>
    std::optional<FMDate> dateForQuery(const std::string& sql, Args&&... args) {
        return dateForQuery(sql, std::vector<FMValue>{FMValue(std::forward<Args>(args))...});
    }
    std::optional<FMDate> dateForQuery(const std::string& sql, const std::vector<FMValue>& arguments);

    bool tableExists(const std::string& tableName);
    std::shared_ptr<FMResultSet> getSchema();
    std::shared_ptr<FMResultSet> getTableSchema(const std::string& tableName);
    bool columnExists(const std::string& columnName, const std::string& tableName);
    bool columnExists_columnName(const std::string& tableName, const std::string& columnName);
    uint32_t userVersion();
    void setUserVersion(uint32_t version);
    uint32_t applicationID();
    void setApplicationID(uint32_t appID);
    std::string applicationIDString();
    void setApplicationIDString(const std::string& text);
    bool validateSQL(const std::string& sql, FMError* error);

private:
    friend class FMResultSet;

    std::shared_ptr<FMResultSet> executeQueryImpl(const std::string& sql, const std::vector<FMValue>* array,
                                                  const std::map<std::string, FMValue>* dictionary);
    bool executeUpdateImpl(const std::string& sql, FMError* error, const std::vector<FMValue>* array,
                           const std::map<std::string, FMValue>* dictionary);
    // Claims the connection for one statement (kind names it in the trace); false when
    // the database is closed or another statement is running.
    bool beginStatement(const char* kind, const std::string& sql);
    // The statement for sql: the cached one (reset) when caching is on, otherwise a newly
    // prepared one. A prepare failure is logged, sets error and gives nullptr; cached is
    // set when the statement came from the cache.
    sqlite3_stmt* statementForSql(const std::string& sql, std::shared_ptr<FMStatement>& cached, FMError* error);
    // Runs a transaction statement; when it succeeds the connection is in a transaction
    // exactly when inTransactionAfter is set.
    bool transactionStatement(const char* sql, bool inTransactionAfter);
    // Gives back a statement that was never stepped: a cached one is reset, any other finalized.
    void releaseUnusedStatement(sqlite3_stmt* pStmt, bool cached);
    // Binds the arguments; returns how many were bound, or -1 when a name was not found
    // in an update (the error is then set).
    int bindArguments(sqlite3_stmt* statement, const std::string& sql, bool isUpdate, FMError* error,
                      const std::vector<FMValue>* array, const std::map<std::string, FMValue>* dictionary);
    void bindObject(const FMValue& value, int index, sqlite3_stmt* statement);
    void logErrorLine(const std::string& line) const;
    std::string valueDescription(const FMValue& value) const;
    static int busyHandler(void* self, int count);
    bool databaseExists();

    sqlite3* db_ = nullptr;
    bool isExecutingStatement_ = false;
    double startBusyRetryTime_ = 0;
    std::set<FMResultSet*> openResultSets_;
    std::vector<std::unique_ptr<FunctionBlock>> openFunctions_;
    std::shared_ptr<FMDateFormatter> dateFormat_;
    bool shouldCacheStatements_ = false;
    bool traceExecution_ = false;
    bool checkedOut_ = false;
    bool crashOnErrors_ = false;
    bool logsErrors_ = true;
    bool isOpen_ = false;
    bool isInTransaction_ = false;
    double maxBusyRetryTimeInterval_ = 2.0;
    std::optional<StatementCache> cachedStatements_;
    std::optional<std::string> databasePath_;
};
