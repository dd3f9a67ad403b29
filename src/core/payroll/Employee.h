#pragma once

// The employee record of the payroll model and its pay items.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/payroll/PayrollRecord.h"

// One income slot of an employee: Index is a position 0 to 39 in the company's
// Income definitions; the slot counts only while Used is not 0.
#define PAYROLL_EMPINCOME_FIELDS(F) \
    F(int32_t, Index, setIndex, 0) \
    F(int32_t, Used, setUsed, 0) \
    F(float, Rate, setRate, 0) \
    F(float, fQty, setFQty, 0) \
    F(int64_t, Amount, setAmount, 0) \
    F(int64_t, vQty, setVQty, 0)
PAYROLL_RECORD(EMPINCOME, PAYROLL_EMPINCOME_FIELDS)

// One deduction slot: Index is a position 0 to 59 in the company's Deduct definitions.
#define PAYROLL_EMPDEDUCT_FIELDS(F) \
    F(int32_t, Index, setIndex, 0) \
    F(int32_t, Used, setUsed, 0) \
    F(float, Rate, setRate, 0) \
    F(int64_t, Amount, setAmount, 0) \
    F(int64_t, Limit, setLimit, 0) \
    F(int64_t, Matchval, setMatchval, 0) \
    F(int64_t, LimitMatch, setLimitMatch, 0)
PAYROLL_RECORD(EMPDEDUCT, PAYROLL_EMPDEDUCT_FIELDS)

// One accrual of an employee.
#define PAYROLL_ACCRUAL_FIELDS(F) \
    F(int32_t, Type, setType, 0) \
    F(int32_t, Type1, setType1, 0) \
    F(int32_t, Max, setMax, 0) \
    F(int32_t, YearFlag, setYearFlag, 0) \
    F(int32_t, QuarterlyFlag, setQuarterlyFlag, 0) \
    F(int32_t, MonthFlag, setMonthFlag, 0) \
    F(int32_t, TMax, setTMax, 0) \
    F(int32_t, CCAAHAU, setCCAAHAU, 0) \
    F(int32_t, COH, setCOH, 0) \
    F(int32_t, HACB, setHACB, 0) \
    F(float, PerMonth, setPerMonth, 0) \
    F(float, PerQuarterly, setPerQuarterly, 0) \
    F(float, PerYear, setPerYear, 0) \
    F(float, PerHour, setPerHour, 0) \
    F(int32_t, Index, setIndex, 0) \
    F(int32_t, Used, setUsed, 0) \
    F(int32_t, u3, setU3, 0) \
    F(int32_t, u4, setU4, 0) \
    F(float, MaxPerPay, setMaxPerPay, 0) \
    F(int32_t, Availused, setAvailused, 0) \
    F(int32_t, count, setCount, 0) \
    F(int64_t, MaxAmt, setMaxAmt, 0) \
    F(int64_t, TMaxAmt, setTMaxAmt, 0) \
    F(int64_t, COHAmt, setCOHAmt, 0) \
    F(int64_t, CalcVal, setCalcVal, 0) \
    F(int64_t, CalcVal1, setCalcVal1, 0) \
    F(int64_t, CalcBal, setCalcBal, 0) \
    F(int64_t, Avail, setAvail, 0) \
    F(std::string, StartDate, setStartDate, {}) \
    F(std::string, Date, setDate, {}) \
    F(std::string, CODate, setCODate, {}) \
    F(int64_t, TAvail, setTAvail, 0) \
    F(int64_t, Hour, setHour, 0) \
    F(int64_t, AUMaxFlag, setAUMaxFlag, 0) \
    F(int64_t, TAMax, setTAMax, 0) \
    F(int64_t, AAMax, setAAMax, 0) \
    F(int64_t, TotHours, setTotHours, 0) \
    F(int64_t, Avail1, setAvail1, 0) \
    F(int64_t, IPFlag, setIPFlag, 0) \
    F(int64_t, COHFlag, setCOHFlag, 0) \
    F(int64_t, CarryOverFlag, setCarryOverFlag, 0) \
    F(int64_t, AvailInUse, setAvailInUse, 0)
PAYROLL_RECORD(ACCRUAL, PAYROLL_ACCRUAL_FIELDS)

// One distribution share: a department number and a percentage.
#define PAYROLL_DISTPAY_FIELDS(F) \
    F(int16_t, dept, setDept, 0) \
    F(float, Percent, setPercent, 0)
PAYROLL_RECORD(DISTPAY, PAYROLL_DISTPAY_FIELDS)

// One direct-deposit split.
#define PAYROLL_DIRPAY_FIELDS(F) \
    F(int32_t, Type, setType, 0) \
    F(int32_t, PCflag, setPCflag, 0) \
    F(int32_t, amount2Check, setAmount2Check, 0) \
    F(int32_t, amount3Check, setAmount3Check, 0) \
    F(std::string, RouteNum, setRouteNum, {}) \
    F(std::string, RouteNum_actual, setRouteNum_actual, {}) \
    F(std::string, BankAcct, setBankAcct, {}) \
    F(std::string, BankAcct_actual, setBankAcct_actual, {}) \
    F(int64_t, Amount, setAmount, 0)
PAYROLL_RECORD(DIRPAY, PAYROLL_DIRPAY_FIELDS)

// A set of 33 pay values.
#define PAYROLL_PAYVALS_FIELDS(F) \
    F(std::vector<int64_t>, Val, setVal, payroll::filled<int64_t>(33))
PAYROLL_RECORD(PAYVALS, PAYROLL_PAYVALS_FIELDS)

// A set of 9 hour values, one per hour category of the company.
#define PAYROLL_HOURVALS_FIELDS(F) \
    F(std::vector<int64_t>, Val, setVal, payroll::filled<int64_t>(9))
PAYROLL_RECORD(HOURVALS, PAYROLL_HOURVALS_FIELDS)

// A set of 5 taxable-wage values.
#define PAYROLL_TAXWAGE_FIELDS(F) \
    F(std::vector<int64_t>, Val, setVal, payroll::filled<int64_t>(5))
PAYROLL_RECORD(TAXWAGE, PAYROLL_TAXWAGE_FIELDS)

// County code, county wage and county withholding, as texts.
#define PAYROLL_COUNTY_FIELDS(F) \
    F(std::string, code, setCode, {}) \
    F(std::string, CountyWage, setCountyWage, {}) \
    F(std::string, CountyWH, setCountyWH, {})
PAYROLL_RECORD(COUNTY, PAYROLL_COUNTY_FIELDS)

// A state withholding total; the state numbers start at -1.
#define PAYROLL_StateWHTotal_FIELDS(F) \
    F(int32_t, sutaState, setSutaState, -1) \
    F(int32_t, state, setState, -1) \
    F(int32_t, isChecksThere, setIsChecksThere, 0) \
    F(int32_t, isExempt, setIsExempt, 0) \
    F(int32_t, isNone, setIsNone, 0) \
    F(int64_t, val, setVal, 0)
PAYROLL_RECORD(StateWHTotal, PAYROLL_StateWHTotal_FIELDS)

// Three texts named for the federal, state and local level.
#define PAYROLL_EMPDEPT_FIELDS(F) \
    F(std::string, Federal, setFederal, {}) \
    F(std::string, State, setState, {}) \
    F(std::string, Local, setLocal, {})
PAYROLL_RECORD(EMPDEPT, PAYROLL_EMPDEPT_FIELDS)

// One employee, complete with every pay item on construction.
#define PAYROLL_EMPLOYEE_FIELDS(F) \
    F(int16_t, dept, setDept, 0) \
    F(uint16_t, FirstFlags, setFirstFlags, 0) \
    F(int16_t, FirstInQuarterFlags, setFirstInQuarterFlags, 0) \
    F(int16_t, SutaTable_Changed, setSutaTable_Changed, 0) \
    F(int32_t, Inactive, setInactive, 0) \
    F(int32_t, UC1, setUC1, 0) \
    F(int32_t, UC2, setUC2, 0) \
    F(int32_t, UC3, setUC3, 0) \
    F(int32_t, CalcFlag, setCalcFlag, 0) \
    F(int32_t, dirdep, setDirdep, 0) \
    F(int32_t, MedX, setMedX, 0) \
    F(int32_t, prenote, setPrenote, 0) \
    F(int32_t, HireActQualified, setHireActQualified, 0) \
    F(int32_t, PayFreq, setPayFreq, 0) \
    F(int32_t, W2Statutory, setW2Statutory, 0) \
    F(int32_t, W2Pension, setW2Pension, 0) \
    F(int32_t, xW2DefComp, setXW2DefComp, 0) \
    F(int32_t, W2SickPay, setW2SickPay, 0) \
    F(int32_t, EicApply, setEicApply, 0) \
    F(int32_t, EicVal, setEicVal, 0) \
    F(int32_t, FicaX, setFicaX, 0) \
    F(int32_t, FutaX, setFutaX, 0) \
    F(int32_t, SutaX, setSutaX, 0) \
    F(int32_t, FedTable, setFedTable, 0) \
    F(int32_t, StateTable, setStateTable, 0) \
    F(int32_t, LocTable, setLocTable, 0) \
    F(int32_t, SutaState, setSutaState, 0) \
    F(int32_t, fedpc, setFedpc, 0) \
    F(int32_t, statepc, setStatepc, 0) \
    F(int32_t, FedFilSta, setFedFilSta, 0) \
    F(int32_t, Checkbox, setCheckbox, 0) \
    F(int32_t, selectType, setSelectType, 0) \
    F(std::string, LName, setLName, {}) \
    F(std::string, FName, setFName, {}) \
    F(std::string, Addr1, setAddr1, {}) \
    F(std::string, Addr2, setAddr2, {}) \
    F(std::string, City, setCity, {}) \
    F(std::string, State, setState, {}) \
    F(std::string, Zip, setZip, {}) \
    F(std::string, Phone, setPhone, {}) \
    F(std::string, SSN, setSSN, {}) \
    F(std::string, SSN_actual, setSSN_actual, {}) \
    F(int64_t, Num, setNum, 0) \
    F(int64_t, Salary, setSalary, 0) \
    F(int64_t, HireActQualifiedTotalPaid, setHireActQualifiedTotalPaid, 0) \
    F(int64_t, employeeType, setEmployeeType, 0) \
    F(std::string, Birth, setBirth, {}) \
    F(std::string, xpad, setXpad, {}) \
    F(std::string, Hire, setHire, {}) \
    F(std::string, Term, setTerm, {}) \
    F(std::string, LastRaise, setLastRaise, {}) \
    F(std::string, CalcStart, setCalcStart, {}) \
    F(std::string, Comments, setComments, {}) \
    F(std::string, CalcDate, setCalcDate, {}) \
    F(std::string, CalcEnd, setCalcEnd, {}) \
    F(int64_t, StateExemTot, setStateExemTot, 0) \
    F(int64_t, LocExemTot, setLocExemTot, 0) \
    F(int64_t, StateTaxCred, setStateTaxCred, 0) \
    F(int64_t, LocTaxCred, setLocTaxCred, 0) \
    F(int64_t, ChkLink, setChkLink, 0) \
    F(int64_t, ThirdTax, setThirdTax, 0) \
    F(int64_t, DistPos, setDistPos, 0) \
    F(int64_t, EmprMed, setEmprMed, 0) \
    F(std::vector<int64_t>, Rate, setRate, payroll::filled<int64_t>(8)) \
    F(std::vector<int64_t>, Allow, setAllow, payroll::filled<int64_t>(3)) \
    F(std::vector<int64_t>, AddWH, setAddWH, payroll::filled<int64_t>(3)) \
    F(payroll::List<EMPINCOME>, Inc, setInc, payroll::newRecords<EMPINCOME>(8)) \
    F(payroll::List<EMPDEDUCT>, Ded, setDed, payroll::newRecords<EMPDEDUCT>(16)) \
    F(std::vector<int64_t>, Match, setMatch, payroll::filled<int64_t>(16)) \
    F(payroll::List<ACCRUAL>, Accr, setAccr, payroll::newRecords<ACCRUAL>(6)) \
    F(payroll::List<ACCRUAL>, Avail, setAvail, payroll::newRecords<ACCRUAL>(6)) \
    F(payroll::List<DISTPAY>, xdist, setXdist, payroll::newRecords<DISTPAY>(10)) \
    F(payroll::List<DIRPAY>, DirDep, setDirDep, payroll::newRecords<DIRPAY>(3)) \
    F(std::string, email, setEmail, {}) \
    F(std::string, avail1, setAvail1, {}) \
    F(std::string, Availused, setAvailused, {}) \
    F(std::vector<int64_t>, limitmatch, setLimitmatch, payroll::filled<int64_t>(16)) \
    F(payroll::List<PAYVALS>, Pay, setPay, payroll::newRecords<PAYVALS>(4)) \
    F(payroll::List<HOURVALS>, Hours, setHours, payroll::newRecords<HOURVALS>(4)) \
    F(payroll::List<StateWHTotal>, StateTotal, setStateTotal, payroll::newRecords<StateWHTotal>(2)) \
    F(std::shared_ptr<HOURVALS>, HrRate, setHrRate, std::make_shared<HOURVALS>()) \
    F(std::shared_ptr<HOURVALS>, HrAmount, setHrAmount, std::make_shared<HOURVALS>()) \
    F(std::shared_ptr<TAXWAGE>, TaxWage, setTaxWage, std::make_shared<TAXWAGE>()) \
    F(std::shared_ptr<COUNTY>, County, setCounty, std::make_shared<COUNTY>()) \
    F(payroll::List<ACCRUAL>, ImportAccr, setImportAccr, payroll::newRecords<ACCRUAL>(6)) \
    F(int64_t, StepA, setStepA, 0) \
    F(int64_t, StepB, setStepB, 0) \
    F(int64_t, StepC, setStepC, 0) \
    F(int64_t, ExemptTotal, setExemptTotal, 0) \
    F(int64_t, Depend, setDepend, 0)
PAYROLL_RECORD(EMPLOYEE, PAYROLL_EMPLOYEE_FIELDS)

