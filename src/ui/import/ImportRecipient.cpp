#include "ui/import/ImportRecipient.h"

#include <QPushButton>
#include <QTableView>

#include "core/foundation/Session.h"
#include "core/import/ImportCatalogues.h"
#include "core/import/ImportColumnChoices.h"
#include "core/import/RecipientImport.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "ui/import/ColumnLists.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/ModalLoop.h"
#include "ui_ImportRecipient.h"

namespace {

std::shared_ptr<CompanyDatabase> openCompanyDatabase() {
    const Session& s = session();
    auto cdb = s.DBH ? s.DBH->companyDatabase() : nullptr;
    return cdb && cdb->IsReady() ? cdb : nullptr;
}

}  // namespace

ImportRecipient::ImportRecipient(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::ImportRecipient>()) {
    ui->setupUi(this);
    kind_ = session()._type;
    lists_ = new ColumnLists(ui->Recip_AvalList, ui->Recip_SelList, this);
    lists_->setAvailable(imports::AvaillistValue(kind_));
    ui->Recip_AvalList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui->Recip_SelList->setSelectionMode(QAbstractItemView::SingleSelection);

    connect(ui->Addfield, &QPushButton::clicked, this, &ImportRecipient::Recip_AddField);
    connect(ui->AddAllfields, &QPushButton::clicked, this, &ImportRecipient::Recip_AddAllFields);
    connect(ui->Removefield, &QPushButton::clicked, this, &ImportRecipient::Recip_RemoveField);
    connect(ui->Removeallfields, &QPushButton::clicked, this, &ImportRecipient::Recip_RemoveFields);
    connect(ui->ImportTXT, &QPushButton::clicked, this, &ImportRecipient::Recip_ImpTxt);
    connect(ui->ImportCSV, &QPushButton::clicked, this, &ImportRecipient::Recip_ImpCSV);
    connect(ui->Importfrompayroll, &QPushButton::clicked, this, &ImportRecipient::ImpRecipPR_ML);
    connect(ui->Cancelbtn, &QPushButton::clicked, this, &ImportRecipient::Recip_ImpCancel);
    connect(ui->Recip_AvalList, &QTableView::doubleClicked, this, &ImportRecipient::doubleClickInTable1);
    connect(ui->Recip_SelList, &QTableView::doubleClicked, this, &ImportRecipient::doubleClickInTable2);

    LoadSelFields();
    EnableControls();
    ui->Recip_AvalList->setFocus();
    if (company_Refer) company_Refer->EnableMenuButtons();
}

ImportRecipient::~ImportRecipient() = default;

const std::vector<std::string>& ImportRecipient::AvaillistValue() const { return lists_->available(); }
const std::vector<std::string>& ImportRecipient::SelectedrecpFieldValue() const { return lists_->chosen(); }

void ImportRecipient::DoSaveImprecp() {
    if (auto cdb = openCompanyDatabase())
        (void)imports::saveRecipientColumns(*cdb, kind_, lists_->chosen());   // reports its own failure
}

void ImportRecipient::LoadSelFields() {
    auto cdb = openCompanyDatabase();
    lists_->setChosen(cdb ? imports::loadRecipientColumns(*cdb, kind_) : std::vector<std::string>{});
}

void ImportRecipient::EnableControls() {
    const bool any = !lists_->chosen().empty();
    for (QPushButton* b : {ui->ImportTXT, ui->ImportCSV, ui->Removefield, ui->Removeallfields}) b->setEnabled(any);
}

void ImportRecipient::Recip_AddField() {
    lists_->addSelected();
    EnableControls();
}

void ImportRecipient::Recip_AddAllFields() {
    lists_->addAll();
    EnableControls();
}

void ImportRecipient::Recip_RemoveField() {
    lists_->removeSelected();
    EnableControls();
}

void ImportRecipient::Recip_RemoveFields() {
    lists_->removeAll();
    EnableControls();
}

void ImportRecipient::doubleClickInTable1(const QModelIndex& index) {
    lists_->addRow(index.row());
    EnableControls();
}

void ImportRecipient::doubleClickInTable2(const QModelIndex& index) {
    lists_->removeRow(index.row());
    EnableControls();
}

void ImportRecipient::Recip_ImpTxt() {
    endWith(imports::runRecipientImport(imports::RecipientReader::Text, lists_->chosen()));
}

void ImportRecipient::Recip_ImpCSV() {
    endWith(imports::runRecipientImport(imports::RecipientReader::Csv, lists_->chosen()));
}

void ImportRecipient::ImpRecipPR_ML() {
    lists_->setChosen(imports::IMPORT_FIELDS9());
    EnableControls();
    endWith(imports::runPayrollRecipientImport());
}

void ImportRecipient::Recip_ImpCancel() {
    DoSaveImprecp();
    stopModal(this, kCancelCode);
}

void ImportRecipient::reject() { Recip_ImpCancel(); }

void ImportRecipient::endWith(int code) {
    if (code == imports::kImportWindowStaysOpen) return;
    stopModal(this, code);
}
