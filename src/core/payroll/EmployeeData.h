#pragma once

// Employee payroll settings, payees, payee checks and direct-deposit settings.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/payroll/PayrollRecord.h"

// One employee's payroll settings, by number; the lookups read Key.
#define PAYROLL_EMPDATA_FIELDS(F) \
    F(int32_t, Key, setKey, 0) \
    F(int32_t, Department, setDepartment, 0) \
    F(int32_t, PayFreq, setPayFreq, 0) \
    F(int32_t, StateTable, setStateTable, 0) \
    F(int32_t, LocalTable, setLocalTable, 0) \
    F(int32_t, SutaState, setSutaState, 0) \
    F(uint16_t, calcdate, setCalcdate, 0) \
    F(bool, Calculated, setCalculated, false) \
    F(bool, Inactive, setInactive, false) \
    F(bool, Hourly, setHourly, false)
PAYROLL_RECORD(EMPDATA, PAYROLL_EMPDATA_FIELDS)

// Bank details held as one text.
#define PAYROLL_BANKINFO_FIELDS(F) \
    F(std::string, binfo, setBinfo, {})
PAYROLL_RECORD(BANKINFO, PAYROLL_BANKINFO_FIELDS)

// A distribution entry tagged by two texts.
#define PAYROLL_HDIST_FIELDS(F) \
    F(std::string, tag, setTag, {}) \
    F(std::string, tag2, setTag2, {}) \
    F(int64_t, rec, setRec, 0)
PAYROLL_RECORD(HDIST, PAYROLL_HDIST_FIELDS)

// One distributed amount: two 8-bit tags, a department-or-job number, an index and the amount.
#define PAYROLL_DIST_FIELDS(F) \
    F(uint8_t, tag, setTag, 0) \
    F(uint8_t, tag2, setTag2, 0) \
    F(int16_t, deptjob, setDeptjob, 0) \
    F(int16_t, index, setIndex, 0) \
    F(int64_t, val, setVal, 0)
PAYROLL_RECORD(DIST, PAYROLL_DIST_FIELDS)

// A payee to whom payroll amounts are paid out.
#define PAYROLL_PAYEE_FIELDS(F) \
    F(std::string, Name, setName, {}) \
    F(std::string, Addr1, setAddr1, {}) \
    F(std::string, Addr2, setAddr2, {}) \
    F(std::string, City, setCity, {}) \
    F(std::string, State, setState, {}) \
    F(std::string, Zip, setZip, {}) \
    F(std::string, AcctNum, setAcctNum, {}) \
    F(int32_t, Type, setType, 0) \
    F(int32_t, uspare, setUspare, 0) \
    F(std::string, StartDate, setStartDate, {}) \
    F(std::string, EndDate, setEndDate, {}) \
    F(int16_t, Index, setIndex, 0) \
    F(std::vector<int64_t>, Amount, setAmount, payroll::filled<int64_t>(10)) \
    F(int16_t, ispare1, setIspare1, 0) \
    F(int16_t, ispare2, setIspare2, 0) \
    F(std::vector<int32_t>, xtype, setXtype, payroll::filled<int32_t>(10)) \
    F(std::vector<int32_t>, xindex, setXindex, payroll::filled<int32_t>(10)) \
    F(std::vector<int32_t>, Xspare, setXspare, payroll::filled<int32_t>(10)) \
    F(std::string, DedStr, setDedStr, {}) \
    F(int32_t, prenote, setPrenote, 0)
PAYROLL_RECORD(PAYEE, PAYROLL_PAYEE_FIELDS)

// A payee-shaped record with other types; its ten amounts are held in the record itself.
#define PAYROLL_DEPT_FIELDS(F) \
    F(std::string, Name, setName, {}) \
    F(std::string, Addr1, setAddr1, {}) \
    F(std::string, Addr2, setAddr2, {}) \
    F(std::string, Prenote, setPrenote, {}) \
    F(std::string, City, setCity, {}) \
    F(std::string, State, setState, {}) \
    F(std::string, Zip, setZip, {}) \
    F(std::string, AcctNum, setAcctNum, {}) \
    F(uint8_t, Type, setType, 0) \
    F(uint8_t, uspare, setUspare, 0) \
    F(std::string, StartDate, setStartDate, {}) \
    F(std::string, EndDate, setEndDate, {}) \
    F(int16_t, Index, setIndex, 0) \
    F(payroll::Amounts10, Amount, setAmount, {}) \
    F(int16_t, ispare1, setIspare1, 0) \
    F(int16_t, ispare2, setIspare2, 0) \
    F(std::string, xtype, setXtype, {}) \
    F(std::string, xindex, setXindex, {}) \
    F(std::string, Xspare, setXspare, {}) \
    F(std::string, DedStr, setDedStr, {})
PAYROLL_RECORD(DEPT, PAYROLL_DEPT_FIELDS)

// A check written to a payee.
#define PAYROLL_XCHECK_FIELDS(F) \
    F(uint8_t, xstatus, setXstatus, 0) \
    F(uint8_t, xflag, setXflag, 0) \
    F(int16_t, Payee, setPayee, 0) \
    F(uint16_t, ui0, setUi0, 0) \
    F(uint16_t, ui1, setUi1, 0) \
    F(int64_t, ChkNum, setChkNum, 0) \
    F(std::string, ChkDate, setChkDate, {}) \
    F(std::string, StartDate, setStartDate, {}) \
    F(std::string, EndDate, setEndDate, {}) \
    F(int16_t, i1, setI1, 0) \
    F(int64_t, LastNum, setLastNum, 0) \
    F(std::vector<int32_t>, Amount, setAmount, payroll::filled<int32_t>(10)) \
    F(std::vector<std::string>, xtype, setXtype, payroll::filled<std::string>(10)) \
    F(std::vector<std::string>, xindex, setXindex, payroll::filled<std::string>(10)) \
    F(std::vector<std::string>, Xspare, setXspare, payroll::filled<std::string>(10))
PAYROLL_RECORD(XCHECK, PAYROLL_XCHECK_FIELDS)

// Direct-deposit settings, all texts.
#define PAYROLL_DIRDEP_FIELDS(F) \
    F(std::string, OName, setOName, {}) \
    F(std::string, ORoute, setORoute, {}) \
    F(std::string, ORoute_actual, setORoute_actual, {}) \
    F(std::string, DName, setDName, {}) \
    F(std::string, DRoute, setDRoute, {}) \
    F(std::string, DRoute_actual, setDRoute_actual, {}) \
    F(std::string, CoID, setCoID, {}) \
    F(std::string, Desc, setDesc, {}) \
    F(std::string, Discr, setDiscr, {}) \
    F(std::string, Effdate, setEffdate, {}) \
    F(std::string, Modifier, setModifier, {}) \
    F(std::string, Balance, setBalance, {}) \
    F(std::string, Prenote, setPrenote, {}) \
    F(std::string, AcctNum, setAcctNum, {}) \
    F(std::string, AcctNum_actual, setAcctNum_actual, {}) \
    F(std::string, NoSS, setNoSS, {})
PAYROLL_RECORD(DIRDEP, PAYROLL_DIRDEP_FIELDS)

