#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

using PrintOptions = std::vector<std::pair<std::string, std::string>>;

// One document handed to a print queue of the system's print service (CUPS) as it is:
// the queue prints the file itself, with the job options given (IPP names and values,
// such as "copies" = "2" or "sides" = "two-sided-long-edge").
struct PrintFileRequest {
    std::string queue;
    std::string path;
    std::string title;
    PrintOptions options;
};

// A print destination as the print dialog names it: a queue, or "queue/instance" for a
// set of options saved for the queue under a name of its own (lpoptions -p queue/instance).
struct PrintDestination {
    std::string queue;
    std::string instance;   // empty: the queue itself
};
PrintDestination splitDestination(const std::string& name);

// What the print service says of a queue that is there.
struct QueueState {
    bool accepting = false;   // takes new jobs
    bool stopped = false;     // holds the jobs it takes until it is started again
    std::string message;      // the state message of its administrator or printer; may be empty
};

// True when the named queue takes PDF documents without conversion by the program.
// False for an unknown queue or when the print service cannot be asked.
bool queueTakesPdf(const std::string& queue);

// The queue's state; false with the reason when the queue is unknown or the print
// service cannot be asked.
bool queueState(const std::string& queue, QueueState& state, std::string& reason);

// The options saved for the queue's instance (for an empty instance, the queue's own
// saved defaults) in the user's and the system's lpoptions files; none when there are
// none or the print service cannot be asked.
PrintOptions savedOptions(const PrintDestination& destination);

// Hands the file to the queue; false with the print service's reason when it refused
// the job. The file may be removed once this returns.
bool printFile(const PrintFileRequest& request, std::string& reason);

// Tests replace the print service to record the jobs; an empty member restores CUPS
// for that call.
struct PrintService {
    std::function<bool(const std::string& queue)> takesPdf;
    std::function<bool(const PrintFileRequest& request, std::string& reason)> print;
    std::function<bool(const std::string& queue, QueueState& state, std::string& reason)> state;
    std::function<PrintOptions(const PrintDestination& destination)> saved;
};
void setPrintService(PrintService service);

}  // namespace platform
