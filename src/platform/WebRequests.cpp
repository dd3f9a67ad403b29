#include "platform/WebRequests.h"

#include <memory>
#include <mutex>
#include <string_view>

#include <curl/curl.h>

#include "platform/AtomicFileWriter.h"

namespace platform {

namespace {

struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;
using HeaderList = std::unique_ptr<curl_slist, ListDeleter>;

Easy makeRequest(const std::string& address, long totalSeconds, long connectSeconds, curl_slist* headers) {
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
    curl_easy_setopt(h, CURLOPT_TIMEOUT, totalSeconds);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, connectSeconds);
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

size_t writeToFile(char* bytes, size_t size, size_t count, void* target) {
    auto* writer = static_cast<AtomicFileWriter*>(target);
    const size_t length = size * count;
    // A short count makes libcurl stop the transfer with a write error.
    return writer->write(std::string_view(bytes, length)) ? length : 0;
}

long responseStatus(CURL* h) {
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

}  // namespace

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
    Easy easy = makeRequest(address, limits.totalSeconds, limits.connectSeconds, headers.get());
    if (!easy) {
        result.error = "The web request could not be made.";
        return result;
    }
    char reason[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(easy.get(), CURLOPT_ERRORBUFFER, reason);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, &writeToFile);
    curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &writer);
    const CURLcode code = curl_easy_perform(easy.get());
    result.status = responseStatus(easy.get());

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
    Easy easy = makeRequest(address, timeoutSeconds, timeoutSeconds, headers.get());
    if (!easy) return 0;
    curl_easy_setopt(easy.get(), CURLOPT_NOBODY, 1L);
    if (curl_easy_perform(easy.get()) != CURLE_OK) return 0;
    return responseStatus(easy.get());
}

}  // namespace platform
