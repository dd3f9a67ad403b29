#include "ui/support/QtUserInterface.h"

#include <QApplication>
#include <QThread>

#include "core/foundation/Session.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/DatabaseHolder.h"
#include "ui/admin/CloudBackupController.h"
#include "ui/database/CreateDatabaseDialog.h"
#include "ui/import/ConflictWindow.h"
#include "ui/import/Formerrorwindowdlg2.h"
#include "ui/main/AppDelegate.h"
#include "ui/print/PrintJobSink.h"
#include "ui/setup/Configuration_Setup.h"
#include "ui/setup/WelcomeDialog.h"
#include "ui/support/DatabaseAlert.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/FormErrorDialog.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PrintPreview.h"
#include "ui/support/ProgressWindow.h"
#include "ui/support/tvMessageDialog.h"

MessageBoxResult QtUserInterface::messageBox(const MessageBoxRequest& request) { return runMessageBox(request); }

bool QtUserInterface::formErrors(const std::vector<std::string>& errors) {
    FormErrorDialog list;
    list.geterrors(errors);
    runModal(&list);
    return list.getbuttonSelection() == 1;
}

int QtUserInterface::welcome() {
    WelcomeDialog window;
    return runModal(&window);
}

int QtUserInterface::configurationSetup(TalvexaDir* dirObject, std::string& selectedDir) {
    Configuration_Setup window;
    window.SetTalvexaDir(dirObject);
    const int code = runModal(&window);
    selectedDir = window.getTalvexaDir();
    return code;
}

int QtUserInterface::printPreview(const std::string& text) {
    PrintPreview window;
    window.setText_Content(text);
    return runModal(&window);
}


void QtUserInterface::refreshMainWindow() {
    if (company_Refer) company_Refer->Refresh();
}

namespace {

// What a chooser or alert opens over: the window the user is working in, which is
// active again when it closes (a window beside the main window, such as Start New
// Year, as well as the main window).
QWidget* currentWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow(); active && active->isVisible()) return active;
    return company_Refer;
}

IconKind iconKind(AlertIcon icon) {
    switch (icon) {
        case AlertIcon::Message: return IconKind::Message;
        case AlertIcon::Error: return IconKind::Error;
        case AlertIcon::Prompt: return IconKind::Prompt;
        case AlertIcon::Info: return IconKind::Info;
        case AlertIcon::Plain: break;
    }
    return IconKind::Plain;
}

}  // namespace

int QtUserInterface::createDatabase(databaseInfo& created) {
    CreateDatabaseDialog dialog(currentWindow());
    const int code = runModal(&dialog);
    created = dialog.GetDatabaseInfo();
    return code;
}

int QtUserInterface::alert(const AlertRequest& request) {
    int pressed = runDatabaseAlert(currentWindow(), iconKind(request.icon), request.title, request.message,
                                   request.informative, request.buttons, false, request.returnButton);
    if (pressed < 0) pressed = request.buttons.empty() ? 0 : static_cast<int>(request.buttons.size()) - 1;
    return kAlertFirstButtonCode + pressed;
}

std::optional<std::string> QtUserInterface::chooseOpenFile(const OpenFileRequest& request) {
    std::string filter;
    if (!request.fileType.empty()) {
        const std::string pattern = "*." + request.fileType;
        filter = request.typeName.empty() ? pattern : request.typeName + " (" + pattern + ")";
    }
    return ::chooseOpenFile(currentWindow(), request.message, request.startFolder, filter);
}

int QtUserInterface::importErrors(const std::vector<std::string>& errors) {
    Formerrorwindowdlg2 list(currentWindow());
    list.geterrors(errors);
    return runModal(&list) == Formerrorwindowdlg2::kOKCode ? kImportErrorsOKCode : kImportErrorsCancelCode;
}

int QtUserInterface::importConflicts(const std::vector<std::string>& names, std::vector<int>& chosenRows) {
    ConflictWindow list(currentWindow());
    list.geterrors(names);
    const bool ok = runModal(&list) == ConflictWindow::kOKCode;
    chosenRows = ok ? list.getselection() : std::vector<int>{};
    return ok ? kImportConflictsOKCode : kImportConflictsCancelCode;
}

bool QtUserInterface::closeDatabase(bool offerBackup, bool automatic) {
    if (company_Refer) return company_Refer->CloseDatabase(offerBackup, automatic);
    const Session& s = session();
    if (!s.DBH) return true;
    if (const auto& company = s.DBH->companyDatabase(); company && company->IsReady()) {
        company->SetInUse(0);
        company->Close();
    }
    return true;
}

bool QtUserInterface::openRecentDatabase() { return company_Refer && company_Refer->OpenRecentDatabase(-1, 0, false); }

PrintResult QtUserInterface::print(const PrintJob& job) { return printJob(QApplication::activeWindow(), job); }

std::optional<std::string> QtUserInterface::chooseFolder(const FolderRequest& request) {
    return ::chooseFolder(currentWindow(), request.message, request.startFolder);
}

std::optional<std::string> QtUserInterface::chooseSaveFile(const SaveFileRequest& request) {
    std::string filter;
    if (!request.fileType.empty()) {
        const std::string pattern = "*." + request.fileType;
        filter = request.typeName.empty() ? pattern : request.typeName + " (" + pattern + ")";
    }
    return ::chooseSaveFile(currentWindow(), request.message, request.startFolder, request.fileName, filter,
                            request.fileType);
}

int QtUserInterface::cloudBackupEnrolment() {
    CloudBackupController dialog(currentWindow());
    return runModal(&dialog);
}

std::unique_ptr<JobProgress> QtUserInterface::jobProgress(const JobRequest& request) {
    // Windows live on the window thread only; a job elsewhere runs without one.
    if (QThread::currentThread() != QCoreApplication::instance()->thread()) return nullptr;
    return std::make_unique<ProgressWindow>(request);
}
