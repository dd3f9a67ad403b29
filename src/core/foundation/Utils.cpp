// Field checks and state lookups of Utils. The conversions are in UtilsConversions.cpp.

#include "core/foundation/Utils.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "core/foundation/StoredAmount.h"
#include "core/foundation/StoredDate.h"

namespace {

bool isAsciiDigit(char32_t c) { return c >= U'0' && c <= U'9'; }
bool isAsciiLetter(char32_t c) { return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z'); }
bool isLetter(char32_t c) { return u_isalpha(static_cast<UChar32>(c)); }
bool isAlnum(char32_t c) { return u_isalnum(static_cast<UChar32>(c)); }
bool isUnicodeDigit(char32_t c) { return u_isdigit(static_cast<UChar32>(c)); }

bool allOf(const std::u32string& s, bool (*pred)(char32_t)) {
    return std::all_of(s.begin(), s.end(), pred);
}

std::size_t countOf(const std::u32string& s, char32_t c) {
    return static_cast<std::size_t>(std::count(s.begin(), s.end(), c));
}

std::string lowerCase(const std::string& text) {
    std::u32string cps = Utils::toCodePoints(text);
    for (auto& c : cps) c = static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
    return Utils::fromCodePoints(cps);
}

std::string upperCase(const std::string& text) {
    std::u32string cps = Utils::toCodePoints(text);
    for (auto& c : cps) c = static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
    return Utils::fromCodePoints(cps);
}

// ---- states ----

const std::array<const char*, 59> kStateList = {
    "None", "Alabama-AL", "Alaska-AK", "American Samoa-AS", "Arizona-AZ", "Arkansas-AR",
    "California-CA", "Colorado-CO", "Connecticut-CT", "Delaware-DE", "District of Columbia-DC",
    "Federal States of Micronesia-FM", "Florida-FL", "Georgia-GA", "Guam-GU", "Hawaii-HI",
    "Idaho-ID", "Illinois-IL", "Indiana-IN", "Iowa-IA", "Kansas-KS", "Kentucky-KY",
    "Louisiana-LA", "Maine-ME", "Mariana Islands-MP", "Marshall Islands-MH", "Maryland-MD",
    "Massachusetts-MA", "Michigan-MI", "Minnesota-MN", "Mississippi-MS", "Missouri-MO",
    "Montana-MT", "Nebraska-NE", "Nevada-NV", "New Hampshire-NH", "New Jersey-NJ",
    "New Mexico-NM", "New York-NY", "North Carolina-NC", "North Dakota-ND", "Ohio-OH",
    "Oklahoma-OK", "Oregon-OR", "Pennsylvania-PA", "Puerto Rico-PR", "Rhode Island-RI",
    "South Carolina-SC", "South Dakota-SD", "Tennessee-TN", "Texas-TX", "Utah-UT", "Vermont-VT",
    "Virginia-VA", "Virgin Islands-VI", "Washington-WA", "West Virginia-WV", "Wisconsin-WI",
    "Wyoming-WY"};

// The states of the combined federal/state filing program, alphabetically.
const std::array<const char*, 33> kCombinedFilingList = {
    "Alabama-AL", "Arizona-AZ", "Arkansas-AR", "California-CA", "Colorado-CO", "Connecticut-CT",
    "Delaware-DE", "District of Columbia-DC", "Georgia-GA", "Hawaii-HI", "Idaho-ID", "Indiana-IN",
    "Kansas-KS", "Louisiana-LA", "Maine-ME", "Maryland-MD", "Massachusetts-MA", "Michigan-MI",
    "Minnesota-MN", "Mississippi-MS", "Montana-MT", "Nebraska-NE", "New Jersey-NJ",
    "New Mexico-NM", "North Carolina-NC", "North Dakota-ND", "Ohio-OH", "Oklahoma-OK",
    "Oregon-OR", "Pennsylvania-PA", "Rhode Island-RI", "South Carolina-SC", "Wisconsin-WI"};

struct StateRow {
    const char* name;    // lower case
    const char* code;    // lower case
    const char* number;  // combined-filing number, "" outside the program
};

const std::array<StateRow, 59> kStateRows = {{
    {"none", " ", " "},
    {"alabama", "al", "01"},
    {"alaska", "ak", ""},
    {"american samoa", "as", ""},
    {"arizona", "az", "04"},
    {"arkansas", "ar", "05"},
    {"california", "ca", "06"},
    {"colorado", "co", "07"},
    {"connecticut", "ct", "08"},
    {"delaware", "de", "10"},
    {"district of columbia", "dc", "11"},
    {"federal states of micronesia", "fm", ""},
    {"florida", "fl", ""},
    {"georgia", "ga", "13"},
    {"guam", "gu", ""},
    {"hawaii", "hi", "15"},
    {"idaho", "id", "16"},
    {"illinois", "il", ""},
    {"indiana", "in", "18"},
    {"iowa", "ia", ""},
    {"kansas", "ks", "20"},
    {"kentucky", "ky", ""},
    {"louisiana", "la", "22"},
    {"maine", "me", "23"},
    {"marshall islands", "mh", ""},
    {"maryland", "md", "24"},
    {"massachusetts", "ma", "25"},
    {"michigan", "mi", "26"},
    {"minnesota", "mn", "27"},
    {"mississippi", "ms", "28"},
    {"missouri", "mo", ""},
    {"montana", "mt", "30"},
    {"nebraska", "ne", "31"},
    {"nevada", "nv", ""},
    {"new hampshire", "nh", ""},
    {"new jersey", "nj", "34"},
    {"new mexico", "nm", "35"},
    {"new york", "ny", ""},
    {"north carolina", "nc", "37"},
    {"north dakota", "nd", "38"},
    {"mariana islands", "mp", ""},
    {"ohio", "oh", "39"},
    {"oklahoma", "ok", "40"},
    {"oregon", "or", "41"},
    {"pennsylvania", "pa", "42"},
    {"puerto rico", "pr", ""},
    {"rhode island", "ri", "44"},
    {"south carolina", "sc", "45"},
    {"south dakota", "sd", ""},
    {"tennessee", "tn", ""},
    {"texas", "tx", ""},
    {"utah", "ut", ""},
    {"vermont", "vt", ""},
    {"virginia", "va", ""},
    {"virgin islands", "vi", ""},
    {"washington", "wa", ""},
    {"west virginia", "wv", ""},
    {"wisconsin", "wi", "55"},
    {"wyoming", "wy", ""},
}};

const std::array<const char*, 268> kTopLevelDomains = {
    "AC", "AD", "AE", "AERO", "AF", "AG", "AI", "AL", "AM", "AN", "AO", "AQ", "AR", "ARPA", "AS",
    "AT", "AU", "AW", "AX", "AZ", "BA", "BANK", "BB", "BD", "BE", "BF", "BG", "BH", "BI", "BIZ",
    "BJ", "BM", "BN", "BO", "BR", "BS", "BT", "BV", "BW", "BY", "BZ", "CA", "CAT", "CC", "CD",
    "CF", "CG", "CH", "CI", "CK", "CL", "CM", "CN", "CO", "COM", "COOP", "CR", "CU", "CV", "CW",
    "CX", "CY", "CZ", "DE", "DJ", "DK", "DM", "DO", "DZ", "EC", "EDU", "EE", "EG", "ER", "ES",
    "ET", "EU", "FI", "FJ", "FK", "FM", "FO", "FR", "GA", "GB", "GD", "GE", "GF", "GG", "GH",
    "GI", "GL", "GM", "GN", "GOV", "GP", "GQ", "GR", "GS", "GT", "GU", "GW", "GY", "HK", "HM",
    "HN", "HR", "HT", "HU", "ID", "IE", "IL", "IM", "IN", "INFO", "INT", "IO", "IQ", "IR", "IS",
    "IT", "JE", "JM", "JO", "JOBS", "JP", "KE", "KG", "KH", "KI", "KM", "KN", "KP", "KR", "KW",
    "KY", "KZ", "LA", "LB", "LC", "LI", "LK", "LR", "LS", "LT", "LU", "LV", "LY", "MA", "MC",
    "MD", "ME", "MG", "MH", "MIL", "MK", "ML", "MM", "MN", "MO", "MOBI", "MP", "MQ", "MR", "MS",
    "MT", "MU", "MUSEUM", "MV", "MW", "MX", "MY", "MZ", "NA", "NAME", "NC", "NE", "NET", "NF",
    "NG", "NI", "NL", "NO", "NP", "NR", "NU", "NZ", "OM", "ORG", "PE", "PF", "PH", "PK", "PL",
    "PM", "PN", "PR", "PRO", "PS", "PT", "PW", "PY", "QA", "RE", "RO", "RS", "RU", "RW", "SA",
    "SB", "SC", "SD", "SE", "SG", "SH", "SI", "SJ", "SK", "SL", "SM", "SN", "SO", "SR", "ST",
    "SU", "SV", "SX", "SY", "SZ", "TC", "TD", "TEL", "TF", "TG", "TH", "TJ", "TK", "TL", "TM",
    "TN", "TO", "TP", "TR", "TRAVEL", "TT", "TV", "TW", "TZ", "UA", "UG", "UK", "US", "UY", "UZ",
    "VA", "VC", "VE", "VG", "VI", "VN", "VU", "WF", "WS", "YE", "YT", "ZA", "ZM", "ZW"};

}  // namespace

// ---- characters ----

std::u32string Utils::toCodePoints(const std::string& text) {
    std::u32string out;
    out.reserve(text.size());
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    int32_t length = static_cast<int32_t>(text.size());
    int32_t i = 0;
    while (i < length) {
        UChar32 c;
        U8_NEXT(s, i, length, c);
        out.push_back(c < 0 ? U'\uFFFD' : static_cast<char32_t>(c));
    }
    return out;
}

std::string Utils::fromCodePoints(const std::u32string& text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        uint8_t buf[4];
        int32_t n = 0;
        UBool error = false;
        UChar32 cp = (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) ? 0xFFFD : static_cast<UChar32>(c);
        U8_APPEND(buf, n, 4, cp, error);
        if (error) continue;
        out.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
    }
    return out;
}

std::size_t Utils::characterCount(const std::string& text) {
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    int32_t length = static_cast<int32_t>(text.size());
    int32_t i = 0;
    std::size_t count = 0;
    while (i < length) {
        UChar32 c;
        U8_NEXT(s, i, length, c);
        ++count;
    }
    return count;
}

// ---- checks ----

bool Utils::isEmptyString(const std::string& text) { return text.empty(); }

bool Utils::isValidLength(const std::string& text, int32_t minimum, int32_t maximum) {
    // Compared as unsigned: a negative minimum fails every text, a negative maximum
    // limits nothing.
    auto n = static_cast<uint64_t>(characterCount(text));
    return static_cast<uint32_t>(minimum) <= n && n <= static_cast<uint32_t>(maximum);
}

bool Utils::isValidPhone(const std::string& text) {
    std::u32string s = toCodePoints(text);
    auto digits = std::count_if(s.begin(), s.end(), isUnicodeDigit);
    return digits >= 10 && digits <= 15;
}

bool Utils::isValidInternationalPhone(const std::string& number, const std::string& kind) {
    if (number.empty()) return false;
    std::u32string s = toCodePoints(number);
    auto digits = std::count_if(s.begin(), s.end(), isUnicodeDigit);
    bool plus = s.front() == U'+';
    if (kind == "International") return plus && digits >= 10 && digits <= 15;
    if (kind == "Domestic") return !plus && digits >= 10 && number != "0";
    return false;
}

bool Utils::isValidEmail(const std::string& text) {
    if (text.empty()) return true;
    std::u32string s = toCodePoints(text);
    if (countOf(s, U'@') != 1) return false;
    std::size_t at = s.find(U'@');
    if (at == 0 || s.size() - at - 1 < 3) return false;
    std::size_t dot = s.rfind(U'.');
    if (dot == std::u32string::npos || dot < at) return false;
    if (dot == s.size() - 1 || dot == at + 1) return false;
    for (std::size_t i = 0; i < at; ++i) {
        char32_t c = s[i];
        if (!(isAlnum(c) || c == U'.' || c == U'_' || c == U'-')) return false;
    }
    for (std::size_t i = at + 1; i < dot; ++i) {
        char32_t c = s[i];
        if (!(isAlnum(c) || c == U'-' || c == U'_')) return false;
    }
    for (std::size_t i = dot + 1; i < s.size(); ++i)
        if (!isLetter(s[i])) return false;
    return true;
}

bool Utils::ValidateEmail(const std::string& text) {
    if (text.empty()) return false;
    std::u32string s = toCodePoints(text);
    if (countOf(s, U'@') != 1) return false;
    if (countOf(s, U' ') != 0 || countOf(s, U'>') != 0) return false;
    if (s.find(U"..") != std::u32string::npos) return false;
    auto edge = [](char32_t c) { return c == U'.' || c == U'@'; };
    if (edge(s.front()) || edge(s.back())) return false;

    std::size_t at = s.find(U'@');
    std::u32string local = s.substr(0, at);
    std::u32string domain = s.substr(at + 1);
    std::size_t dot = domain.find(U'.');
    if (dot == std::u32string::npos) return false;
    std::string tld = upperCase(fromCodePoints(domain.substr(dot + 1)));
    if (std::find(kTopLevelDomains.begin(), kTopLevelDomains.end(), tld) == kTopLevelDomains.end())
        return false;
    if (!local.empty() && local.back() == U'.') return false;
    static const std::u32string kBadDomainStart = U".`_*&^%~!#$/=-'?|}{+";
    if (!domain.empty() && kBadDomainStart.find(domain.front()) != std::u32string::npos) return false;
    return true;
}

bool Utils::isValidPercentage(const std::string& text) {
    std::u32string s = toCodePoints(text);
    return s.size() <= 2 && allOf(s, isAsciiDigit);
}

bool Utils::isValidDate(const std::string& text) {
    std::u32string s = toCodePoints(text);
    if (s.empty()) return false;
    std::u32string parts[3];
    int separators = 0;
    for (char32_t c : s) {
        if (c == U'-' || c == U'/') {
            if (++separators > 2) return false;
        } else if (isAsciiDigit(c)) {
            parts[separators].push_back(c);
        } else {
            return false;
        }
    }
    if (separators != 2) return false;
    if (parts[0].empty() || parts[0].size() > 2 || parts[1].empty() || parts[1].size() > 2 || parts[2].size() != 4)
        return false;
    // The form is the entry windows'; whether it is a day of the calendar is the filing's
    // one reading, so that a date typed and a date filed never disagree.
    return StoredDate::read(text).isDate();
}

bool Utils::isvalidNumber(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return (c >= '0' && c <= '9') || c == ',' || c == '.'; });
}

bool Utils::isValidState(const std::string& text) {
    // "None", the pop-up's "no state" entry, has no code.
    return !getStateCode(text, false).empty();
}

bool Utils::isValidZip(const std::string& text) {
    std::u32string s = toCodePoints(text);
    if (s.size() == 5) return allOf(s, isAsciiDigit);
    if (s.size() != 10 || s[5] != U'-') return false;
    for (std::size_t i = 0; i < s.size(); ++i)
        if (i != 5 && !isAsciiDigit(s[i])) return false;
    return true;
}

bool Utils::isValidOfficeCode(const std::string& text) {
    if (text.empty()) return true;
    std::u32string s = toCodePoints(text);
    return s.size() == 4 && allOf(s, isAsciiDigit);
}

bool Utils::ValidateFieldLength(const std::string& text) {
    if (text.find('.') != std::string::npos) return true;
    std::size_t n = characterCount(text);
    return !(n == 11 || n == 12 || n == 13 || n == 18);
}

bool Utils::isValidDollarString(const std::string& text) {
    // Commas only between groups of three digits: "1,2,3" and "15,00" are no amounts.
    return text.empty() || StoredAmount::isAmountForm(text);
}

bool Utils::isValidDollarStringState(const std::string& text) {
    if (text.empty()) return true;
    std::u32string s = toCodePoints(text);
    for (char32_t c : s)
        if (!(isAsciiDigit(c) || isAsciiLetter(c) || c == U'/' || c == U',' || c == U'.')) return false;
    std::size_t points = countOf(s, U'.');
    if (points > 1) return false;
    if (points == 1 && s.size() - s.find(U'.') - 1 > 2) return false;
    return true;
}

bool Utils::isValidYear(const std::string& text) {
    if (text.empty()) return true;
    std::u32string s = toCodePoints(text);
    if (std::count_if(s.begin(), s.end(), isAsciiDigit) != 4) return false;
    int32_t value = stringToPositive(text);
    return value >= 1000 && value <= 9999;
}

bool Utils::isValidDistributionCode(const std::string& text) {
    if (text.empty()) return true;
    // Only the first two characters are the code; a blank second one means a code alone.
    std::u32string s = toCodePoints(upperCase(text + " "));
    const char32_t first = s[0];
    const char32_t second = s[1];
    // The codes that stand alone ("8" is not one of them).
    static const std::u32string kAlone = U"12345679ABCDEFGHJKLMNPQRSTUWY";
    if (second == U' ') return kAlone.find(first) != std::u32string::npos;
    // The combinations the Guide to Distribution Codes allows, each once: a pair is the
    // same code in either order, so "4G" and "G4" are one surviving spouse's rollover.
    static const std::u32string_view kPairs[] = {
        U"18", U"1B", U"1D", U"1K", U"1L", U"1M", U"1P",
        U"28", U"2B", U"2D", U"2K", U"2L", U"2M", U"2P",
        U"3D",
        U"48", U"4A", U"4B", U"4D", U"4G", U"4H", U"4K", U"4L", U"4M", U"4P",
        U"6W",
        U"7A", U"7B", U"7D", U"7K", U"7L", U"7M",
        U"8B", U"8J", U"8K",
        U"BG", U"BL", U"BM", U"BP", U"BU",
        U"CD",
        U"GK",
        U"JP",
        U"Y4", U"Y7", U"YK",
    };
    for (std::u32string_view pair : kPairs)
        if ((pair[0] == first && pair[1] == second) || (pair[0] == second && pair[1] == first)) return true;
    return false;
}

std::string Utils::distributionCodeRead(const std::string& text) {
    std::u32string s = toCodePoints(text);
    if (s.size() > 2) s.resize(2);
    if (s.size() == 2 && s[1] == U' ') s.resize(1);
    return upperCase(fromCodePoints(s));
}

bool Utils::isValidTaxID(const std::string& text) {
    std::u32string s = toCodePoints(text);
    if (s.size() == 9) return allOf(s, isAsciiDigit);
    if (s.size() != 10 && s.size() != 11) return false;
    // The fourth character tells the social-security form (123-45-6789) from the
    // employer form (12-3456789).
    std::vector<std::size_t> dashes = s[3] == U'-' ? std::vector<std::size_t>{3, 6} : std::vector<std::size_t>{2};
    int digits = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        bool dash = std::find(dashes.begin(), dashes.end(), i) != dashes.end();
        if (dash) {
            if (s[i] != U'-') return false;
        } else if (isAsciiDigit(s[i])) {
            ++digits;
        } else {
            return false;
        }
    }
    return digits == 9;
}

bool Utils::isValidUserID(const std::string& text) {
    return allOf(toCodePoints(text), isAsciiDigit);
}

bool Utils::isAlphabetic(const std::string& text) {
    if (text.empty()) return false;
    std::u32string s = toCodePoints(text);
    return std::all_of(s.begin(), s.end(), [](char32_t c) { return c == U' ' || isLetter(c); });
}

bool Utils::isZeroOrEmpty(const std::optional<std::string>& text) {
    if (!text) return true;
    const std::string& t = *text;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    std::size_t b = 0, e = t.size();
    while (b < e && blank(t[b])) ++b;
    while (e > b && blank(t[e - 1])) --e;
    if (b == e) return true;
    // The whole rest must read as one decimal number, and that number must be 0.
    std::size_t i = b;
    if (t[i] == '+' || t[i] == '-') ++i;
    bool anyDigit = false, point = false;
    for (; i < e; ++i) {
        char c = t[i];
        if (c >= '0' && c <= '9') {
            if (c != '0') return false;
            anyDigit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return anyDigit;
}

bool Utils::isValidAddress(const std::string& text, int32_t minimum, int32_t maximum) {
    if (text.empty()) return minimum <= 0;
    std::u32string s = toCodePoints(text);
    if (maximum >= 0 && s.size() > static_cast<std::size_t>(maximum)) s.resize(static_cast<std::size_t>(maximum));
    for (char32_t c : s)
        if (!(c == U' ' || c == U':' || c == U',' || c == U'\\' || isAsciiLetter(c) || isAsciiDigit(c)))
            return false;
    return static_cast<int64_t>(s.size()) >= minimum;
}

bool Utils::isValidCountry(char32_t character) { return !isLetter(character); }

// ---- states ----

std::string Utils::getStateCode(const std::string& state, bool wantNumber) {
    // "None" is the pop-up's "no state": no code. A code is read only from a text that
    // ends in a hyphen and two characters ("Ohio-OH"), so that a foreign province such
    // as "Île-de-France" or "Provence-Alpes-Côte d'Azur" names no state by a piece of it.
    std::string lower = lowerCase(state);
    if (lower == "none") return "";
    std::string name = lower;
    std::string code;
    std::size_t dash = lower.rfind('-');
    if (dash != std::string::npos) {
        std::u32string rest = toCodePoints(lower.substr(dash + 1));
        name = lower.substr(0, dash);
        if (rest.size() == 2) code = fromCodePoints(rest);
    }
    for (std::size_t i = 1; i < kStateRows.size(); ++i) {
        const StateRow& row = kStateRows[i];
        if (name == row.name || code == row.code)
            return wantNumber ? std::string(row.number) : upperCase(row.code);
    }
    return "";
}

std::vector<std::string> Utils::StateWithCode() {
    return std::vector<std::string>(kStateList.begin(), kStateList.end());
}

std::string Utils::getStateName(const std::string& entry) {
    for (std::size_t i = 1; i < kStateList.size(); ++i) {
        std::string e = kStateList[i];
        if (e == entry) return e.substr(0, e.find('-'));
    }
    return "";
}

std::string Utils::getStateName_CODE(const std::string& entry, int32_t mode) {
    auto search = [&](auto const& list) -> std::string {
        for (const char* item : list) {
            std::string e = item;
            if (e != entry) continue;
            std::size_t dash = e.find('-');
            if (mode == 2) {
                if (dash == std::string::npos) return "None";
                return e.substr(0, dash) + " (" + e.substr(dash + 1) + ")";
            }
            return dash == std::string::npos ? std::string() : e.substr(dash + 1);
        }
        return "";
    };
    if (mode == 0) return search(kCombinedFilingList);
    if (mode == 1 || mode == 2) return search(kStateList);
    return "";
}
