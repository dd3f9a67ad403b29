// Texts that send the user to a menu item or a button name only what this program has:
// every name the welcome and folder-setup texts quote is a menu, a menu item or a
// button of the window the text points to.

#include <set>

#include <QPlainTextEdit>
#include <QRegularExpression>

#include "MainWindowFixture.h"
#include "core/foundation/TalvexaDir.h"
#include "ui/admin/AdminDialog.h"
#include "ui/setup/Configuration_Setup.h"
#include "ui/setup/WelcomeDialog.h"

namespace {

// A title as a text names it: without its mnemonic marks and closing dots.
std::string plainTitle(QString title) {
    title.remove(QLatin1Char('&'));
    title = title.trimmed();
    for (const QString& dots : {QStringLiteral("\u2026"), QStringLiteral("...")})
        if (title.endsWith(dots)) title.chop(dots.size());
    return title.trimmed().toStdString();
}

// The names a text quotes: 'Admin', 'Add...'; an apostrophe inside a word ("1099's")
// opens no quote.
std::vector<std::string> quotedNames(const QString& text) {
    static const QRegularExpression quoted(QStringLiteral("(?:^|\\s)'([^'\\n]+?)'(?=[\\s.,;:!?)]|$)"));
    std::vector<std::string> names;
    for (auto it = quoted.globalMatch(text); it.hasNext();) names.push_back(it.next().captured(1).toStdString());
    return names;
}

}  // namespace

TEST_F(MainWindowTest, TextsNameOnlyMenusAndButtonsThatExist) {
    std::set<std::string> offered;
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        offered.insert(plainTitle(menu->title()));
        for (QAction* item : menu->actions())
            if (!item->isSeparator()) offered.insert(plainTitle(item->text()));
    }
    AdminDialog admin;
    for (QAbstractButton* button : admin.findChildren<QAbstractButton*>()) offered.insert(plainTitle(button->text()));

    WelcomeDialog welcome;
    const QString welcomeText = welcome.findChild<QPlainTextEdit*>(QStringLiteral("welcome_msg"))->toPlainText();
    const std::vector<std::string> named = quotedNames(welcomeText);
    EXPECT_EQ(named, (std::vector<std::string>{"Admin", "Tools", "Add...", "1099 Manual", "Help"}));
    for (const std::string& name : named) EXPECT_TRUE(offered.count(plainTitle(QString::fromStdString(name)))) << name;
    EXPECT_FALSE(welcomeText.contains(QStringLiteral("built in")));

    TalvexaDir dir;
    dir.SetBaseDir(home.path() + "/Documents/");
    dir.SetYear(2025);
    Configuration_Setup setup;
    setup.SetTalvexaDir(&dir);
    setup.show();
    const QString setupText = setup.findChild<QPlainTextEdit*>(QStringLiteral("ListOfFiles"))->toPlainText();
    setup.hide();
    ASSERT_TRUE(setupText.startsWith(QStringLiteral("In order to run, Talvexa 1099 needs a place")));
    for (const std::string& name : quotedNames(setupText))
        EXPECT_TRUE(offered.count(plainTitle(QString::fromStdString(name)))) << name;

    // The Window menu's item that fills the screen says so.
    std::vector<std::string> windowItems;
    for (QAction* item : w<QMenu>("Window_Menu")->actions()) windowItems.push_back(plainTitle(item->text()));
    EXPECT_NE(std::find(windowItems.begin(), windowItems.end(), "Maximize"), windowItems.end());
    EXPECT_EQ(std::find(windowItems.begin(), windowItems.end(), "Zoom"), windowItems.end());
}
