#include "ui/entry/RFrame.h"

#include "ui/main/AppDelegate.h"
#include "ui_RFrame.h"

RFrame* RFrame::create(QWidget* parent) {
    std::optional<Target> t = target();
    if (!t) return nullptr;
    auto* window = new RFrame(std::move(*t), parent ? parent : company_Refer);
    window->keepInMainWindow(true);
    return window;
}

RFrame::RFrame(Target t, QWidget* parent)
    : RecipientEntryWindow(entry::rForm(), std::move(t), parent), ui_(std::make_unique<Ui::RFrame>()) {
    ui_->setupUi(this);
    load({"Add_Button", "Update_Button", "Previous_button", "NextRecipient_Button", "Cancel_Button"},
         {{{"LastNameStaticText", "FirstNameStaticText", "Middlename", "LastName", "Sufix", "RecipientidStaticText",
            "AddressStaticText", "Add2", "CityStaticText", "CountryStaticText", "AddressCheckbox", "Statepopup",
            "NonUS_Btn", "ZIPStaticText", "Officecode", "AccountNumStaticText", "DateOfPaymentStaticText"}},
          {{"GrossDistributeStaticText", "TaxableAmtStaticText", "secondTINCheckbox", "PayerMadeCheckbox",
            "CapitalGainStaticText", "FederalIncomeStaticText", "EmpContributionStaticText", "NetUnrealizedStaticText",
            "DistributionCodeStaticText", "IRASEPCheckbox", "OtherStaticText", "OtherStaticText1",
            "PerOfTotalDistStaticText", "TotalEmpContributionStaticText", "AmountAllocableStaticText",
            "FirstYearofDesigStaticText", "FATCACheckbox", "R_State1_P", "StateTaxWithheldStaticText",
            "StateNumberStaticText", "StateIncomeStaticText", "LocalTaxWithheldStaticText",
            "NameOfLocalityStaticText", "LocalDistributionStaticText", "R_StateInc1_P", "StateLocalincome",
            "StateSpecialdata", "R_State2_P", "StateTaxWithheldStaticText1", "StateNumberStaticText1",
            "StateIncomeStaticText1", "LocalTaxWithheldStaticText1", "NameOfLocalityStaticText1",
            "LocalDistributionStaticText1", "R_StateInc2_P", "StateLocalIncome2", "Statespecialdata1", "Void",
            "Corrected"}}});
}

RFrame::~RFrame() = default;

void RFrame::keepInMainWindow(bool keep) {
    if (company_Refer) company_Refer->setRframe(keep ? this : nullptr);
}
