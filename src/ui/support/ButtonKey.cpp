#include "ui/support/ButtonKey.h"

#include <QAbstractButton>
#include <QPointer>
#include <QShortcut>

void giveButtonKey(QWidget& window, QAbstractButton& button, const QKeySequence& key) {
    auto* shortcut = new QShortcut(key, &window);
    shortcut->setContext(Qt::WindowShortcut);
    QPointer<QAbstractButton> target(&button);
    QObject::connect(shortcut, &QShortcut::activated, &button, [target] {
        if (target && target->isVisible() && target->isEnabled()) target->animateClick();
    });
    const QString tip = button.toolTip();
    const QString keyText = key.toString(QKeySequence::NativeText);
    button.setToolTip(tip.isEmpty() ? keyText : tip + QStringLiteral(" (") + keyText + QLatin1Char(')'));
}
