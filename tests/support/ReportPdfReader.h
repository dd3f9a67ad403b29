#pragma once

// Reads back the report PDFs the program writes: checks their structure (every
// cross-reference entry points at its object, every stream's /Length is its byte
// count, startxref points at the table) and gives each page's text with its position,
// measured from the top-left corner as the writer was given it. Also runs the poppler
// and qpdf tools over a file.

#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace reportpdf {

struct TextRun {
    int page = 0;   // from 1
    int x = 0;
    int y = 0;      // points from the top of the page
    std::string text;
    bool operator==(const TextRun&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TextRun& r) {
    return out << "{page " << r.page << ", " << r.x << ", " << r.y << ", \"" << r.text << "\"}";
}

struct Document {
    std::vector<std::string> problems;        // empty when the structure holds
    std::map<int, long long> offsets;         // object number -> offset, from the table
    std::vector<int> pageObjects;             // the page tree's kids, in order
    std::vector<std::string> contents;        // each page's content stream
    std::string trailer;                      // from "trailer" to the end
};

inline std::string lineAt(const std::string& bytes, std::size_t at) {
    if (at >= bytes.size()) return {};
    const std::size_t end = bytes.find('\n', at);
    return bytes.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

// The stream data of the object at the offset; records a problem when its /Length
// does not match.
inline std::string streamAt(const std::string& bytes, long long offset, int object, Document& doc) {
    const std::size_t header = bytes.find("<</Length ", static_cast<std::size_t>(offset));
    if (header == std::string::npos) {
        doc.problems.push_back("object " + std::to_string(object) + " has no /Length");
        return {};
    }
    const long long length = std::atoll(bytes.c_str() + header + 10);
    const std::size_t data = bytes.find("stream\n", header) + 7;
    if (data + static_cast<std::size_t>(length) > bytes.size() ||
        bytes.compare(data + static_cast<std::size_t>(length), 11, "\nendstream\n") != 0)
        doc.problems.push_back("object " + std::to_string(object) + ": /Length " + std::to_string(length) +
                               " is not the stream's byte count");
    return bytes.substr(data, static_cast<std::size_t>(length));
}

inline int referenceAfter(const std::string& text, const std::string& key) {
    const std::size_t at = text.find(key);
    return at == std::string::npos ? -1 : std::atoi(text.c_str() + at + key.size());
}

inline Document read(const std::string& bytes) {
    Document doc;
    if (bytes.rfind("%PDF-1.7\n", 0) != 0) doc.problems.push_back("does not start with %PDF-1.7");
    const std::size_t startxref = bytes.rfind("startxref\n");
    if (startxref == std::string::npos) {
        doc.problems.push_back("no startxref");
        return doc;
    }
    const long long xref = std::atoll(bytes.c_str() + startxref + 10);
    if (lineAt(bytes, static_cast<std::size_t>(xref)) != "xref") {
        doc.problems.push_back("startxref does not point at xref");
        return doc;
    }
    doc.trailer = bytes.substr(bytes.find("trailer<<", static_cast<std::size_t>(xref)));
    std::size_t at = static_cast<std::size_t>(xref) + 5;
    int first = 0, count = 0;
    std::sscanf(lineAt(bytes, at).c_str(), "%d %d", &first, &count);
    at = bytes.find('\n', at) + 1;
    for (int i = 0; i < count; ++i, at += 20) {
        const std::string entry = bytes.substr(at, 20);
        if (entry.size() != 20 || entry[19] != '\n') doc.problems.push_back("entry " + std::to_string(i) + " is not 20 bytes");
        if (i == 0) continue;
        const long long offset = std::atoll(entry.c_str());
        doc.offsets[i] = offset;
        if (lineAt(bytes, static_cast<std::size_t>(offset)) != std::to_string(i) + " 0 obj")
            doc.problems.push_back("entry " + std::to_string(i) + " does not point at \"" + std::to_string(i) + " 0 obj\"");
    }
    if (!doc.offsets.count(1)) return doc;
    const std::string tree = bytes.substr(static_cast<std::size_t>(doc.offsets[1]), 400);
    std::istringstream kids(tree.substr(tree.find("/Kids [") + 7, tree.find(']') - tree.find("/Kids [") - 7));
    int page;
    std::string zero, r;
    while (kids >> page >> zero >> r) doc.pageObjects.push_back(page);
    for (int object : doc.pageObjects) {
        const std::string pageText = bytes.substr(static_cast<std::size_t>(doc.offsets[object]), 200);
        const int contents = referenceAfter(pageText, "/Contents ");
        doc.contents.push_back(streamAt(bytes, doc.offsets[contents], contents, doc));
    }
    return doc;
}

// The text runs of the pages ("BT x y Td (text) Tj ET"), unescaped, y from the top.
inline std::vector<TextRun> textRuns(const Document& doc, int pageHeight = 792) {
    std::vector<TextRun> runs;
    for (std::size_t p = 0; p < doc.contents.size(); ++p) {
        std::istringstream lines(doc.contents[p]);
        std::string line;
        while (std::getline(lines, line)) {
            if (line.rfind("BT ", 0) != 0) continue;
            TextRun run;
            run.page = static_cast<int>(p) + 1;
            int y = 0;
            std::sscanf(line.c_str(), "BT %d %d Td", &run.x, &y);
            run.y = pageHeight - y;
            const std::size_t open = line.find(" Td (") + 5;
            const std::size_t close = line.rfind(") Tj ET");
            for (std::size_t i = open; i < close; ++i) {
                if (line[i] == '\\' && i + 1 < close) ++i;
                run.text += line[i];
            }
            runs.push_back(run);
        }
    }
    return runs;
}

// The output of a command (stdout and stderr) and its exit status.
struct ToolResult {
    int status = -1;
    std::string output;
};

inline ToolResult runTool(const std::string& command) {
    ToolResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer{};
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline std::string quoted(const std::string& path) {
    std::string out = "'";
    for (char c : path) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace reportpdf
