#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// One value bound to a statement placeholder or read from a column.
using FMBlob = std::vector<uint8_t>;
using FMDate = std::chrono::system_clock::time_point;

class FMValue {
public:
    using Storage = std::variant<std::monostate, int32_t, int64_t, double, std::string, FMBlob, FMDate>;

    FMValue() = default;                                   // null
    FMValue(std::nullptr_t) {}                             // null
    FMValue(bool v) : v_(static_cast<int32_t>(v ? 1 : 0)) {}
    FMValue(int v) : v_(static_cast<int32_t>(v)) {}
    FMValue(long v) : v_(static_cast<int64_t>(v)) {}
    FMValue(long long v) : v_(static_cast<int64_t>(v)) {}
    FMValue(unsigned v) : v_(static_cast<int64_t>(v)) {}
    FMValue(double v) : v_(v) {}
    FMValue(const char* v) : v_(v ? Storage(std::string(v)) : Storage()) {}
    FMValue(std::string v) : v_(std::move(v)) {}
    FMValue(FMBlob v) : v_(std::move(v)) {}
    FMValue(FMDate v) : v_(v) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    const Storage& storage() const { return v_; }

private:
    Storage v_;
};
