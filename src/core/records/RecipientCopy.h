#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

class CompanyDatabase;
class databaseInfo;

// Copying a recipient's identity to another form kind, in the open company database or
// in another listed one. The copy goes to the target's payer of key 0 as a new recipient
// with no amounts, not validated, not printed, not completed, not void, not corrected.
namespace records {

// The payer that receives every copy.
inline constexpr int32_t kCopyTargetPayer = 0;

struct CopiedRecipient {
    RecipientInfo info;
    RecipientAdditionalInfo additional;
};

// The new records of a copy of the source recipient as a recipient of `kind` under the
// payer of key 0: its name, address, taxpayer and account numbers, foreign-address and
// second-notice flags, and its FATCA flag carried from the source's form kind to the
// target's (1099-S has none); from the additional record the name and taxpayer-number
// types, name parts, second address line and office code, and the source recipient's
// validated flag.
CopiedRecipient copiedRecipient(const RecipientInfo& source, const RecipientAdditionalInfo& sourceAdditional,
                                int32_t kind);

enum class CopyResult {
    Copied,            // stored in the target
    SourceMissing,     // the source recipient has no row: nothing was done
    TargetUnknown,     // no listed database has the chosen name
    TargetMissing,     // the chosen database's file is not there (it is not made)
    TargetNotOpened,   // the target file could not be opened; the store has told the user
    NoPayer,           // the target has no payer of key 0
    Duplicate,         // that payer has a recipient of the kind with the same taxpayer number
    ListUnreadable,    // that payer's recipients could not be read in full: nothing was stored
    NotStored,         // the insert failed; the store has told the user
};

struct CopyOutcome {
    CopyResult result = CopyResult::SourceMissing;
    std::string targetPath;   // the file copied into (the open file for the open database)
    std::string targetName;   // the name of that database
    std::string targetPayer;  // the name of the payer that received the copy
};

// Copies the recipient of sourceKey of the open database `open` as a recipient of
// `kind`. The target is the database named targetName: the open one when the name is
// the open database's name (or the listed file is the open file), which is then written
// on its own connection; otherwise the last entry of `databases` with that name, opened
// for the copy and closed again whatever happens. Taxpayer numbers are compared
// without dashes and an empty one matches nothing; a list that cannot be read in full
// could hide the duplicate, so nothing is copied then. Both records are stored under
// one new key, together or not at all.
CopyOutcome copyRecipient(CompanyDatabase& open, int32_t sourceKey, int32_t kind, const std::string& targetName,
                          const std::vector<databaseInfo>& databases);

}  // namespace records
