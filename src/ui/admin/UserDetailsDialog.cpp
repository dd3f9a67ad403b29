#include "ui/admin/UserDetailsDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/admin/AccountRules.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInfo.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "ui/database/LoginDialog.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/TextLimits.h"
#include "ui/support/TypingClamp.h"
#include "ui_UserDetailsDialog.h"

namespace {

std::shared_ptr<CompanyDatabase> companyDatabase() {
    const Session& s = session();
    return s.DBH ? s.DBH->companyDatabase() : nullptr;
}

int32_t loggedInKey() {
    const auto& login = session().loginInfo;
    return login ? login->getPK() : -1;
}

void refusalAlert(accounts::Refusal refusal) {
    LoginDialog::ShowAlertMsg("", accounts::refusalText(refusal), accounts::refusalTitle(refusal));
}

}  // namespace

UserDetailsDialog::UserDetailsDialog(int mode, int32_t key, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::UserDetailsDialog>()), theMode(mode), PK(key) {
    ui_->setupUi(this);
    connect(ui_->AddUser, &QPushButton::clicked, this, &UserDetailsDialog::AddUser_Action);
    connect(ui_->UpdateUser, &QPushButton::clicked, this, &UserDetailsDialog::UpdateUser_Action);
    connect(ui_->Cancel, &QPushButton::clicked, this, &UserDetailsDialog::Cancel_Action);
    const auto edits = fields();
    for (int field = 0; field < 3; ++field) {
        connect(edits[field], &QLineEdit::textEdited, this, [this, field](const QString& text) {
            clampTyping(fields()[field], text, previous_[field], accounts::kFieldLimit);
        });
        connect(edits[field], &QLineEdit::returnPressed, this, [this, field] { cutToLimit(field); });
    }
    windowDidLoad();
}

UserDetailsDialog::~UserDetailsDialog() = default;

QLineEdit* UserDetailsDialog::UserName() const { return ui_->UserName; }
QLineEdit* UserDetailsDialog::Password() const { return ui_->Password; }
QLineEdit* UserDetailsDialog::RePasword() const { return ui_->RePasword; }
QCheckBox* UserDetailsDialog::ADMINCheckbox() const { return ui_->ADMINCheckbox; }
QPushButton* UserDetailsDialog::AddUser() const { return ui_->AddUser; }
QPushButton* UserDetailsDialog::UpdateUser() const { return ui_->UpdateUser; }
QPushButton* UserDetailsDialog::Cancel() const { return ui_->Cancel; }

std::array<QLineEdit*, 3> UserDetailsDialog::fields() const { return {ui_->UserName, ui_->Password, ui_->RePasword}; }

void UserDetailsDialog::windowDidLoad() {
    auto db = companyDatabase();
    const bool editing = theMode == kUpdateMode;
    UserInfo account;
    if (db && db->IsReady()) {
        forceAdmin = accounts::forcesAdministrator(*db, editing, PK, loggedInKey());
        if (editing) account = db->getUserInfo(PK);
    }
    ui_->ADMINCheckbox->setChecked(account.getUserType() == 1);
    if (forceAdmin) {
        ui_->ADMINCheckbox->setChecked(true);
        ui_->ADMINCheckbox->setEnabled(false);
    }
    ui_->AddUser->setEnabled(!editing);
    ui_->UpdateUser->setEnabled(editing);
    (editing ? ui_->UpdateUser : ui_->AddUser)->setDefault(true);
    if (editing) {
        storedName_ = account.getUserName();
        ui_->UserName->setText(QString::fromStdString(account.getUserName()));
        ui_->Password->setText(QString::fromStdString(account.getPassword()));
        ui_->RePasword->setText(QString::fromStdString(account.getPassword()));
        ui_->ADMINCheckbox->setChecked(account.getUserType() == 1 || forceAdmin);
    }
    const auto edits = fields();
    for (int field = 0; field < 3; ++field) previous_[field] = edits[field]->text();
}

void UserDetailsDialog::cutToLimit(int field) {
    QLineEdit* edit = fields()[field];
    edit->setText(textlimits::firstCharacters(edit->text(), accounts::kFieldLimit));
    previous_[field] = edit->text();
}

void UserDetailsDialog::AddUser_Action() {
    auto db = companyDatabase();
    if (!db || !db->IsReady()) return;
    const accounts::Entry entry{ui_->UserName->text().toStdString(), ui_->Password->text().toStdString(),
                                ui_->RePasword->text().toStdString()};
    const accounts::Refusal refusal = accounts::checkNewAccount(entry, db->getUsers());
    if (refusal != accounts::Refusal::none) {
        refusalAlert(refusal);
        return;
    }
    UserInfo account;
    account.setUserName(entry.name);
    account.setPassword(entry.password);
    account.setUserType(ui_->ADMINCheckbox->isChecked() ? 1 : 0);
    // A failed write is reported by the database; the dialog stays with what was typed.
    if (!db->insertUserInfo(account)) return;
    stopModal(this, kAddedCode);
}

void UserDetailsDialog::UpdateUser_Action() {
    auto db = companyDatabase();
    if (!db || !db->IsReady()) return;
    const accounts::Entry entry{ui_->UserName->text().toStdString(), ui_->Password->text().toStdString(),
                                ui_->RePasword->text().toStdString()};
    const accounts::Refusal refusal = accounts::checkChangedAccount(entry, storedName_, db->getUsers());
    switch (refusal) {
        case accounts::Refusal::none:
            break;
        case accounts::Refusal::emptyField:
        case accounts::Refusal::supportName:
        case accounts::Refusal::defaultName:
            tvDatabase::tvMessageBox("", accounts::refusalText(refusal), kMessageStyleOK, "Error",
                                     kMessageImagePlain, false);
            return;
        case accounts::Refusal::nameInUse:
        case accounts::Refusal::passwordsDiffer:
            refusalAlert(refusal);
            return;
    }
    UserInfo account;
    account.setPK(PK);
    account.setUserName(entry.name);
    account.setPassword(entry.password);
    account.setUserType(ui_->ADMINCheckbox->isChecked() ? 1 : 0);
    if (!db->updateUserInfo(account)) return;
    if (auto& login = session().loginInfo; login && login->getPK() == PK) {
        login->setName(account.getUserName());
        login->setPassWord(account.getPassword());
        login->setUserType(account.getUserType());
    }
    stopModal(this, kUpdatedCode);
}

void UserDetailsDialog::Cancel_Action() { stopModal(this, kCancelCode); }

void UserDetailsDialog::reject() { Cancel_Action(); }
