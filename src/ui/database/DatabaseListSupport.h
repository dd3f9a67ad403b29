#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/foundation/databaseInfo.h"
#include "ui/database/DBList_Model.h"

class AppDatabase;
class CompanyDatabase;

// What the database windows share about the two databases of the session.

// The tax year of this program's company databases.
inline constexpr int kDatabaseYear = 2025;

// The session's configuration and company database objects (null before start-up made them).
std::shared_ptr<AppDatabase> sessionAppDatabase();
std::shared_ptr<CompanyDatabase> sessionCompanyDatabase();

// The open company database as a list entry (name, path, year); nullopt when none is open.
std::optional<databaseInfo> openCompanyDatabaseEntry();
// True when a company database is open and its file is at path.
bool isOpenCompanyDatabase(const std::string& path);

// The recent database of the configuration database; nullopt when it is not ready or
// records none.
std::optional<databaseInfo> recentDatabaseEntry();

// The database to preselect in a list: the open company database, else the recent one.
std::optional<databaseInfo> databaseToPreselect();

// One table row per entry: its name, and its year after "* " for the open company
// database or two blanks otherwise.
std::vector<DBList_Model> databaseListRows(const std::vector<databaseInfo>& entries);
