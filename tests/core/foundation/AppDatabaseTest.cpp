#include "ConfigFixture.h"

#include <functional>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/databaseInfo.h"
#include "core/foundation/tvDatabase.h"

namespace {

databaseInfo entry(const std::string& name, const std::string& path, int year, const std::string& fedId = "") {
    databaseInfo info;
    info.setName(name);
    info.setPath(path);
    info.setYear(year);
    info.setFed_Id(fedId);
    return info;
}

class AppDatabaseTest : public ConfigTest {
protected:
    std::string path() const { return home.path() + "/Talvexa_1099_2025.db"; }
    std::vector<std::string> columns(const std::string& table) {
        return textColumn(path(), "select name from pragma_table_info('" + table + "') order by cid");
    }
    std::vector<std::string> listed(const std::vector<databaseInfo>& list) {
        std::vector<std::string> out;
        for (const auto& i : list) out.push_back(i.name() + "|" + std::to_string(i.year()));
        return out;
    }
    AppDatabase db;
};

TEST_F(AppDatabaseTest, MissingFileBecomesANewDatabaseAtVersionFour) {
    ASSERT_TRUE(db.Init(path(), true));
    EXPECT_TRUE(db.IsReady());
    EXPECT_EQ(db.filePath(), path());
    EXPECT_EQ(textColumn(path(), "select pk||','||current_version||','||in_use||','||year||','''||name||''','||"
                                 "isPriorYear from database"),
              (std::vector<std::string>{"0,4,0,0,'',0"}));
    for (const char* table : {"recentDatabase", "databaseList", "folderPaths", "priorYearList", "preferences",
                              "frameInfo"})
        EXPECT_EQ(intQuery(path(), std::string("select count(*) from ") + table), 0) << table;
    EXPECT_EQ(columns("databaseList"), (std::vector<std::string>{"path", "name", "year", "Fed_Id", "Company_Name"}));
    EXPECT_EQ(columns("preferences"), (std::vector<std::string>{"name", "fontSize", "fontWidth", "fontHeight",
                                                                "fontBaseWidth", "custId", "emailaddress",
                                                                "optCloudbackup"}));
    EXPECT_EQ(db.GetVersion(false), 4);
    EXPECT_TRUE(ui->shown().empty());
}

TEST_F(AppDatabaseTest, OlderVersionsAreUpgradedStepByStep) {
    struct Case {
        int version;
        std::string extraSql;   // brings the version-1 schema to the case's version
    };
    const Case cases[] = {
        {1, ""},
        {2, "drop table preferences; create table preferences(name TEXT, fontSize INT, fontWidth INT, fontHeight "
            "INT, fontBaseWidth INT, custId TEXT, emailaddress TEXT, optCloudbackup INT);"},
        {3, "drop table preferences; create table preferences(name TEXT, fontSize INT, fontWidth INT, fontHeight "
            "INT, fontBaseWidth INT, custId TEXT, emailaddress TEXT, optCloudbackup INT);"
            "alter table databaseList add column Fed_Id TEXT;"},
        {4, "drop table preferences; create table preferences(name TEXT, fontSize INT, fontWidth INT, fontHeight "
            "INT, fontBaseWidth INT, custId TEXT, emailaddress TEXT, optCloudbackup INT);"
            "alter table databaseList add column Fed_Id TEXT; alter table databaseList add column Company_Name TEXT;"},
    };
    for (const Case& c : cases) {
        platform::removePath(path());
        execSql(path(), std::string(kVersion1ConfigSchema) + c.extraSql +
                            "update database set current_version = " + std::to_string(c.version) + ";"
                            "insert into databaseList (path, name, year) values ('/d/Acme 2024.db', 'Acme', 2024);");
        AppDatabase upgraded;
        ASSERT_TRUE(upgraded.Init(path(), true)) << c.version;
        EXPECT_EQ(intQuery(path(), "select current_version from database"), 4) << c.version;
        EXPECT_EQ(columns("databaseList"),
                  (std::vector<std::string>{"path", "name", "year", "Fed_Id", "Company_Name"}))
            << c.version;
        EXPECT_EQ(columns("preferences").size(), 8u) << c.version;
        ASSERT_EQ(listed(upgraded.SelectDatabaseList()), (std::vector<std::string>{"Acme|2024"})) << c.version;
        EXPECT_EQ(upgraded.GetYear(), 2024);
    }
    EXPECT_TRUE(ui->shown().empty());
}

TEST_F(AppDatabaseTest, UnusableFilesAreRefusedWithTheirReason) {
    const std::string newer =
        "Invalid database version. Database is for a newer version of Talvexa 1099.\n\n            To resolve this "
        "issue, please make sure you are running the most recent version of Talvexa 1099 E-File 2025.\n\nNOTE: You "
        "are currently running Talvexa 1099 E-File 2025 version 25.0.1.";
    const std::string invalid =
        "Invalid database version. Database does not appear to be a valid Talvexa 1099 Configuration Database.";
    struct Case {
        const char* what;
        std::string sql;   // run on the version-1 schema; "!" writes a file that is not a database
        std::string reason;
    };
    const Case cases[] = {
        {"newer version", "update database set current_version = 5;", newer},
        {"version 0", "update database set current_version = 0;", invalid},
        {"no database row", "delete from database;", invalid},
        {"tables missing", "drop table frameInfo; drop table folderPaths;",
         "Invalid database schema. The following tables are missing:\n    folderPaths\n    frameInfo"},
        // A file that exists but cannot be read as a database is never reported ready.
        {"not a database", "!", "file is not a database"},
    };
    for (const Case& c : cases) {
        platform::removePath(path());
        if (c.sql == "!")
            ASSERT_TRUE(platform::writeFileAtomically(path(), "plain text that is certainly not an SQLite database"));
        else
            execSql(path(), std::string(kVersion1ConfigSchema) + c.sql);

        restart();
        ui->answerBox(2);
        AppDatabase refused;
        EXPECT_FALSE(refused.Init(path(), true)) << c.what;
        EXPECT_FALSE(refused.IsReady()) << c.what;
        ASSERT_EQ(ui->boxes().size(), 1u) << c.what;
        const MessageBoxRequest box = ui->boxes()[0];
        EXPECT_EQ(box.caption, "Unable to initialize the Configuration Database.");
        EXPECT_EQ(box.details, c.reason) << c.what;
        EXPECT_EQ(box.style, 4);
        EXPECT_EQ(box.image, 0x200);
        EXPECT_EQ(box.title, "");
        EXPECT_FALSE(box.flag);

        restart();
        AppDatabase quiet;
        EXPECT_FALSE(quiet.Init(path(), false)) << c.what;
        EXPECT_TRUE(ui->shown().empty()) << c.what;
    }
    // The refused newer file is left as it was.
    platform::removePath(path());
    execSql(path(), std::string(kVersion1ConfigSchema) + "update database set current_version = 5;");
    AppDatabase refused;
    EXPECT_FALSE(refused.Init(path(), false));
    EXPECT_EQ(intQuery(path(), "select current_version from database"), 5);
    EXPECT_EQ(columns("databaseList").size(), 3u);
}

// A step whose version cannot be stored ends the upgrade: the open fails with SQLite's
// reason and the file keeps its old version and tables.
TEST_F(AppDatabaseTest, UpgradeStepThatCannotBeStoredFailsTheOpen) {
    execSql(path(), std::string(kVersion1ConfigSchema) +
                        "create trigger refuse before update on database begin select raise(abort, 'refused'); end;");
    ui->answerBox(2);
    EXPECT_FALSE(db.Init(path(), true));
    EXPECT_FALSE(db.IsReady());
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].caption, "Unable to initialize the Configuration Database.");
    EXPECT_EQ(ui->boxes()[0].details,
              "Unable to upgrade the configuration database to version 2:\n\n    " + path() + "\n\nrefused");
    EXPECT_EQ(intQuery(path(), "select current_version from database"), 1);
    EXPECT_EQ(columns("preferences").size(), 5u);   // step 2 was rolled back whole

    execSql(path(), "drop trigger refuse;");
    AppDatabase later;
    ASSERT_TRUE(later.Init(path(), true));
    EXPECT_EQ(intQuery(path(), "select current_version from database"), 4);
    EXPECT_EQ(ui->boxes().size(), 1u);
}

TEST_F(AppDatabaseTest, DatabaseRowValues) {
    ASSERT_TRUE(db.Init(path(), true));
    for (int i = 0; i < 3; ++i) db.SetInUse(true);
    EXPECT_EQ(db.GetInUse(), 3);
    EXPECT_TRUE(db.IsInUse());
    for (int i = 0; i < 4; ++i) db.SetInUse(false);
    EXPECT_EQ(db.GetInUse(), 0);
    EXPECT_FALSE(db.IsInUse());

    EXPECT_EQ(db.GetYear(), 0);
    db.SetYear(2025);
    EXPECT_EQ(db.GetYear(), 2025);
    db.SetName("Config");
    EXPECT_EQ(db.GetName(), "Config");
    db.SetPriorYear(true);
    EXPECT_EQ(intQuery(path(), "select isPriorYear from database"), 1);
    EXPECT_EQ(db.GetPath(), path());
}

// A write that SQLite refuses (here: a trigger of the test's) is rolled back, shown once
// with SQLite's reason, and reported by the result; the row stays as it was.
TEST_F(AppDatabaseTest, RefusedWritesReportOnceAndLeaveTheirRowAsItWas) {
    struct Case {
        const char* what;
        const char* table;
        const char* rowSql;   // the row the write would change
        std::function<bool(AppDatabase&)> write;
        const char* caption;
        const char* text;
        const char* title;
    };
    const Case cases[] = {
        {"SetYear", "database", "select year from database", [](AppDatabase& d) { return d.SetYear(2025); },
         "Database Error", "Unable to set year. ", ""},
        {"SetName", "database", "select name from database", [](AppDatabase& d) { return d.SetName("Renamed"); },
         "Database Error", "Unable to set the database name.", ""},
        {"SetInUse_1", "database", "select in_use from database", [](AppDatabase& d) { return d.SetInUse_1(5); },
         "Database Error", "Unable to manually set in use. ", ""},
        {"SetInUse", "database", "select in_use from database", [](AppDatabase& d) { return d.SetInUse(true); },
         "Database Error", "Unable to manually set in use. ", ""},
        {"SetRecentDatabaseInfo", "recentDatabase", "select path || '|' || name || '|' || year from recentDatabase",
         [](AppDatabase& d) { return d.SetRecentDatabaseInfo(entry("Beta", "/d/Beta 2025.db", 2025)); },
         "Configuration Database Error!", "Unable to set recent database. ", "Talvexa 1099 E-File 2025"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::removePath(path());
        restart();
        AppDatabase config;
        ASSERT_TRUE(config.Init(path(), true));
        ASSERT_TRUE(config.SetYear(2024));
        ASSERT_TRUE(config.SetName("Config"));
        ASSERT_TRUE(config.SetInUse_1(2));
        ASSERT_TRUE(config.SetRecentDatabaseInfo(entry("Acme", "/d/Acme 2025.db", 2025)));
        const std::vector<std::string> before = textColumn(path(), c.rowSql);
        execSql(path(), std::string("create trigger refuse before update on ") + c.table +
                            " begin select raise(abort, 'refused by test'); end;");

        ui->answerBox(2);
        EXPECT_FALSE(c.write(config));
        ASSERT_EQ(ui->boxes().size(), 1u);
        const MessageBoxRequest box = ui->boxes()[0];
        EXPECT_EQ(box.caption, c.caption);
        EXPECT_EQ(box.details, std::string(c.text) + "\nrefused by test");
        EXPECT_EQ(box.title, c.title);
        EXPECT_EQ(box.style, 4);
        EXPECT_EQ(box.image, 0x200);
        EXPECT_EQ(textColumn(path(), c.rowSql), before);
        EXPECT_FALSE(config.db()->isInTransaction());
        // The connection is still good for the next write.
        execSql(path(), "drop trigger refuse;");
        EXPECT_TRUE(c.write(config));
        EXPECT_EQ(ui->boxes().size(), 1u);
    }
}

// The first recent-database row is an insert; a refused insert is reported the same way.
TEST_F(AppDatabaseTest, RefusedFirstRecentDatabaseRowIsReported) {
    ASSERT_TRUE(db.Init(path(), true));
    execSql(path(), "create trigger refuse before insert on recentDatabase begin select raise(abort, 'no'); end;");
    ui->answerBox(2);
    EXPECT_FALSE(db.SetRecentDatabaseInfo(entry("Acme", "/d/Acme 2025.db", 2025)));
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].details, "Unable to set recent database. \nno");
    EXPECT_EQ(intQuery(path(), "select count(*) from recentDatabase"), 0);
}

TEST_F(AppDatabaseTest, RecentDatabaseHoldsOneRow) {
    ASSERT_TRUE(db.Init(path(), true));
    EXPECT_FALSE(db.GetRecentDatabaseInfo().has_value());
    databaseInfo untouched = entry("Keep", "/keep", 1);
    EXPECT_FALSE(db.GetRecentDatabaseInfo(untouched));
    EXPECT_EQ(untouched.name(), "Keep");

    db.SetRecentDatabaseInfo(entry("Acme", "/d/Acme 2025.db", 2025));
    db.SetRecentDatabaseInfo(entry("Beta", "/d/Beta 2025.db", 2025));
    EXPECT_EQ(intQuery(path(), "select count(*) from recentDatabase"), 1);
    auto recent = db.GetRecentDatabaseInfo();
    ASSERT_TRUE(recent.has_value());
    EXPECT_EQ(recent->name(), "Beta");
    EXPECT_EQ(recent->path(), "/d/Beta 2025.db");
    EXPECT_EQ(recent->year(), 2025);
    EXPECT_FALSE(recent->imported());
}

TEST_F(AppDatabaseTest, DatabaseListIsKeyedByPathAndOrderedByYearThenName) {
    ASSERT_TRUE(db.Init(path(), true));
    EXPECT_TRUE(db.InsertDatabaseInfo(entry("B", "/d/B 2024.db", 2024, "12-3456789")));
    EXPECT_TRUE(db.InsertDatabaseInfo(entry("A", "/d/A 2024.db", 2024)));
    EXPECT_TRUE(db.InsertDatabaseInfo(entry("b", "/d/b 2025.db", 2025)));
    EXPECT_TRUE(db.InsertDatabaseInfo(entry("Z", "/d/Z 2025.db", 2025)));
    // Newest year first, then by name byte-wise ("Z" before "b").
    EXPECT_EQ(listed(db.SelectDatabaseList()), (std::vector<std::string>{"Z|2025", "b|2025", "A|2024", "B|2024"}));

    // A path already listed is refused and changes nothing; later writes still commit.
    EXPECT_FALSE(db.InsertDatabaseInfo(entry("Other", "/d/B 2024.db", 2026)));
    EXPECT_EQ(intQuery(path(), "select count(*) from databaseList"), 4);
    EXPECT_FALSE(db.db()->isInTransaction());
    db.SetYear(2025);
    EXPECT_EQ(intQuery(path(), "select year from database"), 2025);

    databaseInfo changed = entry("B", "/d/B 2024.db", 2024, "98-7654321");
    changed.setCompanyName("B Holdings");
    db.UpdateDatabaseInfo(changed);
    databaseInfo found;
    EXPECT_EQ(db.SelectDatabaseInfo(found, "B"), 1);
    EXPECT_EQ(found.path(), "/d/B 2024.db");
    EXPECT_EQ(found.CompanyName(), "B Holdings");
    EXPECT_EQ(db.SelectDatabaseList().back().Fed_Id(), "98-7654321");
    EXPECT_EQ(db.SelectDatabaseInfo(found, "Nobody"), 0);

    db.DeleteDatabaseInfo(entry("", "/d/A 2024.db", 0));
    EXPECT_EQ(listed(db.SelectDatabaseList()), (std::vector<std::string>{"Z|2025", "b|2025", "B|2024"}));
}

TEST_F(AppDatabaseTest, PurgeKeepsOneYearOrDropsLaterOnes) {
    struct Case {
        bool thisYearAndLater;
        std::vector<std::string> kept;
    };
    for (const Case& c : {Case{false, {"N|2025"}}, Case{true, {"L|2024"}}}) {
        platform::removePath(path());
        AppDatabase purged;
        ASSERT_TRUE(purged.Init(path(), true));
        purged.InsertDatabaseInfo(entry("L", "/l", 2024));
        purged.InsertDatabaseInfo(entry("N", "/n", 2025));
        purged.InsertDatabaseInfo(entry("F", "/f", 2026));
        EXPECT_TRUE(purged.PurgeDatabaseList(2025, c.thisYearAndLater));
        EXPECT_EQ(listed(purged.SelectDatabaseList()), c.kept);
    }
}

TEST_F(AppDatabaseTest, PriorYearListSkipsListedPaths) {
    ASSERT_TRUE(db.Init(path(), true));
    databaseInfo acme = entry("Acme", "/d/Acme 2024.db", 2024);
    acme.setImported(true);
    db.InsertPriorYearInfo(acme);
    db.InsertPriorYearInfo(entry("Again", "/d/Acme 2024.db", 2024));
    db.InsertPriorYearInfo(entry("Beta", "/d/Beta 2024.db", 2024));
    auto list = db.SelectPriorYearList();
    ASSERT_EQ(listed(list), (std::vector<std::string>{"Acme|2024", "Beta|2024"}));
    EXPECT_TRUE(list[0].imported());
    EXPECT_FALSE(list[1].imported());
    db.DeletePriorYearInfo(acme);
    EXPECT_EQ(listed(db.SelectPriorYearList()), (std::vector<std::string>{"Beta|2024"}));
    db.PurgePriorYearList();
    EXPECT_TRUE(db.SelectPriorYearList().empty());
}

TEST_F(AppDatabaseTest, FolderPathsOneRowPerType) {
    ASSERT_TRUE(db.Init(path(), true));
    std::string folder = "/default";
    EXPECT_EQ(db.LoadFolderPath(3, folder), 0);
    EXPECT_EQ(folder, "/default");
    db.SaveFolderPath(3, "/first");
    db.SaveFolderPath(3, "/second");
    db.SaveFolderPath(0, "/backups");
    EXPECT_EQ(db.LoadFolderPath(3, folder), 1);
    EXPECT_EQ(folder, "/second");
    EXPECT_EQ(intQuery(path(), "select count(*) from folderPaths where folderType = 3"), 1);
}

TEST_F(AppDatabaseTest, CloudBackupEnrolmentIsStoredScrambled) {
    ASSERT_TRUE(db.Init(path(), true));
    databaseInfo read;
    EXPECT_EQ(db.GetCloudBackupInfo(read), 0);
    EXPECT_FALSE(db.SelectCloudBackup());
    EXPECT_EQ(db.SelectCloudCustomerId(), "");

    databaseInfo enrol;
    enrol.setCloudCheck(1);
    enrol.setCustomerId("12345");
    enrol.setEmailaddress("user@example.com");
    EXPECT_TRUE(db.InsertCloudBackupInfo(enrol));
    enrol.setCustomerId("67890");
    EXPECT_TRUE(db.InsertCloudBackupInfo(enrol));
    EXPECT_EQ(intQuery(path(), "select count(*) from preferences"), 1);
    EXPECT_EQ(textColumn(path(), "select custId from preferences"),
              (std::vector<std::string>{tvDatabase::Encrypt("67890")}));

    EXPECT_TRUE(db.SelectCloudBackup());
    EXPECT_EQ(db.SelectCloudCustomerId(), "67890");
    EXPECT_EQ(db.SelectCloudEmailAddress(), "user@example.com");
    EXPECT_EQ(db.GetCloudBackupInfo(read), -1);
    EXPECT_EQ(read.CloudCheck(), 1);
    EXPECT_EQ(read.CustomerId(), "67890");
    EXPECT_EQ(read.Emailaddress(), "user@example.com");

    EXPECT_FALSE(db.DeleteCloudBackupInfo(enrol));
    EXPECT_EQ(intQuery(path(), "select count(*) from preferences"), 0);
    EXPECT_TRUE(ui->shown().empty());
}

TEST_F(AppDatabaseTest, XorEncryptionCyclesOverEightKeyCharacters) {
    EXPECT_EQ(AppDatabase::XOR_Encryption(""), "");
    // 'a' (0x61) with key 'l' (0x6C & 0x78 = 0x68) gives 0x09.
    EXPECT_EQ(AppDatabase::XOR_Encryption("a"), "09");
    const std::string nine = AppDatabase::XOR_Encryption("aaaaaaaaa");
    ASSERT_EQ(nine.size(), 18u);
    EXPECT_EQ(nine.substr(16, 2), nine.substr(0, 2));
    EXPECT_EQ(nine.substr(0, 16), tvDatabase::Encrypt("aaaaaaaa"));
    EXPECT_NE(nine, tvDatabase::Encrypt("aaaaaaaaa"));
}

TEST_F(AppDatabaseTest, NeverOpenedDatabaseAnswersNothing) {
    AppDatabase fresh;
    EXPECT_FALSE(fresh.IsReady());
    EXPECT_TRUE(fresh.SelectDatabaseList().empty());
    EXPECT_FALSE(fresh.GetRecentDatabaseInfo().has_value());
    EXPECT_EQ(fresh.GetPath(), "");
    EXPECT_FALSE(fresh.fileOpen(true));
    EXPECT_TRUE(ui->shown().empty());
}

TEST_F(AppDatabaseTest, ClosedDatabaseReopensOnAnotherPath) {
    ASSERT_TRUE(db.Init(path(), true));
    db.Close();
    EXPECT_FALSE(db.IsReady());
    const std::string other = home.path() + "/other.db";
    ASSERT_TRUE(db.Init(other, true));
    EXPECT_EQ(db.GetPath(), other);
    EXPECT_TRUE(db.fileOpen(true));
    EXPECT_TRUE(db.dbIsOpen());
}

}  // namespace
