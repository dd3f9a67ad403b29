#include "core/admin/AccountRules.h"

#include <algorithm>

#include "core/foundation/UserInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/CompanyDatabaseUpgradeSteps.h"

namespace accounts {

namespace {

// A key that no login has: the count then takes in every account.
constexpr int32_t kNoAccountKey = -2;

bool nameTaken(const std::string& name, const std::vector<UserInfo>& logins) {
    return std::any_of(logins.begin(), logins.end(), [&](const UserInfo& u) { return u.getUserName() == name; });
}

Refusal commonChecks(const Entry& entry) {
    if (entry.name.empty() || entry.password.empty()) return Refusal::emptyField;
    if (entry.name == companydb_upgrade::kSupportLoginName) return Refusal::supportName;
    if (entry.name == companydb_upgrade::kDefaultLoginName) return Refusal::defaultName;
    return Refusal::none;
}

}  // namespace

bool isBuiltInLogin(const std::string& name) {
    return name == companydb_upgrade::kSupportLoginName || name == companydb_upgrade::kDefaultLoginName;
}

std::vector<UserInfo> listedAccounts(const std::vector<UserInfo>& logins) {
    std::vector<UserInfo> listed;
    for (const UserInfo& u : logins)
        if (!isBuiltInLogin(u.getUserName())) listed.push_back(u);
    return listed;
}

Refusal checkNewAccount(const Entry& entry, const std::vector<UserInfo>& logins) {
    if (Refusal r = commonChecks(entry); r != Refusal::none) return r;
    if (nameTaken(entry.name, logins)) return Refusal::nameInUse;
    if (entry.password != entry.retyped) return Refusal::passwordsDiffer;
    return Refusal::none;
}

Refusal checkChangedAccount(const Entry& entry, const std::string& storedName, const std::vector<UserInfo>& logins) {
    if (Refusal r = commonChecks(entry); r != Refusal::none) return r;
    if (entry.name != storedName && nameTaken(entry.name, logins)) return Refusal::nameInUse;
    if (entry.password != entry.retyped) return Refusal::passwordsDiffer;
    return Refusal::none;
}

std::string refusalText(Refusal refusal) {
    switch (refusal) {
        case Refusal::emptyField: return "Please enter both a User Name and a Password.";
        case Refusal::supportName: return "'tvs1099' is a reserved User Name. Please use a different User Name.";
        case Refusal::defaultName: return "'Harbour' is a reserved User Name. Please use a different User Name.";
        case Refusal::nameInUse:
            return "The desired User Name is already being used. Please use a different User Name.";
        case Refusal::passwordsDiffer: return "Passwords do not match. Please re-enter both passwords.";
        case Refusal::none: break;
    }
    return {};
}

std::string refusalTitle(Refusal refusal) {
    return refusal == Refusal::passwordsDiffer ? "Passwords do not match!" : "Error";
}

bool forcesAdministrator(CompanyDatabase& db, bool editing, int32_t key, int32_t loggedInKey) {
    if (!editing)
        return !db.hasNonDefaultLogin(false, -1) || !db.hasNonDefaultLogin(true, kNoAccountKey);
    return !db.hasNonDefaultLogin(false, key) || key == loggedInKey || !db.hasNonDefaultLogin(true, key);
}

bool deleteIsRefused(CompanyDatabase& db, int32_t key) {
    return db.hasNonDefaultLogin(false, key) && !db.hasNonDefaultLogin(true, key);
}

}  // namespace accounts
