#include "core/update/VersionDatabase.h"

#include <algorithm>
#include <vector>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/tvDatabase.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/sqlite/WriteGuard.h"
#include "core/update/VersionInfo.h"
#include "platform/FileSystem.h"
#include "platform/SystemLog.h"

VersionDatabase::VersionDatabase() : db_(FMDatabase::databaseWithPath(std::string())) {}

VersionDatabase::~VersionDatabase() { Close(); }

bool VersionDatabase::Init(const std::string& path, bool) {
    isReady_ = false;
    Close();
    filepath_ = path;
    if (!platform::fileExists(path) && !platform::writeNewFile(path, "") && !platform::fileExists(path)) return false;
    db_ = FMDatabase::databaseWithPath(path);
    try {
        if (!db_->open()) throw VersionDatabaseError(db_->lastErrorMessage());
        verifySchema();
        update(0);
        isReady_ = true;
        return true;
    } catch (const std::exception& e) {
        platform::systemLog("Versions database " + path + ": " + e.what());
    }
    isReady_ = false;
    db_->close();
    return false;
}

void VersionDatabase::Close() {
    if (db_) db_->close();
    isReady_ = false;
}

void VersionDatabase::verifySchema() {
    bool found = false;
    int32_t version = 0;
    if (auto rs = db_->executeQuery("select version from version;")) {
        if (rs->next()) {
            found = true;
            version = rs->intForColumnIndex(0);
        }
        rs->close();
    }
    if (found && version >= 2) throw VersionDatabaseError("The versions database is for a newer program.");

    std::vector<std::string> expected;
    if (found && version == 1) expected = {"version", "versionList", "mostRecentVersion"};
    if (auto names = db_->executeQuery("select name from sqlite_master")) {
        while (names->next()) {
            const std::string name = names->stringForColumnIndex(0).value_or("");
            expected.erase(std::remove(expected.begin(), expected.end(), name), expected.end());
        }
        names->close();
    }
    if (!expected.empty()) {
        std::string reason = "The versions database lacks the tables:";
        for (const std::string& name : expected) reason += " " + name;
        throw VersionDatabaseError(reason);
    }
}

void VersionDatabase::createSchema() {
    // All of the empty schema or none of it: a failure leaves the guard's scope with a
    // throw, which rolls the transaction back.
    WriteGuard guard(*db_);
    const auto step = [&guard](bool done) {
        guard.check(done);
        if (!guard.ok()) throw VersionDatabaseError(guard.error());
    };
    step(guard.began());
    step(db_->executeUpdate("create table version (version INT);"));
    step(db_->executeUpdate("insert into version values (?);", 0));
    step(db_->executeUpdate(
        "create table versionList (year INT, efile INT, majorVers INT, updateVers INT, patchVers "
        "INT,macPatchWebPageURL TEXT, macPatchURL TEXT, macPatchFileName TEXT,winPatchWebPageURL TEXT, "
        "winPatchURL TEXT, winPatchFileName TEXT);"));
    step(db_->executeUpdate(
        "create table mostRecentVersion (majorVers INT, updateVers INT, patchVers INT,macUpdateWebPageURL "
        "TEXT, winUpdateWebPageURL TEXT);"));
    step(db_->executeUpdate("create index versionListIndex on versionList(year);"));
    step(db_->executeUpdate("update version set version = ?;", 1));
    if (!guard.commit()) throw VersionDatabaseError(guard.error());
}

void VersionDatabase::update(int32_t flag) {
    try {
        if (flag != 1) {
            const int32_t version = db_->intForQuery("select version from version;");
            if (version == 1) return;
            if (version != 0) {
                if (holdMessages_) versionWarningHeld_ = true;
                else showVersionWarning();
                return;
            }
        }
        createSchema();
    } catch (const std::exception& e) {
        // The read that follows finds no rows and says so.
        platform::systemLog("Versions database " + filepath_ + ": " + e.what());
    }
}

void VersionDatabase::showVersionWarning() {
    tvDatabase::tvMessageBox("Warning", "The database version does not match the code version.", kMessageStyleOK, "",
                             kMessageImageError, false);
}

int32_t VersionDatabase::GetVersion() {
    int32_t version = -1;
    if (auto rs = db_->executeQuery("select version from version;")) {
        if (rs->next()) version = rs->intForColumnIndex(0);
        rs->close();
    }
    return version;
}

int32_t VersionDatabase::SelectVersionInfo(VersionInfo& info, int32_t year, int32_t efile, bool showMessages) {
    const auto fault = [&] {
        if (showMessages)
            tvDatabase::tvMessageBox("Version Database Error!",
                                     "Unable to select version information. " + db_->lastErrorMessage(),
                                     kMessageStyleOK, "", kMessageImageError, false);
        return -1;
    };
    auto rs = db_->executeQuery("select * from versionList where year = (?) and efile = (?);", year, efile);
    if (!rs) return fault();
    if (!rs->next()) {
        rs->close();
        return 0;
    }
    info.setYear(year);
    info.setThisYearMajor(rs->intForColumn("majorVers"));
    info.setThisYearUpdate(rs->intForColumn("updateVers"));
    info.setThisYearPatch(rs->intForColumn("patchVers"));
    info.setPatchWebPageURL(rs->stringForColumn("macPatchWebPageURL").value_or(""));
    info.setPatchURL(rs->stringForColumn("macPatchURL").value_or(""));
    info.setPatchFileName(rs->stringForColumn("macPatchFileName").value_or(""));
    rs->close();

    auto recent = db_->executeQuery("select * from mostRecentVersion;");
    if (!recent) return fault();
    if (!recent->next()) {
        recent->close();
        return 0;
    }
    info.setMostRecentMajor(recent->intForColumn("majorVers"));
    info.setMostRecentUpdate(recent->intForColumn("updateVers"));
    info.setMostRecentPatch(recent->intForColumn("patchVers"));
    info.setUpdateWebPageURL(recent->stringForColumn("macUpdateWebPageURL").value_or(""));
    recent->close();
    return 1;
}
