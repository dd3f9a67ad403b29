#include "core/checks/ValidationList.h"

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "core/foundation/FormKind.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/Recipient.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "core/store/RecipientName.h"

namespace {

// Keys per statement: a selection of thousands of recipients is read in a few
// statements rather than one statement per key.
constexpr size_t kKeysPerRead = 500;

// The rows of the given keys of one table, by key. Keys without a row are simply not
// in the result. On a read failure the user is told once, naming the file and SQLite's
// reason, and false is returned.
template <class Row>
bool readByKeys(CompanyDatabase& db, const std::string& table, const std::vector<int32_t>& keys,
                const std::function<void(Row&, FMResultSet&)>& fill, std::unordered_map<int32_t, Row>& rows) {
    std::vector<int32_t> distinct;
    distinct.reserve(keys.size());
    {
        std::unordered_set<int32_t> seen;
        seen.reserve(keys.size());
        for (int32_t key : keys)
            if (seen.insert(key).second) distinct.push_back(key);
    }
    rows.reserve(distinct.size());
    for (size_t first = 0; first < distinct.size(); first += kKeysPerRead) {
        const size_t count = std::min(kKeysPerRead, distinct.size() - first);
        const std::string sql = "select * from " + table + " where pk in " + companyrows::markList(count) + ";";
        std::vector<FMValue> args;
        args.reserve(count);
        for (size_t i = 0; i < count; ++i) args.emplace_back(distinct[first + i]);
        std::string failure;
        if (auto rs = db.db->executeQuery(sql, args)) {
            FMError error;
            while (rs->nextWithError(&error)) {
                Row row;
                fill(row, *rs);
                const int32_t key = rs->intForColumn("pk");
                rows.insert_or_assign(key, std::move(row));
            }
            if (error.code != 0) failure = error.description;
        } else {
            failure = db.db->lastErrorMessage();
        }
        if (!failure.empty()) {
            db.DatabaseError(-1,
                             "Unable to check the selected records of the company database \"" + db.GetPath() +
                                 "\".",
                             failure + "\n\nIf the file is damaged, restore it from a backup.", true, true);
            return false;
        }
    }
    return true;
}

// The first numberSelections keys of the payer holder, never more than it holds.
std::vector<int32_t> selectedPayerKeys(const Company& companies, int64_t numberSelections) {
    const std::vector<int32_t>& keys = companies.selectedCompanies();
    const size_t count = static_cast<size_t>(std::clamp<int64_t>(numberSelections, 0,
                                                                 static_cast<int64_t>(keys.size())));
    return {keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(count)};
}

// "COMPANIES WITH ERRORS:" and the failing payers' names, in the holder's order.
bool addPayerLines(CompanyDatabase& db, const Company& companies, int64_t numberSelections,
                   std::vector<std::string>& lines) {
    const std::vector<int32_t> keys = selectedPayerKeys(companies, numberSelections);
    std::unordered_map<int32_t, ComapnyInfo> payers;
    const bool read = readByKeys<ComapnyInfo>(
        db, "companies", keys,
        [](ComapnyInfo& c, FMResultSet& rs) {
            c.setPK(rs.intForColumn("pk"));
            c.setName(companyrows::text(rs, "name"));
            c.setValidated(companyrows::flag(rs, "validated"));
        },
        payers);
    if (!read) return false;
    // A payer selected twice is still one payer to correct.
    std::unordered_set<int32_t> listed;
    for (int32_t key : keys) {
        const auto found = payers.find(key);
        if (found == payers.end() || found->second.getValidated() || !listed.insert(key).second) continue;
        if (listed.size() == 1) lines.emplace_back(kCompaniesWithErrors);
        lines.push_back(found->second.getName());
    }
    return true;
}

void addRecipientLine(std::vector<std::string>& lines, bool& headed, std::string line) {
    if (!headed) {
        lines.emplace_back(kRecipientsWithErrors);
        headed = true;
    }
    lines.push_back(std::move(line));
}

// The selected recipients' records and additional records, by key.
struct SelectedRecipients {
    std::unordered_map<int32_t, RecipientInfo> records;
    std::unordered_map<int32_t, RecipientAdditionalInfo> additional;
};

bool readRecipients(CompanyDatabase& db, const std::vector<int32_t>& keys, SelectedRecipients& into) {
    return readByKeys<RecipientInfo>(
               db, "recipients", keys, [&db](RecipientInfo& r, FMResultSet& rs) { db.FillRecipient(r, rs); },
               into.records) &&
           readByKeys<RecipientAdditionalInfo>(
               db, "recipients_additionalinfo", keys,
               [&db](RecipientAdditionalInfo& a, FMResultSet& rs) { db.FillRecipientadditonalfields(a, rs); },
               into.additional);
}

// A failing recipient as the user knows it (recipientListName), then its tag.
std::string recipientLine(const SelectedRecipients& selected, int32_t key, const RecipientInfo& r) {
    static const RecipientAdditionalInfo none;
    const auto extra = selected.additional.find(key);
    const RecipientAdditionalInfo& a = extra == selected.additional.end() ? none : extra->second;
    return "  " + recipientListName(r, a) + formKindTag(r.getType());
}

}  // namespace

std::string formKindTag(int32_t kind) {
    const std::string word = FormKind::shortName(kind);
    return word.empty() ? word : " (" + word + ")";
}

ValidationList checkSelectedForErrors(CompanyDatabase& db, const Company& companies, int64_t numberSelections,
                                      const Recipient& recipients) {
    ValidationList list;
    const std::vector<int32_t>& keys = recipients.selectedRecipients();
    SelectedRecipients selected;
    if (!readRecipients(db, keys, selected) || !addPayerLines(db, companies, numberSelections, list.lines)) {
        list.complete = false;
        return list;
    }
    bool headed = false;
    for (int32_t key : keys) {
        const auto found = selected.records.find(key);
        if (found == selected.records.end() || found->second.getValidated()) continue;
        addRecipientLine(list.lines, headed, recipientLine(selected, key, found->second));
    }
    return list;
}

EFileValidationList checkEFileSelection(CompanyDatabase& db, const Company& companies, int64_t numberSelections,
                                        const Recipient& recipients) {
    EFileValidationList list;
    const std::vector<int32_t>& keys = recipients.selectedRecipients();
    SelectedRecipients selected;
    if (!readRecipients(db, keys, selected) || !addPayerLines(db, companies, numberSelections, list.lines)) {
        list.complete = false;
        return list;
    }

    bool headed = false;
    bool anyCorrection = false;
    bool anyOriginal = false;
    for (int32_t key : keys) {
        const auto found = selected.records.find(key);
        if (found == selected.records.end()) continue;
        const RecipientInfo& r = found->second;
        if (r.getVoided() || r.getCorrected())
            anyCorrection = true;
        else
            anyOriginal = true;
        if (r.getValidated()) continue;
        addRecipientLine(list.lines, headed, recipientLine(selected, key, r));
    }
    list.mixesCorrections = anyCorrection && anyOriginal;
    return list;
}

std::string filingTypeFor(const ComapnyInfo& payer, int32_t kind) {
    switch (kind) {
    case 1: return payer.getmisctype();
    case 2: return payer.getdivtype();
    case 3: return payer.getinttype();
    case 4: return payer.getrtype();
    case 5: return payer.getstype();
    case FormKind::kNec: return payer.getnectype();
    default: return "";
    }
}

std::string selectionFilingType(CompanyDatabase& db, const Recipient& recipients) {
    const std::vector<int32_t>& keys = recipients.selectedRecipients();
    if (keys.empty()) return "";
    const RecipientInfo first = db.getRecipientInfo(keys.front());
    if (first.getPK() < 0) return "";
    const ComapnyInfo payer = db.getCompanyInfo1(0);
    if (payer.getPK() < 0) return "";
    return filingTypeFor(payer, first.getType());
}
