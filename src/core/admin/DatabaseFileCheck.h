#pragma once

#include <cstdint>
#include <string>

// What a company database file holds, read without changing a byte of it: whether
// SQLite can open it, whether its pages pass SQLite's quick check, whether it is one
// of our company databases and the tax year it is for.
struct DatabaseFileCheck {
    bool opens = false;
    bool intact = false;            // "pragma quick_check" answered "ok"
    bool companyDatabase = false;   // it has the one-row table "database"
    int32_t year = 0;

    bool usable() const { return opens && intact && companyDatabase; }
};

DatabaseFileCheck checkDatabaseFile(const std::string& path);

// Whether two paths name the same file: the same file on disk when both exist, else
// the same path once "." and ".." and symbolic links are resolved.
bool sameFile(const std::string& a, const std::string& b);
