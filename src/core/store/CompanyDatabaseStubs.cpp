// Placeholders for operations whose real bodies live with their own tables; this
// file goes away when those land.

#include "core/store/CompanyDatabase.h"

void CompanyDatabase::SetFormatFields(bool) {}
void CompanyDatabase::Insert1099MISCFields() {}
void CompanyDatabase::Insert1099NECFields() {}
void CompanyDatabase::Insert1099INTFields() {}
void CompanyDatabase::Insert1099DIVFields() {}
void CompanyDatabase::Insert1099RFields() {}
void CompanyDatabase::Insert1099SFields() {}
void CompanyDatabase::Insert1096Fields() {}

