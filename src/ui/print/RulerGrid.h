#pragma once

#include <QWidget>

// The ruler behind the layout editor's labels: a line every tenth of an inch from the
// form's top-left corner, stronger and numbered at every inch. It takes no mouse
// events, so clicks reach the sheet under it.
class RulerGrid : public QWidget {
    Q_OBJECT

public:
    // Where the form's top-left corner lies on the sheet, in points.
    static constexpr int kOrigin = 15;

    explicit RulerGrid(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
