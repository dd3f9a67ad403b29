// Building and upgrading the schema of a company database file, one numbered step
// after another. Each step stores its own number when it ends, so a file that was
// interrupted resumes after the last step it completed.

#include <functional>
#include <iterator>
#include <set>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/tvDatabase.h"
#include "core/sqlite/WriteGuard.h"
#include "platform/SystemLog.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyDatabaseUpgradeSteps.h"

namespace companydb_upgrade {

bool exec(CompanyDatabase& cdb, const std::string& sql, const std::vector<FMValue>& args) {
    return cdb.db->executeUpdate(sql, args);
}

void addColumn(CompanyDatabase& cdb, const std::string& table, const std::string& column, const std::string& type,
               const char* valueSql) {
    exec(cdb, "alter table " + table + " add column " + column + " " + type + ";");
    if (valueSql) exec(cdb, "update " + table + " set " + column + " = " + valueSql + ";");
}

bool queryHasRow(CompanyDatabase& cdb, const std::string& sql) {
    auto rs = cdb.db->executeQuery(sql);
    if (!rs) return false;
    bool has = rs->next();
    rs->close();
    return has;
}

bool tableHasRow(CompanyDatabase& cdb, const std::string& table) {
    return queryHasRow(cdb, "select * from " + table + " limit 1;");
}

int32_t rowCount(CompanyDatabase& cdb, const std::string& table) {
    return cdb.db->intForQuery("select count(*) from " + table + ";");
}

namespace {

std::set<std::string> columnNames(CompanyDatabase& cdb, const std::string& table) {
    std::set<std::string> names;
    auto rs = cdb.db->executeQuery("pragma table_info(" + table + ");");
    if (!rs) return names;
    while (rs->next())
        if (auto n = rs->stringForColumn("name")) names.insert(*n);
    rs->close();
    return names;
}

}  // namespace

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
    exec(cdb, "delete from " + layoutTable(form) + ";");
    if (form == "MISC") cdb.Insert1099MISCFields();
    else if (form == "INT") cdb.Insert1099INTFields();
    else if (form == "DIV") cdb.Insert1099DIVFields();
    else if (form == "S") cdb.Insert1099SFields();
    else if (form == "R") cdb.Insert1099RFields();
    else if (form == "NEC") cdb.Insert1099NECFields();
    else cdb.Insert1096Fields();
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
        // Inside a step a statement that fails (a column or table that already exists)
        // is passed over; only the step's begin, its version write and its commit decide.
        std::string failure;
        if (runsInTransaction(step)) {
            WriteGuard guard(*db);
            if (guard.began()) {
                kSteps[step - 1](*this);
                if (stepHook()) stepHook()(*this, step);
                guard.check(db->executeUpdate("update database set current_version = ?;", step));
                if (!guard.commit()) failure = guard.error().empty() ? std::string("The step could not be committed.") : guard.error();
            } else {
                failure = guard.error().empty() ? std::string("The step could not begin.") : guard.error();
            }
        } else {
            kSteps[step - 1](*this);
            if (stepHook()) stepHook()(*this, step);
            if (!db->executeUpdate("update database set current_version = ?;", step))
                failure = db->lastErrorMessage();
        }
        if (!failure.empty() || (!joined && db->isInTransaction())) {
            if (!joined && db->isInTransaction() && !db->rollback())
                platform::systemLog("Unable to roll back an upgrade step: " + db->lastErrorMessage());
            openFailure_ = "The database could not be upgraded to version " + std::to_string(step) +
                           " and was left at version " + std::to_string(step - 1) + ". " +
                           (failure.empty() ? std::string("An upgrade step did not end its transaction.") : failure);
            return false;
        }
    }
    return true;
}
