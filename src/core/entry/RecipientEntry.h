#pragma once

// The rules of the recipient entry windows over plain values: the checks of a form's
// fields, the list of failures and the copying between the fields and the two
// records. The windows hold the values; these functions decide.

#include <cstdint>
#include <string>
#include <vector>

#include "core/entry/EntryFormTable.h"

namespace entry {

// The fields of a form as plain values, entry i belonging to the form's field i:
// a text field's text, a pop-up's chosen title, a check box's state.
struct EntryView {
    std::vector<std::string> text;
    std::vector<bool> checked;

    static EntryView empty(const EntryFormTable& formTable);
    // By control name; a name that the form lacks is an error of the caller.
    std::string& operator[](const std::string& outlet);
    void tick(const std::string& outlet, bool on);
    const EntryFormTable* formTable = nullptr;
};

// The pop-up titles (the TIN types' are tintype::titles).
const std::vector<std::string>& nameTypeTitles();   // "Individual", "Business Name"
constexpr int kBusinessNameIndex = 1;
constexpr int kEinIndex = 1;

// The TIN-type item that shows a stored TIN type: "SSN" and the empty text the first,
// each title (in any case) its own, another text the index of its number (the first
// when that is no item).
int tinTypeIndex(const std::string& stored);
// The state pop-up item that shows a stored state given by its two-letter code, its
// name or its whole item title, in any case; "None" when none matches.
std::string stateItemOf(const std::string& stored);
// A stored or chosen name type that means a business: "Business Name", "1", or any
// text beginning with "b" or "B".
bool isBusinessNameType(const std::string& nameType);

bool isForeignAddress(const EntryFormTable& formTable, const EntryView& view);
bool isBusiness(const EntryFormTable& formTable, const EntryView& view);

// Sets the flag of every checked field from the view. Flags not checked here keep
// their value (a Box 15 state pop-up showing "None" among them).
void checkFields(const EntryFormTable& formTable, const EntryView& view, std::vector<bool>& flags);
bool allValid(const std::vector<bool>& flags);
// The failure texts of the false flags, in the form's order.
std::vector<std::string> errorStrings(const EntryFormTable& formTable, const std::vector<bool>& flags, bool foreign);

// What the fields show for the records. The name line shows a business's own name (or
// the payer's name when it has none) and the payer's name for an individual; a record
// without taxpayer number and name line (a new one) shows an individual.
EntryView recordsToView(const EntryFormTable& formTable, const RecipientRecords& records, const std::string& payerName);
// Copies the fields into the records and gives both the form's kind. An individual's
// name line stores the payer's name; the state comes from the province while the
// foreign-address box is ticked.
void viewToRecords(const EntryFormTable& formTable, const EntryView& view, const std::string& payerName,
                   RecipientRecords& records);
// Cuts the first name to 20 characters, the name line and the address to 40, and the
// office code, with blanks and line ends trimmed, to 4.
void trimView(const EntryFormTable& formTable, EntryView& view);

// The first `length` characters of the text.
std::string cutToLength(const std::string& text, int32_t length);

}  // namespace entry
