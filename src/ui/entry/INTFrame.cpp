#include "ui/entry/INTFrame.h"

#include "ui/main/AppDelegate.h"
#include "ui_INTFrame.h"

INTFrame* INTFrame::create(QWidget* parent) {
    std::optional<Target> t = target();
    if (!t) return nullptr;
    auto* window = new INTFrame(std::move(*t), parent ? parent : company_Refer);
    window->keepInMainWindow(true);
    return window;
}

INTFrame::INTFrame(Target t, QWidget* parent)
    : RecipientEntryWindow(entry::intForm(), std::move(t), parent), ui_(std::make_unique<Ui::INTFrame>()) {
    ui_->setupUi(this);
    load({"Add_Button", "Update_Button", "PreiviousText", "NextRecipient_Button", "Cancel_Buton"},
         {{{"LastNameStaticText", "FirstNameStaticText", "Middlename", "LastnameBtn", "Suffix",
            "RecipientidStaticText", "AddressStaticText", "Add2", "CityStaticText", "CountryStaticText",
            "ZIPStaticText", "Officecode", "AccountNumStaticText", "PayersRTNStaticText", "InterestIncomeStaticText",
            "EarlywithdrawStaticText", "InterestStaticText", "FederalIncomeStaticText", "InvestmentExpenceStaticText",
            "ForeignTaxpaidStaticText", "ForeignCountryStaticText", "TaxExemptStaticText",
            "SpecifiedPrivateStaticText", "MarketDiscountStaticText", "BondPremiumStaticText",
            "BondPremiumOnTreasuryStaticText", "BondPremiumOnTaxExamptStaticText", "TaxExemptandTaxCreditStaticText",
            "StateToppopup", "StateNumberStaticText", "StateTaxWithheldStaticText", "INT_StateINC1_P",
            "LocalIncometax", "StateSpecialdata", "StateButtompopup", "StateNumberStaticText1",
            "StateTaxWithheldStaticText1", "INT_StateINC2_P", "LocalIncometax2", "Statespecialdata2"}}});
}

INTFrame::~INTFrame() = default;

void INTFrame::keepInMainWindow(bool keep) {
    if (company_Refer) company_Refer->setInt(keep ? this : nullptr);
}
