#pragma once

#include <cstdint>
#include <string>

class CompanyDatabase;

// How many rows execRecipientListQuery would return for the same filter text, form kind
// and filing status over the payers selected in the main window, counted in the
// database instead of read record by record. The main window's recipient count line
// and its selection keeping need only the number; reading thousands of full records to
// count them is far too slow for a list that is refilled at every click.
// 0 when the database is not open or the count cannot be read.
int64_t countRecipientList(CompanyDatabase& db, const std::string& filter, int32_t kind, int32_t status);

// Whether countRecipientList with these arguments counts the same rows as with no
// filter, kind or status at all, so that one count serves for both.
bool countsEveryRecipient(const std::string& filter, int32_t kind, int32_t status);
