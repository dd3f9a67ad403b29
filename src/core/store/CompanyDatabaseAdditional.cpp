// Additional recipient rows (table recipients_additionalinfo) and the joined recipient
// list of both recipient tables.


#include <algorithm>
#include <iterator>
#include <optional>
#include <variant>

#include "core/foundation/FormKind.h"
#include "core/store/ComapnyInfo.h"
#include "core/sqlite/FMResultSet.h"
#include "core/sqlite/FMValue.h"
#include "core/sqlite/WriteGuard.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientFullInfo.h"
#include "core/store/RecipientListCount.h"
#include "platform/SystemLog.h"

using namespace companyrows;

namespace {

using A = RecipientAdditionalInfo;

using TextColumn = RowColumns<A>::Text;
using FlagColumn = RowColumns<A>::Flag;
using IntColumn = RowColumns<A>::Int;

// Written in this order, after the key, company, kind and flag columns below.
const TextColumn kTextColumns[] = {
    {"tin_type", &A::gettin_type, &A::settin_type},
    {"name_type", &A::getname_type, &A::setname_typee},
    {"suffix", &A::getsuffix, &A::setsuffix},
    {"middleName", &A::getmiddleName, &A::setmiddleName},
    {"lastname_surname", &A::getlastname, &A::setlastname},
    {"addline2", &A::getaddline2, &A::setaddline2},
    {"Officecode", &A::getOfficecode, &A::setOfficecode},
    {"line19_1", &A::getline19_1_Misc, &A::setline19_1_Misc},
    {"line19_2", &A::getline19_2_Misc, &A::setline19_2_Misc},
    {"line20_1", &A::getline20_1_Misc, &A::setline20_1_Misc},
    {"line20_2", &A::getline20_2_Misc, &A::setline20_2_Misc},
    {"line21_1", &A::getTopState_M, &A::setTopState_M},
    {"line21_2", &A::getBottomState, &A::setBottomState_M},
    {"div_line15_1", &A::getDiv_Line15_1, &A::setDiv_Line15_1},
    {"div_line15_2", &A::getDiv_Line15_2, &A::setDiv_Line15_2},
    {"div_line16_1", &A::getDiv_Line16_1, &A::setDiv_Line16_1},
    {"div_line16_2", &A::getDiv_Line16_2, &A::setDiv_Line16_2},
    {"div_line17_1", &A::getDiv_StateINC_1, &A::setDiv_StateINC_1},
    {"div_line17_2", &A::getDiv_StateINC_2, &A::setDiv_StateINC_2},
    {"int_line18_1", &A::getInt_Line18_1, &A::setInt_Line18_1},
    {"int_line18_2", &A::getInt_Line18_2, &A::setInt_Line18_2},
    {"int_line19_1", &A::getInt_Line19_1, &A::setInt_Line19_1},
    {"int_line19_2", &A::getInt_Line19_2, &A::setInt_Line19_2},
    {"int_line20_1", &A::getInt_StateINCM_1, &A::setInt_StateINCM_1},
    {"int_line20_2", &A::getInt_StateINCM_2, &A::setInt_StateINCM_2},
    {"r_line18_1", &A::getR_Line18_1, &A::setR_Line18_1},
    {"r_line18_2", &A::getR_Line18_2, &A::setR_Line18_2},
    {"r_line19_1", &A::getR_Line19_1, &A::setR_Line19_1},
    {"r_line19_2", &A::getR_Line19_2, &A::setR_Line19_2},
    {"r_line20_1", &A::getTopState_R, &A::setTopState_R},
    {"r_line20_2", &A::getBottomState_R, &A::setBottomState_R},
    {"r_line21_1", &A::getStateINC1_R, &A::setStateINC1_R},
    {"r_line21_2", &A::getStateINC2_R, &A::setStateINC2_R},
    {"nec_line8_1", &A::getLine8_1_NEC, &A::setLine8_1_NEC},
    {"nec_line8_2", &A::getLine8_2_NEC, &A::setLine8_2_NEC},
    {"nec_line9_1", &A::getLine9_1_NEC, &A::setLine9_1_NEC},
    {"nec_line9_2", &A::getLine9_2_NEC, &A::setLine9_2_NEC},
    {"nec_line10_1", &A::getTopState_NEC, &A::setTopState_NEC},
    {"nec_line10_2", &A::getBottomState_NEC, &A::setBottomState_NEC},
};

const IntColumn kIntColumns[] = {
    {"company_FK", &A::getCompany_FK, &A::setCompany_FK},
    {"type", &A::getType, &A::setType},
};

const FlagColumn kFlagColumns[] = {
    {"validated", &A::getValidated, &A::setValidated}, {"printed", &A::getPrinted, &A::setPrinted},
    {"completed", &A::getCompleted, &A::setCompleted}, {"corrected", &A::getCorrected, &A::setCorrected},
    {"void", &A::getVoided, &A::setVoided},
};

// Every written column, in the order of writtenValues().
std::vector<std::string> writtenColumns() {
    return columnNames(kIntColumns, kFlagColumns, kTextColumns);
}

// The values of every written column after those already in values (a key, say), with
// room for one more (the key of an update).
std::vector<FMValue> writtenValues(const A& a, std::vector<FMValue> values = {}) {
    values.reserve(values.size() + std::size(kIntColumns) + std::size(kFlagColumns) + std::size(kTextColumns) + 1);
    appendColumnValues(values, a, kIntColumns, kFlagColumns, kTextColumns);
    return values;
}

const char kTable[] = "recipients_additionalinfo";

const std::string& insertSql() {
    static const std::string sql = insertStatement(kTable, writtenColumns());
    return sql;
}

const std::string& updateSql() {
    static const std::string sql = updateStatement(kTable, writtenColumns());
    return sql;
}

std::vector<RecipientAdditionalInfo> readAdditional(CompanyDatabase& cdb, const std::string& sql,
                                                    const std::vector<FMValue>& args) {
    return readRows<RecipientAdditionalInfo>(cdb, sql, args, &CompanyDatabase::FillRecipientadditonalfields);
}

// The joined list: kind and status clauses on the recipient row.
std::string joinedKindClause(int32_t kind) {
    if (!FormKind::isKnown(kind)) return std::string();
    return " AND r.type = '" + std::to_string(kind) + "'";
}

std::string joinedStatusClause(int32_t status) {
    const StatusCondition* c = statusCondition(status);
    if (!c) return std::string();
    return std::string(" AND r.") + c->column + " = '" + std::to_string(c->value) + "'";
}

#define TALVEXA_JOINED_COLUMNS                                                                         \
    "SELECT r.company_FK, r.pk, r.type, r.validated, r.printed, r.completed,r.corrected, r.void, " \
    "rai.name_type, r.firstName, r.lastName, rai.lastname_surname"
const char kJoinedColumns[] = TALVEXA_JOINED_COLUMNS;
// The positions of kJoinedColumns.
enum JoinedAt : int {
    kPayerAt,
    kKeyAt,
    kKindAt,
    kValidatedAt,
    kPrintedAt,
    kCompletedAt,
    kCorrectedAt,
    kVoidAt,
    kNameTypeAt,
    kFirstNameAt,
    kLastNameAt,
    kSurnameAt,
    kJoinedColumnCount
};
const char kJoinedSelect[] =
    TALVEXA_JOINED_COLUMNS " FROM recipients r JOIN recipients_additionalinfo rai ON r.pk = rai.pk WHERE ";
#undef TALVEXA_JOINED_COLUMNS

// A row of kJoinedColumns, read by position.
void fillJoinedRow(RecipientFullInfo& f, FMResultSet& rs) {
    f.setCompany_FK(rs.intForColumnIndex(kPayerAt));
    f.setPK(rs.intForColumnIndex(kKeyAt));
    f.setType(rs.intForColumnIndex(kKindAt));
    f.setValidated(flagAt(rs, kValidatedAt));
    f.setPrinted(flagAt(rs, kPrintedAt));
    f.setCompleted(flagAt(rs, kCompletedAt));
    f.setCorrected(flagAt(rs, kCorrectedAt));
    f.setVoided(flagAt(rs, kVoidAt));
    f.setnameType(textAt(rs, kNameTypeAt));
    f.setFirstName(nameTextAt(rs, kFirstNameAt));
    f.setLastName(nameTextAt(rs, kLastNameAt));
    f.setRLastName(textAt(rs, kSurnameAt));
}

std::string joinedOrder(int32_t direction) {
    const std::string dir = directionWord(direction);
    return " ORDER BY  rai.lastname_surname COLLATE NOCASE " + dir + ", r.firstName COLLATE NOCASE " + dir +
           ", r.lastName COLLATE NOCASE " + dir;
}

std::vector<RecipientFullInfo> readJoined(CompanyDatabase& cdb, const std::string& sql,
                                          const std::vector<FMValue>& args) {
    return readRows<RecipientFullInfo>(cdb, sql, args,
                                       [](CompanyDatabase&, RecipientFullInfo& row, FMResultSet& rs) {
                                           fillJoinedRow(row, rs);
                                           return true;
                                       });
}

}  // namespace

bool CompanyDatabase::FillRecipientadditonalfields(RecipientAdditionalInfo& a, FMResultSet& rs) {
    // Every row of a result set is read by the same names: their positions are looked up once.
    static const std::vector<std::string> kRead = [] {
        std::vector<std::string> names{"pk"};
        for (auto& name : columnNames(kIntColumns, kFlagColumns, kTextColumns)) names.push_back(std::move(name));
        return names;
    }();
    const std::vector<int>& at = rs.columnIndexesForNames(kRead);
    size_t i = 0;
    a.setPK(rs.intForColumnIndex(at[i++]));
    for (const auto& c : kIntColumns) (a.*c.set)(rs.intForColumnIndex(at[i++]));
    for (const auto& c : kFlagColumns) (a.*c.set)(flagAt(rs, at[i++]));
    for (const auto& c : kTextColumns) (a.*c.set)(textAt(rs, at[i++]));
    return true;
}

RecipientAdditionalInfo CompanyDatabase::getRecipientAdditionalInfo(int32_t key) {
    return readFirstRow<RecipientAdditionalInfo>(*this, "select * from recipients_additionalinfo where pk = ?;",
                                                 {key}, &CompanyDatabase::FillRecipientadditonalfields);
}

int32_t CompanyDatabase::getRecipientadditionalPK() {
    return largestKey(*this, kTable, "Unable to get recipient key. ");
}

bool CompanyDatabase::insertadditionalRecipientInfo(const RecipientAdditionalInfo& record) {
    return companyrows::write(*this, "Unable to insert recipient info. ", [&] {
        // The row belongs to the recipient inserted just before, whose key is the
        // largest; only a file without recipients falls back to the table's own next key.
        int32_t key = getRecipientPK();
        if (key < 0) key = getRecipientadditionalPK() + 1;
        return db->executeUpdate(insertSql(), writtenValues(record, {key}));
    });
}

bool CompanyDatabase::insertAdditionalRow(const RecipientAdditionalInfo& record, int32_t key) {
    return db->executeUpdate(insertSql(), writtenValues(record, {key}));
}

bool CompanyDatabase::updateAdditionalRow(const RecipientAdditionalInfo& record, bool& found) {
    std::vector<FMValue> args = writtenValues(record);
    args.emplace_back(record.getPK());
    if (!db->executeUpdate(updateSql(), args)) return false;
    found = db->changes() > 0;
    return true;
}

bool CompanyDatabase::updateAdditionalRecipientInfo(const RecipientAdditionalInfo& record) {
    return companyrows::write(*this, "Unable to update recipient info. ", [&](WriteGuard& guard) {
        bool found = false;
        if (!updateAdditionalRow(record, found)) return false;
        // A recipient deleted meanwhile leaves nothing to rewrite: that is no save.
        if (!found) {
            guard.fail("The recipient no longer exists in this company database.");
            return false;
        }
        return true;
    });
}

std::vector<RecipientAdditionalInfo> CompanyDatabase::getAddRecipients(int32_t companyKey, int32_t kind) {
    return readAdditional(*this,
                          "select * from recipients_additionalinfo where (company_FK = ?) " + kindClause(kind) +
                              " ORDER BY pk COLLATE NOCASE  ",
                          {companyKey});
}

std::vector<RecipientAdditionalInfo> CompanyDatabase::getAdditionalRecipients1(int32_t companyKey,
                                                                               int32_t direction,
                                                                               int32_t kind, int32_t) {
    return readAdditional(*this,
                          "select * from recipients_additionalinfo where (company_FK = ?) " + kindClause(kind) +
                              " ORDER BY pk COLLATE NOCASE  " + directionWord(direction) + ";",
                          {companyKey});
}

std::vector<RecipientAdditionalInfo> CompanyDatabase::getRecipientAdditionalInfo1(int32_t companyKey, int32_t,
                                                                                  int32_t kind, int32_t) {
    return readAdditional(*this,
                          "select * from recipients_additionalinfo where (company_FK = ?) " + kindClause(kind) +
                              ";",
                          {companyKey});
}

namespace {

std::string surnameSql(const std::string& companies, int32_t direction, int32_t kind, int32_t status) {
    return "select * from recipients_additionalinfo where ((lastname_surname like ?)) and " + companies + " " +
           kindClause(kind) + statusClause(status) + " ORDER BY pk COLLATE NOCASE  " + directionWord(direction) +
           ";";
}

}  // namespace

std::vector<RecipientAdditionalInfo> CompanyDatabase::getAdditionalRecipients(const std::string& filter,
                                                                              int32_t direction, int32_t kind,
                                                                              int32_t status) {
    std::vector<FMValue> args{surnamePattern(filter)};
    const std::string companies = companyClause("company_FK", selectedCompanyKeys(), args);
    return readAdditional(*this, surnameSql(companies, direction, kind, status), args);
}

std::vector<RecipientAdditionalInfo> CompanyDatabase::execRecipientListAddQueryImport(
    const std::string& companyKey, const std::string& filter, int32_t direction, int32_t kind, int32_t status) {
    return readAdditional(*this, surnameSql("(company_FK = ?)", direction, kind, status),
                          {surnamePattern(filter), companyKey});
}

bool CompanyDatabase::FillRecipientFullInfo(RecipientFullInfo& f, FMResultSet& rs) {
    f.setCompany_FK(rs.intForColumn("company_FK"));
    f.setPK(rs.intForColumn("pk"));
    f.setType(rs.intForColumn("type"));
    f.setValidated(flag(rs, "validated"));
    f.setPrinted(flag(rs, "printed"));
    f.setCompleted(flag(rs, "completed"));
    f.setCorrected(flag(rs, "corrected"));
    f.setVoided(flag(rs, "void"));
    f.setnameType(text(rs, "name_type"));
    f.setFirstName(nameText(rs, "firstName"));
    f.setLastName(nameText(rs, "lastName"));
    f.setRLastName(text(rs, "lastname_surname"));
    return true;
}

std::vector<RecipientFullInfo> CompanyDatabase::execRecipientFullInfoQuery(const std::vector<ComapnyInfo>& payers,
                                                                           const std::string& filter,
                                                                           int32_t direction, int32_t kind,
                                                                           int32_t status) {
    // No payer: no row can match, so nothing need be read.
    if (payers.empty()) return {};
    const std::string pattern = namePattern(filter);
    std::vector<FMValue> args{pattern, pattern, pattern};
    std::vector<int32_t> keys;
    for (const auto& p : payers) keys.push_back(p.getPK());
    const std::string sql = std::string(kJoinedSelect) +
                            "(r.lastName" + kNameLike + " OR r.firstName" + kNameLike + " OR rai.lastname_surname" +
                            kNameLike + ") and " +
                            companyClause("r.company_FK", keys, args) + " " + joinedKindClause(kind) +
                            joinedStatusClause(status) + joinedOrder(direction);
    return readJoined(*this, sql, args);
}

namespace {

// What "column = 'n'" (the kind and status clauses) gives for an INT column: the quoted
// digit is taken as a number, so only a stored number equal to it matches; NULL and text
// never do.
bool storedNumberIs(FMResultSet& rs, int index, int64_t n) {
    const std::optional<FMValue> value = rs.objectForColumnIndex(index);
    if (!value) return false;
    const FMValue::Storage& stored = value->storage();
    if (const auto* i = std::get_if<int64_t>(&stored)) return *i == n;
    if (const auto* i = std::get_if<int32_t>(&stored)) return *i == n;
    if (const auto* d = std::get_if<double>(&stored)) return *d == static_cast<double>(n);
    return false;
}

// The columns that the filing-status conditions 1 to 10 compare, in code order, for
// their positions in a result set.
const std::vector<std::string>& statusColumns() {
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> names;
        for (int32_t status = 1; statusCondition(status); ++status)
            names.emplace_back(statusCondition(status)->column);
        return names;
    }();
    return columns;
}

}  // namespace

RecipientListSnapshot readRecipientList(CompanyDatabase& cdb, const std::vector<int32_t>& listedPayers,
                                        const std::string& filter, int32_t direction) {
    RecipientListSnapshot snapshot;
    readRecipientList(cdb, listedPayers, filter, direction, snapshot);
    return snapshot;
}

bool readRecipientList(CompanyDatabase& cdb, const std::vector<int32_t>& listedPayers, const std::string& filter,
                       int32_t direction, RecipientListSnapshot& snapshot) {
    // Row i of the read is written over row i of the last one, so that the rows' storage
    // is used again instead of given back and asked for anew; rows left over go at the end.
    std::size_t used = 0;
    auto dropLeftovers = [&] {
        auto& rows = snapshot.rows;
        rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(used), rows.end());
        // A list of every recipient is not held on for a payer's list far smaller.
        if (rows.capacity() / 4 > rows.size()) rows.shrink_to_fit();
    };
    snapshot.payers.clear();
    const std::vector<int32_t> selected = selectedCompanyKeys();
    if (!cdb.IsReady() || !cdb.db) {
        dropLeftovers();
        return false;
    }
    if (selected.empty() && listedPayers.empty()) {
        dropLeftovers();
        return true;
    }
    // Every recipient of the selected and listed payers is read once, its additional row
    // joined where there is one. SQLite evaluates the payer and name conditions of the
    // list and total count per row (the two flags below); the kind and status
    // conditions are worked out afterwards from the row's own columns, for every kind
    // and status at once.
    const std::string every = namePattern("");
    const std::string pattern = namePattern(filter);
    std::vector<FMValue> args;
    auto companies = [&](const std::vector<int32_t>& keys) { return companyClause("r.company_FK", keys, args); };
    std::string sql = std::string(kJoinedColumns) + ", (" + companies(selected);
    sql += " AND (r.lastName" + std::string(kNameLike) + " OR r.firstName" + kNameLike + ")) AS inTotal";
    args.emplace_back(every);
    args.emplace_back(every);
    sql += ", (rai.pk IS NOT NULL AND " + companies(listedPayers);
    sql += " AND (r.lastName" + std::string(kNameLike) + " OR r.firstName" + kNameLike + " OR rai.lastname_surname" +
           kNameLike + ")) AS nameListed";
    args.emplace_back(pattern);
    args.emplace_back(pattern);
    args.emplace_back(pattern);
    // The scan tests every recipient of the file against the payers: each key once.
    std::vector<int32_t> either = selected;
    for (int32_t key : listedPayers)
        if (std::find(either.begin(), either.end(), key) == either.end()) either.push_back(key);
    // One payer's recipients are found through the payers' index; for several payers
    // one pass over the table is faster than a lookup per row (the unary "+" keeps the
    // query off the index).
    std::vector<FMValue> whereArgs;
    const std::string where = companyClause(either.size() > 1 ? "+r.company_FK" : "r.company_FK", either, whereArgs);
    args.insert(args.end(), whereArgs.begin(), whereArgs.end());
    sql += ", r.taxID FROM recipients r LEFT JOIN recipients_additionalinfo rai ON r.pk = rai.pk WHERE " +
           where + joinedOrder(direction);
    snapshot.payers = either;
    // The positions of the columns after kJoinedColumns.
    enum : int { kInTotalAt = kJoinedColumnCount, kNameListedAt, kTaxIDAt };
    // A pass over the whole table would fill the page cache with pages that a payer's
    // list seldom needs again, beside a snapshot of every row: it runs with a small
    // cache, which is given back its size afterwards (and refills as lists read pages).
    struct SmallCacheDuringScan {
        FMDatabase* db = nullptr;
        int32_t size = 0;
        ~SmallCacheDuringScan() {
            if (db && !db->executeStatements("pragma cache_size = " + std::to_string(size) + ";"))
                platform::systemLog("Unable to size the page cache again: " + db->lastErrorMessage());
        }
    } smallCache;
    if (either.size() > 1 && cdb.db) {
        smallCache.size = cdb.db->intForQuery("pragma cache_size;");
        if (cdb.db->executeStatements("pragma cache_size = -8192;")) smallCache.db = cdb.db.get();
    }
    const bool whole = eachRow(cdb, sql, args, [&](FMResultSet& rs) {
        if (used == snapshot.rows.size()) snapshot.rows.emplace_back();
        RecipientListSnapshot::Row& row = snapshot.rows[used];
        row.inTotal = rs.intForColumnIndex(kInTotalAt) != 0;
        row.nameListed = rs.intForColumnIndex(kNameListedAt) != 0;
        row.kind = 0;
        for (const FormKind& kind : FormKind::all())
            if (storedNumberIs(rs, kKindAt, kind.code)) row.kind = kind.code;
        row.status = 0;
        const std::vector<int>& statusAt = rs.columnIndexesForNames(statusColumns());
        for (std::size_t i = 0; i < statusAt.size(); ++i) {
            const int32_t status = static_cast<int32_t>(i) + 1;
            if (storedNumberIs(rs, statusAt[i], statusCondition(status)->value)) row.status |= 1u << i;
        }
        row.payer = rs.intForColumnIndex(kPayerAt);
        row.key = rs.intForColumnIndex(kKeyAt);
        row.taxID = rs.stringForColumnIndex(kTaxIDAt).value_or(std::string());
        if (row.nameListed)
            fillJoinedRow(row.info, rs);
        else
            row.info = RecipientFullInfo();
        ++used;
    });
    dropLeftovers();
    return whole;
}

std::vector<RecipientFullInfo> CompanyDatabase::getRecipientFullInfo1(int32_t companyKey, int32_t direction,
                                                                      int32_t kind, int32_t) {
    const std::string sql =
        std::string(kJoinedSelect) + "(r.company_FK = ?) " + joinedKindClause(kind) + joinedOrder(direction);
    return readJoined(*this, sql, {companyKey});
}
