#include "platform/Launch.h"

#include <cerrno>
#include <mutex>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

namespace platform {

namespace {

std::mutex& openerMutex() {
    static std::mutex m;
    return m;
}
std::function<bool(const std::string&)>& urlOpener() {
    static std::function<bool(const std::string&)> opener;
    return opener;
}

std::function<bool(const std::string&)>& installerLauncher() {
    static std::function<bool(const std::string&)> launcher;
    return launcher;
}

std::string& openerProgramName() {
    static std::string name;
    return name;
}

std::string openerProgram() {
    std::lock_guard<std::mutex> lock(openerMutex());
    return openerProgramName().empty() ? std::string("xdg-open") : openerProgramName();
}

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

bool startProgram(const std::vector<std::string>& argv, std::function<void(bool succeeded)> ended) {
    if (argv.empty() || argv.front().empty()) return false;
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, args.front(), nullptr, nullptr, args.data(), environ) != 0) return false;
    // The program runs on its own; a waiting thread keeps it from staying a zombie and
    // hands its exit status on.
    std::thread([pid, report = std::move(ended)] {
        int status = 0;
        pid_t waited = 0;
        while ((waited = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
        }
        if (report) report(waited == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }).detach();
    return true;
}

bool openUrl(const std::string& address, std::function<void()> failed) {
    std::function<bool(const std::string&)> opener;
    {
        std::lock_guard<std::mutex> lock(openerMutex());
        opener = urlOpener();
    }
    if (opener) return opener(address);
    // Anything else (a local file, an option for xdg-open) is not a web page to show.
    if (!startsWith(address, "http://") && !startsWith(address, "https://")) return false;
    std::function<void(bool)> ended;
    if (failed)
        ended = [reportFailure = std::move(failed)](bool succeeded) {
            if (!succeeded) reportFailure();
        };
    return startProgram({openerProgram(), address}, std::move(ended));
}

void setUrlOpener(std::function<bool(const std::string&)> opener) {
    std::lock_guard<std::mutex> lock(openerMutex());
    urlOpener() = std::move(opener);
}

bool launchInstaller(const std::string& path) {
    std::function<bool(const std::string&)> launcher;
    {
        std::lock_guard<std::mutex> lock(openerMutex());
        launcher = installerLauncher();
    }
    if (launcher) return launcher(path);
    // An absolute path can never be taken for one of xdg-open's options.
    if (!startsWith(path, "/")) return false;
    return startProgram({"xdg-open", path});
}

void setOpenerProgram(const std::string& program) {
    std::lock_guard<std::mutex> lock(openerMutex());
    openerProgramName() = program;
}

void setInstallerLauncher(std::function<bool(const std::string&)> launcher) {
    std::lock_guard<std::mutex> lock(openerMutex());
    installerLauncher() = std::move(launcher);
}

}  // namespace platform
