#include "core/foundation/DatabaseHolder.h"

#include "core/store/CompanyDatabase.h"

// Makes the company database, unopened. Only the company database is made here for
// now: appDatabase stays empty until it is set.
DatabaseHolder::DatabaseHolder() : companyDatabase_(std::make_shared<CompanyDatabase>()) {}

DatabaseHolder::~DatabaseHolder() = default;
