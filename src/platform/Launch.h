#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Starts a program found on PATH with exactly these arguments (argv[0] is the program),
// never through a shell, and leaves it running on its own, with no terminal: its input
// is /dev/null, its output and errors go to /dev/null, and it runs in a session of its
// own. The child is reaped when it ends. True when the program started.
//
// The program is taken for a launcher (xdg-open) that normally ends at once. `ended`,
// when given, is called once from a background thread with whether the launcher
// succeeded: false when it exited with a failure status or was killed; true when it
// exited with status 0, and also once it has replaced itself with another program (a
// browser) or is still running after a grace of some seconds (waiting for a browser it
// started): how a browser ends is never taken for the launcher's answer. It is not
// called when the program did not start.
bool startProgram(const std::vector<std::string>& argv, std::function<void(bool succeeded)> ended = {});

// Opens a web address ("http://" or "https://") in the user's browser through
// xdg-open. False when the address is of another kind or xdg-open could not be started.
// Whether a browser took the address xdg-open tells only when it ends: when it ends with
// a failure (no browser set, say), `failed`, when given, is called from a background
// thread. Tests replace the opener to record the address (its answer is final: `failed`
// is not called); an empty function restores xdg-open.
bool openUrl(const std::string& address, std::function<void()> failed = {});
void setUrlOpener(std::function<bool(const std::string&)> opener);
// Tests name the program that stands in for xdg-open in openUrl (it gets the same
// argument); an empty name restores xdg-open.
void setOpenerProgram(const std::string& program);

// Hands a downloaded installer (an absolute path) to the system through xdg-open, the
// path as its one argument. True when xdg-open started. Tests replace the launcher to
// record the path; an empty function restores xdg-open.
bool launchInstaller(const std::string& path);
void setInstallerLauncher(std::function<bool(const std::string&)> launcher);

}  // namespace platform
