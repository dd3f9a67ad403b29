#include "core/foundation/Preferences.h"

#include "core/foundation/MessageBoxCodes.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <stdexcept>
#include <vector>

#include <sqlite3.h>

#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/sqlite/FMText.h"
#include "core/sqlite/WriteGuard.h"
#include "platform/FileSystem.h"
#include "platform/StandardPaths.h"
#include "platform/SystemLog.h"

namespace {

constexpr const char* kProduct = "1099";
constexpr int32_t kTaxYear = 2025;
constexpr const char* kOlderFileName = "Talvexa Preferences";

constexpr const char* kUpdateFailed = "Unable to update database.";

// A failure of opening, building or checking the schema: name is what the user is
// shown, the reason SQLite's message and code SQLite's result code (SQLITE_OK when the
// file itself was readable but holds no usable schema).
struct SchemaFailure : std::runtime_error {
    std::string name;
    int code;
    SchemaFailure(std::string failureName, const std::string& reason, int resultCode)
        : std::runtime_error(reason), name(std::move(failureName)), code(resultCode) {}
};

bool isFailureCode(int code) { return code != SQLITE_OK && code != SQLITE_ROW && code != SQLITE_DONE; }

// Only a file SQLite cannot read as a database at all is beyond use; a locked or
// unreadable file may be fine once the other program or the permissions let go.
bool isDamaged(int code) { return code == SQLITE_CORRUPT || code == SQLITE_NOTADB; }

// Moves a damaged database file, with any journal SQLite left beside it, to a dated
// name in the same folder. Returns the new path, or "" when the file could not be moved.
std::string setAside(const std::string& path) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", &local);
    std::string aside = path + ".damaged-" + stamp;
    for (int n = 2; platform::fileExists(aside); ++n) aside = path + ".damaged-" + stamp + "-" + std::to_string(n);
    if (!platform::movePath(path, aside)) return "";
    // A journal left beside the path would otherwise be played into the new file.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        if (platform::fileExists(path + suffix) && !platform::movePath(path + suffix, aside + suffix))
            platform::systemLog("Unable to move " + path + suffix + " aside");
    }
    return aside;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The text from character `start` on (characters are code points).
std::string charsFrom(const std::string& text, std::size_t start) {
    const std::u32string chars = Utils::toCodePoints(text);
    return Utils::fromCodePoints(chars.substr(std::min(start, chars.size())));
}

std::string charsAt(const std::string& text, std::size_t start, std::size_t count) {
    const std::u32string chars = Utils::toCodePoints(text);
    return Utils::fromCodePoints(chars.substr(std::min(start, chars.size()), count));
}

// The integer value of a stored text the way the preferences have always read it:
// leading blanks, an optional sign and the digits that follow; anything else is 0.
int32_t intValue(const std::optional<std::string>& text) {
    if (!text) return 0;
    const std::string& s = *text;
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + (s[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) v = -v;
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int32_t>(v);
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t nl = text.find('\n', start);
        if (nl == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }
}

}  // namespace

Preferences::~Preferences() {
    if (db_) db_->close();
}

bool Preferences::init(const std::string& path, bool showErrors) {
    isReady_ = false;
    if (db_) db_->close();
    std::string failure;
    // A damaged file is moved aside once; the new file in its place is then built.
    for (bool setAsideOnce = false;;) {
        try {
            openAndCheck(path);
            isReady_ = true;
            return true;
        } catch (const SchemaFailure& f) {
            failure = f.name + "\n\n    " + path + "\n\n" + f.what();
            if (!setAsideOnce && isDamaged(f.code)) {
                setAsideOnce = true;
                db_->close();
                const std::string aside = setAside(path);
                if (!aside.empty()) {
                    platform::systemLog("Damaged preferences database moved to " + aside + ": " + f.what());
                    if (showErrors)
                        askUser("The preferences database could not be read.",
                                "    " + path + "\n\n" + f.what() + "\n\nThe file has been moved aside as\n\n    " +
                                    aside + "\n\nand the program starts with default preferences.",
                                kMessageStyleOK, "", kMessageImageError);
                    continue;
                }
                failure += "\n\nThe file could not be moved aside.";
            }
        } catch (const std::exception& e) {
            failure = e.what();
        }
        break;
    }
    if (showErrors)
        askUser("Unable to initialize the Configuration Database.", failure, kMessageStyleYesNo, "",
                kMessageImageError);
    isReady_ = false;
    if (db_) db_->close();
    return false;
}

void Preferences::openAndCheck(const std::string& path) {
    db_ = FMDatabase::databaseWithPath(path);
    if (!db_->open()) throw SchemaFailure(kUpdateFailed, db_->lastErrorMessage(), db_->lastErrorCode());
    auto rs = db_->executeQuery("select count(*) from sqlite_master where name =?;", "version");
    if (!rs) throw SchemaFailure(kUpdateFailed, db_->lastErrorMessage(), db_->lastErrorCode());
    const int count = rs->next() ? rs->intForColumnIndex(0) : 0;
    const int code = db_->lastErrorCode();
    rs->close();
    if (isFailureCode(code)) throw SchemaFailure(kUpdateFailed, db_->lastErrorMessage(), code);
    update(count == 0);
}

namespace {

// The stored preference rows, in the order they are written.
struct PreferenceRow {
    const char* category;
    const char* name;
    const Preferences::Text& (Preferences::*field)() const;
};

const PreferenceRow kPreferenceRows[] = {
    {"General", "Open_Last_Database", &Preferences::openLastDatabase},
    {"General", "Font_Size", &Preferences::fontSize},
    {"General", "Frame_Positioning", &Preferences::framePositioning},
    {"General", "Remind_Backup", &Preferences::remindBackup},
    {"General", "Save_Command_Position_And_Size", &Preferences::saveCommandPosAndSize},
    {"General", "Save_Frame_Position", &Preferences::saveFramePosition},
    {"General", "Save_Frame_Size", &Preferences::saveFrameSize},
    {"Color_Cl", "Brightness", &Preferences::commandBrightness1},
    {"Color_Cl", "Hue", &Preferences::commandHue1},
    {"Color_Cl", "Saturation", &Preferences::commandSaturation1},
    {"Color_New", "Brightness", &Preferences::commandBrightness2},
    {"Color_New", "Hue", &Preferences::commandHue2},
    {"Color_New", "Saturation", &Preferences::commandSaturation2},
};

bool writePreferenceRows(FMDatabase& db, const Preferences& prefs) {
    if (!db.executeUpdate("delete from Pref_val;")) return false;
    for (const PreferenceRow& row : kPreferenceRows) {
        if (!db.executeUpdate("insert into Pref_val values(?,?,?);", row.category, row.name,
                              intValue((prefs.*row.field)())))
            return false;
    }
    return true;
}
}  // namespace

void Preferences::update(bool create) {
    if (!db_) throw SchemaFailure(kUpdateFailed, "no database", SQLITE_MISUSE);
    FMDatabase& db = *db_;
    if (create) {
        // The first failing statement's code tells a damaged file from a busy one.
        int code = SQLITE_OK;
        const auto step = [&](bool ok) {
            if (!ok && code == SQLITE_OK) code = db.lastErrorCode();
            return ok;
        };
        std::string reason;
        const bool stored = runWrite(
            db,
            [&](WriteGuard&) {
                if (!(step(db.executeUpdate("create table version (version INT);")) &&
                      step(db.executeUpdate("insert into version values (?);", 0)) &&
                      step(db.executeUpdate("create table App_Details (name TEXT, year INT, Config_path TEXT);")) &&
                      step(db.executeUpdate("create table Pref_val (Catgeory TEXT,name TEXT, val INT);"))))
                    return false;
                defaultValues();
                return step(writePreferenceRows(db, *this)) &&
                       step(db.executeUpdate("update version set version = ?;", 1));
            },
            [&](const std::string& why) {
                reason = why;
                // A transaction that could not begin leaves its code untouched.
                if (code == SQLITE_OK) code = db.lastErrorCode();
            });
        if (!stored) throw SchemaFailure(kUpdateFailed, reason, code);
        return;
    }

    int version = 0;
    bool found = false;
    auto rs = db.executeQuery("select version from version;");
    if (!rs) throw SchemaFailure(kUpdateFailed, db.lastErrorMessage(), db.lastErrorCode());
    if (rs->next()) {
        found = true;
        version = rs->intForColumn("version");
    } else if (isFailureCode(db.lastErrorCode())) {
        const std::string reason = db.lastErrorMessage();
        const int code = db.lastErrorCode();
        rs->close();
        throw SchemaFailure(kUpdateFailed, reason, code);
    }
    rs->close();
    if (found && version == 1) return;
    if (found && version > 1) {
        askUser("Configuration Database Version Warning!", "", kMessageStyleOK,
                "The database version does not match the code version.", kMessageImageError);
        return;
    }
    throw SchemaFailure(kUpdateFailed, "The file holds no valid version number.", SQLITE_OK);
}

void Preferences::Close() {
    if (db_) db_->close();
    isReady_ = false;
}

void Preferences::defaultValues() {
    // isReady_ is left alone: it tells whether the database is open, not a preference.
    App_year_ = 0;
    openLastCompany_ = "1";
    attuAutoLoad_ = "1";
    remindBackup_ = "0";
    remindBackup1_ = "0";
    showPageSetup_ = "0";
    showCheckPrintWarning_ = "1";
    promptMarkPrintedChecks_ = "0";
    showCriticalNewsOnly_ = "0";
    hideOldNews_ = "0";
    showEmployerMatches_ = "1";
    alternateRowColors_ = "1";
    extraLineEndings_ = "0";
    fontSize_ = "";
}

bool Preferences::InsertPreferences() {
    if (!db_) return false;
    // A partial rewrite would lose the stored rows: all of them are written or none.
    // The failure goes to the system log; the preferences in memory stay in use.
    return runWrite(*db_, [&](WriteGuard&) { return writePreferenceRows(*db_, *this); }, nullptr);
}

bool Preferences::selectPreferences() {
    if (!db_) return true;
    auto rs = db_->executeQuery("select * from Pref_val");
    if (!rs) return true;
    while (rs->next()) {
        const std::string name = rs->stringForColumn("name").value_or("");
        Text val = rs->stringForColumn("val");
        if (name == "Open_Last_Database") openLastDatabase_ = val;
        else if (name == "Font_Size") fontSize_ = val;
        else if (name == "Frame_Positioning") framePositioning_ = val;
        else if (name == "Remind_Backup") remindBackup_ = val;
        else if (name == "Save_Frame_Position") saveFramePosition_ = val;
        else if (name == "Save_Frame_Size") saveFrameSize_ = val;
        else if (name == "Brightness" || name == "Hue" || name == "Saturation") {
            const std::string category = rs->stringForColumn("Catgeory").value_or("");
            bool classic = category == "Color_Cl";
            if (!classic && category != "Color_New") continue;
            if (name == "Brightness") (classic ? commandBrightness1_ : commandBrightness2_) = val;
            else if (name == "Hue") (classic ? commandHue1_ : commandHue2_) = val;
            else (classic ? commandSaturation1_ : commandSaturation2_) = val;
        }
    }
    rs->close();
    return true;
}

bool Preferences::InsertAppDetails(const std::string& name, int32_t year, const std::string& path) {
    if (!db_) return false;
    // Never leave a year without its folder because the new entry could not be written.
    // The failure goes to the system log.
    return runWrite(
        *db_,
        [&](WriteGuard&) {
            if (db_->intForQuery("select count(*) from App_Details where name=? and year = ?", name, year) > 0 &&
                !db_->executeUpdate("delete from App_Details where name=? and year = ?;", name, year))
                return false;
            return db_->executeUpdate("Insert into App_details(name, Year, Config_Path) values(?, ?, ?);", name,
                                      year, path);
        },
        nullptr);
}

std::string Preferences::selectAppDetails(const std::string& name, int32_t year) {
    App_name_ = name;
    App_year_ = year;
    if (!db_) return "";
    auto rs = db_->executeQuery("select Config_Path from App_Details where name = ? and year = ?;", name, year);
    if (!rs) return "";
    std::string found;
    if (rs->next()) {
        App_Path_ = rs->stringForColumn("Config_Path");
        found = App_Path_.value_or("");
    }
    rs->close();
    return found;
}

bool Preferences::selectAppYear(const std::string& name, int32_t year) {
    if (!db_) return true;
    return db_->intForQuery("select count(*) from App_Details where name = ? and year = ?;", name, year) <= 0;
}

void Preferences::CopySystemValues() {
    if (!selectAppYear(kProduct, kTaxYear)) return;

    std::string contents;
    if (!platform::readFile(platform::preferencesDir() + "/" + kOlderFileName, contents)) return;
    if (contents.empty() || !fmtext::isValidUtf8(contents.data(), contents.size())) return;

    const std::vector<std::string> lines = splitLines(charsFrom(contents, 7));
    Preferences temp;
    std::string sectionProduct, sectionYear;
    int brightnessCount = 0;

    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        if (line == "[Payroll/Preferences]" || line == "[Payroll/Preferences/Command_Color_Classic]") continue;

        // The colour keys narrow the rest of the line's tests to the value just taken.
        std::string subject = line;
        auto take = [&](const char* key, std::size_t start, Text& field) {
            if (!contains(subject, key)) return false;
            field = charsFrom(subject, start);
            return true;
        };
        take("Open_Last_Database", 19, temp.openLastDatabase_);
        take("Remind_Backup", 14, temp.remindBackup_);
        take("Cloud_Backup", 13, temp.remindBackup1_);
        take("Save_Command_Position_And_Size", 31, temp.saveCommandPosAndSize_);
        take("Save_Frame_Size", 16, temp.saveFrameSize_);
        take("Save_Frame_Position", 20, temp.saveFramePosition_);
        take("Frame_Positioning", 18, temp.framePositioning_);
        take("Font_Size", 10, temp.fontSize_);
        // Brightness closes a colour section: the first section is the classic colour,
        // any later one the new colour.
        struct ColourKey {
            const char* key;
            std::size_t start;
            Text Preferences::*classic;
            Text Preferences::*newer;
        };
        static const ColourKey kColourKeys[] = {
            {"Hue", 4, &Preferences::commandHue1_, &Preferences::commandHue2_},
            {"Saturation", 11, &Preferences::commandSaturation1_, &Preferences::commandSaturation2_},
            {"Brightness", 11, &Preferences::commandBrightness1_, &Preferences::commandBrightness2_},
        };
        for (const ColourKey& colour : kColourKeys) {
            if (!contains(subject, colour.key)) continue;
            Text& field = temp.*(brightnessCount > 0 ? colour.newer : colour.classic);
            field = charsFrom(subject, colour.start);
            subject = *field;
            if (colour.classic == &Preferences::commandBrightness1_) ++brightnessCount;
        }
        if (contains(subject, "[1099/")) {
            sectionProduct = kProduct;
            sectionYear = charsAt(subject, 6, 4);
        }
        if (contains(subject, "Config_Directory")) {
            InsertAppDetails(sectionProduct, intValue(sectionYear), charsFrom(subject, 17));
            sectionProduct.clear();
            sectionYear.clear();
        }
        if (n + 1 == lines.size()) {
            temp.setupExpanded_ = "1";
            copyValues(temp);
            InsertPreferences();
        }
    }
}

void Preferences::copyValues(const Preferences& other) {
    openLastDatabase_ = other.openLastDatabase_;
    remindBackup_ = other.remindBackup_;
    saveCommandPosAndSize_ = other.saveCommandPosAndSize_;
    saveFrameSize_ = other.saveFrameSize_;
    saveFramePosition_ = other.saveFramePosition_;
    framePositioning_ = other.framePositioning_;
    fontSize_ = other.fontSize_;
}
