#include <filesystem>

#include "NewYearFixture.h"
#include "core/newyear/CloseYear.h"
#include "core/newyear/PriorYearList.h"
#include "WithoutFileOverride.h"

namespace {

constexpr int kOK = 2;

std::vector<std::string> priorPaths(AppDatabase& app) {
    std::vector<std::string> out;
    for (const databaseInfo& e : app.SelectPriorYearList()) out.push_back(e.path());
    return out;
}

}  // namespace

TEST_F(NewYearTest, AddingKeepsEarlierYearsAndRefusesThisAndLaterOnes) {
    const std::string y2023 = makePriorDatabase("Older", {"P"}, {}, 2023);
    const std::string y2025 = makePriorDatabase("Current", {"P"}, {}, 2025);
    const std::string y2026 = makePriorDatabase("Later", {"P"}, {}, 2026);
    using newyear::Verdict;

    auto checked = newyear::VerifyDatabaseToAdd(y2023, newyear::kAddToListCaption);
    EXPECT_EQ(checked.verdict, Verdict::Accepted);
    EXPECT_EQ(checked.entry.name(), "Older");
    EXPECT_EQ(checked.entry.year(), 2023);
    EXPECT_TRUE(ui->boxes().empty());

    ui->answerBox(kOK);
    EXPECT_EQ(newyear::VerifyDatabaseToAdd(y2025, newyear::kAddToListCaption).verdict, Verdict::UseDatabaseManager);
    ui->answerBox(kMessageAnswerCloseBox);
    EXPECT_EQ(newyear::VerifyDatabaseToAdd(y2025, newyear::kAddToListCaption).verdict, Verdict::Refused);
    EXPECT_EQ(ui->boxes()[0].caption, "Please use the Database Manager.");
    EXPECT_EQ(ui->boxes()[0].title, "Start New Year(Import from Prior Year)");

    ui->answerBox(kOK);
    EXPECT_EQ(newyear::VerifyDatabaseToAdd(y2026, newyear::kAddToListCaption).verdict, Verdict::Refused);
    EXPECT_EQ(ui->boxes().back().details, "The selected database is already for 1099 year 2026 Please use Talvexa "
                                          "1099 2026 to access the following database:\n\n    ." + y2026);
}

TEST_F(NewYearTest, ABackupIsAddedOnlyAfterYes) {
    const std::string backup = makePriorDatabase("Acme", {"P"}, {}, 2024, true);
    ui->answerAlert(kAlertSecondButtonCode);   // "No"
    EXPECT_EQ(newyear::VerifyDatabaseToAdd(backup, newyear::kAddToListCaption).verdict, newyear::Verdict::Refused);
    ui->answerAlert(kAlertFirstButtonCode);    // "Yes"
    EXPECT_EQ(newyear::VerifyDatabaseToAdd(backup, newyear::kAddToListCaption).verdict, newyear::Verdict::Accepted);
    ASSERT_EQ(ui->alerts().size(), 2u);
    EXPECT_EQ(ui->alerts()[0].message, "Warning! File appears to be a database backup! Continue anyway?");
    EXPECT_EQ(ui->alerts()[0].returnButton, 1u);
}

TEST_F(NewYearTest, FilesThatAreNoDatabaseAreRefused) {
    const std::string junk = lastYearFolder + "Notes 2024.db";
    ASSERT_TRUE(platform::writeFileAtomically(junk, "not a database at all, just some text that is long enough"));
    watch(junk);
    const std::string empty = lastYearFolder + "Empty 2024.db";
    ASSERT_TRUE(platform::writeFileAtomically(empty, ""));
    watch(empty);
    ui->answerBox(kOK);
    ui->answerBox(kOK);
    EXPECT_EQ(newyear::VerifyDatabaseToAdd(junk, newyear::kAddToListCaption).verdict, newyear::Verdict::Refused);
    EXPECT_EQ(newyear::VerifyDatabaseToAdd(empty, newyear::kAddToListCaption).verdict, newyear::Verdict::Refused);
    EXPECT_EQ(ui->boxes()[0].details.rfind("Unable to copy the database", 0), 0u);
    EXPECT_EQ(ui->boxes()[1].details, "Unable to initialize the following database:\n\n    " + empty);
}

TEST_F(NewYearTest, AnUnreadableFileGetsTheAccessAdvice) {
    const std::string locked = makePriorDatabase("Locked", {"P"}, {});
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    WithoutFileOverride plainUser;
    ASSERT_FALSE(platform::isReadable(locked));
    ui->answerBox(kOK);
    EXPECT_EQ(newyear::VerifyDatabaseToAdd(locked, newyear::kAddToListCaption).verdict, newyear::Verdict::Refused);
    ::chmod(locked.c_str(), 0644);
}

TEST_F(NewYearTest, AddAndLocateChangeTheListByPath) {
    const std::string path = makePriorDatabase("Acme", {"P"}, {});
    newyear::PriorYearListState state;
    ui->answerOpenFile(path);
    EXPECT_EQ(newyear::AddDB_List(state, std::nullopt), newyear::ListChange::Refresh);
    EXPECT_EQ(ui->shown()[0].openFile.message, "Add Prior Year Database to List");
    EXPECT_EQ(ui->shown()[0].openFile.fileType, "db");
    ui->answerOpenFile(path);
    EXPECT_EQ(newyear::AddDB_List(state, std::nullopt), newyear::ListChange::Refresh);
    EXPECT_EQ(priorPaths(*app()), std::vector<std::string>{path});
    EXPECT_EQ(state.selectedtoadd_high, path);
    // The folder is remembered for the next add.
    std::string remembered;
    ASSERT_EQ(app()->LoadFolderPath(newyear::kPriorYearFolderKey, remembered), 1);
    ui->answerOpenFile(std::nullopt);
    EXPECT_EQ(newyear::AddDB_List(state, std::nullopt), newyear::ListChange::None);
    EXPECT_EQ(ui->shown().back().openFile.startFolder, remembered);

    // The file moves: Locate puts the new path in the missing entry's place.
    const std::string moved = home.path() + "/Moved Acme 2024.db";
    ASSERT_TRUE(platform::movePath(path, moved));
    priorFiles.erase(path);
    watch(moved);
    const databaseInfo missing = app()->SelectPriorYearList()[0];
    ui->answerOpenFile(moved);
    EXPECT_EQ(newyear::AddDB_List(state, missing), newyear::ListChange::Refresh);
    EXPECT_EQ(ui->shown().back().openFile.message, "Locate Prior Year Database");
    EXPECT_EQ(priorPaths(*app()), std::vector<std::string>{moved});
}

TEST_F(NewYearTest, AnAddedDatabaseRolledOverAlreadyIsMarkedImported) {
    const std::string path = makePriorDatabase("Acme", {"P"}, {});
    // A 2025 database of the entry's name beside the chosen file.
    ASSERT_TRUE(platform::writeFileAtomically(lastYearFolder + "Acme 2025.db", ""));
    newyear::PriorYearListState state;
    ui->answerOpenFile(path);
    ASSERT_EQ(newyear::AddDB_List(state, std::nullopt), newyear::ListChange::Refresh);
    ASSERT_EQ(app()->SelectPriorYearList().size(), 1u);
    EXPECT_TRUE(app()->SelectPriorYearList()[0].imported());
}

TEST_F(NewYearTest, FinderSearchListsYearFilesAndSkipsHiddenOnes) {
    namespace fs = std::filesystem;
    const std::string top = home.path() + "/search";
    ASSERT_TRUE(platform::createDirectories(top + "/inner/deeper"));
    ASSERT_TRUE(platform::createDirectories(top + "/.hidden"));
    for (const char* f : {"/Payroll 2024.db", "/.Hidden 2024.db", "/inner/Acme 2024.db.bak", "/inner/Acme 2023.db",
                          "/inner/deeper/Notes 2024.txt", "/.hidden/Secret 2024.db",
                          // left by interrupted copies: no databases of the user
                          "/inner/deeper/Acme 2024.db.partial", "/Payroll 2024.db.previous"})
        ASSERT_TRUE(platform::writeFileAtomically(top + f, "x"));
    fs::create_directory_symlink(top + "/inner", top + "/link");

    EXPECT_EQ(newyear::RecursePath(top, "2024"),
              (std::vector<std::string>{top + "/Payroll 2024.db", top + "/inner/Acme 2024.db.bak"}));

    ui->answerBox(kOK);
    ui->answerFolder(top);
    ui->answerBox(kOK);
    const auto found = newyear::FindDatabase("2024");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->size(), 2u);
    EXPECT_EQ(captions(), (std::vector<std::string>{"Find Databases", "Finished Search."}));
    EXPECT_NE(ui->boxes()[0].details.find("(usually '/')"), std::string::npos);
    EXPECT_EQ(ui->boxes()[1].details, "Talvexa 1099 has finished searching for 2024 databases in " + top);

    ui->answerBox(kMessageAnswerCancel);
    EXPECT_FALSE(newyear::FindDatabase("2024").has_value());
}

TEST_F(NewYearTest, ARefusedPathStopsTheWholeFind) {
    const std::string first = makePriorDatabase("First", {"P"}, {});
    const std::string second = makePriorDatabase("Second", {"P"}, {}, 2026);
    const std::string third = makePriorDatabase("Third", {"P"}, {});
    newyear::PriorYearListState state;
    state.findDbFlag = true;
    ui->answerBox(kOK);   // the 2026 refusal
    EXPECT_EQ(newyear::addFoundDatabases(state, {first, second, third}), newyear::ListChange::None);
    EXPECT_EQ(priorPaths(*app()), std::vector<std::string>{first});
    EXPECT_TRUE(state.findDbFlag);
    EXPECT_EQ(state.selectedtoadd_high, first);

    newyear::PriorYearListState again;
    again.findDbFlag = true;
    EXPECT_EQ(newyear::addFoundDatabases(again, {third}), newyear::ListChange::Refresh);
    EXPECT_EQ(again.selectedtoadd_high, third);
}
