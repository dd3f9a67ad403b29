#include "core/records/PayerChecks.h"

#include <algorithm>

#include "core/foundation/Utils.h"
#include "core/store/ComapnyInfo.h"

namespace payerchecks {

namespace {

bool emptyOrPhone(const std::string& text) { return text.empty() || Utils::isValidPhone(text); }

// At most eight characters, every one a digit.
bool isOregonBIN(const std::string& text) {
    const auto length = static_cast<int32_t>(Utils::characterCount(text));
    return length <= kOregonBINLimit && Utils::numNumericDigits(text) == length;
}

}  // namespace

std::vector<bool> checkPayer(const ComapnyInfo& p) {
    std::vector<bool> flags(kFlagCount, true);
    flags[kName] = Utils::isValidLength(p.getName(), 1, kNameLimit);
    flags[kAddress] = Utils::isValidLength(p.getAddress(), 1, kAddressLimit);
    flags[kCity] = Utils::isValidLength(p.getCity(), 1, kCityLimit);
    flags[kState] = p.getState() != kNoState;
    flags[kZip] = Utils::isValidZip(p.getZip());
    flags[kPhone] = !p.getPhone().empty() && Utils::isValidPhone(p.getPhone());
    flags[kFederalID] = Utils::isValidTaxID(p.getTaxID1());
    flags[kContactPerson] = Utils::isValidLength(p.getContact(), 0, kContactPersonLimit);
    flags[kContactPhone] = emptyOrPhone(p.getContactPhone());
    flags[kEmail] = Utils::isValidEmail(p.getEmail()) && Utils::isValidLength(p.getEmail(), 0, kEmailLimit);
    flags[kFax] = emptyOrPhone(p.getFax());
    flags[kOregonBIN] = isOregonBIN(p.getOregonBIN());
    return flags;
}

bool allPass(const std::vector<bool>& flags) {
    return std::all_of(flags.begin(), flags.end(), [](bool f) { return f; });
}

std::vector<std::string> errorStrings(const std::vector<bool>& flags) {
    struct Message {
        Flag flag;
        const char* text;
    };
    static const Message kMessages[] = {
        {kName, "Payer's Name: Must be between 1 and 40 characters."},
        {kFederalID, "Payer's Federal ID: Must be of form XXXXXXXXX, XX-XXXXXXX or XXX-XX-XXXX."},
        {kAddress, "Payer's Address: Must be between 1 and 40 characters."},
        {kCity, "Payer's City: Must be between 1 and 40 characters."},
        {kState, "Payer's State: Please select a State or province."},
        {kZip, "Payer's ZIP: Must be of form XXXXX or XXXXX-XXXX."},
        {kPhone, "Payer's Phone: Must be of form XXX-XXX-XXXX or XXXXXXXXXX or XXX-XXX-XXXX ext. XXXXX."},
        {kContactPerson, "Contact Person: Must be 40 characters or less."},
        {kContactPhone, "Contact's Phone: Must be of form XXX-XXX-XXXX or XXX-XXX-XXXX ext. XXXXX."},
        {kEmail, "Payer's/Contact's Email Address: Invalid email address. Please enter a valid email."},
        {kFax, "Contact's Fax Number: Must be of form XXX-XXX-XXXX or XXX-XXX-XXXX ext. XXXXX."},
        {kOregonBIN, "Oregon BIN: Must be 8 Numeric characters or less."},
    };
    std::vector<std::string> errors;
    for (const Message& m : kMessages)
        if (m.flag < flags.size() && !flags[m.flag]) errors.emplace_back(m.text);
    return errors;
}

std::string filingMethod(const std::string& stored) {
    if (stored == "FIRE" || stored == "IRIS") return stored;
    return "PRINT";
}

bool isOregon(const std::string& state) { return state == "OR" || state == "or" || state == "Oregon-OR"; }

}  // namespace payerchecks
