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
