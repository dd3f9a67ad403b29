#include <gtest/gtest.h>

#include <sys/stat.h>

#include "LogCapture.h"
#include "TempHome.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"

namespace {

std::shared_ptr<FMDatabase> openMemory() {
    auto db = FMDatabase::databaseWithPath(std::nullopt);
    EXPECT_TRUE(db->open());
    return db;
}

}  // namespace

TEST(FMDatabaseOpen, FileInMemoryAndTemporary) {
    TempHome home;
    const std::string path = home.file("a.db");
    for (const std::optional<std::string>& p : {std::optional<std::string>(path), std::optional<std::string>(),
                                                std::optional<std::string>("")}) {
        auto db = FMDatabase::databaseWithPath(p);
        EXPECT_FALSE(db->isOpen());
        ASSERT_TRUE(db->open());
        EXPECT_TRUE(db->isOpen());
        EXPECT_TRUE(db->open());  // already open: nothing else happens
        EXPECT_EQ(db->databasePath(), p);
        EXPECT_TRUE(db->executeUpdate("create table t (a)"));
        EXPECT_TRUE(db->close());
        EXPECT_FALSE(db->isOpen());
        EXPECT_TRUE(db->close());
    }
    struct stat st;
    EXPECT_EQ(stat(path.c_str(), &st), 0);  // created when missing
}

TEST(FMDatabaseOpen, MissingFolderFailsAndLogs) {
    TempHome home;
    LogCapture log;
    auto db = FMDatabase::databaseWithPath(home.file("no/such/folder/a.db"));
    EXPECT_FALSE(db->open());
    EXPECT_FALSE(db->isOpen());
    EXPECT_TRUE(log.contains("error opening!: 14"));
    EXPECT_EQ(db->lastErrorMessage(), "unable to open database file");
}

TEST(FMDatabaseOpen, ReopenKeepsTheData) {
    TempHome home;
    auto db = FMDatabase::databaseWithPath(home.file("a.db"));
    ASSERT_TRUE(db->open());
    ASSERT_TRUE(db->executeUpdate("create table t (a)"));
    ASSERT_TRUE(db->executeUpdate("insert into t values (?)", 7));
    db->close();
    ASSERT_TRUE(db->open());
    EXPECT_EQ(db->intForQuery("select a from t"), 7);
}

TEST(FMDatabaseClosed, CallsFailAndLog) {
    LogCapture log;
    auto db = FMDatabase::databaseWithPath(std::nullopt);
    EXPECT_EQ(db->executeQuery("select 1"), nullptr);
    EXPECT_FALSE(db->executeUpdate("create table t (a)"));
    EXPECT_EQ(db->intForQuery("select 1"), 0);
    EXPECT_TRUE(log.contains("The FMDatabase " + db->description() + " is not open."));
    EXPECT_EQ(db->lastErrorMessage(), "out of memory");
    EXPECT_EQ(db->lastErrorCode(), 7);
    EXPECT_EQ(db->lastInsertRowId(), 0);
    EXPECT_EQ(db->changes(), 0);
    EXPECT_FALSE(db->executeStatements("create table t (a);"));
}

TEST(FMDatabaseUpdate, ArgumentsInEveryForm) {
    auto db = openMemory();
    ASSERT_TRUE(db->executeUpdate("create table t (k integer primary key, name text, amount text)"));
    EXPECT_TRUE(db->executeUpdate("insert into t values (?, ?, ?)", 0, "Ann", std::string("1.00")));
    EXPECT_TRUE(db->executeUpdate("insert into t values (?, ?, ?)", std::vector<FMValue>{1, "Bob", "2.00"}));
    EXPECT_TRUE(db->executeUpdate("insert into t values (:k, :name, :amount)",
                                  std::map<std::string, FMValue>{{"k", 2}, {"name", "Cy"}, {"amount", "3.00"}}));
    EXPECT_EQ(db->intForQuery("select count(*) from t"), 3);
    EXPECT_EQ(db->intForQuery("select k from t where name = ?", "Cy"), 2);
    auto rs = db->executeQuery("select * from t where k = :k", std::map<std::string, FMValue>{{"k", 1}});
    ASSERT_TRUE(rs && rs->next());
    EXPECT_EQ(rs->stringForColumn("NAME"), "Bob");
    EXPECT_EQ(rs->stringForColumn("amount"), "2.00");
}

TEST(FMDatabaseUpdate, LastInsertRowIdAndChanges) {
    auto db = openMemory();
    ASSERT_TRUE(db->executeUpdate("create table t (k integer primary key, a)"));
    ASSERT_TRUE(db->executeUpdate("insert into t (k, a) values (41, 'x')"));
    EXPECT_EQ(db->lastInsertRowId(), 41);
    ASSERT_TRUE(db->executeUpdate("insert into t (a) values ('y')"));
    EXPECT_EQ(db->lastInsertRowId(), 42);
    ASSERT_TRUE(db->executeUpdate("update t set a = 'z'"));
    EXPECT_EQ(db->changes(), 2);
    ASSERT_TRUE(db->executeUpdate("delete from t where k = ?", 99));
    EXPECT_EQ(db->changes(), 0);
}

TEST(FMDatabaseUpdate, FailureGivesFalseMessageAndLog) {
    auto db = openMemory();
    LogCapture log;
    EXPECT_FALSE(db->executeUpdate("insert into missing values (1)"));
    EXPECT_EQ(db->lastErrorMessage(), "no such table: missing");
    EXPECT_EQ(db->lastErrorCode(), 1);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"DB Error: 1 \"no such table: missing\"",
                                                     "DB Query: insert into missing values (1)",
                                                     "DB Path: (null)"}));
    ASSERT_TRUE(db->executeUpdate("create table t (a unique)"));
    EXPECT_EQ(db->lastErrorMessage(), "not an error");
    ASSERT_TRUE(db->executeUpdate("insert into t values (1)"));
    EXPECT_FALSE(db->executeUpdate("insert into t values (1)"));
    EXPECT_EQ(db->lastErrorMessage(), "UNIQUE constraint failed: t.a");
    EXPECT_EQ(db->lastErrorCode(), 19);
}

TEST(FMDatabaseTransaction, CommitRollbackAndNesting) {
    TempHome home;
    auto db = FMDatabase::databaseWithPath(home.file("a.db"));
    ASSERT_TRUE(db->open());
    ASSERT_TRUE(db->executeUpdate("create table t (a)"));

    ASSERT_TRUE(db->beginTransaction());
    EXPECT_TRUE(db->isInTransaction());
    ASSERT_TRUE(db->executeUpdate("insert into t values (1)"));
    ASSERT_TRUE(db->rollback());
    EXPECT_FALSE(db->isInTransaction());
    EXPECT_EQ(db->intForQuery("select count(*) from t"), 0);

    // A begin inside an open transaction fails; the inner commit commits the outer work.
    ASSERT_TRUE(db->beginTransaction());
    ASSERT_TRUE(db->executeUpdate("insert into t values (1)"));
    {
        LogCapture log;
        EXPECT_FALSE(db->beginTransaction());
        EXPECT_TRUE(log.contains(
            "Error calling sqlite3_step (1: cannot start a transaction within a transaction) SQLITE_ERROR"));
        EXPECT_TRUE(log.contains("DB Query: begin exclusive transaction"));
    }
    EXPECT_TRUE(db->isInTransaction());
    ASSERT_TRUE(db->executeUpdate("insert into t values (2)"));
    EXPECT_TRUE(db->commit());
    EXPECT_FALSE(db->isInTransaction());
    EXPECT_FALSE(db->commit());
    db->close();
    ASSERT_TRUE(db->open());
    EXPECT_EQ(db->intForQuery("select count(*) from t"), 2);
}

TEST(FMResultSetRead, ByNameAndIndex) {
    auto db = openMemory();
    ASSERT_TRUE(db->executeStatements(
        "create table t (i integer, d real, s text, b blob);"
        "insert into t values (5, 2.5, 'five', x'0102');"
        "insert into t values (null, null, '', null);"));
    auto rs = db->executeQuery("select * from t order by rowid");
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->columnCount(), 4);
    ASSERT_TRUE(rs->next());
    EXPECT_EQ(rs->intForColumn("i"), 5);
    EXPECT_EQ(rs->intForColumnIndex(0), 5);
    EXPECT_EQ(rs->longForColumn("I"), 5);
    EXPECT_DOUBLE_EQ(rs->doubleForColumn("d"), 2.5);
    EXPECT_EQ(rs->stringForColumn("s"), "five");
    EXPECT_EQ(rs->dataForColumn("b"), (FMBlob{1, 2}));
    EXPECT_FALSE(rs->columnIsNull("i"));
    ASSERT_TRUE(rs->next());
    EXPECT_EQ(rs->intForColumn("i"), 0);
    EXPECT_TRUE(rs->columnIsNull("i"));
    EXPECT_EQ(rs->stringForColumn("i"), std::nullopt);
    EXPECT_EQ(rs->stringForColumn("s"), std::string());
    EXPECT_EQ(rs->dataForColumn("b"), std::nullopt);
    EXPECT_FALSE(rs->next());
    EXPECT_FALSE(db->hasOpenResultSets());
}
