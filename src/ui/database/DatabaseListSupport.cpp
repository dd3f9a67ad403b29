#include "ui/database/DatabaseListSupport.h"

#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"

std::shared_ptr<AppDatabase> sessionAppDatabase() {
    const auto& dbh = session().DBH;
    return dbh ? dbh->appDatabase() : nullptr;
}

std::shared_ptr<CompanyDatabase> sessionCompanyDatabase() {
    const auto& dbh = session().DBH;
    return dbh ? dbh->companyDatabase() : nullptr;
}

std::optional<databaseInfo> openCompanyDatabaseEntry() {
    auto db = sessionCompanyDatabase();
    if (!db || !db->IsReady()) return std::nullopt;
    databaseInfo entry;
    entry.setName(db->GetName());
    entry.setPath(db->GetPath());
    entry.setYear(db->GetYear());
    return entry;
}

bool isOpenCompanyDatabase(const std::string& path) {
    auto db = sessionCompanyDatabase();
    return db && db->IsReady() && db->GetPath() == path;
}

std::optional<databaseInfo> recentDatabaseEntry() {
    auto app = sessionAppDatabase();
    if (!app || !app->isReady()) return std::nullopt;
    return app->GetRecentDatabaseInfo();
}

std::optional<databaseInfo> databaseToPreselect() {
    if (auto open = openCompanyDatabaseEntry()) return open;
    return recentDatabaseEntry();
}

std::vector<DBList_Model> databaseListRows(const std::vector<databaseInfo>& entries) {
    auto db = sessionCompanyDatabase();
    const std::string openPath = db && db->IsReady() ? db->GetPath() : std::string();
    std::vector<DBList_Model> rows;
    rows.reserve(entries.size());
    for (const databaseInfo& entry : entries) {
        const bool open = !openPath.empty() && entry.path() == openPath;
        rows.push_back({entry.name(), (open ? "* " : "  ") + std::to_string(entry.year())});
    }
    return rows;
}
