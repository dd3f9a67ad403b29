#pragma once

// Employer return and wage-report records of the payroll model.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/payroll/PayrollRecord.h"

// Employer-return settings; the company header of the legacy reports reads trade.
#define PAYROLL_INFO2_FIELDS(F) \
    F(int64_t, numemp, setNumemp, 0) \
    F(int64_t, numcobra, setNumcobra, 0) \
    F(std::string, trade, setTrade, {}) \
    F(std::string, statecode, setStatecode, {}) \
    F(std::string, designee, setDesignee, {}) \
    F(std::string, phone, setPhone, {}) \
    F(std::string, pin, setPin, {}) \
    F(std::string, BusinessClosed941, setBusinessClosed941, {}) \
    F(std::string, BusinessClosed944, setBusinessClosed944, {}) \
    F(int16_t, semiweekly, setSemiweekly, 0) \
    F(int16_t, addrchange, setAddrchange, 0) \
    F(int16_t, exss, setExss, 0) \
    F(int16_t, thirdparty, setThirdparty, 0) \
    F(int16_t, overpay, setOverpay, 0) \
    F(int16_t, FileReturn, setFileReturn, 0) \
    F(int16_t, BusinessClosedCB941, setBusinessClosedCB941, 0) \
    F(int16_t, Seasonal, setSeasonal, 0) \
    F(int16_t, BusinessClosedCB944, setBusinessClosedCB944, 0)
PAYROLL_RECORD(INFO2, PAYROLL_INFO2_FIELDS)

// The paid preparer of a return.
#define PAYROLL_PAIDPREP_FIELDS(F) \
    F(std::string, Firm, setFirm, {}) \
    F(std::string, Addr, setAddr, {}) \
    F(std::string, City, setCity, {}) \
    F(std::string, State, setState, {}) \
    F(std::string, Zip, setZip, {}) \
    F(std::string, Phone, setPhone, {}) \
    F(std::string, EIN, setEIN, {}) \
    F(std::string, SSN, setSSN, {}) \
    F(std::string, SSN_actual, setSSN_actual, {}) \
    F(std::string, Name, setName, {}) \
    F(std::string, spares, setSpares, {}) \
    F(std::string, self1, setSelf1, {})
PAYROLL_RECORD(PAIDPREP, PAYROLL_PAIDPREP_FIELDS)

// FUTA return data.
#define PAYROLL_FUTADATA_FIELDS(F) \
    F(std::vector<std::string>, val, setVal, payroll::filled<std::string>(3)) \
    F(std::vector<std::string>, exempt, setExempt, payroll::filled<std::string>(5)) \
    F(std::vector<std::string>, exempt1, setExempt1, payroll::filled<std::string>(4)) \
    F(std::string, spares, setSpares, {}) \
    F(std::string, abbrev, setAbbrev, {}) \
    F(std::string, onestate, setOnestate, {}) \
    F(std::string, line9, setLine9, {}) \
    F(std::string, overpay, setOverpay, {}) \
    F(std::string, notused, setNotused, {})
PAYROLL_RECORD(FUTADATA, PAYROLL_FUTADATA_FIELDS)

// A company's magnetic-media reference; the company database fills it column by column
// from the mmref row under the field names.
#define PAYROLL_MMREF_FIELDS(F) \
    F(std::string, PIN, setPIN, {}) \
    F(std::string, contact, setContact, {}) \
    F(std::string, phone, setPhone, {}) \
    F(std::string, fax, setFax, {}) \
    F(std::string, email, setEmail, {}) \
    F(std::string, WFID, setWFID, {}) \
    F(std::string, xw3943, setXw3943, {}) \
    F(std::string, xw3944, setXw3944, {}) \
    F(std::string, preparer, setPreparer, {}) \
    F(std::string, ecode, setEcode, {}) \
    F(std::string, kindOfEmployer, setKindOfEmployer, {}) \
    F(int16_t, resub, setResub, 0) \
    F(int16_t, term, setTerm, 0) \
    F(int16_t, notify, setNotify, 0) \
    F(std::string, einsub, setEinsub, {}) \
    F(std::string, namesub, setNamesub, {}) \
    F(std::string, addrsub, setAddrsub, {}) \
    F(std::string, citysub, setCitysub, {}) \
    F(std::string, statesub, setStatesub, {}) \
    F(std::string, zipsub, setZipsub, {}) \
    F(std::string, plancode, setPlancode, {}) \
    F(std::string, phoneExt, setPhoneExt, {})
PAYROLL_RECORD(MMREF, PAYROLL_MMREF_FIELDS)

// State wage-report data, all texts.
#define PAYROLL_RSDATA_FIELDS(F) \
    F(std::string, Foreign_State_Province, setForeign_State_Province, {}) \
    F(std::string, Foreign_Postal_Code, setForeign_Postal_Code, {}) \
    F(std::string, CountryCode, setCountryCode, {}) \
    F(std::string, ReportingPeriod, setReportingPeriod, {}) \
    F(std::string, StateQUI_TotalWages, setStateQUI_TotalWages, {}) \
    F(std::string, StateQUI_TaxableWages, setStateQUI_TaxableWages, {}) \
    F(std::string, No_OfWeeks_Worked, setNo_OfWeeks_Worked, {}) \
    F(std::string, TaxType_Code, setTaxType_Code, {}) \
    F(std::string, Local_TaxableWages, setLocal_TaxableWages, {}) \
    F(std::string, LocalIncome_TaxWithheld, setLocalIncome_TaxWithheld, {}) \
    F(std::string, TaxType_MS_code, setTaxType_MS_code, {}) \
    F(std::string, UIWAGE, setUIWAGE, {}) \
    F(std::string, UITAXABLEWAGE, setUITAXABLEWAGE, {})
PAYROLL_RECORD(RSDATA, PAYROLL_RSDATA_FIELDS)

// One company's own state wage-report data.
#define PAYROLL_CompRSDATA_FIELDS(F) \
    F(int32_t, CompanyFK, setCompanyFK, 0) \
    F(std::shared_ptr<RSDATA>, rsData, setRsData, std::make_shared<RSDATA>())
PAYROLL_RECORD(CompRSDATA, PAYROLL_CompRSDATA_FIELDS)

// One tax type code.
#define PAYROLL_MSDATA_FIELDS(F) \
    F(std::string, TaxType_Code, setTaxType_Code, {})
PAYROLL_RECORD(MSDATA, PAYROLL_MSDATA_FIELDS)

// A field of a fixed-position record: its start position and its text.
#define PAYROLL_RECORD_FIELD_FIELDS(F) \
    F(int32_t, startPos, setStartPos, 0) \
    F(std::string, fieldText, setFieldText, {})
PAYROLL_RECORD(RVFIELD, PAYROLL_RECORD_FIELD_FIELDS)

PAYROLL_RECORD(RECORDFIELD, PAYROLL_RECORD_FIELD_FIELDS)

// A record of twenty fields.
#define PAYROLL_RVDATA_FIELDS(F) \
    F(payroll::List<RVFIELD>, fields, setFields, payroll::newRecords<RVFIELD>(20))
PAYROLL_RECORD(RVDATA, PAYROLL_RVDATA_FIELDS)

// A record for one state: the state, the record's text and twenty fields.
#define PAYROLL_RECORDDATA_FIELDS(F) \
    F(std::string, state, setState, {}) \
    F(std::string, record, setRecord, {}) \
    F(payroll::List<RECORDFIELD>, fields, setFields, payroll::newRecords<RECORDFIELD>(20))
PAYROLL_RECORD(RECORDDATA, PAYROLL_RECORDDATA_FIELDS)

// A font description named after a Windows logical font, with its own widths; the
// face name is an array held in the record itself.
#define PAYROLL_XLOGFONT_FIELDS(F) \
    F(int16_t, lfHeight, setLfHeight, 0) \
    F(int16_t, lfWidth, setLfWidth, 0) \
    F(int16_t, lfEscapement, setLfEscapement, 0) \
    F(int16_t, lfOrientation, setLfOrientation, 0) \
    F(int16_t, lfWeight, setLfWeight, 0) \
    F(int32_t, lfItalic, setLfItalic, 0) \
    F(int32_t, lfUnderline, setLfUnderline, 0) \
    F(int32_t, lfStrikeOut, setLfStrikeOut, 0) \
    F(int32_t, fCharSet, setFCharSet, 0) \
    F(int32_t, fOutPrecision, setFOutPrecision, 0) \
    F(int32_t, lfClipPrecision, setLfClipPrecision, 0) \
    F(int32_t, lfQuality, setLfQuality, 0) \
    F(int32_t, lfPitchAndFamily, setLfPitchAndFamily, 0) \
    F(payroll::FaceName32, lfFaceName, setLfFaceName, {})
PAYROLL_RECORD(XLOGFONT, PAYROLL_XLOGFONT_FIELDS)

