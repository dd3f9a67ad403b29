#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

class CompanyDatabase;
class ComapnyInfo;
class RecipientAdditionalInfo;
class RecipientInfo;

// The records the form print runs read and mark in the open company database.
namespace printrecords {

// The company database the program has open and ready, or none.
CompanyDatabase* openDatabase();

// The stored recipients of the keys, in key order, each with its payer and its
// additional data; a key deleted since it was chosen is left out. Each payer is read
// once, however many of its recipients there are. stop, when given, hears how many
// keys have been read after each one; its true ends the reading there (false returned).
using StopAt = std::function<bool(std::size_t keysRead)>;
bool readRecipients(CompanyDatabase& db, const std::vector<int32_t>& keys, std::vector<RecipientInfo>& recipients,
                    std::vector<ComapnyInfo>& payers, std::vector<RecipientAdditionalInfo>& additional,
                    const StopAt& stop = {});

// Marks the printed recipients on both records (completed too when asked), as one
// write: all marks are stored or none, and a failure is reported to the user.
void markPrinted(CompanyDatabase& db, const std::vector<RecipientInfo>& recipients,
                 const std::vector<RecipientAdditionalInfo>& additional, int32_t kind, bool completed);

}  // namespace printrecords
