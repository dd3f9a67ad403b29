#include "core/foundation/TalvexaDir.h"

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "platform/FileSystem.h"

namespace {

constexpr const char* kTalvexa = "Talvexa";
constexpr const char* kProduct = "1099";
constexpr const char* kTreeYear = "2025";

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

bool ensureFolder(const std::string& path) {
    return platform::isDirectory(path) || platform::createDirectories(path);
}

}  // namespace

void TalvexaDir::SetBaseDir(const std::string& text) {
    dir_ = text.empty() ? std::string("/") : text;
    const std::string marker = std::string("/") + kTalvexa + "/";
    std::string::size_type at = dir_.find(marker);
    if (at != std::string::npos) dir_ = dir_.substr(0, at + 1);
}

std::string TalvexaDir::GetTalvexaDir() const {
    if (!dir_.empty() && dir_.back() == '/') return dir_ + kTalvexa;
    return dir_ + "/" + kTalvexa;
}

std::string TalvexaDir::GetAppDir() const { return GetTalvexaDir() + "/" + kProduct; }

std::string TalvexaDir::GetDir() const {
    if (contains(dir_, kTalvexa)) return dir_;
    return GetAppDir() + "/" + std::to_string(year_) + "/";
}

std::string TalvexaDir::GetConfigDir() const { return GetDir() + "__Configuration"; }

std::string TalvexaDir::GetBackupsDir() const { return GetDir() + "/" + "_Backups"; }

std::string TalvexaDir::GetAutoBackupsDir() const { return GetBackupsDir() + "/" + "_Auto_Backups"; }

std::string TalvexaDir::GetReportsDir() const { return GetDir() + "/" + "_Reports"; }

bool TalvexaDir::Init() {
    if (dir_.empty()) dir_ = "/";
    // A dir that already names a place inside a tree is taken as it stands.
    if (contains(dir_, kTalvexa)) return true;

    const std::string talvexa = GetTalvexaDir();
    const bool hadTalvexa = platform::isDirectory(talvexa);
    Session& s = session();

    if (!ensureFolder(talvexa)) return false;

    const std::string app = talvexa + "/" + kProduct;
    if (!platform::isDirectory(app)) {
        if (!platform::createDirectories(app)) {
            s.IsWelcome = false;
            return false;
        }
        s.IsWelcome = true;
    }

    // The tree is always this program's year, whatever the object's year.
    const std::string yearDir = app + "/" + kTreeYear;
    const std::string backups = yearDir + "/_Backups";
    for (const std::string& folder : {yearDir, yearDir + "/__Configuration", backups,
                                      backups + "/_Auto_Backups", yearDir + "/_Reports"}) {
        if (!ensureFolder(folder)) return false;
    }

    if (!hadTalvexa) {
        if (s.IsWelcome) {
            userInterface().welcome();
            s.IsWelcome = false;
        }
        tvDatabase::tvMessageBox(
            "Created Talvexa Configuration Directory. Please Do Not Modify!",
            "To help manage your important information, Talvexa 1099 has created the following directory:\n\n    " +
                talvexa +
                "\n\nPlease do not move or modify this directory or its contents. Doing so may result in the loss "
                "of important information.",
            kMessageStyleOK, "", kMessageImagePlain, false);
    }
    return true;
}
