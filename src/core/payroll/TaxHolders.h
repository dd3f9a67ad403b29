#pragma once

// The point a positioned form moves, and the holders of payroll tax totals by quarter,
// day, state and locality for quarterly and year-end returns.

#include <cstdint>
#include <vector>

#include "core/payroll/PayrollRecord.h"

namespace payroll {
// count lists of width zeros each.
template <class Value>
std::vector<std::vector<Value>> filledRows(std::size_t count, std::size_t width) {
    return std::vector<std::vector<Value>>(count, filled<Value>(width));
}
}  // namespace payroll

// A point of a positioned form, in layout units.
#define PAYROLL_POINT_FIELDS(F) \
    F(int32_t, x, setX, 0) \
    F(int32_t, y, setY, 0)
PAYROLL_RECORD(POINT, PAYROLL_POINT_FIELDS)

// Tax totals of a quarterly return: by month, by day of each month, and by state.
#define PAYROLL_TAXDATA_FIELDS(F) \
    F(int64_t, total941, setTotal941, 0) \
    F(std::vector<int64_t>, month941, setMonth941, payroll::filled<int64_t>(3)) \
    F(std::vector<int64_t>, NumEmp, setNumEmp, payroll::filled<int64_t>(3)) \
    F(std::vector<int64_t>, Num12, setNum12, payroll::filled<int64_t>(3)) \
    F(std::vector<std::vector<int64_t>>, day941, setDay941, payroll::filledRows<int64_t>(31, 3)) \
    F(std::vector<std::vector<int64_t>>, ficawage, setFicawage, payroll::filledRows<int64_t>(31, 3)) \
    F(std::vector<std::vector<int64_t>>, medwage, setMedwage, payroll::filledRows<int64_t>(31, 3)) \
    F(std::vector<int64_t>, sum, setSum, payroll::filled<int64_t>(10)) \
    F(std::vector<int64_t>, perwage, setPerwage, payroll::filled<int64_t>(10)) \
    F(std::vector<int64_t>, ytdwage, setYtdwage, payroll::filled<int64_t>(10)) \
    F(int32_t, NumHireActQualified, setNumHireActQualified, 0) \
    F(int32_t, NumHireActQualifiedMar19_31, setNumHireActQualifiedMar19_31, 0) \
    F(int32_t, NumAgriculturalPaidMar12, setNumAgriculturalPaidMar12, 0) \
    F(int64_t, eic, setEic, 0) \
    F(int64_t, NYlocal, setNYlocal, 0) \
    F(int64_t, rtip, setRtip, 0) \
    F(int64_t, FedWH, setFedWH, 0) \
    F(int32_t, stateindex, setStateindex, -1) \
    F(int32_t, localindex, setLocalindex, -1) \
    F(bool, multistate, setMultistate, false) \
    F(bool, nosuta, setNosuta, false) \
    F(bool, checksuta, setChecksuta, false) \
    F(bool, de6, setDe6, false) \
    F(bool, annualflag, setAnnualflag, false) \
    F(bool, FutaFlag, setFutaFlag, false) \
    F(bool, Allotto940, setAllotto940, false) \
    F(std::vector<int64_t>, statewhflag, setStatewhflag, payroll::filled<int64_t>(200)) \
    F(std::vector<std::vector<int64_t>>, stateWH, setStateWH, payroll::filledRows<int64_t>(200, 3)) \
    F(double, addMedSum, setAddMedSum, 0) \
    F(double, ficawages, setFicawages, 0) \
    F(double, ssTip, setSsTip, 0)
PAYROLL_RECORD(TAXDATA, PAYROLL_TAXDATA_FIELDS)

// Year-end totals of a W-2 run, with two state and two local slots.
#define PAYROLL_W2TOTAL_FIELDS(F) \
    F(std::vector<int64_t>, sum, setSum, payroll::filled<int64_t>(48)) \
    F(std::vector<int64_t>, val, setVal, payroll::filled<int64_t>(48)) \
    F(std::vector<int64_t>, StateTab, setStateTab, payroll::filled<int64_t>(2)) \
    F(std::vector<int64_t>, LocalTab, setLocalTab, payroll::filled<int64_t>(2)) \
    F(std::vector<int64_t>, StateTax, setStateTax, payroll::filled<int64_t>(2)) \
    F(std::vector<int64_t>, StateWages, setStateWages, payroll::filled<int64_t>(2)) \
    F(std::vector<int64_t>, LocalTax, setLocalTax, payroll::filled<int64_t>(2)) \
    F(std::vector<int64_t>, LocalWages, setLocalWages, payroll::filled<int64_t>(2)) \
    F(int64_t, NYlocal, setNYlocal, 0)
PAYROLL_RECORD(W2TOTAL, PAYROLL_W2TOTAL_FIELDS)
