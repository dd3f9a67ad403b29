#include "core/print/DisplayPDF.h"

#include <limits>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int64_t DisplayPDF::NSStringToLongLong(const std::string& text) {
    if (text.empty() || text.find('.') == std::string::npos)
        return 0;

    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ',')
            s += c;

    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' ||
                            s[i] == '\f' || s[i] == '\v'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }

    // Accumulate the magnitude in unsigned arithmetic so that the most negative value
    // is reachable and overflow saturates instead of wrapping.
    const uint64_t limit = negative ? uint64_t(std::numeric_limits<int64_t>::max()) + 1
                                    : uint64_t(std::numeric_limits<int64_t>::max());
    uint64_t cents = 0;
    bool saturated = false;
    auto push = [&](unsigned digit) {
        if (saturated)
            return;
        if (cents > (limit - digit) / 10) {
            saturated = true;
            cents = limit;
            return;
        }
        cents = cents * 10 + digit;
    };

    while (i < s.size() && isDigit(s[i]))
        push(unsigned(s[i++] - '0'));

    unsigned fraction[2] = {0, 0};
    if (i < s.size() && s[i] == '.') {
        ++i;
        for (int k = 0; k < 2 && i < s.size() && isDigit(s[i]); ++k, ++i)
            fraction[k] = unsigned(s[i] - '0');
    }
    push(fraction[0]);
    push(fraction[1]);

    if (!negative)
        return int64_t(cents);
    if (cents == uint64_t(std::numeric_limits<int64_t>::max()) + 1)
        return std::numeric_limits<int64_t>::min();
    return -int64_t(cents);
}
