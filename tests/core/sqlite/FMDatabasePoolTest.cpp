#include <gtest/gtest.h>

#include <atomic>
#include <barrier>
#include <thread>

#include "LogCapture.h"
#include "TempHome.h"
#include "core/sqlite/FMDatabasePool.h"
#include "core/sqlite/FMResultSet.h"

TEST(FMDatabasePool, TwoThreadsGetTwoConnections) {
    TempHome home;
    auto pool = FMDatabasePool::databasePoolWithPath(home.file("p.db"));
    EXPECT_EQ(pool->countOfOpenDatabases(), 0u);
    pool->inDatabase([](FMDatabase& db) {
        ASSERT_TRUE(db.executeStatements("pragma journal_mode = wal; create table t (thread, n);"));
    });
    EXPECT_EQ(pool->countOfCheckedInDatabases(), 1u);

    // Both threads hold a connection at the same moment, so the pool must make a second one.
    std::barrier bothInside(2);
    std::atomic<size_t> checkedOutTogether{0};
    std::atomic<FMDatabase*> seen[2] = {nullptr, nullptr};
    auto work = [&](int thread) {
        pool->inDatabase([&](FMDatabase& db) {
            EXPECT_TRUE(db.executeStatements("pragma synchronous = off"));
            seen[thread] = &db;
            bothInside.arrive_and_wait();
            checkedOutTogether = pool->countOfCheckedOutDatabases();
            bothInside.arrive_and_wait();
        });
        for (int n = 0; n < 100; ++n)
            pool->inDatabase([&](FMDatabase& db) { EXPECT_TRUE(db.executeUpdate("insert into t values (?, ?)", thread, n)); });
        pool->inTransaction([&](FMDatabase& db, bool&) {
            for (int n = 100; n < 150; ++n) EXPECT_TRUE(db.executeUpdate("insert into t values (?, ?)", thread, n));
        });
    };
    std::thread a(work, 0);
    std::thread b(work, 1);
    a.join();
    b.join();
    EXPECT_EQ(checkedOutTogether.load(), 2u);
    EXPECT_NE(seen[0].load(), seen[1].load());
    EXPECT_EQ(pool->countOfOpenDatabases(), 2u);
    EXPECT_EQ(pool->countOfCheckedOutDatabases(), 0u);
    int total = 0;
    pool->inDatabase([&](FMDatabase& db) { total = db.intForQuery("select count(*) from t"); });
    EXPECT_EQ(total, 300);
    pool->releaseAllDatabases();
    EXPECT_EQ(pool->countOfOpenDatabases(), 0u);
}

TEST(FMDatabasePool, MaximumAndDelegate) {
    TempHome home;
    auto pool = FMDatabasePool::databasePoolWithPath(home.file("p.db"));
    pool->setMaximumNumberOfDatabasesToCreate(1);
    LogCapture log;
    bool innerRan = false;
    pool->inDatabase([&](FMDatabase&) { pool->inDatabase([&](FMDatabase&) { innerRan = true; }); });
    EXPECT_FALSE(innerRan);
    EXPECT_TRUE(log.contains("Maximum number of databases (1) has already been reached!"));
    EXPECT_EQ(pool->countOfOpenDatabases(), 1u);

    struct Delegate : FMDatabasePoolDelegate {
        bool allow = false;
        int added = 0;
        bool databasePool_shouldAddDatabaseToPool(FMDatabasePool&, FMDatabase&) override { return allow; }
        void databasePool_didAddDatabase(FMDatabasePool&, FMDatabase&) override { ++added; }
    } delegate;
    pool->releaseAllDatabases();
    pool->setMaximumNumberOfDatabasesToCreate(0);
    pool->setDelegate(&delegate);
    bool ran = false;
    pool->inDatabase([&](FMDatabase&) { ran = true; });
    EXPECT_FALSE(ran);
    EXPECT_EQ(pool->countOfOpenDatabases(), 0u);
    delegate.allow = true;
    pool->inDatabase([&](FMDatabase&) { ran = true; });
    pool->inDatabase([&](FMDatabase&) {});
    EXPECT_TRUE(ran);
    EXPECT_EQ(delegate.added, 1);
}

TEST(FMDatabasePool, PushBackTwiceAndSavePoint) {
    TempHome home;
    auto pool = FMDatabasePool::databasePoolWithPath(home.file("p.db"));
    std::shared_ptr<FMDatabase> db;
    pool->inDatabase([&](FMDatabase& d) {
        EXPECT_TRUE(d.executeUpdate("create table t (a)"));
        db = d.shared_from_this();
    });
    LogCapture log;
    pool->pushDatabaseBackInPool(db);
    EXPECT_TRUE(log.containsPrefix("Database already in pool"));
    EXPECT_EQ(pool->countOfCheckedInDatabases(), 1u);

    auto error = pool->inSavePoint([](FMDatabase& d, bool& rollback) {
        EXPECT_TRUE(d.executeUpdate("insert into t values (1)"));
        rollback = true;
    });
    EXPECT_FALSE(error);
    EXPECT_EQ(db->intForQuery("select count(*) from t"), 0);
    EXPECT_EQ(pool->countOfCheckedOutDatabases(), 0u);

    LogCapture failures;
    auto broken = FMDatabasePool::databasePoolWithPath(home.file("missing/p.db"));
    bool ran = false;
    broken->inDatabase([&](FMDatabase&) { ran = true; });
    EXPECT_FALSE(ran);
    EXPECT_TRUE(failures.contains("Could not open up the database at path " + home.file("missing/p.db")));
    EXPECT_EQ(broken->countOfOpenDatabases(), 0u);
}
