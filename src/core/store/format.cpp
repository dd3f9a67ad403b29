#include "core/store/format.h"

#include <optional>

#include "core/foundation/Session.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/WX_FMT.h"

namespace {

// The built-in layout of a code, or nothing for a code without one.
std::optional<WX_FMT::Layout> builtInLayout(int32_t layoutCode) {
    WX_FMT factory;
    switch (layoutCode) {
        case 0: return factory.InitWX_1099_2UP_FMT();
        case 1: return factory.InitWX_1099_4UP_FMT1();
        case 2: return factory.InitWX_1096_FMT();
        case 3: return factory.InitWX_1099_INT_FMT();
        case 4: return factory.InitWX_1099_S_FMT();
        case 5: return factory.InitWX_1099_DIV_FMT();
        case 6: return factory.InitWX_1099_R_FMT();
        case 8: return factory.InitWX_1099_INT_4UP_FMT();
        case 9: return factory.InitWX_1099_NEC_FMT();
        case 10: return factory.InitWX_1099_NEC_4UP_FMT();
        default: return std::nullopt;
    }
}

// Reads the stored copy of an editable layout into destination.
void readStored(CompanyDatabase& database, std::vector<WX_FMTVAL>& destination, int32_t layoutCode) {
    switch (layoutCode) {
        case 0: database.Select1099MISCFields1(destination); break;
        case 2: database.Select1096Fields1(destination); break;
        case 3: database.Select1099INTFields1(destination); break;
        case 4: database.Select1099SFields1(destination); break;
        case 5: database.Select1099DIVFields1(destination); break;
        case 6: database.Select1099RFields1(destination); break;
        case 9: database.Select1099NECFields(destination); break;
        default: break;
    }
}

// The company database the application has open, if any.
CompanyDatabase* openCompanyDatabase() {
    const auto& holder = session().DBH;
    return holder ? holder->companyDatabase().get() : nullptr;
}

bool hasStoredCopy(int32_t layoutCode) {
    switch (layoutCode) {
        case 0: case 2: case 3: case 4: case 5: case 6: case 9: return true;
        default: return false;
    }
}

}  // namespace

std::vector<WX_FMTVAL> format::GetWXFmt(std::vector<WX_FMTVAL>& destination, int32_t layoutCode, bool builtIn) {
    return GetWXFmt(destination, layoutCode, builtIn, openCompanyDatabase());
}

std::vector<WX_FMTVAL> format::GetWXFmt(std::vector<WX_FMTVAL>& destination, int32_t layoutCode, bool builtIn,
                                        CompanyDatabase* database) {
    if (hasStoredCopy(layoutCode) && !builtIn) {
        if (database) readStored(*database, destination, layoutCode);
        return destination;
    }
    if (auto layout = builtInLayout(layoutCode)) return *layout;
    return destination;
}
