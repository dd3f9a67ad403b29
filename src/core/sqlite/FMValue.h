#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
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
    // Unsigned 64-bit values are carried over bit for bit.
    FMValue(unsigned long v) : v_(static_cast<int64_t>(v)) {}
    FMValue(unsigned long long v) : v_(static_cast<int64_t>(v)) {}
    FMValue(double v) : v_(v) {}
    FMValue(const char* v) : v_(v ? Storage(std::string(v)) : Storage()) {}
    FMValue(char* v) : FMValue(static_cast<const char*>(v)) {}
    // Any other pointer would silently turn into a bool; refuse it at compile time.
    template <typename T>
    FMValue(T*) = delete;
    FMValue(std::string v) : v_(std::move(v)) {}
    FMValue(FMBlob v) : v_(std::move(v)) {}
    FMValue(FMDate v) : v_(v) {}
    FMValue(std::nullopt_t) {}                             // null
    FMValue(const std::optional<std::string>& v) : v_(v ? Storage(*v) : Storage()) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    const Storage& storage() const { return v_; }
    bool operator==(const FMValue& other) const = default;

private:
    Storage v_;
};
