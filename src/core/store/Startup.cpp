#include "core/store/Startup.h"

#include <filesystem>
#include <set>

#include <unistd.h>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Preferences.h"
#include "core/foundation/ReportFiles.h"
#include "core/foundation/ScratchFolder.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/UseUnderscoresInDatabasePath.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/databaseInfo.h"
#include "core/foundation/tvDatabase.h"
#include "core/sqlite/DatabaseFileCopy.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/ScratchCopy.h"
#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"
#include "platform/ReplacementNotes.h"
#include "platform/StandardPaths.h"
#include "platform/SystemLog.h"

namespace {

constexpr const char* kProduct = "1099";
constexpr int kTaxYear = 2025;
constexpr int kLastYear = 2024;
constexpr int kOldestPreferencesYear = 2013;
constexpr int kOldestConfigurationYear = 2011;

// Whom to ask for access, naming the most useful folder that exists.
std::string accessAdvice(const TalvexaDir& dir) {
    std::string advice =
        "To resolve this issue, please have a system administrator provide you with Read & Write access for ";
    if (platform::fileExists(dir.GetTalvexaDir()))
        advice += "the following directory and all of its sub-directories and files:\n\n    " + dir.GetTalvexaDir();
    else if (dir.IsAtRoot())
        advice += "the root folder ('/')";
    else
        advice += "the following directory:\n\n    " + dir.GetBaseDir();
    return advice;
}

// The report files the print runs write in the configuration folder and remove at once,
// when a run was killed before it could: every recipient's name, address and amounts.
// Those names only, as entries: a link there goes, never what it points to; a folder of
// that name stays.
void removeLeftReportFiles(const std::string& configurationFolder) {
    if (configurationFolder.empty()) return;
    for (const char* name : {kReportPdfName, kChecksPdfName}) (void)::unlink((configurationFolder + "/" + name).c_str());
}

std::string collapseSlashes(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        out += c;
    }
    return out;
}

}  // namespace

std::string GetAppDbPath(const TalvexaDir* dirObject) {
    std::shared_ptr<TalvexaDir> keep;
    if (!dirObject) {
        keep = session().configDir;
        dirObject = keep.get();
    }
    if (!dirObject) return "";
    const std::string yearFolder = dirObject->GetDir();
    if (yearFolder.empty()) return "";
    const int year = dirObject->GetYear();
    return yearFolder + (year >= 2013 ? "__Configuration" : "") + "/Talvexa_" + kProduct + "_" +
           std::to_string(year) + ".db";
}

bool GetPriorConfigDir(TalvexaDir& dirObject) {
    Session& s = session();
    if (s.Prefs) {
        for (int year = kLastYear; year >= kOldestPreferencesYear; --year) {
            const std::string folder = s.Prefs->selectAppDetails(kProduct, year);
            if (!folder.empty()) {
                dirObject.SetBaseDir(folder);
                dirObject.SetYear(year);
                return true;
            }
        }
    }
    const std::string prefix = GetConfigDir()->dir();
    for (int year = kLastYear; year >= kOldestConfigurationYear; --year) {
        TalvexaDir relative;
        relative.SetYear(year);
        const std::string path = prefix + GetAppDbPath(&relative);
        if (platform::fileExists(path)) {
            dirObject.SetBaseDir(path);
            dirObject.SetYear(year);
            return true;
        }
    }
    return false;
}

bool InitConfigInfo(bool skipPriorSearch) {
    Session& s = session();
    if (!s.configDir) s.configDir = std::make_shared<TalvexaDir>();
    TalvexaDir& configDir = *s.configDir;

    const std::string stored = s.Prefs ? s.Prefs->selectAppDetails(kProduct, kTaxYear) : std::string();
    const bool haveStored = !stored.empty();
    std::string base = haveStored ? stored : platform::documentsDir();
    const std::string::size_type at = base.find("/Talvexa");
    if (at != std::string::npos) {
        base = base.substr(0, at);
        if (!base.empty()) base += "/";
    }

    configDir.SetBaseDir(base);
    configDir.setYear(kTaxYear);
    TalvexaDir prior;
    prior.SetBaseDir(base);
    prior.SetYear(kTaxYear);

    bool foundPrior = false;
    if (!skipPriorSearch) foundPrior = GetPriorConfigDir(prior);
    if (foundPrior && !haveStored) configDir.setDir(prior.GetBaseDir());

    bool settled = foundPrior || haveStored;
    for (;;) {
        while (!settled) configDir.setDir(tvDatabase::ConfigurationSetup_Box(&configDir, &settled));

        if (configDir.Init()) {
            if (InitAppDatabase(foundPrior ? &prior : nullptr)) {
                if (s.Prefs) s.Prefs->InsertAppDetails(kProduct, kTaxYear, configDir.GetDir());
                return true;
            }
        } else {
            askUser("Unable to initialize the Talvexa Configuration Directory.", accessAdvice(configDir),
                    kMessageStyleYesNo, "", kMessageImageNoKind);
        }

        MessageBoxRequest ask;
        ask.caption = "Create new configuration files?";
        ask.details =
            "If you are unable to resolve this issue, Talvexa 2025 can create new configuration files in a different "
            "location. Creating new files may help resolve this issue, but will also result in the loss of the "
            "database list in the Database Manager, and reset some application preferences to thier default values. "
            "You may also be prompted to re-install any Automatic Tax Table Updates.Do you want to exit Talvexa 2025 "
            "now to resolve this issue, or create new configuration files?";
        ask.style = kMessageStyleYesNo;
        ask.okYesLabel = "Exit Talvexa 1099";
        ask.cancelLabel = "Create New Configuration Files";
        if (userInterface().messageBox(ask).code == kMessageAnswerOkYes) return false;
        settled = false;
    }
}

bool InitAppDatabase(const TalvexaDir* prior) {
    Session& s = session();
    if (!s.configDir || !s.DBH) return false;
    // The current folder of the process is left alone: every path here is absolute.
    const std::string path = GetAppDbPath(s.configDir.get());
    const bool existed = platform::fileExists(path);

    if (existed && !platform::isReadable(path)) {
        askUser("Unable to initialize the Configuration Database.", accessAdvice(*s.configDir), kMessageStyleYesNo, "",
                kMessageImageError);
        return false;
    }

    if (!existed && prior) {
        const std::string priorPath = GetAppDbPath(prior);
        if (platform::fileExists(priorPath) && tvDatabase::CanAccessFile(priorPath, false, "", "")) {
            // Opening brings last year's file to the current schema before it is copied.
            // A file that cannot be opened is not carried over: copying it would only
            // make this year's file fail the same way on every start.
            AppDatabase lastYear;
            if (lastYear.Init(priorPath, false) && copyDatabaseFile(priorPath, path)) {
                if (lastYear.fileOpen(true)) lastYear.SetPriorYear(true);
            } else {
                platform::systemLog("Not copied");
            }
            lastYear.Close();
        }
    }

    AppDatabase& appDatabase = *s.DBH->appDatabase();
    // A file that cannot be opened or upgraded says why before the user chooses what to do.
    if (!appDatabase.Init(path, true)) return false;

    if (!existed) {
        databaseInfo none;
        none.Nullify();
        // A new file that cannot take its first rows is of no use; each write has said why.
        if (!appDatabase.SetYear(kTaxYear) || !appDatabase.PurgeDatabaseList(kTaxYear, false) ||
            !appDatabase.SetRecentDatabaseInfo(none) || !appDatabase.PurgePriorYearList()) {
            appDatabase.Close();
            return false;
        }
    }
    LoadPriorYearDatabaseList();
    return true;
}

int LoadPriorYearDatabaseList() {
    Session& s = session();
    if (!s.DBH || !s.DBH->appDatabase() || !s.DBH->appDatabase()->IsReady()) return -1;

    std::vector<databaseInfo> entries;
    std::shared_ptr<TalvexaDir> last = GetConfigDir();
    if (GetPriorConfigDir(*last)) {
        const std::string lastPath = GetAppDbPath(last.get());
        if (platform::fileExists(lastPath) && platform::isReadable(lastPath)) {
            // The session does not know the configuration folder yet at start-up. While
            // another copy of the program holds the scratch copy, the list stays as it is.
            ScratchCopy temp(collapseSlashes(s.configDir->GetConfigDir()));
            if (temp.copyFrom(lastPath)) {
                AppDatabase lastYear;
                if (lastYear.Init(temp.path(), false)) entries = lastYear.SelectDatabaseList();
                lastYear.Close();
            }
        }
    }

    AppDatabase& appDatabase = *s.DBH->appDatabase();
    const bool underscores = UseUnderscoresInDatabasePath();
    for (databaseInfo& entry : entries) {
        if (entry.year() != kLastYear) continue;
        TalvexaDir thisYear;
        thisYear.SetBaseDir(entry.path());
        thisYear.SetYear(kTaxYear);
        if (platform::fileExists(thisYear.GetDir() + yearDatabaseFileName(entry.name(), underscores)))
            entry.setImported(true);
        // One failure is reported once, not once for every entry.
        if (!appDatabase.InsertPriorYearInfo(entry)) break;
    }
    return static_cast<int>(entries.size());
}

void InitGlobals() {
    Session& s = session();
    s.OpenFlag = 0;
    s.companyPK = -1;
    LoadPreferences();
    s.ControlledTempDir = collapseSlashes(GetConfigDir()->GetConfigDir());
}

void LoadPreferences() {
    Session& s = session();
    if (!s.Prefs) return;
    s.Prefs->defaultValues();
    s.Prefs->selectPreferences();
    if (!s.isExistingUser && !s.Prefs->updateReminderYear()) s.Prefs->InsertPreferences();
}

bool IsFirstRun() { return session().isFirstRun; }

bool IsExistingUser() { return session().isExistingUser; }

void SetConfigDir(std::shared_ptr<TalvexaDir> dir) { session().configDir = std::move(dir); }

std::shared_ptr<TalvexaDir> GetConfigDir() {
    auto copy = std::make_shared<TalvexaDir>();
    if (const auto& current = session().configDir) {
        copy->SetYear(current->GetYear());
        copy->setDir(current->dir());
    }
    return copy;
}

void SavePreferences() {}

bool runStartup() {
    Session& s = session();
    s.configDir = std::make_shared<TalvexaDir>();
    s.Prefs = std::make_shared<Preferences>();

    const std::string folder = platform::preferencesDir() + "/Talvexa";
    if (!platform::isDirectory(folder)) platform::createDirectories(folder);
    // Start-up goes on with whatever the preferences database gives; it shows its own failures.
    s.Prefs->init(folder + "/Preferences.db", true);
    s.Prefs->CopySystemValues();
    s.Prefs->selectPreferences();
    const bool firstRunOfYear = s.Prefs->selectAppYear(kProduct, kTaxYear);

    TalvexaDir probe;
    probe.SetYear(kTaxYear);
    probe.setDir("");
    s.isExistingUser = GetPriorConfigDir(probe);

    if (firstRunOfYear) userInterface().welcome();

    s.configDir = std::make_shared<TalvexaDir>();
    s.DBH = std::make_shared<DatabaseHolder>();
    if (!InitConfigInfo(false)) return false;

    InitGlobals();
    s.appDBReady = s.DBH->appDatabase()->IsReady();
    sweepProgramFolders();
    return true;
}

void sweepProgramFolders() {
    Session& s = session();
    // The scratch copy of a restore or a new year that did not end holds a whole company
    // file; one that another running copy of the program holds is that copy's own. The
    // same goes for what a run wrote before it knew where it went.
    if (!s.ControlledTempDir.empty()) ScratchCopy().remove();
    clearScratchFolder();

    // Folders the program owns: whatever an interrupted write left there goes.
    std::set<std::string> folders;
    const auto add = [&](const std::string& folder) {
        if (!folder.empty()) folders.insert(collapseSlashes(folder));
    };
    add(platform::preferencesDir() + "/Talvexa");
    if (s.configDir) {
        add(s.configDir->GetDir());
        add(s.configDir->GetConfigDir());
        add(s.configDir->GetBackupsDir());
        add(s.configDir->GetAutoBackupsDir());
    }
    add(s.ControlledTempDir);
    for (std::string folder : folders) {
        while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        platform::sweepLeftovers(folder);
    }
    removeLeftReportFiles(s.ControlledTempDir);
    // A write anywhere else notes its target in the configuration folder while it works;
    // what one that did not end left there goes now.
    platform::ReplacementNotes notes{"", folders, {scratchFolder()}};
    if (!s.ControlledTempDir.empty()) notes.folder = s.ControlledTempDir + "/Unfinished Writes";
    platform::setReplacementNotes(std::move(notes));
    platform::sweepNotedReplacements();
    // Listed databases may live in any folder of the user's: there only what a copy or a
    // new year left of that database itself goes, and a database kept aside comes back.
    if (s.DBH && s.DBH->appDatabase() && s.DBH->appDatabase()->IsReady()) {
        AppDatabase& app = *s.DBH->appDatabase();
        std::set<std::string> databases;
        for (const databaseInfo& listed : app.SelectDatabaseList())
            if (!listed.path().empty()) databases.insert(collapseSlashes(listed.path()));
        if (const auto recent = app.GetRecentDatabaseInfo(); recent && !recent->path().empty())
            databases.insert(collapseSlashes(recent->path()));
        for (const std::string& database : databases) (void)platform::sweepLeftoversOf(database);
    }
}
