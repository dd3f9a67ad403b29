#include "ui/entry/DIVFrame.h"

#include "ui/main/AppDelegate.h"
#include "ui_DIVFrame.h"

DIVFrame* DIVFrame::create(QWidget* parent) {
    std::optional<Target> t = target();
    if (!t) return nullptr;
    auto* window = new DIVFrame(std::move(*t), parent ? parent : company_Refer);
    window->keepInMainWindow(true);
    return window;
}

DIVFrame::DIVFrame(Target t, QWidget* parent)
    : RecipientEntryWindow(entry::divForm(), std::move(t), parent), ui_(std::make_unique<Ui::DIVFrame>()) {
    ui_->setupUi(this);
    load({"Add_Recipient", "Update", "Previous", "NextRecipient", "Cancel_Button"},
         {{{"LastNameStaticText", "FirstNameStaticText", "Middlename", "Lastname_action", "Suffix",
            "RecipientidStaticText", "AddressStaticText", "Address2", "CityStaticText", "CountryStaticText",
            "Addresscheckbox", "StatePopupBtn", "NonUSstate_btn", "ZIPStaticText", "Officecode", "AccountNumStaticText",
            "secondTINCheckbox", "FATCACheckbox", "TotalOrdinaryStaticText",
            "QualifiedStaticText", "TotalcapitalStaticText", "UnrecapStaticText", "Section1202StaticText",
            "CollectiblesStaticText", "Section897_Statictext", "Section897Capital", "NonDividentStaticText",
            "FederalIncomeStaticText", "Sec199ADividends", "InvestmentStaticText", "ForeignTaxStaticText",
            "ForeignCountryStaticText", "CashLiquidStaticText", "NonCashLiquidStaticText", "ExemptStaticText",
            "SpecifiedTStaticText", "StateTop_popupBtn", "StateNumberStaticText", "StateTaxWithheldStaticText",
            "D_StateInc1_P", "LocalIncometax", "Statespecialdata1", "StateButtom_popupBtn", "StateNumberStaticText1",
            "StateTaxWithheldStaticText1",
            "D_StateInc2_P", "Localincometax2", "Statespecialdata2"}}});
}

DIVFrame::~DIVFrame() = default;

void DIVFrame::keepInMainWindow(bool keep) {
    if (company_Refer) company_Refer->setDiv(keep ? this : nullptr);
}
