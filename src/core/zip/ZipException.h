#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// A failure of a zip archive object or one of its streams: the reason in words and the
// zip library's return code (0 when the failure has none, such as a call in the wrong
// mode).
class ZipException : public std::runtime_error {
public:
    explicit ZipException(const std::string& reason) : std::runtime_error(reason) {}
    ZipException(int64_t error, const std::string& reason) : std::runtime_error(reason), error_(error) {}

    static const char* name() { return "ZipException"; }
    std::string reason() const { return what(); }
    int64_t error() const { return error_; }

private:
    int64_t error_ = 0;
};
