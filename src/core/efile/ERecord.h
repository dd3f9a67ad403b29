#pragma once

// One 750-byte record of a FIRE e-file while it is laid out. Every field of every
// record goes through AddField: it keeps the characters the field's filter allows,
// justifies and fills the value to the field's width, cuts it there and writes it at a
// 1-based position. A fresh record is all blanks; fields may overlap, a later write
// winning in the positions it covers.
//
// Filters: 0 digits; 1 digits, letters and the blank; 2 as 1 plus "-" and "&"; 3 every
// printable ASCII character (0x20-0x7E); below 0 nothing. Digits and letters are ASCII
// ones. Before filtering, a value goes through the ASCII fallback ("José" -> "Jose"), a
// control character (a line break, CR LF counting as one, or a tab) becomes a blank, and
// whatever is still not printable ASCII is dropped, so every byte of a record is
// printable ASCII.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class ERecord {
public:
    static constexpr int32_t sizetxtEFile = 750;

    ERecord() { clear(); }

    // All blanks again.
    void clear() { recordtxt_.fill(' '); }

    // Writes value at position over width positions:
    // - rightJustify: fill characters ("0" with zeroFill, else blanks) go in front up to
    //   the width; otherwise, with zeroFill, zeros go after it; a left-justified field
    //   without zeroFill is not padded (the positions after it keep what they hold);
    // - capitalize upper-cases the letters;
    // - a value longer than the width keeps its leftmost characters, also when
    //   right-justified.
    // A field reaching outside positions 1..750 is clipped to the record: false then,
    // and an assertion in debug builds, since every caller means to stay inside.
    bool AddField(int32_t position, int32_t width, const std::string& value, int32_t filter, bool capitalize,
                  bool rightJustify, bool zeroFill);
    // The value with filter 2, upper case, left-justified and unfilled.
    bool AddField2(int32_t position, int32_t width, const std::string& value);
    bool AddField3(int32_t position, int32_t width, const std::string& value);
    // The decimal text of value, written as AddField3 writes it.
    bool AddField1(int32_t position, int32_t width, int64_t value);

    // The 750 bytes.
    std::string_view recordtxt() const { return std::string_view(recordtxt_.data(), recordtxt_.size()); }

private:
    std::array<char, sizetxtEFile> recordtxt_;
};
