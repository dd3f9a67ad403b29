#include "ScriptedUserInterface.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "core/foundation/AppDatabase.h"
#include "core/foundation/databaseInfo.h"
#include "core/store/CompanyDatabase.h"
#include "KeptPdf.h"
#include "core/print/PrintJobFolder.h"
#include "core/store/DatabaseHolder.h"

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

std::vector<MessageBoxRequest> ScriptedUserInterface::boxes() const {
    std::vector<MessageBoxRequest> out;
    for (const auto& s : shown_)
        if (s.window == "messageBox") out.push_back(s.box);
    return out;
}

int ScriptedUserInterface::count(const std::string& window) const {
    return static_cast<int>(
        std::count_if(shown_.begin(), shown_.end(), [&](const Shown& s) { return s.window == window; }));
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
           openFileAnswers_.empty() && folderAnswers_.empty() && importErrorAnswers_.empty() && conflictAnswers_.empty() &&
           closeRefusals_ == 0 && saveFileAnswers_.empty() && enrolmentAnswers_.empty();
}

void ScriptedUserInterface::answerAlert(int code) { alertAnswers_.push_back(code); }
void ScriptedUserInterface::answerOpenFile(std::optional<std::string> path) {
    openFileAnswers_.push_back(std::move(path));
}
void ScriptedUserInterface::answerImportErrors(int code) { importErrorAnswers_.push_back(code); }
void ScriptedUserInterface::answerImportConflicts(int code, std::vector<int> chosenRows) {
    conflictAnswers_.emplace_back(code, std::move(chosenRows));
}

std::vector<AlertRequest> ScriptedUserInterface::alerts() const {
    std::vector<AlertRequest> out;
    for (const auto& s : shown_)
        if (s.window == "alert") out.push_back(s.alert);
    return out;
}

std::vector<std::string> ScriptedUserInterface::sequence() const {
    std::vector<std::string> out;
    for (const auto& s : shown_) out.push_back(s.window);
    return out;
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

bool ScriptedUserInterface::closeDatabase(bool offerBackup, bool automatic) {
    Shown shown = named("closeDatabase");
    shown.text = std::string(offerBackup ? "backup" : "") + (automatic ? " automatic" : "");
    shown.offerBackup = offerBackup;
    shown.automatic = automatic;
    shown_.push_back(shown);
    if (closeRefusals_ > 0) {
        --closeRefusals_;
        return false;
    }
    const Session& s = session();
    if (!s.DBH) return true;
    if (const auto& company = s.DBH->companyDatabase(); company && company->IsReady()) {
        company->SetInUse(0);
        company->Close();
    }
    return true;
}

bool ScriptedUserInterface::openRecentDatabase() {
    shown_.push_back(named("openRecentDatabase"));
    if (reopenCancels_ > 0) {
        --reopenCancels_;
        return false;
    }
    const Session& s = session();
    if (!s.DBH || !s.DBH->appDatabase() || !s.DBH->appDatabase()->IsReady()) return false;
    const std::optional<databaseInfo> recent = s.DBH->appDatabase()->GetRecentDatabaseInfo();
    const auto& company = s.DBH->companyDatabase();
    if (!recent || !company) return false;
    if (company->IsReady()) {
        if (company->GetPath() == recent->path()) return true;
        company->SetInUse(0);
        company->Close();
    }
    return company->Init(recent->path(), true, true, true, recent->name());
}

PrintResult ScriptedUserInterface::print(const PrintJob& job) {
    Shown s;
    s.window = "print";
    s.job = job;
    shown_.push_back(s);
    // A form run's sheets are painted by the window layer; there is no document to keep.
    keptJobs_.push_back(job.sheets ? std::string() : testoutput::keepPdf(job.pdf));
    if (!jobFolder_.empty() && !job.sheets) {
        std::string reason;
        EXPECT_TRUE(savePrintJob(jobFolder_, job, reason).has_value()) << reason;
    }
    return printAnswer_;
}

int ScriptedUserInterface::alert(const AlertRequest& request) {
    Shown s = named("alert");
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
    Shown s = named("chooseOpenFile");
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
    Shown s = named("importErrors");
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
    Shown s = named("importConflicts");
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

void ScriptedUserInterface::answerFolder(std::optional<std::string> path) { folderAnswers_.push_back(std::move(path)); }

std::optional<std::string> ScriptedUserInterface::chooseFolder(const FolderRequest& request) {
    Shown s = named("chooseFolder");
    s.folder = request;
    shown_.push_back(s);
    if (folderAnswers_.empty()) {
        ADD_FAILURE() << "unexpected folder chooser: \"" << request.message << "\"";
        return std::nullopt;
    }
    auto r = std::move(folderAnswers_.front());
    folderAnswers_.pop_front();
    return r;
}

void ScriptedUserInterface::answerSaveFile(std::optional<std::string> path) {
    saveFileAnswers_.push_back(std::move(path));
}
void ScriptedUserInterface::answerCloudBackupEnrolment(int code) {
    enrolmentAnswers_.push_back([code] { return code; });
}
void ScriptedUserInterface::answerCloudBackupEnrolment(std::function<int()> answer) {
    enrolmentAnswers_.push_back(std::move(answer));
}

std::optional<std::string> ScriptedUserInterface::chooseSaveFile(const SaveFileRequest& request) {
    Shown s = named("chooseSaveFile");
    s.saveFile = request;
    shown_.push_back(s);
    if (saveFileAnswers_.empty()) {
        ADD_FAILURE() << "unexpected save-file chooser: \"" << request.message << "\"";
        return std::nullopt;
    }
    auto r = std::move(saveFileAnswers_.front());
    saveFileAnswers_.pop_front();
    return r;
}

int ScriptedUserInterface::cloudBackupEnrolment() {
    shown_.push_back(named("cloudBackupEnrolment"));
    if (enrolmentAnswers_.empty()) {
        ADD_FAILURE() << "unexpected cloud backup enrolment dialog";
        return kCloudBackupCloseCode;
    }
    auto answer = std::move(enrolmentAnswers_.front());
    enrolmentAnswers_.pop_front();
    return answer();
}
