#pragma once

#include <string>

namespace platform {

// The user's folders, read from the environment each time so tests can point
// HOME and XDG_CONFIG_HOME at a temporary folder. None ends in "/".
std::string homeDir();              // $HOME
std::string preferencesDir();       // $XDG_CONFIG_HOME, default ~/.config (the "Library/Preferences" folder)
std::string documentsDir();         // XDG documents folder, default ~/Documents
std::string desktopDir();           // XDG desktop folder, default ~/Desktop

}  // namespace platform
