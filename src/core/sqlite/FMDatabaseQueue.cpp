#include "core/sqlite/FMDatabaseQueue.h"

#include <cstdio>

#include "core/sqlite/FMText.h"
#include "core/sqlite/FMWorkQueue.h"
#include "platform/SystemLog.h"

using platform::systemLog;

namespace {
std::string pathText(const std::optional<std::string>& path) { return path ? *path : "(null)"; }
}  // namespace

FMDatabaseQueue::FMDatabaseQueue() = default;
FMDatabaseQueue::~FMDatabaseQueue() = default;

std::shared_ptr<FMDatabaseQueue> FMDatabaseQueue::databaseQueueWithPath(const std::optional<std::string>& path) {
    return databaseQueueWithPath(path, kFMDBDefaultOpenFlags, std::nullopt);
}

std::shared_ptr<FMDatabaseQueue> FMDatabaseQueue::databaseQueueWithPath(const std::optional<std::string>& path,
                                                                        int flags) {
    return databaseQueueWithPath(path, flags, std::nullopt);
}

std::shared_ptr<FMDatabaseQueue> FMDatabaseQueue::databaseQueueWithPath(const std::optional<std::string>& path,
                                                                        int flags,
                                                                        const std::optional<std::string>& vfs) {
    std::shared_ptr<FMDatabaseQueue> queue(new FMDatabaseQueue());
    if (!queue->initWithPath(path, flags, vfs)) return nullptr;
    return queue;
}

std::shared_ptr<FMDatabaseQueue> FMDatabaseQueue::databaseQueueWithURL(const std::string& url) {
    return databaseQueueWithURL(url, kFMDBDefaultOpenFlags, std::nullopt);
}

std::shared_ptr<FMDatabaseQueue> FMDatabaseQueue::databaseQueueWithURL(const std::string& url, int flags) {
    return databaseQueueWithURL(url, flags, std::nullopt);
}

std::shared_ptr<FMDatabaseQueue> FMDatabaseQueue::databaseQueueWithURL(const std::string& url, int flags,
                                                                       const std::optional<std::string>& vfs) {
    return databaseQueueWithPath(fmtext::pathFromFileURL(url), flags, vfs);
}

std::shared_ptr<FMDatabase> FMDatabaseQueue::databaseClass(const std::optional<std::string>& path) const {
    return FMDatabase::databaseWithPath(path);
}

bool FMDatabaseQueue::initWithURL(const std::string& url, int flags, const std::optional<std::string>& vfs) {
    return initWithPath(fmtext::pathFromFileURL(url), flags, vfs);
}

bool FMDatabaseQueue::initWithPath(const std::optional<std::string>& path, int flags,
                                   const std::optional<std::string>& vfs) {
    auto db = databaseClass(path);
    if (!db || !db->openWithFlags(flags, vfs)) {
        systemLog("Could not create database queue for path " + pathText(path));
        if (db) db->close();
        return false;
    }
    path_ = path;
    {
        std::lock_guard<std::mutex> lock(dbPointerMutex_);
        db_ = std::move(db);
    }
    queue_ = std::make_unique<FMWorkQueue>("fmdb." + description());
    openFlags_ = flags;
    vfsName_ = vfs;
    return true;
}

std::string FMDatabaseQueue::description() const {
    char text[64];
    std::snprintf(text, sizeof text, "<FMDatabaseQueue: %p>", static_cast<const void*>(this));
    return text;
}

std::shared_ptr<FMDatabase> FMDatabaseQueue::database() {
    std::lock_guard<std::mutex> lock(dbPointerMutex_);
    if (!db_ || !db_->isOpen()) {
        if (!db_) db_ = databaseClass(path_);
        if (!db_ || !db_->openWithFlags(openFlags_, vfsName_)) {
            systemLog("FMDatabaseQueue could not reopen database for path " + pathText(path_));
            db_.reset();
            return nullptr;
        }
    }
    return db_;
}

bool FMDatabaseQueue::onQueue(const char* operation, const std::function<void()>& work) {
    if (!queue_) return false;
    if (queue_->sync(work)) return true;
    systemLog(std::string("FMDatabaseQueue ") + operation +
              " was called from work already running on the same queue; refused, as it would wait for itself "
              "forever");
    return false;
}

void FMDatabaseQueue::inDatabase(const std::function<void(FMDatabase& db)>& block) {
    onQueue("inDatabase:", [&] {
        auto db = database();
        if (!db) return;
        if (block) block(*db);
        if (db->hasOpenResultSets())
            systemLog(
                "Warning: there is at least one open result set around after performing [FMDatabaseQueue "
                "inDatabase:]");
    });
}

bool FMDatabaseQueue::inTransaction(const TransactionBlock& block) {
    return beginTransaction(FMDBTransactionExclusive, block);
}
bool FMDatabaseQueue::inExclusiveTransaction(const TransactionBlock& block) {
    return beginTransaction(FMDBTransactionExclusive, block);
}
bool FMDatabaseQueue::inDeferredTransaction(const TransactionBlock& block) {
    return beginTransaction(FMDBTransactionDeferred, block);
}
bool FMDatabaseQueue::inImmediateTransaction(const TransactionBlock& block) {
    return beginTransaction(FMDBTransactionImmediate, block);
}

bool fmdbRunTransaction(FMDatabase& db, FMDBTransaction kind, const FMDatabaseQueue::TransactionBlock& block) {
    bool begun = false;
    switch (kind) {
        case FMDBTransactionDeferred:
            begun = db.beginDeferredTransaction();
            break;
        case FMDBTransactionImmediate:
            begun = db.beginImmediateTransaction();
            break;
        default:
            begun = db.beginTransaction();
            break;
    }
    // Without a transaction the block's changes could not be rolled back; do not run it.
    if (!begun) return false;
    bool shouldRollback = false;
    if (block) block(db, shouldRollback);
    return shouldRollback ? db.rollback() : db.commit();
}

std::optional<FMError> fmdbRunSavePoint(FMDatabase& db, const std::string& name,
                                        const FMDatabaseQueue::TransactionBlock& block) {
    std::optional<FMError> lastMet;
    FMError error;
    auto note = [&](bool ok) {
        if (!ok && !error.domain.empty()) lastMet = error;
        error = FMError{};
    };
    const bool started = db.startSavePointWithName(name, &error);
    note(started);
    if (!started) return lastMet;
    bool shouldRollback = false;
    if (block) block(db, shouldRollback);
    if (shouldRollback) note(db.rollbackToSavePointWithName(name, &error));
    note(db.releaseSavePointWithName(name, &error));
    return lastMet;
}

bool FMDatabaseQueue::beginTransaction(FMDBTransaction kind, const TransactionBlock& block) {
    bool ok = false;
    onQueue("inTransaction:", [&] {
        auto db = database();
        if (db) ok = fmdbRunTransaction(*db, kind, block);
    });
    return ok;
}

std::optional<FMError> FMDatabaseQueue::inSavePoint(const TransactionBlock& block) {
    static std::atomic<long> savePointIndex{0};
    std::optional<FMError> lastMet;
    onQueue("inSavePoint:", [&] {
        const std::string name = "savePoint" + std::to_string(savePointIndex++);
        auto db = database();
        if (db) lastMet = fmdbRunSavePoint(*db, name, block);
    });
    return lastMet;
}

bool FMDatabaseQueue::checkpoint(FMDBCheckpointMode mode, FMError* error) {
    return checkpoint(mode, std::nullopt, nullptr, nullptr, error);
}

bool FMDatabaseQueue::checkpoint(FMDBCheckpointMode mode, const std::optional<std::string>& name, FMError* error) {
    return checkpoint(mode, name, nullptr, nullptr, error);
}

bool FMDatabaseQueue::checkpoint(FMDBCheckpointMode mode, const std::optional<std::string>& name, int* logFrameCount,
                                 int* checkpointCount, FMError* error) {
    bool ok = false;
    onQueue("checkpoint:", [&] {
        auto db = database();
        if (db) ok = db->checkpoint(mode, name, logFrameCount, checkpointCount, error);
    });
    return ok;
}

void FMDatabaseQueue::close() {
    onQueue("close", [&] {
        std::shared_ptr<FMDatabase> db;
        {
            std::lock_guard<std::mutex> lock(dbPointerMutex_);
            db = std::move(db_);
            db_.reset();
        }
        if (db) db->close();
    });
}

void FMDatabaseQueue::interrupt() {
    std::shared_ptr<FMDatabase> db;
    {
        std::lock_guard<std::mutex> lock(dbPointerMutex_);
        db = db_;
    }
    if (db) db->interrupt();
}
