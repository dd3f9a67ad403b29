#include "core/import/ImportFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
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

// The records of comma-separated text, told to sink one character at a time, so that the
// same rules build the records and only count them. lineEnd is how the file ends its
// lines. A field that begins with a double quote runs to the next quote that is not
// doubled (a doubled one is one quote), and line ends and commas inside it are its
// characters. In a file of LF lines the CR of a CR LF line end (or one that ends the
// text) is no character of its record.
// sink.character(c) gets each character of a field, sink.fieldEnd() ends a field,
// sink.recordEnd(anything, line) ends a record: anything when it had a character of its
// own (a dropped CR is none), line the line the next record begins on; it returns false
// to stop. Every line end of the text ends a record, the last (empty) one included.
// False when a quoted field is never closed: unclosedLine then holds the line its quote
// opened on, and the record it is in was not ended.
template <class Sink>
bool scanCsvRecords(const std::string& text, char lineEnd, Sink& sink, size_t& unclosedLine) {
    enum class State { FieldStart, Plain, Quoted, AfterQuote };
    State state = State::FieldStart;
    size_t line = 1;
    size_t quoteLine = 0;
    bool anything = false;
    const auto endRecord = [&] {
        sink.fieldEnd();
        state = State::FieldStart;
        const bool going = sink.recordEnd(anything, line);
        anything = false;
        return going;
    };
    const size_t n = text.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = text[i];
        const size_t lineEndLength = lineEndAt(text, i, lineEnd);
        if (state == State::Quoted) {
            if (lineEndLength > 0) ++line;
            if (c != '"') {
                sink.character(c);
            } else if (i + 1 < n && text[i + 1] == '"') {
                sink.character('"');
                ++i;
            } else {
                state = State::AfterQuote;
            }
            continue;
        }
        if (lineEndLength > 0) {
            ++line;
            i += lineEndLength - 1;
            if (!endRecord()) return true;
            continue;
        }
        if (lineEnd == '\n' && c == '\r' && (i + 1 == n || text[i + 1] == '\n')) continue;
        anything = true;
        if (c == ',') {
            sink.fieldEnd();
            state = State::FieldStart;
        } else if (c == '"' && state == State::FieldStart) {
            state = State::Quoted;
            quoteLine = line;
        } else {
            sink.character(c);
            state = State::Plain;
        }
    }
    if (state == State::Quoted) {
        unclosedLine = quoteLine;
        return false;
    }
    endRecord();
    return true;
}

// Whether a character of a field leaves it empty as a stored value holds it: a blank, or
// a control character, which becomes one.
bool blankInField(char c) { return c == ' ' || textscan::isControl(c); }

// How the records of one reading of a file fall: how many records have each number of
// fields, a record whose fields are all empty or blanks left out; and whether the reading
// ends inside a quote that is never closed. Counted without building a field, so that
// reading a file two ways costs no memory beyond its text.
class RecordShapes {
public:
    // A record of that many fields; filled when a field holds more than blanks.
    void record(size_t fields, bool filled) {
        if (!filled) return;
        if (fields < small_.size()) ++small_[fields];
        else ++large_[fields];
    }
    void setUnclosed() { unclosed_ = true; }

    // Takes the records counted: the common shape is the number of fields most records
    // have, the larger on a tie.
    void settle() {
        const auto take = [this](size_t fields, size_t records) {
            total_ += records;
            if (records > 0 && records >= alike_) {
                alike_ = records;
                common_ = fields;
            }
        };
        for (size_t fields = 0; fields < small_.size(); ++fields) take(fields, small_[fields]);
        for (const auto& [fields, records] : large_) take(fields, records);
    }

    bool unclosed() const { return unclosed_; }
    // Whether every record has the common shape.
    bool uniform() const { return alike_ == total_; }
    // A line break pasted into a cell cuts its record into pieces whose numbers of fields
    // differ, where a line end does not: the records of the common shape less the others,
    // weighed by its number of fields, so that many one-field pieces of one cell do not
    // outweigh whole records, and a reading that glues the file into one record weighs
    // nothing.
    long double weight() const {
        if (alike_ < 2) return 0;
        return (static_cast<long double>(alike_) - static_cast<long double>(total_ - alike_)) *
               static_cast<long double>(common_);
    }
    // Whether a larger share of this reading's records has its common shape than of other's.
    bool moreAlikeThan(const RecordShapes& other) const {
        return static_cast<long double>(alike_) * other.total_ > static_cast<long double>(other.alike_) * total_;
    }

private:
    // Records by their number of fields: the usual numbers in place, others aside.
    std::vector<size_t> small_ = std::vector<size_t>(256);
    std::map<size_t, size_t> large_;
    bool unclosed_ = false;
    size_t total_ = 0, alike_ = 0, common_ = 0;
};

// The shapes of a comma-separated reading, by the very scan that reads its records.
RecordShapes csvShapes(const std::string& text, char lineEnd) {
    struct Counter {
        RecordShapes shapes;
        size_t fields = 0;
        bool filled = false;

        void character(char c) { filled = filled || !blankInField(c); }
        void fieldEnd() { ++fields; }
        bool recordEnd(bool, size_t) {
            shapes.record(fields, filled);
            fields = 0;
            filled = false;
            return true;
        }
    } counter;
    size_t unclosedLine = 0;
    if (!scanCsvRecords(text, lineEnd, counter, unclosedLine)) counter.shapes.setUnclosed();
    counter.shapes.settle();
    return counter.shapes;
}

// How many bytes of the n at data are c, sixteen at a time: each lane of sums counts the
// bytes of c in its place (a byte equal to c compares as all ones, -1), for at most 255
// blocks before the lanes are added up. The last bytes are read in the block that ends
// with them, its lanes counted already masked off; fewer than sixteen bytes one at a time.
size_t countOf(char c, const char* data, size_t n) {
    using Block = unsigned char __attribute__((vector_size(16)));
    using Halves = uint64_t __attribute__((vector_size(16)));
    if (n < 16) {
        size_t count = 0;
        for (size_t i = 0; i < n; ++i) count += data[i] == c;
        return count;
    }
    // The sixteen lanes added up: in pairs as 16-bit lanes, then these by a multiplication.
    const auto addUp = [](Block sums) {
        const Halves halves = reinterpret_cast<Halves>(sums);
        size_t total = 0;
        for (int k = 0; k < 2; ++k) {
            const uint64_t pairs = (halves[k] & 0x00FF00FF00FF00FFULL) + ((halves[k] >> 8) & 0x00FF00FF00FF00FFULL);
            total += static_cast<size_t>((pairs * 0x0001000100010001ULL) >> 48);
        }
        return total;
    };
    const Block pattern = Block{} + static_cast<unsigned char>(c);
    size_t count = 0, i = 0, blocks = 0;
    Block sums = {}, block;
    for (; i + 16 <= n; i += 16) {
        std::memcpy(&block, data + i, 16);
        sums -= reinterpret_cast<Block>(block == pattern);
        if (++blocks == 255) {
            count += addUp(sums);
            sums = Block{};
            blocks = 0;
        }
    }
    if (i < n) {
        constexpr Block kLanes = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
        std::memcpy(&block, data + n - 16, 16);
        const unsigned char counted = static_cast<unsigned char>(16 - (n - i));
        sums -= reinterpret_cast<Block>((block == pattern) & (kLanes >= counted));
    }
    return count + addUp(sums);
}

// The shapes of both readings of a tab-separated file, cr and lf, in one pass: its lines
// as forEachLine cuts them, each of as many fields as it has tabs and one more. A dropped
// CR, a line break left in a line and every other control character are blanks of their
// field, so only tabs and line ends count. The text is cut at its LFs and its lone CRs,
// in order: each piece's tabs count for its LF line and for its CR line. A CR just before
// an LF, or at the end of the text, is left in its piece: where it ends a CR line (a CR
// LF or a CR that ends the text), only an empty line follows, which counts for nothing.
void tabShapes(const std::string& text, RecordShapes& cr, RecordShapes& lf) {
    const char* const data = text.data();
    const size_t n = text.size();
    const auto next = [data, n](char c, size_t from) {
        const void* found = from < n ? std::memchr(data + from, c, n - from) : nullptr;
        return found ? static_cast<size_t>(static_cast<const char*>(found) - data) : n;
    };
    size_t nextCr = next('\r', 0), nextLf = next('\n', 0);
    size_t crTabs = 0, lfTabs = 0;
    bool crFilled = false, lfFilled = false;
    for (size_t start = 0;;) {
        if (nextCr < nextLf && nextCr + 1 == nextLf) {
            nextCr = next('\r', nextCr + 1);   // no lone CR: a character of its piece
            continue;
        }
        const size_t cut = std::min(nextCr, nextLf);
        const size_t tabs = countOf('\t', data + start, cut - start);
        bool filled = false;
        for (size_t i = start; i < cut && !filled; ++i) filled = !blankInField(data[i]);
        crTabs += tabs;
        lfTabs += tabs;
        crFilled = crFilled || filled;
        lfFilled = lfFilled || filled;
        if (cut == n) break;
        if (cut == nextCr) {
            cr.record(crTabs + 1, crFilled);
            crTabs = 0;
            crFilled = false;
            nextCr = next('\r', cut + 1);
        } else {
            lf.record(lfTabs + 1, lfFilled);   // the LF is a blank of its CR line
            lfTabs = 0;
            lfFilled = false;
            nextLf = next('\n', cut + 1);
        }
        start = cut + 1;
    }
    cr.record(crTabs + 1, crFilled);
    lf.record(lfTabs + 1, lfFilled);
    cr.settle();
    lf.settle();
}

// The line ends of a file outside quotes: whether the first is a lone CR, and whether an
// LF (or a CR LF) other than one that ends the text follows it; with whole, also how many
// lone CRs and LFs there are (a CR LF counting as one LF) and whether a line end closes
// the text. Every line end starts a new cell, so a quoted cell at the start of a line
// counts as quoted.
struct LineEndCensus {
    bool firstIsLoneCr = false;
    bool moreLfs = false;
    size_t loneCrs = 0, lfs = 0;
    bool endsWithLineEnd = false;
};

LineEndCensus lineEndCensus(const std::string& text, FieldQuotes quotes, bool whole) {
    LineEndCensus census;
    const size_t n = text.size();
    if (quotes == FieldQuotes::Ignored && !whole) {
        // Without quotes every LF counts: the first line end and the first LF after it tell.
        const char* const data = text.data();
        const auto* lf = static_cast<const char*>(std::memchr(data, '\n', n));
        const size_t firstLf = lf ? static_cast<size_t>(lf - data) : n;
        const auto* cr = static_cast<const char*>(std::memchr(data, '\r', firstLf));
        if (!cr || cr + 1 == lf) return census;
        census.firstIsLoneCr = true;
        census.moreLfs = lf && firstLf + 1 < n;
        return census;
    }
    bool inQuotes = false;
    bool cellStart = true;
    for (size_t i = 0; i < n; ++i) {
        const char c = text[i];
        census.endsWithLineEnd = false;
        if (inQuotes) {
            if (c != '"') continue;
            if (i + 1 < n && text[i + 1] == '"') ++i;   // a doubled quote
            else inQuotes = false;
            continue;
        }
        if (c == '\n' || c == '\r') {
            const bool crLf = c == '\r' && i + 1 < n && text[i + 1] == '\n';
            if (c == '\n' || crLf) {
                if (!census.firstIsLoneCr) return census;
                ++census.lfs;
                if (crLf) ++i;
                if (i + 1 < n) {
                    census.moreLfs = true;
                    if (!whole) return census;
                }
            } else {
                census.firstIsLoneCr = true;
                ++census.loneCrs;
            }
            cellStart = true;
            census.endsWithLineEnd = true;
            continue;
        }
        if (quotes == FieldQuotes::Ignored) continue;
        if (c == '"' && cellStart) inQuotes = true;
        cellStart = c == ',';
    }
    return census;
}

// How a file ends its lines. A file whose first line end (outside quotes) is an LF or a
// CR LF ends its lines at LF. A first line end that is a lone CR is either the line end
// of a file of CR lines, as some spreadsheets still write, or a line break pasted into a
// cell of a file of LF lines. With no other LF than one that ends the text, it is a file
// of CR lines (an editor may close the last one with an LF or a CR LF). Otherwise the
// file is read both ways, counting only. A reading that ends inside a quote never closed
// loses to one that does not. Then the records tell, unless every record of both
// readings has its reading's common shape: the reading of greater weight wins, then the
// one in which a larger share of the records has the common shape. When the fields tell
// nothing (a field a line, say), the line ends are counted: the lines end at CR when the
// lone CRs outside quotes outnumber the LFs (a CR LF counting as one LF), or equal them
// and the text ends with a line end (CR lines closed by an editor's final LF).
char lineEndOf(const std::string& text, FieldQuotes quotes) {
    const LineEndCensus first = lineEndCensus(text, quotes, false);
    if (!first.firstIsLoneCr) return '\n';
    if (!first.moreLfs) return '\r';
    RecordShapes cr, lf;
    if (quotes == FieldQuotes::Read) {
        cr = csvShapes(text, '\r');
        lf = csvShapes(text, '\n');
    } else {
        tabShapes(text, cr, lf);
    }
    if (cr.unclosed() != lf.unclosed()) return cr.unclosed() ? '\n' : '\r';
    if (!cr.uniform() || !lf.uniform()) {
        if (cr.weight() != lf.weight()) return cr.weight() > lf.weight() ? '\r' : '\n';
        if (cr.moreAlikeThan(lf)) return '\r';
        if (lf.moreAlikeThan(cr)) return '\n';
    }
    const LineEndCensus all = lineEndCensus(text, quotes, true);
    return all.loneCrs > all.lfs || (all.loneCrs == all.lfs && all.endsWithLineEnd) ? '\r' : '\n';
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
    // Builds each record and hands it on.
    struct Builder {
        const std::function<bool(CsvRecord&)>& visit;
        CsvRecord record;
        std::string field;

        void character(char c) { field += c; }
        void fieldEnd() {
            // A stored value is one line: a line break (CR LF counting as one) or a tab
            // inside a field is one blank.
            record.fields.push_back(textscan::onOneLine(std::move(field)));
            field.clear();
        }
        bool recordEnd(bool anything, size_t nextLine) {
            record.emptyLine = !anything;
            const bool going = visit(record);
            record = CsvRecord{};
            record.line = nextLine;
            return going;
        }
    } builder{visit, {}, {}};
    builder.record.line = 1;
    return scanCsvRecords(text, lineEnd, builder, unclosedLine);
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
