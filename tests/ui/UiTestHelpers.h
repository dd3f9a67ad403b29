#pragma once

// Small helpers for responders: find a window's widgets by object name and press them.

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QButtonGroup>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace uitest {

// Where the pictures of the windows a test shows are kept: test-output/windows/<Suite.Test>/.
inline QString windowImageFolder(const ::testing::TestInfo& info) {
    QString test = QString::fromUtf8(info.test_suite_name()) + QLatin1Char('.') + QString::fromUtf8(info.name());
    test.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QString::fromUtf8(TALVEXA_TEST_OUTPUT_DIR) + QStringLiteral("/windows/") + test;
}

// A picture of the window, as drawn once pending events have run, in the current test's
// folder.
inline void saveImage(QWidget& w, const QString& name) {
    const QString folder = windowImageFolder(*::testing::UnitTest::GetInstance()->current_test_info());
    QDir().mkpath(folder);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"), "PNG")) << name.toStdString();
}

inline QString objectNameOf(const char* name) { return QString::fromUtf8(name); }
inline QString objectNameOf(const std::string& name) { return QString::fromStdString(name); }
inline QString objectNameOf(const QString& name) { return name; }

// The window's widget of that object name (and type); a test failure when there is none.
template <class T = QWidget, class Name>
T* child(QWidget& window, const Name& name) {
    const QString objectName = objectNameOf(name);
    T* found = window.findChild<T*>(objectName);
    EXPECT_NE(found, nullptr) << "no " << objectName.toStdString() << " in " << window.objectName().toStdString();
    return found;
}
template <class T = QWidget, class Name>
T* child(QWidget* window, const Name& name) {
    EXPECT_NE(window, nullptr) << "no window to find " << objectNameOf(name).toStdString() << " in";
    return window ? child<T>(*window, name) : nullptr;
}

inline void press(QWidget& window, const char* button) {
    if (auto* b = child<QAbstractButton>(window, button)) b->click();
}

// Sends a key press to the widget that has the keyboard focus in the window (or the
// window itself), as typing it would.
inline void key(QWidget& window, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
    QKeyEvent press(QEvent::KeyPress, k, modifiers);
    QApplication::sendEvent(target, &press);
}

// Lets events run until the condition holds or a second has passed; whether it holds.
// (A button's key presses it a moment later, as a click of the mouse would.)
inline bool waitUntil(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > 1000) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Every letter (Alt and the letter) of the window's visible labels and buttons leads to
// one control only, and each label with a letter has a control to lead to. Returns the
// letters found.
inline std::string expectLettersOfTheirOwn(QWidget& window) {
    std::map<QChar, std::string> seen;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->window() != &window || !w->isVisible()) continue;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->textFormat() == Qt::RichText || label->text().startsWith(QLatin1Char('<'))) continue;
            text = label->text();
            if (!QKeySequence::mnemonic(text).isEmpty()) {
                EXPECT_NE(label->buddy(), nullptr) << "the letter of " << text.toStdString() << " leads nowhere";
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            text = button->text();
        } else {
            continue;
        }
        const QKeySequence letter = QKeySequence::mnemonic(text);
        if (letter.isEmpty()) continue;
        const QChar c = QChar(letter[0].key()).toUpper();
        const std::string name = w->objectName().toStdString();
        auto [at, fresh] = seen.emplace(c, name);
        EXPECT_TRUE(fresh) << "Alt+" << QString(c).toStdString() << " answers " << at->second << " and " << name;
    }
    std::string letters;
    for (const auto& [c, name] : seen) letters += QString(c).toStdString();
    return letters;
}

// Shown and active, so that the keyboard focus moves as it does for the user.
inline void activate(QWidget& window) {
    window.show();
    window.activateWindow();
    QApplication::processEvents();
}

// The controls a keyboard user must be able to reach in the window: its visible,
// enabled inputs and buttons (the parts of a compound control are the control), and a
// scroll area that takes the focus to scroll by keys.
inline std::vector<QWidget*> keyboardControls(QWidget& window) {
    std::vector<QWidget*> controls;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (w->window() != &window || !w->isVisible() || !w->isEnabled()) continue;
        QWidget* parent = w->parentWidget();
        if (qobject_cast<QComboBox*>(parent) || qobject_cast<QAbstractSpinBox*>(parent) ||
            qobject_cast<QAbstractItemView*>(parent))
            continue;
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w) ||
            qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
            qobject_cast<QAbstractItemView*>(w) ||
            (qobject_cast<QAbstractScrollArea*>(w) && (w->focusPolicy() & Qt::TabFocus)))
            controls.push_back(w);
    }
    return controls;
}

inline std::string names(const std::vector<QWidget*>& widgets) {
    std::string text;
    for (QWidget* w : widgets)
        text += (text.empty() ? "" : " ") +
                (w->objectName().isEmpty() ? std::string(w->metaObject()->className()) : w->objectName().toStdString());
    return text;
}

// Presses Tab from the control that has the focus until the focus comes back to it:
// the controls it stopped at, the first one first. Fails the test when the focus never
// comes back or a control is passed twice.
inline std::vector<QWidget*> tabCycle(QWidget& window) {
    std::vector<QWidget*> cycle;
    QWidget* start = window.focusWidget();
    EXPECT_NE(start, nullptr) << "nothing has the focus in " << window.objectName().toStdString();
    if (!start) return cycle;
    cycle.push_back(start);
    for (int presses = 0; presses < 500; ++presses) {
        key(window, Qt::Key_Tab);
        QWidget* now = window.focusWidget();
        if (now == start) return cycle;
        if (std::find(cycle.begin(), cycle.end(), now) != cycle.end()) {
            ADD_FAILURE() << "Tab comes back to " << names({now}) << " after " << names(cycle);
            return cycle;
        }
        cycle.push_back(now);
    }
    ADD_FAILURE() << "Tab never comes back to the start: " << names(cycle);
    return cycle;
}

// A text field that only shows a value and is left out of the Tab order on purpose (a
// click still selects its text to copy).
inline bool isShownValue(QWidget* w) {
    if (w->focusPolicy() & Qt::TabFocus) return false;
    if (auto* line = qobject_cast<QLineEdit*>(w)) return line->isReadOnly();
    if (auto* text = qobject_cast<QTextEdit*>(w)) return text->isReadOnly();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) return plain->isReadOnly();
    return false;
}

// The radio buttons that answer one question: Tab reaches the group at its checked
// button, and the arrow keys move within it. Null for any other control.
inline const QObject* radioGroup(QWidget* w) {
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (!button || !button->isCheckable()) return nullptr;
    if (button->group() && button->group()->exclusive()) return button->group();
    return button->autoExclusive() ? button->parent() : nullptr;
}

// Tab from the focused control reaches every control of the window once (a group of
// radio buttons once) and comes back to where it started.
inline void expectTabReachesEveryControl(QWidget& window) {
    std::vector<QWidget*> cycle = tabCycle(window);
    std::vector<QWidget*> controls = keyboardControls(window);
    std::vector<QWidget*> missed, extra;
    auto reached = [&](QWidget* w) {
        if (std::find(cycle.begin(), cycle.end(), w) != cycle.end()) return true;
        const QObject* group = radioGroup(w);
        return group && std::any_of(cycle.begin(), cycle.end(), [&](QWidget* c) { return radioGroup(c) == group; });
    };
    for (QWidget* w : controls)
        if (!reached(w) && !isShownValue(w)) missed.push_back(w);
    for (QWidget* w : cycle)
        if (std::find(controls.begin(), controls.end(), w) == controls.end()) extra.push_back(w);
    EXPECT_TRUE(missed.empty()) << "Tab never reaches " << names(missed) << "\nTab order: " << names(cycle);
    EXPECT_TRUE(extra.empty()) << "Tab stops at " << names(extra);
}

// In a row of buttons Tab goes from left to right: from each button to the one beside
// it on its right (buttons of one parent at one height, with no control between).
inline void expectButtonRowsLeftToRight(QWidget& window, const std::vector<QWidget*>& cycle) {
    auto isRowButton = [](QWidget* w) {
        auto* b = qobject_cast<QAbstractButton*>(w);
        return b && !b->isCheckable();
    };
    for (size_t i = 0; i < cycle.size(); ++i) {
        QWidget* left = cycle[i];
        if (!isRowButton(left)) continue;
        QWidget* right = nullptr;
        for (QWidget* other : cycle) {
            if (other == left || other->parentWidget() != left->parentWidget()) continue;
            if (std::abs(other->geometry().center().y() - left->geometry().center().y()) > 4) continue;
            if (other->x() <= left->x()) continue;
            if (!right || other->x() < right->x()) right = other;
        }
        if (!right || !isRowButton(right)) continue;
        QWidget* next = cycle[(i + 1) % cycle.size()];
        EXPECT_EQ(next, right) << "Tab from " << names({left}) << " goes to " << names({next}) << ", not to "
                               << names({right}) << " beside it in " << window.objectName().toStdString();
    }
}

}  // namespace uitest
