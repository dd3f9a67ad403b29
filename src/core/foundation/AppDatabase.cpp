#include "core/foundation/AppDatabase.h"

#include <algorithm>

#include <sqlite3.h>

#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/databaseInfo.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/tvDatabase.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/sqlite/WriteGuard.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kCurrentVersion = 4;
constexpr const char* kProductName = "Talvexa 1099 E-File 2025";
constexpr const char* kProductVersion = "25.0.1";
constexpr const char* kConfigError = "Configuration Database Error!";
constexpr const char* kDatabaseError = "Database Error";

void showBox(const std::string& caption, const std::string& details, const std::string& title) {
    tvDatabase::tvMessageBox(caption, details, kMessageStyleOK, title, kMessageImageError, false);
}

databaseInfo listEntry(FMResultSet& rs) {
    databaseInfo info;
    info.setPath(rs.stringForColumn("path").value_or(""));
    info.setName(rs.stringForColumn("name").value_or(""));
    info.setYear(rs.intForColumn("year"));
    info.setImported(false);
    return info;
}

}  // namespace

AppDatabase::AppDatabase() = default;

AppDatabase::~AppDatabase() {
    if (db_) db_->close();
}

template <typename R, typename F>
R AppDatabase::guarded(R failure, F&& body) {
    // Never opened: there is nothing to read or write.
    if (!db_) return failure;
    return body();
}

template <typename F>
bool AppDatabase::write(const char* caption, const char* text, const char* title, F&& body, bool lineBreak) {
    // Never opened, or closed: nothing is stored, and the result says so.
    if (!db_ || !db_->isOpen()) return false;
    return runWrite(
        *db_, [&](WriteGuard&) { return body(); },
        [&](const std::string& reason) { errorBox(caption, text, title, lineBreak, reason); });
}

void AppDatabase::errorBox(const std::string& caption, const std::string& text, const std::string& title,
                           bool lineBreak, const std::string& reason) {
    std::string details = text;
    if (lineBreak) details += "\n";
    details += reason;
    showBox(caption, details, title);
}

// ---------------------------------------------------------------- opening and closing

bool AppDatabase::Init(const std::string& path, bool showMessage) {
    std::string reason;
    try {
        isReady_ = false;
        Close();
        filePath_ = path;
        // Made new, never over a file that appeared meanwhile (SQLite opens that one as it is).
        if (!platform::fileExists(path)) (void)platform::writeNewFile(path, "");

        db_ = FMDatabase::databaseWithPath(path);
        // A file that cannot be opened or read as a database is a failure, never a
        // fresh configuration database.
        if (!db_->open()) throw ConfigurationDatabaseError(db_->lastErrorMessage());
        auto rs = db_->executeQuery("select count(*) from sqlite_master where name =?;", "database");
        if (!rs) throw ConfigurationDatabaseError(db_->lastErrorMessage());
        const int count = rs->next() ? rs->intForColumnIndex(0) : 0;
        rs->close();

        if (count == 0) {
            update(true);
        } else {
            verifySchema();
            update(false);
        }
        isReady_ = true;
        return true;
    } catch (const std::exception& e) {
        reason = e.what();
    }
    if (showMessage) showBox("Unable to initialize the Configuration Database.", reason, "");
    isReady_ = false;
    if (db_) db_->close();
    return false;
}

void AppDatabase::Close() {
    if (db_) db_->close();
    isReady_ = false;
}

bool AppDatabase::fileOpen(bool) {
    if (filePath_.empty()) return false;
    if (!db_) db_ = FMDatabase::databaseWithPath(filePath_);
    if (!db_->open()) return false;
    dbIsOpen_ = true;
    return true;
}

std::string AppDatabase::GetPath() const {
    if (!db_) return "";
    return db_->databasePath().value_or("");
}

bool AppDatabase::verifySchema() {
    // A read that fails for a reason other than the statement itself (a lock, a damaged
    // page) is not a missing row: the file could not be checked at all.
    const auto unverified = [this] {
        return ConfigurationDatabaseError("Unable to verify the application database.\n" + db_->lastErrorMessage());
    };
    int version = 0;
    bool found = false;
    if (auto rs = db_->executeQuery("select current_version from database;")) {
        if (rs->next()) {
            found = true;
            version = rs->intForColumn("current_version");
        }
        rs->close();
    } else if (db_->lastErrorCode() != SQLITE_ERROR) {
        throw unverified();
    }
    if (!found || version <= 0)
        throw ConfigurationDatabaseError(
            "Invalid database version. Database does not appear to be a valid Talvexa 1099 Configuration "
            "Database.");
    if (version > kCurrentVersion)
        throw ConfigurationDatabaseError(
            std::string("Invalid database version. Database is for a newer version of Talvexa 1099.\n\n"
                        "            To resolve this issue, please make sure you are running the most recent "
                        "version of ") +
            kProductName + ".\n\nNOTE: You are currently running " + kProductName + " version " +
            kProductVersion + ".");

    std::vector<std::string> missing = {"database",      "folderPaths", "databaseList", "recentDatabase",
                                        "priorYearList", "preferences", "frameInfo"};
    auto names = db_->executeQuery("select name from sqlite_master");
    if (!names) throw unverified();
    while (names->next()) {
        const std::string name = names->stringForColumn("name").value_or("");
        missing.erase(std::remove(missing.begin(), missing.end(), name), missing.end());
    }
    names->close();
    if (!missing.empty()) {
        std::string reason = "Invalid database schema. The following tables are missing:";
        for (const std::string& name : missing) reason += "\n    " + name;
        throw ConfigurationDatabaseError(reason);
    }
    return true;
}

void AppDatabase::runStep(int version, const std::vector<const char*>& statements) {
    std::string failure;
    const bool stored = runWrite(
        *db_,
        [&](WriteGuard&) {
            for (const char* sql : statements) {
                // A statement that fails (a table or column that is already there) does not
                // stop the step, unless SQLite gave up the whole transaction with it.
                if (!db_->executeUpdate(sql) && !db_->isInTransaction()) return false;
            }
            return db_->executeUpdate("update database set current_version = ?;", version);
        },
        [&](const std::string& reason) { failure = reason; });
    if (!stored)
        throw ConfigurationDatabaseError("Unable to upgrade the configuration database to version " +
                                         std::to_string(version) + ":\n\n    " + filePath_ + "\n\n" + failure);
}

void AppDatabase::update(bool create) {
    int version;
    if (create) {
        runStep(1, {"create table database (pk INT PRIMARY KEY, current_version INT, in_use INT, year INT, "
                    "name TEXT, isPriorYear INT);",
                    "insert into database values (0, 0, 0, 0, '', 0);",
                    "create table recentDatabase (path TEXT, name TEXT, year INT);",
                    "create table databaseList (path TEXT, name TEXT, year INT);",
                    "create table folderPaths (folderType INT, pathString TEXT, vRefNum INT, parID INT);",
                    "create table priorYearList(path TEXT, name TEXT, year INT, imported INT);",
                    "create table preferences (name TEXT, fontSize INT, fontWidth INT, fontHeight INT, "
                    "fontBaseWidth INT);",
                    "create table frameInfo (title TEXT, xPos INT, yPos INT, width INT, height INT);"});
        version = 1;
    } else {
        version = GetVersion(true);
        // A file without a usable version is not ours to change (the schema check
        // refuses it before this).
        if (version < 1) return;
    }
    if (version < 2)
        runStep(2, {"alter table preferences rename to modf_preferences",
                    "create table preferences(name TEXT, fontSize INT, fontWidth INT, fontHeight INT, "
                    "fontBaseWidth INT, custId TEXT, emailaddress TEXT, optCloudbackup INT);",
                    "drop table modf_preferences"});
    if (version < 3) runStep(3, {"alter table databaseList add column Fed_Id TEXT;"});
    if (version < 4) runStep(4, {"alter table databaseList add column Company_Name TEXT;"});
}

// ---------------------------------------------------------------- the database row

int AppDatabase::GetVersion(bool quiet) {
    return guarded(-1, [&] {
        int version = -1;
        if (auto rs = db_->executeQuery("select current_version from database;")) {
            if (rs->next()) version = rs->intForColumn("current_version");
            rs->close();
        }
        if (version == -1 && !quiet) showBox("Unable to get the application database version. ", "", kDatabaseError);
        return version;
    });
}

int AppDatabase::GetYear() {
    return guarded(-1, [&] {
        // One statement reads a consistent row by itself; a transaction of its own would
        // only end a caller's.
        int year = -1;
        bool found = false;
        if (auto rs = db_->executeQuery("select year from database;")) {
            if (rs->next()) {
                found = true;
                year = rs->intForColumn("year");
            }
            rs->close();
        }
        if (!found) {
            showBox("Unable to get the application database version. ",
                    "Unable to get the application database version. Version not found", kDatabaseError);
            return -1;
        }
        return year;
    });
}

bool AppDatabase::SetYear(int year) {
    return write(kDatabaseError, "Unable to set year. ", "",
                 [&] { return db_->executeUpdate("update database set year = ?;", year); });
}

std::string AppDatabase::GetName() {
    return guarded(std::string(" "), [&] {
        std::string name = " ";
        if (auto rs = db_->executeQuery("select name from database;")) {
            if (rs->next()) name = rs->stringForColumn("name").value_or("");
            rs->close();
        }
        return name;
    });
}

bool AppDatabase::SetName(const std::string& name) {
    return write(kDatabaseError, "Unable to set the database name.", "",
                 [&] { return db_->executeUpdate("update database set name = (?);", name); });
}

namespace {
int readInUse(FMDatabase& db) {
    int inUse = -1;
    if (auto rs = db.executeQuery("select in_use from database;")) {
        if (rs->next()) inUse = rs->intForColumn("in_use");
        rs->close();
    }
    return inUse;
}
}  // namespace

bool AppDatabase::SetInUse(bool inUse) {
    return guarded(false, [&] {
        int count = readInUse(*db_) + (inUse ? 1 : -1);
        if (count < 0) count = 0;
        return SetInUse_1(count);
    });
}

bool AppDatabase::SetInUse_1(int count) {
    return write(kDatabaseError, "Unable to manually set in use. ", "",
                 [&] { return db_->executeUpdate("update database set in_use = ?", count); });
}

int AppDatabase::GetInUse() {
    return guarded(-1, [&] { return readInUse(*db_); });
}

bool AppDatabase::IsInUse() {
    return guarded(false, [&] { return readInUse(*db_) > 0; });
}

bool AppDatabase::SetPriorYear(bool priorYear) {
    return write(kConfigError, "Unable to set database as a prior year. ", "", [&] {
        return db_->executeUpdate("update database set isPriorYear = ?;", tvDatabase::boolToInt(priorYear));
    });
}

// ---------------------------------------------------------------- recent database

bool AppDatabase::SetRecentDatabaseInfo(const databaseInfo& info) {
    return write(kConfigError, "Unable to set recent database. ", kProductName, [&] {
        auto rs = db_->executeQuery("select path from recentDatabase;");
        if (!rs) return false;
        const bool exists = rs->next();
        rs->close();
        if (exists)
            return db_->executeUpdate("update recentDatabase set path = ?, name = ?, year = ?;", info.path(),
                                      info.name(), info.year());
        return db_->executeUpdate("insert into recentDatabase (path, name, year) values (?, ?, ?);", info.path(),
                                  info.name(), info.year());
    });
}

std::optional<databaseInfo> AppDatabase::GetRecentDatabaseInfo() {
    return guarded(std::optional<databaseInfo>(), [&] {
        std::optional<databaseInfo> found;
        if (auto rs = db_->executeQuery("select * from recentDatabase;")) {
            if (rs->next()) found = listEntry(*rs);
            rs->close();
        }
        return found;
    });
}

bool AppDatabase::GetRecentDatabaseInfo(databaseInfo& info) {
    return guarded(false, [&] {
        bool found = false;
        if (auto rs = db_->executeQuery("select * from recentDatabase;")) {
            if (rs->next()) {
                info.setPath(rs->stringForColumn("path").value_or(""));
                info.setName(rs->stringForColumn("name").value_or(""));
                info.setYear(rs->intForColumn("year"));
                info.setImported(false);
                found = true;
            }
            rs->close();
        }
        return found;
    });
}

// ---------------------------------------------------------------- database list

std::vector<databaseInfo> AppDatabase::SelectDatabaseList() {
    return guarded(std::vector<databaseInfo>(), [&] {
        std::vector<databaseInfo> list;
        if (auto rs = db_->executeQuery("select * from databaseList order by year desc, name;")) {
            while (rs->next()) {
                databaseInfo info = listEntry(*rs);
                info.setFed_Id(rs->stringForColumn("Fed_Id").value_or(""));
                info.setCompanyName(rs->stringForColumn("Company_Name").value_or(""));
                list.push_back(std::move(info));
            }
            rs->close();
        }
        return list;
    });
}

int AppDatabase::SelectDatabaseInfo(databaseInfo& info, const std::string& name) {
    return guarded(-1, [&] {
        int used = 0;
        if (auto rs = db_->executeQuery("select * from databaseList where name = ?;", name)) {
            while (rs->next()) {
                const int year = rs->intForColumn("year");
                if (year < 0) continue;
                info.setPath(rs->stringForColumn("path").value_or(""));
                info.setName(rs->stringForColumn("name").value_or(""));
                info.setCompanyName(rs->stringForColumn("Company_Name").value_or(""));
                info.setYear(year);
                info.setImported(false);
                used = 1;
            }
            rs->close();
        }
        return used;
    });
}

bool AppDatabase::InsertDatabaseInfo(const databaseInfo& info) {
    bool listed = false;
    const bool stored = write(kConfigError, "Unable to insert database listing. ", kProductName, [&] {
        auto rs = db_->executeQuery("select * from databaseList where path = ?;", info.path());
        if (!rs) return false;
        listed = rs->next();
        rs->close();
        return listed ||
               db_->executeUpdate("insert into databaseList (path, name, year, Fed_Id,Company_Name) values (?, ?, ?, "
                                  "?,?);",
                                  info.path(), info.name(), info.year(), info.Fed_Id(), info.CompanyName());
    });
    return stored && !listed;
}

void AppDatabase::UpdateDatabaseInfo(const databaseInfo& info) {
    // The failure is shown to the user; the operation has no result to give.
    (void)write(kConfigError, "Unable to update database listing. ", kProductName, [&] {
        return db_->executeUpdate("update databaseList set Fed_Id= ?, Company_Name = ? where path = ? and year = ?;",
                                  info.Fed_Id(), info.CompanyName(), info.path(), info.year());
    });
}

bool AppDatabase::DeleteDatabaseInfo(const databaseInfo& info) {
    return write(kConfigError, "Unable to delete database listing. ", "",
                 [&] { return db_->executeUpdate("delete from databaseList where path = ?;", info.path()); });
}

bool AppDatabase::PurgeDatabaseList(int year, bool thisYearAndLater) {
    return write(kConfigError, "Unable to purge database listings. ", "", [&] {
        if (thisYearAndLater) return db_->executeUpdate("delete from databaseList where year >= ?;", year);
        return db_->executeUpdate("delete from databaseList where year != ?;", year);
    });
}

// ---------------------------------------------------------------- last year's list

bool AppDatabase::InsertPriorYearInfo(const databaseInfo& info) {
    return write(kConfigError, "Unable to insert prior year database listing. ", "", [&] {
        auto rs = db_->executeQuery("select * from priorYearList where path = ?;", info.path());
        if (!rs) return false;
        const bool listed = rs->next();
        rs->close();
        return listed ||
               db_->executeUpdate("insert into priorYearList (path, name, year, imported) values (?, ?, ?, ?);",
                                  info.path(), info.name(), info.year(), tvDatabase::boolToInt(info.imported()));
    });
}

bool AppDatabase::DeletePriorYearInfo(const databaseInfo& info) {
    return write(kConfigError, "Unable to delete priorYear database listing. ", "",
                 [&] { return db_->executeUpdate("delete from priorYearList where path = ?;", info.path()); });
}

std::vector<databaseInfo> AppDatabase::SelectPriorYearList() {
    std::vector<databaseInfo> list;
    SelectPriorYearList(list);
    return list;
}

bool AppDatabase::PurgePriorYearList() {
    return write(kConfigError, "Unable to purge database listings. ", "",
                 [&] { return db_->executeUpdate("delete from priorYearList;"); });
}

// ---------------------------------------------------------------- folder paths

bool AppDatabase::SaveFolderPath(int folderType, const std::string& path) {
    return write(kConfigError, "Unable to save folder path. ", kProductName, [&] {
        if (db_->intForQuery("select count(*) from folderPaths where folderType = ?;", folderType) > 0)
            return db_->executeUpdate("update folderPaths set pathString = ? where folderType = ?;", path,
                                      folderType);
        return db_->executeUpdate("insert into folderPaths (folderType, pathString) values (?, ?);", folderType,
                                  path);
    });
}

int AppDatabase::LoadFolderPath(int folderType, std::string& path) {
    return guarded(-1, [&] {
        int found = 0;
        if (auto rs = db_->executeQuery("select * from folderPaths where folderType = ?;", folderType)) {
            if (rs->next()) {
                path = rs->stringForColumn("pathString").value_or("");
                found = 1;
            }
            rs->close();
        }
        return found;
    });
}

// ---------------------------------------------------------------- cloud-backup enrolment

namespace {
struct CloudRow {
    bool found = false;
    int optCloudbackup = 0;
    std::string custId, emailaddress;
};

CloudRow firstCloudRow(FMDatabase& db, const char* sql) {
    CloudRow row;
    if (auto rs = db.executeQuery(sql)) {
        if (rs->next()) {
            row.found = true;
            row.optCloudbackup = rs->intForColumn("optCloudbackup");
            row.custId = rs->stringForColumn("custId").value_or("");
            row.emailaddress = rs->stringForColumn("emailaddress").value_or("");
        }
        rs->close();
    }
    return row;
}
}  // namespace

bool AppDatabase::InsertCloudBackupInfo(const databaseInfo& info) {
    const std::string email = tvDatabase::Encrypt(info.Emailaddress());
    const std::string customer = tvDatabase::Encrypt(info.CustomerId());
    return write(
        kConfigError, "Unable to insert preferences info. ", "",
        [&] {
            auto rs = db_->executeQuery("select * from preferences where optCloudbackup = ?;", info.CloudCheck());
            if (!rs) return false;
            const bool enrolled = rs->next();
            rs->close();
            if (enrolled)
                return db_->executeUpdate("update preferences set custId = ?, emailaddress = ?, optCloudbackup = ?;",
                                          customer, email, info.CloudCheck());
            return db_->executeUpdate("insert into preferences (custId, emailaddress, optCloudbackup) values (?, ?, ?);",
                                      customer, email, info.CloudCheck());
        },
        false);
}

int AppDatabase::GetCloudBackupInfo(databaseInfo& info) {
    return guarded(-1, [&] {
        CloudRow row = firstCloudRow(*db_, "select * from preferences");
        if (!row.found) return 0;
        info.setCloudCheck(row.optCloudbackup);
        info.setCustomerId(tvDatabase::Decrypt(row.custId));
        info.setEmailaddress(tvDatabase::Decrypt(row.emailaddress));
        return -1;
    });
}

bool AppDatabase::DeleteCloudBackupInfo(const databaseInfo& info) {
    // The operation answers false whether or not a row went; a failure is shown.
    (void)write(
        kConfigError, "Unable to delete Preference info. ", kProductName,
        [&] {
            auto rs = db_->executeQuery("select * from preferences where optCloudbackup = ?;", info.CloudCheck());
            if (!rs) return false;
            const bool enrolled = rs->next();
            rs->close();
            return !enrolled || db_->executeUpdate("delete from preferences where optCloudbackup = ?;", info.CloudCheck());
        },
        false);
    return false;
}

bool AppDatabase::SelectCloudBackup() {
    return guarded(false, [&] {
        CloudRow row = firstCloudRow(*db_, "select * from preferences ;");
        return row.found && row.optCloudbackup == 1;
    });
}

std::string AppDatabase::SelectCloudCustomerId() {
    return guarded(std::string(), [&] {
        CloudRow row = firstCloudRow(*db_, "select * from preferences ;");
        return row.found ? tvDatabase::Decrypt(row.custId) : std::string();
    });
}

std::string AppDatabase::SelectCloudEmailAddress() {
    return guarded(std::string(), [&] {
        CloudRow row = firstCloudRow(*db_, "select * from preferences");
        return row.found ? tvDatabase::Decrypt(row.emailaddress) : std::string();
    });
}

// ---------------------------------------------------------------- scrambling

std::string AppDatabase::XOR_Encryption(const std::string& text) {
    static const char kKey[] = "lunPorTiSelvaz?";
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size() * 2);
    // Every byte is scrambled, so text beyond ASCII is kept whole rather than cut.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char v = static_cast<unsigned char>(text[i]) ^ (static_cast<unsigned char>(kKey[i % 8]) & 0x78);
        out += kHex[v >> 4];
        out += kHex[v & 0x0F];
    }
    return out;
}

// ---------------------------------------------------------------- older operations

void AppDatabase::setVersion(int version) {
    // Nothing calls this any more; a failure is shown like the other writes.
    (void)write(kDatabaseError, "Unable to set the application database version", "",
                [&] { return db_->executeUpdate("update database set current_version = ?;", version); });
}

void AppDatabase::CopyDatabase(const std::string&) {}

void AppDatabase::SelectDatabaseList(std::vector<databaseInfo>& list) {
    if (!db_) return;
    if (auto rs = db_->executeQuery("select * from databaseList order by year desc, name;")) {
        while (rs->next()) {
            databaseInfo info = listEntry(*rs);
            info.setCompanyName(rs->stringForColumn("Company_Name").value_or(""));
            list.push_back(std::move(info));
        }
        rs->close();
    }
}

void AppDatabase::InsertFolderInfo(int folderType, int vRefNum, int parID) {
    if (!db_) return;
    if (auto rs = db_->executeQuery("select * from folderpath;")) rs->close();
    // No schema has ever had this table: the statement always fails and changes nothing.
    (void)db_->executeUpdate("update tempFileLocation set folderType = ?, vRefNum = ?, parID = ?;", folderType,
                             vRefNum, parID);
}

void AppDatabase::InsertPreferenceInfo(const databaseInfo& info) {
    if (!db_) return;
    if (auto rs = db_->executeQuery("select * from preferences where optCloudbackup = " +
                                    std::to_string(info.CloudCheck())))
        rs->close();
}

void AppDatabase::FillPreferenceInfo(const databaseInfo&) {
    if (!db_) return;
    if (auto rs = db_->executeQuery("select * from preferences;")) rs->close();
}

void AppDatabase::DeletePreferenceInfo(const databaseInfo& info) {
    if (!db_) return;
    // A query run as an update: it changes nothing whatever its result.
    (void)db_->executeUpdate("select * from preferences where optCloudbackup =? ", info.CloudCheck());
}

void AppDatabase::SelectPreferenceInfo(databaseInfo& info) {
    if (!db_) return;
    if (auto rs = db_->executeQuery("select * from preferences;")) {
        while (rs->next()) {
            info.setCloudCheck(rs->intForColumn("optCloudbackup"));
            info.setCustomerId(tvDatabase::Decrypt(rs->stringForColumn("custId").value_or("")));
            info.setEmailaddress(tvDatabase::Decrypt(rs->stringForColumn("emailaddress").value_or("")));
        }
        rs->close();
    }
}

void AppDatabase::SelectPriorYearList(std::vector<databaseInfo>& list) {
    if (!db_) return;
    if (auto rs = db_->executeQuery("select * from priorYearList order by year desc, name;")) {
        while (rs->next()) {
            databaseInfo info = listEntry(*rs);
            info.setImported(tvDatabase::intToBool(rs->intForColumn("imported")));
            list.push_back(std::move(info));
        }
        rs->close();
    }
}

void AppDatabase::PurgeFrameInfo() {
    // Nothing calls this any more; a failure is shown like the other writes.
    (void)write(kConfigError, "Unable to purge frame information. ", "",
                [&] { return db_->executeUpdate("delete from frameInfo;"); });
}

bool AppDatabase::CanAccessFile(const std::string& path, bool showMessage, const std::string& headline,
                                const std::string& leadIn) {
    return tvDatabase::CanAccessFile(path, showMessage, headline, leadIn);
}
