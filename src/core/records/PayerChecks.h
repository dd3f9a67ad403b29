#pragma once

#include <cstddef>
#include <string>
#include <vector>

class ComapnyInfo;

// The checks of a payer's details as the payer window shows them: one flag per check,
// true when it passes, and the message of each failing flag for the error list.
namespace payerchecks {

// Positions of the flags. Positions 11 and 12 are no check of their own and always pass.
enum Flag : std::size_t {
    kName = 0,
    kAddress = 1,
    kCity = 2,
    kState = 3,
    kZip = 4,
    kPhone = 5,
    kFederalID = 6,
    kContactPerson = 7,
    kContactPhone = 8,
    kEmail = 9,
    kFax = 10,
    kOregonBIN = 13,
};
inline constexpr std::size_t kFlagCount = 14;

// The typing limit of each text field, in characters.
inline constexpr int kNameLimit = 40;
inline constexpr int kFederalIDLimit = 11;
inline constexpr int kAddressLimit = 40;
inline constexpr int kCityLimit = 40;
inline constexpr int kZipLimit = 10;
inline constexpr int kPhoneLimit = 18;
inline constexpr int kContactPersonLimit = 40;
inline constexpr int kContactPhoneLimit = 18;
inline constexpr int kEmailLimit = 50;
inline constexpr int kFaxLimit = 18;
inline constexpr int kOregonBINLimit = 8;

// The title of the state list's first item, which is no state.
inline constexpr const char* kNoState = "None";

// Every flag of the payer's name, federal ID, address, city, state (the chosen item's
// title), ZIP, phones, contact, e-mail, fax and Oregon BIN.
std::vector<bool> checkPayer(const ComapnyInfo& payer);

bool allPass(const std::vector<bool>& flags);

// The messages of the failing flags, in the order the error list shows them: name,
// federal ID, address, city, state, ZIP, phone, contact person, contact phone, e-mail,
// fax, Oregon BIN.
std::vector<std::string> errorStrings(const std::vector<bool>& flags);

// The filing method a stored text stands for: "FIRE" and "IRIS" as they are, anything
// else (an empty text, "0" of older rows) paper, "PRINT".
std::string filingMethod(const std::string& stored);

// Whether a state title is Oregon, whose payers may need their Oregon BIN.
bool isOregon(const std::string& state);

}  // namespace payerchecks
