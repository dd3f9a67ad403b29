// The one reading of stored date texts, the refusals of dates, codes and years that
// the entry windows would not take, and the TIN type a taxpayer number shows.

#include <gtest/gtest.h>

#include <string>

#include "DateTable.h"
#include "core/foundation/RefusedEntry.h"
#include "core/foundation/StoredDate.h"
#include "core/foundation/TinType.h"
#include "core/foundation/Utils.h"

namespace {

TEST(StoredDate, ReadsTheSharedTable) {
    for (const datetable::DateCase& c : datetable::cases()) {
        SCOPED_TRACE('"' + c.text + '"');
        const StoredDate d = StoredDate::read(c.text);
        EXPECT_EQ(d.refused(), c.refused);
        EXPECT_EQ(d.yearMonthDay(), c.yearMonthDay);
        EXPECT_EQ(d.monthDayYear(), c.monthDayYear);
        EXPECT_EQ(RefusedEntry::ofDate("Box 13", c.text).has_value(), c.refused);
    }
}

// Whatever the entry windows accept as a date, the reader takes as the same day.
TEST(StoredDate, TakesEveryDateTheEntryWindowsAccept) {
    for (const std::string text : {"1/1/2025", "01-01-2025", "12/31/9999", "2/29/2000", "7-4/2025"}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(Utils::isValidDate(text));
        EXPECT_TRUE(StoredDate::read(text).isDate());
    }
    EXPECT_FALSE(Utils::isValidDate("2/29/1900"));
    EXPECT_TRUE(StoredDate::read("2/29/1900").refused());
}

TEST(StoredDate, CodesAndYearsTheEntryWindowsRefuseAreRefusedNamingBoxAndText) {
    EXPECT_FALSE(RefusedEntry::ofDistributionCode("Box 7", ""));
    EXPECT_FALSE(RefusedEntry::ofDistributionCode("Box 7", "7"));
    EXPECT_FALSE(RefusedEntry::ofDistributionCode("Box 7", "g4"));
    const auto code = RefusedEntry::ofDistributionCode("Box 7", "INVALID");
    ASSERT_TRUE(code);
    EXPECT_EQ(code->describe("1099-R", "Ann Lee"),
              "the distribution code \"INVALID\" in Box 7 of the 1099-R of Ann Lee is not a distribution code");

    EXPECT_FALSE(RefusedEntry::ofYear("Box 11", -1));  // empty
    EXPECT_FALSE(RefusedEntry::ofYear("Box 11", 0));   // a column never written
    EXPECT_FALSE(RefusedEntry::ofYear("Box 11", 2019));
    for (const int year : {-2, 12, 20190}) {
        SCOPED_TRACE(year);
        EXPECT_TRUE(RefusedEntry::ofYear("Box 11", year));
    }
    EXPECT_EQ(RefusedEntry::ofYear("Box 11", -2)->text, "INVALID");  // as the entry window shows it

    EXPECT_EQ(RefusedEntry::ofDate("Box 1", "2/30/2025")->describe("1099-S", "Acme"),
              "the date \"2/30/2025\" in Box 1 of the 1099-S of Acme is not a date (month/day/year or "
              "year-month-day)");
}

TEST(TinType, TheNumberAsWrittenShowsTheType) {
    struct Case {
        const char* number;
        const char* dashed;     // ofDashedNumber
        const char* business;   // ofRecipient for a business
        const char* individual; // ofRecipient for an individual
    } cases[] = {
        {"36-1111111", "EIN", "EIN", "EIN"},
        {"401-55-6666", "SSN", "SSN", "SSN"},
        {"361111111", "", "EIN", "SSN"},
        {"", "", "EIN", "SSN"},
        {"36-111-1111", "", "EIN", "SSN"},
        {"3a-1111111", "", "EIN", "SSN"},
        {"401-55-666", "", "EIN", "SSN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(tintype::ofDashedNumber(c.number), c.dashed);
        EXPECT_EQ(tintype::ofRecipient(c.number, true), c.business);
        EXPECT_EQ(tintype::ofRecipient(c.number, false), c.individual);
    }
    EXPECT_EQ(tintype::title("qi-ein"), "QI-EIN");
    EXPECT_EQ(tintype::title("Ssn"), "SSN");
    EXPECT_EQ(tintype::title("SS N"), "");
}

TEST(TinType, ADashedNumberContradictingItsTypeIsFound) {
    struct Case {
        const char* number;
        const char* type;
        bool contradicts;
    } cases[] = {
        {"401-55-6666", "EIN", true},  {"401-55-6666", "QI-EIN", true}, {"401-55-6666", "SSN", false},
        {"401-55-6666", "ITIN", false}, {"401-55-6666", "", false},     {"36-1111111", "SSN", true},
        {"36-1111111", "ITIN", true},  {"36-1111111", "ATIN", true},    {"36-1111111", "", true},
        {"36-1111111", "ssn", true},   {"36-1111111", "EIN", false},    {"36-1111111", "QI-EIN", false},
        {"36-1111111", "UND", false},  {"401-55-6666", "UND", false},   {"361111111", "SSN", false},
        {"401556666", "EIN", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.number) + " " + c.type);
        EXPECT_EQ(tintype::contradicts(c.number, c.type), c.contradicts);
    }
}

}  // namespace
