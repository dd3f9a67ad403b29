#pragma once

// A stored entry that the entry windows would not take, and the box that holds it: an
// amount the amount reader refuses, a date the date reader refuses, a 1099-R
// distribution code or a year. Filing or printing it would write something else than
// what was entered, so it stops the run, naming the recipient, the box and the text.

#include <cstdint>
#include <optional>
#include <string>

struct RefusedEntry {
    enum class What { amount, date, distributionCode, year };
    What what = What::amount;
    std::string box;        // the printed box: "Box 13"
    std::string text;       // the stored text, as the entry window shows it
    bool tooLarge = false;  // an amount above StoredAmount::kLargestCents; else no amount at all

    // What is wrong, for the message that refuses a run: 'the date "2/30/2025" in Box 13
    // of the 1099-R of Ann Lee is not a date (month/day/year or year-month-day)'.
    std::string describe(const std::string& form, const std::string& payee) const;
    // "amount", "date", "distribution code" or "year", for "Please correct the ...".
    std::string noun() const;
    // Whether this refusal is named in place of one found before it in the same record:
    // a record's first refused amount is named before any date, code or year.
    bool namedBefore(const RefusedEntry& earlier) const {
        return what == What::amount && earlier.what != What::amount;
    }

    // The refusal of a stored amount; nothing when StoredAmount reads it.
    static std::optional<RefusedEntry> ofAmount(const std::string& box, const std::string& text);
    // The refusal of a stored date; nothing when StoredDate reads it (or it is empty).
    static std::optional<RefusedEntry> ofDate(const std::string& box, const std::string& text);
    // The refusal of a 1099-R distribution code the entry window would not take.
    static std::optional<RefusedEntry> ofDistributionCode(const std::string& box, const std::string& text);
    // The refusal of a stored year (a whole number: -1 and 0 are none, -2 not valid).
    static std::optional<RefusedEntry> ofYear(const std::string& box, int32_t year);
};
