#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QDialog>

namespace Ui {
class FindDatabase;
}
class TextListModel;

// Searches a folder tree that the user chooses for company database files of a year
// and lets the user pick any number of the files found. The search runs at once and
// cannot be stopped, as its first message says.
//
// Run it through runModal: Add ends the run with kAddCode and leaves the picked paths
// in session().selected_list (the first also in session().selecteddbname_inFDsearch);
// Cancel, the close box and Escape end it with kCancelCode.
class FindDatabase : public QDialog {
    Q_OBJECT

public:
    static constexpr int kAddCode = 1234;
    static constexpr int kCancelCode = 1000;
    // Longest text of the year field.
    static constexpr int kYearLength = 4;

    explicit FindDatabase(QWidget* parent = nullptr);
    ~FindDatabase() override;

    void SetDbYear(int value);
    const std::vector<std::string>& foundPaths() const { return Find_List; }

public slots:
    void FindDB_Find();
    void FindDB_Add();
    void FindDB_Cancel();
    // The year field's action: cuts its text to four characters.
    void Version_year_Action();
    void reject() override;

private:
    // The search: true when the list is to be shown again.
    bool searchDatabases();
    void yearEdited();
    void selectionChanged();

    std::unique_ptr<Ui::FindDatabase> ui_;
    TextListModel* model_ = nullptr;
    std::vector<std::string> Find_List;
    int year = 0;
};
