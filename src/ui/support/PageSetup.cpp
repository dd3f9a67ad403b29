#include "ui/support/PageSetup.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPrinter>

#include "ui/support/ModalLoop.h"

namespace {

QPrinter*& printerSlot() {
    static QPrinter* printer = nullptr;
    return printer;
}

}  // namespace

QPrinter& applicationPrinter() {
    QPrinter*& printer = printerSlot();
    if (!printer) {
        printer = new QPrinter(QPrinter::HighResolution);
        // The forms are printed on Letter paper until the user chooses otherwise.
        printer->setPageSize(QPageSize(QPageSize::Letter));
        // The printer's engine must go before the application does.
        qAddPostRoutine([] {
            delete printerSlot();
            printerSlot() = nullptr;
        });
    }
    return *printer;
}

bool runPageSetup(QWidget* parent) {
    QPageSetupDialog dialog(&applicationPrinter(), parent);
    dialog.setObjectName(QString::fromLatin1(kPageSetupDialogName));
    // The dialog hands the user's choices to the printer only at the end of its own
    // exec(), so it runs through that.
    return runModalExec(&dialog) == QDialog::Accepted;
}
