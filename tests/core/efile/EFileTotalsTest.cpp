// Money texts to cents, and the sums by amount code of each form kind.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "EFileTestSupport.h"
#include "core/efile/EFileTotals.h"
#include "core/store/RecipientInfo.h"

namespace {

struct MoneyCase {
    const char* what;
    std::string text;
    std::optional<int64_t> cents;
};

void PrintTo(const MoneyCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class WxStringToLongLong : public ::testing::TestWithParam<MoneyCase> {};

// cents: the amount, or nothing for a text that is refused.
TEST_P(WxStringToLongLong, ReadsStoredMoneyTexts) {
    const StoredAmount amount = EFileTotals::wxStringtolonglong(GetParam().text);
    EXPECT_EQ(amount.refused() ? std::nullopt : std::optional<int64_t>(amount.cents()), GetParam().cents);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WxStringToLongLong,
    ::testing::Values(MoneyCase{"two decimals", "1234.56", 123456},
                      MoneyCase{"a thousands comma", "1,234.50", 123450},
                      MoneyCase{"several commas", "1,234,567.89", 123456789},
                      MoneyCase{"cents only", "0.07", 7},
                      MoneyCase{"no whole part", ".07", 7},
                      MoneyCase{"empty", "", 0},
                      MoneyCase{"a leading minus", "-5.00", 0},
                      MoneyCase{"a trailing minus", "5.00-", std::nullopt},
                      MoneyCase{"INVALID", "INVALID", 0},
                      MoneyCase{"no point is whole dollars", "1234", 123400},
                      MoneyCase{"one decimal counts tens of cents", "12.5", 1250},
                      MoneyCase{"three decimals", "12.345", std::nullopt},
                      MoneyCase{"leading blanks", "  42.00", 4200},
                      MoneyCase{"a dollar sign", "$42.00", std::nullopt},
                      MoneyCase{"a word after the amount", "42.00 USD", std::nullopt},
                      MoneyCase{"a second point", "1.2.3", std::nullopt},
                      MoneyCase{"the largest amount of a record", "9999999999.99", 999999999999},
                      MoneyCase{"one cent more", "10000000000.00", std::nullopt},
                      MoneyCase{"twenty digits", "99999999999999999999.00", std::nullopt}),
    [](const auto& test) { return firetest::caseName(test.param.what); });

TEST(EFileTotals, AddsEachFormKindsBoxesUnderTheirAmountCodes) {
    struct Expect {
        char code;
        int64_t cents;
    };
    RecipientInfo misc;
    misc.setType(1);
    misc.setLine1_Misc("1.00");
    misc.setLine7_Misc("9.00");    // box 9, code A
    misc.setLine14_Misc("15.00");  // box 15, nonqualified deferred compensation: code E
    misc.setLine13_Misc("14.00");  // not filed
    RecipientInfo nec;
    nec.setType(7);
    nec.setLine1_NEC("1.00");
    nec.setLine3_NEC("3.00");  // excess golden parachute payments: code 3
    nec.setLine4_NEC("4.00");
    nec.setLine5_1_NEC("5.00");  // state tax: no federal amount code
    RecipientInfo r;
    r.setType(4);
    r.setR_Line2a("2.00");
    RecipientInfo other;
    other.setType(6);
    other.setLine1_Misc("1.00");

    EFileTotals totals;
    EXPECT_FALSE(totals.AddToTotal(misc));
    EXPECT_FALSE(totals.AddToTotal(nec));
    EXPECT_FALSE(totals.AddToTotal(nec));
    EXPECT_FALSE(totals.AddToTotal(r));
    EXPECT_FALSE(totals.AddToTotal(other));
    for (const Expect& e : {Expect{'1', 300}, Expect{'2', 200}, Expect{'3', 600}, Expect{'4', 800}, Expect{'5', 0},
                            Expect{'A', 1100}, Expect{'D', 0}, Expect{'E', 1500}, Expect{'J', 0}})
        EXPECT_EQ(totals.getTotal(e.code), e.cents) << e.code;
    EXPECT_EQ(totals.getTotal('I'), 0);
    EXPECT_EQ(totals.getNumPayees(), 0u);
    totals.addPayee();
    EXPECT_EQ(totals.getNumPayees(), 1u);
}

TEST(EFileTotals, RefusesATotalBeyondEighteenDigitsAndAnAmountTheReaderRefuses) {
    EFileTotals totals;
    EXPECT_TRUE(totals.addToTotal('1', EFileTotals::kLargestTotal - 1));
    EXPECT_TRUE(totals.addToTotal('1', 1));
    EXPECT_FALSE(totals.addToTotal('1', 1));
    EXPECT_EQ(totals.getTotal('1'), EFileTotals::kLargestTotal);
    EXPECT_FALSE(totals.addToTotal('I', 1));

    RecipientInfo r;
    r.setType(4);
    r.setR_Line1("1.00");
    r.setR_Line9b("99999999999999999999.00");
    const std::optional<RefusedEntry> refused = EFileTotals().AddToTotal(r);
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->box, "Box 9b");
    EXPECT_TRUE(refused->tooLarge);
    r.setR_Line9b("1,2,3");
    EXPECT_EQ(EFileTotals().AddToTotal(r)->box, "Box 9b");
    EXPECT_FALSE(EFileTotals().AddToTotal(r)->tooLarge);
    EXPECT_EQ(EFileTotals::boxName(4, '9'), "Box 9b");
    EXPECT_EQ(EFileTotals::boxName(1, 'E'), "Box 15");
    EXPECT_EQ(EFileTotals::boxName(7, '3'), "Box 3");
    EXPECT_EQ(EFileTotals::boxName(7, '2'), "");
}

}  // namespace
