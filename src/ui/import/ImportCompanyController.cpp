#include "ui/import/ImportCompanyController.h"

#include <QItemSelectionModel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>

#include "core/foundation/Session.h"
#include "core/import/ImportCatalogues.h"
#include "core/import/ImportColumnChoices.h"
#include "core/import/PayerImport.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "ui/import/ColumnLists.h"
#include "ui/support/ModalLoop.h"
#include "ui_ImportCompanyController.h"

namespace {

std::shared_ptr<CompanyDatabase> openCompanyDatabase() {
    const Session& s = session();
    auto cdb = s.DBH ? s.DBH->companyDatabase() : nullptr;
    return cdb && cdb->IsReady() ? cdb : nullptr;
}

// A click into the empty part of a table leaves no row selected: the row selected
// before comes back.
void keepARowSelected(QTableView* view, int& lastRow) {
    const QModelIndexList rows = view->selectionModel()->selectedRows();
    if (!rows.isEmpty()) {
        const QModelIndex current = view->selectionModel()->currentIndex();
        lastRow = current.isValid() && view->selectionModel()->isRowSelected(current.row()) ? current.row()
                                                                                            : rows.last().row();
        return;
    }
    if (lastRow < 0 || lastRow >= view->model()->rowCount()) return;
    const QSignalBlocker quiet(view->selectionModel());
    view->selectionModel()->select(view->model()->index(lastRow, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->viewport()->update();
}

}  // namespace

ImportCompanyController::ImportCompanyController(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::ImportCompanyController>()) {
    ui->setupUi(this);
    lists_ = new ColumnLists(ui->availablefields, ui->Selectedfields, this);
    lists_->setAvailable(imports::AvailFieldValue());
    ui->availablefields->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui->Selectedfields->setSelectionMode(QAbstractItemView::SingleSelection);

    connect(ui->Addfiels_btn, &QPushButton::clicked, this, &ImportCompanyController::AddField);
    connect(ui->Addallfields_btn, &QPushButton::clicked, this, &ImportCompanyController::AddAllFields);
    connect(ui->Removefield_btn, &QPushButton::clicked, this, &ImportCompanyController::RemoveField);
    connect(ui->RemoveallFields_btn, &QPushButton::clicked, this, &ImportCompanyController::RemoveAllFields);
    connect(ui->ImportText_btn, &QPushButton::clicked, this, &ImportCompanyController::ImportComp_Txt);
    connect(ui->ImportCSV_btn, &QPushButton::clicked, this, &ImportCompanyController::ImportComp_CSV);
    connect(ui->ImportML_btn, &QPushButton::clicked, this, &ImportCompanyController::ImportPRtoML);
    connect(ui->Cancel_btn, &QPushButton::clicked, this, &ImportCompanyController::ImportComp_Cancel);
    connect(ui->availablefields, &QTableView::doubleClicked, this, &ImportCompanyController::doubleClickInTable1);
    connect(ui->Selectedfields, &QTableView::doubleClicked, this, &ImportCompanyController::doubleClickInTable2);
    connect(ui->availablefields->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ImportCompanyController::AvailableFields);
    connect(ui->Selectedfields->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ImportCompanyController::SelectedFields);

    ui->StaticText->setText(
        QStringLiteral("Note: Before importing the data,Please verify that your text/CSV file has all of the "
                       "Selected fields."));
    LoadSelFields();
    EnableControls();
    ui->availablefields->setFocus();
}

ImportCompanyController::~ImportCompanyController() = default;

const std::vector<std::string>& ImportCompanyController::availableNames() const { return lists_->available(); }
const std::vector<std::string>& ImportCompanyController::SelectedFieldValue() const { return lists_->chosen(); }

void ImportCompanyController::DoSaveImpCom() {
    if (auto cdb = openCompanyDatabase()) (void)imports::savePayerColumns(*cdb, lists_->chosen());   // reports its own failure
}

void ImportCompanyController::LoadSelFields() {
    auto cdb = openCompanyDatabase();
    lists_->setChosen(cdb ? imports::loadPayerColumns(*cdb) : std::vector<std::string>{});
    lastSelectedRow_ = -1;
}

void ImportCompanyController::EnableControls() {
    const bool any = !lists_->chosen().empty();
    for (QPushButton* b : {ui->ImportText_btn, ui->ImportCSV_btn, ui->RemoveallFields_btn, ui->Removefield_btn})
        b->setEnabled(any);
    ui->Addfiels_btn->setEnabled(lists_->hasSelectedAvailable());
}

void ImportCompanyController::AddField() {
    lists_->addSelected();
    lastSelectedRow_ = -1;
    EnableControls();
}

void ImportCompanyController::AddAllFields() {
    lists_->addAll();
    lastSelectedRow_ = -1;
    EnableControls();
    ui->Addfiels_btn->setEnabled(false);
    ui->Addallfields_btn->setEnabled(false);
}

void ImportCompanyController::RemoveField() {
    lists_->removeSelected();
    lastSelectedRow_ = -1;
    EnableControls();
}

void ImportCompanyController::RemoveAllFields() {
    lists_->removeAll();
    lastSelectedRow_ = -1;
    EnableControls();
    ui->Addfiels_btn->setEnabled(true);
    ui->Addallfields_btn->setEnabled(true);
}

void ImportCompanyController::doubleClickInTable1(const QModelIndex& index) {
    lists_->addRow(index.row());
    lastSelectedRow_ = -1;
    EnableControls();
}

void ImportCompanyController::doubleClickInTable2(const QModelIndex& index) {
    lists_->removeRow(index.row());
    lastSelectedRow_ = -1;
    EnableControls();
}

void ImportCompanyController::AvailableFields() {
    keepARowSelected(ui->availablefields, lastAvailableRow_);
    EnableControls();
}

void ImportCompanyController::SelectedFields() {
    keepARowSelected(ui->Selectedfields, lastSelectedRow_);
    EnableControls();
}

void ImportCompanyController::ImportComp_Txt() {
    endWith(imports::runPayerImport(imports::PayerReader::Text, lists_->chosen()));
}

void ImportCompanyController::ImportComp_CSV() {
    endWith(imports::runPayerImport(imports::PayerReader::Csv, lists_->chosen()));
}

void ImportCompanyController::ImportPRtoML() {
    lists_->setChosen(imports::IMPORT_FIELDSPAYER());
    EnableControls();
    endWith(imports::runPayrollPayerImport());
}

void ImportCompanyController::ImportComp_Cancel() {
    DoSaveImpCom();
    stopModal(this, kCancelCode);
}

void ImportCompanyController::reject() { ImportComp_Cancel(); }

void ImportCompanyController::endWith(int code) {
    if (code == imports::kImportWindowStaysOpen) return;
    stopModal(this, code);
}
