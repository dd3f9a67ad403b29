#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMError.h"

class FMWorkQueue;

// How a transaction begins: exclusive, deferred or immediate.
enum FMDBTransaction : int {
    FMDBTransactionExclusive = 0,
    FMDBTransactionDeferred = 1,
    FMDBTransactionImmediate = 2,
};

// The engine's read-write and create open flags, the default of the queue and the pool.
inline constexpr int kFMDBDefaultOpenFlags = 6;

// One connection shared between threads: every piece of work runs on one serial work
// queue, so callers on any thread never overlap.
class FMDatabaseQueue {
public:
    // Each gives null when the connection cannot be opened.
    static std::shared_ptr<FMDatabaseQueue> databaseQueueWithPath(const std::optional<std::string>& path);
    static std::shared_ptr<FMDatabaseQueue> databaseQueueWithPath(const std::optional<std::string>& path, int flags);
    static std::shared_ptr<FMDatabaseQueue> databaseQueueWithPath(const std::optional<std::string>& path, int flags,
                                                                  const std::optional<std::string>& vfs);
    static std::shared_ptr<FMDatabaseQueue> databaseQueueWithURL(const std::string& url);
    static std::shared_ptr<FMDatabaseQueue> databaseQueueWithURL(const std::string& url, int flags);
    static std::shared_ptr<FMDatabaseQueue> databaseQueueWithURL(const std::string& url, int flags,
                                                                 const std::optional<std::string>& vfs);
    virtual ~FMDatabaseQueue();
    FMDatabaseQueue(const FMDatabaseQueue&) = delete;
    FMDatabaseQueue& operator=(const FMDatabaseQueue&) = delete;

    // The connection class the queue makes; a subclass may make another.
    virtual std::shared_ptr<FMDatabase> databaseClass(const std::optional<std::string>& path) const;

    void inDatabase(const std::function<void(FMDatabase& db)>& block);

    using TransactionBlock = std::function<void(FMDatabase& db, bool& rollback)>;
    // False when the transaction could not begin (the block is then not run), or when its
    // commit (or the rollback the block asked for) failed.
    bool inTransaction(const TransactionBlock& block);
    bool inExclusiveTransaction(const TransactionBlock& block);
    bool inDeferredTransaction(const TransactionBlock& block);
    bool inImmediateTransaction(const TransactionBlock& block);
    bool beginTransaction(FMDBTransaction kind, const TransactionBlock& block);
    std::optional<FMError> inSavePoint(const TransactionBlock& block);

    bool checkpoint(FMDBCheckpointMode mode, FMError* error);
    bool checkpoint(FMDBCheckpointMode mode, const std::optional<std::string>& name, FMError* error);
    bool checkpoint(FMDBCheckpointMode mode, const std::optional<std::string>& name, int* logFrameCount,
                    int* checkpointCount, FMError* error);

    void close();
    void interrupt();

    const std::optional<std::string>& path() const { return path_; }
    void setPath(const std::optional<std::string>& path) { path_ = path; }
    int openFlags() const { return openFlags_; }
    const std::optional<std::string>& vfsName() const { return vfsName_; }
    void setVfsName(const std::optional<std::string>& name) { vfsName_ = name; }
    std::string description() const;

protected:
    FMDatabaseQueue();
    // Makes and opens the connection; false (with a log line) when it cannot be opened.
    bool initWithPath(const std::optional<std::string>& path, int flags, const std::optional<std::string>& vfs);
    bool initWithURL(const std::string& url, int flags, const std::optional<std::string>& vfs);
    // The connection, made and opened again when it was closed; null when that fails.
    std::shared_ptr<FMDatabase> database();

private:
    bool onQueue(const char* operation, const std::function<void()>& work);

    std::unique_ptr<FMWorkQueue> queue_;
    std::shared_ptr<FMDatabase> db_;
    mutable std::mutex dbPointerMutex_;  // guards db_ for interrupt(), which runs beside the queue
    int openFlags_ = kFMDBDefaultOpenFlags;
    std::optional<std::string> path_;
    std::optional<std::string> vfsName_;
};

// Begins a transaction of the kind, runs the block, then commits or rolls back as the block
// asks. The block is not run when the transaction cannot begin, since its changes could
// then not be rolled back. Shared by the queue and the pool.
bool fmdbRunTransaction(FMDatabase& db, FMDBTransaction kind, const FMDatabaseQueue::TransactionBlock& block);

// Starts the named save point, runs the block, rolls back to the save point when the block
// asks, then releases it. The block is not run when the save point cannot start. Returns
// the last error met, if any. Shared by the queue and the pool.
std::optional<FMError> fmdbRunSavePoint(FMDatabase& db, const std::string& name,
                                        const FMDatabaseQueue::TransactionBlock& block);
