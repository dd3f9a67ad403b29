#pragma once

// Reading an import file: the whole file as UTF-8 text, cut into lines by the rules
// of the recipient and payer readers, and each line cut into fields. There is no
// quoting and no header line: every tab (or comma) separates.

#include <optional>
#include <string>
#include <vector>

namespace imports {

// The file's text, without a leading UTF-8 byte-order mark. Nothing when it cannot be
// read or is not UTF-8; failure then receives the details to show, naming the file
// (and, for bad bytes, the line of the first one).
std::optional<std::string> readImportFile(const std::string& path, std::string& failure);

// The lines of a recipient file: cut at LF when the text holds one, otherwise at CR;
// every CR removed; an empty last line dropped; nothing at all when the first line is
// empty. Empty and short lines are kept (each reader decides).
std::vector<std::string> recipientFileLines(const std::string& text);

// The lines of a payer ".txt" file (every CR ends a line as LF does) and of a payer
// ".csv" file (cut at LF, CRs removed). Empty lines are dropped; nothing at all when the
// first line is empty.
std::vector<std::string> payerTextLines(const std::string& text);
std::vector<std::string> payerCsvLines(const std::string& text);

// The fields of a line, cut at every separator ("a\t" gives "a" and "").
std::vector<std::string> splitFields(const std::string& line, char separator);

// The file name of a path, without its folders.
std::string fileNameOf(const std::string& path);

}  // namespace imports
