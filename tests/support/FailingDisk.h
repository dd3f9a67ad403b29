#pragma once

// A disk that fills up (or fails) on request, for tests of what a write failure does
// to a database file. While an instance lives, every SQLite connection opened from
// then on goes through a thin layer over the system's own file access, which counts
// the writes to database and journal files and, once armed, refuses every write after
// the allowed number with a full disk (SQLITE_FULL) or an I/O error, until disarmed.
// Syncs are not passed on (the tests are about failed writes, not power loss).
// Connections must be closed before the instance goes away.

#include <sqlite3.h>

class FailingDisk {
public:
    FailingDisk();
    ~FailingDisk();
    FailingDisk(const FailingDisk&) = delete;
    FailingDisk& operator=(const FailingDisk&) = delete;

    // Counts writes from 0; the first `allowed` succeed, every later one fails with code
    // (a disk that stays full).
    void failAfter(long allowed, int code = SQLITE_FULL);
    // The same, but only the one write fails and later ones succeed again (a passing
    // I/O error, or a full disk that the failed transaction's journal, once removed,
    // leaves room on).
    void failOnce(long allowed, int code = SQLITE_IOERR_WRITE);
    // Writes succeed again (the disk has room again); the count goes on.
    void disarm();
    // Writes since the last failAfter() or resetCount().
    long writes() const;
    void resetCount();
    // Whether a write was refused since the last failAfter().
    bool refused() const;
};
