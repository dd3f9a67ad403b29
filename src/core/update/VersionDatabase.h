#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

class FMDatabase;
class VersionInfo;

// A versions database that cannot be used; the message says why.
class VersionDatabaseError : public std::runtime_error {
public:
    explicit VersionDatabaseError(const std::string& reason) : std::runtime_error(reason) {}
};

// The versions database downloaded from the update server: which patch of this tax
// year's program is current and which major version is the newest. The program only
// reads it; a file without its tables receives the empty schema.
class VersionDatabase {
public:
    VersionDatabase();
    ~VersionDatabase();
    VersionDatabase(const VersionDatabase&) = delete;
    VersionDatabase& operator=(const VersionDatabase&) = delete;

    // Opens (creating when missing) the file at path and checks and completes its
    // schema. showMessages is not consulted. False for a file of a newer program, a
    // file missing tables its version promises, or one that cannot be opened.
    bool Init(const std::string& path, bool showMessages);
    void Close();
    bool IsReady() const { return isReady_; }
    const std::string& filepath() const { return filepath_; }

    // Throws VersionDatabaseError for a file of a newer program or one whose tables are
    // missing.
    void verifySchema();
    // 1: create the schema; 0: create it when the file has none. A version other than
    // 0 and 1 is shown as a warning (or held, below) and changes nothing. Failures are
    // only logged.
    void update(int32_t flag);

    // Off the window's thread nothing may be shown: with messages held, the version
    // warning is only noted, for the caller to show later on the window's thread.
    void setHoldMessages(bool hold) { holdMessages_ = hold; }
    bool versionWarningHeld() const { return versionWarningHeld_; }
    static void showVersionWarning();

    // The version row's value, -1 when there is no row.
    int32_t GetVersion();
    // Fills info from this year's row (year, e-file flag) and the newest version's row:
    // 1 when both rows were there, 0 when one was missing, -1 when the database failed
    // (shown when showMessages is set).
    int32_t SelectVersionInfo(VersionInfo& info, int32_t year, int32_t efile, bool showMessages);

private:
    void createSchema();

    bool isReady_ = false;
    bool holdMessages_ = false;
    bool versionWarningHeld_ = false;
    std::shared_ptr<FMDatabase> db_;
    std::string filepath_;
};
