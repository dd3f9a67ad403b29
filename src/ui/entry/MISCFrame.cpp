#include "ui/entry/MISCFrame.h"

#include "ui/main/AppDelegate.h"
#include "ui_MISCFrame.h"

MISCFrame* MISCFrame::create(QWidget* parent) {
    std::optional<Target> t = target();
    if (!t) return nullptr;
    auto* window = new MISCFrame(std::move(*t), parent ? parent : company_Refer);
    window->keepInMainWindow(true);
    return window;
}

MISCFrame::MISCFrame(Target t, QWidget* parent)
    : RecipientEntryWindow(entry::miscForm(), std::move(t), parent), ui_(std::make_unique<Ui::MISCFrame>()) {
    ui_->setupUi(this);
    load({"AddRecipient_Button", "UpdateRecipient_Button", "Previous_Button", "NextRecipient_Button", "Cancel_button"},
         {{{"Name_Type", "CompanyLastName_Text", "FirstName_Text", "Middle_Name", "Last_Name", "Suffix",
            "Recipient_ID", "RecAddress_Text", "Address2", "ReciCity_text", "ReciCountry_Text", "Statepopup",
            "NonUSterritory", "ReciZip_Text", "Office_Code", "ReciAccountNum_Text", "Rents_Text", "Royalties_Text", "OtherIncome_Text",
            "FedIncomeTax_Text", "FinishingBoat_Text", "MedanHealth_Text", "PayerMade_Checkbox",
            "SubstitutePaye_Text", "NonEmployeeComp_Text", "CropInsurance_Text", "Reserved1_Text",
            "Section409Adef_Text", "GrossProceeds_Text", "M_topState_P", "StateTaxWithheld1_Text", "StateNum1_Text",
            "StateIncome1_Text", "LocalIncometax", "Statespecialdata1", "M_bottomState_P", "StateTaxWithheld2_Text",
            "StateNum2_Text", "StateIncome2_Text", "Localincometax2", "Statespecialdata2"}}});
}

MISCFrame::~MISCFrame() = default;

void MISCFrame::keepInMainWindow(bool keep) {
    if (company_Refer) company_Refer->setMiscframe(keep ? this : nullptr);
}
