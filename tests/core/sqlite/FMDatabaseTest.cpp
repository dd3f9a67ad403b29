#include <gtest/gtest.h>

#include <sys/stat.h>

#include "LogCapture.h"
#include "TempHome.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/sqlite/FMStatement.h"

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

TEST(FMDatabaseUpdate, SelectThroughUpdate) {
    auto db = openMemory();
    ASSERT_TRUE(db->executeUpdate("create table t (a)"));
    ASSERT_TRUE(db->executeUpdate("insert into t values (1)"));
    LogCapture log;
    FMError error;
    EXPECT_FALSE(db->executeUpdate("select a from t", std::vector<FMValue>{}, &error));
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"A executeUpdate is being called with a query string 'select a from t'",
                                                     "DB Query: select a from t"}));
    EXPECT_EQ(error.description, "A executeUpdate is being called with a query string 'select a from t'");
    log.clear();
    EXPECT_TRUE(db->executeUpdate("select a from t where a = 2"));
    EXPECT_TRUE(log.lines().empty());
    auto rs = db->executeQuery("select a from t");
    ASSERT_TRUE(rs);
    EXPECT_TRUE(rs->next());
}

TEST(FMDatabaseUpdate, BindCountMustCoverEveryPlaceholder) {
    struct Case {
        std::vector<FMValue> values;
        bool ok;
    };
    const Case cases[] = {
        {{1, 2}, false},
        {{1, 2, 3}, true},
        {{1, 2, 3, 4}, true},  // surplus values are ignored
        {{}, false},
    };
    for (const auto& c : cases) {
        auto db = openMemory();
        ASSERT_TRUE(db->executeUpdate("create table t (a, b, c)"));
        LogCapture log;
        FMError error;
        EXPECT_EQ(db->executeUpdate("insert into t values (?, ?, ?)", c.values, &error), c.ok);
        EXPECT_EQ(db->intForQuery("select count(*) from t"), c.ok ? 1 : 0);
        if (!c.ok) {
            const std::string line = "Error: the bind count (" + std::to_string(c.values.size()) +
                                     ") is not correct for the # of variables in the query (3) "
                                     "(insert into t values (?, ?, ?)) (executeUpdate)";
            EXPECT_TRUE(log.contains(line));
            EXPECT_EQ(error.description, line);
            EXPECT_EQ(error.domain, "FMDatabase");
        } else {
            EXPECT_EQ(db->intForQuery("select c from t"), 3);
        }
    }
    auto db = openMemory();
    LogCapture log;
    EXPECT_EQ(db->executeQuery("select ?, ?", 1), nullptr);
    EXPECT_TRUE(log.contains("Error: the bind count is not correct for the # of variables (executeQuery)"));
}

TEST(FMDatabaseBind, EachValueKind) {
    const auto date = FMDate(std::chrono::seconds(1700000000) + std::chrono::milliseconds(250));
    struct Case {
        FMValue value;
        const char* type;
        const char* text;  // the stored value as text, or null for NULL
    };
    const Case cases[] = {
        {FMValue(), "null", nullptr},
        {FMValue(std::nullopt), "null", nullptr},
        {FMValue(static_cast<const char*>(nullptr)), "null", nullptr},
        {FMValue(FMBlob{}), "blob", ""},
        {FMValue(FMBlob{'h', 'i'}), "blob", "hi"},
        {FMValue(true), "integer", "1"},
        {FMValue(false), "integer", "0"},
        {FMValue(-7), "integer", "-7"},
        {FMValue(4000000000u), "integer", "4000000000"},
        {FMValue(int64_t{-9000000000}), "integer", "-9000000000"},
        {FMValue(uint64_t{18446744073709551615u}), "integer", "-1"},  // carried over bit for bit
        {FMValue(2.5f), "real", "2.5"},
        {FMValue(0.1), "real", "0.1"},
        {FMValue(""), "text", ""},
        {FMValue(std::string("caf\xC3\xA9")), "text", "caf\xC3\xA9"},
        {FMValue(std::string("ab\0cd", 5)), "text", "ab"},  // text ends at its first NUL
        {FMValue(std::optional<std::string>("x")), "text", "x"},
        {FMValue(date), "real", "1700000000.25"},
    };
    auto db = openMemory();
    for (const auto& c : cases) {
        auto rs = db->executeQuery("select typeof(?1) as type, cast(?1 as text) as text", c.value);
        ASSERT_TRUE(rs && rs->next());
        EXPECT_EQ(rs->stringForColumn("type"), c.type);
        EXPECT_EQ(rs->stringForColumn("text"), c.text ? std::optional<std::string>(c.text) : std::nullopt) << c.type;
    }
}

TEST(FMDatabaseBind, DatesThroughAFormatter) {
    auto db = openMemory();
    db->setDateFormat(FMDatabase::storeableDateFormat("yyyy-MM-dd HH:mm:ss"));
    ASSERT_TRUE(db->hasDateFormatter());
    const FMDate date = FMDate(std::chrono::seconds(1738324800));  // 2025-01-31 12:00:00 UTC
    EXPECT_EQ(db->stringForQuery("select ?", date), "2025-01-31 12:00:00");
    EXPECT_EQ(db->dateForQuery("select '2025-01-31 12:00:00'"), date);
    EXPECT_EQ(db->dateForQuery("select 'not a date'"), std::nullopt);
    db->setDateFormat(nullptr);
    EXPECT_EQ(db->doubleForQuery("select ?", date), 1738324800.0);
    EXPECT_EQ(db->dateForQuery("select 1738324800.0"), date);
}

TEST(FMDatabaseBind, NamedParameters) {
    auto db = openMemory();
    ASSERT_TRUE(db->executeUpdate("create table t (a, b)"));
    LogCapture log;
    EXPECT_TRUE(db->executeUpdate("insert into t values (:a, :b)",
                                  std::map<std::string, FMValue>{{"a", 1}, {"b", 2}, {"extra", 3}}));
    EXPECT_TRUE(log.contains("Could not find index for extra"));
    log.clear();
    FMError error;
    EXPECT_FALSE(db->executeUpdate("insert into t values (:a, :b)", std::map<std::string, FMValue>{{"a", 1}}));
    EXPECT_TRUE(log.containsPrefix("Error: the bind count (1) is not correct for the # of variables in the query (2)"));
    auto rs = db->executeQuery("select b from t where a = :a", std::map<std::string, FMValue>{{"a", 1}, {"zz", 0}});
    ASSERT_TRUE(rs && rs->next());
    EXPECT_EQ(rs->intForColumn("b"), 2);
    EXPECT_TRUE(log.contains("Could not find index for zz"));
}

TEST(FMDatabaseBind, PercentSignsReachTheEngineUnchanged) {
    auto db = openMemory();
    EXPECT_EQ(db->stringForQuery("select '%d %@ %s'"), "%d %@ %s");
    EXPECT_EQ(db->intForQuery("select 10 % ?", 4), 2);
    LogCapture log;
    EXPECT_EQ(db->executeQuery("select %d", 1), nullptr);
    EXPECT_TRUE(log.containsPrefix("DB Error: 1 "));
}

TEST(FMDatabaseFormat, ConversionsBecomePlaceholders) {
    struct Case {
        std::string format;
        std::vector<FMValue> values;
        std::string sql;
        size_t bound;
    };
    const Case cases[] = {
        {"insert into t values (%d, %@)", {5, "x"}, "insert into t values (?, ?)", 2},
        {"insert into t values (%ld, %@)", {5L, nullptr}, "insert into t values (?, NULL)", 1},
        {"select %s where 5 %% 2 = %f", {"a", 1.0}, "select ? where 5 % 2 = ?", 2},
        {"select %c", {65}, "select ?", 1},
    };
    for (const auto& c : cases) {
        std::string sql;
        std::vector<FMValue> arguments;
        FMDatabase::extractSQL(c.format, c.values, sql, arguments);
        EXPECT_EQ(sql, c.sql);
        EXPECT_EQ(arguments.size(), c.bound);
    }
    auto db = openMemory();
    ASSERT_TRUE(db->executeUpdate("create table t (a, b)"));
    EXPECT_TRUE(db->executeUpdateWithFormat("insert into t values (%d, %@)", 5, nullptr));
    auto rs = db->executeQueryWithFormat("select a, b from t where a = %d", 5);
    ASSERT_TRUE(rs && rs->next());
    EXPECT_TRUE(rs->columnIsNull("b"));
    rs = db->executeQueryWithFormat("select %c", 65);
    ASSERT_TRUE(rs && rs->next());
    EXPECT_EQ(rs->stringForColumnIndex(0), "A");
}

TEST(FMDatabaseTransaction, StatementsSentAndFlags) {
    auto db = openMemory();
    db->setTraceExecution(true);
    struct Case {
        bool (FMDatabase::*begin)();
        const char* sql;
    };
    const Case cases[] = {
        {&FMDatabase::beginTransaction, "begin exclusive transaction"},
        {&FMDatabase::beginExclusiveTransaction, "begin exclusive transaction"},
        {&FMDatabase::beginDeferredTransaction, "begin deferred transaction"},
        {&FMDatabase::beginImmediateTransaction, "begin immediate transaction"},
    };
    for (const auto& c : cases) {
        LogCapture log;
        EXPECT_TRUE((db.get()->*c.begin)());
        EXPECT_TRUE(db->inTransaction());
        EXPECT_TRUE(log.contains(db->description() + " executeUpdate: " + c.sql));
        EXPECT_TRUE(db->commit());
        EXPECT_TRUE(log.contains(db->description() + " executeUpdate: commit transaction"));
        EXPECT_FALSE(db->isInTransaction());
    }
    db->setTraceExecution(false);
    LogCapture log;
    EXPECT_FALSE(db->rollback());
    EXPECT_EQ(log.lines().at(0),
              "Error calling sqlite3_step (1: cannot rollback - no transaction is active) SQLITE_ERROR");
    EXPECT_EQ(log.lines().at(1), "DB Query: rollback transaction");
}

TEST(FMDatabaseTransaction, SavePoints) {
    auto db = openMemory();
    ASSERT_TRUE(db->executeUpdate("create table t (a)"));
    auto error = db->inSavePoint([&](bool& rollback) {
        EXPECT_TRUE(db->executeUpdate("insert into t values (1)"));
        rollback = true;
    });
    EXPECT_FALSE(error);
    error = db->inSavePoint([&](bool&) { EXPECT_TRUE(db->executeUpdate("insert into t values (2)")); });
    EXPECT_FALSE(error);
    EXPECT_EQ(db->intForQuery("select group_concat(a) from t"), 2);

    // Quotes in a name are doubled, not read as the end of the name.
    FMError e;
    EXPECT_TRUE(db->startSavePointWithName("it's", &e));
    EXPECT_TRUE(db->executeUpdate("insert into t values (3)"));
    EXPECT_TRUE(db->rollbackToSavePointWithName("it's", &e));
    EXPECT_TRUE(db->releaseSavePointWithName("it's", &e));
    EXPECT_FALSE(db->releaseSavePointWithName("never", &e));
    EXPECT_EQ(e.description, "no such savepoint: never");
    EXPECT_EQ(db->intForQuery("select count(*) from t"), 1);
}

TEST(FMDatabaseClose, ClosesOpenResultSetsFirst) {
    auto db = openMemory();
    ASSERT_TRUE(db->executeStatements("create table t (a); insert into t values (1); insert into t values (2);"));
    auto unread = db->executeQuery("select a from t");
    auto reading = db->executeQuery("select a from t");
    ASSERT_TRUE(unread && reading && reading->next());
    EXPECT_TRUE(db->hasOpenResultSets());
    LogCapture log;
    EXPECT_TRUE(db->close());
    EXPECT_FALSE(db->hasOpenResultSets());
    EXPECT_FALSE(log.contains("Closing leaked statement"));
    EXPECT_FALSE(unread->next());
    EXPECT_FALSE(reading->next());
    EXPECT_EQ(reading->intForColumn("a"), 0);
    EXPECT_EQ(reading->parentDB(), nullptr);
}

TEST(FMDatabaseClose, ResultSetKeepsItsConnectionAlive) {
    std::shared_ptr<FMResultSet> rs;
    std::weak_ptr<FMDatabase> weak;
    {
        auto db = openMemory();
        weak = db;
        rs = db->executeQuery("select 1 as one union all select 2");
    }
    ASSERT_FALSE(weak.expired());
    ASSERT_TRUE(rs->next());
    EXPECT_EQ(rs->intForColumn("one"), 1);
    ASSERT_TRUE(rs->next());
    EXPECT_FALSE(rs->next());  // the end closes it and lets the connection go
    EXPECT_TRUE(weak.expired());
}

TEST(FMDatabaseBatch, StopsAtTheFirstError) {
    auto db = openMemory();
    LogCapture log;
    EXPECT_FALSE(db->executeStatements("create table t (a); insert into t values (1); insert into nowhere values (2);"
                                       "insert into t values (3);"));
    EXPECT_TRUE(log.contains("Error inserting batch: no such table: nowhere"));
    EXPECT_EQ(db->intForQuery("select count(*) from t"), 1);

    std::vector<std::map<std::string, std::optional<std::string>>> rows;
    EXPECT_TRUE(db->executeStatements("insert into t values (null); select a from t order by rowid;",
                                      [&](const auto& row) {
                                          rows.push_back(row);
                                          return 0;
                                      }));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].at("a"), "1");
    EXPECT_EQ(rows[1].at("a"), std::nullopt);
    EXPECT_FALSE(db->executeStatements("select a from t", [](const auto&) { return 1; }));
}

TEST(FMDatabaseBusy, RetriesUntilTheTimeLimit) {
    TempHome home;
    auto holder = FMDatabase::databaseWithPath(home.file("a.db"));
    auto waiter = FMDatabase::databaseWithPath(home.file("a.db"));
    ASSERT_TRUE(holder->open() && waiter->open());
    EXPECT_DOUBLE_EQ(waiter->maxBusyRetryTimeInterval(), 2.0);
    ASSERT_TRUE(holder->executeUpdate("create table t (a)"));
    ASSERT_EQ(waiter->intForQuery("select count(*) from t"), 0);  // the waiter knows the schema
    ASSERT_TRUE(holder->beginTransaction());

    waiter->setMaxBusyRetryTimeInterval(0.5);
    LogCapture log;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(waiter->executeUpdate("insert into t values (1)"));
    const double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(waited, 0.5);
    EXPECT_LT(waited, 1.5);
    EXPECT_TRUE(log.contains("Unknown error calling sqlite3_step (5: database is locked) eu"));

    waiter->setMaxBusyRetryTimeInterval(0);  // no retry at all
    const auto again = std::chrono::steady_clock::now();
    EXPECT_FALSE(waiter->executeUpdate("insert into t values (1)"));
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - again).count(), 0.2);

    ASSERT_TRUE(holder->commit());
    EXPECT_TRUE(waiter->executeUpdate("insert into t values (1)"));
}

TEST(FMDatabaseCache, ReusesStatementsNotInUse) {
    auto db = openMemory();
    db->setShouldCacheStatements(true);
    ASSERT_TRUE(db->executeUpdate("create table t (a)"));
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(db->executeUpdate("insert into t values (?)", i));
    const auto& cache = *db->cachedStatements();
    ASSERT_EQ(cache.at("insert into t values (?)").size(), 1u);
    EXPECT_EQ((*cache.at("insert into t values (?)").begin())->useCount(), 3);

    // A statement being read from is not handed out twice.
    auto first = db->executeQuery("select a from t order by a");
    auto second = db->executeQuery("select a from t order by a");
    ASSERT_TRUE(first && second && first->next() && second->next() && second->next());
    EXPECT_EQ(first->intForColumnIndex(0), 0);
    EXPECT_EQ(second->intForColumnIndex(0), 1);
    EXPECT_EQ(cache.at("select a from t order by a").size(), 2u);
    first->close();
    auto third = db->executeQuery("select a from t order by a");
    ASSERT_TRUE(third && third->next());
    EXPECT_EQ(third->intForColumnIndex(0), 0);
    EXPECT_EQ(cache.at("select a from t order by a").size(), 2u);

    // A failed bind leaves the cached statement usable.
    EXPECT_FALSE(db->executeUpdate("insert into t values (?)", std::vector<FMValue>{}));
    EXPECT_TRUE(db->executeUpdate("insert into t values (?)", 9));
    EXPECT_EQ(db->intForQuery("select count(*) from t where a > ?", 1), 2);
    EXPECT_EQ(db->executeQuery("select count(*) from t where a > ?"), nullptr);
    EXPECT_EQ(db->intForQuery("select count(*) from t where a > ?", 0), 3);

    db->clearCachedStatements();
    EXPECT_TRUE(db->cachedStatements()->empty());
    db->setShouldCacheStatements(false);
    EXPECT_FALSE(db->cachedStatements());
    LogCapture log;
    db->setCachedStatement(nullptr, std::nullopt);
    EXPECT_TRUE(log.contains("API misuse, -[FMDatabase setCachedStatement:forQuery:] query must not be nil"));
}

TEST(FMDatabaseReentry, StatementsFromInsideAStepAreRefused) {
    auto db = openMemory();
    bool refused = false;
    int64_t rowId = -1;
    db->makeFunctionNamed("probe", 1, [&](sqlite3_context* context, int, sqlite3_value** argv) {
        refused = db->executeQuery("select 1") == nullptr && !db->executeUpdate("select 1");
        rowId = db->lastInsertRowId();
        db->resultLong(db->valueLong(argv[0]) * 2, context);
    });
    ASSERT_TRUE(db->executeUpdate("create table t (a)"));
    LogCapture log;
    EXPECT_TRUE(db->executeUpdate("insert into t values (probe(?))", 21));
    EXPECT_EQ(db->intForQuery("select a from t"), 42);
    EXPECT_TRUE(refused);
    EXPECT_EQ(rowId, 0);
    EXPECT_TRUE(log.contains("The FMDatabase " + db->description() + " is currently in use."));
}

TEST(FMDatabaseMisc, StateAndLibraryFacts) {
    EXPECT_EQ(FMDatabase::FMDBUserVersion(), "2.7.5");
    EXPECT_EQ(FMDatabase::FMDBVersion(), 0x275);
    EXPECT_TRUE(FMDatabase::isSQLiteThreadSafe());
    EXPECT_FALSE(FMDatabase::sqliteLibVersion().empty());

    auto db = FMDatabase::databaseWithPath(std::nullopt);
    EXPECT_FALSE(db->goodConnection());
    EXPECT_FALSE(db->interrupt());
    ASSERT_TRUE(db->open());
    EXPECT_TRUE(db->goodConnection());
    EXPECT_TRUE(db->interrupt());
    EXPECT_FALSE(db->setKey("secret"));
    EXPECT_FALSE(db->rekey("secret"));
    EXPECT_EQ(db->databaseURL(), std::nullopt);
    EXPECT_EQ(FMDatabase::databaseWithPath("/tmp/a b.db")->databaseURL(), "file:///tmp/a%20b.db");
    EXPECT_EQ(FMDatabase::databaseWithURL("file:///tmp/a%20b.db")->databasePath(), "/tmp/a b.db");

    ASSERT_FALSE(db->executeUpdate("insert into nowhere values (1)"));
    EXPECT_TRUE(db->hadError());
    EXPECT_EQ(db->lastError().domain, "FMDatabase");
    EXPECT_EQ(db->lastError().code, 1);
    EXPECT_EQ(db->lastError().description, "no such table: nowhere");
    EXPECT_EQ(db->lastExtendedErrorCode(), 1);

    LogCapture log;
    EXPECT_EQ(db->busyRetryTimeout(), -1);
    EXPECT_TRUE(log.contains("FMDB: busyRetryTimeout no longer works, please use maxBusyRetryTimeInterval"));
    db->setBusyRetryTimeout(5);
    EXPECT_TRUE(log.contains("FMDB: setBusyRetryTimeout does nothing, please use setMaxBusyRetryTimeInterval:"));
}

TEST(FMDatabaseMisc, Checkpoint) {
    TempHome home;
    auto db = FMDatabase::databaseWithPath(home.file("wal.db"));
    ASSERT_TRUE(db->open());
    ASSERT_EQ(db->stringForQuery("pragma journal_mode = wal"), "wal");
    ASSERT_TRUE(db->executeUpdate("create table t (a)"));
    int frames = -1, done = -1;
    FMError error;
    EXPECT_TRUE(db->checkpoint(FMDBCheckpointModeFull, std::nullopt, &frames, &done, &error));
    EXPECT_GT(frames, 0);
    EXPECT_EQ(frames, done);
    EXPECT_FALSE(db->checkpoint(FMDBCheckpointModePassive, "nosuchschema", &error));
    EXPECT_EQ(error.code, 1);
}

TEST(FMDatabaseUpdate, InterruptedStatement) {
    auto db = openMemory();
    ASSERT_TRUE(db->executeUpdate("create table t (a)"));
    db->makeFunctionNamed("stop", 0, [&](sqlite3_context* context, int, sqlite3_value**) {
        db->interrupt();
        db->resultNullInContext(context);
    });
    LogCapture log;
    FMError error;
    EXPECT_FALSE(db->executeUpdate("insert into t select stop() from (values (1), (2), (3))", std::vector<FMValue>{},
                                   &error));
    EXPECT_TRUE(log.contains("Error calling sqlite3_step. Query was interrupted (9: interrupted) SQLITE_INTERRUPT"));
    EXPECT_TRUE(error.domain.empty());  // an interruption leaves the error alone
    EXPECT_EQ(db->intForQuery("select count(*) from t"), 0);
}

// A connection that keeps its statements for its whole life must not grow without end:
// savepoints carry a fresh name each time, and ever new texts stop being kept.
TEST(FMDatabaseCache, KeepsNoSavepointsAndABoundedNumberOfTexts) {
    auto db = openMemory();
    db->setShouldCacheStatements(true);
    ASSERT_TRUE(db->executeUpdate("create table t (a)"));
    ASSERT_TRUE(db->executeUpdate("insert into t values (?)", 0));
    for (int i = 0; i < 400; ++i) {
        const std::string name = "point" + std::to_string(i);
        ASSERT_TRUE(db->startSavePointWithName(name, nullptr));
        ASSERT_TRUE(db->executeUpdate("insert into t values (" + std::to_string(i) + ")"));
        ASSERT_TRUE(db->releaseSavePointWithName(name, nullptr));
    }
    const auto& cache = *db->cachedStatements();
    EXPECT_LE(cache.size(), 256u);
    for (const auto& [sql, statements] : cache) {
        EXPECT_EQ(sql.find("savepoint"), std::string::npos) << sql;
    }
    // What was kept first stays kept and is reused.
    ASSERT_TRUE(db->executeUpdate("insert into t values (?)", 1));
    EXPECT_EQ((*cache.at("insert into t values (?)").begin())->useCount(), 2);
    EXPECT_EQ(db->intForQuery("select count(*) from t"), 402);
}
