#pragma once

#include <cstdint>
#include <string>

struct sqlite3_stmt;

// One prepared statement. It is finalized when its last owner (a result set or the
// statement cache) lets it go, or when it is closed.
class FMStatement {
public:
    FMStatement() = default;
    explicit FMStatement(sqlite3_stmt* statement) : statement_(statement) {}
    ~FMStatement();
    FMStatement(const FMStatement&) = delete;
    FMStatement& operator=(const FMStatement&) = delete;

    // Finalizes the prepared statement and forgets it.
    void close();
    // Resets the prepared statement for another run; bound values stay.
    void reset();

    sqlite3_stmt* statement() const { return statement_; }
    void setStatement(sqlite3_stmt* statement) { statement_ = statement; }
    const std::string& query() const { return query_; }
    void setQuery(const std::string& query) { query_ = query; }
    int64_t useCount() const { return useCount_; }
    void setUseCount(int64_t count) { useCount_ = count; }
    bool inUse() const { return inUse_; }
    void setInUse(bool inUse) { inUse_ = inUse; }

    std::string description() const;

private:
    sqlite3_stmt* statement_ = nullptr;
    std::string query_;
    int64_t useCount_ = 0;
    bool inUse_ = false;
};
