#include "core/records/RecipientCopy.h"

#include "core/foundation/FormKind.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DuplicateTaxID.h"
#include "core/store/RecipientListCount.h"
#include "platform/FileSystem.h"

namespace records {

namespace {

// The FATCA flag of a form kind; 1099-S and unknown kinds have none.
bool fatcaOf(const RecipientInfo& r, int32_t kind) {
    switch (kind) {
        case 1: return r.getFATCA_MISC();
        case 2: return r.getFATCA_DIV();
        case 3: return r.getFATCA_INT();
        case 4: return r.getFATCA_R();
        case FormKind::kNec: return r.getFATCA_NEC();
        default: return false;
    }
}

void setFatca(RecipientInfo& r, int32_t kind, bool on) {
    switch (kind) {
        case 1: r.setFATCA_MISC(on); break;
        case 2: r.setFATCA_DIV(on); break;
        case 3: r.setFATCA_INT(on); break;
        case 4: r.setFATCA_R(on); break;
        case FormKind::kNec: r.setFATCA_NEC(on); break;
        default: break;
    }
}

CopyResult copyInto(CompanyDatabase& target, CopiedRecipient& copy, CopyOutcome& outcome) {
    const ComapnyInfo payer = target.getCompanyInfo1(kCopyTargetPayer);
    if (payer.getPK() < 0) return CopyResult::NoPayer;
    outcome.targetPayer = payer.getName();
    // A list read only in part could hide the duplicate, so nothing is stored on it.
    const auto stored = target.getRecipientTaxIDsInFull(kCopyTargetPayer, copy.info.getType());
    if (!stored) return CopyResult::ListUnreadable;
    if (isDuplicateTaxID(copy.info, *stored)) return CopyResult::Duplicate;
    return target.insertRecipientInfo(copy.info, copy.additional) ? CopyResult::Copied : CopyResult::NotStored;
}

}  // namespace

CopiedRecipient copiedRecipient(const RecipientInfo& source, const RecipientAdditionalInfo& sourceAdditional,
                                int32_t kind) {
    CopiedRecipient copy;
    RecipientInfo& r = copy.info;
    r.setType(kind);
    r.setCompany_FK(kCopyTargetPayer);
    r.setLastName(source.getLastName());
    r.setFirstName(source.getFirstName());
    r.setAddress(source.getAddress());
    r.setCity(source.getCity());
    r.setState(source.getState());
    r.setZip(source.getZip());
    r.setCountry(source.getCountry());
    r.setTaxID(source.getTaxID());
    r.setAddressIsNotUSTerritory(source.getAddressIsNotUSTerritory());
    r.setAccountNumber(source.getAccountNumber());
    r.setSecondTin(source.getSecondTin());
    setFatca(r, kind, fatcaOf(source, source.getType()));

    RecipientAdditionalInfo& a = copy.additional;
    a.setType(kind);
    a.setCompany_FK(kCopyTargetPayer);
    a.setValidated(source.getValidated());
    a.settin_type(sourceAdditional.gettin_type());
    a.setsuffix(sourceAdditional.getsuffix());
    a.setmiddleName(sourceAdditional.getmiddleName());
    a.setlastname(sourceAdditional.getlastname());
    a.setaddline2(sourceAdditional.getaddline2());
    a.setOfficecode(sourceAdditional.getOfficecode());
    a.setname_typee(sourceAdditional.getname_type());
    return copy;
}

CopyOutcome copyRecipient(CompanyDatabase& open, int32_t sourceKey, int32_t kind, const std::string& targetName,
                          const std::vector<databaseInfo>& databases) {
    CopyOutcome outcome;
    const RecipientInfo source = open.getRecipientInfo(sourceKey);
    if (source.getPK() < 0) return outcome;
    CopiedRecipient copy = copiedRecipient(source, open.getRecipientAdditionalInfo(sourceKey), kind);

    const std::string openPath = open.GetPath();
    const databaseInfo* chosen = nullptr;
    for (const databaseInfo& entry : databases)
        if (entry.name() == targetName) chosen = &entry;   // of equal names the last one

    // The open file is written on its own connection: opening it a second time would
    // clear its in-use mark when that connection closes.
    if (targetName == open.GetName() || (chosen && chosen->path() == openPath)) {
        outcome.targetPath = openPath;
        outcome.targetName = open.GetName();
        RecipientsAddedToOnePayer added(open);
        outcome.result = copyInto(open, copy, outcome);
        if (outcome.result == CopyResult::Copied) added.stored(kCopyTargetPayer);
        return outcome;
    }
    if (!chosen) {
        outcome.result = CopyResult::TargetUnknown;
        return outcome;
    }
    outcome.targetPath = chosen->path();
    outcome.targetName = chosen->name();
    // Opening a missing file would make an empty database in its place.
    if (!platform::fileExists(chosen->path())) {
        outcome.result = CopyResult::TargetMissing;
        return outcome;
    }
    // A second connection, closed with its in-use mark cleared however the copy ends.
    CompanyDatabase target;
    if (!target.Init(chosen->path(), true, true, true, chosen->name())) {
        outcome.result = CopyResult::TargetNotOpened;
        return outcome;
    }
    outcome.result = copyInto(target, copy, outcome);
    return outcome;
}

}  // namespace records
