// A one-pass job's page cache: held at what the connection caches already (or a small
// floor), and given back its size when the job ends, so the main window's lists keep
// their cache.

#include <sqlite3.h>

#include "CompanyDbTestSupport.h"
#include "core/store/OnePassCache.h"

namespace {

int64_t cachedKiB(FMDatabase& db) {
    int current = 0, highest = 0;
    EXPECT_EQ(sqlite3_db_status(db.sqliteHandle(), SQLITE_DBSTATUS_CACHE_USED, &current, &highest, 0), SQLITE_OK);
    return current / 1024;
}

}  // namespace

class OnePassCacheTest : public CompanyDbTest {
protected:
    static int64_t cacheSize(FMDatabase& db) { return std::stoll(text(db, "pragma cache_size;")); }
};

TEST_F(OnePassCacheTest, HoldsTheCacheAtWhatItHoldsAndGivesItsSizeBack) {
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));
    FMDatabase& db = *cdb.db;
    const int64_t usual = cacheSize(db);
    ASSERT_LT(usual, -OnePassCache::kFloorKiB);   // a larger cache than the floor, in KiB

    // A connection that holds little is held at the floor.
    {
        OnePassCache cache(db);
        EXPECT_EQ(cacheSize(db), -OnePassCache::kFloorKiB);
        // A write of the job may widen it, never past the connection's own size.
        cache.widenForWrites(OnePassCache::kFloorKiB * 2);
        EXPECT_EQ(cacheSize(db), -OnePassCache::kFloorKiB * 2);
        cache.widenForWrites(-usual * 2);
        EXPECT_EQ(cacheSize(db), usual);
    }
    EXPECT_EQ(cacheSize(db), usual);

    // One that holds more than the floor keeps what it holds, and grows no further.
    ASSERT_TRUE(db.executeStatements("create table filler (t text); "
                                     "with recursive n(i) as (select 1 union all select i + 1 from n where i < 3000) "
                                     "insert into filler select printf('%.2000c', 'x') from n;"));
    const int64_t held = cachedKiB(db);
    ASSERT_GT(held, OnePassCache::kFloorKiB);
    {
        const OnePassCache cache(db, OnePassCache::kFloorKiB);
        EXPECT_EQ(cacheSize(db), -held);
        EXPECT_EQ(text(db, "select count(*) from filler where length(t) = 2000;"), "3000");
        EXPECT_LE(cachedKiB(db), held + 64);
    }
    EXPECT_EQ(cacheSize(db), usual);
    cdb.Close();
}
