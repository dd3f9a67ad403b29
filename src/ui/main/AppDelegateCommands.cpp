// The main window's commands that hand work to windows of their own: company databases,
// printing, filing, import, administration and help.
//
// The printing, filing, import, new-year, administration and update commands check
// their preconditions, refuse with a message when they fail, list the selected records
// that are not valid, and then hand over to the entry of the hand-off table that does
// the work. An entry that is not installed is work this program does not do yet: after
// its refusals the command says so and changes nothing.

#include <cstdlib>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTableView>
#include <QTimer>

#include "core/checks/ValidationList.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/FormErrorList.h"
#include "core/foundation/FormKind.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Preferences.h"
#include "core/foundation/Session.h"
#include "core/foundation/WebAddresses.h"
#include "core/foundation/tvDatabase.h"
#include "core/print/DisplayPDF.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/Recipient.h"
#include "core/update/UpdateCheckThread.h"
#include "ui/database/DatabaseListSupport.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/DatabaseAlert.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/HandOffs.h"
#include "ui/support/NotAvailableYet.h"
#include "ui/support/PageSetup.h"
#include "ui_AppDelegate.h"

namespace {

constexpr const char kProgramTitle[] = "Talvexa 1099 E-File 2025";

// The commands' refusals and warnings: the shared message box with an empty caption,
// OK and the plain image.
void plainMessage(const std::string& details, const std::string& title, bool flag = false) {
    tvDatabase::tvMessageBox("", details, kMessageStyleOK, title, kMessageImagePlain, flag);
}

const char kChooseAFormKindForRecipients[] =
    "Please change the 'All forms' dropdown(just above the recipient list, right of center) to a specific 1099 "
    "type.Then select the recipients you want to print and select the 'Print Recipients' button.";
const char kChooseAFormKindForFiling[] =
    "Please change the 'All forms' dropdown (just above the recipient list, right of center) to a specific 1099 "
    "type.Then select the recipients you want to print and select the 'Print Company' button.";
const char kChooseAFormKindForIris[] =
    "Please change the 'All forms' dropdown (just above the recipient list, right of center) to a specific 1099 "
    "type.Then select the recipients you want to generate IRIS file and select the 'IRIS' button.";

// The alignment warning before printing; the forms printed three to a page (1099-S and
// 1099-NEC) name the 3-up option.
std::string alignmentWarning(int32_t kind) {
    const std::string layout = kind == FormKind::kS || kind == FormKind::kNec ? "(3-up option)" : "(2-up option)";
    return "Warning: Verify the alignment of your printer before printing on pre printed forms. \n\n Print a "
           "Recipient " +
           layout +
           " on a blank piece of paper and hold up to the pre printed form to make sure everything is in its "
           "proper place. \n\n If you need to move something you may edit the placement in the \"Edit, Print "
           "Format screen\". \n\n If you started your year by importing prior year data, you will need to go to "
           "\"Edit, Print Format Screen\" and reset any forms you will be printing. \n\n Importing can overwrite "
           "the new format changes made and needs to be reset.";
}

const char kMixedCorrectionsWarning[] =
    "We noticed that you are attempting to create an E-File with a mix of corrections (the 'Void' or "
    "'Correction' checkbox on a Recipient form is selected), and original files (neither checkbox is selected). "
    "We highly recommend that you create a separate E-File for Corrected forms. Voided forms are left out of "
    "every E-File: a return that was already filed is taken back by a corrected return with every amount zero "
    "(mark it Corrected, not Void, and set its amounts to zero). Mixing these may result in your E-File being "
    "rejected by the FIRE system. Do you still want to generate an E-File from the selected Recipients?";

// The help documents' paths on the document server.
const char kManualPath[] = "/1099/2025/1099Manual.pdf";
const char kQuickStartGuidePath[] = "/1099/2025/QuickStartGuide1099.pdf";
const char kCloudBackupInstructionsPath[] = "/1099/2025/1099CloudBackupInstructions.pdf";
const char kLicenseAgreementPath[] = "/1099/2025/License_Agreement.pdf";
const char kEFileRequirementsPath[] = "/1099/2025/1099-E-File_Requirements.pdf";

bool isOrdinaryUser() {
    const auto& user = session().loginInfo;
    return user && user->getUserType() == 0;
}

// A window kept beside the main window lets go of it once it has been closed (hidden
// by the program, not by minimising), so the next command makes a fresh one.
class ReleaseWhenClosed : public QObject {
public:
    ReleaseWhenClosed(QWidget* window, std::function<void()> release)
        : QObject(window), window_(window), release_(std::move(release)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Hide && !event->spontaneous()) {
            // Checked after the hide has run its course: a window shown again stays.
            QTimer::singleShot(0, this, [this] {
                if (window_ && !window_->isVisible()) release_();
            });
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    std::function<void()> release_;
};

}  // namespace

// ---- helpers of the hand-off commands ----

ValidationList AppDelegate::checkSelectedForErrors() {
    const Session& s = session();
    auto db = sessionCompanyDatabase();
    if (!db || !db->IsReady()) return {};
    return ::checkSelectedForErrors(*db, *s.comp_details, selectedRowCount(ui->Company_Sel), *s.recp_details);
}

void AppDelegate::showBeside(std::unique_ptr<QWidget>& kept,
                             const std::function<std::unique_ptr<QWidget>(QWidget*)>& make) {
    if (!kept) {
        kept = make(this);
        if (!kept) return;
        QWidget* made = kept.get();
        made->installEventFilter(new ReleaseWhenClosed(made, [&kept, made] {
            if (kept.get() == made) kept.release()->deleteLater();
        }));
    }
    kept->show();
    kept->raise();
    kept->activateWindow();
}

void AppDelegate::refillRecipientsAfterPrinting() {
    FillRecipientList(session().type, allStatusIndex());
    // Printing changes the recipients' status: the holders follow what is still selected.
    SelectRecipient();
}

// ---- printing and filing ----

void AppDelegate::PrintformsforRecipient() {
    const int32_t kind = session().type;
    if (kind == 0) {
        plainMessage(kChooseAFormKindForRecipients, "Print Recipients Info");
        return;
    }
    const auto& print = handOffs().printFormsForRecipients;
    if (!print) {
        showNotAvailableYet("Printing forms for recipients");
        return;
    }
    // Closed with OK or the close box alike, the warning lets the printing go on.
    plainMessage(alignmentWarning(kind), "Print Forms for Recipients");
    const ValidationList errors = checkSelectedForErrors();
    if (!errors.complete) return;
    if (!errors.lines.empty() && !showFormErrors(errors.lines)) return;
    print(this);
    refillRecipientsAfterPrinting();
}

void AppDelegate::PrintformsforFilling() {
    const int32_t kind = session().type;
    if (kind == 0) {
        plainMessage(kChooseAFormKindForFiling, "Print Company Info");
        return;
    }
    const auto& print = handOffs().printFormsForFiling;
    if (!print) {
        showNotAvailableYet("Printing forms for filing");
        return;
    }
    plainMessage(alignmentWarning(kind), "Print Forms for Filing");
    const ValidationList errors = checkSelectedForErrors();
    if (!errors.complete) return;
    // The filing copies go on after either answer: the list is for the user's information.
    if (!errors.lines.empty()) (void)showFormErrors(errors.lines);
    print(this);
    refillRecipientsAfterPrinting();
}

void AppDelegate::MailingLabels() {
    const HandOffs& h = handOffs();
    if (!h.mailingLabelSettings || !h.mailingLabelReport) {
        showNotAvailableYet("Printing mailing labels");
        return;
    }
    // The labels are those of a payer: without one there is nothing to ask about.
    if (!DisplayPDF::payerSelected()) return;
    const int32_t answer = tvDatabase::tvMessageBox("Label Preference Change?",
                                                    "Do you want to change the label preferences?",
                                                    kMessageStyleYesNo, kProgramTitle, kMessageImagePrompt, true);
    if (answer == kMessageAnswerNo) {
        h.mailingLabelReport(this);
    } else if (answer == kMessageAnswerOkYes) {
        // Save stores the settings and prints nothing; Cancel has printed the labels
        // itself, and Restore prints nothing.
        if (h.mailingLabelSettings(this) == kLabelSettingsSavedCode) h.mailingLabelReport(this);
    }
}

void AppDelegate::SummaryReport() {
    const auto& report = handOffs().summaryReport;
    if (!report) {
        showNotAvailableYet("The summary report");
        return;
    }
    report(this);
}

void AppDelegate::Editprintforms_Action() {
    const auto& edit = handOffs().editPrintLayouts;
    if (!edit) {
        showNotAvailableYet("Editing the print layouts");
        return;
    }
    edit(this);
}

void AppDelegate::EditPage_Action() { runPageSetup(this); }

void AppDelegate::EFile() {
    const Session& s = session();
    if (s.recp_details->selectedRecipients().empty()) {
        plainMessage("To generate an E-File, please select one or more Recipients", "Error");
        return;
    }
    auto db = sessionCompanyDatabase();
    if (!db || !db->IsReady()) return;
    const std::string filing = selectionFilingType(*db, *s.recp_details);
    if (!filing.empty() && filing != "FIRE" && filing != "IRIS") {
        plainMessage("To submit through FIRE, please review the company information and change it to FIRE.",
               "Payer Information");
        return;
    }
    const auto& make = handOffs().makeEFileWindow;
    if (!make) {
        showNotAvailableYet("Creating a FIRE e-file");
        return;
    }

    const EFileValidationList errors =
        checkEFileSelection(*db, *s.comp_details, selectedRowCount(ui->Company_Sel), *s.recp_details);
    if (!errors.complete) return;
    if (!errors.lines.empty() && !showFormErrors(errors.lines)) return;
    if (errors.mixesCorrections) {
        constexpr size_t kYes = 1;
        const int pressed = runDatabaseAlert(this, IconKind::Plain, "Warning", kMixedCorrectionsWarning, "",
                                             {"No", "Yes"}, true, kYes);
        if (pressed != static_cast<int>(kYes)) return;
    }
    showBeside(Efileframecontroller, make);
}

void AppDelegate::IRIS_Action() {
    const Session& s = session();
    if (s.type == 0) {
        plainMessage(kChooseAFormKindForIris, "IRIS");
        return;
    }
    if (s.recp_details->selectedRecipients().empty()) {
        plainMessage("To generate an IRIS, please select one or more Recipients.", "Error");
        return;
    }
    auto db = sessionCompanyDatabase();
    if (!db || !db->IsReady()) return;
    const std::string filing = selectionFilingType(*db, *s.recp_details);
    if (!filing.empty() && filing != "IRIS") {
        plainMessage("To submit through IRIS, please review the company information and change Filing Method to IRIS.",
               "Payer Information");
        return;
    }
    const auto& run = handOffs().runIrisWindow;
    if (!run) {
        showNotAvailableYet("Creating IRIS files");
        return;
    }
    DisableMenuButtons();
    // The window puts the menus back itself when it ends.
    run(this);
}

// ---- import and new year ----

namespace {

// Reopens the configuration database on its own path; true when that was needed
// (it was not ready or no company database is open).
bool reopenConfigurationIfClosed() {
    auto app = sessionAppDatabase();
    auto company = sessionCompanyDatabase();
    if (!app || (session().appDBReady && company && company->IsReady())) return false;
    const std::string path = app->GetPath();
    if (!path.empty()) (void)app->Init(path, false);   // an open that fails has told the user
    return true;
}

}  // namespace

void AppDelegate::Import() {
    if (!handOffs().runImportDialog) {
        showNotAvailableYet("Importing recipients and payers");
        return;
    }
    reopenConfigurationIfClosed();
    importEvent();
    EnableMenuButtons();
}

void AppDelegate::importEvent() {
    DisableMenuButtons();
    if (handOffs().runImportDialog(this) != kImportDoneCode) return;
    // Refilled as after any change of payers and recipients: the lists, then the
    // selection, then the holders.
    FillCompanyList();
    ReselectCompanies();
    FillRecipientList(session().type, allStatusIndex());
    ReselectRecipients();
}

void AppDelegate::ImportPriorYear() {
    const auto& make = handOffs().makeNewYearWindow;
    if (!make) {
        showNotAvailableYet("Starting a new year");
        return;
    }
    const Session& s = session();
    auto company = sessionCompanyDatabase();
    bool reopened = false;
    if (s.appDBReady && company && company->IsReady()) {
        const bool remindBackup = s.Prefs && std::atoi(s.Prefs->remindBackup().value_or("0").c_str()) > 0;
        // A window whose user keeps it open keeps the database open: the new year waits.
        if (!CloseDatabase(remindBackup, false)) return;
    } else {
        reopened = reopenConfigurationIfClosed();
    }
    if (!CloseDatabase(false, false)) return;
    Refresh();
    showBeside(Importprioryear, make);
    if (reopened) reopenConfigurationIfClosed();
}

void AppDelegate::ImportPriorYearBox() {
    const auto& run = handOffs().runNewYearWindow;
    if (!run) {
        showNotAvailableYet("Starting a new year");
        return;
    }
    if (!CloseDatabase(false, false)) return;
    if (run(this) == kNewYearMadeCode) {
        if (auto company = sessionCompanyDatabase()) company->Close();
        OpenRecentDatabase(-1, 0, false);
        Refresh();
        return;
    }
    for (QAction* item : {ui->Backupdatabase, ui->Admin, ui->Editprintforms, ui->Editpage, ui->SummaryReport,
                          ui->Mailinglabel, ui->prntformforRec, ui->Efile, ui->IRIS_Outlet, ui->import,
                          ui->printformforFilling})
        item->setEnabled(false);
    ui->Company_Sel->setEnabled(false);
    ui->Recipient_sel->setEnabled(false);
}

// ---- administration and updates ----

void AppDelegate::Admin_Action() {
    const auto& user = session().loginInfo;
    if (!user || user->getUserType() != 1) {
        plainMessage("Please login as an Administrator to access Admin.", "Administrator Login Required");
        return;
    }
    const auto& run = handOffs().runAccountDialog;
    if (!run) {
        showNotAvailableYet("Managing user accounts");
        return;
    }
    run(this);
    Refresh();
}

void AppDelegate::BackupDatabse_Action() {
    const auto& backup = handOffs().backup;
    if (!backup) {
        showNotAvailableYet("Backing up the company database");
        return;
    }
    backup(this);
}

void AppDelegate::RestoreDatabase_Action() {
    const auto& restore = handOffs().restore;
    if (!restore) {
        showNotAvailableYet("Restoring a backup");
        return;
    }
    restore(this);
}

void AppDelegate::DownloadBackupfromcloud_Action() {
    const auto& download = handOffs().cloudDownload;
    if (!download) {
        showNotAvailableYet("Downloading a backup from the cloud");
        return;
    }
    download(this);
}

void AppDelegate::CheckforUpdates() {
    // The check asks whether the Internet can be reached itself, once it knows it runs.
    if (!CheckForLatestVersion(true, true)) return;
    // A patch installer has started and replaces the program: end as at start-up, the
    // windows closed and the open company database no longer marked in use.
    applicationWillTerminate();
    exitProcess(1);
}

bool AppDelegate::CheckForLatestVersion(bool askedByUser, bool) {
    if (askedByUser && isOrdinaryUser()) {
        plainMessage("Please login as an Administrator to check for updates.", "Restricted", true);
        return false;
    }
    // The user's own check takes the place of a start-up check still under way: both
    // would download to the same file.
    if (askedByUser) stopLaunchUpdateCheck();
    const HandOffs& h = handOffs();
    if (!h.latestVersion) {
        // At start-up there is simply nothing to check.
        if (askedByUser) showNotAvailableYet("Checking for updates");
        return false;
    }
    const bool internet = h.internetAvailable && h.internetAvailable();
    return h.latestVersion(askedByUser, internet);
}

void AppDelegate::startLaunchUpdateCheck() {
    stopLaunchUpdateCheck();
    const auto& prepare = handOffs().launchUpdateCheck;
    if (!prepare) return;
    UpdateCheckSlowStep slow = prepare();
    if (!slow) return;
    const int run = ++launchCheckRun_;
    launchCheck_ = std::make_unique<UpdateCheckThread>(std::move(slow), [this, run](UpdateCheckLastStep last) {
        // On the check's thread: what it found goes to the window's thread.
        QMetaObject::invokeMethod(
            this, [this, run, last = std::move(last)] { finishLaunchUpdateCheck(run, last); }, Qt::QueuedConnection);
    });
}

void AppDelegate::stopLaunchUpdateCheck() {
    ++launchCheckRun_;   // what a stopped check already sent is dropped
    launchCheck_.reset();
}

void AppDelegate::finishLaunchUpdateCheck(int run, const std::function<bool()>& last) {
    if (run != launchCheckRun_ || !launchCheck_) return;
    // An offer must not break into another window's work (a patch closes the database):
    // it waits until the user is back at the main window.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        QTimer::singleShot(250, this, [this, run, last] { finishLaunchUpdateCheck(run, last); });
        return;
    }
    launchCheck_.reset();   // its thread has done its work
    if (!last || !last()) return;
    // A patch installer has started and replaces the program.
    applicationWillTerminate();
    exitProcess(1);
}

// ---- help documents ----

void AppDelegate::openHelpDocument(const char* path) {
    const std::string address = std::string(kDocumentServer) + path;
    openAddressOrExplain(address, "Open this address in your web browser to read the document:\n\n" + address,
                         kProgramTitle);
}

void AppDelegate::_1099_Manual() { openHelpDocument(kManualPath); }
void AppDelegate::Quick_StartGuid() { openHelpDocument(kQuickStartGuidePath); }
void AppDelegate::_1099_CloudBackup_Instr() { openHelpDocument(kCloudBackupInstructionsPath); }
void AppDelegate::License_Agreement() { openHelpDocument(kLicenseAgreementPath); }
void AppDelegate::EFile_Requirements() { openHelpDocument(kEFileRequirementsPath); }
