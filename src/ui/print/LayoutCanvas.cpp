#include "ui/print/LayoutCanvas.h"

#include <QMouseEvent>
#include <QPalette>

LayoutCanvas::LayoutCanvas(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette sheet = palette();
    sheet.setColor(QPalette::Window, Qt::white);
    setPalette(sheet);
}

void LayoutCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (onMouseDown) onMouseDown(event->position().toPoint(), 1);
}

void LayoutCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (onMouseDown) onMouseDown(event->position().toPoint(), 2);
}

void LayoutCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    if (onMouseDragged) onMouseDragged(event->position().toPoint());
}
