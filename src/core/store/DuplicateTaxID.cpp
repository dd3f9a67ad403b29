#include "core/store/DuplicateTaxID.h"

#include <algorithm>

#include "core/store/RecipientInfo.h"

std::string withoutDashes(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '-'), text.end());
    return text;
}

bool isDuplicateTaxID(const RecipientInfo& candidate, const std::vector<RecipientInfo>& stored) {
    const std::string number = withoutDashes(candidate.getTaxID());
    if (number.empty()) return false;
    return std::any_of(stored.begin(), stored.end(), [&](const RecipientInfo& other) {
        return other.getCompany_FK() == candidate.getCompany_FK() && other.getType() == candidate.getType() &&
               (candidate.getPK() < 0 || other.getPK() != candidate.getPK()) &&
               withoutDashes(other.getTaxID()) == number;
    });
}
