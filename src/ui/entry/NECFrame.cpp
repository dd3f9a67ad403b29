#include "ui/entry/NECFrame.h"

#include "ui/main/AppDelegate.h"
#include "ui_NECFrame.h"

NECFrame* NECFrame::create(QWidget* parent) {
    std::optional<Target> t = target();
    if (!t) return nullptr;
    auto* window = new NECFrame(std::move(*t), parent ? parent : company_Refer);
    window->keepInMainWindow(true);
    return window;
}

NECFrame::NECFrame(Target t, QWidget* parent)
    : RecipientEntryWindow(entry::necForm(), std::move(t), parent), ui_(std::make_unique<Ui::NECFrame>()) {
    ui_->setupUi(this);
    load({"AddRecipient_Button", "UpdateRecipient_Button", "Previous_Button", "NextRecipient_Button", "Cancel_button"},
         {{{"CompanyLastName_Text", "FirstName_Text", "Middlename", "Lastname", "SUffix", "Recipient_ID",
            "RecAddress_Text", "Add2", "ReciCity_text", "ReciCountry_Text", "ReciZip_Text", "Officecode",
            "ReciAccountNum_Text"}},
          {{"Nonemployeecompansation", "Reserved2_Text", "Federalincometaxwihheld", "Nec_State1_P",
            "StateTaxWithheld1_Text", "StateNum1_Text", "StateIncome1_Text", "Statelocal1", "StateSpecialdata",
            "Nec_State2_P", "StateTaxWithheld2_Text", "StateNum2_Text", "StateIncome2_Text", "Statelocal2",
            "Statespecialdata1"}}});
}

NECFrame::~NECFrame() = default;

void NECFrame::keepInMainWindow(bool keep) {
    if (company_Refer) company_Refer->setNECframe(keep ? this : nullptr);
}
