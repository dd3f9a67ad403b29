#pragma once

// A job that reads a large part of a company file once (an e-file, an export, a
// roll-over) gains nothing from keeping every page it read: the pages are not read
// again, and a 64 MiB cache filled in one pass stays allocated until the file closes.
// While an OnePassCache lives, the connection's page cache keeps at most what it holds
// already (or a small floor when it holds less), so the job's pages replace one
// another instead of growing the cache. The former size comes back when it ends.

#include <cstdint>
#include <optional>

class FMDatabase;

class OnePassCache {
public:
    // The cache a one-pass job may use when the connection holds less: SQLite's own
    // default size.
    static constexpr int64_t kFloorKiB = 2 * 1024;

    explicit OnePassCache(FMDatabase& db, int64_t floorKiB = kFloorKiB);
    ~OnePassCache();
    OnePassCache(const OnePassCache&) = delete;
    OnePassCache& operator=(const OnePassCache&) = delete;

private:
    FMDatabase& db_;
    std::optional<int64_t> previous_;   // the cache_size value to put back
};
