// The report PDF writer: the document's exact lines, its structure over several pages,
// text escapes and the 255-byte cut, fonts in first-use order, settings made before
// the first page, text outside ASCII, a file that cannot be written, and a file made for
// the user alone and never written through a link.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "KeptPdf.h"
#include "ReportPdfReader.h"
#include "TempHome.h"
#include "core/print/FileWrap.h"
#include "core/print/PDF.h"
#include "platform/FileSystem.h"
#include "platform/SystemLog.h"

namespace {

class PDFWriterTest : public ::testing::Test {
protected:
    // Writes the document, keeps it under test-output/pdf/ and reads it back.
    std::string write(PDF& pdf) {
        const std::string path = home.file("report.PDF");
        EXPECT_TRUE(pdf.PutDoc(path)) << pdf.lastError();
        std::string bytes;
        EXPECT_TRUE(platform::readFile(path, bytes));
        keptPath = testoutput::keepPdf(bytes);
        return bytes;
    }

    // The content of the only page of a document with the given drawing.
    std::string pageContent(const std::function<void(PDF&)>& draw) {
        PDF pdf;
        pdf.SetFont("Helvetica", 8);
        pdf.AddPage();
        draw(pdf);
        const reportpdf::Document doc = reportpdf::read(write(pdf));
        EXPECT_EQ(doc.problems, std::vector<std::string>{});
        return doc.contents.empty() ? std::string() : doc.contents[0];
    }

    TempHome home;
    std::string keptPath;   // where the last document written was kept
};

TEST_F(PDFWriterTest, OnePageDocumentIsWrittenLineForLine) {
    PDF pdf;
    pdf.SetFont("Helvetica", 8);
    pdf.AddPage();
    pdf.TextOut(30, 44, "Hello");
    pdf.LineOut(10, 20, 30, 40);
    pdf.RectOut(5, 10, 100, 50);
    const std::string bytes = write(pdf);

    const std::string content = "/F1 8 Tf\nBT 30 748 Td (Hello) Tj ET\n10 772 m 30 752 l S\n5 782 100 -50 re S\n";
    std::string expected = "%PDF-1.7\n";
    std::vector<size_t> offsets(8);
    auto object = [&](int n, const std::string& body) {
        offsets[n] = expected.size();
        expected += std::to_string(n) + " 0 obj\n" + body;
    };
    object(3, "<</Type /Page\n/Parent 1 0 R\n/Resources 2 0 R\n/Contents 4 0 R>>\nendobj\n");
    object(4, "<</Length " + std::to_string(content.size()) + ">>\nstream\n" + content + "\nendstream\nendobj\n");
    object(1, "<</Type /Pages\n/Kids [3 0 R ]\n/Count 1\n/MediaBox [0 0 612 792]>>\nendobj\n");
    object(5, "<</Type /Font\n/BaseFont /Helvetica\n/Subtype /Type1\n/Encoding /StandardEncoding>>\nendobj\n");
    object(2, "<</ProcSet [/PDF /Text]\n/Font <<\n/F1 5 0 R\n>>>>\nendobj\n");
    object(6, "<</Producer (Talvexa)>>\nendobj\n");
    object(7, "<</Type /Catalog/Pages 1 0 R>>\nendobj\n");
    const size_t xref = expected.size();
    expected += "xref\n0 8\n0000000000 65535 f \n";
    char entry[32];
    for (int n = 1; n <= 7; ++n) {
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offsets[n]);
        expected += entry;
    }
    expected += "trailer<<\n/Size 8\n/Root 7 0 R\n/Info 6 0 R\n>>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";

    EXPECT_EQ(bytes, expected);
    EXPECT_EQ(reportpdf::read(bytes).problems, std::vector<std::string>{});
    // The header line stands once, at the start.
    EXPECT_EQ(bytes.find("%PDF-1.7", 1), std::string::npos);
}

TEST_F(PDFWriterTest, SeveralPagesEachStartWithTheFontAndPointAtTheirObjects) {
    PDF pdf;
    pdf.SetFont("Helvetica", 8);
    for (int page = 1; page <= 3; ++page) {
        pdf.AddPage();
        for (int line = 0; line < 40; ++line)
            pdf.TextOut(30, 44 + 11 * line, "Page " + std::to_string(page) + " line " + std::to_string(line));
    }
    EXPECT_EQ(pdf.Page(), 3);
    const std::string bytes = write(pdf);
    const reportpdf::Document doc = reportpdf::read(bytes);

    EXPECT_EQ(doc.problems, std::vector<std::string>{});
    EXPECT_EQ(doc.pageObjects, (std::vector<int>{3, 5, 7}));
    EXPECT_NE(bytes.find("/Kids [3 0 R 5 0 R 7 0 R ]\n/Count 3\n"), std::string::npos);
    // Pages 3/4, 5/6, 7/8, the font 9, information 10, catalog 11.
    EXPECT_NE(doc.trailer.find("/Size 12\n/Root 11 0 R\n/Info 10 0 R\n"), std::string::npos);
    ASSERT_EQ(doc.contents.size(), 3u);
    for (size_t p = 0; p < 3; ++p) {
        EXPECT_EQ(doc.contents[p].rfind("/F1 8 Tf\n", 0), 0u) << "page " << p + 1;
        const auto runs = reportpdf::textRuns(doc);
        EXPECT_EQ(runs[p * 40 + 39], (reportpdf::TextRun{int(p) + 1, 30, 44 + 11 * 39,
                                                         "Page " + std::to_string(p + 1) + " line 39"}));
    }
    const auto tool = reportpdf::runTool("qpdf --check " + reportpdf::quoted(keptPath));
    EXPECT_EQ(tool.status, 0) << tool.output;
}

struct EscapeCase {
    const char* name;
    std::string text;
    std::string written;
};

TEST_F(PDFWriterTest, ParenthesesAndBackslashesAreEscaped) {
    const EscapeCase cases[] = {
        {"parentheses", "Smith (Trustee)", "Smith \\(Trustee\\)"},
        {"backslash", "C:\\Payroll", "C:\\\\Payroll"},
        {"all three together", "()\\", "\\(\\)\\\\"},
        {"unbalanced", "a)b(", "a\\)b\\("},
        {"nothing to escape", "O'Brien & Sons, #4", "O'Brien & Sons, #4"},
    };
    for (const EscapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string content = pageContent([&](PDF& pdf) { pdf.TextOut(1, 2, c.text); });
        EXPECT_NE(content.find("BT 1 790 Td (" + c.written + ") Tj ET\n"), std::string::npos) << content;
    }
}

TEST_F(PDFWriterTest, EscapedTextIsCutAt255BytesWithoutSplittingAnEscape) {
    EXPECT_EQ(PDF::escapedText(std::string(300, 'a')), std::string(255, 'a'));
    EXPECT_EQ(PDF::escapedText(std::string(255, 'a')), std::string(255, 'a'));
    // The escape of the 255th character would need two bytes: it is left out whole.
    EXPECT_EQ(PDF::escapedText(std::string(254, 'a') + "(b"), std::string(254, 'a'));
    EXPECT_EQ(PDF::escapedText(std::string(253, 'a') + "(b"), std::string(253, 'a') + "\\(");
    EXPECT_EQ(PDF::escapedText(std::string(200, '\\')), std::string(254, '\\'));
}

TEST_F(PDFWriterTest, FontsAreNumberedInTheOrderOfFirstUse) {
    PDF pdf;
    pdf.SetFont("Times-Roman", 12);
    pdf.AddPage();
    pdf.SetFont("Helvetica", 8);
    pdf.SetFont("Times-Roman", 10);
    pdf.SetFont("Arial", 9);   // not a standard font: Courier
    pdf.SetFont("Courier", 7);
    EXPECT_EQ(pdf.FontIndex(), (std::vector<int32_t>{2, 1, 0}));
    EXPECT_EQ(pdf.PageBuf()[0], "/F1 12 Tf\n/F2 8 Tf\n/F1 10 Tf\n/F3 9 Tf\n/F3 7 Tf\n");
    const std::string bytes = write(pdf);
    EXPECT_NE(bytes.find("5 0 obj\n<</Type /Font\n/BaseFont /Times-Roman\n"), std::string::npos);
    EXPECT_NE(bytes.find("6 0 obj\n<</Type /Font\n/BaseFont /Helvetica\n"), std::string::npos);
    EXPECT_NE(bytes.find("7 0 obj\n<</Type /Font\n/BaseFont /Courier\n"), std::string::npos);
    EXPECT_NE(bytes.find("/Font <<\n/F1 5 0 R\n/F2 6 0 R\n/F3 7 0 R\n>>>>\n"), std::string::npos);
    EXPECT_EQ(reportpdf::read(bytes).problems, std::vector<std::string>{});
}

TEST_F(PDFWriterTest, SettingsBeforeTheFirstPageAreOnlyRecorded) {
    PDF pdf;
    pdf.SetFont("Courier", 12);
    pdf.SetLineWidth(3);
    EXPECT_TRUE(pdf.PageBuf().empty());
    EXPECT_TRUE(pdf.Buffer().empty());
    EXPECT_EQ(pdf.FontFamily(), "Courier");
    EXPECT_EQ(pdf.FontSize(), 12);
    EXPECT_EQ(pdf.LineWidth(), 3);
    // Each page repeats them at its start.
    pdf.AddPage();
    pdf.AddPage();
    EXPECT_EQ(pdf.PageBuf(), (std::vector<std::string>{"/F1 12 Tf\n3 w\n", "/F1 12 Tf\n3 w\n"}));
}

TEST_F(PDFWriterTest, TextOutsideAsciiIsWrittenInItsAsciiFallback) {
    struct Case {
        std::string text;
        std::string written;
    };
    const Case cases[] = {
        {"José Ñúñez", "Jose Nunez"},
        {"Zoë Müller-Lüdenscheidt", "Zoe Muller-Ludenscheidt"},
        {"Straße 5", "Strasse 5"},
        {"“Quoted” – dash", "\"Quoted\" - dash"},
        {"李 Wei", "? Wei"},
        {"Café ☕", "Cafe ?"},
        {"Plain ASCII, (kept) ~ byte for byte", "Plain ASCII, \\(kept\\) ~ byte for byte"},
    };
    PDF pdf;
    pdf.SetFont("Helvetica", 8);
    pdf.AddPage();
    for (size_t i = 0; i < std::size(cases); ++i) pdf.TextOut(10, int32_t(20 + 10 * i), cases[i].text);
    const std::string bytes = write(pdf);
    const reportpdf::Document doc = reportpdf::read(bytes);
    EXPECT_EQ(doc.problems, std::vector<std::string>{});
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_NE(doc.contents[0].find("(" + cases[i].written + ") Tj"), std::string::npos) << cases[i].text;
    for (unsigned char c : bytes) ASSERT_LT(c, 0x80) << "the document holds a byte outside ASCII";
}

TEST_F(PDFWriterTest, PageCountStopsAt32000AndFurtherLinesGoOnTheLastPage) {
    PDF pdf;
    for (int i = 0; i < PDF::kMaxPages + 5; ++i) pdf.AddPage();
    EXPECT_EQ(pdf.Page(), PDF::kMaxPages);
    EXPECT_EQ(pdf.PageBuf().size(), size_t(PDF::kMaxPages));
    pdf.TextOut(1, 1, "late");
    EXPECT_EQ(pdf.PageBuf().back(), "BT 1 791 Td (late) Tj ET\n");
}

TEST_F(PDFWriterTest, AFileThatCannotBeWrittenIsReportedWithTheSystemsReason) {
    std::vector<std::string> logged;
    platform::setLogSink([&](const std::string& line) { logged.push_back(line); });
    PDF pdf;
    pdf.AddPage();
    pdf.TextOut(1, 1, "x");
    EXPECT_FALSE(pdf.PutDoc(home.file("no such folder/report.PDF")));
    EXPECT_EQ(pdf.lastError(), "No such file or directory");
    EXPECT_EQ(logged, std::vector<std::string>{"Failed to opent he file"});
    // The writer is emptied either way.
    EXPECT_EQ(pdf.Page(), 0);
    EXPECT_EQ(pdf.NumObject(), 2);
    platform::setLogSink({});
}

// The report file lies in a folder others may be able to write to: it is made new for
// the user alone, and whatever stood at its name goes as an entry without being written
// through, so a link there leaves what it points to as it was.
TEST_F(PDFWriterTest, TheFileIsMadeNewForTheUserAloneAndNeverWrittenThroughALink) {
    const mode_t savedMask = ::umask(022);
    const std::string path = home.file("report.PDF");
    const std::string users = home.file("tax notes.txt");
    struct Case {
        const char* name;
        std::function<void()> place;   // what stands at the name before the write
        bool written;
        std::string reason;            // when not written
    };
    const Case cases[] = {
        {"nothing", [] {}, true, ""},
        {"an earlier report of everyone's reading",
         [&] {
             ASSERT_TRUE(platform::writeFileAtomically(path, "an earlier report"));
             ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
         },
         true, ""},
        {"a second name of the user's file", [&] { ASSERT_EQ(::link(users.c_str(), path.c_str()), 0); }, true, ""},
        {"a link to the user's file", [&] { ASSERT_EQ(::symlink(users.c_str(), path.c_str()), 0); }, true, ""},
        {"a link to nothing yet",
         [&] { ASSERT_EQ(::symlink(home.file("made through the link").c_str(), path.c_str()), 0); }, true, ""},
        {"a folder",
         [&] {
             ASSERT_TRUE(platform::createDirectories(path));
             ASSERT_TRUE(platform::writeFileAtomically(path + "/inside", "kept"));
         },
         false, "Is a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(path);
        ASSERT_TRUE(platform::writeFileAtomically(users, "the user's own"));
        ASSERT_EQ(::chmod(users.c_str(), 0640), 0);
        c.place();
        PDF pdf;
        pdf.SetFont("Helvetica", 8);
        pdf.AddPage();
        pdf.TextOut(30, 44, "Jane Roe, 1 Main St., 1000.00");
        EXPECT_EQ(pdf.PutDoc(path), c.written) << pdf.lastError();
        EXPECT_EQ(pdf.lastError(), c.reason);
        std::string bytes;
        ASSERT_TRUE(platform::readFile(users, bytes));
        EXPECT_EQ(bytes, "the user's own");
        struct stat user {};
        ASSERT_EQ(::stat(users.c_str(), &user), 0);
        EXPECT_EQ(user.st_mode & 07777, 0640u);
        EXPECT_FALSE(platform::fileExists(home.file("made through the link")));
        struct stat written {};
        ASSERT_EQ(::lstat(path.c_str(), &written), 0);
        if (!c.written) {
            EXPECT_TRUE(S_ISDIR(written.st_mode));
            EXPECT_TRUE(platform::fileExists(path + "/inside"));
            continue;
        }
        EXPECT_TRUE(S_ISREG(written.st_mode));
        EXPECT_EQ(written.st_mode & 07777, 0600u);
        EXPECT_EQ(written.st_nlink, 1u);
        ASSERT_TRUE(platform::readFile(path, bytes));
        EXPECT_EQ(bytes.rfind("%PDF-1.7\n", 0), 0u);
        EXPECT_NE(bytes.find("Jane Roe"), std::string::npos);
    }
    ::umask(savedMask);
}

TEST_F(PDFWriterTest, FileWrapEmptiesTheFileAndReadsAndWritesAtItsPosition) {
    const std::string path = home.file("wrapped");
    ASSERT_TRUE(platform::writeFileAtomically(path, "old contents that are longer"));
    FileWrap file;
    ASSERT_TRUE(file.Open(path));
    EXPECT_EQ(file.GetFileSize(), 0);
    ASSERT_TRUE(file.Write("abcdef", 6));
    EXPECT_EQ(file.GetFilePos(), 6);
    ASSERT_TRUE(file.SetFilePos(2, 0));
    char two[2];
    ASSERT_TRUE(file.Read(two, 2));
    EXPECT_EQ(std::string(two, 2), "cd");
    EXPECT_FALSE(file.Read(two, 3));
    EXPECT_EQ(file.GetFileSize(), 6);
    EXPECT_TRUE(file.Close());
}

}  // namespace
