#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What a company database file holds, read without changing a byte of it: whether
// SQLite can open it, whether its pages pass SQLite's quick check, whether it is one
// of our company databases and the tax year it is for.
struct DatabaseFileCheck {
    bool opens = false;
    bool intact = false;            // "pragma quick_check" answered "ok"
    bool companyDatabase = false;   // it has the one-row table "database"
    int32_t year = 0;
    // SQLite read the file and found no database in it: another kind of file, or one
    // damaged beyond reading (not set when the file could not be opened at all).
    bool holdsNoDatabase = false;
    // Why the file is not usable(), in words for the user (SQLite's own words included
    // where it gave some); empty for a usable file.
    std::string problem;

    bool usable() const { return opens && intact && companyDatabase; }
};

DatabaseFileCheck checkDatabaseFile(const std::string& path);

// The tables and columns that a new company database file has and the file at path
// lacks, each as "table" or "table.column", in table order; tables and columns the file
// has besides (payroll tables, say) are not looked at. Names compare as SQLite compares
// them, without regard to case. Nothing when the file cannot be read. The new file is
// made once per run, beside the scratch copy, and removed again; reason (when given)
// receives why nothing could be read.
std::optional<std::vector<std::string>> missingCompanySchema(const std::string& path, std::string* reason = nullptr);
// For tests: the new file is made again at the next comparison.
void forgetCompanySchemaForTesting();

// Whether two paths name the same file: the same file on disk when both exist, else
// the same path once "." and "..", doubled "/" and symbolic links are resolved, so a
// listed path whose file is gone still matches its entry.
bool sameFile(const std::string& a, const std::string& b);
