#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "core/sqlite/FMValue.h"

// Turns dates into text and back by a Unicode date pattern ("yyyy-MM-dd HH:mm:ss"),
// in a fixed time zone and locale. A connection with one binds and reads dates as text.
class FMDateFormatter {
public:
    FMDateFormatter(const std::string& pattern, const std::string& timeZone, const std::string& locale);
    ~FMDateFormatter();
    FMDateFormatter(const FMDateFormatter&) = delete;
    FMDateFormatter& operator=(const FMDateFormatter&) = delete;

    bool isValid() const { return format_ != nullptr; }
    const std::string& pattern() const { return pattern_; }

    std::string stringFromDate(FMDate date) const;
    std::optional<FMDate> dateFromString(const std::string& text) const;

private:
    std::string pattern_;
    void* format_ = nullptr;  // ICU UDateFormat
    mutable std::mutex mutex_;
};
