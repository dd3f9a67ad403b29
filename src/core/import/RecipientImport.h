#pragma once

// The recipient import run: a file of recipients of one form kind (session()._type)
// for one payer (session().CPK) of the open company database, read by the user's
// column order (or the payroll export's fixed order), checked, listed, tested for
// repeated taxpayer numbers, matched against the payer's recipients and written in one
// transaction. Everything the user sees goes through the UserInterface seam. Each run
// returns the code its window ends with (ImportCodes.h).

#include <string>
#include <vector>

namespace imports {

enum class RecipientReader {
    Text,      // tab-separated ".txt" in the chosen column order
    Csv,       // comma-separated ".csv" in the chosen column order
    Payroll,   // tab-separated ".txt" export of a payroll program, columns of IMPORT_FIELDS9
};

// Imports with the chosen columns (names of the form kind's available list, in column
// order). A completed run saves the choice for the form kind.
int runRecipientImport(RecipientReader reader, const std::vector<std::string>& chosen);

// The payroll export's import: saves its eight columns as the form kind's choice, then
// runs the import with them.
int runPayrollRecipientImport();

}  // namespace imports
