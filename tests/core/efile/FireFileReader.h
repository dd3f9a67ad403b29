#pragma once

// A reader of FIRE files for the tests, with field tables of its own, written from the
// published record layout (and this program's layout decisions), not from the writer.
// It splits a file into records, checks the file's shape, and compares every field of a
// record with what a test expects; positions that no field covers must be blank.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace firetest {

struct Field {
    const char* name;
    int first;  // 1-based, inclusive
    int last;
};

// ---- field tables -------------------------------------------------------------

inline const std::vector<Field>& transmitterFields() {
    static const std::vector<Field> fields = {
        {"type", 1, 1},            {"year", 2, 5},              {"priorYear", 6, 6},
        {"tin", 7, 15},            {"tcc", 16, 20},             {"test", 28, 28},
        {"foreign", 29, 29},       {"name", 30, 109},           {"company", 110, 189},
        {"address", 190, 229},     {"city", 230, 269},          {"state", 270, 271},
        {"zip", 272, 280},         {"payees", 296, 303},        {"contact", 304, 343},
        {"phone", 344, 358},       {"email", 359, 408},         {"sequence", 500, 507},
        {"vendor", 518, 518},      {"vendorName", 519, 558},    {"vendorAddress", 559, 598},
        {"vendorCity", 599, 638},  {"vendorState", 639, 640},   {"vendorZip", 641, 649},
        {"vendorContact", 650, 689}, {"vendorPhone", 690, 704}, {"vendorForeign", 740, 740},
    };
    return fields;
}

inline const std::vector<Field>& payerFields() {
    static const std::vector<Field> fields = {
        {"type", 1, 1},           {"year", 2, 5},        {"combinedFiler", 6, 6}, {"tin", 12, 20},
        {"nameControl", 21, 24},  {"lastFiling", 25, 25}, {"typeOfReturn", 26, 27}, {"amountCodes", 28, 45},
        {"foreign", 52, 52},      {"name", 53, 92},      {"name2", 93, 132},     {"transferAgent", 133, 133},
        {"address", 134, 173},    {"city", 174, 213},    {"state", 214, 215},    {"zip", 216, 224},
        {"phone", 225, 239},      {"sequence", 500, 507},
    };
    return fields;
}

// The eighteen amount fields of a payee record (12 digits) or totals record (18).
inline std::vector<Field> amountFields(const char* prefix, int first, int width) {
    static const char* const kCodes[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9",
                                         "A", "B", "C", "D", "E", "F", "G", "H", "J"};
    static std::map<std::string, std::vector<std::string>> names;  // keeps the name texts alive
    auto& list = names[prefix];
    if (list.empty())
        for (const char* code : kCodes) list.push_back(std::string(prefix) + code);
    std::vector<Field> fields;
    for (int i = 0; i < 18; ++i) fields.push_back({list[i].c_str(), first + width * i, first + width * (i + 1) - 1});
    return fields;
}

// Payee record fields; the address part and 544-662 depend on the record.
inline std::vector<Field> payeeFields(int kind, bool foreign) {
    std::vector<Field> f = {
        {"type", 1, 1},        {"year", 2, 5},          {"corrected", 6, 6},   {"nameControl", 7, 10},
        {"tinType", 11, 11},   {"tin", 12, 20},         {"account", 21, 40},   {"officeCode", 41, 44},
        {"foreignAddress", 287, 287}, {"name1", 288, 327}, {"name2", 328, 367}, {"address", 368, 407},
        {"sequence", 500, 507},
        {"specialData", 663, 722}, {"stateTax", 723, 734}, {"localTax", 735, 746}, {"combinedCode", 747, 748},
    };
    for (const auto& a : amountFields("amount", 55, 12)) f.push_back(a);
    if (foreign) {
        f.push_back({"foreignCityStateZipCountry", 448, 498});
    } else {
        f.push_back({"city", 448, 487});
        f.push_back({"state", 488, 489});
        f.push_back({"zip", 490, 498});
    }
    switch (kind) {
        case 1:  // 1099-MISC
            f.insert(f.end(), {{"secondTin", 544, 544}, {"directSales", 547, 547}, {"fatca", 548, 548}});
            break;
        case 2:  // 1099-DIV
            f.insert(f.end(), {{"secondTin", 544, 544}, {"country", 547, 586}, {"fatca", 587, 587}});
            break;
        case 3:  // 1099-INT
            f.insert(f.end(), {{"secondTin", 544, 544}, {"country", 547, 586}, {"cusip", 587, 599},
                               {"fatca", 600, 600}});
            break;
        case 4:  // 1099-R
            f.insert(f.end(), {{"distributionCode", 545, 546}, {"taxableNotDetermined", 547, 547},
                               {"iraSepSimple", 548, 548}, {"totalDistribution", 549, 549},
                               {"percentage", 550, 551}, {"firstRothYear", 552, 555}, {"fatca", 556, 556},
                               {"dateOfPayment", 557, 564}});
            break;
        case 5:  // 1099-S
            f.insert(f.end(), {{"propertyOrServices", 547, 547}, {"closingDate", 548, 555},
                               {"propertyAddress", 556, 594}, {"foreignTransferor", 595, 595}});
            break;
        case 7:  // 1099-NEC
            f.insert(f.end(), {{"secondTin", 544, 544}, {"directSales", 547, 547}});
            break;
        default:
            break;
    }
    return f;
}

inline std::vector<Field> totalsFields(char type) {
    std::vector<Field> f = {{"type", 1, 1}, {"payees", 2, 9}, {"sequence", 500, 507}};
    for (const auto& a : amountFields("total", 16, 18)) f.push_back(a);
    if (type == 'K')
        f.insert(f.end(), {{"stateTaxTotal", 707, 724}, {"localTaxTotal", 725, 742}, {"stateCode", 747, 748}});
    return f;
}

inline const std::vector<Field>& endFields() {
    static const std::vector<Field> fields = {
        {"type", 1, 1}, {"aRecords", 2, 9}, {"zeros", 10, 30}, {"payees", 50, 57}, {"sequence", 500, 507}};
    return fields;
}

// ---- reading ---------------------------------------------------------------------

struct Record {
    char type;
    int kind;  // form kind of a B, C or K record (from the A record before it), else 0
    std::string text;

    std::string at(int first, int last) const { return text.substr(first - 1, last - first + 1); }
};

inline int kindOfReturn(const std::string& typeOfReturn) {
    static const std::map<std::string, int> kinds = {{"A ", 1}, {"1 ", 2}, {"6 ", 3}, {"9 ", 4}, {"S ", 5}, {"NE", 7}};
    const auto found = kinds.find(typeOfReturn);
    return found == kinds.end() ? 0 : found->second;
}

// The file's records; checks its shape: a multiple of 750 bytes, every byte printable
// ASCII, the records in the order T (A B... C K...)... F, sequence numbers 1...n.
inline std::vector<Record> readFile(const std::string& file) {
    std::vector<Record> records;
    EXPECT_EQ(file.size() % 750, 0u) << "file length " << file.size();
    for (std::size_t i = 0; i < file.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(file[i]);
        if (c < 0x20 || c > 0x7E) {
            ADD_FAILURE() << "byte " << int(c) << " at offset " << i << " (record " << i / 750 + 1 << ", position "
                          << i % 750 + 1 << ")";
            break;
        }
    }
    int kind = 0;
    for (std::size_t at = 0; at + 750 <= file.size(); at += 750) {
        Record r{file[at], 0, file.substr(at, 750)};
        if (r.type == 'A') kind = kindOfReturn(r.at(26, 27));
        if (r.type == 'B' || r.type == 'C' || r.type == 'K') r.kind = kind;
        records.push_back(r);
    }

    std::string order;
    for (const auto& r : records) order += r.type;
    // T, then groups of A, one or more B, C and any K, then F.
    bool shapeOk = order.size() >= 2 && order.front() == 'T' && order.back() == 'F';
    for (std::size_t i = 1; shapeOk && i + 1 < order.size();) {
        if (order[i++] != 'A') { shapeOk = false; break; }
        std::size_t b = 0;
        while (order[i] == 'B') ++i, ++b;
        if (b == 0 || order[i++] != 'C') { shapeOk = false; break; }
        while (order[i] == 'K') ++i;
    }
    EXPECT_TRUE(shapeOk) << "record order " << order;
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::string expected = std::to_string(i + 1);
        expected.insert(0, 8 - std::min<std::size_t>(8, expected.size()), '0');
        EXPECT_EQ(records[i].at(500, 507), expected) << "sequence number of record " << i + 1;
    }
    return records;
}

inline std::string order(const std::vector<Record>& records) {
    std::string text;
    for (const auto& r : records) text += r.type;
    return text;
}

inline std::vector<Field> fieldsOf(const Record& r) {
    switch (r.type) {
        case 'T': return transmitterFields();
        case 'A': return payerFields();
        case 'B': return payeeFields(r.kind, r.at(287, 287) == "1");
        case 'C':
        case 'K': return totalsFields(r.type);
        case 'F': return endFields();
        default: return {};
    }
}

inline std::string rtrim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

// The record's fields, each with its trailing blanks removed.
inline std::map<std::string, std::string> fieldsIn(const Record& r) {
    std::map<std::string, std::string> values;
    for (const auto& f : fieldsOf(r)) values[f.name] = rtrim(r.at(f.first, f.last));
    return values;
}

// Compares every field of the record (by the given table) with expected (trailing blanks removed); a field
// that expected does not name must be blank. Positions outside every field must be blank.
inline void checkFields(const Record& r, const std::vector<Field>& fields,
                        const std::map<std::string, std::string>& expected, const std::string& what) {
    SCOPED_TRACE(what + " (" + std::string(1, r.type) + " record)");
    std::vector<bool> covered(751, false);
    for (const auto& f : fields) {
        for (int p = f.first; p <= f.last; ++p) covered[static_cast<std::size_t>(p)] = true;
        const auto want = expected.find(f.name);
        EXPECT_EQ(rtrim(r.at(f.first, f.last)), want == expected.end() ? "" : want->second)
            << "field " << f.name << " (" << f.first << "-" << f.last << ")";
    }
    for (const auto& [name, value] : expected) {
        bool known = false;
        for (const auto& f : fields) known = known || name == f.name;
        EXPECT_TRUE(known) << "no field " << name << " in this record";
    }
    for (int p = 1; p <= 750; ++p) {
        if (!covered[static_cast<std::size_t>(p)]) {
            EXPECT_EQ(r.text[static_cast<std::size_t>(p - 1)], ' ') << "position " << p << " lies in no field";
        }
    }
}

inline void checkRecord(const Record& r, const std::map<std::string, std::string>& expected,
                        const std::string& what) {
    checkFields(r, fieldsOf(r), expected, what);
}

// A blank text of width with the given pieces put at their (record) positions, for
// fields such as 663-722 whose content depends on the state.
inline std::string placed(int first, int width, const std::map<int, std::string>& pieces) {
    std::string text(static_cast<std::size_t>(width), ' ');
    for (const auto& [position, piece] : pieces) text.replace(static_cast<std::size_t>(position - first), piece.size(), piece);
    return rtrim(text);
}

}  // namespace firetest
