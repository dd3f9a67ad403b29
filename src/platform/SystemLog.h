#pragma once

#include <functional>
#include <string>

namespace platform {

// Writes one diagnostic line to the system log (syslog, facility user).
void systemLog(const std::string& line);

// Tests replace the sink to read what was logged; an empty function restores syslog.
using LogSink = std::function<void(const std::string&)>;
void setLogSink(LogSink sink);

}  // namespace platform
