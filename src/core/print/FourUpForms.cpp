// The pictures of the forms printed four to a sheet: one copy of each form as a table
// of boxes, laid out around the fields of the built-in four-up layouts.

#include "core/print/FourUpForms.h"

namespace fourup {

namespace {

using C = CaptionCorner;

constexpr const char* kPayerBlock = "PAYER'S name, street address, city, state, ZIP code and telephone no.";
constexpr const char* kRecipientBlock = "RECIPIENT'S name, street address, city, state, ZIP code and country";

constexpr FormBox kMiscBoxes[] = {
    {35, 25, 137, 25, "1", "Rents"},
    {172, 25, 84, 25, "2", "Royalties"},
    {35, 50, 137, 25, "3", "Other income"},
    {172, 50, 84, 25, "4", "Federal income tax withheld"},
    {35, 75, 137, 25, "5", "Fishing boat proceeds"},
    {172, 75, 84, 25, "6", "Medical and health care payments"},
    {35, 100, 221, 70, "", kPayerBlock},
    {35, 170, 137, 27, "", "PAYER'S TIN"},
    {172, 170, 84, 27, "7", "Direct sales over $5,000"},
    {35, 197, 137, 25, "8", "Substitute payments in lieu of dividends or interest"},
    {172, 197, 84, 25, "9", "Crop insurance proceeds"},
    {35, 222, 137, 25, "10", "Gross proceeds paid to an attorney"},
    {172, 222, 84, 25, "11", "Fish purchased for resale"},
    {35, 247, 137, 25, "12", "Section 409A deferrals"},
    {172, 247, 84, 25, "13", "FATCA filing requirement"},
    {35, 272, 137, 25, "14", "Excess golden parachute payments"},
    {172, 272, 84, 25, "15", "Nonqualified deferred compensation"},
    {35, 297, 137, 38, "", "For calendar year"},
    {172, 297, 84, 38, "16", "State tax withheld"},
    {35, 335, 221, 45, "", kRecipientBlock, C::right},
    {35, 380, 137, 18, "", "Miscellaneous Information"},
    {172, 380, 42, 18, "", "VOID"},
    {214, 380, 42, 18, "", "CORRECTED"},
    {35, 398, 117, 27, "", "RECIPIENT'S TIN"},
    {152, 398, 104, 27, "", "Account number (see instructions)"},
    {35, 425, 137, 32, "17", "State/Payer's state no."},
    {172, 425, 84, 32, "18", "State income"},
    {172, 457, 84, 18, "", "2nd TIN not."},
};

constexpr FormBox kIntBoxes[] = {
    {35, 25, 120, 25, "1", "Interest income"},
    {155, 25, 101, 25, "2", "Early withdrawal penalty"},
    {35, 50, 120, 25, "3", "Interest on U.S. Savings Bonds and Treasury obligations"},
    {155, 50, 101, 25, "4", "Federal income tax withheld"},
    {35, 75, 120, 25, "5", "Investment expenses"},
    {155, 75, 101, 25, "6", "Foreign tax paid"},
    {35, 100, 221, 70, "", kPayerBlock},
    {35, 170, 120, 27, "", "PAYER'S TIN"},
    {155, 170, 101, 27, "7", "Foreign country or U.S. possession"},
    {35, 197, 120, 25, "8", "Tax-exempt interest"},
    {155, 197, 101, 25, "9", "Specified private activity bond interest"},
    {35, 222, 120, 25, "10", "Market discount"},
    {155, 222, 101, 25, "11", "Bond premium"},
    {35, 247, 120, 23, "12", "Bond premium on Treasury obligations"},
    {155, 247, 101, 23, "13", "Bond premium on tax-exempt bond"},
    {35, 270, 221, 20, "14", "Tax-exempt bond CUSIP no."},
    {35, 290, 120, 30, "15", "State"},
    {155, 290, 101, 30, "16", "State identification no."},
    {35, 320, 221, 16, "", "For calendar year"},
    {35, 336, 221, 44, "", kRecipientBlock, C::right},
    {35, 380, 137, 20, "", "Interest Income"},
    {172, 380, 42, 20, "", "VOID"},
    {214, 380, 42, 20, "", "CORRECTED"},
    {35, 400, 117, 28, "", "RECIPIENT'S TIN"},
    {152, 400, 104, 28, "", "Account number (see instructions)"},
    {35, 428, 117, 29, "17", "State tax withheld"},
    {152, 428, 104, 29, "", "Payer's RTN (optional)"},
    {35, 457, 137, 18, "", "FATCA filing requirement"},
    {172, 457, 84, 18, "", "2nd TIN not."},
};

constexpr FormBox kNecBoxes[] = {
    {35, 25, 221, 45, "1", "Nonemployee compensation"},
    {35, 70, 221, 30, "2", "Direct sales over $5,000 to a buyer for resale"},
    {35, 100, 221, 70, "", kPayerBlock},
    {35, 170, 140, 35, "", "PAYER'S TIN"},
    {175, 170, 40, 35, "", "CORRECTED"},
    {215, 170, 41, 35, "", "VOID"},
    {35, 205, 221, 27, "3", "Excess golden parachute payments"},
    {35, 232, 221, 26, "4", "Federal income tax withheld"},
    {35, 258, 115, 37, "5", "State tax withheld"},
    {150, 258, 106, 37, "6", "State/Payer's state no."},
    {35, 295, 115, 40, "", "For calendar year"},
    {150, 295, 106, 40, "7", "State income"},
    {35, 335, 221, 43, "", kRecipientBlock, C::right},
    {35, 378, 221, 22, "", "Nonemployee Compensation"},
    {35, 400, 90, 27, "", "RECIPIENT'S TIN"},
    {125, 400, 131, 27, "", "Account number (see instructions)"},
    {35, 427, 145, 23, "", "FATCA filing requirement"},
    {180, 427, 76, 23, "", "2nd TIN not."},
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
