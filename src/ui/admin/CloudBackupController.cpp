#include "ui/admin/CloudBackupController.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/admin/CloudBackup.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/TextLimits.h"
#include "ui/support/TypingClamp.h"
#include "ui_CloudBackupController.h"

CloudBackupController::CloudBackupController(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::CloudBackupController>()) {
    ui_->setupUi(this);
    connect(ui_->CloudBackup_CheckBox, &QCheckBox::clicked, this, &CloudBackupController::Cloudcheckbox);
    connect(ui_->Continue, &QPushButton::clicked, this, &CloudBackupController::ContinueBackup_Clicked);
    connect(ui_->Close, &QPushButton::clicked, this, &CloudBackupController::CloseBackup_Clicked);
    connect(ui_->EmailAdd_Backup, &QLineEdit::returnPressed, this, &CloudBackupController::Email_Action);
    connect(ui_->CustNum_Backup, &QLineEdit::returnPressed, this, &CloudBackupController::CustNum_Action);
    connect(ui_->EmailAdd_Backup, &QLineEdit::textEdited, this, [this](const QString& text) {
        clampTyping(ui_->EmailAdd_Backup, text, previousEmail_, cloudbackup::kEmailLimit);
    });
    connect(ui_->CustNum_Backup, &QLineEdit::textEdited, this, [this](const QString& text) {
        clampTyping(ui_->CustNum_Backup, text, previousCustomerNumber_, cloudbackup::kCustomerNumberLimit);
    });
    windowDidLoad();
}

CloudBackupController::~CloudBackupController() = default;

QCheckBox* CloudBackupController::CloudBackup_CheckBox() const { return ui_->CloudBackup_CheckBox; }
QLineEdit* CloudBackupController::EmailAdd_Backup() const { return ui_->EmailAdd_Backup; }
QLineEdit* CloudBackupController::CustNum_Backup() const { return ui_->CustNum_Backup; }
QPushButton* CloudBackupController::Continue() const { return ui_->Continue; }
QPushButton* CloudBackupController::Close() const { return ui_->Close; }

void CloudBackupController::windowDidLoad() {
    ui_->Continue->setDefault(true);
    enableFields(false);
    std::string email, customerNumber;
    if (cloudbackup::storedEnrolment(email, customerNumber)) {
        ui_->CloudBackup_CheckBox->setChecked(true);
        ui_->EmailAdd_Backup->setText(QString::fromStdString(email));
        ui_->CustNum_Backup->setText(QString::fromStdString(customerNumber));
        enableFields(true);
    }
    previousEmail_ = ui_->EmailAdd_Backup->text();
    previousCustomerNumber_ = ui_->CustNum_Backup->text();
}

void CloudBackupController::enableFields(bool enable) {
    ui_->EmailAdd_Backup->setEnabled(enable);
    ui_->CustNum_Backup->setEnabled(enable);
}

void CloudBackupController::Cloudcheckbox() {
    if (ui_->CloudBackup_CheckBox->isChecked()) {
        enableFields(true);
        ui_->EmailAdd_Backup->setFocus();
        return;
    }
    enableFields(false);
    ui_->EmailAdd_Backup->clear();
    ui_->CustNum_Backup->clear();
    previousEmail_.clear();
    previousCustomerNumber_.clear();
    cloudbackup::switchOff();
}

void CloudBackupController::ContinueBackup_Clicked() {
    const bool ends = cloudbackup::continueEnrolment(ui_->CloudBackup_CheckBox->isChecked(),
                                                     ui_->EmailAdd_Backup->text().toStdString(),
                                                     ui_->CustNum_Backup->text().toStdString());
    if (ends) stopModal(this, kContinueCode);
}

void CloudBackupController::CloseBackup_Clicked() { stopModal(this, kCloseCode); }

// The close box and Escape end the dialog as Close does: no backup.
void CloudBackupController::reject() { CloseBackup_Clicked(); }

void CloudBackupController::Email_Action() {
    QLineEdit* field = ui_->EmailAdd_Backup;
    field->setText(textlimits::firstCharacters(field->text(), cloudbackup::kEmailLimit));
    previousEmail_ = field->text();
}

void CloudBackupController::CustNum_Action() {
    QLineEdit* field = ui_->CustNum_Backup;
    field->setText(textlimits::firstCharacters(field->text(), cloudbackup::kCustomerNumberLimit));
    previousCustomerNumber_ = field->text();
}
