#include "core/foundation/RefusedEntry.h"

#include "core/foundation/StoredAmount.h"
#include "core/foundation/StoredDate.h"
#include "core/foundation/Utils.h"

std::string RefusedEntry::noun() const {
    switch (what) {
    case What::amount: return "amount";
    case What::date: return "date";
    case What::distributionCode: return "distribution code";
    case What::year: return "year";
    }
    return "entry";
}

std::string RefusedEntry::describe(const std::string& form, const std::string& payee) const {
    std::string why;
    switch (what) {
    case What::amount:
        why = tooLarge ? "is more than the largest amount a return can hold (9,999,999,999.99)"
                       : "is not an amount (digits with a decimal point and at most two decimals, commas only "
                         "between groups of three digits)";
        break;
    case What::date: why = "is not a date (month/day/year or year-month-day)"; break;
    case What::distributionCode: why = "is not a distribution code"; break;
    case What::year: why = "is not a year of four digits"; break;
    }
    return "the " + noun() + " \"" + text + "\" in " + box + " of the " + form + " of " + payee + " " + why;
}

std::optional<RefusedEntry> RefusedEntry::ofAmount(const std::string& box, const std::string& text) {
    const StoredAmount amount = StoredAmount::read(text);
    if (!amount.refused()) return std::nullopt;
    return RefusedEntry{What::amount, box, text, amount.reading() == StoredAmount::Reading::tooLarge};
}

std::optional<RefusedEntry> RefusedEntry::ofDate(const std::string& box, const std::string& text) {
    if (!StoredDate::read(text).refused()) return std::nullopt;
    return RefusedEntry{What::date, box, text};
}

std::optional<RefusedEntry> RefusedEntry::ofDistributionCode(const std::string& box, const std::string& text) {
    if (Utils::isValidDistributionCode(text)) return std::nullopt;
    return RefusedEntry{What::distributionCode, box, text};
}

std::optional<RefusedEntry> RefusedEntry::ofYear(const std::string& box, int32_t year) {
    // -1 is an empty box, and 0 what a column never written reads as.
    if (year == -1 || year == 0) return std::nullopt;
    const std::string shown = Utils::positiveToString(year);
    if (Utils::isValidYear(shown)) return std::nullopt;
    return RefusedEntry{What::year, box, shown};
}
