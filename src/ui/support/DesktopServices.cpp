#include "ui/support/DesktopServices.h"

#include <cstdlib>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/TextScan.h"
#include "core/foundation/UserInterface.h"
#include "platform/Launch.h"
#include "ui/support/AtomicFileDevice.h"
#include "ui/support/ModalLoop.h"

namespace {

std::function<bool(const std::string&)>& clipboardWriter() {
    static std::function<bool(const std::string&)> f;
    return f;
}
std::function<bool(const std::string&)>& addressOpener() {
    static std::function<bool(const std::string&)> f;
    return f;
}
std::function<bool(QWidget*, const std::string&)>& textPrinter() {
    static std::function<bool(QWidget*, const std::string&)> f;
    return f;
}
std::function<void(int)>& processExit() {
    static std::function<void(int)> f;
    return f;
}

bool systemClipboardWrite(const std::string& text) {
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) return false;
    const QString value = QString::fromStdString(text);
    clipboard->clear();
    clipboard->setText(value);
    return clipboard->text() == value;
}

// xdg-open with the address as its one argument, never through a shell. Its failure is
// reported from the thread that waits for it, and handed to the main thread here.
bool systemOpenAddress(const std::string& address, std::function<void()> failedLater) {
    std::function<void()> failed;
    if (failedLater)
        failed = [onMainThread = std::move(failedLater)] {
            if (QCoreApplication* app = QCoreApplication::instance())
                QMetaObject::invokeMethod(app, onMainThread, Qt::QueuedConnection);
        };
    return platform::openUrl(address, std::move(failed));
}

// The text on the device's pages of the given size: it fills their width and flows on to
// as many pages as it needs.
void printTextOn(QPagedPaintDevice& device, const QSizeF& pageSize, const std::string& text) {
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    document.setPlainText(QString::fromStdString(text));
    document.setDocumentMargin(0);
    document.setPageSize(pageSize);
    document.print(&device);
}

// The text as a PDF in the file the dialog chose, on the printer's pages, written beside
// the file and put in its place only whole: Qt's own PDF output writes straight over the
// file and, on a full disk, leaves it cut and says nothing. False with the reason (naming
// the file) when it could not be written; a file of that name is then as it was.
bool printTextToFile(const QPrinter& printer, const std::string& text, std::string& reason) {
    AtomicFileDevice file(printer.outputFileName().toStdString());
    if (file.ok()) {
        QPdfWriter writer(&file);
        writer.setPageLayout(printer.pageLayout());
        writer.setResolution(printer.resolution());
        writer.setPageRanges(printer.pageRanges());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        printTextOn(writer, writer.pageLayout().paintRectPixels(writer.resolution()).size(), text);
    }
    if (file.commit()) return true;
    reason = textscan::asSentence(file.error());
    return false;
}

bool systemPrintText(QWidget* parent, const std::string& text) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(80, 0, 100, 100), QPageLayout::Point);
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    if (runModal(&dialog) != QDialog::Accepted) return false;

    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
        std::string reason;
        if (printTextToFile(printer, text, reason)) return true;
        MessageBoxRequest box;
        box.caption = "The text could not be printed.";
        box.details = reason;
        box.style = kMessageStyleOK;
        box.title = "Talvexa 1099 E-File 2025";
        box.image = kMessageImageError;
        userInterface().messageBox(box);
        return false;
    }
    // The printer's page rectangle already leaves the margins out.
    printTextOn(printer, printer.pageRect(QPrinter::DevicePixel).size(), text);
    return true;
}

}  // namespace

bool copyTextToClipboard(const std::string& text) {
    if (clipboardWriter()) return clipboardWriter()(text);
    return systemClipboardWrite(text);
}
void setClipboardWriter(std::function<bool(const std::string&)> writer) { clipboardWriter() = std::move(writer); }

bool openAddress(const std::string& address, std::function<void()> failedLater) {
    if (addressOpener()) return addressOpener()(address);
    return systemOpenAddress(address, std::move(failedLater));
}
void setAddressOpener(std::function<bool(const std::string&)> opener) { addressOpener() = std::move(opener); }

void openAddressOrExplain(const std::string& address, const std::string& details, const std::string& title) {
    const auto explain = [address, details, title] {
        MessageBoxRequest box;
        box.caption = "Unable to open the web browser.";
        box.details = details;
        box.style = kMessageStyleOK;
        box.title = title;
        box.image = kMessageImageError;
        box.copyText = address;
        userInterface().messageBox(box);
    };
    if (!openAddress(address, explain)) explain();
}

bool printText(QWidget* parent, const std::string& text) {
    if (textPrinter()) return textPrinter()(parent, text);
    return systemPrintText(parent, text);
}
void setTextPrinter(std::function<bool(QWidget*, const std::string&)> printer) { textPrinter() = std::move(printer); }

void exitProcess(int status) {
    if (processExit()) {
        processExit()(status);
        return;
    }
    std::exit(status);
}
void setProcessExit(std::function<void(int)> exit) { processExit() = std::move(exit); }
