#include "ui/company/DeleteCompController.h"

#include <algorithm>

#include <QLineEdit>
#include <QPushButton>

#include "core/foundation/Session.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "ui/database/DatabaseListSupport.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/TextLimits.h"
#include "ui_DeleteCompController.h"

DeleteCompController::DeleteCompController(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::DeleteCompController>()) {
    ui_->setupUi(this);
    connect(ui_->Confirm_button, &QPushButton::clicked, this, &DeleteCompController::Del_confirm);
    connect(ui_->Cancel_button, &QPushButton::clicked, this, &DeleteCompController::Del_Comp);
    connect(ui_->Deletecompanytext, &QLineEdit::editingFinished, this, &DeleteCompController::Delete_NameText);
    ui_->Confirm_button->setDefault(true);
    ui_->Confirm_button->setFocus();
}

DeleteCompController::~DeleteCompController() = default;

void DeleteCompController::Getstring(const std::string& name) {
    deletestring_ = name;
    LoadData();
}

void DeleteCompController::LoadData() {
    ui_->Deletecompanytext->setText(QString::fromStdString(deletestring_));
    ui_->Deletecompanytext->setCursorPosition(0);
}

void DeleteCompController::Delete_NameText() {
    const QString text = ui_->Deletecompanytext->text();
    if (!text.isEmpty()) ui_->Deletecompanytext->setText(textlimits::firstCharacters(text, 40));
}

void DeleteCompController::Del_confirm() {
    const Session& s = session();
    auto db = sessionCompanyDatabase();
    if (db && db->IsReady() && s.comp_details) {
        const std::vector<int32_t> keys = s.comp_details->selectedCompanies();
        const auto count = std::min<std::size_t>(keys.size(), static_cast<std::size_t>(std::max<int64_t>(0, s.numberSelections)));
        for (std::size_t i = 0; i < count; ++i) {
            ComapnyInfo payer;
            payer.setPK(keys[i]);
            // A payer that still has recipients is refused with the store's own message.
            (void)db->deleteCompany(payer);
        }
    }
    buttonSelection_ = 1;
    end(kConfirmCode);
}

void DeleteCompController::Del_Comp() { end(kCancelCode); }

void DeleteCompController::reject() { Del_Comp(); }

void DeleteCompController::end(int code) {
    stopModal(this, code);
    QDialog::done(code);
}
