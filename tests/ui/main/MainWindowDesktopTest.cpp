// The main window as a desktop user meets it: names and paths shown as they are, the
// keyboard moving through the window, the toolbar following the menus, the filters.

#include <QApplication>
#include <QDir>
#include <QKeyEvent>

#include "MainWindowFixture.h"
#include "ui/main/InformationDialog.h"
#include "ui/support/ElidedLabel.h"
#include "ui/support/ModalLoop.h"

namespace {

using Strings = std::vector<std::string>;

void sendKey(QWidget* target, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

}  // namespace

class MainWindowDesktop : public MainWindowTest {
protected:
    // Shown and active, so that the keyboard focus moves as it does for the user.
    void activate() {
        window->resize(1040, 760);
        window->show();
        window->activateWindow();
        QApplication::processEvents();
    }
    ElidedLabel* pathLine() const { return w<ElidedLabel>("Db_Path"); }
};

// "&" is an ordinary character on the information line; a long path is drawn elided in
// the middle, so that its file name stays in sight, and shown whole as the tip.
TEST_F(MainWindowDesktop, InformationLineShowsTheNameAndPathAsTheyAre) {
    const std::string folder = home.path() + "/Clients & Partners/Payroll and Contractor Records/Year End Filing";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    const std::string path = folder + "/Smith & Sons 2025.db";
    ASSERT_LE(path.size(), 128u);
    openDatabase("Smith & Sons", path);
    addPayer("Smith & Sons Landscaping");
    showDatabase();
    activate();
    window->resize(820, 600);
    QApplication::processEvents();

    EXPECT_EQ(text("Db_name"), "Smith & Sons - 1099 Year 2025");
    EXPECT_EQ(text("Db_Path"), path);
    EXPECT_EQ(pathLine()->toolTip().toStdString(), path);
    const std::string drawn = pathLine()->displayedText().toStdString();
    EXPECT_NE(drawn, path) << "the line is narrower than the path";
    EXPECT_NE(drawn.find("…"), std::string::npos) << drawn;
    EXPECT_EQ(drawn.rfind(home.path().substr(0, 5), 0), 0u) << drawn;
    EXPECT_GE(drawn.size(), std::string("Smith & Sons 2025.db").size());
    EXPECT_EQ(drawn.substr(drawn.size() - std::string("Smith & Sons 2025.db").size()), "Smith & Sons 2025.db")
        << drawn;
    uitest::saveImage(*window, QStringLiteral("AppDelegate"));

    // Wide enough, the whole path is drawn.
    window->resize(1600, 700);
    QApplication::processEvents();
    EXPECT_EQ(pathLine()->displayedText().toStdString(), path);
}

// Over 128 characters the line holds the first 128 and "..."; the tip the whole path.
TEST_F(MainWindowDesktop, VeryLongPathIsCutAndWholeInTheTip) {
    const std::string fileName = "/Smith & Sons 2025.db";
    const std::string base = home.path() + "/Clients & Partners/";
    const std::string folder = base + std::string(150 - base.size() - fileName.size(), 'x');
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    const std::string path = folder + fileName;
    openDatabase("Smith & Sons", path);
    showDatabase();
    activate();
    EXPECT_EQ(text("Db_Path"), path.substr(0, 128) + "...");
    EXPECT_EQ(pathLine()->toolTip().toStdString(), path);
    uitest::saveImage(*window, QStringLiteral("AppDelegate"));

    window->CloseDatabase(false, false);
    window->Refresh();
    EXPECT_EQ(text("Db_Path"), "");
    EXPECT_EQ(pathLine()->toolTip().toStdString(), "");
}

// Tab leaves a list for the next control without touching the selection; the arrows
// move within the list.
TEST_F(MainWindowDesktop, TabLeavesTheListsForTheNextControl) {
    openDatabase();
    const int32_t acme = addPayer("Acme Supply");
    addPayer("Birch & Sons");
    addRecipient(acme, {7, "Ann", "Ann Lee", "Lee"});
    addRecipient(acme, {7, "Bo", "Bo Moe", "Moe"});
    showDatabase();
    activate();
    userSelect(companies(), {0});
    userSelect(recipients(), {0});

    companies()->setFocus();
    sendKey(companies(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), button("UpdateCompany_B"));
    EXPECT_EQ(selectedRows(companies()), std::vector<int>{0});

    recipients()->setFocus();
    sendKey(recipients(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), button("NewRecipient_Button"));
    EXPECT_EQ(selectedRows(recipients()), std::vector<int>{0});

    recipients()->setFocus();
    sendKey(recipients(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), recipients());
    EXPECT_EQ(selectedRows(recipients()), std::vector<int>{1});
    EXPECT_EQ(session().recp_details->selectedRecipients().size(), 1u);
}

// Print Recipients and Print Company on the toolbar are offered exactly when their
// File-menu twins are.
TEST_F(MainWindowDesktop, ToolbarPrintButtonsFollowTheirMenuItems) {
    QToolButton* recipientsButton = window->printRecipientButton();
    QToolButton* companyButton = window->printCompanyButton();
    auto states = [&] {
        EXPECT_EQ(recipientsButton->isEnabled(), item("prntformforRec")->isEnabled());
        EXPECT_EQ(companyButton->isEnabled(), item("printformforFilling")->isEnabled());
        return std::pair{recipientsButton->isEnabled(), companyButton->isEnabled()};
    };
    window->Refresh();
    EXPECT_EQ(states(), std::pair(false, false)) << "nothing open";

    openDatabase();
    const int32_t acme = addPayer("Acme Supply");
    addRecipient(acme, {7, "Ann", "Ann Lee", "Lee"});
    showDatabase();
    userSelect(companies(), {0});
    EXPECT_EQ(states(), std::pair(false, true)) << "a payer chosen";
    userSelect(recipients(), {0});
    EXPECT_EQ(states(), std::pair(true, true)) << "a recipient chosen";

    window->CloseDatabase(false, false);
    window->Refresh();
    EXPECT_EQ(states(), std::pair(false, false)) << "closed again";
}

// Return in the window presses the context button while it is the default button.
TEST_F(MainWindowDesktop, ReturnPressesTheContextButton) {
    databaseInfo listed;
    listed.setName("Acme");
    listed.setPath(home.file("Acme 2025.db"));
    listed.setYear(2025);
    ASSERT_TRUE(app()->InsertDatabaseInfo(listed));
    window->Refresh();
    activate();
    ASSERT_EQ(window->context(), 3);
    std::vector<std::string> shown;
    {
        ScopedModalResponder responder([&](QWidget& box) {
            shown.push_back(box.objectName().toStdString());
            if (auto* close = box.findChild<QPushButton*>(QStringLiteral("CloseDB_Button"))) close->click();
        });
        sendKey(window.get(), Qt::Key_Return);
    }
    EXPECT_EQ(shown, Strings{"DatabaseManagerDialog"});
}

class MainWindowFilters : public MainWindowDesktop {
protected:
    void SetUp() override {
        MainWindowDesktop::SetUp();
        openDatabase();
        const int32_t acme = addPayer("Acme Supply");
        for (const Person& p : {Person{7, "Pat", "Pat_Smith", "Pat_Smith"}, Person{7, "Pat", "PatXSmith", "PatXSmith"},
                                Person{7, "Lee", "Lee Moe", "Moe"}})
            addRecipient(acme, p);
        showDatabase();
        userSelect(companies(), {0});
    }
    QLineEdit* filter() const { return w<QLineEdit>("RecipientFilter_Text"); }
    void filterBy(const char* text) {
        filter()->setText(QString::fromUtf8(text));
        emit filter()->returnPressed();
    }
};

// "_" in the name filter matches only names that hold it; "*" and "%" stay wildcards.
TEST_F(MainWindowFilters, UnderscoreIsAnOrdinaryCharacter) {
    struct Case {
        const char* filter;
        Strings rows;
    };
    const Case cases[] = {
        {"_", {"Pat_Smith, Pat"}},
        {"Pat_S", {"Pat_Smith, Pat"}},
        {"Pat%Smith", {"Pat_Smith, Pat", "PatXSmith, Pat"}},
        {"Pat*Smith", {"Pat_Smith, Pat", "PatXSmith, Pat"}},
        {"%", {"Moe, Lee", "Pat_Smith, Pat", "PatXSmith, Pat"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.filter);
        filterBy(c.filter);
        EXPECT_EQ(recipientRows(), c.rows);
        EXPECT_EQ(countLine(), "Recipient  " + std::to_string(c.rows.size()) + " of 3 ");
    }
}

// The field's clear button shows the whole list again at once, as Return would.
TEST_F(MainWindowFilters, ClearingTheFieldShowsEveryRecipientAgain) {
    filterBy("Moe");
    ASSERT_EQ(recipientRows(), Strings{"Moe, Lee"});
    // The clear button is the field's own tool button.
    auto* clear = filter()->findChild<QToolButton*>();
    ASSERT_NE(clear, nullptr);
    clear->click();
    EXPECT_EQ(filter()->text(), QString());
    EXPECT_EQ(recipientRows(), (Strings{"Moe, Lee", "Pat_Smith, Pat", "PatXSmith, Pat"}));
    EXPECT_EQ(countLine(), "Recipient  3 of 3 ");
    EXPECT_EQ(session()._RecipientFilterString, "");
}
