#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <limits>
#include <utility>

#include "TurkishLocale.h"
#include "core/foundation/Session.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/Utils.h"

namespace {

struct TextCase {
    std::string in, out;
};

class UtilsConversions : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
};

TEST_F(UtilsConversions, ValueInView) {
    for (const auto& c : std::vector<TextCase>{{"", ""},
                                               {"12", "12.00"},
                                               {"1234567890", "1234567890.00"},
                                               {"12345678901", "9999999999.99"},
                                               {"123,456,789", "123,456,789.00"},  // separators are not digits
                                               {"1,,0", "INVALID"},
                                               {"1,2,3", "INVALID"},
                                               {"15,00", "INVALID"},
                                               {"12a", "INVALID"},
                                               {"-5", "INVALID"},
                                               {"12.3", "12.3"}})
        EXPECT_EQ(Utils::valueInView(c.in), c.out) << c.in;
}

TEST_F(UtilsConversions, ValueInRecipientInfo) {
    for (const auto& c : std::vector<TextCase>{{"", ""},
                                               {"12.3", "12.30"},
                                               {"12.34", "12.34"},
                                               {"5.", "5.00"},
                                               {".5", "0.50"},
                                               {".", "0.00"},
                                               {"12", "12.00"},
                                               {"1,234", "1234.00"},
                                               {"1,234.5", "1234.50"},
                                               {"1,234,567,890", "1234567890.00"},
                                               {"12345678901", "9999999999.99"},
                                               {"12345678901.5", "9999999999.99"},
                                               {"1234567890123.45", "1234567890123.45"},
                                               {"12.345", "INVALID"},
                                               {"1.2.", "INVALID"},
                                               {"1,,2", "INVALID"},
                                               {"1,2,3", "INVALID"},
                                               {"15,00.5", "INVALID"},
                                               {"abc", "INVALID"}})
        EXPECT_EQ(Utils::valueInRecipientInfo(c.in), c.out) << c.in;
}

TEST_F(UtilsConversions, DollarStringToCents) {
    struct C {
        std::string text;
        int64_t cents;
    };
    for (const auto& c : std::vector<C>{{"", -1},
                                        {"1.2.3", -2},
                                        {"abc", -2},
                                        {"1.234", -2},
                                        {"12.5", 1250},
                                        {"1,234", 123400},
                                        {"0.07", 7},
                                        {"5", 500},
                                        {".5", 50},
                                        {"21474836.48", 2147483648LL},
                                        {"21,474,836.47", 2147483647LL},
                                        {"9999999999.99", 999999999999LL},
                                        {"99999999999999999999", -2}})  // beyond any 64-bit sum
        EXPECT_EQ(Utils::dollarStringToInt(c.text), c.cents) << c.text;

    // What is stored for a typed amount adds up to what was typed.
    EXPECT_EQ(Utils::dollarStringToInt(Utils::valueInRecipientInfo("1,234")), 123400);
    EXPECT_EQ(Utils::dollarStringToInt(Utils::valueInRecipientInfo("30,000,000")), 3000000000LL);
}

TEST_F(UtilsConversions, CentsToDollarString) {
    struct C {
        int64_t cents;
        std::string text;
    };
    for (const auto& c : std::vector<C>{{0, "0.00"},
                                        {5, "0.05"},
                                        {1205, "12.05"},
                                        {123456, "1234.56"},
                                        {2147483648LL, "21474836.48"},
                                        {-2, "INVALID"},
                                        {-1, ""},
                                        {-7, ""}})
        EXPECT_EQ(Utils::intToDollarString1(c.cents), c.text) << c.cents;
}

TEST_F(UtilsConversions, PositiveNumbers) {
    struct C {
        std::string text;
        int32_t value;
    };
    for (const auto& c : std::vector<C>{{"", -1}, {"0", -2}, {"abc", -2}, {"-5", -2}, {"12.9", 12}, {" 42x", 42}})
        EXPECT_EQ(Utils::stringToPositive(c.text), c.value) << c.text;
    EXPECT_EQ(Utils::positiveToString(-2), "INVALID");
    EXPECT_EQ(Utils::positiveToString(-1), "");
    EXPECT_EQ(Utils::positiveToString(7), "7");
    EXPECT_EQ(Utils::CheckInvalidData("INVALID"), "");
    EXPECT_EQ(Utils::CheckInvalidData("12.00"), "12.00");
    EXPECT_EQ(Utils::intToPositive(-3), 0);
    EXPECT_EQ(Utils::intToPositive(3), 3);
}

TEST_F(UtilsConversions, LeadingIntegers) {
    EXPECT_EQ(Utils::stringToInt1("  -42abc"), -42);
    EXPECT_EQ(Utils::stringToInt1("abc"), 0);
    EXPECT_EQ(Utils::stringToInt1("99999999999"), 2147483647);
    EXPECT_EQ(Utils::StringToLong("9999999999"), 9999999999LL);
    EXPECT_EQ(Utils::StringToShort("70000"), static_cast<int16_t>(70000));
    EXPECT_EQ(Utils::convertIntToString(-1), "-1");
}

TEST_F(UtilsConversions, Padding) {
    EXPECT_EQ(Utils::RJustWithZeros(42, 5), "00042");
    EXPECT_EQ(Utils::RJustWithZeros(42, 1), "42");
    EXPECT_EQ(Utils::RJustWithBlank("ab", 4), "  ab");
    EXPECT_EQ(Utils::RJustWithBlank("abcde", 4), "abcde");
    EXPECT_EQ(Utils::PadRight("\u00e9", 3), "\u00e9  ");
    EXPECT_EQ(Utils::PadRight("ab", 0), "ab");
    EXPECT_EQ(Utils::numNumericDigits("(555) 123-4567"), 10);
    EXPECT_EQ(Utils::stringWithUnichar(u'\u00e9'), "\u00e9");
    EXPECT_EQ(Utils::PixVal(100, 72), 72);
    EXPECT_EQ(Utils::PixVal(-150, 72), -108);
    EXPECT_EQ(Utils::InchVal(72, 72), 100);
    EXPECT_EQ(Utils::InchVal(5, 0), 0);
}

TEST_F(UtilsConversions, TextCleaning) {
    EXPECT_EQ(Utils::removeSpace(" a b  c "), "abc");
    EXPECT_EQ(Utils::compNameTrim(" \t Acme Inc \n"), "Acme Inc");

    struct E {
        std::string text, chars, out;
    };
    for (const auto& c : std::vector<E>{{"   ", " ", " "},
                                        {"  ab  ", " ", "ab"},
                                        {"ab", " ", "ab"},
                                        {"xxabxx", "x", "ab"},
                                        {"a b", "", "a b"}})
        EXPECT_EQ(Utils::EraseEndSpaceChar(c.text, c.chars), c.out) << "\"" << c.text << "\"";

    for (const auto& c : std::vector<TextCase>{{"  Mary--Ann  O'Neil 3rd ", "Mary--Ann ONeil rd"},
                                               {"Jos\u00e9 \u00d1u\u00f1ez", "Jos\u00e9 \u00d1u\u00f1ez"}})
        EXPECT_EQ(Utils::validateName(c.in), c.out) << c.in;
    EXPECT_EQ(Utils::validateAddress("12 Main St., Apt #4/5"), "12 Main St Apt 4/5");
    EXPECT_EQ(Utils::validateBusinessName("A&B (Holdings), Inc."), "A&B (Holdings) Inc");
    EXPECT_EQ(Utils::validateBusinessName("O'Brien #2 / Sons!"), "O'Brien #2 / Sons");
    // A line break or a tab kept in a stored text parts two words as a blank does.
    EXPECT_EQ(Utils::validateAddress("2 Oak\r\n\r\nSuite\t5\r"), "2 Oak Suite 5");
}

// A stored value on one line, and capitals, as the import readers and the filing files
// make them: ASCII only, so UTF-8 text passes unchanged.
TEST(TextScan, OneLineAndCapitals) {
    std::string scratch;
    for (const auto& c : std::vector<TextCase>{{"a\r\nb", "a b"},
                                               {"a\rb\nc\td", "a b c d"},
                                               {"a\r\n\r\nb\n\r", "a  b  "},
                                               {std::string("x\0y\x1F\x7F", 5), "x y  "},
                                               {"Jos\u00e9 \u00d1", "Jos\u00e9 \u00d1"},
                                               {"", ""}}) {
        EXPECT_EQ(textscan::onOneLine(c.in), c.out) << c.in;
        // The writers' form: one scratch for every text, nothing left of the text before.
        EXPECT_EQ(textscan::onOneLine(std::string_view(c.in), scratch), c.out) << c.in;
    }
    EXPECT_EQ(textscan::upper("qi-ein \u00e9z"), "QI-EIN \u00e9Z");
}

// Small letters and comparing without regard to case touch the 26 ASCII letters only:
// "I" and "i" pair whatever the locale, the bytes beside the letters and every byte of
// UTF-8 text above ASCII stay as they are.
TEST(TextScan, SmallLettersAndCaseFreeComparison) {
    struct Row {
        std::string text, small, other;
        bool same;
    };
    for (const auto& r : std::vector<Row>{{"ILLINOIS-IL", "illinois-il", "Illinois-iL", true},
                                          {"Mi i\u00c9\u0130", "mi i\u00c9\u0130", "mI I\u00c9\u0130", true},
                                          {"\u00c9", "\u00c9", "\u00e9", false},
                                          {"I", "i", "\u0131", false},
                                          {"i", "i", "\u0130", false},
                                          {"@[", "@[", "`{", false},
                                          {"AZ", "az", "az", true},
                                          {"MI", "mi", "MIS", false},
                                          {"", "", "", true}}) {
        EXPECT_EQ(textscan::lower(r.text), r.small) << r.text;
        EXPECT_EQ(textscan::equalIgnoringCase(r.text, r.other), r.same) << r.text << " / " << r.other;
        EXPECT_EQ(textscan::equalIgnoringCase(r.other, r.text), r.same) << r.other << " / " << r.text;
    }
}

// Numbers are read and written with a point under a desktop language that writes a
// decimal comma too: the C library's strtod and printf would follow the language.
// A number too large to hold is held at the largest value; one too small to hold reads
// as zero, which is no positive number.
TEST_F(UtilsConversions, NumbersKeepTheirPointWhateverTheDesktopsLanguage) {
    const std::string tiny = "0." + std::string(400, '0') + "1";
    const std::vector<std::pair<std::string, int32_t>> positives = {
        {"0.5", 0},
        {"+7.25", 7},
        {"12.9", 12},
        {std::string(400, '9'), std::numeric_limits<int32_t>::max()},
        {std::string(400, '0') + "9" + std::string(399, '0') + ".5", std::numeric_limits<int32_t>::max()},
        {tiny, -2},
        {"-" + tiny, -2},
        {"000" + tiny + "9", -2},
        {std::string(400, '0') + "3.5", 3}};
    const auto readPositives = [&](const char* desktop) {
        for (const auto& [text, value] : positives)
            EXPECT_EQ(Utils::stringToPositive(text), value) << desktop << ": " << text.substr(0, 40) << "...";
    };
    readPositives("C");
    {
        const TurkishLocale turkish;
        ASSERT_TRUE(turkish.inEffect());
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
        for (const auto& [value, text] : std::vector<std::pair<double, std::string>>{
                 {12.5, "12.50"}, {-0.05, "-0.05"}, {0, "0.00"}, {1234567.891, "1234567.89"}})
            EXPECT_EQ(Utils::twoDecimals(value), text) << value;
        readPositives("Turkish");
    }
}

TEST_F(UtilsConversions, CsvAndDates) {
    EXPECT_EQ(Utils::StringIFContainsComma("Acme, Inc."), "\"Acme, Inc.\"");
    EXPECT_EQ(Utils::StringIFContainsComma("Acme"), "Acme");
    EXPECT_EQ(Utils::FormatCSVField(std::string("say \"hi\"")), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(Utils::FormatCSVField(std::nullopt), "\"\"");

    for (const auto& c : std::vector<TextCase>{{"12/31/2025", "20251231"},
                                               {"2/3/2025", "20250203"},
                                               {"1-2-2025", "20250102"},
                                               {"1/2/2025/x", "20250102"},
                                               {"", ""}})
        EXPECT_EQ(Utils::dateToString(c.in), c.out) << c.in;

    for (const auto& c : std::vector<TextCase>{{"1st  Choice, Inc. ", "_1st Choice_ Inc_"},
                                               {"Acme   Corp", "Acme Corp"},
                                               {"Caf\u00e9 Bleu", "Caf_ Bleu"},
                                               {std::string(70, 'a'), std::string(60, 'a')}})
        EXPECT_EQ(Utils::compNameTrimwithunderscore(c.in), c.out) << c.in;
}

TEST_F(UtilsConversions, Buffers) {
    char buf[32];
    for (int64_t v : {int64_t(0), int64_t(-42), INT64_MIN, INT64_MAX}) {
        Utils::NumToString(v, buf);
        EXPECT_STREQ(buf, std::to_string(v).c_str());
    }
    std::strcpy(buf, "abc");
    Utils::Reverse(buf);
    EXPECT_STREQ(buf, "cba");
    Utils::Reverse(nullptr);

    unsigned char pascal[256];
    Utils::CtoP("hello", pascal);
    EXPECT_EQ(pascal[0], 5);
    char back[256];
    Utils::PtoC(pascal, back);
    EXPECT_STREQ(back, "hello");
}

}  // namespace
