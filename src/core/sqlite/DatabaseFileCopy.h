#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Hears how many pages of a database copy are done, of how many, as the copy goes and
// once more when every page is copied; true stops the copy before it is renamed into
// place (the target stays as it was and no temporary file remains).
using CopyProgress = std::function<bool(int64_t pagesDone, int64_t pagesTotal)>;

// Copies a company database file through SQLite's backup interface, so a file that
// this or another process has open is copied in a consistent state. The copy is
// written under a temporary name beside the target and renamed into place, replacing
// the target; on failure the target is left as it was. A target that is itself a
// replacement's temporary is written straight into (its replacement puts it in place).
// True when the copy is complete; otherwise reason (when given) receives the system's or
// SQLite's reason.
bool copyDatabaseFile(const std::string& from, const std::string& to, const CopyProgress& progress = {},
                      std::string* reason = nullptr);
