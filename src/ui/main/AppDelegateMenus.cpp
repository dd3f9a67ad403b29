// The main window's menus, dashboard and information line: which commands are
// offered for the state of the databases, the selection and the logged-in user.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"
#include "core/foundation/databaseInfo.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Recipient.h"
#include "ui/main/AppDelegate.h"
#include "ui_AppDelegate.h"

namespace {

constexpr size_t kLongestPathShown = 128;

std::shared_ptr<AppDatabase> appDatabase() {
    const auto& dbh = session().DBH;
    return dbh ? dbh->appDatabase() : nullptr;
}

std::shared_ptr<CompanyDatabase> companyDatabase() {
    const auto& dbh = session().DBH;
    return dbh ? dbh->companyDatabase() : nullptr;
}

}  // namespace

bool AppDelegate::databaseIsOpen() const {
    auto app = appDatabase();
    auto company = companyDatabase();
    return app && app->IsReady() && company && company->IsReady();
}

void AppDelegate::setMenuEnabled(QMenu* menu, bool enable) { menu->menuAction()->setEnabled(enable); }

void AppDelegate::Refresh() {
    RefreshMenuAndButton();
    RefreshInfoText();
}

void AppDelegate::RefreshMenuAndButton() {
    const bool open = databaseIsOpen();

    bool cloudBackup = false;
    if (open) {
        databaseInfo cloud;
        appDatabase()->GetCloudBackupInfo(cloud);
        cloudBackup = cloud.CloudCheck() == 1;
    }
    ui->DownloadBackup->setEnabled(open && cloudBackup);

    for (QAction* item : {ui->import, ui->Createdatabase, ui->importprioryear}) item->setEnabled(true);
    for (QAction* item : {ui->Efile, ui->IRIS_Outlet, ui->Closedb}) item->setEnabled(open);
    ui->OpenDb_TextFilemenu->setEnabled(!open);

    // User accounts, backup and restore belong to administrators while a database is
    // open; opening as an ordinary user must not hand them back on the next refresh.
    // With no database open they stay offered and explain themselves when chosen.
    const auto& user = session().loginInfo;
    const bool administrator = user && user->getUserType() == 1;
    for (QAction* item : {ui->Backupdatabase, ui->Admin, ui->restoredb}) item->setEnabled(!open || administrator);

    if (selectedRowCount(ui->Company_Sel) > 0) ui->UpdateCompany_B->setEnabled(open);
    if (selectedRowCount(ui->Recipient_sel) > 0) {
        ui->UpdateRecipient_Button->setEnabled(true);
        ui->DeleteRecipient_Button->setEnabled(true);
    }
    for (QAction* item : {ui->SummaryReport, ui->Mailinglabel}) item->setEnabled(open);
    // A filing run prints one payer's forms and its 1096: never offered over several payers.
    ui->printformforFilling->setEnabled(open && selectedRowCount(ui->Company_Sel) <= 1);
    ui->CompanyFilter_Button->setEnabled(false);
    ui->CompanyFilter_Text->setEnabled(false);
    ui->Recipientfilter_Button->setEnabled(open);
    ui->RecipientFilter_Text->setEnabled(open);
    ui->AllForms->setEnabled(open);
    ui->AllStatus->setEnabled(open);
    ui->Company_Sel->setEnabled(open);
    ui->Recipient_sel->setEnabled(open);
    ui->Editprintforms->setEnabled(open);
    // Closing a database turns Page Setup off; opening one offers it again.
    if (open) ui->Editpage->setEnabled(true);
    const auto& recipients = session().recp_details;
    ui->prntformforRec->setEnabled(open && recipients && !recipients->selectedRecipients().empty());
}

void AppDelegate::RefreshInfoText() {
    auto app = appDatabase();
    const bool appReady = app && app->IsReady();
    auto company = companyDatabase();
    const bool open = appReady && company && company->IsReady();
    const size_t priorYearCount = appReady ? app->SelectPriorYearList().size() : 0;

    // Both lines are plain labels, which show "&" as it is: it is not doubled as it
    // would be for a button or a menu item.
    if (open) {
        const std::string name =
            company->GetName() + " - 1099 Year " + Utils::convertIntToString(company->GetYear());
        const std::string fullPath = company->GetPath();
        std::string path = fullPath;
        if (Utils::characterCount(path) > kLongestPathShown) {
            std::u32string points = Utils::toCodePoints(path);
            points.resize(kLongestPathShown);
            path = Utils::fromCodePoints(points) + "...";
        }
        ui->Db_name->setText(QString::fromStdString(name));
        // A narrow window draws the path elided in the middle; the whole path is the tip.
        ui->Db_Path->setText(QString::fromStdString(path));
        ui->Db_Path->setToolTip(QString::fromStdString(fullPath));
    } else {
        ui->Db_name->setText(QStringLiteral("Not Open"));
        ui->Db_Path->setText(QString());
        ui->Db_Path->setToolTip(QString());
    }

    context_ = 0;
    ui->OpenDb_TextFilemenu->setEnabled(!open);
    ui->DatabaseManager->setEnabled(true);
    if (open) {
        context_ = 3;
    } else {
        context_ = priorYearCount == 0 ? 2 : 1;
        if (appReady && !app->SelectDatabaseList().empty()) context_ = 3;
    }

    switch (context_) {
    case 3: ui->Context_B->setText(QStringLiteral("Open Database")); break;
    case 2: ui->Context_B->setText(QStringLiteral("New Company")); break;
    case 1: ui->Context_B->setText(QStringLiteral("Start New Year ") + QStringLiteral("2025") +
                                   QStringLiteral(" (Import Prior Year)"));
            break;
    default: ui->Context_B->setText(QString()); break;
    }
    ui->Context_B->setVisible(context_ != 0);
    if (context_ != 0) ui->Context_B->setDefault(true);
    ui->Context_B->setEnabled(!open);
}

void AppDelegate::EnableMenus(bool enable) {
    for (QMenu* menu : {ui->File_Menu, ui->Edit_Menu, ui->View_Menu, ui->Tool_Menu, ui->Sort_Menu, ui->Help_Menu})
        setMenuEnabled(menu, enable);
    ui->QuitTalvexa1099->setEnabled(enable);
}

void AppDelegate::DisableMenuItems() {
    for (QMenu* menu : {ui->File_Menu, ui->Edit_Menu, ui->Tool_Menu, ui->View_Menu, ui->Sort_Menu, ui->Help_Menu})
        setMenuEnabled(menu, false);
}

void AppDelegate::toolsandsort() {
    ui->Backupdatabase->setEnabled(true);
    ui->Admin->setEnabled(true);
    ui->restoredb->setEnabled(true);
    setMenuEnabled(ui->Sort_Menu, false);
}

namespace {

void saveAndDisable(bool& flag, QAction* item) {
    flag = item->isEnabled();
    item->setEnabled(false);
}

void saveAndDisable(bool& flag, QWidget* control) {
    flag = control->isEnabled();
    control->setEnabled(false);
}

}  // namespace

void AppDelegate::DisableMenuButtons() {
    SavedMenuItems& m = savedMenu;
    saveAndDisable(m.isCreatedatabase, ui->Createdatabase);
    saveAndDisable(m.isimport, ui->import);
    saveAndDisable(m.isimportprioryear, ui->importprioryear);
    saveAndDisable(m.isDatabaseManager, ui->DatabaseManager);
    saveAndDisable(m.isClosedb, ui->Closedb);
    saveAndDisable(m.isOpenDb_TextFilemenu, ui->OpenDb_TextFilemenu);
    saveAndDisable(m.isEfile, ui->Efile);
    saveAndDisable(m.isIRIS, ui->IRIS_Outlet);
    saveAndDisable(m.isSummaryReport, ui->SummaryReport);
    saveAndDisable(m.isMailinglabel, ui->Mailinglabel);
    saveAndDisable(m.isprntformforRec, ui->prntformforRec);
    saveAndDisable(m.isprintformforFilling, ui->printformforFilling);
}

void AppDelegate::EnableMenuButtons() {
    const SavedMenuItems& m = savedMenu;
    const std::pair<bool, QAction*> items[] = {
        {m.isCreatedatabase, ui->Createdatabase},       {m.isimport, ui->import},
        {m.isimportprioryear, ui->importprioryear},     {m.isDatabaseManager, ui->DatabaseManager},
        {m.isClosedb, ui->Closedb},                     {m.isOpenDb_TextFilemenu, ui->OpenDb_TextFilemenu},
        {m.isEfile, ui->Efile},                         {m.isIRIS, ui->IRIS_Outlet},
        {m.isSummaryReport, ui->SummaryReport},         {m.isMailinglabel, ui->Mailinglabel},
        {m.isprntformforRec, ui->prntformforRec},       {m.isprintformforFilling, ui->printformforFilling},
    };
    for (const auto& [wasEnabled, item] : items)
        if (wasEnabled) item->setEnabled(true);
}

void AppDelegate::DisabledashBoardButtons() {
    SavedDashboard& d = savedDashboard;
    saveAndDisable(d.isUpdateCompany_B, ui->UpdateCompany_B);
    saveAndDisable(d.isContext_B, ui->Context_B);
    saveAndDisable(d.isDeleteCompany_Button, ui->DeleteCompany_Button);
    saveAndDisable(d.isCompanyFilter_Button, ui->CompanyFilter_Button);
    saveAndDisable(d.isCompanyFilter_Text, ui->CompanyFilter_Text);
    saveAndDisable(d.isRecipientfilter_Button, ui->Recipientfilter_Button);
    saveAndDisable(d.isRecipientFilter_Text, ui->RecipientFilter_Text);
    saveAndDisable(d.isAllForms, ui->AllForms);
    saveAndDisable(d.isAllStatus, ui->AllStatus);
    saveAndDisable(d.isUpdateRecipient_Button, ui->UpdateRecipient_Button);
    saveAndDisable(d.isNewRecipient_Button, ui->NewRecipient_Button);
    saveAndDisable(d.isDeleteRecipient_Button, ui->DeleteRecipient_Button);
    saveAndDisable(d.isCopyRecipient_Button, ui->CopyRecipient_Button);
    saveAndDisable(d.isNewCompany_Button, ui->NewCompany_Button);
    saveAndDisable(d.isRecipientsOf, ui->RecipientsOf);
    saveAndDisable(d.iscompsel, ui->Company_Sel);
    ui->Recipient_sel->setEnabled(false);
}

void AppDelegate::EnableDashboardButtons() {
    const SavedDashboard& d = savedDashboard;
    // A control that was on when the dashboard was saved comes back as the edit
    // commands leave it: the company commands that start new work stay off.
    const std::pair<bool, QWidget*> restoredOn[] = {
        {d.isUpdateCompany_B, ui->UpdateCompany_B},
        {d.isContext_B, ui->Context_B},
        {d.isRecipientfilter_Button, ui->Recipientfilter_Button},
        {d.isRecipientFilter_Text, ui->RecipientFilter_Text},
        {d.isAllForms, ui->AllForms},
        {d.isAllStatus, ui->AllStatus},
        {d.isUpdateRecipient_Button, ui->UpdateRecipient_Button},
        {d.isNewRecipient_Button, ui->NewRecipient_Button},
        {d.isDeleteRecipient_Button, ui->DeleteRecipient_Button},
        {d.isCopyRecipient_Button, ui->CopyRecipient_Button},
        {d.isRecipientsOf, ui->RecipientsOf},
        {d.iscompsel, ui->Company_Sel},
    };
    for (const auto& [wasEnabled, control] : restoredOn)
        if (wasEnabled) control->setEnabled(true);
    const std::pair<bool, QWidget*> restoredOff[] = {
        {d.isDeleteCompany_Button, ui->DeleteCompany_Button},
        {d.isCompanyFilter_Button, ui->CompanyFilter_Button},
        {d.isCompanyFilter_Text, ui->CompanyFilter_Text},
        {d.isNewCompany_Button, ui->NewCompany_Button},
    };
    for (const auto& [wasEnabled, control] : restoredOff)
        if (wasEnabled) control->setEnabled(false);
}

void AppDelegate::Context_Btn() {
    switch (context_) {
    case 3: DatabaseManager(); break;
    case 2: CreateDatabase(); break;
    case 1:
        ImportPriorYearBox();
        Refresh();
        break;
    default: break;
    }
    EnableMenus(true);
}

// ---- first run ----

const char AppDelegate::kQuickStartPath[] = "/1099/2025/QuickStart.pdf";

std::string AppDelegate::quickStartText(bool existingUser) {
    std::string text =
        "If you're having trouble getting started, or get stuck along the way, be sure to check out the 'Help' "
        "menu for helpful links and downloads such as the Quick Start Guide and 1099 Manual.\n\n";
    if (existingUser) {
        text +=
            "1. Click 'Start New Year 2025 (Import Prior Year)', or choose 'Start New Year (Import Prior Year)' "
            "from the 'File' menu.\n"
            "2. Choose last year's company database and the companies to carry into 2025, then click 'Start "
            "New Year'.\n"
            "3. Open the new 2025 company database and check each payer's information with 'Edit Company'.\n"
            "4. Select a payer and enter this year's recipients with 'New Recipient' or 'Edit Recipient', or "
            "import them with 'Import' from the 'File' menu.\n"
            "5. Print the recipient copies and the filing copies with the 1096 from the 'File' menu, or create "
            "an E-File from the 'Tools' menu.\n\n";
    } else {
        text +=
            "1. Click 'New Company', or choose 'Create Database' from the 'File' menu.\n"
            "2. Name the new company database and enter the name of its first payer company.\n"
            "3. Select the payer and complete its information with 'Edit Company'.\n"
            "4. Enter the payer's recipients with 'New Recipient', or import them with 'Import' from the 'File' "
            "menu.\n"
            "5. Print the recipient copies and the filing copies with the 1096 from the 'File' menu, or create "
            "an E-File from the 'Tools' menu.\n\n";
    }
    text += "Tip: use the 'Print' button to print these steps, or the 'Copy' button to copy them.";
    return text;
}

void AppDelegate::DoFirstRun(bool flag) {
    if (flag) openHelpDocument(kQuickStartPath);
    tvDatabase::tvMessageBox("Quick Start", quickStartText(session().isExistingUser), kMessageStyleOK,
                             "Talvexa 1099", kMessageImageMessage, false);
}
