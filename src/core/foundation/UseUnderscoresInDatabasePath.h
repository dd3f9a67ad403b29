#pragma once

// True when the marker file "Use Underscores in Database Paths.txt" lies in the year's
// configuration folder: new database file names then get "_" in place of blanks.
bool UseUnderscoresInDatabasePath();
