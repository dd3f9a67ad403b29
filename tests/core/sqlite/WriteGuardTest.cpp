// The write guard: what it stores, what it undoes and which reason it reports, on a
// sound disk and on one that fails (full, I/O error).

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "FailingDisk.h"
#include "LogCapture.h"
#include "TempHome.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/WriteGuard.h"

namespace {

struct DiskFault {
    int code;
    const char* name;
    const char* message;
};
void PrintTo(const DiskFault& f, std::ostream* os) { *os << f.name; }

class WriteGuardOnAFailingDisk : public ::testing::TestWithParam<DiskFault> {
protected:
    void SetUp() override {
        db = FMDatabase::databaseWithPath(home.file("guard.db"));
        ASSERT_TRUE(db->open());
        ASSERT_TRUE(db->executeStatements("create table t (k INT PRIMARY KEY, v TEXT);"
                                          "insert into t values (0, 'kept');"));
    }
    void TearDown() override { db->close(); }

    bool insert(int key) {
        return db->executeUpdate("insert into t values (?, ?);", key, std::string(3000, 'x'));
    }
    int rows() {
        disk.disarm();
        return db->intForQuery("select count(*) from t;");
    }

    LogCapture log;
    FailingDisk disk;   // before the connection, which then goes through it
    TempHome home;
    std::shared_ptr<FMDatabase> db;
};

TEST_P(WriteGuardOnAFailingDisk, AJoinedWriteReportsTheFirstFailureNotTheFailedUndo) {
    std::string reported;
    const bool stored = runWrite(
        *db,
        [&](WriteGuard& outer) {
            disk.failAfter(0, GetParam().code);
            // A part that fails, as the entry windows' rows or the print marks do.
            outer.check(runWrite(*db, [&](WriteGuard& part) { return part.check(insert(1)); }, nullptr));
            return outer.ok();
        },
        [&](const std::string& reason) { reported = reason; });
    EXPECT_FALSE(stored);
    EXPECT_EQ(reported, GetParam().message);
    EXPECT_EQ(rows(), 1);

    // A body that only returns false finds the same reason.
    reported.clear();
    EXPECT_FALSE(runWrite(
        *db,
        [&](WriteGuard&) {
            disk.failAfter(0, GetParam().code);
            return runWrite(*db, [&](WriteGuard& part) { return part.check(insert(2)); }, nullptr);
        },
        [&](const std::string& reason) { reported = reason; }));
    EXPECT_EQ(reported, GetParam().message);
    EXPECT_EQ(rows(), 1);
}

TEST_P(WriteGuardOnAFailingDisk, NothingRunsOnItsOwnAfterTheTransactionIsGone) {
    std::string reported;
    bool ended = false;
    bool laterPartStored = true;
    EXPECT_FALSE(runWrite(
        *db,
        [&](WriteGuard& outer) {
            EXPECT_TRUE(outer.check(insert(1)));
            disk.failAfter(0, GetParam().code);
            const bool partStored = runWrite(*db, [&](WriteGuard& part) { return part.check(insert(2)); }, nullptr);
            ended = !db->isInTransaction();
            // The disk has room again, but the write these parts belong to has failed:
            // when SQLite ended its transaction, a later part must not be saved apart.
            disk.disarm();
            laterPartStored = runWrite(*db, [&](WriteGuard& part) { return part.check(insert(3)); }, nullptr);
            return partStored && outer.ok();
        },
        [&](const std::string& reason) { reported = reason; }));
    if (ended) {
        EXPECT_FALSE(laterPartStored);
    }
    EXPECT_EQ(reported, GetParam().message);
    EXPECT_EQ(rows(), 1);
    EXPECT_FALSE(db->isInTransaction());
    // The connection writes again afterwards.
    EXPECT_TRUE(runWrite(*db, [&](WriteGuard& g) { return g.check(insert(5)); }, nullptr));
    EXPECT_EQ(rows(), 2);
}

INSTANTIATE_TEST_SUITE_P(Faults, WriteGuardOnAFailingDisk,
                         ::testing::Values(DiskFault{SQLITE_FULL, "FullDisk", "database or disk is full"},
                                           DiskFault{SQLITE_IOERR_WRITE, "IOError", "disk I/O error"}),
                         [](const ::testing::TestParamInfo<DiskFault>& fault) { return fault.param.name; });

// ---------------------------------------------------------------------------
// Begin, join, undo and commit

struct GuardCase {
    const char* name;
    // Runs against a table t holding the row (0, 'kept'); returns whether the write
    // was stored and sets the reason it reports when not.
    std::function<bool(FMDatabase& db, std::string& reason)> write;
    bool stored;
    const char* reason;   // the reason reported when not stored
    const char* rows;     // the keys of t afterwards
};
void PrintTo(const GuardCase& c, std::ostream* os) { *os << c.name; }

bool insertRow(FMDatabase& db, int key) { return db.executeUpdate("insert into t values (?, 'new');", key); }

const std::vector<GuardCase> kGuardCases = {
    {"BeginsAndCommitsItsOwnTransaction",
     [](FMDatabase& db, std::string& reason) {
         WriteGuard g(db);
         EXPECT_TRUE(g.began());
         EXPECT_FALSE(g.joined());
         EXPECT_TRUE(db.isInTransaction());
         g.check(insertRow(db, 1));
         g.check(insertRow(db, 2));
         const bool stored = g.commit();
         reason = g.error();
         return stored;
     },
     true, "", "0,1,2"},
    {"AWriteInsideAnotherJoinsItAndTheOuterCommitDecides",
     [](FMDatabase& db, std::string& reason) {
         WriteGuard outer(db);
         outer.check(insertRow(db, 1));
         {
             WriteGuard part(db);
             EXPECT_TRUE(part.joined());
             part.check(insertRow(db, 2));
             EXPECT_TRUE(outer.check(part.commit()));
         }
         EXPECT_TRUE(db.isInTransaction());   // the part's commit ends nothing
         // The outer write leaves early: the joined part goes with it.
         reason = "left early";
         return false;
     },
     false, "left early", "0"},
    {"AJoinedWriteCommitsWithTheOuterOne",
     [](FMDatabase& db, std::string& reason) {
         return runWrite(
             db,
             [&](WriteGuard& outer) {
                 outer.check(insertRow(db, 1));
                 return outer.check(runWrite(db, [&](WriteGuard& part) { return part.check(insertRow(db, 2)); },
                                             nullptr));
             },
             [&](const std::string& r) { reason = r; });
     },
     true, "", "0,1,2"},
    {"AFailureInsideAJoinedWriteKeepsItsReasonAndFailsTheOuterWrite",
     [](FMDatabase& db, std::string& reason) {
         std::string partReason;
         return runWrite(
             db,
             [&](WriteGuard& outer) {
                 outer.check(insertRow(db, 1));
                 const bool partStored = runWrite(
                     db,
                     [&](WriteGuard& part) {
                         part.check(insertRow(db, 2));
                         return part.check(insertRow(db, 0));   // the key is taken
                     },
                     [&](const std::string& r) { partReason = r; });
                 EXPECT_EQ(partReason, "UNIQUE constraint failed: t.k");
                 // Only the part was undone; the outer write is still under way.
                 EXPECT_TRUE(db.isInTransaction());
                 EXPECT_EQ(db.intForQuery("select count(*) from t where k = 1;"), 1);
                 EXPECT_EQ(db.intForQuery("select count(*) from t where k = 2;"), 0);
                 return outer.check(partStored);
             },
             [&](const std::string& r) { reason = r; });
     },
     false, "UNIQUE constraint failed: t.k", "0"},
    {"LeavingWithoutCommitRollsBack",
     [](FMDatabase& db, std::string& reason) {
         {
             WriteGuard g(db);
             g.check(insertRow(db, 1));
             reason = "returned early";
         }
         return false;
     },
     false, "returned early", "0"},
    {"AnExceptionInTheBodyRollsBackWithItsMessage",
     [](FMDatabase& db, std::string& reason) {
         return runWrite(
             db,
             [&](WriteGuard& g) -> bool {
                 g.check(insertRow(db, 1));
                 throw std::runtime_error("the body gave up");
             },
             [&](const std::string& r) { reason = r; });
     },
     false, "the body gave up", "0"},
    {"AFailedCommitRollsBackAndReportsWhy",
     [](FMDatabase& db, std::string& reason) {
         // A child row whose parent is missing is refused only when the write commits.
         return runWrite(
             db,
             [&](WriteGuard& g) {
                 g.check(insertRow(db, 1));
                 return g.check(db.executeUpdate("insert into child values (99);"));
             },
             [&](const std::string& r) { reason = r; });
     },
     false, "FOREIGN KEY constraint failed", "0"},
    {"ABeginThatCannotRunWritesNothing",
     [](FMDatabase& db, std::string& reason) {
         // Another connection holds a read lock, so the exclusive begin is refused.
         auto reader = FMDatabase::databaseWithPath(*db.databasePath());
         EXPECT_TRUE(reader->open());
         EXPECT_TRUE(reader->beginDeferredTransaction());
         EXPECT_EQ(reader->intForQuery("select count(*) from t;"), 1);
         db.setMaxBusyRetryTimeInterval(0);   // refused at once rather than after waiting
         const bool stored = runWrite(db, [&](WriteGuard& g) { return g.check(insertRow(db, 1)); },
                                      [&](const std::string& r) { reason = r; });
         EXPECT_TRUE(reader->rollback());
         reader->close();
         return stored;
     },
     false, "database is locked", "0"},
};

class WriteGuardCases : public ::testing::TestWithParam<GuardCase> {
protected:
    void SetUp() override {
        db = FMDatabase::databaseWithPath(home.file("guard.db"));
        ASSERT_TRUE(db->open());
        ASSERT_TRUE(db->executeStatements(
            "pragma foreign_keys = on;"
            "create table t (k INT PRIMARY KEY, v TEXT);"
            "create table child (parent INT REFERENCES t(k) DEFERRABLE INITIALLY DEFERRED);"
            "insert into t values (0, 'kept');"));
    }
    void TearDown() override { db->close(); }

    LogCapture log;
    TempHome home;
    std::shared_ptr<FMDatabase> db;
};

TEST_P(WriteGuardCases, StoresAllOrNothingAndKeepsTheReason) {
    const GuardCase& c = GetParam();
    std::string reason;
    EXPECT_EQ(c.write(*db, reason), c.stored);
    EXPECT_EQ(reason, c.reason);
    EXPECT_FALSE(db->isInTransaction());
    EXPECT_EQ(db->stringForQuery("select group_concat(k, ',') from (select k from t order by k);").value_or(""),
              c.rows);
    EXPECT_EQ(db->intForQuery("select count(*) from child;"), 0);
    // The connection writes again afterwards.
    EXPECT_TRUE(runWrite(*db, [&](WriteGuard& g) { return g.check(insertRow(*db, 7)); }, nullptr));
}

INSTANTIATE_TEST_SUITE_P(Writes, WriteGuardCases, ::testing::ValuesIn(kGuardCases),
                         [](const ::testing::TestParamInfo<GuardCase>& c) { return std::string(c.param.name); });

TEST(WriteGuardWatch, NotesTheFirstFailureItDoesNotPassOverAndStopsFurtherWrites) {
    LogCapture log;
    TempHome home;
    auto db = FMDatabase::databaseWithPath(home.file("watch.db"));
    ASSERT_TRUE(db->open());
    ASSERT_TRUE(db->executeUpdate("create table t (k INT PRIMARY KEY);"));
    WriteGuard::FailureWatch watch(*db, [](int code, const std::string&) { return code == SQLITE_CONSTRAINT; });
    ASSERT_TRUE(db->executeUpdate("insert into t values (1);"));
    // A key that is taken is passed over; a missing table is not.
    EXPECT_FALSE(runWrite(*db, [&](WriteGuard& g) { return g.check(db->executeUpdate("insert into t values (1);")); },
                          nullptr));
    EXPECT_FALSE(watch.failed());
    EXPECT_FALSE(runWrite(*db, [&](WriteGuard& g) { return g.check(db->executeUpdate("insert into u values (1);")); },
                          nullptr));
    ASSERT_TRUE(watch.failed());
    EXPECT_EQ(watch.message(), "no such table: u");
    EXPECT_FALSE(runWrite(*db, [&](WriteGuard& g) { return g.check(db->executeUpdate("insert into t values (2);")); },
                          nullptr));
    EXPECT_EQ(db->intForQuery("select count(*) from t;"), 1);
    db->close();
}

}  // namespace
