#include "core/print/TextReport.h"

#include <cstdio>
#include <cstring>

#include <unicode/uchar.h>

#include "core/foundation/Utils.h"

namespace {

constexpr char kReturn = '\r';

std::string upperCase(const std::string& text) {
    std::u32string points = Utils::toCodePoints(text);
    for (auto& c : points) c = static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
    return Utils::fromCodePoints(points);
}

std::string escapeXml(const std::string& value) {
    std::string escaped;
    for (char c : value) {
        switch (c) {
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&apos;"; break;
        case '&': escaped += "&amp;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

}  // namespace

void TextReport::write(const std::string& bytes) {
    if (bytes.empty()) return;
    if (!TextFile.Write(bytes.data(), bytes.size())) failed_ = true;
}

bool TextReport::Open() {
    TextFile.SetFilePos(0, 0);
    return true;
}

void TextReport::MoveStr(const std::string& text, int32_t column) {
    const int64_t width = static_cast<int64_t>(column < 0 ? -static_cast<int64_t>(column) : column) - 1;
    const int64_t length = static_cast<int64_t>(Utils::characterCount(buf));
    if (length < width) buf.append(static_cast<std::size_t>(width - length), ' ');
    buf += column >= 0 ? upperCase(text) : text;
}

void TextReport::MoveNum(const std::string& digits, int32_t width, int32_t column) {
    const int64_t length = static_cast<int64_t>(Utils::characterCount(digits));
    std::string padded = digits;
    if (length < width) padded.insert(0, static_cast<std::size_t>(width - length), '0');
    MoveStr(padded, column);
}

void TextReport::MoveNumWithBlanks(const std::string& text, int32_t width, int32_t column) {
    const int64_t length = static_cast<int64_t>(Utils::characterCount(text));
    std::string padded = text;
    if (length < width) padded.append(static_cast<std::size_t>(width - length), ' ');
    MoveStr(padded, column);
}

void TextReport::MoveVal(int64_t value, int32_t width, int32_t column) {
    MoveNum(std::to_string(value), width, column);
}

void TextReport::MoveLong(int64_t value, int32_t width, int32_t column) {
    char digits[32];
    Utils::LNumToString(value, digits);
    MoveNum(digits, width, column);
}

void TextReport::MoveULong(uint64_t value, int32_t width, int32_t column) {
    char digits[32];
    Utils::UNumToString(value, digits);
    MoveNum(digits, width, column);
}

void TextReport::MoveDbl(double value, int32_t width, int32_t column) {
    MoveNum(Utils::twoDecimals(value), width, column);
}

void TextReport::Put(const std::string& text, int32_t, int32_t) {
    if (stop) return;
    write(text + (comma ? "," : "\t"));
}

void TextReport::PutCSV(const std::string& text) {
    std::string field = text;
    for (char& c : field)
        if (c == ',') c = ' ';
    write(field + ",");
}

void TextReport::PutCSV_1(const std::string& text) {
    std::string field = text;
    if (field.find(' ') != std::string::npos) {
        for (std::size_t i = 0; i < field.size() && i < 8; ++i)
            if (field[i] == ' ' || field[i] == ',') field[i] = ',';
    }
    write(field + ",");
}

void TextReport::PutXML(const std::string& text, bool newline) {
    write(text);
    if (newline) write("\r\n");
}

void TextReport::PutXML_string(const std::string& tag, const std::string& value) {
    std::string closing = tag;
    const std::size_t open = closing.find('<');
    if (open != std::string::npos) closing.replace(open, 1, "</");
    write(tag + escapeXml(value) + closing + "\r\n");
}

void TextReport::PutXML_long(const std::string& tag, int64_t cents) {
    PutXML_string(tag, Utils::twoDecimals(static_cast<double>(cents) / 100.0));
}

void TextReport::EndLine() {
    if (stop || comma) return;
    const int64_t position = TextFile.GetFilePos();
    char last = 0;
    // The line's trailing tab gives way to the carriage return.
    if (position > 0 && TextFile.SetFilePos(position - 1, 0)) {
        if (!TextFile.Read(&last, 1) || last != '\t') last = 0;
        if (last == '\t') TextFile.SetFilePos(position - 1, 0);
        else TextFile.SetFilePos(position, 0);
    }
    write(std::string(1, kReturn));
}

void TextReport::EndLineCsv() {
    if (stop || comma) return;
    write(std::string(1, kReturn));
}

bool TextReport::Close() {
    if (comma) {
        const int64_t position = TextFile.GetFilePos();
        if (position > 0 && TextFile.SetFilePos(position - 1, 0)) write(std::string(1, kReturn));
    }
    const bool closed = TextFile.Close();
    return closed && !failed_;
}

int32_t TextReport::strpos(char character, const char* text) {
    if (!text) return -1;
    const char* found = std::strchr(text, character);
    if (!found || character == '\0') return -1;
    return static_cast<int32_t>(found - text);
}
