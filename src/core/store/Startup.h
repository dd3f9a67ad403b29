#pragma once

#include <memory>
#include <string>

class TalvexaDir;

// The start-up sequence that runs before the event loop: it opens the preferences
// database, finds last year's configuration or lets the user choose a base folder,
// creates the year's folder tree, opens the year's configuration database and sets
// the process-wide values of the session.

// Runs every start-up step up to the event loop; true when the event loop should start.
bool runStartup();

// Path of a year's configuration database (of configDir when dirObject is null).
std::string GetAppDbPath(const TalvexaDir* dirObject = nullptr);

// Looks for last year's configuration and points dirObject at it; true when found.
bool GetPriorConfigDir(TalvexaDir& dirObject);

// Settles the base folder, creates the folder tree and opens the configuration
// database; true when the program may start.
bool InitConfigInfo(bool skipPriorSearch);

// Opens (creating, or copying from prior) the year's configuration database.
bool InitAppDatabase(const TalvexaDir* prior);

// Fills the list of last year's databases; -1 when the configuration database is not
// ready, else the number of entries read from last year's list.
int LoadPriorYearDatabaseList();

void InitGlobals();
// Clears what interrupted file replacements left in the program's folders (the
// preferences, year, configuration and backups folders and every listed database's
// folder): temporary files go, a kept-aside database goes back where its file is missing.
void sweepProgramFolders();
void LoadPreferences();

bool IsFirstRun();
bool IsExistingUser();
void SetConfigDir(std::shared_ptr<TalvexaDir> dir);
// A copy of configDir that the caller may change freely.
std::shared_ptr<TalvexaDir> GetConfigDir();
void SavePreferences();
