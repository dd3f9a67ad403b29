#include "core/store/DuplicateTaxID.h"

#include <algorithm>
#include <string_view>

#include "core/store/RecipientInfo.h"

std::string withoutDashes(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '-'), text.end());
    return text;
}

namespace {

// Whether text with its dashes removed is number (which holds none), without making
// a copy of each stored number.
bool sameWithoutDashes(std::string_view text, std::string_view number) {
    std::size_t at = 0;
    for (char c : text) {
        if (c == '-') continue;
        if (at == number.size() || number[at] != c) return false;
        ++at;
    }
    return at == number.size();
}

}  // namespace

bool isDuplicateTaxID(const RecipientInfo& candidate, const std::vector<StoredTaxID>& stored) {
    const std::string number = withoutDashes(candidate.getTaxID());
    if (number.empty()) return false;
    return std::any_of(stored.begin(), stored.end(), [&](const StoredTaxID& other) {
        return other.payer == candidate.getCompany_FK() && other.kind == candidate.getType() &&
               (candidate.getPK() < 0 || other.key != candidate.getPK()) && sameWithoutDashes(other.taxID, number);
    });
}
