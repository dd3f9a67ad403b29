// The payroll tables of a company database: payroll companies and the recent one,
// paychecks with their detail tables and the magnetic-media reference. The 1099 schema
// creates none of them, so on its files every statement here fails to prepare: reads
// give their value for nothing found, writes store nothing.

#include <algorithm>
#include <type_traits>

#include "core/foundation/tvDatabase.h"
#include "core/payroll/Employee.h"
#include "core/payroll/EmployerReturns.h"
#include "core/payroll/Paycheck.h"
#include "core/sqlite/WriteGuard.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"

namespace {

using companyrows::readAll;

// Puts a row's columns into the record's fields of the same names, each read at the
// field's own width. Lists and held records are filled by their own readers.
struct ColumnsToFields {
    FMResultSet& rs;

    void operator()(const char* column, std::string& field) { field = companyrows::text(rs, column); }
    void operator()(const char* column, bool& field) { field = rs.intForColumn(column) != 0; }
    void operator()(const char* column, float& field) { field = static_cast<float>(rs.doubleForColumn(column)); }
    void operator()(const char* column, double& field) { field = rs.doubleForColumn(column); }
    template <class Field>
        requires std::is_integral_v<Field>
    void operator()(const char* column, Field& field) {
        field = static_cast<Field>(rs.longForColumn(column));
    }
    template <class Field>
        requires(!std::is_arithmetic_v<Field>)
    void operator()(const char*, Field&) {}
};

// Reads the rows of one check's detail table; place puts one row into the target and
// answers false when its index lies outside the list. False when the query did not
// run or a row could not be placed (the other rows are placed).
template <class Place>
bool readDetail(FMDatabase& db, const std::string& sql, int32_t companyKey, int32_t checkKey, Place place) {
    bool placed = true;
    const bool ran = readAll(db, sql, {FMValue(companyKey), FMValue(checkKey)}, [&](FMResultSet& rs) {
        if (!place(rs)) placed = false;
    });
    return ran && placed;
}

// Stores value at the row's index of list.
template <class Value>
bool putAtIndex(std::vector<Value>& list, int64_t index, Value value) {
    if (index < 0 || index >= static_cast<int64_t>(list.size())) return false;
    list[static_cast<std::size_t>(index)] = value;
    return true;
}

template <class Value>
bool readIndexedValues(FMDatabase& db, const std::string& sql, int32_t companyKey, int32_t checkKey,
                       const char* indexColumn, const char* valueColumn, std::vector<Value>& list) {
    return readDetail(db, sql, companyKey, checkKey, [&](FMResultSet& rs) {
        Value value{};
        ColumnsToFields{rs}(valueColumn, value);
        return putAtIndex(list, rs.intForColumn(indexColumn), value);
    });
}

// The value sets: every row's Val appended, in row order, to a new list.
template <class Value>
bool readValueList(FMDatabase& db, const std::string& sql, int32_t companyKey, int32_t checkKey,
                   std::vector<int64_t>& target) {
    std::vector<int64_t> values;
    const bool ran = readDetail(db, sql, companyKey, checkKey, [&](FMResultSet& rs) {
        Value value{};
        ColumnsToFields{rs}("Val", value);
        values.push_back(value);
        return true;
    });
    if (ran) target = std::move(values);
    return ran;
}

}  // namespace

// ---- payroll companies ----

int32_t CompanyDatabase::GetNextCompanyPK() {
    if (db->intForQuery("select count(*) as newPK from companyInfo;") < 1) return 0;
    return db->intForQuery("select max(PK) as newPK from companyInfo;") + 1;
}

int32_t CompanyDatabase::GetCompanyPKfromName(const std::string& name) {
    int32_t key = 0;
    readAll(*db, "select PK from companyInfo   where deleted = 0 and Name = (?);", {FMValue(name)},
            [&](FMResultSet& rs) { key = rs.intForColumn("PK"); });
    return key;
}

int32_t CompanyDatabase::GetCompanyPKfromID(const std::string& fedId, bool) {
    int32_t key = 0;
    readAll(*db, "select PK from companyInfo   where deleted = 0 and FedID = (?);",
            {FMValue(tvDatabase::Encrypt(fedId))}, [&](FMResultSet& rs) { key = rs.intForColumn("PK"); });
    return key;
}

bool CompanyDatabase::SetRecentCompanyPK(int32_t key) {
    return runWrite(
        *db, [&](WriteGuard& guard) {
            return guard.check(db->executeUpdate("update recentCompany set companyInfoFK = ?;", key));
        },
        nullptr);
}

int32_t CompanyDatabase::GetRecentCompanyPK(int32_t) {
    std::optional<int32_t> key;
    readAll(*db, "select companyInfoFK from recentCompany;", {}, [&](FMResultSet& rs) {
        if (!key) key = rs.intForColumn("companyInfoFK");
    });
    return key.value_or(-1);
}

std::vector<int32_t> CompanyDatabase::GetCompanyPKList() {
    std::vector<int32_t> keys;
    readAll(*db, "select PK from companyInfo;", {}, [&](FMResultSet& rs) { keys.push_back(rs.intForColumn("PK")); });
    return keys;
}

std::string CompanyDatabase::GetFedId() {
    std::optional<std::string> id;
    readAll(*db, "select FedID from companyInfo;", {}, [&](FMResultSet& rs) {
        if (!id) id = tvDatabase::Decrypt(companyrows::text(rs, "FedID"));
    });
    return id.value_or("");
}

// ---- employees, paychecks and the magnetic-media reference ----

int32_t CompanyDatabase::SelectEmployee(EMPLOYEE&, int32_t, int32_t) {
    // The employee table is never read into the record.
    return -1;
}

bool CompanyDatabase::FillCheck(CHECK& record, FMResultSet& rs) {
    record.forEachField(ColumnsToFields{rs});
    return true;
}

int32_t CompanyDatabase::SelectCheck(CHECK& record, int32_t companyKey, int32_t checkKey) {
    bool found = false;
    readAll(*db, "select * from checks  where companyInfoFK = (?) and checkPK = (?) ;",
            {FMValue(companyKey), FMValue(checkKey)}, [&](FMResultSet& rs) {
                if (found) return;
                found = true;
                FillCheck(record, rs);
            });
    if (!found) return 0;
    SelectCheckIncomes(record.Inc(), companyKey, checkKey);
    SelectCheckDeductions(record.Ded(), companyKey, checkKey);
    SelectCheckAccruals(record.Acc(), companyKey, checkKey);
    SelectCheckQuantities(record.Qty(), companyKey, checkKey);
    SelectCheckRates(record.Rate(), companyKey, checkKey);
    if (record.Pay()) SelectCheckPayvals(*record.Pay(), companyKey, checkKey);
    if (record.Hours()) SelectCheckHoursHourvals(*record.Hours(), companyKey, checkKey);
    if (record.HrRate()) SelectCheckHrRateHourvals(*record.HrRate(), companyKey, checkKey);
    SelectCheckDistributionPays(record.xdist(), companyKey, checkKey);
    SelectCheckMatches(record.Match(), companyKey, checkKey);
    return 1;
}

bool CompanyDatabase::SelectCheckIncomes(std::vector<int16_t>& list, int32_t companyKey, int32_t checkKey) {
    return readIndexedValues(*db, "select * from checkIncome where companyInfoFK = (?) and checkFK = (?);",
                             companyKey, checkKey, "IncIndex", "Inc", list);
}

bool CompanyDatabase::SelectCheckDeductions(std::vector<int16_t>& list, int32_t companyKey, int32_t checkKey) {
    return readIndexedValues(*db, "select * from checkDeductions where companyInfoFK = (?) and checkFK = (?);",
                             companyKey, checkKey, "DedIndex", "Ded", list);
}

bool CompanyDatabase::SelectCheckAccruals(std::vector<int16_t>& list, int32_t companyKey, int32_t checkKey) {
    return readIndexedValues(*db, "select * from checkAccruals where companyInfoFK = (?) and checkFK = (?);",
                             companyKey, checkKey, "AccIndex", "Acc", list);
}

bool CompanyDatabase::SelectCheckQuantities(std::vector<float>& list, int32_t companyKey, int32_t checkKey) {
    return readIndexedValues(*db, "select * from checkQuantities where companyInfoFK = (?) and checkFK = (?);",
                             companyKey, checkKey, "QtyIndex", "Qty", list);
}

bool CompanyDatabase::SelectCheckRates(std::vector<float>& list, int32_t companyKey, int32_t checkKey) {
    return readIndexedValues(*db, "select * from checkRates  where companyInfoFK = (?) and checkFK = (?);",
                             companyKey, checkKey, "RateIndex", "Rate", list);
}

bool CompanyDatabase::SelectCheckPayvals(PAYVALS& values, int32_t companyKey, int32_t checkKey) {
    return readValueList<int32_t>(*db, "select * from checkPayvals where companyInfoFK = (?) and checkFK = (?);",
                                  companyKey, checkKey, values.Val());
}

bool CompanyDatabase::SelectCheckHoursHourvals(HOURVALS& values, int32_t companyKey, int32_t checkKey) {
    return readValueList<int64_t>(*db,
                                  "select * from checkHoursHourvals where companyInfoFK = (?) and checkFK = (?);",
                                  companyKey, checkKey, values.Val());
}

bool CompanyDatabase::SelectCheckHrRateHourvals(HOURVALS& values, int32_t companyKey, int32_t checkKey) {
    return readValueList<int32_t>(
        *db, "select * from checkHrRateHourvals   where companyInfoFK = (?) and checkFK = (?);", companyKey,
        checkKey, values.Val());
}

bool CompanyDatabase::SelectCheckDistributionPays(std::vector<std::shared_ptr<DISTPAY>>& list, int32_t companyKey,
                                                  int32_t checkKey) {
    return readDetail(*db, "select * from checkDistributionPays where companyInfoFK = (?) and checkFK = (?);",
                      companyKey, checkKey, [&](FMResultSet& rs) {
                          const int64_t index = rs.intForColumn("xdistIndex");
                          if (index < 0 || index >= static_cast<int64_t>(list.size())) return false;
                          auto& share = list[static_cast<std::size_t>(index)];
                          if (!share) share = std::make_shared<DISTPAY>();
                          share->setDept(static_cast<int16_t>(rs.intForColumn("dept")));
                          share->setPercent(static_cast<float>(rs.intForColumn("Percent")));
                          return true;
                      });
}

bool CompanyDatabase::SelectCheckMatches(std::vector<int64_t>& list, int32_t companyKey, int32_t checkKey) {
    return readDetail(*db, "select * from checkMatches where companyInfoFK = (?) and checkFK = (?);", companyKey,
                      checkKey, [&](FMResultSet& rs) {
                          return putAtIndex<int64_t>(list, rs.intForColumn("MatchIndex"), rs.intForColumn("Match"));
                      });
}

int32_t CompanyDatabase::SelectCheckAccruedHours(std::vector<int64_t>& accHrs, int32_t companyKey, int32_t checkKey,
                                                 std::vector<int64_t>& avail, std::vector<int64_t>& coh,
                                                 std::vector<int64_t>& monthFlag, std::vector<int64_t>& quarterlyFlag,
                                                 std::vector<int64_t>& carryOverFlag, std::vector<int64_t>& coAmtDiff,
                                                 std::vector<int64_t>& checkAccrualDisable) {
    bool placed = true;
    const bool ran = readAll(
        *db, "select * from checkAccruedHours where companyInfoFK = (?) and checkFK = (?);",
        {FMValue(companyKey), FMValue(checkKey)}, [&](FMResultSet& rs) {
            if (!placed) return;
            const int64_t index = rs.intForColumn("AccHrsIndex");
            std::vector<int64_t>* lists[] = {&accHrs, &avail, &coh, &monthFlag, &quarterlyFlag, &carryOverFlag,
                                             &coAmtDiff, &checkAccrualDisable};
            for (auto* list : lists)
                if (index < 0 || index >= static_cast<int64_t>(list->size())) {
                    placed = false;
                    return;
                }
            const auto at = static_cast<std::size_t>(index);
            accHrs[at] = rs.longForColumn("AccHrs");
            avail[at] = rs.longForColumn("Avail");
            coh[at] = rs.longForColumn("COH");
            monthFlag[at] = rs.intForColumn("MonthFlag");
            quarterlyFlag[at] = rs.intForColumn("QuarterlyFlag");
            carryOverFlag[at] = rs.intForColumn("CarryOverFlag");
            coAmtDiff[at] = rs.longForColumn("CoAmtDiff");
            checkAccrualDisable[at] = rs.intForColumn("CheckAccrualDisable");
        });
    if (!ran && placed) return 0;
    return placed ? 1 : -1;
}

bool CompanyDatabase::FillMMREF(MMREF& record, FMResultSet& rs) {
    record.forEachField(ColumnsToFields{rs});
    return true;
}

int32_t CompanyDatabase::SelectMMREF(MMREF& record, int32_t companyKey) {
    bool found = false;
    readAll(*db, "select * from mmref where companyInfoFK = (?);", {FMValue(companyKey)}, [&](FMResultSet& rs) {
        if (found) return;
        found = true;
        FillMMREF(record, rs);
    });
    return found ? 1 : 0;
}
