#pragma once

// The one reading of a stored date text, beside the amount reader, shared by everything
// that files a date (the FIRE payee record and the IRIS upload), so that one stored text
// never means two days.
//
// Dates are stored as the entry windows take them, but imports and older files kept
// texts as typed, so the reader takes:
// - month/day/year as the entry windows accept it: a month and a day of one or two
//   digits and a year of four, separated by "/" or "-" ("3/15/2025", "03-15-2025");
// - the ISO form year-month-day ("2025-03-15");
// - blanks around the text are ignored; the empty text is no date and writes nothing.
// Anything else is refused, and so is a day the calendar does not have ("2/30/2025"):
// a refused text must stop whatever was about to file it, naming the recipient and the
// box; it is never written half read.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class StoredDate {
public:
    enum class Reading {
        date,     // a day of the calendar
        none,     // the empty text: nothing to write
        notDate,  // refused
    };

    static StoredDate read(std::string_view text);

    Reading reading() const { return reading_; }
    bool isDate() const { return reading_ == Reading::date; }
    bool refused() const { return reading_ == Reading::notDate; }
    int year() const { return year_; }
    int month() const { return month_; }
    int day() const { return day_; }

    // "YYYYMMDD", as a FIRE record holds a date; the empty text when it is no date.
    std::string yearMonthDay() const;
    // "MM/DD/YYYY", as the IRIS upload writes a date and the import stores an ISO one;
    // the empty text when it is no date.
    std::string monthDayYear() const;

    // Whether a text is an ISO date (four-digit year, two-digit month and day, "-"),
    // a day of the calendar or not.
    static bool isIsoForm(std::string_view text);

private:
    StoredDate(Reading reading, int year, int month, int day)
        : reading_(reading), year_(year), month_(month), day_(day) {}

    Reading reading_;
    int year_;
    int month_;
    int day_;
};

// A stored date, distribution code or year that the entry windows would not take, and
// the box that holds it: filing it would write something else than what was entered.
struct RefusedEntry {
    enum class What { date, distributionCode, year };
    What what = What::date;
    std::string box;   // the printed box: "Box 13"
    std::string text;  // the stored text, as the entry window shows it

    // What is wrong, for the message that refuses a run: 'the date "2/30/2025" in Box 13
    // of the 1099-R of Ann Lee is not a date (month/day/year or year-month-day)'.
    std::string describe(const std::string& form, const std::string& payee) const;
    // "date", "distribution code" or "year", for "Please correct the ...".
    std::string noun() const;

    // The refusal of a stored date; nothing when StoredDate reads it (or it is empty).
    static std::optional<RefusedEntry> ofDate(const std::string& box, const std::string& text);
    // The refusal of a 1099-R distribution code the entry window would not take.
    static std::optional<RefusedEntry> ofDistributionCode(const std::string& box, const std::string& text);
    // The refusal of a stored year (a whole number: -1 and 0 are none, -2 not valid).
    static std::optional<RefusedEntry> ofYear(const std::string& box, int32_t year);
};
