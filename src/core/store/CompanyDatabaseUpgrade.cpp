// Building and upgrading the schema of a company database file, one numbered step
// after another. Each step stores its own number when it ends, so a file that was
// interrupted resumes after the last step it completed.

#include <sqlite3.h>

#include <functional>
#include <iterator>
#include <optional>
#include <set>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/tvDatabase.h"
#include "core/sqlite/WriteGuard.h"
#include "platform/SystemLog.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyDatabaseUpgradeSteps.h"

namespace companydb_upgrade {

namespace {

constexpr const char* kTransactionEnded =
    "The database ended the step's transaction before all of its statements had run.";

// The step under way. Its first failure ends it: every later statement of the step,
// and every write of the operations it calls, is refused (the watch stops them).
struct StepRun {
    CompanyDatabase& cdb;
    WriteGuard::FailureWatch& watch;
    bool needsTransaction;   // a step of its own transaction, or part of a new file's
};

thread_local StepRun* currentRun = nullptr;

// Whether the step may run its next statement. A step whose transaction SQLite has
// ended by itself (a full disk, an I/O error) must not go on: each further statement
// would be saved on its own.
bool mayGoOn(StepRun& run) {
    if (run.watch.failed()) return false;
    if (run.needsTransaction && !run.cdb.db->isInTransaction()) {
        run.watch.note(SQLITE_ABORT, kTransactionEnded);
        return false;
    }
    return true;
}

// Notes the failure of the statement that just ran (and a transaction that ended with it).
void noteFailure(StepRun& run) {
    FMDatabase& db = *run.cdb.db;
    run.watch.note(db.lastErrorCode(), db.lastErrorMessage());
    if (run.needsTransaction && !db.isInTransaction()) run.watch.note(SQLITE_ABORT, db.lastErrorMessage());
}

}  // namespace

// Inside a step only what a step that has run before would meet is passed over: a
// column, table or index that is already there, or a row whose key is taken. A full
// disk, an I/O error, a damaged file, a locked one or anything else ends the step.
bool passedOverInStep(int code, const std::string& message) {
    code &= 0xff;
    if (code == SQLITE_CONSTRAINT) return true;
    return code == SQLITE_ERROR && (message.find("already exists") != std::string::npos ||
                                    message.find("duplicate column name") != std::string::npos);
}

bool exec(CompanyDatabase& cdb, const std::string& sql, const std::vector<FMValue>& args) {
    StepRun* run = currentRun;
    if (run && !mayGoOn(*run)) return false;
    const bool ok = cdb.db->executeUpdate(sql, args);
    if (run) {
        if (!ok) noteFailure(*run);
        else if (run->needsTransaction && !cdb.db->isInTransaction()) run->watch.note(SQLITE_ABORT, kTransactionEnded);
    }
    return ok;
}

namespace {

bool hasColumn(CompanyDatabase& cdb, const std::string& table, const std::string& column);

}  // namespace

void addColumn(CompanyDatabase& cdb, const std::string& table, const std::string& column, const std::string& type,
               const char* valueSql) {
    // Some steps re-add a column the table already has (line11), and a step run again
    // after an interruption meets the columns it added before: that alter would fail
    // and change nothing, so it is left out rather than logged as a fault.
    if (!hasColumn(cdb, table, column)) exec(cdb, "alter table " + table + " add column " + column + " " + type + ";");
    if (valueSql) exec(cdb, "update " + table + " set " + column + " = " + valueSql + ";");
}

namespace {

// Runs a query and hands each row to `each`; a query that fails, or stops on an
// error before its last row, ends the step.
bool readRows(CompanyDatabase& cdb, const std::string& sql, const std::function<bool(FMResultSet&)>& each) {
    StepRun* run = currentRun;
    if (run && !mayGoOn(*run)) return false;
    auto rs = cdb.db->executeQuery(sql);
    if (!rs) {
        if (run) noteFailure(*run);
        return false;
    }
    FMError error;
    while (rs->nextWithError(&error))
        if (!each(*rs)) break;
    rs->close();
    if (error.code != 0 && error.code != SQLITE_ROW && error.code != SQLITE_DONE) {
        if (run) run->watch.note(error.code, error.description);
        return false;
    }
    return true;
}

}  // namespace

bool queryHasRow(CompanyDatabase& cdb, const std::string& sql) {
    bool has = false;
    readRows(cdb, sql, [&](FMResultSet&) {
        has = true;
        return false;
    });
    return has;
}

bool tableHasRow(CompanyDatabase& cdb, const std::string& table) {
    return queryHasRow(cdb, "select * from " + table + " limit 1;");
}

int32_t rowCount(CompanyDatabase& cdb, const std::string& table) {
    int32_t count = 0;
    readRows(cdb, "select count(*) from " + table + ";", [&](FMResultSet& rs) {
        count = rs.intForColumnIndex(0);
        return false;
    });
    return count;
}

namespace {

std::set<std::string> columnNames(CompanyDatabase& cdb, const std::string& table) {
    std::set<std::string> names;
    readRows(cdb, "pragma table_info(" + table + ");", [&](FMResultSet& rs) {
        if (auto n = rs.stringForColumn("name")) names.insert(*n);
        return true;
    });
    return names;
}

// Column names match without regard to case, as SQLite matches them.
bool hasColumn(CompanyDatabase& cdb, const std::string& table, const std::string& column) {
    for (const auto& existing : columnNames(cdb, table))
        if (textscan::equalIgnoringCase(existing, column)) return true;
    return false;
}

}  // namespace

bool readEachRow(CompanyDatabase& cdb, const std::string& sql, const std::function<void(FMResultSet&)>& each) {
    return readRows(cdb, sql, [&](FMResultSet& rs) {
        each(rs);
        return true;
    });
}

void rebuildRecipients(CompanyDatabase& cdb, const std::string& scratchTable, const std::vector<Column>& columns) {
    if (!exec(cdb, "alter table recipients rename to " + scratchTable + ";")) return;
    if (!exec(cdb, createTableSql("recipients", columns))) {
        exec(cdb, "alter table " + scratchTable + " rename to recipients;");
        return;
    }
    std::set<std::string> old = columnNames(cdb, scratchTable);
    std::string shared;
    for (const auto& c : columns) {
        if (!old.count(c.name)) continue;
        if (!shared.empty()) shared += ", ";
        shared += c.name;
    }
    bool copied =
        !shared.empty() && exec(cdb, "insert into recipients (" + shared + ") select " + shared + " from " +
                                         scratchTable + ";");
    if (!copied) {
        // Keep the recipients as they were rather than lose them.
        exec(cdb, "drop table recipients;");
        exec(cdb, "alter table " + scratchTable + " rename to recipients;");
        return;
    }
    exec(cdb, "drop table " + scratchTable + ";");
}

namespace {

struct LayoutRow {
    int step;
    const char* table;
    int mappingID;
    int width;
    int x;
    int y;
};

struct LayoutMove {
    int step;
    const char* table;
    int mappingID;
    int y;
};

// Rows that steps 7 to 21 add to the layouts of their time (no-print 0, right-justify
// 0, height 1). Step 36 replaces every layout, so they matter only in between.
const LayoutRow kLayoutRows[] = {
    {7, "MISC", 34, 200, 77, 157},  {7, "DIV", 25, 200, 77, 157},   {7, "INT", 23, 200, 77, 157},
    {7, "S", 19, 230, 77, 137},     {8, "1096", 17, 120, 220, 340}, {10, "INT", 23, 200, 77, 162},
    {10, "INT", 24, 30, 542, 468},  {10, "INT", 25, 70, 582, 468},  {10, "INT", 26, 100, 690, 468},
    {10, "DIV", 25, 200, 77, 157},  {10, "DIV", 26, 100, 427, 436}, {10, "DIV", 27, 100, 567, 436},
    {10, "DIV", 28, 30, 407, 472},  {10, "DIV", 29, 70, 462, 472},  {10, "DIV", 30, 100, 567, 472},
    {10, "S", 19, 200, 77, 128},    {10, "R", 39, 200, 77, 155},    {13, "INT", 27, 30, 542, 489},
    {13, "INT", 28, 70, 582, 489},  {13, "INT", 29, 100, 688, 489}, {13, "DIV", 31, 30, 407, 489},
    {13, "DIV", 32, 70, 462, 489},  {13, "DIV", 33, 100, 567, 489}, {14, "INT", 30, 100, 423, 439},
    {14, "INT", 31, 100, 562, 437}, {15, "MISC", 35, 10, 295, 438}, {15, "DIV", 35, 10, 360, 440},
    {15, "INT", 30, 100, 423, 402}, {15, "INT", 31, 100, 554, 402}, {15, "INT", 32, 10, 355, 410},
    {15, "INT", 33, 100, 554, 437}, {15, "INT", 34, 100, 423, 437}, {18, "R", 41, 10, 318, 422},
    {19, "INT", 33, 100, 423, 437}, {19, "INT", 34, 100, 554, 437}, {20, "S", 8, 10, 652, 235},
    {20, "S", 20, 10, 652, 268},    {21, "R", 41, 100, 325, 487},   {21, "DIV", 35, 100, 425, 305},
};

const LayoutMove kLayoutMoves[] = {
    {7, "MISC", 6, 85},  {7, "MISC", 7, 105}, {7, "MISC", 8, 125}, {7, "DIV", 15, 85},  {7, "DIV", 16, 105},
    {7, "DIV", 17, 125}, {7, "INT", 13, 85},  {7, "INT", 14, 100}, {7, "INT", 15, 125}, {7, "R", 30, 70},
    {7, "R", 31, 90},    {7, "R", 32, 110},   {7, "S", 10, 70},    {7, "S", 11, 90},    {7, "S", 12, 110},
    {10, "INT", 13, 90}, {10, "INT", 14, 110}, {10, "INT", 15, 130}, {10, "S", 10, 70}, {10, "S", 11, 90},
    {10, "S", 12, 110},  {10, "R", 30, 85},   {10, "R", 31, 105},  {10, "R", 32, 125},
};

std::string layoutTable(const std::string& form) {
    if (form == "MISC") return "_1099MiscFormat";
    if (form == "INT") return "_1099INTFormat";
    if (form == "DIV") return "_1099DIVFormat";
    if (form == "S") return "_1099SFormat";
    if (form == "R") return "_1099RFormat";
    if (form == "NEC") return "_1099NECFormat";
    return "_1096Format";
}

}  // namespace

void applyLayoutChanges(CompanyDatabase& cdb, int step, const std::string& form) {
    const std::string table = layoutTable(form);
    for (const auto& r : kLayoutRows) {
        if (r.step != step || form != r.table) continue;
        exec(cdb,
             "insert into " + table +
                 " (mappingID, noPrint, rJust, height, width, xCoord, yCoord) values (?, ?, ?, ?, ?, ?, ?);",
             {r.mappingID, 0, 0, 1, r.width, r.x, r.y});
    }
    for (const auto& m : kLayoutMoves) {
        if (m.step != step || form != m.table) continue;
        exec(cdb, "update " + table + " set yCoord = ? where mappingID = ?;", {m.y, m.mappingID});
    }
}

void resetLayout(CompanyDatabase& cdb, const std::string& form) {
    inOneWrite(cdb, [&] {
        // Emptied and refilled together, also in a step without a transaction of its
        // own: a table is never left empty.
        if (!exec(cdb, "delete from " + layoutTable(form) + ";") && !goOn(cdb)) return;
        if (form == "MISC") cdb.Insert1099MISCFields();
        else if (form == "INT") cdb.Insert1099INTFields();
        else if (form == "DIV") cdb.Insert1099DIVFields();
        else if (form == "S") cdb.Insert1099SFields();
        else if (form == "R") cdb.Insert1099RFields();
        else if (form == "NEC") cdb.Insert1099NECFields();
        else cdb.Insert1096Fields();
    });
}

bool goOn(CompanyDatabase& cdb) {
    (void)cdb;
    return !currentRun || mayGoOn(*currentRun);
}

void inOneWrite(CompanyDatabase& cdb, const std::function<void()>& body) {
    if (!goOn(cdb)) return;
    // Inside a step's transaction this joins it; the operations called in body then
    // join this write and leave their failures to the step.
    WriteGuard guard(*cdb.db);
    if (!guard.began()) return;
    body();
    if (currentRun && !mayGoOn(*currentRun)) guard.fail(currentRun->watch.message());
    (void)guard.commit();   // a failure is noted by the step's watch
}

}  // namespace companydb_upgrade

namespace {

using Step = void (*)(CompanyDatabase&);

const Step kSteps[] = {
    companydb_upgrade::step1,  companydb_upgrade::step2,  companydb_upgrade::step3,  companydb_upgrade::step4,
    companydb_upgrade::step5,  companydb_upgrade::step6,  companydb_upgrade::step7,  companydb_upgrade::step8,
    companydb_upgrade::step9,  companydb_upgrade::step10, companydb_upgrade::step11, companydb_upgrade::step12,
    companydb_upgrade::step13, companydb_upgrade::step14, companydb_upgrade::step15, companydb_upgrade::step16,
    companydb_upgrade::step17, companydb_upgrade::step18, companydb_upgrade::step19, companydb_upgrade::step20,
    companydb_upgrade::step21, companydb_upgrade::step22, companydb_upgrade::step23, companydb_upgrade::step24,
    companydb_upgrade::step25, companydb_upgrade::step26, companydb_upgrade::step27, companydb_upgrade::step28,
    companydb_upgrade::step29, companydb_upgrade::step30, companydb_upgrade::step31, companydb_upgrade::step32,
    companydb_upgrade::step33, companydb_upgrade::step34, companydb_upgrade::step35, companydb_upgrade::step36,
};
static_assert(std::size(kSteps) == companydb_upgrade::kCurrentVersion);

// These steps let their statements (and the operations they call) commit one by one;
// the step's version write then decides whether it counts as done.
bool runsInTransaction(int step) {
    return !(step == 9 || step == 16 || step == 17 || (step >= 26 && step <= 28));
}

std::function<void(CompanyDatabase&, int32_t)>& stepHook() {
    static std::function<void(CompanyDatabase&, int32_t)> hook;
    return hook;
}

}  // namespace

void CompanyDatabase::setStepHookForTesting(std::function<void(CompanyDatabase&, int32_t)> hook) {
    stepHook() = std::move(hook);
}

bool CompanyDatabase::update(bool fromScratch) {
    using namespace companydb_upgrade;
    int32_t start = 1;
    if (!fromScratch) {
        int32_t stored = db->intForQuery("select current_version from database;");
        if (stored > kCurrentVersion || stored < 0) {
            tvDatabase::tvMessageBox("Database Warning", "The database version does not match the code version.",
                                     kMessageStyleOK, "", kMessageImageError, false);
            openFailure_ = "The database version does not match the code version.";
            return false;
        }
        if (stored == kCurrentVersion) return true;
        start = stored + 1;
    }
    // A new file is built inside its caller's one transaction: each step then joins it,
    // and a failure is left to the caller to roll back as a whole.
    const bool joined = db->isInTransaction();
    for (int32_t step = start; step <= kCurrentVersion; ++step) {
        std::string failure;
        {
            WriteGuard::FailureWatch watch(*db, passedOverInStep);
            StepRun run{*this, watch, joined || runsInTransaction(step)};
            currentRun = &run;
            struct EndRun {
                ~EndRun() { currentRun = nullptr; }
            } endRun;
            if (runsInTransaction(step)) {
                WriteGuard guard(*db);
                if (guard.began()) {
                    kSteps[step - 1](*this);
                    if (stepHook()) stepHook()(*this, step);
                    if (mayGoOn(run))
                        guard.check(db->executeUpdate("update database set current_version = ?;", step));
                    else
                        guard.fail(watch.message());
                    if (!guard.commit()) failure = watch.failed() ? watch.message() : guard.error();
                } else {
                    failure = guard.error();
                }
                if (failure.empty() && !guard.began()) failure = "The step could not begin.";
            } else {
                // The step's statements and the operations it calls commit one by one;
                // the version is stored only when every one of them was.
                kSteps[step - 1](*this);
                if (stepHook()) stepHook()(*this, step);
                if (!mayGoOn(run)) failure = watch.message();
                else if (!db->executeUpdate("update database set current_version = ?;", step))
                    failure = db->lastErrorMessage();
                else if (joined && !db->isInTransaction())
                    failure = kTransactionEnded;
            }
            if (failure.empty() && !joined && db->isInTransaction()) failure = "An upgrade step did not end its transaction.";
        }
        if (failure.empty()) continue;
        if (joined) {
            openFailure_ = "The database could not be upgraded to version " + std::to_string(step) + ". " + failure;
            return false;
        }
        if (db->isInTransaction() && !db->rollback())
            platform::systemLog("Unable to roll back an upgrade step: " + db->lastErrorMessage());
        // Only the version the file really holds now is named: after a failed rollback
        // it may be unreadable until the file is opened again.
        std::optional<int32_t> left;
        readEachRow(*this, "select current_version from database;",
                    [&](FMResultSet& rs) { left = rs.intForColumnIndex(0); });
        openFailure_ = "The database could not be upgraded to version " + std::to_string(step) +
                       (left ? " and was left at version " + std::to_string(*left) : std::string()) + ". " +
                       failure;
        return false;
    }
    // A new file is made with the index in its one transaction, and fails without it; an
    // upgraded file gets it here or at a later open.
    if (!makeRecipientsIndex() && joined) {
        openFailure_ = "The database could not be built: " + db->lastErrorMessage();
        return false;
    }
    return true;
}

bool CompanyDatabase::makeRecipientsIndex() {
    if (!db) return false;
    if (db->intForQuery("select count(*) from sqlite_master where type = 'index' and name = 'recipientsIndex';") > 0)
        return true;
    // Without a busy wait: a lock held elsewhere fails the write at once, and the file is
    // used without the index until a later open makes it.
    const double patience = db->maxBusyRetryTimeInterval();
    db->setMaxBusyRetryTimeInterval(0);
    const bool made = runWrite(
        *db,
        [&](WriteGuard& guard) {
            return guard.check(
                db->executeUpdate("create index if not exists recipientsIndex on recipients (company_FK, pk, type);"));
        },
        [&](const std::string& reason) {
            platform::systemLog("The recipients of \"" + filePath + "\" are used without their index for now: " +
                                reason);
        });
    db->setMaxBusyRetryTimeInterval(patience);
    return made;
}
