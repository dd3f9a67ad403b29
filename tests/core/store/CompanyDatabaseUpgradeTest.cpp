// Upgrading older company database files to the current schema.

#include <sqlite3.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "CompanyDbTestSupport.h"
#include "FailingDisk.h"
#include "TurkishLocale.h"
#include "core/foundation/tvDatabase.h"
#include "platform/FileSystem.h"

namespace {

std::string loginsVersion1() {
    std::string sql =
        "create table logins (pk INT PRIMARY KEY, userType INT, name TEXT, password TEXT, fontSize INT, "
        "doNotShowWelcomeDialog INT";
    for (const char* prefix : {"mainWindow", "admin", "userDetails", "import", "companyDetails", "recipientDetails",
                               "recipientDivDetails", "recipientIntDetails", "recipientRDetails",
                               "recipientSDetails", "eFile", "deleteRecipient", "printMiscRecipientSelector",
                               "printRecipient", "printCompany"})
        for (const char* part : {"XCoord", "YCoord", "Width", "Height"})
            sql += std::string(", ") + prefix + part + " INT";
    return sql + ");";
}

// The first schema of the file, as the program wrote it at version 1.
void buildVersion1(FMDatabase& db) {
    ASSERT_TRUE(db.executeStatements(
        "create table database (pk INT PRIMARY KEY, current_version INT);"
        "insert into database values (0, 1);"
        "create table companies (pk INT PRIMARY KEY, taxID TEXT, name TEXT, address TEXT, city TEXT, state TEXT, "
        "zip TEXT, phone TEXT, fax TEXT, email TEXT, contact TEXT, contactPhone TEXT, finalFlag INT, idFlag INT, "
        "mode INT);"
        "create table recipients (company_FK INT, pk INT PRIMARY KEY, type INT, validated INT, printed INT, "
        "completed INT, mode INT, corrected INT, void INT, firstName TEXT, lastName TEXT, address TEXT, city TEXT, "
        "state TEXT, zip TEXT, taxID TEXT, accountNumber TEXT, secondTin INT, line1 TEXT, line2 TEXT, line3 TEXT, "
        "line4 TEXT, line5 TEXT, line6 TEXT, line7 TEXT, line8 TEXT, line9 TEXT, line10 TEXT, line11 TEXT, "
        "line13 TEXT, line14 TEXT, line15a TEXT, line15b TEXT, line16_1 TEXT, line16_2 TEXT, line17_1 TEXT, "
        "line17_2 TEXT, line18_1 TEXT, line18_2 TEXT, div_line1a TEXT, div_line1b TEXT, div_line2a TEXT, "
        "div_line2b TEXT, div_line2c TEXT, div_line2d TEXT, div_line3 TEXT, div_line4 TEXT, div_line5 TEXT, "
        "div_line6 TEXT, div_line7 TEXT, div_line8 TEXT, div_line9 TEXT, int_payerRTN TEXT, int_line1 TEXT, "
        "int_line2 TEXT, int_line3 TEXT, int_line4 TEXT, int_line5 TEXT, int_line6 TEXT, int_line7 TEXT, "
        "int_line8 TEXT, int_line9 TEXT, int_line10 TEXT, r_line1 TEXT, r_line2a TEXT, r_line2b_checkbox_1 INT, "
        "r_line2b_checkbox_2 INT, r_firstYearRoth TEXT, r_line3 TEXT, r_line4 TEXT, r_line5 TEXT, r_line6 TEXT, "
        "r_line7_checkbox INT, r_line7_code TEXT, r_line8 TEXT, r_line8_percentage TEXT, r_line9a TEXT, "
        "r_line9b TEXT, r_line10_1 TEXT, r_line10_2 TEXT, r_line11_1 TEXT, r_line11_2 TEXT, r_line12_1 TEXT, "
        "r_line12_2 TEXT, r_line13_1 TEXT, r_line13_2 TEXT, r_line14_1 TEXT, r_line14_2 TEXT, r_line15_1 TEXT, "
        "r_line15_2 TEXT, s_line1 TEXT, s_line2 TEXT, s_address_line3 TEXT, s_city_line3 TEXT, "
        "s_state_line3 TEXT, s_zip_line3 TEXT, s_line4 TEXT, s_line5 TEXT);"));
    ASSERT_TRUE(db.executeUpdate(loginsVersion1()));
    ASSERT_TRUE(db.executeUpdate("insert into logins (pk, userType, name, password, fontSize) values (0, 1, ?, ?, 12);",
                                 "adam", tvDatabase::Encrypt("secret")));
    for (auto [pk, name, state] : {std::tuple{0, "Acme Supply", "ca"}, std::tuple{1, "O'Brien Ltd", "New York"}})
        ASSERT_TRUE(db.executeUpdate("insert into companies (pk, taxID, name, state, finalFlag, idFlag, mode) "
                                     "values (?, ?, ?, ?, 0, 0, 0);",
                                     pk, tvDatabase::Encrypt("12-3456789"), name, state));
    ASSERT_TRUE(db.executeUpdate(
        "insert into recipients (company_FK, pk, type, firstName, lastName, state, taxID, line1, line3) "
        "values (0, 0, 1, 'Ann', 'Lee', 'ca', ?, '100.00', '50.00');",
        tvDatabase::Encrypt("123-45-6789")));
    ASSERT_TRUE(db.executeUpdate(
        "insert into recipients (company_FK, pk, type, firstName, lastName, state, div_line1a, div_line7) "
        "values (0, 1, 2, 'Bo', 'Diaz', 'tx', '12.34', '7.00');"));
    ASSERT_TRUE(db.executeUpdate(
        "insert into recipients (company_FK, pk, type, firstName, lastName, state, r_line1, r_line10_1, "
        "r_firstYearRoth) values (1, 2, 4, 'Cy', 'O''Hara', 'New York', '1000.00', '5.00', '2019');"));
}

}  // namespace

class CompanyDatabaseUpgrade : public CompanyDbTest {
protected:
    void makeVersion1(const std::string& file) {
        auto db = raw(file);
        buildVersion1(*db);
    }

    // The schema of every table of a file, for comparing with a new file's.
    std::map<std::string, std::vector<std::string>> schemaOf(FMDatabase& db) {
        std::map<std::string, std::vector<std::string>> s;
        std::vector<std::string> names;
        auto rs = db.executeQuery("select type, name from sqlite_master where name not like 'sqlite_%';");
        while (rs && rs->next()) names.push_back(*rs->stringForColumn("type") + " " + *rs->stringForColumn("name"));
        if (rs) rs->close();
        for (const auto& n : names) s[n] = n.rfind("table ", 0) == 0 ? tableInfo(db, n.substr(6)) : std::vector<std::string>{};
        return s;
    }
};

TEST_F(CompanyDatabaseUpgrade, FirstSchemaFileReachesTheCurrentSchemaWithItsData) {
    makeVersion1(path("old.db"));
    CompanyDatabase fresh;
    ASSERT_TRUE(fresh.Init(path("new.db"), false, false, true, "New"));

    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path("old.db"), true, false, true, "Old"));
    EXPECT_TRUE(ui->shown().empty());
    FMDatabase& db = *cdb.db;

    EXPECT_EQ(text(db, "select current_version || ':' || in_use || ':' || year from database;"), "36:1:2025");
    EXPECT_EQ(schemaOf(db), schemaOf(*fresh.db));
    EXPECT_EQ(schemaOf(db).count("index recipientsIndex"), 1u) << "made again after the rebuild of the recipients";

    // Payers and recipients keep what they held; columns added on the way get their values.
    EXPECT_EQ(text(db, "select group_concat(pk || '|' || name || '|' || validated || '|' || oregonBIN || '|' || "
                       "name_type || '|' || MISC_TypeFiling || '|' || ifnull(combinedFilingProgram, 'null'), ';') "
                       "from (select * from companies order by pk);"),
              "0|Acme Supply|0|||0|null;1|O'Brien Ltd|0|||0|null");
    EXPECT_EQ(text(db, "select taxID from companies where pk = 1;"), tvDatabase::Encrypt("12-3456789"));
    EXPECT_EQ(text(db, "select group_concat(pk || '|' || company_FK || '|' || type || '|' || firstName || ' ' || "
                       "lastName, ';') from (select * from recipients order by pk);"),
              "0|0|1|Ann Lee;1|0|2|Bo Diaz;2|1|4|Cy O'Hara");
    EXPECT_EQ(text(db, "select taxID from recipients where pk = 0;"), tvDatabase::Encrypt("123-45-6789"));
    EXPECT_EQ(text(db, "select line1 || '/' || line3 from recipients where pk = 0;"), "100.00/50.00");
    EXPECT_EQ(text(db, "select div_line1a || '/' || div_line7 from recipients where pk = 1;"), "12.34/7.00");
    EXPECT_EQ(text(db, "select r_line1 || '/' || r_line10 from recipients where pk = 2;"), "1000.00/-1");
    EXPECT_EQ(text(db, "select addressIsNotUSTerritory || '/' || country || '/' || s_line6 || '/' || nec_line3 "
                       "|| '/' || div_sec199ADiv || '/' || nec_line1 from recipients where pk = 1;"),
              "0////-1/-1");

    // Every recipient has its companion row, so the joined list shows all of them.
    EXPECT_EQ(text(db, "select group_concat(pk || '|' || company_FK || '|' || type || '|' || validated || '|' || "
                       "lastname_surname || '|' || nec_line10_2, ';') "
                       "from (select * from recipients_additionalinfo order by pk);"),
              "0|0|1|0||;1|0|2|0||;2|1|4|0||");
    EXPECT_EQ(text(db, "select count(*) from recipients r JOIN recipients_additionalinfo rai ON r.pk = rai.pk;"),
              "3");

    // The user of the old file stays; the built-in logins join it.
    EXPECT_EQ(text(db, "select group_concat(pk || ':' || name, ' ') from (select * from logins order by pk);"),
              "0:adam 1:tvs1099 2:Harbour");
    EXPECT_TRUE(cdb.hasNonDefaultLogin(false, -1));
}

// The state-name repairs and the payers' mailing-label rows run during the upgrade.
TEST_F(CompanyDatabaseUpgrade, FirstSchemaFileGetsStateNamesAndLabelRows) {
    makeVersion1(path("old.db"));
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path("old.db"), false, false, true, "Old"));
    EXPECT_EQ(text(*cdb.db, "select group_concat(state, ';') from (select * from companies order by pk);"),
              "California-CA;New York-NY");
    EXPECT_EQ(text(*cdb.db, "select group_concat(state, ';') from (select * from recipients order by pk);"),
              "California-CA;Texas-TX;New York-NY");
    EXPECT_EQ(text(*cdb.db, "select group_concat(CompanyFK || '|' || left || '|' || top || '|' || width || '|' || "
                            "height || '|' || across || '|' || factor, ';') "
                            "from (select * from mailinglabel order by CompanyFK);"),
              "0|0.30|0.20|3.00|1.00|1|1;1|0.30|0.20|3.00|1.00|1|1");
}

// On a Turkish desktop, where the C library pairs "I" with a dotless small letter, the
// upgrade still brings every stored state to the state list's form: none is lost to
// "None".
TEST_F(CompanyDatabaseUpgrade, StoredStatesReachTheStateListUnderATurkishLocale) {
    const auto& cases = kTurkishStateSpellings;
    makeVersion1(path("old.db"));
    {
        auto db = raw(path("old.db"));
        ASSERT_TRUE(db->executeUpdate("update companies set state = ? where pk = 0;", cases[0].written));
        ASSERT_TRUE(db->executeUpdate("update companies set state = ? where pk = 1;", cases[8].written));
        for (size_t i = 0; i < cases.size(); ++i)
            ASSERT_TRUE(db->executeUpdate("insert into recipients (company_FK, pk, type, lastName, state) "
                                          "values (0, ?, 1, 'Payee', ?);",
                                          static_cast<int32_t>(10 + i), cases[i].written));
        db->close();
    }

    const TurkishLocale turkish;
    ASSERT_TRUE(turkish.inEffect()) << TurkishLocale::kName << " is missing: scripts/setup makes it";
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path("old.db"), false, false, true, "Old"));
    EXPECT_EQ(text(*cdb.db, "select group_concat(state, ';') from (select * from companies order by pk);"),
              cases[0].listed + ";" + cases[8].listed);
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(text(*cdb.db, "select state from recipients where pk = " + std::to_string(10 + i) + ";"),
                  cases[i].listed)
            << cases[i].written;
}

// Steps that re-add a column the table already has change nothing and leave nothing in
// the system log, so a new file writes nothing there; a statement that fails for any
// other reason is still logged.
TEST_F(CompanyDatabaseUpgrade, ANewFileLogsNothingAndNoStepLogsAColumnThatIsThere) {
    {
        CompanyDatabase fresh;
        ASSERT_TRUE(fresh.Init(path("new.db"), false, false, true, "New"));
    }
    EXPECT_EQ(logLines, std::vector<std::string>{});

    makeVersion1(path("old.db"));
    logLines.clear();
    {
        CompanyDatabase cdb;
        ASSERT_TRUE(cdb.Init(path("old.db"), true, false, true, "Old"));
        EXPECT_EQ(text(*cdb.db, "select current_version from database;"), "36");
        for (const auto& line : logLines) {
            EXPECT_EQ(line.find("duplicate column name"), std::string::npos) << line;
            EXPECT_EQ(line.find("already exists"), std::string::npos) << line;
        }
        logLines.clear();

        EXPECT_FALSE(cdb.db->executeUpdate("alter table recipients add column line11 TEXT;"));
        EXPECT_NE(std::find(logLines.begin(), logLines.end(), "DB Error: 1 \"duplicate column name: line11\""),
                  logLines.end());
    }
}

TEST_F(CompanyDatabaseUpgrade, ResumesAfterTheStoredStep) {
    // A version-35 file runs only the last step, which resets every layout table.
    {
        CompanyDatabase cdb;
        ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));
        ASSERT_TRUE(cdb.db->executeStatements(
            "insert into recipients (company_FK, pk, type, firstName, line11, state) values (0, 0, 1, 'Ann', '9.00', 'zz');"
            "insert into recipients_additionalinfo (company_FK, pk, type) values (0, 0, 1);"
            "insert into _1099MiscFormat values (999, 0, 0, 1, 1, 1, 1);"
            "update database set current_version = 35;"));
        cdb.Close();
    }
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));
    EXPECT_EQ(text(*cdb.db, "select current_version from database;"), "36");
    EXPECT_EQ(text(*cdb.db, "select count(*) from _1099MiscFormat where mappingID = 999;"), "0");
    EXPECT_EQ(text(*cdb.db, "select firstName || '/' || line11 || '/' || state from recipients;"), "Ann/9.00/zz");
    EXPECT_EQ(text(*cdb.db, "select count(*) from recipients_additionalinfo;"), "1");
}

TEST_F(CompanyDatabaseUpgrade, Version34GainsThePayerFilingColumnsAndCompanionRows) {
    {
        CompanyDatabase cdb;
        ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));
        // Back to the schema of version 34.
        for (const char* c : {"name_type", "tin_type", "suffix", "firstname", "middleName", "lastname",
                              "payerphone_type", "bussinessadd2", "payercountry", "combinedFilingProgram",
                              "MISC_TypeFiling", "DIV_TypeFiling", "INT_TypeFiling", "R_TypeFiling", "S_TypeFiling",
                              "NEC_TypeFiling"})
            ASSERT_TRUE(cdb.db->executeUpdate(std::string("alter table companies drop column ") + c + ";"));
        ASSERT_TRUE(cdb.db->executeStatements(
            "alter table recipients drop column nec_line3;"
            "drop table recipients_additionalinfo;"
            "insert into companies (pk, name) values (4, 'Four');"
            "insert into recipients (company_FK, pk, type, lastName) values (4, 7, 7, 'Nec');"
            "update database set current_version = 34;"));
        cdb.Close();
    }
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));
    EXPECT_EQ(text(*cdb.db, "select suffix || '|' || bussinessadd2 || '|' || NEC_TypeFiling || '|' || "
                            "ifnull(combinedFilingProgram, 'null') from companies where pk = 4;"),
              "||0|null");
    EXPECT_EQ(text(*cdb.db, "select nec_line3 from recipients where pk = 7;"), "");
    EXPECT_EQ(text(*cdb.db, "select pk || '|' || company_FK || '|' || type from recipients_additionalinfo;"),
              "7|4|7");
}

namespace {

// Every row of every table, in a fixed order, as text.
std::string dumpOf(FMDatabase& db) {
    std::vector<std::string> tables;
    auto rs = db.executeQuery("select name from sqlite_master where type = 'table' order by name;");
    while (rs && rs->next()) tables.push_back(*rs->stringForColumnIndex(0));
    std::string dump;
    for (const auto& t : tables) {
        dump += "[" + t + "]\n";
        auto rows = db.executeQuery("select * from " + t + " order by 1, 2, 3;");
        while (rows && rows->next()) {
            for (int i = 0; i < rows->columnCount(); ++i) dump += rows->stringForColumnIndex(i).value_or("NULL") + "|";
            dump += "\n";
        }
    }
    return dump;
}

}  // namespace

TEST_F(CompanyDatabaseUpgrade, AnUpgradeThatCannotBeginUnderAReadLockFailsAndKeepsTheOldVersion) {
    makeVersion1(path());
    auto reader = raw(path());
    ASSERT_TRUE(reader->beginDeferredTransaction());
    ASSERT_EQ(text(*reader, "select current_version from database;"), "1");  // holds a read lock

    ui->answerBox(1);
    CompanyDatabase cdb;
    EXPECT_FALSE(cdb.Init(path(), true, false, true, "Old"));
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_NE(ui->boxes()[0].details.find("could not be upgraded to version 2"), std::string::npos)
        << ui->boxes()[0].details;
    ASSERT_TRUE(reader->rollback());
    EXPECT_EQ(text(*raw(path()), "select current_version from database;"), "1");

    // Without the lock the same upgrade completes.
    CompanyDatabase again;
    ASSERT_TRUE(again.Init(path(), true, false, true, "Old"));
    EXPECT_EQ(text(*again.db, "select current_version from database;"), "36");
}

TEST_F(CompanyDatabaseUpgrade, AnInterruptedUpgradeResumesToTheSameFile) {
    makeVersion1(path("whole.db"));
    {
        CompanyDatabase cdb;
        ASSERT_TRUE(cdb.Init(path("whole.db"), false, false, true, "Old"));
    }
    // Steps that run in one transaction and steps that commit statement by statement.
    for (int failingStep : {15, 27, 29}) {
        SCOPED_TRACE(failingStep);
        const std::string file = path("interrupted" + std::to_string(failingStep) + ".db");
        makeVersion1(file);
        const std::string trigger = "create trigger fault before update of current_version on database when "
                                    "new.current_version = " + std::to_string(failingStep) +
                                    " begin select raise(abort, 'injected fault'); end;";
        ASSERT_TRUE(raw(file)->executeUpdate(trigger));

        ui->answerBox(1);
        {
            CompanyDatabase cdb;
            EXPECT_FALSE(cdb.Init(file, false, false, true, "Old"));
        }
        ASSERT_FALSE(ui->boxes().empty());
        EXPECT_NE(ui->boxes().back().details.find("injected fault"), std::string::npos);
        EXPECT_EQ(text(*raw(file), "select current_version from database;"), std::to_string(failingStep - 1));

        ASSERT_TRUE(raw(file)->executeUpdate("drop trigger fault;"));
        CompanyDatabase cdb;
        ASSERT_TRUE(cdb.Init(file, false, false, true, "Old"));
        EXPECT_EQ(dumpOf(*cdb.db), dumpOf(*raw(path("whole.db"))));
    }
}

// ---------------------------------------------------------------------------
// A full disk or an I/O error at any step

namespace {

struct DiskFault {
    int code;
    bool once;   // only the one write fails (otherwise the disk stays full)
    const char* name;
};
void PrintTo(const DiskFault& f, std::ostream* os) { *os << f.name; }

// The schema and every row of a file.
std::string schemaAndRows(FMDatabase& db) {
    std::string dump;
    auto rs = db.executeQuery("select type, name, ifnull(sql, '') from sqlite_master order by type, name;");
    while (rs && rs->next())
        dump += *rs->stringForColumnIndex(0) + " " + *rs->stringForColumnIndex(1) + ": " +
                *rs->stringForColumnIndex(2) + "\n";
    if (rs) rs->close();
    return dump + dumpOf(db);
}

}  // namespace

class UpgradeOnAFailingDisk : public CompanyDatabaseUpgrade, public ::testing::WithParamInterface<DiskFault> {
protected:
    void SetUp() override {
        CompanyDatabaseUpgrade::SetUp();
        disk = std::make_unique<FailingDisk>();   // before any connection
    }
    void TearDown() override {
        CompanyDatabase::setStepHookForTesting({});
        disk.reset();
        CompanyDatabaseUpgrade::TearDown();
    }

    std::string fresh(const std::string& from, const std::string& name) {
        const std::string file = path(name);
        platform::removePath(file + "-journal");
        EXPECT_TRUE(platform::copyFile(from, file, true));
        return file;
    }

    std::unique_ptr<FailingDisk> disk;
};

TEST_P(UpgradeOnAFailingDisk, AFailedStepLeavesTheVersionItNamesAndTheFileResumesToTheSameSchemaAndRows) {
    const std::string base = path("base.db");
    makeVersion1(base);
    const std::string untouched = schemaAndRows(*raw(base));

    // The uninterrupted upgrade, and the count of writes when each step has run its
    // statements (before it stores its number).
    std::map<int32_t, long> writesAt;
    CompanyDatabase::setStepHookForTesting(
        [&](CompanyDatabase&, int32_t step) { writesAt[step] = disk->writes(); });
    const std::string whole = fresh(base, "whole.db");
    disk->resetCount();
    {
        CompanyDatabase cdb;
        ASSERT_TRUE(cdb.Init(whole, false, false, true, "Old", CompanyDatabase::OpenFailures::quiet));
    }
    CompanyDatabase::setStepHookForTesting({});
    const std::string expected = schemaAndRows(*raw(whole));
    ASSERT_EQ(writesAt.size(), 35u);   // steps 2 to 36

    // For every step: a failure among its statements (or at the end of the step
    // before), one at its first write after its statements (the version and the
    // commit), and one at its last.
    std::set<long> failAt;
    long previous = 0;
    for (const auto& [step, writes] : writesAt) {
        failAt.insert(previous + (writes - previous) / 2);
        failAt.insert(writes);
        failAt.insert(writes + 1);
        previous = writes;
    }

    for (long allowed : failAt) {
        SCOPED_TRACE("writes allowed: " + std::to_string(allowed));
        const std::string file = fresh(base, "run.db");
        std::string failure;
        {
            CompanyDatabase cdb;
            if (GetParam().once) disk->failOnce(allowed, GetParam().code);
            else disk->failAfter(allowed, GetParam().code);
            const bool opened = cdb.Init(file, false, false, true, "Old", CompanyDatabase::OpenFailures::quiet);
            disk->disarm();
            if (!disk->refused()) {
                EXPECT_TRUE(opened);
                continue;
            }
            EXPECT_FALSE(opened) << "a write failed, yet the file opened";
            failure = cdb.openFailure();
        }
        const std::string version = text(*raw(file), "select current_version from database;");
        EXPECT_NE(version, "36");
        // The message never names a version that the file is not at.
        const auto left = failure.find("left at version ");
        if (left != std::string::npos) {
            EXPECT_EQ(failure.compare(left, 17 + version.size(), "left at version " + version + "."), 0) << failure;
        }
        if (version == "1") {
            EXPECT_EQ(schemaAndRows(*raw(file)), untouched);
        }

        // With room on the disk again the file opens, as if the upgrade had never stopped.
        {
            CompanyDatabase cdb;
            ASSERT_TRUE(cdb.Init(file, false, false, true, "Old", CompanyDatabase::OpenFailures::quiet)) << failure;
        }
        EXPECT_EQ(schemaAndRows(*raw(file)), expected) << failure;
    }
    EXPECT_TRUE(ui->boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, UpgradeOnAFailingDisk,
                         ::testing::Values(DiskFault{SQLITE_FULL, false, "FullDisk"},
                                           DiskFault{SQLITE_FULL, true, "FullDiskFreedByTheRollback"},
                                           DiskFault{SQLITE_IOERR_WRITE, true, "IOError"}),
                         [](const ::testing::TestParamInfo<DiskFault>& fault) { return fault.param.name; });
