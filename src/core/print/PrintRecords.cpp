#include "core/print/PrintRecords.h"

#include <map>

#include "core/foundation/Session.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace printrecords {

CompanyDatabase* openDatabase() {
    const auto& holder = session().DBH;
    CompanyDatabase* db = holder ? holder->companyDatabase().get() : nullptr;
    return db && db->IsReady() ? db : nullptr;
}

bool readRecipients(CompanyDatabase& db, const std::vector<int32_t>& keys, std::vector<RecipientInfo>& recipients,
                    std::vector<ComapnyInfo>& payers, std::vector<RecipientAdditionalInfo>& additional,
                    const StopAt& stop) {
    std::map<int32_t, ComapnyInfo> payerOf;
    std::size_t read = 0;
    for (const int32_t key : keys) {
        if (stop && stop(read)) return false;
        ++read;
        RecipientInfo r = db.getRecipientInfo(key);
        if (r.getPK() < 0) continue;  // deleted since it was selected
        auto found = payerOf.find(r.getCompany_FK());
        if (found == payerOf.end())
            found = payerOf.emplace(r.getCompany_FK(), db.getCompanyInfo1(r.getCompany_FK())).first;
        payers.push_back(found->second);
        additional.push_back(db.getRecipientAdditionalInfo(key));
        recipients.push_back(std::move(r));
    }
    return !(stop && stop(read));
}

void markPrinted(CompanyDatabase& db, const std::vector<RecipientInfo>& recipients,
                 const std::vector<RecipientAdditionalInfo>& additional, int32_t kind, bool completed) {
    if (recipients.empty()) return;
    const bool stored = companyrows::write(db, "Unable to update recipient info. ", [&] {
        for (std::size_t i = 0; i < recipients.size(); ++i) {
            RecipientInfo r = recipients[i];
            r.setPrinted(true);
            if (completed) r.setCompleted(true);
            if (!db.updateRecipientInfo(r)) return false;
            // A recipient kept without additional data has no such row to mark.
            if (i >= additional.size() || additional[i].getPK() < 0) continue;
            RecipientAdditionalInfo more = additional[i];
            more.setPrinted(true);
            if (completed) more.setCompleted(true);
            more.setPK(r.getPK());
            more.setType(kind);
            if (!db.updateAdditionalRecipientInfo(more)) return false;
        }
        return true;
    });
    (void)stored;  // a failure has been reported; the sheets print all the same
}

}  // namespace printrecords
