// The payroll operations of the company database: on a new 1099 file, which has none
// of the payroll tables, and against payroll tables that each test creates itself.

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "core/store/CompanyRowsFixture.h"
#include "core/foundation/tvDatabase.h"
#include "core/payroll/EmployerReturns.h"
#include "core/payroll/Paycheck.h"

namespace {

const char* const kPayrollTables[] = {
    "companyInfo",     "recentCompany", "log",          "employee",           "checks",
    "checkIncome",     "checkDeductions", "checkAccruals", "checkQuantities", "checkRates",
    "checkPayvals",    "checkHoursHourvals", "checkHrRateHourvals", "checkDistributionPays", "checkMatches",
    "checkAccruedHours", "mmref"};

class PayrollTablesTest : public CompanyRowsTest {
protected:
    void TearDown() override {
        CompanyDatabase::setLogClock(nullptr);
        CompanyRowsTest::TearDown();
    }

    void createTables() {
        exec("create table companyInfo (PK integer, Name text, FedID text, deleted integer);"
             "create table recentCompany (companyInfoFK integer);"
             "create table log (logPK integer, dateTime text, companyInfoFK integer, employeeFK integer, "
             "logType integer, shortDescription text, longDescription text, errorFlag integer, warningFlag integer);"
             "create table checks (companyInfoFK integer, checkPK integer, status integer, statetab integer, "
             "sutastate integer, local integer, dirdep integer, taxflag integer, ChkDate text, PerEnd text, "
             "dept integer, EmpRec integer, ChkNum integer, spare1 integer, PerStart integer, DistPos integer, "
             "FicaWage integer, MedWage integer, FutaWage integer, SutaWage integer, spare2 integer, "
             "EmpLink integer, MonthLink integer, AddMedWage integer, FirstInQuarter integer, "
             "SutaState_Changed integer, EmprMed integer, allowances integer, check_status text, "
             "allowancesfed integer, statusfed integer, COAmtDiff integer);"
             "create table checkIncome (companyInfoFK integer, checkFK integer, IncIndex integer, Inc integer);"
             "create table checkDeductions (companyInfoFK integer, checkFK integer, DedIndex integer, Ded integer);"
             "create table checkAccruals (companyInfoFK integer, checkFK integer, AccIndex integer, Acc integer);"
             "create table checkQuantities (companyInfoFK integer, checkFK integer, QtyIndex integer, Qty real);"
             "create table checkRates (companyInfoFK integer, checkFK integer, RateIndex integer, Rate real);"
             "create table checkPayvals (companyInfoFK integer, checkFK integer, ValIndex integer, Val integer);"
             "create table checkHoursHourvals (companyInfoFK integer, checkFK integer, ValIndex integer, "
             "Val integer);"
             "create table checkHrRateHourvals (companyInfoFK integer, checkFK integer, ValIndex integer, "
             "Val integer);"
             "create table checkDistributionPays (companyInfoFK integer, checkFK integer, xdistIndex integer, "
             "dept integer, Percent integer);"
             "create table checkMatches (companyInfoFK integer, checkFK integer, MatchIndex integer, "
             "Match integer);"
             "create table checkAccruedHours (companyInfoFK integer, checkFK integer, AccHrsIndex integer, "
             "AccHrs integer, Avail integer, COH integer, MonthFlag integer, QuarterlyFlag integer, "
             "CarryOverFlag integer, CoAmtDiff integer, CheckAccrualDisable integer);"
             "create table mmref (companyInfoFK integer, PIN text, contact text, phone text, phoneExt text, "
             "fax text, email text, WFID text, xw3943 text, xw3944 text, preparer text, ecode text, "
             "resub integer, term integer, notify integer, einsub text, namesub text, addrsub text, "
             "citysub text, statesub text, zipsub text, plancode text, kindOfEmployer text);");
    }

    // A fixed log clock, and the stamp Log writes with it.
    std::string fixClock() {
        const auto when = std::chrono::system_clock::from_time_t(1767225599);   // end of 2025, UTC
        CompanyDatabase::setLogClock([when] { return when; });
        const std::time_t t = std::chrono::system_clock::to_time_t(when);
        std::tm local{};
        localtime_r(&t, &local);
        char text[128];
        std::strftime(text, sizeof text, "%x %X", &local);
        return text;
    }

    void addLogRow(int32_t key, int32_t company, int32_t employee, int32_t type, const std::string& text,
                   int32_t error, int32_t warning) {
        ASSERT_TRUE(cdb.db->executeUpdate("insert into log values (?, 'then', ?, ?, ?, ?, '', ?, ?);", key, company,
                                          employee, type, text, error, warning));
    }
};

// A 1099 file has no payroll table: the two live results hold, every other read finds
// nothing and every write stores nothing, and no box is shown for any of it.
TEST_F(PayrollTablesTest, NewDatabaseHasNoPayrollTables) {
    for (const char* table : kPayrollTables)
        EXPECT_EQ(count("select count(*) from sqlite_master where name = '" + std::string(table) + "'"), 0) << table;

    EXPECT_EQ(cdb.GetNextCompanyPK(), 0);
    EXPECT_EQ(cdb.GetFedId(), "");
    EXPECT_EQ(cdb.GetCompanyPKfromName("Acme"), 0);
    EXPECT_EQ(cdb.GetCompanyPKfromID("12-3456789", true), 0);
    EXPECT_EQ(cdb.GetRecentCompanyPK(0), -1);
    EXPECT_TRUE(cdb.GetCompanyPKList().empty());
    EXPECT_FALSE(cdb.SetRecentCompanyPK(3));
    EXPECT_FALSE(cdb.Log(1, 2, 3, "short", "long", 0, 0));
    std::vector<std::string> lines;
    EXPECT_FALSE(cdb.SelectLog(lines, 1, -1, 0, 0, -2, true));
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(cdb.PurgeLog());
    EXPECT_TRUE(cdb.PutLogEntries(1, {}, {}, {}, {}, {}, {}, {}));
    CHECK check;
    EXPECT_EQ(cdb.SelectCheck(check, 0, 0), 0);
    MMREF mmref;
    EXPECT_EQ(cdb.SelectMMREF(mmref, 0), 0);
    EMPLOYEE employee;
    EXPECT_EQ(cdb.SelectEmployee(employee, 0, 0), -1);
    // The error routine's call of Log stores nothing either, and reports nothing more.
    cdb.DatabaseError(-1, "Test failure.", "detail", false, true);
}

TEST_F(PayrollTablesTest, PayrollCompanies) {
    createTables();
    exec("insert into companyInfo values (4, 'Acme', '" + tvDatabase::Encrypt("12-3456789") + "', 0);"
         "insert into companyInfo values (9, 'Gone', '" + tvDatabase::Encrypt("98-7654321") + "', 1);"
         "insert into recentCompany values (4);");
    EXPECT_EQ(cdb.GetNextCompanyPK(), 10);
    EXPECT_EQ(cdb.GetFedId(), "12-3456789");
    EXPECT_EQ(cdb.GetCompanyPKfromName("Acme"), 4);
    EXPECT_EQ(cdb.GetCompanyPKfromName("Gone"), 0);    // deleted
    EXPECT_EQ(cdb.GetCompanyPKfromID("12-3456789", true), 4);
    EXPECT_EQ(cdb.GetCompanyPKList(), (std::vector<int32_t>{4, 9}));
    EXPECT_EQ(cdb.GetRecentCompanyPK(0), 4);
    EXPECT_TRUE(cdb.SetRecentCompanyPK(9));
    EXPECT_EQ(cdb.GetRecentCompanyPK(0), 9);
}

TEST_F(PayrollTablesTest, LogAddsEachWarningKindsWords) {
    createTables();
    const std::string stamp = fixClock();
    const char* suffixes[] = {
        " : WARNING - Database in use",
        " : WARNING - Changed tax setup",
        " : WARNING - Changed exemptions and/or state tax setup",
        " : WARNING - Created check with modified social security or medicare",
        " : WARNING - Created check for employee without a SUTA State",
        " : WARNING - Other check created after this date",
        "",
        "",
    };
    for (int32_t kind = 0; kind < 8; ++kind) ASSERT_TRUE(cdb.Log(5, 11, 2, "Event", "Details", 1, kind));
    ASSERT_TRUE(cdb.Log(5, 11, 2, "Plain", "", 0, -1));

    auto rs = cdb.db->executeQuery("select * from log order by logPK;");
    ASSERT_TRUE(rs);
    for (int32_t kind = 0; kind < 8; ++kind) {
        SCOPED_TRACE(kind);
        ASSERT_TRUE(rs->next());
        EXPECT_EQ(rs->intForColumn("logPK"), kind + 1);
        EXPECT_EQ(rs->stringForColumn("dateTime"), stamp);
        EXPECT_EQ(rs->intForColumn("companyInfoFK"), 5);
        EXPECT_EQ(rs->intForColumn("employeeFK"), 11);
        EXPECT_EQ(rs->intForColumn("logType"), 2);
        EXPECT_EQ(rs->stringForColumn("shortDescription"), "Event" + std::string(suffixes[kind]));
        EXPECT_EQ(rs->stringForColumn("longDescription"), "Details");
        EXPECT_EQ(rs->intForColumn("errorFlag"), 1);
        EXPECT_EQ(rs->intForColumn("warningFlag"), kind);
    }
    ASSERT_TRUE(rs->next());
    EXPECT_EQ(rs->stringForColumn("shortDescription"), "Plain");
    rs->close();

    // The error routine logs its message as an event of no warning kind.
    cdb.DatabaseError(7, "Test failure.", "detail", false, true);
    EXPECT_EQ(single("select shortDescription || '|' || longDescription || '|' || companyInfoFK || '|' || "
                     "warningFlag from log where logPK = 10"),
              "Test failure.|detail|7|-1");

    EXPECT_TRUE(cdb.PurgeLog());
    EXPECT_EQ(count("select count(*) from log"), 0);
}

TEST_F(PayrollTablesTest, SelectLogFilters) {
    createTables();
    addLogRow(1, 5, 1, 1, "a", 0, -1);
    addLogRow(2, -1, 1, 1, "global", 0, -1);
    addLogRow(3, 5, 2, 2, "b", 1, 0);
    addLogRow(4, 6, 1, 1, "other company", 0, -1);
    addLogRow(5, 5, 1, 2, "c", 0, 3);

    struct Case {
        const char* name;
        int32_t employee, type, errorFilter, warningMinimum;
        bool global;
        std::vector<std::string> expected;
    } cases[] = {
        {"all of the company", -1, 0, 0, -2, false, {"c", "b", "a"}},
        {"with the global rows", -1, 0, 0, -2, true, {"c", "b", "global", "a"}},
        {"one employee", 1, 0, 0, -2, false, {"c", "a"}},
        {"one type", -1, 2, 0, -2, false, {"c", "b"}},
        {"warnings of kind 0 or more", -1, 0, 0, 0, false, {"c", "b"}},
        {"warnings from -1", -1, 0, 0, -1, false, {"c", "b", "a"}},
        {"errors only", -1, 0, 1, -2, false, {"b"}},
        {"no errors", -1, 0, 2, -2, false, {"c", "a"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> lines;
        ASSERT_TRUE(cdb.SelectLog(lines, 5, c.employee, c.type, c.errorFilter, c.warningMinimum, c.global));
        std::vector<std::string> expected;
        for (const auto& text : c.expected) expected.push_back("then : " + text);
        EXPECT_EQ(lines, expected);
    }
}

TEST_F(PayrollTablesTest, PutAndPullLogEntries) {
    createTables();
    addLogRow(7, 5, 0, 0, "before", 0, -1);
    // Unequal lists: as many rows as the shortest holds.
    ASSERT_TRUE(cdb.PutLogEntries(5, {"d1", "d2", "d3"}, {1, 2, 3}, {4, 5}, {"s1", "s2", "s3"}, {"l1", "l2", "l3"},
                                  {0, 1, 0}, {-1, 2, 3}));
    EXPECT_EQ(count("select count(*) from log"), 3);
    EXPECT_EQ(single("select group_concat(logPK) from log"), "7,8,9");

    std::vector<std::string> dates{"stale"}, shorts, longs;
    std::vector<int32_t> employees, types, errors, warnings;
    ASSERT_TRUE(cdb.PullLogEntries(5, dates, employees, types, shorts, longs, errors, warnings));
    EXPECT_EQ(dates, (std::vector<std::string>{"then", "d1", "d2"}));
    EXPECT_EQ(employees, (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(types, (std::vector<int32_t>{0, 4, 5}));
    EXPECT_EQ(shorts, (std::vector<std::string>{"before", "s1", "s2"}));
    EXPECT_EQ(longs, (std::vector<std::string>{"", "l1", "l2"}));
    EXPECT_EQ(errors, (std::vector<int32_t>{0, 0, 1}));
    EXPECT_EQ(warnings, (std::vector<int32_t>{-1, -1, 2}));

    ASSERT_TRUE(cdb.PullLogEntries(6, dates, employees, types, shorts, longs, errors, warnings));
    EXPECT_TRUE(dates.empty());
}

TEST_F(PayrollTablesTest, SelectCheckReadsTheRowAndItsDetails) {
    createTables();
    // Columns of 64-bit fields hold values beyond 32 bits, which must survive.
    exec("insert into checks values (2, 8, 1, 2, 3, 4, 5, 6, '03/31/25', '03/29/25', 12, 34, 5000000001, 9, "
         "65000, 10, 300000000000, 11, 12, 13, 14, 15, 16, 17, 1, 0, 18, 19, 'V', 20, 21, 22);"
         "insert into checks values (2, 9, 0, 0, 0, 0, 0, 0, 'other', '', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "
         "0, 0, 0, 0, 0, '', 0, 0, 0);"
         "insert into checkIncome values (2, 8, 0, 7), (2, 8, 7, 39), (2, 9, 8, 99), (2, 9, 1, 5);"
         "insert into checkDeductions values (2, 8, 15, 59);"
         "insert into checkAccruals values (2, 8, 5, 3);"
         "insert into checkQuantities values (2, 8, 1, 2.5);"
         "insert into checkRates values (2, 8, 2, 17.25);"
         "insert into checkPayvals values (2, 8, 0, 100), (2, 8, 1, 200);"
         "insert into checkHoursHourvals values (2, 8, 0, 4000000000);"
         "insert into checkHrRateHourvals values (2, 8, 0, 1500), (2, 8, 1, 2250), (2, 8, 2, 0);"
         "insert into checkDistributionPays values (2, 8, 9, 4, 60);"
         "insert into checkMatches values (2, 8, 3, 250);");

    CHECK check;
    ASSERT_EQ(cdb.SelectCheck(check, 2, 8), 1);
    EXPECT_EQ(check.status(), 1);
    EXPECT_EQ(check.taxflag(), 6);
    EXPECT_EQ(check.ChkDate(), "03/31/25");
    EXPECT_EQ(check.PerEnd(), "03/29/25");
    EXPECT_EQ(check.dept(), 12);
    EXPECT_EQ(check.EmpRec(), 34);
    EXPECT_EQ(check.ChkNum(), 5000000001);
    EXPECT_EQ(check.PerStart(), 65000);
    EXPECT_EQ(check.FicaWage(), 300000000000);
    EXPECT_EQ(check.MonthLink(), 16);
    EXPECT_TRUE(check.FirstInQuarter());
    EXPECT_FALSE(check.SutaState_Changed());
    EXPECT_EQ(check.check_status(), "V");
    EXPECT_EQ(check.COAmtDiff(), 22);

    EXPECT_EQ(check.Inc(), (std::vector<int16_t>{7, 0, 0, 0, 0, 0, 0, 39}));
    EXPECT_EQ(check.Ded()[15], 59);
    EXPECT_EQ(check.Acc()[5], 3);
    EXPECT_FLOAT_EQ(check.Qty()[1], 2.5f);
    EXPECT_FLOAT_EQ(check.Rate()[2], 17.25f);
    EXPECT_EQ(check.Pay()->Val(), (std::vector<int64_t>{100, 200}));
    EXPECT_EQ(check.Hours()->Val(), (std::vector<int64_t>{4000000000}));
    EXPECT_EQ(check.HrRate()->Val(), (std::vector<int64_t>{1500, 2250, 0}));
    EXPECT_EQ(check.xdist()[9]->dept(), 4);
    EXPECT_FLOAT_EQ(check.xdist()[9]->Percent(), 60.0f);
    EXPECT_EQ(check.Match()[3], 250);

    CHECK missing;
    EXPECT_EQ(cdb.SelectCheck(missing, 2, 77), 0);
    EXPECT_EQ(missing.ChkNum(), -1);

    // A detail row whose index lies outside the list is left out and reported.
    std::vector<int16_t> incomes(8);
    EXPECT_FALSE(cdb.SelectCheckIncomes(incomes, 2, 9));
    EXPECT_EQ(incomes, (std::vector<int16_t>{0, 5, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(cdb.SelectCheckIncomes(incomes, 2, 77));
}

TEST_F(PayrollTablesTest, SelectCheckAccruedHours) {
    createTables();
    exec("insert into checkAccruedHours values (2, 8, 1, 5000000000, 2, 3, 1, 0, 1, -4, 1);");
    std::vector<int64_t> lists[8];
    for (auto& list : lists) list.assign(6, 0);
    EXPECT_EQ(cdb.SelectCheckAccruedHours(lists[0], 2, 8, lists[1], lists[2], lists[3], lists[4], lists[5], lists[6],
                                          lists[7]),
              1);
    const int64_t expected[8] = {5000000000, 2, 3, 1, 0, 1, -4, 1};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(lists[i][1], expected[i]) << i;

    exec("insert into checkAccruedHours values (2, 8, 6, 1, 1, 1, 1, 1, 1, 1, 1);");
    EXPECT_EQ(cdb.SelectCheckAccruedHours(lists[0], 2, 8, lists[1], lists[2], lists[3], lists[4], lists[5], lists[6],
                                          lists[7]),
              -1);
    exec("drop table checkAccruedHours;");
    EXPECT_EQ(cdb.SelectCheckAccruedHours(lists[0], 2, 8, lists[1], lists[2], lists[3], lists[4], lists[5], lists[6],
                                          lists[7]),
              0);
}

TEST_F(PayrollTablesTest, SelectMMREFCarriesEachColumn) {
    createTables();
    exec("insert into mmref values (3, 'PIN1', 'Ann', '555-0100', '12', '555-0199', 'a@b.c', 'WF', 'x3', 'x4', "
         "'prep', 'E', 1, 2, 3, '98-7654321', 'Sub Name', '1 Main', 'Town', 'TX', '75001', 'PC', 'F');");
    MMREF record;
    ASSERT_EQ(cdb.SelectMMREF(record, 3), 1);
    EXPECT_EQ(record.PIN(), "PIN1");
    EXPECT_EQ(record.contact(), "Ann");
    EXPECT_EQ(record.phone(), "555-0100");
    EXPECT_EQ(record.phoneExt(), "12");
    EXPECT_EQ(record.fax(), "555-0199");
    EXPECT_EQ(record.email(), "a@b.c");
    EXPECT_EQ(record.WFID(), "WF");
    EXPECT_EQ(record.xw3943(), "x3");
    EXPECT_EQ(record.xw3944(), "x4");
    EXPECT_EQ(record.preparer(), "prep");
    EXPECT_EQ(record.ecode(), "E");
    EXPECT_EQ(record.resub(), 1);
    EXPECT_EQ(record.term(), 2);
    EXPECT_EQ(record.notify(), 3);
    EXPECT_EQ(record.einsub(), "98-7654321");
    EXPECT_EQ(record.namesub(), "Sub Name");
    EXPECT_EQ(record.addrsub(), "1 Main");
    EXPECT_EQ(record.citysub(), "Town");
    EXPECT_EQ(record.statesub(), "TX");
    EXPECT_EQ(record.zipsub(), "75001");
    EXPECT_EQ(record.plancode(), "PC");
    EXPECT_EQ(record.kindOfEmployer(), "F");

    MMREF none;
    EXPECT_EQ(cdb.SelectMMREF(none, 4), 0);
}

}  // namespace
