#include "ui/import/ImportTypeDialog.h"

#include <QPushButton>
#include <QRadioButton>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "ui/import/ImportCompanyController.h"
#include "ui/import/ImportRecipientSelController.h"
#include "ui/support/ModalLoop.h"
#include "ui_ImportTypeDialog.h"

ImportTypeDialog::ImportTypeDialog(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::ImportTypeDialog>()) {
    ui->setupUi(this);
    connect(ui->Comp_Data, &QRadioButton::toggled, this, &ImportTypeDialog::TypeSel);
    connect(ui->Recip_Data, &QRadioButton::toggled, this, &ImportTypeDialog::TypeRecip_sel);
    connect(ui->TypeOk, &QPushButton::clicked, this, &ImportTypeDialog::TypeOk_Clicked);
    connect(ui->TypeCancel, &QPushButton::clicked, this, &ImportTypeDialog::TypeCancel_Clicked);
    ui->TypeOk->setDefault(true);
    ui->Comp_Data->setFocus();
}

ImportTypeDialog::~ImportTypeDialog() = default;

int ImportTypeDialog::runFromMainWindow(QWidget* parent) {
    ImportTypeDialog dialog(parent);
    return dialog.run();
}

int ImportTypeDialog::run() {
    chosen_ = Chosen::None;
    const int code = runModal(this);
    if (code != kChosenCode) return code;
    switch (chosen_) {
        case Chosen::Payers: return runModal(ImportComp.get());
        case Chosen::Recipients: return ImportRecipType->run();
        case Chosen::None: break;
    }
    return code;
}

void ImportTypeDialog::TypeSel() {
    if (!ui->Comp_Data->isChecked()) return;
    ui->Recip_Data->setChecked(false);
    // The payer import reads the configuration database: when it or the company
    // database is not ready, the configuration database is opened again on its path.
    Session& s = session();
    if (!s.DBH) return;
    const auto app = s.DBH->appDatabase();
    const auto cdb = s.DBH->companyDatabase();
    if (app && (!s.appDBReady || !cdb || !cdb->IsReady())) {
        const std::string path = app->GetPath();
        if (!path.empty()) (void)app->Init(path, false);   // an open that fails has told the user
    }
}

void ImportTypeDialog::TypeRecip_sel() {
    if (ui->Recip_Data->isChecked()) ui->Comp_Data->setChecked(false);
}

void ImportTypeDialog::TypeOk_Clicked() {
    if (ui->Comp_Data->isChecked()) {
        if (!ImportComp) ImportComp = std::make_unique<ImportCompanyController>(parentWidget());
        chosen_ = Chosen::Payers;
    } else if (ui->Recip_Data->isChecked()) {
        if (!ImportRecipType) ImportRecipType = std::make_unique<ImportRecipientSelController>(parentWidget());
        chosen_ = Chosen::Recipients;
    } else {
        return;
    }
    stopModal(this, kChosenCode);
}

void ImportTypeDialog::TypeCancel_Clicked() { stopModal(this, kCancelCode); }

void ImportTypeDialog::reject() { TypeCancel_Clicked(); }
