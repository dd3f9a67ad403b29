#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// Synchronous web requests over HTTP and HTTPS (libcurl). They block the calling thread
// until the answer is in or a limit ends them. Redirects are followed (to HTTP and
// HTTPS addresses only) and no cached copy is ever used.

struct DownloadLimits {
    // The whole transfer, from the first connection attempt to the last byte; zero: none.
    std::chrono::milliseconds total = std::chrono::seconds(10000);
    // Reaching the server.
    std::chrono::milliseconds connect = std::chrono::seconds(15);
    // Too slow: fewer than slowBytes arrived within the last slowPeriod, at any time from
    // the start on (headers count, so slowBytes 1 means "nothing at all came"). A server
    // that takes the connection and never answers, or stops in the middle, ends here.
    // A zero period sets no such limit.
    std::chrono::milliseconds slowPeriod{0};
    std::int64_t slowBytes = 1;
    // Told a few times a second how many body bytes are in and how many the server
    // announced (0: none announced); answering false stops the download.
    std::function<bool(std::int64_t received, std::int64_t expected)> progress;
};

struct WebResult {
    bool ok = false;      // a download: the whole body of a 2xx answer is in place
    long status = 0;      // the HTTP status of the last answer; 0 when none came
    std::string error;    // why not, in words for the system log
};

// Downloads the body of address to destination. The bytes go to a temporary file beside
// destination, which replaces a file of that name only once the whole body of a 2xx
// answer is in (an empty body makes an empty file). Any other answer, a connection that
// fails, a body cut short, a limit reached or a stop leaves no file and the destination
// as it was.
WebResult downloadToFile(const std::string& address, const std::string& destination,
                         const DownloadLimits& limits = {});

// Sends a HEAD request; the status of the final answer, 0 when no answer came in time.
long headStatus(const std::string& address, long timeoutSeconds);

// A stop for the web requests of another thread: every request made on a thread that
// watches it (WebRequestStopScope) ends within a fraction of a second once stop() is
// called, as a failure, and so does every later one.
class WebRequestStop {
public:
    void stop() { stopped_ = true; }
    bool stopped() const { return stopped_; }

private:
    std::atomic<bool> stopped_{false};
};

// While it lives, the web requests of the thread that made it watch `stop` (which must
// outlive it). Scopes nest; the innermost one counts.
class WebRequestStopScope {
public:
    explicit WebRequestStopScope(const WebRequestStop& stop);
    ~WebRequestStopScope();
    WebRequestStopScope(const WebRequestStopScope&) = delete;
    WebRequestStopScope& operator=(const WebRequestStopScope&) = delete;

private:
    const WebRequestStop* previous_;
};

}  // namespace platform
