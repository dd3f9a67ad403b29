#pragma once

#include <string>
#include <vector>

class RecipientInfo;

// A taxpayer number as the duplicate rule compares it: every "-" removed.
std::string withoutDashes(std::string text);

// Whether another recipient of the candidate's payer and form kind already has its
// taxpayer number, compared without dashes. An empty number never matches, and the
// candidate's own key (a stored recipient being updated) is left out.
bool isDuplicateTaxID(const RecipientInfo& candidate, const std::vector<RecipientInfo>& stored);
