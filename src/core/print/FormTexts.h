#pragma once

#include <string>

class ComapnyInfo;
class RecipientAdditionalInfo;
class RecipientInfo;

// The texts that every printed form builds the same way from a payer and a recipient.
namespace formtext {

// The two-letter code of a stored state in upper case; the empty text for "None" and
// for a name that is no state.
std::string stateCode(const std::string& state);
// City, state code and ZIP of the payer.
std::string payerCityLine(const ComapnyInfo& payer);
// The recipient's name as printed: first name and surname, or the business name.
std::string nameLine(const RecipientInfo& r, const RecipientAdditionalInfo& more);
// City, state, ZIP and country of the recipient.
std::string cityLine(const RecipientInfo& r);

}  // namespace formtext
