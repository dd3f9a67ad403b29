#pragma once

// The list of selected payers and recipients that are not valid, which the print and
// e-file commands show before they hand the selection on, and the checks that go with
// it. Works on the open company database and the main window's selection holders.
//
// The list is a sequence of lines for the validation-error list:
//   COMPANIES WITH ERRORS:
//   <one line per selected payer that is not validated>
//   RECIPIENTS WITH ERRORS:
//   <one line per selected recipient that is not validated, with its form-kind tag>
// A heading stands only when a line follows it. Payers and recipients keep the
// selection's order; a key whose row has gone since it was selected is left out.

#include <cstdint>
#include <string>
#include <vector>

class CompanyDatabase;
class Company;
class ComapnyInfo;
class Recipient;

inline constexpr const char kCompaniesWithErrors[] = "COMPANIES WITH ERRORS:";
inline constexpr const char kRecipientsWithErrors[] = "RECIPIENTS WITH ERRORS:";

// " (MISC)", " (DIV)", " (INT)", " (R)", " (S)", " (NEC)" for the form kinds 1, 2, 3, 4,
// 5 and 7; the empty text for any other code.
std::string formKindTag(int32_t kind);

struct ValidationList {
    std::vector<std::string> lines;
    // False when the selected records could not be read whole; the failure has then been
    // shown to the user, and the list must not be taken as "nothing wrong".
    bool complete = true;
};

struct EFileValidationList : ValidationList {
    // Some selected recipient is void or corrected and some other is neither.
    bool mixesCorrections = false;
};

// The print commands' list. Each failing recipient is two blanks and the business name
// (name type "Business Name"), or two blanks, the first name, a blank and the surname of
// the additional record; then its tag. Of the selected payers, the first
// numberSelections keys of the holder are taken (never more than it holds).
ValidationList checkSelectedForErrors(CompanyDatabase& db, const Company& companies, int64_t numberSelections,
                                      const Recipient& recipients);

// The e-file command's list, its recipients named as in the print commands' list. Also
// tells whether the selection mixes void or corrected recipients with original ones.
EFileValidationList checkEFileSelection(CompanyDatabase& db, const Company& companies, int64_t numberSelections,
                                        const Recipient& recipients);

// The filing method ("PRINT", "FIRE", "IRIS" or empty) that the payer record gives for
// a form kind; empty for a kind it has none for.
std::string filingTypeFor(const ComapnyInfo& payer, int32_t kind);

// The filing method that the e-file and IRIS commands go by: that of the payer with key
// 0, for the form kind of the first selected recipient. Empty when there is no selected
// recipient, no such payer or no method stored.
std::string selectionFilingType(CompanyDatabase& db, const Recipient& recipients);
