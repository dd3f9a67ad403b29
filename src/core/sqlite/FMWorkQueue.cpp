#include "core/sqlite/FMWorkQueue.h"

#include <algorithm>
#include <vector>

namespace {
// The queues whose work the current thread is running, innermost last.
thread_local std::vector<const FMWorkQueue*> runningQueues;
}  // namespace

bool FMWorkQueue::isCurrent() const {
    return std::find(runningQueues.begin(), runningQueues.end(), this) != runningQueues.end();
}

bool FMWorkQueue::sync(const std::function<void()>& work) {
    if (isCurrent()) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    runningQueues.push_back(this);
    struct Pop {
        ~Pop() { runningQueues.pop_back(); }
    } pop;
    if (work) work();
    return true;
}
