#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "AmountTable.h"
#include "core/import/RecipientImportRules.h"

using namespace imports;

namespace {

using Read = std::function<std::string(const ImportedRecipient&)>;

struct RuleCase {
    const char* name;
    std::vector<std::pair<int, std::string>> columns;   // catalogue index and value, in order
    Read read;                                          // the field that the last column filled
    std::string stored;
    bool recipientValid = true;
    bool additionalValid = true;
};

void PrintTo(const RuleCase& c, std::ostream* os) { *os << c.name; }

std::string flagText(bool v) { return v ? "on" : "off"; }

Read infoText(const std::string& (RecipientInfo::*get)() const) {
    return [get](const ImportedRecipient& r) { return (r.info.*get)(); };
}
Read extraText(const std::string& (RecipientAdditionalInfo::*get)() const) {
    return [get](const ImportedRecipient& r) { return (r.additional.*get)(); };
}
Read flag(bool (RecipientInfo::*get)() const) {
    return [get](const ImportedRecipient& r) { return flagText((r.info.*get)()); };
}
Read number(int32_t (RecipientInfo::*get)() const) {
    return [get](const ImportedRecipient& r) { return std::to_string((r.info.*get)()); };
}

class ColumnRules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(ColumnRules, StoreAndMark) {
    const RuleCase& c = GetParam();
    ImportedRecipient r = newImportedRecipient(3, true);
    for (const auto& [column, value] : c.columns) applyRecipientColumn(column, value, r);
    EXPECT_EQ(c.read(r), c.stored);
    EXPECT_EQ(r.info.getValidated(), c.recipientValid);
    EXPECT_EQ(r.additional.getValidated(), c.additionalValid);
}

const std::string k21(21, '9');

INSTANTIATE_TEST_SUITE_P(
    Import, ColumnRules,
    ::testing::Values(
        // As is: unchanged, no check.
        RuleCase{"AsIsCity", {{10, " Austin "}}, infoText(&RecipientInfo::getCity), " Austin "},
        RuleCase{"AsIsTinType", {{0, "EIN"}}, extraText(&RecipientAdditionalInfo::gettin_type), "EIN"},
        // Money: an amount stored as the entry windows store it; anything else unchanged and
        // not valid.
        RuleCase{"MoneyAmount", {{25, "1,234.56"}}, infoText(&RecipientInfo::getLine1_Misc), "1234.56"},
        RuleCase{"MoneyNegative", {{25, "-5.00"}}, infoText(&RecipientInfo::getLine1_Misc), "-5.00", false},
        RuleCase{"MoneyThreeDecimals", {{51, "1.005"}}, infoText(&RecipientInfo::getInt_Line1), "1.005", false},
        RuleCase{"MoneyElevenDigitsWithoutPointTooLarge", {{77, "12345678901"}},
                 infoText(&RecipientInfo::getDiv_Line1a), "12345678901", false},
        // The state income boxes the entry windows store as typed are amounts too.
        RuleCase{"DivStateIncome", {{98, "1,500"}}, extraText(&RecipientAdditionalInfo::getDiv_StateINC_1), "1500.00"},
        RuleCase{"IntStateIncome", {{74, "15,00"}}, extraText(&RecipientAdditionalInfo::getInt_StateINCM_2), "15,00",
                 false},
        RuleCase{"RStateIncome", {{139, " 12.5"}}, extraText(&RecipientAdditionalInfo::getStateINC1_R), "12.50"},
        // The 1099-DIV state identification number is checked as an amount but kept.
        RuleCase{"DivStateNumberKept", {{96, "12345"}}, infoText(&RecipientInfo::getDiv_Line13_1), "12345"},
        RuleCase{"DivStateNumberNotAnAmount", {{102, "12-345"}}, infoText(&RecipientInfo::getDiv_Line13_2), "12-345",
                 false},
        // State money.
        RuleCase{"StateMoney", {{40, "12/AB.5"}}, infoText(&RecipientInfo::getLine17_1_Misc), "12/AB.5"},
        RuleCase{"StateMoneyThreeDecimals", {{46, "1.234"}}, infoText(&RecipientInfo::getLine17_2_Misc), "1.234", false},
        // Length: the recipient, or the additional record for its own fields.
        RuleCase{"LengthOfRecipientField", {{16, k21}}, infoText(&RecipientInfo::getAccountNumber), k21, false},
        RuleCase{"LengthOfAdditionalField", {{15, "12345"}}, extraText(&RecipientAdditionalInfo::getOfficecode),
                 "12345", true, false},
        RuleCase{"LengthWithinLimit", {{16, std::string(20, 'x')}}, infoText(&RecipientInfo::getAccountNumber),
                 std::string(20, 'x')},
        // Date.
        RuleCase{"Date", {{21, "01/15/2025"}}, infoText(&RecipientInfo::getR_DateOfPayment), "01/15/2025"},
        RuleCase{"BadDate", {{107, "13/45/2025"}}, infoText(&RecipientInfo::getS_Line1), "13/45/2025", false},
        // Check boxes.
        RuleCase{"CheckboxOne", {{17, "1"}}, flag(&RecipientInfo::getFATCA_MISC), "on"},
        RuleCase{"CheckboxZero", {{113, "0"}}, flag(&RecipientInfo::getS_Line4), "off"},
        RuleCase{"CheckboxEmpty", {{118, ""}}, flag(&RecipientInfo::getR_Line2b_Checkbox_1), "off"},
        RuleCase{"CheckboxYes", {{153, "yes"}}, flag(&RecipientInfo::getNec_Line2_2), "off", false},
        RuleCase{"VoidMarksBoth", {{23, "x"}}, flag(&RecipientInfo::getVoided), "off", false, false},
        RuleCase{"CorrectedOnBoth", {{24, "1"}},
                 [](const ImportedRecipient& r) {
                     return flagText(r.info.getCorrected()) + flagText(r.additional.getCorrected());
                 },
                 "onon"},
        // States.
        RuleCase{"StateByCode", {{11, "ca"}}, infoText(&RecipientInfo::getState), "California-CA"},
        RuleCase{"StateUnknownKept", {{11, "Cal"}}, infoText(&RecipientInfo::getState), "Cal"},
        RuleCase{"StateEmpty", {{11, ""}}, infoText(&RecipientInfo::getState), "None"},
        RuleCase{"StateOfForeignAddress", {{14, "1"}, {11, "ca"}}, infoText(&RecipientInfo::getState), "ca"},
        RuleCase{"BoxStateUnknown", {{156, "Cal"}}, extraText(&RecipientAdditionalInfo::getTopState_NEC), "None"},
        RuleCase{"BoxStateByName", {{65, "california"}}, infoText(&RecipientInfo::getInt_Line13_1), "California-CA"},
        // Numbers and names.
        RuleCase{"TaxID", {{1, "12-34"}}, infoText(&RecipientInfo::getTaxID), "12-34", false},
        RuleCase{"NameTypeB", {{2, "bUSINESS"}}, extraText(&RecipientAdditionalInfo::getname_type), "Business Name"},
        RuleCase{"NameTypeOther", {{2, "x"}}, extraText(&RecipientAdditionalInfo::getname_type), "Individual"},
        RuleCase{"FirstNameOfABusiness", {{2, "b"}, {4, "Ann"}}, infoText(&RecipientInfo::getFirstName), ""},
        RuleCase{"FirstNameTooLong", {{4, std::string(41, 'A')}}, infoText(&RecipientInfo::getFirstName),
                 std::string(41, 'A'), false},
        RuleCase{"SurnameBeforeTheNameType", {{6, "Lee"}, {2, "b"}}, extraText(&RecipientAdditionalInfo::getlastname),
                 "Lee"},
        RuleCase{"SurnameOfABusiness", {{2, "B"}, {6, "Lee"}}, extraText(&RecipientAdditionalInfo::getlastname), ""},
        // The business name is checked later, when the record's name type is known.
        RuleCase{"BusinessNameOfAnyLength", {{3, std::string(41, 'B')}}, infoText(&RecipientInfo::getLastName),
                 std::string(41, 'B')},
        // 1099-MISC boxes 7, 8 and 9 under columns 31 to 33.
        RuleCase{"Box7One", {{31, "1"}}, flag(&RecipientInfo::getLine9_Misc), "on"},
        RuleCase{"Box7Other", {{31, "yes"}}, flag(&RecipientInfo::getLine9_Misc), "off"},
        RuleCase{"Box8", {{32, "7.5"}}, infoText(&RecipientInfo::getLine8_Misc), "7.50"},
        RuleCase{"Box9Whole", {{33, "12"}}, infoText(&RecipientInfo::getLine7_Misc), "12.00"},
        RuleCase{"Box9WithPoint", {{33, "12.5"}}, infoText(&RecipientInfo::getLine7_Misc), "12.50"},
        RuleCase{"Box9Empty", {{33, ""}}, infoText(&RecipientInfo::getLine7_Misc), ""},
        RuleCase{"Box9Text", {{33, "abc"}}, infoText(&RecipientInfo::getLine7_Misc), "abc", false},
        // 1099-R.
        RuleCase{"DistributionCode", {{124, "7"}}, infoText(&RecipientInfo::getR_Line7), "7"},
        RuleCase{"BadDistributionCode", {{124, "Z"}}, infoText(&RecipientInfo::getR_Line7), "Z", false},
        // Only the first two characters are the code: anything but blanks after them is
        // not filed, so the record is marked; the text is stored as written.
        RuleCase{"DistributionCodePair", {{124, "4G"}}, infoText(&RecipientInfo::getR_Line7), "4G"},
        RuleCase{"DistributionCodeTrailingBlanks", {{124, "4  "}}, infoText(&RecipientInfo::getR_Line7), "4  "},
        RuleCase{"DistributionCodeBlankThenMore", {{124, "4 G"}}, infoText(&RecipientInfo::getR_Line7), "4 G", false},
        RuleCase{"DistributionCodeThirdCharacter", {{124, "G4X"}}, infoText(&RecipientInfo::getR_Line7), "G4X",
                 false},
        RuleCase{"PercentageFraction", {{127, "12.5"}}, number(&RecipientInfo::getR_Line8_Percentage), "12",
                 false},
        RuleCase{"PercentageWhole", {{127, "12"}}, number(&RecipientInfo::getR_Line8_Percentage), "12"},
        RuleCase{"PercentageAbove99", {{127, "150"}}, number(&RecipientInfo::getR_Line8_Percentage), "-2", false},
        RuleCase{"PercentageEmpty", {{127, ""}}, number(&RecipientInfo::getR_Line8_Percentage), "-1"},
        RuleCase{"PercentageNegative", {{127, "-3"}}, number(&RecipientInfo::getR_Line8_Percentage), "-2", false},
        RuleCase{"TotalPercentageUncapped", {{128, "150"}}, number(&RecipientInfo::getR_Line9a), "150", false},
        RuleCase{"Year", {{131, "2020"}}, number(&RecipientInfo::getR_Line11), "2020"},
        RuleCase{"ShortYear", {{131, "20"}}, number(&RecipientInfo::getR_Line11), "20", false},
        RuleCase{"EmptyYear", {{131, ""}}, number(&RecipientInfo::getR_Line11), "-1"},
        RuleCase{"Box13TopNeedsText", {{134, ""}}, infoText(&RecipientInfo::getR_Line13_1), "", false},
        RuleCase{"Box13BottomMayBeEmpty", {{144, ""}}, infoText(&RecipientInfo::getR_Line13_2), ""},
        // 1099-DIV box 18 (local tax) and box 19 (special data) as lengths.
        RuleCase{"DivBox18", {{99, std::string(61, '1')}}, extraText(&RecipientAdditionalInfo::getDiv_Line15_1),
                 std::string(61, '1'), true, false},
        RuleCase{"DivBox19", {{106, std::string(14, 'x')}}, extraText(&RecipientAdditionalInfo::getDiv_Line16_2),
                 std::string(14, 'x'), true, false},
        RuleCase{"DivBox19Within", {{100, std::string(13, 'x')}}, extraText(&RecipientAdditionalInfo::getDiv_Line16_1),
                 std::string(13, 'x')},
        // Columns outside the catalogue are ignored.
        RuleCase{"OutsideTheCatalogue", {{168, "x"}, {-1, "y"}}, infoText(&RecipientInfo::getLastName), ""}),
    [](const ::testing::TestParamInfo<RuleCase>& p) { return std::string(p.param.name); });

TEST(ImportRecords, StartValid) {
    const ImportedRecipient text = newImportedRecipient(4, true);
    EXPECT_TRUE(text.info.getValidated());
    EXPECT_TRUE(text.additional.getValidated());
    EXPECT_EQ(text.info.getCompany_FK(), 4);
    EXPECT_EQ(text.additional.getCompany_FK(), 4);
    EXPECT_EQ(text.additional.getname_type(), "Individual");
    EXPECT_EQ(text.additional.gettin_type(), "SSN");
    EXPECT_EQ(newImportedRecipient(4, false).additional.getname_type(), "");
}

// The shared amount table in an amount column: an amount is stored as the entry windows
// store it; no amount and refused texts stay as typed, and only the empty text is valid.
TEST(ImportAmounts, TheSharedTableIsStoredAsTheEntryWindowsStoreIt) {
    for (const amounttable::AmountCase& c : amounttable::cases()) {
        SCOPED_TRACE('"' + c.text + '"');
        ImportedRecipient r = newImportedRecipient(3, true);
        applyRecipientColumn(152, c.text, r);  // 1099-NEC box 1
        const bool amount = c.outcome == amounttable::Outcome::amount;
        EXPECT_EQ(r.info.getLine1_NEC(), amount ? c.stored : c.text);
        EXPECT_EQ(r.info.getValidated(), amount || c.text.empty());
    }
}

}  // namespace
