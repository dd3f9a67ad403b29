#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QPointer>

#include "core/store/RecipientInfo.h"
#include "ui/main/company_PK_Map.h"
#include "ui/main/recipient_PK_Map.h"

// Opening and closing company databases.
#include <optional>
#include "core/foundation/databaseInfo.h"
#include "ui/database/BoundWindowList.h"

class QAction;
class QMenu;
class QTableView;
class QToolButton;
class TextListModel;
class tvDatabase;
class UpdateCheckThread;
class AboutTalvexa1099;
class MISCFrame;
class NECFrame;
class INTFrame;
class DIVFrame;
class RFrame;
class SFrame;
class CompanyController;
struct ValidationList;
namespace Ui {
class AppDelegate;
}

// The main window: the company list above, the recipient list of the selected
// companies below, the menus and dashboard buttons, and the information line naming
// the open company database. Other windows reach it through company_Refer and call
// back into it after they save (FillCompanyList, SelectCompany, ReselectRecipients,
// Refresh, ...).
//
// What is selected in the two lists is copied into session().comp_details and
// session().recp_details, which every other window reads. Code that selects rows
// itself blocks the selection signals, so only the user's own clicks and keys reach
// Comany_ListBox and Recipient_ListBox.
class AppDelegate : public QMainWindow {
    Q_OBJECT
public:
    explicit AppDelegate(QWidget* parent = nullptr);
    ~AppDelegate() override;

    // ---- start-up and shut-down ----
    // The steps that run once the event loop has started: the reopening of the recent
    // database, the lists, the start of the update check, the information window, the
    // menus.
    void applicationDidFinishLaunching();
    // The program ends: the bound windows close and the open company database closes,
    // losing its in-use mark, whatever the windows answer.
    void applicationWillTerminate();
    // Quit, Close Window and the close box: the bound windows close first, each through
    // its own prompt, then the open company database closes. False, with the database
    // still open, when the user kept a window open; the main window then stays.
    bool windowWillClose();

    // ---- lists and selection ----
    void FillCompanyList();
    // form: a form kind code or an AllForms index (6 stands for 1099-NEC, code 7);
    // status: the AllStatus index.
    void FillRecipientList(int32_t form, int32_t status);
    void SelectCompany();
    void ReselectCompanies();
    void SelectRecipient();
    void ReselectRecipients();
    void UpdateCompanyButtons(int32_t count);
    void UpdateRecipientButtons(int32_t count);
    void UpdateSelectRecipients();
    RecipientInfo IRIS_Selected_Recipients();
    void RefreshCompanyList() {}

    // ---- menus, dashboard and information line ----
    void Refresh();
    void RefreshMenuAndButton();
    void RefreshInfoText();
    void EnableMenus(bool enable);
    void DisableMenuItems();
    void toolsandsort();
    void DisableMenuButtons();
    void EnableMenuButtons();
    void DisabledashBoardButtons();
    void EnableDashboardButtons();

    // The first-run welcome: with the flag, the quick start guide in the browser; then
    // the "Quick Start" box, whose steps start a new year for a user of an earlier year
    // (session().isExistingUser) and a new company otherwise.
    void DoFirstRun(bool flag);
    static const char kQuickStartPath[];
    static std::string quickStartText(bool existingUser);

    // ---- company databases (filled in by the database-opening work) ----
    bool OpenRecentDatabase(int32_t first, int32_t second, bool third);
    bool CloseFrames();

    // ---- commands that hand work to other windows ----
    // The check on the window's thread: from the menu (askedByUser, which first stops a
    // start-up check still running), or silent without askedByUser.
    bool CheckForLatestVersion(bool askedByUser, bool internet);
    // The start-up check, off the window's thread: what it has to show comes on the
    // window's thread when it ends, once no other window runs modally.
    void startLaunchUpdateCheck();
    // Stops a start-up check that is still running; it shows nothing then.
    void stopLaunchUpdateCheck();
    bool launchUpdateCheckRunning() const { return launchCheck_ != nullptr; }
    bool CreateDatabase();
    void ImportPriorYearBox();

    // ---- state read by other windows and by tests ----
    int32_t context() const { return context_; }
    int32_t CompanySort() const { return CompanySort_; }
    int32_t recipientSort() const { return recipientSort_; }
    const std::string& companyFilterString() const { return companyFilterString_; }
    const std::vector<std::string>& CompanyVec() const { return CompanyVec_; }
    const std::vector<std::string>& Recvec() const { return Recvec_; }
    const std::vector<company_PK_Map>& Company_PTL() const { return Company_PTL_; }
    const std::vector<recipient_PK_Map>& Recipient_PTL() const { return Recipient_PTL_; }
    QToolButton* addRecipientButton() const { return addRecipientButton_; }
    QToolButton* addCompanyButton() const { return addCompanyButton_; }
    QToolButton* printRecipientButton() const { return printRecipientButton_; }
    QToolButton* printCompanyButton() const { return printCompanyButton_; }

public slots:
    // Table actions.
    void Comany_ListBox();
    void Recipient_ListBox();

    // Filters.
    void CompanyFilter_Action();
    void RecipientFilter_Action();
    void RecipientTypeChoice();
    void RecipientAllStatus();

    // Sort menu.
    void Sortcomapyascending();
    void CompanyDescending_ACtion();
    void RecipientAscending_Action();
    void RecipientDescending_Action();

    void Context_Btn();
    void HideTalvexa_Action() {}

    // About window.
    void AboutTalvexa1099();

    // Record commands (AppDelegateRecords.cpp).
    void NewCompany();
    void UpdateCompany();
    void DeleteCompanyButton();
    void NewRecipient();
    void UpdateRecipient_Action();
    void DeleteRecipient();
    void CopyRecipient();

    // Commands whose windows are built elsewhere.
    void OpenDadabase_Filemenu();
    void DatabaseManager();
    void CreateDatabase(QObject* sender);
    void CloseDatabase();
    void PrintformsforRecipient();
    void PrintformsforFilling();
    void MailingLabels();
    void SummaryReport();
    void EFile();
    void IRIS_Action();
    void Import();
    void ImportPriorYear();
    void Admin_Action();
    void BackupDatabse_Action();
    void RestoreDatabase_Action();
    void DownloadBackupfromcloud_Action();
    void Editprintforms_Action();
    void EditPage_Action();
    void CheckforUpdates();
    void _1099_Manual();
    void Quick_StartGuid();
    void _1099_CloudBackup_Instr();
    void License_Agreement();
    void EFile_Requirements();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applicationWillFinishLaunching();
    void wireActions();
    void wireEditMenu();
    void makeToolbar();

    int selectedRowCount(const QTableView* table) const;
    std::vector<int> selectedRows(const QTableView* table) const;
    // Reloads a table from its row texts, keeping the selected rows that still exist.
    void reloadData(QTableView* table, TextListModel* model);
    void selectOnlyRow(QTableView* table, int row);
    void deselectAll(QTableView* table);
    int allStatusIndex() const;
    int allFormsIndex() const;
    bool databaseIsOpen() const;
    void setMenuEnabled(QMenu* menu, bool enable);

    Ui::AppDelegate* ui;
    std::unique_ptr<tvDatabase> mes_view;

    // Row texts and the row maps; row i of a table is entry i of both.
    std::vector<std::string> CompanyVec_;
    std::vector<std::string> Recvec_;
    std::vector<company_PK_Map> Company_PTL_;
    std::vector<recipient_PK_Map> Recipient_PTL_;
    company_PK_Map theCompanyPKMap;
    recipient_PK_Map theRecPKMap;
    TextListModel* companyModel = nullptr;
    TextListModel* recipientModel = nullptr;

    std::string companyFilterString_;
    int32_t CompanySort_ = 0;
    int32_t recipientSort_ = 0;
    // The read, form kind and filing status the recipient rows shown come from (0: none).
    uint64_t drawnRead_ = 0;
    int32_t drawnForm_ = 0;
    int32_t drawnStatus_ = 0;
    int32_t context_ = 0;

    // Owned buttons of the toolbar.
    QToolButton* addRecipientButton_ = nullptr;
    QToolButton* addCompanyButton_ = nullptr;
    QToolButton* printRecipientButton_ = nullptr;
    QToolButton* printCompanyButton_ = nullptr;

    // Windows kept while open.
    std::unique_ptr<::AboutTalvexa1099> about1099;

    // Enabled states saved by DisableMenuButtons and DisabledashBoardButtons.
    struct SavedMenuItems {
        bool isCreatedatabase = false, isimport = false, isimportprioryear = false, isDatabaseManager = false,
             isClosedb = false, isOpenDb_TextFilemenu = false, isEfile = false, isIRIS = false,
             isSummaryReport = false, isMailinglabel = false, isprntformforRec = false,
             isprintformforFilling = false;
    } savedMenu;
    struct SavedDashboard {
        bool isUpdateCompany_B = false, isContext_B = false, isDeleteCompany_Button = false,
             isCompanyFilter_Button = false, isCompanyFilter_Text = false, isRecipientfilter_Button = false,
             isRecipientFilter_Text = false, isAllForms = false, isAllStatus = false,
             isUpdateRecipient_Button = false, isNewRecipient_Button = false, isDeleteRecipient_Button = false,
             isCopyRecipient_Button = false, isNewCompany_Button = false, isRecipientsOf = false,
             iscompsel = false;
    } savedDashboard;

    // ==== opening and closing company databases (AppDelegateDatabase.cpp) ====
public:
    bool FilemenuOpenDB();
    // Runs the database manager box until the user opens a database (its entry) or
    // closes the box (an empty entry).
    databaseInfo DatabaseManagerBox();
    // Opens the given database, or the one chosen in the database manager for nullopt;
    // second and third are not read. True when it is open and the user logged in.
    bool OpenDatabase(std::optional<databaseInfo> entry, int32_t second, bool third);
    // Closes the open company database after every bound window has closed; false, with
    // the database still open, when one of them stays open.
    bool CloseDatabase(bool backupStep, bool makeCopy);
    void PromptForBackup(bool makeCopy, bool unused);
    bool CloseCompany();
    // The open-database chooser: true with the chosen entry after Open; index is set to -1.
    bool OpendatabaseSelection(std::optional<databaseInfo>& chosen, int32_t& index, int32_t, int32_t, bool, bool);
    bool CompanySelectionBox(std::optional<databaseInfo>& chosen, int32_t& index, int32_t, int32_t, bool, bool);
    databaseInfo OpendatabaseDialogBox();
    // The windows bound to the open company database; each joins when it opens.
    BoundWindowList& boundWindows() { return boundWindows_; }

    // ---- recipient entry windows: one per form kind while it is open; each window
    // clears its reference when it closes (AppDelegateEntryWindows.cpp) ----
    MISCFrame* Miscframe() const;
    void setMiscframe(MISCFrame* window);
    NECFrame* NECframe() const;
    void setNECframe(NECFrame* window);
    INTFrame* Int() const;
    void setInt(INTFrame* window);
    DIVFrame* Div() const;
    void setDiv(DIVFrame* window);
    RFrame* Rframe() const;
    void setRframe(RFrame* window);
    SFrame* Sframe() const;
    void setSframe(SFrame* window);
    // When an entry window has closed: the keyboard goes back to the recipient list, on
    // the row of the recipient (key and form kind) when it is listed, else to the list as
    // it stands (key -1: nothing was saved).
    void focusRecipientList(int32_t key, int32_t kind);

    // ---- the payer window and the entry windows (AppDelegateEntryWindows.cpp) ----
    // Mode 1 with kind 1 shows the payer window; any other mode shows the entry window
    // of the form kind code and then refills the lists. A window already open is
    // brought forward as it is; one that is not open is made on the selection holders.
    void Open1099Dialog(int32_t mode, int32_t kind);
    // The payer window while it is open.
    CompanyController* companycontrol() const;
    void setCompanycontrol(CompanyController* window);
    // The form kind of the listed recipient with that key; 1 (1099-MISC) when no row
    // of the recipient list holds it.
    int32_t listedRecipientKind(int32_t key) const;

private:
    QPointer<MISCFrame> Miscframe_;
    QPointer<NECFrame> NECframe_;
    QPointer<INTFrame> Int_;
    QPointer<DIVFrame> Div_;
    QPointer<RFrame> Rframe_;
    QPointer<SFrame> Sframe_;
    QPointer<CompanyController> companycontroller_;

    void reopenConfigurationDatabase();
    bool loginStep();
    void showOpenedDatabase();
    BoundWindowList boundWindows_;

    // ==== commands handed to other windows (AppDelegateCommands.cpp) ====
public:
    // The selected payers and recipients that are not valid, as the print commands list them.
    ValidationList checkSelectedForErrors();
    // The import dialog's run, with the menus off meanwhile; the lists are refilled when
    // something was imported.
    void importEvent();

private:
    // Shows the window kept in `kept`, first making it with `make` when there is none.
    // The window is released once it has been closed.
    void showBeside(std::unique_ptr<QWidget>& kept, const std::function<std::unique_ptr<QWidget>(QWidget*)>& make);
    void refillRecipientsAfterPrinting();
    void openHelpDocument(const char* path);

    // Windows beside the main window, kept while open.
    std::unique_ptr<QWidget> Efileframecontroller;
    std::unique_ptr<QWidget> Importprioryear;

    void finishLaunchUpdateCheck(int run, const std::function<bool()>& last);
    std::unique_ptr<UpdateCheckThread> launchCheck_;
    int launchCheckRun_ = 0;
};

// The main window, for every window that calls back into it; null before it is made
// and after the program ends.
extern AppDelegate* company_Refer;
