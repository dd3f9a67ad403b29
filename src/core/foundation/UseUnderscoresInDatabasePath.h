#pragma once

#include <string>

// True when the marker file "Use Underscores in Database Paths.txt" lies in the year's
// configuration folder: new database file names then get "_" in place of blanks.
bool UseUnderscoresInDatabasePath();

// The file name (no folder) of the 2025 company database named `name`: the name, a
// blank and "2025.db". With the marker every blank of that file name becomes "_".
// The new-year roll-over names its files so, and every test whether a last-year
// database was rolled over already looks for this name.
std::string yearDatabaseFileName(const std::string& name, bool useUnderscores);
