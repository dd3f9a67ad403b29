#include "core/update/data.h"

#include <mutex>
#include <optional>

#include "core/foundation/JobMeter.h"
#include "platform/FileSystem.h"
#include "platform/SystemLog.h"

namespace {

std::mutex& limitsMutex() {
    static std::mutex m;
    return m;
}

data::Timeouts& currentTimeouts() {
    static data::Timeouts limits = data::defaultTimeouts();
    return limits;
}

}  // namespace

data::Timeouts data::defaultTimeouts() {
    using std::chrono::seconds;
    Timeouts t;
    t.versionsFile.total = seconds(60);
    t.versionsFile.connect = seconds(15);
    t.versionsFile.slowPeriod = seconds(15);
    t.versionsFile.slowBytes = 1;
    t.patchArchive.total = seconds(10000);
    t.patchArchive.connect = seconds(15);
    t.patchArchive.slowPeriod = seconds(30);
    t.patchArchive.slowBytes = 30 * 1024;
    return t;
}

data::Timeouts data::timeouts() {
    std::lock_guard<std::mutex> lock(limitsMutex());
    return currentTimeouts();
}

void data::setTimeouts(const Timeouts& limits) {
    std::lock_guard<std::mutex> lock(limitsMutex());
    currentTimeouts() = limits;
}

data::data(Download what) : what_(what) {}

bool data::DownloadFile(const std::string& url, const std::string& destinationPath, int32_t, int32_t, int32_t) {
    destination_ = destinationPath;
    if (url.empty() || destinationPath.empty()) return false;
    const Timeouts limits = timeouts();
    platform::DownloadLimits chosen = what_ == Download::VersionsFile ? limits.versionsFile : limits.patchArchive;
    // The version file is small and may be fetched off the window's thread; the patch
    // is asked for by the user, who sees it come in and may stop it.
    std::optional<JobMeter> meter;
    int64_t announced = -1;
    if (what_ == Download::PatchArchive) {
        meter.emplace("Download Patch", true);
        chosen.progress = [&](int64_t received, int64_t expected) {
            if (expected != announced) {
                announced = expected;
                meter->step("Downloading the patch", expected);
            }
            return !meter->advance(received);
        };
    }
    const platform::WebResult result = platform::downloadToFile(url, destinationPath, chosen);
    cancelled_ = meter && meter->cancelled();
    if (!result.ok) {
        platform::systemLog("Download failed! Error - " + result.error);
        return false;
    }
    platform::systemLog("Download Complete");
    return platform::fileExists(destinationPath);
}
