#pragma once

#include <deque>
#include <functional>
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
        std::vector<std::string> errors;
        std::string text;              // print preview
        PrintJob job;                  // print
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
    // What print answers (true, printed, unless set); every job is recorded and kept
    // under test-output/pdf/ whatever the answer.
    void answerPrint(bool printed) { printAnswer_ = printed; }
    // Also writes every job into the folder as the program's print folder does
    // (<n>-<job title>.pdf); an empty folder stops it.
    void writeJobsTo(std::string folder) { jobFolder_ = std::move(folder); }

    const std::vector<Shown>& shown() const { return shown_; }
    std::vector<MessageBoxRequest> boxes() const;
    std::vector<PrintJob> jobs() const;
    // Where each job was kept under test-output/pdf/, in order.
    const std::vector<std::string>& keptJobs() const { return keptJobs_; }
    int refreshCount() const { return refreshCount_; }
    bool allAnswersUsed() const;

    MessageBoxResult messageBox(const MessageBoxRequest& request) override;
    bool formErrors(const std::vector<std::string>& errors) override;
    int welcome() override;
    int configurationSetup(TalvexaDir* dirObject, std::string& selectedDir) override;
    int printPreview(const std::string& text) override;
    int createDatabase(databaseInfo& created) override;
    void refreshMainWindow() override { ++refreshCount_; }
    bool print(const PrintJob& job) override;

private:
    UserInterface* previous_ = nullptr;
    std::vector<Shown> shown_;
    std::deque<MessageBoxResult> boxAnswers_;
    std::deque<bool> formErrorAnswers_;
    std::deque<int> welcomeAnswers_;
    std::deque<std::pair<int, std::string>> setupAnswers_;
    std::deque<int> previewAnswers_;
    std::deque<std::function<int(databaseInfo&)>> createAnswers_;
    int refreshCount_ = 0;
    bool printAnswer_ = true;
    std::string jobFolder_;
    std::vector<std::string> keptJobs_;
};
