#pragma once

// Files whose first row leaves off its last, empty cell, as exporters write an optional
// column left empty, or whose first address holds many line breaks with rows of empty
// cells after the records; each with line breaks pasted into one address, saved unquoted.
// Every reader must give every record whole, each field as written and each break one
// blank.

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

struct LineBreakCase {
    const char* name;
    const char* end;                  // after every line but the last
    bool shortFirst;                  // the first row leaves off its last cell
    size_t record;                    // the record whose address holds the breaks
    std::vector<std::string> breaks;  // each followed by more of the address
    size_t records = 4;
    size_t emptyRows = 0;             // rows of empty cells after the records
    bool addressFirst = false;        // the address column stands first, as a mapping may put it
};

inline const std::vector<LineBreakCase> kLineBreakCases = {
    {"CR lines, a short first row, an LF in record 2", "\r", true, 1, {"\n"}},
    {"CR lines, a short first row, a CR LF in record 2", "\r", true, 1, {"\r\n"}},
    {"CR lines, a short first row, an LF in record 4", "\r", true, 3, {"\n"}},
    {"LF lines, a lone CR in the short first row", "\n", true, 0, {"\r"}},
    {"CR LF lines, a lone CR in the short first row", "\r\n", true, 0, {"\r"}},
    {"LF lines, four lone CRs in record 1, two empty rows", "\n", false, 0, {"\r", "\r", "\r", "\r"}, 3, 2},
    {"CR LF lines, four lone CRs in record 1, two empty rows", "\r\n", false, 0, {"\r", "\r", "\r", "\r"}, 3, 2},
    {"LF lines, four lone CRs in the first field of record 1, two empty rows", "\n", false, 0,
     {"\r", "\r", "\r", "\r"}, 3, 2, true},
    {"CR LF lines, four lone CRs in the first field of record 1, two empty rows", "\r\n", false, 0,
     {"\r", "\r", "\r", "\r"}, 3, 2, true},
};

// The row (or the column names) in the case's order: the cell at address moved to the
// front when the case puts the address first, the others in their order after it.
inline std::vector<std::string> inCaseOrder(const LineBreakCase& c, std::vector<std::string> row, size_t address) {
    if (c.addressFirst && address < row.size())
        std::rotate(row.begin(), row.begin() + static_cast<std::ptrdiff_t>(address),
                    row.begin() + static_cast<std::ptrdiff_t>(address) + 1);
    return row;
}

// What follows break k of a case's address.
inline std::string afterBreak(size_t k) { return "Dock " + std::to_string(k + 1); }
