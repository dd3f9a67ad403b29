#include "ConfigFixture.h"

#include "core/foundation/Preferences.h"
#include "core/foundation/tvDatabase.h"
#include "platform/StandardPaths.h"

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

TEST_F(PreferencesTest, UnusableFilesAreReportedAndLeftNotReady) {
    struct Case {
        const char* what;
        std::string setupSql;   // run on a built file; empty: a file that is not a database
    };
    for (const Case& c : {Case{"version 0", "update version set version = 0;"},
                          Case{"no version row", "delete from version;"}, Case{"not a database", ""}}) {
        platform::removePath(dbPath());
        if (c.setupSql.empty()) {
            ASSERT_TRUE(platform::writeFileAtomically(dbPath(), "this is plain text, not a database file at all"));
        } else {
            Preferences build;
            ASSERT_TRUE(build.init(dbPath(), true));
            build.Close();
            execSql(dbPath(), c.setupSql);
        }
        restart();
        ui->answerBox(2);
        Preferences prefs;
        EXPECT_FALSE(prefs.init(dbPath(), true)) << c.what;
        EXPECT_FALSE(prefs.IsReady());
        ASSERT_EQ(ui->boxes().size(), 1u) << c.what;
        const MessageBoxRequest box = ui->boxes()[0];
        EXPECT_EQ(box.caption, "Unable to initialize the Configuration Database.");
        EXPECT_EQ(box.details, "Unable to update database.");
        EXPECT_EQ(box.style, 10);
        EXPECT_EQ(box.title, "");
        EXPECT_EQ(box.image, 512);

        // Without showErrors the failure is silent; later queries find nothing.
        restart();
        Preferences quiet;
        EXPECT_FALSE(quiet.init(dbPath(), false));
        EXPECT_TRUE(ui->shown().empty());
        EXPECT_EQ(quiet.selectAppDetails("1099", 2024), "");
    }
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
