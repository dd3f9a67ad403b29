#include "ui/print/SheetPainter.h"

#include <algorithm>

#include <QBuffer>
#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "core/foundation/TextScan.h"
#include "core/print/SheetModel.h"
#include "ui/print/FourUpFormPainter.h"
#include "ui/support/AtomicFileDevice.h"

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kFine = 64.0;

}  // namespace

QPageLayout SheetPainter::letterPortrait() {
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Point);
}

QFont SheetPainter::formFont(int deviceDpi, double size) {
    QFont font(QString::fromLatin1(kPaintedFamily));
    font.setStyleHint(QFont::SansSerif);
    // Glyphs keep their outline widths, so a text measures the same on every device.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPointSizeF(size * kPointsPerInch / std::max(deviceDpi, 1));
    return font;
}

bool SheetPainter::paint(const SheetModel& sheets, int first, int last, QPainter& painter,
                         QPagedPaintDevice& device, std::string& reason, AtomicFileDevice* file) {
    const double scaleX = device.logicalDpiX() / kPointsPerInch;
    const double scaleY = device.logicalDpiY() / kPointsPerInch;
    const int dpi = device.logicalDpiY();
    painter.setPen(Qt::black);
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) {
            reason = file ? "Page " + std::to_string(page + 1) + " could not be written to the file."
                          : "The printer refused page " + std::to_string(page + 1) + ".";
            return false;
        }
        // Nothing more is painted once the file could not take what went before (the
        // sheet before is all in it once the next page has begun).
        if (file && !file->writtenOut()) {
            reason = textscan::asSentence(file->error());
            return false;
        }
        painter.save();
        painter.scale(scaleX, scaleY);
        const Sheet& sheet = sheets.sheets()[static_cast<std::size_t>(page)];
        if (!sheet.background.empty()) {
            FourUpFormPainter::paint(sheet.background, painter);
            painter.setPen(Qt::black);
        }
        const QFont form = formFont(dpi);
        painter.setFont(form);
        for (const PlacedText& t : sheet.texts) {
            if (t.text.empty() || t.width <= 0 || t.height <= 0) continue;
            const QRectF frame(t.x, t.y, t.width, t.height);
            painter.setClipRect(frame);
            if (t.size == SheetModel::kFontSize && t.lineHeight == 0) {
                painter.drawText(frame.adjusted(SheetModel::kInsetX, SheetModel::kInsetY, 0, 0), flags,
                                 QString::fromStdString(t.text));
                continue;
            }
            // A text set smaller: drawn kFine times as large on a painter scaled down by as
            // much, since a font's size is rounded to whole device pixels, which at these
            // sizes would make the text wider or its lines taller than it was set.
            painter.save();
            painter.translate(frame.left() + SheetModel::kInsetX, frame.top() + SheetModel::kInsetY);
            painter.scale(1 / kFine, 1 / kFine);
            painter.setFont(formFont(dpi, t.size * kFine));
            const QStringList lines = QString::fromStdString(t.text).split(QLatin1Char('\n'));
            for (qsizetype i = 0; i < lines.size(); ++i)
                painter.drawText(QRectF(0, static_cast<double>(i) * t.lineHeight * kFine, frame.width() * kFine,
                                        t.size * 2 * kFine),
                                 flags, lines[i]);
            painter.restore();
            painter.setFont(form);
        }
        painter.restore();
    }
    return true;
}

namespace {

// The sheets first to last painted as a PDF document into out, checked as they go when
// out is a file.
bool paintPdf(const SheetModel& sheets, int first, int last, const std::string& title, QIODevice& out,
              AtomicFileDevice* file, std::string& reason) {
    QPdfWriter writer(&out);
    writer.setResolution(static_cast<int>(kPointsPerInch));
    writer.setPageLayout(SheetPainter::letterPortrait());
    writer.setTitle(QString::fromStdString(title));
    writer.setCreator(QCoreApplication::applicationName());
    QPainter painter;
    if (!painter.begin(&writer)) {
        reason = file ? "The PDF file could not be started." : "The PDF document could not be started.";
        return false;
    }
    const bool painted = SheetPainter::paint(sheets, first, last, painter, writer, reason, file);
    if (!painter.end() && painted) {
        reason = file ? "The PDF file could not be finished." : "The PDF document could not be finished.";
        return false;
    }
    return painted;
}

}  // namespace

bool SheetPainter::pdf(const SheetModel& sheets, int first, int last, const std::string& title,
                       AtomicFileDevice& file, std::string& reason) {
    return paintPdf(sheets, first, last, title, file, &file, reason);
}

QByteArray SheetPainter::pdf(const SheetModel& sheets, const std::string& title, std::string& reason) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!paintPdf(sheets, 0, static_cast<int>(sheets.size()) - 1, title, buffer, nullptr, reason)) return {};
    return buffer.data();
}
