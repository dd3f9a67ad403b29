#include <gtest/gtest.h>

#include "LogCapture.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"

// Readable values in failure messages.
void PrintTo(const FMValue& value, std::ostream* os) {
    const auto& v = value.storage();
    if (v.index() == 0) *os << "null";
    if (auto p = std::get_if<int32_t>(&v)) *os << "int32 " << *p;
    if (auto p = std::get_if<int64_t>(&v)) *os << "int64 " << *p;
    if (auto p = std::get_if<double>(&v)) *os << "double " << *p;
    if (auto p = std::get_if<std::string>(&v)) *os << "text \"" << *p << "\"";
    if (auto p = std::get_if<FMBlob>(&v)) *os << "blob of " << p->size();
    if (std::holds_alternative<FMDate>(v)) *os << "date";
}

namespace {

std::shared_ptr<FMDatabase> openMemory() {
    auto db = FMDatabase::databaseWithPath(std::nullopt);
    EXPECT_TRUE(db->open());
    return db;
}

}  // namespace

TEST(FMResultSetNames, CaseAliasesDuplicatesAndUnknown) {
    auto db = openMemory();
    ASSERT_TRUE(db->executeStatements("create table t (Name text, KeyNo integer); insert into t values ('Ann', 3);"));
    auto rs = db->executeQuery("select Name, KeyNo, count(*) as newPK, 'late' as name from t");
    ASSERT_TRUE(rs && rs->next());
    EXPECT_EQ(rs->intForColumn("keyno"), 3);
    EXPECT_EQ(rs->intForColumn("KEYNO"), 3);
    EXPECT_EQ(rs->intForColumn("newpk"), 1);
    EXPECT_EQ(rs->stringForColumn("NAME"), "late");  // two columns of one name: the later wins
    EXPECT_EQ(rs->stringForColumnIndex(0), "Ann");
    EXPECT_EQ(rs->columnNameForIndex(2), "newPK");

    LogCapture log;
    EXPECT_EQ(rs->stringForColumn("Missing"), std::nullopt);
    EXPECT_EQ(rs->intForColumn("missing"), 0);
    EXPECT_EQ(rs->columnIndexForName("MISSING"), -1);
    EXPECT_EQ(log.lines(), std::vector<std::string>(3, "Warning: I could not find the column named 'missing'."));
}

TEST(FMResultSetReaders, NullMissingAndOutOfRange) {
    auto db = openMemory();
    auto rs = db->executeQuery("select null as n");
    ASSERT_TRUE(rs);
    // Before the first row every reader answers as for NULL.
    EXPECT_EQ(rs->stringForColumnIndex(0), std::nullopt);
    EXPECT_TRUE(rs->columnIndexIsNull(0));
    EXPECT_EQ(rs->objectForColumnIndex(0), FMValue());
    ASSERT_TRUE(rs->next());
    for (int index : {0, -1, 1}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(rs->intForColumnIndex(index), 0);
        EXPECT_EQ(rs->longForColumnIndex(index), 0);
        EXPECT_EQ(rs->unsignedLongLongIntForColumnIndex(index), 0u);
        EXPECT_FALSE(rs->boolForColumnIndex(index));
        EXPECT_EQ(rs->doubleForColumnIndex(index), 0.0);
        EXPECT_EQ(rs->stringForColumnIndex(index), std::nullopt);
        EXPECT_EQ(rs->dataForColumnIndex(index), std::nullopt);
        EXPECT_EQ(rs->dataNoCopyForColumnIndex(index), std::nullopt);
        EXPECT_EQ(rs->dateForColumnIndex(index), std::nullopt);
        EXPECT_EQ(rs->UTF8StringForColumnIndex(index), nullptr);
        EXPECT_TRUE(rs->columnIndexIsNull(index));
    }
    EXPECT_EQ(rs->objectForColumnIndex(0), FMValue());  // the null marker
    EXPECT_EQ(rs->objectForColumnIndex(1), std::nullopt);
    EXPECT_EQ(rs->objectForColumnIndex(-1), std::nullopt);
}

TEST(FMResultSetReaders, ValuesByKind) {
    auto db = openMemory();
    ASSERT_TRUE(db->executeStatements(
        "create table t (k, v);"
        "insert into t values ('int', 42);"
        "insert into t values ('big', 9000000000);"
        "insert into t values ('neg', -1);"
        "insert into t values ('real', 2.75);"
        "insert into t values ('text', '12abc');"
        "insert into t values ('empty', '');"
        "insert into t values ('blob', x'00ff');"
        "insert into t values ('emptyblob', x'');"
        "insert into t values ('latin1', cast(x'436166e9' as text));"
        "insert into t values ('overlong', cast(x'c0af' as text));"
        "insert into t values ('utf8', 'Caf\xC3\xA9');"));
    struct Case {
        const char* key;
        int32_t i;
        int64_t l;
        double d;
        std::optional<std::string> s;
        std::optional<FMBlob> data;
        std::optional<FMValue> object;
    };
    const Case cases[] = {
        {"int", 42, 42, 42.0, "42", FMBlob{'4', '2'}, FMValue(int64_t{42})},
        {"big", 410065408, 9000000000, 9e9, "9000000000", FMBlob{'9', '0', '0', '0', '0', '0', '0', '0', '0', '0'},
         FMValue(int64_t{9000000000})},
        {"neg", -1, -1, -1.0, "-1", FMBlob{'-', '1'}, FMValue(int64_t{-1})},
        {"real", 2, 2, 2.75, "2.75", FMBlob{'2', '.', '7', '5'}, FMValue(2.75)},
        {"text", 12, 12, 12.0, "12abc", FMBlob{'1', '2', 'a', 'b', 'c'}, FMValue("12abc")},
        {"empty", 0, 0, 0.0, "", std::nullopt, FMValue("")},
        {"blob", 0, 0, 0.0, std::nullopt, FMBlob{0x00, 0xff}, FMValue(FMBlob{0x00, 0xff})},
        {"emptyblob", 0, 0, 0.0, "", std::nullopt, FMValue()},
        {"latin1", 0, 0, 0.0, std::nullopt, FMBlob{'C', 'a', 'f', 0xe9}, FMValue()},
        {"overlong", 0, 0, 0.0, std::nullopt, FMBlob{0xc0, 0xaf}, FMValue()},
        {"utf8", 0, 0, 0.0, "Caf\xC3\xA9", FMBlob{'C', 'a', 'f', 0xc3, 0xa9}, FMValue("Caf\xC3\xA9")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        auto rs = db->executeQuery("select v from t where k = ?", c.key);
        ASSERT_TRUE(rs && rs->next());
        EXPECT_EQ(rs->intForColumn("v"), c.i);
        EXPECT_EQ(rs->longForColumn("v"), c.l);
        EXPECT_EQ(rs->longLongIntForColumn("v"), c.l);
        EXPECT_EQ(rs->doubleForColumn("v"), c.d);
        EXPECT_EQ(rs->boolForColumn("v"), c.i != 0);
        EXPECT_EQ(rs->stringForColumn("v"), c.s);
        EXPECT_EQ(rs->dataForColumn("v"), c.data);
        EXPECT_EQ(rs->objectForColumn("v"), c.object);
        EXPECT_FALSE(rs->columnIsNull("v"));
        EXPECT_NE(rs->UTF8StringForColumn("v"), nullptr);
    }
    auto rs = db->executeQuery("select -1 as v");
    ASSERT_TRUE(rs && rs->next());
    EXPECT_EQ(rs->unsignedLongLongIntForColumn("v"), UINT64_MAX);
    EXPECT_EQ(rs->dateForColumn("v"), FMDate(std::chrono::seconds(-1)));
    rs = db->executeQuery("select x'0102' as v");
    ASSERT_TRUE(rs && rs->next());
    auto bytes = rs->dataNoCopyForColumn("v");
    ASSERT_TRUE(bytes);
    EXPECT_EQ(FMBlob(bytes->begin(), bytes->end()), (FMBlob{1, 2}));
}

TEST(FMResultSetStepping, NextAfterTheEndLogsMisuse) {
    auto db = openMemory();
    auto rs = db->executeQuery("select 1");
    ASSERT_TRUE(rs && rs->next());
    EXPECT_TRUE(rs->hasAnotherRow());
    LogCapture log;
    EXPECT_FALSE(rs->next());
    EXPECT_TRUE(log.lines().empty());
    FMError error;
    EXPECT_FALSE(rs->nextWithError(&error));
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Error calling sqlite3_step (21: out of memory) rs"});
    EXPECT_EQ(error.code, 21);
    EXPECT_EQ(error.description, "parentDB does not exist");
    EXPECT_EQ(rs->columnCount(), 0);
}

TEST(FMResultSetStepping, StepErrorEndsTheResultSet) {
    auto db = openMemory();
    auto rs = db->executeQuery("select abs(-9223372036854775807 - 1)");
    ASSERT_TRUE(rs);
    LogCapture log;
    FMError error;
    EXPECT_FALSE(rs->nextWithError(&error));
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Error calling sqlite3_step (1: integer overflow) rs"});
    EXPECT_EQ(error.description, "integer overflow");
    EXPECT_FALSE(db->hasOpenResultSets());
}

TEST(FMResultSetRows, DictionariesAndSetter) {
    auto db = openMemory();
    auto rs = db->executeQuery("select 1 as One, 'x' as Two, null as Three");
    ASSERT_TRUE(rs);
    {
        LogCapture log;
        EXPECT_EQ(rs->resultDictionary(), std::nullopt);
        EXPECT_TRUE(log.contains("Warning: There seem to be no columns in this set."));
    }
    ASSERT_TRUE(rs->next());
    const std::map<std::string, FMValue> declared{{"One", FMValue(int64_t{1})}, {"Two", FMValue("x")}, {"Three", FMValue()}};
    const std::map<std::string, FMValue> lower{{"one", FMValue(int64_t{1})}, {"two", FMValue("x")}, {"three", FMValue()}};
    EXPECT_EQ(rs->resultDictionary(), declared);
    EXPECT_EQ(rs->resultDict(), lower);
    EXPECT_EQ((*rs)["TWO"], FMValue("x"));
    EXPECT_EQ((*rs)[0], FMValue(int64_t{1}));
    std::map<std::string, std::string> set;
    rs->kvcMagic([&](const std::string& name, const std::string& text) { set[name] = text; });
    EXPECT_EQ(set, (std::map<std::string, std::string>{{"One", "1"}, {"Two", "x"}}));
}

TEST(FMQueryConveniences, SingleValues) {
    auto db = openMemory();
    ASSERT_TRUE(db->executeStatements("create table t (k integer, s text, b blob, r real);"
                                      "insert into t values (7, 'seven', x'07', 7.5);"
                                      "insert into t values (8, 'eight', x'08', 8.5);"));
    EXPECT_EQ(db->intForQuery("select count(*) from sqlite_master where name =?;", "t"), 1);
    EXPECT_EQ(db->intForQuery("select count(*) from sqlite_master where name =?;", "missing"), 0);
    EXPECT_EQ(db->intForQuery("select max(k) from t"), 8);
    EXPECT_EQ(db->intForQuery("select k from t order by k"), 7);  // only the first row counts
    EXPECT_EQ(db->intForQuery("select k from t where k > 100"), 0);
    EXPECT_EQ(db->longForQuery("select k * 1000000000 from t where s = ?", "eight"), 8000000000);
    EXPECT_TRUE(db->boolForQuery("select 1"));
    EXPECT_EQ(db->doubleForQuery("select r from t where k = ?", 8), 8.5);
    EXPECT_EQ(db->stringForQuery("select s from t where k = ?", 7), "seven");
    EXPECT_EQ(db->stringForQuery("select s from t where k = ?", 9), std::nullopt);
    EXPECT_EQ(db->dataForQuery("select b from t where k = ?", 8), FMBlob{8});
    EXPECT_FALSE(db->hasOpenResultSets());

    LogCapture log;
    EXPECT_EQ(db->intForQuery("select count(*) from missing"), 0);
    EXPECT_TRUE(log.contains("DB Error: 1 \"no such table: missing\""));
    EXPECT_FALSE(db->hasOpenResultSets());
}

TEST(FMQueryConveniences, SchemaQuestions) {
    auto db = openMemory();
    ASSERT_TRUE(db->executeUpdate("create table Payers (Key integer, Name text)"));
    EXPECT_TRUE(db->tableExists("payers"));
    EXPECT_TRUE(db->tableExists("PAYERS"));
    EXPECT_FALSE(db->tableExists("payees"));
    EXPECT_TRUE(db->columnExists("name", "PAYERS"));
    EXPECT_TRUE(db->columnExists_columnName("payers", "KEY"));
    EXPECT_FALSE(db->columnExists("phone", "payers"));
    EXPECT_FALSE(db->columnExists("name", "it's"));

    auto schema = db->getSchema();
    ASSERT_TRUE(schema && schema->next());
    EXPECT_EQ(schema->stringForColumn("name"), "Payers");
    EXPECT_EQ(schema->stringForColumn("type"), "table");
    schema->close();
    auto columns = db->getTableSchema("payers");
    int count = 0;
    while (columns && columns->next()) ++count;
    EXPECT_EQ(count, 2);

    EXPECT_EQ(db->userVersion(), 0u);
    db->setUserVersion(36);
    EXPECT_EQ(db->userVersion(), 36u);
    db->setApplicationID(0x54564131);
    EXPECT_EQ(db->applicationID(), 0x54564131u);
    EXPECT_EQ(db->applicationIDString(), "TVA1");
    db->setApplicationIDString("abcd");
    EXPECT_EQ(db->applicationID(), 0x61626364u);
    LogCapture log;
    db->setApplicationIDString("abc");
    EXPECT_TRUE(log.contains("setApplicationIDString: string passed is not exactly 4 chars long. (was 3)"));
    EXPECT_FALSE(db->hasOpenResultSets());

    FMError error;
    EXPECT_TRUE(db->validateSQL("select * from payers", &error));
    EXPECT_FALSE(db->validateSQL("select * from payees", &error));
    EXPECT_EQ(error.description, "no such table: payees");
    EXPECT_EQ(error.code, 1);
}
