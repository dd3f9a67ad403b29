#include <gtest/gtest.h>

#include <cstdint>
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

// The print runs read amounts as the amount reader does: no amount and refused texts
// count nothing here (the runs refuse those before they print).
INSTANTIATE_TEST_SUITE_P(
    Amounts, NSStringToLongLongTest,
    ::testing::Values(
        // no amount: empty, "INVALID", negative (the "-1" and "-2" markers too)
        CentsCase{"", 0}, CentsCase{"INVALID", 0}, CentsCase{"-1", 0}, CentsCase{"-2", 0}, CentsCase{"-5.25", 0},
        // whole dollars and thousands separators between groups of three
        CentsCase{"100", 10000}, CentsCase{"1,234", 123400}, CentsCase{"1,234.56", 123456},
        CentsCase{"1,234,567.8", 123456780},
        // canonical two-decimal amounts, blanks around them
        CentsCase{"100.00", 10000}, CentsCase{"1234.56", 123456}, CentsCase{"0.07", 7}, CentsCase{"0.00", 0},
        CentsCase{" 12.34", 1234},
        // one decimal is tens of cents, missing decimals are zero
        CentsCase{"12.5", 1250}, CentsCase{"1.5", 150}, CentsCase{".5", 50}, CentsCase{".50", 50},
        CentsCase{"12.", 1200},
        // refused: count nothing
        CentsCase{"+12.34", 0}, CentsCase{"1.234", 0}, CentsCase{"12a.50", 0}, CentsCase{"1,2,3", 0},
        CentsCase{"10000000000.00", 0},
        // the largest amount a return holds
        CentsCase{"9999999999.99", 999999999999LL}),
    amountName);

}  // namespace
