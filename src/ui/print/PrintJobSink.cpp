#include "ui/print/PrintJobSink.h"

#include <algorithm>
#include <cstdlib>

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QPdfDocument>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "core/print/PrintJobFolder.h"
#include "core/print/SheetModel.h"
#include "platform/FileSystem.h"
#include "platform/PrintService.h"
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

std::string& chosenQueueOverride() {
    static std::string queue;
    return queue;
}

// The print queue the dialog chose; empty when the output goes to a file.
std::string chosenQueue(const QPrinter& printer) {
    if (!chosenQueueOverride().empty()) return chosenQueueOverride();
    if (printer.outputFormat() != QPrinter::NativeFormat) return {};
    return printer.printerName().toStdString();
}

const char* sidesOption(QPrinter::DuplexMode duplex) {
    switch (duplex) {
    case QPrinter::DuplexNone: return "one-sided";
    case QPrinter::DuplexShortSide: return "two-sided-short-edge";
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto: return "two-sided-long-edge";
    }
    return "one-sided";
}

// The document goes to the queue as the file it is, with the dialog's choices as job
// options and no scaling, so a long report neither becomes page pictures nor holds the
// window while they are drawn.
bool handToQueue(const std::string& queue, const PrintJob& job, const QPrinter& printer, int first, int last,
                 bool range) {
    QTemporaryFile file;
    file.setFileTemplate(QDir::tempPath() + QStringLiteral("/talvexa-print-XXXXXX.pdf"));
    if (!file.open() || file.write(job.pdf.data(), static_cast<qint64>(job.pdf.size())) !=
                            static_cast<qint64>(job.pdf.size()) ||
        !file.flush()) {
        cannotPrint(job.title, "The document could not be written to a temporary file: " +
                                   file.errorString().toStdString());
        return false;
    }
    platform::PrintFileRequest request;
    request.queue = queue;
    request.path = file.fileName().toStdString();
    request.title = job.title;
    request.options.emplace_back("copies", std::to_string(std::max(1, printer.copyCount())));
    if (range) request.options.emplace_back("page-ranges", std::to_string(first + 1) + "-" + std::to_string(last + 1));
    request.options.emplace_back("sides", sidesOption(printer.duplex()));
    request.options.emplace_back("print-scaling", "none");
    std::string reason;
    if (platform::printFile(request, reason)) return true;
    cannotPrint(job.title, reason);
    return false;
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
    const bool range = printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0;
    if (range) {
        first = std::clamp(printer.fromPage() - 1, 0, last);
        last = std::clamp(printer.toPage() > 0 ? printer.toPage() - 1 : last, first, last);
    }
    const std::string queue = chosenQueue(printer);
    if (platform::queueTakesPdf(queue)) return handToQueue(queue, job, printer, first, last, range);
    // Printing to a file: the whole document is the file.
    if (queue.empty() && printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty() &&
        !range) {
        if (platform::writeFileAtomically(printer.outputFileName().toStdString(), job.pdf)) return true;
        cannotPrint(job.title, "The file \"" + printer.outputFileName().toStdString() + "\" could not be written.");
        return false;
    }
    // A queue that cannot take PDF, or part of the document to a file: the pages are
    // drawn at the printer's resolution.
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

void setChosenPrintQueueForTests(const std::string& queue) { chosenQueueOverride() = queue; }

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
