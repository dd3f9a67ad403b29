#include <cstdio>
#include <exception>

#include <QApplication>

#include "core/foundation/Session.h"
#include "core/foundation/Startup.h"
#include "core/foundation/tvDatabase.h"
#include "ui/support/QtUserInterface.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Talvexa 1099"));
    // The start-up windows come and go before any other window exists; closing the
    // last of them must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);

    QtUserInterface ui;
    session().ui = &ui;

    int status = 0;
    try {
        if (runStartup()) {
            // Start-up has settled the configuration; the main window that would take
            // over from here does not exist yet, so the program says so and ends.
            std::puts("Talvexa 1099 2025: start-up finished; the main window is not built yet.");
            tvDatabase::tvMessageBox("The main window is not built yet.",
                                     "Talvexa 1099 has found its configuration folder and configuration database. "
                                     "The program ends here.",
                                     4, "", 0x100, false);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "talvexa: %s\n", e.what());
        status = 1;
    }

    session().ui = nullptr;
    return status;
}
