#include <cstdio>
#include <exception>

#include <QApplication>
#include <QTimer>

#include "core/foundation/Session.h"
#include "core/foundation/Utils.h"
#include "core/store/Startup.h"
#include "core/update/Version.h"
#include "ui/admin/AdminHandOffs.h"
#include "ui/efile/AdditionalPayersInformation.h"
#include "ui/efile/EFileFrameController.h"
#include "ui/import/ImportTypeDialog.h"
#include "ui/main/AppDelegate.h"
#include "ui/newyear/ImportPriorYear.h"
#include "ui/payroll/ReportPrinting.h"
#include "ui/print/EditPrintformats.h"
#include "ui/print/PrintHandOffs.h"
#include "ui/support/HandOffs.h"
#include "ui/support/Icons.h"
#include "ui/support/QtUserInterface.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talvexa 1099"));
    QApplication::setWindowIcon(talvexaApplicationIcon());
    // The start-up windows come and go before any other window exists; closing the
    // last of them must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    QtUserInterface ui;
    session().ui = &ui;
    installPrintHandOffs();
    installReportPrinting();

    handOffs().makeEFileWindow = &EFileFrameController::make;
    handOffs().runIrisWindow = &AdditionalPayersInformation::runFromMainWindow;
    installAdminHandOffs();
    handOffs().runImportDialog = &ImportTypeDialog::runFromMainWindow;
    // Edit Print Forms: the layout chooser and editor.
    handOffs().editPrintLayouts = &EditPrintformats::runFromMainWindow;

    // The Start New Year window: beside the main window from the menu, modal from the
    // context button.
    handOffs().makeNewYearWindow = &ImportPriorYear::make;
    handOffs().runNewYearWindow = &ImportPriorYear::runFromMainWindow;

    // The update check, from the menu and at start-up (there only when the web site
    // answers, and off the window's thread: a silent server must not hold the window).
    handOffs().internetAvailable = &Utils::CheckInternet;
    handOffs().latestVersion = &runUpdateCheck;
    handOffs().launchUpdateCheck = [] { return prepareLaunchUpdateCheck(&Utils::CheckInternet); };

    int status = 0;
    try {
        if (runStartup()) {
            // From here on the main window is the program: closing it ends the program.
            QApplication::setQuitOnLastWindowClosed(true);
            AppDelegate window;
            window.show();
            // The rest of the start-up (reopening the recent database, the update check,
            // the information window) runs once the event loop is going.
            QTimer::singleShot(0, &window, [&window] { window.applicationDidFinishLaunching(); });
            status = app.exec();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "talvexa: %s\n", e.what());
        status = 1;
    }

    session().ui = nullptr;
    return status;
}
