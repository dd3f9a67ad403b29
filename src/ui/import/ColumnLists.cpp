#include "ui/import/ColumnLists.h"

#include <algorithm>

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

#include "ui/main/TextListModel.h"

namespace {

std::vector<int> selectedRows(const QTableView* view) {
    std::vector<int> rows;
    if (!view->selectionModel()) return rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace

void showTextList(QTableView* view, TextListModel* model) {
    view->setModel(model);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
}

ColumnLists::ColumnLists(QTableView* available, QTableView* chosen, QObject* parent)
    : QObject(parent),
      availableView_(available),
      chosenView_(chosen),
      availableModel_(new TextListModel(&available_, QString(), this)),
      chosenModel_(new TextListModel(&chosen_, QString(), this)) {
    showTextList(availableView_, availableModel_);
    showTextList(chosenView_, chosenModel_);
}

void ColumnLists::setAvailable(std::vector<std::string> names) {
    available_ = std::move(names);
    availableModel_->reload();
}

void ColumnLists::setChosen(std::vector<std::string> names) {
    chosen_.clear();
    for (std::string& name : names) append(name);
    reloadChosen();
}

bool ColumnLists::append(const std::string& name) {
    if (std::find(chosen_.begin(), chosen_.end(), name) != chosen_.end()) return false;
    chosen_.push_back(name);
    return true;
}

void ColumnLists::reloadChosen() {
    chosenModel_->reload();
    if (!chosen_.empty()) chosenView_->scrollToBottom();
}

bool ColumnLists::addSelected() {
    bool added = false;
    for (int row : selectedRows(availableView_))
        if (row >= 0 && static_cast<size_t>(row) < available_.size()) added |= append(available_[static_cast<size_t>(row)]);
    if (added) reloadChosen();
    return added;
}

void ColumnLists::addAll() {
    for (const std::string& name : available_) append(name);
    reloadChosen();
}

bool ColumnLists::removeSelected() {
    const std::vector<int> rows = selectedRows(chosenView_);
    if (rows.empty()) return false;
    return removeRow(rows.front());
}

void ColumnLists::removeAll() {
    chosen_.clear();
    reloadChosen();
}

bool ColumnLists::addRow(int row) {
    if (row < 0 || static_cast<size_t>(row) >= available_.size()) return false;
    if (!append(available_[static_cast<size_t>(row)])) return false;
    reloadChosen();
    return true;
}

bool ColumnLists::removeRow(int row) {
    if (row < 0 || static_cast<size_t>(row) >= chosen_.size()) return false;
    chosen_.erase(chosen_.begin() + row);
    // The reset clears the chosen table's selection as well.
    chosenModel_->reload();
    return true;
}

bool ColumnLists::hasSelectedAvailable() const { return !selectedRows(availableView_).empty(); }
bool ColumnLists::hasSelectedChosen() const { return !selectedRows(chosenView_).empty(); }
