#pragma once

// Ledger accounts of the payroll model, departments and import and export field lists.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/payroll/PayrollRecord.h"

// One posting account, known by its description.
#define PAYROLL_ACCT_FIELDS(F) \
    F(std::string, Desc, setDesc, {})
PAYROLL_RECORD(ACCT, PAYROLL_ACCT_FIELDS)

// The posting accounts of every kind of payroll amount; JobWage and JobTax start absent.
#define PAYROLL_POSTACCTS_FIELDS(F) \
    F(payroll::List<ACCT>, CashWagesEICX, setCashWagesEICX, payroll::newRecords<ACCT>(4)) \
    F(payroll::List<ACCT>, Inc, setInc, payroll::newRecords<ACCT>(40)) \
    F(payroll::List<ACCT>, Inc_Cr, setInc_Cr, payroll::newRecords<ACCT>(40)) \
    F(payroll::List<ACCT>, FedFicaHiX, setFedFicaHiX, payroll::newRecords<ACCT>(4)) \
    F(payroll::List<ACCT>, DeptFedFicaHiX, setDeptFedFicaHiX, payroll::newRecords<ACCT>(4)) \
    F(payroll::List<ACCT>, StateWH, setStateWH, payroll::newRecords<ACCT>(200)) \
    F(payroll::List<ACCT>, DeptStateWH, setDeptStateWH, payroll::newRecords<ACCT>(200)) \
    F(payroll::List<ACCT>, xLocalWH, setXLocalWH, payroll::newRecords<ACCT>(5)) \
    F(payroll::List<ACCT>, Ded, setDed, payroll::newRecords<ACCT>(60)) \
    F(payroll::List<ACCT>, Tax, setTax, payroll::newRecords<ACCT>(7)) \
    F(payroll::List<ACCT>, SutaLiab, setSutaLiab, payroll::newRecords<ACCT>(200)) \
    F(payroll::List<ACCT>, SutaExp, setSutaExp, payroll::newRecords<ACCT>(200)) \
    F(payroll::List<ACCT>, DepartTax, setDepartTax, payroll::newRecords<ACCT>(7)) \
    F(payroll::List<ACCT>, DeptSutaExp, setDeptSutaExp, payroll::newRecords<ACCT>(200)) \
    F(payroll::List<ACCT>, LocalWH, setLocalWH, payroll::newRecords<ACCT>(50)) \
    F(payroll::List<ACCT>, DeptWage, setDeptWage, payroll::newRecords<ACCT>(99)) \
    F(payroll::List<ACCT>, DeptTax, setDeptTax, payroll::newRecords<ACCT>(99)) \
    F(std::shared_ptr<ACCT>, JobWage, setJobWage, nullptr) \
    F(std::shared_ptr<ACCT>, JobTax, setJobTax, nullptr) \
    F(payroll::List<ACCT>, spares, setSpares, payroll::newRecords<ACCT>(8))
PAYROLL_RECORD(POSTACCTS, PAYROLL_POSTACCTS_FIELDS)

// One account of the QuickBooks interchange file.
#define PAYROLL_IIF_ACCOUNT_FIELDS(F) \
    F(std::string, Name, setName, {})
PAYROLL_RECORD(IIF_ACCOUNT, PAYROLL_IIF_ACCOUNT_FIELDS)

// The interchange-file accounts of every kind of payroll amount; grossWages starts absent.
#define PAYROLL_QUICKBOOKS_ACCOUNTS_FIELDS(F) \
    F(std::optional<std::string>, grossWages, setGrossWages, std::nullopt) \
    F(payroll::List<IIF_ACCOUNT>, departmentWages, setDepartmentWages, payroll::newRecords<IIF_ACCOUNT>(99)) \
    F(payroll::List<IIF_ACCOUNT>, departmentTax, setDepartmentTax, payroll::newRecords<IIF_ACCOUNT>(99)) \
    F(std::shared_ptr<IIF_ACCOUNT>, fedEmployee, setFedEmployee, std::make_shared<IIF_ACCOUNT>()) \
    F(std::shared_ptr<IIF_ACCOUNT>, ficaEmployee, setFicaEmployee, std::make_shared<IIF_ACCOUNT>()) \
    F(std::shared_ptr<IIF_ACCOUNT>, medEmployee, setMedEmployee, std::make_shared<IIF_ACCOUNT>()) \
    F(std::shared_ptr<IIF_ACCOUNT>, ficaCompany, setFicaCompany, std::make_shared<IIF_ACCOUNT>()) \
    F(std::shared_ptr<IIF_ACCOUNT>, ficaTaxes, setFicaTaxes, std::make_shared<IIF_ACCOUNT>()) \
    F(std::shared_ptr<IIF_ACCOUNT>, medCompany, setMedCompany, std::make_shared<IIF_ACCOUNT>()) \
    F(std::shared_ptr<IIF_ACCOUNT>, medTaxes, setMedTaxes, std::make_shared<IIF_ACCOUNT>()) \
    F(std::shared_ptr<IIF_ACCOUNT>, futa, setFuta, std::make_shared<IIF_ACCOUNT>()) \
    F(std::shared_ptr<IIF_ACCOUNT>, futaTaxes, setFutaTaxes, std::make_shared<IIF_ACCOUNT>()) \
    F(payroll::List<IIF_ACCOUNT>, stateWithholding, setStateWithholding, payroll::newRecords<IIF_ACCOUNT>(200)) \
    F(payroll::List<IIF_ACCOUNT>, sutaLiability, setSutaLiability, payroll::newRecords<IIF_ACCOUNT>(200)) \
    F(payroll::List<IIF_ACCOUNT>, sutaExpense, setSutaExpense, payroll::newRecords<IIF_ACCOUNT>(200)) \
    F(payroll::List<IIF_ACCOUNT>, localWithholding, setLocalWithholding, payroll::newRecords<IIF_ACCOUNT>(50)) \
    F(payroll::List<IIF_ACCOUNT>, deduction, setDeduction, payroll::newRecords<IIF_ACCOUNT>(60)) \
    F(payroll::List<IIF_ACCOUNT>, deductionMatch, setDeductionMatch, payroll::newRecords<IIF_ACCOUNT>(60)) \
    F(payroll::List<IIF_ACCOUNT>, income, setIncome, payroll::newRecords<IIF_ACCOUNT>(40))
PAYROLL_RECORD(QUICKBOOKS_ACCOUNTS, PAYROLL_QUICKBOOKS_ACCOUNTS_FIELDS)

// A department by name and number (the number is a text).
#define PAYROLL_DEPARTMENT_FIELDS(F) \
    F(std::string, Name, setName, {}) \
    F(std::string, Num, setNum, {})
PAYROLL_RECORD(DEPARTMENT, PAYROLL_DEPARTMENT_FIELDS)

// A department with an index beside it.
#define PAYROLL_DEPARTMENT1_FIELDS(F) \
    F(std::string, Name, setName, {}) \
    F(std::string, Num, setNum, {}) \
    F(int32_t, IndexArray, setIndexArray, 0)
PAYROLL_RECORD(DEPARTMENT1, PAYROLL_DEPARTMENT1_FIELDS)

// The chosen fields of one import and one export.
#define PAYROLL_PORTTYPE_FIELDS(F) \
    F(std::vector<int16_t>, ImportFields, setImportFields, payroll::filled<int16_t>(7)) \
    F(std::vector<int16_t>, ExportFields, setExportFields, payroll::filled<int16_t>(7))
PAYROLL_RECORD(PORTTYPE, PAYROLL_PORTTYPE_FIELDS)

// A company-list entry with a company number and an employee number.
#define PAYROLL_COMPANYLISTSTRUCT1_FIELDS(F) \
    F(int32_t, Company, setCompany, 0) \
    F(int32_t, EmpNum, setEmpNum, 0)
PAYROLL_RECORD(COMPANYLISTSTRUCT1, PAYROLL_COMPANYLISTSTRUCT1_FIELDS)

