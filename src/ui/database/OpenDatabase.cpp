#include "ui/database/OpenDatabase.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/foundation/tvDatabase.h"
#include "platform/FileSystem.h"
#include "ui/database/DBListTableModel.h"
#include "ui/database/DatabaseListSupport.h"
#include "ui/support/ModalLoop.h"
#include "ui_OpenDatabase.h"

OpenDatabase::OpenDatabase(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::OpenDatabase>()) {
    ui_->setupUi(this);
    DatabaseSel = ui_->DatabaseSel;
    Database_List = ui_->DatabaseSel;
    DBPath = ui_->DBManger_TxtPath;
    Open_Button = ui_->Open_Button;
    DBManger_TxtPath = ui_->DBManger_TxtPath;
    Path_Label = ui_->Path_Label;
    model_ = new DBListTableModel(&db_info_list, {QStringLiteral("Name")}, this);
    DatabaseSel->setModel(model_);
    connect(DatabaseSel->selectionModel(), &QItemSelectionModel::selectionChanged, this, &OpenDatabase::DB_List);
    connect(Open_Button, &QPushButton::clicked, this, &OpenDatabase::OpenDB);
    connect(ui_->Cancel_Button, &QPushButton::clicked, this, &OpenDatabase::OpenDB_Cancel);
    windowDidLoad();
}

OpenDatabase::~OpenDatabase() = default;

void OpenDatabase::windowDidLoad() {
    DBManger_TxtPath->setReadOnly(true);
    session().dbInfo = std::make_shared<databaseInfo>();
    infoVec.clear();
    db_info_list.clear();
    RefreshListAndSelect(databaseToPreselect());
    if (selection >= 0) RefreshButtonsAndText();
}

void OpenDatabase::deselectAll() {
    {
        const QSignalBlocker blocker(DatabaseSel->selectionModel());
        DatabaseSel->selectionModel()->clearSelection();
    }
    // The table learns of a change through the signals blocked above: it is redrawn.
    DatabaseSel->viewport()->update();
}

void OpenDatabase::RefreshListAndSelect(const std::optional<databaseInfo>& entry) {
    selection = -1;
    db_info_list.clear();
    auto app = sessionAppDatabase();
    infoVec = app && app->isReady() ? app->SelectDatabaseList() : std::vector<databaseInfo>();
    db_info_list = databaseListRows(infoVec);
    for (size_t i = 0; i < infoVec.size(); ++i)
        if (entry && entry->path() == infoVec[i].path()) selection = static_cast<int>(i);
    {
        const QSignalBlocker blocker(DatabaseSel->selectionModel());
        model_->reload();
        if (selection >= 0)
            DatabaseSel->selectionModel()->select(model_->index(selection, 0),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    DatabaseSel->viewport()->update();
    SelectDatabase(selection);
}

void OpenDatabase::SelectDatabase(int row) {
    selection = row;
    dbExists = dbAccess = dbIsOpen = false;
    dbInfo = databaseInfo();
    if (row < 0 || static_cast<size_t>(row) >= infoVec.size()) return;
    dbInfo = infoVec[static_cast<size_t>(row)];
    dbExists = platform::fileExists(dbInfo->path());
    if (!dbExists) {
        deselectAll();
        selection = -1;
        dbInfo.reset();
        return;
    }
    dbAccess = tvDatabase::CanAccessFile(dbInfo->path(), true, "Unable to access the selected database.", "");
    if (!dbAccess) {
        deselectAll();
        selection = -1;
        dbInfo.reset();
        dbExists = false;
        return;
    }
    dbIsOpen = isOpenCompanyDatabase(dbInfo->path());
}

void OpenDatabase::DB_List() {
    const QModelIndexList rows = DatabaseSel->selectionModel()->selectedRows();
    const int row = rows.isEmpty() ? -1 : rows.first().row();
    SelectDatabase(row);
    if (selection >= 0) Open_Button->setDefault(true);
    RefreshButtonsAndText();
}

void OpenDatabase::RefreshButtonsAndText() {
    Session& s = session();
    dbExists = dbAccess = dbIsOpen = false;
    bool shown = false;
    if (selection >= 0 && static_cast<size_t>(selection) < infoVec.size()) {
        s.dbInfo = std::make_shared<databaseInfo>(infoVec[static_cast<size_t>(selection)]);
        dbExists = platform::fileExists(s.dbInfo->path());
        if (dbExists)
            dbAccess =
                tvDatabase::CanAccessFile(s.dbInfo->path(), true, "Unable to access the selected database.", "");
        if (dbExists && dbAccess) {
            dbIsOpen = isOpenCompanyDatabase(s.dbInfo->path());
            DBManger_TxtPath->setText(QString::fromStdString(s.dbInfo->path()));
            shown = true;
        }
    }
    if (!shown) {
        deselectAll();
        dbExists = false;
        s.dbInfo = nullptr;
        DBManger_TxtPath->clear();
    }
    Path_Label->setText(QStringLiteral("Path"));
}

std::shared_ptr<databaseInfo> OpenDatabase::GetSelectedDatabase() const {
    if (selection < 0) return nullptr;
    return session().dbInfo;
}

void OpenDatabase::OpenDB() { stopModal(this, kOpenCode); }

void OpenDatabase::OpenDB_Cancel() { stopModal(this, kCancelCode); }

void OpenDatabase::reject() { OpenDB_Cancel(); }
