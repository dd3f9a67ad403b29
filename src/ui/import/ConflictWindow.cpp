#include "ui/import/ConflictWindow.h"

#include <algorithm>

#include <QCheckBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>

#include "platform/SystemLog.h"
#include "ui/import/ColumnLists.h"
#include "ui/main/TextListModel.h"
#include "ui/support/ModalLoop.h"
#include "ui_ConflictWindow.h"

ConflictWindow::ConflictWindow(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::ConflictWindow>()) {
    ui->setupUi(this);
    model_ = new TextListModel(&errorString_, QString(), this);
    QTableView* table = ui->ConflictView;
    showTextList(table, model_);
    table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ConflictWindow::Conflict_Action);
    connect(ui->OK_btn, &QPushButton::clicked, this, &ConflictWindow::OK_Action);
    connect(ui->Cancel_btn, &QPushButton::clicked, this, &ConflictWindow::Cancel_Action);
    connect(ui->checkbox_btn, &QCheckBox::clicked, this, &ConflictWindow::Checkbox_Action);
    ui->OK_btn->setDefault(true);
    table->setFocus();
}

ConflictWindow::~ConflictWindow() = default;

void ConflictWindow::geterrors(const std::vector<std::string>& names) {
    errorString_ = names;
    LoadData();
}

void ConflictWindow::LoadData() {
    std::string title;
    for (const std::string& name : errorString_) title += "       " + name + "\n";
    // A button title would take "&" for a shortcut mark.
    ui->checkbox_btn->setText(QString::fromStdString(title).replace(QLatin1Char('&'), QLatin1String("&&")));
    model_->reload();
}

std::vector<int> ConflictWindow::tableSelection() const {
    std::vector<int> rows;
    for (const QModelIndex& index : ui->ConflictView->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void ConflictWindow::Conflict_Action() {
    const std::vector<int> rows = tableSelection();
    if (rows.empty()) {
        platform::systemLog("No rows selected");
        return;
    }
    selectedIndexes_ = rows;
    std::string list;
    for (int row : rows) list += (list.empty() ? "" : ", ") + std::to_string(row);
    platform::systemLog("Selected Indexes: (" + list + ")");
}

void ConflictWindow::OK_Action() {
    // What is selected when OK is pressed is what gets overwritten, nothing when the
    // user cleared the selection.
    selectedIndexes_ = tableSelection();
    stopModal(this, kOKCode);
}

void ConflictWindow::Cancel_Action() {
    stopModal(this, kCancelCode);
}

void ConflictWindow::reject() { Cancel_Action(); }
