#include "ui/support/InvalidMarking.h"

#include <QApplication>
#include <QColor>
#include <QComboBox>
#include <QPalette>
#include <QWidget>

void markInvalid(QWidget* w, bool invalid) {
    w->setProperty("invalid", invalid);
    if (auto* box = qobject_cast<QComboBox*>(w)) {
        box->setStyleSheet(invalid ? QStringLiteral("QComboBox { border: 2px solid #d00000; border-radius: 3px; }")
                                   : QString());
        return;
    }
    QPalette palette = QApplication::palette(w);
    if (invalid) {
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Text, QColor(0xd0, 0, 0));
            palette.setColor(group, QPalette::Base, QColor(0xff, 0xec, 0xec));
        }
    }
    w->setPalette(palette);
}
