// Placeholders for operations whose real bodies live with their own tables; this
// file goes away when those land.

#include "core/store/CompanyDatabase.h"

void CompanyDatabase::StateName_Company() {}
void CompanyDatabase::StateName_MISC() {}
void CompanyDatabase::StateName_DIV() {}
void CompanyDatabase::StateName_INT() {}
void CompanyDatabase::StateName_R() {}
void CompanyDatabase::StateName_S() {}
void CompanyDatabase::StateName_NEC() {}
void CompanyDatabase::efileStatename() {}
void CompanyDatabase::CopyMiscData() {}
std::string CompanyDatabase::UpdateRecipientFields(const std::optional<std::string>& value) {
    return value.value_or("");
}

void CompanyDatabase::insertMissingMailingLabels() {}
