// Gathering the 1099-NEC state file from the open company database: the candidates
// as keys with their payer, kind and state, the payees of the file among them, their
// rows read payer by payer in batches, the completion marks and the output file.

#include <algorithm>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/efile/EFile_NEC.h"
#include "core/efile/EFileRun.h"
#include "core/foundation/FormKind.h"
#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/E_FileInfo.h"
#include "core/store/Recipient.h"
#include "platform/AtomicFileWriter.h"
#include "platform/SystemLog.h"

namespace {

using companyrows::markList;

using efilerun::failed;

// Keys per statement when rows are read or marked by key.
constexpr std::size_t kBatch = 500;

// A candidate, as much as the run must know before its payer's turn.
struct Candidate {
    int32_t key;
    int32_t payer;
    int32_t kind;
    std::string state;
    bool foreign;
    bool voided;
};

CompanyDatabase* openCompanyDatabase() {
    Session& s = session();
    CompanyDatabase* cdb = s.DBH ? s.DBH->companyDatabase().get() : nullptr;
    return cdb && cdb->db && cdb->IsReady() ? cdb : nullptr;
}

std::vector<int32_t> selectedPayers() {
    const Session& s = session();
    return s.comp_details ? s.comp_details->selectedCompanies() : std::vector<int32_t>{};
}

class Gathering {
public:
    Gathering(CompanyDatabase& cdb, std::string state) : cdb_(cdb), db_(*cdb.db), state_(std::move(state)) {}

    // The candidates: the selected recipients in selection order (a key without a row is
    // left out), or with none selected the 1099-NEC recipients of the payers by key.
    bool readCandidates(const std::vector<int32_t>& selected, const std::vector<int32_t>& payers);
    // Keeps the payees of the file and gives each payer (with a row) its own, in order.
    bool readPayers(const std::vector<int32_t>& payers);
    // Whether the state has a payee among the candidates, void ones included.
    bool anyPayee() const { return !payees_.empty() || voidLeftOut_ > 0; }
    // The void payees of the state, left out of the file and not marked.
    uint64_t voidLeftOut() const { return voidLeftOut_; }
    uint64_t payeeCount() const;
    EFile::Groups groups();
    // Marks every payee of the file completed, those of unselected payers included.
    bool markPayees();

    const std::string& failure() const { return failure_; }

private:
    bool query(const std::string& sql, const std::vector<FMValue>& args,
               const std::function<void(FMResultSet&)>& each);
    Candidate candidateOf(FMResultSet& rs);
    bool readBatch(const std::vector<std::size_t>& members, std::size_t from);
    bool fail(const std::string& what);

    CompanyDatabase& cdb_;
    FMDatabase& db_;
    const std::string state_;
    std::vector<Candidate> payees_;    // the payees of the file, in candidate order
    uint64_t voidLeftOut_ = 0;
    std::vector<ComapnyInfo> payers_;  // the selected payers with a row, in selection order
    std::unordered_map<int32_t, std::vector<std::size_t>> byPayer_;  // positions in payees_
    std::vector<EFilePayee> batch_;
    std::size_t batchStart_ = 0;
    std::string failure_;
};

bool Gathering::fail(const std::string& what) {
    if (failure_.empty()) failure_ = what + ": " + db_.lastErrorMessage();
    platform::systemLog(failure_);
    return false;
}

bool Gathering::query(const std::string& sql, const std::vector<FMValue>& args,
                      const std::function<void(FMResultSet&)>& each) {
    return companyrows::readAll(db_, sql, args, each);
}

Candidate Gathering::candidateOf(FMResultSet& rs) {
    return Candidate{rs.intForColumn("pk"), rs.intForColumn("company_FK"), rs.intForColumn("type"),
                     companyrows::nameText(rs, "state"), companyrows::flag(rs, "addressIsNotUSTerritory"),
                     companyrows::flag(rs, "void")};
}

bool Gathering::readCandidates(const std::vector<int32_t>& selected, const std::vector<int32_t>& payers) {
    const char* columns = "select pk, company_FK, type, state, addressIsNotUSTerritory, void from recipients where ";
    std::vector<Candidate> candidates;
    if (selected.empty()) {
        // The rows and order of the recipient list of the payers' 1099-NEC recipients.
        const std::string pattern = companyrows::namePattern("");
        std::vector<FMValue> args{pattern, pattern};
        const std::string companies = companyrows::companyClause("company_FK", payers, args);
        const std::string sql = std::string(columns) + "((lastName like ?) or (firstName like ?)) and " + companies +
                                " " + companyrows::kindClause(FormKind::kNec) +
                                " ORDER BY pk COLLATE NOCASE  ASC, firstName COLLATE NOCASE ASC;";
        if (!query(sql, args, [&](FMResultSet& rs) { candidates.push_back(candidateOf(rs)); }))
            return fail("The recipients could not be read");
    } else {
        // Rows are read by key in batches and put back into selection order.
        std::vector<int32_t> keys(selected);
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
        std::unordered_map<int32_t, Candidate> rows;
        for (std::size_t from = 0; from < keys.size(); from += kBatch) {
            std::vector<FMValue> args;
            for (std::size_t i = from; i < keys.size() && i < from + kBatch; ++i) args.emplace_back(keys[i]);
            if (!query(std::string(columns) + "pk in " + markList(args.size()) + ";", args, [&](FMResultSet& rs) {
                    Candidate c = candidateOf(rs);
                    rows.emplace(c.key, std::move(c));
                }))
                return fail("The selected recipients could not be read");
        }
        for (int32_t key : selected) {
            const auto found = rows.find(key);
            if (found != rows.end()) candidates.push_back(found->second);
        }
    }
    // The state codes are worked out once per state text. A void form is left out: its
    // replacement is filed.
    std::unordered_map<std::string, bool> inState;
    for (Candidate& c : candidates) {
        if (c.kind != FormKind::kNec || c.foreign) continue;
        auto known = inState.find(c.state);
        if (known == inState.end())
            known = inState.emplace(c.state, EFile_NEC::isPayeeOf(FormKind::kNec, c.state, false, state_)).first;
        if (!known->second) continue;
        if (c.voided) {
            // Counted only where it would have been filed: with a selected payer.
            if (std::find(payers.begin(), payers.end(), c.payer) != payers.end()) ++voidLeftOut_;
        } else {
            payees_.push_back(std::move(c));
        }
    }
    return true;
}

bool Gathering::readPayers(const std::vector<int32_t>& payers) {
    for (int32_t key : payers) {
        ComapnyInfo payer = cdb_.getCompanyInfo1(key);
        if (payer.getPK() >= 0)
            payers_.push_back(std::move(payer));
        else if (db_.hadError())
            return fail("The payers could not be read");
    }
    for (std::size_t i = 0; i < payees_.size(); ++i) byPayer_[payees_[i].payer].push_back(i);
    return true;
}

uint64_t Gathering::payeeCount() const {
    uint64_t count = 0;
    for (const auto& payer : payers_) {
        const auto found = byPayer_.find(payer.getPK());
        if (found != byPayer_.end()) count += found->second.size();
    }
    return count;
}

bool Gathering::readBatch(const std::vector<std::size_t>& members, std::size_t from) {
    const std::size_t count = std::min(kBatch, members.size() - from);
    std::vector<FMValue> args;
    std::unordered_map<int32_t, std::size_t> slot;  // key -> first place in the batch
    for (std::size_t i = 0; i < count; ++i) {
        const int32_t key = payees_[members[from + i]].key;
        if (slot.emplace(key, i).second) args.emplace_back(key);
    }
    batch_.assign(count, EFilePayee());
    batchStart_ = from;
    std::vector<bool> found(count, false);
    const std::string in = "pk in " + markList(args.size()) + ";";
    if (!query("select * from recipients where " + in, args, [&](FMResultSet& rs) {
            const auto at = slot.find(rs.intForColumn("pk"));
            if (at == slot.end()) return;
            cdb_.FillRecipient(batch_[at->second].recipient, rs);
            found[at->second] = true;
        }))
        return fail("The recipients could not be read");
    if (!query("select * from recipients_additionalinfo where " + in, args, [&](FMResultSet& rs) {
            const auto at = slot.find(rs.intForColumn("pk"));
            if (at != slot.end()) cdb_.FillRecipientadditonalfields(batch_[at->second].additional, rs);
        }))
        return fail("The recipients' additional data could not be read");
    // A key that stands twice in the selection is written twice.
    for (std::size_t i = 0; i < count; ++i) {
        const int32_t key = payees_[members[from + i]].key;
        const std::size_t first = slot.at(key);
        if (first != i) {
            batch_[i] = batch_[first];
            found[i] = found[first];
        }
        if (!found[i]) {
            failure_ = "Recipient " + std::to_string(key) + " could not be read.";
            return false;
        }
    }
    return true;
}

EFile::Groups Gathering::groups() {
    return [this, next = std::size_t(0)](EFileGroup& group) mutable {
        for (; failure_.empty() && next < payers_.size(); ++next) {
            const ComapnyInfo& payer = payers_[next];
            const auto found = byPayer_.find(payer.getPK());
            if (found == byPayer_.end()) continue;
            const std::vector<std::size_t>& members = found->second;
            group.payer = payer;
            group.kind = FormKind::kNec;
            group.anyCombinedCode = std::any_of(members.begin(), members.end(), [this](std::size_t i) {
                return !EFile::filingStateCode(payees_[i].state, payees_[i].foreign, true).empty();
            });
            batch_.clear();
            batchStart_ = 0;
            group.nextPayee = [this, &members, at = std::size_t(0)]() mutable -> const EFilePayee* {
                if (at >= members.size() || !failure_.empty()) return nullptr;
                if (batch_.empty() || at == batchStart_ + batch_.size()) {
                    if (!readBatch(members, at)) return nullptr;
                }
                return &batch_[at++ - batchStart_];
            };
            ++next;
            return true;
        }
        return false;
    };
}

bool Gathering::markPayees() {
    std::vector<int32_t> keys;
    for (const Candidate& c : payees_) keys.push_back(c.key);
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    for (std::size_t from = 0; from < keys.size(); from += kBatch) {
        std::vector<FMValue> args;
        for (std::size_t i = from; i < keys.size() && i < from + kBatch; ++i) args.emplace_back(keys[i]);
        if (!db_.executeUpdate("update recipients set completed = 1 where pk in " + markList(args.size()) +
                                   " and (completed is null or completed <> 1);",
                               args))
            return fail("The recipients could not be marked completed");
    }
    return true;
}

}  // namespace

std::optional<bool> EFile_NEC::selectedPayersHavePayeesIn(const std::string& state, std::string& failure) {
    CompanyDatabase* cdb = openCompanyDatabase();
    if (!cdb) {
        failure = "No company database is open.";
        return std::nullopt;
    }
    Gathering gathering(*cdb, state);
    if (!gathering.readCandidates({}, selectedPayers())) {
        failure = gathering.failure();
        return std::nullopt;
    }
    return gathering.anyPayee();
}

std::string EFile_NEC::noPayeeMessage(const std::string& state) {
    return "No E-File for " + state + " was created: no selected recipient is a 1099-NEC payee in " + state + ".";
}

EFileResult EFile_NEC::Populate(const E_FileInfo& transmitter, const std::string& outputPath) {
    CompanyDatabase* cdb = openCompanyDatabase();
    if (!cdb) return failed(EFileResult::Failure::database, "No company database is open.");

    const Session& s = session();
    const std::vector<int32_t> payers = selectedPayers();
    const std::vector<int32_t> noneSelected;
    const std::vector<int32_t>& selected = s.recp_details ? s.recp_details->selectedRecipients() : noneSelected;
    numPayers_ = static_cast<int32_t>(payers.size());

    const std::string& state = transmitter.getNECState();
    Gathering gathering(*cdb, state);
    return efilerun::toFile(*cdb->db, outputPath, !payers.empty(),
                            {[&] { return gathering.readCandidates(selected, payers) && gathering.readPayers(payers); },
                             [&](const Output& output) {
                                 EFileResult result =
                                     write(transmitter, gathering.payeeCount(), gathering.groups(), output);
                                 result.voidLeftOut = gathering.voidLeftOut();
                                 // A file of its T and F records alone is not offered.
                                 if (result.ok() && result.payees == 0) {
                                     result.failure = EFileResult::Failure::empty;
                                     result.message =
                                         result.voidLeftOut > 0
                                             ? "No E-File for " + state + " was created: every selected 1099-NEC payee in " +
                                                   state + " is void. " + voidLeftOutText(result.voidLeftOut, "E-File")
                                             : noPayeeMessage(state);
                                 }
                                 return result;
                             },
                             // With no payer selected the run marks nothing.
                             [&] { return gathering.markPayees(); }, [&] { return gathering.failure(); }});
}
