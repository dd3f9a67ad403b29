#pragma once

// The maker of this program as the FIRE transmitter record names it (vendor block,
// positions 519-704). The values come from the build's configuration (the
// TALVEXA_VENDOR_* cache variables of cmake/FireVendor.cmake); a build that does not
// set them carries placeholders. The file carries them upper-cased through filter 2, so
// they may hold only A-Z, 0-9, the blank, "-" and "&": the configure checks that, and
// the checks below keep it so.

#include <string_view>

#include "core/efile/FireVendorValues.h"

namespace firevendor {

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
