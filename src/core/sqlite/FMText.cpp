#include "core/sqlite/FMText.h"

#include <cstdint>

#include <unicode/ucasemap.h>

namespace fmtext {

std::string lowercased(std::string_view text) {
    std::string out(text);
    bool ascii = true;
    for (char& c : out) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            ascii = false;
            break;
        }
        if (u >= 'A' && u <= 'Z') c = static_cast<char>(u + ('a' - 'A'));
    }
    if (ascii) return out;

    UErrorCode status = U_ZERO_ERROR;
    UCaseMap* map = ucasemap_open("", 0, &status);
    if (U_FAILURE(status)) return std::string(text);
    std::string lower(text.size() + 8, '\0');
    int32_t length = ucasemap_utf8ToLower(map, lower.data(), static_cast<int32_t>(lower.size()), text.data(),
                                          static_cast<int32_t>(text.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
        status = U_ZERO_ERROR;
        lower.assign(static_cast<size_t>(length), '\0');
        length = ucasemap_utf8ToLower(map, lower.data(), length, text.data(), static_cast<int32_t>(text.size()),
                                      &status);
    }
    ucasemap_close(map);
    if (U_FAILURE(status)) return std::string(text);
    lower.resize(static_cast<size_t>(length));
    return lower;
}

bool isValidNonAsciiUtf8(const char* bytes, size_t length) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes);
    size_t i = 0;
    while (i < length) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t extra;
        uint32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (length - i <= extra) return false;
        for (size_t k = 1; k <= extra; ++k) {
            const unsigned char cc = s[i + k];
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

size_t codePointCount(std::string_view text) {
    size_t n = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

namespace {
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

std::string pathFromFileURL(const std::string& url) {
    if (url.rfind("file://", 0) != 0) return url;
    std::string rest = url.substr(7);
    if (rest.rfind("localhost/", 0) == 0) rest = rest.substr(9);
    std::string path;
    for (size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == '%' && i + 2 < rest.size() && hexValue(rest[i + 1]) >= 0 && hexValue(rest[i + 2]) >= 0) {
            path += static_cast<char>(hexValue(rest[i + 1]) * 16 + hexValue(rest[i + 2]));
            i += 2;
        } else {
            path += rest[i];
        }
    }
    return path;
}

}  // namespace fmtext
