#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMDatabaseQueue.h"
#include "core/sqlite/FMError.h"

class FMDatabasePool;
class FMWorkQueue;

// May veto a new connection before it joins the pool and hears when one was added.
class FMDatabasePoolDelegate {
public:
    virtual ~FMDatabasePoolDelegate() = default;
    virtual bool databasePool_shouldAddDatabaseToPool(FMDatabasePool&, FMDatabase&) { return true; }
    virtual void databasePool_didAddDatabase(FMDatabasePool&, FMDatabase&) {}
};

// Hands out connections to one file, one caller per connection at a time; grows on
// demand up to an optional maximum. Only its two lists are guarded by its lock.
class FMDatabasePool {
public:
    static std::shared_ptr<FMDatabasePool> databasePoolWithPath(const std::optional<std::string>& path);
    static std::shared_ptr<FMDatabasePool> databasePoolWithPath(const std::optional<std::string>& path, int flags);
    static std::shared_ptr<FMDatabasePool> databasePoolWithURL(const std::string& url);
    static std::shared_ptr<FMDatabasePool> databasePoolWithURL(const std::string& url, int flags);

    FMDatabasePool();
    explicit FMDatabasePool(const std::optional<std::string>& path, int flags = kFMDBDefaultOpenFlags,
                            const std::optional<std::string>& vfs = std::nullopt);
    virtual ~FMDatabasePool();
    FMDatabasePool(const FMDatabasePool&) = delete;
    FMDatabasePool& operator=(const FMDatabasePool&) = delete;

    // The connection class the pool makes; a subclass may make another.
    virtual std::shared_ptr<FMDatabase> databaseClass(const std::optional<std::string>& path) const;

    void inDatabase(const std::function<void(FMDatabase& db)>& block);
    using TransactionBlock = FMDatabaseQueue::TransactionBlock;
    bool inTransaction(const TransactionBlock& block);
    bool inExclusiveTransaction(const TransactionBlock& block);
    bool inDeferredTransaction(const TransactionBlock& block);
    bool inImmediateTransaction(const TransactionBlock& block);
    bool beginTransaction(FMDBTransaction kind, const TransactionBlock& block);
    std::optional<FMError> inSavePoint(const TransactionBlock& block);

    void pushDatabaseBackInPool(const std::shared_ptr<FMDatabase>& db);
    void releaseAllDatabases();
    void executeLocked(const std::function<void()>& block);

    size_t countOfCheckedInDatabases();
    size_t countOfCheckedOutDatabases();
    size_t countOfOpenDatabases();

    const std::optional<std::string>& path() const { return path_; }
    void setPath(const std::optional<std::string>& path) { path_ = path; }
    FMDatabasePoolDelegate* delegate() const { return delegate_; }
    void setDelegate(FMDatabasePoolDelegate* delegate) { delegate_ = delegate; }
    uint64_t maximumNumberOfDatabasesToCreate() const { return maximumNumberOfDatabasesToCreate_; }
    void setMaximumNumberOfDatabasesToCreate(uint64_t maximum) { maximumNumberOfDatabasesToCreate_ = maximum; }
    const std::optional<std::string>& vfsName() const { return vfsName_; }
    void setVfsName(const std::optional<std::string>& name) { vfsName_ = name; }
    int openFlags() const { return openFlags_; }
    std::string description() const;

protected:
    // A connection taken from the pool (or newly made); null when none can be had.
    std::shared_ptr<FMDatabase> db();

private:
    std::unique_ptr<FMWorkQueue> lockQueue_;
    std::vector<std::shared_ptr<FMDatabase>> databaseInPool_;
    std::vector<std::shared_ptr<FMDatabase>> databaseOutPool_;
    int openFlags_ = kFMDBDefaultOpenFlags;
    std::optional<std::string> path_;
    FMDatabasePoolDelegate* delegate_ = nullptr;
    uint64_t maximumNumberOfDatabasesToCreate_ = 0;  // 0: no limit
    std::optional<std::string> vfsName_;
};
