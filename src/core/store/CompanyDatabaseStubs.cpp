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

void CompanyDatabase::SetFormatFields(bool) {}
void CompanyDatabase::Insert1099MISCFields() {}
void CompanyDatabase::Insert1099NECFields() {}
void CompanyDatabase::Insert1099INTFields() {}
void CompanyDatabase::Insert1099DIVFields() {}
void CompanyDatabase::Insert1099RFields() {}
void CompanyDatabase::Insert1099SFields() {}
void CompanyDatabase::Insert1096Fields() {}

void CompanyDatabase::insertMissingMailingLabels() {}
