#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Starts a program found on PATH with exactly these arguments (argv[0] is the program),
// never through a shell, and leaves it running on its own; the child is reaped when it
// ends. True when the program started.
bool startProgram(const std::vector<std::string>& argv);

// Opens a web address ("http://" or "https://") in the user's browser through
// xdg-open. False when the address is of another kind or xdg-open could not be started.
// Tests replace the opener to record the address; an empty function restores xdg-open.
bool openUrl(const std::string& address);
void setUrlOpener(std::function<bool(const std::string&)> opener);

// Hands a downloaded installer (an absolute path) to the system through xdg-open, the
// path as its one argument. True when xdg-open started. Tests replace the launcher to
// record the path; an empty function restores xdg-open.
bool launchInstaller(const std::string& path);
void setInstallerLauncher(std::function<bool(const std::string&)> launcher);

}  // namespace platform
