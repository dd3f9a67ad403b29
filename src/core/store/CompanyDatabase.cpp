#include "core/store/CompanyDatabase.h"

#include "core/foundation/Session.h"

CompanyDatabase::CompanyDatabase() : db(FMDatabase::databaseWithPath(std::nullopt)) {
    session().CompanyDeleted = 0;
}

CompanyDatabase::~CompanyDatabase() = default;
