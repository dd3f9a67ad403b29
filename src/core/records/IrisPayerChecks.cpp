#include "core/records/IrisPayerChecks.h"

#include <algorithm>

#include "core/foundation/Utils.h"
#include "core/store/ComapnyInfo.h"

namespace irispayerchecks {

std::vector<bool> checkPayer(const ComapnyInfo& p) {
    const bool individual = p.getpayernametype() == kIndividual;
    const std::string& country = p.getpayercountry();
    std::vector<bool> f(kCheckCount, true);
    f[kNameTypeCheck] = Utils::isValidLength(p.getpayernametype(), 1, 40);
    f[kTinTypeCheck] = p.getpayertintype() == "SSN" || p.getpayertintype() == "EIN";
    f[kBusinessNameCheck] = Utils::isValidLength(p.getName(), 1, kBusinessNameLimit);
    f[kTaxIdCheck] = Utils::isValidTaxID(p.getTaxID1());
    f[kSuffixCheck] = Utils::isValidLength(p.getpayersuffix(), 0, kNamePartLimit);
    f[kFirstNameCheck] = !individual || Utils::isValidLength(p.getfirstname(), 1, kNamePartLimit);
    f[kMiddleNameCheck] = Utils::isValidLength(p.getmiddleName(), 0, kNamePartLimit);
    f[kLastNameCheck] = !individual || Utils::isValidLength(p.getpayerlastname(), 1, kNamePartLimit);
    f[kPhoneCheck] = Utils::isValidInternationalPhone(p.getPhone(), p.getphone_type());
    f[kAddressLine1Check] = Utils::isValidLength(p.getAddress(), 1, kAddressLimit);
    // Many addresses have no second line.
    f[kAddressLine2Check] = Utils::isValidLength(p.getbussinessadd2(), 0, kAddressLimit);
    f[kCityCheck] = Utils::isValidLength(p.getCity(), 1, kCityLimit);
    f[kStateCheck] = p.getState() != kNoState;
    f[kZipCheck] = Utils::isValidZip(p.getZip());
    f[kCountryCheck] = Utils::isValidLength(country, 1, kCountryLimit) && Utils::isAlphabetic(country);
    return f;
}

bool allPass(const std::vector<bool>& flags) {
    return std::all_of(flags.begin(), flags.end(), [](bool passed) { return passed; });
}

std::vector<std::string> errorStrings(const std::vector<bool>& flags, const std::string& phoneType) {
    struct Message {
        Check check;
        const char* text;
    };
    // Every failing field is listed, so that no check fails the payer without a word.
    static const Message kMessages[] = {
        {kBusinessNameCheck, "Business Name: Must be between 1 and 40 characters."},
        {kTaxIdCheck, "Taxpayer ID Number: Must be of form XXXXXXXXX, XX-XXXXXXX or XXX-XX-XXXX."},
        {kFirstNameCheck, "First Name: Must be between 1 and 20 characters."},
        {kMiddleNameCheck, "Middle Name: Must be 20 characters or less."},
        {kLastNameCheck, "Last Name: Must be between 1 and 20 characters."},
        {kSuffixCheck, "Suffix: Must be 20 characters or less."},
        {kAddressLine1Check, "Business address line 1: Must be between 1 and 40 characters."},
        {kAddressLine2Check, "Business address line 2: Must be 40 characters or less."},
        {kCityCheck, "City/Town: Must be between 1 and 40 characters."},
        {kStateCheck, "State/Province/Territory: Please select a State or province."},
        {kZipCheck, "ZIP/Postal code: Must be of form XXXXX or XXXXX-XXXX."},
        {kCountryCheck, "Country: Must be between 1 and 15 characters and it should not have any numerics."},
    };
    std::vector<std::string> errors;
    for (const Message& m : kMessages)
        if (m.check < flags.size() && !flags[m.check]) errors.emplace_back(m.text);
    if (kPhoneCheck < flags.size() && !flags[kPhoneCheck])
        errors.emplace_back(phoneType == kInternational
                                ? "Payer's Phone:International phone number must contain between 10 and 15 digits "
                                  "after '+'."
                                : "Phone: Must be of form XXX-XXX-XXXX or XXXXXXXXXX or XXX-XXX-XXXX ext. XXXXX.");
    return errors;
}

}  // namespace irispayerchecks
