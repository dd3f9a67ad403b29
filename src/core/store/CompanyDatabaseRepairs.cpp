// Repairs of stored values that steps of the upgrade chain run, and the clearing of
// status flags that the new year also uses.

#include "core/foundation/FormKind.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/Utils.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyRowAccess.h"
#include "core/store/E_FileInfo.h"
#include "core/store/RecipientInfo.h"

using namespace companyrows;

namespace {

// Brings a stored state to the form of the state list ("ca", "California" and
// "California-CA" all become "California-CA"); an unknown state becomes "None" and an
// empty one stays empty.
std::string normalState(const std::string& value, const std::vector<std::string>& states) {
    if (value.empty()) return value;
    const std::string v = textscan::lower(value);
    for (size_t i = 1; i < states.size(); ++i) {
        const std::string entry = textscan::lower(states[i]);
        const auto hyphen = entry.find('-');
        const std::string code = hyphen == std::string::npos ? std::string() : entry.substr(hyphen + 1, 2);
        const std::string name = entry.size() >= 3 ? entry.substr(0, entry.size() - 3) : std::string();
        if (v == code || v == name || v == entry) return states[i];
    }
    return states.empty() ? std::string() : states.front();
}

// Repairs pass over what they cannot write: each write stands alone and reports nothing.
const char kRepairFailed[] = "Unable to repair stored state names.";

}  // namespace

void CompanyDatabase::StateName_Company() {
    const auto states = Utils::StateWithCode();
    for (const auto& listed : execCompanyListQuery("", 1)) {
        ComapnyInfo payer = getCompanyInfo1(listed.getPK());
        const std::string state = normalState(payer.getState(), states);
        write(*this, kRepairFailed,
              [&] { return db->executeUpdate("update companies set state = ? where pk = ?;", state, payer.getPK()); },
              false);
    }
}

namespace {

// The recipients of one form kind, payer by payer, in the payer list's order.
template <typename Repair>
void repairRecipients(CompanyDatabase& cdb, int32_t kind, Repair repair) {
    const auto states = Utils::StateWithCode();
    for (const auto& listed : cdb.execCompanyListQuery("", 1)) {
        for (auto& r : cdb.getRecipients(listed.getPK(), kind)) {
            // A foreign address keeps its state as stored.
            const std::string state =
                r.getAddressIsNotUSTerritory() ? r.getState() : normalState(r.getState(), states);
            write(cdb, kRepairFailed, [&] { return repair(r, state, states); }, false);
        }
    }
}

}  // namespace

void CompanyDatabase::StateName_MISC() {
    repairRecipients(*this, 1, [&](const RecipientInfo& r, const std::string& state, const auto&) {
        return db->executeUpdate("update recipients set state = ? where pk = ?;", state, r.getPK());
    });
}

void CompanyDatabase::StateName_DIV() {
    repairRecipients(*this, 2, [&](const RecipientInfo& r, const std::string& state, const auto& states) {
        return db->executeUpdate("update recipients set state = ?, div_line12 = ?,div_line12_2 = ? where pk = ?;",
                                 state, normalState(r.getDiv_Line12_1(), states),
                                 normalState(r.getDiv_Line12_2(), states), r.getPK());
    });
}

void CompanyDatabase::StateName_INT() {
    repairRecipients(*this, 3, [&](const RecipientInfo& r, const std::string& state, const auto& states) {
        return db->executeUpdate("update recipients set state = ?, int_line11 = ?,int_line11_2 = ? where pk = ?;",
                                 state, normalState(r.getInt_Line13_1(), states),
                                 normalState(r.getInt_Line13_2(), states), r.getPK());
    });
}

void CompanyDatabase::StateName_R() {
    repairRecipients(*this, 4, [&](const RecipientInfo& r, const std::string& state, const auto&) {
        return db->executeUpdate("update recipients set state = ? where pk = ?;", state, r.getPK());
    });
}

void CompanyDatabase::StateName_S() {
    repairRecipients(*this, 5, [&](const RecipientInfo& r, const std::string& state, const auto& states) {
        return db->executeUpdate("update recipients set state = ?, s_state_line3 = ? where pk = ?;", state,
                                 normalState(r.getS_State_Line3(), states), r.getPK());
    });
}

void CompanyDatabase::StateName_NEC() {
    repairRecipients(*this, FormKind::kNec, [&](const RecipientInfo& r, const std::string& state, const auto&) {
        return db->executeUpdate("update recipients set state = ? where pk = ?;", state, r.getPK());
    });
}

void CompanyDatabase::efileStatename() {
    const E_FileInfo transmitter = getEFileInfo(1);
    const std::string state = normalState(transmitter.getState(), Utils::StateWithCode());
    write(*this, kRepairFailed,
          [&] {
              return db->executeUpdate("Update transmitter set state = ? where pk = ?;", state,
                                       transmitter.getPK());
          },
          false);
}

void CompanyDatabase::CopyMiscData() {
    for (int32_t key : GetCompanyList()) {
        for (auto& r : getRecipients(key, 1)) {
            r.setLine7_Misc(r.getLine10_Misc());
            r.setLine10_Misc(r.getLine14_Misc());
            r.setLine12_Misc(r.getLine15a_Misc());
            r.setLine14_Misc("");
            updateRecipientInfo(r);
        }
    }
}

std::string CompanyDatabase::UpdateRecipientFields(const std::optional<std::string>& value) {
    return value.value_or("");
}

bool CompanyDatabase::VoidCorrectedCheckBox() {
    static const char* const kFlags[] = {"void", "corrected", "validated", "printed", "completed"};
    return write(*this, "Unable to reset the recipient status.", [&] {
        for (const char* f : kFlags) {
            const std::string column(f);
            if (db->intForQuery("select count(*) from recipients where " + column + " = '1';") > 0 &&
                !db->executeUpdate("update recipients set " + column + " = '0';"))
                return false;
        }
        return true;
    });
}
