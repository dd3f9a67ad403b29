#include "core/store/CompanyDatabase.h"

#include <chrono>
#include <exception>
#include <random>

#include "core/foundation/Session.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/CompanyDatabaseUpgradeSteps.h"
#include "core/sqlite/WriteGuard.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/DatabaseFiles.h"
#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"
#include "platform/SystemLog.h"

#include <sqlite3.h>

namespace {

constexpr const char* kErrorCaption = "Company Database Error!";
// Enough for the whole of a company file of 200,000 recipients (about 62 MB).
constexpr int kPageCacheKiB = 64 * 1024;

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

// SQLite's reason for the last failure, in the user's terms where SQLite's own words
// would not tell them what to do.
std::string failureReason(FMDatabase& db) {
    const int code = db.lastErrorCode() & 0xff;
    const std::string sqlite = db.lastErrorMessage();
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return "Another program is using this file (" + sqlite +
               "). Wait until it has finished, or close the file there, and try again.";
    if (code == SQLITE_CORRUPT || code == SQLITE_NOTADB)
        return "The file is damaged or is not a company database (" + sqlite +
               "). If it is your company database, restore it from a backup.";
    return sqlite;
}

// What an existing file holds, read without changing a byte of it.
struct FileContents {
    bool readable = false;
    bool anyTable = false;
    bool informationTable = false;
};

FileContents readContents(FMDatabase& db) {
    FileContents contents;
    auto rs = db.executeQuery("select name from sqlite_master where type = 'table';");
    if (!rs) return contents;
    FMError error;
    while (rs->nextWithError(&error)) {
        contents.anyTable = true;
        if (rs->stringForColumnIndex(0).value_or("") == "database") contents.informationTable = true;
    }
    rs->close();
    contents.readable = error.code == 0;
    return contents;
}

enum class VersionRow { unreadable, missing, current, usable, foreign };

// Whether the stored version is one this program can work from. A missing row, NULL,
// 0 or text would make the chain start again from step 1 over existing data.
VersionRow classifyVersion(FMDatabase& db, int32_t& version) {
    auto rs = db.executeQuery("select typeof(current_version), current_version from database;");
    if (!rs) return VersionRow::unreadable;
    FMError error;
    if (!rs->nextWithError(&error)) return error.code == 0 ? VersionRow::missing : VersionRow::unreadable;
    const std::string type = rs->stringForColumnIndex(0).value_or("");
    version = rs->intForColumnIndex(1);
    rs->close();
    if (type != "integer" || version == 0) return VersionRow::missing;
    if (version < 0 || version > companydb_upgrade::kCurrentVersion) return VersionRow::foreign;
    return version == companydb_upgrade::kCurrentVersion ? VersionRow::current : VersionRow::usable;
}

}  // namespace

CompanyDatabase::CompanyDatabase() : db(FMDatabase::databaseWithPath(std::nullopt)) {
    session().CompanyDeleted = 0;
}

CompanyDatabase::~CompanyDatabase() {
    // However its holder's work ends (an early return, an exception), a file still open
    // is closed as Close() closes it: its in-use mark is cleared too.
    try {
        Close();
    } catch (...) {
        platform::systemLog("Unable to close the company database " + filePath + ".");
    }
}

bool CompanyDatabase::Init(const std::string& path, bool checkInUseArg, bool, bool verify, const std::string&,
                           OpenFailures failures) {
    isReady = false;
    checkInUse = checkInUseArg;
    openFailure_.clear();
    readErrorReported_ = false;
    const bool show = failures == OpenFailures::show;
    // A missing file whose copy an interrupted replacement kept aside is that copy: it
    // opens as it is, never made anew over it. A file that this open creates and cannot
    // build is taken away again; a file that was there before is never removed.
    const bool existed = databaseFileExistsAfterPutBack(path);
    bool building = false;
    auto discardNewFile = [&] {
        if (existed || !building) return;
        Close();
        platform::removePath(path + "-journal");
        platform::removePath(path);
    };
    try {
        Close();
        filePath = path;
        // The process's current folder is left alone: nothing depends on it.
        if (!platform::fileExists(path) && !platform::writeNewFile(path, ""))
            return refuse("The file could not be created here. Check that the folder exists and that you may "
                          "write to it.",
                          show);
        db = FMDatabase::databaseWithPath(path);
        if (!db->open()) return refuse(failureReason(*db), show);
        // SQLite's default page cache (2 MB) is far smaller than a company file of many
        // recipients, so every list would read its pages from the system again. The
        // cache only grows as pages are read: small files use no more than before.
        if (!db->executeStatements("pragma cache_size = -" + std::to_string(kPageCacheKiB) + ";"))
            platform::systemLog("Unable to size the page cache: " + db->lastErrorMessage());

        const FileContents contents = readContents(*db);
        if (!contents.readable) return refuse(failureReason(*db), show);

        int32_t mark = -1;
        if (!contents.anyTable) {
            // A new or empty file: built from nothing.
            building = true;
            if (!buildNewFile()) {
                refuse(openFailure_, show);
                discardNewFile();
                return false;
            }
            building = false;
        } else if (!contents.informationTable) {
            // Another program's database: none of our steps may touch it.
            return refuseSchema(show);
        } else if (verify) {
            int32_t version = 0;
            switch (classifyVersion(*db, version)) {
                case VersionRow::unreadable:
                    return refuse(failureReason(*db), show);
                case VersionRow::missing:
                    return refuseSchema(show);
                case VersionRow::foreign:
                    // Written by another version of the program: the file is left as it is.
                    if (show) {
                        verifySchema();
                        (void)update(false);  // shows the version warning and changes nothing
                    }
                    openFailure_ = "The database version does not match the code version.";
                    Close();
                    return false;
                case VersionRow::current:
                case VersionRow::usable:
                    mark = GetInUseCount();
                    if (!update(false)) return refuse(openFailure_, show);
                    break;
            }
        } else {
            mark = GetInUseCount();
        }

        // A payer's list reads its recipients by this index; a file of this schema
        // version may lack it (the recipients' rebuild drops it). A file used as stored
        // is not written to.
        if (!contents.anyTable || verify) (void)makeRecipientsIndex();

        // From here on the same few statements run for every row and every click (a
        // recipient's insert is long to parse): keep them prepared. The upgrade's
        // statements above run once and are not kept.
        db->setShouldCacheStatements(true);
        if (mark < 0 && checkInUseArg) CheckInUse();
        isReady = true;
        if (checkInUseArg) SetInUse(1);
        return true;
    } catch (const std::exception& e) {
        if (db->isInTransaction() && !db->rollback()) platform::systemLog("Unable to roll back: " + db->lastErrorMessage());
        refuse(describe(e), show);
        discardNewFile();
        return false;
    }
}

bool CompanyDatabase::CreateNew(const std::string& path, const std::string& name, int32_t year,
                                OpenFailures failures) {
    if (databaseFileExistsAfterPutBack(path)) {
        openFailure_ = "A file already exists at \"" + path + "\".";
        return false;
    }
    // Built under a temporary name: a crash while building leaves nothing under path,
    // and the finished file never takes the place of one that appeared meanwhile.
    std::string reason;
    const bool made = platform::replaceFile(
        path,
        [&](const std::string& building, std::string& why) {
            const NewFileFields fields{name, year};
            newFields_ = &fields;
            const bool built = Init(building, false, true, true, name, OpenFailures::quiet);
            newFields_ = nullptr;
            if (built) Close();
            else why = openFailure_;
            return built;
        },
        &reason, platform::FileReplacement::Mode::newFileOnly);
    if (!made) openFailure_ = reason;
    filePath = path;
    if (!made)
        DatabaseError(-1, "Unable to open the company database \"" + path + "\".", openFailure_,
                      failures == OpenFailures::show, true);
    return made;
}

bool CompanyDatabase::buildNewFile() {
    // One transaction for every step and the seeding: a new file is written once
    // instead of once per step, and a failure leaves no half-built schema behind.
    WriteGuard whole(*db);
    if (!whole.began()) {
        openFailure_ = whole.error().empty() ? std::string("The new database could not be started.") : whole.error();
        return false;
    }
    if (!update(true)) return false;   // the guard rolls everything back
    if (newFields_) {
        whole.check(db->executeUpdate("update database set name = ?, year = ?;", newFields_->name, newFields_->year));
        (void)SetID(0);
    }
    if (!whole.commit()) {
        openFailure_ = whole.error().empty() ? std::string("The new database could not be written.") : whole.error();
        return false;
    }
    return true;
}

bool CompanyDatabase::refuse(const std::string& reason, bool show) {
    openFailure_ = reason.empty() ? std::string("Unable to perform database operation.") : reason;
    isReady = false;
    Close();
    DatabaseError(-1, "Unable to open the company database \"" + filePath + "\".", openFailure_, show, true);
    return false;
}

bool CompanyDatabase::refuseSchema(bool show) {
    if (show) verifySchemaMessage();
    openFailure_ = "Database does not appear to be a Talvexa 1099 Company Database.";
    platform::systemLog("Refused to open \"" + filePath + "\": " + openFailure_);
    Close();
    return false;
}

void CompanyDatabase::Close() {
    if (checkInUse && isReady) SetInUse(0);
    db->close();
    dbIsOpen = false;
    isReady = false;
}

void CompanyDatabase::verifySchemaMessage() {
    tvDatabase::tvMessageBox(
        kErrorCaption,
        "Invalid database version. Database does not appear to be a Talvexa 1099 Company Database.\n\n"
        "          To resolve this issue, please make sure you are @trying to access the correct database or "
        "database backup.\n" +
            db->lastErrorMessage(),
        kMessageStyleOK, "Talvexa Erropr", kMessageImageError, false);
}

void CompanyDatabase::verifySchema() {
    std::optional<int32_t> version = storedVersion(*db);
    if (!version || *version <= 0) {
        verifySchemaMessage();
        return;
    }
    if (*version > companydb_upgrade::kCurrentVersion) {
        std::string text =
            "Invalid database version. Database is for a newer version of Talvexa 1099.\n\n"
            "            To resolve this issue, please make sure you are running the most recent version of ";
        text += "Talvexa 1099 E-File 2025";
        text += " and make sure you are trying to access the correct database or database backup.\n\n If you are "
                "trying to access ";
        text += std::to_string(companydb_upgrade::kFileYear + 1);
        text += " information, please exit ";
        text += "Talvexa 1099 E-File 2025";
        text += " version ";
        text += "25.0.1";
        tvDatabase::tvMessageBox(kErrorCaption, text, kMessageStyleOK, "Talvexa Erropr", kMessageImageError, false);
    }
}

bool CompanyDatabase::IsReady() { return isReady; }

std::string CompanyDatabase::GetPath() { return db->databasePath().value_or(""); }

bool CompanyDatabase::SetName(const std::string& name) {
    return companyrows::write(*this, "Unable to set the database name.",
                              [&] { return db->executeUpdate("update database set name = ?;", name); });
}

std::string CompanyDatabase::GetName() {
    std::string name;
    companyrows::firstRow(*this, "select name from database;", {},
                          [&](FMResultSet& rs) { name = rs.stringForColumn("name").value_or(""); });
    return name;
}

bool CompanyDatabase::SetYear(int32_t year) {
    return companyrows::write(*this, "Unable to set the database year.",
                              [&] { return db->executeUpdate("update database set year = ?;", year); });
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
    if (id == 0) {
        std::random_device device;
        id = static_cast<int32_t>(device() & 0x7fffffff);
        if (id == 0) id = 1;
    }
    // The information table keeps no id: the statement fails and changes nothing, and
    // callers that give a new file its number must not fail for it.
    (void)db->executeUpdate("update database set id = ?;", id);
    return true;
}

int32_t CompanyDatabase::GetID() {
    int32_t id = 0;
    if (auto rs = db->executeQuery("select id from database;")) {
        if (rs->next()) id = rs->intForColumn("id");
        rs->close();
    }
    return id;
}

void CompanyDatabase::SetInUse(int32_t value) {
    if (!db->executeUpdate("update database set in_use = ?;", value < 0 ? 0 : value))
        DatabaseError(-1, "Unable to set the database 'in use' flag.", db->lastErrorMessage(), false, true);
}

int32_t CompanyDatabase::GetInUseCount() {
    int32_t count = -1;
    if (auto rs = db->executeQuery("select in_use from database;")) {
        if (rs->next()) count = rs->intForColumn("in_use");
        rs->close();
    }
    return count;
}

bool CompanyDatabase::SetBackup(bool backup) {
    return companyrows::write(*this, "Unable to set database as a backup.", [&] {
        return db->executeUpdate("update database set isBackup = ?;", backup ? 1 : 0);
    });
}

bool CompanyDatabase::IsBackup() {
    bool backup = false;
    companyrows::firstRow(*this, "select isBackup from database;", {},
                          [&](FMResultSet& rs) { backup = rs.intForColumn("isBackup") == 1; });
    return backup;
}

int32_t CompanyDatabase::GetVersion(bool show) {
    auto rs = db->executeQuery("select version from version;");
    if (rs && rs->next()) {
        int32_t version = rs->intForColumn("version");
        rs->close();
        return version;
    }
    if (rs) rs->close();
    DatabaseError(-1, "Version not found.", "", show, true);
    return -1;
}

void CompanyDatabase::DatabaseError(int32_t code, const std::string& message, const std::string& detail, bool show,
                                    bool log) {
    const std::string text = message.empty() ? "Unable to perform database operation." : message;
    if (log) {
        platform::systemLog(text + (detail.empty() ? std::string() : " " + detail) + " (" + filePath + ")");
        if (IsReady()) Log(code, -1, 0, text, detail, 0, -1);
    }
    if (show)
        tvDatabase::tvMessageBox(kErrorCaption, text + "\n\n" + detail, kMessageStyleOK, "Company Database Warning", kMessageImageError, false);
}

void CompanyDatabase::ReadError(const std::string& reason) {
    const bool show = !readErrorReported_;
    readErrorReported_ = true;
    DatabaseError(-1,
                  "Unable to read all of the company database \"" + filePath +
                      "\". Some records may be missing from the list.",
                  reason + "\n\nIf the file is damaged, restore it from a backup.", show, true);
}

// Event rows go to a table that company files of this schema do not have; files that
// do have it get the row. The message itself always reaches the system log through
// the error routine.
