#include "ui/main/ResizeButtonToFit.h"

void ResizeButtonToFit::setStringValue(const QString& text) {
    const QPoint origin = pos();
    setText(text);
    resize(sizeHint());
    move(origin);
}
