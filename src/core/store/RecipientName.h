#pragma once

#include <string>

class RecipientInfo;
class RecipientAdditionalInfo;

// A recipient as the lists and messages name it: a business by its business name (the
// recipient's name line), an individual by first name and surname, which the additional
// data holds (an individual's name line holds the payer's name, which tells no one
// apart). A blank parts the two names only when both are there: "Ann Lee", "Ann", "Lee".
std::string recipientListName(const RecipientInfo& recipient, const RecipientAdditionalInfo& additional);
