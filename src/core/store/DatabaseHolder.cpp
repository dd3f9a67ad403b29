#include "core/store/DatabaseHolder.h"

#include "core/foundation/AppDatabase.h"
#include "core/store/CompanyDatabase.h"

// Makes both databases, unopened; they are opened, closed and reopened in place.
DatabaseHolder::DatabaseHolder()
    : appDatabase_(std::make_shared<AppDatabase>()), companyDatabase_(std::make_shared<CompanyDatabase>()) {}

DatabaseHolder::~DatabaseHolder() = default;
