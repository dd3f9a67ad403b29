#include "ui/newyear/FindPriorYearDatabase.h"

#include <algorithm>

#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include "core/newyear/PriorYearList.h"
#include "ui/main/TextListModel.h"
#include "ui/support/ModalLoop.h"
#include "ui_FindPriorYearDatabase.h"

FindPriorYearDatabase::FindPriorYearDatabase(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::FindPriorYearDatabase>()) {
    ui_->setupUi(this);
    setObjectName(QStringLiteral("FindPriorYearDatabase"));
    Findprioryear_listbix = ui_->Findprioryear_listbix;
    Addlist = ui_->Addlist;
    Cancel = ui_->Cancel;
    FindDb = ui_->FindDb;
    VersionYear = ui_->VersionYear;
    Text2 = ui_->Text2;

    model_ = new TextListModel(&Find_List, tr("Databases Found"), this);
    Findprioryear_listbix->setModel(model_);
    Findprioryear_listbix->horizontalHeader()->setStretchLastSection(true);
    Findprioryear_listbix->setWordWrap(false);
    Findprioryear_listbix->viewport()->installEventFilter(this);

    connect(FindDb, &QPushButton::clicked, this, &FindPriorYearDatabase::FindPrior_DB);
    connect(Addlist, &QPushButton::clicked, this, &FindPriorYearDatabase::AddPrior_DB);
    connect(Cancel, &QPushButton::clicked, this, &FindPriorYearDatabase::Prior_Cancel);
    connect(Findprioryear_listbix->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FindPriorYearDatabase::Findlistbox_action);

    SetDbYear(year);
    Text2->setEnabled(false);
    Addlist->setEnabled(false);
    lastselected = -1;
}

FindPriorYearDatabase::~FindPriorYearDatabase() = default;

void FindPriorYearDatabase::SetDbYear(int dbYear) {
    year = dbYear;
    VersionYear->setText(QString::number(year));
}

void FindPriorYearDatabase::FindPrior_DB() {
    if (auto found = newyear::FindDatabase(VersionYear->text().toStdString())) Find_List = std::move(*found);
    lastselected = -1;
    model_->reload();
    Addlist->setEnabled(false);
}

void FindPriorYearDatabase::Findlistbox_action() {
    const QModelIndexList rows = Findprioryear_listbix->selectionModel()->selectedRows();
    if (rows.isEmpty()) return;
    lastselected = rows.last().row();
    Addlist->setEnabled(true);
}

bool FindPriorYearDatabase::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Findprioryear_listbix->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // A click away from every row selects the row chosen last again.
        if (!Findprioryear_listbix->indexAt(mouse->position().toPoint()).isValid() && lastselected >= 0)
            QTimer::singleShot(0, this, [this] {
                if (lastselected >= static_cast<int>(Find_List.size())) return;
                Findprioryear_listbix->selectionModel()->select(
                    model_->index(lastselected, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            });
    }
    return QDialog::eventFilter(watched, event);
}

void FindPriorYearDatabase::AddPrior_DB() {
    std::vector<int> rows;
    for (const QModelIndex& index : Findprioryear_listbix->selectionModel()->selectedRows()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    selected_List1.clear();
    for (int r : rows) selected_List1.push_back(Find_List[static_cast<std::size_t>(r)]);
    endWindow(kAddCode);
}

void FindPriorYearDatabase::Prior_Cancel() { endWindow(kCancelCode); }

void FindPriorYearDatabase::reject() { Prior_Cancel(); }

void FindPriorYearDatabase::endWindow(int code) {
    stopModal(this, code);
    ending_ = true;
    close();
}

void FindPriorYearDatabase::closeEvent(QCloseEvent* event) {
    if (!ending_) stopModal(this, kCancelCode);
    ending_ = false;
    event->accept();
}
