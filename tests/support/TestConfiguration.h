#pragma once

#include <memory>
#include <string>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/store/DatabaseHolder.h"
#include "platform/FileSystem.h"

// The year's configuration tree under <home>/Documents/ as the program sets it up at
// start: the configuration folder made, the session pointing at it and its database
// open. Nothing when a step failed.
inline std::shared_ptr<TalvexaDir> openTestConfiguration(const std::string& home) {
    Session& s = session();
    auto dir = std::make_shared<TalvexaDir>();
    dir->SetBaseDir(home + "/Documents/");
    dir->SetYear(2025);
    if (!platform::createDirectories(dir->GetConfigDir())) return nullptr;
    s.configDir = dir;
    s.ControlledTempDir = dir->GetConfigDir();
    s.DBH = std::make_shared<DatabaseHolder>();
    if (!s.DBH->appDatabase()->Init(dir->GetConfigDir() + "/Talvexa_1099_2025.db", true)) return nullptr;
    s.appDBReady = true;
    return dir;
}
