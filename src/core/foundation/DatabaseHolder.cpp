#include "core/foundation/DatabaseHolder.h"

#include "core/store/CompanyDatabase.h"

// The configuration database is attached by whoever builds it until its class can be
// made here; the company database starts unopened.
DatabaseHolder::DatabaseHolder() : companyDatabase_(std::make_shared<CompanyDatabase>()) {}

DatabaseHolder::~DatabaseHolder() = default;
