#pragma once

#include <functional>
#include <thread>

#include "platform/WebRequests.h"

// The update check at start-up runs in steps so that its slow one (asking the web site,
// downloading the versions file) never holds the window: the slow step runs on a
// thread of its own and returns the last step (the warning, the offers, the patch),
// which runs on the window's thread and is true when a patch installer has started and
// the program must end. An empty last step has nothing to do.
using UpdateCheckLastStep = std::function<bool()>;
using UpdateCheckSlowStep = std::function<UpdateCheckLastStep()>;

// Runs a slow step on a thread of its own. When the step ends, `done` receives its last
// step on that thread (the caller hands it on to the window's thread); a stopped run
// never calls it.
class UpdateCheckThread {
public:
    UpdateCheckThread(UpdateCheckSlowStep slow, std::function<void(UpdateCheckLastStep)> done);
    // Stops the run and waits for its thread.
    ~UpdateCheckThread();
    UpdateCheckThread(const UpdateCheckThread&) = delete;
    UpdateCheckThread& operator=(const UpdateCheckThread&) = delete;

    // Ends the step's web requests at once (they fail) and waits for the thread; done
    // is not called afterwards.
    void stop();

private:
    platform::WebRequestStop stop_;
    std::thread thread_;
};
