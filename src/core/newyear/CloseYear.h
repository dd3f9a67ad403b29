#pragma once

// The new-year roll-over: every chosen company of a last-year company database becomes
// a new 2025 company database of its own, holding that company as its payer, its
// recipients, the transmitter and the user logins, cleaned for the new year and listed
// among the company databases. Everything is read from a scratch copy; last year's
// file is never changed. Questions and messages go through the UserInterface seam.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CompanyDatabase;
class databaseInfo;

namespace newyear {

inline constexpr const char* kStartNewYearTitle = "Start New Year (Import from Prior Year)";

// Rolls the companies of the given keys (in that order; a key of no company is
// skipped) over from the last-year database `entry`. recipientSort orders the
// recipients by name: 0 ascending, 1 descending. True when the roll-over ran to its
// end, also when no company was chosen; false when it stopped. A stop keeps the
// databases of the companies handled before it; the company being handled leaves
// nothing behind, and a database it was to replace is back as it was. The entry's
// imported flag is set when a 2025 database made from it exists, and once the run has
// made its databases the entry of the prior-year list is marked so too. The user is
// asked about a restart only where a 2025 database would be replaced, and told which.
bool CloseYear(databaseInfo& entry, const std::vector<int32_t>& companyKeys, int32_t recipientSort = 0);

// The path of the 2025 database of a listed company name, as the roll-over would
// make it (before any listed database of that company is reused).
std::string rollOverTargetPath(const std::string& companyName);

// For tests: runs inside the write of each new database, after its rows and before
// its clean-up, so that a failure there can be provoked. Empty: nothing runs.
void setWriteHookForTests(std::function<void(CompanyDatabase&)> hook);

// For tests: how many recipients are read and written together; 0: the usual number.
void setRecipientBatchForTests(std::size_t size);

}  // namespace newyear
