// The legacy report writers: the bytes of a text report file in each of its modes,
// the lines of an on-screen report with its company header, and positioned output
// drawn into a PDF document that other tools read back.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "KeptPdf.h"
#include "ReportPdfReader.h"
#include "TempHome.h"
#include "TurkishLocale.h"
#include "core/foundation/Session.h"
#include "core/payroll/PayrollContext.h"
#include "core/payroll/EmployerReturns.h"
#include "core/payroll/PayrollSettings.h"
#include "core/print/PrtForm.h"
#include "core/print/ReportHooks.h"
#include "core/print/SheetModel.h"
#include "core/print/TextReport.h"
#include "core/print/WinReport.h"
#include "platform/FileSystem.h"

namespace {

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class TextReportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(report.TextFile.Open(path)); }
    std::string closedBytes() {
        EXPECT_TRUE(report.Close());
        return fileBytes(path);
    }

    TempHome home;
    std::string path = home.file("report.txt");
    TextReport report;
};

TEST_F(TextReportTest, TabModeLinesLoseTheirTrailingTab) {
    ASSERT_TRUE(report.Open());
    report.Put("Name", 0, 0);
    report.Put("42", 0, 0);
    report.EndLine();
    report.EndLine();   // an empty line after a finished one
    report.Put("Ünïcode", 0, 0);
    report.EndLine();
    report.stop = true;
    report.Put("hidden", 0, 0);
    report.EndLine();
    EXPECT_EQ(closedBytes(), "Name\t42\r\rÜnïcode\r");
}

TEST_F(TextReportTest, EndLineOnAnEmptyFileWritesTheReturn) {
    report.EndLine();
    EXPECT_EQ(closedBytes(), "\r");
}

TEST_F(TextReportTest, CommaModeCloseTurnsTheLastCommaIntoAReturn) {
    report.comma = true;
    report.Put("a", 0, 0);
    report.Put("b", 0, 0);
    report.EndLine();   // nothing in comma mode
    report.EndLineCsv();
    report.Put("c", 0, 0);
    EXPECT_EQ(closedBytes(), "a,b,c\r");
}

TEST_F(TextReportTest, CsvFields) {
    report.PutCSV("a,b");
    report.PutCSV_1("a b");
    report.PutCSV_1("John Smith, Jr");   // only the first eight characters change
    report.PutCSV_1("x,y");              // no blank: left as it is
    report.EndLineCsv();
    EXPECT_EQ(closedBytes(), "a b,a,b,John,Smith, Jr,x,y,\r");
}

TEST_F(TextReportTest, XmlEscapesEachCharacterOnce) {
    report.PutXML("<payroll>", true);
    report.PutXML_string("<name>", "A & <B> \"q\" 'r' &lt;");
    report.PutXML_long("<amount>", 123456);
    report.PutXML_long("<owed>", -5);
    report.PutXML("</payroll>", false);
    EXPECT_EQ(closedBytes(),
              "<payroll>\r\n"
              "<name>A &amp; &lt;B&gt; &quot;q&quot; &apos;r&apos; &amp;lt;</name>\r\n"
              "<amount>1234.56</amount>\r\n"
              "<owed>-0.05</owed>\r\n"
              "</payroll>");
}

// Under a desktop language that writes a decimal comma, amounts keep their point.
TEST_F(TextReportTest, AmountsKeepTheirPointWhateverTheDesktopsLanguage) {
    const TurkishLocale turkish;
    ASSERT_TRUE(turkish.inEffect());
    report.InitBuf("");
    report.MoveDbl(3.5, 6, 0);
    EXPECT_EQ(report.buf, "003.50");
    report.PutXML_long("<amount>", 123456);
    EXPECT_EQ(closedBytes(), "<amount>1234.56</amount>\r\n");
}

TEST_F(TextReportTest, FixedColumnsInTheBuffer) {
    struct Case {
        const char* name;
        std::function<void(TextReport&)> move;
        std::string expected;
    } cases[] = {
        {"column 1 appends at once, upper-cased", [](TextReport& r) { r.MoveStr("abc", 1); }, "ABC"},
        {"a negative column keeps the case", [](TextReport& r) { r.MoveStr("x", -5); }, "    x"},
        {"digits padded with zeros", [](TextReport& r) { r.MoveNum("7", 3, 0); }, "007"},
        {"longer digits moved as they are", [](TextReport& r) { r.MoveNum("1234", 3, 0); }, "1234"},
        {"blanks after", [](TextReport& r) { r.MoveNumWithBlanks("ab", 4, 0); }, "AB  "},
        {"a value", [](TextReport& r) { r.MoveVal(42, 4, 0); }, "0042"},
        {"the smallest long", [](TextReport& r) { r.MoveLong(LLONG_MIN, 1, 0); }, "-9223372036854775808"},
        {"an unsigned long", [](TextReport& r) { r.MoveULong(ULLONG_MAX, 22, 0); }, "0018446744073709551615"},
        {"a double", [](TextReport& r) { r.MoveDbl(3.5, 6, 0); }, "003.50"},
        {"columns in a row",
         [](TextReport& r) {
             r.MoveStr("id", 1);
             r.MoveNum("7", 3, 4);
             r.MoveStr("Ann", -10);
             r.MoveStr("é", 15);
         },
         "ID 007   Ann  É"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        report.InitBuf("");
        c.move(report);
        EXPECT_EQ(report.buf, c.expected);
    }
    report.PutBuf();   // writes nothing
    EXPECT_EQ(closedBytes(), "");
}

TEST(TextReportFailures, AWriteThatFailedIsNotClosedAsDone) {
    TextReport report;   // its file was never opened
    report.Put("lost", 0, 0);
    EXPECT_FALSE(report.Close());
    EXPECT_EQ(TextReport::strpos('c', "abc"), 2);
    EXPECT_EQ(TextReport::strpos('z', "abc"), -1);
}

// ---- the on-screen report ----

class WinReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        reporthooks::setTextPrinter([this](const std::string& title, const std::string& text) {
            printed.push_back(title + "|" + text);
        });
    }
    void TearDown() override {
        reporthooks::setTextPrinter(nullptr);
        resetSession();
    }
    static std::string centred(const std::string& text) {
        return std::string(static_cast<std::size_t>(42 - static_cast<int>(text.size()) / 2), ' ') + text + "\n";
    }

    WinReport report;
    std::vector<std::string> printed;
};

TEST_F(WinReportTest, BuildsItsLinesInColumns) {
    report.Put("abc", 10, 1);
    report.Put("x", 0, 0);
    report.EndLine();
    report.Put("mid", 20, 2);
    report.AddSpace(2);
    report.AddSpace(-1);
    report.Put("end", 0, 0);
    report.EndLine();
    EXPECT_EQ(report.TextData, "       abcx\n                   mid  end\n");
    EXPECT_EQ(report.LineBuffer, "");

    report.Put_Att_S("att", 5, 0);
    report.AddSpace_Att(1);
    report.EndLine_Att();
    EXPECT_EQ(report.LineBuffer_Att, "     att \n");

    report.Close();
    EXPECT_TRUE(printed.empty());
    report.ptint_flag = true;
    report.title = "Payroll Register";
    report.Close();
    EXPECT_EQ(printed, std::vector<std::string>{"Payroll Register|" + report.TextData});
}

TEST_F(WinReportTest, CompanyHeaderPeriods) {
    payrollContext().info->setName("Acme Payroll");
    payrollContext().info->setPayYear("2025");
    payrollContext().info2->setTrade("Acme Trading");
    report.title = "Quarterly Report";
    struct Case {
        const char* name;
        int32_t kind, quarter, startDate, endDate, startMonth, endMonth, tradeFlag;
        std::string company, period;
    } cases[] = {
        {"second quarter", 1, 1, -1, -1, -1, -1, 0, "Acme Payroll", "2nd Qtr 2025"},
        {"quarter out of range", 1, 4, -1, -1, -1, -1, 0, "Acme Payroll", "2025"},
        {"trade name", 1, 0, -1, -1, -1, -1, 1, "Acme Trading", "1st Qtr 2025"},
        {"no month chosen", 0, 0, -1, -1, -1, -1, 0, "Acme Payroll", "Jan 25"},
        {"a month range into January", 0, 0, -1, -1, 10, 12, 0, "Acme Payroll", "Nov-Jan 26"},
        {"one month", 0, 0, -1, -1, 5, 5, 0, "Acme Payroll", "Jun 25"},
        {"a day range", 0, 0, 0, 364, -1, -1, 0, "Acme Payroll", "01/01/25 - 12/31/25"},
        {"one day", 0, 0, 58, 58, -1, -1, 0, "Acme Payroll", "02/28/25"},
        {"another kind", 2, 0, -1, -1, -1, -1, 0, "Acme Payroll", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        report.TextData.clear();
        payrollContext().info->setTradeFlag(c.tradeFlag);
        report.Rept->setQuarter(c.quarter);
        report.Rept->setStartDate(c.startDate);
        report.Rept->setEndDate(c.endDate);
        report.Rept->setStartMonth(c.startMonth);
        report.Rept->setEndMonth(c.endMonth);
        report.CoHdr(c.kind);
        EXPECT_EQ(report.TextData, centred(c.company) + centred("Quarterly Report") + centred(c.period));
    }
    report.TextData.clear();
    report.TextFlag = true;
    report.CoHdr(1);
    EXPECT_EQ(report.TextData, "");
}

// ---- positioned output into the PDF writer ----

class PositionedOutputTest : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
    void TearDown() override { resetSession(); }

    // Writes the form's document, checks it with qpdf and gives its text runs.
    std::vector<reportpdf::TextRun> written(PrtForm& form, std::string* plainText = nullptr) {
        const std::string path = home.file("form.pdf");
        EXPECT_TRUE(form.pdf->PutDoc(path));
        const std::string bytes = fileBytes(path);
        const std::string kept = testoutput::keepPdf(bytes);
        const auto check = reportpdf::runTool("qpdf --check " + reportpdf::quoted(kept));
        EXPECT_EQ(check.status, 0) << check.output;
        if (plainText) *plainText = reportpdf::runTool("pdftotext " + reportpdf::quoted(kept) + " -").output;
        const auto doc = reportpdf::read(bytes);
        EXPECT_TRUE(doc.problems.empty());
        return reportpdf::textRuns(doc);
    }

    TempHome home;
};

TEST_F(PositionedOutputTest, FormTextsAndLayoutFieldsReachThePage) {
    PrtForm form;
    form.LineNum = 2;
    form.Put("Hello (World)", 100, 0);          // on the line: (2 + 1) × 10 points down
    form.Put("Right", 300, 1);                  // its right edge at 300
    form.fmtval.pt() = WX_XPOINT{0, 100};
    form.Put_Str(89, "Far");                    // 730 layout units right
    EXPECT_EQ(form.fmtval, WX_FMTVAL());        // cleared afterwards
    form.fmtval.pt() = WX_XPOINT{0, 200};
    form.Put_Str(1, "Near");                    // 8 units
    form.fmtval.pt() = WX_XPOINT{100, 300};
    form.Put_Str(-1, "abc");                    // first left by the text's width
    form.fmt.Val[3] = WX_FMTVAL(0, 0, 1, 0, 400, 500);
    form.Put1("Field", 5, 7, 3);                // at layout field 3; point 0 moved
    ASSERT_EQ(form.thePoint.size(), 1u);
    EXPECT_EQ(form.thePoint[0]->x(), 5);
    EXPECT_EQ(form.thePoint[0]->y(), 7);
    form.fmt.Val[4] = WX_FMTVAL(1, 0, 1, 0, 400, 600);
    form.Report::Put("Hidden", 4);              // a field marked not to print
    form.Report::Put("Outside", 400);           // no such field

    std::string text;
    const auto runs = written(form, &text);
    const int rightX = static_cast<int>(300 - PrtReport::textWidth("Right")) + 55;
    const std::vector<reportpdf::TextRun> expected = {
        {1, 155, 30, "Hello (World)"},
        {1, rightX, 30, "Right"},
        {1, 525 + 55, 72 + 15, "Far"},
        {1, 5 + 55, 144 + 15, "Near"},
        {1, (100 - 25 + 8) * 72 / 100 + 55, 216 + 15, "abc"},
        {1, 288 + 55, 360 + 15, "Field"},
    };
    EXPECT_EQ(runs, expected);
    for (const char* shown : {"Hello (World)", "Right", "Far", "Near", "abc", "Field"})
        EXPECT_NE(text.find(shown), std::string::npos) << shown << " in " << text;
}

TEST_F(PositionedOutputTest, RightJustifiedFieldsAndOffsets) {
    PrtForm form;
    form.xOffset = 10;
    form.yOffset = -40;                         // a negative offset counts as none
    form.fmt.Val[0] = WX_FMTVAL(0, 1, 1, 200, 100, 100);
    form.Put_vlong(0, 123456);                  // at fmtval, moved by the offset only
    form.Report::Put("1234.56", 0);             // right-justified in a field 200 units wide
    const auto runs = written(form);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (reportpdf::TextRun{1, 10 * 72 / 100 + 55, 15, "1234.56"}));
    const int x = (110 * 72 / 100) + (200 * 72 / 100) - 7 * form.pdf->CharWidth() + 55;
    EXPECT_EQ(runs[1], (reportpdf::TextRun{1, x, 72 + 15, "1234.56"}));
    EXPECT_EQ(form.xEndPos, x - 55 + 7 * form.pdf->CharWidth());
    EXPECT_TRUE(form.stop);
}

TEST_F(PositionedOutputTest, BeforeTheFirstPageNothingIsDrawnButThePageOpens) {
    PrtForm form;
    form.Prt.FirstPage = 2;
    form.Put("early", 10, 0);
    EXPECT_TRUE(form.pageopen);
    ASSERT_NE(form.pdf, nullptr);
    EXPECT_EQ(form.pdf->Page(), 1);
    EXPECT_EQ(form.pdf->PageBuf()[0].find("Tj"), std::string::npos);
}

TEST_F(PositionedOutputTest, APrinterErrorStopsPositionedOutput) {
    PrtForm form;
    form.Prt.prterr = true;
    form.Report::Put("nothing", -1);
    EXPECT_TRUE(form.stop);
    EXPECT_EQ(form.pdf, nullptr);
}

TEST_F(PositionedOutputTest, CheckPageSetUpCallsTheStub) {
    struct Stubbed : PrtForm {
        int stubs = 0;
        void StubPrt(int32_t, int32_t) override { ++stubs; }
    } form;
    form.stop = true;
    form.Rept->setWxtype(2);
    form.PutChk(0);
    EXPECT_EQ(form.stubs, 1);
    EXPECT_FALSE(form.stop);
    EXPECT_EQ(form.fmt.Val.size(), 19u);        // the layout length of that kind
    EXPECT_EQ(form.Prt.xRes, 72);
    EXPECT_EQ(form.Prt.CharWidth, form.pdf->CharWidth());
    EXPECT_EQ(form.InchWidth("abc"), 3 * form.pdf->CharWidth() * 100 / 72);
    form.Rept->setWxtype(7);
    form.GetFormat(7, 0);
    EXPECT_TRUE(form.fmt.Val.empty());
}

// The check document lies in the configuration folder beside the report file: made for
// the user alone, never written through a link placed at its name.
TEST_F(PositionedOutputTest, TheCheckDocumentIsTheUsersAloneAndNeverWrittenThroughALink) {
    const mode_t savedMask = ::umask(022);
    session().ControlledTempDir = home.file("config");
    ASSERT_TRUE(platform::createDirectories(session().ControlledTempDir));
    const std::string path = session().ControlledTempDir + "/Checks.PDF";
    const std::string users = home.file("payroll notes.txt");
    ASSERT_TRUE(platform::writeFileAtomically(users, "the user's own"));
    ASSERT_EQ(::symlink(users.c_str(), path.c_str()), 0);
    PrtForm form;
    form.Rept->setWxtype(7);
    form.pdfStub = 1;
    EXPECT_TRUE(form.Checks());
    EXPECT_EQ(fileBytes(users), "the user's own");
    struct stat written {};
    ASSERT_EQ(::lstat(path.c_str(), &written), 0);
    EXPECT_TRUE(S_ISREG(written.st_mode));
    EXPECT_EQ(written.st_mode & 07777, 0600u);
    EXPECT_EQ(fileBytes(path).rfind("%PDF-1.7\n", 0), 0u);
    ::umask(savedMask);
}

TEST(ReportHelpers, TextHelpers) {
    EXPECT_EQ(Report::GetPrefix("CA-123"), "CA");
    EXPECT_EQ(Report::GetPrefix("none"), "none");
    EXPECT_EQ(Report::RemoveWhitespaces("\n\t  a b \r\n"), "a b");
    EXPECT_EQ(Report::RemoveWhitespaces(" \n "), "");
}

// A label goes onto the shared report view, in whole points, and so onto the sheet that
// is painted in the form font.
TEST(ReportHelpers, LocatesubviewPlacesItsLabelOnTheSharedReportView) {
    WinReport report;
    report.LoadTextView();
    report.Locatesubview("Label text", {1.4, 2.6, 30, 40});
    report.Locatesubview("Second", {100, 200, 50.5, 10});
    ASSERT_EQ(report.theTextView.texts.size(), 2u);
    EXPECT_EQ(report.theTextView.texts[0], (PlacedText{"Label text", 1, 3, 30, 40}));
    EXPECT_EQ(report.theTextView.texts[1], (PlacedText{"Second", 100, 200, 51, 10}));
    EXPECT_STREQ(SheetModel::kFontFamily, "Arial");
    EXPECT_EQ(SheetModel::kFontSize, 8);
    report.MultiplePrintPages();
    ASSERT_EQ(report.sheets.size(), 1u);
    EXPECT_EQ(report.sheets.sheets()[0].texts, report.theTextView.texts);
}

// Put1, MMRef and PadRight do nothing on a report; a positioned form gives Put1 its own
// meaning, reached through the base class too.
TEST(ReportHelpers, OlderEntryPointsDoNothingExceptAFormsPut1) {
    WinReport report;
    Report& base = report;
    base.Put1("Text", 5, 7, 3);
    base.MMRef();
    base.PadRight("Text", 20);
    EXPECT_EQ(report.pdf, nullptr);
    EXPECT_TRUE(report.theTextView.texts.empty());
    EXPECT_EQ(report.LineBuffer, "");
    EXPECT_EQ(report.TextData, "");
    EXPECT_FALSE(report.stop);

    PrtForm form;
    form.fmt.Val.resize(4);
    form.fmt.Val[3] = WX_FMTVAL(0, 0, 1, 0, 400, 500);
    Report& formBase = form;
    formBase.Put1("Field", 5, 7, 3);
    ASSERT_EQ(form.thePoint.size(), 1u);
    EXPECT_EQ(form.thePoint[0]->x(), 5);
    EXPECT_EQ(form.thePoint[0]->y(), 7);
    EXPECT_TRUE(form.stop);   // the text was placed
}

// Every report made for a print run carries its tax and wage records.
TEST(ReportHelpers, EveryReportCarriesItsTaxAndWageRecords) {
    PrtReport report(9);
    ASSERT_NE(report.EmpTax, nullptr);
    ASSERT_NE(report.WageData, nullptr);
    EXPECT_EQ(report.EmpTax->Total(), 0);
    PrtReport other(9);
    EXPECT_NE(report.EmpTax, other.EmpTax);
}

}  // namespace
