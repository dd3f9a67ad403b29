#pragma once

// The paycheck record of the payroll model and its small companions.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/payroll/Employee.h"
#include "core/payroll/PayrollRecord.h"

// One paycheck. A new one does not start at zero: its bytes hold 255, dept and EmpRec -1,
// PerStart 65535 and every 64-bit number -1 except AddMedWage.
#define PAYROLL_CHECK_FIELDS(F) \
    F(uint8_t, status, setStatus, 255) \
    F(uint8_t, statetab, setStatetab, 255) \
    F(uint8_t, sutastate, setSutastate, 255) \
    F(uint8_t, local, setLocal, 255) \
    F(uint8_t, dirdep, setDirdep, 255) \
    F(uint8_t, taxflag, setTaxflag, 255) \
    F(bool, FirstInQuarter, setFirstInQuarter, false) \
    F(bool, SutaState_Changed, setSutaState_Changed, false) \
    F(int16_t, dept, setDept, -1) \
    F(int16_t, EmpRec, setEmpRec, -1) \
    F(uint16_t, PerStart, setPerStart, 65535) \
    F(std::string, ChkDate, setChkDate, {}) \
    F(std::string, PerEnd, setPerEnd, {}) \
    F(int64_t, ChkNum, setChkNum, -1) \
    F(std::vector<int16_t>, Inc, setInc, payroll::filled<int16_t>(8)) \
    F(std::vector<int16_t>, Ded, setDed, payroll::filled<int16_t>(16)) \
    F(std::vector<int16_t>, Acc, setAcc, payroll::filled<int16_t>(6)) \
    F(std::vector<int64_t>, AccHrs, setAccHrs, payroll::filled<int64_t>(6)) \
    F(std::vector<int64_t>, Avail, setAvail, payroll::filled<int64_t>(6)) \
    F(std::vector<int64_t>, COH, setCOH, payroll::filled<int64_t>(6)) \
    F(std::vector<int64_t>, MonthFlag, setMonthFlag, payroll::filled<int64_t>(6)) \
    F(std::vector<int64_t>, QuarterlyFlag, setQuarterlyFlag, payroll::filled<int64_t>(6)) \
    F(std::vector<int64_t>, CarryOverFlag, setCarryOverFlag, payroll::filled<int64_t>(6)) \
    F(std::vector<float>, Qty, setQty, payroll::filled<float>(6)) \
    F(std::vector<float>, Rate, setRate, payroll::filled<float>(6)) \
    F(int64_t, spare1, setSpare1, -1) \
    F(std::shared_ptr<PAYVALS>, Pay, setPay, std::make_shared<PAYVALS>()) \
    F(std::shared_ptr<HOURVALS>, Hours, setHours, std::make_shared<HOURVALS>()) \
    F(std::shared_ptr<HOURVALS>, HrRate, setHrRate, std::make_shared<HOURVALS>()) \
    F(int64_t, DistPos, setDistPos, -1) \
    F(int64_t, FicaWage, setFicaWage, -1) \
    F(int64_t, MedWage, setMedWage, -1) \
    F(int64_t, FutaWage, setFutaWage, -1) \
    F(int64_t, SutaWage, setSutaWage, -1) \
    F(int64_t, spare2, setSpare2, -1) \
    F(int64_t, EmpLink, setEmpLink, -1) \
    F(int64_t, MonthLink, setMonthLink, -1) \
    F(payroll::List<DISTPAY>, xdist, setXdist, payroll::newRecords<DISTPAY>(10)) \
    F(std::vector<int64_t>, Match, setMatch, payroll::filled<int64_t>(16)) \
    F(int64_t, AddMedWage, setAddMedWage, 0) \
    F(int64_t, EmprMed, setEmprMed, -1) \
    F(int64_t, allowances, setAllowances, -1) \
    F(int64_t, allowancesfed, setAllowancesfed, -1) \
    F(std::string, check_status, setCheck_status, {}) \
    F(int64_t, statusfed, setStatusfed, -1) \
    F(int64_t, COAmtDiff, setCOAmtDiff, -1)
PAYROLL_RECORD(CHECK, PAYROLL_CHECK_FIELDS)

// A change of state on a check; COHDiff starts absent.
#define PAYROLL_CHECK_STATECHANGE_FIELDS(F) \
    F(int32_t, sutaStae, setSutaStae, -1) \
    F(int32_t, state1, setState1, -1) \
    F(int32_t, EmpLink, setEmpLink, -1) \
    F(int32_t, allowances, setAllowances, -1) \
    F(int64_t, val, setVal, 0) \
    F(std::optional<std::vector<int64_t>>, COHDiff, setCOHDiff, std::nullopt)
PAYROLL_RECORD(CHECK_STATECHANGE, PAYROLL_CHECK_STATECHANGE_FIELDS)

// Tax amounts of a department by kind.
#define PAYROLL_DEPT_TAX_FIELDS(F) \
    F(int64_t, Fica, setFica, 0) \
    F(int64_t, FUTA, setFUTA, 0) \
    F(int64_t, SUTA, setSUTA, 0) \
    F(int64_t, Med, setMed, 0) \
    F(int64_t, Tax, setTax, 0)
PAYROLL_RECORD(DEPT_TAX, PAYROLL_DEPT_TAX_FIELDS)

// An entry of a payee list.
#define PAYROLL_PAYEELIST_FIELDS(F) \
    F(int32_t, seq, setSeq, -1) \
    F(int32_t, key, setKey, -1)
PAYROLL_RECORD(PAYEELIST, PAYROLL_PAYEELIST_FIELDS)

