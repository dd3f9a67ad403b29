#pragma once

// Character tests and small text forms shared by the readers of stored amounts and dates,
// the import readers and the writers of the filing files. They look at ASCII only: a
// stored value's separators, blanks and control characters are ASCII, and no byte of a
// UTF-8 character above ASCII is one of them.

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

namespace textscan {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

inline std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// A character below the blank, or DEL: a line break, a tab and the like. Works on bytes
// and on code points alike.
template <class Char>
constexpr bool isControl(Char c) {
    const auto u = static_cast<std::make_unsigned_t<Char>>(c);
    return u < 0x20 || u == 0x7F;
}

// Hands visit each character of text as a one-line stored value holds it: a control
// character becomes one blank, and CR LF, one line break, counts once. Text is any
// string of bytes or code points.
template <class Text, class Visit>
void forEachOnOneLine(const Text& text, Visit&& visit) {
    using Char = std::remove_cv_t<std::remove_reference_t<decltype(text[0])>>;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        Char c = text[i];
        if (isControl(c)) {
            if (c == Char('\r') && i + 1 < n && text[i + 1] == Char('\n')) ++i;
            c = Char(' ');
        }
        visit(c);
    }
}

// The text on one line, by the rule of forEachOnOneLine: the text itself when it holds
// no control character, else the text made in scratch, whose storage is reused.
inline std::string_view onOneLine(std::string_view text, std::string& scratch) {
    std::size_t i = 0;
    while (i < text.size() && !isControl(text[i])) ++i;
    if (i == text.size()) return text;
    scratch.assign(text.substr(0, i));
    scratch.reserve(text.size());
    forEachOnOneLine(text.substr(i), [&scratch](char c) { scratch.push_back(c); });
    return scratch;
}

// The same for a text of its own.
inline std::string onOneLine(std::string text) {
    std::string scratch;
    if (onOneLine(std::string_view(text), scratch).data() == text.data()) return text;
    return scratch;
}

// ASCII letters in upper case; every other byte (UTF-8 above ASCII included) unchanged,
// whatever the locale.
inline char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string upper(std::string text) {
    for (char& c : text) c = upper(c);
    return text;
}

// ASCII letters in lower case, by the same rule.
inline char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string lower(std::string text) {
    for (char& c : text) c = lower(c);
    return text;
}

// Equal but for the case of ASCII letters; other bytes must match exactly.
inline bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

// A reason or a message as a sentence: closing blanks dropped and a full stop put after
// it, unless it ends with one (or with "!" or "?"). The empty text stays empty.
inline std::string asSentence(std::string text) {
    while (!text.empty() && isBlank(text.back())) text.pop_back();
    if (!text.empty() && text.back() != '.' && text.back() != '!' && text.back() != '?') text += '.';
    return text;
}

}  // namespace textscan
