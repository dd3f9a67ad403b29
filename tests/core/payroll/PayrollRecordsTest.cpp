// Every payroll record class, walked field by field: each field's kind and width, its
// value at construction, the length of each list, that lists and held records are
// distinct objects and that absent fields are absent. The expected lines are the
// record tables of the payroll model; "=v" marks a value at construction other than
// zero, false or the empty text, "?" a field that starts absent.

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>

#include "core/payroll/Accounts.h"
#include "core/payroll/Employee.h"
#include "core/payroll/EmployeeData.h"
#include "core/payroll/EmployerReturns.h"
#include "core/payroll/Paycheck.h"
#include "core/payroll/PayrollSettings.h"
#include "core/payroll/TaxHolders.h"
#include "core/payroll/TaxTables.h"

namespace {

template <class T>
struct IsVector : std::false_type {};
template <class T>
struct IsVector<std::vector<T>> : std::true_type {};
template <class T>
struct IsShared : std::false_type {};
template <class T>
struct IsShared<std::shared_ptr<T>> : std::true_type {};

template <class T>
std::string numberKind() {
    if constexpr (std::is_same_v<T, bool>) return "flag";
    else if constexpr (std::is_floating_point_v<T>) return "f" + std::to_string(sizeof(T) * 8);
    else return (std::is_signed_v<T> ? "i" : "u") + std::to_string(sizeof(T) * 8);
}

template <class T>
std::string valueText(const T& value) {
    std::ostringstream out;
    if constexpr (std::is_same_v<T, bool>) out << (value ? "true" : "false");
    else if constexpr (sizeof(T) == 1) out << static_cast<int>(value);
    else out << value;
    return out.str();
}

// Describes one field of a new record, and collects every record it holds so that
// sharing between fields and list entries shows.
struct Describer {
    std::string text;
    std::set<const void*> held;
    std::string problems;

    void holds(const void* record, const std::string& where) {
        if (!held.insert(record).second) problems += where + " shares a record; ";
    }

    template <class T>
    std::string kind(const T& value, const std::string& where) {
        if constexpr (std::is_arithmetic_v<T>) {
            return numberKind<T>() + (value == T{} ? "" : "=" + valueText(value));
        } else if constexpr (std::is_same_v<T, std::string>) {
            return value.empty() ? "text" : "text=" + value;
        } else if constexpr (std::is_same_v<T, std::optional<std::string>>) {
            return value ? "text" : "text?";
        } else if constexpr (std::is_same_v<T, std::optional<payroll::List<EMPLOYEE>>> ||
                             std::is_same_v<T, std::optional<std::vector<int64_t>>>) {
            return value ? "list" : "list?";
        } else if constexpr (std::is_same_v<T, std::shared_ptr<payroll::Spare64x2>>) {
            if (value) holds(value.get(), where);
            return value ? "block" : "block?";
        } else if constexpr (IsShared<T>::value) {
            using Record = typename T::element_type;
            if (value) holds(value.get(), where);
            return std::string(Record::kClassName) + (value ? "" : "?");
        } else if constexpr (IsVector<T>::value) {
            using Entry = typename T::value_type;
            std::string entry = "?";
            for (std::size_t i = 0; i < value.size(); ++i) {
                const std::string e = kind(value[i], where + "[" + std::to_string(i) + "]");
                if (i == 0) entry = e;
                else if (e != entry) problems += where + " entries differ; ";
            }
            if constexpr (IsShared<Entry>::value) {
                for (const auto& r : value)
                    if (!r) problems += where + " has an empty entry; ";
                entry = Entry::element_type::kClassName;
            }
            return "[" + entry + "*" + std::to_string(value.size()) + "]";
        } else {
            // A fixed array held in the record.
            using Entry = typename T::value_type;
            for (const auto& e : value)
                if (e != Entry{}) problems += where + " holds a value; ";
            return numberKind<Entry>() + "[" + std::to_string(value.size()) + "]";
        }
    }

    template <class T>
    void operator()(const char* name, const T& value) {
        if (!text.empty()) text += " ";
        text += std::string(name) + ":" + kind(value, name);
    }
};

struct RecordCase {
    std::string name;
    std::function<Describer()> describeNew;
    std::string expected;
};

void PrintTo(const RecordCase& c, std::ostream* out) { *out << c.name; }

template <class Record>
RecordCase recordCase(std::string expected) {
    return {Record::kClassName,
            [] {
                Describer d;
                const auto record = std::make_shared<Record>();
                record->forEachField(d);
                return d;
            },
            std::move(expected)};
}

const RecordCase kRecords[] = {
    recordCase<EMPTAX>("Fica:i64 Med:i64 Futa:i64 Suta:i64 Total:i64 FicaWH:f64 MedWH:f64 FicaWage:f64 MedWage:f64"),
    recordCase<WAGEDATA>("wages:i64 taxes:i64"),
    recordCase<TAXLINE>("Over:i64 Percent:f32 Base:i64 Additional:f32 Over_actual:i64 Base_actual:i64"),
    recordCase<TAXSTUB>("Over:i64 Percent:f32 Base:i64"),
    recordCase<PHASELINE>("Range1:i64=-1 Range2:i64=-1 amt:i64 Range1_actual:i64=-1 Range2_actual:i64=-1 amt_actual:i64"),
    recordCase<EXEMPLINE>("Range1:i64=-1 Range2:i64=-1 amt:i64 Range1_actual:i64=-1 Range2_actual:i64=-1 amt_actual:i64"),
    recordCase<RECAPLINE>("Range1:i64=-1 Range2:i64=-1 amt:i64 Range1_actual:i64=-1 Range2_actual:i64=-1 amt_actual:i64"),
    recordCase<TAXCREDITLINE>("Range1:i64=-1 Range2:i64=-1 Range1_actual:i64=-1 Range2_actual:i64=-1 amt_actual:i64 amt:f32"),
    recordCase<FEDTABLE>("NumLines:i16 taxline:[TAXLINE*20]"),
    recordCase<STATE>("Name:text State_Id:text SutaRate:f32 MaxSuta:i64"),
    recordCase<STATETABLE>(
        "Name:text NumLines:i16 PerCentFed:i32 SubFed:i32 Round:i32 spare:i32 MaxSutaWage:i64 "
        "ExemptAmt:i64 TaxCredAmt:i64 MinStdDed:i64 MaxStdDed:i64 PctStdDed:f32 SubFedMax:i64 "
        "PctSubFed:f32 LowIncExmp:i64 percent:f32 over:i64 taxline:[TAXLINE*20] phaseline:[PHASELINE*11] "
        "exempline:[EXEMPLINE*24] recapline:[RECAPLINE*40] tcline:[TAXCREDITLINE*28] Status:text"),
    recordCase<LOCALTABLE>(
        "Name:text NumLines:i16 Method:i32 Round:i32 AmtPer:i32 PerCentState:i32 uc:i32 ExemptAmt:i64 "
        "TaxCredAmt:i64 StdDed:i64 Amount:i64 Rate:f32 Limit:i64 PctStdDed:f32 MaxStdDed:i64 "
        "taxline:[TAXLINE*20]"),
    recordCase<ACCT>("Desc:text"),
    recordCase<POSTACCTS>(
        "CashWagesEICX:[ACCT*4] Inc:[ACCT*40] Inc_Cr:[ACCT*40] FedFicaHiX:[ACCT*4] "
        "DeptFedFicaHiX:[ACCT*4] StateWH:[ACCT*200] DeptStateWH:[ACCT*200] xLocalWH:[ACCT*5] "
        "Ded:[ACCT*60] Tax:[ACCT*7] SutaLiab:[ACCT*200] SutaExp:[ACCT*200] DepartTax:[ACCT*7] "
        "DeptSutaExp:[ACCT*200] LocalWH:[ACCT*50] DeptWage:[ACCT*99] DeptTax:[ACCT*99] JobWage:ACCT? "
        "JobTax:ACCT? spares:[ACCT*8]"),
    recordCase<IIF_ACCOUNT>("Name:text"),
    recordCase<QUICKBOOKS_ACCOUNTS>(
        "grossWages:text? departmentWages:[IIF_ACCOUNT*99] departmentTax:[IIF_ACCOUNT*99] "
        "fedEmployee:IIF_ACCOUNT ficaEmployee:IIF_ACCOUNT medEmployee:IIF_ACCOUNT ficaCompany:IIF_ACCOUNT "
        "ficaTaxes:IIF_ACCOUNT medCompany:IIF_ACCOUNT medTaxes:IIF_ACCOUNT futa:IIF_ACCOUNT "
        "futaTaxes:IIF_ACCOUNT stateWithholding:[IIF_ACCOUNT*200] sutaLiability:[IIF_ACCOUNT*200] "
        "sutaExpense:[IIF_ACCOUNT*200] localWithholding:[IIF_ACCOUNT*50] deduction:[IIF_ACCOUNT*60] "
        "deductionMatch:[IIF_ACCOUNT*60] income:[IIF_ACCOUNT*40]"),
    recordCase<DEPARTMENT>("Name:text Num:text"),
    recordCase<DEPARTMENT1>("Name:text Num:text IndexArray:i32"),
    recordCase<PORTTYPE>("ImportFields:[i16*7] ExportFields:[i16*7]"),
    recordCase<COMPANYLISTSTRUCT1>("Company:i32 EmpNum:i32"),
    recordCase<EMPDATA>(
        "Key:i32 Department:i32 PayFreq:i32 StateTable:i32 LocalTable:i32 SutaState:i32 calcdate:u16 "
        "Calculated:flag Inactive:flag Hourly:flag"),
    recordCase<BANKINFO>("binfo:text"),
    recordCase<HDIST>("tag:text tag2:text rec:i64"),
    recordCase<DIST>("tag:u8 tag2:u8 deptjob:i16 index:i16 val:i64"),
    recordCase<PAYEE>(
        "Name:text Addr1:text Addr2:text City:text State:text Zip:text AcctNum:text Type:i32 uspare:i32 "
        "StartDate:text EndDate:text Index:i16 Amount:[i64*10] ispare1:i16 ispare2:i16 xtype:[i32*10] "
        "xindex:[i32*10] Xspare:[i32*10] DedStr:text prenote:i32"),
    recordCase<DEPT>(
        "Name:text Addr1:text Addr2:text Prenote:text City:text State:text Zip:text AcctNum:text Type:u8 "
        "uspare:u8 StartDate:text EndDate:text Index:i16 Amount:i64[10] ispare1:i16 ispare2:i16 "
        "xtype:text xindex:text Xspare:text DedStr:text"),
    recordCase<XCHECK>(
        "xstatus:u8 xflag:u8 Payee:i16 ui0:u16 ui1:u16 ChkNum:i64 ChkDate:text StartDate:text "
        "EndDate:text i1:i16 LastNum:i64 Amount:[i32*10] xtype:[text*10] xindex:[text*10] "
        "Xspare:[text*10]"),
    recordCase<DIRDEP>(
        "OName:text ORoute:text ORoute_actual:text DName:text DRoute:text DRoute_actual:text CoID:text "
        "Desc:text Discr:text Effdate:text Modifier:text Balance:text Prenote:text AcctNum:text "
        "AcctNum_actual:text NoSS:text"),
    recordCase<INFO2>(
        "numemp:i64 numcobra:i64 trade:text statecode:text designee:text phone:text pin:text "
        "BusinessClosed941:text BusinessClosed944:text semiweekly:i16 addrchange:i16 exss:i16 "
        "thirdparty:i16 overpay:i16 FileReturn:i16 BusinessClosedCB941:i16 Seasonal:i16 "
        "BusinessClosedCB944:i16"),
    recordCase<PAIDPREP>(
        "Firm:text Addr:text City:text State:text Zip:text Phone:text EIN:text SSN:text SSN_actual:text "
        "Name:text spares:text self1:text"),
    recordCase<FUTADATA>(
        "val:[text*3] exempt:[text*5] exempt1:[text*4] spares:text abbrev:text onestate:text line9:text "
        "overpay:text notused:text"),
    recordCase<MMREF>(
        "PIN:text contact:text phone:text fax:text email:text WFID:text xw3943:text xw3944:text "
        "preparer:text ecode:text kindOfEmployer:text resub:i16 term:i16 notify:i16 einsub:text "
        "namesub:text addrsub:text citysub:text statesub:text zipsub:text plancode:text phoneExt:text"),
    recordCase<RSDATA>(
        "Foreign_State_Province:text Foreign_Postal_Code:text CountryCode:text ReportingPeriod:text "
        "StateQUI_TotalWages:text StateQUI_TaxableWages:text No_OfWeeks_Worked:text TaxType_Code:text "
        "Local_TaxableWages:text LocalIncome_TaxWithheld:text TaxType_MS_code:text UIWAGE:text "
        "UITAXABLEWAGE:text"),
    recordCase<CompRSDATA>("CompanyFK:i32 rsData:RSDATA"),
    recordCase<MSDATA>("TaxType_Code:text"),
    recordCase<RVFIELD>("startPos:i32 fieldText:text"),
    recordCase<RECORDFIELD>("startPos:i32 fieldText:text"),
    recordCase<RVDATA>("fields:[RVFIELD*20]"),
    recordCase<RECORDDATA>("state:text record:text fields:[RECORDFIELD*20]"),
    recordCase<XLOGFONT>(
        "lfHeight:i16 lfWidth:i16 lfEscapement:i16 lfOrientation:i16 lfWeight:i16 lfItalic:i32 "
        "lfUnderline:i32 lfStrikeOut:i32 fCharSet:i32 fOutPrecision:i32 lfClipPrecision:i32 lfQuality:i32 "
        "lfPitchAndFamily:i32 lfFaceName:i32[32]"),
    recordCase<EMPLOYEE>(
        "dept:i16 FirstFlags:u16 FirstInQuarterFlags:i16 SutaTable_Changed:i16 Inactive:i32 UC1:i32 "
        "UC2:i32 UC3:i32 CalcFlag:i32 dirdep:i32 MedX:i32 prenote:i32 HireActQualified:i32 PayFreq:i32 "
        "W2Statutory:i32 W2Pension:i32 xW2DefComp:i32 W2SickPay:i32 EicApply:i32 EicVal:i32 FicaX:i32 "
        "FutaX:i32 SutaX:i32 FedTable:i32 StateTable:i32 LocTable:i32 SutaState:i32 fedpc:i32 statepc:i32 "
        "FedFilSta:i32 Checkbox:i32 selectType:i32 LName:text FName:text Addr1:text Addr2:text City:text "
        "State:text Zip:text Phone:text SSN:text SSN_actual:text Num:i64 Salary:i64 "
        "HireActQualifiedTotalPaid:i64 employeeType:i64 Birth:text xpad:text Hire:text Term:text "
        "LastRaise:text CalcStart:text Comments:text CalcDate:text CalcEnd:text StateExemTot:i64 "
        "LocExemTot:i64 StateTaxCred:i64 LocTaxCred:i64 ChkLink:i64 ThirdTax:i64 DistPos:i64 EmprMed:i64 "
        "Rate:[i64*8] Allow:[i64*3] AddWH:[i64*3] Inc:[EMPINCOME*8] Ded:[EMPDEDUCT*16] Match:[i64*16] "
        "Accr:[ACCRUAL*6] Avail:[ACCRUAL*6] xdist:[DISTPAY*10] DirDep:[DIRPAY*3] email:text avail1:text "
        "Availused:text limitmatch:[i64*16] Pay:[PAYVALS*4] Hours:[HOURVALS*4] "
        "StateTotal:[StateWHTotal*2] HrRate:HOURVALS HrAmount:HOURVALS TaxWage:TAXWAGE County:COUNTY "
        "ImportAccr:[ACCRUAL*6] StepA:i64 StepB:i64 StepC:i64 ExemptTotal:i64 Depend:i64"),
    recordCase<EMPINCOME>("Index:i32 Used:i32 Rate:f32 fQty:f32 Amount:i64 vQty:i64"),
    recordCase<EMPDEDUCT>("Index:i32 Used:i32 Rate:f32 Amount:i64 Limit:i64 Matchval:i64 LimitMatch:i64"),
    recordCase<ACCRUAL>(
        "Type:i32 Type1:i32 Max:i32 YearFlag:i32 QuarterlyFlag:i32 MonthFlag:i32 TMax:i32 CCAAHAU:i32 "
        "COH:i32 HACB:i32 PerMonth:f32 PerQuarterly:f32 PerYear:f32 PerHour:f32 Index:i32 Used:i32 u3:i32 "
        "u4:i32 MaxPerPay:f32 Availused:i32 count:i32 MaxAmt:i64 TMaxAmt:i64 COHAmt:i64 CalcVal:i64 "
        "CalcVal1:i64 CalcBal:i64 Avail:i64 StartDate:text Date:text CODate:text TAvail:i64 Hour:i64 "
        "AUMaxFlag:i64 TAMax:i64 AAMax:i64 TotHours:i64 Avail1:i64 IPFlag:i64 COHFlag:i64 "
        "CarryOverFlag:i64 AvailInUse:i64"),
    recordCase<DISTPAY>("dept:i16 Percent:f32"),
    recordCase<DIRPAY>(
        "Type:i32 PCflag:i32 amount2Check:i32 amount3Check:i32 RouteNum:text RouteNum_actual:text "
        "BankAcct:text BankAcct_actual:text Amount:i64"),
    recordCase<PAYVALS>("Val:[i64*33]"),
    recordCase<HOURVALS>("Val:[i64*9]"),
    recordCase<TAXWAGE>("Val:[i64*5]"),
    recordCase<COUNTY>("code:text CountyWage:text CountyWH:text"),
    recordCase<StateWHTotal>("sutaState:i32=-1 state:i32=-1 isChecksThere:i32 isExempt:i32 isNone:i32 val:i64"),
    recordCase<EMPDEPT>("Federal:text State:text Local:text"),
    recordCase<CHECK>(
        "status:u8=255 statetab:u8=255 sutastate:u8=255 local:u8=255 dirdep:u8=255 taxflag:u8=255 "
        "FirstInQuarter:flag SutaState_Changed:flag dept:i16=-1 EmpRec:i16=-1 PerStart:u16=65535 "
        "ChkDate:text PerEnd:text ChkNum:i64=-1 Inc:[i16*8] Ded:[i16*16] Acc:[i16*6] AccHrs:[i64*6] "
        "Avail:[i64*6] COH:[i64*6] MonthFlag:[i64*6] QuarterlyFlag:[i64*6] CarryOverFlag:[i64*6] "
        "Qty:[f32*6] Rate:[f32*6] spare1:i64=-1 Pay:PAYVALS Hours:HOURVALS HrRate:HOURVALS DistPos:i64=-1 "
        "FicaWage:i64=-1 MedWage:i64=-1 FutaWage:i64=-1 SutaWage:i64=-1 spare2:i64=-1 EmpLink:i64=-1 "
        "MonthLink:i64=-1 xdist:[DISTPAY*10] Match:[i64*16] AddMedWage:i64 EmprMed:i64=-1 "
        "allowances:i64=-1 allowancesfed:i64=-1 check_status:text statusfed:i64=-1 COAmtDiff:i64=-1"),
    recordCase<CHECK_STATECHANGE>("sutaStae:i32=-1 state1:i32=-1 EmpLink:i32=-1 allowances:i32=-1 val:i64 COHDiff:list?"),
    recordCase<DEPT_TAX>("Fica:i64 FUTA:i64 SUTA:i64 Med:i64 Tax:i64"),
    recordCase<PAYEELIST>("seq:i32=-1 key:i32=-1"),
    recordCase<INFO>(
        "doNotShowFedParmWarning:flag showLast4SSN:flag showLast4SSN1:flag separateChkNum:flag "
        "wPrtSize:i16 TableYear:i16 mPrtSize:i16 mPrtFont:i16 deleted:i16 xFixFed:i32 DirDepNumFlag:i32 "
        "PrintFlag:i32 SplitFica:i32 MarkPost:i32 FixDist:i32 ImportHour:i32 TradeFlag:i32 XSSN:i32 "
        "Freq:i32 SaveHour:i32 HourlyFirst:i32 Version:i32 FmtFlag:i32 QIFPrint:i32 SecondStub:i32 "
        "DeptSort:i32 NumSort:i32 CheckFmt:i32 NoFrame:i32 PostJob:i32 "
        "useCompanySpecificW2W3CheckFormat:i32 DeptTax:i32 ImpExpFileMap:i32 ImportOverr:i32 NumEmp:i32 "
        "NumCheck:i32 NumPayee:i32 NumXCheck:i32 FutaPct:f32 EmpeFicaPct:f32 EmprFicaPct:f32 "
        "EmpeMedPct:f32 EmprMedPct:f32 PrintMeta:i32 CR_LF:i32 notused:i32 MICRflag:i32 RoundFed:i32 "
        "EmpeAddMedPct:f32 EmprAddMedPct:f32 nextPeriodFrequency:i32 PrintReverseOrder:i32 "
        "BINinfoonstub:i32 dolleronCheck:i32 allowances1:i32 matchamt:i32 avail:text Phone:text "
        "Addr1:text Addr2:text City:text State:text Zip:text FedID:text FedID_actual:text PayYear:text "
        "avail2:text LastStart:text LastDate:text LastEnd:text QIFAcct:text LastDirDep:text LastNum:i64 "
        "XLastNum:i64 MonthLink:[i16*12] FedAllow:i64 MaxFutaWage:i64 MaxFicaWage:i64 MaxMedWage:i64 "
        "Deduct:[DEDUCTION*60] Income:[INCOME*40] Hour:[HOURCAT*9] Emps:list? DistEOF:i64 RouteNum:text "
        "BankAcct:text RouteNum_actual:text BankAcct_actual:text Name:text Password:text Password2:text "
        "avail3:text Password_actual:text Password2_actual:text AddMedStartWage:i64"),
    recordCase<INCOME>(
        "UseInDisposableWages:flag OmitFromGrossOnCheckStub:flag PostToAcct:flag DontPost:flag Type:i32 "
        "AllocTip:i32 ReptdTip:i32 NonCash:i32 notused:i32 FedExmt:i32 FicaExmt:i32 MedExmt:i32 "
        "FutaExmt:i32 StateExmt:i32 SutaExmt:i32 LocExmt:i32 PercentWage:i32 IncInWage:i32 FixAmtPer:i32 "
        "W2Box12:i32 W2Box14:i32 Rate:f32 DedExmt:i32 W2Box10:i32 W2Box11:i32 Sec457:i32 Name:text "
        "W2BoxCode0:text w2BoxCode1:text Amount:i64 Spare3:block"),
    recordCase<DEDUCTION>(
        "UseInDisposableWages:flag ApplyTo940:flag Type:i32 PreFed:i32 PreFica:i32 PreMed:i32 PreFuta:i32 "
        "PreState:i32 PreSuta:i32 PreLoc:i32 W2Box10:i32 W2Box12:i32 W2Box14:i32 W2Box20:i32 W2Code2:i32 "
        "matchType:i32 matchZero:i32 matchUpto:i32 matchPercent4:i32 FixAmtPer:i32 ApplyTo:i32 "
        "LimitPer:i32 ApplyToMatchChoice:i32 Spare2_0:i32 Spare2_1:i32 Spare2_2:i32 Rate:f32 Name:text "
        "W2Code1:text? Amount:i64 Limit:i64 MatchVal:i64 MatchLimit:i64 Spare:i64"),
    recordCase<HOURCAT>("RateNum:i32 RateMult:i32 Include:i32 Track:i32 spare:i32 Name:text"),
    recordCase<EMPRDIRPAY>("Type:i32 PCflag:i32 RouteNum:text RouteNum_actual:text BankAcct:text BankAcct_actual:text"),
    recordCase<POINT>("x:i32 y:i32"),
    recordCase<TAXDATA>(
        "total941:i64 month941:[i64*3] NumEmp:[i64*3] Num12:[i64*3] day941:[[i64*3]*31] "
        "ficawage:[[i64*3]*31] medwage:[[i64*3]*31] sum:[i64*10] perwage:[i64*10] ytdwage:[i64*10] "
        "NumHireActQualified:i32 NumHireActQualifiedMar19_31:i32 NumAgriculturalPaidMar12:i32 eic:i64 "
        "NYlocal:i64 rtip:i64 FedWH:i64 stateindex:i32=-1 localindex:i32=-1 multistate:flag nosuta:flag "
        "checksuta:flag de6:flag annualflag:flag FutaFlag:flag Allotto940:flag statewhflag:[i64*200] "
        "stateWH:[[i64*3]*200] addMedSum:f64 ficawages:f64 ssTip:f64"),
    recordCase<W2TOTAL>(
        "sum:[i64*48] val:[i64*48] StateTab:[i64*2] LocalTab:[i64*2] StateTax:[i64*2] "
        "StateWages:[i64*2] LocalTax:[i64*2] LocalWages:[i64*2] NYlocal:i64"),
};

class PayrollRecordTest : public ::testing::TestWithParam<RecordCase> {};

TEST_P(PayrollRecordTest, NewRecordHoldsItsDefaults) {
    const RecordCase& c = GetParam();
    const Describer d = c.describeNew();
    EXPECT_EQ(d.text, c.expected);
    EXPECT_EQ(d.problems, "");
}

INSTANTIATE_TEST_SUITE_P(EveryClass, PayrollRecordTest, ::testing::ValuesIn(kRecords),
                         [](const auto& testCase) { return testCase.param.name; });

// Defaults the record tables call out by name.
TEST(PayrollRecordDefaults, CalledOutByName) {
    const CHECK check;
    EXPECT_EQ(check.ChkNum(), -1);
    EXPECT_EQ(check.status(), 255);
    EXPECT_EQ(check.PerStart(), 65535);
    EXPECT_EQ(check.AddMedWage(), 0);
    EXPECT_FALSE(check.FirstInQuarter());
    EXPECT_FALSE(CHECK_STATECHANGE().COHDiff().has_value());
    EXPECT_EQ(StateWHTotal().sutaState(), -1);
    EXPECT_EQ(TAXDATA().stateindex(), -1);
    EXPECT_FALSE(DEDUCTION().W2Code1().has_value());
    EXPECT_EQ(DEDUCTION().Name(), "");
    EXPECT_FALSE(INFO().Emps().has_value());
    EXPECT_EQ(POSTACCTS().JobWage(), nullptr);
    EXPECT_FALSE(QUICKBOOKS_ACCOUNTS().grossWages().has_value());
    EXPECT_EQ(PAYEELIST().seq(), -1);
}

// A getter and setter round trip for each kind of field; lists and arrays change in
// place through their getter, and a change stays inside its own record.
TEST(PayrollRecordAccessors, RoundTripEachKind) {
    EMPLOYEE employee;
    employee.setNum(1234567890123);                         // 64-bit
    employee.setInactive(-7);                               // 32-bit
    employee.setDept(-300);                                 // 16-bit
    employee.setFirstFlags(65000);                          // 16-bit unsigned
    employee.setLName("Smith & Söhne");                     // text
    EXPECT_EQ(employee.Num(), 1234567890123);
    EXPECT_EQ(employee.Inactive(), -7);
    EXPECT_EQ(employee.dept(), -300);
    EXPECT_EQ(employee.FirstFlags(), 65000);
    EXPECT_EQ(employee.LName(), "Smith & Söhne");

    employee.Inc()[0]->setRate(2.5f);                       // 32-bit float, in place
    EXPECT_FLOAT_EQ(employee.Inc()[0]->Rate(), 2.5f);
    EXPECT_FLOAT_EQ(employee.Inc()[1]->Rate(), 0.0f);
    employee.Match()[3] = 42;                               // number list, in place
    EXPECT_EQ(employee.Match()[3], 42);
    EXPECT_EQ(employee.limitmatch()[3], 0);
    employee.setRate({1, 2});                               // a list setter replaces the list
    EXPECT_EQ(employee.Rate().size(), 2u);
    auto county = std::make_shared<COUNTY>();
    county->setCode("017");
    employee.setCounty(county);                             // a record setter replaces the reference
    EXPECT_EQ(employee.County()->code(), "017");

    EMPTAX tax;
    tax.setFicaWH(12.75);                                   // 64-bit float
    EXPECT_DOUBLE_EQ(tax.FicaWH(), 12.75);
    CHECK check;
    check.setStatus(7);                                     // 8-bit unsigned
    check.setFirstInQuarter(true);                          // flag
    EXPECT_EQ(check.status(), 7);
    EXPECT_TRUE(check.FirstInQuarter());

    DEDUCTION deduction;
    deduction.setW2Code1("DD");                             // a text that may be absent
    EXPECT_EQ(deduction.W2Code1(), "DD");
    deduction.setW2Code1(std::nullopt);
    EXPECT_FALSE(deduction.W2Code1().has_value());

    DEPT first, second;                                     // a fixed array held in the record
    first.Amount()[9] = -5;
    EXPECT_EQ(first.Amount()[9], -5);
    EXPECT_EQ(second.Amount()[9], 0);
    TAXCREDITLINE credit;
    credit.setAmt(0.25f);                                   // keeps fractions, unlike its sisters
    EXPECT_FLOAT_EQ(credit.amt(), 0.25f);
}

// A line changed in one table's list leaves every other table's lines as they were.
TEST(PayrollRecordAccessors, TablesShareNoLines) {
    STATETABLE one, two;
    one.taxline()[0]->setOver(500);
    EXPECT_EQ(two.taxline()[0]->Over(), 0);
    EXPECT_EQ(one.taxline()[1]->Over(), 0);
    EXPECT_EQ(one.NumLines(), 0);
}

}  // namespace
