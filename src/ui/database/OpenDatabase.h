#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QDialog>

#include "core/foundation/databaseInfo.h"
#include "ui/database/DBList_Model.h"

namespace Ui {
class OpenDatabase;
}
class DBListTableModel;
class QAbstractScrollArea;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// A plain chooser over the list of company databases. Open ends the run with kOpenCode
// (GetDatabaseInfo is then the database of the row selected at that moment, nullopt
// when none is or its file is missing or inaccessible); Cancel, the close box and
// Escape end it with kCancelCode.
class OpenDatabase : public QDialog {
    Q_OBJECT

public:
    static constexpr int kOpenCode = 1234;
    static constexpr int kCancelCode = 10000;

    explicit OpenDatabase(QWidget* parent = nullptr);
    ~OpenDatabase() override;

    int numberOfRowsInTableView() const { return static_cast<int>(db_info_list.size()); }
    // Makes that row the chosen entry (a negative row: none).
    void SelectDatabase(int row);
    void RefreshListAndSelect(const std::optional<databaseInfo>& entry);
    void RefreshButtonsAndText();
    // session().dbInfo, or null when no row is selected.
    std::shared_ptr<databaseInfo> GetSelectedDatabase() const;
    const std::optional<databaseInfo>& GetDatabaseInfo() const { return dbInfo; }

    // ---- outlets ----
    QTableView* DatabaseSel;
    QAbstractScrollArea* Database_List;   // the table's scroll view
    QLineEdit* DBPath;                    // the path text under a second name
    QPushButton* Open_Button;
    QLineEdit* DBManger_TxtPath;
    QLabel* Path_Label;

    // ---- state ----
    std::vector<databaseInfo> infoVec;
    std::vector<DBList_Model> db_info_list;
    std::optional<databaseInfo> dbInfo;   // the chosen entry
    int selection = -1;
    bool dbExists = false;
    bool dbAccess = false;
    bool dbIsOpen = false;

public slots:
    void DB_List();
    void DBCell_Clicked() {}
    void OpenDB();
    void OpenDB_Cancel();
    void reject() override;

private:
    void windowDidLoad();
    void deselectAll();

    std::unique_ptr<Ui::OpenDatabase> ui_;
    DBListTableModel* model_ = nullptr;
};
