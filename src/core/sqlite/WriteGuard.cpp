#include "core/sqlite/WriteGuard.h"

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <vector>

#include "core/sqlite/FMDatabase.h"
#include "platform/SystemLog.h"

namespace {

constexpr const char* kTransactionEnded =
    "The database ended the transaction before all of its statements had run.";

// State of the writes on this thread since the begin of the last outermost transaction.
struct WriteState {
    // The first failure of a joined part. Undoing that part runs statements that clear
    // SQLite's own message, so the write that the part belonged to finds it here.
    std::string firstPartFailure;
    // The failure with which SQLite ended the transaction by itself.
    std::string endedReason;
    // Connections whose outermost guard is still open.
    std::vector<const FMDatabase*> open;
    WriteGuard::FailureWatch* watches = nullptr;
};

thread_local WriteState state;

std::string nextSavePointName() {
    static std::atomic<long> counter{0};
    return "writeGuard" + std::to_string(counter++);
}

bool hasOpenGuard(const FMDatabase& db) {
    return std::find(state.open.begin(), state.open.end(), &db) != state.open.end();
}

}  // namespace

// ---------------------------------------------------------------------------
// Failure watch

WriteGuard::FailureWatch::FailureWatch(FMDatabase& db,
                                       std::function<bool(int code, const std::string& message)> passedOver)
    : db_(db), passedOver_(std::move(passedOver)), previous_(state.watches) {
    state.watches = this;
}

WriteGuard::FailureWatch::~FailureWatch() {
    // Watches end in the reverse order of their making.
    if (state.watches == this) state.watches = previous_;
}

void WriteGuard::FailureWatch::note(int code, const std::string& message) {
    if (failed_ || (passedOver_ && passedOver_(code & 0xff, message))) return;
    failed_ = true;
    message_ = message.empty() ? std::string(kTransactionEnded) : message;
}

WriteGuard::FailureWatch* WriteGuard::watchOf(const FMDatabase& db) {
    for (FailureWatch* w = state.watches; w; w = w->previous_)
        if (&w->db_ == &db) return w;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Guard

WriteGuard::WriteGuard(FMDatabase& db) : db_(db) {
    FailureWatch* watch = watchOf(db_);
    if (watch && watch->failed()) {
        // The watcher stops at its first failure: nothing more is written.
        began_ = false;
        error_ = watch->message();
    } else if (db_.isInTransaction()) {
        joined_ = true;
        savePoint_ = nextSavePointName();
        began_ = db_.startSavePointWithName(savePoint_, nullptr);
        if (!began_) error_ = db_.lastErrorMessage();
    } else if (hasOpenGuard(db_)) {
        // The write this one is part of has lost its transaction: a transaction of our
        // own would be saved apart from the rest of that write.
        began_ = false;
        error_ = state.endedReason.empty() ? std::string(kTransactionEnded) : state.endedReason;
    } else {
        state.firstPartFailure.clear();
        state.endedReason.clear();
        began_ = db_.beginTransaction();
        if (began_) {
            outermost_ = true;
            state.open.push_back(&db_);
        } else {
            error_ = db_.lastErrorMessage();
        }
    }
    if (!began_) {
        failed_ = true;
        done_ = true;
        record(db_.lastErrorCode(), error_);
    }
}

WriteGuard::~WriteGuard() {
    if (!done_) undo();
    leave();
}

void WriteGuard::record(int code, const std::string& message) {
    // A failure after which no transaction is left is the reason it ended.
    if (!db_.isInTransaction() && (joined_ || outermost_ || hasOpenGuard(db_)) && state.endedReason.empty())
        state.endedReason = message;
    if (FailureWatch* watch = watchOf(db_)) watch->note(code == SQLITE_OK ? SQLITE_ABORT : code, message);
}

bool WriteGuard::check(bool statementOk) {
    if (failed_) return statementOk;
    if (!statementOk) {
        failed_ = true;
        const int code = db_.lastErrorCode();
        if (!db_.isInTransaction() && !state.endedReason.empty()) error_ = state.endedReason;
        else if (code == SQLITE_OK && !state.firstPartFailure.empty()) error_ = state.firstPartFailure;
        else error_ = db_.lastErrorMessage();
        record(code, error_);
    } else if (began_ && !done_ && !db_.isInTransaction()) {
        // The statement ran after SQLite had ended the transaction: it stands alone.
        failed_ = true;
        error_ = state.endedReason.empty() ? std::string(kTransactionEnded) : state.endedReason;
        record(SQLITE_ABORT, error_);
    }
    return statementOk;
}

void WriteGuard::fail(const std::string& reason) {
    if (failed_) return;
    failed_ = true;
    error_ = reason;
    record(db_.lastErrorCode() == SQLITE_OK ? SQLITE_ERROR : db_.lastErrorCode(), reason);
}

void WriteGuard::leave() {
    if (!outermost_) return;
    outermost_ = false;
    const auto it = std::find(state.open.rbegin(), state.open.rend(), &db_);
    if (it != state.open.rend()) state.open.erase(std::next(it).base());
}

void WriteGuard::undo() {
    done_ = true;
    if (joined_) {
        if (!error_.empty() && state.firstPartFailure.empty()) state.firstPartFailure = error_;
        if (!db_.isInTransaction()) {
            // SQLite has already undone the whole transaction: there is no save point
            // left, and the caller's write has failed with this part.
            if (state.endedReason.empty()) state.endedReason = error_.empty() ? kTransactionEnded : error_;
            return;
        }
        if (!db_.rollbackToSavePointWithName(savePoint_, nullptr) ||
            !db_.releaseSavePointWithName(savePoint_, nullptr))
            platform::systemLog("Unable to undo a failed part of a write: " + db_.lastErrorMessage());
        return;
    }
    // SQLite may already have rolled back on its own (I/O error, full disk).
    if (db_.isInTransaction() && !db_.rollback())
        platform::systemLog("Unable to roll back a failed write: " + db_.lastErrorMessage());
    leave();
}

bool WriteGuard::commit() {
    if (done_) return false;
    if (!failed_ && !db_.isInTransaction()) {
        failed_ = true;
        error_ = state.endedReason.empty() ? std::string(kTransactionEnded) : state.endedReason;
        record(SQLITE_ABORT, error_);
    }
    if (failed_) {
        undo();
        return false;
    }
    const bool stored = joined_ ? db_.releaseSavePointWithName(savePoint_, nullptr) : db_.commit();
    if (!stored) {
        failed_ = true;
        error_ = db_.lastErrorMessage();
        record(db_.lastErrorCode(), error_);
        undo();
        return false;
    }
    done_ = true;
    leave();
    return true;
}

bool runWrite(FMDatabase& db, const std::function<bool(WriteGuard&)>& body,
              const std::function<void(const std::string& reason)>& onFailure) {
    WriteGuard guard(db);
    bool stored = false;
    if (guard.began()) {
        try {
            if (!body(guard)) {
                // The first failure: a part's, or the one that ended the transaction,
                // rather than that of a statement that ran after it.
                std::string reason = guard.error();
                if (reason.empty() && !db.isInTransaction()) reason = state.endedReason;
                if (reason.empty())
                    reason = db.lastErrorCode() != SQLITE_OK ? db.lastErrorMessage() : state.firstPartFailure;
                if (reason.empty()) reason = db.lastErrorMessage();
                guard.fail(reason);
            }
        } catch (const std::exception& e) {
            guard.fail(e.what());
        }
        stored = guard.commit();
    }
    if (stored) return true;
    platform::systemLog("Database write failed: " + guard.error());
    if (onFailure) onFailure(guard.error());
    return false;
}
