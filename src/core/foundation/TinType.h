#pragma once

// A recipient's taxpayer-number type ("SSN", "EIN", "ATIN", "ITIN", "QI-EIN", "UND", the
// titles of the entry windows' pop-up) and what a number written with dashes says
// about it: "NN-NNNNNNN" is an employer number, "NNN-NN-NNNN" a social security number.

#include <string>
#include <vector>

namespace tintype {

// The six types as the entry windows' pop-up titles them, in its order.
const std::vector<std::string>& titles();

// The title of one of the six types, read ignoring case ("ein" gives "EIN"); the empty
// text for anything else.
std::string title(const std::string& text);

// The type a number's dashes show: "EIN" for NN-NNNNNNN, "SSN" for NNN-NN-NNNN, the
// empty text for any other writing (no dashes among them).
std::string ofDashedNumber(const std::string& number);

// The type of a recipient that was given none: the one its dashes show, else by its
// name type (a business "EIN", an individual "SSN").
std::string ofRecipient(const std::string& number, bool business);

// Whether a number written with dashes contradicts the stored type: NNN-NN-NNNN with
// "EIN" or "QI-EIN", NN-NNNNNNN with "SSN", "ITIN" or "ATIN". The empty type counts as
// "SSN" (as the entry windows show it); "UND", other types and numbers without those
// dashes are not checked.
bool contradicts(const std::string& number, const std::string& type);

}  // namespace tintype
