#pragma once

// A company's payroll settings and its pay-item definitions.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/payroll/Employee.h"
#include "core/payroll/PayrollRecord.h"

// One income definition of the company. Spare3 refers to a reserved block the record owns.
#define PAYROLL_INCOME_FIELDS(F) \
    F(bool, UseInDisposableWages, setUseInDisposableWages, false) \
    F(bool, OmitFromGrossOnCheckStub, setOmitFromGrossOnCheckStub, false) \
    F(bool, PostToAcct, setPostToAcct, false) \
    F(bool, DontPost, setDontPost, false) \
    F(int32_t, Type, setType, 0) \
    F(int32_t, AllocTip, setAllocTip, 0) \
    F(int32_t, ReptdTip, setReptdTip, 0) \
    F(int32_t, NonCash, setNonCash, 0) \
    F(int32_t, notused, setNotused, 0) \
    F(int32_t, FedExmt, setFedExmt, 0) \
    F(int32_t, FicaExmt, setFicaExmt, 0) \
    F(int32_t, MedExmt, setMedExmt, 0) \
    F(int32_t, FutaExmt, setFutaExmt, 0) \
    F(int32_t, StateExmt, setStateExmt, 0) \
    F(int32_t, SutaExmt, setSutaExmt, 0) \
    F(int32_t, LocExmt, setLocExmt, 0) \
    F(int32_t, PercentWage, setPercentWage, 0) \
    F(int32_t, IncInWage, setIncInWage, 0) \
    F(int32_t, FixAmtPer, setFixAmtPer, 0) \
    F(int32_t, W2Box12, setW2Box12, 0) \
    F(int32_t, W2Box14, setW2Box14, 0) \
    F(float, Rate, setRate, 0) \
    F(int32_t, DedExmt, setDedExmt, 0) \
    F(int32_t, W2Box10, setW2Box10, 0) \
    F(int32_t, W2Box11, setW2Box11, 0) \
    F(int32_t, Sec457, setSec457, 0) \
    F(std::string, Name, setName, {}) \
    F(std::string, W2BoxCode0, setW2BoxCode0, {}) \
    F(std::string, w2BoxCode1, setW2BoxCode1, {}) \
    F(int64_t, Amount, setAmount, 0) \
    F(std::shared_ptr<payroll::Spare64x2>, Spare3, setSpare3, std::make_shared<payroll::Spare64x2>())
PAYROLL_RECORD(INCOME, PAYROLL_INCOME_FIELDS)

// One deduction definition of the company; W2Code1 starts absent.
#define PAYROLL_DEDUCTION_FIELDS(F) \
    F(bool, UseInDisposableWages, setUseInDisposableWages, false) \
    F(bool, ApplyTo940, setApplyTo940, false) \
    F(int32_t, Type, setType, 0) \
    F(int32_t, PreFed, setPreFed, 0) \
    F(int32_t, PreFica, setPreFica, 0) \
    F(int32_t, PreMed, setPreMed, 0) \
    F(int32_t, PreFuta, setPreFuta, 0) \
    F(int32_t, PreState, setPreState, 0) \
    F(int32_t, PreSuta, setPreSuta, 0) \
    F(int32_t, PreLoc, setPreLoc, 0) \
    F(int32_t, W2Box10, setW2Box10, 0) \
    F(int32_t, W2Box12, setW2Box12, 0) \
    F(int32_t, W2Box14, setW2Box14, 0) \
    F(int32_t, W2Box20, setW2Box20, 0) \
    F(int32_t, W2Code2, setW2Code2, 0) \
    F(int32_t, matchType, setMatchType, 0) \
    F(int32_t, matchZero, setMatchZero, 0) \
    F(int32_t, matchUpto, setMatchUpto, 0) \
    F(int32_t, matchPercent4, setMatchPercent4, 0) \
    F(int32_t, FixAmtPer, setFixAmtPer, 0) \
    F(int32_t, ApplyTo, setApplyTo, 0) \
    F(int32_t, LimitPer, setLimitPer, 0) \
    F(int32_t, ApplyToMatchChoice, setApplyToMatchChoice, 0) \
    F(int32_t, Spare2_0, setSpare2_0, 0) \
    F(int32_t, Spare2_1, setSpare2_1, 0) \
    F(int32_t, Spare2_2, setSpare2_2, 0) \
    F(float, Rate, setRate, 0) \
    F(std::string, Name, setName, {}) \
    F(std::optional<std::string>, W2Code1, setW2Code1, std::nullopt) \
    F(int64_t, Amount, setAmount, 0) \
    F(int64_t, Limit, setLimit, 0) \
    F(int64_t, MatchVal, setMatchVal, 0) \
    F(int64_t, MatchLimit, setMatchLimit, 0) \
    F(int64_t, Spare, setSpare, 0)
PAYROLL_RECORD(DEDUCTION, PAYROLL_DEDUCTION_FIELDS)

// One hour category of the company.
#define PAYROLL_HOURCAT_FIELDS(F) \
    F(int32_t, RateNum, setRateNum, 0) \
    F(int32_t, RateMult, setRateMult, 0) \
    F(int32_t, Include, setInclude, 0) \
    F(int32_t, Track, setTrack, 0) \
    F(int32_t, spare, setSpare, 0) \
    F(std::string, Name, setName, {})
PAYROLL_RECORD(HOURCAT, PAYROLL_HOURCAT_FIELDS)

// The employer's direct-deposit details.
#define PAYROLL_EMPRDIRPAY_FIELDS(F) \
    F(int32_t, Type, setType, 0) \
    F(int32_t, PCflag, setPCflag, 0) \
    F(std::string, RouteNum, setRouteNum, {}) \
    F(std::string, RouteNum_actual, setRouteNum_actual, {}) \
    F(std::string, BankAcct, setBankAcct, {}) \
    F(std::string, BankAcct_actual, setBankAcct_actual, {})
PAYROLL_RECORD(EMPRDIRPAY, PAYROLL_EMPRDIRPAY_FIELDS)

// One company's payroll settings with its 40 income, 60 deduction and 9 hour-category
// definitions; Emps starts absent.
#define PAYROLL_INFO_FIELDS(F) \
    F(bool, doNotShowFedParmWarning, setDoNotShowFedParmWarning, false) \
    F(bool, showLast4SSN, setShowLast4SSN, false) \
    F(bool, showLast4SSN1, setShowLast4SSN1, false) \
    F(bool, separateChkNum, setSeparateChkNum, false) \
    F(int16_t, wPrtSize, setWPrtSize, 0) \
    F(int16_t, TableYear, setTableYear, 0) \
    F(int16_t, mPrtSize, setMPrtSize, 0) \
    F(int16_t, mPrtFont, setMPrtFont, 0) \
    F(int16_t, deleted, setDeleted, 0) \
    F(int32_t, xFixFed, setXFixFed, 0) \
    F(int32_t, DirDepNumFlag, setDirDepNumFlag, 0) \
    F(int32_t, PrintFlag, setPrintFlag, 0) \
    F(int32_t, SplitFica, setSplitFica, 0) \
    F(int32_t, MarkPost, setMarkPost, 0) \
    F(int32_t, FixDist, setFixDist, 0) \
    F(int32_t, ImportHour, setImportHour, 0) \
    F(int32_t, TradeFlag, setTradeFlag, 0) \
    F(int32_t, XSSN, setXSSN, 0) \
    F(int32_t, Freq, setFreq, 0) \
    F(int32_t, SaveHour, setSaveHour, 0) \
    F(int32_t, HourlyFirst, setHourlyFirst, 0) \
    F(int32_t, Version, setVersion, 0) \
    F(int32_t, FmtFlag, setFmtFlag, 0) \
    F(int32_t, QIFPrint, setQIFPrint, 0) \
    F(int32_t, SecondStub, setSecondStub, 0) \
    F(int32_t, DeptSort, setDeptSort, 0) \
    F(int32_t, NumSort, setNumSort, 0) \
    F(int32_t, CheckFmt, setCheckFmt, 0) \
    F(int32_t, NoFrame, setNoFrame, 0) \
    F(int32_t, PostJob, setPostJob, 0) \
    F(int32_t, useCompanySpecificW2W3CheckFormat, setUseCompanySpecificW2W3CheckFormat, 0) \
    F(int32_t, DeptTax, setDeptTax, 0) \
    F(int32_t, ImpExpFileMap, setImpExpFileMap, 0) \
    F(int32_t, ImportOverr, setImportOverr, 0) \
    F(int32_t, NumEmp, setNumEmp, 0) \
    F(int32_t, NumCheck, setNumCheck, 0) \
    F(int32_t, NumPayee, setNumPayee, 0) \
    F(int32_t, NumXCheck, setNumXCheck, 0) \
    F(float, FutaPct, setFutaPct, 0) \
    F(float, EmpeFicaPct, setEmpeFicaPct, 0) \
    F(float, EmprFicaPct, setEmprFicaPct, 0) \
    F(float, EmpeMedPct, setEmpeMedPct, 0) \
    F(float, EmprMedPct, setEmprMedPct, 0) \
    F(int32_t, PrintMeta, setPrintMeta, 0) \
    F(int32_t, CR_LF, setCR_LF, 0) \
    F(int32_t, notused, setNotused, 0) \
    F(int32_t, MICRflag, setMICRflag, 0) \
    F(int32_t, RoundFed, setRoundFed, 0) \
    F(float, EmpeAddMedPct, setEmpeAddMedPct, 0) \
    F(float, EmprAddMedPct, setEmprAddMedPct, 0) \
    F(int32_t, nextPeriodFrequency, setNextPeriodFrequency, 0) \
    F(int32_t, PrintReverseOrder, setPrintReverseOrder, 0) \
    F(int32_t, BINinfoonstub, setBINinfoonstub, 0) \
    F(int32_t, dolleronCheck, setDolleronCheck, 0) \
    F(int32_t, allowances1, setAllowances1, 0) \
    F(int32_t, matchamt, setMatchamt, 0) \
    F(std::string, avail, setAvail, {}) \
    F(std::string, Phone, setPhone, {}) \
    F(std::string, Addr1, setAddr1, {}) \
    F(std::string, Addr2, setAddr2, {}) \
    F(std::string, City, setCity, {}) \
    F(std::string, State, setState, {}) \
    F(std::string, Zip, setZip, {}) \
    F(std::string, FedID, setFedID, {}) \
    F(std::string, FedID_actual, setFedID_actual, {}) \
    F(std::string, PayYear, setPayYear, {}) \
    F(std::string, avail2, setAvail2, {}) \
    F(std::string, LastStart, setLastStart, {}) \
    F(std::string, LastDate, setLastDate, {}) \
    F(std::string, LastEnd, setLastEnd, {}) \
    F(std::string, QIFAcct, setQIFAcct, {}) \
    F(std::string, LastDirDep, setLastDirDep, {}) \
    F(int64_t, LastNum, setLastNum, 0) \
    F(int64_t, XLastNum, setXLastNum, 0) \
    F(std::vector<int16_t>, MonthLink, setMonthLink, payroll::filled<int16_t>(12)) \
    F(int64_t, FedAllow, setFedAllow, 0) \
    F(int64_t, MaxFutaWage, setMaxFutaWage, 0) \
    F(int64_t, MaxFicaWage, setMaxFicaWage, 0) \
    F(int64_t, MaxMedWage, setMaxMedWage, 0) \
    F(payroll::List<DEDUCTION>, Deduct, setDeduct, payroll::newRecords<DEDUCTION>(60)) \
    F(payroll::List<INCOME>, Income, setIncome, payroll::newRecords<INCOME>(40)) \
    F(payroll::List<HOURCAT>, Hour, setHour, payroll::newRecords<HOURCAT>(9)) \
    F(std::optional<payroll::List<EMPLOYEE>>, Emps, setEmps, std::nullopt) \
    F(int64_t, DistEOF, setDistEOF, 0) \
    F(std::string, RouteNum, setRouteNum, {}) \
    F(std::string, BankAcct, setBankAcct, {}) \
    F(std::string, RouteNum_actual, setRouteNum_actual, {}) \
    F(std::string, BankAcct_actual, setBankAcct_actual, {}) \
    F(std::string, Name, setName, {}) \
    F(std::string, Password, setPassword, {}) \
    F(std::string, Password2, setPassword2, {}) \
    F(std::string, avail3, setAvail3, {}) \
    F(std::string, Password_actual, setPassword_actual, {}) \
    F(std::string, Password2_actual, setPassword2_actual, {}) \
    F(int64_t, AddMedStartWage, setAddMedStartWage, 0)
PAYROLL_RECORD(INFO, PAYROLL_INFO_FIELDS)

