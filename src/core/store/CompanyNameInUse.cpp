#include "core/store/CompanyNameInUse.h"

#include <vector>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/COMPANYLISTSTRUCT.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "platform/FileSystem.h"

namespace {

// The company list of one database file: opened as stored first, and only when that
// gives nothing readable, opened again with its schema checked and brought up to date.
bool companiesOf(const databaseInfo& entry, std::vector<COMPANYLISTSTRUCT>& companies) {
    for (bool verify : {false, true}) {
        CompanyDatabase cdb;
        // A listed file that cannot be opened holds no name to compare.
        if (!cdb.Init(entry.path(), false, false, verify, entry.name(), CompanyDatabase::OpenFailures::quiet)) continue;
        if (cdb.GetCompanyList(companies, false) >= 0) return true;
    }
    return false;
}

}  // namespace

bool CompanyNameInUse(const std::string& name, std::string* DBName) {
    const auto& holder = session().DBH;
    if (!holder || !holder->appDatabase() || !holder->appDatabase()->IsReady()) return false;

    for (const auto& entry : holder->appDatabase()->SelectDatabaseList()) {
        if (!platform::fileExists(entry.path())) continue;
        std::vector<COMPANYLISTSTRUCT> companies;
        if (!companiesOf(entry, companies)) continue;
        for (const auto& company : companies) {
            if (company.companyName() == name) {
                if (DBName) *DBName = entry.name();
                return true;
            }
        }
    }
    if (DBName) DBName->clear();
    return false;
}
