#include "core/newyear/CloseYear.h"

#include <algorithm>
#include <optional>
#include <set>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/DatabaseHolder.h"
#include "core/foundation/JobMeter.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/UseUnderscoresInDatabasePath.h"
#include "core/foundation/UserInfo.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/Utils.h"
#include "core/foundation/databaseInfo.h"
#include "core/foundation/tvDatabase.h"
#include "core/newyear/CarryOver.h"
#include "core/newyear/PriorYearFile.h"
#include "core/newyear/RollOverName.h"
#include "core/sqlite/WriteGuard.h"
#include "core/store/COMPANYLISTSTRUCT.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/E_FileInfo.h"
#include "core/store/ScratchCopy.h"
#include "platform/FileSystem.h"
#include "platform/SystemLog.h"

namespace newyear {

namespace {

constexpr int kNewYear = 2025;
constexpr int kLastYear = 2024;
const char* const kUnableToStart = "Unable to start new year.";
const char* const kJournalSuffixes[] = {"", "-journal", "-wal", "-shm"};

std::function<void(CompanyDatabase&)>& writeHook() {
    static std::function<void(CompanyDatabase&)> hook;
    return hook;
}

int32_t box(const std::string& caption, const std::string& details, int32_t style, const std::string& title,
            int32_t image, bool flag = false) {
    return tvDatabase::tvMessageBox(caption, details, style, title, image, flag);
}

// What the roll-over carries of one company.
struct CompanyData {
    std::string listedName;   // as the company list shows it
    ComapnyInfo payer;
    CarriedRecipients recipients;
    E_FileInfo transmitter;
};

bool isBuiltInLogin(const std::string& name) { return name == "Harbour" || name == "tvs1099"; }

// Every login but the built-in ones, with its password and user type.
std::optional<std::vector<UserInfo>> readLogins(CompanyDatabase& db) {
    std::vector<UserInfo> users;
    const bool read = companyrows::readAll(
        *db.db, "select name, password, userType from logins ORDER BY name COLLATE NOCASE ASC;", {},
        [&](FMResultSet& rs) {
            const std::string name = companyrows::text(rs, "name");
            if (isBuiltInLogin(name)) return;
            UserInfo user;
            user.setUserName(name);
            user.setPassword(tvDatabase::Decrypt(companyrows::text(rs, "password")));
            user.setUserType(rs.intForColumn("userType") == 1 ? 1 : 0);
            users.push_back(std::move(user));
        });
    if (!read) return std::nullopt;
    return users;
}

std::optional<CompanyData> readCompany(CompanyDatabase& db, int32_t key, const std::string& listedName,
                                       int32_t recipientSort) {
    CompanyData data;
    data.listedName = listedName;
    data.payer = db.getCompanyInfo1(key);
    const std::string direction = recipientSort == 1 ? "DESC" : "ASC";
    bool ok = true;
    std::vector<RecipientInfo> recipients;
    ok = companyrows::readAll(*db.db,
                              "select * from recipients where company_FK = ? ORDER BY lastName COLLATE NOCASE " +
                                  direction + ", firstName COLLATE NOCASE " + direction + ";",
                              {key}, [&](FMResultSet& rs) {
                                  RecipientInfo r;
                                  if (db.FillRecipient(r, rs)) recipients.push_back(std::move(r));
                                  else ok = false;
                              }) &&
         ok;
    std::vector<RecipientAdditionalInfo> additional;
    ok = companyrows::readAll(*db.db,
                              "select * from recipients_additionalinfo where pk in "
                              "(select pk from recipients where company_FK = ?);",
                              {key}, [&](FMResultSet& rs) {
                                  RecipientAdditionalInfo a;
                                  if (db.FillRecipientadditonalfields(a, rs)) additional.push_back(std::move(a));
                              }) &&
         ok;
    if (!ok) return std::nullopt;
    data.recipients = carryRecipients(recipients, additional);
    data.transmitter = db.getEFileInfo(1);

    data.payer.setName(Utils::compNameTrim(data.payer.getName()));
    data.payer.setPayersuffix("");
    data.payer.setPayerfirstname("");
    data.payer.setPayermiddleName("");
    data.payer.setPayerlastname("");
    data.payer.setPayerbussinessadd2("");
    data.payer.setPayercountry("");
    return data;
}

// Writes a new database in one transaction; reason receives why it failed.
bool writeDatabase(const std::string& path, const std::string& name, const std::vector<UserInfo>& logins,
                   CompanyData& data, bool clearAmounts, std::string& reason) {
    CompanyDatabase db;
    if (!db.Init(path, false, true, true, name, CompanyDatabase::OpenFailures::quiet)) {
        reason = db.openFailure();
        return false;
    }
    const bool written = runWrite(
        *db.db,
        [&](WriteGuard&) {
            for (const UserInfo& user : logins)
                if (!db.insertUserInfo(user)) return false;
            if (!data.payer.getName().empty()) {
                if (!db.insertCompanyInfo(data.payer)) return false;
                if (!data.recipients.info.empty() &&
                    !db.storeImportedRecipients(data.recipients.info, data.recipients.additional, {}, {}))
                    return false;
                // The recipient writer leaves line 15b alone (no window enters it); last
                // year's value comes along all the same.
                for (const RecipientInfo& r : data.recipients.info)
                    if (!r.getLine15b_Misc().empty() &&
                        !db.db->executeUpdate("update recipients set line15b = ? where pk = ?;", r.getLine15b_Misc(),
                                              r.getPK()))
                        return false;
                if (data.transmitter.getPK() >= 0 && !db.updateEFileInfo(data.transmitter)) return false;
            }
            if (const auto& hook = writeHook()) hook(db);
            if (!db.VoidCorrectedCheckBox() || !db.purgeDoNotShowAgains() || !db.MoveImportFields()) return false;
            if (clearAmounts && !db.purgeNonGenericRecipientInfo()) return false;
            return db.SetYear(kNewYear) && db.SetBackup(false) && db.SetName(name);
        },
        [&](const std::string& why) { reason = why; });
    db.Close();
    return written;
}

// restart: the 2025 databases that the run would replace (none: a first start).
std::string confirmationDetails(const databaseInfo& entry, const std::vector<std::string>& companies,
                                const std::vector<std::string>& replaced) {
    const bool restart = !replaced.empty();
    const std::string y = std::to_string(entry.year());
    std::string d = "Please confirm that you want to " + std::string(restart ? "restart" : "start") +
                    " the new year for the following database:\n\n    " + entry.name() + " " + y + "\n    " +
                    entry.path();
    d += "\n\n    Companies:";
    if (companies.empty()) d += "    None";
    for (const std::string& name : companies) d += "\n        " + name;
    if (entry.year() != kLastYear)
        d += "\n\n    WARNING: The selected database is for " + y +
             ". Importing prior year information from a 2024 database is recommended.";
    d += "\n\n\nIMPORTANT: Please close any prior year version of Talvexa 1099 before continuing."
         "\n\n\nAdditional Details:\n    ";
    if (restart) {
        std::string files;
        for (const std::string& path : replaced) files += (files.empty() ? "" : ", ") + path;
        d += "Restarting a new year will delete the existing 2025 database (" + files +
             "),  erasing all of this database's 2025 company information. A new database will be created and the "
             "new year will be restarted ";
    } else {
        d += "Starting a new year will create a new database for 1099 year 2025. A new year will be started ";
    }
    d += "for every company in the database by importing all setup information, including there forms details with "
         "amounts to the new database. So you can begin processing 1099 for the new year.\n    " +
         y + " information will remain accessible using Talvexa 1099 . You can continue to use Talvexa 1099 " + y +
         ", as well as printing any of the forms for filing, please be aware that any changes to setup information "
         "will not be reflected in the new year's database once a new year has been started.";
    if (restart) d += "\n    Restarting a new year is usually not recommended.";
    d += "\n\nPlease be patient, " + std::string(restart ? "restarting" : "starting") +
         " a new year may take several minutes.\n\n" +
         (restart ? "Are you sure you want to restart" : "Continue starting") +
         " 1099 Year 2025 for the selected database?\n\n";
    return d;
}

// A 2025 database being replaced: its files moved aside, its registration and the
// recent-database entry as they were, so a failure can put everything back.
class Replacement {
public:
    Replacement(AppDatabase& app, std::string target) : app_(app), target_(std::move(target)) {}

    // Moves the existing files aside; false when they cannot be moved.
    bool moveAside() {
        for (const char* suffix : kJournalSuffixes) {
            const std::string from = target_ + suffix;
            if (!platform::fileExists(from)) continue;
            const std::string to = target_ + ".previous" + suffix;
            platform::removePath(to);
            if (!platform::movePath(from, to)) return false;
            moved_.push_back(suffix);
        }
        return true;
    }

    // Takes the registration of the target path and the recent entry when it names it.
    bool unregister() {
        for (const databaseInfo& listed : app_.SelectDatabaseList())
            if (listed.path() == target_) oldEntry_ = listed;
        if (oldEntry_ && !app_.DeleteDatabaseInfo(*oldEntry_)) return false;
        unlisted_ = oldEntry_.has_value();
        if (auto recent = app_.GetRecentDatabaseInfo(); recent && recent->path() == target_) {
            oldRecent_ = recent;
            databaseInfo none = *recent;
            none.Nullify();
            if (!app_.SetRecentDatabaseInfo(none)) return false;
            recentCleared_ = true;
        }
        return true;
    }

    // Puts the files, the registration and the recent entry back.
    void restore() {
        for (const char* suffix : moved_) {
            platform::removePath(target_ + suffix);
            platform::movePath(target_ + ".previous" + suffix, target_ + suffix);
        }
        moved_.clear();
        if (unlisted_) (void)app_.InsertDatabaseInfo(*oldEntry_);   // a failure has been shown
        if (recentCleared_) (void)app_.SetRecentDatabaseInfo(*oldRecent_);
        unlisted_ = recentCleared_ = false;
    }

    // The replacement is complete: the old files go.
    void discard() {
        for (const char* suffix : moved_) platform::removePath(target_ + ".previous" + suffix);
        moved_.clear();
    }

private:
    AppDatabase& app_;
    std::string target_;
    std::vector<const char*> moved_;
    std::optional<databaseInfo> oldEntry_;
    std::optional<databaseInfo> oldRecent_;
    bool unlisted_ = false;
    bool recentCleared_ = false;
};

// Where a company's new database goes: the database listed for its file name (in
// whatever folder) or the file of that name in the year folder.
struct Target {
    std::string path;
    bool listed = false;
    bool exists = false;
};

Target targetOf(AppDatabase& app, const std::string& yearFolder, const std::string& companyName, bool underscores) {
    const std::string name = rollOverName(companyName);
    Target t;
    t.path = yearFolder + yearDatabaseFileName(name, underscores);
    for (const databaseInfo& known : app.SelectDatabaseList())
        if (known.CompanyName() == name) {
            t.path = known.path();
            t.listed = true;
            break;
        }
    t.exists = platform::fileExists(t.path);
    return t;
}

// Marks the prior-year list's entry of path as rolled over.
void markImported(AppDatabase& app, const std::string& path) {
    if (!app.IsReady() || !app.db()) return;
    if (!app.db()->executeUpdate("update priorYearList set imported = 1 where path = ?;", path))
        platform::systemLog("Unable to mark the prior year database as started: " + app.db()->lastErrorMessage());
}

void removeDatabaseFiles(const std::string& path) {
    for (const char* suffix : kJournalSuffixes) platform::removePath(path + suffix);
}

}  // namespace

void setWriteHookForTests(std::function<void(CompanyDatabase&)> hook) { writeHook() = std::move(hook); }

std::string rollOverTargetPath(const std::string& companyName) {
    return session().configDir->GetDir() + yearDatabaseFileName(rollOverName(companyName), UseUnderscoresInDatabasePath());
}

bool CloseYear(databaseInfo& entry, const std::vector<int32_t>& companyKeys, int32_t recipientSort) {
    if (entry.IsNull()) return false;
    Session& s = session();
    if (!s.DBH || !s.DBH->appDatabase() || !s.configDir) return false;
    AppDatabase& app = *s.DBH->appDatabase();
    if (const auto& open = s.DBH->companyDatabase(); open && open->IsReady()) {
        box("Database must be closed before starting a new year.",
            "Any currently open databse must be closed before starting a new year. Please close the 'Start New "
            "Year' screen and select 'Close Databse' from the 'File' menu before starting a new year.",
            kMessageStyleOK, "Import Prior Year", kMessageImageError);
        return false;
    }
    const std::string y = std::to_string(entry.year());
    const char* const accessCaption = "Unable to start new year";
    const char* const accessDetails = "Unable to access create/access the temporary databse file.";
    if (!tvDatabase::CanAccessFile(entry.path(), true, accessCaption, accessDetails)) return false;

    // Everything is read from a copy; the copy goes on every way out.
    ScratchCopy scratch;
    if (!tvDatabase::CanAccessFile(scratch.path(), true, accessCaption, accessDetails)) return false;
    if (!scratch.copyFrom(entry.path())) {
        scratch.remove();
        if (wasNotClosedProperly(entry.path())) {
            box(kUnableToStart, notClosedProperlyDetails(entry.path()), kMessageStyleOK, kStartNewYearTitle,
                kMessageImageError);
            return false;
        }
        box(kUnableToStart,
            "Unable to copy the database to the temporary initialization location.\n\n To resolve this issue, please "
            "try again , or hace a system administrator provide you with Read & Write access for the following "
            "files:\n\n" +
                entry.path() + "\n\n    " + scratch.path(),
            kMessageStyleOK, "", kMessageImageError);
        return false;
    }
    CompanyDatabase prior;
    // A copy that is not a company database, or an empty file that the open would fill
    // with a new schema, is no last-year database: it names no year of its own.
    const std::optional<int> copyYear = readDatabaseYear(scratch.path());
    if (!copyYear || *copyYear == 0 ||
        !prior.Init(scratch.path(), false, true, true, kScratchFileName, CompanyDatabase::OpenFailures::quiet) ||
        prior.GetYear() == 0) {
        prior.Close();
        box(kUnableToStart, "Unable to initialize the database.", kMessageStyleOK, "", kMessageImageError);
        return false;
    }
    std::vector<COMPANYLISTSTRUCT> listed;
    const int32_t count = prior.GetCompanyList1(listed, false);
    const std::optional<std::vector<UserInfo>> logins = readLogins(prior);
    if (count < 0 || !logins) {
        prior.Close();
        box(kUnableToStart, "Unable to initialize the database.", kMessageStyleOK, "", kMessageImageError);
        return false;
    }
    std::vector<COMPANYLISTSTRUCT> chosen;
    for (int32_t key : companyKeys)
        for (const auto& company : listed)
            if (company.CompanyPK() == key) {
                chosen.push_back(company);
                break;
            }

    const bool underscores = UseUnderscoresInDatabasePath();
    const std::string yearFolder = s.configDir->GetDir();
    if (platform::fileExists(yearFolder + yearDatabaseFileName(entry.name(), underscores))) entry.setImported(true);

    if (entry.year() != kLastYear) {
        AlertRequest warning;
        warning.icon = AlertIcon::Error;
        warning.title = kStartNewYearTitle;
        warning.message = "Import prior year information from a " + y + " database";
        warning.informative = "Are you sure you want to import prior year information from a " + y +
                              " database?\n\nImporting prior year information from a 2024 database is recommended.";
        warning.buttons = {"Yes", "No"};
        warning.returnButton = 1;
        if (userInterface().alert(warning) != kAlertFirstButtonCode) {
            prior.Close();
            return false;
        }
    }

    std::vector<std::string> names;
    std::vector<std::string> replaced;
    for (const auto& company : chosen) {
        names.push_back(company.companyName());
        const Target t = targetOf(app, yearFolder, company.companyName(), underscores);
        if (t.exists && std::find(replaced.begin(), replaced.end(), t.path) == replaced.end())
            replaced.push_back(t.path);
    }
    // A restart is asked about only where there is a database to replace.
    if (box(replaced.empty() ? "Start New Year?" : "Restart New Year?", confirmationDetails(entry, names, replaced),
            kMessageStyleYesNo, kStartNewYearTitle, kMessageImagePrompt) != kMessageAnswerOkYes) {
        prior.Close();
        return false;
    }
    if (chosen.empty()) {
        prior.Close();
        return true;
    }

    // One answer for every database of the run, before any file is made.
    AlertRequest amounts;
    amounts.icon = AlertIcon::Plain;
    amounts.title = "Attention";
    amounts.message = "Do you want to clear 2024 specific Amounts and form data? (Recommended)";
    amounts.buttons = {"No", "Yes"};
    amounts.returnButton = 0;
    const bool clearAmounts = userInterface().alert(amounts) != kAlertFirstButtonCode;

    std::string lastTarget;
    JobMeter meter(kStartNewYearTitle, true);
    for (std::size_t j = 0; j < chosen.size(); ++j) {
        const COMPANYLISTSTRUCT& company = chosen[j];
        const std::string name = rollOverName(company.companyName());
        // Looked at again for each company: an earlier one of the run may have made it.
        const Target found = targetOf(app, yearFolder, company.companyName(), underscores);
        const std::string& target = found.path;
        const bool exists = found.exists;
        if (found.listed || exists) entry.setImported(true);

        if (exists) {
            CompanyDatabase existing;
            const bool opens =
                existing.Init(target, false, true, true, entry.name(), CompanyDatabase::OpenFailures::quiet);
            existing.Close();
            if (!opens) {
                prior.Close();
                box("Unable to restart new year.",
                    "Please verify that the 2025 year database is not in use and try again. If the issue persists, "
                    "please manually delete the following file:\n\n    " +
                        target,
                    kMessageStyleYesNo, kStartNewYearTitle, kMessageImageError);
                return false;
            }
            if (box("Delete current year database?",
                    "We don't mean to be rude, but are you sure you want to delete the existing 2025 database and "
                    "erase all of this database's 2025 company information in order to restart the new year?"
                    "\n\n    " + target,
                    kMessageStyleYesNo, kStartNewYearTitle, kMessageImageError, true) != kMessageAnswerOkYes) {
                prior.Close();
                return false;
            }
        }
        if (!tvDatabase::CanCreateFile(target, true, accessCaption, "Unable to create the new year database file.")) {
            prior.Close();
            return false;
        }

        meter.longStep("Copying " + company.companyName() + " (" + std::to_string(j + 1) + " of " +
                       std::to_string(chosen.size()) + ")");
        std::optional<CompanyData> data = readCompany(prior, company.CompanyPK(), company.companyName(), recipientSort);
        if (j + 1 == chosen.size()) {
            prior.Close();
            scratch.remove();
        }
        std::string reason;
        bool ok = data.has_value();
        if (!ok) reason = "The company's information could not be read from the following database:\n\n    " + entry.path();
        if (ok && !clearAmounts) moveMiscLine13(data->recipients);
        if (ok && clearAmounts) clearAdditionalAmounts(data->recipients);

        // Until the first database is written the run can still stop with nothing changed.
        if (j == 0 && meter.cancelled()) {
            prior.Close();
            return false;
        }
        meter.commitPoint();
        // The new file is made under a name of its own and takes the target's place only
        // when it is complete; a file it replaces is kept aside until then.
        const std::string partial = target + ".partial";
        removeDatabaseFiles(partial);
        Replacement replacement(app, target);
        bool inPlace = false;
        if (ok) ok = writeDatabase(partial, name, *logins, *data, clearAmounts, reason);
        if (ok && !replacement.moveAside()) {
            ok = false;
            reason = "The existing database could not be moved aside.";
        }
        if (ok && !(inPlace = platform::movePath(partial, target))) {
            ok = false;
            reason = "The new database could not be put in place.";
        }
        databaseInfo made(name, target, kNewYear, entry.imported(), "");
        made.setCompanyName(company.companyName());
        if (ok && (!replacement.unregister() || !app.InsertDatabaseInfo(made))) {
            ok = false;
            reason = "The new database could not be added to the list of company databases.";
            (void)app.DeleteDatabaseInfo(made);   // a failure has been shown
        }
        if (!ok) {
            if (inPlace) removeDatabaseFiles(target);
            removeDatabaseFiles(partial);
            replacement.restore();
            prior.Close();
            box(kUnableToStart,
                "Unable to create the new year database for the company \"" + company.companyName() +
                    "\":\n\n    " + target + "\n\n" + reason,
                kMessageStyleOK, kStartNewYearTitle, kMessageImageError);
            return false;
        }
        replacement.discard();
        lastTarget = target;
    }

    meter.finish();
    // The list shows from now on that a 2025 database was made from this one.
    entry.setImported(true);
    markImported(app, entry.path());

    box("Successfully started new year.",
        "1099 Year 2025 was successfully started. You may now begin processing 1099 for 2025 in the following "
        "database:\n\n    " +
            entry.name() + "\n    2025\n    " + lastTarget +
            "\n\nTo open this database select 'Database Manager' from the 'File' menu, choose this database from the "
            "list of 2025 databases, and click 'Open Database'. Alternatively, you may select 'Open Database' from "
            "the 'File' menu, and open a Database from this database directly.\n\nIf you need to access your prior "
            "year information, please exit this version of Talvexa 1099 and launch the prior year's version of "
            "Talvexa 1099.",
        kMessageStyleOK, kStartNewYearTitle, kMessageImageMessage);
    return true;
}

}  // namespace newyear
