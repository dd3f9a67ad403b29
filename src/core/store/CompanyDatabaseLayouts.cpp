// The company's own copies of the editable print layouts: seven tables with one row
// per field of a layout, seeded from the built-in layouts, read for every print and
// written back from the layout editor.

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/tvDatabase.h"
#include "core/sqlite/WriteGuard.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/WX_FORMAT.h"
#include "core/store/format.h"

namespace {

struct LayoutTable {
    const char* name;
    int32_t layoutCode;
    int rows;                   // fields of the layout, one row each
    const char* insertSql;
    const char* seedFailure;    // shown when seeding fails
    const char* form;           // the form's name, for the user
};

const LayoutTable kMisc{
    "_1099MiscFormat", 0, 35,
    "insert into _1099MiscFormat (mappingID, noPrint, rJust, height, width, xCoord, yCoord) "
    "values( ?, ?, ?, ?, ?, ?, ? );",
    "Unable to insert 1099 Misc format fields. ", "1099-MISC"};
const LayoutTable k1096{
    "_1096Format", 2, 18,
    "insert into _1096Format (mappingID, noPrint, rJust, height, width, xCoord, yCoord) "
    "values(  ?, ?, ?, ?, ?, ?, ? );",
    "Unable to insert 1096 format fields. ", "1096"};
const LayoutTable kInt{
    "_1099INTFormat", 3, 36,
    "insert into _1099INTFormat (mappingID, noPrint, rJust, height, width, xCoord, yCoord) "
    "values (  ?, ?, ?, ?, ?, ?, ? );",
    "Unable to insert 1099 Int format fields. ", "1099-INT"};
const LayoutTable kS{
    "_1099SFormat", 4, 22,
    "insert into _1099SFormat (mappingID, noPrint, rJust, height, width, xCoord, yCoord) "
    "values(  ?, ?, ?, ?, ?, ?, ? );",
    "Unable to insert 1099 S format fields. ", "1099-S"};
const LayoutTable kDiv{
    "_1099DIVFormat", 5, 39,
    "insert into _1099DIVFormat (mappingID, noPrint, rJust, height, width, xCoord, yCoord) "
    "values(  ?, ?, ?, ?, ?, ?, ? );",
    "Unable to insert 1099 Div format fields. ", "1099-DIV"};
const LayoutTable kR{
    "_1099RFormat", 6, 42,
    "insert into _1099RFormat (mappingID, noPrint, rJust, height, width, xCoord, yCoord) "
    "values(  ?, ?, ?, ?, ?, ?, ? );",
    "Unable to insert 1099 R format fields. ", "1099-R"};
const LayoutTable kNec{
    "_1099NECFormat", 9, 24,
    "insert into _1099NECFormat (mappingID, noPrint, rJust, height, width, xCoord, yCoord) "
    "values (  ?, ?, ?, ?, ?, ?, ? );",
    "Unable to insert 1099 NEC format fields. ", "1099-NEC"};

void showSeedingFailure(const std::string& details) {
    tvDatabase::tvMessageBox("Database Error", details, kMessageStyleOK, "Talvexa 1099 E-File 2025", kMessageImageError, false);
}

bool tableHasRow(FMDatabase& db, const LayoutTable& table) {
    auto rows = db.executeQuery(std::string("select * from ") + table.name + ";");
    if (!rows) return false;
    bool any = rows->next();
    rows->close();
    return any;
}

// Returns whether the table now holds its rows (inside a caller's transaction: as part
// of it).
bool seed(FMDatabase& db, const LayoutTable& table) {
    // A partial copy would break the all-or-nothing rule of the table: the rows go in
    // together or not at all. Inside a caller's transaction the caller decides.
    const bool joined = db.isInTransaction();
    const bool stored = runWrite(
        db,
        [&](WriteGuard& guard) {
            // An existing copy, edited or not, is never overwritten.
            if (tableHasRow(db, table)) return true;
            WX_FORMAT holder;
            holder.Val = format().GetWXFmt(holder.Val, table.layoutCode, true);
            for (int i = 0; i < table.rows; ++i) {
                const WX_FMTVAL& e = holder.Val.at(i);
                guard.check(db.executeUpdate(table.insertSql, i, e.noprint(), e.rjust(), e.height(),
                                             int(e.width()), int(e.pt().x), int(e.pt().y)));
            }
            return guard.ok();
        },
        nullptr);
    if (!stored && !joined) showSeedingFailure(table.seedFailure);
    return stored;
}

// A layout that cannot be read is reported (once per opened file), so that a print run
// on it does not pass for one on the company's own layout.
std::vector<WX_FMTVAL>& read(CompanyDatabase& database, const LayoutTable& table,
                             std::vector<WX_FMTVAL>& destination) {
    try {
        companyrows::eachRow(database, std::string("select * from ") + table.name + " ORDER BY mappingID;", {},
                             [&](FMResultSet& rows) {
                                 int32_t field = rows.intForColumn("mappingID");
                                 // A field number the destination cannot hold is corrupt data: leave it out.
                                 if (field < 0 || static_cast<size_t>(field) >= destination.size()) return;
                                 WX_FMTVAL entry;
                                 entry.setNoprint(rows.intForColumn("noPrint"));
                                 entry.setRjust(rows.intForColumn("rJust"));
                                 entry.setHeight(rows.intForColumn("height"));
                                 entry.setWidth(static_cast<int16_t>(rows.intForColumn("width")));
                                 entry.setPt(WX_XPOINT{static_cast<int16_t>(rows.intForColumn("xCoord")),
                                                       static_cast<int16_t>(rows.intForColumn("yCoord"))});
                                 destination[static_cast<size_t>(field)] = entry;
                             });
    } catch (const std::exception&) {
        // Returned as far as it was filled.
    }
    return destination;
}

bool writeBack(CompanyDatabase& database, const LayoutTable& table, const std::vector<WX_FMTVAL>& layout) {
    FMDatabase& db = *database.db;
    // The edit is stored whole or not at all, so a print never uses half an edit.
    return companyrows::write(database, std::string("Unable to save the ") + table.form + " print layout.", [&] {
        // An empty table gets its full set of rows first, so that the edit below has
        // every row to land on.
        if (!tableHasRow(db, table) && !seed(db, table)) return false;
        const std::string sql = std::string("update ") + table.name +
                                " set  noPrint = (?), rJust = (?), height = (?), width = (?), xCoord = (?), "
                                "yCoord = (?)where mappingID = (?); ";
        const size_t count = std::min(layout.size(), static_cast<size_t>(table.rows));
        for (size_t i = 0; i < count; ++i) {
            const WX_FMTVAL& e = layout[i];
            if (!db.executeUpdate(sql, e.noprint(), e.rjust(), e.height(), int(e.width()), int(e.pt().x),
                                  int(e.pt().y), int(i)))
                return false;
            // A field whose row is missing from the file gets one, so that no part of
            // the edit is dropped without a word.
            if (db.changes() == 0 &&
                !db.executeUpdate(table.insertSql, int(i), e.noprint(), e.rjust(), e.height(), int(e.width()),
                                  int(e.pt().x), int(e.pt().y)))
                return false;
        }
        return true;
    });
}

}  // namespace

void CompanyDatabase::SetFormatFields(bool clear) {
    // Each table is refilled as a unit; a table that cannot be refilled keeps its rows.
    (void)companyrows::write(*this, "Unable to reset the print layouts.", [&] {
        if (clear) {
            for (const char* table : {"_1099MiscFormat", "_1099SFormat", "_1099INTFormat", "_1099DIVFormat",
                                      "_1099RFormat", "_1096Format"})
                if (!db->executeUpdate(std::string("delete from ") + table)) return false;
        }
        Insert1099MISCFields();
        Insert1099INTFields();
        Insert1099DIVFields();
        Insert1099SFields();
        Insert1099RFields();
        Insert1096Fields();
        return true;
    });
}

void CompanyDatabase::Insert1099MISCFields() { seed(*db, kMisc); }
void CompanyDatabase::Insert1099NECFields() { seed(*db, kNec); }
void CompanyDatabase::Insert1099INTFields() { seed(*db, kInt); }
void CompanyDatabase::Insert1099DIVFields() { seed(*db, kDiv); }
void CompanyDatabase::Insert1099RFields() { seed(*db, kR); }
void CompanyDatabase::Insert1099SFields() { seed(*db, kS); }
void CompanyDatabase::Insert1096Fields() { seed(*db, k1096); }

std::vector<WX_FMTVAL>& CompanyDatabase::Select1099MISCFields1(std::vector<WX_FMTVAL>& d) { return read(*this, kMisc, d); }
std::vector<WX_FMTVAL>& CompanyDatabase::Select1099INTFields1(std::vector<WX_FMTVAL>& d) { return read(*this, kInt, d); }
std::vector<WX_FMTVAL>& CompanyDatabase::Select1099DIVFields1(std::vector<WX_FMTVAL>& d) { return read(*this, kDiv, d); }
std::vector<WX_FMTVAL>& CompanyDatabase::Select1099RFields1(std::vector<WX_FMTVAL>& d) { return read(*this, kR, d); }
std::vector<WX_FMTVAL>& CompanyDatabase::Select1099SFields1(std::vector<WX_FMTVAL>& d) { return read(*this, kS, d); }
std::vector<WX_FMTVAL>& CompanyDatabase::Select1096Fields1(std::vector<WX_FMTVAL>& d) { return read(*this, k1096, d); }
std::vector<WX_FMTVAL>& CompanyDatabase::Select1099NECFields(std::vector<WX_FMTVAL>& d) { return read(*this, kNec, d); }

bool CompanyDatabase::Update1099MISCFields1(const std::vector<WX_FMTVAL>& l) {
    return writeBack(*this, kMisc, l);
}
bool CompanyDatabase::Update1099INTFields1(const std::vector<WX_FMTVAL>& l) {
    return writeBack(*this, kInt, l);
}
bool CompanyDatabase::Update1099DIVFields1(const std::vector<WX_FMTVAL>& l) {
    return writeBack(*this, kDiv, l);
}
bool CompanyDatabase::Update1099RFields1(const std::vector<WX_FMTVAL>& l) {
    return writeBack(*this, kR, l);
}
bool CompanyDatabase::Update1099SFields1(const std::vector<WX_FMTVAL>& l) {
    return writeBack(*this, kS, l);
}
bool CompanyDatabase::Update1096Fields1(const std::vector<WX_FMTVAL>& l) {
    return writeBack(*this, k1096, l);
}
bool CompanyDatabase::Update1099NECFields(const std::vector<WX_FMTVAL>& l) {
    return writeBack(*this, kNec, l);
}
