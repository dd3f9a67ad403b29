// Writes that fail on a full disk or an I/O error: the first failure is the one
// reported, and nothing of a write whose transaction SQLite ended by itself is saved.

#include <gtest/gtest.h>

#include <sqlite3.h>

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
