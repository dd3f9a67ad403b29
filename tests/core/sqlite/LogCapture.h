#pragma once

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "platform/SystemLog.h"

// Collects the system-log lines written while it lives.
class LogCapture {
public:
    LogCapture() {
        platform::setLogSink([this](const std::string& line) {
            std::lock_guard<std::mutex> lock(mutex_);
            lines_.push_back(line);
        });
    }
    ~LogCapture() { platform::setLogSink({}); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> lines() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return lines_;
    }
    bool contains(const std::string& line) const {
        const auto all = lines();
        return std::find(all.begin(), all.end(), line) != all.end();
    }
    bool containsPrefix(const std::string& prefix) const {
        for (const auto& l : lines())
            if (l.rfind(prefix, 0) == 0) return true;
        return false;
    }
    void clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        lines_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
};
