#pragma once

// The column catalogues of the two imports: the names a user picks columns from, in
// their fixed order. A recipient column's position in its catalogue selects the rule
// by which its values are read (RecipientImportRules); a payer column's position is
// what the payer column choice stores.

#include <cstdint>
#include <string>
#include <vector>

namespace imports {

inline constexpr int kRecipientCatalogueSize = 168;
inline constexpr int kPayerCatalogueSize = 16;

// The recipient columns, common ones first (0-24), then 1099-MISC (25-49), 1099-INT
// (50-76), 1099-DIV (77-106), 1099-S (107-115), 1099-R (116-151) and 1099-NEC (152-167).
const std::vector<std::string>& AvailrecpFieldValue();

// The eight columns of a payroll export of recipients, in their fixed order.
const std::vector<std::string>& IMPORT_FIELDS9();

// The recipient columns a form kind (1, 2, 3, 4, 5, 7) can import, as catalogue
// indexes in the order the chooser lists them; empty for any other kind.
std::vector<int> availableFieldIndexes(int32_t kind);
// The same as names.
std::vector<std::string> AvaillistValue(int32_t kind);

// The catalogue index of a name in the form kind's available list; -1 when it is not there.
int availableCatalogueIndex(int32_t kind, const std::string& name);

// The payer columns.
const std::vector<std::string>& AvailFieldValue();
// The seven columns of a payroll export of payers, in their fixed order.
const std::vector<std::string>& IMPORT_FIELDSPAYER();
// The payer catalogue index of a name; -1 when it is not in the catalogue.
int payerCatalogueIndex(const std::string& name);

// The state rule of both imports. The entries of the state list after "None" are tried
// in order; an entry matches when the value equals, ignoring case, its two-letter code,
// its name (the entry without "-" and the code) or the whole entry, and the first that
// matches is the result. Without a match: the value itself when keepUnknown is set,
// "None" otherwise; "None" for an empty value in either case.
std::string importedState(const std::string& value, bool keepUnknown);

}  // namespace imports
