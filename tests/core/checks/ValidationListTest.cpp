#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/checks/ValidationList.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace {

using Lines = std::vector<std::string>;

// One recipient as a test writes it: form kind, first name, name line (the business
// name of a business) and the additional record's surname; flags set by the modifiers.
struct Row {
    Row(int32_t k, std::string f, std::string n = "", std::string s = "")
        : kind(k), first(std::move(f)), nameLine(std::move(n)), surname(std::move(s)) {}
    Row& asBusiness() { business = true; return *this; }
    Row& valid() { validated = true; return *this; }
    Row& asVoid() { voided = true; return *this; }
    Row& asCorrected() { corrected = true; return *this; }

    int32_t kind;
    std::string first;
    std::string nameLine;
    std::string surname;
    bool business = false;
    bool validated = false;
    bool voided = false;
    bool corrected = false;
};

struct FreshSession {
    FreshSession() { resetSession(); }
};

class ValidationListTest : public ::testing::Test, private FreshSession {
protected:
    void SetUp() override { ASSERT_TRUE(db.Init(home.file("checks 2025.db"), false, false, true, "Checks")); }
    void TearDown() override {
        db.Close();
        EXPECT_TRUE(ui.allAnswersUsed());
    }

    int32_t addPayer(const std::string& name, bool validated, const std::string& filing = "") {
        ComapnyInfo c;
        c.setName(name);
        c.setValidated(validated);
        for (auto set : {&ComapnyInfo::setmisctype, &ComapnyInfo::setdivtype, &ComapnyInfo::setinttype,
                         &ComapnyInfo::setrtype, &ComapnyInfo::setstype, &ComapnyInfo::setnectype})
            (c.*set)(filing);
        EXPECT_TRUE(db.insertCompanyInfo(c));
        return db.getCompanyPK();
    }

    // Adds the recipient to the payer and to the selection.
    int32_t add(int32_t payer, const Row& row) {
        RecipientInfo r;
        r.setCompany_FK(payer);
        r.setType(row.kind);
        r.setFirstName(row.first);
        r.setLastName(row.nameLine);
        r.setValidated(row.validated);
        r.setVoided(row.voided);
        r.setCorrected(row.corrected);
        RecipientAdditionalInfo a;
        a.setCompany_FK(payer);
        a.setType(row.kind);
        a.setlastname(row.surname);
        a.setname_typee(row.business ? "Business Name" : "Individual");
        EXPECT_TRUE(db.insertRecipientInfo(r, a));
        const int32_t key = db.getRecipientPK();
        recipients.selectedRecipients().push_back(key);
        recipients.selectedType().push_back(row.kind);
        return key;
    }

    void selectPayers(std::vector<int32_t> keys) {
        companies.setSelectedCompanies(keys);
        numberSelections = static_cast<int64_t>(keys.size());
    }

    ValidationList printList() { return checkSelectedForErrors(db, companies, numberSelections, recipients); }
    EFileValidationList efileList() { return checkEFileSelection(db, companies, numberSelections, recipients); }

    TempHome home;
    ScriptedUserInterface ui;
    CompanyDatabase db;
    Company companies;
    Recipient recipients;
    int64_t numberSelections = 0;
};

TEST_F(ValidationListTest, PayerFailuresOnlyHaveNoRecipientHeading) {
    const int32_t failing = addPayer("Birch & Sons", false);
    const int32_t good = addPayer("Contoso", true);
    add(good, Row(1, "Ann", "Ann Lee").valid());
    selectPayers({failing, good});

    const ValidationList list = printList();
    EXPECT_TRUE(list.complete);
    EXPECT_EQ(list.lines, (Lines{"COMPANIES WITH ERRORS:", "Birch & Sons"}));
    EXPECT_EQ(efileList().lines, list.lines);
}

TEST_F(ValidationListTest, RecipientFailuresOnlyHaveNoCompanyHeading) {
    const int32_t payer = addPayer("Contoso", true);
    // An individual typed in its window has the payer's name on its name line, one
    // imported may have none: both are named by first name and surname.
    add(payer, Row(7, "Maria", "Contoso", "Garcia"));
    add(payer, Row(1, "Wei", "Wei Chen", "Chen").valid());
    add(payer, Row(2, "Tom", "", "Baker"));
    add(payer, Row(3, "", "Lakeside Landscaping").asBusiness());
    selectPayers({payer});

    const Lines expected{"RECIPIENTS WITH ERRORS:", "  Maria Garcia (NEC)", "  Tom Baker (DIV)",
                         "  Lakeside Landscaping (INT)"};
    EXPECT_EQ(printList().lines, expected);
    EXPECT_EQ(efileList().lines, expected);
}

TEST_F(ValidationListTest, NothingToCorrectGivesAnEmptyList) {
    const int32_t payer = addPayer("Contoso", true);
    add(payer, Row(1, "Ann", "Ann Lee").valid());
    selectPayers({payer});
    EXPECT_TRUE(printList().lines.empty());
    EXPECT_TRUE(efileList().lines.empty());
}

TEST_F(ValidationListTest, SeveralPayersAreEachListedOnceInSelectionOrder) {
    const int32_t a = addPayer("Alder Works", false);
    const int32_t b = addPayer("Beech Ltd", true);
    const int32_t c = addPayer("Cedar Inc", false);
    add(a, Row(2, "Ann", "Ann Lee", "Lee"));
    selectPayers({c, b, a, c});

    EXPECT_EQ(printList().lines, (Lines{"COMPANIES WITH ERRORS:", "Cedar Inc", "Alder Works",
                                        "RECIPIENTS WITH ERRORS:", "  Ann Lee (DIV)"}));
}

TEST_F(ValidationListTest, TakesNoMorePayerKeysThanTheHolderHolds) {
    const int32_t a = addPayer("Alder Works", false);
    const int32_t b = addPayer("Beech Ltd", false);
    selectPayers({a, b});

    // The count of selected rows can run ahead of the keys held.
    numberSelections = 40;
    EXPECT_EQ(printList().lines, (Lines{"COMPANIES WITH ERRORS:", "Alder Works", "Beech Ltd"}));
    // And behind them: only the first keys count.
    numberSelections = 1;
    EXPECT_EQ(printList().lines, (Lines{"COMPANIES WITH ERRORS:", "Alder Works"}));
    numberSelections = -1;
    EXPECT_TRUE(printList().lines.empty());
}

TEST_F(ValidationListTest, RowsGoneSinceTheSelectionAreLeftOut) {
    const int32_t payer = addPayer("Alder Works", false);
    const int32_t gone = add(payer, Row(1, "Gone", "Gone Away"));
    add(payer, Row(1, "Ann", "Ann Lee", "Lee"));
    RecipientInfo removed;
    removed.setPK(gone);
    ASSERT_TRUE(db.deleteRecipient(removed));
    selectPayers({payer, 77});

    EXPECT_EQ(printList().lines,
              (Lines{"COMPANIES WITH ERRORS:", "Alder Works", "RECIPIENTS WITH ERRORS:", "  Ann Lee (MISC)"}));
    EXPECT_EQ(efileList().lines, printList().lines);
}

struct KindTag {
    int32_t kind;
    const char* tag;
};
void PrintTo(const KindTag& c, std::ostream* os) { *os << "kind " << c.kind; }

class FormKindTags : public ValidationListTest, public ::testing::WithParamInterface<KindTag> {};

TEST_P(FormKindTags, EachKindCarriesItsTag) {
    EXPECT_EQ(formKindTag(GetParam().kind), GetParam().tag);
    const int32_t payer = addPayer("Contoso", true);
    add(payer, Row(GetParam().kind, "Ann", "Ann Lee", "Lee"));
    selectPayers({payer});
    EXPECT_EQ(printList().lines, (Lines{"RECIPIENTS WITH ERRORS:", std::string("  Ann Lee") + GetParam().tag}));
    EXPECT_EQ(efileList().lines, printList().lines);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, FormKindTags,
                         ::testing::Values(KindTag{1, " (MISC)"}, KindTag{2, " (DIV)"}, KindTag{3, " (INT)"},
                                           KindTag{4, " (R)"}, KindTag{5, " (S)"}, KindTag{7, " (NEC)"},
                                           KindTag{6, ""}, KindTag{0, ""}),
                         [](const auto& testInfo) { return "Kind" + std::to_string(testInfo.param.kind); });

TEST_F(ValidationListTest, NamesComeFromTheAdditionalRecord) {
    const int32_t payer = addPayer("Contoso", true);
    // A business: the name line alone; its first name and surname are not used.
    add(payer, Row(1, "Ignored", "Summit Office Cleaning", "Nobody").asBusiness());
    // An individual: the first name and the additional record's surname, not the name line.
    add(payer, Row(7, "James", "James P. O'Connor", "O'Connor"));
    selectPayers({payer});

    EXPECT_EQ(efileList().lines,
              (Lines{"RECIPIENTS WITH ERRORS:", "  Summit Office Cleaning (MISC)", "  James O'Connor (NEC)"}));
    EXPECT_EQ(printList().lines, efileList().lines);
}

// An individual with only a first name or only a surname is named by it, with no blank
// left for the missing one.
TEST_F(ValidationListTest, AnIndividualWithOneNameHasNoStrayBlank) {
    const int32_t payer = addPayer("Contoso", true);
    add(payer, Row(4, "Ann", "Contoso", ""));
    add(payer, Row(3, "", "Contoso", "Lee"));
    selectPayers({payer});

    EXPECT_EQ(printList().lines, (Lines{"RECIPIENTS WITH ERRORS:", "  Ann (R)", "  Lee (INT)"}));
    EXPECT_EQ(efileList().lines, printList().lines);
}

struct Mix {
    const char* name;
    std::vector<Row> rows;
    bool mixes;
};
void PrintTo(const Mix& c, std::ostream* os) { *os << c.name; }

class CorrectionMix : public ValidationListTest, public ::testing::WithParamInterface<Mix> {};

TEST_P(CorrectionMix, IsFoundOnlyWhenCorrectionsMeetOriginals) {
    const int32_t payer = addPayer("Contoso", true);
    for (const Row& row : GetParam().rows) add(payer, row);
    selectPayers({payer});
    EXPECT_EQ(efileList().mixesCorrections, GetParam().mixes);
}

const Row kOriginal = Row(1, "Ann").valid();
const Row kVoid = Row(1, "Bea").valid().asVoid();
const Row kCorrected = Row(1, "Cy").valid().asCorrected();
const Row kBoth = Row(1, "Di").valid().asVoid().asCorrected();

INSTANTIATE_TEST_SUITE_P(
    Selections, CorrectionMix,
    ::testing::Values(Mix{"OriginalsOnly", {kOriginal, kOriginal}, false},
                      Mix{"VoidOnly", {kVoid, kVoid}, false},
                      Mix{"CorrectedOnly", {kCorrected}, false},
                      Mix{"VoidAndCorrected", {kVoid, kCorrected, kBoth}, false},
                      Mix{"VoidWithOriginal", {kOriginal, kVoid}, true},
                      Mix{"CorrectedWithOriginal", {kCorrected, kOriginal}, true},
                      Mix{"FailingRecipientsCountToo", {Row(3, "Ed"), kCorrected}, true}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST_F(ValidationListTest, ARecordThatCannotBeReadIsReportedOnceAndTheListIsIncomplete) {
    const int32_t payer = addPayer("Contoso", true);
    add(payer, Row(1, "Ann", "Ann Lee", "Lee"));
    selectPayers({payer});
    ASSERT_TRUE(db.db->executeStatements("drop table recipients_additionalinfo;"));
    ui.answerBox(kMessageAnswerOkYes);

    const EFileValidationList list = efileList();
    EXPECT_FALSE(list.complete);
    const auto boxes = ui.boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].details.find("checks 2025.db"), std::string::npos) << boxes[0].details;
    EXPECT_NE(boxes[0].details.find("no such table"), std::string::npos) << boxes[0].details;
}

TEST_F(ValidationListTest, FilingTypeIsThatOfPayerZeroForTheFirstSelectedKind) {
    const int32_t zero = addPayer("Payer Zero", true);
    ASSERT_EQ(zero, 0);
    ComapnyInfo p = db.getCompanyInfo1(zero);
    p.setmisctype("PRINT");
    p.setnectype("IRIS");
    ASSERT_TRUE(db.updateCompanyInfo(p));
    const int32_t other = addPayer("Other", true, "FIRE");

    EXPECT_EQ(selectionFilingType(db, recipients), "");   // nothing selected
    add(other, Row(7, "Ann"));
    add(other, Row(1, "Bea"));
    // The other payer's own method is not looked at, nor the second recipient's kind.
    EXPECT_EQ(selectionFilingType(db, recipients), "IRIS");
    recipients.selectedRecipients().erase(recipients.selectedRecipients().begin());
    EXPECT_EQ(selectionFilingType(db, recipients), "PRINT");
    add(other, Row(3, "Cy"));
    recipients.setSelectedRecipients({recipients.selectedRecipients().back()});
    EXPECT_EQ(selectionFilingType(db, recipients), "");   // none stored for 1099-INT
}

}  // namespace
