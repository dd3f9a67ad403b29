#include "platform/WebRequests.h"

#include <deque>
#include <memory>
#include <mutex>
#include <string_view>

#include <curl/curl.h>

#include "platform/AtomicFileWriter.h"

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How often a transfer looks at its limits and its stop while nothing arrives.
constexpr milliseconds kWatchInterval{50};

thread_local const WebRequestStop* watchedStop = nullptr;

struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct MultiDeleter {
    void operator()(CURLM* handle) const { curl_multi_cleanup(handle); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;
using Multi = std::unique_ptr<CURLM, MultiDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

Easy makeRequest(const std::string& address, milliseconds connect, curl_slist* headers) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    Easy easy(curl_easy_init());
    if (!easy) return easy;
    CURL* h = easy.get();
    curl_easy_setopt(h, CURLOPT_URL, address.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connect.count()));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(h, CURLOPT_USERAGENT, "Talvexa 1099");
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers);
    return easy;
}

HeaderList noCacheHeaders() {
    curl_slist* list = curl_slist_append(nullptr, "Cache-Control: no-cache");
    if (list) list = curl_slist_append(list, "Pragma: no-cache");
    return HeaderList(list);
}

long responseStatus(CURL* h) {
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

std::string secondsText(milliseconds time) {
    const long long ms = time.count();
    if (ms % 1000 == 0) return std::to_string(ms / 1000) + " s";
    return std::to_string(ms) + " ms";
}

// What one transfer saw: the bytes that arrived (headers and body) and the body's
// destination.
struct Transfer {
    std::int64_t received = 0;
    AtomicFileWriter* writer = nullptr;
};

std::int64_t bodyBytes(CURL* easy) {
    curl_off_t n = 0;
    return curl_easy_getinfo(easy, CURLINFO_SIZE_DOWNLOAD_T, &n) == CURLE_OK ? static_cast<std::int64_t>(n) : 0;
}

std::int64_t announcedBytes(CURL* easy) {
    curl_off_t n = -1;
    const bool known = curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &n) == CURLE_OK && n > 0;
    return known ? static_cast<std::int64_t>(n) : 0;
}

size_t countHeader(char*, size_t size, size_t count, void* target) {
    static_cast<Transfer*>(target)->received += static_cast<std::int64_t>(size * count);
    return size * count;
}

size_t writeBody(char* bytes, size_t size, size_t count, void* target) {
    auto* transfer = static_cast<Transfer*>(target);
    const size_t length = size * count;
    transfer->received += static_cast<std::int64_t>(length);
    if (!transfer->writer) return length;
    // A short count makes libcurl stop the transfer with a write error.
    return transfer->writer->write(std::string_view(bytes, length)) ? length : 0;
}

// Runs the request to its end under the limits and the thread's stop. CURLE_OK when
// libcurl finished it; otherwise libcurl's code, or, for a limit or a stop, an empty
// code with the reason in stoppedBecause.
CURLcode perform(CURL* easy, Transfer& transfer, const DownloadLimits& limits, std::string& stoppedBecause) {
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &countHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &writeBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);

    Multi multi(curl_multi_init());
    if (!multi || curl_multi_add_handle(multi.get(), easy) != CURLM_OK) return CURLE_OUT_OF_MEMORY;
    const WebRequestStop* stop = watchedStop;
    const Clock::time_point start = Clock::now();
    // What had arrived when: the oldest entry is the last one at least slowPeriod old.
    std::deque<std::pair<Clock::time_point, std::int64_t>> arrivals{{start, 0}};

    CURLcode result = CURLE_OK;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            result = CURLE_RECV_ERROR;
            break;
        }
        if (running == 0) {
            int left = 0;
            while (CURLMsg* message = curl_multi_info_read(multi.get(), &left))
                if (message->msg == CURLMSG_DONE) result = message->data.result;
            break;
        }
        const Clock::time_point now = Clock::now();
        if (stop && stop->stopped()) {
            stoppedBecause = "stopped before it ended";
        } else if (limits.progress && !limits.progress(bodyBytes(easy), announcedBytes(easy))) {
            stoppedBecause = "cancelled";
        } else if (limits.total.count() > 0 && now - start >= limits.total) {
            stoppedBecause = "no complete answer within " + secondsText(limits.total);
        } else if (limits.slowPeriod.count() > 0) {
            arrivals.emplace_back(now, transfer.received);
            while (arrivals.size() > 1 && arrivals[1].first <= now - limits.slowPeriod) arrivals.pop_front();
            if (now - start >= limits.slowPeriod && transfer.received - arrivals.front().second < limits.slowBytes) {
                stoppedBecause = limits.slowBytes <= 1
                                     ? "nothing arrived for " + secondsText(limits.slowPeriod)
                                     : "fewer than " + std::to_string(limits.slowBytes) + " bytes arrived in " +
                                           secondsText(limits.slowPeriod);
            }
        }
        if (!stoppedBecause.empty()) break;
        curl_multi_poll(multi.get(), nullptr, 0, static_cast<int>(kWatchInterval.count()), nullptr);
    }
    curl_multi_remove_handle(multi.get(), easy);
    return result;
}

}  // namespace

WebRequestStopScope::WebRequestStopScope(const WebRequestStop& stop) : previous_(watchedStop) { watchedStop = &stop; }

WebRequestStopScope::~WebRequestStopScope() { watchedStop = previous_; }

WebResult downloadToFile(const std::string& address, const std::string& destination, const DownloadLimits& limits) {
    WebResult result;
    if (address.empty() || destination.empty()) {
        result.error = "No address or no destination to download to.";
        return result;
    }
    AtomicFileWriter writer(destination);
    if (!writer.ok()) {
        result.error = writer.error();
        return result;
    }
    HeaderList headers = noCacheHeaders();
    Easy easy = makeRequest(address, limits.connect, headers.get());
    if (!easy) {
        result.error = "The web request could not be made.";
        return result;
    }
    char reason[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(easy.get(), CURLOPT_ERRORBUFFER, reason);
    Transfer transfer;
    transfer.writer = &writer;
    std::string stopped;
    const CURLcode code = perform(easy.get(), transfer, limits, stopped);
    result.status = responseStatus(easy.get());

    if (!stopped.empty()) {
        result.error = address + ": " + stopped + ".";
        writer.abandon();
        return result;
    }
    if (code != CURLE_OK) {
        result.error = address + ": " + (reason[0] ? std::string(reason) : curl_easy_strerror(code));
        if (code == CURLE_WRITE_ERROR && !writer.ok()) result.error = writer.error();
        writer.abandon();
        return result;
    }
    if (result.status < 200 || result.status > 299) {
        result.error = address + ": the server answered " + std::to_string(result.status) + ".";
        writer.abandon();
        return result;
    }
    if (!writer.commit()) {
        result.error = writer.error();
        return result;
    }
    result.ok = true;
    return result;
}

long headStatus(const std::string& address, long timeoutSeconds) {
    if (address.empty()) return 0;
    HeaderList headers = noCacheHeaders();
    const milliseconds limit = std::chrono::seconds(timeoutSeconds);
    Easy easy = makeRequest(address, limit, headers.get());
    if (!easy) return 0;
    curl_easy_setopt(easy.get(), CURLOPT_NOBODY, 1L);
    DownloadLimits limits;
    limits.total = limit;
    limits.connect = limit;
    Transfer transfer;
    std::string stopped;
    if (perform(easy.get(), transfer, limits, stopped) != CURLE_OK || !stopped.empty()) return 0;
    return responseStatus(easy.get());
}

}  // namespace platform
