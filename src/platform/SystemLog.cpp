#include "platform/SystemLog.h"

#include <mutex>
#include <syslog.h>

namespace platform {

namespace {
std::mutex& sinkMutex() {
    static std::mutex m;
    return m;
}
LogSink& sink() {
    static LogSink s;
    return s;
}
}  // namespace

void systemLog(const std::string& line) {
    LogSink current;
    {
        std::lock_guard<std::mutex> lock(sinkMutex());
        current = sink();
    }
    if (current) {
        current(line);
        return;
    }
    static std::once_flag opened;
    std::call_once(opened, [] { openlog("talvexa", LOG_PID, LOG_USER); });
    syslog(LOG_NOTICE, "%s", line.c_str());
}

void setLogSink(LogSink s) {
    std::lock_guard<std::mutex> lock(sinkMutex());
    sink() = std::move(s);
}

}  // namespace platform
