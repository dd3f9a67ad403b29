// The IRIS payer window: the payer it loads and saves, the name-type and change rules,
// the typing limits and cuts, Submit through the error list, the prompts before
// closing, the failing fields on a later opening, and pictures of the window.

#include <string>
#include <vector>

#include "IrisWindowFixture.h"
#include "ui/UiTestHelpers.h"

namespace {

using Strings = std::vector<std::string>;

class IrisPayerWindow : public IrisWindowTest {};

// ---------------------------------------------------------------------------
// The payer of the selection

TEST_F(IrisPayerWindow, LoadsAndSavesThePayerOfTheSelectedRecipients) {
    ComapnyInfo alpha = validPayer("Alpha Corp");
    const int32_t first = addPayer(alpha);
    ComapnyInfo beta = validPayer("Beta LLC");
    beta.setTaxID1("98-7654321");
    beta.setCity1("Toledo");
    beta.setmisctype("PRINT");
    const int32_t second = addPayer(beta);
    addRecipient(first, 7, "Adams");
    const int32_t b1 = addRecipient(second, 7, "Baker");
    const int32_t b2 = addRecipient(second, 7, "Brown");
    selectInMainWindow({second});
    const std::vector<int32_t> selected = session().recp_details->selectedRecipients();
    ASSERT_EQ(selected.size(), 2u);
    ASSERT_TRUE((selected == std::vector<int32_t>{b1, b2}) || (selected == std::vector<int32_t>{b2, b1}));

    scripted->answerBox(kMessageAnswerOkYes);   // the success message
    const int code = run([&](Window& w) {
        EXPECT_EQ(w.payerKey(), second);
        EXPECT_EQ(edit(w, "BussinessName")->text(), QStringLiteral("Beta LLC"));
        EXPECT_EQ(edit(w, "TaxerId_Number")->text(), QStringLiteral("98-7654321"));
        retype(edit(w, "PayerCity"), QStringLiteral("Dayton"));
        button(w, "Submit")->click();
        button(w, "Cancel")->click();
    });
    EXPECT_EQ(code, Window::kClosedCode);

    const ComapnyInfo savedBeta = cdb()->getCompanyInfo1(second);
    EXPECT_EQ(savedBeta.getCity(), "Dayton");
    EXPECT_EQ(savedBeta.getTaxID1(), "98-7654321");
    EXPECT_TRUE(savedBeta.getValidated());
    EXPECT_EQ(savedBeta.getmisctype(), "PRINT") << "filing methods untouched";
    EXPECT_EQ(savedBeta.getnectype(), "IRIS");
    const ComapnyInfo savedAlpha = cdb()->getCompanyInfo1(first);
    EXPECT_EQ(savedAlpha.getCity(), "Columbus");
    EXPECT_EQ(savedAlpha.getTaxID1(), "123-45-6789");

    // The main window's selection is the user's, as before.
    EXPECT_EQ(session().comp_details->selectedCompanies(), std::vector<int32_t>{second});
    EXPECT_EQ(session().recp_details->selectedRecipients(), selected);
    const auto box = boxes().at(0);
    EXPECT_EQ(box.caption, "Payer Additional Information Sucessfully Updated.");
    EXPECT_EQ(box.style, kMessageStyleOK);
}

TEST_F(IrisPayerWindow, TheMainWindowsIrisCommandRunsTheWindowAndPutsTheMenusBack) {
    const int32_t payer = addPayer(validPayer("Alpha Corp"));
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    bool opened = false;
    windowAct = [&](Window& w) {
        opened = true;
        EXPECT_EQ(w.payerKey(), payer);
        button(w, "Cancel")->click();
    };
    main->IRIS_Action();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(main->findChild<QAction*>(QStringLiteral("IRIS_Outlet"))->isEnabled());
    EXPECT_TRUE(main->findChild<QAction*>(QStringLiteral("Efile"))->isEnabled());
}

// ---------------------------------------------------------------------------
// Rules

TEST_F(IrisPayerWindow, BusinessNameEmptiesAndDisablesTheNameFieldsAndIndividualBringsThemBack) {
    const int32_t payer = addPayer(validPayer("Alpha Corp"));
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    Window w(main.get());
    const char* names[] = {"Suffix", "First_Name", "Middle_Name", "Last_Name"};
    retype(edit(w, "Suffix"), QStringLiteral("Sr"));
    EXPECT_EQ(edit(w, "First_Name")->text(), QStringLiteral("Ann"));

    choose(popUp(w, "Name_type"), QStringLiteral("Business Name"));
    for (const char* name : names) {
        EXPECT_TRUE(edit(w, name)->text().isEmpty()) << name;
        EXPECT_FALSE(edit(w, name)->isEnabled()) << name;
    }
    choose(popUp(w, "Name_type"), QStringLiteral("Individual"));
    for (const char* name : names) {
        EXPECT_TRUE(edit(w, name)->text().isEmpty()) << name;
        EXPECT_TRUE(edit(w, name)->isEnabled()) << name;
    }
    EXPECT_FALSE(edit(w, "BussinessName")->isEnabled()) << "the payer window keeps the name";
}

TEST_F(IrisPayerWindow, ExportAndSubmitAreNeverOfferedTogether) {
    const int32_t payer = addPayer(validPayer("Alpha Corp"));
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    Window w(main.get());
    QPushButton* submit = button(w, "Submit");
    QPushButton* exportButton = button(w, "Export_P");
    // A stored payer that passes the checks may be exported at once.
    EXPECT_FALSE(submit->isEnabled());
    EXPECT_TRUE(exportButton->isEnabled());
    EXPECT_FALSE(w.savealert());

    typeText(edit(w, "Middle_Name"), QStringLiteral("J"));
    EXPECT_TRUE(submit->isEnabled());
    EXPECT_FALSE(exportButton->isEnabled());
    EXPECT_TRUE(w.savealert());

    scripted->answerBox(kMessageAnswerOkYes);
    submit->click();
    EXPECT_FALSE(submit->isEnabled());
    EXPECT_TRUE(exportButton->isEnabled());
    EXPECT_FALSE(w.savealert());
    EXPECT_EQ(cdb()->getCompanyInfo1(payer).getmiddleName(), "J");

    // Each kind of change offers Submit again, in a window opened on the stored data.
    const std::vector<std::pair<const char*, std::function<void(Window&)>>> changes = {
        {"typing", [](Window& f) { typeText(edit(f, "PayerZip"), QStringLiteral("-")); }},
        {"TIN type", [](Window& f) { choose(popUp(f, "TIN_Type"), QStringLiteral("EIN")); }},
        {"phone type", [](Window& f) { choose(popUp(f, "Phone_Type"), QStringLiteral("International")); }},
        {"state", [](Window& f) { choose(popUp(f, "PayerState"), QStringLiteral("Texas-TX")); }},
        {"name type", [](Window& f) { choose(popUp(f, "Name_type"), QStringLiteral("Business Name")); }},
        {"combined filing", [](Window& f) { uitest::child<QCheckBox>(f, "CombFiling_PayrP")->click(); }},
    };
    for (const auto& [what, change] : changes) {
        Window fresh(main.get());
        ASSERT_FALSE(button(fresh, "Submit")->isEnabled()) << what;
        ASSERT_TRUE(button(fresh, "Export_P")->isEnabled()) << what;
        change(fresh);
        EXPECT_TRUE(button(fresh, "Submit")->isEnabled()) << what;
        EXPECT_FALSE(button(fresh, "Export_P")->isEnabled()) << what;
        EXPECT_TRUE(fresh.savealert()) << what;
    }
}

TEST_F(IrisPayerWindow, APayerThatFailsTheChecksIsNotOfferedForExportOnOpening) {
    ComapnyInfo incomplete = validPayer("Alpha Corp");
    incomplete.setpayercountry("");
    const int32_t payer = addPayer(incomplete);
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    Window w(main.get());
    EXPECT_FALSE(button(w, "Submit")->isEnabled());
    EXPECT_FALSE(button(w, "Export_P")->isEnabled());
    // Nothing is marked before the first check that the user asked for.
    EXPECT_FALSE(isInvalid(edit(w, "PayerCountry")));
}

// ---------------------------------------------------------------------------
// Typing limits and cuts

struct LimitCase {
    const char* outlet;
    int limit;   // while typing
    int cut;     // at the end of editing
};

TEST_F(IrisPayerWindow, TypingStopsAtEachLimitAndTheEndOfEditingCuts) {
    const int32_t payer = addPayer(validPayer("Alpha Corp"));
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    Window w(main.get());
    const LimitCase cases[] = {
        {"TaxerId_Number", 11, 11},     {"Suffix", 20, 20},    {"First_Name", 20, 20},
        {"Middle_Name", 20, 20},        {"Last_Name", 20, 20}, {"PayePhone", 15, 15},
        {"BussinessAdd_Line1", 40, 40}, {"Bussinessadd2_Line2", 40, 40},
        {"PayerCity", 40, 40},          {"PayerZip", 10, 10},  {"PayerCountry", 18, 40},
    };
    for (const LimitCase& c : cases) {
        QLineEdit* e = edit(w, c.outlet);
        retype(e, QString());
        // One character past the limit is refused, keystroke by keystroke...
        typeText(e, QString(c.limit + 1, QLatin1Char('a')));
        EXPECT_EQ(e->text().size(), c.limit) << c.outlet;
        // ...and so is a paste that makes the text longer.
        paste(e, QStringLiteral("bbb"));
        EXPECT_EQ(e->text(), QString(c.limit, QLatin1Char('a'))) << c.outlet;

    }
    // Characters are counted, not bytes.
    QLineEdit* first = edit(w, "First_Name");
    retype(first, QString());
    typeText(first, QString(25, QChar(0x00E9)));
    EXPECT_EQ(first->text().size(), 20);
}

TEST_F(IrisPayerWindow, ATextStoredLongerThanItsLimitMayBeShortenedAndIsCutWhenEditingEnds) {
    ComapnyInfo p = validPayer("Alpha Corp");
    p.setAddress1(std::string(45, 'A'));
    p.setpayercountry(std::string(45, 'C'));
    p.setTaxID1("123-45-678901");
    const int32_t payer = addPayer(p);
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    Window w(main.get());
    const LimitCase cases[] = {{"BussinessAdd_Line1", 40, 40}, {"PayerCountry", 18, 40}, {"TaxerId_Number", 11, 11}};
    for (const LimitCase& c : cases) {
        QLineEdit* e = edit(w, c.outlet);
        const int stored = e->text().size();
        ASSERT_GT(stored, c.cut) << c.outlet;
        backspace(e);
        EXPECT_EQ(e->text().size(), stored - 1) << c.outlet;
        emit e->editingFinished();
        EXPECT_EQ(e->text().size(), c.cut) << c.outlet;
    }
}

TEST_F(IrisPayerWindow, ACountryOfEighteenLettersCanBeTypedAndPasses) {
    ComapnyInfo p = validPayer("Alpha Corp");
    const int32_t payer = addPayer(p);
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    Window w(main.get());
    retype(edit(w, "PayerCountry"), QStringLiteral("Saint Kitts Nevis"));   // 17 letters and a blank
    EXPECT_EQ(edit(w, "PayerCountry")->text(), QStringLiteral("Saint Kitts Nevis"));
    scripted->answerBox(kMessageAnswerOkYes);
    button(w, "Submit")->click();
    EXPECT_FALSE(isInvalid(edit(w, "PayerCountry")));
    EXPECT_EQ(cdb()->getCompanyInfo1(payer).getpayercountry(), "Saint Kitts Nevis");
    EXPECT_TRUE(cdb()->getCompanyInfo1(payer).getValidated());
}

// ---------------------------------------------------------------------------
// Submit through the error list

TEST_F(IrisPayerWindow, SubmitWithAFailingFieldSavesOnlyWhenTheUserSavesAnyway) {
    const int32_t payer = addPayer(validPayer("Alpha Corp"));
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    Window w(main.get());
    retype(edit(w, "TaxerId_Number"), QStringLiteral("12-34"));

    scripted->answerFormErrors(false);
    button(w, "Submit")->click();
    ASSERT_EQ(scripted->shown().size(), 1u);
    EXPECT_EQ(scripted->shown()[0].errors,
              Strings{"Taxpayer ID Number: Must be of form XXXXXXXXX, XX-XXXXXXX or XXX-XX-XXXX."});
    EXPECT_TRUE(isInvalid(edit(w, "TaxerId_Number")));
    EXPECT_FALSE(isInvalid(edit(w, "PayerCity")));
    EXPECT_EQ(cdb()->getCompanyInfo1(payer).getTaxID1(), "123-45-6789") << "nothing saved";
    EXPECT_TRUE(button(w, "Submit")->isEnabled());
    EXPECT_TRUE(w.savealert());

    scripted->answerFormErrors(true);
    scripted->answerBox(kMessageAnswerOkYes);
    button(w, "Submit")->click();
    const ComapnyInfo saved = cdb()->getCompanyInfo1(payer);
    EXPECT_EQ(saved.getTaxID1(), "12-34");
    EXPECT_FALSE(saved.getValidated());
    EXPECT_FALSE(w.savealert());
    EXPECT_TRUE(button(w, "Export_P")->isEnabled());
}

TEST_F(IrisPayerWindow, TheErrorListNamesEveryFailureInItsOrder) {
    ComapnyInfo empty;
    empty.setName(std::string(41, 'N'));
    empty.setTaxIDIsSSN(true);  // proposed as an individual
    empty.setmisctype("IRIS");
    const int32_t payer = addPayer(empty);
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    Window w(main.get());
    retype(edit(w, "PayePhone"), QStringLiteral("+1 555"));
    scripted->answerFormErrors(false);
    button(w, "Submit")->click();
    ASSERT_EQ(scripted->shown().size(), 1u);
    EXPECT_EQ(scripted->shown()[0].errors,
              (Strings{"Business Name: Must be between 1 and 40 characters.",
                       "Taxpayer ID Number: Must be of form XXXXXXXXX, XX-XXXXXXX or XXX-XX-XXXX.",
                       "First Name: Must be between 1 and 20 characters.",
                       "Last Name: Must be between 1 and 20 characters.",
                       "Business address line 1: Must be between 1 and 40 characters.",
                       "City/Town: Must be between 1 and 40 characters.",
                       "State/Province/Territory: Please select a State or province.",
                       "ZIP/Postal code: Must be of form XXXXX or XXXXX-XXXX.",
                       "Country: Must be between 1 and 15 characters and it should not have any numerics.",
                       "Phone: Must be of form XXX-XXX-XXXX or XXXXXXXXXX or XXX-XXX-XXXX ext. XXXXX."}));
    for (const char* name : {"BussinessName", "TaxerId_Number", "First_Name", "Last_Name", "PayePhone",
                             "BussinessAdd_Line1", "PayerCity", "PayerZip", "PayerCountry"})
        EXPECT_TRUE(isInvalid(edit(w, name))) << name;
    EXPECT_TRUE(isInvalid(popUp(w, "PayerState")));
    EXPECT_FALSE(isInvalid(edit(w, "Bussinessadd2_Line2"))) << "an empty second line passes";
    EXPECT_FALSE(isInvalid(edit(w, "Suffix")));

    // The international form of the phone message.
    choose(popUp(w, "Phone_Type"), QStringLiteral("International"));
    scripted->answerFormErrors(false);
    button(w, "Submit")->click();
    EXPECT_EQ(scripted->shown().back().errors.back(),
              "Payer's Phone:International phone number must contain between 10 and 15 digits after '+'.");
    uitest::saveImage(w, QStringLiteral("AdditionalPayersInformation-failing"));
}

// Many addresses have no second line: the payer is valid without one.
TEST_F(IrisPayerWindow, AnEmptySecondAddressLineSavesValid) {
    ComapnyInfo p = validPayer("Alpha Corp");
    p.setPayerbussinessadd2("");
    const int32_t payer = addPayer(p);
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    Window w(main.get());
    typeText(edit(w, "Middle_Name"), QStringLiteral("Q"));
    scripted->answerBox(kMessageAnswerOkYes);   // only the success message
    button(w, "Submit")->click();
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].caption, "Payer Additional Information Sucessfully Updated.");
    EXPECT_FALSE(isInvalid(edit(w, "Bussinessadd2_Line2")));
    const ComapnyInfo saved = cdb()->getCompanyInfo1(payer);
    EXPECT_EQ(saved.getmiddleName(), "Q");
    EXPECT_EQ(saved.getbussinessadd2(), "");
    EXPECT_TRUE(saved.getValidated());
}

// No check fails the payer silently: a suffix, middle name or second address line
// stored longer than its limit is listed and marked like every other field, and a payer
// saved anyway is not reported as a success.
TEST_F(IrisPayerWindow, EveryFailingFieldIsListedAndMarkedAndSavingAnywayIsNoSuccess) {
    ComapnyInfo p = validPayer("Alpha Corp");
    p.setPayersuffix(std::string(21, 'S'));
    p.setPayermiddleName(std::string(21, 'M'));
    p.setPayerbussinessadd2(std::string(41, 'A'));
    const int32_t payer = addPayer(p);
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    Window w(main.get());
    typeText(edit(w, "PayerCity"), QStringLiteral("x"));
    scripted->answerFormErrors(true);
    scripted->answerBox(kMessageAnswerOkYes);
    button(w, "Submit")->click();
    ASSERT_EQ(scripted->shown().size(), 2u);  // the error list, then the message
    EXPECT_EQ(scripted->shown()[0].errors,
              (Strings{"Middle Name: Must be 20 characters or less.", "Suffix: Must be 20 characters or less.",
                       "Business address line 2: Must be 40 characters or less."}));
    for (const char* name : {"Suffix", "Middle_Name", "Bussinessadd2_Line2"})
        EXPECT_TRUE(isInvalid(edit(w, name))) << name;
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].caption, "Payer Additional Information saved with errors.");
    EXPECT_EQ(boxes()[0].image, kMessageImageError);
    EXPECT_FALSE(cdb()->getCompanyInfo1(payer).getValidated());
}

// With no IRIS name type and TIN type stored, the window proposes them from the payer's
// own taxpayer number: an EIN is a business's.
TEST_F(IrisPayerWindow, StoredTypesMissingAreProposedFromThePayersSocialSecurityBox) {
    for (bool ssn : {false, true}) {
        SCOPED_TRACE(ssn);
        ComapnyInfo p = validPayer(ssn ? "Sole Owner" : "Alpha Corp");
        p.setPayernametype("");
        p.setPayertintype("");
        p.setTaxIDIsSSN(ssn);
        const int32_t payer = addPayer(p);
        addRecipient(payer, 7, "Adams");
        selectInMainWindow({payer});
        Window w(main.get());
        EXPECT_EQ(popUp(w, "Name_type")->currentText(), ssn ? QStringLiteral("Individual") : QStringLiteral("Business Name"));
        EXPECT_EQ(popUp(w, "TIN_Type")->currentText(), ssn ? QStringLiteral("SSN") : QStringLiteral("EIN"));
        EXPECT_EQ(edit(w, "First_Name")->isEnabled(), ssn);
        if (!ssn) uitest::saveImage(w, QStringLiteral("AdditionalPayersInformation-ein-proposed"));
    }
    // A stored choice stands, whatever the box says.
    ComapnyInfo stored = validPayer("Stored Types");
    stored.setTaxIDIsSSN(false);
    const int32_t payer = addPayer(stored);
    addRecipient(payer, 7, "Baker");
    selectInMainWindow({payer});
    Window w(main.get());
    EXPECT_EQ(popUp(w, "Name_type")->currentText(), QStringLiteral("Individual"));
    EXPECT_EQ(popUp(w, "TIN_Type")->currentText(), QStringLiteral("SSN"));
}

TEST_F(IrisPayerWindow, ALaterOpeningShowsTheFailingFieldsAtOnce) {
    ComapnyInfo p = validPayer("Alpha Corp");
    p.setZip1("4321");
    const int32_t payer = addPayer(p);
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    {
        Window first(main.get());
        EXPECT_FALSE(isInvalid(edit(first, "PayerZip")));
        retype(edit(first, "PayerCity"), QStringLiteral("Akron"));
        scripted->answerFormErrors(false);
        button(first, "Submit")->click();
    }
    EXPECT_TRUE(session().ADDInfoEditflag);
    Window second(main.get());
    EXPECT_TRUE(isInvalid(edit(second, "PayerZip")));
    EXPECT_FALSE(isInvalid(edit(second, "PayerCity")));
}

// ---------------------------------------------------------------------------
// Closing

TEST_F(IrisPayerWindow, CancelWithoutChangesClosesWithoutAsking) {
    const int32_t payer = addPayer(validPayer("Alpha Corp"));
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    EXPECT_EQ(run([&](Window& w) { button(w, "Cancel")->click(); }), Window::kClosedCode);
    EXPECT_TRUE(boxes().empty());
}

struct PromptCase {
    std::string name;
    std::string way;     // "Cancel", "close box" or "Escape"
    int answer;
    bool closes;
    bool saves;
};

void PrintTo(const PromptCase& c, std::ostream* os) { *os << c.name; }

class ClosePrompt : public IrisPayerWindow, public ::testing::WithParamInterface<PromptCase> {};

TEST_P(ClosePrompt, AnswersDecideWhetherTheWindowSavesAndCloses) {
    const PromptCase& c = GetParam();
    const int32_t payer = addPayer(validPayer("Alpha Corp"));
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    scripted->answerBox(c.answer);
    if (!c.closes) scripted->answerBox(kMessageAnswerNo);   // the second try ends the run
    const int code = run([&](Window& w) {
        retype(edit(w, "PayerCity"), QStringLiteral("Akron"));
        auto close = [&] {
            if (c.way == "Cancel")
                button(w, "Cancel")->click();
            else if (c.way == "close box")
                w.close();
            else
                key(w, Qt::Key_Escape);
        };
        close();
        EXPECT_EQ(w.isVisible(), !c.closes);
        if (!c.closes) {
            EXPECT_EQ(edit(w, "PayerCity")->text(), QStringLiteral("Akron")) << "the change is still there";
            close();
        }
    });
    EXPECT_EQ(code, Window::kClosedCode);
    const auto shown = boxes();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0].caption, "Save before closing?");
    EXPECT_EQ(shown[0].details, "You may have unsaved changes. Would you like to save before closing?");
    EXPECT_EQ(shown[0].style, kMessageStyleYesNoCancel);
    EXPECT_EQ(shown[0].image, kMessageImagePrompt);
    EXPECT_EQ(shown[0].title, c.way == "Cancel" ? "Payer'S Inforamtion" : "Payer'S Information");
    EXPECT_EQ(cdb()->getCompanyInfo1(payer).getCity(), c.saves ? "Akron" : "Columbus");
    EXPECT_EQ(cdb()->getCompanyInfo1(payer).getmisctype(), "IRIS");
}

std::vector<PromptCase> promptCases() {
    std::vector<PromptCase> cases;
    for (const char* way : {"Cancel", "close box", "Escape"}) {
        std::string base = way;
        for (char& ch : base)
            if (ch == ' ') ch = '_';
        cases.push_back({base + "_Yes", way, kMessageAnswerOkYes, true, true});
        cases.push_back({base + "_No", way, kMessageAnswerNo, true, false});
        cases.push_back({base + "_Cancel", way, kMessageAnswerCancel, false, false});
        cases.push_back({base + "_PromptClosed", way, kMessageAnswerCloseBox, false, false});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(IrisPayerWindow, ClosePrompt, ::testing::ValuesIn(promptCases()),
                         [](const ::testing::TestParamInfo<PromptCase>& test) { return test.param.name; });

// ---------------------------------------------------------------------------
// Pictures

TEST_F(IrisPayerWindow, Pictures) {
    ComapnyInfo individual = validPayer("Harbor View Dental & Orthodontics of the Greater Lakes");
    const int32_t payer = addPayer(individual);
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    {
        Window w(main.get());
        w.show();
        uitest::saveImage(w, QStringLiteral("AdditionalPayersInformation-individual"));
    }
    Window w(main.get());
    w.show();
    choose(popUp(w, "Name_type"), QStringLiteral("Business Name"));
    retype(edit(w, "PayerZip"), QStringLiteral("123"));
    scripted->answerFormErrors(false);
    button(w, "Submit")->click();
    uitest::saveImage(w, QStringLiteral("AdditionalPayersInformation-business-failing"));
}

// ---------------------------------------------------------------------------
// Keyboard

// Tab from the first field reaches every field, list and button once and comes back;
// Alt and a label's letter lead to its field.
TEST_F(IrisPayerWindow, TheKeyboardReachesEveryFieldAndButton) {
    const int32_t payer = addPayer(validPayer("Alpha Corp"));
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    EXPECT_EQ(run([&](Window& w) {
                  uitest::activate(w);
                  w.findChild<QWidget*>(QStringLiteral("Name_type"))->setFocus(Qt::TabFocusReason);
                  uitest::expectTabReachesEveryControl(w);
                  EXPECT_EQ(uitest::expectLettersOfTheirOwn(w), "2ABCDEFHILMNOPSTUWXZ");
                  uitest::key(w, Qt::Key_Z, Qt::AltModifier);
                  EXPECT_EQ(w.focusWidget(), w.findChild<QWidget*>(QStringLiteral("PayerZip")));
                  uitest::key(w, Qt::Key_2, Qt::AltModifier);
                  EXPECT_EQ(w.focusWidget(), w.findChild<QWidget*>(QStringLiteral("Bussinessadd2_Line2")));
                  button(w, "Cancel")->click();
              }),
              Window::kClosedCode);
}

}  // namespace
