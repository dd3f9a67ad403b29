// The keyboard in every window: Tab from the control that has the focus when the window
// opens reaches each enabled input and button once, goes along a row of buttons from
// left to right, and comes back to where it started; and the keys
// (Alt and a letter) of the main window's and the database manager's buttons are each
// their window's own and press their button.

#include <map>
#include <ostream>
#include <set>

#include <QMenuBar>
#include <QShortcut>

#include "EveryWindow.h"
#include "ui/UiTestHelpers.h"

namespace {

using namespace everywindow;

class WindowTabOrder : public EveryWindowTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(WindowTabOrder, TabReachesEveryControlOnceAndComesBack) {
    WindowPtr made = GetParam().make();
    QWidget* window = made ? made.get() : main.get();
    ASSERT_NE(window, nullptr);
    uitest::activate(*window);
    ASSERT_NE(window->focusWidget(), nullptr) << "nothing has the focus when the window opens";
    uitest::expectTabReachesEveryControl(*window);
    uitest::expectButtonRowsLeftToRight(*window, uitest::tabCycle(*window));
}

// Windows whose own tests follow their Tab order field by field.
bool testedElsewhere(const std::string& name) {
    static const std::set<std::string> own = {
        "MISCFrame", "NECFrame", "INTFrame", "DIVFrame", "RFrame", "SFrame", "CompanyController",
        "EFileFrameController", "AdditionalPayersInformation", "FindPriorYearDatabase", "ImportPriorYear"};
    return own.count(name) > 0;
}

std::vector<WindowCase> windowsWithoutTabTests() {
    std::vector<WindowCase> rest;
    for (const WindowCase& c : windows())
        if (!testedElsewhere(c.name)) rest.push_back(c);
    return rest;
}

INSTANTIATE_TEST_SUITE_P(Every, WindowTabOrder, ::testing::ValuesIn(windowsWithoutTabTests()),
                         [](const auto& test) { return test.param.name; });

// Every Alt+letter of the window: its buttons' and labels' letters (each checked to
// lead to one control), its menus' letters and its keys of buttons whose titles change.
std::multiset<QChar> altLetters(QWidget& window) {
    std::multiset<QChar> letters;
    for (char c : uitest::expectLettersOfTheirOwn(window)) letters.insert(QChar::fromLatin1(c));
    if (auto* bar = window.findChild<QMenuBar*>())
        for (QAction* menu : bar->actions()) {
            const QKeySequence key = QKeySequence::mnemonic(menu->text());
            if (!key.isEmpty()) letters.insert(QChar(key[0].key()).toUpper());
        }
    for (QShortcut* shortcut : window.findChildren<QShortcut*>()) {
        const QKeyCombination key = shortcut->key()[0];
        if (shortcut->key().count() == 1 && key.keyboardModifiers() == Qt::AltModifier)
            letters.insert(QChar(key.key()).toUpper());
    }
    return letters;
}

struct ButtonKeysCase {
    std::string name;
    std::string window;   // a window of the table above
    std::vector<std::pair<Qt::Key, const char*>> keys;
};

void PrintTo(const ButtonKeysCase& c, std::ostream* os) { *os << c.name; }

class ButtonKeys : public EveryWindowTest, public ::testing::WithParamInterface<ButtonKeysCase> {};

TEST_P(ButtonKeys, EachLetterIsTheWindowsOwnAndPressesItsButton) {
    const ButtonKeysCase& c = GetParam();
    WindowPtr made;
    for (const WindowCase& w : windows())
        if (w.name == c.window) made = w.make();
    QWidget* window = made ? made.get() : main.get();
    uitest::activate(*window);

    const std::multiset<QChar> letters = altLetters(*window);
    for (QChar letter : letters)
        EXPECT_EQ(letters.count(letter), 1u) << "Alt+" << QString(letter).toStdString() << " answers twice";

    for (const auto& [key, name] : c.keys) {
        auto* button = uitest::child<QAbstractButton>(*window, name);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << name;
        EXPECT_EQ(letters.count(QChar(key)), 1u) << name << " has no Alt+" << QString(QChar(key)).toStdString();
        // What the button does is its own tests' matter: here only that the key presses it.
        QObject::disconnect(button, &QAbstractButton::clicked, nullptr, nullptr);
        int clicks = 0;
        QObject::connect(button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
        uitest::key(*window, key, Qt::AltModifier);
        EXPECT_TRUE(uitest::waitUntil([&clicks] { return clicks == 1; }))
            << "Alt+" << QString(QChar(key)).toStdString() << " does not press " << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ButtonKeys,
    ::testing::Values(
        ButtonKeysCase{"MainWindowOpen",
                       "AppDelegate",
                       {{Qt::Key_C, "UpdateCompany_B"},
                        {Qt::Key_M, "DeleteCompany_Button"},
                        {Qt::Key_R, "NewRecipient_Button"},
                        {Qt::Key_I, "UpdateRecipient_Button"},
                        {Qt::Key_L, "DeleteRecipient_Button"},
                        {Qt::Key_Y, "CopyRecipient_Button"},
                        {Qt::Key_A, "addCompanyButton"},
                        {Qt::Key_D, "addRecipientButton"},
                        {Qt::Key_P, "printRecipientButton"},
                        {Qt::Key_O, "printCompanyButton"}}},
        // The context button's titles are fixed: it has a key of its own.
        ButtonKeysCase{"MainWindowClosed", "AppDelegateClosed", {{Qt::Key_G, "Context_B"}}},
        ButtonKeysCase{"DatabaseManager",
                       "DatabaseManagerDialog",
                       {{Qt::Key_N, "Create_Button"},
                        {Qt::Key_A, "AddDB_List"},
                        {Qt::Key_F, "FindDB"},
                        {Qt::Key_R, "Rename_DB"},
                        {Qt::Key_M, "MoveDB_Button"},
                        {Qt::Key_E, "RemoveDB_Button"},
                        {Qt::Key_H, "Help_Button"},
                        {Qt::Key_C, "CloseDB_Button"}}}),
    [](const auto& test) { return test.param.name; });

}  // namespace
