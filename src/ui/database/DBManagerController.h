#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>

#include "core/foundation/databaseInfo.h"
#include "ui/database/DBList_Model.h"

namespace Ui {
class DatabaseManagerDialog;
}
class DBListTableModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

// The list behind the database manager box: the known company databases of the tax
// year, the selected one (published in session().dbInfo), and the ways databases join
// the list (create, add or locate a file, find). The box makes it when its layout
// loads; it is the source of the box's table and the target of the list's clicks and
// of the create, add/locate, find, rename, move, remove and help buttons.
class DBManagerController : public QObject {
    Q_OBJECT

public:
    DBManagerController(Ui::DatabaseManagerDialog& form, QWidget* window);
    ~DBManagerController() override;

    int numberOfRowsInTableView() const { return static_cast<int>(db_info_list.size()); }

    // Rebuilds the list from the configuration database and selects the given database
    // (a database found or examined while a find runs takes precedence).
    void RefreshListAndSelect(const std::optional<databaseInfo>& entry);
    // Works out the current entry, its flags, the buttons and the path text from Selected.
    void RefreshButtonsAndText();
    // The selection step after a click on a row or a move with the keys.
    void DBManager_List_sel_Method();
    void ShowDatabaseInformation();
    // Looks inside a file on a scratch copy before it joins the list. An entry with an
    // empty name: refused after a message; nullopt: refused (wrong year, or a backup the
    // user chose not to add); otherwise the entry to add (name, path, year, Fed_Id).
    std::optional<databaseInfo> VerifyDatabaseToAdd(const std::string& path, const std::string& caption);
    // May the current entry's file be changed: refuses a missing, inaccessible or open
    // file with a message, and with warn asks about other computers using it.
    bool ConfirmFileChange(bool warn);

    // ---- outlets ----
    QTableView* DbList;
    QLineEdit* DBManger_TxtPath;
    QLabel* Path_Label;
    QPushButton* Create_Button;
    QPushButton* AddDB_List;
    QPushButton* FindDB;
    QPushButton* Rename_DB;
    QPushButton* MoveDB_Button;
    QPushButton* RemoveDB_Button;
    QPushButton* OpenDB_Button;
    QPushButton* CloseDB_Button;
    QPushButton* Help_Button;
    QPushButton* OpenButton;   // the Open button under a second name

    // ---- state ----
    std::vector<databaseInfo> infoVec;
    std::vector<DBList_Model> db_info_list;
    int Selected = -1;
    int lastSelected = -1;
    bool dbExists = false;
    bool dbAccess = false;
    bool dbIsOpen = false;

public slots:
    void DBManger_BtnCrtNewDB();
    void DBManager_BtnAddDb();
    void DBManager_BtnFindDB();
    void DBManager_BtnRenameDB();
    void DBManager_BtnMoveDB();
    void DBManager_BtnRemoveDB();
    void DBManger_BtnHelp();
    void DBManager_List_sel();

private:
    void init();
    // Lists a renamed or moved database in place of its old entry, keeping it the
    // recent database when it was, and selects it.
    void replaceEntry(const databaseInfo& old, const databaseInfo& changed);
    void selectRow(int row);
    void deselectAll();
    int tableSelectedRow() const;
    // Reloads the table and keeps its selected row.
    void reloadTable();
    // Makes the create button (empty list) or the Open button the Return-key button.
    void setReturnKeyButton(QPushButton* button);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QWidget* window_;
    DBListTableModel* model_;
    // The table's viewport, whose clicks the filter looks at. Kept apart from the table
    // so that events sent while the table is being destroyed are recognised without
    // touching it.
    QPointer<QWidget> listViewport_;
};
