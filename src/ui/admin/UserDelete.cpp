#include "ui/admin/UserDelete.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/foundation/Session.h"
#include "core/foundation/UserInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "ui/support/ModalLoop.h"
#include "ui_UserDelete.h"

namespace {

std::shared_ptr<CompanyDatabase> companyDatabase() {
    const Session& s = session();
    return s.DBH ? s.DBH->companyDatabase() : nullptr;
}

}  // namespace

UserDelete::UserDelete(int32_t key, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::UserDelete>()), key_(key) {
    ui_->setupUi(this);
    connect(ui_->DeleteUser, &QPushButton::clicked, this, &UserDelete::DeleteUser_Action);
    connect(ui_->Cancel, &QPushButton::clicked, this, &UserDelete::Cancel_Action);
    ui_->DeleteUser->setDefault(true);
    ui_->DeleteUser->setFocus();
    if (auto db = companyDatabase(); db && db->IsReady())
        ui_->UserToDelete->setText(QString::fromStdString(db->getUserInfo(key_).getUserName()));
}

UserDelete::~UserDelete() = default;

QLineEdit* UserDelete::UserToDelete() const { return ui_->UserToDelete; }
QPushButton* UserDelete::DeleteUser() const { return ui_->DeleteUser; }
QPushButton* UserDelete::Cancel() const { return ui_->Cancel; }

void UserDelete::DeleteUser_Action() {
    if (auto db = companyDatabase(); db && db->IsReady()) {
        const UserInfo account = db->getUserInfo(key_);
        // A failed delete is reported by the database itself.
        if (account.getPK() >= 0) (void)db->deleteUser(account);
    }
    stopModal(this, kDoneCode);
}

void UserDelete::Cancel_Action() { stopModal(this, kDoneCode); }

void UserDelete::reject() { Cancel_Action(); }
