#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QDialog>

namespace Ui {
class FindPriorYearDatabase;
}
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class TextListModel;

// The finder of the Start New Year window: searches a folder tree for company
// databases of a year and hands the ones the user selects to the prior-year list.
// Add ends its run with kAddCode (selected_List1 then holds the chosen paths in list
// order); Cancel, the close box and Escape with kCancelCode. The search runs in the
// Find button's action and cannot be cancelled.
class FindPriorYearDatabase : public QDialog {
    Q_OBJECT
public:
    static constexpr int kAddCode = 1234;
    static constexpr int kCancelCode = 10000;
    // An end code that makes the Start New Year window run the finder again.
    static constexpr int kAgainCode = 2;

    explicit FindPriorYearDatabase(QWidget* parent = nullptr);
    ~FindPriorYearDatabase() override;

    void SetDbYear(int dbYear);

    // ---- outlets ----
    QTableView* Findprioryear_listbix;
    QPushButton* Addlist;
    QPushButton* Cancel;
    QPushButton* FindDb;
    QLineEdit* VersionYear;
    QLabel* Text2;

    // ---- state ----
    int year = 2024;
    int lastselected = -1;
    std::vector<std::string> Find_List;
    std::vector<std::string> selected_List1;

public slots:
    void FindPrior_DB();
    void Findlistbox_action();
    void AddPrior_DB();
    void Prior_Cancel();
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void endWindow(int code);

    std::unique_ptr<Ui::FindPriorYearDatabase> ui_;
    TextListModel* model_ = nullptr;
    bool ending_ = false;
};
