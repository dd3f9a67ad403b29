#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "core/foundation/JobProgress.h"

// A long job's link to its progress window, reached through the session's user
// interface (nothing is shown when none is installed or it shows none). Counts are
// passed on at most about ten times a second, so a job may report every row.
// The window closes when the meter goes out of scope.
class JobMeter {
public:
    JobMeter(const std::string& title, bool cancellable);
    ~JobMeter();
    JobMeter(const JobMeter&) = delete;
    JobMeter& operator=(const JobMeter&) = delete;

    // Starts a step of the given number of items (0: unknown).
    void step(const std::string& text, int64_t total = 0);
    // Starts a step that says nothing until it ends; its window shows at once.
    void longStep(const std::string& text);
    // Reports the items done in the current step; true when the user has cancelled.
    bool advance(int64_t done);
    // Asks now whether the user has cancelled (false once the commit has begun).
    bool cancelled();
    // The job commits or renames now: Cancel goes away and is no longer answered.
    void commitPoint();
    // The job is over: its window closes (before the job's closing message).
    void finish() { progress_.reset(); }

private:
    std::unique_ptr<JobProgress> progress_;
    bool cancellable_;
    bool cancelled_ = false;
    int64_t total_ = 0;
    std::chrono::steady_clock::time_point last_{};
};
