#pragma once

#include <string>

namespace platform {

// Synchronous web requests over HTTP and HTTPS (libcurl). They block the calling thread
// until the answer is in or a time-out ends them. Redirects are followed (to HTTP and
// HTTPS addresses only) and no cached copy is ever used.

struct DownloadLimits {
    long totalSeconds = 10000;   // the whole transfer
    long connectSeconds = 15;    // reaching the server
};

struct WebResult {
    bool ok = false;      // a download: the whole body of a 2xx answer is in place
    long status = 0;      // the HTTP status of the last answer; 0 when none came
    std::string error;    // why not, in words for the system log
};

// Downloads the body of address to destination. The bytes go to a temporary file beside
// destination, which replaces a file of that name only once the whole body of a 2xx
// answer is in (an empty body makes an empty file). Any other answer, a connection that
// fails, a body cut short or a time-out leaves no file and the destination as it was.
WebResult downloadToFile(const std::string& address, const std::string& destination,
                         const DownloadLimits& limits = {});

// Sends a HEAD request; the status of the final answer, 0 when no answer came in time.
long headStatus(const std::string& address, long timeoutSeconds);

}  // namespace platform
