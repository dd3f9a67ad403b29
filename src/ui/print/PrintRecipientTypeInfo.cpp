#include "ui/print/PrintRecipientTypeInfo.h"

#include <QPushButton>

#include "ui/support/FormErrorDialog.h"
#include "ui_PrintRecipientTypeInfo.h"

PrintRecipientTypeInfo::PrintRecipientTypeInfo(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::PrintRecipientTypeInfo>()) {
    ui_->setupUi(this);
    connect(ui_->Ok_btn, &QPushButton::clicked, this, &PrintRecipientTypeInfo::PrintRecipType_OK);
}

PrintRecipientTypeInfo::~PrintRecipientTypeInfo() = default;

void PrintRecipientTypeInfo::PrintRecipType_OK() {
    close();
    // Made without a parent, so that closing the notice does not take the list with it;
    // the notice keeps it for its next showing.
    if (!FormErrorController_) FormErrorController_ = std::make_unique<FormErrorDialog>();
    FormErrorController_->show();
    FormErrorController_->raise();
}
