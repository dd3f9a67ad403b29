#include "core/foundation/StoredAmount.h"

#include <limits>

#include "core/foundation/TextScan.h"

namespace {

using textscan::isBlank;
using textscan::isDigit;
using textscan::trimmed;

// The dollars: digits alone, or groups of three digits after a first group of one to
// three, separated by commas. An empty part is allowed (".5").
bool isDollarPart(std::string_view dollars) {
    if (dollars.find(',') == std::string_view::npos) {
        for (char c : dollars)
            if (!isDigit(c)) return false;
        return true;
    }
    std::size_t group = 0;  // digits in the current group
    bool first = true;
    for (char c : dollars) {
        if (c == ',') {
            if (group == 0 || (first && group > 3) || (!first && group != 3)) return false;
            first = false;
            group = 0;
        } else if (isDigit(c)) {
            ++group;
        } else {
            return false;
        }
    }
    return group == 3;
}

}  // namespace

bool StoredAmount::isAmountForm(std::string_view text) {
    if (text.empty()) return false;
    const std::size_t point = text.find('.');
    const std::string_view dollars = text.substr(0, point);
    if (!isDollarPart(dollars)) return false;
    if (point == std::string_view::npos) return true;
    const std::string_view decimals = text.substr(point + 1);
    if (decimals.size() > 2) return false;
    for (char c : decimals)
        if (!isDigit(c)) return false;
    return true;
}

StoredAmount StoredAmount::read(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || text == "INVALID") return {Reading::none, 0};
    const bool negative = text.front() == '-';
    if (negative) text = trimmed(text.substr(1));
    if (!isAmountForm(text)) return {Reading::notAmount, 0};
    if (negative) return {Reading::none, 0};

    const std::size_t point = text.find('.');
    const std::string_view dollars = text.substr(0, point);
    const std::string_view decimals = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);

    int64_t cents = 0;
    for (char c : dollars) {
        if (!isDigit(c)) continue;
        cents = cents * 10 + (c - '0');
        // Checked on every digit, so the sum never leaves the 64-bit range.
        if (cents > kLargestCents / 100) return {Reading::tooLarge, 0};
    }
    cents *= 100;
    if (!decimals.empty()) cents += (decimals[0] - '0') * 10;
    if (decimals.size() == 2) cents += decimals[1] - '0';
    if (cents > kLargestCents) return {Reading::tooLarge, 0};
    return {Reading::cents, cents};
}

std::string StoredAmount::stored() const {
    if (reading_ != Reading::cents) return std::string();
    std::string fraction = std::to_string(cents_ % 100);
    if (fraction.size() < 2) fraction.insert(0, 1, '0');
    return std::to_string(cents_ / 100) + "." + fraction;
}

int64_t addCents(int64_t total, int64_t cents) {
    int64_t sum;
    if (__builtin_add_overflow(total, cents, &sum))
        return cents > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    return sum;
}
