#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

class FMDatabase;
class databaseInfo;

// A schema or version fault of a configuration database; the message is the reason
// shown to the user.
class ConfigurationDatabaseError : public std::runtime_error {
public:
    explicit ConfigurationDatabaseError(const std::string& reason) : std::runtime_error(reason) {}
};

// The year's configuration database: the list of known company databases, the recent
// database, last year's databases, remembered folders and the cloud-backup enrolment.
// A write that cannot be stored is rolled back, shown in the message box with SQLite's
// reason, and reported by the operation's result.
class AppDatabase {
public:
    AppDatabase();
    ~AppDatabase();
    AppDatabase(const AppDatabase&) = delete;
    AppDatabase& operator=(const AppDatabase&) = delete;

    // ---- opening and closing ----
    bool Init(const std::string& path, bool showMessage);
    void Close();
    bool IsReady() const { return isReady_; }
    bool fileOpen(bool ignored);
    std::string GetPath() const;

    // Throws ConfigurationDatabaseError when the file is not a usable configuration database.
    bool verifySchema();
    // Brings the schema to the current version (from scratch when create), one step per
    // transaction. Throws ConfigurationDatabaseError when a step cannot be stored; the
    // file keeps the last version it reached.
    void update(bool create);

    // ---- the database row ----
    int GetVersion(bool quiet);
    int GetYear();
    bool SetYear(int year);
    std::string GetName();
    bool SetName(const std::string& name);
    bool SetInUse(bool inUse);
    bool SetInUse_1(int count);
    int GetInUse();
    bool IsInUse();
    bool SetPriorYear(bool priorYear);

    // ---- recent database ----
    bool SetRecentDatabaseInfo(const databaseInfo& info);
    std::optional<databaseInfo> GetRecentDatabaseInfo();
    bool GetRecentDatabaseInfo(databaseInfo& info);

    // ---- database list ----
    std::vector<databaseInfo> SelectDatabaseList();
    int SelectDatabaseInfo(databaseInfo& info, const std::string& name);
    bool InsertDatabaseInfo(const databaseInfo& info);
    void UpdateDatabaseInfo(const databaseInfo& info);
    bool DeleteDatabaseInfo(const databaseInfo& info);
    bool PurgeDatabaseList(int year, bool thisYearAndLater);

    // ---- last year's list ----
    bool InsertPriorYearInfo(const databaseInfo& info);
    bool DeletePriorYearInfo(const databaseInfo& info);
    std::vector<databaseInfo> SelectPriorYearList();
    bool PurgePriorYearList();

    // ---- folder paths ----
    bool SaveFolderPath(int folderType, const std::string& path);
    int LoadFolderPath(int folderType, std::string& path);

    // ---- cloud-backup enrolment ----
    bool InsertCloudBackupInfo(const databaseInfo& info);
    int GetCloudBackupInfo(databaseInfo& info);
    bool DeleteCloudBackupInfo(const databaseInfo& info);
    bool SelectCloudBackup();
    std::string SelectCloudCustomerId();
    std::string SelectCloudEmailAddress();

    // The older scrambling of stored values (eight key characters).
    static std::string XOR_Encryption(const std::string& text);

    // ---- operations kept for callers that no longer use them ----
    void setVersion(int version);
    void CopyDatabase(const std::string& path);
    void SelectDatabaseList(std::vector<databaseInfo>& list);
    void InsertFolderInfo(int folderType, int vRefNum, int parID);
    void InsertPreferenceInfo(const databaseInfo& info);
    void FillPreferenceInfo(const databaseInfo& info);
    void DeletePreferenceInfo(const databaseInfo& info);
    void SelectPreferenceInfo(databaseInfo& info);
    void SelectPriorYearList(std::vector<databaseInfo>& list);
    void PurgeFrameInfo();
    bool CanAccessFile(const std::string& path, bool showMessage, const std::string& headline,
                       const std::string& leadIn);

    // ---- properties ----
    bool isReady() const { return isReady_; }
    void setIsReady(bool v) { isReady_ = v; }
    bool dbIsOpen() const { return dbIsOpen_; }
    void setDbIsOpen(bool v) { dbIsOpen_ = v; }
    const std::string& filePath() const { return filePath_; }
    void setFilePath(const std::string& v) { filePath_ = v; }
    const std::shared_ptr<FMDatabase>& db() const { return db_; }
    void setDb(std::shared_ptr<FMDatabase> v) { db_ = std::move(v); }

private:
    // Runs a read on the connection; failure when the database was never opened.
    template <typename R, typename F>
    R guarded(R failure, F&& body);
    // Runs a write under one write guard: all of it is stored or none of it, and a
    // write that is not stored is shown in the error box with SQLite's reason.
    template <typename F>
    bool write(const char* caption, const char* text, const char* title, F&& body, bool lineBreak = true);
    void errorBox(const std::string& caption, const std::string& text, const std::string& title, bool lineBreak,
                  const std::string& reason);
    // One upgrade step in one transaction; throws ConfigurationDatabaseError when it
    // cannot be stored.
    void runStep(int version, const std::vector<const char*>& statements);

    bool isReady_ = false;
    bool dbIsOpen_ = false;
    std::string filePath_;
    std::shared_ptr<FMDatabase> db_;
};
