#include "ui/payroll/ReportPrinting.h"

#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "ui/support/ModalLoop.h"
#include "core/print/ReportHooks.h"

bool printReportText(const std::string& title, const std::string& text) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(5, 5, 0, 0), QPageLayout::Point);
    printer.setDocName(QString::fromStdString(title));
    QPrintDialog dialog(&printer);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    dialog.setWindowTitle(QString::fromStdString(title));
    if (runModal(&dialog) != QDialog::Accepted) return false;

    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(11);
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&printer);
    document.setDefaultFont(font);
    document.setPlainText(QString::fromStdString(text));
    // The page rectangle leaves the margins out; lines fill its width and the text
    // flows on to as many pages as it needs.
    document.setDocumentMargin(0);
    document.setPageSize(printer.pageRect(QPrinter::DevicePixel).size());
    document.print(&printer);
    return true;
}

void installReportPrinting() {
    reporthooks::setTextPrinter([](const std::string& title, const std::string& text) {
        // The report has no answer to give: a cancelled dialog prints nothing.
        (void)printReportText(title, text);
    });
}
