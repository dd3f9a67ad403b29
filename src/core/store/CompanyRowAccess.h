#pragma once

// Small pieces shared by the row operations of CompanyDatabase: reading typed column
// values, the text fallback for names stored in the old Mac encoding, the list
// vocabulary (name patterns, sort words, company clauses) and the one way every write
// runs (a transaction that is committed only when all of it succeeded).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/sqlite/FMResultSet.h"
#include "core/sqlite/FMValue.h"

class CompanyDatabase;

namespace companyrows {

// Text of a column; NULL (and text that is not UTF-8) reads as the empty text.
std::string text(FMResultSet& rs, const std::string& column);

// Text of a name or address column. Files written on older Macs hold such columns in
// the Mac OS Roman encoding; bytes that are not valid UTF-8 are decoded through it.
std::string nameText(FMResultSet& rs, const std::string& column);

// Mac OS Roman bytes to UTF-8.
std::string decodeMacRoman(const FMBlob& bytes);

// A stored flag: true exactly when the value is greater than 0 (NULL, 0 and -1 are false).
bool flag(FMResultSet& rs, const std::string& column);

// The name filter of the recipient and payer lists: every "*" stands for "%"; a
// filter without "%" matches anywhere ("%" + filter + "%").
std::string namePattern(const std::string& filter);

// The surname filter of the additional-data lists: "*" is an ordinary character.
std::string surnamePattern(const std::string& filter);

// Sort direction code: 0 "ASC", 1 "DESC", anything else nothing.
std::string directionWord(int32_t direction);

// Clauses of the recipient lists: form kind codes 1, 2, 3, 4, 5 and 7 (any other code
// adds nothing, listing every kind) and filing-status codes 1 to 10 (printed, completed,
// validated, void and corrected, each off then on; any other code adds nothing).
std::string kindClause(int32_t kind);
std::string statusClause(int32_t status);

// Keys of the payers selected in the main window (comp_details).
std::vector<int32_t> selectedCompanyKeys();

// "(<column> = ? or <column> = ? ...)" for the given company keys, appending the keys
// to args. No key compares with the empty text, so it matches no row.
std::string companyClause(const std::string& column, const std::vector<int32_t>& keys,
                          std::vector<FMValue>& args);

// Runs one write as a unit. Outside a transaction: begins one, runs body, commits when
// body returned true; otherwise (or when the commit fails) rolls back and, when report
// is set, shows failureMessage with SQLite's message through the error routine.
// Inside a transaction the caller already opened: body runs as part of it and the
// caller's own write decides. Returns whether everything succeeded.
bool write(CompanyDatabase& cdb, const std::string& failureMessage,
           const std::function<bool()>& body, bool report = true);

}  // namespace companyrows
