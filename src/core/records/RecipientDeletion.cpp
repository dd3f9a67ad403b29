#include "core/records/RecipientDeletion.h"

#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/RecipientInfo.h"

namespace records {

bool deleteRecipients(CompanyDatabase& cdb, const std::vector<int32_t>& keys) {
    if (keys.empty()) return true;
    // Each deletion joins this write; one that fails undoes every one before it.
    return companyrows::write(cdb, "Unable to delete recipient info. ", [&] {
        RecipientInfo record;
        for (int32_t key : keys) {
            record.setPK(key);
            if (!cdb.deleteRecipient(record)) return false;
        }
        return true;
    });
}

}  // namespace records
