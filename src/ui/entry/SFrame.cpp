#include "ui/entry/SFrame.h"

#include "ui/main/AppDelegate.h"
#include "ui_SFrame.h"

SFrame* SFrame::create(QWidget* parent) {
    std::optional<Target> t = target();
    if (!t) return nullptr;
    auto* window = new SFrame(std::move(*t), parent ? parent : company_Refer);
    window->keepInMainWindow(true);
    return window;
}

SFrame::SFrame(Target t, QWidget* parent)
    : RecipientEntryWindow(entry::sForm(), std::move(t), parent), ui_(std::make_unique<Ui::SFrame>()) {
    ui_->setupUi(this);
    load({"Add_Button", "Update_Button", "Previous_Button", "NextRecipient_Button", "Cancel_Button"},
         {{{"LastNameStaticText", "FirstNameStaticText", "middlename", "lastname", "suffix", "RecipientidStaticText",
            "AddressStaticText", "add2", "CityStaticText", "CountryStaticText", "AddressNotInUS", "Statepopup",
            "NonUSstate_Btn", "ZIPStaticText", "Officecode", "AccountNumStaticText"}},
          {{"DateofCloseStaticText", "GrossProceedStaticText", "InfoAddressStaticText", "InfoCityStaticText",
            "Stateinfopopup", "InfoZIPStaticText", "Info1Checkbox", "Info2Checkbox", "BuyerspartStaticText", "VOID_FORM",
            "CORRECTED"}}});
}

SFrame::~SFrame() = default;

void SFrame::keepInMainWindow(bool keep) {
    if (company_Refer) company_Refer->setSframe(keep ? this : nullptr);
}
