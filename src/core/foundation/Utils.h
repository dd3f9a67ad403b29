#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
    static bool isValidDistributionCode(const std::string& text);
    static bool isValidTaxID(const std::string& text);
    static bool isValidUserID(const std::string& text);
    static bool isAlphabetic(const std::string& text);
    static bool isZeroOrEmpty(const std::optional<std::string>& text);
    static bool isValidAddress(const std::string& text, int32_t minimum, int32_t maximum);
    static bool isValidCountry(char32_t character);

    // ---- states ----

    // Two-letter code (wantNumber false) or two-digit combined-filing number (true)
    // of a state name or a state list entry ("California-CA"); "" when none matches.
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
