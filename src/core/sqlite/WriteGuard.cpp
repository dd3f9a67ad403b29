#include "core/sqlite/WriteGuard.h"

#include <atomic>
#include <exception>

#include "core/sqlite/FMDatabase.h"
#include "platform/SystemLog.h"

namespace {

std::string nextSavePointName() {
    static std::atomic<long> counter{0};
    return "writeGuard" + std::to_string(counter++);
}

// The reason of a joined write that failed inside a caller's body. Undoing its save
// point resets SQLite's message, so the caller would otherwise report "not an error".
thread_local std::string joinedFailure;

}  // namespace

WriteGuard::WriteGuard(FMDatabase& db) : db_(db) {
    if (db_.isInTransaction()) {
        joined_ = true;
        savePoint_ = nextSavePointName();
        began_ = db_.startSavePointWithName(savePoint_, nullptr);
    } else {
        began_ = db_.beginTransaction();
    }
    if (!began_) {
        error_ = db_.lastErrorMessage();
        failed_ = true;
        done_ = true;
    }
}

WriteGuard::~WriteGuard() {
    if (!done_) undo();
}

bool WriteGuard::check(bool statementOk) {
    if (!statementOk && !failed_) {
        failed_ = true;
        error_ = db_.lastErrorMessage();
    }
    return statementOk;
}

void WriteGuard::fail(const std::string& reason) {
    if (!failed_) {
        failed_ = true;
        error_ = reason;
    }
}

void WriteGuard::undo() {
    done_ = true;
    if (joined_) {
        if (!db_.rollbackToSavePointWithName(savePoint_, nullptr) ||
            !db_.releaseSavePointWithName(savePoint_, nullptr))
            platform::systemLog("Unable to undo a failed part of a write: " + db_.lastErrorMessage());
        return;
    }
    // SQLite may already have rolled back on its own (I/O error, full disk).
    if (db_.isInTransaction() && !db_.rollback())
        platform::systemLog("Unable to roll back a failed write: " + db_.lastErrorMessage());
}

bool WriteGuard::commit() {
    if (done_) return false;
    if (failed_) {
        undo();
        return false;
    }
    const bool stored = joined_ ? db_.releaseSavePointWithName(savePoint_, nullptr) : db_.commit();
    if (!stored) {
        failed_ = true;
        error_ = db_.lastErrorMessage();
        undo();
        return false;
    }
    done_ = true;
    return true;
}

bool runWrite(FMDatabase& db, const std::function<bool(WriteGuard&)>& body,
              const std::function<void(const std::string& reason)>& onFailure) {
    WriteGuard guard(db);
    bool stored = false;
    if (guard.began()) {
        joinedFailure.clear();
        try {
            if (!body(guard)) {
                // The body's own failing statement, else a joined write's that failed in it.
                const std::string reason = !guard.error().empty()                   ? guard.error()
                                           : db.hadError() || joinedFailure.empty() ? db.lastErrorMessage()
                                                                                    : joinedFailure;
                guard.fail(reason);
            }
        } catch (const std::exception& e) {
            guard.fail(e.what());
        }
        stored = guard.commit();
    }
    if (stored) return true;
    if (guard.joined()) joinedFailure = guard.error();
    platform::systemLog("Database write failed: " + guard.error());
    if (onFailure) onFailure(guard.error());
    return false;
}
