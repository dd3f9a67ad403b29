#pragma once

#include <memory>

#include <QDialog>

#include "core/foundation/databaseInfo.h"

namespace Ui {
class DatabaseManagerDialog;
}
class DBManagerController;
class QLineEdit;
class QPushButton;
class QTableView;

// The database manager box: the modal window in which the user picks the company
// database to open and keeps the list of known databases. Its list controller
// (DBManagerController) is made with the window and owns the list and every button
// but Open and Close. Open ends the run with kOpenCode (GetDatabaseInfo is then the
// chosen database); Close, the close box and Escape end it with kCloseCode.
class DatabaseManagerDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kOpenCode = 1235;
    static constexpr int kCloseCode = 1010;

    explicit DatabaseManagerDialog(QWidget* parent = nullptr);
    ~DatabaseManagerDialog() override;

    // The current entry (session().dbInfo); null when no row is selected.
    std::shared_ptr<databaseInfo> GetDatabaseInfo() const;
    DBManagerController* controller() const { return controller_; }

    // ---- outlets: the controls that the list controller names otherwise ----
    QTableView* Tbl_DB;
    QLineEdit* Db_Path_Txt;
    QPushButton* OpenDB_BTN;
    QPushButton* CreateDbBtn;
    QPushButton* RenameBtn;
    QPushButton* MoveBtn;
    QPushButton* RemoveBtn;
    QPushButton* AdddblistBtn;

public slots:
    void DBManager_BtnOpenDb();
    void DBManager_BtnCloseDB();
    void reject() override;
    // After a key pressed in the list is released: the current entry, buttons and path
    // text from the list's selected row.
    void keyUp();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowDidLoad();
    void fixButtonColumnWidth();

    std::unique_ptr<Ui::DatabaseManagerDialog> ui_;
    DBManagerController* controller_ = nullptr;
    // The key last pressed in the list (0: none since its release).
    int keyPressedInList_ = 0;
};
