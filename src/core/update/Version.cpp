#include "core/update/Version.h"

#include <memory>
#include <string>
#include <sys/stat.h>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/WebAddresses.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/update/VersionDatabase.h"
#include "core/update/VersionInfo.h"
#include "core/update/data.h"
#include "core/zip/ZipArchive.h"
#include "core/zip/ZipFile.h"
#include "platform/FileSystem.h"
#include "platform/Launch.h"
#include "platform/StandardPaths.h"
#include "platform/SystemLog.h"

namespace {

constexpr int32_t kCheckedYear = 2025;
constexpr int32_t kEFileFlag = 1;
const char kVersionsFileName[] = "forms1099Versions_64.db";
const char kProgramTitle[] = "Talvexa 1099 E-File 2025";

const char kCheckFailed[] = "Unable to check for updates.";
const char kInstallFailed[] = "Unable to install patch.";
const char kInstallerUnreachable[] = "Unable to access the patch installer.";

std::string downloadFailureText() {
    return "Unable to download version file from the Internet.\n\nTo resolve this issue, please make sure that you "
           "are connected to the Internet and that Talvexa 1099 is allowed through your firewall.";
}

std::string patchOfferText() {
    return std::string("A free patch is available for Talvexa 1099 for 2025.\n\nUpgrading to the most recent version "
                       "is recommended for all users.") +
           "\n\nDo you want to download and install this patch now?\n\n Additional Details:\n Talvexa 1099 will "
           "automatically download the most recent patch. The download may take several minutes,and you will not "
           "be able to use Talvexa 1099 during this time.\n Once the download is complete, Talvexa 1099 will "
           "close, and  the patch installer will automatically launch. You will need to follow the on screen "
           "prompts to complete the installation. You may be asked to enter an adiminstrator password to finish "
           "installing.\n After installation is complete, Talvexa 1099 will restart and you may resume using "
           "Talvexa 1099. If Talvexa 1099 does not automatically restart after a few seconds, just launch  "
           "Talvexa 1099 as you normally would to use the most recent version.\n If you experience any "
           "difficulty downloading and installing the latest patch, please try again, or download it directly "
           "from " +
           std::string(kProductWebSiteHost) + " (link below).";
}

std::string unzipFailureText(const std::string& archive) {
    return "Unable to unzip the patch installer.\n\nTo resolve this issue, please close Talvexa 1099 and "
           "double-click the following file to unzip it:\n\n    " +
           archive + "\n\nYou can then double-click the unzipped installer to manually install the downloaded patch.";
}

// Removes a file (never a folder) at path.
void removeFile(const std::string& path) {
    if (!platform::isDirectory(path)) platform::removePath(path);
}

bool isRegularFile(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A plain file name: nothing that could lead into another folder.
bool isPlainFileName(const std::string& name) {
    return !name.empty() && name != "." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find("..") == std::string::npos;
}

std::string replacedAll(std::string text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

bool configurationReady() {
    const Session& s = session();
    return s.DBH && s.DBH->appDatabase() && s.DBH->appDatabase()->IsReady() && !s.ControlledTempDir.empty();
}

// The unzip's messages have no one to read them here; they go to the system log.
class LoggingDelegate : public ZipArchiveDelegate {
public:
    void ErrorMessage(const std::string& text) override { platform::systemLog("Patch unzip: " + text); }
};

}  // namespace

bool Version::LatestVersion(bool showMessages, bool) {
    if (!prepare(showMessages)) return false;
    fetch();
    return finish();
}

bool Version::prepare(bool showMessages) {
    const bool S = showMessages_ = showMessages;
    prepared_ = read_ = versionWarningHeld_ = false;
    if (!configurationReady()) return false;
    versionsFile_ = session().ControlledTempDir + "/" + kVersionsFileName;
    address_ = updateServerAddress() + kVersionsDatabasePath;
    removeFile(versionsFile_);

    if (!tvDatabase::CanCreateFile(versionsFile_, S, kCheckFailed, "Unable to save the downloaded version file."))
        return false;
    prepared_ = true;
    return true;
}

void Version::fetch() {
    if (!prepared_) return;
    const bool S = showMessages_;
    const std::string& versionsFile = versionsFile_;

    data download(data::Download::VersionsFile);
    if (!download.DownloadFile(address_, versionsFile, 0, 1, 0) || !platform::fileExists(versionsFile)) {
        if (S)
            tvDatabase::tvMessageBox_2(kCheckFailed, downloadFailureText(), kMessageStyleOK, kProgramTitle,
                                       kMessageImageError, "OK", "", false, true);
        removeFile(versionsFile);
        return;
    }

    if (!tvDatabase::CanAccessFile(versionsFile, S, kCheckFailed,
                                   "Unable to access version file.\n\nTo resolve this issue, please delete, or have a "
                                   "system administrator provide you with Read & Write access for the following "
                                   "file:\n\n")) {
        removeFile(versionsFile);
        return;
    }

    VersionDatabase versions;
    versions.setHoldMessages(!S);
    const bool opened = versions.Init(versionsFile, S);
    versionWarningHeld_ = versions.versionWarningHeld();
    if (!opened) {
        if (S)
            tvDatabase::tvMessageBox(kCheckFailed, "Unable to initialize the downloaded version file. Please try again.",
                                     kMessageStyleOK, "", kMessageImageError, false);
        removeFile(versionsFile);
        return;
    }
    if (versions.SelectVersionInfo(info_, kCheckedYear, kEFileFlag, S) != 1) {
        if (S)
            tvDatabase::tvMessageBox(kCheckFailed, "Unable to read from the version file. Please try again.",
                                     kMessageStyleOK, "", kMessageImageError, false);
        versions.Close();
        removeFile(versionsFile);
        return;
    }
    versions.Close();
    removeFile(versionsFile);
    read_ = true;
}

bool Version::finish() {
    if (versionWarningHeld_) VersionDatabase::showVersionWarning();
    if (!read_) return false;
    const VersionInfo& info = info_;
    const bool S = showMessages_;

    const bool newVersion =
        info.mostRecentMajor() > kMajor || (info.mostRecentMajor() == kMajor && info.mostRecentUpdate() > kUpdate);
    const bool newPatch = info.thisYearPatch() > kPatch;

    if (newPatch) {
        const int32_t answer = tvDatabase::tvMessageBox_2("A free patch is available! Download now?", patchOfferText(),
                                                          kMessageStyleYesNo, kProgramTitle, kMessageImagePrompt,
                                                          "Download Patch Now", "Cancel", false, true);
        if (answer == kMessageAnswerOkYes && DoAutoPatch(info)) return true;
    }
    if (newVersion) {
        const int32_t answer = tvDatabase::tvMessageBox(
            "A new version of 1099 is available for purchase.",
            std::string("Do you want to go to ") + kProductWebSiteHost + " now to purchase the new version?",
            kMessageStyleYesNo, "", kMessageImagePrompt, false);
        if (answer == kMessageAnswerOkYes) platform::openUrl(info.updateWebPageURL());
    }
    if (!newVersion && S && !newPatch)
        tvDatabase::tvMessageBox("Latest version is installed.", "You are running the most recent version of Talvexa 1099.",
                                 kMessageStyleOK, "", kMessageImageMessage, false);
    return false;
}

bool Version::DoAutoPatch(const VersionInfo& info) {
    if (!configurationReady()) return false;
    UserInterface& ui = userInterface();
    if (!ui.closeDatabase(false, false)) return false;

    const auto giveUp = [&](const std::string& caption, const std::string& text) {
        tvDatabase::tvMessageBox(caption, text, kMessageStyleOK, "", kMessageImageError, false);
        ui.openRecentDatabase();
        return false;
    };

    // The server names the installer; a name that leads into another folder is refused
    // before anything is downloaded.
    if (!isPlainFileName(info.patchFileName())) return giveUp(kInstallFailed, kInstallerUnreachable);

    const std::string desktop = platform::desktopDir();
    platform::createDirectories(desktop);
    const std::string folder = desktop + "/";
    const std::string archive = folder + replacedAll(info.patchFileName(), ".pkg", ".zip");
    removeFile(archive);

    while (!tvDatabase::CanCreateFile(archive, false, "", "")) {
        const int32_t answer = tvDatabase::tvMessageBox(
            "Unable to save the patch installer.",
            "Talvexa Payroll was unable to save the patch installer to the default/selected location. To resolve "
            "this issue, please click 'OK', then choose a location with Read & Write privileges to save the patch "
            "installer.",
            kMessageStyleOKCancel, "", kMessageImageError, false);
        if (answer != kMessageAnswerOkYes) {
            ui.openRecentDatabase();
            return false;
        }
    }

    data download(data::Download::PatchArchive);
    if (!download.DownloadFile(info.patchURL(), archive, 1, 1, 1) || !platform::fileExists(archive)) {
        removeFile(archive);
        if (download.cancelled()) {   // stopped by the user: nothing more to say
            ui.openRecentDatabase();
            return false;
        }
        return giveUp("Unable to download patch.",
                      "To resolve this issue, please try again in a few minutes. If the problem persists, please make "
                      "sure that you are connected to the Internet and that Talvexa 1099 is allowed through your "
                      "firewall.");
    }

    if (!tvDatabase::CanAccessFile(archive, true, kInstallFailed, kInstallerUnreachable)) {
        removeFile(archive);
        ui.openRecentDatabase();
        return false;
    }

    // The archive holds the one installer; after the open its last entry is current.
    std::string entry;
    try {
        ZipFile zip(archive, ZipFile::ZipFileModeUnzip);
        entry = zip.currentFileInZipInfo().name();
        zip.close();
    } catch (const ZipException& e) {
        platform::systemLog("Patch archive " + archive + ": " + e.reason());
        return giveUp(kInstallFailed, unzipFailureText(archive));
    }
    if (!isPlainFileName(entry)) return giveUp(kInstallFailed, unzipFailureText(archive));
    const std::string installer = folder + entry;

    ZipArchive unzip;
    unzip.setDelegate(std::make_shared<LoggingDelegate>());
    if (!unzip.UnzipOpenFile(archive)) return giveUp(kInstallFailed, unzipFailureText(archive));
    const bool unzipped = unzip.UnzipFileTo(folder, true);
    unzip.UnzipCloseFile();
    // Only an installer that the unzip has just written may be started.
    if (!unzipped || !isRegularFile(installer)) return giveUp(kInstallFailed, unzipFailureText(archive));

    tvDatabase::tvMessageBox("Talvexa 1099 needs to close.", "Talvexa 1099 needs to close to finish installing the patch.",
                             kMessageStyleOK, "", kMessageImagePlain, false);
    if (!platform::launchInstaller(installer)) return giveUp(kInstallFailed, kInstallerUnreachable);
    return true;
}

bool runUpdateCheck(bool askedByUser, bool internet) {
    if (!askedByUser && !internet) return false;
    return Version().LatestVersion(askedByUser, internet);
}

UpdateCheckSlowStep prepareLaunchUpdateCheck(std::function<bool()> internet) {
    auto check = std::make_shared<Version>();
    if (!check->prepare(false)) return {};
    return [check, internet = std::move(internet)]() -> UpdateCheckLastStep {
        if (!internet || !internet()) return {};
        check->fetch();
        return [check] { return check->finish(); };
    };
}
