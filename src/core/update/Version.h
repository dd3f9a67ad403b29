#pragma once

#include <cstdint>

class VersionInfo;

// The update check: downloads the versions database from the update server, offers a
// newer free patch of this year's program (and installs it) and the purchase page of a
// newer version. Everything runs on the caller's thread, the downloads included.
class Version {
public:
    // The running build, 25.0.1.
    static constexpr int32_t kMajor = 25;
    static constexpr int32_t kUpdate = 0;
    static constexpr int32_t kPatch = 1;

    // showMessages: asked from the menu (failures and "nothing new" are shown); at
    // start-up only the offers are. internet is not consulted. True only when a patch
    // installer has been started: the caller must then end the program.
    bool LatestVersion(bool showMessages, bool internet);

    // Closes the company database, downloads the patch archive to the Desktop, unzips
    // it there and hands the installer to the system. True when the installer started
    // (the company database stays closed); otherwise the recent database is opened
    // again.
    bool DoAutoPatch(const VersionInfo& info);
};

// The check as the program starts it, from the menu (askedByUser) or at start-up, told
// whether the web site answered. At start-up it runs only when the web site answered.
bool runUpdateCheck(bool askedByUser, bool internet);
