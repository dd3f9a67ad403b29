#include "ui/print/FourUpFormPainter.h"

#include <QFont>
#include <QPainter>
#include <QPen>

#include "core/print/FourUpForms.h"
#include "platform/SystemLog.h"
#include "ui/print/SheetPainter.h"

namespace {

// Hundredths of an inch to points.
constexpr double points(int value) { return value * 72.0 / 100.0; }

constexpr double kCaptionSize = 4.5;
constexpr double kTitleSize = 7.0;
constexpr double kPadding = 1.0;

// A font of `size` points on a painter scaled to points (font sizes count in the
// device's own resolution, as SheetPainter's form font does).
QFont font(double size, bool bold, const QPainter& painter) {
    QFont f(QString::fromLatin1(SheetPainter::kPaintedFamily));
    f.setStyleHint(QFont::SansSerif);
    f.setHintingPreference(QFont::PreferNoHinting);
    const int dpi = painter.device() ? painter.device()->logicalDpiY() : 72;
    f.setPointSizeF(size * 72.0 / (dpi > 0 ? dpi : 72));
    f.setBold(bold);
    return f;
}

void drawCopy(const fourup::FormPicture& picture, int copy, QPainter& painter) {
    const double dx = points(fourup::kCopyX[copy]);
    const double dy = points(fourup::kCopyY[copy]);
    const QFont number = font(kCaptionSize, true, painter);
    const QFont caption = font(kCaptionSize, false, painter);
    QRectF outline;
    painter.setPen(QPen(Qt::black, 0.5));
    for (const fourup::FormBox& b : picture.boxes) {
        const QRectF r(dx + points(b.x), dy + points(b.y), points(b.width), points(b.height));
        outline = outline.isNull() ? r : outline.united(r);
        painter.drawRect(r);
        const QRectF inside = r.adjusted(kPadding, kPadding / 2, -kPadding, 0);
        const Qt::Alignment corner = b.corner == fourup::CaptionCorner::right ? Qt::AlignRight : Qt::AlignLeft;
        QString text = QString::fromUtf8(b.caption);
        if (*b.number) {
            // The box number in bold ahead of (or, on the right, behind) the caption.
            painter.setFont(number);
            const QString n = QString::fromUtf8(b.number);
            const double width = painter.fontMetrics().horizontalAdvance(n + QLatin1Char(' '));
            painter.drawText(inside, corner | Qt::AlignTop | Qt::TextSingleLine, n);
            painter.setFont(caption);
            painter.drawText(inside.adjusted(corner == Qt::AlignLeft ? width : 0, 0,
                                             corner == Qt::AlignLeft ? 0 : -width, 0),
                             corner | Qt::AlignTop | Qt::TextSingleLine, text);
        } else {
            painter.setFont(caption);
            painter.drawText(inside, corner | Qt::AlignTop | Qt::TextSingleLine, text);
        }
    }
    painter.setPen(QPen(Qt::black, 1.0));
    painter.drawRect(outline);
    // Under the copy: the form's name and year, and what the copy is for.
    const QRectF below(outline.left(), outline.bottom() + 2, outline.width(), kTitleSize * 2.5);
    painter.setFont(font(kTitleSize, true, painter));
    painter.drawText(below, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromUtf8(picture.formName) + QStringLiteral("  ") + QString::fromUtf8(picture.year));
    painter.setFont(font(kCaptionSize, false, painter));
    painter.drawText(below.adjusted(0, kTitleSize + 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     QString::fromUtf8(fourup::kCopyTitles[copy]));
}

}  // namespace

bool FourUpFormPainter::paint(const std::string& pictureName, QPainter& painter) {
    const fourup::FormPicture* picture = fourup::picture(pictureName);
    if (!picture) {
        platform::systemLog("Error: PDF not found.");
        return false;
    }
    painter.save();
    painter.setClipping(false);
    for (int copy = 0; copy < fourup::kCopies; ++copy) drawCopy(*picture, copy, painter);
    painter.restore();
    return true;
}
