#include "core/records/TransmitterChecks.h"

#include <algorithm>

#include "core/foundation/Utils.h"
#include "core/store/E_FileInfo.h"

namespace transmitterchecks {

namespace {

const char* const kMessages[kFlagCount] = {
    "Transmitter Control Code: Must be 5 alpha/numeric characters.",
    "Transmitter's TIN: Must be 9 digits.",
    "Transmitter Name: Must be between 1 and 40 characters",
    "Transmitter Company: Must be between 1 and 40 characters.",
    "Transmitter's Mailing Address: Must be between 1 and 40 characters.",
    "Transmitter's City: Must be between 1 and 40 characters.",
    "Transmitter's State: Please select a State or Province.",
    "Transmitter's Zip: Must be of form XXXXX or XXXXX-XXXX.",
    "Contact Name: Must be between 1 and 40 characters.",
    "Contact's Phone Number: Must be of form XXX-XXX-XXXX or XXX-XXX-XXXX ext. XXXXX.",
    "Contact's E-mail Address: Must be 50 characters or less.",
};
// The e-mail travels as typed into the file, which holds ASCII only.
const char kEmailNotAscii[] = "Contact's E-mail Address: Must contain only ASCII letters, digits and symbols.";

bool isControlCode(const std::string& text) {
    return text.size() == static_cast<std::size_t>(kTCCLimit) && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
           });
}

bool isPrintableAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

bool emailFits(const std::string& email) { return Utils::isValidLength(email, 0, kEmailLimit); }

}  // namespace

std::vector<bool> checkTransmitter(const E_FileInfo& t) {
    std::vector<bool> flags(kFlagCount, true);
    flags[kTCC] = isControlCode(t.getTCC());
    flags[kTIN] = Utils::isValidTaxID(t.getTIN());
    flags[kName] = Utils::isValidLength(t.getName(), 1, kNameLimit);
    flags[kCompany] = Utils::isValidLength(t.getCompany(), 1, kCompanyLimit);
    flags[kAddress] = Utils::isValidLength(t.getAddress(), 1, kAddressLimit);
    flags[kCity] = Utils::isValidLength(t.getCity(), 1, kCityLimit);
    flags[kState] = t.getState() != kNoState;
    flags[kZip] = Utils::isValidZip(t.getZip());
    flags[kContact] = Utils::isValidLength(t.getContact(), 1, kContactLimit);
    flags[kPhone] = Utils::isValidPhone(t.getPhone());
    flags[kEmail] = emailFits(t.getEmail()) && isPrintableAscii(t.getEmail());
    return flags;
}

bool allPass(const std::vector<bool>& flags) {
    return std::all_of(flags.begin(), flags.end(), [](bool f) { return f; });
}

std::vector<std::string> errorStrings(const E_FileInfo& transmitter, const std::vector<bool>& flags) {
    std::vector<std::string> messages;
    for (std::size_t flag = 0; flag < kFlagCount && flag < flags.size(); ++flag) {
        if (flags[flag]) continue;
        messages.emplace_back(flag == kEmail && emailFits(transmitter.getEmail()) ? kEmailNotAscii : kMessages[flag]);
    }
    return messages;
}

}  // namespace transmitterchecks
