// The 1099-NEC state file's run over its groups and its payer, payee and totals
// records. The gathering from the company database is in EFile_NECPopulate.cpp.

#include "core/efile/EFile_NEC.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/efile/EFileTotals.h"
#include "core/efile/ERecord.h"
#include "core/foundation/FormKind.h"
#include "core/foundation/Utils.h"
#include "core/store/E_FileInfo.h"

namespace {

const char kPaymentYear[] = "2025";
constexpr std::size_t kAmountDigits = 12;
// The state file carries the amount codes 1-9 and A-G.
constexpr std::size_t kStateFileCodes = 16;
constexpr std::string_view kCodes = EFileTotals::kAmountCodes.substr(0, kStateFileCodes);

// A state money position's digits: the whole cents of a stored amount, or nothing for
// no amount; the refusal when the amount reader refuses the text.
std::optional<RefusedEntry> stateAmount(const std::string& box, const std::string& text, std::string& digits) {
    const StoredAmount amount = StoredAmount::read(text);
    if (amount.refused()) return RefusedEntry::ofAmount(box, text);
    digits = amount.isAmount() ? std::to_string(amount.cents()) : std::string();
    return std::nullopt;
}

// A C or K field: filter 2, upper case, right-justified and zero-filled.
void number(ERecord& record, int32_t position, int32_t width, uint64_t value) {
    record.AddField(position, width, std::to_string(value), 2, true, true, true);
}

// The sixteen control totals of a C or K record: code k at 16 + 18 (k - 1).
void controlTotals(ERecord& record, const EFileTotals& totals) {
    int32_t position = 16;
    for (char code : kCodes) {
        number(record, position, 18, static_cast<uint64_t>(totals.getTotal(code)));
        position += 18;
    }
}

// Adds a payee's own amounts to a group's totals; the code whose total would overflow.
std::optional<char> addAmounts(EFileTotals& into, const EFileTotals& payee) {
    for (char code : EFileTotals::kAmountCodes)
        if (!into.addToTotal(code, payee.getTotal(code))) return code;
    return std::nullopt;
}

}  // namespace

bool EFile_NEC::isStateFileState(const std::string& state) {
    return std::any_of(std::begin(kStates), std::end(kStates), [&](const char* s) { return state == s; });
}

bool EFile_NEC::isPayeeOf(int32_t kind, const std::string& stateText, bool foreign, const std::string& state) {
    // The empty code of "None", of an unknown state text and of a foreign province
    // matches no chosen state.
    return kind == FormKind::kNec && !state.empty() && filingStateCode(stateText, foreign, false) == state;
}

EFileResult EFile_NEC::write(const E_FileInfo& transmitter, uint64_t payeeCount, const Groups& nextGroup,
                             const Output& output) {
    state_ = transmitter.getNECState();
    return EFile::write(transmitter, payeeCount, nextGroup, output);
}

EFileResult EFile_NEC::writeGroup(EFileGroup& group) {
    currentFedStateFlag_ = combinedFedStateFlag_ && group.anyCombinedCode;
    const bool stateTotals = currentFedStateFlag_ && state_ == "OK";
    AddRecord_A(group.payer);

    EFileTotals payerTotals;
    std::vector<EFileTotals> states;  // by postal code, in order of first appearance
    uint64_t count = 0;
    while (!outputFailed_ && group.nextPayee) {
        const EFilePayee* payee = group.nextPayee();
        if (!payee) break;
        EFileTotals own;
        EFileResult b = AddRecord_B(payee->recipient, payee->additional, own);
        if (!b.ok()) return b;
        ++count;

        std::optional<char> overflow = addAmounts(payerTotals, own);
        if (!overflow && stateTotals) {
            const std::string& code = codesOf(payee->recipient).postal;
            if (!code.empty()) {
                EFileTotals& state = stateTotalsFor(states, code);
                overflow = addAmounts(state, own);
                state.addPayee();
            }
        }
        if (overflow) return refusedTotal(payee->recipient, payee->additional, *overflow);
    }
    payerTotals.setNumPayees(count);
    AddRecord_C(payerTotals);
    if (stateTotals)
        for (const auto& state : states) AddRecord_K(state);
    return {};
}

void EFile_NEC::AddRecord_A(const ComapnyInfo& payer) {
    ERecord r;
    r.AddField3(1, 1, "A");
    r.AddField3(2, 4, kPaymentYear);
    // Position 6 stays blank, also under combined federal/state filing.
    r.AddField(12, 9, payer.getTaxID1(), 0, true, false, false);
    if (payer.getFinalFlag()) r.AddField3(25, 1, "1");
    r.AddField3(26, 2, "NE");
    // Box 3 (code 3) is filed as in the FIRE file, so the totals declare no code the
    // record leaves out.
    r.AddField3(28, 18, "134");
    r.AddField3(53, 40, payer.getName());
    r.AddField3(133, 1, "0");
    r.AddField3(134, 40, payer.getAddress());
    r.AddField3(174, 40, payer.getCity());
    r.AddField3(214, 2, codesOf(payer.getState()).postal);
    r.AddField(216, 9, payer.getZip(), 0, true, false, false);
    r.AddField(225, 15, payer.getPhone(), 0, true, false, false);
    r.AddField(500, 8, Utils::RJustWithZeros(static_cast<int64_t>(currentRecordNum_), 8), 0, true, false, false);
    ++numARecords_;
    AppendEFileData(r);
}

EFileResult EFile_NEC::AddRecord_B(const RecipientInfo& p, const RecipientAdditionalInfo& additional,
                                   EFileTotals& totals) {
    if (std::optional<RefusedEntry> refused = totals.AddToTotal(p)) return refusedEntry(p, additional, *refused);
    for (char code : EFileTotals::kAmountCodes)
        if (std::to_string(totals.getTotal(code)).size() > kAmountDigits)
            return refusedTooLarge(p, additional, EFileTotals::boxName(p.getType(), code));
    std::string box5;
    if (auto refused = stateAmount("Box 5", p.getLine5_1_NEC(), box5)) return refusedEntry(p, additional, *refused);
    std::string box7;
    if (state_ == "NC")
        if (auto refused = stateAmount("Box 7", p.getLine7_1_NEC(), box7))
            return refusedEntry(p, additional, *refused);

    ERecord r;
    auto text = [&r](int32_t position, int32_t width, const std::string& value) {
        r.AddField3(position, width, value);
    };
    text(1, 1, "B");
    text(2, 4, kPaymentYear);
    if (p.getCorrected()) text(6, 1, "G");
    r.AddField(12, 9, p.getTaxID(), 0, false, false, false);
    text(21, 20, p.getAccountNumber());

    int32_t position = 55;
    for (char code : kCodes) {
        r.AddField(position, 12, Utils::RJustWithZeros(totals.getTotal(code), 12), 0, false, false, false);
        position += 12;
    }

    const bool foreign = p.getAddressIsNotUSTerritory();
    if (foreign) text(247, 1, "1");
    const PayeeName name = payeeNameOf(p, additional);
    text(248, 40, name.surname);
    text(288, 40, name.first);
    text(368, 40, p.getAddress());
    const StateCodes& codes = codesOf(p);
    if (foreign) {
        text(448, 51, p.getCity() + " " + p.getState() + " " + p.getZip() + " " + p.getCountry());
    } else {
        text(448, 40, p.getCity());
        text(488, 2, codes.postal);
        r.AddField(490, 9, p.getZip(), 0, true, false, false);
    }
    r.AddField(500, 8, Utils::RJustWithZeros(static_cast<int64_t>(currentRecordNum_), 8), 0, true, false, false);
    if (p.getSecondTin()) text(544, 1, "2");
    if (p.getFATCA_NEC()) text(548, 1, "1");

    const std::string& box6 = p.getLine6_1_NEC();
    const bool noStateData = box6.empty() && p.getLine5_1_NEC().empty();
    if (state_ == "KY") {
        text(663, 2, "21");
        if (!noStateData) text(665, 20, withoutStatePrefix(box6, "KY"));
    } else if (state_ == "NC") {
        text(663, 1, "M");
        text(665, 9, p.getAccountNumber());
        text(674, 1, "V");
        text(687, 1, "N");
        text(688, 2, box6);
        text(711, 12, box7);
    } else if (state_ == "WI") {
        text(663, 15, noStateData ? std::string(kWisconsinFallback) : withoutStatePrefix(box6, "WI"));
        r.AddField(683, 2, codes.combined, 0, false, false, false);
    }
    r.AddField(723, 12, box5, 0, false, true, true);
    r.AddField(735, 12, "000000000000", 0, false, false, false);

    ++numBRecords_;
    AppendEFileData(r);
    return {};
}

void EFile_NEC::AddRecord_C(const EFileTotals& totals) {
    ERecord r;
    r.AddField3(1, 1, "C");
    number(r, 2, 8, totals.getNumPayees());
    controlTotals(r, totals);
    number(r, 500, 8, currentRecordNum_);
    AppendEFileData(r);
}

void EFile_NEC::AddRecord_K(const EFileTotals& totals) {
    ERecord r;
    r.AddField3(1, 1, "K");
    number(r, 2, 8, totals.getNumPayees());
    controlTotals(r, totals);
    number(r, 500, 8, currentRecordNum_);
    // 707-724 and 725-742 (state and local income tax withheld totals) stay blank.
    r.AddField3(747, 2, totals.getStateCode());
    AppendEFileData(r);
}
