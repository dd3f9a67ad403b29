// Amount, number and text conversions of Utils.

#include "core/foundation/Utils.h"

#include <unicode/uchar.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "core/foundation/StoredAmount.h"
#include "core/foundation/TextScan.h"

namespace {

const char kInvalid[] = "INVALID";
const char kLargestAmount[] = "9999999999.99";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::string withoutCommas(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ',') out.push_back(c);
    return out;
}

// Commas anywhere but between groups of three digits of the dollars ("1,2,3", "15,00").
bool misplacedCommas(const std::string& text) {
    const std::string dollars = text.substr(0, text.find('.'));
    return dollars.find(',') != std::string::npos && !StoredAmount::isAmountForm(dollars);
}

std::size_t digitsOnlyCount(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

// The leading number of a text, as a typed number field reads it: white space, an
// optional sign, digits and an optional fraction. 0 when nothing reads.
double leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    }
    // Read with a point whatever the locale's decimal sign (strtod would stop at a point
    // under a language that writes a comma).
    if (start < i && text[start] == '+') ++start;
    double value = 0;
    if (std::from_chars(text.data() + start, text.data() + i, value).ec != std::errc::result_out_of_range)
        return value;
    // Out of range, as strtod reads it: too large is held at the largest value; too
    // small to hold (a fraction with hundreds of zeros after the point, and no digit
    // other than 0 before it) is a zero of the number's sign.
    const bool negative = text[start] == '-';
    const std::size_t point = text.find('.', start);
    const std::size_t wholeEnd = point == std::string::npos || point > i ? i : point;
    const bool large = text.find_first_of("123456789", start) < wholeEnd;
    if (large) return negative ? -HUGE_VAL : HUGE_VAL;
    return negative ? -0.0 : 0.0;
}

// The leading integer of a text (white space, optional sign, digits), held at the
// ends of the 64-bit range when it does not fit.
int64_t leadingInteger(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint64_t value = 0;
    const uint64_t limit = negative ? uint64_t(std::numeric_limits<int64_t>::max()) + 1
                                    : uint64_t(std::numeric_limits<int64_t>::max());
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        uint64_t digit = static_cast<uint64_t>(text[i] - '0');
        if (value > (limit - digit) / 10) {
            value = limit;
            break;
        }
        value = value * 10 + digit;
    }
    if (negative) return value == limit ? std::numeric_limits<int64_t>::min() : -static_cast<int64_t>(value);
    return static_cast<int64_t>(value);
}

std::string padFraction(const std::string& fraction) {
    if (fraction.empty()) return "00";
    if (fraction.size() == 1) return fraction + "0";
    return fraction;
}

// Keeps the characters `keep` accepts and single blanks, then trims the ends.
template <class Keep>
std::string filterText(const std::string& text, Keep keep) {
    std::u32string out;
    // A control character (a line break, a tab) parts two words as a blank does.
    textscan::forEachOnOneLine(Utils::toCodePoints(text), [&](char32_t c) {
        if (c == U' ') {
            if (out.empty() || out.back() != U' ') out.push_back(c);
        } else if (keep(c)) {
            out.push_back(c);
        }
    });
    return Utils::compNameTrim(Utils::fromCodePoints(out));
}

bool isLetter(char32_t c) { return u_isalpha(static_cast<UChar32>(c)); }
bool isAlnum(char32_t c) { return u_isalnum(static_cast<UChar32>(c)); }

}  // namespace

// ---- amounts ----

std::string Utils::valueInView(const std::string& text) {
    if (text.empty()) return "";
    if (!isvalidNumber(text) || misplacedCommas(text)) return kInvalid;
    if (text.find('.') != std::string::npos) return text;
    // The ten-digit limit counts digits; thousands separators are only shown.
    if (digitsOnlyCount(text) <= 10) return text + ".00";
    return kLargestAmount;
}

std::string Utils::valueInRecipientInfo(const std::string& text) {
    if (text.empty()) return "";
    if (!isvalidNumber(text) || misplacedCommas(text)) return kInvalid;
    // The stored amount has no thousands separators, so that every reader of the
    // column (sums, e-files, exports) gets the same number.
    std::string plain = withoutCommas(text);
    std::size_t point = plain.find('.');
    if (point == std::string::npos) {
        if (plain.size() <= 10) return plain + ".00";
        return kLargestAmount;
    }
    std::string whole = plain.substr(0, point);
    std::string fraction = plain.substr(point + 1);
    if (fraction.size() > 2 || fraction.find('.') != std::string::npos) return kInvalid;
    if (whole.empty()) return "0." + padFraction(fraction);
    if (whole.size() <= 10) return whole + "." + padFraction(fraction);
    if (whole.size() <= 12) return kLargestAmount;
    return plain;
}

int64_t Utils::dollarStringToInt(const std::string& text) {
    if (text.empty()) return -1;
    if (!isValidDollarString(text)) return -2;
    std::string padded = text + "00";
    std::size_t point = padded.find('.');
    std::size_t last = point == std::string::npos ? padded.size() - 1 : point + 2;
    int64_t cents = 0;
    for (std::size_t i = 0; i <= last && i < padded.size(); ++i) {
        char c = padded[i];
        if (c < '0' || c > '9') continue;
        int digit = c - '0';
        if (cents > (std::numeric_limits<int64_t>::max() - digit) / 10) return -2;  // no amount is that large
        cents = cents * 10 + digit;
    }
    return cents;
}

std::string Utils::intToDollarString1(int64_t cents) {
    if (cents == -2) return kInvalid;
    if (cents < 0) return "";
    std::string fraction = std::to_string(cents % 100);
    if (fraction.size() < 2) fraction = "0" + fraction;
    return std::to_string(cents / 100) + "." + fraction;
}

std::string Utils::twoDecimals(double value) {
    char digits[400];
    const auto [end, failed] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
    if (failed != std::errc()) return std::string();
    return std::string(digits, end);
}

int32_t Utils::stringToPositive(const std::string& text) {
    if (text.empty()) return -1;
    double value = leadingNumber(text);
    if (!(value > 0)) return -2;
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

std::string Utils::positiveToString(int32_t value) {
    if (value == -2) return kInvalid;
    if (value == -1) return "";
    return std::to_string(value);
}

std::string Utils::CheckInvalidData(const std::string& text) { return text == kInvalid ? std::string() : text; }

// ---- numbers and padding ----

std::string Utils::convertIntToString(int64_t value) { return std::to_string(value); }

int32_t Utils::stringToInt1(const std::string& text) {
    int64_t v = leadingInteger(text);
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int64_t Utils::StringToLong(const std::string& text) { return leadingInteger(text); }

int16_t Utils::StringToShort(const std::string& text) { return static_cast<int16_t>(stringToInt1(text)); }

int32_t Utils::intToPositive(int32_t value) { return value < 0 ? 0 : value; }

std::string Utils::RJustWithZeros(int64_t value, int32_t width) {
    std::string text = std::to_string(value);
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

std::string Utils::RJustWithBlank(const std::string& text, int32_t width) {
    std::size_t n = characterCount(text);
    if (width <= 0 || n >= static_cast<std::size_t>(width)) return text;
    return std::string(static_cast<std::size_t>(width) - n, ' ') + text;
}

std::string Utils::PadRight(const std::string& text, int32_t width) {
    std::size_t n = characterCount(text);
    if (width <= 0 || n >= static_cast<std::size_t>(width)) return text;
    return text + std::string(static_cast<std::size_t>(width) - n, ' ');
}

int32_t Utils::numNumericDigits(const std::string& text) { return static_cast<int32_t>(digitsOnlyCount(text)); }

std::string Utils::stringWithUnichar(char16_t character) {
    return fromCodePoints(std::u32string(1, static_cast<char32_t>(character)));
}

int32_t Utils::PixVal(int32_t value, int32_t resolution) {
    return static_cast<int32_t>(static_cast<int64_t>(value) * resolution / 100);
}

int64_t Utils::InchVal(int32_t value, int32_t resolution) {
    if (resolution == 0) return 0;
    return static_cast<int64_t>(value) * 100 / resolution;
}

// ---- text cleaning ----

std::string Utils::removeSpace(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out.push_back(c);
    return out;
}

std::string Utils::compNameTrim(const std::string& text) {
    std::u32string s = toCodePoints(text);
    auto space = [](char32_t c) { return u_isUWhiteSpace(static_cast<UChar32>(c)) != 0; };
    std::size_t b = 0, e = s.size();
    while (b < e && space(s[b])) ++b;
    while (e > b && space(s[e - 1])) --e;
    if (b == 0 && e == s.size()) return text;
    return fromCodePoints(s.substr(b, e - b));
}

std::string Utils::EraseEndSpaceChar(const std::string& text, const std::string& characters) {
    if (characters.empty() || text.find(characters) == std::string::npos) return text;
    std::u32string s = toCodePoints(text);
    std::u32string set = toCodePoints(characters);
    auto inSet = [&](char32_t c) { return set.find(c) != std::u32string::npos; };
    std::size_t b = 0, e = s.size();
    while (b < e && inSet(s[b])) ++b;
    while (e > b && inSet(s[e - 1])) --e;
    if (b == e) return " ";
    return fromCodePoints(s.substr(b, e - b));
}

std::string Utils::validateName(const std::string& text) {
    return filterText(text, [](char32_t c) { return isLetter(c) || c == U'-'; });
}

std::string Utils::validateAddress(const std::string& text) {
    return filterText(text, [](char32_t c) { return isAlnum(c) || c == U'-' || c == U'/'; });
}

std::string Utils::validateBusinessName(const std::string& text) {
    static const std::u32string kKept = U"#&()-/'";
    return filterText(text, [](char32_t c) { return isAlnum(c) || kKept.find(c) != std::u32string::npos; });
}

std::string Utils::StringIFContainsComma(const std::string& text) {
    if (text.find(',') == std::string::npos) return text;
    return "\"" + text + "\"";
}

std::string Utils::FormatCSVField(const std::optional<std::string>& text) {
    std::string out = "\"";
    if (text) {
        for (char c : *text) {
            if (c == '"') out.push_back('"');
            out.push_back(c);
        }
    }
    out.push_back('"');
    return out;
}

std::string Utils::dateToString(const std::string& date) {
    std::string parts[3];
    int separators = 0;
    for (char c : date) {
        if (c == '-' || c == '/') {
            if (++separators == 3) break;
            continue;
        }
        parts[separators].push_back(c);
    }
    // Year, month, day: a one-digit month or day takes a leading zero ("2/3/2025" -> "20250203").
    for (std::string* part : {&parts[0], &parts[1]})
        if (part->size() == 1) part->insert(0, 1, '0');
    return parts[2] + parts[0] + parts[1];
}

std::string Utils::compNameTrimwithunderscore(const std::string& text) {
    std::u32string s = toCodePoints(text);
    if (s.size() > 60) s.resize(60);
    for (std::size_t p; (p = s.find(U"  ")) != std::u32string::npos;) s.erase(p, 1);
    if (!s.empty() && s.back() == U' ') s.pop_back();
    for (auto& c : s) {
        bool ok = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9') ||
                  c == U' ' || c == U'-' || c == U'_';
        if (!ok) c = U'_';
    }
    if (!s.empty()) {
        char32_t first = s.front();
        bool letterStart = (first >= U'A' && first <= U'Z') || (first >= U'`' && first <= 127);
        if (!letterStart) s.insert(s.begin(), U'_');
    }
    return fromCodePoints(s);
}

// ---- zero-terminated buffers ----

void Utils::Reverse(char* text) {
    if (!text) return;
    std::reverse(text, text + std::strlen(text));
}

void Utils::NumToString(int64_t value, char* buffer) {
    if (!buffer) return;
    std::string s = std::to_string(value);
    std::memcpy(buffer, s.c_str(), s.size() + 1);
}

void Utils::PtoC(const unsigned char* pascal, char* c) {
    if (!pascal || !c) return;
    std::size_t n = pascal[0];
    std::memmove(c, pascal + 1, n);
    c[n] = '\0';
}

void Utils::CtoP(const char* c, unsigned char* pascal) {
    if (!c || !pascal) return;
    std::size_t n = std::min<std::size_t>(std::strlen(c), 255);
    std::memmove(pascal + 1, c, n);
    pascal[0] = static_cast<unsigned char>(n);
}
