#include "core/newyear/PriorYearList.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/UseUnderscoresInDatabasePath.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "core/newyear/CloseYear.h"
#include "core/newyear/PriorYearFile.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/ScratchCopy.h"
#include "core/store/Startup.h"
#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"

namespace newyear {

namespace {

constexpr int kNewYear = 2025;

std::shared_ptr<AppDatabase> appDatabase() {
    const Session& s = session();
    return s.DBH ? s.DBH->appDatabase() : nullptr;
}

}  // namespace

Verification VerifyDatabaseToAdd(const std::string& path, const std::string& caption) {
    Verification result;
    if (!tvDatabase::CanAccessFile(path, true, caption, "Unable to access the database file.")) return result;
    ScratchCopy scratch;
    if (!tvDatabase::CanAccessFile(scratch.path(), true, caption,
                                   "Unable to create/access the temporary database file."))
        return result;
    if (!scratch.copyFrom(path)) {
        scratch.remove();
        if (wasNotClosedProperly(path)) {
            askUser(caption, notClosedProperlyDetails(path), kMessageStyleOK, kStartNewYearTitle, kMessageImageError);
            return result;
        }
        askUser(caption,
                "Unable to copy the database to the temporary initialization location.\n\n  To resolve this issue, "
                "please try again, or have a system administrator provide you with Read & Write access for the "
                "following files:\n\n    " +
                    path + "\n    " + scratch.path(),
                kMessageStyleOK, "", kMessageImageError);
        return result;
    }
    bool backup = false;
    {
        CompanyDatabase copy;
        // An empty file would be given a new schema in the copy: a file that names no
        // year of its own is no company database.
        const std::optional<int> copyYear = readDatabaseYear(scratch.path());
        if (!copyYear || *copyYear == 0 ||
            !copy.Init(scratch.path(), false, true, true, kScratchFileName,
                       CompanyDatabase::OpenFailures::quiet) ||
            copy.GetYear() == 0) {
            copy.Close();
            askUser(caption, "Unable to initialize the following database:\n\n    " + path, kMessageStyleOK,
                    "Start New Year (Import Prior Year)", kMessageImageError);
            return result;
        }
        result.entry.setName(copy.GetName());
        result.entry.setPath(path);
        result.entry.setYear(copy.GetYear());
        backup = copy.IsBackup();
    }
    scratch.remove();

    const int year = result.entry.year();
    if (year == kNewYear) {
        const int32_t answer =
            askUser("Please use the Database Manager.",
                    "The selected database is already for 1099 year 2025. Please use the 'Add Database to List' button "
                    "in the Database Mananager (available under the 'File' menu) to access this database.",
                    kMessageStyleOK, "Start New Year(Import from Prior Year)", kMessageImageMessage);
        result.verdict = answer == kMessageAnswerOkYes ? Verdict::UseDatabaseManager : Verdict::Refused;
        return result;
    }
    if (year > kNewYear) {
        const std::string y = std::to_string(year);
        askUser(caption,
                "The selected database is already for 1099 year " + y + " Please use Talvexa 1099 " + y +
                    " to access the following database:\n\n    ." + path,
                kMessageStyleOK, "", kMessageImageError);
        return result;
    }
    if (backup) {
        AlertRequest warning;
        warning.icon = AlertIcon::Error;
        warning.title = kStartNewYearTitle;
        warning.message = "Warning! File appears to be a database backup! Continue anyway?";
        warning.informative =
            "The following database to add appears to be a backup of another database:\n\n    " + path +
            "\n\nAdding a backup into the Prior Year Database List is not recommended,  only the original database "
            "file should be added to the list.\n\n    Original Database: " +
            result.entry.name() + "\n\nDo you want to add this database to the Prior Year Database List anyway?";
        warning.buttons = {"Yes", "No"};
        warning.returnButton = 1;
        if (userInterface().alert(warning) != kAlertFirstButtonCode) return result;
    }
    result.verdict = Verdict::Accepted;
    return result;
}

ListChange AddDB_List(PriorYearListState& state, const std::optional<databaseInfo>& selected) {
    const auto app = appDatabase();
    if (!app || !app->IsReady()) return ListChange::None;
    const bool locate = selected && !platform::fileExists(selected->path());
    const std::string caption = locate ? "Unable to locate database." : kAddToListCaption;

    std::string start;
    if (app->LoadFolderPath(kPriorYearFolderKey, start) != 1 || start.empty()) {
        start.clear();
        TalvexaDir last;
        last.SetYear(kNewYear);
        if (session().configDir) last.setDir(session().configDir->dir());
        if (GetPriorConfigDir(last)) start = last.GetDir();
    }
    OpenFileRequest request;
    request.message = locate ? "Locate Prior Year Database" : "Add Prior Year Database to List";
    request.fileType = "db";
    request.startFolder = start;
    const std::optional<std::string> chosen = userInterface().chooseOpenFile(request);
    if (!chosen || chosen->empty()) return ListChange::None;
    const std::string path = *chosen;
    if (!locate) (void)app->SaveFolderPath(kPriorYearFolderKey, platform::folderOf(path));   // a failure has been shown

    Verification checked = VerifyDatabaseToAdd(path, caption);
    if (checked.verdict == Verdict::UseDatabaseManager) return ListChange::ReplaceWindow;
    if (checked.verdict == Verdict::Refused) return ListChange::None;
    databaseInfo& entry = checked.entry;
    if (entry.name().empty()) return ListChange::Refresh;

    if (locate) (void)app->DeletePriorYearInfo(*selected);
    entry.setImported(platform::fileExists(platform::folderOf(path) + "/" +
                                           yearDatabaseFileName(entry.name(), UseUnderscoresInDatabasePath())));
    (void)app->InsertPriorYearInfo(entry);   // a failure has been shown
    state.selectedtoadd_high = path;
    return ListChange::Refresh;
}

ListChange addFoundDatabases(PriorYearListState& state, const std::vector<std::string>& paths) {
    const auto app = appDatabase();
    if (!app || !app->IsReady()) return ListChange::None;
    const bool underscores = UseUnderscoresInDatabasePath();
    int added = 0;
    for (const std::string& path : paths) {
        Verification checked = VerifyDatabaseToAdd(path, kAddToListCaption);
        if (checked.verdict == Verdict::UseDatabaseManager) return ListChange::ReplaceWindow;
        if (checked.verdict == Verdict::Refused) return ListChange::None;
        databaseInfo& entry = checked.entry;
        if (entry.name().empty()) continue;
        state.selectedtoadd_high = path;
        TalvexaDir tree;
        tree.SetBaseDir(path);
        tree.SetYear(kNewYear);
        entry.setImported(platform::fileExists(tree.GetDir() + yearDatabaseFileName(entry.name(), underscores)));
        if (app->InsertPriorYearInfo(entry)) ++added;
    }
    if (added > 0) return ListChange::Refresh;
    state.findDbFlag = false;
    return ListChange::None;
}

std::vector<std::string> RecursePath(const std::string& folder, const std::string& yearText) {
    namespace fs = std::filesystem;
    std::vector<std::string> found;
    std::error_code error;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    if (error) return found;
    std::vector<fs::directory_entry> entries;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error) break;
        const std::string name = it->path().filename().string();
        if (name.empty() || name.front() == '.') continue;
        entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(),
              [](const fs::directory_entry& a, const fs::directory_entry& b) { return a.path() < b.path(); });
    for (const fs::directory_entry& e : entries) {
        std::error_code ignored;
        if (e.is_symlink(ignored)) continue;
        const std::string path = e.path().string();
        if (e.is_directory(ignored)) {
            for (std::string& inner : RecursePath(path, yearText)) found.push_back(std::move(inner));
        } else if (path.find(yearText) != std::string::npos && path.find(".db") != std::string::npos &&
                   !platform::isReplacementLeftover(path)) {
            // A copy that an interrupted run left beside a database is no database of the user.
            found.push_back(path);
        }
    }
    return found;
}

std::optional<std::vector<std::string>> FindDatabase(const std::string& yearText) {
    const int32_t answer = askUser(
        "Find Databases",
        "In the following screen, please choose a directory to start searching. To search your entire computer, "
        "select your local hard disk (usually '/'). However, searching your entire computer may be very slow "
        "(30+ minutes). For a faster search, select a higher-level directory such as your home folder.\n\nYou "
        "will not be able to cancel the search once it has started. The search may take several minutes, and "
        "Talvexa 1099 may appear unresponsive during the search.",
        kMessageStyleOKCancel, "Find Databases", kMessageImageMessage);
    if (answer == kMessageAnswerCancel) return std::nullopt;
    FolderRequest request;
    request.message = "Choose a starting point of your search.";
    const std::optional<std::string> folder = userInterface().chooseFolder(request);
    if (!folder || folder->empty()) return std::nullopt;
    std::vector<std::string> found;
    if (platform::isDirectory(*folder) && !platform::isReadable(*folder)) {
        askUser("Unable to find databases.",
                "Unable to search the selected directory.\n\nTo resolve this issue,                     please have a "
                "system administrator provide you with Read & Write access for the following directory:\n\n    " +
                    *folder,
                kMessageStyleOK, "Find Database", kMessageImageError);
        return found;
    }
    found = RecursePath(*folder, yearText);
    askUser("Finished Search.", "Talvexa 1099 has finished searching for " + yearText + " databases in " + *folder,
            kMessageStyleOK, "Find Prior Year Databases", kMessageImageMessage);
    return found;
}

}  // namespace newyear
