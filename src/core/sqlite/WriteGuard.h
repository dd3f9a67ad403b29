#pragma once

// The one way a write reaches a database file: a scope that either commits all of
// its statements or none of them.
//
// Outside a transaction the guard begins one; inside a caller's transaction it joins
// it under a save point, so a failed part is undone without ending the caller's work
// and the caller's own commit decides. Leaving the scope without commit() (an early
// return, an exception) rolls back. Failures keep SQLite's message for the report.

#include <cstdint>
#include <functional>
#include <string>

class FMDatabase;

class WriteGuard {
public:
    explicit WriteGuard(FMDatabase& db);
    ~WriteGuard();
    WriteGuard(const WriteGuard&) = delete;
    WriteGuard& operator=(const WriteGuard&) = delete;

    // Whether the transaction (or the save point in a caller's) could be begun.
    bool began() const { return began_; }
    // True while nothing has failed.
    bool ok() const { return began_ && !failed_; }
    // Records a statement's result; a false one marks the write as failed and keeps
    // SQLite's message. Returns the result.
    bool check(bool statementOk);
    // Marks the write as failed with a reason of the caller's own.
    void fail(const std::string& reason);
    // Commits (or releases the save point) when nothing failed; otherwise, or when the
    // commit itself fails, rolls back. Returns whether the write is now stored (for a
    // joined write: part of the caller's transaction).
    [[nodiscard]] bool commit();
    // SQLite's message of the first failure.
    const std::string& error() const { return error_; }
    bool joined() const { return joined_; }

private:
    void undo();

    FMDatabase& db_;
    std::string savePoint_;
    std::string error_;
    bool began_ = false;
    bool joined_ = false;
    bool failed_ = false;
    bool done_ = false;
};

// Runs body under a WriteGuard: body's false, or a failed begin or commit, rolls back,
// writes the reason to the system log and hands it to onFailure (when given).
// Returns whether everything was stored.
bool runWrite(FMDatabase& db, const std::function<bool(WriteGuard&)>& body,
              const std::function<void(const std::string& reason)>& onFailure);
