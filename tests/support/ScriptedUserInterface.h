#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"

// A scripted stand-in for the window layer. Every window that core code runs is
// recorded; answers come from queues. A window with no queued answer fails the test.
class ScriptedUserInterface : public UserInterface {
public:
    struct Shown {
        std::string window;            // "messageBox", "formErrors", "welcome", ...
        MessageBoxRequest box;         // for message boxes
        std::vector<std::string> errors;  // error lists; the conflict list's names
        std::string text;              // print preview; closeDatabase: "backup", " automatic"
        PrintJob job;                  // print
        AlertRequest alert;            // "alert"
        OpenFileRequest openFile;      // "chooseOpenFile"
        FolderRequest folder;          // "chooseFolder"
        SaveFileRequest saveFile;      // "chooseSaveFile"
        bool offerBackup = false;      // "closeDatabase": its two arguments
        bool automatic = false;
    };

    // Installs itself into the session for its lifetime.
    ScriptedUserInterface();
    ~ScriptedUserInterface() override;

    // Answers, consumed in order.
    void answerBox(int code, bool doNotShowAgain = false);
    void answerFormErrors(bool saveAnyway);
    void answerWelcome(int code = 1111);
    // Configuration setup: end code and the folder the user chose (ending in "/").
    void answerSetup(int code, std::string selectedDir);
    void answerPrintPreview(int code = 1234);
    void answerCreateDatabase(std::function<int(databaseInfo&)> answer);
    // The alert: the code of the pressed button (kAlertFirstButtonCode + its index).
    void answerAlert(int code);
    // The open-file chooser: a path, or nothing for Cancel.
    void answerOpenFile(std::optional<std::string> path);
    // The folder chooser: a folder, or nothing for Cancel.
    void answerFolder(std::optional<std::string> path);
    void answerImportErrors(int code);
    // The conflict list: its end code and the rows selected then.
    void answerImportConflicts(int code, std::vector<int> chosenRows = {});
    // The next close of the company database is refused, as when a window stays open.
    void refuseCloseDatabase() { ++closeRefusals_; }
    // The next reopening of the recent database ends with nothing open, as when the user
    // cancels its login.
    void cancelReopenLogin() { ++reopenCancels_; }
    // What print answers (true, printed, unless set); every job is recorded and kept
    // under test-output/pdf/ whatever the answer (a form run's sheets are recorded only).
    void answerPrint(bool printed) { printAnswer_ = printed ? PrintResult::printed : PrintResult::cancelled; }
    void answerPrint(PrintResult result) { printAnswer_ = result; }
    // Also writes every job into the folder as the program's print folder does
    // (<n>-<job title>.pdf); an empty folder stops it.
    void writeJobsTo(std::string folder) { jobFolder_ = std::move(folder); }

    const std::vector<Shown>& shown() const { return shown_; }
    std::vector<MessageBoxRequest> boxes() const;
    std::vector<AlertRequest> alerts() const;
    // The names of what was shown or called, in order.
    std::vector<std::string> sequence() const;
    std::vector<PrintJob> jobs() const;
    // Where each job was kept under test-output/pdf/, in order (empty for sheets).
    const std::vector<std::string>& keptJobs() const { return keptJobs_; }
    int refreshCount() const { return refreshCount_; }
    bool allAnswersUsed() const;
    // How often a window or hook ("closeDatabase", "openRecentDatabase", ...) was reached.
    int count(const std::string& window) const;

    MessageBoxResult messageBox(const MessageBoxRequest& request) override;
    bool formErrors(const std::vector<std::string>& errors) override;
    int welcome() override;
    int configurationSetup(TalvexaDir* dirObject, std::string& selectedDir) override;
    int printPreview(const std::string& text) override;
    int createDatabase(databaseInfo& created) override;
    void refreshMainWindow() override { ++refreshCount_; }
    int alert(const AlertRequest& request) override;
    std::optional<std::string> chooseOpenFile(const OpenFileRequest& request) override;
    int importErrors(const std::vector<std::string>& errors) override;
    int importConflicts(const std::vector<std::string>& names, std::vector<int>& chosenRows) override;
    // As the main window does: the session's company database loses its in-use mark and
    // closes; the recent database of the configuration database is opened again.
    bool closeDatabase(bool offerBackup, bool automatic) override;
    bool openRecentDatabase() override;
    PrintResult print(const PrintJob& job) override;
    std::optional<std::string> chooseFolder(const FolderRequest& request) override;

    // The save-file chooser: a path, or nothing for Cancel.
    void answerSaveFile(std::optional<std::string> path);
    // The enrolment dialog: its end code, or what the dialog does before it ends.
    void answerCloudBackupEnrolment(int code);
    void answerCloudBackupEnrolment(std::function<int()> answer);
    std::optional<std::string> chooseSaveFile(const SaveFileRequest& request) override;
    int cloudBackupEnrolment() override;

private:
    UserInterface* previous_ = nullptr;
    std::vector<Shown> shown_;
    std::deque<MessageBoxResult> boxAnswers_;
    std::deque<bool> formErrorAnswers_;
    std::deque<int> welcomeAnswers_;
    std::deque<std::pair<int, std::string>> setupAnswers_;
    std::deque<int> previewAnswers_;
    std::deque<std::function<int(databaseInfo&)>> createAnswers_;
    std::deque<int> alertAnswers_;
    std::deque<std::optional<std::string>> openFileAnswers_;
    std::deque<std::optional<std::string>> folderAnswers_;
    std::deque<int> importErrorAnswers_;
    std::deque<std::pair<int, std::vector<int>>> conflictAnswers_;
    int refreshCount_ = 0;
    int closeRefusals_ = 0;
    int reopenCancels_ = 0;
    PrintResult printAnswer_ = PrintResult::printed;
    std::string jobFolder_;
    std::vector<std::string> keptJobs_;
    std::deque<std::optional<std::string>> saveFileAnswers_;
    std::deque<std::function<int()>> enrolmentAnswers_;
};
