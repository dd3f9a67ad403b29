#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "TempHome.h"
#include "LineBreakCases.h"
#include "core/import/ImportFile.h"
#include "WithoutFileOverride.h"

using namespace imports;

namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    Lines recipient;   // the one field of each line of both recipient readers, for text without tabs, commas or quotes
    Lines payerTxt;    // payerTextLines
    Lines payerCsv;    // payerCsvRecords
};

// The records of text without commas or quotes, each as its one field.
Lines linesOf(const std::optional<std::vector<CsvRecord>>& records) {
    Lines out;
    if (records)
        for (const CsvRecord& r : *records) out.push_back(r.fields.at(0));
    return out;
}

// The lines of a tab-separated reader as the field each makes.
Lines tabFields(const Lines& lines) {
    Lines out;
    for (const std::string& l : lines) out.push_back(splitFields(l, '\t').at(0));
    return out;
}

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class LineSplitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LineSplitting, EachReaderCutsTheTextByItsRule) {
    const SplitCase& c = GetParam();
    size_t unclosed = 0;
    EXPECT_EQ(tabFields(recipientFileLines(c.text)), c.recipient);
    EXPECT_EQ(linesOf(recipientCsvRecords(c.text, unclosed)), c.recipient);
    EXPECT_EQ(tabFields(payerTextLines(c.text)), c.payerTxt);
    EXPECT_EQ(linesOf(payerCsvRecords(c.text, unclosed)), c.payerCsv);
}

INSTANTIATE_TEST_SUITE_P(
    Import, LineSplitting,
    ::testing::Values(
        SplitCase{"LF", "a\nb\nc", {"a", "b", "c"}, {"a", "b", "c"}, {"a", "b", "c"}},
        SplitCase{"CR", "a\rb\rc", {"a", "b", "c"}, {"a", "b", "c"}, {"a", "b", "c"}},
        SplitCase{"CRLF", "a\r\nb\r\nc\r\n", {"a", "b", "c"}, {"a", "b", "c"}, {"a", "b", "c"}},
        SplitCase{"MixedCRLFAndLF", "a\r\nb\nc\r\nd\n", {"a", "b", "c", "d"}, {"a", "b", "c", "d"},
                  {"a", "b", "c", "d"}},
        // An editor's final line end after CR lines ends the last line.
        SplitCase{"CRThenAFinalLF", "a\rb\rc\n", {"a", "b", "c"}, {"a", "b", "c"}, {"a", "b", "c"}},
        SplitCase{"CRThenAFinalCRLF", "a\rb\rc\r\n", {"a", "b", "c"}, {"a", "b", "c"}, {"a", "b", "c"}},
        SplitCase{"CRAtTheEndOfCRLines", "a\rb\r", {"a", "b"}, {"a", "b"}, {"a", "b"}},
        // The first line end decides: in a file of CR lines an LF (or CR LF) inside the
        // text is one blank; in a file of LF lines a lone CR is.
        SplitCase{"LFInsideCRLines", "a\rb\nc\rd", {"a", "b c", "d"}, {"a", "b", "c", "d"}, {"a", "b c", "d"}},
        SplitCase{"CRLFInsideCRLines", "a\rb\r\nc\rd\r", {"a", "b c", "d"}, {"a", "b", "c", "d"},
                  {"a", "b c", "d"}},
        SplitCase{"LoneCRInsideAField", "next\r\n2 Oak\rSuite 5\r\n", {"next", "2 Oak Suite 5"},
                  {"next", "2 Oak", "Suite 5"}, {"next", "2 Oak Suite 5"}},
        // A lone CR in the first line of a file of LF or CR LF lines (a line break pasted
        // into a cell) is one blank, as on a later line: the file's line ends outnumber it.
        SplitCase{"LoneCRInTheFirstLineOfLFLines", "2 Oak\rSuite 5\nb\nc\n", {"2 Oak Suite 5", "b", "c"},
                  {"2 Oak", "Suite 5", "b", "c"}, {"2 Oak Suite 5", "b", "c"}},
        SplitCase{"LoneCRInTheFirstLineOfTwoLFLinesWithoutAFinalEnd", "2 Oak\rSuite 5\nb", {"2 Oak Suite 5", "b"},
                  {"2 Oak", "Suite 5", "b"}, {"2 Oak Suite 5", "b"}},
        SplitCase{"LoneCRInTheFirstLineOfCRLFLines", "2 Oak\rSuite 5\r\nb\r\n", {"2 Oak Suite 5", "b"},
                  {"2 Oak", "Suite 5", "b"}, {"2 Oak Suite 5", "b"}},
        SplitCase{"LoneCRsInTheFirstLineOfCRLFLines", "a\rb\rc\r\nd\r\ne\r\nf", {"a b c", "d", "e", "f"},
                  {"a", "b", "c", "d", "e", "f"}, {"a b c", "d", "e", "f"}},
        SplitCase{"StrayCRsOnLaterLFLines", "a\nb\rc\nd\re\rf\n", {"a", "b c", "d e f"},
                  {"a", "b", "c", "d", "e", "f"}, {"a", "b c", "d e f"}},
        // One lone CR and one final LF: as likely two CR lines closed by an editor's LF.
        SplitCase{"OneCRLineClosedByAnLF", "a\rb\n", {"a", "b"}, {"a", "b"}, {"a", "b"}},
        // Lone CRs that outnumber the LFs make a file of CR lines.
        SplitCase{"MoreLoneCRsThanLFs", "a\rb\rc\nd", {"a", "b", "c d"}, {"a", "b", "c", "d"}, {"a", "b", "c d"}},
        // A field a line: the fields tell nothing, so the line ends are counted.
        SplitCase{"OneFieldLinesCountTheirLineEnds", "a\r\r\rb\nc\nd", {"a", "", "", "b c d"},
                  {"a", "b", "c", "d"}, {"a", "b c d"}},
        SplitCase{"CRAtTheEnd", "a\nb\r", {"a", "b"}, {"a", "b"}, {"a", "b"}},
        SplitCase{"EmptyFirstLine", "\nb\nc", {}, {}, {}},
        SplitCase{"EmptyFirstLineCRLF", "\r\nb", {}, {}, {}},
        SplitCase{"EmptyFirstLineCR", "\rb\rc\r", {}, {}, {}},
        SplitCase{"EmptyInnerLineCR", "a\r\rb\r", {"a", "", "b"}, {"a", "b"}, {"a", "b"}},
        SplitCase{"EmptyLastLine", "a\nb\n", {"a", "b"}, {"a", "b"}, {"a", "b"}},
        // Recipient readers see inner empty lines (and decide); payer readers drop them.
        SplitCase{"EmptyInnerLine", "a\n\nb", {"a", "", "b"}, {"a", "b"}, {"a", "b"}},
        SplitCase{"TwoEmptyLastLines", "a\n\n", {"a", ""}, {"a"}, {"a"}},
        SplitCase{"ShortLines", "ab\nc\n \nd e", {"ab", "c", " ", "d e"}, {"ab", "c", " ", "d e"},
                  {"ab", "c", " ", "d e"}},
        SplitCase{"EmptyText", "", {}, {}, {}},
        SplitCase{"OnlyCR", "\r", {}, {}, {}}),
    [](const ::testing::TestParamInfo<SplitCase>& p) { return std::string(p.param.name); });

TEST(ImportFields, EverySeparatorCutsWithoutQuoting) {
    EXPECT_EQ(splitFields("a\tb\t", '\t'), (Lines{"a", "b", ""}));
    EXPECT_EQ(splitFields("\"Smith, John\",1", ','), (Lines{"\"Smith", " John\"", "1"}));
    EXPECT_EQ(splitFields("", ','), (Lines{""}));
    EXPECT_EQ(splitFields(" a , b ", ','), (Lines{" a ", " b "}));
    // A field is one line: a control character left in it is one blank.
    EXPECT_EQ(splitFields("2 Oak\rSuite 5\tx\x0B\x7Fy", '\t'), (Lines{"2 Oak Suite 5", "x  y"}));
}

TEST(ImportFields, TheFirstLineIsEmptyByTheRecipientReadersLineEnds) {
    const struct {
        std::string text;
        bool empty;
    } cases[] = {
        {"\nb", true}, {"\r\nb", true}, {"\rb\rc", true}, {"\n", true}, {"\r\rb\n", true}, {"\rb\n", true},
        {"", false}, {"a\n\n", false}, {"a\r\r", false}, {"\"\"\nb", false}, {" \nb", false},
    };
    for (const auto& c : cases) EXPECT_EQ(startsWithEmptyLine(c.text), c.empty) << c.text;
}

// Writes records as a spreadsheet saves comma-separated text: every field in quotes,
// its quotes doubled, lines ended by CR LF.
std::string asCsv(const std::vector<Lines>& records) {
    std::string out;
    for (const Lines& fields : records) {
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i) out += ',';
            out += '"';
            for (char c : fields[i]) out += c == '"' ? std::string("\"\"") : std::string(1, c);
            out += '"';
        }
        out += "\r\n";
    }
    return out;
}

std::vector<Lines> fieldsOf(const std::optional<std::vector<CsvRecord>>& records) {
    std::vector<Lines> out;
    if (records)
        for (const CsvRecord& r : *records) out.push_back(r.fields);
    return out;
}

// The recipient readers that keep no record give the same lines, one at a time.
TEST_P(LineSplitting, OneAtATimeTheRecipientReadersGiveTheSameLines) {
    const SplitCase& c = GetParam();
    Lines lines, records;
    forEachRecipientFileLine(c.text, [&](const std::string& l) {
        lines.push_back(l);
        return true;
    });
    size_t unclosed = 0;
    EXPECT_TRUE(forEachRecipientCsvRecord(c.text, unclosed, [&](CsvRecord& r) {
        records.push_back(r.fields.at(0));
        return true;
    }));
    EXPECT_EQ(tabFields(lines), c.recipient);
    EXPECT_EQ(records, c.recipient);
}

struct CsvCase {
    const char* name;
    std::vector<Lines> records;
    // What the readers give, when it is not the records written.
    std::vector<Lines> read = {};

    const std::vector<Lines>& expected() const { return read.empty() ? records : read; }
};

void PrintTo(const CsvCase& c, std::ostream* os) { *os << c.name; }

class QuotedFields : public ::testing::TestWithParam<CsvCase> {};

// What a spreadsheet writes comes back field for field through both comma-separated readers.
TEST_P(QuotedFields, RoundTripThroughBothReaders) {
    const CsvCase& c = GetParam();
    const std::string text = asCsv(c.records);
    size_t unclosed = 0;
    EXPECT_EQ(fieldsOf(recipientCsvRecords(text, unclosed)), c.expected());
    EXPECT_EQ(fieldsOf(payerCsvRecords(text, unclosed)), c.expected());
}

TEST_P(QuotedFields, OneAtATimeTheRecipientReaderGivesTheSameRecords) {
    const CsvCase& c = GetParam();
    std::vector<Lines> records;
    size_t unclosed = 0;
    EXPECT_TRUE(forEachRecipientCsvRecord(asCsv(c.records), unclosed, [&](CsvRecord& r) {
        records.push_back(r.fields);
        return true;
    }));
    EXPECT_EQ(records, c.expected());
}

INSTANTIATE_TEST_SUITE_P(
    Import, QuotedFields,
    ::testing::Values(CsvCase{"QuotedComma", {{"Acme Supply, Inc.", "78701", "2,400.00"}}},
                      CsvCase{"DoubledQuote", {{"Oak \"Big\" Shop", "\"", "\"\""}}},
                      // A stored value is one line: a line break or a tab in a field is one blank.
                      CsvCase{"QuotedCRLF",
                              {{"2 Oak\r\nSuite 5", "Dallas"}, {"next", "line"}},
                              {{"2 Oak Suite 5", "Dallas"}, {"next", "line"}}},
                      CsvCase{"QuotedLF", {{"a\nb", ""}}, {{"a b", ""}}},
                      CsvCase{"QuotedBreaksAndTab", {{"a\r\n\r\nb\tc\rd"}}, {{"a  b c d"}}},
                      CsvCase{"EmptyQuotedField", {{"", "x", ""}, {"y", "", "z"}}},
                      CsvCase{"Blanks", {{" a ", "  "}}}),
    [](const ::testing::TestParamInfo<CsvCase>& p) { return std::string(p.param.name); });

TEST(CsvReading, QuotesOnlyOpenAFieldAndAnUnclosedOneNamesItsLine) {
    size_t unclosed = 0;
    // A quote inside a field, and what follows a closing quote, are ordinary characters.
    EXPECT_EQ(fieldsOf(recipientCsvRecords("5\" pipe,O\"Neil,\"ab\"cd,\"x\" y\n", unclosed)),
              (std::vector<Lines>{{"5\" pipe", "O\"Neil", "abcd", "x y"}}));
    // Unquoted fields keep the rules of each reader: CR lines for recipients, blank lines.
    EXPECT_EQ(fieldsOf(recipientCsvRecords("a,b\r\"c\rd\",e\r", unclosed)),
              (std::vector<Lines>{{"a", "b"}, {"c d", "e"}}));
    // Outside quotes as inside, a stored value is one line.
    EXPECT_EQ(fieldsOf(recipientCsvRecords("x\n2 Oak\rSuite 5,a\tb\r\r\nc\x01" "d\r\n", unclosed)),
              (std::vector<Lines>{{"x"}, {"2 Oak Suite 5", "a b "}, {"c d"}}));
    EXPECT_EQ(fieldsOf(recipientCsvRecords("a\n\nb\n", unclosed)), (std::vector<Lines>{{"a"}, {""}, {"b"}}));
    EXPECT_EQ(fieldsOf(payerCsvRecords("a\n\nb\n", unclosed)), (std::vector<Lines>{{"a"}, {"b"}}));
    EXPECT_TRUE(fieldsOf(recipientCsvRecords("\n\"a\"\n", unclosed)).empty());
    // A quoted empty line is a record, not an empty line.
    EXPECT_EQ(fieldsOf(payerCsvRecords("\"\"\nb", unclosed)), (std::vector<Lines>{{""}, {"b"}}));

    // Records know the line they begin on, counting the breaks inside quotes.
    const auto records = recipientCsvRecords("a\n\"b\nc\"\nd\n", unclosed);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 3u);
    EXPECT_EQ((*records)[2].line, 4u);

    struct Case {
        std::string text;
        size_t line;
    } cases[] = {
        {"a,\"b\n", 1},
        {"a\r\nb,c\r\nd,\"e,f\r\ng\r\n", 3},
        {"\"a\"\"\n", 1},            // the doubled quote does not close it
        {"a\rb,\"c\rd", 2},           // CR lines
    };
    for (const auto& c : cases) {
        unclosed = 0;
        EXPECT_FALSE(recipientCsvRecords(c.text, unclosed).has_value()) << c.text;
        EXPECT_EQ(unclosed, c.line) << c.text;
    }
    unclosed = 0;
    EXPECT_FALSE(payerCsvRecords("a\n\"b", unclosed).has_value());
    EXPECT_EQ(unclosed, 2u);
    const std::string text = unclosedQuoteText("/home/me/payers.csv", 7);
    EXPECT_NE(text.find("\"/home/me/payers.csv\""), std::string::npos);
    EXPECT_NE(text.find("line 7 "), std::string::npos);
}

// Only a line end outside quotes tells how a comma-separated file ends its lines: a
// line break inside a quoted field before it, of either kind, is one blank of its field.
TEST(CsvReading, TheFirstLineEndOutsideQuotesTellsHowLinesEnd) {
    const struct {
        std::string text;
        std::vector<Lines> records;
    } cases[] = {
        {"a,\"2 Oak\nSuite 5\",c\rd,e,f\r", {{"a", "2 Oak Suite 5", "c"}, {"d", "e", "f"}}},
        {"\"2 Oak\r\nSuite 5\",1\rb,\"x\ny\"\rc,3\n", {{"2 Oak Suite 5", "1"}, {"b", "x y"}, {"c", "3"}}},
        {"\"a\"\"\nb\",1\rc,2\r", {{"a\" b", "1"}, {"c", "2"}}},   // a doubled quote keeps the field open
        {"\"x\ry\",1\nb,2\n", {{"x y", "1"}, {"b", "2"}}},             // LF lines, a quoted lone CR
        {"a\"b\nc\",d\re\n", {{"a\"b"}, {"c\"", "d e"}}},                // a quote inside a field opens nothing
        // A quoted cell at the start of a later line: its line breaks are no line ends.
        {"a\r\"1\n2\n3\n4\"\r", {{"a"}, {"1 2 3 4"}}},
        {"a\rb\nc,\"1\n2\n3\"\n", {{"a b"}, {"c", "1 2 3"}}},
    };
    for (const auto& c : cases) {
        size_t unclosed = 0;
        EXPECT_EQ(fieldsOf(recipientCsvRecords(c.text, unclosed)), c.records) << c.text;
        EXPECT_EQ(fieldsOf(payerCsvRecords(c.text, unclosed)), c.records) << c.text;
    }
    // Lines are counted by the file's own line ends.
    size_t unclosed = 0;
    const auto records = recipientCsvRecords("a\r\"b\nc\"\rd\r\"e\rf\"\rg\r", unclosed);
    ASSERT_TRUE(records);
    ASSERT_EQ(records->size(), 5u);
    EXPECT_EQ((*records)[2].line, 3u);
    EXPECT_EQ((*records)[4].line, 6u);
}

// The records as both recipient readers and the payer ".csv" reader give them, each
// reader given the records written with its separator.
void expectEveryReaderGives(const std::string& commaText, const std::string& tabText,
                            const std::vector<Lines>& records) {
    size_t unclosed = 0;
    EXPECT_EQ(fieldsOf(recipientCsvRecords(commaText, unclosed)), records);
    EXPECT_EQ(fieldsOf(payerCsvRecords(commaText, unclosed)), records);
    std::vector<Lines> tabRecords;
    for (const std::string& l : recipientFileLines(tabText)) tabRecords.push_back(splitFields(l, '\t'));
    EXPECT_EQ(tabRecords, records);
}

// The text of records, each field's line breaks as written.
std::string fileOf(const std::vector<Lines>& records, char separator, const std::string& end, bool finalEnd) {
    std::string text;
    for (size_t i = 0; i < records.size(); ++i) {
        for (size_t j = 0; j < records[i].size(); ++j) text += (j ? std::string(1, separator) : "") + records[i][j];
        if (i + 1 < records.size() || finalEnd) text += end;
    }
    return text;
}

// A line break pasted into cells of a file of LF or CR LF lines, saved unquoted as a lone
// CR, cuts no record, whichever cell holds it: one in every record, or in the first
// record as many as the file has line ends. And a file of CR lines stays one when a later
// record holds one unquoted LF or CR LF.
TEST(LineEnds, StrayLineBreaksLeaveEveryRecordWhole) {
    struct Ending {
        const char* end;
        bool finalEnd;
    };
    const Ending lfEndings[] = {{"\n", true}, {"\n", false}, {"\r\n", true}, {"\r\n", false}};
    const Ending crEndings[] = {{"\r", true}, {"\r", false}};
    for (const size_t count : {3u, 4u})
        for (size_t cell = 0; cell < 3; ++cell) {
            std::vector<Lines> plain;
            for (size_t i = 0; i < count; ++i) {
                const std::string n = std::to_string(i + 1);
                plain.push_back({"a" + n, "b" + n, "c" + n});
            }
            for (const Ending& e : lfEndings) {
                const size_t lineEnds = count - 1 + (e.finalEnd ? 1 : 0);
                SCOPED_TRACE(std::to_string(count) + " records, cell " + std::to_string(cell) + ", " +
                             (e.end[0] == '\n' ? "LF" : "CR LF") + (e.finalEnd ? "" : " without a final end"));
                std::vector<Lines> written = plain, read = plain;
                for (size_t i = 0; i < count; ++i) {
                    written[i][cell] += "\rx";
                    read[i][cell] += " x";
                }
                expectEveryReaderGives(fileOf(written, ',', e.end, e.finalEnd),
                                       fileOf(written, '\t', e.end, e.finalEnd), read);
                written = plain;
                read = plain;
                for (size_t k = 0; k < lineEnds; ++k) {
                    written[0][cell] += "\r" + std::to_string(k);
                    read[0][cell] += " " + std::to_string(k);
                }
                expectEveryReaderGives(fileOf(written, ',', e.end, e.finalEnd),
                                       fileOf(written, '\t', e.end, e.finalEnd), read);
            }
            for (const Ending& e : crEndings)
                for (const char* stray : {"\n", "\r\n"}) {
                    SCOPED_TRACE(std::to_string(count) + " CR lines, cell " + std::to_string(cell) +
                                 (e.finalEnd ? "" : " without a final end") + (stray[0] == '\n' ? ", LF" : ", CR LF"));
                    for (size_t at = 1; at < count; ++at) {
                        std::vector<Lines> written = plain, read = plain;
                        written[at][cell] += stray + std::string("x");
                        read[at][cell] += " x";
                        expectEveryReaderGives(fileOf(written, ',', e.end, e.finalEnd),
                                               fileOf(written, '\t', e.end, e.finalEnd), read);
                    }
                }
        }
}

// A first row one field short of the rest, or many breaks in one cell (the third, or the
// first) and rows of empty cells after the records: a line break pasted into a cell still
// leaves every record whole and is one blank.
TEST(LineEnds, AShortFirstRowOrManyBreaksInOneCellLeaveEveryRecordWhole) {
    const std::vector<Lines> plain = {
        {"11-1111111", "Acme", "1 Oak", "Austin", "TX", "78701", "100.00"},
        {"22-2222222", "Beta", "2 Elm", "Dallas", "TX", "75001", "50.00"},
        {"33-3333333", "Gamma", "3 Pine", "Waco", "TX", "76701", "7.00"},
        {"44-4444444", "Delta", "4 Ash", "Tyler", "TX", "75701", "9.00"},
    };
    for (const LineBreakCase& c : kLineBreakCases)
        for (const bool finalEnd : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (finalEnd ? "" : ", without a final end"));
            std::vector<Lines> written(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(c.records));
            if (c.shortFirst) written[0].pop_back();
            std::vector<Lines> read = written;
            for (size_t k = 0; k < c.breaks.size(); ++k) {
                written[c.record][2] += c.breaks[k] + afterBreak(k);
                read[c.record][2] += " " + afterBreak(k);
            }
            for (size_t i = 0; i < c.records; ++i) {
                written[i] = inCaseOrder(c, written[i], 2);
                read[i] = inCaseOrder(c, read[i], 2);
            }
            for (size_t k = 0; k < c.emptyRows; ++k) {
                written.push_back(Lines(plain[0].size()));
                read.push_back(Lines(plain[0].size()));
            }
            expectEveryReaderGives(fileOf(written, ',', c.end, finalEnd), fileOf(written, '\t', c.end, finalEnd),
                                   read);
        }
    // A reading that ends inside a quote never closed loses to one that closes every quote.
    for (const char* end : {"", "\n"}) {
        size_t unclosed = 0;
        const std::string text = std::string("i\ru\n\"\r\",\"d\r\"") + end;
        const std::vector<Lines> read = {{"i u"}, {" ", "d "}};
        EXPECT_EQ(fieldsOf(recipientCsvRecords(text, unclosed)), read) << text;
        EXPECT_EQ(fieldsOf(payerCsvRecords(text, unclosed)), read) << text;
    }
}

class ImportFileReading : public ::testing::Test {
protected:
    std::string write(const std::string& bytes) {
        const std::string path = home.file("in.txt");
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    TempHome home;
};

TEST_F(ImportFileReading, AByteOrderMarkIsSkippedAndTheTextKept) {
    std::string failure;
    const auto text = readImportFile(write("\xEF\xBB\xBFJos\xC3\xA9\tCaf\xC3\xA9\n"), failure);
    ASSERT_TRUE(text.has_value()) << failure;
    EXPECT_EQ(*text, "Jos\xC3\xA9\tCaf\xC3\xA9\n");
    EXPECT_EQ(recipientFileLines(*text).front(), "Jos\xC3\xA9\tCaf\xC3\xA9");
}

TEST_F(ImportFileReading, BadBytesAreRefusedNamingTheFileAndTheLine) {
    struct Case {
        std::string bytes;
        std::string line;
    } cases[] = {
        {"ok\nok\n\xFF\n", "line 3"},             // a byte no UTF-8 text holds
        {"ok\r\nCaf\xE9\r\n", "line 2"},          // Latin-1
        {"a\rb\rc\xC3", "line 3"},                // cut off at the end, CR lines
        {"\xC0\xAF", "line 1"},                   // overlong form
        {"x\n\xED\xA0\x80", "line 2"},            // a surrogate
        {"\xEF\xBB\xBF\n\n\xF5\x80\x80\x80", "line 3"},
        {std::string("ok\nAc\0me\tx\n", 10), "line 2"},             // a NUL inside a field
        {std::string("A\0c\0m\0e\0\n\0B\0", 12), "line 1"},        // UTF-16 without a byte-order mark
        {std::string("\0A\0c\0m\0e\0\n", 10), "line 1"},            // the same, big-endian
        {std::string("\xFF\xFE" "A\0", 4), "line 1"},                                   // UTF-16 with its mark
    };
    for (const auto& c : cases) {
        std::string failure;
        const std::string path = write(c.bytes);
        EXPECT_FALSE(readImportFile(path, failure).has_value());
        EXPECT_NE(failure.find(path), std::string::npos) << failure;
        EXPECT_NE(failure.find("not UTF-8"), std::string::npos) << failure;
        EXPECT_NE(failure.find(c.line + " "), std::string::npos) << failure;
    }
    // UTF-16 is called by its name; a NUL in UTF-8 text as what it is.
    std::string failure;
    EXPECT_FALSE(readImportFile(write(std::string("A\0c\0m\0e\0\n\0", 10)), failure));
    EXPECT_NE(failure.find("UTF-16"), std::string::npos) << failure;
    EXPECT_FALSE(readImportFile(write(std::string("Acme\0\tx\n", 8)), failure));
    EXPECT_NE(failure.find("NUL"), std::string::npos) << failure;
}

TEST_F(ImportFileReading, AFileThatCannotBeReadIsNamed) {
    std::string failure;
    const std::string missing = home.file("missing.txt");
    EXPECT_FALSE(readImportFile(missing, failure).has_value());
    EXPECT_NE(failure.find(missing), std::string::npos);

    failure.clear();
    EXPECT_FALSE(readImportFile(home.path(), failure).has_value());
    EXPECT_NE(failure.find("folder"), std::string::npos);

    {
        WithoutFileOverride plainUser;
        const std::string locked = write("a\tb\n");
        ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
        failure.clear();
        EXPECT_FALSE(readImportFile(locked, failure).has_value());
        EXPECT_NE(failure.find(locked), std::string::npos);
    }
}

}  // namespace
