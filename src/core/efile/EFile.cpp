// The FIRE file's run over its groups and its transmitter, payer, totals and end
// records. The payee record is in EFilePayeeRecord.cpp, the gathering from the company
// database in EFilePopulate.cpp.

#include "core/efile/EFile.h"

#include <algorithm>
#include <optional>

#include "core/efile/EFileTotals.h"
#include "core/efile/ERecord.h"
#include "core/efile/FireVendor.h"
#include "core/foundation/FormKind.h"
#include "core/foundation/RefusedEntry.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/Utils.h"
#include "core/store/E_FileInfo.h"
#include "core/store/RecipientName.h"

namespace {

const char kPaymentYear[] = "2025";

struct KindCodes {
    int32_t kind;
    const char* typeOfReturn;
    const char* amountCodes;
};

// Type of return (A 26-27) and the amount codes declared (A 28-45).
const KindCodes kKindCodes[] = {
    {1, "A", "1234568ACDEF "}, {2, "1", "12356789ABCDEFGHJ"}, {3, "6", "12345689ABDE"},
    {4, "9", "12345689AB"},    {5, "S", "25"},                {FormKind::kNec, "NE", "134"},
};

const KindCodes* kindCodesOf(int32_t kind) {
    for (const auto& k : kKindCodes)
        if (k.kind == kind) return &k;
    return nullptr;
}

// The form's name in a refusal; a kind no form has is named as the family.
std::string kindName(int32_t kind) {
    const std::string name = FormKind::formName(kind);
    return name.empty() ? "1099" : name;
}

std::string sequence(uint64_t number) { return Utils::RJustWithZeros(static_cast<int64_t>(number), 8); }

// A C or K field: filter 2, upper case, right-justified and zero-filled.
void number(ERecord& record, int32_t position, int32_t width, uint64_t value) {
    record.AddField(position, width, std::to_string(value), 2, true, true, true);
}

// The control totals of a C or K record: code k at 16 + 18 (k - 1).
void controlTotals(ERecord& record, const EFileTotals& totals) {
    int32_t position = 16;
    for (char code : EFileTotals::kAmountCodes) {
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

EFile::PayeeName EFile::payeeNameOf(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional) {
    PayeeName name;
    name.business = additional.getname_type() == "Business Name";
    if (name.business) {
        name.surname = recipient.getLastName();
    } else {
        name.surname = additional.getlastname();
        name.first = recipient.getFirstName();
        name.middle = additional.getmiddleName();
    }
    return name;
}

std::string EFile::payeeName(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional) {
    const std::string text = recipientListName(recipient, additional);
    return text.empty() ? "the recipient with key " + std::to_string(recipient.getPK()) : text;
}

std::string EFile::filingStateCode(const std::string& state, bool foreign, bool wantNumber) {
    return foreign ? std::string() : Utils::getStateCode(state, wantNumber);
}

std::string EFile::voidLeftOutText(uint64_t count, const std::string& file) {
    if (count == 0) return "";
    return std::to_string(count) + (count == 1 ? " void recipient was" : " void recipients were") +
           " left out of the " + file + ".";
}

EFileResult EFile::refusedTooLarge(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional,
                                   const std::string& box) {
    EFileResult result;
    result.failure = EFileResult::Failure::refused;
    result.message = "The e-file was not created: the amount in " + box + " of the " + kindName(recipient.getType()) +
                     " of " + payeeName(recipient, additional) +
                     " is too large for the e-file, which holds at most 12 digits (9,999,999,999.99). "
                     "Please correct the amount and create the e-file again.";
    return result;
}

EFileResult EFile::refusedEntry(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional,
                                const RefusedEntry& refused) {
    if (refused.tooLarge) return refusedTooLarge(recipient, additional, refused.box);
    EFileResult result;
    result.failure = EFileResult::Failure::refused;
    result.message = "The e-file was not created: " +
                     refused.describe(kindName(recipient.getType()), payeeName(recipient, additional)) +
                     ". Please correct the " + refused.noun() + " and create the e-file again.";
    return result;
}

EFileTotals& EFile::stateTotalsFor(std::vector<EFileTotals>& states, const std::string& code) {
    auto state = std::find_if(states.begin(), states.end(),
                              [&](const EFileTotals& t) { return t.getStateCode() == code; });
    if (state != states.end()) return *state;
    states.emplace_back();
    states.back().setStateCode(code);
    return states.back();
}

EFileResult EFile::refusedTotal(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional,
                                char code) {
    EFileResult result;
    result.failure = EFileResult::Failure::refused;
    result.message = "The e-file was not created: with the " + kindName(recipient.getType()) + " of " +
                     payeeName(recipient, additional) + ", the amounts in " +
                     EFileTotals::boxName(recipient.getType(), code) +
                     " add up to more than the e-file's totals can hold (18 digits). "
                     "Please check the amounts and create the e-file again.";
    return result;
}

std::string EFile::withoutStatePrefix(const std::string& id, const std::string& code) {
    auto startsWith = [&id](const std::string& prefix) {
        if (id.size() < prefix.size()) return false;
        for (std::size_t i = 0; i < prefix.size(); ++i)
            if (textscan::upper(id[i]) != prefix[i]) return false;
        return true;
    };
    if (!startsWith(code)) return id;
    // The blanks around the separator belong to the prefix too ("KY 123", "KY / 123").
    std::size_t at = code.size();
    const auto skipBlanks = [&] {
        while (at < id.size() && id[at] == ' ') ++at;
    };
    skipBlanks();
    if (at < id.size() && (id[at] == '/' || id[at] == '-')) {
        ++at;
        skipBlanks();
    }
    return id.substr(at);
}

EFileGroup EFile::groupOf(const ComapnyInfo& payer, int32_t kind, const std::vector<EFilePayee>& payees) {
    EFileGroup group;
    group.payer = payer;
    group.kind = kind;
    for (const auto& p : payees)
        if (!filingStateCode(p.recipient.getState(), p.recipient.getAddressIsNotUSTerritory(), true).empty())
            group.anyCombinedCode = true;
    group.nextPayee = [&payees, next = std::size_t(0)]() mutable -> const EFilePayee* {
        return next < payees.size() ? &payees[next++] : nullptr;
    };
    return group;
}

EFileResult EFile::write(const E_FileInfo& transmitter, uint64_t payeeCount, const Groups& nextGroup,
                         const Output& output) {
    output_ = &output;
    outputFailed_ = false;
    combinedFedStateFlag_ = transmitter.getCombinedFedState();
    currentFedStateFlag_ = false;
    numPayees_ = payeeCount;
    numBRecords_ = 0;
    numARecords_ = 0;
    currentRecordNum_ = 1;

    EFileResult result;
    AddRecord(transmitter);
    EFileGroup group;
    while (result.ok() && !outputFailed_ && nextGroup(group)) result = writeGroup(group);

    if (result.ok() && !outputFailed_) {
        if (numBRecords_ == numPayees_) {
            AddRecord_F();
        } else {
            result.failure = EFileResult::Failure::database;
            result.message = "The e-file was not created: it was to hold " + std::to_string(numPayees_) +
                             " payees, but " + std::to_string(numBRecords_) + " were found.";
        }
    }
    if (result.ok() && outputFailed_) {
        result.failure = EFileResult::Failure::output;
        result.message = "The e-file could not be written.";
    }
    output_ = nullptr;
    result.payees = numBRecords_;
    return result;
}

EFileResult EFile::writeGroup(EFileGroup& group) {
    // 1099-S never takes part in the combined federal/state program.
    currentFedStateFlag_ = combinedFedStateFlag_ && group.kind != 5 && group.anyCombinedCode;
    AddRecord_A(group.payer, group.kind);

    EFileTotals payerTotals;
    std::vector<EFileTotals> states;  // in order of first appearance
    uint64_t count = 0;
    while (!outputFailed_ && group.nextPayee) {
        const EFilePayee* payee = group.nextPayee();
        if (!payee) break;
        EFileTotals own;
        EFileResult b = AddRecord_B(payee->recipient, payee->additional, group.payer, own);
        if (!b.ok()) return b;
        ++count;

        std::optional<char> overflow = addAmounts(payerTotals, own);
        if (!overflow && currentFedStateFlag_) {
            const std::string& code = codesOf(payee->recipient).combined;
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
    if (currentFedStateFlag_)
        for (const auto& state : states) AddRecord_K(state);
    return {};
}

const EFile::StateCodes& EFile::codesOf(const std::string& state) {
    auto found = stateCodes_.find(state);
    if (found == stateCodes_.end())
        found = stateCodes_.emplace(state, StateCodes{Utils::getStateCode(state, false), Utils::getStateCode(state, true)})
                    .first;
    return found->second;
}

const EFile::StateCodes& EFile::codesOf(const RecipientInfo& recipient) {
    static const StateCodes kNone;
    return recipient.getAddressIsNotUSTerritory() ? kNone : codesOf(recipient.getState());
}

void EFile::AppendEFileData(ERecord& record) {
    if (!outputFailed_ && output_ && !(*output_)(record.recordtxt())) outputFailed_ = true;
    ++currentRecordNum_;
    record.clear();
}

void EFile::AddRecord(const E_FileInfo& t) {
    ERecord r;
    r.AddField3(1, 1, "T");
    r.AddField3(2, 4, kPaymentYear);
    r.AddField(7, 9, t.getTIN(), 0, true, false, false);
    r.AddField(16, 5, t.getTCC(), 1, true, false, false);
    if (t.getTest()) r.AddField3(28, 1, "T");
    r.AddField3(30, 80, t.getName());
    r.AddField3(110, 80, t.getCompany());
    r.AddField3(190, 40, t.getAddress());
    r.AddField3(230, 40, t.getCity());
    r.AddField3(270, 2, Utils::getStateCode(t.getState(), false));
    r.AddField(272, 9, t.getZip(), 0, true, false, false);
    r.AddField3(296, 8, Utils::RJustWithZeros(static_cast<int64_t>(numPayees_), 8));
    r.AddField3(304, 40, t.getContact());
    r.AddField(344, 15, t.getPhone(), 0, true, false, false);
    r.AddField(359, 50, t.getEmail(), 3, false, false, false);
    r.AddField(500, 8, sequence(currentRecordNum_), 0, false, false, false);
    r.AddField3(518, 1, "V");
    r.AddField3(519, 40, std::string(firevendor::kName));
    r.AddField3(559, 40, std::string(firevendor::kMailingAddress));
    r.AddField3(599, 40, std::string(firevendor::kCity));
    r.AddField3(639, 2, std::string(firevendor::kState));
    r.AddField3(641, 9, std::string(firevendor::kZip));
    r.AddField3(650, 40, std::string(firevendor::kContactName));
    r.AddField3(690, 15, std::string(firevendor::kContactPhone));
    AppendEFileData(r);
}

void EFile::AddRecord_A(const ComapnyInfo& payer, int32_t kind) {
    ERecord r;
    r.AddField3(1, 1, "A");
    r.AddField3(2, 4, kPaymentYear);
    if (currentFedStateFlag_) r.AddField3(6, 1, "1");
    r.AddField(12, 9, payer.getTaxID1(), 0, true, false, false);
    if (payer.getFinalFlag()) r.AddField3(25, 1, "1");
    if (const KindCodes* codes = kindCodesOf(kind)) {
        r.AddField3(26, 2, codes->typeOfReturn);
        r.AddField3(28, 18, codes->amountCodes);
    }
    r.AddField3(53, 40, payer.getName());
    r.AddField3(133, 1, "0");
    r.AddField3(134, 40, payer.getAddress());
    r.AddField3(174, 40, payer.getCity());
    r.AddField3(214, 2, Utils::getStateCode(payer.getState(), false));
    r.AddField(216, 9, payer.getZip(), 0, true, false, false);
    r.AddField(225, 15, payer.getPhone(), 0, true, false, false);
    r.AddField(500, 8, sequence(currentRecordNum_), 0, true, false, false);
    ++numARecords_;
    AppendEFileData(r);
}

void EFile::AddRecord_C(const EFileTotals& totals) {
    ERecord r;
    r.AddField3(1, 1, "C");
    number(r, 2, 8, totals.getNumPayees());
    controlTotals(r, totals);
    number(r, 500, 8, currentRecordNum_);
    AppendEFileData(r);
}

void EFile::AddRecord_K(const EFileTotals& totals) {
    ERecord r;
    r.AddField3(1, 1, "K");
    number(r, 2, 8, totals.getNumPayees());
    controlTotals(r, totals);
    number(r, 500, 8, currentRecordNum_);
    // 707-724 and 725-742 (state and local income tax withheld totals) stay blank.
    if (currentFedStateFlag_) r.AddField(747, 2, totals.getStateCode(), 2, true, true, true);
    AppendEFileData(r);
}

void EFile::AddRecord_F() {
    ERecord r;
    r.AddField3(1, 1, "F");
    number(r, 2, 8, numARecords_);
    r.AddField(10, 21, std::string(21, '0'), 2, true, true, true);
    number(r, 50, 8, numBRecords_);
    number(r, 500, 8, currentRecordNum_);
    AppendEFileData(r);
}
