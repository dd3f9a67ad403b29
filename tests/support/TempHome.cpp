#include "TempHome.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace {
const char* kVars[5] = {"HOME", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR", "XDG_DESKTOP_DIR", "TMPDIR"};
}

TempHome::TempHome() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "talvexa-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
    for (int i = 0; i < 5; ++i) {
        const char* v = std::getenv(kVars[i]);
        had_[i] = v != nullptr;
        if (v) saved_[i] = v;
    }
    std::filesystem::create_directories(path_ + "/.config");
    std::filesystem::create_directories(path_ + "/Documents");
    std::filesystem::create_directories(path_ + "/Desktop");
    std::filesystem::create_directories(path_ + "/tmp");
    setenv("HOME", path_.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (path_ + "/.config").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", (path_ + "/Documents").c_str(), 1);
    setenv("XDG_DESKTOP_DIR", (path_ + "/Desktop").c_str(), 1);
    setenv("TMPDIR", (path_ + "/tmp").c_str(), 1);
}

TempHome::~TempHome() {
    for (int i = 0; i < 5; ++i) {
        if (had_[i]) setenv(kVars[i], saved_[i].c_str(), 1);
        else unsetenv(kVars[i]);
    }
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}
