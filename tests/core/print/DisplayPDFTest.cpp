#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

#include "core/foundation/Session.h"
#include "core/print/DisplayPDF.h"

namespace {

struct CentsCase {
    std::string text;
    int64_t cents;
};

void PrintTo(const CentsCase& c, std::ostream* os) { *os << '"' << c.text << "\" -> " << c.cents; }

// Each amount text as a test name: "-12.5" gives "minus12p5", "" gives "empty".
std::string amountName(const ::testing::TestParamInfo<CentsCase>& info) {
    std::string name;
    for (char ch : info.param.text) {
        if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) name += ch;
        else if (ch == '.') name += 'p';
        else if (ch == '-') name += "minus";
        else if (ch == '+') name += "plus";
        else if (ch == ',') name += 'c';
        else if (ch == ' ') name += "sp";
    }
    return name.empty() ? "empty" : name;
}

class NSStringToLongLongTest : public ::testing::TestWithParam<CentsCase> {
protected:
    void SetUp() override { resetSession(); }
};

TEST_P(NSStringToLongLongTest, ConvertsAmountTextToCents) {
    EXPECT_EQ(DisplayPDF::NSStringToLongLong(GetParam().text), GetParam().cents) << '"' << GetParam().text << '"';
}

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

INSTANTIATE_TEST_SUITE_P(
    Amounts, NSStringToLongLongTest,
    ::testing::Values(
        // empty and point-less text (including the "-1" and "-2" markers) count nothing
        CentsCase{"", 0}, CentsCase{"100", 0}, CentsCase{"-1", 0}, CentsCase{"-2", 0}, CentsCase{"1,234", 0},
        // canonical two-decimal amounts
        CentsCase{"100.00", 10000}, CentsCase{"1234.56", 123456}, CentsCase{"-5.25", -525},
        CentsCase{"-12.34", -1234}, CentsCase{"0.07", 7}, CentsCase{"0.00", 0}, CentsCase{" 12.34", 1234},
        CentsCase{"+12.34", 1234},
        // one decimal is tens of cents, missing decimals are zero
        CentsCase{"12.5", 1250}, CentsCase{"1.5", 150}, CentsCase{".5", 50}, CentsCase{".50", 50},
        CentsCase{"-.5", -50}, CentsCase{"12.", 1200}, CentsCase{".", 0}, CentsCase{"-.", 0},
        // thousands separators are skipped
        CentsCase{"1,234.56", 123456}, CentsCase{"1,234,567.8", 123456780},
        // decimals beyond the cents are dropped; reading stops at other characters
        CentsCase{"1.234", 123}, CentsCase{"12a.50", 1200}, CentsCase{"abc.12", 0},
        // beyond 32 bits, and saturation at the 64-bit limits
        CentsCase{"21474836.48", 2147483648LL}, CentsCase{"9999999999.99", 999999999999LL},
        CentsCase{"92233720368547758.07", kMax}, CentsCase{"-92233720368547758.08", kMin},
        CentsCase{"99999999999999999999.99", kMax}, CentsCase{"-99999999999999999999.99", kMin}),
    amountName);

}  // namespace
