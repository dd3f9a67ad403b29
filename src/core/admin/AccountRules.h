#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CompanyDatabase;
class UserInfo;

// The rules of a company database's user accounts. While accounts exist, at least one
// of them is an administrator; the two built-in logins are no accounts, are never
// listed and their exact names cannot be taken.
namespace accounts {

// The limit of the name and both password fields, in characters.
inline constexpr int kFieldLimit = 85;

// The built-in logins, by exact name (other letter cases are ordinary names).
bool isBuiltInLogin(const std::string& name);

// The accounts to list: every login but the built-in ones, in the order given.
std::vector<UserInfo> listedAccounts(const std::vector<UserInfo>& logins);

// What the details dialog typed.
struct Entry {
    std::string name;
    std::string password;
    std::string retyped;
};

// Why an account is not stored, in the order the checks run.
enum class Refusal { none, emptyField, supportName, defaultName, nameInUse, passwordsDiffer };

// A new account, against every login of the database (built-in ones included).
Refusal checkNewAccount(const Entry& entry, const std::vector<UserInfo>& logins);
// A changed account whose stored name is storedName: its own name is no clash.
Refusal checkChangedAccount(const Entry& entry, const std::string& storedName, const std::vector<UserInfo>& logins);

// The sentence the user is shown, and the title of its window.
std::string refusalText(Refusal refusal);
std::string refusalTitle(Refusal refusal);

// Whether the details dialog must keep the administrator box on: a new account when
// no account (or no administrator) exists yet; an edited account when it is the
// logged-in user's own or when no other account is an administrator.
bool forcesAdministrator(CompanyDatabase& db, bool editing, int32_t key, int32_t loggedInKey);

// Whether deleting the account would leave accounts without an administrator.
bool deleteIsRefused(CompanyDatabase& db, int32_t key);

inline constexpr const char kDeleteRefusedText[] =
    "Unable to delete user. If User Accounts are used, at least one of them must have Admin privileges.To "
    "delete this account, assign another user Admin privileges or delete all non-Admin Users first.";

}  // namespace accounts
