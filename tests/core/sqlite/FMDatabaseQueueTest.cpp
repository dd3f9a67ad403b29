#include <gtest/gtest.h>

#include <thread>

#include "LogCapture.h"
#include "TempHome.h"
#include "core/sqlite/FMDatabaseQueue.h"
#include "core/sqlite/FMResultSet.h"

TEST(FMDatabaseQueue, TwoThreadsShareOneConnection) {
    TempHome home;
    auto queue = FMDatabaseQueue::databaseQueueWithPath(home.file("q.db"));
    ASSERT_TRUE(queue);
    queue->inDatabase([](FMDatabase& db) {
        ASSERT_TRUE(db.executeStatements("pragma synchronous = off; create table t (thread, n);"));
    });

    // Each thread reads the last row id right after its own insert; with overlapping work
    // on the one connection it would see the other thread's rows.
    auto work = [&](int thread, int& mismatches) {
        for (int n = 0; n < 200; ++n) {
            queue->inDatabase([&](FMDatabase& db) {
                EXPECT_TRUE(db.executeUpdate("insert into t values (?, ?)", thread, n));
                if (db.intForQuery("select thread from t where rowid = ?", db.lastInsertRowId()) != thread)
                    ++mismatches;
            });
        }
        queue->inTransaction([&](FMDatabase& db, bool&) {
            for (int n = 200; n < 300; ++n) EXPECT_TRUE(db.executeUpdate("insert into t values (?, ?)", thread, n));
        });
    };
    int mismatchesA = 0, mismatchesB = 0;
    std::thread a(work, 1, std::ref(mismatchesA));
    std::thread b(work, 2, std::ref(mismatchesB));
    a.join();
    b.join();
    EXPECT_EQ(mismatchesA + mismatchesB, 0);
    queue->inDatabase([](FMDatabase& db) {
        EXPECT_EQ(db.intForQuery("select count(*) from t where thread = 1"), 300);
        EXPECT_EQ(db.intForQuery("select count(*) from t where thread = 2"), 300);
    });
}

TEST(FMDatabaseQueue, TransactionsAndSavePoints) {
    auto queue = FMDatabaseQueue::databaseQueueWithPath(std::nullopt);
    ASSERT_TRUE(queue);
    queue->inDatabase([](FMDatabase& db) { EXPECT_TRUE(db.executeUpdate("create table t (a)")); });
    struct Case {
        bool (FMDatabaseQueue::*run)(const FMDatabaseQueue::TransactionBlock&);
        bool rollback;
        int rowsAfter;
    };
    const Case cases[] = {
        {&FMDatabaseQueue::inTransaction, true, 0},          {&FMDatabaseQueue::inTransaction, false, 1},
        {&FMDatabaseQueue::inExclusiveTransaction, false, 2}, {&FMDatabaseQueue::inDeferredTransaction, false, 3},
        {&FMDatabaseQueue::inImmediateTransaction, true, 3},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE((queue.get()->*c.run)([&](FMDatabase& db, bool& rollback) {
            EXPECT_TRUE(db.isInTransaction());
            EXPECT_TRUE(db.executeUpdate("insert into t values (1)"));
            rollback = c.rollback;
        }));
        int rows = -1;
        queue->inDatabase([&](FMDatabase& db) { rows = db.intForQuery("select count(*) from t"); });
        EXPECT_EQ(rows, c.rowsAfter);
    }

    auto error = queue->inSavePoint([](FMDatabase& db, bool& rollback) {
        EXPECT_TRUE(db.executeUpdate("insert into t values (2)"));
        rollback = true;
    });
    EXPECT_FALSE(error);
    int rows = -1;
    queue->inDatabase([&](FMDatabase& db) { rows = db.intForQuery("select count(*) from t"); });
    EXPECT_EQ(rows, 3);
}

TEST(FMDatabaseQueue, NestedUseIsRefusedAndLeftoversWarned) {
    auto queue = FMDatabaseQueue::databaseQueueWithPath(std::nullopt);
    ASSERT_TRUE(queue);
    LogCapture log;
    bool innerRan = false;
    std::shared_ptr<FMResultSet> kept;
    queue->inDatabase([&](FMDatabase& db) {
        queue->inDatabase([&](FMDatabase&) { innerRan = true; });
        kept = db.executeQuery("select 1");
    });
    EXPECT_FALSE(innerRan);
    EXPECT_TRUE(log.containsPrefix("FMDatabaseQueue inDatabase: was called from work already running"));
    EXPECT_TRUE(log.contains(
        "Warning: there is at least one open result set around after performing [FMDatabaseQueue inDatabase:]"));
}

TEST(FMDatabaseQueue, OpenFailureAndReopenAfterClose) {
    TempHome home;
    LogCapture log;
    EXPECT_EQ(FMDatabaseQueue::databaseQueueWithPath(home.file("missing/q.db")), nullptr);
    EXPECT_TRUE(log.contains("Could not create database queue for path " + home.file("missing/q.db")));

    auto queue = FMDatabaseQueue::databaseQueueWithURL("file://" + home.file("q.db"));
    ASSERT_TRUE(queue);
    EXPECT_EQ(queue->path(), home.file("q.db"));
    EXPECT_EQ(queue->openFlags(), 6);
    queue->inDatabase([](FMDatabase& db) { EXPECT_TRUE(db.executeUpdate("create table t (a)")); });
    queue->close();
    bool reopened = false;
    queue->inDatabase([&](FMDatabase& db) { reopened = db.tableExists("t"); });
    EXPECT_TRUE(reopened);

    // Read-only flags: the table can be read but not written.
    auto readOnly = FMDatabaseQueue::databaseQueueWithPath(home.file("q.db"), 1);
    ASSERT_TRUE(readOnly);
    bool wrote = true;
    readOnly->inDatabase([&](FMDatabase& db) { wrote = db.executeUpdate("insert into t values (1)"); });
    EXPECT_FALSE(wrote);
}

TEST(FMDatabaseQueue, BlockNotRunWhenTheTransactionCannotBegin) {
    TempHome home;
    auto queue = FMDatabaseQueue::databaseQueueWithPath(home.file("q.db"));
    ASSERT_TRUE(queue);
    queue->inDatabase([](FMDatabase& db) {
        EXPECT_TRUE(db.executeUpdate("create table t (a)"));
        db.setMaxBusyRetryTimeInterval(0);
    });
    auto other = FMDatabase::databaseWithPath(home.file("q.db"));
    ASSERT_TRUE(other->open() && other->beginTransaction());

    LogCapture log;
    bool ran = false;
    EXPECT_FALSE(queue->inTransaction([&](FMDatabase&, bool&) { ran = true; }));
    EXPECT_FALSE(ran);
    ASSERT_TRUE(other->commit());
    EXPECT_TRUE(queue->inTransaction([&](FMDatabase& db, bool&) { ran = db.executeUpdate("insert into t values (1)"); }));
    EXPECT_TRUE(ran);
}
