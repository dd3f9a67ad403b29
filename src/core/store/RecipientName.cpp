#include "core/store/RecipientName.h"

#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

std::string recipientListName(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional) {
    if (additional.getname_type() == "Business Name") return recipient.getLastName();
    std::string name = recipient.getFirstName();
    const std::string& surname = additional.getlastname();
    if (!name.empty() && !surname.empty()) name += ' ';
    name += surname;
    return name;
}
