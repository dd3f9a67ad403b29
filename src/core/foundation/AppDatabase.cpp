#include "core/foundation/AppDatabase.h"

#include <algorithm>

#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/databaseInfo.h"
#include "core/foundation/tvDatabase.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kCurrentVersion = 4;
constexpr const char* kProductName = "Talvexa 1099 E-File 2025";
constexpr const char* kProductVersion = "25.0.1";
constexpr const char* kConfigError = "Configuration Database Error!";
constexpr const char* kDatabaseError = "Database Error";

void showBox(const std::string& caption, const std::string& details, const std::string& title) {
    tvDatabase::tvMessageBox(caption, details, 4, title, 0x200, false);
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
R AppDatabase::guarded(R failure, const char* caption, const char* text, const char* title, F&& body,
                       bool lineBreak) {
    // Never opened: there is nothing to read or write.
    if (!db_) return failure;
    try {
        return body();
    } catch (const std::exception&) {
        if (db_ && db_->isInTransaction()) db_->rollback();
        errorBox(caption, text, title, lineBreak);
        return failure;
    }
}

void AppDatabase::errorBox(const std::string& caption, const std::string& text, const std::string& title,
                           bool lineBreak) {
    std::string details = text;
    if (lineBreak) details += "\n";
    if (db_) details += db_->lastErrorMessage();
    showBox(caption, details, title);
}

// ---------------------------------------------------------------- opening and closing

bool AppDatabase::Init(const std::string& path, bool showMessage) {
    std::string reason;
    try {
        isReady_ = false;
        Close();
        filePath_ = path;
        if (!platform::fileExists(path)) platform::writeFileAtomically(path, "");

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
    try {
        if (filePath_.empty()) return false;
        if (!db_) db_ = FMDatabase::databaseWithPath(filePath_);
        db_->open();
        dbIsOpen_ = true;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::string AppDatabase::GetPath() const {
    if (!db_) return "";
    return db_->databasePath().value_or("");
}

bool AppDatabase::verifySchema() {
    try {
        int version = 0;
        bool found = false;
        if (auto rs = db_->executeQuery("select current_version from database;")) {
            if (rs->next()) {
                found = true;
                version = rs->intForColumn("current_version");
            }
            rs->close();
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
        if (auto rs = db_->executeQuery("select name from sqlite_master")) {
            while (rs->next()) {
                const std::string name = rs->stringForColumn("name").value_or("");
                missing.erase(std::remove(missing.begin(), missing.end(), name), missing.end());
            }
            rs->close();
        }
        if (!missing.empty()) {
            std::string reason = "Invalid database schema. The following tables are missing:";
            for (const std::string& name : missing) reason += "\n    " + name;
            throw ConfigurationDatabaseError(reason);
        }
        return true;
    } catch (const ConfigurationDatabaseError&) {
        throw;
    } catch (const std::exception&) {
        throw ConfigurationDatabaseError("Unable to verify the application database.");
    }
}

void AppDatabase::runStep(int version, const std::vector<const char*>& statements) {
    try {
        db_->beginTransaction();
        // A statement that fails does not stop the step: the step still records its version.
        for (const char* sql : statements) db_->executeUpdate(sql);
        db_->executeUpdate("update database set current_version = ?;", version);
        db_->commit();
    } catch (...) {
        if (db_->isInTransaction()) db_->rollback();
        throw;
    }
}

void AppDatabase::update(bool create) {
    try {
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
            if (version < 1) throw ConfigurationDatabaseError("Invalid database version.");
        }
        if (version < 2)
            runStep(2, {"alter table preferences rename to modf_preferences",
                        "create table preferences(name TEXT, fontSize INT, fontWidth INT, fontHeight INT, "
                        "fontBaseWidth INT, custId TEXT, emailaddress TEXT, optCloudbackup INT);",
                        "drop table modf_preferences"});
        if (version < 3) runStep(3, {"alter table databaseList add column Fed_Id TEXT;"});
        if (version < 4) runStep(4, {"alter table databaseList add column Company_Name TEXT;"});
    } catch (const std::exception&) {
        // An upgrade that cannot go on leaves the file at the last version it reached.
    }
}

// ---------------------------------------------------------------- the database row

int AppDatabase::GetVersion(bool quiet) {
    const char* caption = "Unable to get the application database version. ";
    return guarded(-1, caption, caption, kDatabaseError, [&] {
        int version = -1;
        if (auto rs = db_->executeQuery("select current_version from database;")) {
            if (rs->next()) version = rs->intForColumn("current_version");
            rs->close();
        }
        if (version == -1 && !quiet) showBox(caption, "", kDatabaseError);
        return version;
    });
}

int AppDatabase::GetYear() {
    const char* caption = "Unable to get the application database version. ";
    const char* text = "Unable to get the application database version. Version not found";
    return guarded(-1, caption, text, kDatabaseError, [&] {
        int year = -1;
        bool found = false;
        db_->beginTransaction();
        if (auto rs = db_->executeQuery("select year from database;")) {
            if (rs->next()) {
                found = true;
                year = rs->intForColumn("year");
            }
            rs->close();
        }
        db_->commit();
        if (!found) {
            showBox(caption, text, kDatabaseError);
            return -1;
        }
        return year;
    });
}

bool AppDatabase::SetYear(int year) {
    return guarded(false, kDatabaseError, "Unable to set year. ", "", [&] {
        db_->executeUpdate("update database set year = ?;", year);
        return true;
    });
}

std::string AppDatabase::GetName() {
    return guarded(std::string(" "), kDatabaseError, "Unable to get the database name.", "", [&] {
        std::string name = " ";
        if (auto rs = db_->executeQuery("select name from database;")) {
            if (rs->next()) name = rs->stringForColumn("name").value_or("");
            rs->close();
        }
        return name;
    });
}

bool AppDatabase::SetName(const std::string& name) {
    return guarded(false, kDatabaseError, "Unable to set the database name.", "", [&] {
        db_->executeUpdate("update database set name = (?);", name);
        return true;
    });
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
    return guarded(false, kDatabaseError, "Unable to set in use. ", "", [&] {
        int count = readInUse(*db_) + (inUse ? 1 : -1);
        if (count < 0) count = 0;
        return SetInUse_1(count);
    });
}

bool AppDatabase::SetInUse_1(int count) {
    return guarded(false, kDatabaseError, "Unable to manually set in use. ", "", [&] {
        db_->executeUpdate("update database set in_use = ?", count);
        return true;
    });
}

int AppDatabase::GetInUse() {
    return guarded(-1, kDatabaseError, "Unable to get number of users. ", "", [&] { return readInUse(*db_); });
}

bool AppDatabase::IsInUse() {
    return guarded(false, kDatabaseError, "Unable to determine if database is in use. ", "",
                   [&] { return readInUse(*db_) > 0; });
}

bool AppDatabase::SetPriorYear(bool priorYear) {
    return guarded(false, kConfigError, "Unable to set database as a prior year. ", "", [&] {
        db_->executeUpdate("update database set isPriorYear = ?;", tvDatabase::boolToInt(priorYear));
        return true;
    });
}

// ---------------------------------------------------------------- recent database

bool AppDatabase::SetRecentDatabaseInfo(const databaseInfo& info) {
    return guarded(false, kConfigError, "Unable to set recent database. ", kProductName, [&] {
        bool exists = false;
        if (auto rs = db_->executeQuery("select path from recentDatabase;")) {
            exists = rs->next();
            rs->close();
        }
        db_->beginTransaction();
        if (exists)
            db_->executeUpdate("update recentDatabase set path = ?, name = ?, year = ?;", info.path(), info.name(),
                               info.year());
        else
            db_->executeUpdate("insert into recentDatabase (path, name, year) values (?, ?, ?);", info.path(),
                               info.name(), info.year());
        db_->commit();
        return true;
    });
}

std::optional<databaseInfo> AppDatabase::GetRecentDatabaseInfo() {
    return guarded(std::optional<databaseInfo>(), kConfigError, "Unable to get recent database. ", "", [&] {
        std::optional<databaseInfo> found;
        if (auto rs = db_->executeQuery("select * from recentDatabase;")) {
            if (rs->next()) found = listEntry(*rs);
            rs->close();
        }
        return found;
    });
}

bool AppDatabase::GetRecentDatabaseInfo(databaseInfo& info) {
    return guarded(false, kConfigError, "Unable to get recent database. ", "", [&] {
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
    return guarded(std::vector<databaseInfo>(), kConfigError, "Unable to select database list. ", "", [&] {
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
    return guarded(-1, kConfigError, "Unable to select database list. ", "", [&] {
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
    return guarded(false, kConfigError, "Unable to insert database listing. ", kProductName, [&] {
        db_->beginTransaction();
        bool listed = false;
        if (auto rs = db_->executeQuery("select * from databaseList where path = ?;", info.path())) {
            listed = rs->next();
            rs->close();
        }
        if (!listed)
            db_->executeUpdate("insert into databaseList (path, name, year, Fed_Id,Company_Name) values (?, ?, ?, ?,?);",
                               info.path(), info.name(), info.year(), info.Fed_Id(), info.CompanyName());
        db_->commit();
        return !listed;
    });
}

void AppDatabase::UpdateDatabaseInfo(const databaseInfo& info) {
    guarded(0, kConfigError, "Unable to update database listing. ", kProductName, [&] {
        db_->beginTransaction();
        db_->executeUpdate("update databaseList set Fed_Id= ?, Company_Name = ? where path = ? and year = ?;",
                           info.Fed_Id(), info.CompanyName(), info.path(), info.year());
        db_->commit();
        return 0;
    });
}

bool AppDatabase::DeleteDatabaseInfo(const databaseInfo& info) {
    return guarded(false, kConfigError, "Unable to delete database listing. ", "", [&] {
        db_->executeUpdate("delete from databaseList where path = ?;", info.path());
        return true;
    });
}

bool AppDatabase::PurgeDatabaseList(int year, bool thisYearAndLater) {
    return guarded(false, kConfigError, "Unable to purge database listings. ", "", [&] {
        if (thisYearAndLater) db_->executeUpdate("delete from databaseList where year >= ?;", year);
        else db_->executeUpdate("delete from databaseList where year != ?;", year);
        return true;
    });
}

// ---------------------------------------------------------------- last year's list

bool AppDatabase::InsertPriorYearInfo(const databaseInfo& info) {
    return guarded(false, kConfigError, "Unable to insert prior year database listing. ", "", [&] {
        bool listed = false;
        if (auto rs = db_->executeQuery("select * from priorYearList where path = ?;", info.path())) {
            listed = rs->next();
            rs->close();
        }
        if (!listed) {
            db_->beginTransaction();
            db_->executeUpdate("insert into priorYearList (path, name, year, imported) values (?, ?, ?, ?);",
                               info.path(), info.name(), info.year(), tvDatabase::boolToInt(info.imported()));
            db_->commit();
        }
        return true;
    });
}

bool AppDatabase::DeletePriorYearInfo(const databaseInfo& info) {
    return guarded(false, kConfigError, "Unable to delete priorYear database listing. ", "", [&] {
        db_->beginTransaction();
        db_->executeUpdate("delete from priorYearList where path = ?;", info.path());
        db_->commit();
        return true;
    });
}

std::vector<databaseInfo> AppDatabase::SelectPriorYearList() {
    return guarded(std::vector<databaseInfo>(), kConfigError, "Unable to select prior year database list. ",
                   kProductName, [&] {
                       std::vector<databaseInfo> list;
                       SelectPriorYearList(list);
                       return list;
                   });
}

bool AppDatabase::PurgePriorYearList() {
    return guarded(false, kConfigError, "Unable to purge database listings. ", "", [&] {
        db_->executeUpdate("delete from priorYearList;");
        return true;
    });
}

// ---------------------------------------------------------------- folder paths

bool AppDatabase::SaveFolderPath(int folderType, const std::string& path) {
    return guarded(false, kConfigError, "Unable to save folder path. ", kProductName, [&] {
        if (db_->intForQuery("select count(*) from folderPaths where folderType = ?;", folderType) > 0)
            db_->executeUpdate("update folderPaths set pathString = ? where folderType = ?;", path, folderType);
        else
            db_->executeUpdate("insert into folderPaths (folderType, pathString) values (?, ?);", folderType, path);
        return true;
    });
}

int AppDatabase::LoadFolderPath(int folderType, std::string& path) {
    return guarded(-1, kConfigError, "Unable to load folder path. ", kProductName, [&] {
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
    return guarded(
        false, kConfigError, "Unable to insert preferences info. ", "",
        [&] {
            const std::string email = tvDatabase::Encrypt(info.Emailaddress());
            const std::string customer = tvDatabase::Encrypt(info.CustomerId());
            db_->beginTransaction();
            bool enrolled = false;
            if (auto rs = db_->executeQuery("select * from preferences where optCloudbackup = ?;", info.CloudCheck())) {
                enrolled = rs->next();
                rs->close();
            }
            if (enrolled)
                db_->executeUpdate("update preferences set custId = ?, emailaddress = ?, optCloudbackup = ?;", customer,
                                   email, info.CloudCheck());
            else
                db_->executeUpdate("insert into preferences (custId, emailaddress, optCloudbackup) values (?, ?, ?);",
                                   customer, email, info.CloudCheck());
            db_->commit();
            return true;
        },
        false);
}

int AppDatabase::GetCloudBackupInfo(databaseInfo& info) {
    return guarded(-1, kConfigError, "Unable to select from  preferences database. ", kProductName, [&] {
        CloudRow row = firstCloudRow(*db_, "select * from preferences");
        if (!row.found) return 0;
        info.setCloudCheck(row.optCloudbackup);
        info.setCustomerId(tvDatabase::Decrypt(row.custId));
        info.setEmailaddress(tvDatabase::Decrypt(row.emailaddress));
        return -1;
    });
}

bool AppDatabase::DeleteCloudBackupInfo(const databaseInfo& info) {
    guarded(
        false, kConfigError, "Unable to delete Preference info. ", kProductName,
        [&] {
            db_->beginTransaction();
            bool enrolled = false;
            if (auto rs = db_->executeQuery("select * from preferences where optCloudbackup = ?;", info.CloudCheck())) {
                enrolled = rs->next();
                rs->close();
            }
            if (enrolled) db_->executeUpdate("delete from preferences where optCloudbackup = ?;", info.CloudCheck());
            db_->commit();
            return false;
        },
        false);
    return false;
}

bool AppDatabase::SelectCloudBackup() {
    return guarded(false, kConfigError, "Unable to select from  preferences database. ", "", [&] {
        CloudRow row = firstCloudRow(*db_, "select * from preferences ;");
        return row.found && row.optCloudbackup == 1;
    });
}

std::string AppDatabase::SelectCloudCustomerId() {
    return guarded(std::string(), kConfigError, "Unable to select from  preferences database. ", kProductName, [&] {
        CloudRow row = firstCloudRow(*db_, "select * from preferences ;");
        return row.found ? tvDatabase::Decrypt(row.custId) : std::string();
    });
}

std::string AppDatabase::SelectCloudEmailAddress() {
    return guarded(std::string(), kConfigError, "Unable to select from  preferences database. ", kProductName, [&] {
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
    guarded(0, kDatabaseError, "Unable to set the application database version", "", [&] {
        db_->beginTransaction();
        if (db_->executeUpdate("update database set current_version = ?;", version)) {
            db_->commit();
        } else {
            const std::string error = db_->lastErrorMessage();
            db_->rollback();
            showBox(kDatabaseError, "Unable to set the application database version\n" + error, "");
        }
        return 0;
    });
}

void AppDatabase::CopyDatabase(const std::string&) {}

void AppDatabase::SelectDatabaseList(std::vector<databaseInfo>& list) {
    guarded(0, kConfigError, "Unable to select database list. ", "", [&] {
        if (auto rs = db_->executeQuery("select * from databaseList order by year desc, name;")) {
            while (rs->next()) {
                databaseInfo info = listEntry(*rs);
                info.setCompanyName(rs->stringForColumn("Company_Name").value_or(""));
                list.push_back(std::move(info));
            }
            rs->close();
        }
        return 0;
    });
}

void AppDatabase::InsertFolderInfo(int folderType, int vRefNum, int parID) {
    guarded(0, kConfigError, "Unable to set recent database. ", "", [&] {
        if (auto rs = db_->executeQuery("select * from folderpath;")) rs->close();
        db_->executeUpdate("update tempFileLocation set folderType = ?, vRefNum = ?, parID = ?;", folderType, vRefNum,
                           parID);
        return 0;
    });
}

void AppDatabase::InsertPreferenceInfo(const databaseInfo& info) {
    guarded(0, kConfigError, "Unable to insert preferences info. ", "", [&] {
        if (auto rs = db_->executeQuery("select * from preferences where optCloudbackup = " +
                                        std::to_string(info.CloudCheck())))
            rs->close();
        return 0;
    });
}

void AppDatabase::FillPreferenceInfo(const databaseInfo&) {
    guarded(0, kConfigError, "Unable to select from  preferences database. ", "", [&] {
        if (auto rs = db_->executeQuery("select * from preferences;")) rs->close();
        return 0;
    });
}

void AppDatabase::DeletePreferenceInfo(const databaseInfo& info) {
    guarded(0, kConfigError, "Unable to delete Preference info. ", "", [&] {
        db_->executeUpdate("select * from preferences where optCloudbackup =? ", info.CloudCheck());
        return 0;
    });
}

void AppDatabase::SelectPreferenceInfo(databaseInfo& info) {
    guarded(0, kConfigError, "Unable to select from  preferences database. ", "", [&] {
        if (auto rs = db_->executeQuery("select * from preferences;")) {
            while (rs->next()) {
                info.setCloudCheck(rs->intForColumn("optCloudbackup"));
                info.setCustomerId(tvDatabase::Decrypt(rs->stringForColumn("custId").value_or("")));
                info.setEmailaddress(tvDatabase::Decrypt(rs->stringForColumn("emailaddress").value_or("")));
            }
            rs->close();
        }
        return 0;
    });
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
    guarded(0, kConfigError, "Unable to purge frame information. ", "", [&] {
        db_->executeUpdate("delete from frameInfo;");
        return 0;
    });
}

bool AppDatabase::CanAccessFile(const std::string& path, bool showMessage, const std::string& headline,
                                const std::string& leadIn) {
    return tvDatabase::CanAccessFile(path, showMessage, headline, leadIn);
}
