#pragma once

#include "core/foundation/UserInterface.h"

// The window layer's answer to core's questions: each call runs the matching window
// application-modally and reports how it ended.
class QtUserInterface : public UserInterface {
public:
    MessageBoxResult messageBox(const MessageBoxRequest& request) override;
    bool formErrors(const std::vector<std::string>& errors) override;
    int welcome() override;
    int configurationSetup(TalvexaDir* dirObject, std::string& selectedDir) override;
    int printPreview(const std::string& text) override;
    // No create-database window exists yet: answers as its close box would.
    int createDatabase(databaseInfo& created) override;
    // Brings the main window up to date, when there is one.
    void refreshMainWindow() override;
    int alert(const AlertRequest& request) override;
    std::optional<std::string> chooseOpenFile(const OpenFileRequest& request) override;
    // The import error list (Formerrorwindowdlg2) and conflict list (ConflictWindow).
    int importErrors(const std::vector<std::string>& errors) override;
    int importConflicts(const std::vector<std::string>& names, std::vector<int>& chosenRows) override;
    // Through the main window; without one, the session's company database is closed
    // directly and nothing is reopened.
    bool closeDatabase(bool offerBackup, bool automatic) override;
    bool openRecentDatabase() override;
    // The print dialog over the active window (or the print folder; see printJob).
    PrintResult print(const PrintJob& job) override;
    std::optional<std::string> chooseFolder(const FolderRequest& request) override;
    std::optional<std::string> chooseSaveFile(const SaveFileRequest& request) override;
    // Runs CloudBackupController.
    int cloudBackupEnrolment() override;
    // A ProgressWindow; none for a job off the window thread.
    std::unique_ptr<JobProgress> jobProgress(const JobRequest& request) override;
};
