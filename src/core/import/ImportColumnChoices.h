#pragma once

// The column choices of the two imports, kept per company database: the recipient
// columns of each form kind (table importFields, by position in the kind's available
// list) and the payer columns (table importCompFields, by catalogue index).

#include <cstdint>
#include <string>
#include <vector>

class CompanyDatabase;

namespace imports {

// The recipient columns saved for the form kind, in column order. A saved value that
// is not a position of the kind's available list ends the choice, as -1 does.
std::vector<std::string> loadRecipientColumns(CompanyDatabase& db, int32_t kind);
// Saves the chosen columns: one row per position of the available list, the chosen
// names' positions first and -1 after them. False when nothing could be saved.
bool saveRecipientColumns(CompanyDatabase& db, int32_t kind, const std::vector<std::string>& chosen);
// Saves the payroll export's columns for the form kind: its eight names, in order, at
// the first eight positions.
bool savePayrollRecipientColumns(CompanyDatabase& db, int32_t kind);

// The payer columns in the order they were saved. A row whose position or value is not
// one of the sixteen catalogue positions ends the choice, as a negative value does.
std::vector<std::string> loadPayerColumns(CompanyDatabase& db);
// Saves the chosen payer columns (a name outside the catalogue as -1).
bool savePayerColumns(CompanyDatabase& db, const std::vector<std::string>& chosen);

}  // namespace imports
