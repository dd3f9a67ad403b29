#pragma once

#include <string>

// Copies a company database file through SQLite's backup interface, so a file that
// this or another process has open is copied in a consistent state. The target is
// replaced; on failure no target is left behind. True when the copy is complete.
bool copyDatabaseFile(const std::string& from, const std::string& to);
