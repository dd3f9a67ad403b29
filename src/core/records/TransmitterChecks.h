#pragma once

#include <cstddef>
#include <string>
#include <vector>

class E_FileInfo;

// The checks of a FIRE filing's transmitter as the e-file window shows them: one flag
// per check, true when it passes, and the message of each failing flag for the error
// list.
namespace transmitterchecks {

// Positions of the flags, in the window's field order.
enum Flag : std::size_t {
    kTCC,
    kTIN,
    kName,
    kCompany,
    kAddress,
    kCity,
    kState,
    kZip,
    kContact,
    kPhone,
    kEmail,
    kFlagCount
};

// The typing limit of each text field, in characters.
inline constexpr int kTCCLimit = 5;
inline constexpr int kTINLimit = 11;
inline constexpr int kNameLimit = 40;
inline constexpr int kCompanyLimit = 40;
inline constexpr int kAddressLimit = 40;
inline constexpr int kCityLimit = 40;
inline constexpr int kZipLimit = 10;
inline constexpr int kContactLimit = 40;
inline constexpr int kPhoneLimit = 18;
inline constexpr int kEmailLimit = 50;

// The title of the state list's first item, which is no state.
inline constexpr const char* kNoState = "None";

// Every flag of the transmitter control code, TIN, name, company, address, city, state
// (the chosen item's title), ZIP, contact, phone and e-mail.
std::vector<bool> checkTransmitter(const E_FileInfo& transmitter);

bool allPass(const std::vector<bool>& flags);

// The messages of the failing flags, in flag order. A failing e-mail is named for what
// is wrong with it: its length, or a character the file cannot hold.
std::vector<std::string> errorStrings(const E_FileInfo& transmitter, const std::vector<bool>& flags);

}  // namespace transmitterchecks
