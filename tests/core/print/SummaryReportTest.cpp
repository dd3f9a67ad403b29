// The summary report: its lines and their positions, the amounts of each form kind and
// their totals, the city lines, page breaks with a footer on every page, no payer
// selected, the printed file, and a report file that cannot be written.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "AmountTable.h"
#include "ReportFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Utils.h"
#include "core/print/DisplayPDF.h"
#include "platform/FileSystem.h"
#include "WithoutFileOverride.h"

namespace {

using reportpdf::TextRun;
using Runs = std::vector<TextRun>;
using Strings = std::vector<std::string>;

// Positions of the report: line n stands at (n + 4) × 11 points, column c at 6c points.
constexpr int lineY(int line) { return (line + 4) * 11; }

// The three footer runs of a page.
Runs footer(int page) {
    return {{page, 30, lineY(63), "1099 Summary Report"},
            {page, 224, lineY(63), "Page " + std::to_string(page)},
            {page, 369, lineY(63), "01/15/25"}};
}

// Each amount line as "label amount", in report order.
Strings amountLines(const Runs& runs) {
    Strings lines;
    for (size_t i = 0; i + 1 < runs.size(); ++i)
        if (runs[i].x == 60 && runs[i + 1].y == runs[i].y && runs[i + 1].page == runs[i].page)
            lines.push_back(runs[i].text + " " + runs[i + 1].text);
    return lines;
}

// The totals block as "label amount".
Strings totalLines(const Runs& runs) {
    Strings lines;
    for (size_t i = 0; i + 1 < runs.size(); ++i)
        if (runs[i].x == 150) lines.push_back(runs[i].text + " " + runs[i + 1].text);
    return lines;
}

class SummaryReportTest : public ReportTest {
protected:
    Runs print() {
        EXPECT_TRUE(DisplayPDF().PrintSummaryReport());
        return printedRuns();
    }
};

TEST_F(SummaryReportTest, LinesStandInOrderAtTheirComputedPositions) {
    const int32_t acme = addPayer("Acme Supply & Co.");
    add(acme, Person(1, "Ann", "Lee")
                  .at("12 Elm St.", "Springfield", "Illinois-IL", "62701")
                  .with(&RecipientInfo::setLine1_Misc, "123.45"));
    select({acme});

    Runs expected = {
        {1, 270, lineY(0), "1099 Summary Report"},
        {1, 18, lineY(2), "Acme Supply & Co."},
        {1, 30, lineY(5), "Ann Lee"},
        {1, 30, lineY(6), "12 Elm St."},
        {1, 30, lineY(7), "Springfield,IL,62701"},
        {1, 60, lineY(9), "MISC Amount:"},
        {1, 539, lineY(9), "123.45"},   // right-aligned on 570: "123.45" is 30.58 points wide
    };
    const char* kinds[] = {"MISC", "DIV", "INT", "R", "S", "NEC"};
    for (int k = 0; k < 6; ++k) {
        expected.push_back({1, 150, lineY(12 + k), std::string(kinds[k]) + " Sub Totals"});
        expected.push_back({1, k == 0 ? 539 : 550, lineY(12 + k), k == 0 ? "123.45" : "0.00"});
    }
    expected.push_back({1, 150, lineY(18), "Grand Total"});
    expected.push_back({1, 539, lineY(18), "123.45"});
    for (const TextRun& r : footer(1)) expected.push_back(r);

    EXPECT_EQ(print(), expected);
}

TEST_F(SummaryReportTest, EachKindSumsItsReportedBoxes) {
    const int32_t acme = addPayer("Acme");
    add(acme, Person(1, "Mia", "Misc")
                  .with(&RecipientInfo::setLine1_Misc, "100.00")
                  .with(&RecipientInfo::setLine2_Misc, "2,345.67")   // thousands separator: counts in full
                  .with(&RecipientInfo::setLine3_Misc, "1.00")
                  .with(&RecipientInfo::setLine4_Misc, "500.00")     // tax withheld: not reported
                  .with(&RecipientInfo::setLine5_Misc, "1.00")
                  .with(&RecipientInfo::setLine6_Misc, "1.00")
                  .with(&RecipientInfo::setLine7_Misc, "1.00")
                  .with(&RecipientInfo::setLine8_Misc, "1.00")
                  .with(&RecipientInfo::setLine10_Misc, "1.00")
                  .with(&RecipientInfo::setLine11_Misc, "1.00"));
    add(acme, Person(1, "Ned", "Negative")
                  .with(&RecipientInfo::setLine1_Misc, "-50.00")   // a negative amount is no amount
                  .with(&RecipientInfo::setLine2_Misc, "10.00"));
    add(acme, Person(1, "Val", "Void").voided().with(&RecipientInfo::setLine1_Misc, "999.00"));
    add(acme, Person(2, "Dee", "Div")
                  .with(&RecipientInfo::setDiv_Line1a, "10.00")
                  .with(&RecipientInfo::setDiv_Line2a, "20.00")
                  .with(&RecipientInfo::setDiv_Line3, "30.00")
                  .with(&RecipientInfo::setDiv_Line4, "100.00")
                  .with(&RecipientInfo::setDiv_Line8, "1.00")
                  .with(&RecipientInfo::setDiv_Line9, "2.00")
                  .with(&RecipientInfo::setDiv_Line10, "3.00"));
    add(acme, Person(3, "Ike", "Int")
                  .with(&RecipientInfo::setInt_Line1, "5.00")
                  .with(&RecipientInfo::setInt_Line2, "100.00")
                  .with(&RecipientInfo::setInt_Line3, "1.00")
                  .with(&RecipientInfo::setInt_Line8, "1.00")
                  .with(&RecipientInfo::setInt_Line10, "1.00")
                  .with(&RecipientInfo::setInt_Line11, "1.00")
                  .with(&RecipientInfo::setInt_Line16, "1.00"));
    add(acme, Person(4, "Ray", "Retire")
                  .with(&RecipientInfo::setR_Line1, "1,000.00")
                  .with(&RecipientInfo::setR_Line2a, "50.00"));
    add(acme, Person(5, "Sue", "Sale").with(&RecipientInfo::setS_Line2, "250000.00"));
    add(acme, Person(7, "Nia", "Nec")
                  .with(&RecipientInfo::setLine1_NEC, "700.00")
                  .with(&RecipientInfo::setLine3_NEC, "0.50")
                  .with(&RecipientInfo::setLine4_NEC, "70.00"));
    select({acme});

    const Runs runs = print();
    EXPECT_EQ(amountLines(runs), (Strings{"MISC Amount: 2452.67", "MISC Amount: 10.00", "MISC Amount: Voided",
                                          "DIV Amount: 66.00", "INT Amount: 10.00", "R Amount: 1000.00",
                                          "S Amount: 250000.00", "NEC Amount: 700.50"}));
    EXPECT_EQ(totalLines(runs), (Strings{"MISC Sub Totals 2462.67", "DIV Sub Totals 66.00", "INT Sub Totals 10.00",
                                         "R Sub Totals 1000.00", "S Sub Totals 250000.00", "NEC Sub Totals 700.50",
                                         "Grand Total 254239.17"}));
}

// Each text of the shared amount table in box 1 of a 1099-NEC: the summary shows it as
// the amount reader reads it, or names the recipient and box and prints nothing.
TEST_F(SummaryReportTest, TheSharedAmountTableOrNothingPrinted) {
    const int32_t acme = addPayer("Acme");
    const int32_t key = add(acme, Person(7, "Ann", "Lee").with(&RecipientInfo::setLine3_NEC, "1.00"));
    add(acme, Person(7, "Bo", "Two").with(&RecipientInfo::setLine1_NEC, "2.00"));
    select({acme});
    for (const amounttable::AmountCase& c : amounttable::cases()) {
        SCOPED_TRACE('"' + c.text + '"');
        RecipientInfo r = cdb()->getRecipientInfo(key);
        r.setLine1_NEC(c.text);
        ASSERT_TRUE(cdb()->updateRecipientInfo(r));
        if (amounttable::isRefused(c.outcome)) {
            const std::size_t boxes = ui->boxes().size();
            ui->answerBox(kMessageAnswerOkYes);
            EXPECT_FALSE(DisplayPDF().PrintSummaryReport());
            EXPECT_EQ(ui->jobs().size(), jobsSeen);
            ASSERT_EQ(ui->boxes().size(), boxes + 1);
            EXPECT_EQ(ui->boxes().back().caption, DisplayPDF::kAmountRefusedCaption);
            EXPECT_NE(ui->boxes().back().details.find("Box 1 of the 1099-NEC of Ann Lee"), std::string::npos)
                << ui->boxes().back().details;
            continue;
        }
        const Runs runs = print();
        EXPECT_EQ(amountLines(runs), (Strings{"NEC Amount: " + Utils::intToDollarString1(c.cents + 100),
                                              "NEC Amount: 2.00"}));
        EXPECT_EQ(totalLines(runs).back(), "Grand Total " + Utils::intToDollarString1(c.cents + 300));
    }
}

TEST_F(SummaryReportTest, SubtotalsRunOverEverySelectedPayerInSelectionOrder) {
    const int32_t first = addPayer("First Payer");
    const int32_t second = addPayer("Second Payer");
    const int32_t third = addPayer("Not Selected");
    add(first, Person(7, "Al", "One").with(&RecipientInfo::setLine1_NEC, "100.00"));
    add(second, Person(7, "Bo", "Two").with(&RecipientInfo::setLine1_NEC, "200.00"));
    add(third, Person(7, "Cy", "Three").with(&RecipientInfo::setLine1_NEC, "400.00"));
    select({second, first});
    // A count of selected rows larger than the list is not what is walked.
    session().numberSelections = 5;

    const Runs runs = print();
    Strings payersAndNames;
    for (const TextRun& r : runs)
        if (r.x == 18 || r.x == 30) payersAndNames.push_back(r.text);
    EXPECT_EQ(payersAndNames, (Strings{"Second Payer", "Bo Two", "First Payer", "Al One", "1099 Summary Report"}));
    EXPECT_EQ(totalLines(runs).back(), "Grand Total 300.00");
    EXPECT_EQ(totalLines(runs)[5], "NEC Sub Totals 300.00");
}

TEST_F(SummaryReportTest, CityLinesShowOnlyEachRecipientsOwnParts) {
    struct Case {
        const char* name;
        const char* city;
        const char* state;
        const char* zip;
        bool foreign;
        Strings lines;   // the lines between the name and the amount
    };
    const Case cases[] = {
        {"All three", "Springfield", "Illinois-IL", "62701", false, {"1 Main St.", "Springfield,IL,62701"}},
        {"No city", "", "Ohio-OH", "43004", false, {"1 Main St.", "OH,43004"}},
        {"No state", "Dayton", "None", "45402", false, {"1 Main St.", "Dayton45402"}},
        {"No ZIP code", "Reno", "Nevada-NV", "", false, {"1 Main St.", "Reno,NV"}},
        {"ZIP code only", "", "", "10001", false, {"1 Main St.", "10001"}},
        {"State name in other case", "Peoria", "illinois", "61602", false, {"1 Main St.", "Peoria,IL,61602"}},
        {"Foreign province as typed", "Toronto", "Ontario", "M5V 2T6", true, {"1 Main St.", "Toronto,Ontario,M5V 2T6"}},
        {"Nothing at all", "", "", "", false, {}},
    };
    const int32_t acme = addPayer("Acme");
    for (const Case& c : cases) {
        Person p = Person::business(1, c.name);
        p.at(c.lines.empty() ? "" : "1 Main St.", c.city, c.state, c.zip).with(&RecipientInfo::setLine1_Misc, "1.00");
        if (c.foreign) p.foreign();
        add(acme, p);
    }
    select({acme});

    const Runs runs = print();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto at = std::find_if(runs.begin(), runs.end(), [&](const TextRun& r) { return r.text == " " + std::string(c.name); });
        ASSERT_NE(at, runs.end());
        Strings between;
        for (++at; at != runs.end() && at->text != "MISC Amount:"; ++at) between.push_back(at->text);
        EXPECT_EQ(between, c.lines);
    }
}

TEST_F(SummaryReportTest, ARecipientWithoutAdditionalDataNeverShowsAnothersName) {
    const int32_t acme = addPayer("Acme");
    const int32_t alone = add(acme, Person(1, "Ann", "Own").with(&RecipientInfo::setLine1_Misc, "1.00"));
    add(acme, Person(1, "Bea", "Other").with(&RecipientInfo::setLine1_Misc, "2.00"));
    ASSERT_TRUE(cdb()->db->executeUpdate("delete from recipients_additionalinfo where pk = ?;", alone));
    select({acme});

    Strings names;
    for (const TextRun& r : print())
        if (r.x == 30 && r.y < lineY(63)) names.push_back(r.text);
    EXPECT_EQ(names, (Strings{"Ann Ann Own", "Bea Other"}));
}

TEST_F(SummaryReportTest, PageBreaksAtLine62WithAFooterOnEveryPageAndGoesOnAtLine3) {
    const int32_t acme = addPayer("Acme");
    // Three lines a recipient (name, blank line, amount) from line 5: recipient 18's
    // amount is line 61, the last of the first page.
    for (int i = 0; i < 25; ++i)
        add(acme, Person::business(2, "R" + std::string(i < 10 ? "0" : "") + std::to_string(i))
                      .with(&RecipientInfo::setDiv_Line1a, "1.00"));
    select({acme});

    ASSERT_TRUE(DisplayPDF().PrintSummaryReport());
    const reportpdf::Document doc = printedDocument();
    ASSERT_EQ(doc.contents.size(), 2u);
    const Runs runs = reportpdf::textRuns(doc);
    Runs page1, page2;
    for (const TextRun& r : runs) (r.page == 1 ? page1 : page2).push_back(r);

    ASSERT_GE(page1.size(), 5u);
    EXPECT_EQ(Runs(page1.end() - 5, page1.end() - 3),
              (Runs{{1, 60, lineY(61), "DIV Amount:"}, {1, 550, lineY(61), "1.00"}}));
    EXPECT_EQ(Runs(page1.end() - 3, page1.end()), footer(1));
    EXPECT_EQ(page2.front(), (TextRun{2, 30, lineY(3), " R19"}));
    EXPECT_EQ(Runs(page2.end() - 3, page2.end()), footer(2));
    EXPECT_EQ(totalLines(page2).back(), "Grand Total 25.00");
    for (const TextRun& r : runs) EXPECT_LE(r.y, lineY(63)) << r;
}

TEST_F(SummaryReportTest, WithNoPayerSelectedItIsTheTitleAndTheFooter) {
    addPayer("Acme");
    Runs expected = {{1, 270, lineY(0), "1099 Summary Report"}};
    for (const TextRun& r : footer(1)) expected.push_back(r);
    EXPECT_EQ(print(), expected);
}

TEST_F(SummaryReportTest, ThePrintedFileIsAValidLetterDocumentWithTheNamesAndTheTotal) {
    const int32_t acme = addPayer("Acme");
    for (int i = 0; i < 30; ++i)
        add(acme, Person(i % 2 ? 7 : 1, "Name" + std::to_string(i), "Zeta")
                      .at("1 Main St.", "Springfield", "Illinois-IL", "62701")
                      .with(i % 2 ? &RecipientInfo::setLine1_NEC : &RecipientInfo::setLine1_Misc, "1,000.10"));
    select({acme});
    const std::string folder = home.file("printed");
    std::filesystem::create_directories(folder);
    ui->writeJobsTo(folder);
    ASSERT_TRUE(DisplayPDF().PrintSummaryReport());
    const std::string kept = keptJob();
    // Written as the print folder writes jobs, too.
    EXPECT_TRUE(platform::fileExists(folder + "/1-Talvexa 1099 E-File 2025.pdf"));
    EXPECT_EQ(printedDocument().contents.size(), 3u);
    // The report file is gone once printed.
    EXPECT_FALSE(platform::fileExists(reportFile()));

    const auto check = reportpdf::runTool("qpdf --check " + reportpdf::quoted(kept));
    EXPECT_EQ(check.status, 0) << check.output;
    const auto info = reportpdf::runTool("pdfinfo " + reportpdf::quoted(kept));
    EXPECT_EQ(info.status, 0) << info.output;
    EXPECT_NE(info.output.find("Pages:           3\n"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("Page size:       612 x 792 pts (letter)"), std::string::npos) << info.output;
    const auto text = reportpdf::runTool("pdftotext -layout " + reportpdf::quoted(kept) + " -");
    EXPECT_EQ(text.status, 0) << text.output;
    for (int i = 0; i < 30; ++i)
        EXPECT_NE(text.output.find("Name" + std::to_string(i) + " Zeta"), std::string::npos) << i;
    EXPECT_NE(text.output.find("Grand Total"), std::string::npos);
    EXPECT_NE(text.output.find("30003.00"), std::string::npos) << text.output;
}

TEST(LineReportTest, PutPlacesTextByTheReportFontsWidths) {
    struct Case {
        const char* name;
        std::string text;
        int32_t column;
        int32_t alignment;
        int x;
    };
    const Case cases[] = {
        {"left at the column", "Acme", 3, PrtReport::kAlignLeft, 18},
        {"right, width 30.58", "123.45", 95, PrtReport::kAlignRight, 539},
        {"centred, half of 31.69", "Page 1", 40, PrtReport::kAlignCenter, 224},
        {"just left of the edge is cut toward zero", "&", 1, PrtReport::kAlignRight, 0},
        {"left of the edge goes to 10", "W", 1, PrtReport::kAlignRight, 10},
        {"widths stop at 310 points", std::string(100, 'W'), 95, PrtReport::kAlignRight, 260},
        {"measured as printed", "Zoë", 20, PrtReport::kAlignRight, 102},   // "Zoe": 120 - 17.23
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrtReport report(8);
        report.Open();
        report.Put(c.text, c.column, c.alignment);
        const std::string& page = report.pdf->PageBuf().at(0);
        EXPECT_EQ(page.substr(0, page.find(" 748 Td")), "/F1 8 Tf\nBT " + std::to_string(c.x));
    }
}

class ReportFileTest : public SummaryReportTest {
protected:
    // The error box names the file and the system's reason; nothing is printed.
    void expectErrorBox(const std::string& reason) {
        ui->answerBox(kMessageAnswerOkYes);
        EXPECT_FALSE(DisplayPDF().PrintSummaryReport());
        EXPECT_TRUE(ui->jobs().empty());
        ASSERT_EQ(ui->boxes().size(), 1u);
        const MessageBoxRequest box = ui->boxes()[0];
        EXPECT_EQ(box.style, kMessageStyleOK);
        EXPECT_EQ(box.image, kMessageImageError);
        EXPECT_EQ(box.caption, "The report could not be printed.");
        EXPECT_EQ(box.details,
                  "Talvexa 1099 could not write the report file \"" + reportFile() + "\": " + reason + ".");
    }
};

TEST_F(ReportFileTest, AMissingConfigurationFolderGivesTheErrorBoxAndNoPrintJob) {
    session().ControlledTempDir = home.path() + "/gone";
    expectErrorBox("No such file or directory");
}

TEST_F(ReportFileTest, AConfigurationFolderThatCannotBeWrittenGivesTheErrorBoxAndNoPrintJob) {
    WithoutFileOverride plainUser;
    ASSERT_EQ(chmod(session().ControlledTempDir.c_str(), 0555), 0);
    expectErrorBox("Permission denied");
    chmod(session().ControlledTempDir.c_str(), 0755);
}

}  // namespace
