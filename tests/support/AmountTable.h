#pragma once

// The stored amount texts every writer and print run must read the same way: one table,
// checked against the amount reader and through each of them.

#include <cstdint>
#include <string>
#include <vector>

namespace amounttable {

enum class Outcome {
    amount,    // read as cents
    none,      // no amount: counts 0, written as no amount
    refused,   // not an amount: the run is refused, naming the recipient and the box
    tooLarge,  // above 9,999,999,999.99: refused as too large
};

struct AmountCase {
    std::string text;
    Outcome outcome;
    int64_t cents = 0;
    std::string stored;  // the amount as the entry windows store it ("" unless an amount)
};

inline const std::vector<AmountCase>& cases() {
    static const std::vector<AmountCase> table = {
        {"1500", Outcome::amount, 150000, "1500.00"},
        {"1,500", Outcome::amount, 150000, "1500.00"},
        {"12.5", Outcome::amount, 1250, "12.50"},
        {"1500.00", Outcome::amount, 150000, "1500.00"},
        {" 1500.00", Outcome::amount, 150000, "1500.00"},
        {"", Outcome::none, 0, ""},
        {"INVALID", Outcome::none, 0, ""},
        {"-5", Outcome::none, 0, ""},
        {"1,2,3", Outcome::refused, 0, ""},
        {"15,00", Outcome::refused, 0, ""},
        {"$5", Outcome::refused, 0, ""},
        {"1234567890123", Outcome::tooLarge, 0, ""},
    };
    return table;
}

inline bool isRefused(Outcome o) { return o == Outcome::refused || o == Outcome::tooLarge; }

// Cents right-justified and zero-filled to a width, as the e-file writes them.
inline std::string zeroFilled(int64_t cents, std::size_t width) {
    const std::string digits = std::to_string(cents);
    return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
}

}  // namespace amounttable
