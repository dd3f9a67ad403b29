#pragma once

// One open company database file and every read and write of its rows. The
// implementation is split by table over several CompanyDatabase*.cpp files; each
// group of declarations below names its file.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"

class CompanyDatabase {
public:
    // ---- the file, its information row and the error routine (CompanyDatabase.cpp) ----
    CompanyDatabase();
    ~CompanyDatabase();

    // ---- schema and upgrade chain (CompanyDatabaseUpgrade.cpp) ----

    // ---- upgrade data repairs (CompanyDatabaseRepairs.cpp) ----

    // ---- logins (CompanyDatabaseLogins.cpp) ----

    // ---- print layouts (CompanyDatabaseLayouts.cpp) ----

    // ---- payers (CompanyDatabasePayers.cpp) ----

    // ---- recipients (CompanyDatabaseRecipients.cpp) ----

    // ---- additional recipient data and the joined list (CompanyDatabaseAdditional.cpp) ----

    // ---- duplicate checks, year-end resets, recent-company keys (CompanyDatabaseYearEnd.cpp) ----

    // ---- transmitter and mailing labels (CompanyDatabaseTransmitter.cpp) ----

    // ---- import column maps (CompanyDatabaseImportMaps.cpp) ----

    // ---- properties ----
    bool isReady = false;
    bool checkInUse = false;
    bool dbIsOpen = false;
    std::shared_ptr<FMDatabase> db;
    std::string filePath;
    std::string companyFilterString;
};
