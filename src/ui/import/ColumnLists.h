#pragma once

#include <string>
#include <vector>

#include <QObject>

class QTableView;
class TextListModel;

// The two tables of an import column chooser: the columns a file may have (available)
// and the columns the user chose, in file order (chosen). A name is chosen at most
// once. The owner decides which buttons each change enables.
// A one-column list of texts in a table: no headers, rows at text height, whole rows
// selected, nothing edited in place.
void showTextList(QTableView* view, TextListModel* model);

class ColumnLists : public QObject {
public:
    ColumnLists(QTableView* available, QTableView* chosen, QObject* parent = nullptr);

    const std::vector<std::string>& available() const { return available_; }
    const std::vector<std::string>& chosen() const { return chosen_; }
    void setAvailable(std::vector<std::string> names);
    void setChosen(std::vector<std::string> names);

    // Appends the selected available rows, in row order, that are not chosen yet, and
    // shows the end of the chosen table. True when a name was added.
    bool addSelected();
    // An empty choice becomes the whole available list; otherwise the missing names
    // are appended in available order, after the ones chosen already.
    void addAll();
    // Removes the selected chosen row and clears the chosen table's selection. True
    // when a row was removed.
    bool removeSelected();
    void removeAll();
    // The double-clicks: one available row added (unless chosen), one chosen row removed.
    bool addRow(int row);
    bool removeRow(int row);

    bool hasSelectedAvailable() const;
    bool hasSelectedChosen() const;

private:
    bool append(const std::string& name);
    void reloadChosen();

    QTableView* availableView_;
    QTableView* chosenView_;
    std::vector<std::string> available_;
    std::vector<std::string> chosen_;
    TextListModel* availableModel_;
    TextListModel* chosenModel_;
};
