#include "core/admin/DatabaseBackup.h"

#include <ctime>
#include <filesystem>

#include "core/admin/CloudBackup.h"
#include "core/admin/DatabaseFileCheck.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/DatabaseHolder.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/databaseInfo.h"
#include "core/foundation/tvDatabase.h"
#include "core/sqlite/DatabaseFileCopy.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/ScratchCopy.h"
#include "platform/FileSystem.h"
#include "platform/NetworkStatus.h"
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

std::string folderOf(const std::string& path) { return std::filesystem::path(path).parent_path().string(); }

void box(const std::string& caption, const std::string& details, int32_t style, const std::string& title,
         int32_t image) {
    (void)tvDatabase::tvMessageBox(caption, details, style, title, image, false);
}

// A file that exists only while a restore runs; gone again whichever way it ends.
void backupUnusable() {
    box(kRestoreFailedCaption, "Unable to initialize the database backup.", kMessageStyleOK, "", kMessageImageError);
}

}  // namespace

DatabaseBackup::DatabaseBackup(Today today) : today_(std::move(today)), copier_(&copyDatabaseFile) {}

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
    const std::string folder = folderOf(path);
    // The copy is written beside the destination and renamed into place.
    if (!platform::isDirectory(folder) || !platform::isWritable(folder)) return false;
    return !platform::fileExists(path) || platform::isWritable(path);
}

bool DatabaseBackup::isProgramFile(const std::string& path) const {
    if (auto company = companyDatabase(); company && sameFile(path, company->GetPath())) return true;
    auto app = configurationDatabase();
    if (!app) return false;
    if (sameFile(path, app->GetPath())) return true;
    for (const databaseInfo& listed : app->SelectDatabaseList())
        if (sameFile(path, listed.path())) return true;
    return false;
}

bool DatabaseBackup::askAgain(const std::string& details) const {
    return tvDatabase::tvMessageBox("Unable to create backup.", details, kMessageStyleOKCancel, "",
                                    kMessageImageError, false) == kMessageAnswerOkYes;
}

void DatabaseBackup::reopenAndUnflag() const {
    if (!userInterface().openRecentDatabase()) return;
    auto company = companyDatabase();
    if (!company || !company->IsReady()) return;
    (void)company->SetBackup(false);   // a failed write is reported by the database itself
    company->SetInUse(1);
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

        // The copy carries the marks of a backup: not in use, a backup.
        company->SetInUse(0);
        (void)company->SetBackup(true);
        if (!ui.closeDatabase(false, false)) {
            // A window the user kept open keeps the database open: it is in use, no backup.
            (void)company->SetBackup(false);
            company->SetInUse(1);
            return BackupResult::notMade;
        }

        bool made = copier_(open.path(), destination_);
        if (made && !checkDatabaseFile(destination_).usable()) {
            platform::removePath(destination_);
            made = false;
        }
        platform::systemLog(made ? "File Copied Succesfully." : "Unable to copy the database to " + destination_);
        reopenAndUnflag();

        if (!made) {
            reopenAndUnflag();
            // Another location needs the database open again; without it the backup ends.
            if (askAgain(kBackupUnwritableText) && company->IsReady()) continue;
            return BackupResult::notMade;
        }

        box("Successfully created backup.",
            "Successfully created a backup of all the employers in the currently open database. Keep in mind that "
            "restoring from this backup will revert all of the employers in the database to their state at the "
            "time this backup was created.",
            kMessageStyleOK, cloudbackup::kProgramTitle, kMessageImageMessage);
        databaseInfo cloud;
        if (app) app->GetCloudBackupInfo(cloud);
        if (cloud.CloudCheck() == 1)
            box("Backup saved in the below path.", destination_, kMessageStyleOK, cloudbackup::kProgramTitle,
                kMessageImageMessage);
        if (cloudOn) {
            if (platform::isNetworkAvailable())
                cloudbackup::openInBrowser(
                    cloudbackup::uploadAddress(cloud.Emailaddress(), cloud.CustomerId(), proposed));
            else
                cloudbackup::showConnectionFailed();
        }
        reopenAndUnflag();
        return BackupResult::made;
    }
}

// ---------------------------------------------------------------------------
// Restore

bool DatabaseBackup::replaceOpenDatabase(const std::string& scratch, const std::string& target, int year) {
    // The copy is made and checked beside the target; only a sound copy replaces it.
    const std::string temporary = target + ".restoring";
    platform::removePath(temporary);
    bool ok = copier_(scratch, temporary);
    if (ok) {
        const DatabaseFileCheck check = checkDatabaseFile(temporary);
        ok = check.usable() && check.year == year;
    }
    if (ok) {
        std::error_code ec;
        std::filesystem::rename(temporary, target, ec);
        ok = !ec;
        if (!ok) platform::systemLog("Unable to put the restored database in place: " + ec.message());
    }
    platform::removePath(temporary);
    return ok;
}

DatabaseBackup::RestoreResult DatabaseBackup::RestoreDatabase() {
    UserInterface& ui = userInterface();
    auto company = companyDatabase();
    if (!company || !company->IsReady()) {
        box("", "Please create a database and create a backup then you can use restore option!!", kMessageStyleOK,
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
        box(kRestoreFailedCaption, "The selected database is the currently open database, not a backup.",
            kMessageStyleOK, cloudbackup::kProgramTitle, kMessageImageError);
        return RestoreResult::notRestored;
    }
    if (!tvDatabase::CanAccessFile(*chosen, true, kRestoreFailedCaption, "Unable to access the database backup."))
        return RestoreResult::notRestored;

    // Made empty first (a copy left by a run that did not finish goes) and removed on
    // every way out.
    const ScratchCopy scratchCopy;
    const std::string& scratch = scratchCopy.path();
    if (!tvDatabase::CanCreateFile(scratch, true, kRestoreFailedCaption,
                                   "Unable to create/access the temporary restore database."))
        return RestoreResult::notRestored;

    // Nothing that is not a sound company database gets near the open one.
    if (!checkDatabaseFile(*chosen).usable()) {
        backupUnusable();
        return RestoreResult::notRestored;
    }
    if (!copier_(*chosen, scratch) || !platform::fileExists(scratch)) {
        box("", "Unable to initialize the temporary restore database.", kMessageStyleOK, kRestoreFailedCaption,
            kMessageImageError);
        return RestoreResult::notRestored;
    }

    const std::string openName = company->GetName();
    const int32_t openYear = company->GetYear();
    int32_t year = 0;
    {
        // The copy is brought up to the current schema, named as the database it replaces
        // and no longer marked as a backup.
        CompanyDatabase copy;
        if (!copy.Init(scratch, false, true, true, kScratchFileName, CompanyDatabase::OpenFailures::quiet)) {
            backupUnusable();
            return RestoreResult::notRestored;
        }
        year = copy.GetYear();
        const bool prepared = copy.SetName(openName) && copy.SetBackup(false);
        copy.Close();
        if (!prepared) {
            backupUnusable();
            return RestoreResult::notRestored;
        }
    }
    if (year != openYear) {
        box("",
            "Backup is for a different year. Please use 'Import Prior Year' from the File menu to access prior "
            "year information.",
            kMessageStyleOK, kRestoreFailedCaption, kMessageImagePlain);
        return RestoreResult::notRestored;
    }

    // The main window lets the database go first (its windows close, it is no longer in use).
    if (!ui.closeDatabase(false, false)) return RestoreResult::notRestored;
    if (!replaceOpenDatabase(scratch, openPath, openYear)) {
        box(kRestoreFailedCaption,
            "Unable to copy the temporary restore database to the currently open database.\n\n            To "
            "resolve this issue, please try again, or have a system administrator provide you with Read & Write "
            "access for the following files:\n\n    " +
                scratch + "\n    " + openPath,
            kMessageStyleOK, "", kMessageImageError);
        // The database is as it was; it opens again as the user left it.
        if (!ui.openRecentDatabase() && !company->IsReady() && !checkDatabaseFile(openPath).usable()) {
            box(kRestoreFailedCaption,
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
