#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// One document handed to a print queue of the system's print service (CUPS) as it is:
// the queue prints the file itself, with the job options given (IPP names and values,
// such as "copies" = "2" or "sides" = "two-sided-long-edge").
struct PrintFileRequest {
    std::string queue;
    std::string path;
    std::string title;
    std::vector<std::pair<std::string, std::string>> options;
};

// True when the named queue takes PDF documents without conversion by the program.
// False for an unknown queue or when the print service cannot be asked.
bool queueTakesPdf(const std::string& queue);

// True when the named queue is there and accepting jobs. False with the reason when it
// is unknown, refuses jobs (with the reason its administrator gave, if any), or the
// print service cannot be asked.
bool queueAcceptsJobs(const std::string& queue, std::string& reason);

// Hands the file to the queue; false with the print service's reason when it refused
// the job. The file may be removed once this returns.
bool printFile(const PrintFileRequest& request, std::string& reason);

// Tests replace the print service to record the jobs; an empty member restores CUPS
// for that call.
struct PrintService {
    std::function<bool(const std::string& queue)> takesPdf;
    std::function<bool(const PrintFileRequest& request, std::string& reason)> print;
    std::function<bool(const std::string& queue, std::string& reason)> acceptsJobs;
};
void setPrintService(PrintService service);

}  // namespace platform
