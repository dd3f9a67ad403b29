#pragma once

// The one way a write reaches a database file: a scope that either commits all of
// its statements or none of them.
//
// Outside a transaction the guard begins one; inside a caller's transaction it joins
// it under a save point, so a failed part is undone without ending the caller's work
// and the caller's own commit decides. Leaving the scope without commit() (an early
// return, an exception) rolls back. Failures keep SQLite's message for the report.
//
// SQLite ends a transaction by itself on some failures (a full disk, an I/O error).
// Statements run after that would each be saved on their own, so once a guard's
// transaction has ended underneath it, the guard fails, and no guard nested in that
// write begins a transaction of its own. The first failure is the one reported.

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
    // SQLite's message. A true one still fails the write when its transaction has
    // ended underneath it. Returns the result.
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

    // Notes the first failure of any write on one connection of this thread while it
    // lives (a failed begin, statement, part or commit), leaving out those that
    // `passedOver` accepts (given SQLite's primary result code and the message). With
    // a failure noted, no further write on the connection begins: a caller that runs
    // several writes of its own stops at the first failure.
    class FailureWatch {
    public:
        FailureWatch(FMDatabase& db, std::function<bool(int code, const std::string& message)> passedOver);
        ~FailureWatch();
        FailureWatch(const FailureWatch&) = delete;
        FailureWatch& operator=(const FailureWatch&) = delete;

        bool failed() const { return failed_; }
        const std::string& message() const { return message_; }
        // Records a failure found by the watcher itself (a statement of its own).
        void note(int code, const std::string& message);

    private:
        friend class WriteGuard;
        FMDatabase& db_;
        std::function<bool(int, const std::string&)> passedOver_;
        FailureWatch* previous_ = nullptr;
        bool failed_ = false;
        std::string message_;
    };

private:
    static FailureWatch* watchOf(const FMDatabase& db);
    void undo();
    void record(int code, const std::string& message);
    void leave();

    FMDatabase& db_;
    std::string savePoint_;
    std::string error_;
    bool began_ = false;
    bool joined_ = false;
    bool failed_ = false;
    bool done_ = false;
    bool outermost_ = false;
};

// Runs body under a WriteGuard: body's false, or a failed begin or commit, rolls back,
// writes the reason to the system log and hands it to onFailure (when given).
// Returns whether everything was stored.
bool runWrite(FMDatabase& db, const std::function<bool(WriteGuard&)>& body,
              const std::function<void(const std::string& reason)>& onFailure);
