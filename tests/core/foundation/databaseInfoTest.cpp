#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <string>

#include "core/foundation/Session.h"
#include "core/foundation/databaseInfo.h"

namespace {

using namespace std::chrono;

class databaseInfoTest : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
};

const std::string kCharacterMessage =
    "Invalid Database Name. The Database Name may contain only letters, numbers, spaces, dashes, and underscores.";
const std::string kFirstLetterMessage = "Invalid Database Name. The Database Name must start with a letter.";

TEST_F(databaseInfoTest, ValidateNameChecksCharactersBeforeTheFirstLetter) {
    const struct {
        std::string name;
        bool valid;
        std::string message;
    } cases[] = {
        {"Acme Co-2_b", true, ""},
        {"a", true, ""},
        {"Acme.Co", false, kCharacterMessage},
        {"2Acme", false, kFirstLetterMessage},
        {"", false, kFirstLetterMessage},
        {" Acme", false, kFirstLetterMessage},
        {"_Acme", false, kFirstLetterMessage},
        {"Caf\xC3\xA9", false, kCharacterMessage},  // accented letter
        {"2Acme#", false, kCharacterMessage},         // both faults: the character rule wins
        {"Acme/Co", false, kCharacterMessage},
    };
    for (const auto& c : cases) {
        databaseInfo info;
        info.setName(c.name);
        std::string message = "untouched";
        EXPECT_EQ(info.ValidateName(message), c.valid) << c.name;
        EXPECT_EQ(message, c.valid ? "untouched" : c.message) << c.name;
    }
}

TEST_F(databaseInfoTest, BackupNameCarriesYearKindAndDate) {
    databaseInfo info;
    info.setName("Acme");
    info.setYear(2025);
    const struct {
        bool automatic;
        year_month_day day;
        std::string name;
    } cases[] = {
        {false, year{2026} / 3 / 7, "Acme 2025 Backup 3-7-2026.db"},
        {true, year{2026} / 3 / 7, "Acme 2025 Auto-Backup 3-7-2026.db"},
        {false, year{2026} / 11 / 12, "Acme 2025 Backup 11-12-2026.db"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(info.GetBackupName(c.automatic, c.day), c.name);
}

TEST_F(databaseInfoTest, BackupNameKeepsTheNameAsItIsAndUsesToday) {
    databaseInfo info;
    info.setName("My Books_1");
    info.setYear(2025);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string expected = "My Books_1 2025 Backup " + std::to_string(local.tm_mon + 1) + "-" +
                                 std::to_string(local.tm_mday) + "-" + std::to_string(local.tm_year + 1900) +
                                 ".db";
    EXPECT_EQ(info.GetBackupName(false), expected);
}

TEST_F(databaseInfoTest, NullDependsOnNamePathYearImportedAndFedId) {
    databaseInfo info;
    EXPECT_TRUE(info.IsNull());
    EXPECT_EQ(info.CloudCheck(), 0);

    info.setCompanyName("Acme");
    info.setCustomerId("42");
    info.setCloudCheck(1);
    EXPECT_TRUE(info.IsNull());  // the company name and cloud fields do not count

    info.setYear(2025);
    EXPECT_FALSE(info.IsNull());
    info.Nullify();
    EXPECT_TRUE(info.IsNull());
    EXPECT_EQ(info.CompanyName(), "Acme");

    databaseInfo full("Acme", "/data/Acme 2025.db", 2025, true, "12-3456789");
    full.Nullify();
    EXPECT_EQ(full.name(), "");
    EXPECT_EQ(full.path(), "");
    EXPECT_FALSE(full.imported());
    EXPECT_FALSE(full.IsNull());  // Nullify keeps the federal id
    full.setFed_Id("");
    EXPECT_TRUE(full.IsNull());
}

}  // namespace
