#include "platform/Launch.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

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

namespace {

// How long a launcher is given to end. xdg-open ends at once when a desktop's own
// opener takes the address; one still running after this has handed the address to a
// program it waits for (a browser), and that program's end is no answer of the launcher.
constexpr auto kLauncherGrace = std::chrono::seconds(10);

// The program a process runs now (its executable), empty when it cannot be read.
std::string runningProgram(pid_t pid) {
    char target[4096];
    const std::string link = "/proc/" + std::to_string(pid) + "/exe";
    const ssize_t length = ::readlink(link.c_str(), target, sizeof target - 1);
    return length > 0 ? std::string(target, static_cast<size_t>(length)) : std::string();
}

// Reaps the program whenever it ends.
void reap(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

// Waits for the launcher itself: its own exit status, or success once it has become
// another program (it replaced itself with a browser) or is still running after the
// grace. `ended` tells whether the child has ended (and been reaped).
bool launcherSucceeded(pid_t pid, const std::string& launcher, bool& ended) {
    ended = false;
    const auto deadline = std::chrono::steady_clock::now() + kLauncherGrace;
    auto pause = std::chrono::milliseconds(5);
    for (;;) {
        int status = 0;
        const pid_t waited = ::waitpid(pid, &status, WNOHANG);
        if (waited == pid || (waited < 0 && errno != EINTR)) {
            ended = true;
            return waited == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        const std::string now = waited == 0 ? runningProgram(pid) : launcher;
        if (!launcher.empty() && !now.empty() && now != launcher) break;
        if (std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(100));
    }
    return true;
}

}  // namespace

bool startProgram(const std::vector<std::string>& argv, std::function<void(bool succeeded)> ended) {
    if (argv.empty() || argv.front().empty()) return false;
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    // The program gets no terminal: no input, its output thrown away (a text browser
    // would write into this program's output), and a session of its own, so it can
    // neither read from nor take over the terminal this program was started from.
    posix_spawn_file_actions_t files;
    posix_spawnattr_t attributes;
    if (::posix_spawn_file_actions_init(&files) != 0) return false;
    if (::posix_spawnattr_init(&attributes) != 0) {
        ::posix_spawn_file_actions_destroy(&files);
        return false;
    }
    bool prepared = ::posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0 &&
                    ::posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0) == 0 &&
                    ::posix_spawn_file_actions_adddup2(&files, STDOUT_FILENO, STDERR_FILENO) == 0 &&
                    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID) == 0;
    pid_t pid = 0;
    const bool started =
        prepared && ::posix_spawnp(&pid, args.front(), &files, &attributes, args.data(), environ) == 0;
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&files);
    if (!started) return false;

    // What the launcher runs as, read at once: posix_spawnp returns once it has started.
    std::string launcher = runningProgram(pid);
    // The program runs on its own; a waiting thread keeps it from staying a zombie and
    // hands on how the launcher ended.
    std::thread([pid, launcher = std::move(launcher), report = std::move(ended)] {
        bool ended = false;
        const bool succeeded = launcherSucceeded(pid, launcher, ended);
        if (report) report(succeeded);
        if (!ended) reap(pid);
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
