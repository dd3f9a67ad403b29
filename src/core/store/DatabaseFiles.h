#pragma once

// Company database files on disk: their names and paths, making a new one with its
// list entry, moving one to another place, and finding them in a folder tree.

#include <cstdint>
#include <string>
#include <vector>

#include "core/foundation/TalvexaDir.h"
#include "core/foundation/databaseInfo.h"

// The tax year of the files this program makes.
inline constexpr int32_t kNewDatabaseYear = 2025;
// The longest database name, in characters.
inline constexpr int kDatabaseNameLimit = 60;

// A typed database name as it is stored and used in its file name: without white
// space and line ends at either end, "/" and "\" turned into "_", cut to
// kDatabaseNameLimit characters.
std::string cleanDatabaseName(const std::string& typed);

// The path of a database file: the folder (a "/" is put after it when it has none),
// the cleaned name, a blank, the year and ".db". With useUnderscores the blanks of the
// file name become "_"; the folder is kept as it is, since the file can only be made in
// a folder that exists.
std::string databaseFilePath(const std::string& folder, const std::string& name, bool useUnderscores,
                             int32_t year = kNewDatabaseYear);

// The year folder under a chosen folder: the chosen one cut before a "Talvexa" folder
// it lies in (or is), then Talvexa/1099/2025/.
std::string yearFolderUnder(const std::string& chosen);
// The base folder of a chosen folder (cut before its "Talvexa" folder), without a
// closing "/" unless it is the root.
std::string baseFolderOf(const std::string& chosen);

// Puts a missing database file back from the only copy that an interrupted replacement
// kept aside (the log names it), then says whether a database file is at path. A file
// made anew beside that copy would have it taken for a leftover and removed.
bool databaseFileExistsAfterPutBack(const std::string& path);

struct NewDatabaseResult {
    enum class Outcome { created, folderFailed, fileFailed, listFailed };
    Outcome outcome = Outcome::fileFailed;
    TalvexaDir tree;        // the folder tree that was made (or could not be)
    databaseInfo entry;     // the listed database when created
    std::string reason;     // why the file could not be made
};

// Makes a new company database: the folder tree around the year folder, the file at
// databaseFilePath(yearFolder, name, the marker file), its name, year and id, and its
// entry in the configuration database's list. The name is taken as given (the caller
// has cleaned and checked it). Nothing is left behind when the file or its list entry
// cannot be made; the configuration database reports its own failures.
NewDatabaseResult makeCompanyDatabase(const std::string& yearFolder, const std::string& name);

// Moves a database file. Within one file system it is renamed; across file systems it
// is copied through SQLite to a temporary name beside the target, renamed into place,
// and only then is the old file deleted.
enum class FileMove { moved, copiedOldKept, failed };
FileMove moveDatabaseFile(const std::string& from, const std::string& to);

// Whether the file is one of our company databases, read without changing a byte: SQLite
// opens it and it has the tables every company database has had since its first
// version ("database", "companies", "logins" and "recipients"). The configuration
// database, which has a "database" table too, is not one. year, when given, receives
// the year the file is for, or 0 when it stores none (files from before the year was
// kept, which are taken as this year's when they are upgraded).
bool isCompanyDatabaseFile(const std::string& path, int32_t* year = nullptr);

// Every file below the folder whose path contains both the year text and ".db"
// (anywhere, folder names included), depth first. Hidden files and folders, folders
// that cannot be read and symbolic links to folders are passed over; the entries of a
// folder are taken in name order.
std::vector<std::string> findDatabaseFiles(const std::string& folder, const std::string& yearText);
