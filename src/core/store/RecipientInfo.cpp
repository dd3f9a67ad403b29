#include "core/store/RecipientInfo.h"

#include <span>

#include "core/foundation/FormKind.h"
#include "core/foundation/Session.h"
#include "core/foundation/StoredAmount.h"
#include "core/foundation/Utils.h"

namespace {

using Text = const std::string& (RecipientInfo::*)() const;
struct TotalBox {
    const char* box;
    Text text;
};
using R = RecipientInfo;

// The boxes of the reported total by form kind; 1099-MISC box 9 (line7) comes last.
const TotalBox kMiscPaid[] = {{"Box 1", &R::getLine1_Misc},   {"Box 2", &R::getLine2_Misc},
                              {"Box 3", &R::getLine3_Misc},   {"Box 5", &R::getLine5_Misc},
                              {"Box 6", &R::getLine6_Misc},   {"Box 8", &R::getLine8_Misc},
                              {"Box 10", &R::getLine10_Misc}, {"Box 13", &R::getLine13_Misc},
                              {"Box 11", &R::getLine11_Misc}, {"Box 9", &R::getLine7_Misc}};
const TotalBox kDivPaid[] = {{"Box 1a", &R::getDiv_Line1a}, {"Box 2a", &R::getDiv_Line2a},
                             {"Box 3", &R::getDiv_Line3},   {"Box 9", &R::getDiv_Line8},
                             {"Box 10", &R::getDiv_Line9},  {"Box 12", &R::getDiv_Line10}};
const TotalBox kIntPaid[] = {{"Box 1", &R::getInt_Line1},   {"Box 3", &R::getInt_Line3},
                             {"Box 8", &R::getInt_Line8},   {"Box 10", &R::getInt_Line10},
                             {"Box 11", &R::getInt_Line11}, {"Box 13", &R::getInt_Line16}};
const TotalBox kRPaid[] = {{"Box 1", &R::getR_Line1}};
const TotalBox kSPaid[] = {{"Box 2", &R::getS_Line2}};
const TotalBox kNecPaid[] = {{"Box 1", &R::getLine1_NEC}};

std::span<const TotalBox> paidBoxes(int32_t kind) {
    switch (kind) {
    case 1: return kMiscPaid;
    case 2: return kDivPaid;
    case 3: return kIntPaid;
    case 4: return kRPaid;
    case 5: return kSPaid;
    case FormKind::kNec: return kNecPaid;
    default: return {};
    }
}

// The federal income tax withheld (box 4); none for 1099-S and other kinds.
std::optional<TotalBox> taxBox(int32_t kind) {
    switch (kind) {
    case 1: return TotalBox{"Box 4", &R::getLine4_Misc};
    case 2: return TotalBox{"Box 4", &R::getDiv_Line4};
    case 3: return TotalBox{"Box 4", &R::getInt_Line4};
    case 4: return TotalBox{"Box 4", &R::getR_Line4};
    case FormKind::kNec: return TotalBox{"Box 4", &R::getLine4_NEC};
    default: return std::nullopt;
    }
}

int64_t centsOf(const RecipientInfo& r, const TotalBox& b) { return StoredAmount::read((r.*b.text)()).cents(); }

std::optional<RefusedEntry> refusedIn(const RecipientInfo& r, const TotalBox& b) {
    return RefusedEntry::ofAmount(b.box, (r.*b.text)());
}

}  // namespace

std::string RecipientInfo::getName() const { return firstName_ + " " + lastName_; }

std::string RecipientInfo::getS_Line3() const {
    if (Utils::isEmptyString(s_city_line3_) && Utils::isEmptyString(s_state_line3_) &&
        Utils::isEmptyString(s_zip_line3_))
        return s_address_line3_;
    return s_address_line3_ + " " + s_city_line3_ + " " + Utils::getStateCode(s_state_line3_, false) +
           " " + s_zip_line3_;
}

int64_t RecipientInfo::dollarStringToInt(const std::string& text) { return Utils::dollarStringToInt(text); }

int64_t RecipientInfo::getTotalPaid() const {
    if (voided_) {
        if (type_ == 1)
            session().nec = 0;
        return 0;
    }
    int64_t total = 0;
    for (const TotalBox& b : paidBoxes(type_))
        total = addCents(total, centsOf(*this, b));
    if (type_ == 1)
        session().nec = StoredAmount::read(line7_Misc_).cents();
    return total;
}

int64_t RecipientInfo::getTotalTaxPaid() const {
    if (voided_)
        return 0;
    const std::optional<TotalBox> box = taxBox(type_);
    return box ? centsOf(*this, *box) : 0;
}

std::optional<RefusedEntry> RecipientInfo::refusedTotalAmount() const {
    if (voided_)
        return std::nullopt;
    for (const TotalBox& b : paidBoxes(type_))
        if (auto refused = refusedIn(*this, b))
            return refused;
    if (const std::optional<TotalBox> box = taxBox(type_))
        return refusedIn(*this, *box);
    return std::nullopt;
}
