// The FIRE payee record B: identity, name and address, the eighteen payment amounts,
// the fields of the form kind (544-662) and the state data (663-750) for the combined
// federal/state program and the states with e-filing rules of their own.

#include <optional>
#include <string>

#include "core/efile/EFile.h"
#include "core/efile/EFileTotals.h"
#include "core/efile/ERecord.h"
#include "core/foundation/FormKind.h"
#include "core/foundation/RefusedEntry.h"
#include "core/foundation/StoredDate.h"
#include "core/foundation/Utils.h"

namespace {

const char kPaymentYear[] = "2025";
constexpr std::size_t kAmountDigits = 12;
const char kTwelveZeros[] = "000000000000";

// Writes one payee record into an ERecord; a state amount the amount reader refuses is
// remembered in refused and not written.
class PayeeRecord {
public:
    // The state codes come with the recipient: its state's postal and combined codes and
    // the payer's postal code.
    PayeeRecord(ERecord& record, const RecipientInfo& recipient, const RecipientAdditionalInfo& additional,
                const ComapnyInfo& payer, bool combined, bool current, const std::string& stateCode,
                const std::string& combinedCode, const std::string& payerStateCode)
        : r_(record),
          p_(recipient),
          a_(additional),
          payer_(payer),
          combined_(combined),
          current_(current),
          stateCode_(stateCode),
          combinedCode_(combinedCode),
          payerStateCode_(payerStateCode) {}

    void common(const EFileTotals& amounts, uint64_t sequenceNumber);
    void kindFields();
    void stateData();

    // The first amount, date, distribution code or year that the entry windows would not take.
    std::optional<RefusedEntry> refused;

private:
    // A date as YYYYMMDD (nothing for an empty one); a date that cannot be read is
    // remembered in refused and not written.
    void date(int32_t position, const std::string& stored, const char* box);
    void refuse(std::optional<RefusedEntry> entry) {
        if (entry && (!refused || entry->namedBefore(*refused))) refused = std::move(entry);
    }
    void text(int32_t position, int32_t width, const std::string& value) { r_.AddField3(position, width, value); }
    void mark(int32_t position, bool on, const char* value) {
        if (on) text(position, 1, value);
    }
    void zeros(int32_t position) { r_.AddField(position, 12, kTwelveZeros, 0, false, false, false); }
    // A stored money text in whole cents as the amount reader reads it, right-justified
    // and zero-filled, or left-justified and unfilled.
    void money(int32_t position, const std::string& amount, const char* box, bool rightJustify = true);
    void oregon();
    void miscState();
    void divState();
    void intState();
    void rState();
    void necState();
    void combinedCode(int32_t filter) {
        if (current_) r_.AddField(747, 2, combinedCode_, filter, true, false, false);
    }

    ERecord& r_;
    const RecipientInfo& p_;
    const RecipientAdditionalInfo& a_;
    const ComapnyInfo& payer_;
    const bool combined_;  // the transmitter chose combined federal/state filing
    const bool current_;   // this payer and kind take part in it
    const std::string& stateCode_;
    const std::string& combinedCode_;
    const std::string& payerStateCode_;
};

void PayeeRecord::money(int32_t position, const std::string& amount, const char* box, bool rightJustify) {
    const StoredAmount read = StoredAmount::read(amount);
    if (read.refused()) return refuse(RefusedEntry::ofAmount(box, amount));
    // No amount writes nothing: zeros when right-justified, blanks otherwise.
    const std::string digits = read.isAmount() ? std::to_string(read.cents()) : std::string();
    r_.AddField(position, 12, digits, 0, false, rightJustify, rightJustify);
}

void PayeeRecord::date(int32_t position, const std::string& stored, const char* box) {
    const StoredDate read = StoredDate::read(stored);
    if (read.refused()) return refuse(RefusedEntry::ofDate(box, stored));
    text(position, 8, read.yearMonthDay());
}

void PayeeRecord::common(const EFileTotals& amounts, uint64_t sequenceNumber) {
    text(1, 1, "B");
    text(2, 4, kPaymentYear);
    mark(6, p_.getCorrected(), "G");
    r_.AddField(12, 9, p_.getTaxID(), 0, false, false, false);
    text(21, 20, p_.getAccountNumber());

    int32_t position = 55;
    for (char code : EFileTotals::kAmountCodes) {
        r_.AddField(position, 12, Utils::RJustWithZeros(amounts.getTotal(code), 12), 0, false, false, false);
        position += 12;
    }

    const bool foreign = p_.getAddressIsNotUSTerritory();
    mark(287, foreign, "1");
    const EFile::PayeeName name = EFile::payeeNameOf(p_, a_);
    text(288, 40, name.surname);
    if (!name.business) text(328, 40, name.first + " " + name.middle);
    text(368, 40, p_.getAddress());
    if (foreign) {
        // A foreign postal code is kept as written ("M5V 2T6"), not reduced to digits.
        text(448, 51, p_.getCity() + " " + p_.getState() + " " + p_.getZip() + " " + p_.getCountry());
    } else {
        text(448, 40, p_.getCity());
        text(488, 2, stateCode_);
        r_.AddField(490, 9, p_.getZip(), 0, true, false, false);
    }
    r_.AddField(500, 8, Utils::RJustWithZeros(static_cast<int64_t>(sequenceNumber), 8), 0, true, false, false);
}

void PayeeRecord::kindFields() {
    switch (p_.getType()) {
        case 1:
            mark(544, p_.getSecondTin(), "2");
            mark(547, p_.getLine9_Misc(), "1");
            mark(548, p_.getFATCA_MISC(), "1");
            break;
        case 2:
            mark(544, p_.getSecondTin(), "2");
            text(547, 40, p_.getDiv_Line7());
            mark(587, p_.getFATCA_DIV(), "1");
            break;
        case 3:
            mark(544, p_.getSecondTin(), "2");
            text(547, 40, p_.getInt_Line7());
            text(587, 13, Utils::RJustWithBlank(p_.getInt_Line12(), 13));
            mark(600, p_.getFATCA_INT(), "1");
            break;
        case 4: {
            if (auto code = RefusedEntry::ofDistributionCode("Box 7", p_.getR_Line7()))
                refuse(std::move(code));
            else
                text(545, 2, Utils::distributionCodeRead(p_.getR_Line7()));
            mark(547, p_.getR_Line2b_Checkbox_1(), "1");
            mark(548, p_.getR_Line7_Checkbox(), "1");
            mark(549, p_.getR_Line2b_Checkbox_2(), "1");
            const int32_t percentage = p_.getR_Line9a();
            if (percentage >= 1 && percentage <= 99) text(550, 2, Utils::RJustWithZeros(percentage, 2));
            if (auto year = RefusedEntry::ofYear("Box 11", p_.getR_Line11()))
                refuse(std::move(year));
            else if (p_.getR_Line11() > 0)
                text(552, 4, std::to_string(p_.getR_Line11()));
            mark(556, p_.getFATCA_R(), "1");
            date(557, p_.getR_DateOfPayment(), "Box 13");
            break;
        }
        case 5:
            mark(547, p_.getS_Line4(), "1");
            date(548, p_.getS_Line1(), "Box 1");
            text(556, 39, p_.getS_Line3());
            mark(595, p_.getS_Line6(), "1");
            break;
        case FormKind::kNec:
            mark(544, p_.getSecondTin(), "2");
            mark(547, p_.getNec_Line2_2(), "1");
            break;
        default:
            break;
    }
}

// An Oregon payer's fields: its business identification number, or the payee's
// taxpayer number when it has none.
void PayeeRecord::oregon() {
    const std::string& bin = payer_.getOregonBIN();
    r_.AddField(663, 8, bin, 0, false, true, true);
    if (bin.empty())
        r_.AddField(671, 9, p_.getTaxID(), 0, false, true, true);
    else
        r_.AddField(671, 9, "000000000", 0, false, true, true);
    text(680, 2, "OR");
}

void PayeeRecord::miscState() {
    if (payerStateCode_ == "OR") {
        oregon();
        money(682, p_.getLine18_1_Misc(), "Box 18");
        money(723, p_.getLine16_1_Misc(), "Box 16");
        zeros(735);
    } else if (stateCode_ == "WI" && combined_) {
        const bool none = p_.getLine16_1_Misc().empty() && p_.getLine17_1_Misc().empty();
        text(663, 15, none ? EFile::kWisconsinFallback : EFile::withoutStatePrefix(p_.getLine17_1_Misc(), "WI"));
        r_.AddField(683, 2, combinedCode_, 0, false, false, false);
        money(723, p_.getLine16_1_Misc(), "Box 16");
        zeros(735);
    } else if (stateCode_ == "KY" && combined_) {
        text(663, 2, "21");
        text(665, 20, EFile::withoutStatePrefix(p_.getLine17_1_Misc(), "KY"));
        money(723, p_.getLine16_1_Misc(), "Box 16");
        zeros(735);
    } else {
        zeros(723);
        zeros(735);
    }
    combinedCode(2);
}

void PayeeRecord::divState() {
    if (combined_ && stateCode_ == "KY") {
        text(663, 2, "21");
        text(665, 20, EFile::withoutStatePrefix(p_.getDiv_Line13_1(), "KY"));
        money(723, p_.getDiv_Line14_1(), "Box 16");
    } else {
        zeros(723);
    }
    zeros(735);
    combinedCode(0);
}

void PayeeRecord::intState() {
    if (combined_ && stateCode_ == "KY") {
        text(663, 2, "21");
        text(665, 20, EFile::withoutStatePrefix(p_.getInt_Line14_1(), "KY"));
        money(723, p_.getInt_Line15_1(), "Box 17");
    } else {
        text(663, 60, p_.getInt_payerRTN());
        zeros(723);
    }
    zeros(735);
    combinedCode(2);
}

void PayeeRecord::rState() {
    if (stateCode_ == "KY") {
        if (combined_) {
            text(663, 2, "21");
            text(665, 20, EFile::withoutStatePrefix(p_.getR_Line13_1(), "KY"));
            money(723, p_.getR_Line12_1(), "Box 14");
            money(735, p_.getR_Line15_1(), "Box 17");
        } else {
            zeros(723);
            zeros(735);
        }
    } else if (payerStateCode_ == "OR") {
        oregon();
        money(723, p_.getR_Line12_1(), "Box 14");
        money(735, p_.getR_Line15_1(), "Box 17");
    } else if (stateCode_ == "WI" && combined_) {
        const bool none = p_.getR_Line13_1().empty() && p_.getR_Line12_1().empty();
        text(663, 15, none ? EFile::kWisconsinFallback : EFile::withoutStatePrefix(p_.getR_Line13_1(), "WI"));
        r_.AddField(683, 2, combinedCode_, 0, false, false, false);
        money(723, p_.getR_Line12_1(), "Box 14");
    } else {
        zeros(723);
        zeros(735);
    }
    combinedCode(2);
}

void PayeeRecord::necState() {
    if (!combined_) {
        zeros(723);
        zeros(735);
        return;
    }
    if (stateCode_ == "KY") {
        text(663, 2, "21");
        text(665, 20, EFile::withoutStatePrefix(p_.getLine6_1_NEC(), "KY"));
        money(723, p_.getLine5_1_NEC(), "Box 5");
    } else if (stateCode_ == "WI") {
        const bool none = p_.getLine6_1_NEC().empty() && p_.getLine6_2_NEC().empty();
        text(663, 15, none ? EFile::kWisconsinFallback : EFile::withoutStatePrefix(p_.getLine6_1_NEC(), "WI"));
        r_.AddField(683, 2, combinedCode_, 0, false, false, false);
        money(723, p_.getLine5_1_NEC(), "Box 5");
    } else if (stateCode_ == "ME") {
        money(723, p_.getLine5_1_NEC(), "Box 5");
    } else if (stateCode_ == "NC") {
        money(711, p_.getLine7_1_NEC(), "Box 7", false);
        money(723, p_.getLine5_1_NEC(), "Box 5");
    } else {
        zeros(723);
    }
    zeros(735);
    r_.AddField(747, 2, stateCode_ == "NC" ? std::string("37") : combinedCode_, 0, false, false, false);
}

void PayeeRecord::stateData() {
    switch (p_.getType()) {
        case 1: miscState(); break;
        case 2: divState(); break;
        case 3: intState(); break;
        case 4: rState(); break;
        case 5:
            zeros(723);
            zeros(735);
            break;
        case FormKind::kNec: necState(); break;
        default: break;
    }
}

}  // namespace

EFileResult EFile::AddRecord_B(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional,
                               const ComapnyInfo& payer, EFileTotals& totals) {
    if (std::optional<RefusedEntry> refused = totals.AddToTotal(recipient))
        return refusedEntry(recipient, additional, *refused);
    for (char code : EFileTotals::kAmountCodes)
        if (std::to_string(totals.getTotal(code)).size() > kAmountDigits)
            return refusedTooLarge(recipient, additional, EFileTotals::boxName(recipient.getType(), code));

    ERecord record;
    const StateCodes& codes = codesOf(recipient);
    const std::string payerState = codesOf(payer.getState()).postal;
    PayeeRecord b(record, recipient, additional, payer, combinedFedStateFlag_, currentFedStateFlag_, codes.postal,
                  codes.combined, payerState);
    b.common(totals, currentRecordNum_);
    b.kindFields();
    b.stateData();
    if (b.refused) return refusedEntry(recipient, additional, *b.refused);
    ++numBRecords_;
    AppendEFileData(record);
    return {};
}
