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
    std::vector<Line13Facts> facts;
    // One record takes every row in turn: each row sets all the fields the move reads.
    RecipientInfo r;
    const bool read = companyrows::readAll(
        *db.db,
        "select " + columns + " from recipients where company_FK = ? ORDER BY lastName COLLATE NOCASE " + direction +
            ", firstName COLLATE NOCASE " + direction + ";",
        {key}, [&](FMResultSet& rs) {
            order.keys.push_back(rs.intForColumnIndex(0));
            if (!moveLine13) return;
            r.setType(rs.intForColumnIndex(1));
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
    recipients.clear();
    recipients.resize(keys.size());
    additional.clear();
    additional.reserve(keys.size());
    const std::vector<FMValue> args(keys.begin(), keys.end());
    std::unordered_map<int32_t, std::size_t> place;
    place.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) place.emplace(keys[i], i);
    std::vector<bool> found(keys.size(), false);
    // A batch of the usual size gives the same statements every time: they stay prepared.
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

// Writes the carried recipients of a company into the new database a batch at a time,
// under the keys their order gives them. readFailed() tells a failed read of last year's file
// from a failed write.
class RecipientWriter {
public:
    RecipientWriter(CompanyDatabase& prior, CompanyDatabase& db, bool clearAmounts)
        : prior_(prior), db_(db), clearAmounts_(clearAmounts), size_(batchSize()) {
        keys_.reserve(size_);
        batch_.info.reserve(size_);
        batch_.additional.reserve(size_);
    }

    bool readFailed() const { return readFailed_; }

    // The recipients that stay, in their order, with the line 13 moves applied.
    bool carryStaying(const RecipientOrder& order) {
        const Line13Plan& plan = order.line13;
        for (std::size_t from = 0; from < order.keys.size(); from += size_) {
            const std::size_t to = std::min(order.keys.size(), from + size_);
            keys_.assign(order.keys.begin() + static_cast<std::ptrdiff_t>(from),
                         order.keys.begin() + static_cast<std::ptrdiff_t>(to));
            if (!read()) return false;
            CarriedRecipients carried = carryRecipients(std::move(read_), std::move(readAdditional_));
            for (std::size_t i = 0; i < carried.info.size(); ++i) {
                const std::size_t position = from + i;
                if (!plan.removed.empty() && plan.removed[position]) continue;
                if (!plan.removed.empty()) applyLine13(plan, position, carried.info[i]);
                batch_.info.push_back(std::move(carried.info[i]));
                batch_.additional.push_back(std::move(carried.additional[i]));
            }
            if (!store()) return false;
        }
        return true;
    }

    // The 1099-NEC made for line 13 amounts, which follow every other recipient, made
    // from their 1099-MISC as carried.
    bool carryNewNec(const RecipientOrder& order) {
        const auto& newNec = order.line13.newNec;
        for (std::size_t from = 0; from < newNec.size(); from += size_) {
            const std::size_t to = std::min(newNec.size(), from + size_);
            keys_.clear();
            for (std::size_t i = from; i < to; ++i) keys_.push_back(order.keys[newNec[i].first]);
            if (!read()) return false;
            const CarriedRecipients misc = carryRecipients(std::move(read_), std::move(readAdditional_));
            for (std::size_t i = 0; i < misc.info.size(); ++i) {
                auto [nec, necAdditional] = necForMiscLine13(misc.info[i], misc.additional[i], newNec[from + i].second);
                batch_.info.push_back(std::move(nec));
                batch_.additional.push_back(std::move(necAdditional));
            }
            if (!store()) return false;
        }
        return true;
    }

private:
    bool read() {
        if (readRecipients(prior_, keys_, read_, readAdditional_)) return true;
        readFailed_ = true;
        return false;
    }

    bool store() {
        if (clearAmounts_) clearAdditionalAmounts(batch_);
        if (!batch_.info.empty() && !db_.storeImportedRecipients(batch_.info, batch_.additional, {}, {}))
            return false;
        // The recipient writer leaves line 15b alone (no window enters it); last year's
        // value comes along all the same.
        for (const RecipientInfo& r : batch_.info)
            if (!r.getLine15b_Misc().empty() &&
                !db_.db->executeUpdate("update recipients set line15b = ? where pk = ?;", r.getLine15b_Misc(),
                                       r.getPK()))
                return false;
        batch_.info.clear();
        batch_.additional.clear();
        return true;
    }

    CompanyDatabase& prior_;
    CompanyDatabase& db_;
    const bool clearAmounts_;
    const std::size_t size_;
    bool readFailed_ = false;
    std::vector<int32_t> keys_;
    std::vector<RecipientInfo> read_;
    std::vector<RecipientAdditionalInfo> readAdditional_;
    CarriedRecipients batch_;
};

// The rows of one new database, written inside its transaction.
bool writeRows(CompanyDatabase& db, CompanyDatabase& prior, const std::vector<UserInfo>& logins,
               CompanyData& data, const RecipientOrder& order, bool clearAmounts, bool& readFailed) {
    for (const UserInfo& user : logins)
        if (!db.insertUserInfo(user)) return false;
    if (data.payer.getName().empty()) return true;
    if (!db.insertCompanyInfo(data.payer)) return false;
    RecipientWriter recipients(prior, db, clearAmounts);
    const bool carried = recipients.carryStaying(order) && recipients.carryNewNec(order);
    readFailed = recipients.readFailed();
    if (!carried) return false;
    return data.transmitter.getPK() < 0 || db.updateEFileInfo(data.transmitter);
}

// The new year's clean-up of a new database whose rows are written.
bool cleanUp(CompanyDatabase& db, const std::string& name, bool clearAmounts) {
    if (!db.VoidCorrectedCheckBox() || !db.purgeDoNotShowAgains() || !db.MoveImportFields()) return false;
    if (clearAmounts && !db.purgeNonGenericRecipientInfo()) return false;
    return db.SetYear(kNewYear) && db.SetBackup(false) && db.SetName(name);
}

// Writes a new database in one transaction; reason receives why it failed
// (unreadReason when last year's recipients could not be read).
bool writeDatabase(const std::string& path, const std::string& name, const std::vector<UserInfo>& logins,
                   CompanyData& data, CompanyDatabase& prior, const RecipientOrder& order, bool clearAmounts,
                   const std::string& unreadReason, std::string& reason) {
    CompanyDatabase db;
    if (!db.Init(path, false, true, true, name, CompanyDatabase::OpenFailures::quiet)) {
        reason = db.openFailure();
        return false;
    }
    // Both files are gone through once: their pages need not stay cached.
    const OnePassCache priorCache(*prior.db);
    const OnePassCache newCache(*db.db, kWriteCacheKiB);
    bool readFailed = false;
    const bool written = runWrite(
        *db.db,
        [&](WriteGuard&) {
            if (!writeRows(db, prior, logins, data, order, clearAmounts, readFailed)) return false;
            if (const auto& hook = writeHook()) hook(db);
            return cleanUp(db, name, clearAmounts);
        },
        [&](const std::string& why) { reason = why; });
    if (readFailed) reason = unreadReason;
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

// What the run takes from last year's file besides each company's own rows.
struct PriorContents {
    std::vector<COMPANYLISTSTRUCT> chosen;   // the companies to roll over, in the order asked for
    std::vector<UserInfo> logins;
};

// What every company of a run shares.
struct Run {
    AppDatabase& app;
    databaseInfo& entry;
    ScratchCopy& scratch;
    CompanyDatabase& prior;
    const std::vector<UserInfo>& logins;
    std::string yearFolder;
    bool underscores = false;
    int32_t recipientSort = 0;
    bool clearAmounts = false;
};

const char* const kAccessCaption = "Unable to start new year";

std::string readFailure(const databaseInfo& entry) {
    return "The company's information could not be read from the following database:\n\n    " + entry.path();
}

// False, after telling the user, while a company database is open in the program.
bool noCompanyDatabaseOpen(Session& s) {
    const auto& open = s.DBH->companyDatabase();
    if (!open || !open->IsReady()) return true;
    askUser("Database must be closed before starting a new year.",
        "Any currently open databse must be closed before starting a new year. Please close the 'Start New "
        "Year' screen and select 'Close Databse' from the 'File' menu before starting a new year.",
        kMessageStyleOK, "Import Prior Year", kMessageImageError);
    return false;
}

// Copies last year's file to the scratch copy; false, after telling the user, when it
// cannot be copied.
bool copyPriorFile(const databaseInfo& entry, ScratchCopy& scratch) {
    const char* const accessDetails = "Unable to access create/access the temporary databse file.";
    if (!tvDatabase::CanAccessFile(entry.path(), true, kAccessCaption, accessDetails)) return false;
    if (!tvDatabase::CanAccessFile(scratch.path(), true, kAccessCaption, accessDetails)) return false;
    if (scratch.copyFrom(entry.path())) return true;
    scratch.remove();
    if (wasNotClosedProperly(entry.path())) {
        askUser(kUnableToStart, notClosedProperlyDetails(entry.path()), kMessageStyleOK, kStartNewYearTitle,
            kMessageImageError);
        return false;
    }
    askUser(kUnableToStart,
        "Unable to copy the database to the temporary initialization location.\n\n To resolve this issue, please "
        "try again , or hace a system administrator provide you with Read & Write access for the following "
        "files:\n\n" +
            entry.path() + "\n\n    " + scratch.path(),
        kMessageStyleOK, "", kMessageImageError);
    return false;
}

// Opens the copy as prior and reads its companies (those of companyKeys are chosen, in
// that order; a key of no company is skipped) and logins. Nothing, after telling the
// user, when the copy is no last-year database or cannot be read.
std::optional<PriorContents> openPrior(const ScratchCopy& scratch, CompanyDatabase& prior,
                                       const std::vector<int32_t>& companyKeys) {
    const auto unusable = [] {
        askUser(kUnableToStart, "Unable to initialize the database.", kMessageStyleOK, "", kMessageImageError);
        return std::nullopt;
    };
    // A copy that is not a company database, or an empty file that the open would fill
    // with a new schema, is no last-year database: it names no year of its own.
    const std::optional<int> copyYear = readDatabaseYear(scratch.path());
    if (!copyYear || *copyYear == 0 ||
        !prior.Init(scratch.path(), false, true, true, kScratchFileName, CompanyDatabase::OpenFailures::quiet) ||
        prior.GetYear() == 0)
        return unusable();
    std::vector<COMPANYLISTSTRUCT> listed;
    const int32_t count = prior.GetCompanyList1(listed, false);
    std::optional<std::vector<UserInfo>> logins = readLogins(prior);
    if (count < 0 || !logins) return unusable();
    PriorContents contents;
    contents.logins = std::move(*logins);
    for (int32_t key : companyKeys) {
        const auto company = std::find_if(listed.begin(), listed.end(),
                                          [&](const COMPANYLISTSTRUCT& c) { return c.CompanyPK() == key; });
        if (company != listed.end()) contents.chosen.push_back(*company);
    }
    return contents;
}

// A file of another year than the last is rolled over only when the user says so.
bool confirmOtherYear(const databaseInfo& entry) {
    if (entry.year() == kLastYear) return true;
    const std::string y = std::to_string(entry.year());
    AlertRequest warning;
    warning.icon = AlertIcon::Error;
    warning.title = kStartNewYearTitle;
    warning.message = "Import prior year information from a " + y + " database";
    warning.informative = "Are you sure you want to import prior year information from a " + y +
                          " database?\n\nImporting prior year information from a 2024 database is recommended.";
    warning.buttons = {"Yes", "No"};
    warning.returnButton = 1;
    return userInterface().alert(warning) == kAlertFirstButtonCode;
}

// The user's go-ahead for the run. A restart is asked about only where there is a
// database to replace.
bool confirmRun(const Run& run, const std::vector<COMPANYLISTSTRUCT>& chosen) {
    std::vector<std::string> names;
    std::vector<std::string> replaced;
    for (const auto& company : chosen) {
        names.push_back(company.companyName());
        const Target t = targetOf(run.app, run.yearFolder, company.companyName(), run.underscores);
        if (t.exists && std::find(replaced.begin(), replaced.end(), t.path) == replaced.end())
            replaced.push_back(t.path);
    }
    return askUser(replaced.empty() ? "Start New Year?" : "Restart New Year?",
               confirmationDetails(run.entry, names, replaced), kMessageStyleYesNo, kStartNewYearTitle,
               kMessageImagePrompt) == kMessageAnswerOkYes;
}

// One answer for every database of the run, before any file is made: true when last
// year's amounts are cleared.
bool askClearAmounts() {
    AlertRequest amounts;
    amounts.icon = AlertIcon::Plain;
    amounts.title = "Attention";
    amounts.message = "Do you want to clear 2024 specific Amounts and form data? (Recommended)";
    amounts.buttons = {"No", "Yes"};
    amounts.returnButton = 0;
    return userInterface().alert(amounts) != kAlertFirstButtonCode;
}

bool opensAsCompanyDatabase(const std::string& path, const std::string& name) {
    CompanyDatabase file;
    return file.Init(path, false, true, true, name, CompanyDatabase::OpenFailures::quiet);
}

// Whether the 2025 database at target may be replaced: it must open, and the user must
// agree to its deletion. False, after telling the user, when not.
bool mayReplace(const std::string& target, const databaseInfo& entry) {
    if (!opensAsCompanyDatabase(target, entry.name())) {
        askUser("Unable to restart new year.",
            "Please verify that the 2025 year database is not in use and try again. If the issue persists, "
            "please manually delete the following file:\n\n    " +
                target,
            kMessageStyleYesNo, kStartNewYearTitle, kMessageImageError);
        return false;
    }
    return askUser("Delete current year database?",
               "We don't mean to be rude, but are you sure you want to delete the existing 2025 database and "
               "erase all of this database's 2025 company information in order to restart the new year?"
               "\n\n    " + target,
               kMessageStyleYesNo, kStartNewYearTitle, kMessageImageError, true) == kMessageAnswerOkYes;
}

// Makes a company's new database under a name of its own and puts it in the target's
// place, listed, only when it is complete; a file it replaces is kept aside until the
// new one is listed, and comes back on any failure. With last, the copy of last year's
// file goes once the rows are read. reason receives why it failed.
bool installDatabase(const Run& run, const COMPANYLISTSTRUCT& company, const std::string& target,
                     CompanyData& data, const RecipientOrder& order, bool last, std::string& reason) {
    const std::string name = rollOverName(company.companyName());
    platform::FileReplacement made(target, platform::FileReplacement::Mode::keepPrevious);
    if (!made.ok()) {
        reason = made.error();
        return false;
    }
    bool ok = writeDatabase(made.temporaryPath(), name, run.logins, data, run.prior, order, run.clearAmounts,
                            readFailure(run.entry), reason);
    if (last) {
        run.prior.Close();
        run.scratch.remove();
    }
    if (ok && !made.commit()) {
        ok = false;
        reason = "The new database could not be put in place.\n\n" + made.error();
    }
    Registration registration(run.app, target);
    databaseInfo newEntry(name, target, kNewYear, run.entry.imported(), "");
    newEntry.setCompanyName(company.companyName());
    if (ok && (!registration.unregister() || !run.app.InsertDatabaseInfo(newEntry))) {
        ok = false;
        reason = "The new database could not be added to the list of company databases.";
        (void)run.app.DeleteDatabaseInfo(newEntry);   // a failure has been shown
    }
    if (!ok) {
        if (made.committed()) (void)made.restorePrevious();
        else made.abandon();
        registration.restore();
        return false;
    }
    made.discardPrevious();
    return true;
}

// Rolls company j of count over; false, after telling the user, when the run stops.
// target receives the path of its new database.
bool rollOverCompany(const Run& run, JobMeter& meter, std::size_t j, std::size_t count,
                     const COMPANYLISTSTRUCT& company, std::string& target) {
    // Looked at again for each company: an earlier one of the run may have made it.
    const Target found = targetOf(run.app, run.yearFolder, company.companyName(), run.underscores);
    target = found.path;
    if (found.listed || found.exists) run.entry.setImported(true);
    if (found.exists && !mayReplace(target, run.entry)) return false;
    if (!tvDatabase::CanCreateFile(target, true, kAccessCaption, "Unable to create the new year database file."))
        return false;

    meter.longStep("Copying " + company.companyName() + " (" + std::to_string(j + 1) + " of " +
                   std::to_string(count) + ")");
    CompanyData data = readCompany(run.prior, company.CompanyPK(), company.companyName());
    const std::optional<RecipientOrder> order =
        readRecipientOrder(run.prior, company.CompanyPK(), run.recipientSort, !run.clearAmounts);
    // Until the first database is written the run can still stop with nothing changed.
    if (j == 0 && meter.cancelled()) return false;
    meter.commitPoint();

    std::string reason;
    if (!order) reason = readFailure(run.entry);
    else if (installDatabase(run, company, target, data, *order, j + 1 == count, reason)) return true;
    askUser(kUnableToStart,
        "Unable to create the new year database for the company \"" + company.companyName() + "\":\n\n    " +
            target + "\n\n" + reason,
        kMessageStyleOK, kStartNewYearTitle, kMessageImageError);
    return false;
}

void reportSuccess(const databaseInfo& entry, const std::string& lastTarget) {
    askUser("Successfully started new year.",
        "1099 Year 2025 was successfully started. You may now begin processing 1099 for 2025 in the following "
        "database:\n\n    " +
            entry.name() + "\n    2025\n    " + lastTarget +
            "\n\nTo open this database select 'Database Manager' from the 'File' menu, choose this database from the "
            "list of 2025 databases, and click 'Open Database'. Alternatively, you may select 'Open Database' from "
            "the 'File' menu, and open a Database from this database directly.\n\nIf you need to access your prior "
            "year information, please exit this version of Talvexa 1099 and launch the prior year's version of "
            "Talvexa 1099.",
        kMessageStyleOK, kStartNewYearTitle, kMessageImageMessage);
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
    if (!noCompanyDatabaseOpen(s)) return false;

    // Everything is read from a copy; the copy goes on every way out.
    ScratchCopy scratch;
    if (!copyPriorFile(entry, scratch)) return false;
    CompanyDatabase prior;
    const std::optional<PriorContents> contents = openPrior(scratch, prior, companyKeys);
    if (!contents) return false;

    Run run{.app = *s.DBH->appDatabase(),
            .entry = entry,
            .scratch = scratch,
            .prior = prior,
            .logins = contents->logins,
            .yearFolder = s.configDir->GetDir(),
            .underscores = UseUnderscoresInDatabasePath(),
            .recipientSort = recipientSort};
    if (platform::fileExists(run.yearFolder + yearDatabaseFileName(entry.name(), run.underscores)))
        entry.setImported(true);
    if (!confirmOtherYear(entry) || !confirmRun(run, contents->chosen)) return false;
    if (contents->chosen.empty()) return true;
    run.clearAmounts = askClearAmounts();

    std::string lastTarget;
    JobMeter meter(kStartNewYearTitle, true);
    for (std::size_t j = 0; j < contents->chosen.size(); ++j)
        if (!rollOverCompany(run, meter, j, contents->chosen.size(), contents->chosen[j], lastTarget)) return false;
    meter.finish();

    // The list shows from now on that a 2025 database was made from this one.
    entry.setImported(true);
    markImported(run.app, entry.path());
    reportSuccess(entry, lastTarget);
    return true;
}

}  // namespace newyear
