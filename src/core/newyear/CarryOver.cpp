#include "core/newyear/CarryOver.h"

#include <string>
#include <unordered_map>
#include <utility>

#include "core/foundation/FormKind.h"
#include "core/foundation/TinType.h"
#include "core/foundation/Utils.h"
#include "core/store/DuplicateTaxID.h"

namespace newyear {

namespace {

bool hasOtherMiscAmounts(const RecipientInfo& r) {
    const std::string* amounts[] = {
        &r.getLine1_Misc(),    &r.getLine2_Misc(),    &r.getLine3_Misc(),    &r.getLine4_Misc(),
        &r.getLine5_Misc(),    &r.getLine6_Misc(),    &r.getLine7_Misc(),    &r.getLine8_Misc(),
        &r.getLine10_Misc(),   &r.getLine11_Misc(),   &r.getLine12_Misc(),   &r.getLine14_Misc(),
        &r.getLine15a_Misc(),  &r.getLine15b_Misc(),  &r.getLine16_1_Misc(), &r.getLine16_2_Misc(),
        &r.getLine17_1_Misc(), &r.getLine17_2_Misc(), &r.getLine18_1_Misc(), &r.getLine18_2_Misc()};
    for (const std::string* amount : amounts)
        if (!Utils::isZeroOrEmpty(*amount)) return true;
    return false;
}

}  // namespace

CarriedRecipients carryRecipients(std::vector<RecipientInfo> recipients,
                                  std::vector<RecipientAdditionalInfo> priorAdditional) {
    std::unordered_map<int32_t, RecipientAdditionalInfo*> priorOfKey;
    priorOfKey.reserve(priorAdditional.size());
    for (auto& row : priorAdditional) priorOfKey.emplace(row.getPK(), &row);

    CarriedRecipients carried;
    carried.info.reserve(recipients.size());
    carried.additional.reserve(recipients.size());
    for (RecipientInfo& r : recipients) {
        const auto found = priorOfKey.find(r.getPK());
        RecipientAdditionalInfo* priorRow = found != priorOfKey.end() ? found->second : nullptr;
        const bool entered = priorRow && !priorRow->getname_type().empty();
        r.setCompany_FK(0);
        // Last year's row comes along whole, boxes included; its names only when they
        // were entered there, else they are derived below.
        // A key has one row: it is taken over whole.
        RecipientAdditionalInfo a = priorRow ? std::move(*priorRow) : RecipientAdditionalInfo();
        a.setCompany_FK(0);
        a.setPK(r.getPK());
        a.setType(r.getType());
        a.setVoided(false);
        a.setCorrected(false);
        a.setValidated(false);
        a.setPrinted(false);
        a.setCompleted(false);
        if (!entered) {
            a.setmiddleName("");
            a.setlastname("");
            if (r.getFirstName().empty()) {
                a.setname_typee("Business Name");
            } else {
                a.setname_typee("Individual");
                a.setlastname(r.getLastName());
                const std::string first = r.getFirstName();
                const std::size_t blank = first.find(' ');
                if (blank != std::string::npos) {
                    r.setFirstName(first.substr(0, blank));
                    a.setmiddleName(first.substr(blank + 1));
                }
                r.setLastName("");
            }
            // The number as written tells the type; without dashes the name type does.
            a.settin_type(tintype::ofRecipient(r.getTaxID(), a.getname_type() == "Business Name"));
        }
        carried.info.push_back(std::move(r));
        carried.additional.push_back(std::move(a));
    }
    return carried;
}

void clearAdditionalAmounts(CarriedRecipients& recipients) {
    for (RecipientAdditionalInfo& a : recipients.additional) {
        // A row made afresh has every box empty; what identifies the recipient is put back.
        RecipientAdditionalInfo cleared;
        cleared.setPK(a.getPK());
        cleared.setCompany_FK(a.getCompany_FK());
        cleared.setType(a.getType());
        cleared.settin_type(a.gettin_type());
        cleared.setname_typee(a.getname_type());
        cleared.setsuffix(a.getsuffix());
        cleared.setmiddleName(a.getmiddleName());
        cleared.setlastname(a.getlastname());
        cleared.setaddline2(a.getaddline2());
        cleared.setOfficecode(a.getOfficecode());
        a = std::move(cleared);
    }
    for (RecipientInfo& r : recipients.info) r.setLine3_NEC("");
}

Line13Facts line13Facts(const RecipientInfo& r) {
    Line13Facts f;
    f.type = r.getType();
    if (f.type == FormKind::kMisc) {
        f.line13 = r.getLine13_Misc();
        if (!f.line13.empty()) f.otherMiscAmounts = hasOtherMiscAmounts(r);
    }
    if (f.type == FormKind::kNec || !f.line13.empty()) f.number = withoutDashes(r.getTaxID());
    return f;
}

Line13Plan planMiscLine13(const std::vector<Line13Facts>& facts) {
    // The 1099-NEC of each number, the first of them in order; built once.
    std::unordered_map<std::string, std::size_t> necOfNumber;
    for (std::size_t i = 0; i < facts.size(); ++i)
        if (facts[i].type == FormKind::kNec && !facts[i].number.empty()) necOfNumber.emplace(facts[i].number, i);

    Line13Plan plan;
    plan.removed.assign(facts.size(), false);
    for (std::size_t i = 0; i < facts.size(); ++i) {
        const Line13Facts& m = facts[i];
        if (m.type != FormKind::kMisc || m.line13.empty()) continue;
        const auto found = m.number.empty() ? necOfNumber.end() : necOfNumber.find(m.number);
        if (found != necOfNumber.end()) plan.necLine3[found->second] = m.line13;
        else plan.newNec.emplace_back(i, m.line13);
        // The amount is reported once, on the 1099-NEC.
        plan.removed[i] = !m.otherMiscAmounts;
    }
    return plan;
}

void applyLine13(const Line13Plan& plan, std::size_t position, RecipientInfo& r) {
    if (const auto nec = plan.necLine3.find(position); nec != plan.necLine3.end()) r.setLine3_NEC(nec->second);
    if (r.getType() == FormKind::kMisc && !r.getLine13_Misc().empty()) r.setLine13_Misc("");
}

std::pair<RecipientInfo, RecipientAdditionalInfo> necForMiscLine13(const RecipientInfo& m,
                                                                  const RecipientAdditionalInfo& ma,
                                                                  const std::string& amount) {
    RecipientAdditionalInfo na;
    na.setCompany_FK(0);
    na.setType(FormKind::kNec);
    na.setname_typee(ma.getname_type());
    na.settin_type(ma.gettin_type());
    na.setsuffix(ma.getsuffix());
    na.setlastname(ma.getlastname());
    na.setmiddleName(ma.getmiddleName());
    na.setaddline2(ma.getaddline2());
    na.setOfficecode(ma.getOfficecode());
    RecipientInfo n;
    n.setType(FormKind::kNec);
    n.setCompany_FK(0);
    n.setFirstName(m.getFirstName());
    n.setLastName(m.getLastName());
    n.setAddress(m.getAddress());
    n.setCity(m.getCity());
    n.setState(m.getState());
    n.setZip(m.getZip());
    n.setCountry(m.getCountry());
    n.setTaxID(m.getTaxID());
    n.setAddressIsNotUSTerritory(m.getAddressIsNotUSTerritory());
    n.setAccountNumber(m.getAccountNumber());
    n.setSecondTin(m.getSecondTin());
    n.setLine3_NEC(amount);
    return {std::move(n), std::move(na)};
}

}  // namespace newyear
