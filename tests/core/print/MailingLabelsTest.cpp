// The mailing labels: label positions across and down the sheet, repeated labels, page
// breaks, no recipients, the city line, the payer's stored settings (with the defaults
// in place of values that cannot be used) and no payer selected.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "ReportFixture.h"
#include "ScriptedJobs.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/print/DisplayPDF.h"
#include "core/print/LabelLayout.h"
#include "core/print/PrtReport.h"
#include "core/print/REPDATA.h"
#include "core/print/rept.h"
#include "core/store/MailingLabelInfo.h"
#include "platform/FileSystem.h"

namespace {

using reportpdf::TextRun;
using Runs = std::vector<TextRun>;
using Strings = std::vector<std::string>;

// The three lines of a label at x whose lines lie at the given heights.
Runs label(int page, int x, std::array<int, 3> y, const std::string& name, const std::string& street,
           const std::string& city) {
    return {{page, x, y[0], name}, {page, x, y[1], street}, {page, x, y[2], city}};
}
// The heights of the lines of the first and the second row with the default top margin.
constexpr std::array<int, 3> kRow1{54, 63, 73};
constexpr std::array<int, 3> kRow2{126, 135, 145};

Runs join(std::initializer_list<Runs> parts) {
    Runs all;
    for (const Runs& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

LabelLayout layout(int across, int repeat) {
    LabelLayout l;   // left 0.30, top 0.20, 3.00 by 1.00 inches
    l.across = across;
    l.repeat = repeat;
    return l;
}

Person numbered(int i) {
    return Person(1, "P" + std::to_string(i), "Label").at(std::to_string(i) + " Main St.", "Springfield", "Illinois-IL", "62701");
}

class MailingLabelsTest : public ReportTest {
protected:
    // Draws the labels of the people with the layout and prints them as the labels run
    // does; the document printed.
    reportpdf::Document draw(const LabelLayout& l, const std::vector<Person>& people) {
        std::vector<RecipientInfo> recipients;
        std::vector<RecipientAdditionalInfo> additional;
        int32_t key = 0;
        for (Person p : people) {
            p.r.setPK(key);
            p.a.setPK(key++);
            recipients.push_back(p.r);
            additional.push_back(p.a);
        }
        PrtReport report(REPDATA::kMailingLabels);
        report.Open();
        report.Mailing(l, recipients, additional);
        EXPECT_TRUE(report.Close());
        return printedDocument();
    }
    Runs drawRuns(const LabelLayout& l, const std::vector<Person>& people) {
        return reportpdf::textRuns(draw(l, people));
    }
    static std::vector<Person> people(int count) {
        std::vector<Person> all;
        for (int i = 0; i < count; ++i) all.push_back(numbered(i));
        return all;
    }
    // Stores the payer's label settings.
    void storeSettings(int32_t payer, const std::string& left, const std::string& top, const std::string& width,
                       const std::string& height, int32_t across, int32_t repeat) {
        MailingLabelInfo info = cdb()->SelectMailingLabelInfo(payer);
        ASSERT_GE(info.getPK(), 0);
        info.setLeft(left);
        info.setTop(top);
        info.setWidth(width);
        info.setHeight(height);
        info.setAcross(across);
        info.setRepeat(repeat);
        ASSERT_TRUE(cdb()->updateMailingLabelInfo(info));
    }
};

const std::string kCity = "Springfield, IL 62701";

TEST_F(MailingLabelsTest, OneAcrossPutsEachLabelBelowTheLast) {
    // 0.30 and 0.20 inches are 21 and 14 points, after the 6-point margin and the
    // 40 points down to the first base line; a label is 72 points high; lines are
    // 0.13 inches apart.
    EXPECT_EQ(drawRuns(layout(1, 1), people(2)),
              join({label(1, 27, kRow1, "P0 Label", "0 Main St.", kCity), label(1, 27, kRow2, "P1 Label", "1 Main St.", kCity)}));
}

TEST_F(MailingLabelsTest, ThreeAcrossFillARowAndTheFourthStartsTheNextAtTheLeft) {
    EXPECT_EQ(drawRuns(layout(3, 1), people(4)),
              join({label(1, 27, kRow1, "P0 Label", "0 Main St.", kCity), label(1, 243, kRow1, "P1 Label", "1 Main St.", kCity),
                    label(1, 459, kRow1, "P2 Label", "2 Main St.", kCity),
                    label(1, 27, kRow2, "P3 Label", "3 Main St.", kCity)}));
}

TEST_F(MailingLabelsTest, RepeatTwoGivesEachRecipientTwoLabelsInARowThatRunsOn) {
    EXPECT_EQ(drawRuns(layout(3, 2), people(2)),
              join({label(1, 27, kRow1, "P0 Label", "0 Main St.", kCity), label(1, 243, kRow1, "P0 Label", "0 Main St.", kCity),
                    label(1, 459, kRow1, "P1 Label", "1 Main St.", kCity),
                    label(1, 27, kRow2, "P1 Label", "1 Main St.", kCity)}));
}

TEST_F(MailingLabelsTest, PagesBreakWhenTheNextRowWouldReachTheBottom) {
    struct Case {
        const char* name;
        int across;
        int recipients;
        std::vector<int> labelsPerPage;
    };
    // Rows stand at 0.20, 1.20 … 9.20 inches: the eleventh would leave no room above the
    // bottom (10.65 inches) for its lines and the top margin counted a second time.
    const Case cases[] = {
        {"one across, 25 recipients", 1, 25, {10, 10, 5}},
        {"one across, a page exactly full", 1, 10, {10}},
        {"three across, 31 recipients", 3, 31, {30, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const reportpdf::Document doc = draw(layout(c.across, 1), people(c.recipients));
        const Runs runs = reportpdf::textRuns(doc);
        std::vector<int> perPage(doc.contents.size(), 0);
        for (const TextRun& r : runs) ++perPage[r.page - 1];
        for (int& n : perPage) n /= 3;
        EXPECT_EQ(perPage, c.labelsPerPage);
        // Every page's first label stands at the top margin.
        for (size_t p = 1; p <= doc.contents.size(); ++p) {
            const auto first = std::find_if(runs.begin(), runs.end(), [&](const TextRun& r) { return r.page == int(p); });
            ASSERT_NE(first, runs.end());
            EXPECT_EQ(first->y, 54) << "page " << p;
        }
    }
}

TEST_F(MailingLabelsTest, NoRecipientsOrNoRepeatPrintOneEmptyPage) {
    for (const auto& [name, repeat, count] : {std::tuple{"no recipients", 1, 0}, std::tuple{"repeat 0", 0, 3},
                                             std::tuple{"repeat -2", -2, 3}}) {
        SCOPED_TRACE(name);
        const reportpdf::Document doc = draw(layout(1, repeat), people(count));
        EXPECT_EQ(doc.contents, Strings{"/F1 8 Tf\n"});
    }
}

TEST_F(MailingLabelsTest, CityLinesLeaveOutEmptyPartsWithTheirSeparators) {
    struct Case {
        const char* city;
        const char* state;
        const char* zip;
        bool foreign;
        const char* line;
    };
    const Case cases[] = {
        {"Springfield", "Illinois-IL", "62701", false, "Springfield, IL 62701"},
        {"", "Illinois-IL", "62701", false, "IL 62701"},
        {"Springfield", "", "62701", false, "Springfield62701"},
        {"Springfield", "None", "62701", false, "Springfield62701"},
        {"Springfield", "Illinois-IL", "", false, "Springfield, IL"},
        {"Springfield", "", "", false, "Springfield"},
        {"", "", "", false, ""},
        {"Toronto", "Ontario", "M5V 2T6", true, "Toronto, Ontario M5V 2T6"},
    };
    std::vector<Person> all;
    for (const Case& c : cases) {
        Person p(1, "Ann", "Lee");
        p.at("1 Main St.", c.city, c.state, c.zip);
        if (c.foreign) p.foreign();
        all.push_back(p);
    }
    all.push_back(Person::business(7, "Acme Widgets & Co."));
    const Runs runs = drawRuns(layout(1, 1), all);
    ASSERT_EQ(runs.size(), 3 * all.size());
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(runs[3 * i].text, "Ann Lee");
        EXPECT_EQ(runs[3 * i + 2].text, cases[i].line) << i;
    }
    // A business is named by its name line.
    EXPECT_EQ(runs[3 * std::size(cases)].text, " Acme Widgets & Co.");
}

TEST_F(MailingLabelsTest, AForeignLabelEndsWithItsCountryAndAUSLabelKeepsThreeLines) {
    Person abroad(1, "Ann", "Lee");
    abroad.at("1 King St. W", "Toronto", "Ontario", "M5V 2T6").foreign();
    abroad.r.setCountry("Canada");
    Person domestic(1, "Bo", "Lin");
    domestic.at("2 Main St.", "Springfield", "Illinois-IL", "62701");
    domestic.r.setCountry("USA");
    Person abroadWithoutCountry(1, "Cy", "Po");
    abroadWithoutCountry.at("3 Rue Haute", "Lyon", "Rhone", "69001").foreign();
    const Runs runs = drawRuns(layout(3, 1), {abroad, domestic, abroadWithoutCountry});
    EXPECT_EQ(runs, join({label(1, 27, kRow1, "Ann Lee", "1 King St. W", "Toronto, Ontario M5V 2T6"),
                          Runs{{1, 27, 82, "Canada"}},
                          label(1, 243, kRow1, "Bo Lin", "2 Main St.", kCity),
                          label(1, 459, kRow1, "Cy Po", "3 Rue Haute", "Lyon, Rhone 69001")}));
}

TEST_F(MailingLabelsTest, TheRunPrintsThePayersRecipientsByItsStoredSettings) {
    const int32_t acme = addPayer("Acme");
    const int32_t other = addPayer("Other");
    add(acme, Person(1, "Ann", "Misc").at("1 A St.", "Akron", "Ohio-OH", "44301"));
    add(other, Person(1, "Oz", "Elsewhere").at("9 Z St.", "Zion", "Illinois-IL", "60099"));
    add(acme, Person(7, "Ned", "Nec").at("2 B St.", "Boise", "Idaho-ID", "83702"));
    add(acme, Person(5, "Sal", "Sale").at("3 C St.", "Camden", "New Jersey-NJ", "08101"));
    storeSettings(acme, "0.50", "1.00", "4.00", "2.00", 2, 1);
    select({acme, other});

    ASSERT_TRUE(DisplayPDF().MailingLablesReport());
    // Left 0.50 inches is 36 + 6 points; top 1.00 is 72 + 40; 4.00 inches across is 288
    // and 2.00 down 144.
    EXPECT_EQ(printedRuns(), join({label(1, 42, {112, 121, 130}, "Ann Misc", "1 A St.", "Akron, OH 44301"),
                                   label(1, 330, {112, 121, 130}, "Ned Nec", "2 B St.", "Boise, ID 83702"),
                                   label(1, 42, {256, 265, 274}, "Sal Sale", "3 C St.", "Camden, NJ 08101")}));
    EXPECT_FALSE(platform::fileExists(reportFile()));
}

TEST_F(MailingLabelsTest, StoredValuesThatCannotBeUsedGiveWayToTheDefaults) {
    struct Case {
        const char* name;
        const char* left;
        const char* top;
        const char* width;
        const char* height;
        int32_t across;
        int32_t repeat;
    };
    const Case cases[] = {
        {"markers of empty and invalid fields", "-1", "-2", "-1", "-2", -1, -2},
        {"texts that are no measures", "", "abc", "1.234", "1..0", 0, 0},
        {"zero sizes and counts above 9", "0.30", "0.20", "0", "0.00", 12, 10},
    };
    const int32_t acme = addPayer("Acme");
    add(acme, numbered(0));
    add(acme, numbered(1));
    select({acme});
    const Runs defaults = join({label(1, 27, kRow1, "P0 Label", "0 Main St.", kCity),
                                label(1, 27, kRow2, "P1 Label", "1 Main St.", kCity)});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        storeSettings(acme, c.left, c.top, c.width, c.height, c.across, c.repeat);
        ASSERT_TRUE(DisplayPDF().MailingLablesReport());
        EXPECT_EQ(printedRuns(), defaults);
    }
}

TEST_F(MailingLabelsTest, WithNoPayerSelectedTheUserIsToldAndNothingPrints) {
    addPayer("Acme");
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_FALSE(DisplayPDF().MailingLablesReport());
    EXPECT_TRUE(ui->jobs().empty());
    ASSERT_EQ(ui->boxes().size(), 1u);
    const MessageBoxRequest box = ui->boxes()[0];
    EXPECT_EQ(box.caption, "");
    EXPECT_EQ(box.details, "Select a payer in the company list first.");
    EXPECT_EQ(box.style, kMessageStyleOK);
    EXPECT_EQ(box.title, "Talvexa 1099 E-File 2025");
    EXPECT_EQ(box.image, kMessageImagePlain);
}

TEST_F(MailingLabelsTest, OnlyTheLabelsGoThroughTheReportFile) {
    const int32_t acme = addPayer("Acme");
    add(acme, numbered(0));
    select({acme});
    // Nothing for the numbers without a drawing.
    for (int32_t number : {-1, 8, 12}) {
        REPDATA request;
        request.setReptnum(number);
        EXPECT_EQ(rept().DoReport(request), PrintResult::printed) << number;
    }
    EXPECT_TRUE(ui->jobs().empty());
    // The forms and the 1096 hand their sheets over, with no report file.
    for (int32_t number : {REPDATA::kMisc, REPDATA::k1096, REPDATA::kNec}) {
        REPDATA request;
        request.setReptnum(number);
        EXPECT_EQ(rept().DoReport(request), PrintResult::printed) << number;
        ASSERT_FALSE(ui->jobs().empty());
        EXPECT_TRUE(ui->jobs().back().sheets) << number;
        EXPECT_TRUE(ui->jobs().back().pdf.empty()) << number;
    }
    REPDATA labels;
    labels.setReptnum(REPDATA::kMailingLabels);
    EXPECT_EQ(rept().DoReport(labels), PrintResult::printed);
    ASSERT_EQ(ui->jobs().size(), 4u);
    EXPECT_FALSE(ui->jobs().back().sheets);
    EXPECT_FALSE(ui->jobs().back().pdf.empty());
}

TEST_F(MailingLabelsTest, ThePrintedFileIsAValidLetterDocument) {
    const int32_t acme = addPayer("Acme");
    for (int i = 0; i < 40; ++i) add(acme, numbered(i));
    storeSettings(acme, "0.30", "0.50", "2.75", "1.00", 3, 1);
    select({acme});
    ASSERT_TRUE(DisplayPDF().MailingLablesReport());
    const std::string kept = keptJob();
    const auto check = reportpdf::runTool("qpdf --check " + reportpdf::quoted(kept));
    EXPECT_EQ(check.status, 0) << check.output;
    const auto info = reportpdf::runTool("pdfinfo " + reportpdf::quoted(kept));
    EXPECT_NE(info.output.find("Pages:           2\n"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("Page size:       612 x 792 pts (letter)"), std::string::npos) << info.output;
    const auto text = reportpdf::runTool("pdftotext " + reportpdf::quoted(kept) + " -");
    EXPECT_NE(text.output.find("P39 Label"), std::string::npos) << text.output;
}

TEST_F(MailingLabelsTest, TheLabelsCountTheirLayoutAndCancelWritesAndPrintsNothing) {
    const int32_t acme = addPayer("Acme");
    for (int i = 0; i < 3; ++i) add(acme, numbered(i));
    select({acme});
    ui.reset();
    auto* progress = new ScriptedJobsUserInterface;
    ui.reset(progress);

    ASSERT_TRUE(DisplayPDF().MailingLablesReport());
    ASSERT_EQ(progress->jobs().size(), 1u);
    const auto& job = *progress->jobs()[0];
    EXPECT_EQ(job.request.title, "Print");
    EXPECT_EQ(job.steps, (Strings{"Reading the recipients", "Laying out the labels"}));
    EXPECT_EQ(job.lastCounts.back(), (std::pair<int64_t, int64_t>{3, 3}));
    EXPECT_FALSE(job.cancelOffered) << "Cancel goes before the report file is written";
    EXPECT_TRUE(job.closed);
    ASSERT_EQ(ui->jobs().size(), 1u);

    progress->cancelDuring("Laying out");
    EXPECT_FALSE(DisplayPDF().MailingLablesReport());
    EXPECT_EQ(ui->jobs().size(), 1u) << "nothing more was printed";
    EXPECT_FALSE(platform::fileExists(reportFile()));
    ASSERT_EQ(progress->jobs().size(), 2u);
    EXPECT_TRUE(progress->jobs()[1]->cancelPressed);
    EXPECT_TRUE(progress->jobs()[1]->closed);
}

}  // namespace
