#include "ui/support/QtUserInterface.h"

#include <QApplication>

#include "ui/main/AppDelegate.h"
#include "ui/print/PrintJobSink.h"
#include "ui/setup/Configuration_Setup.h"
#include "ui/setup/WelcomeDialog.h"
#include "ui/support/FormErrorDialog.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PrintPreview.h"
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

int QtUserInterface::createDatabase(databaseInfo&) { return kCreateDatabaseCloseBoxCode; }

void QtUserInterface::refreshMainWindow() {
    if (company_Refer) company_Refer->Refresh();
}

bool QtUserInterface::print(const PrintJob& job) { return printJob(QApplication::activeWindow(), job); }
