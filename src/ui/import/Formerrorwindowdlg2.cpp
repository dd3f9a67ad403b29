#include "ui/import/Formerrorwindowdlg2.h"

#include <QPushButton>

#include "ui/support/ModalLoop.h"
#include "ui_Formerrorwindowdlg2.h"

Formerrorwindowdlg2::Formerrorwindowdlg2(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Formerrorwindowdlg2>()) {
    ui->setupUi(this);
    connect(ui->Errorok, &QPushButton::clicked, this, &Formerrorwindowdlg2::Error_OK);
    connect(ui->ErrorCancel, &QPushButton::clicked, this, &Formerrorwindowdlg2::Error_Cancel);
    ui->Errorok->setDefault(true);
}

Formerrorwindowdlg2::~Formerrorwindowdlg2() = default;

void Formerrorwindowdlg2::LoadData() {
    std::string text;
    for (const std::string& message : errorString_) text += message + "\n";
    ui->ErrorView->setPlainText(QString::fromStdString(text));
}

void Formerrorwindowdlg2::showEvent(QShowEvent* event) {
    LoadData();
    QDialog::showEvent(event);
}

void Formerrorwindowdlg2::Error_OK() {
    buttonSelection_ = 1;
    stopModal(this, kOKCode);
}

void Formerrorwindowdlg2::Error_Cancel() {
    buttonSelection_ = 0;
    stopModal(this, kCancelCode);
}

void Formerrorwindowdlg2::reject() { Error_Cancel(); }
