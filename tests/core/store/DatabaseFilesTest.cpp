// New company database files (built in one transaction, nothing left behind on a
// failure), their names and paths, moving them, and finding them in a folder tree.

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "CompanyDbTestSupport.h"
#include "FailingDisk.h"
#include "KilledRun.h"
#include "TestConfiguration.h"
#include "WithoutFileOverride.h"
#include "core/foundation/Session.h"
#include "core/store/DatabaseFiles.h"
#include "core/store/Startup.h"
#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"

namespace {

using Strings = std::vector<std::string>;

// A trigger that makes the write of the schema version fail from the given step on.
void breakVersionWriteAt(int32_t failingStep) {
    CompanyDatabase::setStepHookForTesting([failingStep](CompanyDatabase& cdb, int32_t step) {
        if (step != failingStep) return;
        ASSERT_TRUE(cdb.db->executeUpdate(
            "create trigger fault before update of current_version on database "
            "begin select raise(abort, 'injected fault'); end;"));
    });
}

class NewFileTest : public CompanyDbTest {
protected:
    void TearDown() override {
        CompanyDatabase::setStepHookForTesting({});
        CompanyDbTest::TearDown();
    }
};

TEST_F(NewFileTest, CreateNewWritesSchemaNameAndYearAndLeavesTheFileClosed) {
    CompanyDatabase cdb;
    ASSERT_TRUE(cdb.CreateNew(path(), "Acme Books", 2025));
    EXPECT_FALSE(cdb.IsReady());
    auto db = raw(path());
    EXPECT_EQ(text(*db, "select current_version || '/' || year || '/' || name || '/' || in_use from database;"),
              "36/2025/Acme Books/0");
    EXPECT_EQ(text(*db, "select count(*) from logins;"), "2");
    EXPECT_NE(text(*db, "select count(*) from _1099NECFormat;"), "0");
    db->close();
    EXPECT_TRUE(ui->boxes().empty());
}

TEST_F(NewFileTest, AFailureWhileBuildingLeavesNoFileBehind) {
    breakVersionWriteAt(20);
    CompanyDatabase cdb;
    EXPECT_FALSE(cdb.CreateNew(path(), "Acme", 2025, CompanyDatabase::OpenFailures::quiet));
    EXPECT_FALSE(platform::fileExists(path()));
    EXPECT_FALSE(platform::fileExists(path() + "-journal"));
    EXPECT_NE(cdb.openFailure().find("injected fault"), std::string::npos) << cdb.openFailure();

    // The plain open of a new path builds the same way and cleans up the same way.
    CompanyDatabase opened;
    EXPECT_FALSE(opened.Init(path(), true, true, true, "Acme", CompanyDatabase::OpenFailures::quiet));
    EXPECT_FALSE(platform::fileExists(path()));
}

TEST_F(NewFileTest, AnExistingEmptyFileIsNeverRemovedAndAnExistingDatabaseIsRefused) {
    ASSERT_TRUE(platform::writeFileAtomically(path(), ""));
    breakVersionWriteAt(5);
    CompanyDatabase cdb;
    EXPECT_FALSE(cdb.Init(path(), true, true, true, "Acme", CompanyDatabase::OpenFailures::quiet));
    EXPECT_TRUE(platform::fileExists(path()));
    auto db = raw(path());
    EXPECT_EQ(text(*db, "select count(*) from sqlite_master;"), "0");   // rolled back as a whole
    db->close();

    CompanyDatabase::setStepHookForTesting({});
    ASSERT_TRUE(cdb.Init(path(), false, true, true, "Acme"));
    cdb.Close();
    EXPECT_FALSE(cdb.CreateNew(path(), "Other", 2025, CompanyDatabase::OpenFailures::quiet));
    db = raw(path());
    EXPECT_EQ(text(*db, "select ifnull(name, '') from database;"), "");
    db->close();
}

// The files of a folder (hidden ones included) whose names hold the text, by name.
Strings filesNamed(const std::string& folder, const std::string& part) {
    Strings names;
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name.find(part) != std::string::npos) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The program killed at each step of making a new company database (each step of putting
// a file in place, and half way through building the schema), in the program's year
// folder and under a folder chosen elsewhere: no temporary is made inside another,
// nothing is listed, what is left in the program's folder goes at the next start, and
// the next attempt clears what is left elsewhere and works.
TEST_F(NewFileTest, AKillAtAnyStepLeavesNothingBehindAndARetryWorks) {
    constexpr int kKilledInPlace = kKilledStatus + 1;   // killed once the file had its name
    const auto dir = openTestConfiguration(home->path());
    ASSERT_TRUE(dir);
    AppDatabase& app = *session().DBH->appDatabase();
    const std::string configuration = app.GetPath();
    const std::string final = "Acme Books 2025.db";
    const std::string elsewhere = yearFolderUnder(home->file("Desk"));
    ASSERT_TRUE(platform::createDirectories(elsewhere));   // a tree made before: no welcome
    for (const std::string& folder : {dir->GetDir(), elsewhere}) {
        const bool ownFolder = folder == dir->GetDir();
        int stopAt = -1;   // half way through the schema, then at each step of a replacement
        for (;; ++stopAt) {
            SCOPED_TRACE(folder + ", stopped at " + std::to_string(stopAt));
            app.Close();
            const int status = statusOfChild([&] {
                int passed = 0;
                if (stopAt < 0)
                    CompanyDatabase::setStepHookForTesting([](CompanyDatabase&, int32_t step) {
                        if (step == 30) ::_exit(kKilledStatus);
                    });
                else
                    platform::setReplaceStepHookForTesting([&](platform::ReplaceStep at, const std::string&) {
                        if (passed++ == stopAt)
                            ::_exit(at >= platform::ReplaceStep::renamed ? kKilledInPlace : kKilledStatus);
                        return true;
                    });
                const bool opened = app.Init(configuration, false);
                return opened && makeCompanyDatabase(folder, "Acme Books").outcome == NewDatabaseResult::Outcome::created
                           ? 0
                           : 1;
            });
            ASSERT_TRUE(app.Init(configuration, false));
            if (status != kKilledStatus && status != kKilledInPlace) {
                EXPECT_EQ(status, 0);
                break;
            }
            // Killed while the file was built: nothing under its name.
            EXPECT_EQ(platform::fileExists(folder + final), status == kKilledInPlace);
            for (const std::string& name : filesNamed(folder, "Acme Books"))
                EXPECT_EQ(name.find(".talvexa-partial-"), name.rfind(".talvexa-partial-")) << name;
            EXPECT_EQ(app.SelectDatabaseList().size(), 0u);
            // Killed after the rename: a whole file that no list names; it is not ours to clear.
            platform::removePath(folder + final);
            if (!ownFolder) continue;
            sweepProgramFolders();
            EXPECT_EQ(filesNamed(folder, "Acme Books"), Strings{});
        }
        EXPECT_GE(stopAt, 6);
        EXPECT_EQ(filesNamed(folder, "Acme Books"), Strings{final});
        EXPECT_EQ(text(*raw(folder + final), "select current_version || '/' || name from database;"), "36/Acme Books");
        ASSERT_EQ(app.SelectDatabaseList().size(), 1u);
        ASSERT_TRUE(app.DeleteDatabaseInfo(app.SelectDatabaseList()[0]));
    }
}

TEST_F(NewFileTest, AFullDiskOrAnIOErrorWhileMakingANewCompanyDatabaseLeavesNothingListedAndARetryWorks) {
    const auto dir = openTestConfiguration(home->path());
    ASSERT_TRUE(dir);
    const std::string folder = dir->GetDir();
    FailingDisk disk;   // the configuration database keeps its own connection, untouched
    {
        CompanyDatabase probe;
        disk.resetCount();
        ASSERT_TRUE(probe.CreateNew(path("probe.db"), "Probe", 2025));
    }
    const long total = disk.writes();
    ASSERT_GT(total, 3);
    const auto listed = [] { return session().DBH->appDatabase()->SelectDatabaseList().size(); };

    for (long allowed : {0L, total / 3, 2 * total / 3, total - 1}) {
        for (bool once : {false, true}) {
            SCOPED_TRACE(std::to_string(allowed) + (once ? " once" : ""));
            if (once) disk.failOnce(allowed, SQLITE_IOERR_WRITE);
            else disk.failAfter(allowed, SQLITE_FULL);
            const NewDatabaseResult made = makeCompanyDatabase(folder, "Acme Books");
            disk.disarm();
            EXPECT_EQ(made.outcome, NewDatabaseResult::Outcome::fileFailed);
            EXPECT_FALSE(made.reason.empty());
            EXPECT_EQ(filesNamed(folder, "Acme Books"), Strings{});   // no file under the name, no temporary one
            EXPECT_EQ(listed(), 0u);
        }
    }
    const NewDatabaseResult made = makeCompanyDatabase(folder, "Acme Books");
    ASSERT_EQ(made.outcome, NewDatabaseResult::Outcome::created) << made.reason;
    EXPECT_EQ(listed(), 1u);
    EXPECT_EQ(text(*raw(made.entry.path()), "select current_version || '/' || name from database;"),
              "36/Acme Books");
    EXPECT_TRUE(ui->boxes().empty());
}

// ---------------------------------------------------------------------------
// Names and paths

struct NameCase {
    const char* typed;
    const char* stored;
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << '"' << c.typed << '"'; }

class CleanNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(CleanNameTest, TrimsTurnsSlashesAndCuts) { EXPECT_EQ(cleanDatabaseName(GetParam().typed), GetParam().stored); }

INSTANTIATE_TEST_SUITE_P(
    Names, CleanNameTest,
    ::testing::Values(NameCase{"  Acme Books \t\n", "Acme Books"}, NameCase{"a/b\\c", "a_b_c"},
                      NameCase{"Ünïcode Ltd", "Ünïcode Ltd"},
                      NameCase{"A123456789012345678901234567890123456789012345678901234567890XYZ",
                               "A12345678901234567890123456789012345678901234567890123456789"},
                      NameCase{"Äbcdefghijklmnopqrstuvwxyzäbcdefghijklmnopqrstuvwxyzäbcdefghijklmno",
                               "Äbcdefghijklmnopqrstuvwxyzäbcdefghijklmnopqrstuvwxyzäbcdefgh"}));

TEST(DatabasePathTest, OneBuilderForEveryPath) {
    EXPECT_EQ(databaseFilePath("/h/My Docs/Talvexa/1099/2025/", " a/b ", false),
              "/h/My Docs/Talvexa/1099/2025/a_b 2025.db");
    // The marker changes the file name only: the folder must stay the one that exists.
    EXPECT_EQ(databaseFilePath("/h/My Docs/Talvexa/1099/2025", "Acme Books", true),
              "/h/My Docs/Talvexa/1099/2025/Acme_Books_2025.db");
    EXPECT_EQ(databaseFilePath("/h/", "Old", false, 2024), "/h/Old 2024.db");
}

TEST(DatabasePathTest, YearFolderUnderAChosenFolder) {
    EXPECT_EQ(yearFolderUnder("/h/Data"), "/h/Data/Talvexa/1099/2025/");
    EXPECT_EQ(yearFolderUnder("/h/Data/"), "/h/Data/Talvexa/1099/2025/");
    EXPECT_EQ(yearFolderUnder("/h/Data/Talvexa"), "/h/Data/Talvexa/1099/2025/");
    EXPECT_EQ(yearFolderUnder("/h/Data/Talvexa/1099/2024/"), "/h/Data/Talvexa/1099/2025/");
    EXPECT_EQ(yearFolderUnder("/h/Talvexa stuff"), "/h/Talvexa stuff/Talvexa/1099/2025/");
    EXPECT_EQ(yearFolderUnder("/"), "/Talvexa/1099/2025/");
    EXPECT_EQ(baseFolderOf("/h/Data/Talvexa/1099/"), "/h/Data");
}

// ---------------------------------------------------------------------------
// Moving and finding

class FilesOnDiskTest : public CompanyDbTest {
protected:
    std::string make(const std::string& relative) {
        const std::string file = home->file(relative);
        EXPECT_TRUE(platform::createDirectories(std::filesystem::path(file).parent_path().string()));
        EXPECT_TRUE(platform::writeFileAtomically(file, "x"));
        return file;
    }
};

TEST_F(FilesOnDiskTest, MoveRenamesAndNeverOverwrites) {
    const std::string from = make("a/One 2025.db");
    const std::string other = make("b/Two 2025.db");
    EXPECT_EQ(moveDatabaseFile(from, other), FileMove::failed);
    EXPECT_TRUE(platform::fileExists(from));
    const std::string to = home->file("b/One 2025.db");
    EXPECT_EQ(moveDatabaseFile(from, to), FileMove::moved);
    EXPECT_FALSE(platform::fileExists(from));
    EXPECT_TRUE(platform::fileExists(to));
}

TEST_F(FilesOnDiskTest, FindSkipsHiddenAndUnreadableFoldersAndEndsOnALinkLoop) {
    make("tree/Acme 2025.db");
    make("tree/Acme 2025.db.bak");
    make("tree/Acme 2024.db");
    make("tree/2025/plain.db");
    make("tree/notes 2025.txt");
    make("tree/.hidden/Secret 2025.db");
    make("tree/.Dot 2025.db");
    make("tree/locked/Locked 2025.db");
    ASSERT_EQ(::symlink(home->file("tree").c_str(), home->file("tree/loop").c_str()), 0);
    ASSERT_EQ(::chmod(home->file("tree/locked").c_str(), 0), 0);
    Strings found;
    {
        WithoutFileOverride plainUser;
        found = findDatabaseFiles(home->file("tree"), "2025");
    }
    ::chmod(home->file("tree/locked").c_str(), 0755);
    EXPECT_EQ(found, (Strings{home->file("tree/2025/plain.db"), home->file("tree/Acme 2025.db"),
                              home->file("tree/Acme 2025.db.bak")}));
    EXPECT_EQ(findDatabaseFiles(home->file("tree"), "2024"), Strings{home->file("tree/Acme 2024.db")});
}

}  // namespace
