#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Text helpers shared by the access layer's classes.
namespace fmtext {

// Lower-cased copy (full Unicode case mapping for non-ASCII text).
std::string lowercased(std::string_view text);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(const char* bytes, size_t length);

// Number of code points of valid UTF-8 text.
size_t codePointCount(std::string_view text);

// The path of a "file://" address, percent escapes decoded; other text is taken as a path.
std::string pathFromFileURL(const std::string& url);

}  // namespace fmtext
