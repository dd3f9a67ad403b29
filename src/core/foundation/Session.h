#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TalvexaDir;
class Preferences;
class DatabaseHolder;
class Company;
class Recipient;
class Login_Info;
class UserInterface;
class databaseInfo;
struct PayrollContext;

// The process-wide values that windows and services share. There is one Session,
// reached through session(); tests start each case from a fresh one (resetSession()).
struct Session {
    Session();

    std::shared_ptr<TalvexaDir> configDir;      // the year's configuration directory
    std::shared_ptr<Preferences> Prefs;         // the open preferences database
    std::shared_ptr<DatabaseHolder> DBH;        // configuration and open company database
    std::shared_ptr<Company> comp_details;      // selected payers
    std::shared_ptr<Recipient> recp_details;    // selected recipients
    std::shared_ptr<Login_Info> loginInfo;      // the logged-in user

    int32_t type = 0;                   // form kind of the main window's filter, 0 all forms
    std::string ControlledTempDir;      // the year's configuration folder, scratch files
    int32_t CompanyDeleted = 0;         // set by the payer delete
    int64_t nec = 0;                    // 1099-MISC box 9 cents of the record last totalled

    bool isExistingUser = false;
    bool appDBReady = false;
    bool isFirstRun = false;
    int32_t OpenFlag = 0;
    int32_t companyPK = -1;

    // The main window's selection, as other windows and the print and filing runs read it.
    int64_t numberSelections = 0;       // selected company rows at the last company selection
    int64_t Sel_Rowcomprow = -1;        // the company list's selected row then (-1 none)
    int64_t numberSelectionsrec = 0;    // selected recipient rows at the last recipient selection
    std::string _RecipientFilterString; // the recipient filter text last used
    bool IsWelcome = false;             // the configuration tree just created the application folder

    // ---- payer windows ----
    // Set when a payer window is closed by Cancel or its close box, cleared when a company
    // database is created: while set, every payer window checks its fields on opening.
    bool CompanyInfoEditflag = false;
    // Set by the IRIS payer window's submit, help and export; while set, that window
    // checks its fields on opening. Cleared with CompanyInfoEditflag.
    bool ADDInfoEditflag = false;

    // The window layer's implementation of the user-interaction seam (not owned
    // through the session: the installer keeps it alive).
    UserInterface* ui = nullptr;

    // ---- opening company databases and the database manager ----
    bool secPassword = false;                       // cleared when the company view closes
    std::shared_ptr<databaseInfo> dbInfo;           // the manager's current entry; null for none
    int32_t SelectDbIndex = -1;                     // list row to select when the manager loads
    bool findDb = false;                            // a find is under way in the manager
    std::string selectedtoadd_high1;                // path of the database last examined for adding
    std::string selecteddbname_inFDsearch;          // first path picked in the find dialog
    std::vector<std::string> selected_list;         // every path picked in the find dialog

    // ---- recipient import: what the target window chose ----
    int32_t _type = 1;                  // form kind of the recipients to import (1, 2, 3, 4, 5 or 7)
    int32_t CPK = -1;                   // key of the payer that receives them

    // ---- form print runs ----
    int32_t currentForm = 0;                // copy code being printed; keeps the last one after a run
    bool PartialYear = false;               // forms print only "25" for the calendar year
    int32_t totalNumberOfForms = 0;         // 1096: forms of recipients that are not void
    int64_t totalFedTaxWithheld = 0;        // 1096: federal income tax withheld, cents
    int64_t totalAmountForThisForm1096 = 0; // 1096: total amount reported, cents
    // The user asked not to see the alignment notice again; lasts until the program ends.
    bool checkbox = false;

    // ---- payroll context: kept here so that a fresh session starts it afresh; the
    // payroll model owns its contents and makes it on first use (payrollContext()).
    std::shared_ptr<PayrollContext> payroll;
};

Session& session();
void resetSession();

// The installed seam; aborts with a clear message when none is installed, because
// core code that must ask the user cannot go on silently.
UserInterface& userInterface();
