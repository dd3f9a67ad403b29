#pragma once

#include <cstdint>
#include <vector>

class CompanyDatabase;

namespace records {

// Deletes the recipients of the given keys, each with its additional data, as one
// write: all of them or none. A failure is reported once through the store's error
// routine ("Unable to delete recipient info. "). A key without a row is no failure;
// no keys is nothing to do.
bool deleteRecipients(CompanyDatabase& cdb, const std::vector<int32_t>& keys);

}  // namespace records
