#include "ui/newyear/ImportPriorYear.h"

#include <set>

#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeySequence>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/UseUnderscoresInDatabasePath.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/Utils.h"
#include "core/foundation/tvDatabase.h"
#include "core/newyear/CloseYear.h"
#include "core/newyear/PriorYearFile.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Startup.h"
#include "platform/FileSystem.h"
#include "ui/main/AppDelegate.h"
#include "ui/main/TextListModel.h"
#include "ui/newyear/FindPriorYearDatabase.h"
#include "ui/support/ModalLoop.h"
#include "ui_ImportPriorYear.h"

namespace {

std::shared_ptr<AppDatabase> appDatabase() {
    const Session& s = session();
    return s.DBH ? s.DBH->appDatabase() : nullptr;
}

std::string rowText(const databaseInfo& entry) {
    return std::string(entry.imported() ? "* " : " ") + std::to_string(entry.year()) + "       " + entry.name();
}

}  // namespace

ImportPriorYear::ImportPriorYear(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::ImportPriorYear>()) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("ImportPriorYear"));
    ImportPriorYearDialog_TxtPath = ui_->ImportPriorYearDialog_TxtPath;
    importprioryear_listbox = ui_->importprioryear_listbox;
    Priorcomp_listAction = ui_->Priorcomp_listAction;
    Adddatabase_list = ui_->Adddatabase_list;
    Finddatabase = ui_->Finddatabase;
    Removefromlist = ui_->Removefromlist;
    StartNewYear = ui_->StartNewYear;
    Close = ui_->Close;

    dbInfo.Nullify();
    useUnderScores = UseUnderscoresInDatabasePath();
    LoadPriorYearDatabaseList();

    listModel_ = new TextListModel(&rows_, tr("Prior Year Databases"), this);
    companyModel_ = new TextListModel(&compVec, tr("Companies"), this);
    importprioryear_listbox->setModel(listModel_);
    Priorcomp_listAction->setModel(companyModel_);
    for (QTableView* table : {importprioryear_listbox, Priorcomp_listAction}) {
        table->horizontalHeader()->setStretchLastSection(true);
        table->setWordWrap(false);
        table->installEventFilter(this);
    }
    importprioryear_listbox->viewport()->installEventFilter(this);

    connect(importprioryear_listbox, &QTableView::clicked, this, &ImportPriorYear::importlistbox_Action);
    // A row chosen with the keys or by a click on another row: the click that follows a
    // change is that change's own, not a second click on the row.
    connect(importprioryear_listbox->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const int row = listSelectedRow();
        if (row < 0 || row == selection) return;
        selectedByPress_ = true;
        TableSelMethod(row);
    });
    connect(StartNewYear, &QPushButton::clicked, this, &ImportPriorYear::StartNewYear_clicked);
    connect(Adddatabase_list, &QPushButton::clicked, this, &ImportPriorYear::AddDB_List);
    connect(Finddatabase, &QPushButton::clicked, this, &ImportPriorYear::FindDB);
    connect(Removefromlist, &QPushButton::clicked, this, &ImportPriorYear::RemoveDB_List);
    connect(Close, &QPushButton::clicked, this, &ImportPriorYear::ImportClose_clicked);

    databaseInfo none;
    none.Nullify();
    RefreshListAndSelect(none);
}

ImportPriorYear::~ImportPriorYear() = default;

std::unique_ptr<QWidget> ImportPriorYear::make(QWidget* parent) {
    auto window = std::make_unique<ImportPriorYear>(parent);
    // Beside the main window: a window of its own, not a sheet over it.
    window->setWindowFlag(Qt::Window, true);
    return window;
}

int ImportPriorYear::runFromMainWindow(QWidget* parent) {
    ImportPriorYear window(parent);
    const int code = runModal(&window);
    return window.replaced_ ? runFromMainWindow(parent) : code;
}

// ---- the list ----

int ImportPriorYear::listSelectedRow() const {
    const QModelIndexList rows = importprioryear_listbox->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ImportPriorYear::selectListRow(int row) {
    QSignalBlocker block(importprioryear_listbox->selectionModel());
    if (row < 0) {
        importprioryear_listbox->clearSelection();
        return;
    }
    const QModelIndex index = listModel_->index(row, 0);
    importprioryear_listbox->selectionModel()->select(index,
                                                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    importprioryear_listbox->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
}

void ImportPriorYear::RefreshListAndSelect(const databaseInfo&) {
    selection = -1;
    const auto app = appDatabase();
    dbVec = app && app->IsReady() ? app->SelectPriorYearList() : std::vector<databaseInfo>{};
    rows_.clear();
    for (const databaseInfo& entry : dbVec) rows_.push_back(rowText(entry));
    listModel_->reload();
    if (listState.findDbFlag) {
        const std::string& other = session().selecteddbname_inFDsearch;
        for (std::size_t i = 0; i < dbVec.size(); ++i)
            if (dbVec[i].path() == listState.selectedtoadd_high || (!other.empty() && dbVec[i].path() == other)) {
                selection = static_cast<int>(i);
                session().SelectDbIndex = selection;
                listState.findDbFlag = false;
                break;
            }
    }
    selectListRow(selection);
    // A row selected here shows its companies as a click on it would.
    if (selection >= 0) loadCompanies(selection);
    RefreshButtonsAndText();
}

void ImportPriorYear::makeDefault(QPushButton* button) {
    for (QPushButton* b : {StartNewYear, Close}) {
        b->setAutoDefault(false);
        b->setDefault(b == button);
    }
}

void ImportPriorYear::RefreshButtonsAndText() {
    dbExists = false;
    dbAccess = false;
    const bool selected = selection >= 0 && static_cast<std::size_t>(selection) < dbVec.size();
    if (!selected) {
        Nullify();
        StartNewYear->setEnabled(false);
        Removefromlist->setEnabled(false);
    } else {
        Removefromlist->setEnabled(true);
        const std::string& path = dbVec[static_cast<std::size_t>(selection)].path();
        dbExists = platform::fileExists(path);
        if (!dbExists)
            tvDatabase::tvMessageBox("Unable to locate the selected databse.",
                                     "The file may have been moved, or deleted. \n\n To resolve this issue, use the "
                                     "'Add Database to List' or 'Locate Database' button to browse for the missing "
                                     "database.",
                                     kMessageStyleOK, "Database Manager", kMessageImageError, false);
        else
            dbAccess = tvDatabase::CanAccessFile(path, true, "Unable to access the selected database.", "");
        StartNewYear->setEnabled(dbExists && dbAccess);
    }
    Adddatabase_list->setText(!selected || dbExists ? tr("&Add Database to List") : tr("&Locate Database"));
    if (selected && dbVec[static_cast<std::size_t>(selection)].imported()) {
        StartNewYear->setText(tr("Restart 2025"));
        makeDefault(Close);
    } else {
        StartNewYear->setText(tr("Start New Year"));
        makeDefault(StartNewYear);
    }
    // Its titles carry no letter of their own; a new title clears the key, so it is given
    // again each time.
    StartNewYear->setShortcut(QKeySequence(Qt::ALT | Qt::Key_S));
    StartNewYear->setToolTip(StartNewYear->shortcut().toString(QKeySequence::NativeText));
    ImportPriorYearDialog_TxtPath->setText(
        selected ? QString::fromStdString(dbVec[static_cast<std::size_t>(selection)].path()) : QString());
}

void ImportPriorYear::loadCompanies(int row) {
    compVec.clear();
    comppk.clear();
    const auto companies = newyear::readPriorCompanies(dbVec[static_cast<std::size_t>(row)].path());
    if (companies)
        for (const auto& company : *companies) {
            compVec.push_back(company.name);
            comppk.push_back(std::to_string(company.key));
        }
    compSelection = -1;
    companyModel_->reload();
}

void ImportPriorYear::TableSelMethod(int row) {
    if (row >= 0 && row != selection && static_cast<std::size_t>(row) < dbVec.size()) {
        if (dbVec[static_cast<std::size_t>(row)].imported()) makeDefault(Close);
        loadCompanies(row);
    } else if (!(row < 0 && selection >= 0)) {
        makeDefault(nullptr);
    }
    if (row == selection && row >= 0) {
        selection = -1;
        selectListRow(-1);
        RefreshButtonsAndText();
    } else if (row >= 0 || selection < 0) {
        selection = row;
        selectListRow(row);
        RefreshButtonsAndText();
    } else {
        selectListRow(selection);
    }
}

void ImportPriorYear::importlistbox_Action(const QModelIndex& index) {
    if (selectedByPress_) {
        selectedByPress_ = false;
        return;
    }
    TableSelMethod(index.isValid() ? index.row() : -1);
}

bool ImportPriorYear::eventFilter(QObject* watched, QEvent* event) {
    if (watched == importprioryear_listbox->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // A click below the rows: the selection stays where it was.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!importprioryear_listbox->indexAt(mouse->position().toPoint()).isValid())
            QTimer::singleShot(0, this, [this] { TableSelMethod(-1); });
    } else if (watched == importprioryear_listbox->viewport() && event->type() == QEvent::MouseButtonPress) {
        selectedByPress_ = false;
    }
    return QDialog::eventFilter(watched, event);
}

// ---- actions ----

void ImportPriorYear::StartNewYear_clicked() {
    RefreshButtonsAndText();
    if (selection >= 0 && dbExists && dbAccess) {
        compsel.clear();
        compksel.clear();
        std::vector<int> rows;
        for (const QModelIndex& index : Priorcomp_listAction->selectionModel()->selectedRows()) rows.push_back(index.row());
        std::sort(rows.begin(), rows.end());
        if (rows.empty())
            for (std::size_t i = 0; i < compVec.size(); ++i) rows.push_back(static_cast<int>(i));
        for (int r : rows) {
            compsel.push_back(compVec[static_cast<std::size_t>(r)]);
            compksel.push_back(comppk[static_cast<std::size_t>(r)]);
        }
        std::set<std::string> seen;
        for (const std::string& name : compsel)
            if (!seen.insert(Utils::compNameTrim(name)).second) {
                AlertRequest alert;
                alert.icon = AlertIcon::Error;
                alert.title = newyear::kStartNewYearTitle;
                alert.message = "Duplicate company is available in the selected company list. Please avoid duplicate "
                                "companies for the import.";
                alert.buttons = {"OK"};
                userInterface().alert(alert);
                return;
            }
        std::vector<int32_t> keys;
        for (const std::string& key : compksel) keys.push_back(std::stoi(key));
        databaseInfo entry = dbVec[static_cast<std::size_t>(selection)];
        newyear::CloseYear(entry, keys, recipientSort);   // it has told the user how it went
        compsel.clear();
    }
    userInterface().openRecentDatabase();
    userInterface().refreshMainWindow();
    endWindow(kStartedCode);
}

void ImportPriorYear::RemoveDB_List() {
    if (selection < 0 || static_cast<std::size_t>(selection) >= dbVec.size()) return;
    const int32_t answer = tvDatabase::tvMessageBox(
        "Remove database from list?",
        "Are you sure you want to remove the selected database from the list?\n\n\nNOTE: This list is automatically "
        "populated with the list of databases from the prior year version of Talvexa 1099. This means that if you "
        "remove a database from this list, it may be automatically added back into the list the next time you open "
        "the 'Start New Year (Import Prior Year)' screen.",
        kMessageStyleYesNo, "Start New Year(Import from Prior Year)", kMessageImagePrompt, false);
    if (answer == kMessageAnswerCloseBox || answer == kMessageAnswerNo) return;
    if (const auto app = appDatabase()) (void)app->DeletePriorYearInfo(dbVec[static_cast<std::size_t>(selection)]);
    selectListRow(-1);
    selection = -1;
    databaseInfo none;
    none.Nullify();
    RefreshListAndSelect(none);
}

void ImportPriorYear::AddDB_List() {
    std::optional<databaseInfo> selected;
    if (selection >= 0 && static_cast<std::size_t>(selection) < dbVec.size())
        selected = dbVec[static_cast<std::size_t>(selection)];
    const newyear::ListChange change = newyear::AddDB_List(listState, selected);
    if (change == newyear::ListChange::ReplaceWindow) {
        replaceWithFresh();
    } else if (change == newyear::ListChange::Refresh) {
        databaseInfo none;
        none.Nullify();
        RefreshListAndSelect(none);
    }
}

void ImportPriorYear::FindDB() {
    listState.findDbFlag = true;
    std::vector<std::string> chosen;
    int code = FindPriorYearDatabase::kAgainCode;
    while (code == FindPriorYearDatabase::kAgainCode) {
        FindPriorYearDatabase finder(this);
        finder.SetDbYear(2024);
        code = runModal(&finder);
        chosen = finder.selected_List1;
    }
    if (code != FindPriorYearDatabase::kAddCode || chosen.empty()) return;
    const newyear::ListChange change = newyear::addFoundDatabases(listState, chosen);
    if (change == newyear::ListChange::ReplaceWindow) {
        replaceWithFresh();
        return;
    }
    if (change == newyear::ListChange::Refresh) {
        databaseInfo none;
        none.Nullify();
        RefreshListAndSelect(none);
        listState.findDbFlag = false;
    }
}

void ImportPriorYear::ImportClose_clicked() {
    if (company_Refer) {
        company_Refer->EnableMenus(true);
        company_Refer->toolsandsort();
    }
    endWindow(kClosedCode);
}

void ImportPriorYear::reject() { ImportClose_clicked(); }

void ImportPriorYear::endWindow(int code) {
    stopModal(this, code);
    ending_ = true;
    close();
}

void ImportPriorYear::closeEvent(QCloseEvent* event) {
    if (!ending_) {
        // The close box takes the Close button's way out.
        if (company_Refer) {
            company_Refer->EnableMenus(true);
            company_Refer->toolsandsort();
        }
        stopModal(this, kClosedCode);
    }
    ending_ = false;
    event->accept();
}

void ImportPriorYear::replaceWithFresh() {
    const bool modal = isRunningModal(this);
    QWidget* parent = parentWidget();
    replaced_ = true;
    endWindow(kClosedCode);
    // A modal run hands over to its opener, which runs the fresh window; a window beside
    // the main window is released once closed, so the fresh one runs after it has gone.
    if (!modal) QTimer::singleShot(0, parent ? static_cast<QObject*>(parent) : qApp, [parent] { runFromMainWindow(parent); });
}
