#include "ui/database/LoginDialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "ui/support/DatabaseAlert.h"
#include "ui/support/ModalLoop.h"
#include "ui_LoginDialog.h"

LoginDialog::LoginDialog(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::LoginDialog>()) {
    ui_->setupUi(this);
    connect(ui_->Execute_Login, &QPushButton::clicked, this, &LoginDialog::Execute_Login_M);
    connect(ui_->Cancel_Login, &QPushButton::clicked, this, &LoginDialog::Cencel_Login_M);
    windowDidLoad();
}

LoginDialog::~LoginDialog() = default;

QLineEdit* LoginDialog::UserName_P() const { return ui_->UserName_P; }
QLineEdit* LoginDialog::Password_P() const { return ui_->Password_P; }
QPushButton* LoginDialog::Execute_Login() const { return ui_->Execute_Login; }
QPushButton* LoginDialog::Cancel_Login() const { return ui_->Cancel_Login; }

void LoginDialog::windowDidLoad() {
    ui_->Execute_Login->setDefault(true);
    validLogin_ = false;
}

void LoginDialog::Execute_Login_M() {
    Session& s = session();
    if (!s.loginInfo) s.loginInfo = std::make_shared<Login_Info>();
    // Taken as typed: names and passwords may begin or end with blanks.
    s.loginInfo->setName(ui_->UserName_P->text().toStdString());
    s.loginInfo->setPassWord(ui_->Password_P->text().toStdString());

    std::shared_ptr<CompanyDatabase> db = s.DBH ? s.DBH->companyDatabase() : nullptr;
    if (db && db->IsReady() && db->validateLogin(false)) {
        db->getLoginInfo();
        validLogin_ = true;
        stopModal(this, kLoggedInCode);
    } else {
        ShowAlertMsg(kInvalidLoginMessage, "", "Invalid Login");
    }
    ui_->UserName_P->clear();
    ui_->Password_P->clear();
    ui_->UserName_P->setFocus();
}

void LoginDialog::Cencel_Login_M() { stopModal(this, kCancelCode); }

// The close box and Escape cancel, so the opening of the database is never left
// waiting on a closed window.
void LoginDialog::reject() { Cencel_Login_M(); }

void LoginDialog::ShowAlertMsg(const std::string& message, const std::string& informative,
                               const std::string& title) {
    runDatabaseAlert(nullptr, IconKind::Plain, title, message, informative, {"OK"}, true);
}
