#include "core/sqlite/FMDatabasePool.h"

#include <algorithm>
#include <atomic>
#include <cstdio>

#include "core/sqlite/FMText.h"
#include "core/sqlite/FMWorkQueue.h"
#include "platform/SystemLog.h"

using platform::systemLog;

std::shared_ptr<FMDatabasePool> FMDatabasePool::databasePoolWithPath(const std::optional<std::string>& path) {
    return std::make_shared<FMDatabasePool>(path);
}

std::shared_ptr<FMDatabasePool> FMDatabasePool::databasePoolWithPath(const std::optional<std::string>& path,
                                                                     int flags) {
    return std::make_shared<FMDatabasePool>(path, flags);
}

std::shared_ptr<FMDatabasePool> FMDatabasePool::databasePoolWithURL(const std::string& url) {
    return std::make_shared<FMDatabasePool>(fmtext::pathFromFileURL(url));
}

std::shared_ptr<FMDatabasePool> FMDatabasePool::databasePoolWithURL(const std::string& url, int flags) {
    return std::make_shared<FMDatabasePool>(fmtext::pathFromFileURL(url), flags);
}

FMDatabasePool::FMDatabasePool() : FMDatabasePool(std::nullopt) {}

FMDatabasePool::FMDatabasePool(const std::optional<std::string>& path, int flags,
                               const std::optional<std::string>& vfs)
    : openFlags_(flags), path_(path), vfsName_(vfs) {
    lockQueue_ = std::make_unique<FMWorkQueue>("fmdb." + description());
}

FMDatabasePool::~FMDatabasePool() { delegate_ = nullptr; }

std::string FMDatabasePool::description() const {
    char text[64];
    std::snprintf(text, sizeof text, "<FMDatabasePool: %p>", static_cast<const void*>(this));
    return text;
}

std::shared_ptr<FMDatabase> FMDatabasePool::databaseClass(const std::optional<std::string>& path) const {
    return FMDatabase::databaseWithPath(path);
}

void FMDatabasePool::executeLocked(const std::function<void()>& block) {
    if (!lockQueue_->sync(block))
        systemLog("FMDatabasePool executeLocked: was called from work already holding the pool's lock; refused");
}

std::shared_ptr<FMDatabase> FMDatabasePool::db() {
    std::shared_ptr<FMDatabase> result;
    executeLocked([&] {
        std::shared_ptr<FMDatabase> db;
        bool isNew = false;
        if (!databaseInPool_.empty()) {
            db = databaseInPool_.back();
            databaseInPool_.pop_back();
            databaseOutPool_.push_back(db);
        } else {
            if (maximumNumberOfDatabasesToCreate_ > 0 &&
                databaseInPool_.size() + databaseOutPool_.size() >= maximumNumberOfDatabasesToCreate_) {
                systemLog("Maximum number of databases (" + std::to_string(maximumNumberOfDatabasesToCreate_) +
                          ") has already been reached!");
                return;
            }
            db = databaseClass(path_);
            isNew = true;
        }
        // A connection given up here must not stay counted as handed out.
        auto giveUp = [&] {
            databaseOutPool_.erase(std::remove(databaseOutPool_.begin(), databaseOutPool_.end(), db),
                                   databaseOutPool_.end());
        };
        if (!db || !db->openWithFlags(openFlags_, vfsName_)) {
            systemLog("Could not open up the database at path " + (path_ ? *path_ : std::string("(null)")));
            if (db) giveUp();
            return;
        }
        if (delegate_ && !delegate_->databasePool_shouldAddDatabaseToPool(*this, *db)) {
            db->close();
            giveUp();
            return;
        }
        if (std::find(databaseOutPool_.begin(), databaseOutPool_.end(), db) == databaseOutPool_.end()) {
            databaseOutPool_.push_back(db);
            if (isNew && delegate_) delegate_->databasePool_didAddDatabase(*this, *db);
        }
        result = db;
    });
    return result;
}

void FMDatabasePool::pushDatabaseBackInPool(const std::shared_ptr<FMDatabase>& db) {
    if (!db) return;
    executeLocked([&] {
        if (std::find(databaseInPool_.begin(), databaseInPool_.end(), db) != databaseInPool_.end()) {
            // A programming error of the caller; reported, never thrown.
            systemLog(
                "Database already in pool: The FMDatabase being put back into the pool is already present in the "
                "pool");
            return;
        }
        databaseInPool_.push_back(db);
        databaseOutPool_.erase(std::remove(databaseOutPool_.begin(), databaseOutPool_.end(), db),
                               databaseOutPool_.end());
    });
}

void FMDatabasePool::releaseAllDatabases() {
    executeLocked([&] {
        databaseOutPool_.clear();
        databaseInPool_.clear();
    });
}

size_t FMDatabasePool::countOfCheckedInDatabases() {
    size_t count = 0;
    executeLocked([&] { count = databaseInPool_.size(); });
    return count;
}

size_t FMDatabasePool::countOfCheckedOutDatabases() {
    size_t count = 0;
    executeLocked([&] { count = databaseOutPool_.size(); });
    return count;
}

size_t FMDatabasePool::countOfOpenDatabases() {
    size_t count = 0;
    executeLocked([&] { count = databaseInPool_.size() + databaseOutPool_.size(); });
    return count;
}

void FMDatabasePool::inDatabase(const std::function<void(FMDatabase& db)>& block) {
    auto db = this->db();
    if (!db) return;
    if (block) block(*db);
    pushDatabaseBackInPool(db);
}

bool FMDatabasePool::inTransaction(const TransactionBlock& block) {
    return beginTransaction(FMDBTransactionExclusive, block);
}
bool FMDatabasePool::inExclusiveTransaction(const TransactionBlock& block) {
    return beginTransaction(FMDBTransactionExclusive, block);
}
bool FMDatabasePool::inDeferredTransaction(const TransactionBlock& block) {
    return beginTransaction(FMDBTransactionDeferred, block);
}
bool FMDatabasePool::inImmediateTransaction(const TransactionBlock& block) {
    return beginTransaction(FMDBTransactionImmediate, block);
}

bool FMDatabasePool::beginTransaction(FMDBTransaction kind, const TransactionBlock& block) {
    auto db = this->db();
    if (!db) return false;
    const bool ok = fmdbRunTransaction(*db, kind, block);
    pushDatabaseBackInPool(db);
    return ok;
}

std::optional<FMError> FMDatabasePool::inSavePoint(const TransactionBlock& block) {
    static std::atomic<long> savePointIndex{0};
    const std::string name = "savePoint" + std::to_string(savePointIndex++);
    auto db = this->db();
    if (!db) return std::nullopt;
    auto lastMet = fmdbRunSavePoint(*db, name, block);
    pushDatabaseBackInPool(db);
    return lastMet;
}
