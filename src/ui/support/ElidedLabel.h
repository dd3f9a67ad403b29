#pragma once

#include <QLabel>

// A one-line label that keeps its whole text but draws it elided when it is given less
// room than the text needs: by default in the middle, so that both the start of a long
// path and its file name stay readable. The window can then be made narrower than the
// text; the text itself (text()) is what was set.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    void setElideMode(Qt::TextElideMode mode);
    Qt::TextElideMode elideMode() const { return mode_; }
    // The text as it is drawn at the label's present width.
    QString displayedText() const;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::TextElideMode mode_ = Qt::ElideMiddle;
};
