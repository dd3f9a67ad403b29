// The pictures of the forms printed four to a sheet: one copy of each form as a table
// of boxes, laid out around the fields of the built-in four-up layouts. The layouts are
// fixed, so the boxes are fitted to them: every field at its longest stays inside its
// box and clear of the box's caption. A caption stands above the fields, or beside a
// field that starts further right (the marks, the year, box 14 of the 1099-INT); where
// a field starts at a box's very top, as the recipient's name on the 1099-INT and
// 1099-NEC, the caption stands below the fields.

#include "core/print/FourUpForms.h"

namespace fourup {

namespace {

using C = CaptionCorner;

constexpr const char* kPayerBlock = "PAYER'S name, street address, city, state, ZIP code and telephone no.";
constexpr const char* kRecipientBlock = "RECIPIENT'S name, street address, city, state, ZIP code and country";

constexpr FormBox kMiscBoxes[] = {
    {35, 25, 137, 27, "1", "Rents"},
    {172, 25, 92, 27, "2", "Royalties"},
    {35, 52, 137, 25, "3", "Other income"},
    {172, 52, 92, 25, "4", "Federal income tax withheld"},
    {35, 77, 137, 24, "5", "Fishing boat proceeds"},
    {172, 77, 92, 24, "6", "Medical and health care payments"},
    {35, 101, 229, 71, "", kPayerBlock},
    {35, 172, 137, 26, "", "PAYER'S TIN"},
    {172, 172, 92, 26, "7", "Direct sales over $5,000"},
    {35, 198, 137, 26, "8", "Substitute payments in lieu of dividends or interest"},
    {172, 198, 92, 26, "9", "Crop insurance proceeds"},
    {35, 224, 137, 23, "10", "Gross proceeds paid to an attorney"},
    {172, 224, 92, 23, "11", "Fish purchased for resale"},
    {35, 247, 137, 25, "12", "Section 409A deferrals"},
    {172, 247, 92, 25, "13", "FATCA filing requirement"},
    {35, 272, 137, 25, "14", "Reserved"},
    {172, 272, 92, 25, "15", "Nonqualified deferred compensation"},
    {35, 297, 137, 40, "", "For calendar year"},
    {172, 297, 92, 40, "16", "State tax withheld"},
    {35, 337, 229, 45, "", kRecipientBlock, C::right},
    {35, 382, 137, 16, "", "Miscellaneous Information"},
    {172, 382, 36, 16, "", "VOID"},
    {208, 382, 56, 16, "", "CORRECTED"},
    {35, 398, 117, 27, "", "RECIPIENT'S TIN"},
    {152, 398, 112, 27, "", "Account number (see instructions)"},
    {35, 425, 137, 34, "17", "State/Payer's state no."},
    {172, 425, 92, 34, "18", "State income"},
    {172, 459, 92, 18, "", "2nd TIN not."},
};

constexpr FormBox kIntBoxes[] = {
    {35, 25, 120, 27, "1", "Interest income"},
    {155, 25, 109, 27, "2", "Early withdrawal penalty"},
    {35, 52, 128, 24, "3", "Interest on U.S. Savings Bonds and Treasury obligations"},
    {163, 52, 101, 24, "4", "Federal income tax withheld"},
    {35, 76, 120, 25, "5", "Investment expenses"},
    {155, 76, 109, 25, "6", "Foreign tax paid"},
    {35, 101, 229, 69, "", kPayerBlock},
    {35, 170, 120, 28, "", "PAYER'S TIN"},
    {155, 170, 109, 28, "7", "Foreign country or U.S. possession"},
    {35, 198, 120, 24, "8", "Tax-exempt interest"},
    {155, 198, 109, 24, "9", "Specified private activity bond interest"},
    {35, 222, 120, 25, "10", "Market discount"},
    {155, 222, 109, 25, "11", "Bond premium"},
    {35, 247, 120, 26, "12", "Bond premium on Treasury obligations"},
    {155, 247, 109, 26, "13", "Bond premium on tax-exempt bond"},
    {35, 273, 229, 16, "14", "Tax-exempt bond CUSIP no."},
    {35, 289, 120, 33, "15", "State"},
    {155, 289, 109, 33, "16", "State identification no."},
    {35, 322, 229, 14, "", "For calendar year"},
    {35, 336, 229, 47, "", kRecipientBlock, C::bottom},
    {35, 383, 137, 17, "", "Interest Income"},
    {172, 383, 36, 17, "", "VOID"},
    {208, 383, 56, 17, "", "CORRECTED"},
    {35, 400, 117, 28, "", "RECIPIENT'S TIN"},
    {152, 400, 112, 28, "", "Account number (see instructions)"},
    {35, 428, 117, 32, "17", "State tax withheld"},
    {152, 428, 112, 31, "", "Payer's RTN (optional)"},
    {35, 460, 117, 15, "", "FATCA filing requirement"},
    {152, 459, 112, 16, "", "2nd TIN not."},
};

constexpr FormBox kNecBoxes[] = {
    {35, 25, 229, 45, "1", "Nonemployee compensation"},
    {35, 70, 229, 30, "2", "Direct sales over $5,000 to a buyer for resale"},
    {35, 100, 229, 70, "", kPayerBlock},
    {35, 170, 105, 41, "", "PAYER'S TIN"},
    {140, 170, 72, 41, "", "CORRECTED"},
    {212, 170, 52, 41, "", "VOID"},
    {35, 211, 229, 26, "3", "Excess golden parachute payments"},
    {35, 237, 229, 24, "4", "Federal income tax withheld"},
    {35, 261, 115, 34, "5", "State tax withheld"},
    {150, 261, 114, 34, "6", "State/Payer's state no."},
    {35, 295, 115, 42, "", "For calendar year"},
    {150, 295, 114, 42, "7", "State income"},
    {35, 337, 229, 48, "", kRecipientBlock, C::bottom},
    {35, 385, 229, 15, "", "Nonemployee Compensation"},
    {35, 400, 105, 26, "", "RECIPIENT'S TIN"},
    {140, 400, 124, 29, "", "Account number (see instructions)"},
    {35, 426, 105, 24, "", "FATCA filing requirement"},
    {140, 429, 124, 21, "", "2nd TIN not."},
};

constexpr FormPicture kPictures[] = {
    {"499MISCU2025", "Form 1099-MISC", "Miscellaneous Information", "2025", kMiscBoxes},
    {"4099INTU2025", "Form 1099-INT", "Interest Income", "2025", kIntBoxes},
    {"4099NECU2025", "Form 1099-NEC", "Nonemployee Compensation", "2025", kNecBoxes},
};

}  // namespace

const FormPicture* picture(const std::string& name) {
    for (const FormPicture& p : kPictures)
        if (name == p.name) return &p;
    return nullptr;
}

}  // namespace fourup
