#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "TempHome.h"
#include "core/import/ImportFile.h"
#include "WithoutFileOverride.h"

using namespace imports;

namespace {

using Lines = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    Lines recipient;   // recipientFileLines
    Lines payerTxt;    // payerTextLines
    Lines payerCsv;    // payerCsvLines
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class LineSplitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LineSplitting, EachReaderCutsTheTextByItsRule) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(recipientFileLines(c.text), c.recipient);
    EXPECT_EQ(payerTextLines(c.text), c.payerTxt);
    EXPECT_EQ(payerCsvLines(c.text), c.payerCsv);
}

INSTANTIATE_TEST_SUITE_P(
    Import, LineSplitting,
    ::testing::Values(
        SplitCase{"LF", "a\nb\nc", {"a", "b", "c"}, {"a", "b", "c"}, {"a", "b", "c"}},
        SplitCase{"CR", "a\rb\rc", {"a", "b", "c"}, {"a", "b", "c"}, {"abc"}},
        SplitCase{"CRLF", "a\r\nb\r\nc\r\n", {"a", "b", "c"}, {"a", "b", "c"}, {"a", "b", "c"}},
        // With one LF in the text, a lone CR no longer ends a line for recipients.
        SplitCase{"MixedCRAndLF", "a\rb\nc", {"ab", "c"}, {"a", "b", "c"}, {"ab", "c"}},
        SplitCase{"EmptyFirstLine", "\nb\nc", {}, {}, {}},
        SplitCase{"EmptyFirstLineCRLF", "\r\nb", {}, {}, {}},
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
    };
    for (const auto& c : cases) {
        std::string failure;
        const std::string path = write(c.bytes);
        EXPECT_FALSE(readImportFile(path, failure).has_value());
        EXPECT_NE(failure.find(path), std::string::npos) << failure;
        EXPECT_NE(failure.find("not UTF-8"), std::string::npos) << failure;
        EXPECT_NE(failure.find(c.line + " "), std::string::npos) << failure;
    }
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
