#include "core/efile/IrisExport.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "core/foundation/JobMeter.h"
#include "core/foundation/TinType.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/RecipientName.h"
#include "platform/AtomicFileWriter.h"
#include "platform/SystemLog.h"

namespace {

using companyrows::markList;

// Keys per statement when only the payer of each selected recipient is needed.
constexpr std::size_t kPayerBatch = 500;

// Both recipient tables of the given keys. The recipient row's columns come last, so
// that where both tables have a column of the same name (key, payer, kind, status
// flags) the row reads the recipient's; the additional columns are absent (empty) for
// a recipient without additional data.
std::string joinedSelect(std::size_t count) {
    return "select a.*, r.* from recipients r left join recipients_additionalinfo a on a.pk = r.pk where r.pk in " +
           markList(count) + ";";
}

}  // namespace

IrisExport::IrisExport(CompanyDatabase& db, std::vector<int32_t> keys)
    : db_(db), cache_(*db.db), keys_(std::move(keys)) {}

bool IrisExport::fail(const std::string& what) {
    failure_ = what;
    platform::systemLog(failure_);
    return false;
}

std::optional<std::vector<int32_t>> IrisExport::payers() {
    std::vector<int32_t> found;
    std::unordered_set<int32_t> seen;
    // Which payer each key has, so the payers can be listed in selection order.
    std::unordered_map<int32_t, int32_t> payerOf;
    std::unordered_set<int32_t> voided;
    for (std::size_t from = 0; from < keys_.size(); from += kPayerBatch) {
        const std::size_t count = std::min(kPayerBatch, keys_.size() - from);
        std::vector<FMValue> args;
        args.reserve(count);
        for (std::size_t i = 0; i < count; ++i) args.emplace_back(keys_[from + i]);
        auto rs = db_.db->executeQuery(
            "select pk, company_FK, void from recipients where pk in " + markList(count) + ";", args);
        if (!rs) {
            fail("The selected recipients could not be read: " + db_.db->lastErrorMessage());
            return std::nullopt;
        }
        FMError error;
        while (rs->nextWithError(&error)) {
            payerOf[rs->intForColumnIndex(0)] = rs->intForColumnIndex(1);
            if (rs->intForColumnIndex(2) > 0) voided.insert(rs->intForColumnIndex(0));
        }
        if (error.code != 0) {
            fail("The selected recipients could not be read: " + error.description);
            return std::nullopt;
        }
    }
    const std::size_t selected = keys_.size();
    keys_.erase(std::remove_if(keys_.begin(), keys_.end(), [&](int32_t key) { return voided.count(key) > 0; }),
                keys_.end());
    voidLeftOut_ += selected - keys_.size();
    for (int32_t key : keys_) {
        const auto payer = payerOf.find(key);
        if (payer != payerOf.end() && seen.insert(payer->second).second) found.push_back(payer->second);
    }
    return found;
}

bool IrisExport::readFile(std::size_t file, std::vector<IrisRecipient>& recipients) {
    const auto [first, end] = IrisFile::recipientRange(keys_.size(), file);
    recipients.assign(end - first, IrisRecipient());
    if (first == end) return true;

    std::vector<FMValue> args;
    args.reserve(end - first);
    std::unordered_map<int32_t, std::size_t> place;   // key -> its first place in the file
    for (std::size_t i = first; i < end; ++i) {
        if (place.emplace(keys_[i], i - first).second) args.emplace_back(keys_[i]);
    }
    std::vector<bool> read(recipients.size(), false);

    auto rs = db_.db->executeQuery(joinedSelect(args.size()), args);
    if (!rs) return fail("The selected recipients could not be read: " + db_.db->lastErrorMessage());
    FMError error;
    while (rs->nextWithError(&error)) {
        const auto at = place.find(rs->intForColumn("pk"));
        if (at == place.end()) continue;
        IrisRecipient& r = recipients[at->second];
        db_.FillRecipient(r.recipient, *rs);
        db_.FillRecipientadditonalfields(r.additional, *rs);
        read[at->second] = true;
    }
    if (error.code != 0) return fail("The selected recipients could not be read: " + error.description);

    // A key selected twice is written twice, as selected.
    for (std::size_t i = 0; i < recipients.size(); ++i) {
        const std::size_t firstPlace = place.at(keys_[first + i]);
        if (firstPlace != i) {
            recipients[i] = recipients[firstPlace];
            read[i] = read[firstPlace];
        }
        if (!read[i])
            return fail("The recipient with key " + std::to_string(keys_[first + i]) +
                        " is no longer in the company database.");
    }
    return true;
}

std::optional<std::string> IrisExport::refusal(IrisFile& builder, int32_t kind, int32_t payerKey) {
    const ComapnyInfo payer = db_.getCompanyInfoIRIS(payerKey);
    if (payer.getPK() < 0) {
        fail("The payer could not be read from the company database.");
        return std::string();
    }
    // Nothing is written while the files are checked: Cancel is answered throughout.
    JobMeter meter("Export IRIS File", true);
    meter.step("Checking the recipients", static_cast<int64_t>(keys_.size()));
    cancelled_ = false;
    tinTypeMismatches_.clear();
    for (std::size_t file = 0; file < fileCount(); ++file) {
        if (meter.advance(static_cast<int64_t>(IrisFile::recipientRange(keys_.size(), file).first))) {
            cancelled_ = true;
            return std::string();
        }
        std::vector<IrisRecipient> recipients;
        if (!readFile(file, recipients)) return std::string();
        builder.build(kind, payer, recipients);
        if (!builder.refusal().empty()) return builder.refusal();
        for (const IrisRecipient& r : recipients) noteTinTypeMismatch(r);
    }
    if (meter.advance(static_cast<int64_t>(keys_.size()))) {
        cancelled_ = true;
        return std::string();
    }
    return std::nullopt;
}

void IrisExport::noteTinTypeMismatch(const IrisRecipient& r) {
    const std::string& number = r.recipient.getTaxID();
    const std::string type = IrisFile::tinTypeColumn(r.additional.gettin_type());
    const auto name = [&r] { return recipientListName(r.recipient, r.additional); };
    if (!type.empty() && tintype::title(type).empty()) {
        tinTypeMismatches_.push_back("Recipient TIN Type of " + name() + ": \"" + type +
                                     "\" is none of SSN, EIN, ATIN, ITIN, QI-EIN and UND."
                                     " Choose the TIN type in the recipient's window.");
        return;
    }
    if (!tintype::contradicts(number, type)) return;
    const std::string shown = tintype::ofDashedNumber(number);
    tinTypeMismatches_.push_back("Recipient TIN Type of " + name() + ": " +
                                 (type.empty() ? std::string("SSN") : type) + " does not fit the taxpayer ID number " +
                                 number + ", which is written as an " + shown +
                                 (shown == "EIN" ? " (XX-XXXXXXX)." : " (XXX-XX-XXXX).") +
                                 " Choose the TIN type in the recipient's window.");
}

std::string IrisExport::save(const std::string& path, std::string_view bytes) {
    platform::AtomicFileWriter out(path);
    if (out.ok() && out.write(bytes) && out.commit()) return std::string();
    return out.error();
}
