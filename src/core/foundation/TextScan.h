#pragma once

// Character tests and trimming shared by the readers of stored amounts and dates, which
// look at ASCII only: a stored value is digits, separators and blanks.

#include <string_view>

namespace textscan {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

inline std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace textscan
