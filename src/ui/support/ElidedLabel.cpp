#include "ui/support/ElidedLabel.h"

#include <QPainter>
#include <QStyle>

ElidedLabel::ElidedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void ElidedLabel::setElideMode(Qt::TextElideMode mode) {
    mode_ = mode;
    update();
}

QString ElidedLabel::displayedText() const {
    return fontMetrics().elidedText(text(), mode_, contentsRect().width());
}

// Room for a few characters: the rest of the text is elided rather than widening the window.
QSize ElidedLabel::minimumSizeHint() const {
    const QSize whole = QLabel::minimumSizeHint();
    const QMargins margins = contentsMargins();
    return {fontMetrics().averageCharWidth() * 8 + margins.left() + margins.right(), whole.height()};
}

void ElidedLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    style()->drawItemText(&painter, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), displayedText(), foregroundRole());
}
