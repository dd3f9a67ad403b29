#pragma once

#include <QKeySequence>

class QAbstractButton;
class QWidget;

// A key that presses the button while it is shown and enabled, for a button whose title
// changes with the state of its window: a letter in the title would be lost (or change)
// with every new title, so the key is the window's and its tool tip names it.
void giveButtonKey(QWidget& window, QAbstractButton& button, const QKeySequence& key);
