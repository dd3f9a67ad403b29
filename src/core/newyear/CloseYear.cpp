#include "core/newyear/CloseYear.h"

#include <algorithm>
#include <optional>
#include <set>
#include <unordered_map>

#include "core/foundation/AppDatabase.h"
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
#include "core/store/DatabaseHolder.h"
#include "core/store/E_FileInfo.h"
#include "core/store/OnePassCache.h"
#include "core/store/ScratchCopy.h"
#include "platform/FileReplacement.h"
#include "platform/FileSystem.h"
#include "platform/SystemLog.h"

namespace newyear {

namespace {

constexpr int kNewYear = 2025;
constexpr int kLastYear = 2024;
const char* const kUnableToStart = "Unable to start new year.";

std::function<void(CompanyDatabase&)>& writeHook() {
    static std::function<void(CompanyDatabase&)> hook;
    return hook;
}

int32_t box(const std::string& caption, const std::string& details, int32_t style, const std::string& title,
            int32_t image, bool flag = false) {
    return tvDatabase::tvMessageBox(caption, details, style, title, image, flag);
}

// What the roll-over carries of one company besides its recipients.
struct CompanyData {
    std::string listedName;   // as the company list shows it
    ComapnyInfo payer;
    E_FileInfo transmitter;
};

// A company's recipients in the order of the new database: their last-year keys by
// name, and the 1099-MISC line 13 moves among them. The rows themselves are read a
// batch at a time while they are written, so that no company is held whole.
struct RecipientOrder {
    std::vector<int32_t> keys;
    newyear::Line13Plan line13;   // empty when last year's amounts are cleared
};

// Recipients read and written together (tests make it smaller).
constexpr std::size_t kBatch = 500;
std::size_t& batchSize() {
    static std::size_t size = kBatch;
    return size;
}
// The page caches of the roll-over: each file is read or written once.
constexpr int64_t kWriteCacheKiB = 16 * 1024;

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

CompanyData readCompany(CompanyDatabase& db, int32_t key, const std::string& listedName) {
    CompanyData data;
    data.listedName = listedName;
    data.payer = db.getCompanyInfo1(key);
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

using MiscBox = void (RecipientInfo::*)(std::string);
// The 1099-MISC boxes whose amounts decide what the line 13 move leaves of a 1099-MISC.
const std::pair<const char*, MiscBox> kMiscBoxes[] = {
    {"line1", &RecipientInfo::setLine1_Misc},       {"line2", &RecipientInfo::setLine2_Misc},
    {"line3", &RecipientInfo::setLine3_Misc},       {"line4", &RecipientInfo::setLine4_Misc},
    {"line5", &RecipientInfo::setLine5_Misc},       {"line6", &RecipientInfo::setLine6_Misc},
    {"line7", &RecipientInfo::setLine7_Misc},       {"line8", &RecipientInfo::setLine8_Misc},
    {"line10", &RecipientInfo::setLine10_Misc},     {"line11", &RecipientInfo::setLine11_Misc},
    {"line12", &RecipientInfo::setLine12_Misc},     {"line13", &RecipientInfo::setLine13_Misc},
    {"line14", &RecipientInfo::setLine14_Misc},     {"line15a", &RecipientInfo::setLine15a_Misc},
    {"line15b", &RecipientInfo::setLine15b_Misc},   {"line16_1", &RecipientInfo::setLine16_1_Misc},
    {"line16_2", &RecipientInfo::setLine16_2_Misc}, {"line17_1", &RecipientInfo::setLine17_1_Misc},
    {"line17_2", &RecipientInfo::setLine17_2_Misc}, {"line18_1", &RecipientInfo::setLine18_1_Misc},
    {"line18_2", &RecipientInfo::setLine18_2_Misc},
};

// The company's recipient keys by name (recipientSort 0 ascending, 1 descending) and,
// when last year's amounts stay, the line 13 moves read from the few columns they need.
std::optional<RecipientOrder> readRecipientOrder(CompanyDatabase& db, int32_t key, int32_t recipientSort,
                                                 bool moveLine13) {
    const std::string direction = recipientSort == 1 ? "DESC" : "ASC";
    std::string columns = "pk, type, taxID";
    for (const auto& box : kMiscBoxes) columns += std::string(", ") + box.first;
    RecipientOrder order;
    order.keys.reserve(static_cast<std::size_t>(std::max(
        0, db.db->intForQuery("select count(*) from recipients where company_FK = ?;", std::vector<FMValue>{key}))));
    std::vector<Line13Facts> facts;
    if (moveLine13) facts.reserve(order.keys.capacity());
    const bool read = companyrows::readAll(
        *db.db,
        "select " + columns + " from recipients where company_FK = ? ORDER BY lastName COLLATE NOCASE " + direction +
            ", firstName COLLATE NOCASE " + direction + ";",
        {key}, [&](FMResultSet& rs) {
            order.keys.push_back(rs.intForColumn("pk"));
            if (!moveLine13) return;
            RecipientInfo r;
            r.setType(rs.intForColumn("type"));
            r.setTaxID(tvDatabase::Decrypt(companyrows::text(rs, "taxID")));
            for (const auto& [column, set] : kMiscBoxes) (r.*set)(companyrows::text(rs, column));
            facts.push_back(line13Facts(r));
        });
    if (!read) return std::nullopt;
    if (moveLine13) order.line13 = planMiscLine13(facts);
    return order;
}

// The recipients of the given keys with their additional rows, whole, in that order.
// False when the rows cannot be read or a key has no recipient.
bool readRecipients(CompanyDatabase& db, const std::vector<int32_t>& keys, std::vector<RecipientInfo>& recipients,
                    std::vector<RecipientAdditionalInfo>& additional) {
    recipients.assign(keys.size(), RecipientInfo());
    additional.clear();
    additional.reserve(keys.size());
    std::vector<FMValue> args(keys.begin(), keys.end());
    std::unordered_map<int32_t, std::size_t> place;
    place.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) place.emplace(keys[i], i);
    std::vector<bool> found(keys.size(), false);
    const std::string in = companyrows::markList(keys.size());
    bool ok = companyrows::readAll(*db.db, "select * from recipients where pk in " + in + ";", args,
                                   [&](FMResultSet& rs) {
                                       const auto at = place.find(rs.intForColumn("pk"));
                                       if (at == place.end() || found[at->second]) return;
                                       found[at->second] = db.FillRecipient(recipients[at->second], rs);
                                   });
    ok = ok && companyrows::readAll(*db.db, "select * from recipients_additionalinfo where pk in " + in + ";", args,
                                    [&](FMResultSet& rs) {
                                        RecipientAdditionalInfo a;
                                        if (db.FillRecipientadditonalfields(a, rs)) additional.push_back(std::move(a));
                                    });
    return ok && std::all_of(found.begin(), found.end(), [](bool f) { return f; });
}

// Reads the company's recipients along their order and writes them into the new
// database, a batch at a time, under the keys that order gives them: the recipients
// that stay, then the 1099-NEC made for line 13 amounts. readFailed tells a failed read
// of last year's file from a failed write.
bool carryRecipientsInto(CompanyDatabase& prior, CompanyDatabase& db, const RecipientOrder& order,
                         bool clearAmounts, bool& readFailed) {
    std::vector<RecipientInfo> read;
    std::vector<RecipientAdditionalInfo> readAdditional;
    const std::size_t size = batchSize();
    std::vector<int32_t> keys;
    keys.reserve(size);
    CarriedRecipients batch;
    batch.info.reserve(size);
    batch.additional.reserve(size);
    const auto store = [&]() {
        if (clearAmounts) clearAdditionalAmounts(batch);
        if (!batch.info.empty() && !db.storeImportedRecipients(batch.info, batch.additional, {}, {})) return false;
        // The recipient writer leaves line 15b alone (no window enters it); last year's
        // value comes along all the same.
        for (const RecipientInfo& r : batch.info)
            if (!r.getLine15b_Misc().empty() &&
                !db.db->executeUpdate("update recipients set line15b = ? where pk = ?;", r.getLine15b_Misc(),
                                      r.getPK()))
                return false;
        batch.info.clear();
        batch.additional.clear();
        return true;
    };
    const Line13Plan& plan = order.line13;
    for (std::size_t from = 0; from < order.keys.size(); from += size) {
        const std::size_t to = std::min(order.keys.size(), from + size);
        keys.assign(order.keys.begin() + static_cast<std::ptrdiff_t>(from),
                    order.keys.begin() + static_cast<std::ptrdiff_t>(to));
        if (!readRecipients(prior, keys, read, readAdditional)) {
            readFailed = true;
            return false;
        }
        CarriedRecipients carried = carryRecipients(read, readAdditional);
        for (std::size_t i = 0; i < carried.info.size(); ++i) {
            const std::size_t position = from + i;
            if (!plan.removed.empty() && plan.removed[position]) continue;
            if (!plan.removed.empty()) applyLine13(plan, position, carried.info[i]);
            batch.info.push_back(std::move(carried.info[i]));
            batch.additional.push_back(std::move(carried.additional[i]));
        }
        if (!store()) return false;
    }
    // The 1099-NEC made for line 13 amounts follow every other recipient, made from
    // their 1099-MISC as carried.
    for (std::size_t from = 0; from < plan.newNec.size(); from += size) {
        const std::size_t to = std::min(plan.newNec.size(), from + size);
        keys.clear();
        for (std::size_t i = from; i < to; ++i) keys.push_back(order.keys[plan.newNec[i].first]);
        if (!readRecipients(prior, keys, read, readAdditional)) {
            readFailed = true;
            return false;
        }
        const CarriedRecipients misc = carryRecipients(read, readAdditional);
        for (std::size_t i = 0; i < misc.info.size(); ++i) {
            auto [nec, necAdditional] = necForMiscLine13(misc.info[i], misc.additional[i], plan.newNec[from + i].second);
            batch.info.push_back(std::move(nec));
            batch.additional.push_back(std::move(necAdditional));
        }
        if (!store()) return false;
    }
    return true;
}

// Writes a new database in one transaction; reason receives why it failed (readFailure
// when last year's recipients could not be read).
bool writeDatabase(const std::string& path, const std::string& name, const std::vector<UserInfo>& logins,
                   CompanyData& data, CompanyDatabase& prior, const RecipientOrder& order, bool clearAmounts,
                   const std::string& readFailure, std::string& reason) {
    CompanyDatabase db;
    if (!db.Init(path, false, true, true, name, CompanyDatabase::OpenFailures::quiet)) {
        reason = db.openFailure();
        return false;
    }
    bool readFailed = false;
    bool written = false;
    {
        // Both files are gone through once: their pages need not stay cached.
        const OnePassCache priorCache(*prior.db);
        const OnePassCache newCache(*db.db, kWriteCacheKiB);
        written = runWrite(
            *db.db,
            [&](WriteGuard&) {
                for (const UserInfo& user : logins)
                    if (!db.insertUserInfo(user)) return false;
                if (!data.payer.getName().empty()) {
                    if (!db.insertCompanyInfo(data.payer)) return false;
                    if (!carryRecipientsInto(prior, db, order, clearAmounts, readFailed)) return false;
                    if (data.transmitter.getPK() >= 0 && !db.updateEFileInfo(data.transmitter)) return false;
                }
                if (const auto& hook = writeHook()) hook(db);
                if (!db.VoidCorrectedCheckBox() || !db.purgeDoNotShowAgains() || !db.MoveImportFields()) return false;
                if (clearAmounts && !db.purgeNonGenericRecipientInfo()) return false;
                return db.SetYear(kNewYear) && db.SetBackup(false) && db.SetName(name);
            },
            [&](const std::string& why) { reason = why; });
    }
    if (readFailed) reason = readFailure;
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

// The registration of a 2025 database being replaced and the recent-database entry as
// they were, so that a failure can put them back.
class Registration {
public:
    Registration(AppDatabase& app, std::string target) : app_(app), target_(std::move(target)) {}

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

    // Puts the registration and the recent entry back.
    void restore() {
        if (unlisted_) (void)app_.InsertDatabaseInfo(*oldEntry_);   // a failure has been shown
        if (recentCleared_) (void)app_.SetRecentDatabaseInfo(*oldRecent_);
        unlisted_ = recentCleared_ = false;
    }

private:
    AppDatabase& app_;
    std::string target_;
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

}  // namespace

void setWriteHookForTests(std::function<void(CompanyDatabase&)> hook) { writeHook() = std::move(hook); }

void setRecipientBatchForTests(std::size_t size) { batchSize() = size > 0 ? size : kBatch; }

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
        CompanyData data = readCompany(prior, company.CompanyPK(), company.companyName());
        const std::optional<RecipientOrder> order =
            readRecipientOrder(prior, company.CompanyPK(), recipientSort, !clearAmounts);
        const std::string readFailure =
            "The company's information could not be read from the following database:\n\n    " + entry.path();
        std::string reason;
        bool ok = order.has_value();
        if (!ok) reason = readFailure;

        // Until the first database is written the run can still stop with nothing changed.
        if (j == 0 && meter.cancelled()) {
            prior.Close();
            return false;
        }
        meter.commitPoint();

        // The new file is made under a name of its own and takes the target's place only
        // when it is complete; a file it replaces is kept aside until the new one is listed.
        platform::FileReplacement made(target, platform::FileReplacement::Mode::keepPrevious);
        if (ok && !made.ok()) {
            ok = false;
            reason = made.error();
        }
        if (ok)
            ok = writeDatabase(made.temporaryPath(), name, *logins, data, prior, *order, clearAmounts, readFailure,
                               reason);
        if (j + 1 == chosen.size()) {
            prior.Close();
            scratch.remove();
        }
        if (ok && !made.commit()) {
            ok = false;
            reason = "The new database could not be put in place.\n\n" + made.error();
        }
        Registration registration(app, target);
        databaseInfo newEntry(name, target, kNewYear, entry.imported(), "");
        newEntry.setCompanyName(company.companyName());
        if (ok && (!registration.unregister() || !app.InsertDatabaseInfo(newEntry))) {
            ok = false;
            reason = "The new database could not be added to the list of company databases.";
            (void)app.DeleteDatabaseInfo(newEntry);   // a failure has been shown
        }
        if (!ok) {
            if (made.committed()) (void)made.restorePrevious();
            else made.abandon();
            registration.restore();
            prior.Close();
            box(kUnableToStart,
                "Unable to create the new year database for the company \"" + company.companyName() +
                    "\":\n\n    " + target + "\n\n" + reason,
                kMessageStyleOK, kStartNewYearTitle, kMessageImageError);
            return false;
        }
        made.discardPrevious();
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
