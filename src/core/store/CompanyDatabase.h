#pragma once

// One open company database file and every read and write of its rows. The
// implementation is split by table over several CompanyDatabase*.cpp files; each
// group of declarations below names its file.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/store/WX_FMTVAL.h"

class UserInfo;

class CompanyDatabase {
public:
    // ---- the file, its information row and the error routine (CompanyDatabase.cpp) ----
    CompanyDatabase();
    ~CompanyDatabase();
    CompanyDatabase(const CompanyDatabase&) = delete;
    CompanyDatabase& operator=(const CompanyDatabase&) = delete;

    // Opens (creating when missing) the file at path; the third argument has no effect
    // and name is not used. With verify an existing file is checked and upgraded.
    bool Init(const std::string& path, bool checkInUse, bool third, bool verify, const std::string& name);
    void Close();
    void verifySchema();

    bool IsReady();
    std::string GetPath();
    bool SetName(const std::string& name);
    std::string GetName();
    bool SetYear(int32_t year);
    int32_t GetYear();
    bool SetID(int32_t id);
    int32_t GetID();
    void SetInUse(int32_t value);
    int32_t GetInUseCount();
    bool SetBackup(bool backup);
    bool IsBackup();
    int32_t GetVersion(bool show);

    void DatabaseError(int32_t code, const std::string& message, const std::string& detail, bool show,
                       bool log);
    bool Log(int32_t code, int32_t second, int32_t third, const std::string& message,
             const std::string& detail, int32_t sixth, int32_t seventh);

    // ---- schema and upgrade chain (CompanyDatabaseUpgrade.cpp) ----
    // Builds the schema from nothing (true) or resumes after the stored version (false).
    void update(bool fromScratch);

    // ---- upgrade data repairs (CompanyDatabaseRepairs.cpp) ----
    void StateName_Company();
    void StateName_MISC();
    void StateName_DIV();
    void StateName_INT();
    void StateName_R();
    void StateName_S();
    void StateName_NEC();
    void efileStatename();
    void CopyMiscData();
    std::string UpdateRecipientFields(const std::optional<std::string>& value);

    // ---- logins (CompanyDatabaseLogins.cpp) ----
    bool validateLogin(bool administratorRequired);
    bool getLoginInfo();
    void updateLoginInfo();
    std::vector<UserInfo> getUsers();
    UserInfo getUserInfo(int32_t key);
    void insertUserInfo(const UserInfo& user);
    void updateUserInfo(const UserInfo& user);
    void deleteUser(const UserInfo& user);
    bool hasNonDefaultLogin(bool administratorsOnly, int32_t leaveOutKey);
    int32_t getNewUserPK();
    void purgeUsers();
    bool CheckInUse();

    // ---- print layouts (CompanyDatabaseLayouts.cpp) ----
    // Seeding: fills the six older layout tables from the built-in layouts, emptying
    // them first when clear is set (the 1099-NEC table is left alone).
    void SetFormatFields(bool clear);
    // Each fills its table from the built-in layout when, and only when, it has no row.
    void Insert1099MISCFields();
    void Insert1099NECFields();
    void Insert1099INTFields();
    void Insert1099DIVFields();
    void Insert1099RFields();
    void Insert1099SFields();
    void Insert1096Fields();

    // Reading: each stored row replaces destination's entry at its field number;
    // returns destination.
    std::vector<WX_FMTVAL>& Select1099MISCFields1(std::vector<WX_FMTVAL>& destination);
    std::vector<WX_FMTVAL>& Select1099INTFields1(std::vector<WX_FMTVAL>& destination);
    std::vector<WX_FMTVAL>& Select1099DIVFields1(std::vector<WX_FMTVAL>& destination);
    std::vector<WX_FMTVAL>& Select1099RFields1(std::vector<WX_FMTVAL>& destination);
    std::vector<WX_FMTVAL>& Select1099SFields1(std::vector<WX_FMTVAL>& destination);
    std::vector<WX_FMTVAL>& Select1096Fields1(std::vector<WX_FMTVAL>& destination);
    std::vector<WX_FMTVAL>& Select1099NECFields(std::vector<WX_FMTVAL>& destination);

    // Writing back an edited layout: its first N entries (N = the form's field count)
    // replace the stored rows; an empty table is seeded first.
    void Update1099MISCFields1(const std::vector<WX_FMTVAL>& layout);
    void Update1099INTFields1(const std::vector<WX_FMTVAL>& layout);
    void Update1099DIVFields1(const std::vector<WX_FMTVAL>& layout);
    void Update1099RFields1(const std::vector<WX_FMTVAL>& layout);
    void Update1099SFields1(const std::vector<WX_FMTVAL>& layout);
    void Update1096Fields1(const std::vector<WX_FMTVAL>& layout);
    void Update1099NECFields(const std::vector<WX_FMTVAL>& layout);

    // ---- payers (CompanyDatabasePayers.cpp) ----
    // Gives every payer that has no mailing-label row one with the initial settings
    // (files from before labels existed).
    void insertMissingMailingLabels();

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
