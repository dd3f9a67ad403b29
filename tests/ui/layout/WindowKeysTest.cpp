// The keyboard in every window: Tab from the control that has the focus when the window
// opens reaches each enabled input and button once, goes along a row of buttons from
// left to right, and comes back to where it started; and the keys
// (Alt and a letter) of the main window's and the database manager's buttons are each
// their window's own and press their button.

#include <algorithm>
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

// The entry windows' runs of stops: the name parts in the order they are laid out, with
// the suffix after the surname, and each state row as one run (its state pop-up, then its
// boxes from left to right) that leads on to the next row's pop-up.
struct TabRunsCase {
    std::string window;   // an entry window of the table above
    std::vector<const char*> nameParts;
    std::vector<std::vector<const char*>> stateRows;
};

void PrintTo(const TabRunsCase& c, std::ostream* os) { *os << c.window; }

class EntryWindowTabRuns : public EveryWindowTest, public ::testing::WithParamInterface<TabRunsCase> {};

TEST_P(EntryWindowTabRuns, NamePartsAndEachStateRowAreOneRunOfStops) {
    const TabRunsCase& c = GetParam();
    WindowPtr made;
    for (const WindowCase& w : windows())
        if (w.name == c.window) made = w.make();
    ASSERT_TRUE(made);
    QWidget& window = *made;
    uitest::activate(window);
    QWidget* first = uitest::child(window, c.nameParts.front());
    ASSERT_TRUE(first->isEnabled());
    first->setFocus(Qt::TabFocusReason);
    const std::vector<QWidget*> cycle = uitest::tabCycle(window);
    ASSERT_FALSE(cycle.empty());

    // The stops that follow the first of a run, as many as the run has.
    auto stopsFrom = [&](const char* name, std::size_t count) {
        std::vector<std::string> stops;
        const auto at = std::find(cycle.begin(), cycle.end(), uitest::child(window, name));
        if (at == cycle.end()) return stops;
        for (std::size_t k = 0; k < count; ++k)
            stops.push_back(cycle[(static_cast<std::size_t>(at - cycle.begin()) + k) % cycle.size()]
                                ->objectName()
                                .toStdString());
        return stops;
    };
    auto asStrings = [](const std::vector<const char*>& names) {
        return std::vector<std::string>(names.begin(), names.end());
    };
    EXPECT_EQ(stopsFrom(c.nameParts.front(), c.nameParts.size()), asStrings(c.nameParts));

    std::vector<const char*> rows;
    for (const std::vector<const char*>& row : c.stateRows) {
        rows.insert(rows.end(), row.begin(), row.end());
        // The boxes after the pop-up stand on one line from left to right.
        for (std::size_t k = 2; k < row.size(); ++k) {
            const QWidget* left = uitest::child(window, row[k - 1]);
            const QWidget* right = uitest::child(window, row[k]);
            const QPoint l = left->mapTo(&window, QPoint(0, left->height() / 2));
            const QPoint r = right->mapTo(&window, QPoint(0, right->height() / 2));
            EXPECT_LT(l.x(), r.x()) << row[k - 1] << " is not left of " << row[k];
            EXPECT_EQ(l.y(), r.y()) << row[k - 1] << " and " << row[k] << " are not on one line";
        }
    }
    if (!rows.empty()) {
        EXPECT_EQ(stopsFrom(rows.front(), rows.size()), asStrings(rows));
    }
}

INSTANTIATE_TEST_SUITE_P(
    EntryWindows, EntryWindowTabRuns,
    ::testing::Values(
        TabRunsCase{"MISCFrame",
                    {"FirstName_Text", "Middle_Name", "Last_Name", "Suffix"},
                    {{"M_topState_P", "StateTaxWithheld1_Text", "StateNum1_Text", "StateIncome1_Text",
                      "LocalIncometax", "Statespecialdata1"},
                     {"M_bottomState_P", "StateTaxWithheld2_Text", "StateNum2_Text", "StateIncome2_Text",
                      "Localincometax2", "Statespecialdata2"}}},
        TabRunsCase{"NECFrame",
                    {"FirstName_Text", "Middlename", "Lastname", "SUffix"},
                    {{"Nec_State1_P", "StateTaxWithheld1_Text", "StateNum1_Text", "StateIncome1_Text", "Statelocal1",
                      "StateSpecialdata"},
                     {"Nec_State2_P", "StateTaxWithheld2_Text", "StateNum2_Text", "StateIncome2_Text", "Statelocal2",
                      "Statespecialdata1"}}},
        TabRunsCase{"INTFrame",
                    {"FirstNameStaticText", "Middlename", "LastnameBtn", "Suffix"},
                    {{"StateToppopup", "StateNumberStaticText", "StateTaxWithheldStaticText", "INT_StateINC1_P",
                      "LocalIncometax", "StateSpecialdata"},
                     {"StateButtompopup", "StateNumberStaticText1", "StateTaxWithheldStaticText1", "INT_StateINC2_P",
                      "LocalIncometax2", "Statespecialdata2"}}},
        TabRunsCase{"DIVFrame",
                    {"FirstNameStaticText", "Middlename", "Lastname_action", "Suffix"},
                    {{"StateTop_popupBtn", "StateNumberStaticText", "StateTaxWithheldStaticText", "D_StateInc1_P",
                      "LocalIncometax", "Statespecialdata1"},
                     {"StateButtom_popupBtn", "StateNumberStaticText1", "StateTaxWithheldStaticText1",
                      "D_StateInc2_P", "Localincometax2", "Statespecialdata2"}}},
        TabRunsCase{"RFrame",
                    {"FirstNameStaticText", "Middlename", "LastName", "Sufix"},
                    {{"R_State1_P", "StateTaxWithheldStaticText", "StateNumberStaticText", "StateIncomeStaticText",
                      "LocalTaxWithheldStaticText", "NameOfLocalityStaticText", "LocalDistributionStaticText",
                      "R_StateInc1_P", "StateLocalincome", "StateSpecialdata"},
                     {"R_State2_P", "StateTaxWithheldStaticText1", "StateNumberStaticText1", "StateIncomeStaticText1",
                      "LocalTaxWithheldStaticText1", "NameOfLocalityStaticText1", "LocalDistributionStaticText1",
                      "R_StateInc2_P", "StateLocalIncome2", "Statespecialdata1"}}},
        // The 1099-S window has no state rows.
        TabRunsCase{"SFrame", {"FirstNameStaticText", "middlename", "lastname", "suffix"}, {}}),
    [](const auto& test) { return test.param.window; });

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
