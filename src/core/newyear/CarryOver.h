#pragma once

// What a recipient of last year becomes in a new year's database: its row moved to the
// new database's one payer, its additional row built anew, and, when the user keeps
// last year's amounts, every 1099-MISC line 13 amount moved to line 3 of a 1099-NEC.

#include <vector>

#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace newyear {

// A payer's recipients on their way into the new database, additional row i belonging
// to recipient i. The keys are given when they are written.
struct CarriedRecipients {
    std::vector<RecipientInfo> info;
    std::vector<RecipientAdditionalInfo> additional;
};

// The recipients as they enter the new database (payer key 0), in the given order.
// Every box of both rows comes along: the recipient row as it was, and the boxes of
// the recipient's last-year additional row (found by its key in priorAdditional); the
// status flags of the additional row start cleared, as the new year clears those of
// the recipient row. A recipient whose last-year additional row names a name type
// keeps its names as they are, and its new additional row takes that row's name type,
// TIN type, suffix, middle name, surname, second address line and office code. For any
// other recipient the names are derived: without a first name it is a business
// ("Business Name"); otherwise an individual whose surname is the name line and whose
// first name is split at its first blank into first and middle name, the name line
// emptied; the TIN type is "SSN".
CarriedRecipients carryRecipients(const std::vector<RecipientInfo>& recipients,
                                  const std::vector<RecipientAdditionalInfo>& priorAdditional);

// Empties what the new year's clean-up of the recipient rows leaves behind when last
// year's amounts are cleared: every box of the additional rows and the 1099-NEC's
// box 3. Names, TIN type, second address line and office code stay.
void clearAdditionalAmounts(CarriedRecipients& recipients);

// Moves each 1099-MISC line 13 amount to line 3 of the 1099-NEC of the same payer and
// taxpayer number, as the duplicate rule compares numbers (every "-" removed, an empty
// number never matching); the first such 1099-NEC present before the move takes it,
// replacing its line 3. Without one, a new 1099-NEC is added at the end, made from the
// 1099-MISC's identity and its additional row's name fields. A 1099-MISC left without
// any other amount is removed; one that keeps others has its line 13 emptied.
void moveMiscLine13(CarriedRecipients& recipients);

}  // namespace newyear
