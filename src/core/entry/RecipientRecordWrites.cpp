#include "core/entry/RecipientRecordWrites.h"

#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace entry {

bool updateRecipientRecords(CompanyDatabase& cdb, const RecipientInfo& info,
                            const RecipientAdditionalInfo& additional) {
    // The two updates join this write, which alone commits and reports.
    return companyrows::write(cdb, "Unable to update recipient info. ", [&] {
        return cdb.updateRecipientInfo(info) && cdb.updateAdditionalRecipientInfo(additional);
    });
}

}  // namespace entry
