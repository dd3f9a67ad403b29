#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CHECK;
class DEDUCTION;
class EMPLOYEE;
class INCOME;

// Field checks and the conversions between typed text, stored text and whole cents
// that the entry windows, imports, print runs and e-file writers share. Every check
// answers true or false and changes nothing; every conversion maps bad input to a
// fixed marker (-1 empty, -2 invalid, "INVALID") instead of failing.
//
// Text is UTF-8; lengths and positions count characters (code points).
class Utils {
public:
    // ---- characters ----

    // The number of characters (code points) of a UTF-8 text. Bytes that are not
    // valid UTF-8 count one character each.
    static std::size_t characterCount(const std::string& text);
    // The text as code points (invalid bytes become U+FFFD) and back.
    static std::u32string toCodePoints(const std::string& text);
    static std::string fromCodePoints(const std::u32string& text);

    // ---- checks ----

    static bool isEmptyString(const std::string& text);
    static bool isValidLength(const std::string& text, int32_t minimum, int32_t maximum);
    static bool isValidPhone(const std::string& text);
    static bool isValidInternationalPhone(const std::string& number, const std::string& kind);
    static bool isValidEmail(const std::string& text);
    static bool ValidateEmail(const std::string& text);
    static bool isValidPercentage(const std::string& text);
    static bool isValidDate(const std::string& text);
    static bool isvalidNumber(const std::string& text);
    static bool isValidState(const std::string& text);
    static bool isValidZip(const std::string& text);
    static bool isValidOfficeCode(const std::string& text);
    static bool ValidateFieldLength(const std::string& text);
    static bool isValidDollarString(const std::string& text);
    static bool isValidDollarStringState(const std::string& text);
    static bool isValidYear(const std::string& text);
    // Reads only the first two characters: "G4X" passes as "G4" and "4 G" as "4".
    static bool isValidDistributionCode(const std::string& text);
    // The code isValidDistributionCode reads: the first two characters in capitals, a
    // blank second one dropped ("4 G" gives "4", "g4x" "G4", "7 " "7"). The FIRE and
    // IRIS files both write it, so one return carries one code in both.
    static std::string distributionCodeRead(const std::string& text);
    static bool isValidTaxID(const std::string& text);
    static bool isValidUserID(const std::string& text);
    static bool isAlphabetic(const std::string& text);
    static bool isZeroOrEmpty(const std::optional<std::string>& text);
    static bool isValidAddress(const std::string& text, int32_t minimum, int32_t maximum);
    static bool isValidCountry(char32_t character);

    // ---- states ----

    // Two-letter code (wantNumber false) or two-digit combined-filing number (true)
    // of a state name or entry ("California-CA", code last); "" for "None" and no match.
    static std::string getStateCode(const std::string& state, bool wantNumber);
    // The 59 entries of the state pop-up lists, "None" first.
    static std::vector<std::string> StateWithCode();
    static std::string getStateName(const std::string& entry);
    // mode 0: code from the combined-filing list; 1: code from the full list;
    // 2: "Name (CODE)" from the full list.
    static std::string getStateName_CODE(const std::string& entry, int32_t mode);

    // ---- amounts ----

    static std::string valueInView(const std::string& text);
    static std::string valueInRecipientInfo(const std::string& text);
    // Cents; -1 for the empty text, -2 for a text that is no valid amount.
    static int64_t dollarStringToInt(const std::string& text);
    static std::string intToDollarString1(int64_t cents);
    // The number with a point and two decimals ("-12.50"), whatever decimal sign the
    // desktop's language uses: reports and exports are read as US amounts.
    static std::string twoDecimals(double value);
    static int32_t stringToPositive(const std::string& text);
    static std::string positiveToString(int32_t value);
    static std::string CheckInvalidData(const std::string& text);

    // ---- numbers and padding ----

    static std::string convertIntToString(int64_t value);
    static int32_t stringToInt1(const std::string& text);
    static int64_t StringToLong(const std::string& text);
    static int16_t StringToShort(const std::string& text);
    static int32_t intToPositive(int32_t value);
    static std::string RJustWithZeros(int64_t value, int32_t width);
    static std::string RJustWithBlank(const std::string& text, int32_t width);
    static std::string PadRight(const std::string& text, int32_t width);
    static int32_t numNumericDigits(const std::string& text);
    static std::string stringWithUnichar(char16_t character);
    static int32_t PixVal(int32_t value, int32_t resolution);
    static int64_t InchVal(int32_t value, int32_t resolution);

    // ---- text cleaning ----

    static std::string removeSpace(const std::string& text);
    static std::string compNameTrim(const std::string& text);
    static std::string EraseEndSpaceChar(const std::string& text, const std::string& characters);
    static std::string validateName(const std::string& text);
    static std::string validateAddress(const std::string& text);
    static std::string validateBusinessName(const std::string& text);
    static std::string StringIFContainsComma(const std::string& text);
    static std::string FormatCSVField(const std::optional<std::string>& text);
    static std::string dateToString(const std::string& date);
    static std::string compNameTrimwithunderscore(const std::string& text);

    // ---- zero-terminated buffers ----

    static void Reverse(char* text);
    // The buffer must hold at least 21 bytes.
    static void NumToString(int64_t value, char* buffer);
    static void PtoC(const unsigned char* pascal, char* c);
    static void CtoP(const char* c, unsigned char* pascal);

    // ---- the Internet ----

    // Whether the product's web site answers a HEAD request for its home page with
    // status 200 within about five seconds. Blocks the caller meanwhile.
    static bool CheckInternet();

    // ---- payroll lookups and formatting (core/payroll/UtilsPayroll.cpp) ----
    // They read the payroll context of the session (info, States, StateTabs,
    // EmpDataVec) and never change it. A position outside a list finds nothing.

    // MM/DD of a month and day index (0 = January, 0 = the first); with withYear not 0,
    // "/" and the third and fourth characters of the payroll year follow.
    static std::string DateStr(int32_t month, int32_t day, int32_t withYear);
    // Today as MM/dd/yy; the argument is not read.
    static std::string DateTime(const void* ignored = nullptr);
    // The text read as a 32-bit decimal number (leading blanks, one sign, digits up to
    // the first other character; beyond the range the nearest limit), widened.
    static int64_t StrToNum(const std::string& text);
    // Hundredths of an amount text: the first "." removed (a fraction of fewer than two
    // digits filled up with zeros), or "00" appended; read as StrToNum reads, in 64 bits.
    static int64_t ConvertStringToLong(const std::string& text);
    // The text's characters "0" to "9", in order.
    static std::string DigitStr(const std::string& text);
    // The blanks, two for each character the text lacks to the width (not the text).
    static std::string PadLeft(const std::string& text, int32_t width);
    // A list line: "*" (inactive) or " ", with numbering on the employee number padded
    // and followed by "-", then "last, first".
    static std::string EmpName(const EMPLOYEE& employee, int32_t withNumber);
    // "xxx-xx-" and the last four characters (fewer are padded with leading blanks).
    static std::string GetLast_4(const std::string& text);
    // Writes the character over the terminating zero and a new zero after it.
    static void AddChar(char* buffer, char character);
    // The decimal form (sign first) into a buffer of at least 21 bytes; none: nothing.
    static void LNumToString(int64_t value, char* buffer);
    static void UNumToString(uint64_t value, char* buffer);
    // Key of the employee data at the index; 0 outside the list.
    static int32_t GetRec(int32_t index);
    // Index of the state of that name; -1 for the empty text or none.
    static int32_t GetState(const std::string& text);
    // Index of the state a state tax table belongs to (the first two characters of the
    // table's name); -2 for none.
    static int32_t StateIndex1(int32_t table);
    // The company income definition that the employee's income slot uses (the slot's
    // Index goes to index when given): none unless the Index lies in 0 to 39 and the
    // slot is used.
    static std::shared_ptr<INCOME> IncPtr(const EMPLOYEE& employee, int32_t slot, int32_t* index);
    // The same for a deduction slot, Index 0 to 59.
    static std::shared_ptr<DEDUCTION> DedPtr(const EMPLOYEE& employee, int32_t slot, int32_t* index);
    // The income definition named by the check's income number at slot - 2.
    static std::shared_ptr<INCOME> IncPtr_1(const CHECK& check, int32_t slot, int32_t* index);
    // False when the text's first two characters are a refused prefix; with withBlanks
    // "  " and "00" are refused too.
    static bool checkindelimiter(const std::string& text, bool withBlanks);

    // ---- date parts kept by callers ----

    int32_t month() const { return month_; }
    void setMonth(int32_t v) { month_ = v; }
    int32_t day() const { return day_; }
    void setDay(int32_t v) { day_ = v; }
    int32_t year() const { return year_; }
    void setYear(int32_t v) { year_ = v; }

private:
    int32_t month_ = 0;
    int32_t day_ = 0;
    int32_t year_ = 0;
};
