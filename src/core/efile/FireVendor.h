#pragma once

// The maker of this program as the FIRE transmitter record names it (vendor block,
// positions 519-704). Placeholders until the owner fills in the maker's real data.
// The file carries them upper-cased through filter 2, so they may hold only A-Z, 0-9,
// the blank, "-" and "&"; the checks below keep them so.

#include <string_view>

namespace firevendor {

constexpr std::string_view kName = "TALVEXA SOFTWARE";          // 40
constexpr std::string_view kMailingAddress = "VENDOR ADDRESS";  // 40
constexpr std::string_view kCity = "VENDOR CITY";               // 40
constexpr std::string_view kState = "NY";                       // 2, postal code
constexpr std::string_view kZip = "000000000";                  // 9
constexpr std::string_view kContactName = "VENDOR CONTACT";     // 40
constexpr std::string_view kContactPhone = "0000000000";        // 15, telephone and extension

constexpr bool fits(std::string_view value, std::size_t width) {
    if (value.size() > width) return false;
    for (char c : value) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' || c == '-' || c == '&';
        if (!ok) return false;
    }
    return true;
}

static_assert(fits(kName, 40) && fits(kMailingAddress, 40) && fits(kCity, 40) && fits(kState, 2) &&
                  kState.size() == 2 && fits(kZip, 9) && fits(kContactName, 40) && fits(kContactPhone, 15),
              "vendor data: A-Z, 0-9, blank, '-' and '&' only, within the field widths");

}  // namespace firevendor
