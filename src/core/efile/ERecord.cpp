#include "core/efile/ERecord.h"

#include <cassert>

#include "core/foundation/AsciiFallback.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isPrintable(char c) { return c >= 0x20 && c <= 0x7E; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool keeps(int32_t filter, char c) {
    if (filter < 0) return false;
    if (isDigit(c)) return true;
    if (filter >= 1 && (isLetter(c) || c == ' ')) return true;
    if (filter >= 2 && (c == '-' || c == '&')) return true;
    return filter == 3 && isPrintable(c);
}

std::string filtered(const std::string& value, int32_t filter, bool capitalize) {
    std::string kept;
    kept.reserve(value.size());
    auto keep = [&](const std::string& text) {
        for (char c : text)
            if (keeps(filter, c)) kept += capitalize ? upper(c) : c;
    };
    if (isAscii(value))
        keep(value);
    else
        keep(asciiFallback(value));
    return kept;
}

}  // namespace

bool ERecord::AddField(int32_t position, int32_t width, const std::string& value, int32_t filter,
                       bool capitalize, bool rightJustify, bool zeroFill) {
    const int64_t first = position;
    const int64_t last = first + width - 1;
    const bool inside = width >= 0 && first >= 1 && last <= sizetxtEFile;
    assert(inside && "FIRE field outside the record");
    if (width <= 0) return inside;

    std::string text = filtered(value, filter, capitalize);
    const auto w = static_cast<std::size_t>(width);
    const char fill = zeroFill ? '0' : ' ';
    if (rightJustify && text.size() < w)
        text.insert(0, w - text.size(), fill);
    else if (zeroFill && text.size() < w)
        text.append(w - text.size(), fill);
    if (text.size() > w) text.resize(w);

    for (std::size_t i = 0; i < text.size(); ++i) {
        const int64_t at = first + static_cast<int64_t>(i);
        if (at >= 1 && at <= sizetxtEFile) recordtxt_[static_cast<std::size_t>(at - 1)] = text[i];
    }
    return inside;
}

bool ERecord::AddField2(int32_t position, int32_t width, const std::string& value) {
    return AddField(position, width, value, 2, true, false, false);
}

bool ERecord::AddField3(int32_t position, int32_t width, const std::string& value) {
    return AddField(position, width, value, 2, true, false, false);
}

bool ERecord::AddField1(int32_t position, int32_t width, int64_t value) {
    return AddField3(position, width, std::to_string(value));
}
