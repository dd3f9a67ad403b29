#include "core/foundation/StoredDate.h"

#include "core/foundation/TextScan.h"

namespace {

using textscan::isBlank;
using textscan::isDigit;
using textscan::trimmed;

int number(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

bool allDigits(std::string_view text) {
    for (char c : text)
        if (!isDigit(c)) return false;
    return !text.empty();
}

bool isDay(int year, int month, int day) {
    if (year < 1000 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int length = kDays[month - 1];
    if (month == 2 && year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) length = 29;
    return day <= length;
}

std::string twoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

}  // namespace

bool StoredDate::isIsoForm(std::string_view text) {
    return text.size() == 10 && text[4] == '-' && text[7] == '-' && allDigits(text.substr(0, 4)) &&
           allDigits(text.substr(5, 2)) && allDigits(text.substr(8, 2));
}

StoredDate StoredDate::read(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return {Reading::none, 0, 0, 0};
    const StoredDate refused{Reading::notDate, 0, 0, 0};
    int year = 0, month = 0, day = 0;
    if (isIsoForm(text)) {
        year = number(text.substr(0, 4));
        month = number(text.substr(5, 2));
        day = number(text.substr(8, 2));
    } else {
        // Month, day and year as the entry windows take them.
        std::string_view parts[3];
        std::size_t start = 0;
        for (int k = 0; k < 3; ++k) {
            const std::size_t end = k < 2 ? text.find_first_of("/-", start) : text.size();
            if (end == std::string_view::npos) return refused;
            parts[k] = text.substr(start, end - start);
            start = end + 1;
        }
        for (const auto& p : parts)
            if (!allDigits(p)) return refused;
        if (parts[0].size() > 2 || parts[1].size() > 2 || parts[2].size() != 4) return refused;
        month = number(parts[0]);
        day = number(parts[1]);
        year = number(parts[2]);
    }
    if (!isDay(year, month, day)) return refused;
    return {Reading::date, year, month, day};
}

std::string StoredDate::yearMonthDay() const {
    if (!isDate()) return std::string();
    return std::to_string(year_) + twoDigits(month_) + twoDigits(day_);
}

std::string StoredDate::monthDayYear() const {
    if (!isDate()) return std::string();
    return twoDigits(month_) + "/" + twoDigits(day_) + "/" + std::to_string(year_);
}
