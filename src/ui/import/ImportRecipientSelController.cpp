#include "ui/import/ImportRecipientSelController.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTableView>

#include "core/foundation/FormKind.h"
#include "core/foundation/Session.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "ui/import/ImportRecipient.h"
#include "ui/main/AppDelegate.h"
#include "ui/import/ColumnLists.h"
#include "ui/main/TextListModel.h"
#include "ui/support/ModalLoop.h"
#include "ui_ImportRecipientSelController.h"

namespace {

std::vector<ComapnyInfo> companiesByName() {
    const Session& s = session();
    auto cdb = s.DBH ? s.DBH->companyDatabase() : nullptr;
    if (!cdb || !cdb->IsReady()) return {};
    return cdb->execCompanyListQuery("", 0);
}

}  // namespace

ImportRecipientSelController::ImportRecipientSelController(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::ImportRecipientSelController>()) {
    ui->setupUi(this);
    model_ = new TextListModel(&liststring_, QString(), this);
    QTableView* table = ui->Companysel;
    showTextList(table, model_);
    table->setSelectionMode(QAbstractItemView::SingleSelection);

    const std::pair<QRadioButton*, void (ImportRecipientSelController::*)()> kinds[] = {
        {ui->Misc_Sel, &ImportRecipientSelController::Misc_Action}, {ui->Div_sel, &ImportRecipientSelController::Div_Action},
        {ui->INT_Sel, &ImportRecipientSelController::Int_Action},   {ui->R_Sel, &ImportRecipientSelController::R_Action},
        {ui->S_Sel, &ImportRecipientSelController::S_Action},       {ui->NEC_Sel, &ImportRecipientSelController::NEC_Action}};
    for (const auto& [button, action] : kinds)
        connect(button, &QRadioButton::toggled, this, [this, action](bool on) {
            if (on) (this->*action)();
        });
    connect(ui->OK_IMportRecip, &QPushButton::clicked, this, &ImportRecipientSelController::Recipent_Ok);
    connect(ui->Cancel_IMportRecip, &QPushButton::clicked, this, &ImportRecipientSelController::Recipient_Cancel);
    connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ImportRecipientSelController::companylistbox);
    ui->OK_IMportRecip->setDefault(true);

    // Each time the window loads, the form kind starts as 1099-MISC and the first payer
    // is selected, so that OK at once imports 1099-MISC recipients into it.
    {
        const QSignalBlocker quiet(ui->Misc_Sel);
        ui->Misc_Sel->setChecked(true);
    }
    session()._type = 1;
    companyQuery_ = companiesByName();
    for (const ComapnyInfo& company : companyQuery_) liststring_.push_back(company.getName());
    model_->reload();
    if (!liststring_.empty()) {
        const QSignalBlocker quiet(table->selectionModel());
        table->selectRow(0);
    }
    ui->Misc_Sel->setFocus();
}

ImportRecipientSelController::~ImportRecipientSelController() = default;

QTableView* ImportRecipientSelController::Comp_List() const { return ui->Companysel; }

int ImportRecipientSelController::run() {
    chosen_ = false;
    const int code = runModal(this);
    if (code != kChosenCode || !chosen_) return code;
    if (!ImportRecipient_Controller) ImportRecipient_Controller = std::make_unique<ImportRecipient>(parentWidget());
    const int m = runModal(ImportRecipient_Controller.get());
    if (company_Refer) company_Refer->SelectCompany();
    return m;
}

int32_t ImportRecipientSelController::getradiotype() const { return session()._type; }

void ImportRecipientSelController::chooseKind(int32_t kind) { session()._type = kind; }

void ImportRecipientSelController::Misc_Action() { chooseKind(1); }
void ImportRecipientSelController::Div_Action() { chooseKind(2); }
void ImportRecipientSelController::Int_Action() { chooseKind(3); }
void ImportRecipientSelController::R_Action() { chooseKind(4); }
void ImportRecipientSelController::S_Action() { chooseKind(5); }
void ImportRecipientSelController::NEC_Action() { chooseKind(FormKind::kNec); }

void ImportRecipientSelController::companylistbox() { SelectCompany(); }

void ImportRecipientSelController::SelectCompany() {
    companyQuery_ = companiesByName();
    const int row = selectedRow();
    if (row < 0 || static_cast<size_t>(row) >= companyQuery_.size()) return;
    CompanyPK_ = companyQuery_[static_cast<size_t>(row)].getPK();
    session().CPK = CompanyPK_;
}

int ImportRecipientSelController::selectedRow() const {
    const QModelIndexList rows = ui->Companysel->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void ImportRecipientSelController::Recipent_Ok() {
    const int row = selectedRow();
    if (row < 0 || static_cast<size_t>(row) >= companyQuery_.size()) return;
    CompanyPK_ = companyQuery_[static_cast<size_t>(row)].getPK();
    session().CPK = CompanyPK_;
    chosen_ = true;
    stopModal(this, kChosenCode);
}

void ImportRecipientSelController::Recipient_Cancel() {
    if (company_Refer) company_Refer->EnableMenuButtons();
    stopModal(this, kCancelCode);
}

void ImportRecipientSelController::reject() { stopModal(this, kCloseCode); }
