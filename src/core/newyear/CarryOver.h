#pragma once

// What a recipient of last year becomes in a new year's database: its row moved to the
// new database's one payer, its additional row built anew, and, when the user keeps
// last year's amounts, every 1099-MISC line 13 amount moved to line 3 of a 1099-NEC.

#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
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
// emptied; the TIN type is the one the number's dashes show ("NN-NNNNNNN" "EIN",
// "NNN-NN-NNNN" "SSN"), else "EIN" for a business and "SSN" for an individual.
// The rows given are taken over, not copied.
CarriedRecipients carryRecipients(std::vector<RecipientInfo> recipients,
                                  std::vector<RecipientAdditionalInfo> priorAdditional);

// Empties what the new year's clean-up of the recipient rows leaves behind when last
// year's amounts are cleared: every box of the additional rows and the 1099-NEC's
// box 3. Names, TIN type, second address line and office code stay.
void clearAdditionalAmounts(CarriedRecipients& recipients);

// Each 1099-MISC line 13 amount moves to line 3 of the 1099-NEC of the same payer and
// taxpayer number, as the duplicate rule compares numbers (every "-" removed, an empty
// number never matching); the first such 1099-NEC present before the move takes it,
// replacing its line 3. Without one, a new 1099-NEC is added at the end, made from the
// 1099-MISC's identity and its additional row's name fields. A 1099-MISC left without
// any other amount is removed; one that keeps others has its line 13 emptied.
//
// The move is planned over what it needs of each recipient, so that a payer's
// recipients can be carried a few at a time: positions are those of the recipients in
// their order.
struct Line13Facts {
    int32_t type = 0;
    std::string number;   // the taxpayer number without "-" (1099-NEC and 1099-MISC with line 13 only)
    std::string line13;   // 1099-MISC only
    bool otherMiscAmounts = false;
};
// What the move needs of a recipient read with its form kind, taxpayer number and
// 1099-MISC boxes.
Line13Facts line13Facts(const RecipientInfo& r);

struct Line13Plan {
    std::vector<bool> removed;                                // a 1099-MISC left without amounts
    std::unordered_map<std::size_t, std::string> necLine3;    // a 1099-NEC's line 3 as it becomes
    std::vector<std::pair<std::size_t, std::string>> newNec;  // the 1099-MISC and amount of each 1099-NEC
                                                              // added at the end, in order
};
Line13Plan planMiscLine13(const std::vector<Line13Facts>& facts);
// Applies the plan to the carried recipient at position (one the plan does not remove).
void applyLine13(const Line13Plan& plan, std::size_t position, RecipientInfo& r);
// The 1099-NEC added for a carried 1099-MISC and its additional row.
std::pair<RecipientInfo, RecipientAdditionalInfo> necForMiscLine13(const RecipientInfo& m,
                                                                  const RecipientAdditionalInfo& ma,
                                                                  const std::string& amount);

}  // namespace newyear
