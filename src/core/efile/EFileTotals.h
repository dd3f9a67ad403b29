#pragma once

// The payment amounts of a group of payees summed by the amount codes of the FIRE
// e-file, with the group's payee count: one per payer and form kind for the C record,
// one per state for the K records, and a fresh one per payee for its B record.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/foundation/RefusedEntry.h"
#include "core/foundation/StoredAmount.h"

class RecipientInfo;

class EFileTotals {
public:
    // The eighteen amount codes in record order (there is no code I).
    static constexpr std::string_view kAmountCodes = "123456789ABCDEFGHJ";
    // The largest total that the 18 digits of the C and K records hold.
    static constexpr int64_t kLargestTotal = 999'999'999'999'999'999;

    // The combined federal/state code of a K group.
    const std::string& getStateCode() const { return stateCode_; }
    void setStateCode(std::string code) { stateCode_ = std::move(code); }

    uint64_t getNumPayees() const { return numPayees_; }
    void setNumPayees(uint64_t count) { numPayees_ = count; }
    void addPayee() { ++numPayees_; }

    // The total of an amount code in cents; 0 for a character that is no code.
    int64_t getTotal(char code) const;
    // Adds to the total of an amount code. False, leaving the total as it was, when the
    // sum would pass kLargestTotal or the character is no code.
    bool addToTotal(char code, int64_t cents);

    // Adds the recipient's boxes to the totals by its form kind (1 MISC, 2 DIV, 3 INT,
    // 4 R, 5 S, 7 NEC; another kind adds nothing). When a box holds a text the amount
    // reader refuses, or a total would pass kLargestTotal, it stops there and returns
    // that box (printed name and text).
    std::optional<RefusedEntry> AddToTotal(const RecipientInfo& recipient);

    // A stored money text as the amount reader (StoredAmount) reads it: whole cents, no
    // amount (the empty text, "INVALID", a negative amount: 0) or refused.
    static StoredAmount wxStringtolonglong(const std::string& text);

    // The printed box that feeds an amount code of a form kind ("Box 9b"); the empty text
    // for a code the kind does not use.
    static std::string boxName(int32_t kind, char code);

private:
    std::string stateCode_;
    uint64_t numPayees_ = 0;
    std::array<int64_t, kAmountCodes.size()> totals_{};
};
