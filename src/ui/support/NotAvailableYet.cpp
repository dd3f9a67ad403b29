#include "ui/support/NotAvailableYet.h"

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/tvDatabase.h"

void showNotAvailableYet(const std::string& what) {
    tvDatabase::tvMessageBox("", what + " is not available yet.", kMessageStyleOK, "Talvexa 1099 E-File 2025",
                             kMessageImagePlain, false);
}
