// The 1099-S entry window's fields, and its Box 3 rule: the property is given either by
// a legal description alone or by an address with city, state and ZIP code.

#include "core/entry/EntryFormRows.h"
#include "core/entry/RecipientEntry.h"
#include "core/foundation/Utils.h"

namespace entry {

namespace {

constexpr int32_t kBox3Address = 12;
constexpr int32_t kBox3City = 13;
constexpr int32_t kBox3State = 14;
constexpr int32_t kBox3Zip = 15;

void box3Rule(const EntryFormTable& formTable, const EntryView& view, std::vector<bool>& flags) {
    const std::string& address = view.text[formTable.indexOf("InfoAddressStaticText")];
    const std::string& city = view.text[formTable.indexOf("InfoCityStaticText")];
    const std::string& state = view.text[formTable.indexOf("Stateinfopopup")];
    const std::string& zip = view.text[formTable.indexOf("InfoZIPStaticText")];
    auto set = [&flags](int32_t flag, bool value) { flags[static_cast<std::size_t>(flag)] = value; };
    if (city.empty() && zip.empty() && (state == "None" || state.empty())) {
        // A legal description of the property, in the address field alone.
        set(kBox3Address, Utils::isValidLength(address, 1, 39));
        set(kBox3City, true);
        set(kBox3State, true);
        set(kBox3Zip, true);
        return;
    }
    // The address and the city share one line of the form.
    const bool fits = Utils::isValidLength(address + " " + city, 1, 25);
    set(kBox3Address, !address.empty() && fits);
    set(kBox3City, !city.empty() && fits);
    set(kBox3State, state != "None");
    set(kBox3Zip, Utils::isValidZip(zip));
}

std::vector<std::string> box3Messages(const std::vector<bool>& flags) {
    const auto ok = [&flags](int32_t flag) { return static_cast<bool>(flags[static_cast<std::size_t>(flag)]); };
    if (!ok(kBox3Address) && ok(kBox3City) && ok(kBox3State) && ok(kBox3Zip))
        return {"Box 3 Address or legal description: Must be between 1 and 39 characters."};
    std::vector<std::string> messages;
    if (!ok(kBox3Address) || !ok(kBox3City))
        messages.emplace_back("Box 3 Address and City: Must be between 1 and 25 characters combined.");
    if (!ok(kBox3State)) messages.emplace_back("Box 3 State: Please select a State or Province.");
    if (!ok(kBox3Zip)) messages.emplace_back("Box 3 ZIP: Must be of form XXXXX or XXXXX-XXXX.");
    return messages;
}

}  // namespace

const EntryFormTable& sForm() {
    using namespace rows;
    static const EntryFormTable formTable = [] {
        EntryFormTable s;
        s.kind = 5;
        s.window = "SFrame";
        s.closeTitle = "1099 S";
        s.flagCount = 26;
        s.alwaysTrue = {0, 1, 16, 18, 19};
        s.surnameFlag = 22;
        s.errorOrder = {2, 3, 4, 22, 5, 6, 7, 8, 25, 24, 9, 10, 11, kFormRuleMessages, 17};
        s.formRule = box3Rule;
        s.formRuleMessages = box3Messages;

        EntryField tin = taxID("RecipientidStaticText");
        tin.message = "Transferor Tax Payer ID Number: Must be of form XXXXXXXXX, XX-XXXXXXX or XXX-XX-XXXX.";
        EntryField first = firstName("FirstNameStaticText");
        first.checkMaximum = 40;
        EntryField last = surname("lastname", 22);
        last.checkMaximum = 40;
        EntryField account = accountNumber("AccountNumStaticText");
        account.message = "Account or escrow number: Must be 20 characters or less.";
        EntryField zipCode = zip("ZIPStaticText");
        zipCode.check = Check::ZipEvenForeign;
        auto box3 = [](const char* outlet, int32_t maximum, int32_t flag, FieldStore store) {
            return EntryField{.outlet = outlet, .maximum = maximum, .cut = maximum, .flag = flag,
                              .check = Check::FormRule, .store = store};
        };
        EntryField box3State = stateRow("Stateinfopopup", inInfo(&R::getS_State_Line3, &R::setS_State_Line3));
        box3State.maximum = 15;
        box3State.flag = kBox3State;
        box3State.check = Check::FormRule;
        box3State.conversion = Conversion::StateItem;

        s.fields = {
            nameType("nametype"),
            tinType("Tin_type"),
            tin,
            businessName("LastNameStaticText"),
            first,
            middleName("middlename", 21),
            last,
            suffix("suffix", 20, 40),
            address("AddressStaticText"),
            address2("add2", 23),
            city("CityStaticText"),
            addressState("Statepopup", Check::AddressStateBlankPasses),
            province("NonUSstate_Btn"),
            zipCode,
            country("CountryStaticText", 25),
            account,
            officeCode("Officecode", 24),
            {.outlet = "DateofCloseStaticText", .maximum = 22, .cut = 22, .flag = 10, .check = Check::Date,
             .message = "Box 1: Must be a valid date of form MM/DD/YYYY.",
             .store = inInfo(&R::getS_Line1, &R::setS_Line1)},
            amount("GrossProceedStaticText", 11, "Box 2: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getS_Line2, &R::setS_Line2)),
            box3("InfoAddressStaticText", 30, kBox3Address,
                 inInfo(&R::getS_Address_Line3, &R::setS_Address_Line3)),
            box3("InfoCityStaticText", 25, kBox3City, inInfo(&R::getS_City_Line3, &R::setS_City_Line3)),
            box3State,
            box3("InfoZIPStaticText", 10, kBox3Zip, inInfo(&R::getS_Zip_Line3, &R::setS_Zip_Line3)),
            amount("BuyerspartStaticText", 17, "Box 6: Must be positive and of form ...X,XXX.XX or ...XXXX.XX.",
                   inInfo(&R::getS_Line5, &R::setS_Line5)),
            checkBox("Info1Checkbox", flagInInfo(&R::getS_Line4, &R::setS_Line4)),
            checkBox("Info2Checkbox", flagInInfo(&R::getS_Line6, &R::setS_Line6)),
            voided("VOID_FORM"),
            corrected("CORRECTED"),
            foreignAddress("AddressNotInUS"),
        };
        return s;
    }();
    return formTable;
}

}  // namespace entry
