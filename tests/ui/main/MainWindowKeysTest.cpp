// The main window's menus from the keyboard: every menu and menu item has a key of its
// own (Alt and the menu's letter, then the item's letter), and the items whose titles
// stay as they are have a shortcut instead.

#include <set>

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "MainWindowFixture.h"

namespace {

QChar mnemonic(const QString& text) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    return key.isEmpty() ? QChar() : QChar(key[0].key()).toUpper();
}

void sendKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, key >= Qt::Key_A && key <= Qt::Key_Z && modifiers == Qt::NoModifier
                                                          ? QString(QChar(key).toLower())
                                                          : QString());
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(target, &release);
    QApplication::processEvents();
}

}  // namespace

TEST_F(MainWindowTest, EveryMenuAndMenuItemHasAKeyOfItsOwn) {
    const std::set<std::string> titledByTheProgram = {"HideTalvexa1099", "QuitTalvexa1099"};
    std::set<QChar> menuKeys;
    for (QAction* menuAction : window->findChild<QMenuBar*>()->actions()) {
        const QChar key = mnemonic(menuAction->text());
        EXPECT_FALSE(key.isNull()) << menuAction->text().toStdString();
        EXPECT_TRUE(menuKeys.insert(key).second) << "two menus answer Alt+" << QString(key).toStdString();

        std::set<QChar> itemKeys;
        for (QAction* a : menuAction->menu()->actions()) {
            if (a->isSeparator()) continue;
            const std::string name = a->objectName().toStdString();
            if (titledByTheProgram.count(name)) {
                EXPECT_FALSE(a->shortcut().isEmpty()) << name;
                continue;
            }
            const QChar itemKey = mnemonic(a->text());
            EXPECT_FALSE(itemKey.isNull()) << a->text().toStdString();
            EXPECT_TRUE(itemKeys.insert(itemKey).second)
                << menuAction->text().toStdString() << ": two items answer " << QString(itemKey).toStdString() << " ("
                << a->text().toStdString() << ")";
        }
    }
    // The titles stay as the program gives them.
    EXPECT_EQ(item("QuitTalvexa1099")->text().toStdString(), "Quit Talvexa 1099 E-File ");
    EXPECT_EQ(item("HideTalvexa1099")->text().toStdString(), "Hide Talvexa 1099 E-File ");
    EXPECT_EQ(item("QuitTalvexa1099")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    EXPECT_EQ(item("HideTalvexa1099")->shortcut(), QKeySequence(QStringLiteral("Ctrl+H")));
}

TEST_F(MainWindowTest, AltAndTheLettersChooseAMenuItem) {
    window->resize(1040, 760);
    window->show();
    window->activateWindow();
    QApplication::processEvents();
    auto* toolbar = window->findChild<QToolBar*>(QStringLiteral("toolBar"));
    ASSERT_TRUE(toolbar->isVisible());

    QWidget* focus = window->focusWidget() ? window->focusWidget() : window.get();
    sendKey(focus, Qt::Key_V, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_EQ(popup, w<QMenu>("View_Menu"));
    sendKey(popup, Qt::Key_T);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_FALSE(toolbar->isVisible());

    // The same keys show it again.
    focus = window->focusWidget() ? window->focusWidget() : window.get();
    sendKey(focus, Qt::Key_V, Qt::AltModifier);
    ASSERT_EQ(QApplication::activePopupWidget(), w<QMenu>("View_Menu"));
    sendKey(QApplication::activePopupWidget(), Qt::Key_T);
    EXPECT_TRUE(toolbar->isVisible());
}
