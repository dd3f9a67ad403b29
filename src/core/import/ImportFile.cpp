#include "core/import/ImportFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>

#include "core/foundation/TextScan.h"

namespace imports {

namespace {

// The offset of the first byte that does not belong to well-formed UTF-8 (overlong
// forms, surrogates and code points above U+10FFFF included) or is a NUL, which no text
// file holds and which would cut a stored value short; npos when there is none.
size_t firstInvalidUtf8(const std::string& text) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c == 0) return i;
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

// Whether the text looks like UTF-16: a byte-order mark of either order, or NUL bytes in
// most of the even or most of the odd places of its start (text of Latin letters saved
// as UTF-16 has one zero byte in every pair).
bool looksLikeUtf16(const std::string& text) {
    if (text.compare(0, 2, "\xFF\xFE") == 0 || text.compare(0, 2, "\xFE\xFF") == 0) return true;
    const size_t n = std::min<size_t>(text.size(), 512) & ~size_t(1);
    if (n < 2) return false;
    size_t even = 0, odd = 0;
    for (size_t i = 0; i < n; i += 2) {
        if (text[i] == '\0') ++even;
        if (text[i + 1] == '\0') ++odd;
    }
    const size_t pairs = n / 2;
    return (even * 2 >= pairs && odd == 0) || (odd * 2 >= pairs && even == 0);
}

// Whether a line-end scan reads double quotes: a comma-separated file quotes its fields,
// so a line break inside quotes ends no line; a tab-separated file has no quoting.
enum class FieldQuotes { Ignored, Read };

// The length of the line end at offset i of a file whose lines end at lineEnd (0 when
// none is there). In a file of LF lines it is an LF (a CR before it is the line's to
// drop). In a file of CR lines it is a lone CR; an LF or a CR LF inside it ends no line
// (it is one blank of its field), except at the very end of the text, where an editor's
// final line end ends the last line.
size_t lineEndAt(const std::string& text, size_t i, char lineEnd) {
    const char c = text[i];
    const bool last = i + 1 == text.size();
    if (lineEnd == '\n') return c == '\n' ? 1 : 0;
    if (c == '\r') {
        if (last || text[i + 1] != '\n') return 1;
        return i + 2 == text.size() ? 2 : 0;
    }
    return c == '\n' && last ? 1 : 0;
}

// The line of text that begins at start: where it ends, and where the next line begins
// (npos after the last line).
struct LineSpan {
    size_t end = 0;
    size_t next = std::string::npos;
};

LineSpan lineFrom(const std::string& text, size_t start, char lineEnd) {
    for (size_t from = start;;) {
        const size_t found = text.find(lineEnd, from);
        if (found == std::string::npos) break;
        const size_t length = lineEndAt(text, found, lineEnd);
        if (length > 0) return {found, found + length};
        from = found + 1;
    }
    // The last line; in a file of CR lines a final LF is its end.
    if (lineEnd == '\r' && text.size() > start && text.back() == '\n') return {text.size() - 1, text.size()};
    return {text.size(), std::string::npos};
}

// The lines of the text as a file whose lines end at lineEnd cuts it, one at a time: in
// a file of LF lines the CR of a CR LF line end (or one that ends the text) is no
// character of the line, and a lone CR inside it stays, for its field to read as a
// blank. An empty last line is no line. visit returns false to stop.
void forEachLine(const std::string& text, char lineEnd, const std::function<bool(const std::string&)>& visit) {
    std::string line;
    for (size_t start = 0;;) {
        const LineSpan span = lineFrom(text, start, lineEnd);
        const bool last = span.next == std::string::npos;
        line.assign(text, start, span.end - start);
        if (lineEnd == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
        if (last && line.empty()) return;
        if (!visit(line)) return;
        if (last) return;
        start = span.next;
    }
}

// How the records of one reading of a file fall: how many have as many fields as its
// first record, and how many have another number. A record of empty fields is neither.
struct RecordShapes {
    size_t alike = 0;
    size_t unlike = 0;
};

RecordShapes shapesOf(const std::string& text, char lineEnd, FieldQuotes quotes) {
    RecordShapes shapes;
    size_t first = 0;   // the fields of the first record; 0 before it
    const auto count = [&](const std::vector<std::string>& fields) {
        if (allFieldsEmpty(fields)) return;
        if (first == 0) first = fields.size();
        if (fields.size() == first) ++shapes.alike;
        else ++shapes.unlike;
    };
    if (quotes == FieldQuotes::Ignored) {
        forEachLine(text, lineEnd, [&](const std::string& line) {
            count(splitFields(line, '\t'));
            return true;
        });
    } else {
        size_t unclosedLine = 0;   // a quote never closed ends the reading where it opens
        forEachCsvRecord(text, lineEnd, unclosedLine, [&](CsvRecord& r) {
            count(r.fields);
            return true;
        });
    }
    return shapes;
}

// How a file ends its lines. A file whose first line end (outside quotes) is an LF or a
// CR LF ends its lines at LF. A first line end that is a lone CR is either the line end
// of a file of CR lines, as some spreadsheets still write, or a line break pasted into a
// cell of a file of LF lines. With no other LF than one that ends the text, it is a file
// of CR lines (an editor may close the last one with an LF or a CR LF). Otherwise the
// records tell: a line break pasted into a cell cuts its record into pieces with other
// numbers of fields, where a line end does not. The file is read both ways, and the
// reading in which more records have as many fields as its first record wins, then the
// one with fewer records of another number. When the fields tell nothing (a field a line,
// say), the line ends are counted: the lines end at CR when the lone CRs outside quotes
// outnumber the LFs (a CR LF counting as one LF), or equal them and the text ends with a
// line end (CR lines closed by an editor's final LF). Every line end starts a new cell,
// so a quoted cell at the start of a line counts as quoted.
char lineEndOf(const std::string& text, FieldQuotes quotes) {
    bool inQuotes = false;
    bool cellStart = true;
    bool firstIsLoneCr = false;
    bool endsWithLineEnd = false;
    size_t loneCrs = 0, lfs = 0;
    size_t afterLastLf = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        endsWithLineEnd = false;
        if (inQuotes) {
            if (c != '"') continue;
            if (i + 1 < text.size() && text[i + 1] == '"') ++i;   // a doubled quote
            else inQuotes = false;
            continue;
        }
        if (c == '\n' || c == '\r') {
            const bool crLf = c == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
            if (c == '\n' || crLf) {
                if (!firstIsLoneCr) return '\n';
                ++lfs;
                if (crLf) ++i;
                afterLastLf = i + 1;
            } else {
                firstIsLoneCr = true;
                ++loneCrs;
            }
            cellStart = true;
            endsWithLineEnd = true;
            continue;
        }
        if (quotes == FieldQuotes::Ignored) continue;
        if (c == '"' && cellStart) inQuotes = true;
        cellStart = c == ',';
    }
    if (!firstIsLoneCr) return '\n';
    if (lfs == 0 || (lfs == 1 && afterLastLf == text.size())) return '\r';
    const RecordShapes cr = shapesOf(text, '\r', quotes);
    const RecordShapes lf = shapesOf(text, '\n', quotes);
    const bool fieldsTell = cr.unlike > 0 || lf.unlike > 0;
    if (fieldsTell && cr.alike != lf.alike) return cr.alike > lf.alike ? '\r' : '\n';
    if (fieldsTell && cr.unlike != lf.unlike) return cr.unlike < lf.unlike ? '\r' : '\n';
    return loneCrs > lfs || (loneCrs == lfs && endsWithLineEnd) ? '\r' : '\n';
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
        const std::string line = "line " + std::to_string(lineOfOffset(text, bad));
        if (looksLikeUtf16(text))
            failure = "The file " + quoted + " is not UTF-8 text: it is UTF-16 text (" + line +
                      " holds a byte that is not UTF-8 text).";
        else if (text[bad] == '\0')
            failure = "The file " + quoted + " is not UTF-8 text: " + line + " holds a NUL byte, which is not text.";
        else
            failure = "The file " + quoted + " is not UTF-8 text: " + line + " holds a byte that is not UTF-8.";
        failure += " Save the file as UTF-8 text and import it again.";
        return std::nullopt;
    }
    return text;
}

std::vector<std::string> recipientFileLines(const std::string& text) {
    std::vector<std::string> lines;
    forEachRecipientFileLine(text, [&](const std::string& line) {
        lines.push_back(line);
        return true;
    });
    return lines;
}

std::vector<std::string> payerTextLines(const std::string& text) {
    std::string unified = text;
    for (char& c : unified)
        if (c == '\r') c = '\n';
    return nonEmptyLines(cut(unified, '\n'));
}

std::vector<std::string> splitFields(const std::string& line, char separator) {
    std::vector<std::string> fields = cut(line, separator);
    for (std::string& field : fields) field = textscan::onOneLine(std::move(field));
    return fields;
}

bool startsWithEmptyLine(const std::string& text) {
    // A text that begins with LF, CR LF or a lone CR begins with its first line's end,
    // whichever way its lines end.
    return !text.empty() && (text[0] == '\n' || text[0] == '\r');
}

bool allFieldsEmpty(const std::vector<std::string>& fields) {
    return std::all_of(fields.begin(), fields.end(),
                       [](const std::string& f) { return f.find_first_not_of(' ') == std::string::npos; });
}

std::string emptyRowsSkippedText(size_t rows) {
    if (rows == 0) return std::string();
    return std::to_string(rows) + (rows == 1 ? " row whose fields are all empty was skipped."
                                             : " rows whose fields are all empty were skipped.");
}

bool forEachCsvRecord(const std::string& text, char lineEnd, size_t& unclosedLine,
                      const std::function<bool(CsvRecord&)>& visit) {
    enum class State { FieldStart, Plain, Quoted, AfterQuote };
    bool going = true;
    CsvRecord record;
    std::string field;
    State state = State::FieldStart;
    size_t line = 1;
    size_t quoteLine = 0;
    bool anything = false;   // the record has a character of its own (a dropped CR is none)
    record.line = line;

    const auto endField = [&] {
        // A stored value is one line: a line break (CR LF counting as one) or a tab
        // inside a field is one blank.
        record.fields.push_back(textscan::onOneLine(std::move(field)));
        field.clear();
        state = State::FieldStart;
    };
    const auto endRecord = [&] {
        endField();
        record.emptyLine = !anything;
        going = visit(record);
        record = CsvRecord{};
        record.line = line;
        anything = false;
    };

    for (size_t i = 0; i < text.size() && going; ++i) {
        const char c = text[i];
        const size_t lineEndLength = lineEndAt(text, i, lineEnd);
        if (state == State::Quoted) {
            if (lineEndLength > 0) ++line;
            if (c != '"') {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                state = State::AfterQuote;
            }
            continue;
        }
        if (lineEndLength > 0) {
            ++line;
            i += lineEndLength - 1;
            endRecord();
            continue;
        }
        // In a file of LF lines the CR of a CR LF line end (or one that ends the text) is
        // no character of the field; a lone CR is.
        if (lineEnd == '\n' && c == '\r' && (i + 1 == text.size() || text[i + 1] == '\n')) continue;
        anything = true;
        if (c == ',') {
            endField();
        } else if (c == '"' && state == State::FieldStart) {
            state = State::Quoted;
            quoteLine = line;
        } else {
            field += c;
            state = State::Plain;
        }
    }
    if (!going) return true;
    if (state == State::Quoted) {
        unclosedLine = quoteLine;
        return false;
    }
    endRecord();
    return true;
}

std::optional<std::vector<CsvRecord>> csvRecords(const std::string& text, char lineEnd, size_t& unclosedLine) {
    std::vector<CsvRecord> records;
    if (!forEachCsvRecord(text, lineEnd, unclosedLine, [&](CsvRecord& r) {
            records.push_back(std::move(r));
            return true;
        }))
        return std::nullopt;
    return records;
}

std::optional<std::vector<CsvRecord>> recipientCsvRecords(const std::string& text, size_t& unclosedLine) {
    std::vector<CsvRecord> records;
    if (!forEachRecipientCsvRecord(text, unclosedLine, [&](CsvRecord& r) {
            records.push_back(std::move(r));
            return true;
        }))
        return std::nullopt;
    return records;
}

char recipientLineEnd(const std::string& text, bool commaSeparated) {
    return lineEndOf(text, commaSeparated ? FieldQuotes::Read : FieldQuotes::Ignored);
}

bool forEachRecipientCsvRecord(const std::string& text, size_t& unclosedLine,
                               const std::function<bool(CsvRecord&)>& visit) {
    return forEachRecipientCsvRecord(text, recipientLineEnd(text, true), unclosedLine, visit);
}

bool forEachRecipientCsvRecord(const std::string& text, char lineEnd, size_t& unclosedLine,
                               const std::function<bool(CsvRecord&)>& visit) {
    if (startsWithEmptyLine(text)) return true;   // nothing at all
    // One record is held back: an empty last one is no record.
    std::optional<CsvRecord> held;
    bool going = true;
    const bool read = forEachCsvRecord(text, lineEnd, unclosedLine, [&](CsvRecord& r) {
        if (held) going = visit(*held);
        held = std::move(r);
        return going;
    });
    if (!read) return false;
    if (going && held && !held->emptyLine) visit(*held);
    return true;
}

void forEachRecipientFileLine(const std::string& text, const std::function<bool(const std::string&)>& visit) {
    forEachRecipientFileLine(text, recipientLineEnd(text, false), visit);
}

void forEachRecipientFileLine(const std::string& text, char lineEnd,
                              const std::function<bool(const std::string&)>& visit) {
    if (startsWithEmptyLine(text)) return;   // nothing at all
    forEachLine(text, lineEnd, visit);
}

std::optional<std::vector<CsvRecord>> payerCsvRecords(const std::string& text, size_t& unclosedLine) {
    auto records = csvRecords(text, lineEndOf(text, FieldQuotes::Read), unclosedLine);
    if (!records) return records;
    if (!records->empty() && records->front().emptyLine) records->clear();
    std::erase_if(*records, [](const CsvRecord& r) { return r.emptyLine; });
    return records;
}

std::string unclosedQuoteText(const std::string& path, size_t line) {
    return "The file \"" + path + "\" cannot be read as comma-separated text: the quote that opens a field on line " +
           std::to_string(line) +
           " is never closed. Close the field with a double quote (a quote inside a quoted field is written twice) "
           "and import the file again.";
}

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace imports
