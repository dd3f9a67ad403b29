#pragma once

// The one reading of a stored amount text into whole cents, shared by everything that
// files, prints or totals amounts (FIRE and the 1099-NEC state file, IRIS, the 1096, the
// summary report, the recipient totals), so that one stored text never means two sums.
//
// Stored amounts normally carry a point and two decimals ("1234.50"), but imports and a
// few entry boxes kept texts as typed, so the reader takes every plain amount form:
// - blanks around the text are ignored;
// - digits, optionally grouped by commas between groups of three ("1,500", never "1,2,3"
//   or "15,00"), then optionally a point and at most two decimals ("1500", "1500.5",
//   ".5", "1,500.00"); a single decimal counts tens of cents;
// - the empty text, "INVALID" (what the entry windows store for a text that was no
//   amount) and a negative amount ("-5") are no amount: they count nothing;
// - anything else is refused: a currency sign, a third decimal, a misplaced comma, any
//   other character, and an amount above 9,999,999,999.99, which no e-file field holds.
//
// A refused text must stop whatever was about to file or print it, naming the recipient
// and the box; it is never read as 0.

#include <cstdint>
#include <string>
#include <string_view>

class StoredAmount {
public:
    enum class Reading {
        cents,      // an amount: cents() holds it
        none,       // no amount: counts 0
        notAmount,  // refused: not an amount
        tooLarge,   // refused: above kLargestCents
    };

    // The largest amount a record holds: the twelve digits of an e-file amount field.
    static constexpr int64_t kLargestCents = 999'999'999'999;

    static StoredAmount read(std::string_view text);

    Reading reading() const { return reading_; }
    bool refused() const { return reading_ == Reading::notAmount || reading_ == Reading::tooLarge; }
    bool isAmount() const { return reading_ == Reading::cents; }
    // The amount in cents; 0 for no amount and for a refused text.
    int64_t cents() const { return cents_; }

    // The amount as the entry windows store it: dollars, a point and two decimals,
    // without thousands separators ("1500.00"); the empty text when it is no amount
    // or was refused.
    std::string stored() const;

    // Whether a text is written as an amount (digits, commas between groups of three,
    // at most one point and two decimals), with nothing around it: the form the entry
    // windows accept. The empty text is not.
    static bool isAmountForm(std::string_view text);

private:
    StoredAmount(Reading reading, int64_t cents) : reading_(reading), cents_(cents) {}

    Reading reading_;
    int64_t cents_;
};

// The sum of two amounts in cents, held at the ends of the 64-bit range instead of
// wrapping, so that no total of read amounts can turn negative or small.
int64_t addCents(int64_t total, int64_t cents);
