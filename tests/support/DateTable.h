#pragma once

// The stored date texts every writer must read the same way: one table, checked against
// the date reader and through the FIRE and IRIS writers.

#include <string>
#include <vector>

namespace datetable {

struct DateCase {
    std::string text;
    bool refused;
    std::string yearMonthDay;  // as FIRE writes it ("" for none or refused)
    std::string monthDayYear;  // as IRIS writes it and the import stores an ISO date
};

inline const std::vector<DateCase>& cases() {
    static const std::vector<DateCase> table = {
        // The entry windows' forms.
        {"3/15/2025", false, "20250315", "03/15/2025"},
        {"03/15/2025", false, "20250315", "03/15/2025"},
        {"2/3/2025", false, "20250203", "02/03/2025"},
        {"12-31-2025", false, "20251231", "12/31/2025"},
        {"2/29/2024", false, "20240229", "02/29/2024"},
        // The ISO form of spreadsheets and other programs.
        {"2025-03-15", false, "20250315", "03/15/2025"},
        {" 2025-03-15 ", false, "20250315", "03/15/2025"},
        // Nothing: written as nothing.
        {"", false, "", ""},
        // Not a date, or a day the calendar does not have.
        {"2/30/2025", true, "", ""},
        {"2/29/2025", true, "", ""},
        {"2025-02-30", true, "", ""},
        {"13/1/2025", true, "", ""},
        {"3/15/25", true, "", ""},
        {"2025-3-15", true, "", ""},
        {"15.03.2025", true, "", ""},
        {"Jan 15, 2025", true, "", ""},
        {"3/15/2025/1", true, "", ""},
        {"INVALID", true, "", ""},
        {"0/10/2025", true, "", ""},
    };
    return table;
}

}  // namespace datetable
