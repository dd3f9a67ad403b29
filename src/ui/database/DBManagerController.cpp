#include "ui/database/DBManagerController.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

#include "core/admin/DatabaseFileCheck.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "platform/FileSystem.h"
#include "core/foundation/UseUnderscoresInDatabasePath.h"
#include "core/store/DatabaseFiles.h"
#include "core/store/ScratchCopy.h"
#include "ui/database/CommonName.h"
#include "ui/database/DBListTableModel.h"
#include "ui/database/FindDatabase.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/DatabaseAlert.h"
#include "core/sqlite/DatabaseFileCopy.h"
#include "ui/database/DatabaseListSupport.h"
#include "ui/support/FileChoosers.h"
#include "ui_DatabaseManagerDialog.h"

namespace {

constexpr const char* kTitle = "Database Manager";

std::string yearAdvice(int year, const std::string& path) {
    std::string text = "Invalid 1099 Year. Only databases for the year " + std::to_string(kDatabaseYear) +
                       " can be opened with this version of Talvexa 1099.\n\n";
    if (year > kDatabaseYear - 1) {
        text += "Please use Talvexa 1099 ";
    } else {
        text += "If you're trying to start a New Year, please select 'Start New Year (Import Prior Year)' from the "
                "'File' menu.\n\n";
        text += "If you're trying to view prior year information, please use Talvexa 1099 ";
    }
    text += std::to_string(year) + " to open the following database:\n\n    " + path;
    return text;
}

std::string backupAdvice(const std::string& path, const std::string& name) {
    return "The following database to add appears to be a backup of another database:\n\n    " + path +
           "\n\nAdding a backup into the Database Manager is not recommended, only the original database file "
           "should be added to the list.\n\n        If you're trying to restore a database from the selected "
           "backup, please open the original database, then select 'Restore Database' from the 'File' menu.\n\n"
           "    Original Database: " +
           name + "\n\nDo you want to add this database to the Database Manager anyway?";
}

std::string modifyInstructions(const std::string& name) {
    return "If you are the only one who accesses this database, you may safely continue renaming or moving the "
           "database now and ignore the following insructions.\n\n Other users accessing this database from "
           "different computers will need to re-locate this database after renaming or moving.If the database is "
           "being accessed by multiple users, please follow these instructions to succussfully modify this "
           "database file and re-locate it on other computers:\n"
           "    (1) Exit Talvexa 1099 on all other computers that access this database.\n"
           "    (2) Continue modifying the database file from this computer.\n"
           "    (3) For each computer that accesses this database, complete the following steps:\n"
           "    (4) Launch Talvexa 1099 and open the Database Manager from the 'File' menu.\n"
           "    (5) Select the following database from the Database List:\n"
           "        \"" +
           name +
           "\"\n"
           "    (6) Click 'OK' when informed that 1099 is unable to locate the database.\n"
           "    (7) Click the 'Locate Database' button.\n"
           "    (8) Navigate the File Dialog to find the modified database file.\n"
           "    (9) Click 'Open' to finish re-locating the database.\n\n\n"
           "TIP: You can print these instructions by clicking the 'Print' link under the Talvexa logo, or save "
           "them by clicking the 'Copy' link and then pasting the message into your favorite text editor.\n\n"
           "Do you want to continue modifying this database file?";
}

std::optional<databaseInfo> listedEntry(const std::vector<databaseInfo>& list, const std::string& path) {
    for (const databaseInfo& entry : list)
        if (sameFile(entry.path(), path)) return entry;
    return std::nullopt;
}

}  // namespace

DBManagerController::DBManagerController(Ui::DatabaseManagerDialog& form, QWidget* window)
    : QObject(window),
      DbList(form.DbList),
      DBManger_TxtPath(form.DBManger_TxtPath),
      Path_Label(form.Path_Label),
      Create_Button(form.Create_Button),
      AddDB_List(form.AddDB_List),
      FindDB(form.FindDB),
      Rename_DB(form.Rename_DB),
      MoveDB_Button(form.MoveDB_Button),
      RemoveDB_Button(form.RemoveDB_Button),
      OpenDB_Button(form.OpenDB_Button),
      CloseDB_Button(form.CloseDB_Button),
      Help_Button(form.Help_Button),
      OpenButton(form.OpenDB_Button),
      window_(window) {
    model_ = new DBListTableModel(&db_info_list, {QStringLiteral("Name"), QStringLiteral("Year")}, this);
    DbList->setModel(model_);
    DbList->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    DbList->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    listViewport_ = DbList->viewport();
    listViewport_->installEventFilter(this);

    connect(DbList, &QTableView::clicked, this, &DBManagerController::DBManager_List_sel);
    connect(Create_Button, &QPushButton::clicked, this, &DBManagerController::DBManger_BtnCrtNewDB);
    connect(AddDB_List, &QPushButton::clicked, this, &DBManagerController::DBManager_BtnAddDb);
    connect(FindDB, &QPushButton::clicked, this, &DBManagerController::DBManager_BtnFindDB);
    connect(Rename_DB, &QPushButton::clicked, this, &DBManagerController::DBManager_BtnRenameDB);
    connect(MoveDB_Button, &QPushButton::clicked, this, &DBManagerController::DBManager_BtnMoveDB);
    connect(RemoveDB_Button, &QPushButton::clicked, this, &DBManagerController::DBManager_BtnRemoveDB);
    connect(Help_Button, &QPushButton::clicked, this, &DBManagerController::DBManger_BtnHelp);
    init();
}

DBManagerController::~DBManagerController() {
    if (listViewport_) listViewport_->removeEventFilter(this);
}

void DBManagerController::init() {
    infoVec.clear();
    db_info_list.clear();
    session().dbInfo = std::make_shared<databaseInfo>();
    lastSelected = -1;
    RefreshListAndSelect(databaseToPreselect());
    const int row = session().SelectDbIndex;
    if (row >= 0 && row < numberOfRowsInTableView()) {
        selectRow(row);
        Selected = row;
    }
}

// ---------------------------------------------------------------------------
// Table helpers

int DBManagerController::tableSelectedRow() const {
    const QModelIndexList rows = DbList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

// The selection model's signals are left on: the table repaints the rows whose
// selection changed through them, and nothing else listens (the list acts on clicks).
void DBManagerController::selectRow(int row) {
    if (row < 0 || row >= numberOfRowsInTableView()) return;
    QItemSelectionModel* selection = DbList->selectionModel();
    const QModelIndex index = model_->index(row, 0);
    selection->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

void DBManagerController::deselectAll() { DbList->selectionModel()->clearSelection(); }

void DBManagerController::reloadTable() {
    const int row = tableSelectedRow();
    model_->reload();
    selectRow(row);
}

void DBManagerController::setReturnKeyButton(QPushButton* button) {
    Create_Button->setDefault(button == Create_Button);
    OpenDB_Button->setDefault(button == OpenDB_Button);
    button->setFocus();
}

// A click on the list's empty space keeps the selection as it is.
bool DBManagerController::eventFilter(QObject* watched, QEvent* event) {
    if (listViewport_ && watched == listViewport_) {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
            type == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!DbList->indexAt(mouse->position().toPoint()).isValid()) return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// List and selection

void DBManagerController::RefreshListAndSelect(const std::optional<databaseInfo>& entry) {
    Session& s = session();
    Selected = -1;
    db_info_list.clear();
    auto app = sessionAppDatabase();
    infoVec = app && app->isReady() ? app->SelectDatabaseList() : std::vector<databaseInfo>();
    db_info_list = databaseListRows(infoVec);
    model_->reload();

    for (size_t i = 0; i < infoVec.size(); ++i) {
        const std::string& path = infoVec[i].path();
        const int row = static_cast<int>(i);
        if (s.findDb && (path == s.selecteddbname_inFDsearch || path == s.selectedtoadd_high1)) {
            Selected = row;
            selectRow(row);
            s.SelectDbIndex = row;
            s.findDb = false;
        } else if (entry && entry->path() == path) {
            Selected = row;
            selectRow(row);
            s.SelectDbIndex = row;
        }
    }

    if (infoVec.empty()) {
        setReturnKeyButton(Create_Button);
    } else {
        setReturnKeyButton(OpenDB_Button);
    }

    if (Selected < 0 && lastSelected >= 0 && lastSelected < numberOfRowsInTableView()) {
        selectRow(lastSelected);
        Selected = lastSelected;
    }
    reloadTable();
    RefreshButtonsAndText();
}

void DBManagerController::RefreshButtonsAndText() {
    Session& s = session();
    dbExists = dbAccess = dbIsOpen = false;
    const bool selected = Selected >= 0 && static_cast<size_t>(Selected) < infoVec.size();
    if (!selected) {
        s.dbInfo = nullptr;
    } else {
        s.dbInfo = std::make_shared<databaseInfo>(infoVec[static_cast<size_t>(Selected)]);
        const std::string& path = s.dbInfo->path();
        dbExists = platform::fileExists(path);
        if (!dbExists)
            ConfirmFileChange(false);
        else
            dbAccess = tvDatabase::CanAccessFile(path, true, "Unable to access the selected database.", "");
        dbIsOpen = isOpenCompanyDatabase(path);
    }
    Rename_DB->setEnabled(dbExists && dbAccess);
    MoveDB_Button->setEnabled(dbExists && dbAccess);
    OpenDB_Button->setEnabled(dbExists && dbAccess && !dbIsOpen);
    // Removing works on the selected row, whatever state its file is in.
    RemoveDB_Button->setEnabled(selected);

    AddDB_List->setText(selected && !dbExists ? QStringLiteral("Locate Database")
                                              : QStringLiteral("Add Database to List"));
    Path_Label->setText(QStringLiteral("Path"));
    DBManger_TxtPath->setText(s.dbInfo ? QString::fromStdString(s.dbInfo->path()) : QString());

    if (selected) {
        selectRow(Selected);
        lastSelected = Selected;
        reloadTable();
    }
    if (infoVec.empty()) {
        Create_Button->setDefault(true);
    } else {
        Create_Button->setDefault(false);
    }
}

void DBManagerController::DBManager_List_sel() { DBManager_List_sel_Method(); }

void DBManagerController::DBManager_List_sel_Method() {
    Selected = tableSelectedRow();
    if (Selected < 0 && lastSelected >= 0 && lastSelected < numberOfRowsInTableView()) {
        selectRow(lastSelected);
        Selected = lastSelected;
        RefreshButtonsAndText();
        lastSelected = Selected;
    } else if (Selected == lastSelected) {
        // A second click on the selected row clears the selection.
        Selected = -1;
        lastSelected = -1;
        deselectAll();
        RefreshButtonsAndText();
    } else {
        OpenButton->setDefault(true);
        RefreshButtonsAndText();
        lastSelected = Selected;
    }
}

// ---------------------------------------------------------------------------
// Buttons

void DBManagerController::DBManger_BtnCrtNewDB() {
    const databaseInfo created = tvDatabase::CreateDatabaseBox();
    if (!created.name().empty()) RefreshListAndSelect(created);
}

void DBManagerController::DBManger_BtnHelp() { ShowDatabaseInformation(); }

void DBManagerController::ShowDatabaseInformation() {
    tvDatabase::ShowDatabaseHelp("", kTitle, "");
    if (!db_info_list.empty())
        OpenDB_Button->setFocus();
    else
        Create_Button->setFocus();
}

void DBManagerController::DBManager_BtnAddDb() {
    Session& s = session();
    const bool locate = Selected >= 0 && !dbExists;
    const std::string caption = locate ? "Unable to locate database." : "Unable to add database to list.";
    const std::shared_ptr<databaseInfo> missing = s.dbInfo;

    const std::string startFolder = s.configDir ? s.configDir->GetDir() : std::string();
    const std::optional<std::string> chosen = chooseOpenFile(window_, "Choose a database file to add in list.",
                                                             startFolder, "1099 Company Database  (*.db)");
    if (!chosen || chosen->empty()) return;
    const std::string path = *chosen;

    auto app = sessionAppDatabase();
    if (!app) return;
    if (!locate) app->SaveFolderPath(2, path);

    auto forgetMissing = [&] {
        if (!locate || !missing) return;
        const std::optional<databaseInfo> recent = recentDatabaseEntry();
        const bool wasRecent = recent && recent->path() == missing->path();
        app->DeleteDatabaseInfo(*missing);
        if (wasRecent) app->SetRecentDatabaseInfo(databaseInfo());
    };

    // A file that is already listed is simply selected: checking it against the list's
    // companies would find its own.
    if (std::optional<databaseInfo> listed = listedEntry(app->SelectDatabaseList(), path)) {
        s.selectedtoadd_high1 = path;
        if (!missing || !sameFile(missing->path(), path)) forgetMissing();
        RefreshListAndSelect(listed);
        return;
    }

    const std::optional<databaseInfo> entry = VerifyDatabaseToAdd(path, caption);
    if (!entry) return;
    if (entry->name().empty()) {
        RefreshListAndSelect(entry);
        s.selectedtoadd_high1 = entry->path();
        return;
    }
    s.selectedtoadd_high1 = entry->path();
    forgetMissing();

    // The same payer in two databases of the list would be imported twice.
    std::vector<ComapnyInfo> companies;
    {
        CompanyDatabase other;
        // A file that cannot be read has no payers to compare; the add reports it later.
        if (other.Init(entry->path(), true, true, true, entry->name(), CompanyDatabase::OpenFailures::quiet))
            companies = other.execCompanyListQuery("", 0);
    }
    {
        const std::vector<databaseInfo> list = app->SelectDatabaseList();
        for (const ComapnyInfo& company : companies) {
            if (company.getName().empty()) continue;
            for (const databaseInfo& listedDb : list) {
                if (listedDb.CompanyName() != company.getName()) continue;
                runDatabaseAlert(window_, IconKind::Error, kTitle,
                                 "Duplicate company is available in the selected company list. Please avoid "
                                 "duplicate companies for the import.",
                                 "", {"OK"}, false);
                if (locate) RefreshListAndSelect(std::nullopt);
                return;
            }
        }
    }

    app->InsertDatabaseInfo(*entry);
    RefreshListAndSelect(entry);
}

void DBManagerController::DBManager_BtnFindDB() {
    Session& s = session();
    s.findDb = true;
    s.selected_list.clear();
    FindDatabase dialog(window_);
    dialog.SetDbYear(kDatabaseYear);
    if (runModal(&dialog) == FindDatabase::kAddCode) {
        const std::vector<std::string> picked = s.selected_list;
        auto app = sessionAppDatabase();
        for (const std::string& path : picked) {
            const std::optional<databaseInfo> entry = VerifyDatabaseToAdd(path, "Unable to add database to list.");
            s.selectedtoadd_high1 = entry ? entry->path() : std::string();
            // Found files join without the check for companies that other databases hold.
            if (entry && !entry->name().empty() && app) app->InsertDatabaseInfo(*entry);
        }
        if (!picked.empty()) RefreshListAndSelect(databaseInfo());
    }
    s.findDb = false;
}

// ---------------------------------------------------------------------------
// Rename, move and remove

void DBManagerController::replaceEntry(const databaseInfo& old, const databaseInfo& changed) {
    auto app = sessionAppDatabase();
    if (!app) return;
    const std::optional<databaseInfo> recent = recentDatabaseEntry();
    const bool wasRecent = recent && sameFile(recent->path(), old.path());
    app->DeleteDatabaseInfo(old);
    app->InsertDatabaseInfo(changed);
    if (wasRecent) app->SetRecentDatabaseInfo(changed);
    RefreshListAndSelect(changed);
}

void DBManagerController::DBManager_BtnRenameDB() {
    if (!session().dbInfo || !ConfirmFileChange(true)) return;
    const databaseInfo old = *session().dbInfo;
    constexpr const char* kCaption = "Unable to rename database.";

    CommonName prompt(window_);
    prompt.loadTitle("Rename Database");
    prompt.setlabelName("New Name");
    prompt.setLength_Txt(kDatabaseNameLimit);
    prompt.setName(old.name());
    if (runModal(&prompt) == CommonName::kCancelCode) return;
    // The stored name and the file name are made from the same cleaned text.
    const std::string name = cleanDatabaseName(prompt.NameEntered());
    if (name.empty()) {
        askUser(kCaption,
                "Please provide a name to rename the database. Talvexa 1099 is unable to rename a database "
                "without a name.",
                kMessageStyleOK, kTitle, kMessageImageError);
        return;
    }
    databaseInfo renamed = old;
    renamed.setName(name);
    std::string refusal;
    if (!renamed.ValidateName(refusal)) {
        askUser(kCaption, refusal, kMessageStyleOK, kTitle, kMessageImageError);
        return;
    }

    // Databases under Documents go into their year folder; others stay in their own.
    const std::string& oldPath = old.path();
    std::string folder = oldPath.substr(0, oldPath.rfind('/') + 1);
    if (oldPath.find("Documents") != std::string::npos) {
        const std::string yearFolder = std::to_string(old.year()) + "/";
        const std::string::size_type at = oldPath.find(yearFolder);
        if (at != std::string::npos) folder = oldPath.substr(0, at + yearFolder.size());
    }
    const std::string newPath = databaseFilePath(folder, name, UseUnderscoresInDatabasePath(), old.year());
    renamed.setPath(newPath);
    const bool samePlace = sameFile(newPath, oldPath);
    // A database kept aside by an interrupted save is put back first: it is another
    // database's only copy, which a file moved onto its name would have the next start
    // discard.
    if (!samePlace && databaseFileExistsAfterPutBack(newPath)) {
        askUser(kCaption,
                "Renaming the database would overwrite another database file. Please choose a different name.",
                kMessageStyleOK, kTitle, kMessageImageError);
        return;
    }
    if (auto app = sessionAppDatabase()) {
        for (const databaseInfo& listed : app->SelectDatabaseList()) {
            if (listed.name() != name || sameFile(listed.path(), oldPath)) continue;
            const int32_t answer = askUser(
                "Warning! Database Name already in use! Continue anyway?",
                "Another database with that name already exists. Talvexa recommends against having multiple "
                "databases with the same name. You may experience unnecessary difficulties by continuing. Continue "
                "renaming database anyway?",
                kMessageStyleYesNo, kTitle, kMessageImageError, true);
            if (answer == kMessageAnswerNo || answer == kMessageAnswerCloseBox) return;
            break;
        }
    }

    {
        CompanyDatabase file;
        if (!file.Init(oldPath, true, true, true, old.name(), CompanyDatabase::OpenFailures::quiet)) {
            askUser(kCaption, "Unable to initialize the database.", kMessageStyleOK, kTitle, kMessageImageError);
            return;
        }
        if (!file.SetName(name)) return;   // a failure is reported by the company database
    }
    if (!samePlace && moveDatabaseFile(oldPath, newPath) == FileMove::failed) {
        // The file keeps the name it is listed under.
        if (platform::fileExists(oldPath)) {
            CompanyDatabase file;
            if (file.Init(oldPath, true, true, true, name, CompanyDatabase::OpenFailures::quiet))
                (void)file.SetName(old.name());   // reported by the company database when it fails
        }
        askUser(kCaption, "Unable to rename the database file.", kMessageStyleOK, kTitle, kMessageImageError);
        return;
    }
    replaceEntry(old, renamed);
}

void DBManagerController::DBManager_BtnMoveDB() {
    if (!session().dbInfo || !ConfirmFileChange(true)) return;
    databaseInfo entry = *session().dbInfo;
    const std::string oldPath = entry.path();
    constexpr const char* kCaption = "Unable to move database.";

    const std::optional<std::string> chosen = chooseFolder(
        window_, "Choose a directory in which to move the selected database", oldPath.substr(0, oldPath.rfind('/')));
    if (!chosen || chosen->empty()) return;
    const std::string base = baseFolderOf(*chosen);
    const std::string yearFolder = yearFolderUnder(*chosen);
    const std::string target = databaseFilePath(yearFolder, entry.name(), UseUnderscoresInDatabasePath(), entry.year());

    if (sameFile(oldPath, target)) {
        askUser("Database already in directory.", "The selected database is already in the selected directory.",
                kMessageStyleOK, kTitle, kMessageImageMessage);
        return;
    }
    if (databaseFileExistsAfterPutBack(target)) {
        askUser("Database already exists.",
                "A database with the same name already exists in the selected directory. If it's not in the "
                "Database List, you can add it to the list with the 'Add Database to List' or 'Locate Database' "
                "button in the Database Manager.",
                kMessageStyleOK, kTitle, kMessageImageMessage);
        return;
    }
    {
        CompanyDatabase file;
        if (!file.Init(oldPath, true, true, true, entry.name(), CompanyDatabase::OpenFailures::quiet)) {
            askUser(kCaption, "Unable to initialize the database.", kMessageStyleOK, kTitle, kMessageImageError);
            return;
        }
    }

    TalvexaDir tree;
    tree.SetBaseDir(base == "/" ? base : base + "/");
    tree.SetYear(kDatabaseYear);
    if (!tree.Init() || !platform::createDirectories(yearFolder)) {
        std::string details =
            "Unable to initialize the Talvexa Directory.\n\n To resolve this issue, please choose a different "
            "directory or have a system administrator provide you with Read & Write access for ";
        if (platform::isDirectory(tree.GetTalvexaDir()))
            details += "the following directory and all of its sub-directories and files:\n\n    " + tree.GetTalvexaDir();
        else if (tree.IsAtRoot())
            details += "the root folder ('/')";
        else
            details += "the following directory:\n\n    " + tree.GetBaseDir();
        askUser(kCaption, details, kMessageStyleOK, kTitle, kMessageImageError);
        return;
    }

    const FileMove moved = moveDatabaseFile(oldPath, target);
    if (moved == FileMove::failed) {
        askUser(kCaption, "Unable to copy the database file to the selected directory.\n\n    " + target,
                kMessageStyleOK, kTitle, kMessageImageError);
        return;
    }
    const databaseInfo old = entry;
    entry.setPath(target);
    replaceEntry(old, entry);
    const std::string caption =
        moved == FileMove::moved
            ? std::string()
            : "The database was successfully copied to the new location, however, Talvexa 1099 was unable to delete "
              "the original file. To avoid confusion, the original file should be manually deleted:\n\n    " +
                  oldPath;
    askUser(caption, "Successfully moved database.", kMessageStyleOK, kTitle, kMessageImageMessage);
}

void DBManagerController::DBManager_BtnRemoveDB() {
    if (Selected < 0 || static_cast<size_t>(Selected) >= infoVec.size()) return;
    const databaseInfo entry = infoVec[static_cast<size_t>(Selected)];
    session().dbInfo = std::make_shared<databaseInfo>(entry);

    const int choice = runDatabaseAlert(window_, IconKind::Prompt, kTitle, "Remove database from list?",
                                        "Are you sure you want to remove the selected database from the list?",
                                        {"Yes", "No"}, true);
    if (choice != 0) return;

    const std::string& path = entry.path();
    if (platform::fileExists(path)) {
        const int32_t also = askUser("Also delete database file?",
                                     "Do you also want to permanently remove the selected database from the disk? "
                                     "This will result in the loss of all company information stored in this "
                                     "database. This operation cannot be undone.",
                                     kMessageStyleYesNoCancel, kTitle, kMessageImagePrompt, true);
        if (also == kMessageAnswerCancel || also == kMessageAnswerCloseBox) return;
        if (also == kMessageAnswerOkYes) {
            bool deleted = false;
            if (ConfirmFileChange(false)) {
                CompanyDatabase file;
                // Opening it makes sure that nobody works in it.
                if (file.Init(path, true, true, true, entry.name(), CompanyDatabase::OpenFailures::quiet)) {
                    file.Close();
                    const int32_t sure = askUser(
                        "Permanently delete?",
                        "We don't mean to be rude, but we want to make sure that you really want to delete this "
                        "database and all associated company information. Continue deleting?",
                        kMessageStyleYesNoCancel, kTitle, kMessageImageError, true);
                    if (sure == kMessageAnswerCancel || sure == kMessageAnswerCloseBox) return;
                    if (sure == kMessageAnswerOkYes) {
                        platform::removePath(path + "-journal");
                        deleted = platform::removePath(path);
                        if (!deleted)
                            askUser("Unable to delete database file.",
                                    "Unable to delete the following file:\n\n    " + path, kMessageStyleOK, kTitle,
                                    kMessageImageError);
                    }
                } else {
                    askUser("Unable to delete database file.",
                            "Unable to initialize the database to verify it is not currently being accessed.",
                            kMessageStyleOK, kTitle, kMessageImageError);
                }
            }
            if (!deleted) {
                const int32_t anyway = askUser("Continue removing database from list anyway?",
                                               "Do you still want to remove the selected database from the list?",
                                               kMessageStyleYesNo, kTitle, kMessageImagePrompt);
                if (anyway == kMessageAnswerNo || anyway == kMessageAnswerCloseBox) return;
            }
        }
    }

    auto app = sessionAppDatabase();
    if (!app) return;
    const std::optional<databaseInfo> recent = recentDatabaseEntry();
    const bool wasRecent = recent && sameFile(recent->path(), path);
    app->DeleteDatabaseInfo(entry);
    if (wasRecent) app->SetRecentDatabaseInfo(databaseInfo());
    lastSelected = Selected = -1;
    session().SelectDbIndex = -1;
    RefreshListAndSelect(std::nullopt);
    deselectAll();
}

// ---------------------------------------------------------------------------
// Checks

std::optional<databaseInfo> DBManagerController::VerifyDatabaseToAdd(const std::string& path,
                                                                     const std::string& caption) {
    const databaseInfo refused;
    if (!tvDatabase::CanAccessFile(path, true, caption, "Unable to access the database file.")) return refused;

    // Removed again on every way out.
    ScratchCopy scratchCopy;
    const std::string& temp = scratchCopy.path();
    if (!tvDatabase::CanAccessFile(temp, true, caption, "Unable to create/access the temporary database file."))
        return refused;

    if (!platform::fileExists(path) || !scratchCopy.copyFrom(path)) {
        scratchCopy.remove();
        // The copy fails on a file that is no database at all; that is not a matter of access.
        if (platform::fileExists(path) && checkDatabaseFile(path).holdsNoDatabase) {
            askUser(caption, "Unable to initialize the following database:\n\n    " + path, kMessageStyleOK, "",
                    kMessageImageError);
            return refused;
        }
        askUser(caption,
                "Unable to copy the database to the temporary initialization location.\n\n  To resolve this "
                "issue, please try again, or have a system administrator provide you with Read & Write access "
                "for the following files:\n\n    " +
                    path + "\n    " + temp,
                kMessageStyleOK, "", kMessageImageError);
        return refused;
    }

    // Another kind of SQLite file (the configuration database, say) is refused before
    // opening it as a company database would try to bring it up to date.
    if (!isCompanyDatabaseFile(temp)) {
        scratchCopy.remove();
        askUser(caption, "The following file is not a Talvexa 1099 company database:\n\n    " + path, kMessageStyleOK,
                kTitle, kMessageImageError);
        return refused;
    }

    databaseInfo entry;
    bool backup = false;
    {
        CompanyDatabase scratch;
        // Refused in this window's own words below.
        bool opened = scratch.Init(temp, false, true, true, kScratchFileName, CompanyDatabase::OpenFailures::quiet);
        if (opened) {
            entry.setName(scratch.GetName());
            entry.setPath(path);
            entry.setYear(scratch.GetYear());
            opened = entry.year() != 0;
        }
        if (!opened) {
            scratch.Close();
            askUser(caption, "Unable to initialize the following database:\n\n    " + path, kMessageStyleOK, "",
                    kMessageImageError);
            return refused;
        }
        // The payer's federal id is kept by the payroll tables; a 1099 file has none ("").
        entry.setFed_Id(scratch.GetFedId());
        backup = scratch.IsBackup();
    }
    scratchCopy.remove();

    if (entry.year() != kDatabaseYear) {
        askUser(caption, yearAdvice(entry.year(), path), kMessageStyleOK, kTitle, kMessageImageError);
        return std::nullopt;
    }
    if (backup) {
        const int32_t answer =
            askUser("Warning! File appears to be a database backup! Continue anyway?", backupAdvice(path, entry.name()),
                    kMessageStyleYesNo, kTitle, kMessageImageError, true);
        if (answer == kMessageAnswerOkYes) return entry;
        return std::nullopt;
    }
    return entry;
}

bool DBManagerController::ConfirmFileChange(bool warn) {
    const std::shared_ptr<databaseInfo> entry = session().dbInfo;
    const std::string path = entry ? entry->path() : std::string();
    if (!platform::fileExists(path)) {
        askUser("Unable to modify database file.",
                "Unable to locate database. The file may have been moved, renamed, or deleted without using "
                "Talvexa 1099.\n\nTo resolve this issue, use the 'Add Database to List' or 'Locate Database' "
                "button to browse for the missing database.",
                kMessageStyleOK, kTitle, kMessageImagePlain);
        return false;
    }
    if (!tvDatabase::CanAccessFile(path, true, "Unable to modify database file.",
                                   "Unable to access the selected database."))
        return false;
    if (isOpenCompanyDatabase(path)) {
        runDatabaseAlert(window_, IconKind::Error, kTitle, "Database must be closed before modifying.",
                         "The currently open database must be closed before the database file can be modified. "
                         "Please close the Database Manager and select 'Close Database' from the 'File' menu "
                         "before modifying the database file.",
                         {"OK"}, true);
        return false;
    }
    if (!warn) return true;
    return askUser("Warning! Modifying database file may be unsafe! Continue anyway?",
                   modifyInstructions(entry->name()), kMessageStyleYesNo, kTitle,
                   kMessageImagePrompt) != kMessageAnswerNo;
}
