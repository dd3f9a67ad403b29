#pragma once

// The payer import run: a file of payers becomes one new, registered 2025 company
// database per payer, in the year folder. Everything the user sees goes through the
// UserInterface seam. Each run returns the code its window ends with (ImportCodes.h)
// and leaves no company database open.

#include <functional>
#include <string>
#include <vector>

#include "core/store/ComapnyInfo.h"

namespace imports {

enum class PayerReader {
    Text,      // tab-separated ".txt" in the chosen column order
    Csv,       // comma-separated ".csv" in the chosen column order
    Payroll,   // tab-separated ".txt" export of a payroll program, columns of IMPORT_FIELDSPAYER
};

// The file name (without " 2025.db") of the company database made for a payer: the
// name cut to 60 characters, runs of blanks made one, a final blank removed, every
// character other than an ASCII letter, digit, blank, "-" or "_" made "_", and "_" put
// in front unless the name begins with an upper-case ASCII letter or a character from
// code 96 to 127.
std::string payerDatabaseName(const std::string& payerName);

// One line of a payer file as a payer, marked valid unless a rule marks it not valid.
// columns holds the catalogue index of each chosen column in order (-1 for a name
// outside the catalogue); fields beyond them are ignored, missing ones are empty.
ComapnyInfo payerFromLine(const std::vector<std::string>& fields, const std::vector<int>& columns,
                          PayerReader reader);

// Imports with the chosen payer columns (catalogue names, in column order).
int runPayerImport(PayerReader reader, const std::vector<std::string>& chosen);

// The payroll export's import, with its seven fixed columns.
int runPayrollPayerImport();

// For tests that stop a run part-way as a crash would: called between the steps that
// put the payers into their files and list them ("built <file name>", "extended <file
// name>", "in place <file name>", "listed" inside the list's transaction, "registered"
// after it), with the step's name. An empty function removes it.
void setPayerImportCheckpoint(std::function<void(const std::string& step)> hook);

}  // namespace imports
