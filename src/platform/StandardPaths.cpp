#include "platform/StandardPaths.h"

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

namespace platform {

namespace {

std::string envOr(const char* name, const std::string& fallback) {
    const char* v = std::getenv(name);
    return (v && *v) ? std::string(v) : fallback;
}

std::string stripSlash(std::string p) {
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    return p;
}

// Reads XDG_<key>_DIR from the environment or from ~/.config/user-dirs.dirs.
std::string userDir(const std::string& key, const std::string& fallbackName) {
    const std::string home = homeDir();
    std::string value = envOr(("XDG_" + key + "_DIR").c_str(), "");
    if (value.empty()) {
        std::ifstream in(preferencesDir() + "/user-dirs.dirs");
        std::string line;
        const std::string prefix = "XDG_" + key + "_DIR=";
        while (std::getline(in, line)) {
            if (line.rfind(prefix, 0) != 0) continue;
            std::string v = line.substr(prefix.size());
            if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
            if (v.rfind("$HOME", 0) == 0) v = home + v.substr(5);
            value = v;
        }
    }
    if (value.empty() || value == home || value == home + "/") value = home + "/" + fallbackName;
    return stripSlash(value);
}

}  // namespace

std::string homeDir() {
    std::string h = envOr("HOME", "");
    if (h.empty()) {
        if (const passwd* pw = getpwuid(getuid())) h = pw->pw_dir ? pw->pw_dir : "";
    }
    if (h.empty()) h = "/tmp";
    return stripSlash(h);
}

std::string preferencesDir() { return stripSlash(envOr("XDG_CONFIG_HOME", homeDir() + "/.config")); }

std::string documentsDir() { return userDir("DOCUMENTS", "Documents"); }

std::string desktopDir() { return userDir("DESKTOP", "Desktop"); }

}  // namespace platform
