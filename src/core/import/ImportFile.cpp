#include "core/import/ImportFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace imports {

namespace {

// The offset of the first byte that does not belong to well-formed UTF-8 (overlong
// forms, surrogates and code points above U+10FFFF included); npos when there is none.
size_t firstInvalidUtf8(const std::string& text) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;   // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;
        } else {
            return i;
        }
        if (i + length > n) return i;
        if (s[i + 1] < low || s[i + 1] > high) return i;
        for (size_t k = 2; k < length; ++k)
            if (s[i + k] < 0x80 || s[i + k] > 0xBF) return i;
        i += length;
    }
    return std::string::npos;
}

// The line (from 1) that holds the byte at offset; LF, CR LF and a lone CR each end a line.
size_t lineOfOffset(const std::string& text, size_t offset) {
    size_t line = 1;
    for (size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') ++line;
        else if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) ++line;
    }
    return line;
}

std::vector<std::string> cut(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(separator, start);
        if (end == std::string::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string withoutCR(std::string line) {
    std::erase(line, '\r');
    return line;
}

std::vector<std::string> nonEmptyLines(std::vector<std::string> lines) {
    if (lines.empty() || lines.front().empty()) return {};
    std::erase_if(lines, [](const std::string& l) { return l.empty(); });
    return lines;
}

}  // namespace

std::optional<std::string> readImportFile(const std::string& path, std::string& failure) {
    const std::string quoted = "\"" + path + "\"";
    struct stat info{};
    if (::stat(path.c_str(), &info) != 0) {
        failure = "The file " + quoted + " could not be read: " + std::strerror(errno) + ".";
        return std::nullopt;
    }
    if (S_ISDIR(info.st_mode)) {
        failure = "The file " + quoted + " could not be read: it is a folder.";
        return std::nullopt;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        failure = "The file " + quoted + " could not be read: " +
                  std::string(errno ? std::strerror(errno) : "it cannot be opened") + ".";
        return std::nullopt;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        failure = "The file " + quoted + " could not be read to its end.";
        return std::nullopt;
    }
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    const size_t bad = firstInvalidUtf8(text);
    if (bad != std::string::npos) {
        failure = "The file " + quoted + " is not UTF-8 text: line " + std::to_string(lineOfOffset(text, bad)) +
                  " holds a byte that is not UTF-8. Save the file as UTF-8 text and import it again.";
        return std::nullopt;
    }
    return text;
}

std::vector<std::string> recipientFileLines(const std::string& text) {
    std::vector<std::string> lines = cut(text, text.find('\n') != std::string::npos ? '\n' : '\r');
    for (auto& line : lines) line = withoutCR(std::move(line));
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    if (!lines.empty() && lines.front().empty()) return {};
    return lines;
}

std::vector<std::string> payerTextLines(const std::string& text) {
    std::string unified = text;
    for (char& c : unified)
        if (c == '\r') c = '\n';
    return nonEmptyLines(cut(unified, '\n'));
}

std::vector<std::string> payerCsvLines(const std::string& text) {
    std::vector<std::string> lines = cut(text, '\n');
    for (auto& line : lines) line = withoutCR(std::move(line));
    return nonEmptyLines(std::move(lines));
}

std::vector<std::string> splitFields(const std::string& line, char separator) { return cut(line, separator); }

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace imports
