#include "platform/PrintService.h"

#include <mutex>

#include <cups/cups.h>

namespace platform {

namespace {

std::mutex& serviceMutex() {
    static std::mutex m;
    return m;
}
PrintService& installedService() {
    static PrintService service;
    return service;
}
PrintService currentService() {
    std::lock_guard<std::mutex> lock(serviceMutex());
    return installedService();
}

bool cupsQueueTakesPdf(const std::string& queue) {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    bool takes = false;
    if (cups_dest_t* dest = cupsGetDest(queue.c_str(), nullptr, count, dests)) {
        if (cups_dinfo_t* info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest)) {
            takes = cupsCheckDestSupported(CUPS_HTTP_DEFAULT, dest, info, "document-format", CUPS_FORMAT_PDF) != 0;
            cupsFreeDestInfo(info);
        }
    }
    cupsFreeDests(count, dests);
    return takes;
}

bool cupsPrint(const PrintFileRequest& request, std::string& reason) {
    cups_option_t* options = nullptr;
    int count = 0;
    for (const auto& [name, value] : request.options) count = cupsAddOption(name.c_str(), value.c_str(), count, &options);
    const int job =
        cupsPrintFile2(CUPS_HTTP_DEFAULT, request.queue.c_str(), request.path.c_str(), request.title.c_str(), count,
                       options);
    cupsFreeOptions(count, options);
    if (job > 0) return true;
    const char* why = cupsLastErrorString();
    reason = why && *why ? why : "The print service did not take the job.";
    return false;
}

}  // namespace

bool queueTakesPdf(const std::string& queue) {
    if (queue.empty()) return false;
    const PrintService service = currentService();
    if (service.takesPdf) return service.takesPdf(queue);
    return cupsQueueTakesPdf(queue);
}

bool printFile(const PrintFileRequest& request, std::string& reason) {
    const PrintService service = currentService();
    if (service.print) return service.print(request, reason);
    return cupsPrint(request, reason);
}

void setPrintService(PrintService service) {
    std::lock_guard<std::mutex> lock(serviceMutex());
    installedService() = std::move(service);
}

}  // namespace platform
