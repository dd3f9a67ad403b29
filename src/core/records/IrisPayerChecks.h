#pragma once

#include <cstddef>
#include <string>
#include <vector>

class ComapnyInfo;

// The checks of a payer's details as the tax agency's IRIS system wants them (name
// type, taxpayer-number type, the individual name parts, phone type, address, country),
// as the IRIS payer window shows them: one flag per check, true when it passes, and the
// message of each failing flag for the error list.
namespace irispayerchecks {

// Positions of the flags. The unused positions are no check of their own and always pass.
enum Check : std::size_t {
    kNameTypeCheck,
    kTinTypeCheck,
    kBusinessNameCheck,
    kTaxIdCheck,
    kSuffixCheck,
    kFirstNameCheck,
    kMiddleNameCheck,
    kLastNameCheck,
    kUnusedCheck8,
    kPhoneCheck,
    kAddressLine1Check,
    kAddressLine2Check,
    kCityCheck,
    kStateCheck,
    kZipCheck,
    kCountryCheck,
    kUnusedCheck16,
    kCheckCount
};

// The items of the name-type and phone-type pop-ups.
inline constexpr const char* kIndividual = "Individual";
inline constexpr const char* kBusinessName = "Business Name";
inline constexpr const char* kDomestic = "Domestic";
inline constexpr const char* kInternational = "International";
// The title of the state list's first item, which is no state.
inline constexpr const char* kNoState = "None";

// The limits of the text fields, in characters.
inline constexpr int kBusinessNameLimit = 40;
inline constexpr int kTaxIdLimit = 11;
inline constexpr int kNamePartLimit = 20;   // suffix, first, middle and last name
inline constexpr int kPhoneLimit = 15;
inline constexpr int kAddressLimit = 40;    // both address lines
inline constexpr int kCityLimit = 40;
inline constexpr int kZipLimit = 10;
// A country may be typed up to 18 characters; a longer stored one is cut to 40.
inline constexpr int kCountryTypingLimit = 18;
inline constexpr int kCountryLimit = 40;

// What the window says when no name type is chosen.
inline constexpr const char* kNameTypeMissing =
    "You must enter a Payer Name between 1 and 40 characters to save this Company.";

// Every flag of the payer's name type, taxpayer-number type ("SSN" or "EIN"), business
// name, taxpayer number, name parts (first and last name required of an individual),
// phone (by its phone type), address lines, city, state (the chosen item's title), ZIP
// and country.
std::vector<bool> checkPayer(const ComapnyInfo& payer);

bool allPass(const std::vector<bool>& flags);

// The messages of the failing flags, in the order the error list shows them; the phone's
// message depends on the phone type.
std::vector<std::string> errorStrings(const std::vector<bool>& flags, const std::string& phoneType);

}  // namespace irispayerchecks
