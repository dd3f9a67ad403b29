#include "ui/records/RecipientType.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>

#include "core/foundation/FormKind.h"
#include "ui/main/AppDelegate.h"
#include "ui/support/ModalLoop.h"
#include "ui_RecipientType.h"

RecipientType::RecipientType(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::RecipientType>()) {
    ui_->setupUi(this);
    kinds_ = new QButtonGroup(this);
    kinds_->setExclusive(true);
    // Ids are the form kind codes; 6 is no kind.
    kinds_->addButton(ui_->MiscType_Data, 1);
    kinds_->addButton(ui_->DivType_Data, 2);
    kinds_->addButton(ui_->INTType_Data, 3);
    kinds_->addButton(ui_->RType_Data, 4);
    kinds_->addButton(ui_->SType_Data, 5);
    kinds_->addButton(ui_->NECType_Data, FormKind::kNec);

    switches_ = readFormKindSwitches();
    const std::pair<bool, QRadioButton*> preset[] = {
        {switches_.MISC, ui_->MiscType_Data}, {switches_.DIV, ui_->DivType_Data}, {switches_.INT, ui_->INTType_Data},
        {switches_.R, ui_->RType_Data},       {switches_.S, ui_->SType_Data},     {switches_.NEC, ui_->NECType_Data}};
    for (const auto& [on, button] : preset) {
        if (on) {
            button->setChecked(true);
            break;
        }
    }
    connect(ui_->OK_Button, &QPushButton::clicked, this, &RecipientType::RecipientType_OK);
    connect(ui_->Cancel_Button, &QPushButton::clicked, this, &RecipientType::RecipientType_Close);
    ui_->OK_Button->setDefault(true);
    if (QAbstractButton* chosen = kinds_->checkedButton())
        chosen->setFocus();
    else
        ui_->MiscType_Data->setFocus();
}

RecipientType::~RecipientType() = default;

void RecipientType::RecipientType_OK() {
    const int kind = kinds_->checkedId();
    if (kind < 0) return;
    typeOfRecipient_ = kind;
    end(kChosenCode);
    if (company_Refer) company_Refer->Open1099Dialog(2, kind);
}

void RecipientType::RecipientType_Close() { end(kCancelCode); }

void RecipientType::reject() { RecipientType_Close(); }

void RecipientType::end(int code) {
    stopModal(this, code);
    QDialog::done(code);
}
