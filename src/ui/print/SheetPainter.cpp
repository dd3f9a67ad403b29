#include "ui/print/SheetPainter.h"

#include <algorithm>

#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include "core/foundation/UserInterface.h"
#include "core/print/SheetModel.h"
#include "ui/print/FourUpFormPainter.h"
#include "ui/print/PrintJobSink.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/PageSetup.h"

namespace {

constexpr double kPointsPerInch = 72.0;

QPageLayout letterPortrait() {
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Point);
}

}  // namespace

QFont SheetPainter::formFont(int deviceDpi) {
    QFont font(QString::fromLatin1(kPaintedFamily));
    font.setStyleHint(QFont::SansSerif);
    // Glyphs keep their outline widths, so a text measures the same on every device.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPointSizeF(SheetModel::kFontSize * kPointsPerInch / std::max(deviceDpi, 1));
    return font;
}

bool SheetPainter::paint(const SheetModel& sheets, int first, int last, QPainter& painter,
                         QPagedPaintDevice& device, std::string& reason) {
    const double scaleX = device.logicalDpiX() / kPointsPerInch;
    const double scaleY = device.logicalDpiY() / kPointsPerInch;
    painter.setFont(formFont(device.logicalDpiY()));
    painter.setPen(Qt::black);
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) {
            reason = "The printer refused page " + std::to_string(page + 1) + ".";
            return false;
        }
        painter.save();
        painter.scale(scaleX, scaleY);
        const Sheet& sheet = sheets.sheets()[static_cast<std::size_t>(page)];
        if (!sheet.background.empty()) {
            FourUpFormPainter::paint(sheet.background, painter);
            painter.setFont(formFont(device.logicalDpiY()));
            painter.setPen(Qt::black);
        }
        for (const PlacedText& t : sheet.texts) {
            if (t.text.empty() || t.width <= 0 || t.height <= 0) continue;
            const QRectF frame(t.x, t.y, t.width, t.height);
            painter.setClipRect(frame);
            painter.drawText(frame.adjusted(kInsetX, kInsetY, 0, 0), flags, QString::fromStdString(t.text));
        }
        painter.restore();
    }
    return true;
}

QByteArray SheetPainter::pdf(const SheetModel& sheets, const std::string& title, std::string& reason) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(static_cast<int>(kPointsPerInch));
        writer.setPageLayout(letterPortrait());
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QCoreApplication::applicationName());
        QPainter painter;
        if (!painter.begin(&writer)) {
            reason = "The PDF document could not be started.";
            return {};
        }
        const int last = static_cast<int>(sheets.size()) - 1;
        const bool painted = paint(sheets, 0, last, painter, writer, reason);
        if (!painter.end() && painted) reason = "The PDF document could not be finished.";
        if (!reason.empty()) return {};
    }
    return buffer.data();
}

bool SheetPainter::print(QWidget* parent, const PrintJob& job, std::string& reason) {
    static const SheetModel none;
    const SheetModel& sheets = job.sheets ? *job.sheets : none;
    QPrinter& printer = applicationPrinter();
    // The page setup chooses paper and margins for the other print runs; a form run
    // prints letter sheets from the paper's corner and gives them back afterwards.
    const QPageLayout pageSetup = printer.pageLayout();
    const bool fullPage = printer.fullPage();
    auto formPaper = [&] {
        printer.setFullPage(true);
        printer.setPageLayout(letterPortrait());
        printer.setDocName(QString::fromStdString(job.title));
    };
    formPaper();

    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QString::fromLatin1(kPrintDialogName));
    dialog.setWindowTitle(QCoreApplication::translate("PrintJobSink", "Print"));
    dialog.setMinMax(1, std::max<int>(1, static_cast<int>(sheets.size())));
    printer.setPrintRange(QPrinter::AllPages);
    // The dialog hands its choices to the printer while it ends, so it runs through exec().
    const bool accepted = runModalExec(&dialog) == QDialog::Accepted;

    bool printed = false;
    if (accepted && sheets.empty()) {
        printed = true;
    } else if (accepted) {
        formPaper();
        int first = 0;
        int last = static_cast<int>(sheets.size()) - 1;
        if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
            first = std::clamp(printer.fromPage() - 1, 0, last);
            last = std::clamp(printer.toPage() > 0 ? printer.toPage() - 1 : last, first, last);
        }
        QPainter painter;
        if (!painter.begin(&printer)) {
            reason = "The printer could not be started.";
        } else {
            printed = paint(sheets, first, last, painter, printer, reason);
            if (!painter.end() && printed) {
                printed = false;
                reason = "The printer did not take the document.";
            }
        }
    }
    printer.setPageLayout(pageSetup);
    printer.setFullPage(fullPage);
    return printed;
}
