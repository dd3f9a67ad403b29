#include "core/efile/EFileTotals.h"

#include <span>

#include "core/foundation/FormKind.h"
#include "core/store/RecipientInfo.h"

namespace {

using Box = const std::string& (RecipientInfo::*)() const;

struct AmountBox {
    char code;
    Box box;
    const char* printed;
};

using R = RecipientInfo;

// Which box feeds which amount code, by form kind. The 1099-R box 2a feeds code A as
// well as code 2.
const AmountBox kMisc[] = {
    {'1', &R::getLine1_Misc, "Box 1"},   {'2', &R::getLine2_Misc, "Box 2"},   {'3', &R::getLine3_Misc, "Box 3"},
    {'4', &R::getLine4_Misc, "Box 4"},   {'5', &R::getLine5_Misc, "Box 5"},   {'6', &R::getLine6_Misc, "Box 6"},
    {'8', &R::getLine8_Misc, "Box 8"},   {'A', &R::getLine7_Misc, "Box 9"},   {'C', &R::getLine10_Misc, "Box 10"},
    {'D', &R::getLine12_Misc, "Box 12"}, {'E', &R::getLine14_Misc, "Box 15"}, {'F', &R::getLine11_Misc, "Box 11"},
};
const AmountBox kDiv[] = {
    {'1', &R::getDiv_Line1a, "Box 1a"},  {'2', &R::getDiv_Line1b, "Box 1b"}, {'3', &R::getDiv_Line2a, "Box 2a"},
    {'5', &R::getDiv_Sec199ADiv, "Box 5"}, {'6', &R::getDiv_Line2b, "Box 2b"}, {'7', &R::getDiv_Line2c, "Box 2c"},
    {'8', &R::getDiv_Line2d, "Box 2d"},  {'9', &R::getDiv_Line3, "Box 3"},   {'A', &R::getDiv_Line4, "Box 4"},
    {'B', &R::getDiv_Line5, "Box 6"},    {'C', &R::getDiv_Line6, "Box 7"},   {'D', &R::getDiv_Line8, "Box 9"},
    {'E', &R::getDiv_Line9, "Box 10"},   {'F', &R::getDiv_Line10, "Box 12"}, {'G', &R::getDiv_Line11, "Box 13"},
    {'H', &R::getDiv_Line2e, "Box 2e"},  {'J', &R::getDiv_Line2f, "Box 2f"},
};
const AmountBox kInt[] = {
    {'1', &R::getInt_Line1, "Box 1"},   {'2', &R::getInt_Line2, "Box 2"},   {'3', &R::getInt_Line3, "Box 3"},
    {'4', &R::getInt_Line4, "Box 4"},   {'5', &R::getInt_Line5, "Box 5"},   {'6', &R::getInt_Line6, "Box 6"},
    {'8', &R::getInt_Line8, "Box 8"},   {'9', &R::getInt_Line9, "Box 9"},   {'A', &R::getInt_Line10, "Box 10"},
    {'B', &R::getInt_Line11, "Box 11"}, {'D', &R::getInt_Line16, "Box 13"}, {'E', &R::getInt_Line17, "Box 12"},
};
const AmountBox kR[] = {
    {'1', &R::getR_Line1, "Box 1"}, {'2', &R::getR_Line2a, "Box 2a"}, {'3', &R::getR_Line3, "Box 3"},
    {'4', &R::getR_Line4, "Box 4"}, {'5', &R::getR_Line5, "Box 5"},   {'6', &R::getR_Line6, "Box 6"},
    {'8', &R::getR_Line8, "Box 8"}, {'9', &R::getR_Line9b, "Box 9b"}, {'A', &R::getR_Line2a, "Box 2a"},
    {'B', &R::getR_Line10, "Box 10"},
};
const AmountBox kS[] = {{'2', &R::getS_Line2, "Box 2"}, {'5', &R::getS_Line5, "Box 6"}};
const AmountBox kNec[] = {
    {'1', &R::getLine1_NEC, "Box 1"}, {'3', &R::getLine3_NEC, "Box 3"}, {'4', &R::getLine4_NEC, "Box 4"}};

std::span<const AmountBox> boxesOf(int32_t kind) {
    switch (kind) {
        case 1: return kMisc;
        case 2: return kDiv;
        case 3: return kInt;
        case 4: return kR;
        case 5: return kS;
        case FormKind::kNec: return kNec;
        default: return {};
    }
}

int codeIndex(char code) {
    const auto at = EFileTotals::kAmountCodes.find(code);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace

int64_t EFileTotals::getTotal(char code) const {
    const int i = codeIndex(code);
    return i < 0 ? 0 : totals_[static_cast<std::size_t>(i)];
}

bool EFileTotals::addToTotal(char code, int64_t cents) {
    const int i = codeIndex(code);
    if (i < 0) return false;
    int64_t& total = totals_[static_cast<std::size_t>(i)];
    if (cents > kLargestTotal - total) return false;
    total += cents;
    return true;
}

std::optional<RefusedEntry> EFileTotals::AddToTotal(const RecipientInfo& recipient) {
    for (const auto& b : boxesOf(recipient.getType())) {
        const std::string& text = (recipient.*b.box)();
        const StoredAmount amount = wxStringtolonglong(text);
        if (amount.refused()) return RefusedEntry::ofAmount(b.printed, text);
        if (!addToTotal(b.code, amount.cents()))
            return RefusedEntry{RefusedEntry::What::amount, b.printed, text, true};
    }
    return std::nullopt;
}

StoredAmount EFileTotals::wxStringtolonglong(const std::string& text) { return StoredAmount::read(text); }

std::string EFileTotals::boxName(int32_t kind, char code) {
    for (const auto& b : boxesOf(kind))
        if (b.code == code) return b.printed;
    return std::string();
}
