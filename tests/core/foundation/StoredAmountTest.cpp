// The one reading of stored amount texts: the shared table, the forms around it, and
// the stored form the entry windows and imports give an amount.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "AmountTable.h"
#include "core/foundation/RefusedEntry.h"
#include "core/foundation/StoredAmount.h"

namespace {

using amounttable::Outcome;

StoredAmount::Reading readingOf(Outcome o) {
    switch (o) {
    case Outcome::amount: return StoredAmount::Reading::cents;
    case Outcome::none: return StoredAmount::Reading::none;
    case Outcome::refused: return StoredAmount::Reading::notAmount;
    case Outcome::tooLarge: return StoredAmount::Reading::tooLarge;
    }
    return StoredAmount::Reading::none;
}

TEST(StoredAmount, ReadsTheSharedTable) {
    for (const amounttable::AmountCase& c : amounttable::cases()) {
        SCOPED_TRACE('"' + c.text + '"');
        const StoredAmount a = StoredAmount::read(c.text);
        EXPECT_EQ(a.reading(), readingOf(c.outcome));
        EXPECT_EQ(a.refused(), amounttable::isRefused(c.outcome));
        EXPECT_EQ(a.cents(), c.cents);
        EXPECT_EQ(a.stored(), c.stored);
    }
}

TEST(StoredAmount, FormsAroundTheTable) {
    struct Case {
        std::string text;
        StoredAmount::Reading reading;
        int64_t cents;
    };
    using Rd = StoredAmount::Reading;
    for (const Case& c : {
             Case{"1,234,567.89", Rd::cents, 123456789},
             Case{".5", Rd::cents, 50},
             Case{"5.", Rd::cents, 500},
             Case{"0.07", Rd::cents, 7},
             Case{"\t12.34 \r\n", Rd::cents, 1234},
             Case{"0009999999999.99", Rd::cents, 999999999999},
             Case{"9,999,999,999.99", Rd::cents, 999999999999},
             Case{"10000000000", Rd::tooLarge, 0},
             Case{"10000000000.5", Rd::tooLarge, 0},
             Case{"99999999999999999999999.00", Rd::tooLarge, 0},
             Case{"-1,500.00", Rd::none, 0},
             Case{"   ", Rd::none, 0},
             Case{"-", Rd::notAmount, 0},
             Case{"-abc", Rd::notAmount, 0},
             Case{"5-", Rd::notAmount, 0},
             Case{"12.345", Rd::notAmount, 0},
             Case{"1.2.3", Rd::notAmount, 0},
             Case{"1 500", Rd::notAmount, 0},
             Case{",500", Rd::notAmount, 0},
             Case{"1500,000", Rd::notAmount, 0},
             Case{"1,500,00", Rd::notAmount, 0},
             Case{"1,,500", Rd::notAmount, 0},
             Case{"invalid", Rd::notAmount, 0},
             Case{"1e3", Rd::notAmount, 0},
         }) {
        SCOPED_TRACE('"' + c.text + '"');
        const StoredAmount a = StoredAmount::read(c.text);
        EXPECT_EQ(a.reading(), c.reading);
        EXPECT_EQ(a.cents(), c.cents);
    }
}

TEST(StoredAmount, ARefusalNamesTheBoxThePayeeAndWhy) {
    EXPECT_FALSE(RefusedEntry::ofAmount("Box 1", "12.50"));
    EXPECT_FALSE(RefusedEntry::ofAmount("Box 1", "INVALID"));
    const auto bad = RefusedEntry::ofAmount("Box 1", "1,2,3");
    ASSERT_TRUE(bad);
    EXPECT_FALSE(bad->tooLarge);
    EXPECT_EQ(bad->describe("1099-NEC", "Ann Lee").rfind("the amount \"1,2,3\" in Box 1 of the 1099-NEC of Ann Lee is not "
                                                         "an amount", 0),
              0u);
    const auto big = RefusedEntry::ofAmount("Box 4", "1234567890123");
    ASSERT_TRUE(big);
    EXPECT_TRUE(big->tooLarge);
    EXPECT_NE(big->describe("1099-MISC", "Acme").find("9,999,999,999.99"), std::string::npos);
}

TEST(StoredAmount, SumsHoldAtTheEndsOfTheRange) {
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    struct Case {
        int64_t total, cents, sum;
    };
    const Case cases[] = {
        {0, 0, 0},
        {150, StoredAmount::read("1,500.25").cents(), 150175},
        {StoredAmount::kLargestCents, StoredAmount::kLargestCents, 2 * StoredAmount::kLargestCents},
        {kMax - 1, 1, kMax},
        {kMax, 1, kMax},
        {kMax - 5, 10, kMax},
        {kMin + 5, -10, kMin},
        {kMax, -1, kMax - 1},
        {-300, 100, -200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.total) + " + " + std::to_string(c.cents));
        EXPECT_EQ(addCents(c.total, c.cents), c.sum);
    }
}

}  // namespace
