#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/update/UpdateCheckThread.h"
#include "core/update/VersionInfo.h"

// The update check: downloads the versions database from the update server, offers a
// newer free patch of this year's program (and installs it) and the purchase page of a
// newer version. LatestVersion runs everything on the caller's thread, the downloads
// included; the steps below let the slow part run elsewhere.
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

    // ---- the check in three steps (LatestVersion runs them one after the other) ----
    // On the window's thread: notes what the check needs, removes an old versions file
    // and checks that the new one can be made. False when the check cannot run; there
    // is nothing more to do then.
    bool prepare(bool showMessages);
    // Downloads and reads the versions file. With messages it shows its failures and
    // must run on the window's thread; without, it shows nothing and may run on any
    // thread (the one warning that is shown even then waits for finish).
    void fetch();
    // On the window's thread: the warning held back, then the offers and, with
    // messages, "Latest version is installed.". True when a patch installer started.
    bool finish();

private:
    bool showMessages_ = false;
    bool prepared_ = false;
    bool read_ = false;
    bool versionWarningHeld_ = false;
    std::string versionsFile_;
    std::string address_;
    VersionInfo info_;
};

// The check as the program starts it from the menu (askedByUser) or at start-up, told
// whether the web site answered. At start-up it runs only when the web site answered.
bool runUpdateCheck(bool askedByUser, bool internet);

// The silent check at start-up, prepared on the window's thread: its slow step asks
// `internet` whether the web site answers and, when it does, downloads and reads the
// versions file, showing nothing; the last step shows what there is to show. Empty
// when the check cannot run.
UpdateCheckSlowStep prepareLaunchUpdateCheck(std::function<bool()> internet);
