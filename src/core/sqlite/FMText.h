#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text helpers shared by the access layer's classes.
namespace fmtext {

// Lower-cased copy (full Unicode case mapping for non-ASCII text).
std::string lowercased(std::string_view text);

// Strict UTF-8 for text that holds a byte above 0x7F: no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool isValidNonAsciiUtf8(const char* bytes, size_t length);

// Strict UTF-8. Most stored texts are short and plain ASCII: one pass over the bytes,
// without a call, settles those; any other text gets the full check.
inline bool isValidUtf8(const char* bytes, size_t length) {
    unsigned char high = 0;
    for (size_t i = 0; i < length; ++i) high |= static_cast<unsigned char>(bytes[i]);
    return (high & 0x80) == 0 || isValidNonAsciiUtf8(bytes, length);
}

// Number of code points of valid UTF-8 text.
size_t codePointCount(std::string_view text);

// The path of a "file://" address, percent escapes decoded; other text is taken as a path.
std::string pathFromFileURL(const std::string& url);

}  // namespace fmtext
