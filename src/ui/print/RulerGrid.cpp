#include "ui/print/RulerGrid.h"

#include <QFont>
#include <QPainter>

RulerGrid::RulerGrid(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RulerGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor tenth(225, 232, 240);
    const QColor inch(150, 170, 195);
    QFont numbers = font();
    numbers.setPixelSize(9);
    painter.setFont(numbers);
    // Tenths of an inch are 7.2 points; each line is placed from its own count so the
    // rounding does not add up across the sheet.
    for (int i = 0;; ++i) {
        const int x = kOrigin + i * 72 / 10;
        if (x >= width()) break;
        painter.setPen(i % 10 == 0 ? inch : tenth);
        painter.drawLine(x, kOrigin, x, height());
        if (i % 10 == 0) {
            painter.setPen(inch);
            painter.drawText(x + 2, kOrigin - 4, QString::number(i / 10));
        }
    }
    for (int i = 0;; ++i) {
        const int y = kOrigin + i * 72 / 10;
        if (y >= height()) break;
        painter.setPen(i % 10 == 0 ? inch : tenth);
        painter.drawLine(kOrigin, y, width(), y);
        if (i % 10 == 0 && i > 0) {
            painter.setPen(inch);
            painter.drawText(2, y - 2, QString::number(i / 10));
        }
    }
}
