#pragma once

#include <cstdint>
#include <string>

#include "platform/WebRequests.h"

// Downloads one address to one file, synchronously.
class data {
public:
    // What is downloaded; each has its own limits.
    enum class Download { VersionsFile, PatchArchive };

    // How long a download may take and how slow it may get. The versions file (some
    // 20 KB) fails after 15 s in which nothing arrives or 60 s in all; the patch archive
    // fails when less than 1 KB/s arrives for 30 s (and after 10000 s in all).
    struct Timeouts {
        platform::DownloadLimits versionsFile;
        platform::DownloadLimits patchArchive;
    };
    static Timeouts defaultTimeouts();
    static Timeouts timeouts();
    // The time-out setter: the limits of every later download (tests make them small).
    static void setTimeouts(const Timeouts& limits);

    explicit data(Download what);

    // The last three arguments are not consulted. True when the destination file exists
    // afterwards. Only the whole body of a 2xx answer counts: any other answer, a body
    // cut short, a limit reached, a connection that fails or a stop of the thread's web
    // requests leaves no file (and an existing file at the destination as it was); an
    // empty body makes an empty file.
    bool DownloadFile(const std::string& url, const std::string& destinationPath, int32_t, int32_t, int32_t);

    // The destination of the current download.
    const std::string& destination() const { return destination_; }
    // The patch download shows its progress; true when the user cancelled it.
    bool cancelled() const { return cancelled_; }

private:
    Download what_;
    std::string destination_;
    bool cancelled_ = false;
};
