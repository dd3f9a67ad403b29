#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "core/import/ImportCatalogues.h"

using namespace imports;

namespace {

TEST(ImportCatalogues, RecipientNamesAreKeptExactlyIncludingTheirBlanks) {
    const auto& names = AvailrecpFieldValue();
    ASSERT_EQ(names.size(), 168u);
    EXPECT_EQ(names[0], "Recipient's TIN Type");
    EXPECT_EQ(names[24], "Corrected - Checkbox");
    EXPECT_EQ(names[28], "Box 4: Federal  income tax withheld");
    EXPECT_EQ(names[42], "Box 19 - Top: State Local income tax withheld ");
    EXPECT_EQ(names[54], "Box 4: Federal income  tax withheld");
    EXPECT_EQ(names[77], "Box 1a: Total ordinary dividends");
    EXPECT_EQ(names[95], "Box 14 - Top:  State");
    EXPECT_EQ(names[107], "Box 1: Date of closing");
    EXPECT_EQ(names[116], "Box 1: Gross distribution");
    EXPECT_EQ(names[152], "Box 1: Nonemployee compensation");
    EXPECT_EQ(names[167], "Box 9 - Bottom: State Special data entries");
    EXPECT_EQ(IMPORT_FIELDS9(), (std::vector<std::string>{"Business Name", "First Name", "Address Line 1",
                                                          "Address Line 2", "City", "State", "ZIP Code",
                                                          "Recipient Tax Payer ID"}));
}

TEST(ImportCatalogues, EachFormKindListsTheCommonColumnsItUsesThenItsOwn) {
    struct Case {
        int32_t kind;
        size_t count;
        std::vector<int> leftOut;
        int ownFirst, ownLast;
    } cases[] = {
        {1, 46, {18, 19, 20, 21}, 25, 49},  {2, 51, {17, 18, 20, 21}, 77, 106},
        {3, 48, {17, 19, 20, 21}, 50, 76},  {4, 57, {17, 18, 19, 22}, 116, 151},
        {5, 28, {17, 18, 19, 20, 21, 22}, 107, 115}, {7, 36, {17, 18, 19, 20, 21}, 152, 167},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        std::vector<int> expected;
        for (int i = 0; i <= 24; ++i)
            if (std::find(c.leftOut.begin(), c.leftOut.end(), i) == c.leftOut.end()) expected.push_back(i);
        for (int i = c.ownFirst; i <= c.ownLast; ++i) expected.push_back(i);
        EXPECT_EQ(availableFieldIndexes(c.kind), expected);
        const auto names = AvaillistValue(c.kind);
        EXPECT_EQ(names.size(), c.count);
        // A name picks its column unambiguously within the list.
        EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
        for (int index : expected) EXPECT_EQ(availableCatalogueIndex(c.kind, AvailrecpFieldValue()[index]), index);
    }
    for (int32_t kind : {0, 6, 8, -1}) EXPECT_TRUE(availableFieldIndexes(kind).empty()) << kind;
    EXPECT_EQ(availableCatalogueIndex(7, "Box 1: Rents"), -1);
}

TEST(ImportCatalogues, PayerColumns) {
    ASSERT_EQ(AvailFieldValue().size(), 16u);
    EXPECT_EQ(payerCatalogueIndex("Payer's Name"), 3);
    EXPECT_EQ(payerCatalogueIndex("Phone"), 15);
    EXPECT_EQ(payerCatalogueIndex("Address"), -1);   // a payroll column only
    EXPECT_EQ(IMPORT_FIELDSPAYER(),
              (std::vector<std::string>{"Payer's Name", "Payer's Federal ID", "Address", "City", "State", "ZIP", "Phone"}));
}

TEST(ImportCatalogues, StateLookup) {
    struct Case {
        std::string value;
        std::string kept;      // the state column
        std::string boxState;  // the second-state boxes
    } cases[] = {
        {"tx", "Texas-TX", "Texas-TX"},
        {"TX", "Texas-TX", "Texas-TX"},
        {"Texas", "Texas-TX", "Texas-TX"},
        {"texas-tx", "Texas-TX", "Texas-TX"},
        {"dc", "District of Columbia-DC", "District of Columbia-DC"},
        {"Virgin Islands", "Virgin Islands-VI", "Virgin Islands-VI"},
        {"Cal", "Cal", "None"},
        {"Tex as", "Tex as", "None"},
        {"", "None", "None"},
        {"None", "None", "None"},
        {" TX", " TX", "None"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(importedState(c.value, true), c.kept) << '"' << c.value << '"';
        EXPECT_EQ(importedState(c.value, false), c.boxState) << '"' << c.value << '"';
    }
}

}  // namespace
