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

    // The cache a job's one-pass write (completion marks over the whole file, say) may
    // use: every dirty page that leaves the cache before the commit first costs a sync of
    // the journal, so a cache as small as kFloorKiB makes such a write sync over and over.
    static constexpr int64_t kWriteKiB = 16 * 1024;

    explicit OnePassCache(FMDatabase& db, int64_t floorKiB = kFloorKiB);
    ~OnePassCache();

    // From now on until the job ends, the cache may hold up to kib, never more than the
    // connection's own setting. Nothing changes when this object did not make it smaller.
    void widenForWrites(int64_t kib = kWriteKiB);
    OnePassCache(const OnePassCache&) = delete;
    OnePassCache& operator=(const OnePassCache&) = delete;

private:
    FMDatabase& db_;
    std::optional<int64_t> previous_;   // the cache_size value to put back
    int64_t heldKiB_ = 0;                // the size this object set, in KiB
    int64_t limitKiB_ = 0;               // the connection's own size, in KiB
};
