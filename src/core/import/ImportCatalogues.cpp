#include "core/import/ImportCatalogues.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "core/foundation/FormKind.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/Utils.h"

namespace imports {

// The names are the columns' titles as the chooser shows them and as the saved
// choices refer to them; double and trailing blanks are part of some.
const std::vector<std::string>& AvailrecpFieldValue() {
    static const std::vector<std::string> names = {
        // common, 0-24
        "Recipient's TIN Type",
        "Recipient Tax Payer ID",
        "Recipient's Name Type",
        "Business Name",
        "First Name",
        "Middle Name",
        "Last Name(Surname)",
        "Recipient Suffix",
        "Address Line 1",
        "Address Line 2",
        "City",
        "State",
        "ZIP Code",
        "Country",
        "Address not in U.S. - Checkbox",
        "Office code",
        "Account Number",
        "FATCA_MISC - Checkbox",
        "FATCA_INT - Checkbox",
        "FATCA_DIV - Checkbox",
        "FATCA_R - Checkbox",
        "Date of payment",
        "2nd TIN not. - Checkbox",
        "Void - Checkbox",
        "Corrected - Checkbox",
        // 1099-MISC, 25-49
        "Box 1: Rents",
        "Box 2: Royalties",
        "Box 3: Other income",
        "Box 4: Federal  income tax withheld",
        "Box 5: Fishing boat proceeds",
        "Box 6: Medical and health care payments",
        "Box 7:Checkbox",
        "Box 8: Substitute payment in lieu of dividends or interest",
        "Box 9 - Crop insurance proceeds",
        "Box 10: Gross proceeds paid to an attorney",
        "Box 11: Fish purchased for resale",
        "Box 12: Section 409A deferrals",
        "Box 15: Nonqualified deferred compensation",
        "Box 16A - Top: State",
        "Box 16 - Top: State tax withheld",
        "Box 17 - Top: State/Payer's state no.",
        "Box 18 - Top: State income",
        "Box 19 - Top: State Local income tax withheld ",
        "Box 20 - Top: State Special data entries",
        "Box 16A - Bottom: State",
        "Box 16 - Bottom: State tax withheld",
        "Box 17 - Bottom: State/Payer's state no.",
        "Box 18 - Bottom: State income",
        "Box 19 - Bottom: State Local income tax withheld",
        "Box 20 - Bottom: State Special data entries",
        // 1099-INT, 50-76
        "Payer's RTN",
        "Box 1: Interest income",
        "Box 2: Early withdrawal penalty",
        "Box 3: Interest on U.S. Savings Bonds",
        "Box 4: Federal income  tax withheld",
        "Box 5: Investment expenses",
        "Box 6: Foreign tax paid",
        "Box 7: Foreign country or U.S. possession",
        "Box 8: Tax-exempt interest",
        "Box 9: Specified private activity bond interest",
        "Box 10: Market discount",
        "Box 11: Bond Premium",
        "Box 12: Bond premium on Treasury obligations",
        "Box 13: Bond Premium on tax-exempt bond",
        "Box 14 : Tax-exempt and tax credit bond CUSIP no.",
        "Box 15 - Top: State",
        "Box 16 - Top: State identification no.",
        "Box 17 - Top: State tax withheld",
        "Box 18 - Top: State income ",
        "Box 19- Top: State Local income tax wIthheld ",
        "Box 20 - Top: State Special data entries ",
        "Box 15 - Bottom: State",
        "Box 16 - Bottom: State identification no.",
        "Box 17 - Bottom: State tax withheld",
        "Box 18- Bottom: State income ",
        "Box 19 - Bottom: State Local income tax withheld ",
        "Box 20 - Bottom: State Special data entries ",
        // 1099-DIV, 77-106
        "Box 1a: Total ordinary dividends",
        "Box 1b: Qualified dividends",
        "Box 2a: Total capital gain distr.",
        "Box 2b: Unrecap. Sec. 1250 gain",
        "Box 2c: Section 1202 gain",
        "Box 2d: Collectibles (28%) gain",
        "Box 2e: Section 897 ordinary dividends",
        "Box 2f: Section 897 capital gain",
        "Box 3: Nondividend distributions",
        "Box 4: Federal income tax  withheld",
        "Box 5: Section 199A dividends",
        "Box 6: Investment expenses",
        "Box 7: Foreign tax paid",
        "Box 8: Foreign country or U.S. possession",
        "Box 9: Cash liquidation distributions",
        "Box 10: Noncash liquidation distributions",
        "Box 12: Exempt-interest dividends",
        "Box 13: Specified private activity bond interest dividends",
        "Box 14 - Top:  State",
        "Box 15 - Top: State identification no.",
        "Box 16 - Top: State tax withheld ",
        "Box 17 - Top: State income",
        "Box 18- Top: State Local income tax withheld ",
        "Box 19 - Top: State Special data entries",
        "Box 14 - Bottom:  State",
        "Box 15 - Bottom: State identification no.",
        "Box 16 - Bottom: State tax withheld ",
        "Box 17- Bottom: State income",
        "Box 18 - Bottom: State Local income tax withheld",
        "Box 19 - Bottom: State Special data entries",
        // 1099-S, 107-115
        "Box 1: Date of closing",
        "Box 2: Gross proceeds",
        "Box 3: Address or legal description",
        "Box 3: City",
        "Box 3: State",
        "Box 3: ZIP Code",
        "Box 4 - Checkbox",
        "Box 5 - Checkbox",
        "Box 6: Buyer's part of real estate tax",
        // 1099-R, 116-151
        "Box 1: Gross distribution",
        "Box 2a: Taxable amount",
        "Box 2b - Checkbox: Taxable amount not determined",
        "Box 2b - Checkbox: Total distribution",
        "Box 3: Capital gain",
        "Box 4: Federal Income tax withheld",
        "Box 5: Contributions/Premiums",
        "Box 6: Net unrealized appreciation in employer's securities",
        "Box 7: Distribution codes",
        "Box 7 - Checkbox: IRA/SEP/SIMPLE",
        "Box 8: Other",
        "Box 8 - %",
        "Box 9a: Your percentage of total distribution",
        "Box 9b: Total employee contributions",
        "Box 10: Amount allocable to IRR within 5 years",
        "Box 11: 1st year of desig. Roth contrib.",
        "Box 14A - Top: State",
        "Box 14 - Top: State tax withheld",
        "Box 15 - Top: State/Payer's state no.",
        "Box 16 - Top: State distribution",
        "Box 17- Top: Local tax withheld",
        "Box 18 - Top: Name of locality",
        "Box 19 - Top: Local distribution",
        "Box 20 - Top: State income",
        "Box 21- Top: State Local income tax withheld ",
        "Box 22 - Top: State Special data entries",
        "Box 14A - Bottom: State",
        "Box 14 - Bottom: State tax withheld",
        "Box 15 - Bottom: State/Payer's state no.",
        "Box 16 - Bottom: State distribution",
        "Box 17- Bottom: Local tax withheld",
        "Box 18 - Bottom: Name of locality",
        "Box 19 - Bottom: Local distribution",
        "Box 20- Bottom: State income",
        "Box 21 - Bottom: State Local income tax withheld",
        "Box 22 - Bottom: State Special data entries",
        // 1099-NEC, 152-167
        "Box 1: Nonemployee compensation",
        "Box 2 - Checkbox: Payer made direct sales totaling $5000",
        "Box 3: Excess golden parachute payments",
        "Box 4: Federal income tax Withheld",
        "Box 5A - Top: State ",
        "Box 5 - Top: State tax withheld",
        "Box 6 - Top: State/Payer's state no.",
        "Box 7 - Top: State income",
        "Box 8 - Top: State Local income tax withheld ",
        "Box 9 - Top: State Special data entries",
        "Box 5A - Bottom: State ",
        "Box 5 - Bottom: State tax withheld",
        "Box 6 - Bottom: State/Payer's state no.",
        "Box 7 - Bottom: State income",
        "Box 8 - Bottom: State Local income tax withheld",
        "Box 9 - Bottom: State Special data entries",
    };
    return names;
}

const std::vector<std::string>& IMPORT_FIELDS9() {
    static const std::vector<std::string> names = {"Business Name", "First Name", "Address Line 1",
                                                   "Address Line 2", "City",      "State",
                                                   "ZIP Code",       "Recipient Tax Payer ID"};
    return names;
}

namespace {

struct KindColumns {
    int32_t kind;
    uint32_t leftOut;        // bit i: common column i is of no use to the kind
    int ownFirst, ownLast;   // the kind's own range of the catalogue
};

constexpr uint32_t bits(std::initializer_list<int> columns) {
    uint32_t mask = 0;
    for (int c : columns) mask |= 1u << c;
    return mask;
}

// 17 FATCA_MISC, 18 FATCA_INT, 19 FATCA_DIV, 20 FATCA_R, 21 date of payment, 22 2nd TIN notice.
constexpr KindColumns kKinds[] = {
    {1, bits({18, 19, 20, 21}), 25, 49},           // 1099-MISC
    {2, bits({17, 18, 20, 21}), 77, 106},          // 1099-DIV
    {3, bits({17, 19, 20, 21}), 50, 76},           // 1099-INT
    {4, bits({17, 18, 19, 22}), 116, 151},         // 1099-R
    {5, bits({17, 18, 19, 20, 21, 22}), 107, 115}, // 1099-S
    {FormKind::kNec, bits({17, 18, 19, 20, 21}), 152, 167}, // 1099-NEC
};

}  // namespace

std::vector<int> availableFieldIndexes(int32_t kind) {
    std::vector<int> list;
    for (const auto& k : kKinds) {
        if (k.kind != kind) continue;
        for (int i = 0; i <= 24; ++i)
            if (!(k.leftOut & (1u << i))) list.push_back(i);
        for (int i = k.ownFirst; i <= k.ownLast; ++i) list.push_back(i);
    }
    return list;
}

std::vector<std::string> AvaillistValue(int32_t kind) {
    std::vector<std::string> names;
    for (int i : availableFieldIndexes(kind)) names.push_back(AvailrecpFieldValue()[static_cast<size_t>(i)]);
    return names;
}

int availableCatalogueIndex(int32_t kind, const std::string& name) {
    for (int i : availableFieldIndexes(kind))
        if (AvailrecpFieldValue()[static_cast<size_t>(i)] == name) return i;
    return -1;
}

const std::vector<std::string>& AvailFieldValue() {
    static const std::vector<std::string> names = {
        "Payer TIN_Type", "Payer's Federal ID",  "Payer Name_Type",     "Payer's Name",
        "Payer First Name", "Payer Middle Name", "Payer Last Name(Surname)", "Payer Suffix",
        "Payer Country",  "Payer Address Line1", "Payer Address Line2", "City",
        "State",          "ZIP",                 "Payer Phone_type",    "Phone",
    };
    return names;
}

const std::vector<std::string>& IMPORT_FIELDSPAYER() {
    static const std::vector<std::string> names = {"Payer's Name", "Payer's Federal ID", "Address", "City",
                                                   "State",        "ZIP",                "Phone"};
    return names;
}

int payerCatalogueIndex(const std::string& name) {
    const auto& names = AvailFieldValue();
    const auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -1 : static_cast<int>(it - names.begin());
}

std::string importedState(const std::string& value, bool keepUnknown) {
    static const std::vector<std::string> states = Utils::StateWithCode();
    if (!value.empty()) {
        for (size_t i = 1; i < states.size(); ++i) {
            const std::string& entry = states[i];
            const std::string name = entry.substr(0, entry.size() - 3);
            const std::string code = entry.substr(entry.size() - 2);
            if (textscan::equalIgnoringCase(value, code) || textscan::equalIgnoringCase(value, name) ||
                textscan::equalIgnoringCase(value, entry))
                return entry;
        }
    }
    return keepUnknown && !value.empty() ? value : "None";
}

}  // namespace imports
