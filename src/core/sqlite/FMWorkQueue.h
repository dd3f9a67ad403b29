#pragma once

#include <functional>
#include <mutex>
#include <string>

// A serial work queue: work handed to sync() runs one piece at a time, and the caller
// waits for it. Work that is already running on the queue cannot wait for the queue
// again (it would wait for itself forever), so such a call is refused.
class FMWorkQueue {
public:
    explicit FMWorkQueue(std::string label) : label_(std::move(label)) {}
    FMWorkQueue(const FMWorkQueue&) = delete;
    FMWorkQueue& operator=(const FMWorkQueue&) = delete;

    const std::string& label() const { return label_; }

    // Runs the work and returns true; false, running nothing, when called from work of this queue.
    bool sync(const std::function<void()>& work);

    // True while the calling thread is running work of this queue.
    bool isCurrent() const;

private:
    std::string label_;
    std::mutex mutex_;
};
