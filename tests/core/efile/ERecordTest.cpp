// The field formatter: filters, case, justification and fill, the cut, overlapping
// writes, non-ASCII input and positions outside the record.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "EFileTestSupport.h"
#include "core/efile/ERecord.h"
#include "core/foundation/AsciiFallback.h"

namespace {

struct FieldCase {
    const char* what;
    int32_t position;
    int32_t width;
    std::string value;
    int32_t filter;
    bool capitalize;
    bool rightJustify;
    bool zeroFill;
    std::string expected;  // positions position .. position + expected.size() - 1
};

void PrintTo(const FieldCase& c, std::ostream* os) { *os << c.what; }

class ERecordFields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ERecordFields, WritesTheFieldAsTold) {
    const FieldCase& c = GetParam();
    ERecord record;
    EXPECT_TRUE(record.AddField(c.position, c.width, c.value, c.filter, c.capitalize, c.rightJustify, c.zeroFill));
    const std::string text(record.recordtxt());
    ASSERT_EQ(text.size(), 750u);
    EXPECT_EQ(text.substr(static_cast<std::size_t>(c.position - 1), c.expected.size()), c.expected);
    // Nothing outside the field's positions changes.
    std::string rest = text;
    rest.replace(static_cast<std::size_t>(c.position - 1), static_cast<std::size_t>(c.width),
                 static_cast<std::size_t>(c.width), ' ');
    EXPECT_EQ(rest, std::string(750, ' '));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ERecordFields,
    ::testing::Values(
        FieldCase{"filter 0 keeps the digits of a hyphenated taxpayer number", 12, 9, "12-3456789", 0, false, false,
                  false, "123456789"},
        FieldCase{"filter 0 drops letters, blanks and signs", 1, 10, "a1 b2-c3&4", 0, true, false, false, "1234      "},
        FieldCase{"filter 1 keeps letters, digits and blanks", 1, 20, "O'Neil & Co., 3rd", 1, false, false, false,
                  "ONeil  Co 3rd"},
        FieldCase{"filter 2 also keeps hyphen and ampersand, upper-cased", 30, 40, "O'Neil-Smith & Co., Inc.", 2,
                  true, false, false, "ONEIL-SMITH & CO INC"},
        FieldCase{"filter 3 keeps an e-mail address exactly", 359, 50, "Carl.Contact+1@Tally.example", 3, false, false,
                  false, "Carl.Contact+1@Tally.example"},
        FieldCase{"filter 3 turns control characters into blanks", 1, 10, "a\tb\nc", 3, false, false, false,
                  "a b c     "},
        FieldCase{"a CR LF is one blank", 1, 10, "a\r\nb\x7f" "c", 1, false, false, false, "a b c     "},
        FieldCase{"a negative filter keeps nothing", 1, 5, "ABC12", -1, true, true, true, "00000"},
        FieldCase{"capitalize off keeps lower case", 1, 5, "abc", 2, false, false, false, "abc  "},
        FieldCase{"right-justified and zero-filled", 500, 8, "42", 0, false, true, true, "00000042"},
        FieldCase{"right-justified with blanks", 1, 6, "42", 0, false, true, false, "    42"},
        FieldCase{"left-justified and zero-filled", 1, 5, "7", 0, false, false, true, "70000"},
        FieldCase{"the leftmost characters survive the cut, right-justified too", 1, 2, "123", 0, false, true, true,
                  "12"},
        FieldCase{"a long name is cut at the width", 1, 5, "Abcdefgh", 2, true, false, false, "ABCDE"},
        FieldCase{"one blank writes only the first position", 1, 40, " ", 2, true, false, false, " "},
        FieldCase{"TEXAS is an ordinary value, right-justified and zero-filled", 1, 8, "TEXAS", 2, true, true, true,
                  "000TEXAS"},
        FieldCase{"Texas upper-cased stays TEXAS", 448, 40, "Texas", 2, true, false, false, "TEXAS"},
        FieldCase{"accented letters fall back to their ASCII letters", 1, 20, "Jos\u00e9 N\u00fa\u00f1ez", 2, true,
                  false, false, "JOSE NUNEZ"},
        FieldCase{"ligatures and sharp s become their letter pairs", 1, 20, "\u00c6sir Stra\u00dfe", 2, true, false,
                  false, "AESIR STRASSE"},
        FieldCase{"an accented e-mail keeps its ASCII letters", 359, 50, "jos\u00e9@ex\u00e4mple.com", 3, false,
                  false, false, "jose@example.com"},
        FieldCase{"characters without an ASCII form are dropped", 1, 10, "A\u03a9B\u4e2dC\U0001F600", 3, false,
                  false, false, "ABC       "},
        FieldCase{"an Arabic-Indic digit is no digit; a fullwidth one falls back to ASCII", 1, 5, "1\u0663\uff12", 0,
                  false, false, false, "12   "}),
    [](const auto& test) { return firetest::caseName(test.param.what); });

TEST(ERecord, LaterFieldsOverwriteEarlierOnesWhereTheyOverlap) {
    ERecord record;
    record.AddField(663, 60, "ROUTING 123456789", 2, true, false, false);
    record.AddField(663, 2, "21", 2, true, false, false);
    record.AddField(670, 3, "xyz", 2, true, false, false);
    EXPECT_EQ(std::string(record.recordtxt().substr(662, 17)), "21UTINGXYZ3456789");
    // A left-justified field without fill leaves the rest of its positions as they were.
    record.AddField(663, 10, "AB", 2, true, false, false);
    EXPECT_EQ(std::string(record.recordtxt().substr(662, 17)), "ABUTINGXYZ3456789");
}

TEST(ERecord, TheNamedVariantsWriteFilter2UpperCaseLeftJustified) {
    ERecord record;
    record.AddField3(1, 10, "a.b-c&d/e");
    record.AddField2(11, 5, "xy");
    record.AddField1(16, 4, 2025);
    record.AddField1(20, 3, -7);
    EXPECT_EQ(std::string(record.recordtxt().substr(0, 23)), "AB-C&DE   XY   2025-7  ");
}

TEST(ERecord, EveryByteStaysPrintableAscii) {
    ERecord record;
    record.AddField(1, 750, "\u00e9\u00e8\u20ac\u2014\u201cq\u201d\x01\x7f\xff\xfe", 3, false, false, false);
    for (char c : record.recordtxt()) EXPECT_TRUE(c >= 0x20 && c <= 0x7E) << int(static_cast<unsigned char>(c));
    EXPECT_EQ(std::string(record.recordtxt().substr(0, 8)), "ee-\"q\"  ");
}

struct OutsideCase {
    const char* what;
    int32_t position;
    int32_t width;
    std::string value;
    std::string inside;   // what lands in the record, from its first or up to its last position
    bool atStart;
};

void PrintTo(const OutsideCase& c, std::ostream* os) { *os << c.what; }

class ERecordOutside : public ::testing::TestWithParam<OutsideCase> {};

// A field reaching outside positions 1..750 is a caller's fault: debug builds stop at
// the assertion; other builds clip the field to the record and never write past it.
TEST_P(ERecordOutside, IsClippedToTheRecord) {
    const OutsideCase& c = GetParam();
    ERecord record;
    [[maybe_unused]] bool result = true;
    EXPECT_DEBUG_DEATH(result = record.AddField(c.position, c.width, c.value, 2, true, false, false), "outside");
#ifdef NDEBUG
    EXPECT_FALSE(result);
    const std::string text(record.recordtxt());
    ASSERT_EQ(text.size(), 750u);
    const std::string expected = c.atStart ? c.inside + std::string(750 - c.inside.size(), ' ')
                                           : std::string(750 - c.inside.size(), ' ') + c.inside;
    EXPECT_EQ(text, expected);
#endif
}

INSTANTIATE_TEST_SUITE_P(
    Table, ERecordOutside,
    ::testing::Values(OutsideCase{"past the end", 748, 5, "ABCDE", "ABC", false},
                      OutsideCase{"far past the end", 900, 5, "ABCDE", "", false},
                      OutsideCase{"before the start", -1, 5, "ABCDE", "CDE", true},
                      OutsideCase{"position 0", 0, 2, "AB", "B", true},
                      OutsideCase{"a negative width", 10, -3, "ABC", "", true}),
    [](const auto& test) { return firetest::caseName(test.param.what); });

TEST(AsciiFallback, LeavesAsciiAloneAndTurnsLatinLettersIntoAscii) {
    struct Case {
        std::string in, out;
    };
    for (const auto& c : std::vector<Case>{{"Plain ASCII 123 -&/.", "Plain ASCII 123 -&/."},
                                           {"", ""},
                                           {"Jos\u00e9 Mar\u00eda", "Jose Maria"},
                                           {"\u00c5ngstr\u00f6m \u0141\u00f3d\u017a", "Angstrom Lodz"},
                                           {"\u201cquoted\u201d \u2013 dash", "\"quoted\" - dash"},
                                           {"\u03a9mega", "\u03a9mega"}})
        EXPECT_EQ(asciiFallback(c.in), c.out) << c.in;
}

}  // namespace
