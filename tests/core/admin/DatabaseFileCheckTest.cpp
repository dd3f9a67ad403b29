// What a file on disk holds, read without changing it, and when two paths name the
// same database file.

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "TempHome.h"
#include "core/admin/DatabaseFileCheck.h"
#include "platform/FileSystem.h"

namespace {

void makeDatabase(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
}

struct FileCase {
    const char* what;
    std::function<void(const std::string& path)> make;   // nothing made: no file
    bool opens;
    bool companyDatabase;
    int32_t year;
    bool holdsNoDatabase;
};
void PrintTo(const FileCase& c, std::ostream* os) { *os << c.what; }

class DatabaseFileChecks : public ::testing::TestWithParam<FileCase> {
protected:
    TempHome home;
};

TEST_P(DatabaseFileChecks, TellWhatTheFileHoldsAndLeaveItAsItWas) {
    const FileCase& c = GetParam();
    const std::string path = home.file("checked.db");
    if (c.make) c.make(path);
    std::string before;
    const bool existed = platform::readFile(path, before);

    const DatabaseFileCheck check = checkDatabaseFile(path);
    EXPECT_EQ(check.opens, c.opens);
    EXPECT_EQ(check.usable(), c.companyDatabase);
    EXPECT_EQ(check.companyDatabase, c.companyDatabase);
    EXPECT_EQ(check.year, c.year);
    EXPECT_EQ(check.holdsNoDatabase, c.holdsNoDatabase);
    std::string after;
    EXPECT_EQ(platform::readFile(path, after), existed);
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DatabaseFileChecks,
    ::testing::Values(
        FileCase{"CompanyDatabase", [](const std::string& p) {
                     makeDatabase(p, "create table database (name TEXT, year INT); "
                                     "insert into database values ('Harbor', 2025);");
                 }, true, true, 2025, false},
        FileCase{"AnotherSQLiteDatabase", [](const std::string& p) { makeDatabase(p, "create table t (k INT);"); },
                 true, false, 0, false},
        FileCase{"EmptyFile", [](const std::string& p) { ASSERT_TRUE(platform::writeFileAtomically(p, "")); },
                 true, false, 0, false},
        FileCase{"TextFile", [](const std::string& p) {
                     ASSERT_TRUE(platform::writeFileAtomically(p, std::string(4096, 'x')));
                 }, false, false, 0, true},
        FileCase{"DatabaseHeaderOverGarbage", [](const std::string& p) {
                     ASSERT_TRUE(platform::writeFileAtomically(
                         p, std::string("SQLite format 3", 16) + std::string(4080, '\xEE')));
                 }, false, false, 0, true},
        FileCase{"Folder", [](const std::string& p) { std::filesystem::create_directory(p); }, false, false, 0, false},
        FileCase{"NoFile", nullptr, false, false, 0, false}),
    [](const ::testing::TestParamInfo<FileCase>& c) { return std::string(c.param.what); });

TEST(SameFile, NamesOneFileUnderEverySpellingAndAGoneFileByItsPath) {
    const TempHome home;
    const std::string file = home.file("Harbor 2025.db");
    const std::string other = home.file("Other 2025.db");
    ASSERT_TRUE(platform::writeFileAtomically(file, "a"));
    ASSERT_TRUE(platform::writeFileAtomically(other, "b"));
    std::filesystem::create_directory(home.file("sub"));
    std::filesystem::create_symlink(file, home.file("link.db"));
    const std::string gone = home.file("Gone 2025.db");

    struct Case {
        std::string a, b;
        bool same;
    };
    const Case cases[] = {
        {file, file, true},
        {file, home.path() + "//Harbor 2025.db", true},
        {file, home.file("sub/../Harbor 2025.db"), true},
        {file, home.file("./Harbor 2025.db"), true},
        {file, home.file("link.db"), true},
        {file, other, false},
        // A listed file that is gone still matches its entry, doubled "/" and all.
        {gone, gone, true},
        {gone, home.path() + "//Gone 2025.db", true},
        {gone, home.file("sub/../Gone 2025.db"), true},
        {gone, home.file("Gone 2024.db"), false},
        {gone, file, false},
        {"", "", false},
        {file, "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sameFile(c.a, c.b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(sameFile(c.b, c.a), c.same) << c.b << " / " << c.a;
    }
}

}  // namespace
