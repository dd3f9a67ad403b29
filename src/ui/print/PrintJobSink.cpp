#include "ui/print/PrintJobSink.h"

#include <algorithm>
#include <cstdlib>

#include <QBuffer>
#include <QCoreApplication>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPrintDialog>
#include <QPrinter>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "core/print/PrintJobFolder.h"
#include "core/print/SheetModel.h"
#include "ui/print/SheetPainter.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PageSetup.h"

namespace {

constexpr const char kProgramTitle[] = "Talvexa 1099 E-File 2025";

void cannotPrint(const std::string& title, const std::string& reason) {
    tvDatabase::tvMessageBox("\"" + title + "\" could not be printed.", reason, kMessageStyleOK, kProgramTitle,
                             kMessageImageError, false);
}

// Loads the document from memory; false when it is not a PDF that can be shown.
bool loadDocument(QPdfDocument& document, QBuffer& bytes) {
    bytes.open(QIODevice::ReadOnly);
    document.load(&bytes);
    if (document.status() == QPdfDocument::Status::Loading) {
        QEventLoop wait;
        QObject::connect(&document, &QPdfDocument::statusChanged, &wait, [&wait](QPdfDocument::Status status) {
            if (status != QPdfDocument::Status::Loading) wait.quit();
        });
        if (document.status() == QPdfDocument::Status::Loading) wait.exec();
    }
    return document.status() == QPdfDocument::Status::Ready;
}

// Paints the pages first to last (from 0); false with the reason when the printer
// refuses a page.
bool paintPages(QPdfDocument& document, int first, int last, QPrinter& printer, std::string& reason) {
    const int printerDpi = printer.resolution();
    const int renderDpi = std::min(printerDpi, kMaxRenderDpi);
    QPainter painter;
    if (!painter.begin(&printer)) {
        reason = "The printer could not be started.";
        return false;
    }
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage()) {
            reason = "The printer refused page " + std::to_string(page + 1) + ".";
            painter.end();
            return false;
        }
        const QSizeF points = document.pagePointSize(page);
        const QSize pixels(qRound(points.width() * renderDpi / 72.0), qRound(points.height() * renderDpi / 72.0));
        const QImage image = document.render(page, pixels);
        if (image.isNull()) {
            reason = "Page " + std::to_string(page + 1) + " could not be drawn.";
            painter.end();
            return false;
        }
        // The page at its own size from the paper's corner, whatever the render resolution.
        const QRectF target(0, 0, points.width() * printerDpi / 72.0, points.height() * printerDpi / 72.0);
        painter.drawImage(target, image);
    }
    return painter.end();
}

bool printThroughDialog(QWidget* parent, const PrintJob& job) {
    QPrinter& printer = applicationPrinter();
    QByteArray bytes = QByteArray::fromStdString(job.pdf);
    QBuffer buffer(&bytes);
    QPdfDocument document;
    if (!loadDocument(document, buffer) || document.pageCount() < 1) {
        cannotPrint(job.title, "The document to print could not be read.");
        return false;
    }

    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QString::fromLatin1(kPrintDialogName));
    dialog.setWindowTitle(QCoreApplication::translate("PrintJobSink", "Print"));
    dialog.setMinMax(1, document.pageCount());
    printer.setPrintRange(QPrinter::AllPages);
    printer.setDocName(QString::fromStdString(job.title));
    // The dialog hands its choices to the printer while it ends, so it runs through exec().
    if (runModalExec(&dialog) != QDialog::Accepted) return false;

    int first = 0;
    int last = document.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::clamp(printer.fromPage() - 1, 0, last);
        last = std::clamp(printer.toPage() > 0 ? printer.toPage() - 1 : last, first, last);
    }
    // Pages are placed from the paper's corner; the page setup's margins are kept for
    // the other print runs.
    const bool fullPage = printer.fullPage();
    printer.setFullPage(true);
    std::string reason;
    const bool printed = paintPages(document, first, last, printer, reason);
    printer.setFullPage(fullPage);
    if (!printed) cannotPrint(job.title, reason.empty() ? "The printer did not take the document." : reason);
    return printed;
}

// A form run's sheets: painted into a PDF document in the print folder, or on the
// printer after the print dialog.
bool printSheets(QWidget* parent, const PrintJob& job, const char* folder) {
    std::string reason;
    if (folder) {
        // No sheets, no paper: an empty run leaves no file.
        if (job.sheets->empty()) return true;
        PrintJob painted;
        painted.title = job.title;
        const QByteArray bytes = SheetPainter::pdf(*job.sheets, job.title, reason);
        if (!bytes.isEmpty()) {
            painted.pdf = bytes.toStdString();
            if (savePrintJob(folder, painted, reason)) return true;
        }
        cannotPrint(job.title, reason);
        return false;
    }
    if (SheetPainter::print(parent, job, reason)) return true;
    if (!reason.empty()) cannotPrint(job.title, reason);
    return false;
}

}  // namespace

bool printJob(QWidget* parent, const PrintJob& job) {
    const char* folder = std::getenv(kPrintFolderVariable);
    if (folder && !*folder) folder = nullptr;
    if (job.sheets) return printSheets(parent, job, folder);
    if (folder) {
        std::string reason;
        if (savePrintJob(folder, job, reason)) return true;
        cannotPrint(job.title, reason);
        return false;
    }
    return printThroughDialog(parent, job);
}
