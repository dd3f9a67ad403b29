#include "ui/support/QtUserInterface.h"


#include "ui/setup/WelcomeDialog.h"
#include "ui/support/FormErrorDialog.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PrintPreview.h"
#include "ui/support/tvMessageDialog.h"

MessageBoxResult QtUserInterface::messageBox(const MessageBoxRequest& request) {
    MessageBoxResult result = runMessageBox(request);
    // The named-buttons box brings the main window up to date after every answer.
    if (request.variant == MessageBoxRequest::Variant::NamedButtons) refreshMainWindow();
    return result;
}

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

int QtUserInterface::configurationSetup(TalvexaDir*, std::string&) { return 2000; }

int QtUserInterface::printPreview(const std::string& text) {
    PrintPreview window;
    window.setText_Content(text);
    return runModal(&window);
}

int QtUserInterface::createDatabase(databaseInfo&) { return 1000; }

void QtUserInterface::refreshMainWindow() {}
