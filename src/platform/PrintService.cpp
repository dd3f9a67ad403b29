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

bool cupsQueueState(const std::string& queue, QueueState& state, std::string& reason) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     queue.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-is-accepting-jobs", "printer-state", "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    const ipp_status_t status = cupsLastError();
    if (!response || status > IPP_STATUS_OK_CONFLICTING) {
        const char* why = cupsLastErrorString();
        const std::string said = why && *why ? why : "no answer";
        if (status == IPP_STATUS_ERROR_NOT_FOUND)
            reason = "The print queue \"" + queue + "\" does not exist (" + said + ").";
        else if (status == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE)
            reason = "The print service could not be asked about the print queue \"" + queue +
                     "\": it is not running or cannot be reached at " + cupsServer() + ".";
        else
            reason = "The print service could not be asked about the print queue \"" + queue + "\": " + said + ".";
        ippDelete(response);
        return false;
    }
    state = QueueState();
    state.accepting = true;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
        state.accepting = ippGetBoolean(a, 0) != 0;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM))
        state.stopped = ippGetInteger(a, 0) == IPP_PSTATE_STOPPED;
    if (ipp_attribute_t* m = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
        if (const char* message = ippGetString(m, 0, nullptr)) state.message = message;
    ippDelete(response);
    return true;
}

// What the print service adds to a destination's options to describe the queue (its
// name, state, location, device, supply levels): not job options.
bool describesQueue(const char* name) {
    const std::string n = name;
    return n.rfind("printer-", 0) == 0 || n.rfind("marker-", 0) == 0 || n == "device-uri" ||
           n == "auth-info-required";
}

PrintOptions cupsSavedOptions(const PrintDestination& destination) {
    PrintOptions options;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, destination.queue.c_str(),
                                         destination.instance.empty() ? nullptr : destination.instance.c_str());
    if (!dest) return options;
    for (int i = 0; i < dest->num_options; ++i)
        if (!describesQueue(dest->options[i].name))
            options.emplace_back(dest->options[i].name, dest->options[i].value);
    cupsFreeDests(1, dest);
    return options;
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

PrintDestination splitDestination(const std::string& name) {
    const auto slash = name.find('/');
    if (slash == std::string::npos) return {name, {}};
    return {name.substr(0, slash), name.substr(slash + 1)};
}

bool queueTakesPdf(const std::string& queue) {
    if (queue.empty()) return false;
    const PrintService service = currentService();
    if (service.takesPdf) return service.takesPdf(queue);
    return cupsQueueTakesPdf(queue);
}

bool queueState(const std::string& queue, QueueState& state, std::string& reason) {
    if (queue.empty()) {
        reason = "No print queue was chosen.";
        return false;
    }
    const PrintService service = currentService();
    if (service.state) return service.state(queue, state, reason);
    return cupsQueueState(queue, state, reason);
}

PrintOptions savedOptions(const PrintDestination& destination) {
    if (destination.queue.empty()) return {};
    const PrintService service = currentService();
    if (service.saved) return service.saved(destination);
    return cupsSavedOptions(destination);
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
