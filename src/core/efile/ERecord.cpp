#include "core/efile/ERecord.h"

#include <algorithm>
#include <cassert>

#include "core/foundation/AsciiFallback.h"
#include "core/foundation/TextScan.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isPrintable(char c) { return c >= 0x20 && c <= 0x7E; }

bool keeps(int32_t filter, char c) {
    if (filter < 0) return false;
    if (isDigit(c)) return true;
    if (filter >= 1 && (isLetter(c) || c == ' ')) return true;
    if (filter >= 2 && (c == '-' || c == '&')) return true;
    return filter == 3 && isPrintable(c);
}

// The characters of value that the filter keeps, into kept (whose storage is reused).
void filterInto(std::string& kept, const std::string& value, int32_t filter, bool capitalize) {
    kept.clear();
    // A control character (a line break kept from an older import, a tab) parts two
    // words as a blank does.
    auto keep = [&](const std::string& text) {
        textscan::forEachOnOneLine(text, [&](char c) {
            if (keeps(filter, c)) kept += capitalize ? textscan::upper(c) : c;
        });
    };
    if (isAscii(value))
        keep(value);
    else
        keep(asciiFallback(value));
}

}  // namespace

bool ERecord::AddField(int32_t position, int32_t width, const std::string& value, int32_t filter,
                       bool capitalize, bool rightJustify, bool zeroFill) {
    const int64_t first = position;
    const int64_t last = first + width - 1;
    const bool inside = width >= 0 && first >= 1 && last <= sizetxtEFile;
    assert(inside && "FIRE field outside the record");
    if (width <= 0) return inside;

    // Every field goes through here; the kept characters' storage is reused.
    thread_local std::string kept;
    filterInto(kept, value, filter, capitalize);
    const auto w = static_cast<std::size_t>(width);
    const char fill = zeroFill ? '0' : ' ';
    const std::size_t length = std::min(kept.size(), w);
    // Fill in front (right-justified) or behind (zero-filled); a left-justified field
    // without fill writes its characters only.
    const std::size_t front = rightJustify && kept.size() < w ? w - kept.size() : 0;
    const std::size_t total = (rightJustify || zeroFill) ? w : length;
    for (std::size_t i = 0; i < total; ++i) {
        const int64_t at = first + static_cast<int64_t>(i);
        if (at < 1) continue;
        if (at > sizetxtEFile) break;
        const char c = i < front ? fill : (i - front < length ? kept[i - front] : fill);
        recordtxt_[static_cast<std::size_t>(at - 1)] = c;
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
