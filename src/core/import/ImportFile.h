#pragma once

// Reading an import file: the whole file as UTF-8 text, cut into lines by the rules
// of the recipient and payer readers, and each line cut into fields. Tab-separated
// files have no quoting: every tab separates. Comma-separated files are read as
// RFC 4180 text, so a name or an amount that holds a comma stays one field. There is
// no header line. A stored value is one line: in every field a control character that
// is left (a lone CR, a line break inside quotes, a tab) is one blank, CR LF counting once.
//
// Line ends, for both recipient readers and the payer ".csv" reader: a file of CR lines,
// as some spreadsheets still write, ends its lines at every lone CR; an LF or a CR LF
// inside it is one blank, except at the very end of the text, where it ends the last
// line. Every other file ends its lines at LF, the CR of a CR LF dropped, so CR LF and LF
// may be mixed in it, and a lone CR inside it (a line break pasted into a cell) is one
// blank. A file is one of CR lines when its first line end outside quotes is a lone CR
// and it holds no other LF outside quotes than one that ends the text. When it holds
// more, the file is read both ways, counting the fields of each record without keeping
// them. A reading that ends inside a quote never closed loses. Otherwise the number of
// fields that most of a reading's records have is its common shape (a line break pasted
// into a cell cuts its record into pieces of other sizes, a line end does not), and the
// reading with more records of that shape than of others, weighed by its number of
// fields, wins; then the one in which the larger share of the records has it. When the
// fields tell nothing (every record of both readings has its common shape, a field a
// line say), it is one of CR lines when its lone CRs outnumber its LFs (a CR LF counting
// as one), or equal them with a line end closing the text.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace imports {

// The file's text, without a leading UTF-8 byte-order mark. Nothing when it cannot be
// read or is not UTF-8; failure then receives the details to show, naming the file
// (and, for bad bytes, the line of the first one).
std::optional<std::string> readImportFile(const std::string& path, std::string& failure);

// The lines of a recipient file, cut by the line ends above (a lone CR inside a file of
// LF lines stays, for splitFields to make a blank); an empty last line dropped; nothing
// at all when the first line is empty. Empty and short lines are kept (each reader
// decides).
std::vector<std::string> recipientFileLines(const std::string& text);

// The lines of a payer ".txt" file: every CR ends a line as LF does. Empty lines are
// dropped; nothing at all when the first line is empty.
std::vector<std::string> payerTextLines(const std::string& text);

// The fields of a line, cut at every separator ("a\t" gives "a" and ""), each on one line.
std::vector<std::string> splitFields(const std::string& line, char separator);

// Whether the text's first line is empty (it begins with LF, CR LF or a lone CR): the
// recipient readers and the payer readers then read nothing of it.
bool startsWithEmptyLine(const std::string& text);

// Whether every field of a row is empty or blanks: a row of separators that a
// spreadsheet writes after its data (",,,,,") is no record.
bool allFieldsEmpty(const std::vector<std::string>& fields);
// "3 rows whose fields are all empty were skipped." (singular for one); the empty text for none.
std::string emptyRowsSkippedText(size_t rows);

// One record of a comma-separated file.
struct CsvRecord {
    std::vector<std::string> fields;
    size_t line = 0;          // the line of the file it begins on, from 1
    bool emptyLine = false;   // an empty line of the file (no field, not even a quoted one)
};

// Comma-separated text as records. A field that begins with a double quote runs to the
// next quote that is not doubled; inside it a doubled quote is one quote, commas are
// part of the field, and a line break (CR LF, LF or CR) or a tab is one blank. A quote anywhere else is an
// ordinary character, as is whatever follows a closing quote up to the next comma.
// lineEnd is how the file ends its lines ('\n' or '\r', by the rule above); outside
// quotes a line end ends a record. In a file of LF lines a CR before LF or at the end of
// the text is dropped, and any other CR is one blank.
// Every line end of the text counts as a line, the last (empty) one included.
// Nothing when a quoted field is never closed: unclosedLine then holds the line its
// quote opened on.
std::optional<std::vector<CsvRecord>> csvRecords(const std::string& text, char lineEnd, size_t& unclosedLine);
// The same records one at a time: visit returns false to stop (true is returned then).
bool forEachCsvRecord(const std::string& text, char lineEnd, size_t& unclosedLine,
                      const std::function<bool(CsvRecord&)>& visit);

// How a recipient file ends its lines ('\n' or '\r'), by the rule above, read as a
// comma-separated file or a tab-separated one. A run that reads the records more than
// once tells each reading this, so that a file the rule reads both ways is so read once.
char recipientLineEnd(const std::string& text, bool commaSeparated);

// The records of a recipient ".csv" file, its lines cut by the line ends above; an empty
// last line is dropped; nothing at all when the first line is empty. Empty lines are
// kept (the reader decides).
std::optional<std::vector<CsvRecord>> recipientCsvRecords(const std::string& text, size_t& unclosedLine);
// The same records one at a time, none of them kept: visit returns false to stop. False
// when a quoted field is never closed (found only at the end, after the records
// before it were visited).
bool forEachRecipientCsvRecord(const std::string& text, size_t& unclosedLine,
                               const std::function<bool(CsvRecord&)>& visit);
// The same with the file's line end (recipientLineEnd) already known.
bool forEachRecipientCsvRecord(const std::string& text, char lineEnd, size_t& unclosedLine,
                               const std::function<bool(CsvRecord&)>& visit);
// The lines of recipientFileLines one at a time, none of them kept: visit returns false
// to stop.
void forEachRecipientFileLine(const std::string& text, const std::function<bool(const std::string&)>& visit);
// The same with the file's line end (recipientLineEnd) already known.
void forEachRecipientFileLine(const std::string& text, char lineEnd,
                              const std::function<bool(const std::string&)>& visit);
// The records of a payer ".csv" file, its lines cut by the line ends above; empty lines
// dropped; nothing at all when the first line is empty.
std::optional<std::vector<CsvRecord>> payerCsvRecords(const std::string& text, size_t& unclosedLine);

// What the user is told about a quote that is never closed.
std::string unclosedQuoteText(const std::string& path, size_t line);

// The file name of a path, without its folders.
std::string fileNameOf(const std::string& path);

}  // namespace imports
