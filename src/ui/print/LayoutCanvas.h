#pragma once

#include <functional>

#include <QPoint>
#include <QWidget>

// The sheet on which the layout editor shows a form's fields, one point to the pixel.
// The field labels on it let the mouse through; the sheet hands every press (with its
// click count) and every move with the left button held to the editor, in its own
// coordinates.
class LayoutCanvas : public QWidget {
    Q_OBJECT

public:
    explicit LayoutCanvas(QWidget* parent = nullptr);

    std::function<void(QPoint point, int clickCount)> onMouseDown;
    std::function<void(QPoint point)> onMouseDragged;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};
