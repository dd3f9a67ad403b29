#include "ui/main/InformationDialog.h"

#include <QCloseEvent>
#include <QPushButton>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "ui/support/CopiedAlert.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/Icons.h"
#include "ui/support/ModalLoop.h"
#include "ui_InformationDialog.h"

InformationDialog::InformationDialog(QWidget* parent) : QDialog(parent), ui(new Ui::InformationDialog) {
    ui->setupUi(this);
    ui->iconLabel->setPixmap(talvexaIcon(IconKind::Info).scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    // Print is tinted blue; only Continue, the Return-key button, looks like the default.
    QPalette tinted = ui->Printbtn->palette();
    tinted.setColor(QPalette::ButtonText, QColor(0x2b, 0x6c, 0xd4));
    ui->Printbtn->setPalette(tinted);
    ui->Continue_Button->setDefault(true);
    ui->Continue_Button->setFocus();
    connect(ui->Continue_Button, &QPushButton::clicked, this, &InformationDialog::Information_Continue);
    connect(ui->Printbtn, &QPushButton::clicked, this, &InformationDialog::Information_Print);
    connect(ui->Copybtn, &QPushButton::clicked, this, &InformationDialog::Information_Copy);
}

InformationDialog::~InformationDialog() = default;

std::string InformationDialog::textToHandOn() const { return ui->msgview->toPlainText().toStdString() + "\n\n"; }

void InformationDialog::Information_Continue() {
    if (ending_) return;
    ending_ = true;
    stopModal(this, kContinueCode);
    hide();
    QDialog::done(kContinueCode);
    ending_ = false;
}

void InformationDialog::reject() { Information_Continue(); }

void InformationDialog::closeEvent(QCloseEvent* event) {
    Information_Continue();
    event->accept();
}

void InformationDialog::Information_Print() {
    // The preview prints on request and ends when closed; nothing follows.
    userInterface().printPreview(textToHandOn());
}

void InformationDialog::Information_Copy() {
    if (copyTextToClipboard(textToHandOn())) {
        showCopiedAlert(this, CopiedAlertForm::Large, "Important Information");
        return;
    }
    tvDatabase::tvMessageBox("Unable to copy message.",
                             "To resolve this issue, try to selecting some of this text and copying it using "
                             "Ctrl+C to clear your clipboard of any recently copied pictures or files. Talvexa "
                             "1099 cannot use the clipboard if something other that text is currently on it.",
                             kMessageStyleOK, "Talvexa 1099 E-File 2025", kMessageImageError, false);
}
