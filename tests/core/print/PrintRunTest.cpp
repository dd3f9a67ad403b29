// The form print runs: the copies of each kind with their prompts and jobs, the
// partial-year question, the filing run with its 1096 and totals, the marks, and the
// selection of payers and recipients that a run reads.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "AmountTable.h"
#include "ScriptedJobs.h"
#include "SheetFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Utils.h"
#include "core/print/DisplayPDF.h"
#include "core/store/WX_FMT.h"
#include "platform/FileSystem.h"

namespace {

using Strings = std::vector<std::string>;

class PrintRunTest : public SheetTest {
protected:
    // The texts of the boxes shown so far, in order.
    Strings boxTexts() const {
        Strings out;
        for (const MessageBoxRequest& b : ui->boxes()) out.push_back(b.details);
        return out;
    }
    void answer(int boxes, int code = kMessageAnswerOkYes) {
        for (int i = 0; i < boxes; ++i) ui->answerBox(code);
    }
    // n recipients of the kind for the payer, named R1 … Rn.
    std::vector<int32_t> addRecipients(int32_t payer, int32_t kind, int n) {
        std::vector<int32_t> keys;
        for (int i = 1; i <= n; ++i) keys.push_back(add(payer, person(kind, "R" + std::to_string(i))));
        return keys;
    }
    // The 1096 of the last job: the number of forms, the tax withheld and the total.
    Strings totals1096() {
        const auto sheets = lastSheets();
        if (sheets->size() != 1) return {};
        const Strings t = texts(sheets->sheets()[0]);
        // name, street, city, contact, phone, fax, e-mail, EIN, then the three totals
        return t.size() >= 11 ? Strings{t[8], t[9], t[10]} : Strings{};
    }
};

// ---- copies, prompts and jobs of each kind ----

struct KindCopies {
    std::string name;
    int32_t kind;
    int32_t perSheet;
    Strings recipientCopies;
    Strings filingCopies;
    std::vector<int32_t> filingCodes;
};

void PrintTo(const KindCopies& k, std::ostream* os) { *os << k.name; }

class KindRunTest : public PrintRunTest, public ::testing::WithParamInterface<KindCopies> {
protected:
    static std::string prompt(int sheets, const char* middle, const std::string& copy) {
        return "Please put " + std::to_string(sheets) + middle + "of 1099-" + GetParam().name + " " + copy +
               " into the printer, then hit ok";
    }
    bool asksPartialYear() const { return GetParam().kind == 2 || GetParam().kind == 5; }
};

TEST_P(KindRunTest, RecipientRunPromptsForEachCopyAndPrintsItAsOneJob) {
    const KindCopies& k = GetParam();
    const int32_t payer = addFullPayer();
    select({payer});
    selectRecipients(addRecipients(payer, k.kind, 5));
    const int sheets = (5 + k.perSheet - 1) / k.perSheet;

    Strings expected;
    for (const std::string& copy : k.recipientCopies) {
        if (asksPartialYear()) expected.push_back(DisplayPDF::kPartialYearText);
        expected.push_back(prompt(sheets, " copies ", copy));
    }
    answer(static_cast<int>(expected.size()));
    DisplayPDF(k.kind, false).RecipientFed1099();

    EXPECT_EQ(boxTexts(), expected);
    for (const MessageBoxRequest& box : ui->boxes()) {
        if (box.details == DisplayPDF::kPartialYearText) continue;
        EXPECT_EQ(box.caption, "");
        EXPECT_EQ(box.style, kMessageStyleOK);
        EXPECT_EQ(box.title, "#of forms message box");
        EXPECT_EQ(box.image, kMessageImagePlain);
    }
    const auto jobs = sheetJobs();
    ASSERT_EQ(jobs.size(), k.recipientCopies.size());
    for (const auto& job : jobs) EXPECT_EQ(job->size(), static_cast<size_t>(sheets));
    EXPECT_FALSE(session().PartialYear);
}

TEST_P(KindRunTest, OneRecipientIsOneCopyInTheRecipientRunAndCopiesInTheFilingRun) {
    const KindCopies& k = GetParam();
    const int32_t payer = addFullPayer();
    select({payer});
    selectRecipients(addRecipients(payer, k.kind, 1));

    answer(static_cast<int>(k.recipientCopies.size()) * (asksPartialYear() ? 2 : 1));
    DisplayPDF(k.kind, false).RecipientFed1099();
    Strings recipientPrompts;
    for (const std::string& t : boxTexts())
        if (t != DisplayPDF::kPartialYearText) recipientPrompts.push_back(t);
    Strings expected;
    for (const std::string& copy : k.recipientCopies) expected.push_back(prompt(1, " copy ", copy));
    EXPECT_EQ(recipientPrompts, expected);

    const size_t before = ui->boxes().size();
    answer(static_cast<int>(k.filingCopies.size()) + 1 + (asksPartialYear() ? 1 : 0));
    DisplayPDF(k.kind, false).CompanyFed1099(1, 1);
    const Strings all = boxTexts();
    const Strings filing(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
    expected.clear();
    // The filing run asks the partial-year question once, before its copies.
    if (asksPartialYear()) expected.push_back(DisplayPDF::kPartialYearText);
    for (const std::string& copy : k.filingCopies) expected.push_back(prompt(1, " copies ", copy));
    expected.push_back("Please put 1 1096 into the printer, then hit ok");
    EXPECT_EQ(filing, expected);
    EXPECT_EQ(ui->boxes().back().title, "1096 message box");
    EXPECT_EQ(ui->boxes().back().image, kMessageImagePlain);

    // One job for each copy and the 1096, one sheet each; the 1096 went out while the
    // current copy was still the last filing copy.
    const auto jobs = sheetJobs();
    ASSERT_EQ(jobs.size(), k.recipientCopies.size() + k.filingCopies.size() + 1);
    for (const auto& job : jobs) EXPECT_EQ(job->size(), 1u);
    EXPECT_EQ(session().currentForm, k.filingCodes.back());
    EXPECT_EQ(session().totalNumberOfForms, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, KindRunTest,
    ::testing::Values(KindCopies{"MISC", 1, 2, {"Copy B", "Copy 2"}, {"Copy A", "Copy C", "Copy 1"}, {0, 2, 4}},
                      KindCopies{"DIV", 2, 2, {"Copy B"}, {"Copy A", "Copy C"}, {0, 2}},
                      KindCopies{"INT", 3, 2, {"Copy B", "Copy 2"}, {"Copy A", "Copy C", "Copy 1"}, {0, 2, 4}},
                      KindCopies{"R", 4, 2, {"Copy B", "Copy C", "Copy 2"}, {"Copy A", "Copy 1"}, {0, 4}},
                      KindCopies{"S", 5, 3, {"Copy B"}, {"Copy A", "Copy C"}, {0, 2}},
                      KindCopies{"NEC", 7, 3, {"Copy B", "Copy 2"}, {"Copy A", "Copy C", "Copy 1"}, {0, 2, 4}}),
    [](const ::testing::TestParamInfo<KindCopies>& c) { return c.param.name; });

TEST_F(PrintRunTest, FourUpRecipientRunAsksNothingAndTheFilingRunPrintsOnlyCopyA) {
    const int32_t payer = addFullPayer();
    select({payer});
    selectRecipients(addRecipients(payer, 7, 2));
    DisplayPDF(7, true).RecipientFed1099();
    EXPECT_TRUE(ui->boxes().empty());
    ASSERT_EQ(sheetJobs().size(), 1u);
    EXPECT_EQ(sheetJobs()[0]->size(), 2u);   // one four-up sheet per recipient

    answer(2);
    DisplayPDF(7, true).CompanyFed1099(0, 0);
    EXPECT_EQ(boxTexts(), (Strings{"Please put 1 copies of 1099-NEC Copy A into the printer, then hit ok",
                                   "Please put 1 1096 into the printer, then hit ok"}));
    EXPECT_EQ(sheetJobs().size(), 3u);
}

// ---- the partial year ----

class PartialYearTest : public PrintRunTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(PartialYearTest, TheAnswerChoosesTheYearOfEachCopyAndIsClearedAfterTheRun) {
    const int32_t kind = GetParam();
    const int32_t payer = addFullPayer();
    select({payer});
    selectRecipients(addRecipients(payer, kind, 1));

    ui->answerBox(kMessageAnswerOkYes);  // only "25"
    ui->answerBox(kMessageAnswerOkYes);
    DisplayPDF(kind, false).RecipientFed1099();
    const MessageBoxRequest question = ui->boxes().front();
    EXPECT_EQ(question.caption, "Print");
    EXPECT_EQ(question.details, "Print \"For Calendar Year\" column as only \"25\"");
    EXPECT_EQ(question.style, kMessageStyleYesNo);
    EXPECT_EQ(question.title, "Talvexa 1099 E-File 2025");
    EXPECT_EQ(question.image, kMessageImageError);
    EXPECT_EQ(texts(lastSheets()->sheets().at(0)).back(), "25");
    EXPECT_FALSE(session().PartialYear);

    // The filing run asks once for its two copies.
    ui->answerBox(kMessageAnswerNo);
    answer(3);
    DisplayPDF(kind, false).CompanyFed1099(0, 0);
    const auto jobs = sheetJobs();
    ASSERT_EQ(jobs.size(), 4u);
    EXPECT_EQ(texts(jobs[1]->sheets().at(0)).back(), "2025");
    EXPECT_EQ(texts(jobs[2]->sheets().at(0)).back(), "2025");
    EXPECT_FALSE(session().PartialYear);
}

INSTANTIATE_TEST_SUITE_P(DivAndS, PartialYearTest, ::testing::Values(2, 5),
                         [](const ::testing::TestParamInfo<int32_t>& c) {
                             return c.param == 2 ? std::string("DIV") : std::string("S");
                         });

// ---- filing runs and the 1096 ----

class FilingRunTest : public PrintRunTest {
protected:
    void SetUp() override {
        PrintRunTest::SetUp();
        payer = addFullPayer();
        select({payer});
        for (int i = 1; i <= 3; ++i) {
            Person p = person(7, "R" + std::to_string(i));
            p.r.setLine1_NEC(std::to_string(i) + "00.00");
            p.r.setLine4_NEC(std::to_string(i) + "0.00");
            keys.push_back(add(payer, p));
        }
        selectRecipients({keys[1]});
    }
    // The names printed on the first filing copy.
    Strings namesOnCopyA() {
        Strings names;
        for (const Sheet& s : sheetJobs().at(0)->sheets())
            for (const std::string& t : texts(s))
                if (t.size() == 6 && t.substr(0, 1) == "R" && t.substr(2) == " Lee") names.push_back(t);
        return names;
    }
    int32_t payer = -1;
    std::vector<int32_t> keys;
};

TEST_F(FilingRunTest, PrintTheSelectedRecipientsAndTotalOverAll) {
    answer(4);
    DisplayPDF(7, false).CompanyFed1099(0, 1);
    EXPECT_EQ(namesOnCopyA(), Strings{"R2 Lee"});
    EXPECT_EQ(totals1096(), (Strings{"3", "60.00", "600.00"}));
}

TEST_F(FilingRunTest, PrintAllRecipientsAndTotalOverTheSelected) {
    answer(4);
    DisplayPDF(7, false).CompanyFed1099(1, 0);
    EXPECT_EQ(namesOnCopyA(), (Strings{"R1 Lee", "R2 Lee", "R3 Lee"}));
    EXPECT_EQ(totals1096(), (Strings{"1", "20.00", "200.00"}));
    // The prompts count the forms printed, not the forms totalled.
    EXPECT_EQ(boxTexts().front(), "Please put 1 copies of 1099-NEC Copy A into the printer, then hit ok");
}

TEST_F(FilingRunTest, RecipientsOfASecondPayerAreLeftOutOfTheFormsThePromptsAndThe1096) {
    const int32_t other = addFullPayer("Other Payer");
    std::vector<int32_t> others;
    for (int i = 1; i <= 2; ++i) {
        Person p = person(7, "Q" + std::to_string(i));
        p.r.setLine1_NEC("5000.00");
        p.r.setLine4_NEC("500.00");
        others.push_back(add(other, p));
    }
    select({payer, other});
    selectRecipients({keys[0], others[0], keys[1], others[1]});
    for (const auto& [print, sum] : {std::pair{1, 1}, std::pair{1, 0}, std::pair{0, 1}}) {
        SCOPED_TRACE("print selected " + std::to_string(print) + ", sum selected " + std::to_string(sum));
        const size_t boxesBefore = ui->boxes().size();
        const size_t jobsBefore = ui->jobs().size();
        answer(5);
        DisplayPDF(7, false).CompanyFed1099(sum, print);
        const Strings all = boxTexts();
        const Strings boxes(all.begin() + static_cast<std::ptrdiff_t>(boxesBefore), all.end());
        ASSERT_EQ(boxes.size(), 5u);
        EXPECT_EQ(boxes[0], "2 selected recipients of other payers were left out: the filing copies and the 1096 are "
                            "for the first selected payer only.");
        EXPECT_EQ(ui->boxes()[boxesBefore].title, "Print Filing Copies");
        // Two forms of the first payer fit one sheet of three; all three of its forms, too.
        EXPECT_EQ(boxes[1], "Please put 1 copies of 1099-NEC Copy A into the printer, then hit ok");
        const auto jobs = sheetJobs();
        ASSERT_EQ(jobs.size(), jobsBefore + 4);
        Strings names;
        for (const Sheet& sheet : jobs[jobsBefore]->sheets())
            for (const std::string& t : texts(sheet))
                if (t.size() == 6 && t.substr(2) == " Lee") names.push_back(t);
        EXPECT_EQ(names, print ? (Strings{"R1 Lee", "R2 Lee"}) : (Strings{"R1 Lee", "R2 Lee", "R3 Lee"}));
        for (size_t j = jobsBefore; j + 1 < jobs.size(); ++j) EXPECT_FALSE(shows(*jobs[j], "Other Payer"));
        EXPECT_EQ(totals1096(), sum ? (Strings{"2", "30.00", "300.00"}) : (Strings{"3", "60.00", "600.00"}));
    }
}

TEST_F(FilingRunTest, OnePayersRunTellsNothingMore) {
    const int32_t other = addFullPayer("Other Payer");
    add(other, person(7, "Q1"));
    selectRecipients({keys[0], keys[1]});
    answer(4);
    DisplayPDF(7, false).CompanyFed1099(1, 1);
    EXPECT_EQ(boxTexts(), (Strings{"Please put 1 copies of 1099-NEC Copy A into the printer, then hit ok",
                                   "Please put 1 copies of 1099-NEC Copy C into the printer, then hit ok",
                                   "Please put 1 copies of 1099-NEC Copy 1 into the printer, then hit ok",
                                   "Please put 1 1096 into the printer, then hit ok"}));
    EXPECT_EQ(namesOnCopyA(), (Strings{"R1 Lee", "R2 Lee"}));
    EXPECT_EQ(sheetJobs().size(), 4u);
    EXPECT_EQ(totals1096(), (Strings{"2", "30.00", "300.00"}));
}

TEST_F(FilingRunTest, AVoidRecipientPrintsButIsNotCountedAndGroupedAmountsCountInFull) {
    RecipientInfo r1 = cdb()->getRecipientInfo(keys[0]);
    r1.setLine1_NEC("1,234.56");
    r1.setLine4_NEC("1,000.00");
    ASSERT_TRUE(cdb()->updateRecipientInfo(r1));
    RecipientInfo r3 = cdb()->getRecipientInfo(keys[2]);
    r3.setVoided(true);
    ASSERT_TRUE(cdb()->updateRecipientInfo(r3));

    answer(4);
    DisplayPDF(7, false).CompanyFed1099(0, 0);
    EXPECT_EQ(namesOnCopyA(), (Strings{"R1 Lee", "R2 Lee", "R3 Lee"}));
    EXPECT_EQ(totals1096(), (Strings{"2", "1020.00", "1434.56"}));
}

// Each text of the shared amount table in box 1 of the first recipient: the 1096 totals
// it as the amount reader reads it, or the run names the recipient and box and prints
// nothing at all.
TEST_F(FilingRunTest, The1096TotalsTheSharedAmountTableOrPrintsNothing) {
    for (const amounttable::AmountCase& c : amounttable::cases()) {
        SCOPED_TRACE('"' + c.text + '"');
        RecipientInfo r1 = cdb()->getRecipientInfo(keys[0]);
        r1.setLine1_NEC(c.text);
        ASSERT_TRUE(cdb()->updateRecipientInfo(r1));
        const std::size_t jobsBefore = sheetJobs().size();
        const std::size_t boxesBefore = ui->boxes().size();
        if (amounttable::isRefused(c.outcome)) {
            answer(1);
            DisplayPDF(7, false).CompanyFed1099(0, 0);
            EXPECT_EQ(sheetJobs().size(), jobsBefore);
            ASSERT_EQ(ui->boxes().size(), boxesBefore + 1);
            const MessageBoxRequest box = ui->boxes().back();
            EXPECT_EQ(box.caption, DisplayPDF::kAmountRefusedCaption);
            EXPECT_NE(box.details.find("Box 1 of the 1099-NEC of R1 Lee"), std::string::npos) << box.details;
            continue;
        }
        answer(4);
        DisplayPDF(7, false).CompanyFed1099(0, 0);
        EXPECT_EQ(sheetJobs().size(), jobsBefore + 4);
        EXPECT_EQ(totals1096(), (Strings{"3", "60.00", Utils::intToDollarString1(c.cents + 50000)}));
    }
}

TEST_F(FilingRunTest, ARecipientWithoutAdditionalDataShiftsNoNameOntoAnotherForm) {
    ASSERT_TRUE(cdb()->db->executeUpdate("delete from recipients_additionalinfo where pk = ?;", keys[0]));
    answer(4);
    DisplayPDF(7, false).CompanyFed1099(0, 0);
    const Strings names = namesOnCopyA();
    EXPECT_EQ(names, (Strings{"R2 Lee", "R3 Lee"}));
    EXPECT_TRUE(shows(*sheetJobs().at(0), "R1 R1 Lee"));  // its stored name
    EXPECT_TRUE(cdb()->getRecipientInfo(keys[0]).getPrinted());
    EXPECT_TRUE(cdb()->getRecipientAdditionalInfo(keys[2]).getPrinted());
}

// ---- the 1096's entries ----

class Form1096Test : public SheetTest {
protected:
    // A 1096 of the payer for a run of the kind, drawn; its texts with their origins.
    std::vector<PlacedText> draw1096(int32_t payerKey, int32_t kind) {
        REPDATA request;
        request.setReptnum(2);
        request.setWxtype(2);
        request.setFormKind(kind);
        request.setTheListBox2({cdb()->getCompanyInfo1(payerKey)});
        request.setTheListBox({RecipientInfo()});
        rept().DoReport(request);
        const auto sheets = lastSheets();
        return sheets->size() == 1 ? sheets->sheets()[0].texts : std::vector<PlacedText>{};
    }
    // Where an entry of the 1096 layout lands with its nudge.
    static std::pair<int32_t, int32_t> origin(int entry, int nx, int ny) {
        const WX_FMTVAL e = WX_FMT().InitWX_1096_FMT().at(static_cast<size_t>(entry));
        return {(e.pt().x + nx - 5) * 72 / 100, (e.pt().y + ny + 2) * 72 / 100};
    }
    static void expectAt(const PlacedText& t, const std::string& text, int entry, int nx, int ny) {
        const auto [x, y] = origin(entry, nx, ny);
        EXPECT_EQ(t.text, text) << "entry " << entry;
        EXPECT_EQ(t.x, x) << "entry " << entry;
        EXPECT_EQ(t.y, y) << "entry " << entry;
    }
};

TEST_F(Form1096Test, AnEmployerNumberGoesIntoItsBoxWithThePayerAndTheTotals) {
    const int32_t payer = addFullPayer();
    session().totalNumberOfForms = 12;
    session().totalFedTaxWithheld = 5;
    session().totalAmountForThisForm1096 = 123405;
    const auto t = draw1096(payer, 7);
    ASSERT_EQ(t.size(), 12u);
    expectAt(t[0], "Payer Co", 0, 0, -10);
    expectAt(t[1], "1 Payer St", 1, 0, -10);
    expectAt(t[2], "Payville CA 90001", 2, -5, -10);
    expectAt(t[3], "Pat Payer", 3, 0, -15);
    expectAt(t[4], "555-0101", 4, 0, -15);
    expectAt(t[5], "555-0102", 5, 0, -15);
    expectAt(t[6], "pat@payer.test", 6, 0, -15);
    expectAt(t[7], "12-3456789", 7, 0, -15);
    expectAt(t[8], "12", 8, 0, -13);
    expectAt(t[9], "0.05", 9, 0, -13);
    expectAt(t[10], "1234.05", 10, 0, -13);
    expectAt(t[11], "x", 14, -7, -10);
}

TEST_F(Form1096Test, ASocialSecurityNumberGoesIntoTheOtherBox) {
    const int32_t payer = addFullPayer("Sole Owner", true);
    const auto t = draw1096(payer, 1);
    ASSERT_EQ(t.size(), 12u);
    expectAt(t[6], "pat@payer.test", 6, 0, -15);
    expectAt(t[7], "0", 8, 0, -13);
    expectAt(t[8], "0.00", 9, 0, -13);
    expectAt(t[9], "0.00", 10, 0, -13);
    expectAt(t[10], "123-45-6789", 17, 0, -15);
    expectAt(t[11], "x", 13, -10, -4);
}

TEST_F(Form1096Test, EachKindMarksItsBoxAndAnUnknownKindNone) {
    const int32_t payer = addFullPayer();
    struct Box {
        int32_t kind;
        int entry;
        int nx;
        int ny;
    };
    for (const Box& b : {Box{1, 13, -10, -4}, Box{2, 11, -8, -8}, Box{3, 12, -8, -13}, Box{4, 15, -10, -10},
                         Box{5, 16, -12, -8}, Box{7, 14, -7, -10}}) {
        const auto t = draw1096(payer, b.kind);
        ASSERT_EQ(t.size(), 12u) << "kind " << b.kind;
        expectAt(t.back(), "x", b.entry, b.nx, b.ny);
    }
    for (int32_t unknown : {0, 6}) {
        const auto t = draw1096(payer, unknown);
        EXPECT_EQ(t.size(), 11u) << "kind " << unknown;
        EXPECT_NE(t.back().text, "x");
    }
    // The 1096 marks nothing and stays one sheet.
    EXPECT_EQ(sheetJobs().size(), 8u);
}

// ---- marks ----

TEST_F(PrintRunTest, MarksGoOnBothRecordsBeforeThePrintAndStayWhenItIsCancelled) {
    const int32_t payer = addFullPayer();
    select({payer});
    const std::vector<int32_t> keys = addRecipients(payer, 7, 3);
    selectRecipients({keys[0], keys[2]});
    ui->answerPrint(false);
    answer(2);
    DisplayPDF(7, false).RecipientFed1099();

    for (int32_t key : {keys[0], keys[2]}) {
        const RecipientInfo r = cdb()->getRecipientInfo(key);
        const RecipientAdditionalInfo a = cdb()->getRecipientAdditionalInfo(key);
        EXPECT_TRUE(r.getPrinted() && r.getCompleted()) << key;
        EXPECT_TRUE(a.getPrinted() && a.getCompleted()) << key;
        EXPECT_EQ(a.getPK(), key);
        EXPECT_EQ(a.getType(), 7);
    }
    EXPECT_FALSE(cdb()->getRecipientInfo(keys[1]).getPrinted());
    EXPECT_FALSE(cdb()->getRecipientAdditionalInfo(keys[1]).getPrinted());
}

TEST_F(PrintRunTest, ACopyThatCouldNotBePrintedOrWaitsEndsTheRunACancelledOneDoesNot) {
    const int32_t payer = addFullPayer();
    select({payer});
    selectRecipients(addRecipients(payer, 7, 2));
    struct Case {
        PrintResult result;
        int prompts;   // paper prompts of the filing run that came
        size_t jobs;
    };
    // A refusal, or Copy A waiting in a stopped queue, ends the run after Copy A: no
    // Copy C, no Copy 1, no 1096.
    for (const Case& c :
         {Case{PrintResult::failed, 1, 1}, Case{PrintResult::held, 1, 1}, Case{PrintResult::cancelled, 4, 4}}) {
        const size_t before = sheetJobs().size();
        ui->answerPrint(c.result);
        answer(c.prompts);
        DisplayPDF(7, false).CompanyFed1099(0, 1);
        EXPECT_EQ(sheetJobs().size() - before, c.jobs);
        EXPECT_TRUE(ui->allAnswersUsed());
    }
}

TEST_F(PrintRunTest, The1096MarksNothing) {
    const int32_t payer = addFullPayer();
    select({payer});
    const std::vector<int32_t> keys = addRecipients(payer, 7, 2);
    selectRecipients({keys[0]});
    answer(4);
    // Copies of the selected recipient; the 1096 totals over both.
    DisplayPDF(7, false).CompanyFed1099(0, 1);
    EXPECT_TRUE(cdb()->getRecipientInfo(keys[0]).getPrinted());
    EXPECT_FALSE(cdb()->getRecipientInfo(keys[1]).getPrinted());
    EXPECT_EQ(totals1096().at(0), "2");
}

// ---- the selection ----

TEST_F(PrintRunTest, WithoutASelectedPayerTheUserIsToldAndNothingPrints) {
    const int32_t payer = addFullPayer();
    selectRecipients(addRecipients(payer, 1, 2));
    for (int run = 0; run < 2; ++run) {
        ui->answerBox(kMessageAnswerOkYes);
        if (run == 0)
            DisplayPDF(1, false).CompanyFed1099(1, 1);
        else
            DisplayPDF(1, false).RecipientFed1099();
    }
    ASSERT_EQ(ui->boxes().size(), 2u);
    for (const MessageBoxRequest& box : ui->boxes()) {
        EXPECT_EQ(box.details, kSelectAPayerFirst);
        EXPECT_EQ(box.style, kMessageStyleOK);
    }
    EXPECT_TRUE(ui->jobs().empty());
    EXPECT_FALSE(cdb()->getRecipientInfo(0).getPrinted());
}

TEST_F(PrintRunTest, EachRecipientCopyCarriesItsOwnPayerAndTheFilingRunOnlyTheFirstPayers) {
    const int32_t alpha = addFullPayer("Alpha Inc");
    ComapnyInfo beta = cdb()->getCompanyInfo1(addFullPayer("Beta LLC"));
    beta.setTaxID("98-7654321");
    ASSERT_TRUE(cdb()->updateCompanyInfo(beta));
    Person a = person(7, "Al");
    a.r.setLine1_NEC("100.00");
    Person b = person(7, "Bea");
    b.r.setLine1_NEC("900.00");
    const int32_t aKey = add(alpha, a);
    const int32_t bKey = add(beta.getPK(), b);
    select({alpha, beta.getPK()});
    selectRecipients({aKey, bKey});

    answer(2);
    DisplayPDF(7, false).RecipientFed1099();
    const Sheet copyB = sheetJobs().at(0)->sheets().at(0);
    const Strings t = texts(copyB);
    // Each form's payer name and TIN come first on it; the second form follows the first.
    const size_t half = t.size() / 2;
    EXPECT_EQ(t.at(0), "Alpha Inc");
    EXPECT_EQ(t.at(4), "12-3456789");
    EXPECT_EQ(t.at(half), "Beta LLC");
    EXPECT_EQ(t.at(half + 4), "98-7654321");
    EXPECT_EQ(t.at(7), "Al Lee");
    EXPECT_EQ(t.at(half + 7), "Bea Lee");

    answer(5);
    DisplayPDF(7, false).CompanyFed1099(1, 1);
    EXPECT_EQ(totals1096(), (Strings{"1", "0.00", "100.00"}));
    EXPECT_EQ(texts(lastSheets()->sheets().at(0)).at(0), "Alpha Inc");
    // The filing copies are the first payer's alone, as its 1096 is.
    EXPECT_EQ(boxTexts().at(2), DisplayPDF::leftOutText(1));
    EXPECT_TRUE(shows(*sheetJobs().at(2), "Alpha Inc"));
    EXPECT_FALSE(shows(*sheetJobs().at(2), "Beta LLC"));
}

TEST_F(PrintRunTest, AnEmptySelectionStillPromptsAndHandsOverEmptyJobs) {
    answer(2);
    DisplayPDF(1, false).RecipientFed1099();
    EXPECT_EQ(boxTexts(), (Strings{"Please put 0 copies of 1099-MISC Copy B into the printer, then hit ok",
                                   "Please put 0 copies of 1099-MISC Copy 2 into the printer, then hit ok"}));
    const auto jobs = sheetJobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_TRUE(jobs[0]->empty());
    EXPECT_TRUE(jobs[1]->empty());
}

// ---- progress and Cancel ----

class PrintProgressTest : public PrintRunTest {
protected:
    // The scripted seam that also records progress windows, in place of the plain one.
    ScriptedJobsUserInterface& withProgress() {
        ui.reset();
        auto* jobs = new ScriptedJobsUserInterface;
        ui.reset(jobs);
        return *jobs;
    }
    // The company file with its journal, as on the disk.
    std::string companyFileBytes() const {
        std::string bytes, part;
        for (const char* suffix : {"", "-journal", "-wal"})
            if (platform::readFile(home.file("Acme 2025.db") + suffix, part)) bytes += suffix + part;
        return bytes;
    }
};

TEST_F(PrintProgressTest, EachCopyCountsItsReadingAndLayoutAndClosesItsWindowBeforeThePrint) {
    const int32_t payer = addFullPayer();
    select({payer});
    selectRecipients(addRecipients(payer, 7, 5));
    ScriptedJobsUserInterface& progress = withProgress();
    answer(2);
    DisplayPDF(7, false).RecipientFed1099();

    ASSERT_EQ(progress.jobs().size(), 2u);   // Copy B and Copy 2
    for (const auto& job : progress.jobs()) {
        EXPECT_EQ(job->request.title, "Print");
        EXPECT_TRUE(job->request.cancellable);
        EXPECT_EQ(job->steps, (Strings{"Reading the recipients", "Laying out the forms"}));
        EXPECT_EQ(job->lastCounts, (std::vector<std::pair<int64_t, int64_t>>{{5, 5}, {5, 5}}));
        EXPECT_FALSE(job->cancelOffered) << "Cancel goes once the marks are written";
        EXPECT_TRUE(job->closed);
    }
    EXPECT_EQ(sheetJobs().size(), 2u);
}

// Cancel while a copy is read or laid out: that copy is neither marked nor printed, the
// run asks for no further paper and the company file is as it was.
TEST_F(PrintProgressTest, CancelBeforeTheMarksLeavesTheFileAsItWasAndEndsTheRun) {
    struct Case {
        const char* name;
        bool fourUp;
        bool filing;
        const char* cancelDuring;
        std::size_t prompts;   // the paper prompts shown before the Cancel
    };
    const Case cases[] = {
        {"recipient run, reading", false, false, "Reading", 1},
        {"recipient run, layout", false, false, "Laying out", 1},
        {"four-up, reading", true, false, "Reading", 0},
        {"four-up, layout", true, false, "Laying out", 0},
        {"filing run, its selection", false, true, "Reading the selected", 0},
        {"filing run, Copy A's layout", false, true, "Laying out", 1},
    };
    const int32_t payer = addFullPayer();
    select({payer});
    const std::vector<int32_t> keys = addRecipients(payer, 1, 4);
    selectRecipients(keys);
    const std::string before = companyFileBytes();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedJobsUserInterface& progress = withProgress();
        progress.cancelDuring(c.cancelDuring);
        answer(static_cast<int>(c.prompts));
        DisplayPDF run(1, c.fourUp);
        if (c.filing)
            run.CompanyFed1099(1, 1);
        else
            run.RecipientFed1099();

        EXPECT_EQ(ui->boxes().size(), c.prompts);
        EXPECT_TRUE(ui->jobs().empty()) << "nothing goes to the printer";
        for (const int32_t key : keys) {
            EXPECT_FALSE(cdb()->getRecipientInfo(key).getPrinted());
            EXPECT_FALSE(cdb()->getRecipientAdditionalInfo(key).getPrinted());
        }
        EXPECT_TRUE(companyFileBytes() == before) << "the company file was changed";
        ASSERT_FALSE(progress.jobs().empty());
        EXPECT_TRUE(progress.jobs().back()->cancelPressed);
        EXPECT_TRUE(progress.jobs().back()->closed);
        EXPECT_FALSE(session().PartialYear);
    }
}

}  // namespace
