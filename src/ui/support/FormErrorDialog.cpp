#include "ui/support/FormErrorDialog.h"

#include "ui/support/ModalLoop.h"
#include "ui_FormErrorDialog.h"

FormErrorDialog::FormErrorDialog(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::FormErrorDialog>()) {
    ui_->setupUi(this);
    connect(ui_->Errorok, &QPushButton::clicked, this, &FormErrorDialog::Error_OK);
    connect(ui_->ErrorCancel, &QPushButton::clicked, this, &FormErrorDialog::Error_Cancel);
}

FormErrorDialog::~FormErrorDialog() = default;

void FormErrorDialog::geterrors(const std::vector<std::string>& errors) { errorString_ = errors; }

void FormErrorDialog::LoadData() {
    std::string text;
    for (const std::string& message : errorString_) text += message + "\n";
    ui_->ErrorView->setPlainText(QString::fromStdString(text));
}

void FormErrorDialog::showEvent(QShowEvent* event) {
    LoadData();
    QDialog::showEvent(event);
}

void FormErrorDialog::Error_OK() {
    buttonSelection_ = 1;
    stopModal(this, kSaveAnywayCode);
    // Shown without a modal run, the list closes here.
    hide();
}

void FormErrorDialog::Error_Cancel() {
    buttonSelection_ = 0;
    stopModal(this, kGoBackCode);
    hide();
}

void FormErrorDialog::reject() { Error_Cancel(); }
