#pragma once

#include <QScrollArea>

// The scroll area that holds a window's fields between parts that stay in sight (the
// payer above, the buttons below). It asks for the room its fields want, so the window
// shows all of them where the screen allows, and scrolls them up and down when the
// window is made lower. It never scrolls sideways: the fields take its width, down to
// the least they need, and as much height as their wrapped labels need at that width.
class FieldsScrollArea : public QScrollArea {
    Q_OBJECT

public:
    explicit FieldsScrollArea(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitFields();
};
