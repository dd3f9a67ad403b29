#pragma once

#include <cstdint>
#include <string>

// What a long job (an import, the roll-over, an e-file, a print run, a backup) tells
// the user while it runs, and how the user stops it. The window layer shows it as a
// progress window; without one every call does nothing.
struct JobRequest {
    std::string title;          // names the job: the window's title
    bool cancellable = false;   // offers Cancel until the job reaches its commit
};

class JobProgress {
public:
    virtual ~JobProgress() = default;

    // What the job is doing now ("Reading the file").
    virtual void setStep(const std::string& text) = 0;
    // How far the step has got; a total of 0 means the step cannot say.
    virtual void setCount(int64_t done, int64_t total) = 0;
    // True once the user pressed Cancel. Also lets the windows repaint.
    virtual bool cancelled() = 0;
    // From here on the job cannot be stopped (its commit or rename has begun).
    virtual void endCancel() = 0;
    // Shows the window now, without waiting for the delay: the next step cannot report
    // while it runs (a file copy, a single write).
    virtual void showNow() = 0;
};
