#pragma once

// The tax-table records of the payroll model: bracket, phase-out, exemption, recapture and
// tax-credit lines, the federal, state and local tables that hold them, the state record
// and two holders of tax and wage totals.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/payroll/PayrollRecord.h"

// Tax amounts by kind and their total, with withholding and wage figures for two kinds.
#define PAYROLL_EMPTAX_FIELDS(F) \
    F(int64_t, Fica, setFica, 0) \
    F(int64_t, Med, setMed, 0) \
    F(int64_t, Futa, setFuta, 0) \
    F(int64_t, Suta, setSuta, 0) \
    F(int64_t, Total, setTotal, 0) \
    F(double, FicaWH, setFicaWH, 0) \
    F(double, MedWH, setMedWH, 0) \
    F(double, FicaWage, setFicaWage, 0) \
    F(double, MedWage, setMedWage, 0)
PAYROLL_RECORD(EMPTAX, PAYROLL_EMPTAX_FIELDS)

// A wage total and a tax total.
#define PAYROLL_WAGEDATA_FIELDS(F) \
    F(int64_t, wages, setWages, 0) \
    F(int64_t, taxes, setTaxes, 0)
PAYROLL_RECORD(WAGEDATA, PAYROLL_WAGEDATA_FIELDS)

// One bracket line of a tax table; the _actual fields are second copies kept beside Over and Base.
#define PAYROLL_TAXLINE_FIELDS(F) \
    F(int64_t, Over, setOver, 0) \
    F(float, Percent, setPercent, 0) \
    F(int64_t, Base, setBase, 0) \
    F(float, Additional, setAdditional, 0) \
    F(int64_t, Over_actual, setOver_actual, 0) \
    F(int64_t, Base_actual, setBase_actual, 0)
PAYROLL_RECORD(TAXLINE, PAYROLL_TAXLINE_FIELDS)

// A three-field bracket line that no table holds.
#define PAYROLL_TAXSTUB_FIELDS(F) \
    F(int64_t, Over, setOver, 0) \
    F(float, Percent, setPercent, 0) \
    F(int64_t, Base, setBase, 0)
PAYROLL_RECORD(TAXSTUB, PAYROLL_TAXSTUB_FIELDS)

// Phase-out, exemption and recapture lines of a state table: a range and an amount,
// each with an _actual copy. The range bounds start at -1.
#define PAYROLL_RANGE_LINE_FIELDS(F) \
    F(int64_t, Range1, setRange1, -1) \
    F(int64_t, Range2, setRange2, -1) \
    F(int64_t, amt, setAmt, 0) \
    F(int64_t, Range1_actual, setRange1_actual, -1) \
    F(int64_t, Range2_actual, setRange2_actual, -1) \
    F(int64_t, amt_actual, setAmt_actual, 0)
PAYROLL_RECORD(PHASELINE, PAYROLL_RANGE_LINE_FIELDS)

PAYROLL_RECORD(EXEMPLINE, PAYROLL_RANGE_LINE_FIELDS)

PAYROLL_RECORD(RECAPLINE, PAYROLL_RANGE_LINE_FIELDS)

// The tax-credit line of a state table: its amt keeps fractions, unlike its sister lines.
#define PAYROLL_TAXCREDITLINE_FIELDS(F) \
    F(int64_t, Range1, setRange1, -1) \
    F(int64_t, Range2, setRange2, -1) \
    F(int64_t, Range1_actual, setRange1_actual, -1) \
    F(int64_t, Range2_actual, setRange2_actual, -1) \
    F(int64_t, amt_actual, setAmt_actual, 0) \
    F(float, amt, setAmt, 0)
PAYROLL_RECORD(TAXCREDITLINE, PAYROLL_TAXCREDITLINE_FIELDS)

// The federal tax table. NumLines is a field of its own, not the length of taxline.
#define PAYROLL_FEDTABLE_FIELDS(F) \
    F(int16_t, NumLines, setNumLines, 0) \
    F(payroll::List<TAXLINE>, taxline, setTaxline, payroll::newRecords<TAXLINE>(20))
PAYROLL_RECORD(FEDTABLE, PAYROLL_FEDTABLE_FIELDS)

// One state of the payroll context; the lookups compare its Name.
#define PAYROLL_STATE_FIELDS(F) \
    F(std::string, Name, setName, {}) \
    F(std::string, State_Id, setState_Id, {}) \
    F(float, SutaRate, setSutaRate, 0) \
    F(int64_t, MaxSuta, setMaxSuta, 0)
PAYROLL_RECORD(STATE, PAYROLL_STATE_FIELDS)

// A state tax table; it belongs to the STATE named by the first two characters of its Name.
#define PAYROLL_STATETABLE_FIELDS(F) \
    F(std::string, Name, setName, {}) \
    F(int16_t, NumLines, setNumLines, 0) \
    F(int32_t, PerCentFed, setPerCentFed, 0) \
    F(int32_t, SubFed, setSubFed, 0) \
    F(int32_t, Round, setRound, 0) \
    F(int32_t, spare, setSpare, 0) \
    F(int64_t, MaxSutaWage, setMaxSutaWage, 0) \
    F(int64_t, ExemptAmt, setExemptAmt, 0) \
    F(int64_t, TaxCredAmt, setTaxCredAmt, 0) \
    F(int64_t, MinStdDed, setMinStdDed, 0) \
    F(int64_t, MaxStdDed, setMaxStdDed, 0) \
    F(float, PctStdDed, setPctStdDed, 0) \
    F(int64_t, SubFedMax, setSubFedMax, 0) \
    F(float, PctSubFed, setPctSubFed, 0) \
    F(int64_t, LowIncExmp, setLowIncExmp, 0) \
    F(float, percent, setPercent, 0) \
    F(int64_t, over, setOver, 0) \
    F(payroll::List<TAXLINE>, taxline, setTaxline, payroll::newRecords<TAXLINE>(20)) \
    F(payroll::List<PHASELINE>, phaseline, setPhaseline, payroll::newRecords<PHASELINE>(11)) \
    F(payroll::List<EXEMPLINE>, exempline, setExempline, payroll::newRecords<EXEMPLINE>(24)) \
    F(payroll::List<RECAPLINE>, recapline, setRecapline, payroll::newRecords<RECAPLINE>(40)) \
    F(payroll::List<TAXCREDITLINE>, tcline, setTcline, payroll::newRecords<TAXCREDITLINE>(28)) \
    F(std::string, Status, setStatus, {})
PAYROLL_RECORD(STATETABLE, PAYROLL_STATETABLE_FIELDS)

// A local tax table.
#define PAYROLL_LOCALTABLE_FIELDS(F) \
    F(std::string, Name, setName, {}) \
    F(int16_t, NumLines, setNumLines, 0) \
    F(int32_t, Method, setMethod, 0) \
    F(int32_t, Round, setRound, 0) \
    F(int32_t, AmtPer, setAmtPer, 0) \
    F(int32_t, PerCentState, setPerCentState, 0) \
    F(int32_t, uc, setUc, 0) \
    F(int64_t, ExemptAmt, setExemptAmt, 0) \
    F(int64_t, TaxCredAmt, setTaxCredAmt, 0) \
    F(int64_t, StdDed, setStdDed, 0) \
    F(int64_t, Amount, setAmount, 0) \
    F(float, Rate, setRate, 0) \
    F(int64_t, Limit, setLimit, 0) \
    F(float, PctStdDed, setPctStdDed, 0) \
    F(int64_t, MaxStdDed, setMaxStdDed, 0) \
    F(payroll::List<TAXLINE>, taxline, setTaxline, payroll::newRecords<TAXLINE>(20))
PAYROLL_RECORD(LOCALTABLE, PAYROLL_LOCALTABLE_FIELDS)

