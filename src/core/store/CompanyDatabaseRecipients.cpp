// Recipient rows (table recipients) and the recipient lists.

#include <iterator>
#include <string_view>

#include "core/foundation/tvDatabase.h"
#include "core/store/ComapnyInfo.h"
#include "core/sqlite/WriteGuard.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "core/store/RecipientListCount.h"

using namespace companyrows;

namespace {

using R = RecipientInfo;

using TextColumn = RowColumns<R>::Text;
using FlagColumn = RowColumns<R>::Flag;
using IntColumn = RowColumns<R>::Int;

// Name and address columns; older files may hold them in the Mac OS Roman encoding.
const TextColumn kNameColumns[] = {
    {"firstName", &R::getFirstName, &R::setFirstName}, {"lastName", &R::getLastName, &R::setLastName},
    {"address", &R::getAddress, &R::setAddress},       {"city", &R::getCity, &R::setCity},
    {"country", &R::getCountry, &R::setCountry},       {"state", &R::getState, &R::setState},
    {"zip", &R::getZip, &R::setZip},
};

// Stored scrambled.
const TextColumn kScrambledColumns[] = {
    {"taxID", &R::getTaxID, &R::setTaxID},
    {"accountNumber", &R::getAccountNumber, &R::setAccountNumber},
};

// Box texts, stored as they stand. Several 1099-INT columns carry other boxes than
// their names suggest; the same mapping serves reading and writing.
const TextColumn kBoxColumns[] = {
    {"line1", &R::getLine1_Misc, &R::setLine1_Misc},
    {"line2", &R::getLine2_Misc, &R::setLine2_Misc},
    {"line3", &R::getLine3_Misc, &R::setLine3_Misc},
    {"line4", &R::getLine4_Misc, &R::setLine4_Misc},
    {"line5", &R::getLine5_Misc, &R::setLine5_Misc},
    {"line6", &R::getLine6_Misc, &R::setLine6_Misc},
    {"line7", &R::getLine7_Misc, &R::setLine7_Misc},
    {"line8", &R::getLine8_Misc, &R::setLine8_Misc},
    {"line10", &R::getLine10_Misc, &R::setLine10_Misc},
    {"line11", &R::getLine11_Misc, &R::setLine11_Misc},
    {"line12", &R::getLine12_Misc, &R::setLine12_Misc},
    {"line13", &R::getLine13_Misc, &R::setLine13_Misc},
    {"line14", &R::getLine14_Misc, &R::setLine14_Misc},
    {"line15a", &R::getLine15a_Misc, &R::setLine15a_Misc},
    {"line16_1", &R::getLine16_1_Misc, &R::setLine16_1_Misc},
    {"line16_2", &R::getLine16_2_Misc, &R::setLine16_2_Misc},
    {"line17_1", &R::getLine17_1_Misc, &R::setLine17_1_Misc},
    {"line17_2", &R::getLine17_2_Misc, &R::setLine17_2_Misc},
    {"line18_1", &R::getLine18_1_Misc, &R::setLine18_1_Misc},
    {"line18_2", &R::getLine18_2_Misc, &R::setLine18_2_Misc},
    {"int_payerRTN", &R::getInt_payerRTN, &R::setInt_payerRTN},
    {"int_line1", &R::getInt_Line1, &R::setInt_Line1},
    {"int_line2", &R::getInt_Line2, &R::setInt_Line2},
    {"int_line3", &R::getInt_Line3, &R::setInt_Line3},
    {"int_line4", &R::getInt_Line4, &R::setInt_Line4},
    {"int_line5", &R::getInt_Line5, &R::setInt_Line5},
    {"int_line6", &R::getInt_Line6, &R::setInt_Line6},
    {"int_line7", &R::getInt_Line7, &R::setInt_Line7},
    {"int_line8", &R::getInt_Line8, &R::setInt_Line8},
    {"int_line9", &R::getInt_Line9, &R::setInt_Line9},
    {"int_line10", &R::getInt_Line12, &R::setInt_Line12},
    {"int_line11", &R::getInt_Line13_1, &R::setInt_Line13_1},
    {"int_line11_2", &R::getInt_Line13_2, &R::setInt_Line13_2},
    {"int_line12", &R::getInt_Line14_1, &R::setInt_Line14_1},
    {"int_line12_2", &R::getInt_Line14_2, &R::setInt_Line14_2},
    {"int_line13", &R::getInt_Line15_1, &R::setInt_Line15_1},
    {"int_line13_2", &R::getInt_Line15_2, &R::setInt_Line15_2},
    {"int_line14", &R::getInt_Line10, &R::setInt_Line10},
    {"int_line15", &R::getInt_Line11, &R::setInt_Line11},
    {"int_line16", &R::getInt_Line16, &R::setInt_Line16},
    {"int_line17", &R::getInt_Line17, &R::setInt_Line17},
    {"div_line1a", &R::getDiv_Line1a, &R::setDiv_Line1a},
    {"div_line1b", &R::getDiv_Line1b, &R::setDiv_Line1b},
    {"div_line2a", &R::getDiv_Line2a, &R::setDiv_Line2a},
    {"div_line2b", &R::getDiv_Line2b, &R::setDiv_Line2b},
    {"div_line2c", &R::getDiv_Line2c, &R::setDiv_Line2c},
    {"div_line2d", &R::getDiv_Line2d, &R::setDiv_Line2d},
    {"div_line2e", &R::getDiv_Line2e, &R::setDiv_Line2e},
    {"div_line2f", &R::getDiv_Line2f, &R::setDiv_Line2f},
    {"div_line3", &R::getDiv_Line3, &R::setDiv_Line3},
    {"div_line4", &R::getDiv_Line4, &R::setDiv_Line4},
    {"div_line5", &R::getDiv_Line5, &R::setDiv_Line5},
    {"div_line6", &R::getDiv_Line6, &R::setDiv_Line6},
    {"div_line7", &R::getDiv_Line7, &R::setDiv_Line7},
    {"div_line8", &R::getDiv_Line8, &R::setDiv_Line8},
    {"div_line9", &R::getDiv_Line9, &R::setDiv_Line9},
    {"div_line10", &R::getDiv_Line10, &R::setDiv_Line10},
    {"div_line11", &R::getDiv_Line11, &R::setDiv_Line11},
    {"div_sec199ADiv", &R::getDiv_Sec199ADiv, &R::setDiv_Sec199ADiv},
    {"div_line12", &R::getDiv_Line12_1, &R::setDiv_Line12_1},
    {"div_line13", &R::getDiv_Line13_1, &R::setDiv_Line13_1},
    {"div_line14", &R::getDiv_Line14_1, &R::setDiv_Line14_1},
    {"div_line12_2", &R::getDiv_Line12_2, &R::setDiv_Line12_2},
    {"div_line13_2", &R::getDiv_Line13_2, &R::setDiv_Line13_2},
    {"div_line14_2", &R::getDiv_Line14_2, &R::setDiv_Line14_2},
    {"s_line1", &R::getS_Line1, &R::setS_Line1},
    {"s_line2", &R::getS_Line2, &R::setS_Line2},
    {"s_address_line3", &R::getS_Address_Line3, &R::setS_Address_Line3},
    {"s_city_line3", &R::getS_City_Line3, &R::setS_City_Line3},
    {"s_state_line3", &R::getS_State_Line3, &R::setS_State_Line3},
    {"s_zip_line3", &R::getS_Zip_Line3, &R::setS_Zip_Line3},
    {"s_line5", &R::getS_Line5, &R::setS_Line5},
    {"r_line1", &R::getR_Line1, &R::setR_Line1},
    {"r_line2a", &R::getR_Line2a, &R::setR_Line2a},
    {"r_line3", &R::getR_Line3, &R::setR_Line3},
    {"r_line4", &R::getR_Line4, &R::setR_Line4},
    {"r_line5", &R::getR_Line5, &R::setR_Line5},
    {"r_line6", &R::getR_Line6, &R::setR_Line6},
    {"r_line7_code", &R::getR_Line7, &R::setR_Line7},
    {"r_line8", &R::getR_Line8, &R::setR_Line8},
    {"r_line9b", &R::getR_Line9b, &R::setR_Line9b},
    {"r_line10", &R::getR_Line10, &R::setR_Line10},
    {"r_line12_1", &R::getR_Line12_1, &R::setR_Line12_1},
    {"r_line12_2", &R::getR_Line12_2, &R::setR_Line12_2},
    {"r_line13_1", &R::getR_Line13_1, &R::setR_Line13_1},
    {"r_line13_2", &R::getR_Line13_2, &R::setR_Line13_2},
    {"r_line14_1", &R::getR_Line14_1, &R::setR_Line14_1},
    {"r_line14_2", &R::getR_Line14_2, &R::setR_Line14_2},
    {"r_line15_1", &R::getR_Line15_1, &R::setR_Line15_1},
    {"r_line15_2", &R::getR_Line15_2, &R::setR_Line15_2},
    {"r_line16_1", &R::getR_Line16_1, &R::setR_Line16_1},
    {"r_line16_2", &R::getR_Line16_2, &R::setR_Line16_2},
    {"r_line17_1", &R::getR_Line17_1, &R::setR_Line17_1},
    {"r_line17_2", &R::getR_Line17_2, &R::setR_Line17_2},
    {"r_DateOfPayment", &R::getR_DateOfPayment, &R::setR_DateOfPayment},
    {"nec_line1", &R::getLine1_NEC, &R::setLine1_NEC},
    {"nec_line3", &R::getLine3_NEC, &R::setLine3_NEC},
    {"nec_line4", &R::getLine4_NEC, &R::setLine4_NEC},
    {"nec_line5_1", &R::getLine5_1_NEC, &R::setLine5_1_NEC},
    {"nec_line5_2", &R::getLine5_2_NEC, &R::setLine5_2_NEC},
    {"nec_line6_1", &R::getLine6_1_NEC, &R::setLine6_1_NEC},
    {"nec_line6_2", &R::getLine6_2_NEC, &R::setLine6_2_NEC},
    {"nec_line7_1", &R::getLine7_1_NEC, &R::setLine7_1_NEC},
    {"nec_line7_2", &R::getLine7_2_NEC, &R::setLine7_2_NEC},
};

const FlagColumn kFlagColumns[] = {
    {"validated", &R::getValidated, &R::setValidated},
    {"printed", &R::getPrinted, &R::setPrinted},
    {"completed", &R::getCompleted, &R::setCompleted},
    {"corrected", &R::getCorrected, &R::setCorrected},
    {"void", &R::getVoided, &R::setVoided},
    {"addressIsNotUSTerritory", &R::getAddressIsNotUSTerritory, &R::setAddressIsNotUSTerritory},
    {"secondTin", &R::getSecondTin, &R::setSecondTin},
    {"FATCA_MISC", &R::getFATCA_MISC, &R::setFATCA_MISC},
    {"FATCA_DIV", &R::getFATCA_DIV, &R::setFATCA_DIV},
    {"FATCA_INT", &R::getFATCA_INT, &R::setFATCA_INT},
    {"FATCA_R", &R::getFATCA_R, &R::setFATCA_R},
    {"FATCA_NEC", &R::getFATCA_NEC, &R::setFATCA_NEC},
    {"line9", &R::getLine9_Misc, &R::setLine9_Misc},
    {"s_line4", &R::getS_Line4, &R::setS_Line4},
    {"s_line6", &R::getS_Line6, &R::setS_Line6},
    {"r_line2b_checkbox_1", &R::getR_Line2b_Checkbox_1, &R::setR_Line2b_Checkbox_1},
    {"r_line2b_checkbox_2", &R::getR_Line2b_Checkbox_2, &R::setR_Line2b_Checkbox_2},
    {"r_line7_checkbox", &R::getR_Line7_Checkbox, &R::setR_Line7_Checkbox},
    {"nec_line2_2", &R::getNec_Line2_2, &R::setNec_Line2_2},
};

const IntColumn kIntColumns[] = {
    {"company_FK", &R::getCompany_FK, &R::setCompany_FK},
    {"type", &R::getType, &R::setType},
    {"r_line8_percentage", &R::getR_Line8_Percentage, &R::setR_Line8_Percentage},
    {"r_line9a", &R::getR_Line9a, &R::setR_Line9a},
    {"r_line11", &R::getR_Line11, &R::setR_Line11},
};

// Every written column, in the order of writtenValues().
std::vector<std::string> writtenColumns() {
    return columnNames(kIntColumns, kFlagColumns, kNameColumns, kScrambledColumns, kBoxColumns);
}

// The 1099-INT Box 14 bond number is text kept in a column declared INT, where SQLite
// would turn "037833100" into 37833100 and drop the leading zero the agency needs. Its
// bytes are bound as a blob, which no column type converts and which reads back as the
// same text.
constexpr const char* kTextInWholeNumberColumn = "int_line10";

// The values of every written column after those already in values (a key, say), with
// room for one more (the key of an update).
std::vector<FMValue> writtenValues(const R& r, std::vector<FMValue> values = {}) {
    values.reserve(values.size() + std::size(kIntColumns) + std::size(kFlagColumns) + std::size(kNameColumns) +
                   std::size(kScrambledColumns) + std::size(kBoxColumns) + 1);
    appendColumnValues(values, r, kIntColumns, kFlagColumns, kNameColumns);
    for (const auto& c : kScrambledColumns) values.emplace_back(tvDatabase::Encrypt((r.*c.get)()));
    const std::size_t boxesStart = values.size();
    appendColumnValues(values, r, kBoxColumns);
    for (std::size_t i = 0; i < std::size(kBoxColumns); ++i) {
        if (std::string_view(kBoxColumns[i].column) != kTextInWholeNumberColumn) continue;
        const std::string number = (r.*kBoxColumns[i].get)();
        if (!number.empty()) values[boxesStart + i] = FMValue(FMBlob(number.begin(), number.end()));
    }
    return values;
}

const std::string& insertSql() {
    static const std::string sql = insertStatement("recipients", writtenColumns());
    return sql;
}

const std::string& updateSql() {
    static const std::string sql = updateStatement("recipients", writtenColumns());
    return sql;
}

// A box 9 amount written with one decimal is completed to two (12.5 -> 12.50).
std::string completedBox9(const std::string& amount) {
    const auto point = amount.find('.');
    if (point != std::string::npos && amount.size() - point - 1 == 1) return amount + "0";
    return amount;
}

const char kInsertFailed[] = "Unable to insert recipient info. ";
const char kUpdateFailed[] = "Unable to update recipient info. ";
const char kRecipientGone[] = "The recipient no longer exists in this company database.";

}  // namespace

bool CompanyDatabase::FillRecipient(RecipientInfo& r, FMResultSet& rs) {
    // Every row of a result set is read by the same names: their positions are looked up once.
    static const std::vector<std::string> kRead = [] {
        std::vector<std::string> names{"pk"};
        for (auto& name : columnNames(kIntColumns, kFlagColumns, kNameColumns, kScrambledColumns, kBoxColumns))
            names.push_back(std::move(name));
        names.emplace_back("line15b");
        return names;
    }();
    const std::vector<int>& at = rs.columnIndexesForNames(kRead);
    size_t i = 0;
    r.setPK(rs.intForColumnIndex(at[i++]));
    for (const auto& c : kIntColumns) (r.*c.set)(rs.intForColumnIndex(at[i++]));
    for (const auto& c : kFlagColumns) (r.*c.set)(flagAt(rs, at[i++]));
    for (const auto& c : kNameColumns) (r.*c.set)(nameTextAt(rs, at[i++]));
    for (const auto& c : kScrambledColumns) (r.*c.set)(tvDatabase::Decrypt(textAt(rs, at[i++])));
    for (const auto& c : kBoxColumns) (r.*c.set)(textAt(rs, at[i++]));
    r.setLine15b_Misc(textAt(rs, at[i]));
    return true;
}

namespace {

std::vector<RecipientInfo> readRecipients(CompanyDatabase& cdb, const std::string& sql,
                                          const std::vector<FMValue>& args, bool* whole = nullptr) {
    return readRows<RecipientInfo>(cdb, sql, args, &CompanyDatabase::FillRecipient, whole);
}

// One payer's recipients of a form kind, by key.
std::string payerKindSql(int32_t kind) {
    return "select * from recipients where (company_FK = ?) " + kindClause(kind) +
           " ORDER BY pk COLLATE NOCASE, firstName COLLATE NOCASE ";
}

}  // namespace

RecipientInfo CompanyDatabase::getRecipientInfo(int32_t key) {
    return readFirstRow<RecipientInfo>(*this, "select * from recipients where pk = ?;", {key},
                                       &CompanyDatabase::FillRecipient);
}

int32_t CompanyDatabase::getRecipientPK() {
    return largestKey(*this, "recipients", "Unable to get recipient key. ");
}

namespace {

// A new recipient's key: one above every key of both recipient tables, so that its
// additional row can take the same key even in a file whose tables are out of step.
int32_t newRecipientKey(FMDatabase& db) {
    // Both keys come from the tables' key indexes, so an insert costs the same in a
    // file of any size.
    return db.intForQuery("select max(ifnull((select max(pk) from recipients), -1), "
                          "ifnull((select max(pk) from recipients_additionalinfo), -1)) + 1;");
}

bool insertRecipientRow(FMDatabase& db, RecipientInfo& r, int32_t key) {
    r.setLine7_Misc(completedBox9(r.getLine7_Misc()));
    return db.executeUpdate(insertSql(), writtenValues(r, {key}));
}

}  // namespace

bool CompanyDatabase::insertRecipientInfo(RecipientInfo& record) {
    return write(*this, kInsertFailed,
                 [&] { return insertRecipientRow(*db, record, newRecipientKey(*db)); });
}

bool CompanyDatabase::insertRecipientInfo(RecipientInfo& record, RecipientAdditionalInfo& additional) {
    int32_t key = -1;
    const bool stored = write(*this, kInsertFailed, [&] {
        key = newRecipientKey(*db);
        return insertRecipientRow(*db, record, key) && insertadditionalRecipientInfo(additional);
    });
    if (stored) {
        record.setPK(key);
        additional.setPK(key);
    }
    return stored;
}

int32_t CompanyDatabase::nextRecipientKey() {
    auto rs = db->executeQuery("select max(ifnull((select max(pk) from recipients), -1), "
                               "ifnull((select max(pk) from recipients_additionalinfo), -1)) + 1;");
    if (!rs) return -1;
    const int32_t key = rs->next() ? rs->intForColumnIndex(0) : -1;
    rs->close();
    return key;
}

bool CompanyDatabase::insertRecipientInfo(RecipientInfo& record, RecipientAdditionalInfo& additional, int32_t key) {
    const bool stored = write(*this, kInsertFailed, [&] {
        return insertRecipientRow(*db, record, key) && insertAdditionalRow(additional, key);
    });
    if (stored) {
        record.setPK(key);
        additional.setPK(key);
    }
    return stored;
}

bool CompanyDatabase::storeImportedRecipients(std::vector<RecipientInfo>& added,
                                              std::vector<RecipientAdditionalInfo>& addedAdditional,
                                              const std::vector<RecipientInfo>& overwrites,
                                              const std::vector<RecipientAdditionalInfo>& overwriteAdditional) {
    if (addedAdditional.size() != added.size() || overwriteAdditional.size() != overwrites.size()) return false;
    // A handful of statements, each run once per recipient: prepared once for the run.
    const bool caching = db->shouldCacheStatements();
    db->setShouldCacheStatements(true);
    std::vector<int32_t> keys;
    const bool stored = write(*this, "Unable to import the recipients. Nothing was imported.", [&](WriteGuard& guard) {
        int32_t key = nextRecipientKey();
        if (key < 0) return false;
        for (size_t i = 0; i < added.size(); ++i, ++key) {
            if (!insertRecipientRow(*db, added[i], key) || !insertAdditionalRow(addedAdditional[i], key)) return false;
            keys.push_back(key);
        }
        for (size_t i = 0; i < overwrites.size(); ++i) {
            std::vector<FMValue> args = writtenValues(overwrites[i]);
            args.emplace_back(overwrites[i].getPK());
            if (!db->executeUpdate(updateSql(), args)) return false;
            if (db->changes() == 0) {
                guard.fail(kRecipientGone);
                return false;
            }
            RecipientAdditionalInfo additional = overwriteAdditional[i];
            additional.setPK(overwrites[i].getPK());
            bool found = false;
            if (!updateAdditionalRow(additional, found)) return false;
            // A recipient stored without additional data gets it now.
            if (!found && !insertAdditionalRow(additional, additional.getPK())) return false;
        }
        return true;
    });
    db->setShouldCacheStatements(caching);
    if (stored) {
        for (size_t i = 0; i < added.size(); ++i) {
            added[i].setPK(keys[i]);
            addedAdditional[i].setPK(keys[i]);
        }
    }
    return stored;
}

bool CompanyDatabase::updateRecipientInfo(const RecipientInfo& record) {
    return write(*this, kUpdateFailed, [&](WriteGuard& guard) {
        std::vector<FMValue> args = writtenValues(record);
        args.emplace_back(record.getPK());
        if (!db->executeUpdate(updateSql(), args)) return false;
        // A recipient deleted meanwhile leaves nothing to rewrite: that is no save.
        if (db->changes() == 0) {
            guard.fail(kRecipientGone);
            return false;
        }
        return true;
    });
}

bool CompanyDatabase::deleteRecipient(const RecipientInfo& record) {
    return write(*this, "Unable to delete recipient info. ", [&] {
        return db->executeUpdate("delete from recipients_additionalinfo where pk = ?;", record.getPK()) &&
               db->executeUpdate("delete from recipients where pk = ?;", record.getPK());
    });
}

std::vector<RecipientInfo> CompanyDatabase::getRecipients(int32_t companyKey, int32_t kind) {
    return readRecipients(*this, payerKindSql(kind), {companyKey});
}

std::optional<std::vector<StoredTaxID>> CompanyDatabase::getRecipientTaxIDsInFull(int32_t companyKey,
                                                                                   int32_t kind) {
    // The main window's last read of the list may hold the very rows, still as stored.
    if (auto kept = keptRecipientTaxIDs(*this, companyKey, kind)) return kept;
    // The table has no index on its payer column, so this scans the file: it reads no
    // more of each row than the check compares.
    bool whole = false;
    std::vector<StoredTaxID> list = readRows<StoredTaxID>(
        *this, "select pk, company_FK, type, taxID from recipients where (company_FK = ?) " + kindClause(kind),
        {companyKey},
        [](CompanyDatabase&, StoredTaxID& r, FMResultSet& rs) {
            r.key = rs.intForColumnIndex(0);
            r.payer = rs.intForColumnIndex(1);
            r.kind = rs.intForColumnIndex(2);
            r.taxID = tvDatabase::Decrypt(rs.stringForColumnIndex(3).value_or(std::string()));
            return true;
        },
        &whole);
    if (!whole) return std::nullopt;
    return list;
}

std::vector<RecipientInfo> CompanyDatabase::getRecipientInfo1(int32_t companyKey, int32_t direction,
                                                              int32_t kind, int32_t) {
    const std::string dir = directionWord(direction);
    return readRecipients(*this,
                          "select * from recipients where (company_FK = ?) " + kindClause(kind) +
                              " ORDER BY pk COLLATE NOCASE  " + dir + ", firstName COLLATE NOCASE " +
                              dir + ";",
                          {companyKey});
}

namespace {

std::string nameFilterSql(const std::string& companies, int32_t direction, int32_t kind, int32_t status,
                          const char* firstOrder) {
    const std::string dir = directionWord(direction);
    return std::string("select * from recipients where ((lastName") + kNameLike + ") or (firstName" + kNameLike +
           ")) and " + companies +
           " " + kindClause(kind) + statusClause(status) + " ORDER BY " + firstOrder + " COLLATE NOCASE  " +
           dir + ", firstName COLLATE NOCASE " + dir + ";";
}

}  // namespace

std::vector<RecipientInfo> CompanyDatabase::execRecipientListQuery(const std::string& filter,
                                                                   int32_t direction, int32_t kind,
                                                                   int32_t status) {
    const std::string pattern = namePattern(filter);
    std::vector<FMValue> args{pattern, pattern};
    const std::string companies = companyClause("company_FK", selectedCompanyKeys(), args);
    return readRecipients(*this, nameFilterSql(companies, direction, kind, status, "pk"), args);
}

std::vector<RecipientInfo> CompanyDatabase::execRecipientListQueryImport(const std::vector<ComapnyInfo>& payers,
                                                                         const std::string& filter,
                                                                         int32_t direction, int32_t kind,
                                                                         int32_t status) {
    const std::string pattern = namePattern(filter);
    const std::string sql = nameFilterSql("(company_FK = ?)", direction, kind, status, "lastName");
    std::vector<RecipientInfo> list;
    for (const auto& payer : payers) {
        auto part = readRecipients(*this, sql, {pattern, pattern, payer.getPK()});
        for (auto& r : part) list.push_back(std::move(r));
    }
    return list;
}

std::vector<RecipientInfo> CompanyDatabase::execRecipientListQueryImport1(const std::string& companyKey,
                                                                          const std::string& filter,
                                                                          int32_t direction, int32_t kind,
                                                                          int32_t status) {
    const std::string pattern = namePattern(filter);
    return readRecipients(*this, nameFilterSql("(company_FK = ?)", direction, kind, status, "pk"),
                          {pattern, pattern, companyKey});
}

RecipientInfo CompanyDatabase::getRecipientInfopk(int32_t companyKey) {
    return readFirstRow<RecipientInfo>(*this, "select * from recipients where  recipients.company_FK = ?;",
                                       {companyKey}, &CompanyDatabase::FillRecipient);
}

std::vector<RecipientInfo> CompanyDatabase::SelectRecipients(const std::vector<int32_t>& keys, int32_t kind) {
    std::vector<RecipientInfo> list;
    if (kindClause(kind).empty()) return list;
    const std::string sql =
        "select * from recipients where pk IN (?) and type = '" + std::to_string(kind) + "' ;";
    for (int32_t key : keys) {
        auto part = readRecipients(*this, sql, {key});
        for (auto& r : part) list.push_back(std::move(r));
    }
    return list;
}
