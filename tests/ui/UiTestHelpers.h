#pragma once

// Small helpers for responders: find a window's widgets by object name and press them.

#include <string>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace uitest {

template <class T = QWidget>
T* child(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no " << name << " in " << window.objectName().toStdString();
    return found;
}

inline void press(QWidget& window, const char* button) {
    if (auto* b = child<QAbstractButton>(window, button)) b->click();
}

// Sends a key press to the widget that has the keyboard focus in the window (or the
// window itself), as typing it would.
inline void key(QWidget& window, Qt::Key k) {
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}


}  // namespace uitest
