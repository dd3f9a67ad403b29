#include "ConfigFixture.h"

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <regex>

#include "core/foundation/Preferences.h"
#include "core/foundation/tvDatabase.h"
#include "platform/StandardPaths.h"
#include "WithoutFileOverride.h"

namespace {

class PreferencesTest : public ConfigTest {
protected:
    std::string dbPath() const { return home.path() + "/.config/Talvexa/Preferences.db"; }
    void SetUp() override {
        ConfigTest::SetUp();
        ASSERT_TRUE(platform::createDirectories(home.path() + "/.config/Talvexa"));
    }
    void writeOlderFile(const std::string& text) {
        ASSERT_TRUE(platform::writeFileAtomically(platform::preferencesDir() + "/Talvexa Preferences", text));
    }
    std::vector<std::string> appDetails() {
        return textColumn(dbPath(),
                          "select name || '|' || year || '|' || Config_path from App_Details order by year desc, name");
    }
    std::string fileBytes() const {
        std::string bytes;
        EXPECT_TRUE(platform::readFile(dbPath(), bytes));
        return bytes;
    }
    // Names of the files moved aside beside the preferences database.
    std::vector<std::string> setAside() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(home.path() + "/.config/Talvexa")) {
            const std::string name = e.path().filename().string();
            if (name.find(".damaged-") != std::string::npos) names.push_back(name);
        }
        return names;
    }
    std::vector<std::string> prefRows() {
        return textColumn(dbPath(), "select Catgeory || '|' || name || '|' || val from Pref_val order by rowid");
    }
};

TEST_F(PreferencesTest, NewFileHoldsVersionOneAndThirteenZeroRows) {
    Preferences prefs;
    ASSERT_TRUE(prefs.init(dbPath(), true));
    EXPECT_TRUE(prefs.IsReady());
    EXPECT_EQ(intQuery(dbPath(), "select version from version"), 1);
    EXPECT_EQ(intQuery(dbPath(), "select count(*) from version"), 1);
    EXPECT_TRUE(appDetails().empty());
    EXPECT_EQ(prefRows(), (std::vector<std::string>{
                              "General|Open_Last_Database|0", "General|Font_Size|0", "General|Frame_Positioning|0",
                              "General|Remind_Backup|0", "General|Save_Command_Position_And_Size|0",
                              "General|Save_Frame_Position|0", "General|Save_Frame_Size|0", "Color_Cl|Brightness|0",
                              "Color_Cl|Hue|0", "Color_Cl|Saturation|0", "Color_New|Brightness|0",
                              "Color_New|Hue|0", "Color_New|Saturation|0"}));
    EXPECT_TRUE(ui->shown().empty());
}

TEST_F(PreferencesTest, AppDetailsKeepOneFolderPerProductAndYear) {
    Preferences prefs;
    ASSERT_TRUE(prefs.init(dbPath(), true));
    EXPECT_TRUE(prefs.selectAppYear("1099", 2025));
    prefs.InsertAppDetails("1099", 2025, "/a/Talvexa/1099/2025/");
    prefs.InsertAppDetails("1099", 2025, "/b/Talvexa/1099/2025/");
    EXPECT_EQ(appDetails(), (std::vector<std::string>{"1099|2025|/b/Talvexa/1099/2025/"}));
    EXPECT_FALSE(prefs.selectAppYear("1099", 2025));
    EXPECT_EQ(prefs.selectAppDetails("1099", 2025), "/b/Talvexa/1099/2025/");

    // A year without entry answers "" and keeps the folder found before.
    EXPECT_EQ(prefs.selectAppDetails("1099", 2019), "");
    EXPECT_EQ(prefs.App_Path(), "/b/Talvexa/1099/2025/");
    EXPECT_EQ(prefs.App_year(), 2019);
    EXPECT_EQ(prefs.App_name(), "1099");
}

TEST_F(PreferencesTest, StoredRowsChooseTheirFieldByNameAndCategory) {
    struct Case {
        std::string category, name;
        int val;
        const Preferences::Text& (Preferences::*field)() const;
    };
    const Case cases[] = {
        {"Color_New", "Hue", 120, &Preferences::commandHue2},
        {"Color_Cl", "Hue", 120, &Preferences::commandHue1},
        {"Color_New", "Brightness", 7, &Preferences::commandBrightness2},
        {"Color_Cl", "Saturation", 9, &Preferences::commandSaturation1},
        {"General", "Font_Size", 12, &Preferences::fontSize},
        {"General", "Save_Frame_Size", 1, &Preferences::saveFrameSize},
    };
    {
        Preferences build;
        ASSERT_TRUE(build.init(dbPath(), true));
    }
    for (const Case& c : cases) {
        execSql(dbPath(), "delete from Pref_val; insert into Pref_val values('" + c.category + "','" + c.name + "'," +
                              std::to_string(c.val) + ");");
        Preferences prefs;
        ASSERT_TRUE(prefs.init(dbPath(), true));
        prefs.selectPreferences();
        EXPECT_EQ((prefs.*c.field)(), std::to_string(c.val)) << c.category << " " << c.name;
    }
}

TEST_F(PreferencesTest, PreferencesRoundTrip) {
    {
        Preferences prefs;
        ASSERT_TRUE(prefs.init(dbPath(), true));
        prefs.setOpenLastDatabase("1");
        prefs.setFontSize("14");
        prefs.setFramePositioning("2");
        prefs.setRemindBackup("1");
        prefs.setSaveFramePosition("1");
        prefs.setSaveFrameSize("abc");  // not a number: stored as 0
        prefs.setSaveCommandPosAndSize("1");
        prefs.setCommandHue1("30");
        prefs.setCommandSaturation2("40");
        prefs.setCommandBrightness2("-5");
        EXPECT_TRUE(prefs.InsertPreferences());
        prefs.Close();
        EXPECT_FALSE(prefs.IsReady());
    }
    Preferences prefs;
    ASSERT_TRUE(prefs.init(dbPath(), true));
    prefs.selectPreferences();
    EXPECT_EQ(prefs.openLastDatabase(), "1");
    EXPECT_EQ(prefs.fontSize(), "14");
    EXPECT_EQ(prefs.framePositioning(), "2");
    EXPECT_EQ(prefs.remindBackup(), "1");
    EXPECT_EQ(prefs.saveFramePosition(), "1");
    EXPECT_EQ(prefs.saveFrameSize(), "0");
    EXPECT_EQ(prefs.commandHue1(), "30");
    EXPECT_EQ(prefs.commandSaturation2(), "40");
    EXPECT_EQ(prefs.commandBrightness2(), "-5");
    // Written, never read back.
    EXPECT_EQ(prefs.saveCommandPosAndSize(), std::nullopt);
    EXPECT_EQ(intQuery(dbPath(), "select val from Pref_val where name = 'Save_Command_Position_And_Size'"), 1);
}

TEST_F(PreferencesTest, NewerVersionWarnsAndStaysInUse) {
    {
        Preferences build;
        ASSERT_TRUE(build.init(dbPath(), true));
    }
    execSql(dbPath(), "update version set version = 3;");
    ui->answerBox(2);
    Preferences prefs;
    EXPECT_TRUE(prefs.init(dbPath(), true));
    EXPECT_TRUE(prefs.IsReady());
    ASSERT_EQ(ui->boxes().size(), 1u);
    const MessageBoxRequest box = ui->boxes()[0];
    EXPECT_EQ(box.caption, "Configuration Database Version Warning!");
    EXPECT_EQ(box.details, "");
    EXPECT_EQ(box.style, 4);
    EXPECT_EQ(box.title, "The database version does not match the code version.");
    EXPECT_EQ(box.image, 512);
}

// A readable file without a usable schema is reported, naming the file, and stays.
TEST_F(PreferencesTest, UnusableFilesAreReportedAndLeftNotReady) {
    struct Case {
        const char* what;
        std::string setupSql;   // run on a built file
    };
    for (const Case& c : {Case{"version 0", "update version set version = 0;"},
                          Case{"no version row", "delete from version;"}}) {
        platform::removePath(dbPath());
        {
            Preferences build;
            ASSERT_TRUE(build.init(dbPath(), true));
        }
        execSql(dbPath(), c.setupSql);
        const std::string bytes = fileBytes();
        restart();
        ui->answerBox(2);
        Preferences prefs;
        EXPECT_FALSE(prefs.init(dbPath(), true)) << c.what;
        EXPECT_FALSE(prefs.IsReady());
        ASSERT_EQ(ui->boxes().size(), 1u) << c.what;
        const MessageBoxRequest box = ui->boxes()[0];
        EXPECT_EQ(box.caption, "Unable to initialize the Configuration Database.");
        EXPECT_EQ(box.details,
                  "Unable to update database.\n\n    " + dbPath() + "\n\nThe file holds no valid version number.");
        EXPECT_EQ(box.style, 10);
        EXPECT_EQ(box.title, "");
        EXPECT_EQ(box.image, 512);

        // Without showErrors the failure is silent; later queries find nothing.
        restart();
        Preferences quiet;
        EXPECT_FALSE(quiet.init(dbPath(), false));
        EXPECT_TRUE(ui->shown().empty());
        EXPECT_EQ(quiet.selectAppDetails("1099", 2024), "");
        EXPECT_EQ(fileBytes(), bytes) << c.what;
        EXPECT_TRUE(setAside().empty()) << c.what;
    }
}

// A file SQLite cannot read as a database is moved aside once, under a dated name
// beside it, and the preferences start again from their defaults.
TEST_F(PreferencesTest, DamagedFileIsSetAsideOnceAndReplacedByDefaults) {
    struct Case {
        const char* what;
        std::function<void(const std::string&)> damage;
        const char* reason;
    };
    const Case cases[] = {
        {"not a database",
         [](const std::string& path) {
             ASSERT_TRUE(platform::writeFileAtomically(path, "this is plain text, not a database file at all"));
         },
         "file is not a database"},
        {"damaged page",
         [](const std::string& path) {
             std::string bytes;
             ASSERT_TRUE(platform::readFile(path, bytes));
             // The schema page after the 100-byte file header.
             for (std::size_t i = 100; i < 4096 && i < bytes.size(); ++i) bytes[i] = '\xA5';
             ASSERT_TRUE(platform::writeFileAtomically(path, bytes));
         },
         "database disk image is malformed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        platform::removePath(home.path() + "/.config/Talvexa");
        ASSERT_TRUE(platform::createDirectories(home.path() + "/.config/Talvexa"));
        {
            Preferences build;
            ASSERT_TRUE(build.init(dbPath(), true));
            ASSERT_TRUE(build.InsertAppDetails("1099", 2024, "/old/Talvexa/1099/2024/"));
        }
        c.damage(dbPath());
        const std::string damaged = fileBytes();

        restart();
        ui->answerBox(2);
        Preferences prefs;
        ASSERT_TRUE(prefs.init(dbPath(), true));
        EXPECT_TRUE(prefs.IsReady());
        const std::vector<std::string> moved = setAside();
        ASSERT_EQ(moved.size(), 1u);
        EXPECT_TRUE(std::regex_match(moved[0], std::regex("Preferences\\.db\\.damaged-\\d{4}-\\d{2}-\\d{2}-\\d{6}")))
            << moved[0];
        const std::string aside = home.path() + "/.config/Talvexa/" + moved[0];
        std::string asideBytes;
        ASSERT_TRUE(platform::readFile(aside, asideBytes));
        EXPECT_EQ(asideBytes, damaged);

        ASSERT_EQ(ui->boxes().size(), 1u);
        const MessageBoxRequest box = ui->boxes()[0];
        EXPECT_EQ(box.caption, "The preferences database could not be read.");
        EXPECT_EQ(box.details, "    " + dbPath() + "\n\n" + c.reason + "\n\nThe file has been moved aside as\n\n    " +
                                   aside + "\n\nand the program starts with default preferences.");
        EXPECT_EQ(box.style, 4);
        EXPECT_EQ(box.image, 512);

        // A new file with the defaults stands in its place.
        EXPECT_EQ(intQuery(dbPath(), "select version from version"), 1);
        EXPECT_EQ(intQuery(dbPath(), "select count(*) from Pref_val"), 13);
        EXPECT_EQ(prefs.selectAppDetails("1099", 2024), "");

        // The next start is clean.
        restart();
        Preferences next;
        EXPECT_TRUE(next.init(dbPath(), true));
        EXPECT_TRUE(ui->shown().empty());
        EXPECT_EQ(setAside().size(), 1u);
    }
}

// A file another program holds locked may be fine later: it is reported and stays.
TEST_F(PreferencesTest, LockedFileIsReportedAndStays) {
    {
        Preferences build;
        ASSERT_TRUE(build.init(dbPath(), true));
    }
    auto holder = FMDatabase::databaseWithPath(dbPath());
    ASSERT_TRUE(holder->open());
    ASSERT_TRUE(holder->executeStatements("begin exclusive; update version set version = 1;"));

    ui->answerBox(2);
    Preferences prefs;
    EXPECT_FALSE(prefs.init(dbPath(), true));
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].caption, "Unable to initialize the Configuration Database.");
    EXPECT_EQ(ui->boxes()[0].details, "Unable to update database.\n\n    " + dbPath() + "\n\ndatabase is locked");
    EXPECT_TRUE(setAside().empty());

    ASSERT_TRUE(holder->commit());
    holder->close();
    restart();
    Preferences later;
    EXPECT_TRUE(later.init(dbPath(), true));
    EXPECT_TRUE(ui->shown().empty());
}

// A file this user may not read stays where it is.
TEST_F(PreferencesTest, UnreadableFileIsReportedAndStays) {
    {
        Preferences build;
        ASSERT_TRUE(build.init(dbPath(), true));
    }
    ASSERT_EQ(::chmod(dbPath().c_str(), 0), 0);
    WithoutFileOverride plainUser;
    ASSERT_FALSE(platform::isReadable(dbPath()));
    ui->answerBox(2);
    Preferences prefs;
    EXPECT_FALSE(prefs.init(dbPath(), true));
    ::chmod(dbPath().c_str(), 0600);
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].details.rfind("Unable to update database.\n\n    " + dbPath() + "\n\n", 0), 0u);
    EXPECT_TRUE(setAside().empty());
    EXPECT_TRUE(platform::fileExists(dbPath()));
}

TEST_F(PreferencesTest, OlderFileIsImportedOnTheFirstRunOfTheYearOnly) {
    writeOlderFile(
        "HEADER\n"  // the first seven characters are skipped
        "[Payroll/Preferences]\n"
        "Open_Last_Database=1\n"
        "Font_Size=12\n"
        "Remind_Backup=1\n"
        "Save_Frame_Size=1\n"
        "[Payroll/Preferences/Command_Color_Classic]\n"
        "Hue=10\n"
        "Brightness=30\n"
        "[1099/2023]\n"
        "Config_Directory=/Users/a/Documents/Talvexa/1099/2023/\n"
        "Config_Directory=/orphan/\n");
    Preferences prefs;
    ASSERT_TRUE(prefs.init(dbPath(), true));
    prefs.CopySystemValues();

    EXPECT_EQ(appDetails(), (std::vector<std::string>{"1099|2023|/Users/a/Documents/Talvexa/1099/2023/", "|0|/orphan/"}));
    EXPECT_EQ(prefs.openLastDatabase(), "1");
    EXPECT_EQ(prefs.fontSize(), "12");
    EXPECT_EQ(prefs.remindBackup(), "1");
    EXPECT_EQ(prefs.saveFrameSize(), "1");
    EXPECT_EQ(intQuery(dbPath(), "select val from Pref_val where name = 'Font_Size'"), 12);
    EXPECT_EQ(intQuery(dbPath(), "select val from Pref_val where name = 'Open_Last_Database'"), 1);

    // Once the year has its entry the file is not read again.
    prefs.InsertAppDetails("1099", 2025, "/Users/a/Documents/Talvexa/1099/2025/");
    writeOlderFile("HEADER\n[1099/2022]\nConfig_Directory=/again/\nFont_Size=20\n");
    prefs.CopySystemValues();
    EXPECT_EQ(appDetails().size(), 3u);
    EXPECT_EQ(intQuery(dbPath(), "select val from Pref_val where name = 'Font_Size'"), 12);
}

TEST_F(PreferencesTest, OlderFileImportEdgeCases) {
    struct Case {
        const char* what;
        std::optional<std::string> file;   // absent: no older file
        std::vector<std::string> entries;
        bool rowsRewritten;
    };
    const Case cases[] = {
        {"absent", std::nullopt, {}, false},
        {"empty", std::string(), {}, false},
        {"last line skipped", std::string("HEADER\n[1099/2021]\nConfig_Directory=/x/\n[Payroll/Preferences]"),
         {"1099|2021|/x/"}, false},
        {"shorter than its header", std::string("abc"), {}, true},
        {"not UTF-8", std::string("HEADER\n[1099/2021]\nConfig_Directory=/\xff/\n"), {}, false},
    };
    for (const Case& c : cases) {
        platform::removePath(dbPath());
        platform::removePath(platform::preferencesDir() + "/Talvexa Preferences");
        if (c.file) writeOlderFile(*c.file);
        Preferences prefs;
        ASSERT_TRUE(prefs.init(dbPath(), true));
        execSql(dbPath(), "delete from Pref_val;");
        prefs.CopySystemValues();
        EXPECT_EQ(appDetails(), c.entries) << c.what;
        EXPECT_EQ(prefRows().size(), c.rowsRewritten ? 13u : 0u) << c.what;
    }
}

}  // namespace
