#pragma once

class CompanyDatabase;
class RecipientInfo;
class RecipientAdditionalInfo;

namespace entry {

// Rewrites both records of a stored recipient as one write: both rows are stored or
// neither. A failure, a recipient deleted meanwhile included, is reported once
// through the store's error routine ("Unable to update recipient info. ").
bool updateRecipientRecords(CompanyDatabase& cdb, const RecipientInfo& info,
                            const RecipientAdditionalInfo& additional);

}  // namespace entry
