#include "core/store/CompanyDatabase.h"

#include <chrono>
#include <exception>
#include <random>

#include "core/foundation/Session.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/CompanyDatabaseUpgradeSteps.h"
#include "platform/FileSystem.h"

namespace {

constexpr const char* kErrorCaption = "Company Database Error!";

std::string describe(const std::exception& e) { return e.what(); }

// The version row as stored: no value when the table or its row is missing.
std::optional<int32_t> storedVersion(FMDatabase& db) {
    auto rs = db.executeQuery("select current_version from database;");
    if (!rs) return std::nullopt;
    std::optional<int32_t> version;
    if (rs->next()) version = rs->intForColumnIndex(0);
    rs->close();
    return version;
}

}  // namespace

CompanyDatabase::CompanyDatabase() : db(FMDatabase::databaseWithPath(std::nullopt)) {
    session().CompanyDeleted = 0;
}

CompanyDatabase::~CompanyDatabase() = default;

bool CompanyDatabase::Init(const std::string& path, bool checkInUseArg, bool, bool verify, const std::string&) {
    isReady = false;
    checkInUse = checkInUseArg;
    try {
        Close();
        filePath = path;
        // The process's current folder is left alone: nothing depends on it.
        if (!platform::fileExists(path)) platform::writeFileAtomically(path, "");
        db = FMDatabase::databaseWithPath(path);
        bool opened = db->open();
        int32_t mark = GetInUseCount();

        auto rs = db->executeQuery("select count(*) from sqlite_master where name =?;", "database");
        if (!opened || !rs) {
            // Not a file this program can open (a folder, no permission, not a database).
            if (rs) rs->close();
            Close();
            return false;
        }
        int32_t tables = rs->next() ? rs->intForColumnIndex(0) : 0;
        rs->close();

        if (tables == 0) {
            update(true);
        } else if (verify) {
            std::optional<int32_t> version = storedVersion(*db);
            verifySchema();
            update(false);
            if (version && (*version > companydb_upgrade::kCurrentVersion || *version < 0)) {
                // Written by another version of the program: the file is left as it is.
                Close();
                return false;
            }
        }

        if (mark < 0 && checkInUseArg) CheckInUse();
        isReady = true;
        if (checkInUseArg) SetInUse(1);
        return true;
    } catch (...) {
        db->rollback();
        db->commit();
        isReady = false;
        Close();
        return false;
    }
}

void CompanyDatabase::Close() {
    if (checkInUse && isReady) SetInUse(0);
    db->close();
    dbIsOpen = false;
    isReady = false;
}

void CompanyDatabase::verifySchema() {
    std::optional<int32_t> version = storedVersion(*db);
    if (!version || *version <= 0) {
        tvDatabase::tvMessageBox(
            kErrorCaption,
            "Invalid database version. Database does not appear to be a Talvexa 1099 Company Database.\n\n"
            "          To resolve this issue, please make sure you are @trying to access the correct database or "
            "database backup.\n" +
                db->lastErrorMessage(),
            4, "Talvexa Erropr", 512, false);
        return;
    }
    if (*version > companydb_upgrade::kCurrentVersion) {
        std::string text =
            "Invalid database version. Database is for a newer version of Talvexa 1099.\n\n"
            "            To resolve this issue, please make sure you are running the most recent version of";
        text += "Talvexa 1099 E-File 2025";
        text += "and make sure you are trying to access the correct database or database backup.\n\n If you are "
                "trying to access";
        text += std::to_string(companydb_upgrade::kFileYear + 1);
        text += "information, please exit ";
        text += "Talvexa 1099 E-File 2025";
        text += "version";
        text += "25.0.1";
        tvDatabase::tvMessageBox(kErrorCaption, text, 4, "Talvexa Erropr", 512, false);
    }
}

bool CompanyDatabase::IsReady() { return isReady; }

std::string CompanyDatabase::GetPath() { return db->databasePath().value_or(""); }

bool CompanyDatabase::SetName(const std::string& name) {
    try {
        db->beginTransaction();
        db->executeUpdate("update database set name = ?;", name);
        db->commit();
        return true;
    } catch (const std::exception& e) {
        DatabaseError(-1, "Unable to set the database name.", describe(e), true, true);
        return false;
    }
}

std::string CompanyDatabase::GetName() {
    std::string name;
    try {
        db->beginTransaction();
        if (auto rs = db->executeQuery("select name from database;")) {
            if (rs->next()) name = rs->stringForColumn("name").value_or("");
            rs->close();
        }
        db->commit();
    } catch (const std::exception& e) {
        DatabaseError(-1, "Unable to get the database name.", describe(e), true, true);
    }
    return name;
}

bool CompanyDatabase::SetYear(int32_t year) {
    try {
        db->beginTransaction();
        db->executeUpdate("update database set year = ?;", year);
        db->commit();
        return true;
    } catch (const std::exception& e) {
        DatabaseError(-1, "Unable to set the database year.", describe(e), true, true);
        return false;
    }
}

int32_t CompanyDatabase::GetYear() {
    try {
        return db->intForQuery("select year from database;");
    } catch (const std::exception& e) {
        DatabaseError(-1, "Unable to get the database year.", describe(e), true, true);
        return 0;
    }
}

bool CompanyDatabase::SetID(int32_t id) {
    try {
        if (id == 0) {
            std::random_device device;
            id = static_cast<int32_t>(device() & 0x7fffffff);
            if (id == 0) id = 1;
        }
        db->beginTransaction();
        // The information table keeps no id; the statement fails and changes nothing.
        db->executeUpdate("update database set id = ?;", id);
        db->commit();
        return true;
    } catch (const std::exception& e) {
        DatabaseError(-1, "Unable to set the database ID.", describe(e), true, true);
        return false;
    }
}

int32_t CompanyDatabase::GetID() {
    int32_t id = 0;
    try {
        if (auto rs = db->executeQuery("select id from database;")) {
            if (rs->next()) id = rs->intForColumn("id");
            rs->close();
        }
    } catch (const std::exception& e) {
        DatabaseError(-1, "Unable to get the database ID.", describe(e), true, true);
    }
    return id;
}

void CompanyDatabase::SetInUse(int32_t value) {
    try {
        db->executeUpdate("update database set in_use = ?;", value < 0 ? 0 : value);
    } catch (const std::exception& e) {
        DatabaseError(-1, "Unable to set the database 'in use' flag.", describe(e), false, true);
    }
}

int32_t CompanyDatabase::GetInUseCount() {
    int32_t count = -1;
    try {
        if (auto rs = db->executeQuery("select in_use from database;")) {
            if (rs->next()) count = rs->intForColumn("in_use");
            rs->close();
        }
    } catch (const std::exception& e) {
        DatabaseError(-1, "Unable to get the database 'in use' flag.", describe(e), false, true);
    }
    return count;
}

bool CompanyDatabase::SetBackup(bool backup) {
    try {
        db->beginTransaction();
        db->executeUpdate("update database set isBackup = ?;", backup ? 1 : 0);
        db->commit();
        return true;
    } catch (const std::exception& e) {
        DatabaseError(-1, "Unable to set database as a backup.", describe(e), true, true);
        return false;
    }
}

bool CompanyDatabase::IsBackup() {
    bool backup = false;
    try {
        db->beginTransaction();
        if (auto rs = db->executeQuery("select isBackup from database;")) {
            if (rs->next()) backup = rs->intForColumn("isBackup") == 1;
            rs->close();
        }
        db->commit();
    } catch (const std::exception& e) {
        DatabaseError(-1, "Unable to determine if database is a backup.", describe(e), true, true);
    }
    return backup;
}

int32_t CompanyDatabase::GetVersion(bool show) {
    try {
        auto rs = db->executeQuery("select version from version;");
        if (rs && rs->next()) {
            int32_t version = rs->intForColumn("version");
            rs->close();
            return version;
        }
        if (rs) rs->close();
        DatabaseError(-1, "Version not found.", "", show, true);
    } catch (const std::exception& e) {
        DatabaseError(-1, "Unable to get the database version.", describe(e), true, true);
    }
    return -1;
}

void CompanyDatabase::DatabaseError(int32_t code, const std::string& message, const std::string& detail, bool show,
                                    bool log) {
    const std::string text = message.empty() ? "Unable to perform database operation." : message;
    if (IsReady() && log) Log(code, -1, 0, text, detail, 0, -1);
    if (show)
        tvDatabase::tvMessageBox(kErrorCaption, text + "\n\n" + detail, 4, "Company Database Warning", 512, false);
}

// Event rows belong to a table this schema does not have: the statements fail without
// effect, and the access layer notes that in the system log.
bool CompanyDatabase::Log(int32_t code, int32_t second, int32_t, const std::string& message,
                          const std::string& detail, int32_t, int32_t) {
    try {
        int32_t key = db->intForQuery("select max(logPK) from log;") + 1;
        return db->executeUpdate(
            "insert into log (logPK, logDate, code, kind, message, detail) values (?, ?, ?, ?, ?, ?);",
            {FMValue(key), FMValue(std::chrono::system_clock::now()), FMValue(code), FMValue(second),
             FMValue(message), FMValue(detail)});
    } catch (...) {
        return false;
    }
}
