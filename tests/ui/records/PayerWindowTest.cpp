// The payer window: its checks and red marks at opening, the typing limit, Update with
// the error list and the Oregon BIN notice, the close prompt's answers from Cancel and
// from the close box, the validated flag that a save stores, and a refused write.

#include <ostream>

#include <QCheckBox>
#include <QLabel>
#include <QPointer>

#include "RecordsFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "ui/UiTestHelpers.h"
#include "ui/company/CompanyController.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"
#include "ui/UiTestHelpers.h"

namespace {

class PayerWindow : public RecordsTest {
protected:
    // Opens the payer window on the payer as Edit Company does.
    CompanyController* open(int32_t payer) {
        selectPayer(payer);
        main->UpdateCompany();
        return main->companycontrol();
    }
    static QLineEdit* field(QWidget* w, const char* name) { return uitest::child<QLineEdit>(w, name); }
    static QPushButton* button(QWidget* w, const char* name) { return uitest::child<QPushButton>(w, name); }
    static QPushButton* update(QWidget* w) { return button(w, "UpdateCom_Btnproperty"); }
    ComapnyInfo stored(int32_t payer) { return cdb()->getCompanyInfo1(payer); }
    int validatedColumn(int32_t payer) {
        return cdb()->db->intForQuery("select validated from companies where pk = ?;", payer);
    }
    // The close prompt, answered.
    void answerPrompt(int code) { scripted->answerBox(code); }
    void expectPrompt(size_t index) {
        ASSERT_GT(scripted->boxes().size(), index);
        const MessageBoxRequest box = scripted->boxes()[index];
        EXPECT_EQ(box.caption, "Save before closing?");
        EXPECT_EQ(box.details, "You may have unsaved changes. Would you like to save before closing?");
        EXPECT_EQ(box.style, kMessageStyleYesNoCancel);
        EXPECT_EQ(box.title, "Company Inforamtion");
        EXPECT_EQ(box.image, kMessageImagePrompt);
    }
};

TEST_F(PayerWindow, APayerWhoseFieldsAllPassIsMarkedValidatedOnOpening) {
    ComapnyInfo c = validPayer("Harbor View Dental LLC");
    c.setmisctype("0");    // older rows hold "0": shown, and saved, as paper
    c.setnectype("IRIS");
    c.setdivtype("FIRE");
    c.setpayercountry("US");   // not shown here: passes through every write
    const int32_t payer = addPayer(c);
    ASSERT_EQ(validatedColumn(payer), 0);

    CompanyController* w = open(payer);
    ASSERT_NE(w, nullptr);
    uitest::saveImage(*w, QStringLiteral("CompanyController"));
    EXPECT_EQ(validatedColumn(payer), 1);
    EXPECT_EQ(stored(payer).getmisctype(), "0");   // the opening's write keeps the row as stored
    EXPECT_EQ(uitest::child<QComboBox>(w, "Misctype")->currentText(), "PRINT");
    EXPECT_EQ(uitest::child<QComboBox>(w, "nectype")->currentText(), "IRIS");
    EXPECT_EQ(uitest::child<QComboBox>(w, "divtype")->currentText(), "FIRE");
    EXPECT_EQ(field(w, "Payers_Name")->text(), "Harbor View Dental LLC");
    EXPECT_FALSE(field(w, "Payers_Name")->isEnabled());
    EXPECT_FALSE(button(w, "Addcom_BtnProperty")->isEnabled());
    EXPECT_FALSE(update(w)->isEnabled());
    EXPECT_TRUE(uitest::child<QLineEdit>(w, "Oregon_Bin")->isHidden());
    EXPECT_TRUE(uitest::child<QLabel>(w, "Oregonfield")->isHidden());

    // Any change, a check box too, offers Update as the Return key's button; saving
    // writes the filing methods as shown.
    click(w, "Final_Return_CeckBox");
    EXPECT_TRUE(update(w)->isEnabled() && update(w)->isDefault());
    click(w, "UpdateCom_Btnproperty");
    settle();
    EXPECT_EQ(main->companycontrol(), nullptr);
    const ComapnyInfo saved = stored(payer);
    EXPECT_TRUE(saved.getFinalFlag());
    EXPECT_EQ(saved.getmisctype(), "PRINT");
    EXPECT_EQ(saved.getnectype(), "IRIS");
    EXPECT_EQ(saved.getpayercountry(), "US");
    EXPECT_TRUE(saved.getValidated());
}

TEST_F(PayerWindow, RedMarksAtOpeningWaitForAFederalIDOrAnEarlierCancel) {
    ComapnyInfo c = validPayer("Harbor View Dental LLC");
    c.setTaxID1("");
    c.setCity1("");
    c.setState1("Oregon");   // no title of the state list
    const int32_t payer = addPayer(c);

    QPointer<CompanyController> w = open(payer);
    ASSERT_TRUE(w);
    EXPECT_FALSE(isInvalid(field(w, "Payers_City")));
    EXPECT_FALSE(isInvalid(field(w, "payersFederal_ID")));
    EXPECT_EQ(uitest::child<QComboBox>(w, "Statepopup")->currentText(), "None");
    click(w, "Cancel_btnProperty");
    settle();
    EXPECT_TRUE(session().CompanyInfoEditflag);

    w = open(payer);
    ASSERT_TRUE(w);
    EXPECT_TRUE(isInvalid(field(w, "Payers_City")));
    EXPECT_TRUE(isInvalid(field(w, "payersFederal_ID")));
    EXPECT_TRUE(isInvalid(uitest::child<QComboBox>(w, "Statepopup")));
    EXPECT_FALSE(isInvalid(field(w, "Payers_Address")));
    EXPECT_EQ(validatedColumn(payer), 0);
    // The close box: the name passed, so no name message.
    w->close();
    settle();
    EXPECT_TRUE(w.isNull());
}

TEST_F(PayerWindow, TypingPastAFieldsLimitIsUndone) {
    ComapnyInfo c = validPayer("Harbor View Dental LLC");
    c.setContact(std::string(45, 'c'));   // stored longer than its field, as an import may leave it
    const int32_t payer = addPayer(c);
    CompanyController* w = open(payer);
    ASSERT_NE(w, nullptr);

    QLineEdit* id = field(w, "payersFederal_ID");
    retype(id, QStringLiteral("123-45-678"));
    typeText(id, QStringLiteral("9"));
    EXPECT_EQ(id->text(), QStringLiteral("123-45-6789"));
    typeText(id, QStringLiteral("0"));
    EXPECT_EQ(id->text(), QStringLiteral("123-45-6789"));
    QLineEdit* address = field(w, "Payers_Address");
    retype(address, QString(40, QLatin1Char('a')));
    EXPECT_EQ(address->text(), QString(40, QLatin1Char('a')));
    typeText(address, QStringLiteral("b"));
    EXPECT_EQ(address->text(), QString(40, QLatin1Char('a')));

    // A stored text over the limit may be shortened, not lengthened, and leaving the
    // field cuts it to the limit.
    QLineEdit* contact = field(w, "Contact_Person");
    typeText(contact, QStringLiteral("x"));
    EXPECT_EQ(contact->text().size(), 45);
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(contact, &backspace);
    EXPECT_EQ(contact->text().size(), 44);
    emit contact->editingFinished();
    EXPECT_EQ(contact->text(), QString(40, QLatin1Char('c')));
    EXPECT_TRUE(update(w)->isEnabled());

    answerPrompt(kMessageAnswerNo);
    w->close();
    settle();
}

TEST_F(PayerWindow, UpdateListsTheFailuresAndSavesOnlyWhenAskedTo) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    QPointer<CompanyController> w = open(payer);
    ASSERT_TRUE(w);
    retype(field(w, "Payers_Phone"), QString());
    retype(field(w, "Contact_Email_Address"), QStringLiteral("billing@mail.harborview.com"));

    // Going back to correct the payer saves nothing and keeps Update for the changes.
    scripted->answerFormErrors(false);
    click(w, "UpdateCom_Btnproperty");
    ASSERT_TRUE(w);
    EXPECT_EQ(scripted->shown().back().errors,
              (std::vector<std::string>{
                  "Payer's Phone: Must be of form XXX-XXX-XXXX or XXXXXXXXXX or XXX-XXX-XXXX ext. XXXXX.",
                  "Payer's/Contact's Email Address: Invalid email address. Please enter a valid email."}));
    EXPECT_TRUE(isInvalid(field(w, "Payers_Phone")));
    EXPECT_TRUE(isInvalid(field(w, "Contact_Email_Address")));
    EXPECT_EQ(stored(payer).getPhone(), "614-555-0100");
    EXPECT_TRUE(update(w)->isEnabled());

    // Saved anyway: stored as shown, not validated, and the window closes.
    scripted->answerFormErrors(true);
    click(w, "UpdateCom_Btnproperty");
    settle();
    EXPECT_TRUE(w.isNull());
    const ComapnyInfo saved = stored(payer);
    EXPECT_EQ(saved.getPhone(), "");
    EXPECT_EQ(saved.getEmail(), "billing@mail.harborview.com");
    EXPECT_FALSE(saved.getValidated());
    EXPECT_EQ(session().comp_details->selectedCompanies(), std::vector<int32_t>{payer});
}

TEST_F(PayerWindow, ChoosingOregonAddsTheBinFieldBeforeTheFirstSave) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    QPointer<CompanyController> w = open(payer);
    ASSERT_TRUE(w);
    EXPECT_FALSE(w->isOregonBINShown());
    choose(uitest::child<QComboBox>(w, "Statepopup"), QStringLiteral("Oregon-OR"));
    EXPECT_TRUE(w->showOregonBIN());

    scripted->answerBox(kMessageAnswerOkYes);
    click(w, "UpdateCom_Btnproperty");
    ASSERT_TRUE(w);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].details,
              "A new field for 'Oregon BIN' has been added. Please go back and enter your Oregon BIN if necessary.");
    EXPECT_EQ(scripted->boxes()[0].title, "Oregon BIN");
    EXPECT_EQ(stored(payer).getState(), "Ohio-OH");   // nothing saved the first time
    EXPECT_TRUE(w->isOregonBINShown());
    EXPECT_FALSE(uitest::child<QLabel>(w, "Oregonfield")->isHidden());
    EXPECT_TRUE(update(w)->isEnabled());

    // A BIN with a letter fails; eight digits pass.
    retype(field(w, "Oregon_Bin"), QStringLiteral("1234567A"));
    scripted->answerFormErrors(false);
    click(w, "UpdateCom_Btnproperty");
    EXPECT_TRUE(isInvalid(field(w, "Oregon_Bin")));
    retype(field(w, "Oregon_Bin"), QStringLiteral("12345678"));
    click(w, "UpdateCom_Btnproperty");
    settle();
    EXPECT_TRUE(w.isNull());
    const ComapnyInfo saved = stored(payer);
    EXPECT_EQ(saved.getState(), "Oregon-OR");
    EXPECT_EQ(saved.getOregonBIN(), "12345678");
    EXPECT_TRUE(saved.getValidated());

    // Reopened on an Oregon payer, the field is there from the start.
    w = open(payer);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isOregonBINShown());
    EXPECT_EQ(field(w, "Oregon_Bin")->text(), "12345678");
}

// How a window is closed, and the close prompt's answer.
struct Closing {
    const char* name;
    bool byCancel;     // Cancel, else the close box
    int answer;
    bool closes;
    bool saved;
};
void PrintTo(const Closing& c, std::ostream* os) { *os << c.name; }

class PayerClosePrompt : public PayerWindow, public ::testing::WithParamInterface<Closing> {};

TEST_P(PayerClosePrompt, AnswersDecideWhetherTheChangesAreSaved) {
    const Closing c = GetParam();
    const int32_t payer = addPayer("Harbor View Dental LLC");
    QPointer<CompanyController> w = open(payer);
    ASSERT_TRUE(w);
    click(w, "Tax_ID_SocialSec_CheckBox");
    retype(field(w, "Payers_City"), QStringLiteral("Dayton"));
    ASSERT_TRUE(update(w)->isEnabled());

    answerPrompt(c.answer);
    if (c.byCancel)
        click(w, "Cancel_btnProperty");
    else
        escape(w);
    settle();
    expectPrompt(0);
    EXPECT_EQ(w.isNull(), c.closes);
    EXPECT_EQ(main->companycontrol() == nullptr, c.closes);
    EXPECT_EQ(stored(payer).getCity(), c.saved ? "Dayton" : "Columbus");
    EXPECT_EQ(stored(payer).getTaxIDIsSSN(), c.saved);
    EXPECT_TRUE(session().CompanyInfoEditflag);
    if (!c.closes) {
        EXPECT_TRUE(update(w)->isDefault());
        EXPECT_EQ(field(w, "Payers_City")->text(), "Dayton");
        answerPrompt(kMessageAnswerNo);
        w->close();
        settle();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PayerClosePrompt,
    ::testing::Values(Closing{"CancelNo", true, kMessageAnswerNo, true, false},
                      Closing{"CancelCancel", true, kMessageAnswerCancel, false, false},
                      Closing{"CancelSave", true, kMessageAnswerOkYes, true, true},
                      Closing{"CancelPromptClosed", true, kMessageAnswerCloseBox, false, false},
                      Closing{"CloseBoxNo", false, kMessageAnswerNo, true, false},
                      Closing{"CloseBoxCancel", false, kMessageAnswerCancel, false, false},
                      Closing{"CloseBoxSave", false, kMessageAnswerOkYes, true, true},
                      Closing{"CloseBoxPromptClosed", false, kMessageAnswerCloseBox, false, false}),
    [](const ::testing::TestParamInfo<Closing>& p) { return std::string(p.param.name); });

// Through the real message box, with keys: Escape on the window, then Escape (the
// prompt's Cancel) or the prompt's close box, keeps the edits in the window, unsaved.
TEST_F(PayerWindow, EscapeAndThePromptsCloseBoxKeepTheEditsUnsaved) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    QPointer<CompanyController> w = open(payer);
    ASSERT_TRUE(w);
    retype(field(w, "Payers_City"), QStringLiteral("Dayton"));
    ASSERT_TRUE(update(w)->isEnabled());

    QtUserInterface real;
    UserInterface* const scriptedUi = session().ui;
    session().ui = &real;
    for (bool byEscape : {true, false}) {
        SCOPED_TRACE(byEscape ? "Escape" : "close box");
        int prompts = 0;
        {
            ScopedModalResponder responder([&](QWidget& box) {
                ASSERT_EQ(box.objectName(), "tvMessageDialog");
                ++prompts;
                if (byEscape)
                    uitest::key(box, Qt::Key_Escape);
                else
                    box.close();
            });
            escape(w);
            settle();
        }
        EXPECT_EQ(prompts, 1);
        ASSERT_FALSE(w.isNull());
        EXPECT_EQ(field(w, "Payers_City")->text(), "Dayton");
        EXPECT_EQ(stored(payer).getCity(), "Columbus");
    }
    {
        ScopedModalResponder responder([](QWidget& box) { uitest::press(box, "Button2"); });   // No
        w->close();
        settle();
    }
    session().ui = scriptedUi;
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(stored(payer).getCity(), "Columbus");
}

TEST_F(PayerWindow, APayerMadeInvalidAndSavedFromThePromptIsStoredNotValidated) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    QPointer<CompanyController> w = open(payer);
    ASSERT_TRUE(w);
    ASSERT_EQ(validatedColumn(payer), 1);
    retype(field(w, "Payers_Zip"), QStringLiteral("4321"));

    // Saved without asking; a payer with its name and federal ID gets no error list.
    answerPrompt(kMessageAnswerOkYes);
    escape(w);
    settle();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(stored(payer).getZip(), "4321");
    EXPECT_EQ(validatedColumn(payer), 0);

    // Without a federal ID the error list follows the write, for information.
    w = open(payer);
    ASSERT_TRUE(w);
    retype(field(w, "payersFederal_ID"), QString());
    answerPrompt(kMessageAnswerOkYes);
    scripted->answerFormErrors(false);
    click(w, "Cancel_btnProperty");
    settle();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(stored(payer).getTaxID1(), "");
    EXPECT_EQ(scripted->shown().back().window, "formErrors");
    EXPECT_EQ(validatedColumn(payer), 0);
}

TEST_F(PayerWindow, ARefusedWriteKeepsTheWindowOpenWithItsChanges) {
    const int32_t payer = addPayer("Harbor View Dental LLC");
    QPointer<CompanyController> w = open(payer);
    ASSERT_TRUE(w);
    ASSERT_TRUE(cdb()->db->executeStatements(
        "create trigger refuse_payer before update on companies begin select raise(abort, 'disk full'); end;"));
    retype(field(w, "Payers_City"), QStringLiteral("Dayton"));
    session().comp_details->setSelectedCompanies({});   // the main window is not called back

    scripted->answerBox(kMessageAnswerOkYes);   // the store's report
    click(w, "UpdateCom_Btnproperty");
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(field(w, "Payers_City")->text(), "Dayton");
    EXPECT_TRUE(update(w)->isEnabled());
    EXPECT_EQ(main->companycontrol(), w.data());
    EXPECT_TRUE(session().comp_details->selectedCompanies().empty());
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_NE(scripted->boxes()[0].details.find("disk full"), std::string::npos);

    // Saving from the close prompt fails the same way: the window stays.
    answerPrompt(kMessageAnswerOkYes);
    scripted->answerBox(kMessageAnswerOkYes);
    escape(w);
    settle();
    ASSERT_TRUE(w);
    EXPECT_EQ(stored(payer).getCity(), "Columbus");

    ASSERT_TRUE(cdb()->db->executeStatements("drop trigger refuse_payer;"));
    click(w, "UpdateCom_Btnproperty");
    settle();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(stored(payer).getCity(), "Dayton");
}

// Tab from the name reaches every field, box, list and button once and comes back.
TEST_F(PayerWindow, TabReachesEveryControlOnceAndComesBack) {
    CompanyController* w = open(addPayer("Harbor View Dental LLC"));
    ASSERT_NE(w, nullptr);
    uitest::activate(*w);
    field(w, "Payers_Name")->setFocus(Qt::TabFocusReason);
    uitest::expectTabReachesEveryControl(*w);
    uitest::expectLettersOfTheirOwn(*w);
}

}  // namespace
