#pragma once

// The list of last year's company databases from which a new year may start: looking
// into a database before it joins the list, adding or locating one chosen by the
// user, adding those found by a folder search, and the search itself. Messages and
// choosers go through the UserInterface seam; the Start New Year window holds the
// list's selection and refreshes it as told.

#include <optional>
#include <string>
#include <vector>

#include "core/foundation/databaseInfo.h"

namespace newyear {

// Key of the remembered folder of the add chooser in the configuration database.
inline constexpr int kPriorYearFolderKey = 17;
inline constexpr const char* kAddToListCaption = "Unable to add database to list.";

// What an inspection decided.
enum class Verdict {
    Refused,              // not added (the user has been told why, or chose so)
    UseDatabaseManager,   // a 2025 database, and the user chose to go to the database manager
    Accepted,             // entry is the database to add
};

struct Verification {
    Verdict verdict = Verdict::Refused;
    databaseInfo entry;   // name, path and year when accepted
};

// Looks into the database at path through the scratch copy; caption heads its messages.
Verification VerifyDatabaseToAdd(const std::string& path, const std::string& caption);

// What the window does after an add or a find.
enum class ListChange {
    None,            // nothing changed
    Refresh,         // read the list again
    ReplaceWindow,   // end the window and start a fresh one in its place
};

// The list's shared marks: while findDbFlag is set the next refresh selects the row
// of selectedtoadd_high.
struct PriorYearListState {
    bool findDbFlag = false;
    std::string selectedtoadd_high;
};

// Add Database to List, or, when `selected` is an entry whose file is missing, Locate
// Database, which puts the chosen file in the missing entry's place.
ListChange AddDB_List(PriorYearListState& state, const std::optional<databaseInfo>& selected);

// Adds the paths chosen in the finder, in order; a refused path ends the whole add,
// leaving findDbFlag set. When something was added the window refreshes the list (and
// so selects the last added row) and then clears findDbFlag.
ListChange addFoundDatabases(PriorYearListState& state, const std::vector<std::string>& paths);

// The finder's search: the explanation, the folder chooser, the search and the closing
// message. The paths found; nothing when the user stopped before the search began.
std::optional<std::vector<std::string>> FindDatabase(const std::string& yearText);

// Every file below folder whose path holds yearText and ".db", in name order folder by
// folder. Hidden entries are skipped, symbolic links are not followed and folders that
// cannot be read are passed over.
std::vector<std::string> RecursePath(const std::string& folder, const std::string& yearText);

}  // namespace newyear
