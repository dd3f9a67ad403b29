#include "ImportFixture.h"
#include "core/import/ImportCatalogues.h"
#include "core/import/ImportColumnChoices.h"

using namespace imports;

namespace {

class ColumnChoices : public ImportTest {
protected:
    void SetUp() override {
        ImportTest::SetUp();
        openCompany("Choices", {"Payer"});
    }
    std::vector<std::string> storedRecipientRows(int32_t kind) {
        return rows("select fieldIndex, importField from importFields where recipientType = " + std::to_string(kind) +
                    " order by fieldIndex;");
    }
};

TEST_F(ColumnChoices, RecipientColumnsAreSavedAsPositionsOfTheAvailableListAndComeBackInOrder) {
    const auto available = AvaillistValue(7);
    const std::vector<std::string> chosen = {available[20], available[0], "Box 1: Rents", available[5]};
    ASSERT_TRUE(saveRecipientColumns(*cdb(), 7, chosen));

    const auto stored = storedRecipientRows(7);
    ASSERT_EQ(stored.size(), 36u);
    EXPECT_EQ(stored[0], "0|20");
    EXPECT_EQ(stored[1], "1|0");
    EXPECT_EQ(stored[2], "2|5");   // a name the form kind cannot import is left out
    for (size_t i = 3; i < stored.size(); ++i) EXPECT_EQ(stored[i], std::to_string(i) + "|-1");

    EXPECT_EQ(loadRecipientColumns(*cdb(), 7), (std::vector<std::string>{available[20], available[0], available[5]}));
    // Each form kind keeps its own.
    EXPECT_TRUE(loadRecipientColumns(*cdb(), 1).empty());
    ASSERT_TRUE(saveRecipientColumns(*cdb(), 1, {"Box 1: Rents"}));
    EXPECT_EQ(loadRecipientColumns(*cdb(), 1), (std::vector<std::string>{"Box 1: Rents"}));
    EXPECT_EQ(loadRecipientColumns(*cdb(), 7).size(), 3u);
}

TEST_F(ColumnChoices, ASavedRecipientValueOutsideTheListEndsTheChoice) {
    struct Case {
        const char* rows;   // (fieldIndex, importField) pairs
        size_t loaded;
    } cases[] = {
        {"(0, 1), (1, 35), (2, 2)", 3},
        {"(0, 1), (1, 36), (2, 2)", 1},     // 36 is past the 36 names of 1099-NEC
        {"(0, 1), (1, 999), (2, 2)", 1},
        {"(0, 1), (1, -5), (2, 2)", 1},
        {"(0, 3), (1, 3), (2, 4)", 2},      // a name appears once
        {"(1, 4), (0, 3)", 2},              // read by position
        {"(0, 2), (400, 3)", 1},            // a position beyond the catalogue stops the reading
    };
    for (const auto& c : cases) {
        exec("delete from importFields;");
        exec(std::string("insert into importFields (fieldIndex, importField) values ") + c.rows + ";");
        exec("update importFields set recipientType = 7;");
        EXPECT_EQ(loadRecipientColumns(*cdb(), 7).size(), c.loaded) << c.rows;
    }
}

TEST_F(ColumnChoices, ThePayrollChoiceIsTheFirstEightPositions) {
    ASSERT_TRUE(savePayrollRecipientColumns(*cdb(), 3));
    EXPECT_EQ(storedRecipientRows(3), (std::vector<std::string>{"0|0", "1|1", "2|2", "3|3", "4|4", "5|5", "6|6", "7|7"}));
    const auto available = AvaillistValue(3);
    EXPECT_EQ(loadRecipientColumns(*cdb(), 3), std::vector<std::string>(available.begin(), available.begin() + 8));
}

TEST_F(ColumnChoices, PayerColumnsComeBackInTheOrderTheyWereSaved) {
    const std::vector<std::string> chosen = {"State", "Payer's Name", "ZIP", "Payer TIN_Type"};
    ASSERT_TRUE(savePayerColumns(*cdb(), chosen));
    EXPECT_EQ(rows("select fieldIndex, importField from importCompFields order by fieldIndex;"),
              (std::vector<std::string>{"0|12", "1|3", "2|13", "3|0"}));
    EXPECT_EQ(loadPayerColumns(*cdb()), chosen);

    // Saving replaces; the payroll columns that the catalogue lacks are stored as -1,
    // which ends the choice.
    ASSERT_TRUE(savePayerColumns(*cdb(), IMPORT_FIELDSPAYER()));
    EXPECT_EQ(loadPayerColumns(*cdb()), (std::vector<std::string>{"Payer's Name", "Payer's Federal ID"}));
}

TEST_F(ColumnChoices, ASavedPayerRowOutsideTheCatalogueEndsTheChoice) {
    struct Case {
        const char* rows;
        std::vector<std::string> loaded;
    } cases[] = {
        {"(0, 3), (1, 11)", {"Payer's Name", "City"}},
        {"(0, 3), (1, 16), (2, 11)", {"Payer's Name"}},
        {"(0, 3), (16, 11), (17, 12)", {"Payer's Name"}},
        {"(0, 3), (1, -1), (2, 11)", {"Payer's Name"}},
        {"(-1, 3), (0, 11)", {}},
        {"(1, 11), (0, 3)", {"Payer's Name", "City"}},
        {"(0, 15), (1, 15)", {"Phone"}},
    };
    for (const auto& c : cases) {
        exec("delete from importCompFields;");
        exec(std::string("insert into importCompFields (fieldIndex, importField) values ") + c.rows + ";");
        EXPECT_EQ(loadPayerColumns(*cdb()), c.loaded) << c.rows;
    }
}

TEST_F(ColumnChoices, AClosedDatabaseKeepsNoChoice) {
    cdb()->Close();
    EXPECT_FALSE(saveRecipientColumns(*cdb(), 1, {"Business Name"}));
    EXPECT_FALSE(savePayerColumns(*cdb(), {"Payer's Name"}));
    EXPECT_TRUE(loadRecipientColumns(*cdb(), 1).empty());
    EXPECT_TRUE(loadPayerColumns(*cdb()).empty());
}

}  // namespace
