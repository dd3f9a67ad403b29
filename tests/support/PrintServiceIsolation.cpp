#include "PrintServiceIsolation.h"

#include <cstdlib>
#include <filesystem>

#include <cups/cups.h>

namespace printisolation {

namespace {

std::string& socketPath() {
    static std::string path;
    return path;
}

void removeFolder() {
    if (socketPath().empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(socketPath()).parent_path(), ignored);
}

}  // namespace

std::string isolate() {
    if (socketPath().empty()) {
        // A folder only this process made: nothing can listen in it.
        const char* tmp = std::getenv("TMPDIR");
        std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/talvexa-no-print-service-XXXXXX";
        if (mkdtemp(folder.data())) {
            socketPath() = folder + "/cups.sock";
            std::atexit(removeFolder);
        } else {
            socketPath() = "/nonexistent/talvexa-no-print-service/cups.sock";
        }
    }
    setenv("CUPS_SERVER", socketPath().c_str(), 1);
    // The print service's client keeps the server it read first; start it afresh.
    cupsSetServer(nullptr);
    return socketPath();
}

bool reachable(std::string& where) {
    const char* server = cupsServer();
    where = server ? server : "";
    http_t* http = httpConnect2(server, ippPort(), nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 2000, nullptr);
    if (!http) return false;
    httpClose(http);
    return true;
}

void Check::SetUp() {
    std::string where;
    if (reachable(where))
        ADD_FAILURE() << "the print service at \"" << where
                      << "\" answers: a test could print on the machine's printer";
}

void install() {
    isolate();
    ::testing::AddGlobalTestEnvironment(new Check);
}

}  // namespace printisolation
