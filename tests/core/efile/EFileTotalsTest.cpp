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

TEST_P(WxStringToLongLong, ReadsStoredMoneyTexts) {
    EXPECT_EQ(EFileTotals::wxStringtolonglong(GetParam().text), GetParam().cents);
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
                      MoneyCase{"a trailing minus", "5.00-", 0},
                      MoneyCase{"INVALID", "INVALID", 0},
                      MoneyCase{"no point", "1234", 0},
                      MoneyCase{"one decimal read as it stands", "12.5", 125},
                      MoneyCase{"three decimals read as they stand", "12.345", 12345},
                      MoneyCase{"leading blanks", "  42.00", 4200},
                      MoneyCase{"a leading other character", "$42.00", 0},
                      MoneyCase{"reading stops at a blank", "42.00 USD", 4200},
                      MoneyCase{"a second point ends the number", "1.2.3", 12},
                      MoneyCase{"the largest 64 bit number", "92233720368547758.07", INT64_MAX},
                      MoneyCase{"one cent beyond 64 bits", "92233720368547758.08", std::nullopt},
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
    EXPECT_EQ(totals.AddToTotal(misc), std::nullopt);
    EXPECT_EQ(totals.AddToTotal(nec), std::nullopt);
    EXPECT_EQ(totals.AddToTotal(nec), std::nullopt);
    EXPECT_EQ(totals.AddToTotal(r), std::nullopt);
    EXPECT_EQ(totals.AddToTotal(other), std::nullopt);
    for (const Expect& e : {Expect{'1', 300}, Expect{'2', 200}, Expect{'3', 600}, Expect{'4', 800}, Expect{'5', 0},
                            Expect{'A', 1100}, Expect{'D', 0}, Expect{'E', 1500}, Expect{'J', 0}})
        EXPECT_EQ(totals.getTotal(e.code), e.cents) << e.code;
    EXPECT_EQ(totals.getTotal('I'), 0);
    EXPECT_EQ(totals.getNumPayees(), 0u);
    totals.addPayee();
    EXPECT_EQ(totals.getNumPayees(), 1u);
}

TEST(EFileTotals, RefusesATotalBeyondEighteenDigitsAndAnAmountBeyond64Bits) {
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
    EXPECT_EQ(EFileTotals().AddToTotal(r), std::optional<char>('9'));
    EXPECT_EQ(EFileTotals::boxName(4, '9'), "Box 9b");
    EXPECT_EQ(EFileTotals::boxName(1, 'E'), "Box 15");
    EXPECT_EQ(EFileTotals::boxName(7, '3'), "Box 3");
    EXPECT_EQ(EFileTotals::boxName(7, '2'), "");
}

}  // namespace
