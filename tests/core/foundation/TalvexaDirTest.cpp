#include "ConfigFixture.h"

#include <fstream>
#include <ostream>

#include "core/foundation/TalvexaDir.h"

namespace {

struct PathCase {
    std::string dir;
    int year;
    std::string talvexa, yearFolder, config, backups, autoBackups, reports;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << '"' << c.dir << "\" " << c.year; }

// "/Volumes/Data/" and 2025 give "Volumes_Data_2025".
std::string caseName(const ::testing::TestParamInfo<PathCase>& info) {
    std::string name;
    for (char ch : info.param.dir) {
        const bool word = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
        if (word) name += ch;
        else if (!name.empty() && name.back() != '_') name += '_';
    }
    if (name.empty()) name = "NoDir_";
    else if (name.back() != '_') name += '_';
    return name + std::to_string(info.param.year);
}

class TalvexaDirPaths : public ::testing::TestWithParam<PathCase> {};

TEST_P(TalvexaDirPaths, DerivesEveryFolderByConcatenation) {
    const PathCase& c = GetParam();
    TalvexaDir d;
    d.setDir(c.dir);
    d.SetYear(c.year);
    EXPECT_EQ(d.GetTalvexaDir(), c.talvexa);
    EXPECT_EQ(d.GetAppDir(), c.talvexa + "/1099");
    EXPECT_EQ(d.GetDir(), c.yearFolder);
    EXPECT_EQ(d.GetConfigDir(), c.config);
    EXPECT_EQ(d.GetBackupsDir(), c.backups);
    EXPECT_EQ(d.GetAutoBackupsDir(), c.autoBackups);
    EXPECT_EQ(d.GetReportsDir(), c.reports);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TalvexaDirPaths,
    ::testing::Values(
        PathCase{"/Volumes/Data/", 2025, "/Volumes/Data/Talvexa", "/Volumes/Data/Talvexa/1099/2025/",
                 "/Volumes/Data/Talvexa/1099/2025/__Configuration", "/Volumes/Data/Talvexa/1099/2025//_Backups",
                 "/Volumes/Data/Talvexa/1099/2025//_Backups/_Auto_Backups", "/Volumes/Data/Talvexa/1099/2025//_Reports"},
        PathCase{"/Users/a/Documents", 2024, "/Users/a/Documents/Talvexa", "/Users/a/Documents/Talvexa/1099/2024/",
                 "/Users/a/Documents/Talvexa/1099/2024/__Configuration",
                 "/Users/a/Documents/Talvexa/1099/2024//_Backups",
                 "/Users/a/Documents/Talvexa/1099/2024//_Backups/_Auto_Backups",
                 "/Users/a/Documents/Talvexa/1099/2024//_Reports"},
        PathCase{"", 2025, "/Talvexa", "/Talvexa/1099/2025/", "/Talvexa/1099/2025/__Configuration",
                 "/Talvexa/1099/2025//_Backups", "/Talvexa/1099/2025//_Backups/_Auto_Backups",
                 "/Talvexa/1099/2025//_Reports"},
        // A dir that already names a place in a tree is the year folder as it stands.
        PathCase{"/Users/a/Talvexa stuff/", 2025, "/Users/a/Talvexa stuff/Talvexa", "/Users/a/Talvexa stuff/",
                 "/Users/a/Talvexa stuff/__Configuration", "/Users/a/Talvexa stuff//_Backups",
                 "/Users/a/Talvexa stuff//_Backups/_Auto_Backups", "/Users/a/Talvexa stuff//_Reports"}),
    caseName);

TEST(TalvexaDir, SetBaseDirCutsPathsInsideATree) {
    struct Case {
        std::string given, stored;
    };
    for (const Case& c : {Case{"", "/"}, Case{"/Users/a/Documents/Talvexa/1099/2024/", "/Users/a/Documents/"},
                          Case{"/Users/a/Documents", "/Users/a/Documents"},
                          Case{"/Users/a/Documents//Talvexa/1099/2012//Talvexa_1099_2012.db", "/Users/a/Documents//"},
                          Case{"/Users/a/Talvexa stuff/", "/Users/a/Talvexa stuff/"}}) {
        TalvexaDir d;
        d.SetBaseDir(c.given);
        EXPECT_EQ(d.GetBaseDir(), c.stored) << c.given;
    }
    TalvexaDir root;
    root.SetBaseDir("");
    root.SetYear(2025);
    EXPECT_TRUE(root.IsAtRoot());
    EXPECT_EQ(root.GetDir(), "/Talvexa/1099/2025/");
}

class TalvexaDirInit : public ConfigTest {
protected:
    std::vector<std::string> treeUnder(const std::string& base) {
        const std::string y = base + "Talvexa/1099/2025";
        return {base + "Talvexa", base + "Talvexa/1099", y, y + "/__Configuration", y + "/_Backups",
                y + "/_Backups/_Auto_Backups", y + "/_Reports"};
    }
};

TEST_F(TalvexaDirInit, NewTreeGreetsTheUserOnceAndAnnouncesTheFolder) {
    const std::string base = documents() + "/";
    TalvexaDir d;
    d.SetBaseDir(base);
    d.SetYear(2024);  // the tree is always this program's year
    ui->answerWelcome();
    ui->answerBox(2);

    ASSERT_TRUE(d.Init());
    for (const std::string& folder : treeUnder(base)) EXPECT_TRUE(platform::isDirectory(folder)) << folder;
    EXPECT_FALSE(platform::fileExists(base + "Talvexa/1099/2024"));

    EXPECT_EQ(windows(), (std::vector<std::string>{"welcome", "messageBox"}));
    const MessageBoxRequest notice = ui->boxes().at(0);
    EXPECT_EQ(notice.caption, "Created Talvexa Configuration Directory. Please Do Not Modify!");
    EXPECT_EQ(notice.details,
              "To help manage your important information, Talvexa 1099 has created the following directory:\n\n    " +
                  base + "Talvexa" +
                  "\n\nPlease do not move or modify this directory or its contents. Doing so may result in the loss "
                  "of important information.");
    EXPECT_EQ(notice.style, 4);
    EXPECT_EQ(notice.title, "");
    EXPECT_EQ(notice.image, 2048);
    EXPECT_FALSE(session().IsWelcome);

    // A second run over the same tree shows nothing.
    restart();
    TalvexaDir again;
    again.SetBaseDir(base);
    again.SetYear(2025);
    EXPECT_TRUE(again.Init());
    EXPECT_TRUE(ui->shown().empty());
}

TEST_F(TalvexaDirInit, ExistingTalvexaFolderGetsItsMissingFoldersQuietly) {
    const std::string base = documents() + "/";
    ASSERT_TRUE(platform::createDirectories(base + "Talvexa/1099/2025"));
    TalvexaDir d;
    d.SetBaseDir(base);
    d.SetYear(2025);
    ASSERT_TRUE(d.Init());
    for (const std::string& folder : treeUnder(base)) EXPECT_TRUE(platform::isDirectory(folder)) << folder;
    EXPECT_TRUE(ui->shown().empty());
}

TEST_F(TalvexaDirInit, DirInsideATreeCreatesNothing) {
    TalvexaDir d;
    d.setDir(home.path() + "/Talvexa stuff/");
    EXPECT_TRUE(d.Init());
    EXPECT_FALSE(platform::fileExists(home.path() + "/Talvexa stuff"));
    EXPECT_TRUE(ui->shown().empty());
}

TEST_F(TalvexaDirInit, BaseThatCannotHoldFoldersFailsAndLeavesNothing) {
    // A regular file in place of the base folder stops creation for every user, root included.
    const std::string file = home.path() + "/afile";
    std::ofstream(file) << "x";
    TalvexaDir d;
    d.SetBaseDir(file + "/");
    d.SetYear(2025);
    EXPECT_FALSE(d.Init());
    EXPECT_FALSE(platform::isDirectory(file));
    EXPECT_TRUE(ui->shown().empty());
}

}  // namespace
