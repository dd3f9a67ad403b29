#include "core/sqlite/FMDatabase.h"

#include <sqlite3.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "core/sqlite/FMDateFormatter.h"
#include "core/sqlite/FMResultSet.h"
#include "core/sqlite/FMStatement.h"
#include "core/sqlite/FMText.h"
#include "platform/SystemLog.h"

using platform::systemLog;

namespace {

const char* const kErrorDomain = "FMDatabase";

std::string pathText(const std::optional<std::string>& path) { return path ? *path : "(null)"; }

std::string quotedSavePointName(const std::string& name) {
    std::string out;
    out.reserve(name.size() + 2);
    for (char c : name) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out;
}

double clockSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string stepLine(const char* prefix, int rc, sqlite3* db, const char* suffix) {
    return std::string(prefix) + " (" + std::to_string(rc) + ": " + sqlite3_errmsg(db) + ") " + suffix;
}

}  // namespace

// ---- creation, opening, closing ------------------------------------------------------

FMDatabase::FMDatabase() : FMDatabase(std::nullopt) {}

FMDatabase::FMDatabase(const std::optional<std::string>& path) : databasePath_(path) {
    // Connections may be used from the queue and pool on several threads.
    if (!sqlite3_threadsafe()) systemLog("The SQLite library was not built thread-safe.");
}

std::shared_ptr<FMDatabase> FMDatabase::databaseWithPath(const std::optional<std::string>& path) {
    return std::make_shared<FMDatabase>(path);
}

std::shared_ptr<FMDatabase> FMDatabase::databaseWithURL(const std::string& url) {
    return databaseWithPath(fmtext::pathFromFileURL(url));
}

FMDatabase::~FMDatabase() { close(); }

std::string FMDatabase::description() const {
    char text[64];
    std::snprintf(text, sizeof text, "<FMDatabase: %p>", static_cast<const void*>(this));
    return text;
}

bool FMDatabase::open() {
    if (isOpen_) return true;
    if (db_) close();
    const std::string path = databasePath_ ? *databasePath_ : ":memory:";
    const int err = sqlite3_open(path.c_str(), &db_);
    if (err != SQLITE_OK) {
        systemLog("error opening!: " + std::to_string(err));
        return false;
    }
    if (maxBusyRetryTimeInterval_ > 0) setMaxBusyRetryTimeInterval(maxBusyRetryTimeInterval_);
    isOpen_ = true;
    return true;
}

bool FMDatabase::openWithFlags(int flags) { return openWithFlags(flags, std::nullopt); }

bool FMDatabase::openWithFlags(int flags, const std::optional<std::string>& vfsName) {
    if (isOpen_) return true;
    if (db_) close();
    const std::string path = databasePath_ ? *databasePath_ : ":memory:";
    const int err = sqlite3_open_v2(path.c_str(), &db_, flags, vfsName ? vfsName->c_str() : nullptr);
    if (err != SQLITE_OK) {
        systemLog("error opening!: " + std::to_string(err));
        return false;
    }
    if (maxBusyRetryTimeInterval_ > 0) setMaxBusyRetryTimeInterval(maxBusyRetryTimeInterval_);
    isOpen_ = true;
    return true;
}

bool FMDatabase::close() {
    // Closing result sets lets them drop their hold on this connection; keep it alive meanwhile.
    auto keepAlive = weak_from_this().lock();
    clearCachedStatements();
    closeOpenResultSets();
    if (!db_) return true;

    int rc = sqlite3_close(db_);
    if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
        bool finalized = false;
        while (sqlite3_stmt* leaked = sqlite3_next_stmt(db_, nullptr)) {
            systemLog("Closing leaked statement");
            sqlite3_finalize(leaked);
            finalized = true;
        }
        if (finalized) rc = sqlite3_close(db_);
        // Still held by something else (a backup, say): let the engine close it as soon as it is free,
        // rather than leaking the handle.
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) sqlite3_close_v2(db_);
    }
    if (rc != SQLITE_OK && rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
        systemLog("error closing!: " + std::to_string(rc));
    db_ = nullptr;
    isOpen_ = false;
    isInTransaction_ = false;
    return true;
}

bool FMDatabase::goodConnection() {
    if (!isOpen_) return false;
    auto rs = executeQuery("select name from sqlite_master where type='table'");
    if (rs) {
        rs->close();
        return true;
    }
    return false;
}

bool FMDatabase::interrupt() {
    if (!db_) return false;
    sqlite3_interrupt(db_);
    return true;
}

bool FMDatabase::databaseExists() {
    if (!isOpen_) {
        systemLog("The FMDatabase " + description() + " is not open.");
        return false;
    }
    return true;
}

// ---- simple state -------------------------------------------------------------------

bool FMDatabase::isOpen() const { return isOpen_; }
sqlite3* FMDatabase::sqliteHandle() const { return db_; }
const std::optional<std::string>& FMDatabase::databasePath() const { return databasePath_; }
bool FMDatabase::isInTransaction() const {
    if (db_) return sqlite3_get_autocommit(db_) == 0;
    return isInTransaction_;
}
bool FMDatabase::inTransaction() const { return isInTransaction(); }

std::optional<std::string> FMDatabase::databaseURL() const {
    if (!databasePath_ || databasePath_->empty()) return std::nullopt;
    std::error_code ec;
    const std::string absolute = std::filesystem::absolute(*databasePath_, ec).string();
    static const char* const hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : (ec ? *databasePath_ : absolute)) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

void FMDatabase::logErrorLine(const std::string& line) const {
    if (logsErrors_) systemLog(line);
}

std::string FMDatabase::lastErrorMessage() const { return sqlite3_errmsg(db_); }
int FMDatabase::lastErrorCode() const { return sqlite3_errcode(db_); }
int FMDatabase::lastExtendedErrorCode() const { return sqlite3_extended_errcode(db_); }

bool FMDatabase::hadError() const {
    const int code = lastErrorCode();
    return code > SQLITE_OK && code < SQLITE_ROW;
}

FMError FMDatabase::lastError() const { return FMError{kErrorDomain, lastErrorCode(), lastErrorMessage()}; }

FMError FMDatabase::errorWithMessage(const std::string& message) const {
    return FMError{kErrorDomain, lastErrorCode(), message};
}

int64_t FMDatabase::lastInsertRowId() {
    if (isExecutingStatement_) {
        systemLog("The FMDatabase " + description() + " is currently in use.");
        return 0;
    }
    return db_ ? sqlite3_last_insert_rowid(db_) : 0;
}

int FMDatabase::changes() {
    if (isExecutingStatement_) {
        systemLog("The FMDatabase " + description() + " is currently in use.");
        return 0;
    }
    return db_ ? sqlite3_changes(db_) : 0;
}

// ---- busy wait ----------------------------------------------------------------------

int FMDatabase::busyHandler(void* context, int count) {
    auto* self = static_cast<FMDatabase*>(context);
    if (count == 0) {
        self->startBusyRetryTime_ = clockSeconds();
        return 1;
    }
    const double elapsed = clockSeconds() - self->startBusyRetryTime_;
    if (elapsed < self->maxBusyRetryTimeInterval_) {
        thread_local std::minstd_rand random(std::random_device{}());
        const int requested = 50 + static_cast<int>(random() % 50);
        const int actual = sqlite3_sleep(requested);
        if (actual != requested)
            systemLog("WARNING: Requested sleep of " + std::to_string(requested) +
                      " milliseconds, but SQLite returned " + std::to_string(actual) +
                      ". Maybe SQLite wasn't built with HAVE_USLEEP=1?");
        return 1;
    }
    return 0;
}

void FMDatabase::setMaxBusyRetryTimeInterval(double seconds) {
    maxBusyRetryTimeInterval_ = seconds;
    if (!db_) return;
    if (seconds > 0)
        sqlite3_busy_handler(db_, &FMDatabase::busyHandler, this);
    else
        sqlite3_busy_handler(db_, nullptr, nullptr);
}

int FMDatabase::busyRetryTimeout() {
    systemLog(std::string(__func__) + ":" + std::to_string(__LINE__));
    systemLog("FMDB: busyRetryTimeout no longer works, please use maxBusyRetryTimeInterval");
    return -1;
}

void FMDatabase::setBusyRetryTimeout(int) {
    systemLog(std::string(__func__) + ":" + std::to_string(__LINE__));
    systemLog("FMDB: setBusyRetryTimeout does nothing, please use setMaxBusyRetryTimeInterval:");
}

// ---- statement cache and open result sets ---------------------------------------------

namespace {
// A connection that keeps its statements runs the same few again and again. Statements
// that name a savepoint carry a fresh name each time, and a connection that meets ever
// new texts would keep them without end: neither is kept.
constexpr size_t kMaxKeptQueries = 256;

// An ASCII letter in lower case, whatever the locale: SQL keywords are ASCII, and the
// locale's tolower leaves "I" as it is under a Turkish one.
char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool namesSavePoint(const std::string& sql) {
    size_t i = 0;
    while (i < sql.size() && (sql[i] == ' ' || sql[i] == '\t' || sql[i] == '\n')) ++i;
    auto startsWith = [&](const char* word) {
        for (size_t k = 0; word[k]; ++k)
            if (i + k >= sql.size() || asciiLower(sql[i + k]) != word[k]) return false;
        return true;
    };
    return startsWith("savepoint") || startsWith("release") || startsWith("rollback");
}

bool keepsQuery(const std::optional<FMDatabase::StatementCache>& cache, const std::string& sql) {
    if (!cache || namesSavePoint(sql)) return false;
    return cache->size() < kMaxKeptQueries || cache->count(sql) > 0;
}
}  // namespace

void FMDatabase::setShouldCacheStatements(bool on) {
    shouldCacheStatements_ = on;
    if (on && !cachedStatements_) cachedStatements_.emplace();
    if (!on) cachedStatements_.reset();
}

void FMDatabase::setCachedStatements(std::optional<StatementCache> cache) { cachedStatements_ = std::move(cache); }

void FMDatabase::clearCachedStatements() {
    if (!cachedStatements_) return;
    for (auto& [query, statements] : *cachedStatements_)
        for (const auto& statement : statements) statement->close();
    cachedStatements_->clear();
}

std::shared_ptr<FMStatement> FMDatabase::cachedStatementForQuery(const std::string& query) {
    if (!cachedStatements_) return nullptr;
    const auto found = cachedStatements_->find(query);
    if (found == cachedStatements_->end()) return nullptr;
    for (const auto& statement : found->second)
        if (!statement->inUse()) return statement;
    return nullptr;
}

void FMDatabase::setCachedStatement(const std::shared_ptr<FMStatement>& statement,
                                    const std::optional<std::string>& query) {
    if (!query) {
        systemLog("API misuse, -[FMDatabase setCachedStatement:forQuery:] query must not be nil");
        return;
    }
    if (!statement || !cachedStatements_) return;
    statement->setQuery(*query);
    (*cachedStatements_)[*query].insert(statement);
}

void FMDatabase::closeOpenResultSets() {
    auto keepAlive = weak_from_this().lock();
    const std::set<FMResultSet*> copy = openResultSets_;
    for (FMResultSet* rs : copy) {
        rs->setParentDB(nullptr);
        rs->close();
        openResultSets_.erase(rs);
    }
}

void FMDatabase::resultSetDidClose(FMResultSet* resultSet) { openResultSets_.erase(resultSet); }

// ---- binding ------------------------------------------------------------------------

std::string FMDatabase::valueDescription(const FMValue& value) const {
    const auto& v = value.storage();
    if (std::holds_alternative<std::monostate>(v)) return "<null>";
    if (auto p = std::get_if<int32_t>(&v)) return std::to_string(*p);
    if (auto p = std::get_if<int64_t>(&v)) return std::to_string(*p);
    if (auto p = std::get_if<double>(&v)) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", *p);
        return text;
    }
    if (auto p = std::get_if<std::string>(&v)) return *p;
    if (auto p = std::get_if<FMDate>(&v)) {
        if (dateFormat_) return dateFormat_->stringFromDate(*p);
        return std::to_string(std::chrono::duration<double>(p->time_since_epoch()).count());
    }
    return "<data>";
}

namespace {
// Set while an update binds its values: they outlive every step of the statement, so
// text and data are bound in place instead of copied (and cleared again before a kept
// statement is let go).
thread_local bool bindingBorrowed = false;
}  // namespace

void FMDatabase::bindObject(const FMValue& value, int index, sqlite3_stmt* statement) {
    const auto& v = value.storage();
    const auto keep = bindingBorrowed ? SQLITE_STATIC : SQLITE_TRANSIENT;
    switch (v.index()) {
        case 0:
            sqlite3_bind_null(statement, index);
            break;
        case 1:
            sqlite3_bind_int(statement, index, std::get<int32_t>(v));
            break;
        case 2:
            sqlite3_bind_int64(statement, index, std::get<int64_t>(v));
            break;
        case 3:
            sqlite3_bind_double(statement, index, std::get<double>(v));
            break;
        case 4: {
            // Text ends at its first NUL character, as a C string would.
            const std::string& s = std::get<std::string>(v);
            const size_t nul = s.find('\0');
            const size_t length = nul == std::string::npos ? s.size() : nul;
            sqlite3_bind_text(statement, index, s.data(), static_cast<int>(length), keep);
            break;
        }
        case 5: {
            const FMBlob& b = std::get<FMBlob>(v);
            if (b.empty())
                sqlite3_bind_zeroblob(statement, index, 0);  // empty data is a value, not NULL
            else
                sqlite3_bind_blob(statement, index, b.data(), static_cast<int>(b.size()), keep);
            break;
        }
        case 6: {
            const FMDate d = std::get<FMDate>(v);
            if (dateFormat_) {
                const std::string text = dateFormat_->stringFromDate(d);
                sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
            } else {
                sqlite3_bind_double(statement, index, std::chrono::duration<double>(d.time_since_epoch()).count());
            }
            break;
        }
    }
}

int FMDatabase::bindArguments(sqlite3_stmt* statement, const std::string&, bool isUpdate, FMError* error,
                              const std::vector<FMValue>* array,
                              const std::map<std::string, FMValue>* dictionary) {
    const int queryCount = sqlite3_bind_parameter_count(statement);
    int bound = 0;
    if (dictionary) {
        for (const auto& [key, value] : *dictionary) {
            const std::string parameterName = ":" + key;
            if (traceExecution_) systemLog(key + " = " + valueDescription(value));
            const int index = sqlite3_bind_parameter_index(statement, parameterName.c_str());
            if (index > 0) {
                bindObject(value, index, statement);
                ++bound;
            } else {
                const std::string message = "Could not find index for " + key;
                if (!isUpdate) {
                    systemLog(message);
                } else {
                    logErrorLine(message);
                    if (error) *error = errorWithMessage(message);
                }
            }
        }
    } else if (array) {
        const int available = static_cast<int>(array->size());
        while (bound < queryCount && bound < available) {
            const FMValue& value = (*array)[static_cast<size_t>(bound)];
            if (traceExecution_) {
                if (auto b = std::get_if<FMBlob>(&value.storage()))
                    systemLog("data: " + std::to_string(b->size()) + " bytes");
                else
                    systemLog("obj: " + valueDescription(value));
            }
            bindObject(value, bound + 1, statement);
            ++bound;
        }
    }
    return bound;
}

// ---- queries and updates ------------------------------------------------------------

std::shared_ptr<FMResultSet> FMDatabase::executeQuery(const std::string& sql, const std::vector<FMValue>& arguments) {
    return executeQueryImpl(sql, &arguments, nullptr);
}

std::shared_ptr<FMResultSet> FMDatabase::executeQuery(const std::string& sql,
                                                      const std::map<std::string, FMValue>& parameters) {
    return executeQueryImpl(sql, nullptr, &parameters);
}

std::shared_ptr<FMResultSet> FMDatabase::executeQuery(const std::string& sql, const std::vector<FMValue>& values,
                                                      FMError* error) {
    auto rs = executeQueryImpl(sql, &values, nullptr);
    if (!rs && error) *error = lastError();
    return rs;
}

bool FMDatabase::beginStatement(const char* kind, const std::string& sql) {
    if (!databaseExists()) return false;
    if (isExecutingStatement_) {
        systemLog("The FMDatabase " + description() + " is currently in use.");
        return false;
    }
    isExecutingStatement_ = true;
    if (traceExecution_) systemLog(description() + " " + kind + ": " + sql);
    return true;
}

sqlite3_stmt* FMDatabase::statementForSql(const std::string& sql, std::shared_ptr<FMStatement>& cached,
                                          FMError* error) {
    if (shouldCacheStatements_) {
        cached = cachedStatementForQuery(sql);
        if (cached) {
            sqlite3_stmt* pStmt = cached->statement();
            cached->reset();
            if (pStmt) return pStmt;
        }
    }
    sqlite3_stmt* pStmt = nullptr;
    const int rc = sqlite3_prepare_v2(db_, sql.c_str(), -1, &pStmt, nullptr);
    if (rc == SQLITE_OK) return pStmt;
    if (logsErrors_) {
        systemLog("DB Error: " + std::to_string(lastErrorCode()) + " \"" + lastErrorMessage() + "\"");
        systemLog("DB Query: " + sql);
        systemLog("DB Path: " + pathText(databasePath_));
    }
    if (crashOnErrors_) std::abort();
    if (error) *error = errorWithMessage(sqlite3_errmsg(db_));
    sqlite3_finalize(pStmt);
    return nullptr;
}

void FMDatabase::releaseUnusedStatement(sqlite3_stmt* pStmt, bool cached) {
    if (cached) {
        // A cached statement stays in the cache: reset it instead of finalizing it under the cache.
        sqlite3_reset(pStmt);
        sqlite3_clear_bindings(pStmt);
    } else {
        sqlite3_finalize(pStmt);
    }
}

std::shared_ptr<FMResultSet> FMDatabase::executeQueryImpl(const std::string& sql, const std::vector<FMValue>* array,
                                                          const std::map<std::string, FMValue>* dictionary) {
    if (!beginStatement("executeQuery", sql)) return nullptr;

    std::shared_ptr<FMStatement> statement;
    sqlite3_stmt* pStmt = statementForSql(sql, statement, nullptr);
    if (!pStmt) {
        isExecutingStatement_ = false;
        return nullptr;
    }

    const int bound = bindArguments(pStmt, sql, false, nullptr, array, dictionary);
    if (bound != sqlite3_bind_parameter_count(pStmt)) {
        systemLog("Error: the bind count is not correct for the # of variables (executeQuery)");
        releaseUnusedStatement(pStmt, statement != nullptr);
        isExecutingStatement_ = false;
        return nullptr;
    }

    if (!statement) {
        statement = std::make_shared<FMStatement>(pStmt);
        if (shouldCacheStatements_ && keepsQuery(cachedStatements_, sql)) setCachedStatement(statement, sql);
    }
    auto rs = FMResultSet::resultSetWithStatement(statement, this);
    rs->setQuery(sql);
    openResultSets_.insert(rs.get());
    statement->setUseCount(statement->useCount() + 1);
    isExecutingStatement_ = false;
    return rs;
}

bool FMDatabase::executeUpdate(const std::string& sql, const std::vector<FMValue>& arguments) {
    return executeUpdateImpl(sql, nullptr, &arguments, nullptr);
}

bool FMDatabase::executeUpdate(const std::string& sql, const std::map<std::string, FMValue>& parameters) {
    return executeUpdateImpl(sql, nullptr, nullptr, &parameters);
}

bool FMDatabase::executeUpdate(const std::string& sql, const std::vector<FMValue>& values, FMError* error) {
    return executeUpdateImpl(sql, error, &values, nullptr);
}

bool FMDatabase::executeUpdateImpl(const std::string& sql, FMError* error, const std::vector<FMValue>* array,
                                   const std::map<std::string, FMValue>* dictionary) {
    if (!beginStatement("executeUpdate", sql)) return false;

    std::shared_ptr<FMStatement> cached;
    sqlite3_stmt* pStmt = statementForSql(sql, cached, error);
    if (!pStmt) {
        isExecutingStatement_ = false;
        return false;
    }

    bindingBorrowed = true;
    const int bound = bindArguments(pStmt, sql, true, error, array, dictionary);
    bindingBorrowed = false;
    const int expected = sqlite3_bind_parameter_count(pStmt);
    if (bound != expected) {
        const std::string message = "Error: the bind count (" + std::to_string(bound) +
                                    ") is not correct for the # of variables in the query (" +
                                    std::to_string(expected) + ") (" + sql + ") (executeUpdate)";
        logErrorLine(message);
        if (error) *error = errorWithMessage(message);
        sqlite3_clear_bindings(pStmt);  // nothing borrowed stays behind in a kept statement
        releaseUnusedStatement(pStmt, cached != nullptr);
        isExecutingStatement_ = false;
        return false;
    }

    const int rc = sqlite3_step(pStmt);
    if (rc == SQLITE_DONE) {
        // success
    } else if (rc == SQLITE_ROW) {
        const std::string message = "A executeUpdate is being called with a query string '" + sql + "'";
        if (logsErrors_) {
            systemLog(message);
            systemLog("DB Query: " + sql);
        }
        if (error) *error = errorWithMessage(message);
    } else if (rc == SQLITE_INTERRUPT) {
        if (logsErrors_) {
            systemLog(stepLine("Error calling sqlite3_step. Query was interrupted", rc, db_, "SQLITE_INTERRUPT"));
            systemLog("DB Query: " + sql);
        }
    } else {
        if (error) *error = errorWithMessage(sqlite3_errmsg(db_));
        if (logsErrors_) {
            if (rc == SQLITE_ERROR)
                systemLog(stepLine("Error calling sqlite3_step", rc, db_, "SQLITE_ERROR"));
            else if (rc == SQLITE_MISUSE)
                systemLog(stepLine("Error calling sqlite3_step", rc, db_, "SQLITE_MISUSE"));
            else
                systemLog(stepLine("Unknown error calling sqlite3_step", rc, db_, "eu"));
            systemLog("DB Query: " + sql);
        }
    }

    if (shouldCacheStatements_ && !cached && keepsQuery(cachedStatements_, sql)) {
        cached = std::make_shared<FMStatement>(pStmt);
        setCachedStatement(cached, sql);
        if (!cachedStatements_) cached->setStatement(nullptr);  // not kept after all: finalize below
    }
    int closeErrorCode;
    if (cached && cached->statement()) {
        cached->setUseCount(cached->useCount() + 1);
        closeErrorCode = sqlite3_reset(pStmt);
        sqlite3_clear_bindings(pStmt);  // the borrowed values go with the caller
    } else {
        closeErrorCode = sqlite3_finalize(pStmt);
    }
    if (closeErrorCode != SQLITE_OK && logsErrors_) {
        systemLog("Unknown error finalizing or resetting statement (" + std::to_string(closeErrorCode) + ": " +
                  sqlite3_errmsg(db_) + ")");
        systemLog("DB Query: " + sql);
    }
    isExecutingStatement_ = false;
    return rc == SQLITE_DONE || rc == SQLITE_OK;
}

namespace {
int executeStatementsRow(void* context, int columns, char** values, char** names) {
    const auto& block = *static_cast<const FMDatabase::ExecuteStatementsCallback*>(context);
    std::map<std::string, std::optional<std::string>> row;
    for (int i = 0; i < columns; ++i)
        row[names[i]] = values[i] ? std::optional<std::string>(values[i]) : std::nullopt;
    return block(row);
}
}  // namespace

bool FMDatabase::executeStatements(const std::string& sql) { return executeStatements(sql, nullptr); }

bool FMDatabase::executeStatements(const std::string& sql, const ExecuteStatementsCallback& block) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql.c_str(), block ? &executeStatementsRow : nullptr,
                                block ? const_cast<ExecuteStatementsCallback*>(&block) : nullptr, &message);
    if (message) {
        logErrorLine(std::string("Error inserting batch: ") + message);
        sqlite3_free(message);
    }
    return rc == SQLITE_OK;
}

void FMDatabase::extractSQL(const std::string& format, const std::vector<FMValue>& argumentsList, std::string& sql,
                            std::vector<FMValue>& arguments) {
    static const std::string kLengthModifiers = "hlqLzjt";
    static const std::string kConversions = "@cCsSdDiuUxXoOfFeEgGaAp";
    size_t next = 0;
    const size_t n = format.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = format[i];
        if (c != '%') {
            sql += c;
            continue;
        }
        if (i + 1 < n && format[i + 1] == '%') {
            sql += '%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < n && kLengthModifiers.find(format[j]) != std::string::npos) ++j;
        if (j >= n || kConversions.find(format[j]) == std::string::npos) {
            sql.append(format, i, (j < n ? j + 1 : n) - i);
            i = j < n ? j : n;
            continue;
        }
        const char conversion = format[j];
        FMValue value = next < argumentsList.size() ? argumentsList[next] : FMValue();
        ++next;
        if (conversion == '@' && value.isNull()) {
            sql += "NULL";
        } else {
            if ((conversion == 'c' || conversion == 'C') && std::holds_alternative<int32_t>(value.storage()))
                value = FMValue(std::string(1, static_cast<char>(std::get<int32_t>(value.storage()))));
            sql += '?';
            arguments.push_back(std::move(value));
        }
        i = j;
    }
}

// ---- transactions and savepoints ------------------------------------------------------

bool FMDatabase::transactionStatement(const char* sql, bool inTransactionAfter) {
    const bool ok = executeUpdateImpl(sql, nullptr, nullptr, nullptr);
    if (ok) isInTransaction_ = inTransactionAfter;
    return ok;
}

bool FMDatabase::beginTransaction() { return beginExclusiveTransaction(); }

bool FMDatabase::beginExclusiveTransaction() { return transactionStatement("begin exclusive transaction", true); }
bool FMDatabase::beginDeferredTransaction() { return transactionStatement("begin deferred transaction", true); }
bool FMDatabase::beginImmediateTransaction() { return transactionStatement("begin immediate transaction", true); }
bool FMDatabase::commit() { return transactionStatement("commit transaction", false); }
bool FMDatabase::rollback() { return transactionStatement("rollback transaction", false); }

bool FMDatabase::startSavePointWithName(const std::string& name, FMError* error) {
    return executeUpdateImpl("savepoint '" + quotedSavePointName(name) + "';", error, nullptr, nullptr);
}

bool FMDatabase::releaseSavePointWithName(const std::string& name, FMError* error) {
    return executeUpdateImpl("release savepoint '" + quotedSavePointName(name) + "';", error, nullptr, nullptr);
}

bool FMDatabase::rollbackToSavePointWithName(const std::string& name, FMError* error) {
    return executeUpdateImpl("rollback transaction to savepoint '" + quotedSavePointName(name) + "';", error,
                             nullptr, nullptr);
}

std::optional<FMError> FMDatabase::inSavePoint(const std::function<void(bool& rollback)>& block) {
    static std::atomic<long> savePointIndex{0};
    const std::string name = "dbSavePoint" + std::to_string(savePointIndex++);
    std::optional<FMError> lastMet;
    FMError error;
    if (!startSavePointWithName(name, &error)) {
        if (!error.domain.empty()) lastMet = error;
        return lastMet;
    }
    bool shouldRollback = false;
    if (block) block(shouldRollback);
    if (shouldRollback) {
        error = FMError{};
        if (!rollbackToSavePointWithName(name, &error) && !error.domain.empty()) lastMet = error;
    }
    error = FMError{};
    if (!releaseSavePointWithName(name, &error) && !error.domain.empty()) lastMet = error;
    return lastMet;
}

// ---- dates --------------------------------------------------------------------------

void FMDatabase::setDateFormat(std::shared_ptr<FMDateFormatter> format) { dateFormat_ = std::move(format); }

std::optional<FMDate> FMDatabase::dateFromString(const std::string& text) const {
    if (!dateFormat_) return std::nullopt;
    return dateFormat_->dateFromString(text);
}

std::optional<std::string> FMDatabase::stringFromDate(FMDate date) const {
    if (!dateFormat_) return std::nullopt;
    return dateFormat_->stringFromDate(date);
}

std::shared_ptr<FMDateFormatter> FMDatabase::storeableDateFormat(const std::string& format) {
    return std::make_shared<FMDateFormatter>(format, "GMT", "en_US");
}

// ---- encryption (not built in) ---------------------------------------------------------

bool FMDatabase::setKey(const std::string& key) { return setKeyWithData(FMBlob(key.begin(), key.end())); }
bool FMDatabase::setKeyWithData(const FMBlob&) { return false; }
bool FMDatabase::rekey(const std::string& key) { return rekeyWithData(FMBlob(key.begin(), key.end())); }
bool FMDatabase::rekeyWithData(const FMBlob&) { return false; }

// ---- checkpoints ----------------------------------------------------------------------

bool FMDatabase::checkpoint(FMDBCheckpointMode mode, FMError* error) {
    return checkpoint(mode, std::nullopt, nullptr, nullptr, error);
}

bool FMDatabase::checkpoint(FMDBCheckpointMode mode, const std::optional<std::string>& name, FMError* error) {
    return checkpoint(mode, name, nullptr, nullptr, error);
}

bool FMDatabase::checkpoint(FMDBCheckpointMode mode, const std::optional<std::string>& name, int* logFrameCount,
                            int* checkpointCount, FMError* error) {
    const int rc = db_ ? sqlite3_wal_checkpoint_v2(db_, name ? name->c_str() : nullptr, mode, logFrameCount,
                                                   checkpointCount)
                       : SQLITE_MISUSE;
    if (rc != SQLITE_OK) {
        if (error) *error = lastError();
        logErrorLine(lastErrorMessage());
        if (crashOnErrors_) std::abort();
        return false;
    }
    return true;
}

// ---- SQL functions --------------------------------------------------------------------

namespace {
void functionTrampoline(sqlite3_context* context, int argc, sqlite3_value** argv) {
    auto* block = static_cast<FMDatabase::FunctionBlock*>(sqlite3_user_data(context));
    if (block && *block) (*block)(context, argc, argv);
}
}  // namespace

void FMDatabase::makeFunctionNamed(const std::string& name, int arguments, FunctionBlock block) {
    openFunctions_.push_back(std::make_unique<FunctionBlock>(std::move(block)));
    if (!db_) return;
    sqlite3_create_function(db_, name.c_str(), arguments, SQLITE_UTF8, openFunctions_.back().get(),
                            &functionTrampoline, nullptr, nullptr);
}

void FMDatabase::makeFunctionNamed_maximumArguments(const std::string& name, int count, FunctionBlock block) {
    makeFunctionNamed(name, count, std::move(block));
}

SqliteValueType FMDatabase::valueType(sqlite3_value* value) {
    return static_cast<SqliteValueType>(sqlite3_value_type(value));
}
int FMDatabase::valueInt(sqlite3_value* value) { return sqlite3_value_int(value); }
int64_t FMDatabase::valueLong(sqlite3_value* value) { return sqlite3_value_int64(value); }
double FMDatabase::valueDouble(sqlite3_value* value) { return sqlite3_value_double(value); }

std::optional<FMBlob> FMDatabase::valueData(sqlite3_value* value) {
    const auto* bytes = static_cast<const uint8_t*>(sqlite3_value_blob(value));
    const int length = sqlite3_value_bytes(value);
    if (!bytes) return std::nullopt;
    return FMBlob(bytes, bytes + length);
}

std::optional<std::string> FMDatabase::valueString(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    if (!text) return std::nullopt;
    return std::string(text, static_cast<size_t>(sqlite3_value_bytes(value)));
}

void FMDatabase::resultNullInContext(sqlite3_context* context) { sqlite3_result_null(context); }
void FMDatabase::resultInt(int value, sqlite3_context* context) { sqlite3_result_int(context, value); }
void FMDatabase::resultLong(int64_t value, sqlite3_context* context) { sqlite3_result_int64(context, value); }
void FMDatabase::resultDouble(double value, sqlite3_context* context) { sqlite3_result_double(context, value); }
void FMDatabase::resultData(const FMBlob& data, sqlite3_context* context) {
    sqlite3_result_blob(context, data.data(), static_cast<int>(data.size()), SQLITE_TRANSIENT);
}
void FMDatabase::resultString(const std::string& value, sqlite3_context* context) {
    sqlite3_result_text(context, value.data(), static_cast<int>(value.size()), SQLITE_TRANSIENT);
}
void FMDatabase::resultError(const std::string& error, sqlite3_context* context) {
    sqlite3_result_error(context, error.data(), static_cast<int>(error.size()));
}
void FMDatabase::resultErrorCode(int code, sqlite3_context* context) { sqlite3_result_error_code(context, code); }
void FMDatabase::resultErrorNoMemoryInContext(sqlite3_context* context) { sqlite3_result_error_nomem(context); }
void FMDatabase::resultErrorTooBigInContext(sqlite3_context* context) { sqlite3_result_error_toobig(context); }

// ---- library facts --------------------------------------------------------------------

std::string FMDatabase::FMDBUserVersion() { return "2.7.5"; }

int32_t FMDatabase::FMDBVersion() {
    static const int32_t version = [] {
        std::string text = FMDBUserVersion();
        int dots = 0;
        for (char c : text)
            if (c == '.') ++dots;
        if (dots < 2) text += ".0";
        std::string digits;
        for (char c : text)
            if (c != '.') digits += c;
        return static_cast<int32_t>(std::strtol(digits.c_str(), nullptr, 16));
    }();
    return version;
}

std::string FMDatabase::sqliteLibVersion() { return sqlite3_libversion(); }
bool FMDatabase::isSQLiteThreadSafe() { return sqlite3_threadsafe() != 0; }
