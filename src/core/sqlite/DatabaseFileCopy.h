#pragma once

#include <string>

// Copies a company database file through SQLite's backup interface, so a file that
// this or another process has open is copied in a consistent state. The copy is
// written under a temporary name beside the target and renamed into place, replacing
// the target; on failure the target is left as it was. True when the copy is complete.
bool copyDatabaseFile(const std::string& from, const std::string& to);
