#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "core/sqlite/DatabaseFileCopy.h"

class JobMeter;

namespace platform {
struct NoteRefusal;
}

// Backup and restore of the open company database. A backup is a copy of the file
// under a dated name, made while the database is closed, the copy marked as a backup;
// it never replaces a file the program keeps. A restore puts such a copy, checked, of
// the same tax year and with every table and column of a new company file, in place of
// the open database and leaves no database open. Both talk to the user through the seam
// and to the main window through its hooks there (closeDatabase, openRecentDatabase),
// reopening the database at most once after closing it.
class DatabaseBackup {
public:
    // Today's date for the proposed name; tests give a fixed day.
    using Today = std::function<std::chrono::year_month_day()>;
    // How a database file is copied (progress and reason as copyDatabaseFile has them)
    // into the temporary of the replacement that puts it in place; tests make a copy fail.
    using Copier = std::function<bool(const std::string& from, const std::string& to, const CopyProgress& progress,
                                      std::string& reason)>;

    explicit DatabaseBackup(Today today = localToday);

    enum class BackupResult {
        made,             // the copy is in place and checked
        panelCancelled,   // the save panel was cancelled: the main window's buttons are brought up to date
        notMade,          // ended by the user (also by Cancel while copying) or by a refusal that was shown
    };
    BackupResult OnBackup();

    enum class RestoreResult {
        restored,         // no database is open now
        notRestored,      // the open database is as it was
        mustEnd,          // the database could not be opened again: the program ends
    };
    RestoreResult RestoreDatabase();

    // The backup's destination, once chosen.
    const std::string& destination() const { return destination_; }
    // The scratch copy a restore works on, in the year's configuration folder.
    static std::string scratchPath();

    void setCopier(Copier copier) { copier_ = std::move(copier); }

    static std::chrono::year_month_day localToday();

private:
    bool destinationWritable(const std::string& path) const;
    bool isProgramFile(const std::string& path) const;
    bool askAgain(const std::string& details) const;
    // The main window opens the recent database again; true when it is open.
    bool reopen() const;
    // Copies the original to the destination marked as a backup that is not in use,
    // counting the pages in the meter, whose Cancel stops it before the destination is
    // renamed into place.
    // reason receives the system's reason of a failure, when there is one; unnoted, the
    // notes folder and its reason when the write could not be noted.
    bool copyAsBackup(const std::string& original, const std::string& destination, JobMeter& meter,
                      std::string& reason, platform::NoteRefusal& unnoted);
    bool replaceOpenDatabase(const std::string& scratch, const std::string& target, int year, std::string& reason);

    Today today_;
    Copier copier_;
    std::string destination_;
};

// The texts of the two refusals before a backup.
inline constexpr const char kBackupUnwritableText[] =
    "Talvexa 1099 was unable create a backup at the selected location. To resolve this issue, please click "
    "'OK',then choose a different location with Read & Write access to create a backup, or have a system "
    "administator provide you with Read & Write access for the selected directory.If this does not resolve the "
    "issue, please remove any slashes ('/' or '\\') and unicode characters such as the latin 'f' from the file "
    "name and the name of the directory you're trying to save to.";
inline constexpr const char kBackupOverwritesText[] =
    "Creating the backup would overwrite an important Talvexa 1099 file. Please click 'OK', then choose a "
    "different name or location for the backup.";

// The refusal of a backup whose write could not be noted in the notes folder (a backup
// outside the program's own folders is written only with a note, which lets the next
// start clear what a killed backup leaves): the folder and the system's reason first.
std::string backupNotNotedText(const std::string& notesFolder, const std::string& reason);
