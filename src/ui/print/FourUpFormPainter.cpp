#include "ui/print/FourUpFormPainter.h"

#include <algorithm>

#include <QFont>
#include <QFontMetricsF>
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
constexpr double kSmallestCaption = 3.0;
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

// Captions are set at kFine times their size and drawn scaled down by as much: a font's
// size is rounded to whole device pixels, which at small sizes would change a caption's
// width and height from one printer to the next.
constexpr double kFine = 64.0;

double advance(const QFont& f, const QString& text, const QPainter& painter) {
    return QFontMetricsF(f, painter.device()).horizontalAdvance(text) / kFine;
}

// The caption of a box, with its number in bold ahead of it (behind it in the right
// corner), on one line: a caption too long for its box at the caption size is set
// smaller until it fits, so it is always whole.
void drawCaption(const fourup::FormBox& b, const QRectF& r, QPainter& painter) {
    const QString text = QString::fromUtf8(b.caption);
    const QString n = *b.number ? QString::fromUtf8(b.number) + QLatin1Char(' ') : QString();
    const QRectF inside = r.adjusted(kPadding, kPadding / 2, -kPadding, -kPadding / 2);
    auto widthAt = [&](double size) {
        return (n.isEmpty() ? 0 : advance(font(size * kFine, true, painter), n, painter)) +
               advance(font(size * kFine, false, painter), text, painter);
    };
    double size = kCaptionSize;
    // Widths do not scale exactly with the size: step down until the caption fits.
    for (double width = widthAt(size); width > inside.width() && size > kSmallestCaption; width = widthAt(size))
        size = std::max(kSmallestCaption, size * inside.width() / width * 0.99);
    const QFont number = font(size * kFine, true, painter);
    const QFont caption = font(size * kFine, false, painter);
    const double numberWidth = n.isEmpty() ? 0 : advance(number, n, painter);

    const bool right = b.corner == fourup::CaptionCorner::right;
    const int align = (right ? Qt::AlignRight : Qt::AlignLeft) |
                      (b.corner == fourup::CaptionCorner::bottom ? Qt::AlignBottom : Qt::AlignTop) | Qt::TextSingleLine;
    painter.save();
    painter.translate(inside.topLeft());
    painter.scale(1 / kFine, 1 / kFine);
    const QRectF area(0, 0, inside.width() * kFine, inside.height() * kFine);
    if (!n.isEmpty()) {
        painter.setFont(number);
        painter.drawText(area, align, n.trimmed());
    }
    painter.setFont(caption);
    painter.drawText(area.adjusted(right ? 0 : numberWidth * kFine, 0, right ? -numberWidth * kFine : 0, 0), align,
                     text);
    painter.restore();
}

void drawCopy(const fourup::FormPicture& picture, int copy, QPainter& painter) {
    const double dx = points(fourup::kCopyX[copy]);
    const double dy = points(fourup::kCopyY[copy]);
    QRectF outline;
    painter.setPen(QPen(Qt::black, 0.5));
    for (const fourup::FormBox& b : picture.boxes) {
        const QRectF r(dx + points(b.x), dy + points(b.y), points(b.width), points(b.height));
        outline = outline.isNull() ? r : outline.united(r);
        painter.drawRect(r);
        drawCaption(b, r, painter);
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
