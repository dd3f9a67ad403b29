// Gathering the FIRE file from the open company database: the run's recipients as
// keys, the payers, the payees read group by group in batches, the completion marks and
// the output file.

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/efile/EFile.h"
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
// Up to this many selected recipients are looked up by key; a larger selection is
// matched against one pass over the selected payers' rows, which reads the file in
// order instead of jumping about in it.
constexpr std::size_t kLookUpAtMost = 2000;

constexpr std::array<int32_t, 6> kKinds = {FormKind::kMisc, FormKind::kDiv, FormKind::kInt,
                                           FormKind::kR,    FormKind::kS,   FormKind::kNec};

int kindSlot(int32_t kind) {
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (kKinds[i] == kind) return static_cast<int>(i);
    return -1;
}

// One recipient of the run, as much as the run must know before its group is read.
struct RunEntry {
    int32_t key;
    int32_t payer;        // -1 when not known: no such row, or not of a selected payer
    int32_t kind;
    bool combinedCode;    // its state takes part in combined federal/state filing
    bool voided;          // a void form: never filed nor marked
    bool read;            // its row was read by the run, so voided is known
};

class Gathering {
public:
    explicit Gathering(CompanyDatabase& cdb) : cdb_(cdb), db_(*cdb.db) {}

    bool readRun(const std::vector<int32_t>& selected, int32_t direction, const std::vector<int32_t>& payers);
    bool readPayers(const std::vector<int32_t>& keys);
    uint64_t payeeCount() const;
    // The groups in file order.
    EFile::Groups groups();
    // Marks the run's recipients completed (void ones excepted).
    bool markRun();
    // The void recipients that a group would otherwise have held.
    uint64_t voidLeftOut() const { return voidLeftOut_; }

    const std::string& failure() const { return failure_; }

private:
    bool query(const std::string& sql, const std::vector<FMValue>& args,
               const std::function<void(FMResultSet&)>& each);
    RunEntry entryOf(FMResultSet& rs);
    bool readBatch(const std::vector<std::size_t>& group, std::size_t from);
    bool mark(const std::string& table, const std::vector<FMValue>& keys, bool knownNotVoid);
    bool fail(const std::string& what);

    CompanyDatabase& cdb_;
    FMDatabase& db_;
    std::vector<RunEntry> run_;
    std::vector<ComapnyInfo> payers_;  // in selection order; PK -1 for a payer without a row
    std::unordered_map<std::string, bool> combinedStates_;  // state text -> has a combined code
    // Per distinct payer key: the run positions of its recipients, by kind slot.
    std::unordered_map<int32_t, std::array<std::vector<std::size_t>, kKinds.size()>> groups_;
    // The group being written: its batch of payees and where the batch starts.
    std::vector<EFilePayee> batch_;
    std::size_t batchStart_ = 0;
    uint64_t voidLeftOut_ = 0;
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

RunEntry Gathering::entryOf(FMResultSet& rs) {
    RunEntry e{rs.intForColumn("pk"), rs.intForColumn("company_FK"), rs.intForColumn("type"), false,
               companyrows::flag(rs, "void"), true};
    // An address outside the United States has a province, not a state: no code.
    if (companyrows::flag(rs, "addressIsNotUSTerritory")) return e;
    const std::string state = companyrows::nameText(rs, "state");
    auto known = combinedStates_.find(state);
    if (known == combinedStates_.end())
        known = combinedStates_.emplace(state, !Utils::getStateCode(state, true).empty()).first;
    e.combinedCode = known->second;
    return e;
}

bool Gathering::readRun(const std::vector<int32_t>& selected, int32_t direction,
                        const std::vector<int32_t>& payers) {
    const char* columns = "select pk, company_FK, type, state, addressIsNotUSTerritory, void from recipients where ";
    if (selected.empty()) {
        // The rows and order of the recipient list of the selected payers, with nothing
        // chosen by name, kind or status.
        const std::string pattern = companyrows::namePattern("");
        std::vector<FMValue> args{pattern, pattern};
        const std::string companies = companyrows::companyClause("company_FK", payers, args);
        const std::string dir = companyrows::directionWord(direction);
        const std::string sql = std::string(columns) + "((lastName like ?) or (firstName like ?)) and " +
                                companies + " ORDER BY pk COLLATE NOCASE  " + dir +
                                ", firstName COLLATE NOCASE " + dir + ";";
        if (!query(sql, args, [&](FMResultSet& rs) { run_.push_back(entryOf(rs)); }))
            return fail("The recipients could not be read");
        return true;
    }

    // The selection in its order; a key without a row keeps no payer. Rows are matched to
    // their places through the keys in ascending order.
    run_.reserve(selected.size());
    std::vector<std::pair<int32_t, uint32_t>> places;  // key, place in the selection
    places.reserve(selected.size());
    for (std::size_t i = 0; i < selected.size(); ++i) {
        run_.push_back(RunEntry{selected[i], -1, 0, false, false, false});
        places.emplace_back(selected[i], static_cast<uint32_t>(i));
    }
    std::sort(places.begin(), places.end());
    auto place = [&](FMResultSet& rs) {
        const RunEntry e = entryOf(rs);
        auto range = std::equal_range(places.begin(), places.end(), std::make_pair(e.key, uint32_t(0)),
                                      [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto it = range.first; it != range.second; ++it) run_[it->second] = e;
    };

    if (selected.size() > kLookUpAtMost) {
        // Only the selected payers' recipients are filed; the others need no more than
        // their key, for their completion mark.
        std::vector<FMValue> args;
        const std::string companies = companyrows::companyClause("company_FK", payers, args);
        if (!query(std::string(columns) + companies + ";", args, place))
            return fail("The selected recipients could not be read");
        return true;
    }
    for (std::size_t from = 0; from < places.size();) {
        std::vector<FMValue> args;
        for (; from < places.size() && args.size() < kBatch; ++from)
            if (args.empty() || places[from].first != places[from - 1].first) args.emplace_back(places[from].first);
        if (!query(std::string(columns) + "pk in " + markList(args.size()) + ";", args, place))
            return fail("The selected recipients could not be read");
    }
    return true;
}

bool Gathering::readPayers(const std::vector<int32_t>& keys) {
    for (int32_t key : keys) {
        payers_.push_back(cdb_.getCompanyInfo1(key));
        if (payers_.back().getPK() >= 0)
            groups_[key];
        else if (db_.hadError())
            return fail("The payers could not be read");
    }
    for (std::size_t i = 0; i < run_.size(); ++i) {
        const auto payer = groups_.find(run_[i].payer);
        const int slot = kindSlot(run_[i].kind);
        if (payer == groups_.end() || slot < 0) continue;
        // A void form is left out: filed, it would count twice with its replacement.
        if (run_[i].voided)
            ++voidLeftOut_;
        else
            payer->second[static_cast<std::size_t>(slot)].push_back(i);
    }
    return true;
}

uint64_t Gathering::payeeCount() const {
    uint64_t count = 0;
    for (const auto& payer : payers_) {
        const auto found = groups_.find(payer.getPK());
        if (payer.getPK() < 0 || found == groups_.end()) continue;
        for (const auto& kind : found->second) count += kind.size();
    }
    return count;
}

// Reads the payees of group[from ...] (one batch) into batch_, in group order.
bool Gathering::readBatch(const std::vector<std::size_t>& group, std::size_t from) {
    const std::size_t count = std::min(kBatch, group.size() - from);
    std::vector<FMValue> args;
    std::unordered_map<int32_t, std::size_t> slot;  // key -> first place in the batch
    for (std::size_t i = 0; i < count; ++i) {
        const int32_t key = run_[group[from + i]].key;
        args.emplace_back(key);
        slot.emplace(key, i);
    }
    batch_.assign(count, EFilePayee());
    batchStart_ = from;
    std::vector<bool> found(count, false);
    const std::string in = "pk in " + markList(count) + ";";
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
        const std::size_t first = slot.at(run_[group[from + i]].key);
        if (first != i) {
            batch_[i] = batch_[first];
            found[i] = found[first];
        }
        if (!found[i]) {
            failure_ = "Recipient " + std::to_string(run_[group[from + i]].key) + " could not be read.";
            return false;
        }
    }
    return true;
}

EFile::Groups Gathering::groups() {
    return [this, payer = std::size_t(0), kind = std::size_t(0)](EFileGroup& group) mutable {
        if (!failure_.empty()) return false;
        for (; payer < payers_.size(); ++payer, kind = 0) {
            const ComapnyInfo& record = payers_[payer];
            const auto found = groups_.find(record.getPK());
            if (record.getPK() < 0 || found == groups_.end()) continue;
            for (; kind < kKinds.size(); ++kind) {
                const std::vector<std::size_t>& members = found->second[kind];
                if (members.empty()) continue;
                group.payer = record;
                group.kind = kKinds[kind];
                group.anyCombinedCode = false;
                for (std::size_t i : members) group.anyCombinedCode = group.anyCombinedCode || run_[i].combinedCode;
                batch_.clear();
                batchStart_ = 0;
                group.nextPayee = [this, &members, next = std::size_t(0)]() mutable -> const EFilePayee* {
                    if (next >= members.size() || !failure_.empty()) return nullptr;
                    if (next == batchStart_ + batch_.size() || batch_.empty()) {
                        if (!readBatch(members, next)) return nullptr;
                    }
                    return &batch_[next++ - batchStart_];
                };
                ++kind;
                return true;
            }
        }
        return false;
    };
}

// A void recipient is not marked, also where the run did not read its row (a large
// selection's recipients of other payers); a NULL void is not void. The rows the run
// read are known not void in this transaction and need no test. The test looks at the
// marked row itself (or its recipient by key), never at the whole table, which would
// make each batch's statement cost as much as the file.
bool Gathering::mark(const std::string& table, const std::vector<FMValue>& keys, bool knownNotVoid) {
    if (keys.empty()) return true;
    std::string sql = "update " + table + " set completed = 1 where pk in " + markList(keys.size()) +
                      " and (completed is null or completed <> 1)";
    if (!knownNotVoid)
        sql += table == "recipients" ? " and ifnull(void > 0, 0) = 0"
                                     : " and not exists (select 1 from recipients r"
                                       " where r.pk = recipients_additionalinfo.pk and r.void > 0)";
    if (!db_.executeUpdate(sql + ";", keys)) return fail("The recipients could not be marked completed");
    return true;
}

bool Gathering::markRun() {
    // Each key once, with whether the run read its row.
    std::vector<std::pair<int32_t, bool>> keys;
    keys.reserve(run_.size());
    for (const RunEntry& e : run_)
        if (!e.read || !e.voided) keys.emplace_back(e.key, e.read);
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    // One pass over each table in ascending key order: each page is visited once, and the
    // pages marked can leave the run's small cache without being needed again.
    for (const std::string table : {"recipients", "recipients_additionalinfo"}) {
        for (std::size_t from = 0; from < keys.size(); from += kBatch) {
            std::vector<FMValue> known, unknown;
            for (std::size_t i = from; i < std::min(keys.size(), from + kBatch); ++i)
                (keys[i].second ? known : unknown).emplace_back(keys[i].first);
            if (!mark(table, known, true) || !mark(table, unknown, false)) return false;
        }
    }
    return true;
}

}  // namespace

EFileResult EFile::Populate(const E_FileInfo& transmitter, const std::string& outputPath) {
    Session& s = session();
    CompanyDatabase* cdb = s.DBH ? s.DBH->companyDatabase().get() : nullptr;
    if (!cdb || !cdb->db || !cdb->IsReady())
        return failed(EFileResult::Failure::database, "No company database is open.");

    const std::vector<int32_t> payers = s.comp_details ? s.comp_details->selectedCompanies() : std::vector<int32_t>{};
    const std::vector<int32_t> noneSelected;
    const std::vector<int32_t>& selected = s.recp_details ? s.recp_details->selectedRecipients() : noneSelected;
    numPayers_ = static_cast<int32_t>(payers.size());

    Gathering gathering(*cdb);
    return efilerun::toFile(*cdb->db, outputPath, !payers.empty(),
                            {[&] {
                                 return gathering.readRun(selected, RecSort_, payers) && gathering.readPayers(payers);
                             },
                             [&](const Output& output) {
                                 EFileResult result =
                                     write(transmitter, gathering.payeeCount(), gathering.groups(), output);
                                 result.voidLeftOut = gathering.voidLeftOut();
                                 // A file whose recipients are all void is not offered.
                                 if (result.ok() && result.payees == 0 && result.voidLeftOut > 0) {
                                     result.failure = EFileResult::Failure::empty;
                                     result.message = "No E-File was created: every selected recipient is void. " +
                                                      voidLeftOutText(result.voidLeftOut, "E-File") + " " +
                                                      kTakeBackFiledReturn;
                                 }
                                 return result;
                             },
                             // With no payer selected the run marks nothing.
                             [&] { return gathering.markRun(); }, [&] { return gathering.failure(); }});
}
