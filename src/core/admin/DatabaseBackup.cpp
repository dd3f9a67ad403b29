#include "core/admin/DatabaseBackup.h"

#include <cctype>
#include <ctime>
#include <filesystem>

#include "core/admin/CloudBackup.h"
#include "core/admin/DatabaseFileCheck.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/JobMeter.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Preferences.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/databaseInfo.h"
#include "core/foundation/tvDatabase.h"
#include "core/sqlite/DatabaseFileCopy.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/ScratchCopy.h"
#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"
#include "platform/NetworkStatus.h"
#include "platform/StandardPaths.h"
#include "platform/SystemLog.h"

namespace {

constexpr const char kRestoreFailedCaption[] = "Unable to restore from backup.";
constexpr const char kBackupTypeName[] = "1099 Database Backup";

std::shared_ptr<CompanyDatabase> companyDatabase() {
    const Session& s = session();
    return s.DBH ? s.DBH->companyDatabase() : nullptr;
}

std::shared_ptr<AppDatabase> configurationDatabase() {
    const Session& s = session();
    if (!s.DBH) return nullptr;
    const auto& app = s.DBH->appDatabase();
    return app && app->IsReady() ? app : nullptr;
}

std::string backupsFolder() {
    const auto& dir = session().configDir;
    return dir ? dir->GetBackupsDir() : std::string();
}

// A fixed text with the system's reason after it, when there is one.
std::string withReason(const std::string& text, const std::string& reason) {
    return reason.empty() ? text : text + "\n\n" + reason;
}

void backupUnusable(const std::string& reason = {}) {
    askUser(kRestoreFailedCaption, withReason("Unable to initialize the database backup.", reason), kMessageStyleOK, "",
            kMessageImageError);
}

}  // namespace

DatabaseBackup::DatabaseBackup(Today today)
    : today_(std::move(today)),
      copier_([](const std::string& from, const std::string& to, const CopyProgress& progress, std::string& reason) {
          return copyDatabaseFile(from, to, progress, &reason);
      }) {}

std::chrono::year_month_day DatabaseBackup::localToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{unsigned(local.tm_mon + 1)},
                                       std::chrono::day{unsigned(local.tm_mday)}};
}

std::string DatabaseBackup::scratchPath() { return ScratchCopy::scratchPath(); }

// ---------------------------------------------------------------------------
// Backup

bool DatabaseBackup::destinationWritable(const std::string& path) const {
    if (path.empty() || platform::isDirectory(path)) return false;
    const std::string folder = platform::folderOf(path);
    // The copy is written beside the destination and renamed into place.
    if (!platform::isDirectory(folder) || !platform::isWritable(folder)) return false;
    return !platform::fileExists(path) || platform::isWritable(path);
}

namespace {

const char* const kJournalSuffixes[] = {"-journal", "-wal", "-shm"};

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// "Talvexa_1099_<year>.db" in a "__Configuration" folder (in the year folder itself
// before 2013): the configuration database of some year, wherever its tree lies.
bool isConfigurationDatabaseName(const std::string& path) {
    const std::filesystem::path p(path);
    const std::string name = p.filename().string();
    const std::string prefix = "Talvexa_1099_";
    if (name.size() != prefix.size() + 7 || name.compare(0, prefix.size(), prefix) != 0 || !endsWith(name, ".db"))
        return false;
    const std::string year = name.substr(prefix.size(), 4);
    for (char c : year)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    const std::string folder = p.parent_path().filename().string();
    return folder == "__Configuration" || folder == year;
}

// Every other file the program keeps: the open and the listed company databases of
// every year, last year's list, the recent database, this year's configuration
// database, the preferences database and the scratch copy.
std::vector<std::string> keptFiles() {
    std::vector<std::string> kept;
    const Session& s = session();
    if (auto company = companyDatabase(); company && !company->GetPath().empty()) kept.push_back(company->GetPath());
    kept.push_back(ScratchCopy::scratchPath());
    kept.push_back(platform::preferencesDir() + "/Talvexa/Preferences.db");
    if (s.Prefs && s.Prefs->db())
        if (const auto& own = s.Prefs->db()->databasePath()) kept.push_back(*own);
    if (auto app = configurationDatabase()) {
        kept.push_back(app->GetPath());
        for (const databaseInfo& listed : app->SelectDatabaseList()) kept.push_back(listed.path());
        for (const databaseInfo& prior : app->SelectPriorYearList()) kept.push_back(prior.path());
        if (const auto recent = app->GetRecentDatabaseInfo()) kept.push_back(recent->path());
    }
    return kept;
}

}  // namespace

bool DatabaseBackup::isProgramFile(const std::string& path) const {
    std::string file = path;
    for (const char* suffix : kJournalSuffixes)
        if (endsWith(path, suffix)) {
            file = path.substr(0, path.size() - std::string(suffix).size());
            // SQLite reads a journal beside any file as that database's own.
            if (platform::fileExists(file)) return true;
            break;
        }
    if (isConfigurationDatabaseName(file)) return true;
    for (const std::string& kept : keptFiles())
        if (!kept.empty() && (sameFile(path, kept) || sameFile(file, kept))) return true;
    return false;
}

bool DatabaseBackup::askAgain(const std::string& details) const {
    return tvDatabase::tvMessageBox("Unable to create backup.", details, kMessageStyleOKCancel, "",
                                    kMessageImageError, false) == kMessageAnswerOkYes;
}

bool DatabaseBackup::reopen() const {
    if (!userInterface().openRecentDatabase()) return false;
    auto company = companyDatabase();
    if (!company || !company->IsReady()) return false;
    // A file that an earlier run left marked as a backup is the original again.
    if (company->IsBackup()) (void)company->SetBackup(false);   // a failed write is reported by the database
    return true;
}

namespace {

// A copy's pages as a step of the meter, which starts when the copy knows their number.
CopyProgress pagesOf(JobMeter& meter, const std::string& step) {
    return [&meter, step, started = false](int64_t done, int64_t total) mutable {
        if (!started) meter.step(step, total);
        started = true;
        return meter.advance(done);
    };
}

}  // namespace

std::string backupNotNotedText(const std::string& notesFolder, const std::string& reason) {
    return "The backup could not be noted in \"" + notesFolder + "\": " + textscan::asSentence(reason) +
           "\n\nTalvexa 1099 notes there every backup it writes outside its own folders, so that what a backup "
           "cut short leaves behind is cleared at the next start, and writes none that it cannot note. To resolve "
           "this issue, make sure that this folder is a folder of yours (not a link), that you have Read & Write "
           "access to it and that its disk has room, then click 'OK' and save the backup again.";
}

bool DatabaseBackup::copyAsBackup(const std::string& original, const std::string& destination, JobMeter& meter,
                                  std::string& reason, platform::NoteRefusal& unnoted) {
    // The marks go on a scratch copy, which then becomes the backup; the original is
    // never marked, so no way out of a backup leaves it looking like one.
    ScratchCopy marked;
    if (!marked.copyFrom(original, pagesOf(meter, "Copying " + original), &reason)) return false;
    {
        CompanyDatabase copy;
        if (!copy.Init(marked.path(), false, true, false, kScratchFileName, CompanyDatabase::OpenFailures::quiet)) {
            reason = copy.openFailure();
            return false;
        }
        copy.SetInUse(0);
        if (!copy.SetBackup(true)) return false;
    }
    if (meter.cancelled()) return false;
    // Written beside the destination and renamed into place. A write outside the
    // program's own folders is refused when it cannot be noted: that refusal is told apart.
    platform::FileReplacement made(destination);
    if (!made.ok()) {
        reason = made.error();
        unnoted = made.noteRefusal();
        return false;
    }
    if (!copier_(marked.path(), made.temporaryPath(), pagesOf(meter, "Writing " + destination), reason)) return false;
    meter.commitPoint();
    if (!made.commit()) {
        reason = made.error();
        return false;
    }
    return true;
}

DatabaseBackup::BackupResult DatabaseBackup::OnBackup() {
    UserInterface& ui = userInterface();
    auto company = companyDatabase();
    if (!company || !company->IsReady()) return BackupResult::notMade;
    if (ui.cloudBackupEnrolment() != kCloudBackupContinueCode) return BackupResult::notMade;
    auto app = configurationDatabase();
    const bool cloudOn = app && app->SelectCloudBackup();

    databaseInfo open;
    open.setName(company->GetName());
    open.setPath(company->GetPath());
    open.setYear(company->GetYear());
    const std::string proposed = open.GetBackupName(false, today_());

    SaveFileRequest request;
    request.message = "Create a Database Backup (All Companies in Database)";
    request.startFolder = backupsFolder();
    request.fileName = proposed;
    request.fileType = "db";
    request.typeName = kBackupTypeName;

    for (;;) {
        const std::optional<std::string> chosen = ui.chooseSaveFile(request);
        if (!chosen) return BackupResult::panelCancelled;
        destination_ = *chosen;
        if (!destinationWritable(destination_)) {
            if (askAgain(kBackupUnwritableText)) continue;
            return BackupResult::notMade;
        }
        if (isProgramFile(destination_)) {
            if (askAgain(kBackupOverwritesText)) continue;
            return BackupResult::notMade;
        }

        // A window the user kept open keeps the database open and in use: no backup.
        if (!ui.closeDatabase(false, false)) return BackupResult::notMade;

        JobMeter meter("Backup", true);
        std::string reason;
        platform::NoteRefusal unnoted;
        bool made = copyAsBackup(open.path(), destination_, meter, reason, unnoted);
        if (!made && meter.cancelled()) {
            // Stopped before the backup was put in place: the database opens again as it was.
            meter.finish();
            platform::systemLog("The backup to " + destination_ + " was cancelled.");
            (void)reopen();
            return BackupResult::notMade;
        }
        if (made) {
            meter.longStep("Checking " + destination_);
            if (!checkDatabaseFile(destination_).usable()) {
                platform::removePath(destination_);
                made = false;
            }
        }
        meter.finish();
        platform::systemLog(made ? "File Copied Succesfully."
                                 : withReason("Unable to copy the database to " + destination_, reason));
        // Reopened once: a login the user cancels is not asked for again.
        const bool reopened = reopen();

        if (!made) {
            // OK goes back to the save panel, which needs the database open again; without
            // it the backup ends. A write that could not be noted is no fault of the
            // location chosen.
            const std::string details = unnoted.folder.empty() ? withReason(kBackupUnwritableText, reason)
                                                               : backupNotNotedText(unnoted.folder, unnoted.reason);
            if (askAgain(details) && reopened) continue;
            return BackupResult::notMade;
        }

        askUser("Successfully created backup.",
                "Successfully created a backup of all the employers in the currently open database. Keep in mind that "
                "restoring from this backup will revert all of the employers in the database to their state at the "
                "time this backup was created.",
                kMessageStyleOK, cloudbackup::kProgramTitle, kMessageImageMessage);
        databaseInfo cloud;
        if (app) app->GetCloudBackupInfo(cloud);
        if (cloud.CloudCheck() == 1)
            askUser("Backup saved in the below path.", destination_, kMessageStyleOK, cloudbackup::kProgramTitle,
                    kMessageImageMessage);
        if (cloudOn) {
            if (platform::isNetworkAvailable())
                cloudbackup::openInBrowser(
                    cloudbackup::uploadAddress(cloud.Emailaddress(), cloud.CustomerId(), proposed));
            else
                cloudbackup::showConnectionFailed();
        }
        return BackupResult::made;
    }
}

// ---------------------------------------------------------------------------
// Restore

bool DatabaseBackup::replaceOpenDatabase(const std::string& scratch, const std::string& target, int year,
                                         std::string& reason) {
    // The copy is made and checked beside the target; only a sound copy replaces it.
    platform::FileReplacement restored(target);
    if (!restored.ok()) reason = restored.error();
    bool ok = restored.ok() && copier_(scratch, restored.temporaryPath(), {}, reason);
    if (ok) {
        const DatabaseFileCheck check = checkDatabaseFile(restored.temporaryPath());
        ok = check.usable() && check.year == year;
    }
    if (ok && !restored.commit()) {
        ok = false;
        reason = restored.error();
        platform::systemLog("Unable to put the restored database in place: " + restored.error());
    }
    return ok;   // a replacement that did not end removes its copy
}

DatabaseBackup::RestoreResult DatabaseBackup::RestoreDatabase() {
    UserInterface& ui = userInterface();
    auto company = companyDatabase();
    if (!company || !company->IsReady()) {
        askUser("", "Please create a database and create a backup then you can use restore option!!", kMessageStyleOK,
                "Restore Database", kMessageImagePlain);
        return RestoreResult::notRestored;
    }
    const int32_t answer = tvDatabase::tvMessageBox(
        "",
        " Restoring from a backup will overwrite all of your current information. Would you like to backup your "
        "current information now? (Recommended) ",
        kMessageStyleYesNo, "Create a backup before restoring?", kMessageImagePlain, false);
    if (answer == kMessageAnswerOkYes) {
        (void)OnBackup();
        // A backup whose reopening was not completed (a login cancelled) leaves nothing to restore into.
        if (!company->IsReady()) return RestoreResult::notRestored;
    }

    OpenFileRequest request;
    request.message = "Restore Database";
    request.fileType = "db";
    request.typeName = kBackupTypeName;
    request.startFolder = backupsFolder();
    const std::optional<std::string> chosen = ui.chooseOpenFile(request);
    if (!chosen) return RestoreResult::notRestored;

    const std::string openPath = company->GetPath();
    if (sameFile(*chosen, openPath)) {
        askUser(kRestoreFailedCaption, "The selected database is the currently open database, not a backup.",
                kMessageStyleOK, cloudbackup::kProgramTitle, kMessageImageError);
        return RestoreResult::notRestored;
    }
    if (!tvDatabase::CanAccessFile(*chosen, true, kRestoreFailedCaption, "Unable to access the database backup."))
        return RestoreResult::notRestored;

    // Made empty first (a copy left by a run that did not finish goes) and removed on
    // every way out; held until the restore ends, so that another copy of the program
    // starting meanwhile leaves it alone.
    const ScratchCopy scratchCopy;
    const std::string& scratch = scratchCopy.path();
    if (!tvDatabase::CanCreateFile(scratch, true, kRestoreFailedCaption,
                                   "Unable to create/access the temporary restore database."))
        return RestoreResult::notRestored;
    const auto scratchUnusable = [](const std::string& reason) {
        askUser("", withReason("Unable to initialize the temporary restore database.", reason), kMessageStyleOK,
                kRestoreFailedCaption, kMessageImageError);
        return RestoreResult::notRestored;
    };
    if (scratchCopy.inUseElsewhere()) return scratchUnusable(scratchCopy.inUseReason());

    JobMeter meter("Restore Database", true);
    meter.longStep("Checking " + *chosen);
    // Nothing that is not a sound company database gets near the open one.
    if (const DatabaseFileCheck check = checkDatabaseFile(*chosen); !check.usable()) {
        backupUnusable(check.problem);
        return RestoreResult::notRestored;
    }
    std::string reason;
    if (!copier_(*chosen, scratch, {}, reason) || !platform::fileExists(scratch)) return scratchUnusable(reason);

    const std::string openName = company->GetName();
    const int32_t openYear = company->GetYear();
    int32_t year = 0;
    {
        // The copy is brought up to the current schema, named as the database it replaces
        // and no longer marked as a backup.
        CompanyDatabase copy;
        if (!copy.Init(scratch, false, true, true, kScratchFileName, CompanyDatabase::OpenFailures::quiet)) {
            backupUnusable(copy.openFailure());
            return RestoreResult::notRestored;
        }
        year = copy.GetYear();
        if (!copy.SetName(openName) || !copy.SetBackup(false)) {
            backupUnusable();
            return RestoreResult::notRestored;
        }
    }
    // The upgrade passes over statements that fail, so a backup that lacks tables or
    // columns comes out of it lacking them still: it would replace the database with
    // one that has lost its recipients, or that nothing can write to.
    const std::optional<std::vector<std::string>> missing = missingCompanySchema(scratch, &reason);
    if (!missing || !missing->empty()) {
        std::string names;
        if (missing)
            for (const std::string& name : *missing) names += (names.empty() ? "" : ", ") + name;
        if (missing) reason = "It is not a whole Talvexa 1099 company database: it lacks " + names + ".";
        platform::systemLog("Refused to restore \"" + *chosen + "\": " + reason);
        backupUnusable(reason);
        return RestoreResult::notRestored;
    }
    if (year != openYear) {
        askUser("",
                "Backup is for a different year. Please use 'Import Prior Year' from the File menu to access prior "
                "year information.",
                kMessageStyleOK, kRestoreFailedCaption, kMessageImagePlain);
        return RestoreResult::notRestored;
    }

    // Up to here only the scratch copy was written.
    if (meter.cancelled()) return RestoreResult::notRestored;
    meter.commitPoint();
    meter.longStep("Replacing " + openPath);
    // The main window lets the database go first (its windows close, it is no longer in use).
    if (!ui.closeDatabase(false, false)) return RestoreResult::notRestored;
    const bool replaced = replaceOpenDatabase(scratch, openPath, openYear, reason);
    meter.finish();
    if (!replaced) {
        askUser(kRestoreFailedCaption,
                "Unable to copy the temporary restore database to the currently open database.\n\n            To "
                "resolve this issue, please try again, or have a system administrator provide you with Read & Write "
                "access for the following files:\n\n    " +
                    withReason(scratch + "\n    " + openPath, reason),
                kMessageStyleOK, "", kMessageImageError);
        // The database is as it was; it opens again as the user left it.
        if (!ui.openRecentDatabase() && !company->IsReady() && !checkDatabaseFile(openPath).usable()) {
            askUser(kRestoreFailedCaption,
                    "An unexpected error occured and the database cannot be reopened. Talvexa 1099 will exit.",
                    kMessageStyleOK, "", kMessageImageError);
            return RestoreResult::mustEnd;
        }
        return RestoreResult::notRestored;
    }

    (void)ui.openRecentDatabase();
    AlertRequest done;
    done.icon = AlertIcon::Plain;
    done.title = "Restore Successful";
    done.message = "Successfully restored from backup.";
    done.buttons = {"No", "Yes"};
    done.returnButton = 1;
    (void)ui.alert(done);   // either button only closes it
    company->Close();
    (void)ui.closeDatabase(false, false);
    ui.refreshMainWindow();
    return RestoreResult::restored;
}
