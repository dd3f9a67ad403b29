#include "core/sqlite/WriteGuard.h"

#include <atomic>
#include <exception>

#include "core/sqlite/FMDatabase.h"
#include "platform/SystemLog.h"

namespace {

// The reason a joined part failed. Undoing that part runs statements that clear
// SQLite's own message, so the write that the part belonged to finds it here.
thread_local std::string lastJoinedFailure;

std::string nextSavePointName() {
    static std::atomic<long> counter{0};
    return "writeGuard" + std::to_string(counter++);
}

}  // namespace

WriteGuard::WriteGuard(FMDatabase& db) : db_(db) {
    if (db_.isInTransaction()) {
        joined_ = true;
        savePoint_ = nextSavePointName();
        began_ = db_.startSavePointWithName(savePoint_, nullptr);
    } else {
        lastJoinedFailure.clear();
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
        if (!error_.empty()) lastJoinedFailure = error_;
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
        try {
            if (!body(guard)) {
                std::string reason = guard.error();
                if (reason.empty()) reason = db.lastErrorCode() != 0 ? db.lastErrorMessage() : lastJoinedFailure;
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
