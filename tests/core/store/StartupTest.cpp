#include "core/foundation/ConfigFixture.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/Preferences.h"
#include "core/foundation/ScratchFolder.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/ScratchCopy.h"
#include "core/store/Startup.h"
#include "Leftovers.h"
#include "WithoutFileOverride.h"
#include "core/sqlite/LogCapture.h"

namespace {

class StartupTest : public ConfigTest {
protected:
    std::string prefsPath() const { return home.path() + "/.config/Talvexa/Preferences.db"; }
    std::string configDb(const std::string& base, int year = 2025) const {
        return base + "Talvexa/1099/" + std::to_string(year) + "/__Configuration/Talvexa_1099_" +
               std::to_string(year) + ".db";
    }
    // Stores folders in the preferences database as an earlier start would have.
    void storeFolders(const std::vector<std::pair<int, std::string>>& folders) {
        ASSERT_TRUE(platform::createDirectories(home.path() + "/.config/Talvexa"));
        Preferences prefs;
        ASSERT_TRUE(prefs.init(prefsPath(), false));
        for (const auto& [year, folder] : folders) prefs.InsertAppDetails("1099", year, folder);
    }
    std::vector<std::string> appDetails() {
        return textColumn(prefsPath(), "select year || '|' || Config_path from App_Details order by year desc");
    }
    // The answers a brand-new user gives: the welcome window, the setup window's
    // proposal, the welcome window again for the new folder and the notice.
    void answerFirstRun() {
        ui->answerWelcome();
        ui->answerSetup(1234, documents() + "/");
        ui->answerWelcome();
        ui->answerBox(2);
    }
};

TEST(StartupPaths, ConfigurationDatabasePathByYear) {
    struct Case {
        std::string dir;
        int year;
        std::string path;
    };
    for (const Case& c : {Case{"/base/", 2025, "/base/Talvexa/1099/2025/__Configuration/Talvexa_1099_2025.db"},
                          Case{"/base/", 2013, "/base/Talvexa/1099/2013/__Configuration/Talvexa_1099_2013.db"},
                          Case{"/base/", 2012, "/base/Talvexa/1099/2012//Talvexa_1099_2012.db"},
                          Case{"", 2024, "/Talvexa/1099/2024/__Configuration/Talvexa_1099_2024.db"}}) {
        TalvexaDir d;
        d.setDir(c.dir);
        d.SetYear(c.year);
        EXPECT_EQ(GetAppDbPath(&d), c.path);
    }
}

TEST_F(StartupTest, BrandNewUserChoosesTheProposedFolder) {
    answerFirstRun();
    ASSERT_TRUE(runStartup());
    EXPECT_EQ(windows(), (std::vector<std::string>{"welcome", "configurationSetup", "welcome", "messageBox"}));
    EXPECT_EQ(ui->boxes().at(0).caption, "Created Talvexa Configuration Directory. Please Do Not Modify!");
    EXPECT_TRUE(ui->allAnswersUsed());

    const std::string base = documents() + "/";
    for (const char* folder : {"__Configuration", "_Backups/_Auto_Backups", "_Reports"})
        EXPECT_TRUE(platform::isDirectory(base + "Talvexa/1099/2025/" + folder)) << folder;
    ASSERT_TRUE(platform::fileExists(configDb(base)));
    EXPECT_EQ(intQuery(configDb(base), "select year from database"), 2025);
    EXPECT_EQ(intQuery(configDb(base), "select current_version from database"), 4);
    EXPECT_EQ(appDetails(), (std::vector<std::string>{"2025|" + base + "Talvexa/1099/2025/"}));
    // A new user's preference rows are written.
    EXPECT_EQ(intQuery(prefsPath(), "select count(*) from Pref_val"), 13);

    const Session& s = session();
    EXPECT_TRUE(s.appDBReady);
    EXPECT_FALSE(s.isExistingUser);
    EXPECT_FALSE(IsExistingUser());
    EXPECT_FALSE(IsFirstRun());
    EXPECT_EQ(s.OpenFlag, 0);
    EXPECT_EQ(s.companyPK, -1);
    EXPECT_EQ(s.ControlledTempDir, base + "Talvexa/1099/2025/__Configuration");
    EXPECT_EQ(s.configDir->GetYear(), 2025);
    ASSERT_TRUE(s.DBH && s.DBH->appDatabase());
    EXPECT_TRUE(s.DBH->appDatabase()->IsReady());
    EXPECT_TRUE(s.Prefs->IsReady());

    // The next start finds everything in place and shows nothing.
    restart();
    ASSERT_TRUE(runStartup());
    EXPECT_TRUE(ui->shown().empty());
    EXPECT_EQ(session().configDir->dir(), base);
    EXPECT_TRUE(session().appDBReady);
    EXPECT_EQ(appDetails().size(), 1u);
}

TEST_F(StartupTest, LastYearsConfigurationIsCopiedUpgradedAndListed) {
    const std::string base = home.path() + "/Data/";
    storeFolders({{2024, base + "Talvexa/1099/2024/"}});
    const std::string lastYear = configDb(base, 2024);
    ASSERT_TRUE(platform::createDirectories(base + "Talvexa/1099/2024/__Configuration"));
    execSql(lastYear, std::string(kVersion1ConfigSchema) +
                          "insert into databaseList values ('" + base + "Talvexa/1099/2024/Acme 2024.db', 'Acme', 2024);"
                          "insert into databaseList values ('" + base + "Talvexa/1099/2024/Beta 2024.db', 'Beta', 2024);"
                          "insert into databaseList values ('/elsewhere/Old 2023.db', 'Old', 2023);"
                          "insert into databaseList values ('" + base + "Talvexa/1099/2025/New 2025.db', 'New', 2025);"
                          "insert into recentDatabase values ('/x/Acme 2024.db', 'Acme', 2024);");
    // Acme was rolled over already.
    ASSERT_TRUE(platform::createDirectories(base + "Talvexa/1099/2025"));
    std::ofstream(base + "Talvexa/1099/2025/Acme 2025.db") << "";

    ui->answerWelcome();  // first run of the year; the Talvexa folder exists already
    ASSERT_TRUE(runStartup());
    EXPECT_EQ(windows(), (std::vector<std::string>{"welcome"}));
    EXPECT_TRUE(session().isExistingUser);

    const std::string thisYear = configDb(base);
    ASSERT_TRUE(platform::fileExists(thisYear));
    EXPECT_EQ(intQuery(thisYear, "select year from database"), 2025);
    EXPECT_EQ(intQuery(thisYear, "select current_version from database"), 4);
    EXPECT_EQ(intQuery(thisYear, "select isPriorYear from database"), 0);
    EXPECT_EQ(textColumn(thisYear, "select name from databaseList"), (std::vector<std::string>{"New"}));
    EXPECT_EQ(textColumn(thisYear, "select path || '|' || name || '|' || year from recentDatabase"),
              (std::vector<std::string>{"||0"}));
    EXPECT_EQ(textColumn(thisYear, "select name || '|' || year || '|' || imported from priorYearList order by name"),
              (std::vector<std::string>{"Acme|2024|1", "Beta|2024|0"}));

    // Last year's file was brought to the current schema and marked as carried over.
    EXPECT_EQ(intQuery(lastYear, "select current_version from database"), 4);
    EXPECT_EQ(intQuery(lastYear, "select isPriorYear from database"), 1);
    EXPECT_FALSE(platform::fileExists(base + "Talvexa/1099/2025/__Configuration/temporaryRestoreDatabase.db"));
    EXPECT_EQ(appDetails(), (std::vector<std::string>{"2025|" + base + "Talvexa/1099/2025/",
                                                      "2024|" + base + "Talvexa/1099/2024/"}));
    // An existing user's preference rows are left as they were.
    EXPECT_EQ(intQuery(prefsPath(), "select count(*) from Pref_val"), 13);

    // Reading last year's list again adds nothing twice.
    EXPECT_EQ(LoadPriorYearDatabaseList(), 4);
    EXPECT_EQ(intQuery(thisYear, "select count(*) from priorYearList"), 2);
}

TEST_F(StartupTest, UnreadableLastYearIsNotCarriedOver) {
    const std::string base = home.path() + "/Data/";
    storeFolders({{2024, base + "Talvexa/1099/2024/"}});
    ASSERT_TRUE(platform::createDirectories(base + "Talvexa/1099/2024/__Configuration"));
    execSql(configDb(base, 2024), std::string(kVersion1ConfigSchema) + "update database set current_version = 9;");

    ui->answerWelcome();
    ASSERT_TRUE(runStartup());
    const std::string thisYear = configDb(base);
    EXPECT_EQ(intQuery(thisYear, "select current_version from database"), 4);
    EXPECT_EQ(intQuery(thisYear, "select year from database"), 2025);
    EXPECT_EQ(intQuery(configDb(base, 2024), "select current_version from database"), 9);
    EXPECT_NE(std::find(log.begin(), log.end(), "Not copied"), log.end());
}

TEST_F(StartupTest, PriorConfigurationSearch) {
    const std::string base = home.path() + "/Data/";
    struct Case {
        const char* what;
        std::vector<std::pair<int, std::string>> stored;
        std::vector<int> files;   // years with a configuration database file under base
        bool found;
        int year;
        std::string foundBase;
    };
    // A file is found under configDir's dir followed by "/Talvexa/...", hence the doubled "/".
    const Case cases[] = {
        {"newest stored year wins", {{2019, "/old/Talvexa/1099/2019/"}, {2024, base + "Talvexa/1099/2024/"}}, {}, true,
         2024, base},
        {"stored years before files", {{2013, "/old/Talvexa/1099/2013/"}}, {2024}, true, 2013, "/old/"},
        {"file of 2012 without configuration folder", {}, {2012}, true, 2012, base + "/"},
        {"newest file wins", {}, {2016, 2013}, true, 2016, base + "/"},
        {"nothing", {}, {}, false, 0, ""},
    };
    for (const Case& c : cases) {
        restart();
        platform::removePath(home.path() + "/.config/Talvexa");
        platform::removePath(base);
        storeFolders(c.stored);
        for (int year : c.files) {
            TalvexaDir d;
            d.setDir(base);
            d.SetYear(year);
            const std::string file = GetAppDbPath(&d);
            ASSERT_TRUE(platform::createDirectories(file.substr(0, file.rfind('/'))));
            std::ofstream(file) << "";
        }
        session().Prefs = std::make_shared<Preferences>();
        ASSERT_TRUE(session().Prefs->init(prefsPath(), false));
        session().configDir = std::make_shared<TalvexaDir>();
        session().configDir->setDir(base);
        session().configDir->SetYear(2025);

        TalvexaDir found;
        EXPECT_EQ(GetPriorConfigDir(found), c.found) << c.what;
        EXPECT_EQ(found.GetYear(), c.year) << c.what;
        EXPECT_EQ(found.GetBaseDir(), c.foundBase) << c.what;
        if (c.found && c.stored.empty()) {
            EXPECT_TRUE(platform::fileExists(GetAppDbPath(&found))) << c.what;
        }
    }
}

TEST_F(StartupTest, UnusableBaseFolderEndsInTheChoiceToExit) {
    // A regular file where the base folder should be stops folder creation for every
    // user, root included.
    const std::string file = home.path() + "/afile";
    std::ofstream(file) << "x";
    storeFolders({{2025, file + "/Talvexa/1099/2025/"}});

    ui->answerBox(2);   // the failure notice
    ui->answerBox(2);   // "Exit Talvexa 1099"
    EXPECT_FALSE(runStartup());
    EXPECT_EQ(windows(), (std::vector<std::string>{"messageBox", "messageBox"}));
    const auto boxes = ui->boxes();
    EXPECT_EQ(boxes[0].caption, "Unable to initialize the Talvexa Configuration Directory.");
    EXPECT_EQ(boxes[0].details,
              "To resolve this issue, please have a system administrator provide you with Read & Write access for "
              "the following directory:\n\n    " + file + "/");
    EXPECT_EQ(boxes[0].style, 10);
    EXPECT_EQ(boxes[0].image, 8);
    EXPECT_EQ(boxes[1].caption, "Create new configuration files?");
    EXPECT_EQ(boxes[1].details,
              "If you are unable to resolve this issue, Talvexa 2025 can create new configuration files in a "
              "different location. Creating new files may help resolve this issue, but will also result in the loss "
              "of the database list in the Database Manager, and reset some application preferences to thier "
              "default values. You may also be prompted to re-install any Automatic Tax Table Updates.Do you want "
              "to exit Talvexa 2025 now to resolve this issue, or create new configuration files?");
    EXPECT_EQ(boxes[1].style, 10);
    EXPECT_EQ(boxes[1].okYesLabel, "Exit Talvexa 1099");
    EXPECT_EQ(boxes[1].cancelLabel, "Create New Configuration Files");
    EXPECT_FALSE(session().appDBReady);
    EXPECT_TRUE(platform::fileExists(file) && !platform::isDirectory(file));
}

TEST_F(StartupTest, CreatingNewFilesElsewhereBringsTheSetupWindowBack) {
    const std::string file = home.path() + "/afile";
    std::ofstream(file) << "x";
    storeFolders({{2025, file + "/Talvexa/1099/2025/"}});

    ui->answerBox(2);    // the failure notice
    ui->answerBox(16);   // "Create New Configuration Files"
    ui->answerSetup(1234, documents() + "/");
    ui->answerWelcome();
    ui->answerBox(2);    // the notice about the new folder
    ASSERT_TRUE(runStartup());
    EXPECT_EQ(windows(), (std::vector<std::string>{"messageBox", "messageBox", "configurationSetup", "welcome",
                                                   "messageBox"}));
    EXPECT_TRUE(session().appDBReady);
    EXPECT_EQ(appDetails(), (std::vector<std::string>{"2025|" + documents() + "/Talvexa/1099/2025/"}));
}

TEST_F(StartupTest, ConfigurationDatabaseThatCannotBeOpenedIsNotUsed) {
    const std::string base = documents() + "/";
    storeFolders({{2025, base + "Talvexa/1099/2025/"}});
    ASSERT_TRUE(platform::createDirectories(base + "Talvexa/1099/2025/__Configuration"));
    ASSERT_TRUE(platform::writeFileAtomically(configDb(base), "not a database, just some text in the file"));

    ui->answerBox(2);   // the failure, with SQLite's reason
    ui->answerBox(2);   // "Exit Talvexa 1099"
    EXPECT_FALSE(runStartup());
    const auto boxes = ui->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Unable to initialize the Configuration Database.");
    EXPECT_EQ(boxes[0].details, "file is not a database");
    EXPECT_EQ(boxes[1].caption, "Create new configuration files?");
    EXPECT_FALSE(session().appDBReady);
    EXPECT_FALSE(session().DBH->appDatabase()->IsReady());
}

// A damaged preferences database costs the user the remembered folders once, not every
// start: it is set aside, and the start after the first-run windows is clean.
TEST_F(StartupTest, DamagedPreferencesAreSetAsideAndTheNextStartIsClean) {
    ASSERT_TRUE(platform::createDirectories(home.path() + "/.config/Talvexa"));
    ASSERT_TRUE(platform::writeFileAtomically(prefsPath(), std::string(8192, '\x5A')));

    ui->answerBox(2);   // the file was set aside
    answerFirstRun();
    ASSERT_TRUE(runStartup());
    EXPECT_TRUE(ui->allAnswersUsed());
    EXPECT_EQ(ui->boxes().at(0).caption, "The preferences database could not be read.");
    EXPECT_TRUE(session().Prefs->IsReady());
    EXPECT_EQ(appDetails(), (std::vector<std::string>{"2025|" + documents() + "/Talvexa/1099/2025/"}));

    restart();
    ASSERT_TRUE(runStartup());
    EXPECT_TRUE(ui->shown().empty());
    EXPECT_TRUE(session().appDBReady);
}

// What a crash left while files were being replaced is cleared at the next start: in the
// program's own folders all of it, and beside every listed database only what that
// database's own replacements left, so the files of other programs there keep every
// byte. A kept-aside database whose file is missing is the only copy and goes back in
// place, named in the log; the scratch copy a killed restore left goes too.
TEST_F(StartupTest, TheNextStartClearsLeftoversAndPutsBackAnOnlyCopy) {
    answerFirstRun();
    ASSERT_TRUE(runStartup());
    const std::string year = documents() + "/Talvexa/1099/2025/";
    const std::string configuration = year + "__Configuration/";
    const std::string downloads = home.file("Downloads");
    ASSERT_TRUE(platform::createDirectories(downloads));
    for (const char* name : {"Elsewhere", "Gone"})
        ASSERT_TRUE(session().DBH->appDatabase()->InsertDatabaseInfo(
            databaseInfo(name, downloads + "/" + name + " 2025.db", 2025, false, "")));
    const auto put = [](const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    };
    const auto database = [](const std::string& text) { return std::string("SQLite format 3\0", 16) + text; };
    put(year + ".Acme 2025.db.talvexa-partial-0123456789abcdef", "");
    put(year + ".Acme 2025.db.talvexa-partial-0123456789abcdef-journal", "journal");
    put(year + ".Acme 2025.db.partial-Ab12Cd", "half, from an earlier build");
    put(year + "Beta 2025.db.partial", database("half, from an earlier build"));
    put(year + ".Gamma 2025.db.previous", database("the only copy"));
    put(configuration + ".forms1099Versions_64.db.partial-zZ09aB", "half");
    put(configuration + "temporaryRestoreDatabase.db", database("a whole company file"));
    put(configuration + "temporaryRestoreDatabase.db-journal", "journal");
    putOtherProgramsFiles(downloads, "Elsewhere 2025.db");
    put(downloads + "/Elsewhere 2025.db", database("listed"));
    const std::map<std::string, std::string> others = filesWithBytes(downloads);
    put(downloads + "/.Elsewhere 2025.db.talvexa-partial-fedcba9876543210", "");
    put(downloads + "/.Elsewhere 2025.db.talvexa-partial-fedcba9876543210-wal", "");
    // A copy made inside a temporary of the database, as an earlier build made it.
    const std::string nested = downloads + "/..Elsewhere 2025.db.talvexa-partial-fedcba9876543210";
    put(nested + ".talvexa-partial-0123456789abcdef", database("a whole copy"));
    put(nested + ".talvexa-partial-0123456789abcdef-journal", "journal");
    put(downloads + "/.Gone 2025.db.previous", database("gone's only copy"));

    restart();
    LogCapture logged;
    ASSERT_TRUE(runStartup());
    const auto files = [](const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            if (e.is_regular_file()) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_EQ(files(year), std::vector<std::string>{"Gamma 2025.db"});
    std::string text;
    ASSERT_TRUE(platform::readFile(year + "Gamma 2025.db", text));
    EXPECT_EQ(text, database("the only copy"));
    EXPECT_EQ(files(configuration),
              (std::vector<std::string>{".temporaryRestoreDatabase.db.lock", "Talvexa_1099_2025.db"}));
    std::map<std::string, std::string> expected = others;
    expected["Gone 2025.db"] = database("gone's only copy");
    EXPECT_EQ(filesWithBytes(downloads), expected);
    for (const std::string& putBack : {year + "Gamma 2025.db", downloads + "/Gone 2025.db"}) {
        const auto lines = logged.lines();
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                                [&](const std::string& line) { return line.find(putBack) != std::string::npos; }))
            << putBack;
    }
}

// The report files a killed print run left in the configuration folder (every
// recipient's name, address and amounts) go at the next start: those names only, and as
// entries, so a link there goes and what it points to stays as it was.
TEST_F(StartupTest, TheNextStartRemovesTheReportFilesAKilledPrintRunLeft) {
    answerFirstRun();
    ASSERT_TRUE(runStartup());
    const std::string configuration = documents() + "/Talvexa/1099/2025/__Configuration/";
    const std::string users = home.file("tax notes.txt");
    const auto put = [](const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    };
    put(users, "the user's own");
    put(configuration + "report.PDF", "%PDF-1.7 every recipient");
    ASSERT_EQ(::symlink(users.c_str(), (configuration + "Checks.PDF").c_str()), 0);
    // Names that are not the print runs' own, and the same name elsewhere, stay.
    put(configuration + "report.pdf", "the user's");
    put(documents() + "/report.PDF", "the user's");

    restart();
    ASSERT_TRUE(runStartup());
    for (const char* name : {"report.PDF", "Checks.PDF"})
        EXPECT_EQ(std::filesystem::symlink_status(configuration + name).type(), std::filesystem::file_type::not_found)
            << name;
    std::string text;
    ASSERT_TRUE(platform::readFile(users, text));
    EXPECT_EQ(text, "the user's own");
    EXPECT_TRUE(platform::fileExists(configuration + "report.pdf"));
    EXPECT_TRUE(platform::fileExists(documents() + "/report.PDF"));
}

// A start while another copy of the program is at work (a restore holding the scratch
// copy, an e-file built and waiting for the save panel) leaves that copy's files alone;
// once that copy is killed, the next start clears them.
TEST_F(StartupTest, AStartLeavesWhatARunningCopyHoldsAndClearsWhatAKilledOneLeft) {
    answerFirstRun();
    ASSERT_TRUE(runStartup());
    const std::string scratchCopy = ScratchCopy::scratchPath();
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        const ScratchCopy held;
        std::string reason;
        const std::string run = runScratchFolder(reason);
        std::ofstream(held.path()) << "a whole company file";
        std::ofstream(run + "/1099_E-File.txt") << "taxpayer numbers";
        const bool written = ::write(ready[1], run.empty() ? "0" : "1", 1) == 1;
        while (written) ::pause();
        ::_exit(1);
    }
    ::close(ready[1]);
    char made = 0;
    const bool heard = ::read(ready[0], &made, 1) == 1;
    ::close(ready[0]);
    const auto runFolders = [] {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& e : std::filesystem::directory_iterator(scratchFolder(), ec))
            names.push_back(e.path().filename().string());
        return names;
    };

    restart();
    ASSERT_TRUE(runStartup());
    EXPECT_TRUE(heard && made == '1');
    EXPECT_TRUE(platform::fileExists(scratchCopy));
    EXPECT_EQ(runFolders().size(), 1u);
    struct stat folder {};
    ASSERT_EQ(::stat(scratchFolder().c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u) << "the scratch folder is the user's alone";

    ::kill(other, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(other, &status, 0), other);
    restart();
    ASSERT_TRUE(runStartup());
    EXPECT_FALSE(platform::fileExists(scratchCopy));
    EXPECT_TRUE(runFolders().empty());
}

TEST_F(StartupTest, UnreadableConfigurationDatabaseIsReported) {
    const std::string base = documents() + "/";
    storeFolders({{2025, base + "Talvexa/1099/2025/"}});
    ASSERT_TRUE(platform::createDirectories(base + "Talvexa/1099/2025/__Configuration"));
    execSql(configDb(base), kVersion1ConfigSchema);
    ASSERT_EQ(chmod(configDb(base).c_str(), 0), 0);
    WithoutFileOverride plainUser;
    ASSERT_FALSE(platform::isReadable(configDb(base)));

    ui->answerBox(2);   // the failure notice
    ui->answerBox(2);   // "Exit Talvexa 1099"
    EXPECT_FALSE(runStartup());
    const auto boxes = ui->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Unable to initialize the Configuration Database.");
    EXPECT_EQ(boxes[0].details,
              "To resolve this issue, please have a system administrator provide you with Read & Write access for "
              "the following directory and all of its sub-directories and files:\n\n    " + base + "Talvexa");
    EXPECT_EQ(boxes[0].style, 10);
    EXPECT_EQ(boxes[0].image, 512);
    EXPECT_EQ(boxes[0].title, "");
    EXPECT_EQ(boxes[1].caption, "Create new configuration files?");
    chmod(configDb(base).c_str(), 0600);
}

TEST_F(StartupTest, GlobalsAndPreferenceRows) {
    session().configDir = std::make_shared<TalvexaDir>();
    session().configDir->setDir("/a//b/");
    session().configDir->SetYear(2025);
    session().OpenFlag = 3;
    session().companyPK = 7;
    InitGlobals();
    EXPECT_EQ(session().ControlledTempDir, "/a/b/Talvexa/1099/2025/__Configuration");
    EXPECT_EQ(session().OpenFlag, 0);
    EXPECT_EQ(session().companyPK, -1);

    auto copy = GetConfigDir();
    copy->SetYear(2024);
    EXPECT_EQ(session().configDir->GetYear(), 2025);
    EXPECT_EQ(copy->dir(), "/a//b/");

    // Preference rows are written at start only for a user without last year's data.
    ASSERT_TRUE(platform::createDirectories(home.path() + "/.config/Talvexa"));
    for (bool existing : {true, false}) {
        session().Prefs = std::make_shared<Preferences>();
        ASSERT_TRUE(session().Prefs->init(prefsPath(), true));
        execSql(prefsPath(), "delete from Pref_val;");
        session().isExistingUser = existing;
        LoadPreferences();
        EXPECT_EQ(intQuery(prefsPath(), "select count(*) from Pref_val"), existing ? 0 : 13);
    }
}

TEST_F(StartupTest, PriorYearListNeedsAReadyConfigurationDatabase) {
    EXPECT_EQ(LoadPriorYearDatabaseList(), -1);
    session().DBH = std::make_shared<DatabaseHolder>();
    EXPECT_EQ(LoadPriorYearDatabaseList(), -1);
}

}  // namespace
