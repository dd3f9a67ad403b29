#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "core/foundation/databaseInfo.h"
#include "core/newyear/PriorYearList.h"

namespace Ui {
class ImportPriorYear;
}
class QLineEdit;
class QPushButton;
class QTableView;
class TextListModel;

// The Start New Year window: last year's company databases (the prior-year list of
// the configuration database), the companies of the selected one, and the new-year
// roll-over of some or all of them. It also keeps the list: Remove, Add Database to
// List / Locate Database, and Find.
//
// From the main window's menu it stands beside the main window; from the context
// button it runs modally. Start New Year ends it with kStartedCode, Close, the close
// box and Escape with kClosedCode; every way out ends its run (when it has one) and
// closes it. The companies of a database are read through a read-only connection;
// the database itself is only ever read.
class ImportPriorYear : public QDialog {
    Q_OBJECT
public:
    static constexpr int kStartedCode = 1234;
    static constexpr int kClosedCode = 1000;

    explicit ImportPriorYear(QWidget* parent = nullptr);
    ~ImportPriorYear() override;

    // The main window's hand-off entries: a window to stand beside it, and a modal run
    // that returns the end code (that of the fresh window when the first one gave its
    // place to one).
    static std::unique_ptr<QWidget> make(QWidget* parent);
    static int runFromMainWindow(QWidget* parent);

    // ---- outlets ----
    QLineEdit* ImportPriorYearDialog_TxtPath;
    QTableView* importprioryear_listbox;
    QTableView* Priorcomp_listAction;
    QPushButton* Adddatabase_list;
    QPushButton* Finddatabase;
    QPushButton* Removefromlist;
    QPushButton* StartNewYear;
    QPushButton* Close;

    // ---- state ----
    std::vector<databaseInfo> dbVec;
    int selection = -1;
    bool dbExists = false;
    bool dbAccess = false;
    std::vector<std::string> compVec;
    std::vector<std::string> comppk;
    int compSelection = -1;
    std::vector<std::string> compsel;
    std::vector<std::string> compksel;
    databaseInfo dbInfo;
    bool useUnderScores = false;
    int recipientSort = 0;
    newyear::PriorYearListState listState;

    void RefreshListAndSelect(const databaseInfo& entry);
    void RefreshButtonsAndText();
    // The selection step for a click on row R (-1: on no row) or a key that moved it.
    void TableSelMethod(int row);
    void Nullify() { dbInfo.Nullify(); }

public slots:
    void StartNewYear_clicked();
    void AddDB_List();
    void FindDB();
    void RemoveDB_List();
    void ImportClose_clicked();
    void importlistbox_Action(const QModelIndex& index);
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void loadCompanies(int row);
    void makeDefault(QPushButton* button);
    int listSelectedRow() const;
    void selectListRow(int row);
    // Ends the run with code (when there is one) and closes the window.
    void endWindow(int code);
    // The window gives its place to a fresh one, run modally.
    void replaceWithFresh();

    std::unique_ptr<Ui::ImportPriorYear> ui_;
    std::vector<std::string> rows_;
    TextListModel* listModel_ = nullptr;
    TextListModel* companyModel_ = nullptr;
    bool ending_ = false;
    bool replaced_ = false;
    bool selectedByPress_ = false;   // the selection just changed under a press or a key
};
