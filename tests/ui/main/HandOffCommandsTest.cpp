// The main window's commands that hand work to other parts of the program: their
// refusals, the validation list and the e-file warning before the hand-over, the menus
// around import and IRIS, the new year, administration, updates, help and page setup,
// and the "not available yet" message of every hand-off that is not installed.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRadioButton>

#include "MainWindowFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/WebAddresses.h"
#include "ui/UiTestHelpers.h"
#include "ui/company/CompanyController.h"
#include "ui/support/DatabaseAlert.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/HandOffs.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PageSetup.h"
#include "ui/support/QtUserInterface.h"

namespace {

using Strings = std::vector<std::string>;

// The twelve menu items that DisableMenuButtons saves and restores.
const char* const kSavedItems[] = {"Createdatabase", "import",   "importprioryear", "DatabaseManager",
                                   "Closedb",        "OpenDb_TextFilemenu", "Efile",  "IRIS_Outlet",
                                   "SummaryReport",  "Mailinglabel",        "prntformforRec", "printformforFilling"};

const char kRecipientsAlignmentStart[] =
    "Warning: Verify the alignment of your printer before printing on pre printed forms. \n\n Print a Recipient ";

}  // namespace

class HandOffTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        handOffs() = HandOffs{};
    }
    void TearDown() override {
        handOffs() = HandOffs{};
        setAddressOpener({});
        setProcessExit({});
        MainWindowTest::TearDown();
    }

    // A recorder in every entry of the table: each call is noted by the entry's name.
    void recordEveryEntry() {
        HandOffs& h = handOffs();
        auto note = [this](const char* name) {
            return [this, name](QWidget* parent) {
                EXPECT_EQ(parent, window.get()) << name;
                calls.emplace_back(name);
            };
        };
        h.printFormsForRecipients = note("printFormsForRecipients");
        h.printFormsForFiling = note("printFormsForFiling");
        h.mailingLabelReport = note("mailingLabelReport");
        h.summaryReport = note("summaryReport");
        h.editPrintLayouts = note("editPrintLayouts");
        h.runIrisWindow = note("runIrisWindow");
        h.runAccountDialog = note("runAccountDialog");
        h.backup = note("backup");
        h.restore = note("restore");
        h.cloudDownload = note("cloudDownload");
        h.mailingLabelSettings = [this](QWidget*) {
            calls.emplace_back("mailingLabelSettings");
            return labelSettingsCode;
        };
        h.runImportDialog = [this](QWidget*) {
            calls.emplace_back("runImportDialog");
            return importCode;
        };
        h.runNewYearWindow = [this](QWidget*) {
            calls.emplace_back("runNewYearWindow");
            return newYearCode;
        };
        auto makeWindow = [this](const char* name) {
            return [this, name](QWidget* parent) {
                calls.emplace_back(name);
                auto made = std::make_unique<QWidget>(parent, Qt::Window);
                made->setObjectName(QString::fromLatin1(name));
                return made;
            };
        };
        h.makeEFileWindow = makeWindow("makeEFileWindow");
        h.makeNewYearWindow = makeWindow("makeNewYearWindow");
        h.latestVersion = [this](bool asked, bool internet) {
            calls.push_back(std::string("latestVersion ") + (asked ? "asked" : "start") +
                            (internet ? " online" : " offline"));
            return updateAnswer;
        };
        h.internetAvailable = [this] {
            calls.emplace_back("internetAvailable");
            return true;
        };
    }

    int32_t addValidPayer(const std::string& name, const std::string& filing = "") {
        ComapnyInfo c;
        c.setName(name);
        c.setValidated(true);
        for (auto set : {&ComapnyInfo::setmisctype, &ComapnyInfo::setdivtype, &ComapnyInfo::setinttype,
                         &ComapnyInfo::setrtype, &ComapnyInfo::setstype, &ComapnyInfo::setnectype})
            (c.*set)(filing);
        return addPayer(c);
    }

    // An open database whose first payer (key 0) holds the given recipients; the payer
    // and every recipient listed under the form filter at formIndex are selected, as
    // the user would select them.
    void selectEverything(const std::vector<std::pair<Person, Flags>>& people, int formIndex = 1,
                          const std::string& filing = "") {
        // Each call starts a database file of its own: "Acme", "Acme 2", ...
        ++databases;
        openDatabase(databases == 1 ? "Acme" : "Acme " + std::to_string(databases));
        const int32_t payer = addValidPayer("Harbor View Dental", filing);
        ASSERT_EQ(payer, 0);
        for (const auto& [person, flags] : people) addRecipient(payer, person, flags);
        showDatabase();
        userSelect(companies(), {0});
        choose(w<QComboBox>("AllForms"), formIndex);
        std::vector<int> rows(recipientRows().size());
        for (size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
        userSelect(recipients(), rows);
        window->Refresh();
    }
    // One valid 1099-MISC recipient, selected.
    void selectOneRecipient(const std::string& filing = "") {
        Flags valid;
        valid.validated = true;
        selectEverything({{{1, "Ann", "Ann Lee", "Lee"}, valid}}, 1, filing);
    }

    void closeDatabase() {
        if (cdb()->IsReady()) {
            ASSERT_TRUE(window->CloseDatabase(false, false));
        }
    }

    // Whether the e-file window is shown beside the main window; closes it, so the next
    // e-file makes a new one.
    bool eFileWindowShown() {
        auto* shown = window->findChild<QWidget*>(QStringLiteral("makeEFileWindow"));
        if (!shown || !shown->isVisible()) return false;
        shown->close();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return true;
    }

    std::map<std::string, bool> menuStates() const {
        std::map<std::string, bool> states;
        for (QAction* a : window->findChildren<QAction*>())
            if (!a->objectName().isEmpty()) states[a->objectName().toStdString()] = a->isEnabled();
        return states;
    }
    bool anySavedItemEnabled() const {
        for (const char* name : kSavedItems)
            if (item(name)->isEnabled()) return true;
        return false;
    }

    std::vector<std::string> calls;
    int labelSettingsCode = kLabelSettingsSavedCode;
    int importCode = kImportDoneCode;
    int newYearCode = kNewYearMadeCode;
    bool updateAnswer = false;
    int databases = 0;
};

// ---------------------------------------------------------------------------
// Refusals

TEST_F(HandOffTest, EveryRefusalShowsItsMessageAndHandsNothingOver) {
    struct Refusal {
        const char* name;
        std::function<void()> prepare;
        void (AppDelegate::*command)();
        std::string details;
        const char* title;
        bool flag;
    };
    Flags valid;
    valid.validated = true;
    const std::pair<Person, Flags> misc{{1, "Ann", "Ann Lee", "Lee"}, valid};
    auto allForms = [&] { selectEverything({misc}, 0); };
    auto noRecipient = [&] {
        selectEverything({misc}, 1);
        userSelect(recipients(), {});
    };
    auto filedAs = [&](const char* filing) { return [&, filing] { selectEverything({misc}, 1, filing); }; };
    auto user = [](int type) { return [type] { session().loginInfo->setUserType(type); }; };
    const std::string chooseKind =
        "the 'All forms' dropdown (just above the recipient list, right of center) to a specific 1099 type.Then "
        "select the recipients you want to ";

    const Refusal refusals[] = {
        {"print for recipients, all forms", allForms, &AppDelegate::PrintformsforRecipient,
         "Please change the 'All forms' dropdown(just above the recipient list, right of center) to a specific "
         "1099 type.Then select the recipients you want to print and select the 'Print Recipients' button.",
         "Print Recipients Info", false},
        {"print for filing, all forms", allForms, &AppDelegate::PrintformsforFilling,
         "Please change " + chooseKind + "print and select the 'Print Company' button.", "Print Company Info",
         false},
        {"IRIS, all forms", allForms, &AppDelegate::IRIS_Action,
         "Please change " + chooseKind + "generate IRIS file and select the 'IRIS' button.", "IRIS", false},
        {"IRIS, no recipient", noRecipient, &AppDelegate::IRIS_Action,
         "To generate an IRIS, please select one or more Recipients.", "Error", false},
        {"IRIS, filed on paper", filedAs("PRINT"), &AppDelegate::IRIS_Action,
         "To submit through IRIS, please review the company information and change Filing Method to IRIS.",
         "Payer Information", false},
        {"IRIS, filed through FIRE", filedAs("FIRE"), &AppDelegate::IRIS_Action,
         "To submit through IRIS, please review the company information and change Filing Method to IRIS.",
         "Payer Information", false},
        {"e-file, no recipient", noRecipient, &AppDelegate::EFile,
         "To generate an E-File, please select one or more Recipients", "Error", false},
        {"e-file, filed on paper", filedAs("PRINT"), &AppDelegate::EFile,
         "To submit through FIRE, please review the company information and change it to FIRE.",
         "Payer Information", false},
        {"administration, ordinary user", user(0), &AppDelegate::Admin_Action,
         "Please login as an Administrator to access Admin.", "Administrator Login Required", false},
        {"administration, no user yet", user(-1), &AppDelegate::Admin_Action,
         "Please login as an Administrator to access Admin.", "Administrator Login Required", false},
        {"updates, ordinary user", user(0), &AppDelegate::CheckforUpdates,
         "Please login as an Administrator to check for updates.", "Restricted", true},
    };
    recordEveryEntry();
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        closeDatabase();
        session().loginInfo->setUserType(1);
        r.prepare();
        const auto menusBefore = menuStates();
        const std::vector<int32_t> selectedBefore = session().recp_details->selectedRecipients();
        const size_t shownBefore = scripted->boxes().size();
        calls.clear();
        scripted->answerBox(kMessageAnswerOkYes);

        (window.get()->*r.command)();

        const auto boxes = scripted->boxes();
        ASSERT_EQ(boxes.size(), shownBefore + 1);
        const MessageBoxRequest& box = boxes.back();
        EXPECT_EQ(box.caption, "");
        EXPECT_EQ(box.details, r.details);
        EXPECT_EQ(box.style, kMessageStyleOK);
        EXPECT_EQ(box.title, r.title);
        EXPECT_EQ(box.image, kMessageImagePlain);
        EXPECT_EQ(box.flag, r.flag);
        EXPECT_EQ(calls, Strings{});
        EXPECT_EQ(menuStates(), menusBefore);
        EXPECT_EQ(session().recp_details->selectedRecipients(), selectedBefore);
    }

    // The IRIS refusal names the payer window's choice as that window shows it.
    closeDatabase();
    filedAs("PRINT")();
    std::unique_ptr<CompanyController> payerWindow(CompanyController::create(window.get()));
    ASSERT_TRUE(payerWindow);
    const std::string method = payerWindow->findChild<QGroupBox*>(QStringLiteral("FilingMethodBox"))->title().toStdString();
    for (const Refusal& r : refusals) {
        if (r.command == &AppDelegate::IRIS_Action && r.title == std::string("Payer Information")) {
            EXPECT_NE(r.details.find("change " + method + " to IRIS"), std::string::npos) << r.details;
        }
    }
}

// ---------------------------------------------------------------------------
// "Not available yet"

TEST_F(HandOffTest, EachEmptyEntryShowsItsMessageAndChangesNothing) {
    struct Empty {
        void (AppDelegate::*command)();
        const char* what;
    };
    const Empty empties[] = {
        {&AppDelegate::PrintformsforRecipient, "Printing forms for recipients"},
        {&AppDelegate::PrintformsforFilling, "Printing forms for filing"},
        {&AppDelegate::MailingLabels, "Printing mailing labels"},
        {&AppDelegate::SummaryReport, "The summary report"},
        {&AppDelegate::Editprintforms_Action, "Editing the print layouts"},
        {&AppDelegate::EFile, "Creating a FIRE e-file"},
        {&AppDelegate::IRIS_Action, "Creating IRIS files"},
        {&AppDelegate::Import, "Importing recipients and payers"},
        {&AppDelegate::ImportPriorYear, "Starting a new year"},
        {&AppDelegate::ImportPriorYearBox, "Starting a new year"},
        {&AppDelegate::Admin_Action, "Managing user accounts"},
        {&AppDelegate::BackupDatabse_Action, "Backing up the company database"},
        {&AppDelegate::RestoreDatabase_Action, "Restoring a backup"},
        {&AppDelegate::DownloadBackupfromcloud_Action, "Downloading a backup from the cloud"},
        {&AppDelegate::CheckforUpdates, "Checking for updates"},
    };
    // A selection that passes every refusal; the payer and its recipients stay unvalidated,
    // so a validation list would have lines to show.
    selectEverything({{{1, "Ann", "Ann Lee", "Lee"}, {}}, {{1, "Bea", "Bea Ray", "Ray"}, {true, false, false, true}}});
    int exits = 0;
    setProcessExit([&](int) { ++exits; });
    for (const Empty& e : empties) {
        SCOPED_TRACE(e.what);
        const auto menusBefore = menuStates();
        const std::vector<int32_t> payersBefore = session().comp_details->selectedCompanies();
        const std::vector<int32_t> recipientsBefore = session().recp_details->selectedRecipients();
        const std::vector<int> rowsBefore = selectedRows(recipients());
        const size_t shownBefore = scripted->shown().size();
        scripted->answerBox(kMessageAnswerOkYes);

        (window.get()->*e.command)();

        const auto& shown = scripted->shown();
        ASSERT_EQ(shown.size(), shownBefore + 1) << "only the message is shown";
        const MessageBoxRequest& box = shown.back().box;
        EXPECT_EQ(box.caption, "");
        EXPECT_EQ(box.details, std::string(e.what) + " is not available yet.");
        EXPECT_EQ(box.style, kMessageStyleOK);
        EXPECT_EQ(box.title, "Talvexa 1099 E-File 2025");
        EXPECT_EQ(box.image, kMessageImagePlain);
        EXPECT_TRUE(cdb()->IsReady());
        EXPECT_EQ(menuStates(), menusBefore);
        EXPECT_EQ(session().comp_details->selectedCompanies(), payersBefore);
        EXPECT_EQ(session().recp_details->selectedRecipients(), recipientsBefore);
        EXPECT_EQ(selectedRows(recipients()), rowsBefore);
    }
    EXPECT_EQ(exits, 0);
    // At start-up the missing update check answers no, silently.
    EXPECT_FALSE(window->CheckForLatestVersion(false, true));
}

// The message as the user sees it.
TEST_F(HandOffTest, ScreenImageOfANotAvailableYetMessage) {
    selectOneRecipient();
    QtUserInterface real;
    session().ui = &real;
    std::string shown;
    {
        ScopedModalResponder responder([&](QWidget& box) {
            shown = box.objectName().toStdString();
            uitest::press(box, "Button3");
        });
        window->PrintformsforRecipient();
    }
    session().ui = scripted.get();
    EXPECT_EQ(shown, "tvMessageDialog");
}

// ---------------------------------------------------------------------------
// Printing

TEST_F(HandOffTest, PrintingWarnsAboutAlignmentListsFailuresAndHandsOver) {
    struct Case {
        const char* name;
        void (AppDelegate::*command)();
        int formIndex;
        const char* layout;
        const char* title;
        bool keepGoing;   // the answer to the error list
        Strings handedOver;
    };
    const Case cases[] = {
        {"recipients, OK", &AppDelegate::PrintformsforRecipient, 1, "(2-up option)", "Print Forms for Recipients",
         true, {"printFormsForRecipients"}},
        {"recipients, Cancel stops", &AppDelegate::PrintformsforRecipient, 1, "(2-up option)",
         "Print Forms for Recipients", false, {}},
        {"recipients of 1099-NEC", &AppDelegate::PrintformsforRecipient, 6, "(3-up option)",
         "Print Forms for Recipients", true, {"printFormsForRecipients"}},
        {"recipients of 1099-S", &AppDelegate::PrintformsforRecipient, 5, "(3-up option)",
         "Print Forms for Recipients", true, {"printFormsForRecipients"}},
        {"filing, OK", &AppDelegate::PrintformsforFilling, 3, "(2-up option)", "Print Forms for Filing", true,
         {"printFormsForFiling"}},
        {"filing goes on after Cancel", &AppDelegate::PrintformsforFilling, 3, "(2-up option)",
         "Print Forms for Filing", false, {"printFormsForFiling"}},
    };
    const std::pair<Person, Flags> people[] = {
        {{1, "Ann", "Ann Lee", "Lee"}, {}}, {{3, "Bo", "Bo Lin", "Lin"}, {}}, {{5, "Cy", "Cy Po", "Po"}, {}},
        {{7, "Di", "Di Wu", "Wu"}, {}}};
    recordEveryEntry();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        closeDatabase();
        selectEverything({std::begin(people), std::end(people)}, c.formIndex);
        ASSERT_EQ(session().recp_details->selectedRecipients().size(), 1u);
        calls.clear();
        const size_t before = scripted->shown().size();
        scripted->answerBox(kMessageAnswerCloseBox);   // the warning's close box goes on too
        scripted->answerFormErrors(c.keepGoing);

        (window.get()->*c.command)();

        const auto& shown = scripted->shown();
        ASSERT_EQ(shown.size(), before + 2);
        const MessageBoxRequest& warning = shown[before].box;
        EXPECT_EQ(warning.caption, "");
        EXPECT_EQ(warning.details.rfind(kRecipientsAlignmentStart, 0), 0u) << warning.details;
        EXPECT_NE(warning.details.find(c.layout), std::string::npos);
        EXPECT_NE(warning.details.find("\"Edit, Print Format Screen\""), std::string::npos);
        EXPECT_EQ(warning.style, kMessageStyleOK);
        EXPECT_EQ(warning.title, c.title);
        EXPECT_EQ(warning.image, kMessageImagePlain);
        EXPECT_EQ(shown[before + 1].window, "formErrors");
        EXPECT_EQ(shown[before + 1].errors.front(), "RECIPIENTS WITH ERRORS:");
        EXPECT_EQ(calls, c.handedOver);
    }
}

TEST_F(HandOffTest, PrintingWithNothingToCorrectShowsNoErrorList) {
    recordEveryEntry();
    selectOneRecipient();
    scripted->answerBox(kMessageAnswerOkYes);
    window->PrintformsforRecipient();
    EXPECT_EQ(scripted->shown().size(), 1u);   // the alignment warning alone
    EXPECT_EQ(calls, Strings{"printFormsForRecipients"});
}

TEST_F(HandOffTest, PrintingRefillsTheListAndTheHoldersFollowIt) {
    Flags valid;
    valid.validated = true;
    selectEverything({{{1, "Ann", "Ann Lee", "Lee"}, valid}, {{1, "Bea", "Bea Ray", "Ray"}, valid}});
    // Only the recipients not yet printed are listed.
    choose(w<QComboBox>("AllStatus"), 1);
    userSelect(recipients(), {0, 1});
    ASSERT_EQ(session().recp_details->selectedRecipients().size(), 2u);
    handOffs().printFormsForRecipients = [&](QWidget*) {
        for (int32_t key : session().recp_details->selectedRecipients()) {
            RecipientInfo r = cdb()->getRecipientInfo(key);
            r.setPrinted(true);
            ASSERT_TRUE(cdb()->updateRecipientInfo(r));
        }
    };
    scripted->answerBox(kMessageAnswerOkYes);
    window->PrintformsforRecipient();
    EXPECT_EQ(recipientRows(), Strings{});
    EXPECT_EQ(session().recp_details->selectedRecipients(), std::vector<int32_t>{});
    EXPECT_FALSE(item("prntformforRec")->isEnabled());
}

// ---------------------------------------------------------------------------
// Mailing labels

TEST_F(HandOffTest, EachAnswerToTheLabelPromptPrintsTheLabelsOnceAtMost) {
    struct Case {
        const char* name;
        int answer;
        int windowCode;   // the label settings window's end code, when it is shown
        Strings calls;
    };
    const Case cases[] = {
        {"No prints at once", kMessageAnswerNo, 0, {"mailingLabelReport"}},
        {"Yes, then Save", kMessageAnswerOkYes, kLabelSettingsSavedCode,
         {"mailingLabelSettings", "mailingLabelReport"}},
        // The window's Cancel has printed the labels itself.
        {"Yes, then Cancel", kMessageAnswerOkYes, kLabelSettingsCancelledCode,
         {"mailingLabelSettings", "mailingLabelReport"}},
        {"Yes, then Restore", kMessageAnswerOkYes, kLabelSettingsRestoredCode, {"mailingLabelSettings"}},
        {"close box", kMessageAnswerCloseBox, 0, {}},
    };
    selectOneRecipient();
    recordEveryEntry();
    HandOffs& h = handOffs();
    h.mailingLabelSettings = [&](QWidget* parent) {
        calls.emplace_back("mailingLabelSettings");
        if (labelSettingsCode == kLabelSettingsCancelledCode) h.mailingLabelReport(parent);
        return labelSettingsCode;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        calls.clear();
        labelSettingsCode = c.windowCode;
        scripted->answerBox(c.answer);
        window->MailingLabels();
        const MessageBoxRequest prompt = scripted->boxes().back();
        EXPECT_EQ(prompt.caption, "Label Preference Change?");
        EXPECT_EQ(prompt.details, "Do you want to change the label preferences?");
        EXPECT_EQ(prompt.style, kMessageStyleYesNo);
        EXPECT_EQ(prompt.title, "Talvexa 1099 E-File 2025");
        EXPECT_EQ(prompt.image, kMessageImagePrompt);
        EXPECT_TRUE(prompt.flag);
        EXPECT_EQ(calls, c.calls);
    }
}

TEST_F(HandOffTest, SummaryReportAndLayoutEditorAreHandedOver) {
    selectOneRecipient();
    recordEveryEntry();
    window->SummaryReport();
    window->Editprintforms_Action();
    EXPECT_EQ(calls, (Strings{"summaryReport", "editPrintLayouts"}));
    EXPECT_EQ(scripted->shown().size(), 0u);
}

// ---------------------------------------------------------------------------
// E-file

TEST_F(HandOffTest, EFileGoesOnForNoFilingTypeFireAndIris) {
    recordEveryEntry();
    for (const char* filing : {"", "FIRE", "IRIS"}) {
        SCOPED_TRACE(filing);
        closeDatabase();
        calls.clear();
        selectOneRecipient(filing);
        window->EFile();
        EXPECT_TRUE(eFileWindowShown());
        EXPECT_EQ(scripted->shown().size(), 0u);
    }
}

TEST_F(HandOffTest, EFileLooksAtPayerZeroForTheFirstSelectedKindOnly) {
    recordEveryEntry();
    Flags valid;
    valid.validated = true;
    selectEverything({{{7, "Ann", "Ann Lee", "Lee"}, valid}, {{1, "Bea", "Bea Ray", "Ray"}, valid}}, 0);
    ComapnyInfo zero = cdb()->getCompanyInfo1(0);
    zero.setmisctype("PRINT");   // the second recipient's kind
    ASSERT_TRUE(cdb()->updateCompanyInfo(zero));
    const std::vector<int32_t> keys = session().recp_details->selectedRecipients();
    ASSERT_EQ(keys.size(), 2u);
    // The 1099-NEC recipient first: its kind has no filing type, so the e-file goes on,
    // whatever the form filter ("all forms" here).
    const int32_t nec = cdb()->getRecipientInfo(keys[0]).getType() == 7 ? keys[0] : keys[1];
    const int32_t misc = nec == keys[0] ? keys[1] : keys[0];
    session().recp_details->setSelectedRecipients({nec, misc});
    window->EFile();
    EXPECT_EQ(calls, Strings{"makeEFileWindow"});

    session().recp_details->setSelectedRecipients({misc, nec});
    scripted->answerBox(kMessageAnswerOkYes);
    window->EFile();
    EXPECT_EQ(scripted->boxes().back().title, "Payer Information");
}

TEST_F(HandOffTest, EFileErrorListCancelStopsAndOkGoesOn) {
    recordEveryEntry();
    selectEverything({{{1, "Ann", "Ann Lee", "Lee"}, {}}, {{1, "", "Summit Cleaning", "", true}, {}}});
    for (bool keepGoing : {false, true}) {
        SCOPED_TRACE(keepGoing);
        calls.clear();
        scripted->answerFormErrors(keepGoing);
        window->EFile();
        // In the list's order: the business, without a surname, sorts first.
        EXPECT_EQ(scripted->shown().back().errors,
                  (Strings{"RECIPIENTS WITH ERRORS:", "  Summit Cleaning (MISC)", "  Ann Lee (MISC)"}));
        EXPECT_EQ(eFileWindowShown(), keepGoing);
    }
}

TEST_F(HandOffTest, EFileWarnsOnlyWhenCorrectionsAreMixedWithOriginals) {
    recordEveryEntry();
    Flags original;
    original.validated = true;
    Flags voided = original;
    voided.voided = true;
    Flags corrected = original;
    corrected.corrected = true;
    const Person ann{1, "Ann", "Ann Lee", "Lee"};
    const Person bea{1, "Bea", "Bea Ray", "Ray"};

    struct Case {
        const char* name;
        std::vector<std::pair<Person, Flags>> people;
        bool warns;
        std::function<void(QWidget&)> answer;
        bool goesOn;
    };
    auto pressTitled = [](const char* title) {
        return [title](QWidget& alert) {
            for (QAbstractButton* b : alert.findChildren<QAbstractButton*>())
                if (b->text() == QLatin1String(title)) return b->click();
            ADD_FAILURE() << "no button " << title;
        };
    };
    const Case cases[] = {
        {"originals only", {{ann, original}, {bea, original}}, false, {}, true},
        {"void and corrected only", {{ann, voided}, {bea, corrected}}, false, {}, true},
        {"mixed, No", {{ann, voided}, {bea, original}}, true, pressTitled("No"), false},
        {"mixed, Yes", {{ann, original}, {bea, corrected}}, true, pressTitled("Yes"), true},
        {"mixed, Return", {{ann, original}, {bea, corrected}}, true,
         [](QWidget& alert) { uitest::key(alert, Qt::Key_Return); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        closeDatabase();
        selectEverything(c.people);
        calls.clear();
        int alerts = 0;
        {
            ScopedModalResponder responder([&](QWidget& shown) {
                ++alerts;
                ASSERT_EQ(shown.objectName().toStdString(), kDatabaseAlertName);
                auto* alert = qobject_cast<QMessageBox*>(&shown);
                ASSERT_NE(alert, nullptr);
                EXPECT_EQ(alert->windowTitle().toStdString(), "Warning");
                EXPECT_EQ(alert->text().toStdString(),
                          "We noticed that you are attempting to create an E-File with a mix of corrections (the "
                          "'Void' or 'Correction' checkbox on a Recipient form is selected), and original files "
                          "(neither checkbox is selected). We highly recommend that you create a separate E-File "
                          "for Corrected forms. Voided forms are left out of every E-File: a return that was "
                          "already filed is taken back by a corrected return with every amount zero (mark it "
                          "Corrected, not Void, and set its amounts to zero). Mixing these may result in your "
                          "E-File being rejected by the FIRE system. Do you still want to generate an E-File "
                          "from the selected Recipients?");
                Strings titles;
                for (QAbstractButton* b : alert->buttons()) titles.push_back(b->text().toStdString());
                std::sort(titles.begin(), titles.end());
                EXPECT_EQ(titles, (Strings{"No", "Yes"}));
                ASSERT_NE(alert->defaultButton(), nullptr);
                EXPECT_EQ(alert->defaultButton()->text().toStdString(), "Yes");
                c.answer(shown);
            });
            window->EFile();
        }
        EXPECT_EQ(alerts, c.warns ? 1 : 0);
        EXPECT_EQ(eFileWindowShown(), c.goesOn);
    }
}

TEST_F(HandOffTest, EFileWindowIsKeptWhileOpenAndMadeAgainAfterItCloses) {
    recordEveryEntry();
    selectOneRecipient();
    window->EFile();
    auto* first = window->findChild<QWidget*>(QStringLiteral("makeEFileWindow"));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(isRunningModal(first));

    window->EFile();
    EXPECT_EQ(calls, Strings{"makeEFileWindow"});   // the same one again
    EXPECT_EQ(window->findChildren<QWidget*>(QStringLiteral("makeEFileWindow")).size(), 1);

    QPointer<QWidget> closed = first;
    first->close();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull()) << "released once closed";

    window->EFile();
    EXPECT_EQ(calls, (Strings{"makeEFileWindow", "makeEFileWindow"}));
    auto* second = window->findChild<QWidget*>(QStringLiteral("makeEFileWindow"));
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(second->isVisible());
}

// ---------------------------------------------------------------------------
// Menus around import and IRIS

TEST_F(HandOffTest, ImportTurnsTheMenusOffDuringItsDialogAndRefillsOnlyAfterAnImport) {
    selectOneRecipient();
    recordEveryEntry();
    for (int code : {kImportCancelledCode, kImportDoneCode}) {
        SCOPED_TRACE(code);
        const auto before = menuStates();
        bool offMeanwhile = false;
        handOffs().runImportDialog = [&](QWidget*) {
            offMeanwhile = !anySavedItemEnabled();
            addValidPayer("Imported " + std::to_string(code));
            return code;
        };
        window->Import();
        EXPECT_TRUE(offMeanwhile);
        EXPECT_EQ(menuStates(), before);
        const Strings payers = companyRows();
        const bool listed = std::find(payers.begin(), payers.end(), "Imported " + std::to_string(code)) != payers.end();
        EXPECT_EQ(listed, code == kImportDoneCode);
    }
    // Both payers are listed after the import that reported one; the selection held
    // before is kept.
    EXPECT_EQ(companyRows().size(), 3u);
    EXPECT_EQ(session().comp_details->selectedCompanies(), std::vector<int32_t>{0});
}

TEST_F(HandOffTest, IrisTurnsTheMenusOffAndLeavesTheirReturnToItsWindow) {
    selectOneRecipient("IRIS");
    recordEveryEntry();
    const auto before = menuStates();
    bool offMeanwhile = false;
    handOffs().runIrisWindow = [&](QWidget*) { offMeanwhile = !anySavedItemEnabled(); };
    window->IRIS_Action();
    EXPECT_TRUE(offMeanwhile);
    EXPECT_FALSE(anySavedItemEnabled());
    // The window's own restore puts back exactly what was on.
    window->EnableMenuButtons();
    EXPECT_EQ(menuStates(), before);
}

// ---------------------------------------------------------------------------
// New year

TEST_F(HandOffTest, NewYearFromTheMenuClosesTheDatabaseBeforeShowingItsWindow) {
    selectOneRecipient();
    recordEveryEntry();
    bool openWhenMade = true;
    handOffs().makeNewYearWindow = [&](QWidget* parent) {
        openWhenMade = cdb()->IsReady();
        auto made = std::make_unique<QWidget>(parent, Qt::Window);
        made->setObjectName(QStringLiteral("NewYear"));
        return made;
    };
    window->ImportPriorYear();
    EXPECT_FALSE(openWhenMade);
    EXPECT_FALSE(cdb()->IsReady());
    EXPECT_EQ(text("Db_name"), "Not Open");
    auto* shown = window->findChild<QWidget*>(QStringLiteral("NewYear"));
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_FALSE(isRunningModal(shown));
}

TEST_F(HandOffTest, NewYearFromTheContextButtonReopensTheRecentDatabaseAfterMakingTheYear) {
    selectOneRecipient();
    databaseInfo entry;
    entry.setPath(cdb()->GetPath());
    entry.setName("Acme");
    entry.setYear(2025);
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(entry));
    recordEveryEntry();
    bool openMeanwhile = true;
    handOffs().runNewYearWindow = [&](QWidget*) {
        openMeanwhile = cdb()->IsReady();
        return kNewYearMadeCode;
    };
    window->ImportPriorYearBox();
    EXPECT_FALSE(openMeanwhile);
    EXPECT_TRUE(cdb()->IsReady());
    EXPECT_EQ(cdb()->GetPath(), entry.path());
    EXPECT_EQ(text("Db_name"), "Acme - 1099 Year 2025");
}

TEST_F(HandOffTest, NewYearNotMadeLeavesTheWorkCommandsOff) {
    selectOneRecipient();
    recordEveryEntry();
    newYearCode = 1000;
    window->ImportPriorYearBox();
    EXPECT_EQ(calls, Strings{"runNewYearWindow"});
    for (const char* name : {"Backupdatabase", "Admin", "Editprintforms", "Editpage", "SummaryReport",
                             "Mailinglabel", "prntformforRec", "Efile", "IRIS_Outlet", "import",
                             "printformforFilling"})
        EXPECT_FALSE(item(name)->isEnabled()) << name;
    EXPECT_FALSE(companies()->isEnabled());
    EXPECT_FALSE(recipients()->isEnabled());
}

// ---------------------------------------------------------------------------
// Administration and updates

TEST_F(HandOffTest, AdministratorGetsTheAccountDialogAndThenARefresh) {
    selectOneRecipient();
    recordEveryEntry();
    handOffs().runAccountDialog = [&](QWidget*) {
        calls.emplace_back("runAccountDialog");
        item("Efile")->setEnabled(false);   // anything Refresh sets from the open database
    };
    window->Admin_Action();
    EXPECT_EQ(calls, Strings{"runAccountDialog"});
    EXPECT_TRUE(item("Efile")->isEnabled());
}

TEST_F(HandOffTest, BackupRestoreAndCloudDownloadAreHandedOver) {
    selectOneRecipient();
    recordEveryEntry();
    item("Backupdatabase")->trigger();
    item("restoredb")->trigger();
    window->DownloadBackupfromcloud_Action();
    EXPECT_EQ(calls, (Strings{"backup", "restore", "cloudDownload"}));
}

TEST_F(HandOffTest, UpdateCheckRunsForAdministratorsAndUsersNotYetKnown) {
    recordEveryEntry();
    int exits = 0;
    setProcessExit([&](int) { ++exits; });
    for (int type : {1, -1}) {
        SCOPED_TRACE(type);
        session().loginInfo->setUserType(type);
        calls.clear();
        item("actionCheckforUpdates")->trigger();
        EXPECT_EQ(calls, (Strings{"internetAvailable", "latestVersion asked online"}));
    }
    session().loginInfo.reset();
    calls.clear();
    window->CheckforUpdates();
    EXPECT_EQ(calls, (Strings{"internetAvailable", "latestVersion asked online"}));
    // At start-up an ordinary user's check runs too.
    session().loginInfo = std::make_shared<Login_Info>();
    session().loginInfo->setUserType(0);
    calls.clear();
    EXPECT_FALSE(window->CheckForLatestVersion(false, true));
    EXPECT_EQ(calls, (Strings{"internetAvailable", "latestVersion start online"}));
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(scripted->boxes().empty());
}

TEST_F(HandOffTest, AStartedInstallerEndsTheProgramWithStatusOneAndTheDatabaseReleased) {
    selectOneRecipient();
    recordEveryEntry();
    updateAnswer = true;
    std::vector<int> statuses;
    bool openAtExit = true;
    setProcessExit([&](int status) {
        statuses.push_back(status);
        openAtExit = cdb()->IsReady();
    });
    window->CheckforUpdates();
    EXPECT_EQ(statuses, std::vector<int>{1});
    EXPECT_FALSE(openAtExit);
    // The file is no longer marked as in use by a program that is gone.
    CompanyDatabase again;
    ASSERT_TRUE(again.Init(home.file("Acme 2025.db"), false, false, false, "Acme"));
    EXPECT_EQ(again.GetInUseCount(), 0);
    again.Close();
}

// ---------------------------------------------------------------------------
// Help documents and page setup

TEST_F(HandOffTest, HelpDocumentsOpenOnTheDocumentServer) {
    const std::pair<const char*, std::string> documents[] = {
        {"action1099Manual", "/1099/2025/1099Manual.pdf"},
        {"actionQuickStartGuide", "/1099/2025/QuickStartGuide1099.pdf"},
        {"actionCloudBackupInstructions", "/1099/2025/1099CloudBackupInstructions.pdf"},
        {"actionLicenseAgreement", "/1099/2025/License_Agreement.pdf"},
        {"actionEFileRequirements", "/1099/2025/1099-E-File_Requirements.pdf"},
    };
    std::vector<std::string> opened;
    setAddressOpener([&](const std::string& address) {
        opened.push_back(address);
        return true;
    });
    Strings expected;
    for (const auto& [action, path] : documents) {
        item(action)->trigger();
        expected.push_back("https://docs.talvexa.com" + path);
    }
    EXPECT_EQ(opened, expected);
    EXPECT_EQ(std::string(kDocumentServer).rfind("https://", 0), 0u);
    EXPECT_TRUE(scripted->boxes().empty());
}

TEST_F(HandOffTest, AHelpDocumentTheBrowserCannotOpenIsNamedToTheUser) {
    setAddressOpener([](const std::string&) { return false; });
    scripted->answerBox(kMessageAnswerOkYes);
    window->_1099_Manual();
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Unable to open the web browser.");
    EXPECT_NE(boxes[0].details.find("https://docs.talvexa.com/1099/2025/1099Manual.pdf"), std::string::npos);
    EXPECT_EQ(boxes[0].image, kMessageImageError);
}

TEST_F(HandOffTest, PageSetupChangesTheProgramsPrinterWhenAccepted) {
    QPrinter& printer = applicationPrinter();
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    printer.setPageOrientation(QPageLayout::Portrait);
    for (bool accept : {false, true}) {
        SCOPED_TRACE(accept);
        std::string shown;
        {
            ScopedModalResponder responder([&](QWidget& dialog) {
                shown = dialog.objectName().toStdString();
                auto* landscape = dialog.findChild<QRadioButton*>(QStringLiteral("landscape"));
                ASSERT_NE(landscape, nullptr);
                landscape->click();
                auto* buttons = dialog.findChild<QDialogButtonBox*>();
                ASSERT_NE(buttons, nullptr);
                buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
            });
            item("Editpage")->setEnabled(true);
            item("Editpage")->trigger();
        }
        EXPECT_EQ(shown, kPageSetupDialogName);
        EXPECT_EQ(printer.pageLayout().orientation(), accept ? QPageLayout::Landscape : QPageLayout::Portrait);
    }
    printer.setPageOrientation(QPageLayout::Portrait);
}
