#include "core/sqlite/FMDateFormatter.h"

#include <unicode/udat.h>
#include <unicode/ustring.h>

#include <vector>

namespace {

std::u16string toUtf16(const std::string& s) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8(nullptr, 0, &length, s.data(), static_cast<int32_t>(s.size()), &status);
    std::u16string out(static_cast<size_t>(length), u'\0');
    status = U_ZERO_ERROR;
    u_strFromUTF8(out.data(), length, nullptr, s.data(), static_cast<int32_t>(s.size()), &status);
    if (U_FAILURE(status)) return {};
    return out;
}

std::string toUtf8(const UChar* s, int32_t length) {
    UErrorCode status = U_ZERO_ERROR;
    int32_t needed = 0;
    u_strToUTF8(nullptr, 0, &needed, s, length, &status);
    std::string out(static_cast<size_t>(needed), '\0');
    status = U_ZERO_ERROR;
    u_strToUTF8(out.data(), needed, nullptr, s, length, &status);
    if (U_FAILURE(status)) return {};
    return out;
}

UDateFormat* fmt(void* p) { return static_cast<UDateFormat*>(p); }

}  // namespace

FMDateFormatter::FMDateFormatter(const std::string& pattern, const std::string& timeZone,
                                 const std::string& locale)
    : pattern_(pattern) {
    const std::u16string zone = toUtf16(timeZone);
    const std::u16string pat = toUtf16(pattern);
    UErrorCode status = U_ZERO_ERROR;
    UDateFormat* f = udat_open(UDAT_PATTERN, UDAT_PATTERN, locale.c_str(), zone.data(),
                               static_cast<int32_t>(zone.size()), pat.data(),
                               static_cast<int32_t>(pat.size()), &status);
    if (U_FAILURE(status)) {
        if (f) udat_close(f);
        return;
    }
    udat_setLenient(f, false);
    format_ = f;
}

FMDateFormatter::~FMDateFormatter() {
    if (format_) udat_close(fmt(format_));
}

std::string FMDateFormatter::stringFromDate(FMDate date) const {
    if (!format_) return {};
    const auto ms = std::chrono::duration_cast<std::chrono::duration<double, std::milli>>(
        date.time_since_epoch());
    std::lock_guard<std::mutex> lock(mutex_);
    UErrorCode status = U_ZERO_ERROR;
    std::vector<UChar> buffer(64);
    int32_t length = udat_format(fmt(format_), ms.count(), buffer.data(),
                                 static_cast<int32_t>(buffer.size()), nullptr, &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        buffer.resize(static_cast<size_t>(length) + 1);
        status = U_ZERO_ERROR;
        length = udat_format(fmt(format_), ms.count(), buffer.data(),
                             static_cast<int32_t>(buffer.size()), nullptr, &status);
    }
    if (U_FAILURE(status)) return {};
    return toUtf8(buffer.data(), length);
}

std::optional<FMDate> FMDateFormatter::dateFromString(const std::string& text) const {
    if (!format_) return std::nullopt;
    const std::u16string u = toUtf16(text);
    std::lock_guard<std::mutex> lock(mutex_);
    UErrorCode status = U_ZERO_ERROR;
    int32_t position = 0;
    const UDate ms = udat_parse(fmt(format_), u.data(), static_cast<int32_t>(u.size()), &position, &status);
    if (U_FAILURE(status) || position != static_cast<int32_t>(u.size())) return std::nullopt;
    return FMDate(std::chrono::duration_cast<FMDate::duration>(std::chrono::duration<double, std::milli>(ms)));
}
