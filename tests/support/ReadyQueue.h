#pragma once

// A print queue that tests and benchmarks put in the machine's print service's place.

#include <functional>
#include <string>
#include <utility>

#include "platform/PrintService.h"

// A queue that is there, accepts jobs, takes PDF and has no saved options; every job
// handed to it goes to print.
inline platform::PrintService readyQueue(
    std::function<bool(const platform::PrintFileRequest& request, std::string& reason)> print) {
    return {.takesPdf = [](const std::string&) { return true; },
            .print = std::move(print),
            .state =
                [](const std::string&, platform::QueueState& state, std::string&) {
                    state = {.accepting = true, .message = ""};
                    return true;
                },
            .saved = [](const platform::PrintDestination&) { return platform::PrintOptions{}; }};
}
