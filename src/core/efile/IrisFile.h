#pragma once

// The IRIS bulk-upload file of tax year 2025: comma-separated UTF-8 text (no byte-order
// mark) of one header line of column titles and one line per recipient, lines separated
// by a single line feed and no line feed after the last one. Each recipient line repeats
// the payer's 19 columns in front of the recipient's columns of its form kind. A file
// holds at most 100 recipients; a larger selection makes several files.
//
// Whatever a stored text holds, every line keeps the column count of its kind: a control
// character in a stored text (a line break, a tab) is written as one blank, CR LF as
// one, and a value that holds a comma or a double quote is written in RFC 4180 form
// (enclosed in double quotes, inner double quotes doubled). Every other value is
// written as the agency's templates expect it: bare, the phone and office code as the
// spreadsheet formula ="…" that keeps their leading zeros, and the special data entries
// always quoted.
//
// Form kinds: 1 1099-MISC, 2 1099-DIV, 3 1099-INT, 4 1099-R, 5 1099-S, 7 1099-NEC.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/foundation/RefusedEntry.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

// One recipient of a file: the recipient and its additional data (same key).
struct IrisRecipient {
    RecipientInfo recipient;
    RecipientAdditionalInfo additional;
};

class IrisFile {
public:
    static constexpr std::size_t kRecipientsPerFile = 100;

    // The form name of a kind ("1099-MISC", ...); the empty text for any other code.
    static std::string REC_TYPE(int32_t kind);

    // A stored TIN type as its column writes it: in capitals, without blanks or control
    // characters ("ein", " EIN" give "EIN").
    static std::string tinTypeColumn(const std::string& stored);
    // How many files a selection of that many recipients makes (100 to a file).
    static std::size_t fileCount(std::size_t selected);
    // The selection positions of file k's recipients, counted from 0: [first, end).
    static std::pair<std::size_t, std::size_t> recipientRange(std::size_t selected, std::size_t file);
    // The name proposed for file k: "1099-NEC.csv", then "1099-NEC-2.csv", "1099-NEC-3.csv", ...
    static std::string proposedName(int32_t kind, std::size_t file);

    // The column titles of a kind: the 19 payer titles, then the kind's own (the
    // "Filer" and "Transferor" sets for the 1099-S). Empty for an unknown kind.
    static std::vector<std::string> columnTitles(int32_t kind);
    // The header line: every title in double quotes, separated by commas.
    static std::string header(int32_t kind);

    // The whole file of the given recipients, every line built by the file's kind.
    // An amount column is written as the amount reader (StoredAmount) reads the stored
    // text: "1500" and "1,500.00" as 1500.00, no amount as nothing; a date as the date
    // reader (StoredDate) reads it, as MM/DD/YYYY. A text a reader refuses, and a
    // distribution code or year the entry window would not take, is written as nothing
    // and makes refusal() name it: such a file must not be saved.
    std::string build(int32_t kind, const ComapnyInfo& payer, const std::vector<IrisRecipient>& recipients);
    // One recipient's line (without a line feed).
    std::string line(int32_t kind, const ComapnyInfo& payer, const IrisRecipient& recipient);
    // After build or line: the message that refuses the file for the first amount, date,
    // code or year refused, naming the recipient and the column; empty when there was none.
    const std::string& refusal() const { return refusal_; }

private:
    void appendPayer(std::string& out, int32_t kind, const ComapnyInfo& payer);
    void appendRecipient(std::string& out, int32_t kind, const ComapnyInfo& payer, const IrisRecipient& r);
    // Keeps the message that refuses the file for an amount, date, distribution code or
    // year that the entry windows would not take, in a column of the recipient's part of
    // the line (counted from 0).
    void refuse(int32_t kind, const IrisRecipient& r, std::size_t column, RefusedEntry refused);
    // The two-letter code of a state list entry ("Texas-TX" gives "TX"), "" for none;
    // combined: only the states of the combined federal/state program.
    const std::string& stateCode(const std::string& entry, bool combined);

    std::unordered_map<std::string, std::string> codes_;
    std::unordered_map<std::string, std::string> combinedCodes_;
    std::string refusal_;
};
