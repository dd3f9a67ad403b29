#include "ui/records/DeleteRecipientController.h"

#include <QPushButton>

#include "core/foundation/Session.h"
#include "core/records/RecipientDeletion.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/Recipient.h"
#include "ui/database/DatabaseListSupport.h"
#include "ui/main/TextListModel.h"
#include "ui/support/ModalLoop.h"
#include "ui_DeleteRecipientController.h"

DeleteRecipientController::DeleteRecipientController(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::DeleteRecipientController>()) {
    ui_->setupUi(this);
    model_ = new TextListModel(&recp_, QStringLiteral("Recipient"), this);
    ui_->Deleterecp_btn->setModel(model_);
    connect(ui_->Confirm_Delete, &QPushButton::clicked, this, &DeleteRecipientController::DelRecip_confirm);
    connect(ui_->Cancel_Button, &QPushButton::clicked, this, &DeleteRecipientController::DelRecip_Cancel);
    ui_->Confirm_Delete->setDefault(true);
    ui_->Confirm_Delete->setFocus();
    LoadData();
}

DeleteRecipientController::~DeleteRecipientController() = default;

void DeleteRecipientController::Getstring(const std::vector<std::string>& names) {
    deletestring_ = names;
    LoadData();
}

void DeleteRecipientController::LoadData() {
    recp_.clear();
    for (const std::string& name : deletestring_) recp_.push_back("  " + name);
    recp_.emplace_back();
    model_->reload();
}

void DeleteRecipientController::DelRecip_confirm() {
    auto db = sessionCompanyDatabase();
    const auto& held = session().recp_details;
    if (db && db->IsReady() && held) {
        // A failure has been reported by the store and nothing was deleted; the main
        // window's lists show what is stored either way.
        (void)records::deleteRecipients(*db, held->selectedRecipients());
    }
    buttonSelection_ = 1;
    end(kDeletedCode);
}

void DeleteRecipientController::DelRecip_Cancel() { end(kCancelCode); }

void DeleteRecipientController::reject() { DelRecip_Cancel(); }

void DeleteRecipientController::end(int code) {
    stopModal(this, code);
    QDialog::done(code);
}
