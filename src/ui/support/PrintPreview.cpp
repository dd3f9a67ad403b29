#include "ui/support/PrintPreview.h"

#include "core/foundation/UserInterface.h"

#include "ui/support/DesktopServices.h"
#include "ui/support/ModalLoop.h"
#include "ui_PrintPreview.h"

PrintPreview::PrintPreview(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::PrintPreview>()) {
    ui_->setupUi(this);
    connect(ui_->Print_Button, &QPushButton::clicked, this, &PrintPreview::Print_text);
    connect(ui_->Close_Button, &QPushButton::clicked, this, &PrintPreview::Print_Close);
}

PrintPreview::~PrintPreview() = default;

void PrintPreview::setText_Content(const std::string& text) {
    text_Content_ = text;
    ui_->Print_Message->setPlainText(QString::fromStdString(text));
}

void PrintPreview::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui_->Print_Message->moveCursor(QTextCursor::Start);
}

void PrintPreview::Print_text() { printText(this, ui_->Print_Message->toPlainText().toStdString()); }

void PrintPreview::Print_Close() { stopModal(this, kPrintPreviewClosedCode); }

void PrintPreview::reject() { Print_Close(); }
