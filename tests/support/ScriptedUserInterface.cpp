#include "ScriptedUserInterface.h"

#include <gtest/gtest.h>

#include "KeptPdf.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/DatabaseHolder.h"
#include "core/foundation/databaseInfo.h"
#include "core/print/PrintJobFolder.h"
#include "core/store/CompanyDatabase.h"

namespace {

ScriptedUserInterface::Shown named(std::string window) {
    ScriptedUserInterface::Shown s;
    s.window = std::move(window);
    return s;
}

}  // namespace

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

void ScriptedUserInterface::answerAlert(int code) { alertAnswers_.push_back(code); }
void ScriptedUserInterface::answerOpenFile(std::optional<std::string> path) {
    openFileAnswers_.push_back(std::move(path));
}
void ScriptedUserInterface::answerImportErrors(int code) { importErrorAnswers_.push_back(code); }
void ScriptedUserInterface::answerImportConflicts(int code, std::vector<int> chosenRows) {
    conflictAnswers_.emplace_back(code, std::move(chosenRows));
}
void ScriptedUserInterface::refuseCloseDatabase() { ++closeRefusals_; }

std::vector<AlertRequest> ScriptedUserInterface::alerts() const {
    std::vector<AlertRequest> out;
    for (const auto& s : shown_)
        if (s.window == "alert") out.push_back(s.alert);
    return out;
}

int ScriptedUserInterface::count(const std::string& window) const {
    int n = 0;
    for (const auto& s : shown_)
        if (s.window == window) ++n;
    return n;
}

std::vector<std::string> ScriptedUserInterface::sequence() const {
    std::vector<std::string> out;
    for (const auto& s : shown_) out.push_back(s.window);
    return out;
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
           setupAnswers_.empty() && previewAnswers_.empty() && createAnswers_.empty() && alertAnswers_.empty() &&
           openFileAnswers_.empty() && importErrorAnswers_.empty() && conflictAnswers_.empty() &&
           closeRefusals_ == 0;
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
    shown_.push_back(named("welcome"));
    if (welcomeAnswers_.empty()) {
        ADD_FAILURE() << "unexpected welcome window";
        return 1111;
    }
    int r = welcomeAnswers_.front();
    welcomeAnswers_.pop_front();
    return r;
}

int ScriptedUserInterface::configurationSetup(TalvexaDir*, std::string& selectedDir) {
    shown_.push_back(named("configurationSetup"));
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
    Shown s = named("printPreview");
    s.text = text;
    shown_.push_back(s);
    if (previewAnswers_.empty()) {
        ADD_FAILURE() << "unexpected print preview";
        return 1234;
    }
    int r = previewAnswers_.front();
    previewAnswers_.pop_front();
    return r;
}

int ScriptedUserInterface::createDatabase(databaseInfo& created) {
    shown_.push_back(named("createDatabase"));
    if (createAnswers_.empty()) {
        ADD_FAILURE() << "unexpected create-database dialog";
        return 1000;
    }
    auto answer = std::move(createAnswers_.front());
    createAnswers_.pop_front();
    return answer(created);
}

int ScriptedUserInterface::alert(const AlertRequest& request) {
    Shown s;
    s.window = "alert";
    s.alert = request;
    shown_.push_back(s);
    if (alertAnswers_.empty()) {
        ADD_FAILURE() << "unexpected alert: \"" << request.message << "\"";
        return kAlertFirstButtonCode;
    }
    const int r = alertAnswers_.front();
    alertAnswers_.pop_front();
    return r;
}

std::optional<std::string> ScriptedUserInterface::chooseOpenFile(const OpenFileRequest& request) {
    Shown s;
    s.window = "chooseOpenFile";
    s.openFile = request;
    shown_.push_back(s);
    if (openFileAnswers_.empty()) {
        ADD_FAILURE() << "unexpected open-file chooser: \"" << request.message << "\"";
        return std::nullopt;
    }
    auto r = std::move(openFileAnswers_.front());
    openFileAnswers_.pop_front();
    return r;
}

int ScriptedUserInterface::importErrors(const std::vector<std::string>& errors) {
    Shown s;
    s.window = "importErrors";
    s.errors = errors;
    shown_.push_back(s);
    if (importErrorAnswers_.empty()) {
        ADD_FAILURE() << "unexpected import error list";
        return kImportErrorsCancelCode;
    }
    const int r = importErrorAnswers_.front();
    importErrorAnswers_.pop_front();
    return r;
}

int ScriptedUserInterface::importConflicts(const std::vector<std::string>& names, std::vector<int>& chosenRows) {
    Shown s;
    s.window = "importConflicts";
    s.errors = names;
    shown_.push_back(s);
    chosenRows.clear();
    if (conflictAnswers_.empty()) {
        ADD_FAILURE() << "unexpected import conflict list";
        return kImportConflictsCancelCode;
    }
    auto [code, rows] = std::move(conflictAnswers_.front());
    conflictAnswers_.pop_front();
    chosenRows = std::move(rows);
    return code;
}

bool ScriptedUserInterface::closeDatabase(bool offerBackup, bool automatic) {
    Shown s;
    s.window = "closeDatabase";
    s.offerBackup = offerBackup;
    s.automatic = automatic;
    shown_.push_back(s);
    if (closeRefusals_ > 0) {
        --closeRefusals_;
        return false;
    }
    const auto& holder = session().DBH;
    if (auto company = holder ? holder->companyDatabase() : nullptr) {
        if (company->IsReady()) company->SetInUse(0);
        company->Close();
    }
    return true;
}

bool ScriptedUserInterface::openRecentDatabase() {
    Shown s;
    s.window = "openRecentDatabase";
    shown_.push_back(s);
    const auto& holder = session().DBH;
    if (!holder || !holder->appDatabase() || !holder->appDatabase()->isReady()) return false;
    const std::optional<databaseInfo> recent = holder->appDatabase()->GetRecentDatabaseInfo();
    if (!recent) return false;
    auto company = holder->companyDatabase();
    if (company->IsReady() && company->GetPath() == recent->path()) return true;
    if (!company->Init(recent->path(), true, false, true, recent->name())) return false;
    company->SetBackup(false);
    return true;
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
