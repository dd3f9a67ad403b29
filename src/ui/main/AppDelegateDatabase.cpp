// The main window's company database: choosing it in the database manager, opening it
// with the login, recording it as the recent database, reopening the recent one, and
// closing it with the reset of the main window.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyNameInUse.h"
#include "core/store/Recipient.h"
#include "platform/FileSystem.h"
#include "core/sqlite/DatabaseFileCopy.h"
#include "core/store/DatabaseHolder.h"
#include "ui/database/DatabaseListSupport.h"
#include "ui/database/DatabaseManagerDialog.h"
#include "ui/database/LoginDialog.h"
#include "ui/database/OpenDatabase.h"
#include "ui/company/NewCompanyFrame.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/ModalLoop.h"
#include "ui_AppDelegate.h"

namespace {

// The built-in login of a database without user accounts; name and password alike.
constexpr const char* kDefaultLogin = "Harbour";

constexpr const char* kOpenFailedCaption = "Unable to open database.";
constexpr const char* kProductTitle = "Talvexa 1099 E-File 2025";

}  // namespace

// ---------------------------------------------------------------------------
// Commands

void AppDelegate::reopenConfigurationDatabase() {
    auto app = sessionAppDatabase();
    auto company = sessionCompanyDatabase();
    if (!app) return;
    if (!session().appDBReady || !company || !company->IsReady()) {
        const std::string path = app->GetPath();
        if (!path.empty()) app->Init(path, false);
    }
}

bool AppDelegate::FilemenuOpenDB() {
    reopenConfigurationDatabase();
    return OpenDatabase(std::nullopt, -1, false);
}

void AppDelegate::OpenDadabase_Filemenu() { FilemenuOpenDB(); }

void AppDelegate::DatabaseManager() {
    reopenConfigurationDatabase();
    OpenDatabase(std::nullopt, -1, false);
    Refresh();
    auto company = sessionCompanyDatabase();
    if (!session().appDBReady || !company || !company->IsReady())
        if (auto app = sessionAppDatabase()) app->Close();
}

databaseInfo AppDelegate::DatabaseManagerBox() {
    EnableMenus(false);
    const databaseInfo none;
    session().SelectDbIndex = -1;
    DatabaseManagerDialog box(this);
    int code = runModal(&box);
    for (;;) {
        switch (code) {
        case DatabaseManagerDialog::kOpenCode: {
            const std::shared_ptr<databaseInfo> chosen = box.GetDatabaseInfo();
            EnableMenus(true);
            Refresh();
            return chosen ? *chosen : none;
        }
        // Codes that dialogs and message boxes inside the box may leave behind.
        case 0:   // a dialog that ended as rejected
        case kMessageAnswerOkYes:
        case kMessageAnswerCancel:
        case kMessageAnswerNo:
        case kMessageAnswerCloseBox:   // also the create-database dialog's close box
        case kCreateDatabaseCancelCode:
        case kCreateDatabaseCreatedAltCode:
        case kCreateDatabaseCreatedCode:
            code = runModal(&box);
            continue;
        case DatabaseManagerDialog::kCloseCode:
            Refresh();
            [[fallthrough]];
        default:
            EnableMenus(true);
            Refresh();
            return none;
        }
    }
}

// ---------------------------------------------------------------------------
// Opening

bool AppDelegate::OpenDatabase(std::optional<databaseInfo> given, int32_t, bool) {
    const databaseInfo entry = given ? *given : DatabaseManagerBox();
    auto company = sessionCompanyDatabase();
    auto app = sessionAppDatabase();
    if (!company || !app) return false;

    const std::optional<databaseInfo> previous = openCompanyDatabaseEntry();
    if (previous && previous->path() == entry.path()) return true;
    if (entry.IsNull() || !platform::fileExists(entry.path())) return false;

    const std::string lead = "Unable to open the following 1099 Company Database:\n\n    " + entry.name();
    if (!tvDatabase::CanAccessFile(entry.path(), true, kOpenFailedCaption, lead)) {
        tvDatabase::tvMessageBox(kOpenFailedCaption,
                                 lead +
                                     "\n\nTo resolve this issue, please have a system administrator provide you "
                                     "with Read & Write access for the following directory and all of its "
                                     "contents:\n\n    " +
                                     platform::folderOf(entry.path()),
                                 kMessageStyleOK, "", kMessageImageError, false);
        return false;
    }

    if (!CloseDatabase(false, false)) return false;

    // The database that was open before comes back as it was, for the same user.
    auto restorePrevious = [&] {
        if (previous && platform::fileExists(previous->path()) &&
            company->Init(previous->path(), true, true, false, previous->name()))
            showOpenedDatabase();
    };
    if (!company->Init(entry.path(), true, true, true, entry.name())) {
        restorePrevious();
        return false;
    }

    company->SetBackup(false);
    // An open that cannot be recorded as the recent database would skip the login: it
    // counts as failed, and the recent row still names the previous database.
    if (!app->SetRecentDatabaseInfo(entry)) {
        company->Close();
        restorePrevious();
        return false;
    }
    if (!OpenRecentDatabase(-1, 0, false)) {
        CloseDatabase(false, false);
        restorePrevious();
        return false;
    }

    if (!loginStep()) return false;
    showOpenedDatabase();
    return true;
}

bool AppDelegate::loginStep() {
    Session& s = session();
    auto company = sessionCompanyDatabase();
    s.loginInfo = std::make_shared<Login_Info>();
    bool loggedInThroughDialog = false;
    if (company->hasNonDefaultLogin(false, -1)) {
        LoginDialog login(this);
        const int code = runModal(&login);
        loggedInThroughDialog = code == LoginDialog::kLoggedInCode && login.getValiDLogin();
    } else {
        s.loginInfo->setName(kDefaultLogin);
        s.loginInfo->setPassWord(kDefaultLogin);
        company->getLoginInfo();
    }

    if (s.loginInfo->getUserType() == 1) {
        for (QAction* item : {ui->Admin, ui->Backupdatabase, ui->restoredb, ui->Editprintforms})
            item->setEnabled(true);
        return true;
    }
    ui->Admin->setEnabled(false);
    ui->Backupdatabase->setEnabled(false);
    if (loggedInThroughDialog) return true;
    CloseDatabase(false, false);
    ui->Context_B->setEnabled(true);
    return false;
}

void AppDelegate::showOpenedDatabase() {
    ui->Context_B->setEnabled(false);
    // The recipient list is read once, for the payers selected again; the recipients
    // held before are then looked for in that list.
    Session& s = session();
    const std::vector<int32_t> heldKeys = s.recp_details->selectedRecipients();
    const std::vector<int32_t> heldKinds = s.recp_details->selectedType();
    FillCompanyList();
    ReselectCompanies();
    s.recp_details->setSelectedRecipients(heldKeys);
    s.recp_details->setSelectedType(heldKinds);
    ReselectRecipients();
    Refresh();
}

bool AppDelegate::OpenRecentDatabase(int32_t first, int32_t, bool third) {
    auto app = sessionAppDatabase();
    if (!app || !app->isReady()) return false;
    const std::optional<databaseInfo> recent = app->GetRecentDatabaseInfo();
    if (!recent) return false;
    return OpenDatabase(*recent, first, third);
}

// ---------------------------------------------------------------------------
// Creating

void AppDelegate::CreateDatabase(QObject*) {
    EnableMenus(false);
    CreateDatabase();
    EnableMenus(true);
    Refresh();
}

bool AppDelegate::CreateDatabase() {
    Session& s = session();
    reopenConfigurationDatabase();
    databaseInfo entry = tvDatabase::CreateDatabaseBox();
    ui->AllStatus->setCurrentIndex(0);
    if (entry.IsNull()) {
        Refresh();
        return false;
    }
    auto company = sessionCompanyDatabase();
    if (!OpenDatabase(entry, -2, false) || !company || !company->IsReady()) {
        Refresh();
        return false;
    }
    ui->Context_B->setEnabled(false);

    // From here on the new database stays open, with or without its first company.
    std::string name;
    std::string federalID;
    for (;;) {
        s.CompanyInfoEditflag = false;
        s.ADDInfoEditflag = false;
        const std::optional<std::string> asked = NewCompanyFrame::askCompanyName(this, &federalID);
        if (!asked) {
            Refresh();
            return false;
        }
        if (!asked->empty()) {
            name = *asked;
            break;
        }
        tvDatabase::tvMessageBox("Unable to create new company.",
                                 "Please provide a Company Name. Talvexa 1099 is unable to create a new company "
                                 "without a Company Name.",
                                 kMessageStyleOK, kProductTitle, kMessageImageError, false);
    }
    std::string holder;
    if (CompanyNameInUse(name, &holder)) {
        const int32_t answer = tvDatabase::tvMessageBox(
            "Duplicate Company Warning",
            "A company with the same Company Name is already created in the following database:\n\n    " + holder +
                "\n\nTo avoid duplication issues. we recommend not creating a new company with this name. Do you "
                "still wish to procced?",
            kMessageStyleYesNo, kProductTitle, kMessageImagePrompt, true);
        if (answer == kMessageAnswerNo || answer == kMessageAnswerCloseBox) return false;
    }

    s.comp_details->setModeToNew();
    if (ui->NewCompany_Button->isEnabled()) {
        UpdateCompanyButtons(0);
        ui->NewCompany_Button->setEnabled(false);
        UpdateRecipientButtons(0);
        deselectAll(ui->Recipient_sel);
    }
    ComapnyInfo payer;
    payer.setName(name);
    payer.setTaxID(federalID);
    payer.setCity("");
    entry.setCompanyName(name);
    // The company database has told the user why a payer could not be stored.
    if (!company->insertCompanyInfo(payer)) {
        Refresh();
        return false;
    }
    s.comp_details->setSelectedCompanies({company->getCompanyPK()});
    s.comp_details->setSelectedType({1});
    if (auto app = sessionAppDatabase()) app->UpdateDatabaseInfo(entry);

    FillCompanyList();
    ReselectCompanies();
    FillRecipientList(s.type, allStatusIndex());
    Refresh();
    SelectRecipient();
    return true;
}

// ---------------------------------------------------------------------------
// The open-database chooser

bool AppDelegate::OpendatabaseSelection(std::optional<databaseInfo>& chosen, int32_t& index, int32_t, int32_t, bool,
                                        bool) {
    index = -1;
    ::OpenDatabase chooser(this);
    if (runModal(&chooser) != ::OpenDatabase::kOpenCode) return false;
    chosen = chooser.GetDatabaseInfo();
    return true;
}

bool AppDelegate::CompanySelectionBox(std::optional<databaseInfo>& chosen, int32_t& index, int32_t a, int32_t b,
                                      bool c, bool d) {
    return OpendatabaseSelection(chosen, index, a, b, c, d);
}

databaseInfo AppDelegate::OpendatabaseDialogBox() {
    ::OpenDatabase chooser(this);
    if (runModal(&chooser) != ::OpenDatabase::kOpenCode) return databaseInfo();
    return chooser.GetDatabaseInfo().value_or(databaseInfo());
}

// ---------------------------------------------------------------------------
// Closing

void AppDelegate::CloseDatabase() {
    // A window that the user kept open keeps the database open too.
    if (!CloseDatabase(false, false)) return;
    ui->Context_B->setEnabled(true);
    for (QWidget* control : {static_cast<QWidget*>(ui->CompanyFilter_Button), static_cast<QWidget*>(ui->CompanyFilter_Text),
                             static_cast<QWidget*>(ui->Recipientfilter_Button),
                             static_cast<QWidget*>(ui->RecipientFilter_Text), static_cast<QWidget*>(ui->AllStatus),
                             static_cast<QWidget*>(ui->Company_Sel), static_cast<QWidget*>(ui->Recipient_sel)})
        control->setEnabled(false);
    for (QAction* item : {ui->OpenDb_TextFilemenu, ui->import, ui->importprioryear}) item->setEnabled(true);
    for (QAction* item : {ui->Efile, ui->Mailinglabel, ui->SummaryReport, ui->Admin, ui->Backupdatabase,
                          ui->DownloadBackup, ui->Editprintforms, ui->Editpage, ui->companyascending,
                          ui->CompanyDescending, ui->RecipientAscending, ui->RecipientDescending})
        item->setEnabled(false);
}

bool AppDelegate::CloseDatabase(bool backupStep, bool makeCopy) {
    if (!CloseCompany()) return false;
    if (backupStep) PromptForBackup(makeCopy, false);
    if (auto company = sessionCompanyDatabase()) {
        if (company->IsReady()) company->SetInUse(0);
        company->Close();
    }

    ui->Closedb->setEnabled(false);
    ui->AllStatus->setCurrentIndex(0);
    ui->Context_B->setEnabled(true);
    for (QWidget* control : {static_cast<QWidget*>(ui->CompanyFilter_Button), static_cast<QWidget*>(ui->CompanyFilter_Text),
                             static_cast<QWidget*>(ui->RecipientFilter_Text),
                             static_cast<QWidget*>(ui->Recipientfilter_Button), static_cast<QWidget*>(ui->AllStatus)})
        control->setEnabled(false);
    ui->OpenDb_TextFilemenu->setEnabled(true);
    for (QAction* item : {ui->Efile, ui->IRIS_Outlet, ui->printformforFilling, ui->prntformforRec, ui->Admin,
                          ui->Backupdatabase, ui->DownloadBackup})
        item->setEnabled(false);
    return true;
}

void AppDelegate::PromptForBackup(bool makeCopy, bool) {
    auto company = sessionCompanyDatabase();
    if (!makeCopy || !company || !company->IsReady()) return;
    const std::string path = company->GetPath();
    databaseInfo open;
    open.setName(company->GetName());
    open.setPath(path);
    open.setYear(company->GetYear());
    const std::string name = open.GetBackupName(true);

    TalvexaDir dir;
    dir.SetBaseDir(path);
    dir.SetYear(kDatabaseYear);
    std::string folder = dir.GetAutoBackupsDir();
    if (!platform::isDirectory(folder) && session().configDir) folder = session().configDir->GetAutoBackupsDir();

    if (!platform::fileExists(path)) return;
    company->SetInUse(0);
    company->SetBackup(false);
    copyDatabaseFile(path, folder + "/" + name);   // a copy that fails leaves the database as it is
    company->SetBackup(false);
}

bool AppDelegate::CloseCompany() {
    Session& s = session();
    auto company = sessionCompanyDatabase();
    if (company && company->IsReady()) {
        // The windows close first: a window whose user keeps it open keeps the database
        // open and marked in use.
        if (!CloseFrames()) return false;
        company->SetInUse(0);
    }
    s.OpenFlag = 0;
    s.companyPK = -1;
    s.secPassword = false;

    ui->AllStatus->setCurrentIndex(0);
    ui->Db_name->clear();
    ui->Db_Path->clear();
    ui->Db_Path->setToolTip(QString());
    ui->CompanyFilter_Text->clear();
    ui->RecipientFilter_Text->clear();
    ui->RecipientsOf->setText(QStringLiteral("0 of 0"));
    CompanyVec_.clear();
    Company_PTL_.clear();
    reloadData(ui->Company_Sel, companyModel);
    Recvec_.clear();
    Recipient_PTL_.clear();
    reloadData(ui->Recipient_sel, recipientModel);
    drawnRead_ = 0;

    for (QWidget* control :
         {static_cast<QWidget*>(ui->CompanyFilter_Text), static_cast<QWidget*>(ui->NewCompany_Button),
          static_cast<QWidget*>(ui->NewRecipient_Button), static_cast<QWidget*>(ui->UpdateCompany_B),
          static_cast<QWidget*>(ui->DeleteCompany_Button), static_cast<QWidget*>(ui->UpdateRecipient_Button),
          static_cast<QWidget*>(ui->DeleteRecipient_Button)})
        control->setEnabled(false);
    // The toolbar's twin of New Recipient: no payer can be chosen with the lists empty.
    addRecipientButton_->setEnabled(false);
    ui->Context_B->setEnabled(true);
    ui->Context_B->setDefault(true);
    for (QWidget* control :
         {static_cast<QWidget*>(ui->CopyRecipient_Button), static_cast<QWidget*>(ui->CompanyFilter_Button),
          static_cast<QWidget*>(ui->Recipientfilter_Button), static_cast<QWidget*>(ui->RecipientFilter_Text),
          static_cast<QWidget*>(ui->AllForms), static_cast<QWidget*>(ui->AllStatus)})
        control->setEnabled(false);
    return true;
}

bool AppDelegate::CloseFrames() { return boundWindows_.closeAll(); }
