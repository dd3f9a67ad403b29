#pragma once

// How a value of a recipient import file becomes part of a recipient: one rule per
// catalogue column, held as a table (the field it fills, the kind of rule and the
// limits of its check). A failed check never refuses a value; it marks the record not
// valid, and the user completes it in the entry windows.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace imports {

// One record being read: the recipient, its additional data, and the "Business Name"
// column as read (checked once the record's name type is known).
struct ImportedRecipient {
    RecipientInfo info;
    RecipientAdditionalInfo additional;
    std::optional<std::string> businessName;
    // Whether a "Recipient's TIN Type" column gave one of the six types.
    bool tinTypeGiven = false;
    // The catalogue columns whose check failed, each once, in the order they were checked.
    std::vector<int> failedColumns;

    // Notes a failed check of a column and marks the recipient not valid.
    void failed(int catalogueIndex);
    // The same for a column of the additional data: only that record is marked.
    void failedAdditional(int catalogueIndex);

private:
    void note(int catalogueIndex);
};

enum class ColumnRuleKind {
    AsIs,              // stored unchanged
    Money,             // an amount StoredAmount reads is stored as the entry windows store it ("1234.00");
                       // the empty text stays; anything else is stored unchanged and not valid
    MoneyText,         // stored unchanged; not valid unless Utils::isValidDollarString (a state number)
    StateMoney,        // stored unchanged; a state amount or not valid
    Length,            // stored unchanged; minimum to maximum characters or not valid
    Date,              // an ISO date (2025-03-15) stored as the entry windows write one (03/15/2025);
                       // anything else stored unchanged; a date or not valid
    TinType,           // one of the six types (any case) stored as the pop-up titles it; anything
                       // else stored unchanged and replaced when the record is complete
    Checkbox,          // "1" on; "" or "0" off; anything else off and not valid
    BoxStateLookup,    // a state of the list, "None" when the value names none
    TaxID,             // stored unchanged; a taxpayer number or not valid
    NameType,          // "b..." (any case) gives "Business Name", anything else "Individual"
    BusinessName,      // the name line, checked when the record's name type is known
    FirstName,         // empty for a business named so far; 0 to 40 characters
    NamePart,          // empty for a business named so far, otherwise unchanged
    Address,           // the value, followed by a blank and an address already read
    State,             // unchanged for a foreign address, otherwise the state lookup keeping unknown text
    VoidCorrected,     // a check box of both records, marking both
    Box7Checkbox,      // 1099-MISC box 7: "1" on, anything else off, no check
    DistributionCode,  // stored unchanged; a 1099-R distribution code with nothing but blanks
                       // after its two characters, or not valid
    Percentage,        // a whole number, -1 empty, -2 for 0 or less or above 99; a percentage or not valid
    UncappedPercentage,// the same without the cap at 99
    Year,              // a whole number, -1 empty, -2 for 0 or less; a year or not valid
};

struct ColumnRule {
    ColumnRuleKind kind = ColumnRuleKind::AsIs;
    void (RecipientInfo::*text)(std::string) = nullptr;
    void (RecipientInfo::*flag)(bool) = nullptr;
    void (RecipientInfo::*number)(int32_t) = nullptr;
    void (RecipientAdditionalInfo::*extra)(std::string) = nullptr;
    int32_t minimum = 0;
    int32_t maximum = 0;
};

// The rule of a catalogue column (0 to 167).
const ColumnRule& recipientColumnRule(int catalogueIndex);

// A new record of the given payer, valid, with TIN type "SSN"; the text readers also
// start it as an individual (withNameType).
ImportedRecipient newImportedRecipient(int32_t payerKey, bool withNameType);

// Once the record's name type is known: unless a TIN type column gave one of the six
// types, the TIN type follows from the taxpayer number as written ("NN-NNNNNNN" an EIN,
// "NNN-NN-NNNN" an SSN) and, for a number without those dashes, from the name type (a
// business an EIN, an individual an SSN).
void settleTinType(ImportedRecipient& record);

// Applies one value of the record's line by its column's rule.
void applyRecipientColumn(int catalogueIndex, const std::string& value, ImportedRecipient& record);

}  // namespace imports
