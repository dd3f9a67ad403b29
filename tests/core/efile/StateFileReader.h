#pragma once

// The 1099-NEC state file's own field tables for its B, C and K records, written from
// the states' record layout, not from the writer; T, A and F are the FIRE file's.

#include <string>
#include <vector>

#include "FireFileReader.h"

namespace statetest {

using firetest::Field;
using firetest::Record;

// The first sixteen amount fields (codes 1-9, A-G) of the FIRE tables.
inline std::vector<Field> sixteen(const char* prefix, int first, int width) {
    std::vector<Field> all = firetest::amountFields(prefix, first, width);
    all.resize(16);
    return all;
}

inline std::vector<Field> payeeFields(bool foreign) {
    std::vector<Field> f = {
        {"type", 1, 1},        {"year", 2, 5},          {"corrected", 6, 6},   {"tin", 12, 20},
        {"account", 21, 40},   {"foreignAddress", 247, 247}, {"name1", 248, 287}, {"name2", 288, 327},
        {"address", 368, 407}, {"sequence", 500, 507},  {"secondTin", 544, 544}, {"fatca", 548, 548},
        {"stateData", 663, 722}, {"stateTax", 723, 734}, {"localTax", 735, 746},
    };
    for (const auto& a : sixteen("amount", 55, 12)) f.push_back(a);
    if (foreign) {
        f.push_back({"foreignCityStateZipCountry", 448, 498});
    } else {
        f.push_back({"city", 448, 487});
        f.push_back({"state", 488, 489});
        f.push_back({"zip", 490, 498});
    }
    return f;
}

inline std::vector<Field> totalsFields(char type) {
    std::vector<Field> f = {{"type", 1, 1}, {"payees", 2, 9}, {"sequence", 500, 507}};
    for (const auto& a : sixteen("total", 16, 18)) f.push_back(a);
    if (type == 'K')
        f.insert(f.end(), {{"stateTaxTotal", 707, 724}, {"localTaxTotal", 725, 742}, {"stateCode", 747, 748}});
    return f;
}

inline std::vector<Field> stateFieldsOf(const Record& r) {
    switch (r.type) {
        case 'B': return payeeFields(r.at(247, 247) == "1");
        case 'C':
        case 'K': return totalsFields(r.type);
        default: return firetest::fieldsOf(r);
    }
}

// Compares every field of a state-file record with expected; every other position blank.
inline void checkRecord(const Record& r, const std::map<std::string, std::string>& expected,
                        const std::string& what) {
    firetest::checkFields(r, stateFieldsOf(r), expected, what);
}

}  // namespace statetest
