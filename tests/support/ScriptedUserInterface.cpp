#include "ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include "KeptPdf.h"
#include "core/print/PrintJobFolder.h"

ScriptedUserInterface::ScriptedUserInterface() {
    previous_ = session().ui;
    session().ui = this;
}

ScriptedUserInterface::~ScriptedUserInterface() {
    if (session().ui == this) session().ui = previous_;
}

void ScriptedUserInterface::answerBox(int code, bool doNotShowAgain) {
    boxAnswers_.push_back(MessageBoxResult{code, doNotShowAgain});
}
void ScriptedUserInterface::answerFormErrors(bool saveAnyway) { formErrorAnswers_.push_back(saveAnyway); }
void ScriptedUserInterface::answerWelcome(int code) { welcomeAnswers_.push_back(code); }
void ScriptedUserInterface::answerSetup(int code, std::string selectedDir) {
    setupAnswers_.emplace_back(code, std::move(selectedDir));
}
void ScriptedUserInterface::answerPrintPreview(int code) { previewAnswers_.push_back(code); }
void ScriptedUserInterface::answerCreateDatabase(std::function<int(databaseInfo&)> answer) {
    createAnswers_.push_back(std::move(answer));
}

std::vector<MessageBoxRequest> ScriptedUserInterface::boxes() const {
    std::vector<MessageBoxRequest> out;
    for (const auto& s : shown_)
        if (s.window == "messageBox") out.push_back(s.box);
    return out;
}

std::vector<PrintJob> ScriptedUserInterface::jobs() const {
    std::vector<PrintJob> out;
    for (const auto& s : shown_)
        if (s.window == "print") out.push_back(s.job);
    return out;
}

bool ScriptedUserInterface::allAnswersUsed() const {
    return boxAnswers_.empty() && formErrorAnswers_.empty() && welcomeAnswers_.empty() &&
           setupAnswers_.empty() && previewAnswers_.empty() && createAnswers_.empty();
}

MessageBoxResult ScriptedUserInterface::messageBox(const MessageBoxRequest& request) {
    Shown s;
    s.window = "messageBox";
    s.box = request;
    shown_.push_back(s);
    if (boxAnswers_.empty()) {
        ADD_FAILURE() << "unexpected message box: \"" << request.caption << "\" / \"" << request.details << "\"";
        return MessageBoxResult{1000, request.checkBoxState};
    }
    MessageBoxResult r = boxAnswers_.front();
    boxAnswers_.pop_front();
    return r;
}

bool ScriptedUserInterface::formErrors(const std::vector<std::string>& errors) {
    Shown s;
    s.window = "formErrors";
    s.errors = errors;
    shown_.push_back(s);
    if (formErrorAnswers_.empty()) {
        ADD_FAILURE() << "unexpected validation-error list";
        return false;
    }
    bool r = formErrorAnswers_.front();
    formErrorAnswers_.pop_front();
    return r;
}

int ScriptedUserInterface::welcome() {
    shown_.push_back(Shown{"welcome", {}, {}, {}, {}});
    if (welcomeAnswers_.empty()) {
        ADD_FAILURE() << "unexpected welcome window";
        return 1111;
    }
    int r = welcomeAnswers_.front();
    welcomeAnswers_.pop_front();
    return r;
}

int ScriptedUserInterface::configurationSetup(TalvexaDir*, std::string& selectedDir) {
    shown_.push_back(Shown{"configurationSetup", {}, {}, {}, {}});
    if (setupAnswers_.empty()) {
        ADD_FAILURE() << "unexpected configuration-setup window";
        return 2000;
    }
    auto [code, dir] = setupAnswers_.front();
    setupAnswers_.pop_front();
    selectedDir = dir;
    return code;
}

int ScriptedUserInterface::printPreview(const std::string& text) {
    shown_.push_back(Shown{"printPreview", {}, {}, text, {}});
    if (previewAnswers_.empty()) {
        ADD_FAILURE() << "unexpected print preview";
        return 1234;
    }
    int r = previewAnswers_.front();
    previewAnswers_.pop_front();
    return r;
}

int ScriptedUserInterface::createDatabase(databaseInfo& created) {
    shown_.push_back(Shown{"createDatabase", {}, {}, {}, {}});
    if (createAnswers_.empty()) {
        ADD_FAILURE() << "unexpected create-database dialog";
        return 1000;
    }
    auto answer = std::move(createAnswers_.front());
    createAnswers_.pop_front();
    return answer(created);
}

bool ScriptedUserInterface::print(const PrintJob& job) {
    Shown s;
    s.window = "print";
    s.job = job;
    shown_.push_back(s);
    keptJobs_.push_back(testoutput::keepPdf(job.pdf));
    if (!jobFolder_.empty()) {
        std::string reason;
        EXPECT_TRUE(savePrintJob(jobFolder_, job, reason).has_value()) << reason;
    }
    return printAnswer_;
}
