#include "core/foundation/TinType.h"

#include "core/foundation/TextScan.h"

namespace tintype {

namespace {


// Whether the number is digits of the pattern's length with "-" where the pattern has
// one ("NN-NNNNNNN").
bool writtenAs(const std::string& number, const std::string& pattern) {
    if (number.size() != pattern.size()) return false;
    for (std::size_t i = 0; i < number.size(); ++i) {
        const bool digit = number[i] >= '0' && number[i] <= '9';
        if (pattern[i] == '-' ? number[i] != '-' : !digit) return false;
    }
    return true;
}

}  // namespace

const std::vector<std::string>& titles() {
    static const std::vector<std::string> kTitles{"SSN", "EIN", "ATIN", "ITIN", "QI-EIN", "UND"};
    return kTitles;
}

std::string title(const std::string& text) {
    const std::string wanted = textscan::upper(text);
    for (const std::string& t : titles())
        if (wanted == t) return t;
    return std::string();
}

std::string ofDashedNumber(const std::string& number) {
    if (writtenAs(number, "NN-NNNNNNN")) return "EIN";
    if (writtenAs(number, "NNN-NN-NNNN")) return "SSN";
    return std::string();
}

std::string ofRecipient(const std::string& number, bool business) {
    const std::string dashed = ofDashedNumber(number);
    if (!dashed.empty()) return dashed;
    return business ? "EIN" : "SSN";
}

bool contradicts(const std::string& number, const std::string& type) {
    const std::string shown = ofDashedNumber(number);
    if (shown.empty()) return false;
    const std::string stored = type.empty() ? std::string("SSN") : textscan::upper(type);
    if (shown == "SSN") return stored == "EIN" || stored == "QI-EIN";
    return stored == "SSN" || stored == "ITIN" || stored == "ATIN";
}

}  // namespace tintype
