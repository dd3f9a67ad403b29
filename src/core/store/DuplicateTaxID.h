#pragma once

#include <cstdint>
#include <string>
#include <vector>

class RecipientInfo;

// A stored recipient as the duplicate rule sees it: no more than the rule compares, so
// that a payer's thousands of recipients are cheap to gather before every save.
struct StoredTaxID {
    int32_t key = -1;
    int32_t payer = 0;
    int32_t kind = 0;
    std::string taxID;   // as entered (not scrambled)
};

// A taxpayer number as the duplicate rule compares it: every "-" removed.
std::string withoutDashes(std::string text);

// Whether another recipient of the candidate's payer and form kind already has its
// taxpayer number, compared without dashes. An empty number never matches, and the
// candidate's own key (a stored recipient being updated) is left out.
bool isDuplicateTaxID(const RecipientInfo& candidate, const std::vector<StoredTaxID>& stored);
