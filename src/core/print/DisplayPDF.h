#pragma once

#include <cstdint>
#include <string>

// The print job of the form print runs. For now it holds only the amount-to-cents
// conversion that the runs' per-form sums and the 1096 totals share; it uses no state
// of a job, so it is callable without one.
class DisplayPDF {
public:
    // Amount text to whole cents. The empty text and text without a decimal point
    // give 0 (amount columns may hold "-1" markers, which must count nothing).
    // Otherwise: leading blanks and an optional sign, the dollars (commas skipped),
    // the point and up to two cent digits, a single one counting as tens ("12.5"
    // gives 1250, ".50" gives 50, "1,234.56" gives 123456); further decimals are
    // dropped. Values beyond the 64-bit range saturate.
    static int64_t NSStringToLongLong(const std::string& text);
};
