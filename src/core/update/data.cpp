#include "core/update/data.h"

#include <atomic>

#include "platform/FileSystem.h"
#include "platform/SystemLog.h"
#include "platform/WebRequests.h"

namespace {
std::atomic<long> downloadSeconds{10000};
}

std::chrono::seconds data::timeout() { return std::chrono::seconds(downloadSeconds.load()); }

void data::setTimeout(std::chrono::seconds limit) { downloadSeconds = static_cast<long>(limit.count()); }

bool data::DownloadFile(const std::string& url, const std::string& destinationPath, int32_t, int32_t, int32_t) {
    destination_ = destinationPath;
    if (url.empty() || destinationPath.empty()) return false;
    platform::DownloadLimits limits;
    limits.totalSeconds = downloadSeconds.load();
    const platform::WebResult result = platform::downloadToFile(url, destinationPath, limits);
    if (!result.ok) {
        platform::systemLog("Download failed! Error - " + result.error);
        return false;
    }
    platform::systemLog("Download Complete");
    return platform::fileExists(destinationPath);
}
