#pragma once

// One open company database file and every read and write of its rows. The
// implementation is split by table over several CompanyDatabase*.cpp files; each
// group of declarations below names its file.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/store/DuplicateTaxID.h"
#include "core/store/WX_FMTVAL.h"

class UserInfo;
class ComapnyInfo;
class COMPANYLISTSTRUCT;
class E_FileInfo;
class MailingLabelInfo;
class RecipientInfo;
class RecipientAdditionalInfo;
class RecipientFullInfo;
class CHECK;
class DISTPAY;
class EMPLOYEE;
class HOURVALS;
class MMREF;
class PAYVALS;

class CompanyDatabase {
public:
    // ---- the file, its information row and the error routine (CompanyDatabase.cpp) ----
    CompanyDatabase();
    ~CompanyDatabase();
    CompanyDatabase(const CompanyDatabase&) = delete;
    CompanyDatabase& operator=(const CompanyDatabase&) = delete;

    // How an open that fails reaches the user: shown by the open itself, or left to a
    // caller that reports it in its own words or skips such files by design (then
    // openFailure() holds the reason).
    enum class OpenFailures { show, quiet };

    // Opens (creating when missing) the file at path; the third argument has no effect
    // and name is not used. With verify an existing file is checked and upgraded. Only
    // a file without any table is built from nothing; a damaged file, a file of another
    // program or of another version is refused and left exactly as it was.
    bool Init(const std::string& path, bool checkInUse, bool third, bool verify, const std::string& name,
              OpenFailures failures = OpenFailures::show);
    // Makes a new company database file at path, where no file may be yet (nor an only
    // copy kept aside under its name, which comes back first): every schema step, the
    // seeding, the name and the year are written in one transaction. Whatever fails, no
    // file is left at path; a path that is a replacement's temporary is built in directly. The file is closed again afterwards; on failure
    // openFailure() holds the reason.
    bool CreateNew(const std::string& path, const std::string& name, int32_t year,
                   OpenFailures failures = OpenFailures::show);
    // For tests: runs after each schema step's statements, before the step records its
    // number (an empty function removes it).
    static void setStepHookForTesting(std::function<void(CompanyDatabase&, int32_t step)> hook);
    // Why the last open failed (empty after a successful one).
    const std::string& openFailure() const { return openFailure_; }
    // Clears the in-use mark of a file opened with checkInUse and closes the file. The
    // destructor runs it too, so a database kept only for a piece of work needs no call.
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
    // A read that failed with an error (not "no rows"): reported once per opened file,
    // so a damaged page does not pass for an empty list nor repeat at every redraw.
    void ReadError(const std::string& reason);
    // The event log's line of the error routine is Log (CompanyDatabaseLog.cpp).

    // ---- schema and upgrade chain (CompanyDatabaseUpgrade.cpp) ----
    // Builds the schema from nothing (true) or resumes after the stored version (false).
    // False when a step could not begin, record its version or commit: the file then
    // stays at the last step that committed.
    bool update(bool fromScratch);
    // Makes the index of the recipients by payer (`recipientsIndex`, which the rebuild
    // of the recipients table drops) when the file lacks it; the schema version stays.
    // Never waits for another program's lock: a file that cannot be written now is used
    // without it, and it is tried again at the next open. True when the file has it.
    bool makeRecipientsIndex();

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
    // Clears the void, corrected, validated, printed and completed flags of every recipient.
    bool VoidCorrectedCheckBox();

    // ---- logins (CompanyDatabaseLogins.cpp) ----
    bool validateLogin(bool administratorRequired);
    bool getLoginInfo();
    bool updateLoginInfo();
    std::vector<UserInfo> getUsers();
    UserInfo getUserInfo(int32_t key);
    bool insertUserInfo(const UserInfo& user);
    bool updateUserInfo(const UserInfo& user);
    bool deleteUser(const UserInfo& user);
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
    // replace the stored rows, all of them or none (inside a caller's transaction, as
    // part of it); an empty table is seeded first. False when the layout could not be
    // stored; outside a caller's transaction the failure has been shown.
    bool Update1099MISCFields1(const std::vector<WX_FMTVAL>& layout);
    bool Update1099INTFields1(const std::vector<WX_FMTVAL>& layout);
    bool Update1099DIVFields1(const std::vector<WX_FMTVAL>& layout);
    bool Update1099RFields1(const std::vector<WX_FMTVAL>& layout);
    bool Update1099SFields1(const std::vector<WX_FMTVAL>& layout);
    bool Update1096Fields1(const std::vector<WX_FMTVAL>& layout);
    bool Update1099NECFields(const std::vector<WX_FMTVAL>& layout);

    // ---- payers (CompanyDatabasePayers.cpp) ----
    // One payer by key; a record with PK -1 when no row has the key.
    ComapnyInfo getCompanyInfo1(int32_t key);
    ComapnyInfo getCompanyInfoIRIS(int32_t key);
    // Adds the payer under a new key (largest plus one) together with its mailing-label
    // row; the record's own PK is left as it is. False when nothing was stored.
    bool insertCompanyInfo(const ComapnyInfo& record);
    // Rewrites the row of the record's PK.
    bool updateCompanyInfo(const ComapnyInfo& record);
    // Writes the payer's IRIS data into its own row (the filing methods are left as
    // stored); a payer without a row is stored as a new one and the record gets its key.
    bool updateAdditioninfo(ComapnyInfo& record);
    // Removes the payer and its mailing-label row unless recipients refer to it (then a
    // message tells the user). Sets CompanyDeleted; true only when the payer was removed.
    bool deleteCompany(const ComapnyInfo& record);
    // Largest key, -1 for an empty table.
    int32_t getCompanyPK();
    // Keys of every payer in stored order.
    std::vector<int32_t> GetCompanyList();
    // Refills list with one entry per payer (by key); the count, or -1 on failure.
    int32_t GetCompanyList(std::vector<COMPANYLISTSTRUCT>& list, bool show);
    int32_t GetCompanyList1(std::vector<COMPANYLISTSTRUCT>& list, bool show);
    // Payers whose name matches the filter ("*" wildcard), by name in the given
    // direction (0 ascending, 1 descending); records hold name and PK only.
    std::vector<ComapnyInfo> execCompanyListQuery(const std::string& filter, int32_t order);
    // A login of that name exists.
    bool isNameTaken(const std::string& name);
    // Gives every payer that has no mailing-label row one with the initial settings
    // (files from before labels existed).
    void insertMissingMailingLabels();

    // ---- recipients (CompanyDatabaseRecipients.cpp) ----
    // Fills record from the current row; false when the row could not be read.
    bool FillRecipient(RecipientInfo& record, FMResultSet& rs);
    // One recipient by key; PK -1 when no row has the key.
    RecipientInfo getRecipientInfo(int32_t key);
    // Largest recipient key, -1 for an empty table (after an insert: the new key).
    int32_t getRecipientPK();
    // Stores the record as a new row (taxpayer and account numbers scrambled) under a
    // key free in both recipient tables; the record's PK is left as it is. A box 9
    // amount with one decimal is completed to two, in the record too.
    bool insertRecipientInfo(RecipientInfo& record);
    // Stores a new recipient and its additional data under one new key, together, and
    // gives both records that key.
    bool insertRecipientInfo(RecipientInfo& record, RecipientAdditionalInfo& additional);
    // The same under a key the caller counts (a run of inserts reads nextRecipientKey
    // once and counts up from it).
    bool insertRecipientInfo(RecipientInfo& record, RecipientAdditionalInfo& additional, int32_t key);
    // One above the largest key of both recipient tables (0 when both are empty), read
    // from their key indexes; -1 when it cannot be read (SQLite's message stays for the
    // caller's report).
    int32_t nextRecipientKey();
    // The write of a recipient import, all of it or nothing: each added recipient with
    // its additional data (same positions) under keys counted up from nextRecipientKey,
    // and each overwrite written over the recipient of its key, whose additional row is
    // rewritten (or added when it has none). The added records get their keys. A
    // failure is reported with SQLite's message.
    bool storeImportedRecipients(std::vector<RecipientInfo>& added,
                                 std::vector<RecipientAdditionalInfo>& addedAdditional,
                                 const std::vector<RecipientInfo>& overwrites,
                                 const std::vector<RecipientAdditionalInfo>& overwriteAdditional);
    // Rewrites the row of the record's PK (its payer and form kind included). Fails
    // when no row has that key (the recipient was deleted).
    bool updateRecipientInfo(const RecipientInfo& record);
    // Removes the recipient and its additional data (only the record's PK is used).
    bool deleteRecipient(const RecipientInfo& record);
    // Lists use the form kind codes 1, 2, 3, 4, 5, 7 (other values: all kinds), the
    // filing-status codes 0 to 10 and the sort directions 0 ascending, 1 descending.
    std::vector<RecipientInfo> getRecipients(int32_t companyKey, int32_t kind);
    // For the duplicate check before a save, which must see every row: the payer's
    // recipients of the kind with only their key, payer, kind and taxpayer number
    // (in no set order); nothing when the list could not be read in full.
    std::optional<std::vector<StoredTaxID>> getRecipientTaxIDsInFull(int32_t companyKey, int32_t kind);
    std::vector<RecipientInfo> getRecipientInfo1(int32_t companyKey, int32_t direction, int32_t kind,
                                                 int32_t ignored);
    // Recipients of the payers selected in comp_details whose first or last name
    // matches the filter ("*" wildcard), by key and first name.
    std::vector<RecipientInfo> execRecipientListQuery(const std::string& filter, int32_t direction,
                                                      int32_t kind, int32_t status);
    // The same over the given payers, payer by payer, each by last and first name.
    std::vector<RecipientInfo> execRecipientListQueryImport(const std::vector<ComapnyInfo>& payers,
                                                            const std::string& filter, int32_t direction,
                                                            int32_t kind, int32_t status);
    // As execRecipientListQuery for the one payer key given as text.
    std::vector<RecipientInfo> execRecipientListQueryImport1(const std::string& companyKey,
                                                             const std::string& filter, int32_t direction,
                                                             int32_t kind, int32_t status);
    // Some recipient of the payer (no defined order); PK -1 when it has none.
    RecipientInfo getRecipientInfopk(int32_t companyKey);
    // The recipients of the given keys that are of the form kind, key by key.
    std::vector<RecipientInfo> SelectRecipients(const std::vector<int32_t>& keys, int32_t kind);


    // ---- additional recipient data and the joined list (CompanyDatabaseAdditional.cpp) ----
    bool FillRecipientadditonalfields(RecipientAdditionalInfo& record, FMResultSet& rs);
    // The additional data of a recipient key; PK -1 when there is none.
    RecipientAdditionalInfo getRecipientAdditionalInfo(int32_t key);
    // Largest key of the additional table, -1 when it is empty.
    int32_t getRecipientadditionalPK();
    // Stores the additional data of the recipient inserted just before, under that
    // recipient's key (the record's own PK is not used).
    bool insertadditionalRecipientInfo(const RecipientAdditionalInfo& record);
    // Rewrites the additional row of the record's PK; fails when there is none.
    bool updateAdditionalRecipientInfo(const RecipientAdditionalInfo& record);
    std::vector<RecipientAdditionalInfo> getAddRecipients(int32_t companyKey, int32_t kind);
    std::vector<RecipientAdditionalInfo> getAdditionalRecipients1(int32_t companyKey, int32_t direction,
                                                                  int32_t kind, int32_t ignored);
    // In table order.
    std::vector<RecipientAdditionalInfo> getRecipientAdditionalInfo1(int32_t companyKey, int32_t ignored,
                                                                     int32_t kind, int32_t ignored2);
    // Additional rows of the selected payers whose surname contains the filter.
    std::vector<RecipientAdditionalInfo> getAdditionalRecipients(const std::string& filter, int32_t direction,
                                                                 int32_t kind, int32_t status);
    std::vector<RecipientAdditionalInfo> execRecipientListAddQueryImport(const std::string& companyKey,
                                                                         const std::string& filter,
                                                                         int32_t direction, int32_t kind,
                                                                         int32_t status);
    bool FillRecipientFullInfo(RecipientFullInfo& record, FMResultSet& rs);
    // The main window's recipient list: recipients of the given payers that have
    // additional data, matching the filter ("*" wildcard) in first name, last name or
    // surname, by surname, first name and last name.
    std::vector<RecipientFullInfo> execRecipientFullInfoQuery(const std::vector<ComapnyInfo>& payers,
                                                              const std::string& filter, int32_t direction,
                                                              int32_t kind, int32_t status);
    std::vector<RecipientFullInfo> getRecipientFullInfo1(int32_t companyKey, int32_t direction, int32_t kind,
                                                         int32_t ignored);


    // ---- duplicate checks, year-end resets, recent-company keys (CompanyDatabaseYearEnd.cpp) ----
    // For each taxpayer number of imported recipients, the key of the payer's recipient
    // of that form kind that already has it (-1 for none), numbers compared with every
    // "-" removed, as the entry windows compare them; an empty number never matches.
    // Nothing, reported, when the payer's recipients cannot be read. Writes nothing.
    std::optional<std::vector<int32_t>> getRecipientConflicts(const std::vector<std::string>& taxIDs,
                                                              int32_t companyKey, int32_t kind);
    // Stores the imported payers except those whose taxpayer number a stored payer
    // already has: those get that payer's key and are returned.
    std::vector<ComapnyInfo> getCompanyConflicts(std::vector<ComapnyInfo>& imported, bool* ok = nullptr);
    // Year close: validated, printed and completed cleared on every recipient.
    bool ResetStatusFlags();
    // Every user sees the welcome window and the print alignment notice again.
    bool purgeDoNotShowAgains();
    // Brings the stored recipient column maps to this year's import field catalogue.
    bool MoveImportFields();
    // Clears the amounts and form data of every recipient, keeping names, addresses,
    // numbers, payer and form kind.
    bool purgeNonGenericRecipientInfo();
    // Largest payer key (0 for none, -1 when it cannot be read).
    int32_t GetRecentCompanyPKprioryear();
    int32_t GetRecentCompanyPKforprioryear();
    // The recently used payer key; this schema keeps none, so -1.
    int32_t GetRecentCompanyPK();


    // ---- transmitter and mailing labels (CompanyDatabaseTransmitter.cpp) ----
    // The transmitter row of that key (callers pass 1); the initial record (pk -1) without one.
    E_FileInfo getEFileInfo(int32_t key);
    // Saves the transmitter: updates the row of the record's key when the table holds a
    // row (and gives the record that row's key), inserts it as key 1 when it is empty.
    bool updateEFileInfo(E_FileInfo& record);
    // The payer's label settings; the initial record (pk and CompanyFK -1) without a row.
    MailingLabelInfo SelectMailingLabelInfo(int32_t companyKey);
    // Largest label key, 0 for an empty table.
    int32_t getMailingPK();
    // Adds a label row under a new key; the record's own pk is left as it is.
    bool insertMailingLabelInfo(const MailingLabelInfo& record);
    // Rewrites the row matching both the record's pk and CompanyFK.
    bool updateMailingLabelInfo(const MailingLabelInfo& record);


    // ---- import column maps (CompanyDatabaseImportMaps.cpp) ----
    // Replaces the stored column map of a recipient form kind (each value narrowed to
    // 16 bits; an empty list removes the map).
    bool InsertImportList(const std::vector<int32_t>& list, int32_t recipientType);
    // Puts each stored value of the form kind's map at its position in map (the caller
    // presets the positions). 1 when every row was read, 0 when the query failed, -1
    // when a row could not be read or its position lies outside map.
    int32_t SelectImportList(std::vector<int32_t>& map, int32_t recipientType);
    // The importField value of the current row.
    bool FillPortField(int16_t& field, FMResultSet& rs);
    // Appends the payer map's values to the stored ones.
    bool InsertCompImportList(const std::vector<int32_t>& list);
    // Replaces the stored payer map.
    bool UpdateCompImportList(const std::vector<int32_t>& list);
    // Marks each stored payer field: marks[value] = value, up to the first negative value.
    void SelectCompImportList(std::vector<int32_t>& marks);


    // ---- payroll tables (core/payroll/CompanyDatabasePayroll.cpp) ----
    // The 1099 schema has none of these tables: there every read gives its value for
    // nothing found and every write stores nothing and answers false, with the access
    // layer's line in the system log as the only trace. No user is asked or told.
    int32_t GetNextCompanyPK();                 // largest payroll company key plus one, 0 for none
    int32_t GetCompanyPKfromName(const std::string& name);      // 0 when none (0 is also a key)
    int32_t GetCompanyPKfromID(const std::string& fedId, bool clear);  // 0 when none
    bool SetRecentCompanyPK(int32_t key);
    int32_t GetRecentCompanyPK(int32_t ignored);  // -1 when none
    std::vector<int32_t> GetCompanyPKList();
    std::string GetFedId();                     // the first payroll company's, "" when none

    // ---- the event log (CompanyDatabaseLog.cpp), a payroll table as well ----
    // Adds an event to the log, stamped with the log clock's local time ("%x %X"). A
    // warning kind of 0 to 5 adds its words to the short text.
    bool Log(int32_t companyKey, int32_t employeeKey, int32_t logType, const std::string& shortText,
             const std::string& longText, int32_t errorFlag, int32_t warningKind);
    // "date : short text" of the company's events (with the events of no company when
    // includeGlobal), newest first. employeeKey >= 0 and logType > 0 narrow it;
    // warningMinimum >= -1 keeps warnings of at least that kind; errorFilter 1 keeps
    // errors only, 2 everything else.
    bool SelectLog(std::vector<std::string>& lines, int32_t companyKey, int32_t employeeKey, int32_t logType,
                   int32_t errorFilter, int32_t warningMinimum, bool includeGlobal);
    // The company's events in key order, column by column (each list emptied first).
    bool PullLogEntries(int32_t companyKey, std::vector<std::string>& dateTimes, std::vector<int32_t>& employeeKeys,
                        std::vector<int32_t>& logTypes, std::vector<std::string>& shortTexts,
                        std::vector<std::string>& longTexts, std::vector<int32_t>& errorFlags,
                        std::vector<int32_t>& warningFlags);
    // Adds as many events as the shortest list holds, under keys after the largest.
    bool PutLogEntries(int32_t companyKey, const std::vector<std::string>& dateTimes,
                       const std::vector<int32_t>& employeeKeys, const std::vector<int32_t>& logTypes,
                       const std::vector<std::string>& shortTexts, const std::vector<std::string>& longTexts,
                       const std::vector<int32_t>& errorFlags, const std::vector<int32_t>& warningFlags);
    bool PurgeLog();
    // The clock of the log's time stamps; an empty function restores the system clock.
    using LogClock = std::function<std::chrono::system_clock::time_point()>;
    static void setLogClock(LogClock clock);

    // ---- payroll tables again ----
    // Reads nothing: -1.
    int32_t SelectEmployee(EMPLOYEE& record, int32_t companyKey, int32_t employeeKey);
    // The check row with its detail lists; 1 when found, 0 otherwise.
    int32_t SelectCheck(CHECK& record, int32_t companyKey, int32_t checkKey);
    bool FillCheck(CHECK& record, FMResultSet& rs);
    // Detail readers: each row's value goes to the entry at its index (a row whose index
    // lies outside the list is left out and makes the answer false), or, for the value
    // sets, is appended to a new list. True when the query ran and every row was placed.
    bool SelectCheckIncomes(std::vector<int16_t>& list, int32_t companyKey, int32_t checkKey);
    bool SelectCheckDeductions(std::vector<int16_t>& list, int32_t companyKey, int32_t checkKey);
    bool SelectCheckAccruals(std::vector<int16_t>& list, int32_t companyKey, int32_t checkKey);
    bool SelectCheckQuantities(std::vector<float>& list, int32_t companyKey, int32_t checkKey);
    bool SelectCheckRates(std::vector<float>& list, int32_t companyKey, int32_t checkKey);
    bool SelectCheckPayvals(PAYVALS& values, int32_t companyKey, int32_t checkKey);
    bool SelectCheckHoursHourvals(HOURVALS& values, int32_t companyKey, int32_t checkKey);
    bool SelectCheckHrRateHourvals(HOURVALS& values, int32_t companyKey, int32_t checkKey);
    bool SelectCheckDistributionPays(std::vector<std::shared_ptr<DISTPAY>>& list, int32_t companyKey,
                                     int32_t checkKey);
    bool SelectCheckMatches(std::vector<int64_t>& list, int32_t companyKey, int32_t checkKey);
    // 1 after the last row, -1 when a row could not be placed, 0 when the query did not run.
    int32_t SelectCheckAccruedHours(std::vector<int64_t>& accHrs, int32_t companyKey, int32_t checkKey,
                                    std::vector<int64_t>& avail, std::vector<int64_t>& coh,
                                    std::vector<int64_t>& monthFlag, std::vector<int64_t>& quarterlyFlag,
                                    std::vector<int64_t>& carryOverFlag, std::vector<int64_t>& coAmtDiff,
                                    std::vector<int64_t>& checkAccrualDisable);
    // The company's magnetic-media reference; 1 when found, 0 otherwise.
    int32_t SelectMMREF(MMREF& record, int32_t companyKey);
    bool FillMMREF(MMREF& record, FMResultSet& rs);


    // ---- properties ----
    bool isReady = false;
    bool checkInUse = false;
    bool dbIsOpen = false;
    std::shared_ptr<FMDatabase> db;
    std::string filePath;
    std::string companyFilterString;

private:
    // Additional rows without a write guard of their own, for writes that run several
    // statements under one (CompanyDatabaseAdditional.cpp). found: whether the key had a row.
    bool insertAdditionalRow(const RecipientAdditionalInfo& record, int32_t key);
    bool updateAdditionalRow(const RecipientAdditionalInfo& record, bool& found);

    struct NewFileFields {
        std::string name;
        int32_t year = 0;
    };
    // Builds a file without tables from nothing, in one transaction, with the fields of
    // CreateNew when it runs for it.
    bool buildNewFile();
    bool refuse(const std::string& reason, bool show);
    bool refuseSchema(bool show);
    void verifySchemaMessage();
    std::string openFailure_;
    bool readErrorReported_ = false;
    const NewFileFields* newFields_ = nullptr;
};
