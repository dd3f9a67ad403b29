// Opening, closing and the information row of a company database file.

#include <unistd.h>

#include <climits>
#include <stdexcept>

#include "CompanyDbTestSupport.h"
#include <functional>

#include "core/foundation/UserInfo.h"
#include "platform/FileSystem.h"

class CompanyDatabaseFile : public CompanyDbTest {
protected:
    // A current file with nothing in it but what a new file holds.
    void makeFile(const std::string& file) {
        CompanyDatabase cdb;
        ASSERT_TRUE(cdb.Init(file, false, false, true, "Company"));
        cdb.Close();
    }
};

TEST_F(CompanyDatabaseFile, InUseMarkFollowsOpenAndClose) {
    makeFile(path());
    {
        CompanyDatabase cdb;
        ASSERT_TRUE(cdb.Init(path(), true, false, true, "Company"));
        EXPECT_TRUE(cdb.IsReady());
        EXPECT_EQ(text(*raw(path()), "select in_use from database;"), "1");
        cdb.Close();
        EXPECT_FALSE(cdb.IsReady());
        EXPECT_EQ(text(*raw(path()), "select in_use from database;"), "0");
    }
    // Opening without asking for the mark leaves it as it was.
    ASSERT_TRUE(raw(path())->executeUpdate("update database set in_use = 1;"));
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));
    cdb.Close();
    EXPECT_EQ(text(*raw(path()), "select in_use from database;"), "1");
    EXPECT_TRUE(ui->shown().empty());
}

// A database kept for one piece of work clears its mark when it goes, however the work
// ends; one opened without the mark leaves it alone then too.
TEST_F(CompanyDatabaseFile, GoingOutOfScopeClearsTheInUseMark) {
    makeFile(path());
    const auto inUse = [&] { return text(*raw(path()), "select in_use from database;"); };
    const auto work = [&](bool markInUse, bool stop) {
        CompanyDatabase cdb;
        if (!cdb.Init(path(), markInUse, false, true, "Company")) return false;
        if (stop) throw std::runtime_error("stopped");
        return true;
    };
    EXPECT_TRUE(work(true, false));
    EXPECT_EQ(inUse(), "0");
    EXPECT_THROW(work(true, true), std::runtime_error);
    EXPECT_EQ(inUse(), "0");
    ASSERT_TRUE(raw(path())->executeUpdate("update database set in_use = 1;"));
    EXPECT_TRUE(work(false, false));
    EXPECT_EQ(inUse(), "1");
    EXPECT_TRUE(ui->shown().empty());
}

TEST_F(CompanyDatabaseFile, ReopeningClosesThePreviousFileFirst) {
    makeFile(path("a.db"));
    makeFile(path("b.db"));
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path("a.db"), true, false, true, "A"));
    ASSERT_TRUE(cdb.Init(path("b.db"), true, false, true, "B"));
    EXPECT_EQ(cdb.GetPath(), path("b.db"));
    EXPECT_EQ(cdb.filePath, path("b.db"));
    EXPECT_EQ(text(*raw(path("b.db")), "select in_use from database;"), "1");
    cdb.Close();
}

TEST_F(CompanyDatabaseFile, OpeningWithoutVerificationKeepsTheStoredVersion) {
    makeFile(path());
    ASSERT_TRUE(raw(path())->executeUpdate("update database set current_version = 30;"));
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path(), false, false, false, "Company"));
    EXPECT_EQ(text(*cdb.db, "select current_version from database;"), "30");
}

TEST_F(CompanyDatabaseFile, NewerOrNegativeVersionIsRefusedAndLeftUntouched) {
    struct Case {
        int version;
        const char* firstMessageStart;
    } cases[] = {
        {37, "Invalid database version. Database is for a newer version of Talvexa 1099."},
        {-1, "Invalid database version. Database does not appear to be a Talvexa 1099 Company Database."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        const std::string file = path("v" + std::to_string(c.version) + ".db");
        makeFile(file);
        ASSERT_TRUE(raw(file)->executeUpdate("update database set current_version = ?;", c.version));
        std::string before;
        ASSERT_TRUE(platform::readFile(file, before));

        ScriptedUserInterface boxes;
        boxes.answerBox(2);
        boxes.answerBox(2);
        CompanyDatabase cdb;
        EXPECT_FALSE(cdb.Init(file, true, false, true, "Company"));
        EXPECT_FALSE(cdb.IsReady());

        auto shown = boxes.boxes();
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0].caption, "Company Database Error!");
        EXPECT_EQ(shown[0].details.rfind(c.firstMessageStart, 0), 0u) << shown[0].details;
        EXPECT_EQ(shown[0].title, "Talvexa Erropr");
        EXPECT_EQ(shown[0].style, 4);
        EXPECT_EQ(shown[0].image, 512);
        EXPECT_EQ(shown[1].caption, "Database Warning");
        EXPECT_EQ(shown[1].details, "The database version does not match the code version.");

        std::string after;
        ASSERT_TRUE(platform::readFile(file, after));
        EXPECT_TRUE(before == after);
        EXPECT_EQ(text(*raw(file), "select current_version || ':' || in_use from database;"),
                  std::to_string(c.version) + ":0");
    }
}

TEST_F(CompanyDatabaseFile, NewerVersionMessageText) {
    makeFile(path());
    ASSERT_TRUE(raw(path())->executeUpdate("update database set current_version = 40;"));
    ui->answerBox(2);
    ui->answerBox(2);
    CompanyDatabase cdb;
    EXPECT_FALSE(cdb.Init(path(), false, false, true, "Company"));
    EXPECT_EQ(ui->boxes().at(0).details,
              "Invalid database version. Database is for a newer version of Talvexa 1099.\n\n            To resolve "
              "this issue, please make sure you are running the most recent version of Talvexa 1099 E-File 2025 and "
              "make sure you are trying to access the correct database or database backup.\n\n If you are trying to "
              "access 2026 information, please exit Talvexa 1099 E-File 2025 version 25.0.1");
}

TEST_F(CompanyDatabaseFile, ShortRelativePathOpensAndLeavesTheCurrentFolder) {
    char before[PATH_MAX];
    ASSERT_TRUE(getcwd(before, sizeof before));
    ASSERT_EQ(chdir(home->path().c_str()), 0);
    bool opened;
    char during[PATH_MAX];
    {
        CompanyDatabase cdb;
        opened = cdb.Init("c.db", true, false, true, "c");
        ASSERT_TRUE(getcwd(during, sizeof during));
        cdb.Close();
    }
    ASSERT_EQ(chdir(before), 0);
    EXPECT_TRUE(opened);
    EXPECT_EQ(std::string(during), home->path());
    EXPECT_EQ(text(*raw(path("c.db")), "select current_version from database;"), "36");
}

TEST_F(CompanyDatabaseFile, InformationRowAccessors) {
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));

    EXPECT_TRUE(cdb.SetName("O'Brien & Sons"));
    EXPECT_EQ(cdb.GetName(), "O'Brien & Sons");
    EXPECT_TRUE(cdb.SetYear(2026));
    EXPECT_EQ(cdb.GetYear(), 2026);

    // The information row keeps no id.
    EXPECT_TRUE(cdb.SetID(0));
    EXPECT_TRUE(cdb.SetID(77));
    EXPECT_EQ(cdb.GetID(), 0);

    struct BackupCase {
        int stored;
        bool backup;
    } backupCases[] = {{1, true}, {0, false}, {2, false}, {-1, false}};
    for (const auto& c : backupCases) {
        ASSERT_TRUE(cdb.db->executeUpdate("update database set isBackup = ?;", c.stored));
        EXPECT_EQ(cdb.IsBackup(), c.backup) << c.stored;
    }
    EXPECT_TRUE(cdb.SetBackup(true));
    EXPECT_TRUE(cdb.IsBackup());
    EXPECT_TRUE(cdb.SetBackup(false));
    EXPECT_FALSE(cdb.IsBackup());

    cdb.SetInUse(-5);
    EXPECT_EQ(cdb.GetInUseCount(), 0);
    cdb.SetInUse(3);
    EXPECT_EQ(cdb.GetInUseCount(), 3);
    EXPECT_TRUE(ui->shown().empty());
}

TEST_F(CompanyDatabaseFile, VersionTableIsAbsentAndReportedWhenAsked) {
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));
    EXPECT_EQ(cdb.GetVersion(false), -1);
    EXPECT_TRUE(ui->shown().empty());

    ui->answerBox(2);
    EXPECT_EQ(cdb.GetVersion(true), -1);
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].details, "Version not found.\n\n");
}

TEST_F(CompanyDatabaseFile, ErrorRoutineShowsTheStandardBox) {
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));
    ui->answerBox(2);
    ui->answerBox(2);
    cdb.DatabaseError(-1, "", "disk I/O error", true, true);
    cdb.DatabaseError(-1, "Unable to set the database name.", "locked", true, false);
    cdb.DatabaseError(-1, "Not shown.", "", false, true);
    auto shown = ui->boxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, "Company Database Error!");
    EXPECT_EQ(shown[0].details, "Unable to perform database operation.\n\ndisk I/O error");
    EXPECT_EQ(shown[0].style, 4);
    EXPECT_EQ(shown[0].title, "Company Database Warning");
    EXPECT_EQ(shown[0].image, 512);
    EXPECT_FALSE(shown[0].flag);
    EXPECT_EQ(shown[1].details, "Unable to set the database name.\n\nlocked");
    // The event log has no table in this schema: nothing is stored, nothing fails.
    EXPECT_EQ(text(*cdb.db, "select count(*) from sqlite_master where name = 'log';"), "0");
}

// A write that SQLite refuses reports false, shows one message with SQLite's reason
// and leaves the row as it was.
TEST_F(CompanyDatabaseFile, RefusedWritesReportFailureAndChangeNothing) {
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));
    ASSERT_TRUE(cdb.SetName("Before"));
    ASSERT_TRUE(cdb.db->executeStatements(
        "create trigger refuseInfo before update on database begin select raise(abort, 'refused by test'); end;"
        "create trigger refuseLoginUpdate before update on logins begin select raise(abort, 'refused by test'); end;"
        "create trigger refuseLoginDelete before delete on logins begin select raise(abort, 'refused by test'); end;"
        "create trigger refuseLoginInsert before insert on logins begin select raise(abort, 'refused by test'); end;"));
    UserInfo harbour = cdb.getUserInfo(1);
    harbour.setPassword("changed");

    struct Case {
        const char* name;
        std::function<bool()> write;
        const char* message;
    } cases[] = {
        {"SetName", [&] { return cdb.SetName("After"); }, "Unable to set the database name."},
        {"SetYear", [&] { return cdb.SetYear(2030); }, "Unable to set the database year."},
        {"SetBackup", [&] { return cdb.SetBackup(true); }, "Unable to set database as a backup."},
        {"insertUserInfo", [&] { return cdb.insertUserInfo(harbour); }, "Unable to add the user."},
        {"updateUserInfo", [&] { return cdb.updateUserInfo(harbour); }, "Unable to update the user."},
        {"deleteUser", [&] { return cdb.deleteUser(harbour); }, "Unable to delete the user."},
    };
    const std::string info = "select name || '|' || year || '|' || isBackup from database;";
    const std::string logins = "select group_concat(pk || name || password, ';') from logins;";
    const std::string infoBefore = text(*cdb.db, info);
    const std::string loginsBefore = text(*cdb.db, logins);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedUserInterface boxes;
        boxes.answerBox(1);
        EXPECT_FALSE(c.write());
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].details, std::string(c.message) + "\n\nrefused by test");
        EXPECT_FALSE(cdb.db->isInTransaction());
        EXPECT_EQ(text(*cdb.db, info), infoBefore);
        EXPECT_EQ(text(*cdb.db, logins), loginsBefore);
    }
}

// The error routine's message reaches the system log even though the event table of
// this schema does not exist.
TEST_F(CompanyDatabaseFile, ErrorsReachTheSystemLog) {
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));
    logLines.clear();
    cdb.DatabaseError(-1, "Unable to set the database name.", "disk I/O error", false, true);
    ASSERT_EQ(logLines.size(), 1u);
    EXPECT_NE(logLines[0].find("Unable to set the database name. disk I/O error"), std::string::npos);
    EXPECT_NE(logLines[0].find(path()), std::string::npos);
}

// A missing file whose kept-aside copy a crash left (then the only copy) opens as that
// copy, named in the log; it is never made anew over it. A kept name holding something
// that is no database is left alone, and the file is made new beside it.
TEST_F(CompanyDatabaseFile, AMissingFileNextToItsKeptCopyOpensAsThatCopy) {
    const std::string file = path("Acme 2025.db");
    const std::string kept = path(".Acme 2025.db.previous");
    makeFile(file);
    {
        CompanyDatabase cdb;
        ASSERT_TRUE(cdb.Init(file, false, false, true, "Company"));
        ASSERT_TRUE(cdb.SetName("The only copy"));
        cdb.Close();
    }
    ASSERT_EQ(::rename(file.c_str(), kept.c_str()), 0);
    logLines.clear();
    {
        CompanyDatabase cdb;
        ASSERT_TRUE(cdb.Init(file, false, false, true, "Company"));
        EXPECT_EQ(cdb.GetName(), "The only copy");
        cdb.Close();
    }
    EXPECT_FALSE(platform::fileExists(kept));
    ASSERT_EQ(logLines.size(), 1u);
    EXPECT_NE(logLines[0].find("\"" + file + "\""), std::string::npos) << logLines[0];

    ASSERT_EQ(::unlink(file.c_str()), 0);
    ASSERT_TRUE(platform::writeFileAtomically(kept, "someone's notes"));
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.Init(file, false, false, true, "Company"));
    EXPECT_TRUE(cdb.IsReady());
    cdb.Close();
    std::string bytes;
    ASSERT_TRUE(platform::readFile(kept, bytes));
    EXPECT_EQ(bytes, "someone's notes");
    EXPECT_TRUE(ui->shown().empty());
}
