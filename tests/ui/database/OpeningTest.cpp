#include <sys/stat.h>

#include <functional>

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "DatabaseFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "ui/database/DatabaseBoundWindow.h"
#include "ui/database/DatabaseManagerDialog.h"
#include "ui/main/AppDelegate.h"
#include "WithoutFileOverride.h"
#include "ui/support/PageSetup.h"

namespace {

using Strings = std::vector<std::string>;

// A window bound to the open database whose user keeps it open or lets it close.
class FakeBoundWindow : public DatabaseBoundWindow {
public:
    bool closeWithPrompt() override {
        ++asked;
        return !keepOpen;
    }
    bool keepOpen = false;
    int asked = 0;
};

// A bound window with unsaved changes: closing it asks whether to save (Yes), discard
// (No) or stay open (Cancel).
class UnsavedBoundWindow : public DatabaseBoundWindow {
public:
    bool closeWithPrompt() override {
        const int32_t answer = tvDatabase::tvMessageBox("Do you want to save the changes?", "",
                                                        kMessageStyleYesNoCancel, "", kMessageImagePrompt, false);
        if (answer == kMessageAnswerCancel) return false;
        closed = true;
        return true;
    }
    bool closed = false;
};

class OpeningTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        window = std::make_unique<AppDelegate>();
    }
    void TearDown() override {
        window.reset();
        DatabaseTest::TearDown();
    }

    template <class T = QWidget>
    T* w(const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << "no " << name;
        return found;
    }
    bool enabled(const char* name) const {
        if (auto* action = window->findChild<QAction*>(QString::fromLatin1(name))) return action->isEnabled();
        return w(name)->isEnabled();
    }

    // A listed database with two payers.
    databaseInfo acme(DatabaseRecipe recipe = DatabaseRecipe("Acme")) {
        recipe.payer("Acme Supply").payer("Birch & Sons");
        return listDatabase(makeDatabase(recipe), recipe.name);
    }

    // The manager box: the row is clicked, then Open.
    void openRowInManager(int row) {
        script.expect("DatabaseManagerDialog", [row](QWidget& box) {
            answer::clickRow(uitest::child<QTableView>(box, "DbList"), row);
            uitest::press(box, "OpenDB_Button");
        });
    }

    // What an open database shows.
    void expectOpen(const databaseInfo& entry) {
        ASSERT_TRUE(cdb()->IsReady());
        EXPECT_EQ(cdb()->GetPath(), entry.path());
        EXPECT_EQ(window->CompanyVec(), (Strings{"Acme Supply", "Birch & Sons"}));
        EXPECT_EQ(recentPath(), entry.path());
        EXPECT_EQ(intQuery(entry.path(), "select in_use from database"), 1);
        EXPECT_EQ(intQuery(entry.path(), "select isBackup from database"), 0);
        EXPECT_FALSE(enabled("Context_B"));
        EXPECT_TRUE(enabled("Closedb"));
        EXPECT_FALSE(enabled("OpenDb_TextFilemenu"));
        EXPECT_EQ(w<QLabel>("Db_name")->text().toStdString(), entry.name() + " - 1099 Year 2025");
    }

    void expectClosed() {
        EXPECT_FALSE(cdb()->IsReady());
        EXPECT_EQ(window->CompanyVec(), Strings{});
        EXPECT_TRUE(enabled("Context_B"));
    }

    std::unique_ptr<AppDelegate> window;
};

TEST_F(OpeningTest, OpensTheDatabaseChosenInTheManager) {
    listDatabase(makeDatabase(DatabaseRecipe("Zeta")), "Zeta");
    const databaseInfo entry = acme();
    openRowInManager(0);   // "Acme" before "Zeta"
    window->DatabaseManager();
    expectOpen(entry);
    EXPECT_TRUE(app()->IsReady());
    EXPECT_TRUE(enabled("Admin"));   // the built-in login is an administrator
}

TEST_F(OpeningTest, OpensTheDatabaseChosenThroughTheFileMenu) {
    const databaseInfo entry = acme();
    openRowInManager(0);
    w<QAction>("OpenDb_TextFilemenu")->trigger();
    expectOpen(entry);
}

TEST_F(OpeningTest, PageSetupIsOfferedAgainWhenAnotherDatabaseOpensAfterAClose) {
    const databaseInfo first = acme();
    // The second one is opened by an ordinary user: page setup is for everyone.
    const databaseInfo second =
        listDatabase(makeDatabase(DatabaseRecipe("Birch").payer("Birch & Sons").user("Bo", "Secret2", 2)), "Birch");
    ASSERT_TRUE(window->OpenDatabase(first, -1, false));
    EXPECT_TRUE(enabled("Editpage"));

    w<QAction>("Closedb")->trigger();
    expectClosed();
    EXPECT_FALSE(enabled("Editpage"));

    script.expect("LoginDialog", answer::login("Bo", "Secret2"));
    ASSERT_TRUE(window->OpenDatabase(second, -1, false));
    ASSERT_TRUE(cdb()->IsReady());
    EXPECT_TRUE(enabled("Editpage"));
    script.expect(kPageSetupDialogName, [](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); });
    w<QAction>("Editpage")->trigger();
    EXPECT_EQ(script.seen().back(), kPageSetupDialogName);
}

TEST_F(OpeningTest, ManagerClosedWithoutOpeningLeavesNothingOpenAndTheNextOpenStillWorks) {
    const databaseInfo entry = acme();
    script.expect("DatabaseManagerDialog", [](QWidget& box) { uitest::press(box, "CloseDB_Button"); });
    window->DatabaseManager();
    expectClosed();
    EXPECT_FALSE(app()->IsReady());   // the configuration database is closed with nothing open

    openRowInManager(0);
    EXPECT_TRUE(window->FilemenuOpenDB());
    expectOpen(entry);
}

TEST_F(OpeningTest, ReopensTheRecentDatabaseAtStartUp) {
    const databaseInfo entry = acme();
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(entry));
    script.expect("InformationDialog", [](QWidget& w) { uitest::press(w, "Continue_Button"); });
    window->applicationDidFinishLaunching();
    expectOpen(entry);
}

TEST_F(OpeningTest, WithoutARecentDatabaseStartUpOpensNothing) {
    acme();
    EXPECT_FALSE(window->OpenRecentDatabase(-1, 0, false));
    expectClosed();
}

TEST_F(OpeningTest, OpeningTheOpenDatabaseAgainChangesNothing) {
    const databaseInfo entry = acme(DatabaseRecipe("Acme").user("Ada", "Secret1", 1));
    script.expect("LoginDialog", answer::login("Ada", "Secret1"));
    ASSERT_TRUE(window->OpenDatabase(entry, -1, false));
    // No second login.
    EXPECT_TRUE(window->OpenDatabase(entry, -1, false));
    expectOpen(entry);
}

TEST_F(OpeningTest, MissingOrEmptyEntryOpensNothingSilently) {
    databaseInfo missing;
    missing.setName("Gone");
    missing.setPath(yearFolder() + "/Gone 2025.db");
    missing.setYear(2025);
    for (const databaseInfo& entry : {missing, databaseInfo()}) {
        EXPECT_FALSE(window->OpenDatabase(entry, -1, false));
        expectClosed();
    }
    EXPECT_FALSE(platform::fileExists(missing.path()));
}

// A file with user accounts asks for a login; what the user may do follows the account.
TEST_F(OpeningTest, LoginDecidesWhetherAndHowTheDatabaseOpens) {
    struct Case {
        const char* who;
        std::vector<std::pair<std::string, std::string>> attempts;   // the last one is cancelled when refused
        bool opens;
        bool administrator;
    };
    const Case cases[] = {
        {"administrator", {{"Ada", "Secret1"}}, true, true},
        {"ordinary user", {{"Bob", "bob"}}, true, false},
        {"wrong password, then cancel", {{"Ada", "secret1"}}, false, false},
        {"wrong password, then the right one", {{"Bob", "Bob"}, {"Bob", "bob"}}, true, false},
    };
    const databaseInfo entry = acme(DatabaseRecipe("Acme").user("Ada", "Secret1", 1).user("Bob", "bob", 0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.who);
        int refused = 0;
        script.expect("LoginDialog", [&](QWidget& w) {
            for (const auto& [name, password] : c.attempts) {
                answer::typeLogin(w, name, password);
                if (!isRunningModal(&w)) return;
                ++refused;
            }
            uitest::press(w, "Cancel_Login");
        });
        for (size_t i = 0; i + (c.opens ? 1 : 0) < c.attempts.size(); ++i)
            script.expect(kDatabaseAlertName, answer::alert("Invalid Login, Please try again"));

        EXPECT_EQ(window->OpenDatabase(entry, -1, false), c.opens);
        if (c.opens) {
            expectOpen(entry);
            for (const char* command : {"Admin", "Backupdatabase", "restoredb"})
                EXPECT_EQ(enabled(command), c.administrator) << command;
            EXPECT_TRUE(window->CloseDatabase(false, false));
        } else {
            expectClosed();
            EXPECT_EQ(intQuery(entry.path(), "select in_use from database"), 0);
        }
    }
}

TEST_F(OpeningTest, LoginClosedByItsCloseBoxOpensNothing) {
    const databaseInfo entry = acme(DatabaseRecipe("Acme").user("Ada", "Secret1", 1));
    script.expect("LoginDialog", [](QWidget& w) { w.close(); });
    EXPECT_FALSE(window->OpenDatabase(entry, -1, false));
    expectClosed();
}

TEST_F(OpeningTest, BuiltInLoginThatIsNoAdministratorOpensNothingAndSaysNothing) {
    const databaseInfo entry = acme();
    execSql(entry.path(), "update logins set userType = 0 where name = 'Harbour';");
    EXPECT_FALSE(window->OpenDatabase(entry, -1, false));
    expectClosed();
    EXPECT_TRUE(scripted->boxes().empty());
}

TEST_F(OpeningTest, UnreadableFileGetsTheAccessAdvice) {
    const databaseInfo entry = acme();
    ASSERT_EQ(::chmod(entry.path().c_str(), 0), 0);
    WithoutFileOverride plainUser;
    ASSERT_FALSE(platform::isReadable(entry.path()));
    scripted->answerBox(kMessageAnswerOkYes);
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_FALSE(window->OpenDatabase(entry, -1, false));
    ::chmod(entry.path().c_str(), 0644);
    expectClosed();
    const std::vector<MessageBoxRequest> boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE((boxes[0].caption + boxes[0].details).find("To resolve this issue"), std::string::npos);
    EXPECT_EQ(boxes[1].caption, "Unable to open database.");
    EXPECT_EQ(boxes[1].details.rfind("Unable to open the following 1099 Company Database:\n\n    Acme\n\n"
                                     "To resolve this issue, please have a system administrator provide you with "
                                     "Read & Write access for the following directory and all of its contents:",
                                     0),
              0u);
    EXPECT_EQ(boxes[1].image, kMessageImageError);
}

TEST_F(OpeningTest, FileLeftInUseByACrashedRunOpensWithItsData) {
    const databaseInfo entry = acme(DatabaseRecipe("Acme").markedInUse());
    ASSERT_EQ(intQuery(entry.path(), "select in_use from database"), 1);
    EXPECT_TRUE(window->OpenDatabase(entry, -1, false));
    expectOpen(entry);
    EXPECT_TRUE(scripted->boxes().empty());

    w<QAction>("Closedb")->trigger();
    expectClosed();
    EXPECT_EQ(intQuery(entry.path(), "select in_use from database"), 0);
    EXPECT_EQ(intQuery(entry.path(), "select count(*) from companies"), 2);
}

// Damaged, foreign and locked files opened from the main window: each says why, the
// file is left as it was, and the database that was open before comes back whole.
TEST_F(OpeningTest, DamagedAndForeignFilesAreRefusedAndThePreviousOneComesBackWhole) {
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        std::vector<const char*> messages;   // start of each message's details
    };
    const char* openFailure = "Unable to open the company database \"";
    const char* notOurs = "Invalid database version. Database does not appear to be a Talvexa 1099 Company Database.";
    auto company = [&](const std::string& file, const char* sql) {
        DatabaseRecipe recipe("Other");
        recipe.payer("Other Payer");
        const std::string made = makeDatabase(recipe);
        ASSERT_TRUE(platform::copyFile(made, file, true));
        if (*sql) execSql(file, sql);
    };
    const Case cases[] = {
        {"text", [](const std::string& f) { ASSERT_TRUE(platform::writeFileAtomically(f, std::string(4096, 'x'))); },
         {openFailure}},
        {"newer version", [&](const std::string& f) { company(f, "update database set current_version = 37;"); },
         {"Invalid database version. Database is for a newer version", "The database version does not match"}},
        {"no information row", [&](const std::string& f) { company(f, "delete from database;"); }, {notOurs}},
        {"version abc", [&](const std::string& f) { company(f, "update database set current_version = 'abc';"); },
         {notOurs}},
        {"another program's file", [&](const std::string& f) { execSql(f, "create table notes (body TEXT);"); },
         {notOurs}},
    };
    const databaseInfo entry = acme();
    ASSERT_TRUE(window->OpenDatabase(entry, -1, false));
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = yearFolder() + "/Damaged " + std::to_string(++n) + ".db";
        c.make(file);
        std::string before;
        ASSERT_TRUE(platform::readFile(file, before));
        const size_t shownBefore = scripted->boxes().size();
        for (size_t i = 0; i < c.messages.size(); ++i) scripted->answerBox(kMessageAnswerOkYes);

        EXPECT_FALSE(window->OpenDatabase(listDatabase(file, "Damaged"), -1, false));
        expectOpen(entry);
        const std::vector<MessageBoxRequest> boxes = scripted->boxes();
        ASSERT_EQ(boxes.size() - shownBefore, c.messages.size());
        for (size_t i = 0; i < c.messages.size(); ++i)
            EXPECT_EQ(boxes[shownBefore + i].details.rfind(c.messages[i], 0), 0u) << boxes[shownBefore + i].details;
        std::string after;
        ASSERT_TRUE(platform::readFile(file, after));
        EXPECT_TRUE(before == after) << "the file was changed";
    }
}

TEST_F(OpeningTest, AFileLockedByAnotherProgramSaysSo) {
    const databaseInfo entry = acme();
    ASSERT_TRUE(window->OpenDatabase(entry, -1, false));
    const databaseInfo other = acme(DatabaseRecipe("Busy"));
    auto holder = FMDatabase::databaseWithPath(other.path());
    ASSERT_TRUE(holder->open());
    ASSERT_TRUE(holder->beginExclusiveTransaction());
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_FALSE(window->OpenDatabase(other, -1, false));
    ASSERT_TRUE(holder->rollback());
    expectOpen(entry);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_NE(scripted->boxes()[0].details.find("Another program is using this file"), std::string::npos);
    EXPECT_EQ(intQuery(other.path(), "select in_use from database"), 0);
}

TEST_F(OpeningTest, AnOpenThatCannotBeRecordedAsRecentFails) {
    const databaseInfo entry = acme();
    execSql(app()->GetPath(), "drop table recentDatabase;");
    scripted->answerBox(2);
    EXPECT_FALSE(window->OpenDatabase(entry, -1, false));
    expectClosed();
    EXPECT_EQ(intQuery(entry.path(), "select in_use from database"), 0);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "Configuration Database Error!");
    EXPECT_EQ(scripted->boxes()[0].details, "Unable to set recent database. \nno such table: recentDatabase");
}

// The recent-database row is the record of what is open: when it cannot be written the
// chosen file does not stay open, and the database that was open comes back and is shown.
TEST_F(OpeningTest, WhenTheRecentRowCannotBeWrittenThePreviousDatabaseStaysOpen) {
    const databaseInfo entry = acme();
    ASSERT_TRUE(window->OpenDatabase(entry, -1, false));
    const databaseInfo other = listDatabase(makeDatabase(DatabaseRecipe("Zeta").payer("Zeta Co")), "Zeta");
    execSql(app()->GetPath(),
            "create trigger refuse before update on recentDatabase begin select raise(abort, 'refused'); end;");

    scripted->answerBox(2);
    EXPECT_FALSE(window->OpenDatabase(other, -1, false));
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "Configuration Database Error!");
    EXPECT_EQ(scripted->boxes()[0].details, "Unable to set recent database. \nrefused");
    expectOpen(entry);
    EXPECT_EQ(intQuery(other.path(), "select in_use from database"), 0);
}

TEST_F(OpeningTest, CloseWaitsForEveryBoundWindowAndAWindowKeptOpenKeepsTheDatabaseOpen) {
    const databaseInfo entry = acme();
    ASSERT_TRUE(window->OpenDatabase(entry, -1, false));
    FakeBoundWindow payer, entryWindow;
    window->boundWindows().add(payer);
    window->boundWindows().add(entryWindow);

    entryWindow.keepOpen = true;
    w<QAction>("Closedb")->trigger();
    EXPECT_EQ(entryWindow.asked, 1);
    EXPECT_EQ(payer.asked, 0);
    expectOpen(entry);

    entryWindow.keepOpen = false;
    w<QAction>("Closedb")->trigger();
    EXPECT_EQ(entryWindow.asked, 2);
    EXPECT_EQ(payer.asked, 1);
    EXPECT_EQ(window->boundWindows().size(), 0u);
    expectClosed();
    EXPECT_FALSE(enabled("Closedb"));
}

TEST_F(OpeningTest, FileMenuCloseResetsTheWindowAndMakesNoBackupCopy) {
    const databaseInfo entry = acme();
    ASSERT_TRUE(window->OpenDatabase(entry, -1, false));
    w<QAction>("Closedb")->trigger();
    expectClosed();
    EXPECT_EQ(intQuery(entry.path(), "select in_use from database"), 0);
    EXPECT_TRUE(enabled("OpenDb_TextFilemenu"));
    for (const char* command : {"Closedb", "Efile", "Admin", "Backupdatabase", "Editprintforms", "AllStatus", "Company_Sel"})
        EXPECT_FALSE(enabled(command)) << command;
    EXPECT_EQ(session().companyPK, -1);
    const auto backups = QDir(QString::fromStdString(session().configDir->GetAutoBackupsDir()))
                             .entryList(QDir::Files | QDir::NoDotAndDotDot);
    EXPECT_TRUE(backups.isEmpty());
}

TEST_F(OpeningTest, CloseWithTheBackupStepCopiesTheOpenFileIntoTheAutomaticBackups) {
    const databaseInfo entry = acme();
    ASSERT_TRUE(window->OpenDatabase(entry, -1, false));
    EXPECT_TRUE(window->CloseDatabase(true, true));
    expectClosed();
    const std::string copy = session().configDir->GetAutoBackupsDir() + "/" + entry.GetBackupName(true);
    ASSERT_TRUE(platform::fileExists(copy)) << copy;
    EXPECT_EQ(intQuery(copy, "select count(*) from companies"), 2);
    EXPECT_EQ(intQuery(copy, "select in_use from database"), 0);
}

// The box runs again after the codes that message boxes inside it may leave behind.
TEST_F(OpeningTest, ManagerBoxRunsAgainUntilOpenOrClose) {
    constexpr int kOpen = DatabaseManagerDialog::kOpenCode;
    constexpr int kClose = DatabaseManagerDialog::kCloseCode;
    struct Case {
        std::vector<int> codes;   // one run each; a row is selected before Open
        bool chosen;
    };
    const Case cases[] = {
        {{kOpen}, true},
        {{kMessageAnswerCloseBox, kMessageAnswerOkYes, kMessageAnswerCancel, kMessageAnswerNo, 0,
          kCreateDatabaseCancelCode, kCreateDatabaseCreatedAltCode, kCreateDatabaseCreatedCode, kOpen},
         true},
        {{kClose}, false},
        {{kMessageAnswerNo, kClose}, false},
        {{5}, false},
    };
    const databaseInfo entry = acme();
    for (const Case& c : cases) {
        for (int code : c.codes)
            script.expect("DatabaseManagerDialog", [code](QWidget& box) {
                if (code == kOpen) answer::clickRow(uitest::child<QTableView>(box, "DbList"), 0);
                stopModal(&box, code);
            });
        const databaseInfo result = window->DatabaseManagerBox();
        EXPECT_EQ(result.path(), c.chosen ? entry.path() : std::string());
    }
    // The close box closes the box like its Close button.
    script.expect("DatabaseManagerDialog", [](QWidget& box) { box.close(); });
    EXPECT_TRUE(window->DatabaseManagerBox().IsNull());
}

// Quit, Close Window and the main window's close box: the bound windows close through
// their prompts first, then the database closes and loses its in-use mark.
struct QuitPath {
    const char* how;
    std::function<void(AppDelegate&)> quit;
};
const QuitPath kQuitPaths[] = {
    {"Quit", [](AppDelegate& w) { w.findChild<QAction*>(QStringLiteral("QuitTalvexa1099"))->trigger(); }},
    {"Close Window", [](AppDelegate& w) { w.findChild<QAction*>(QStringLiteral("close_btn"))->trigger(); }},
    {"close box", [](AppDelegate& w) { w.close(); }},
};

TEST_F(OpeningTest, QuittingClosesTheBoundWindowsAndThenTheDatabase) {
    const databaseInfo entry = acme();
    for (const QuitPath& path : kQuitPaths) {
        SCOPED_TRACE(path.how);
        window->show();
        ASSERT_TRUE(window->OpenDatabase(entry, -1, false));
        UnsavedBoundWindow payer;
        window->boundWindows().add(payer);
        scripted->answerBox(kMessageAnswerNo);
        path.quit(*window);
        EXPECT_TRUE(payer.closed);
        EXPECT_FALSE(window->isVisible());
        EXPECT_FALSE(cdb()->IsReady());
        EXPECT_EQ(intQuery(entry.path(), "select in_use from database"), 0);
    }
    // With nothing open the window just closes.
    window->show();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(scripted->boxes().size(), 3u);
}

TEST_F(OpeningTest, CancelAtAWindowsPromptStopsTheQuitAndKeepsTheDatabaseOpen) {
    const databaseInfo entry = acme();
    window->show();
    ASSERT_TRUE(window->OpenDatabase(entry, -1, false));
    FakeBoundWindow earlier;
    UnsavedBoundWindow latest;
    window->boundWindows().add(earlier);
    window->boundWindows().add(latest);
    for (const QuitPath& path : kQuitPaths) {
        SCOPED_TRACE(path.how);
        scripted->answerBox(kMessageAnswerCancel);
        path.quit(*window);
        EXPECT_TRUE(window->isVisible());
        expectOpen(entry);
        EXPECT_FALSE(latest.closed);
        EXPECT_EQ(earlier.asked, 0);   // the quit stopped at the window that stays
        EXPECT_EQ(window->boundWindows().size(), 2u);
    }
    // Saving lets the quit go on.
    scripted->answerBox(kMessageAnswerOkYes);
    window->close();
    EXPECT_TRUE(latest.closed);
    EXPECT_EQ(earlier.asked, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(cdb()->IsReady());
    EXPECT_EQ(intQuery(entry.path(), "select in_use from database"), 0);
}

// When the program ends by other means, nothing can keep it running: the database
// closes even though a window wanted to stay.
TEST_F(OpeningTest, ProgramEndClosesTheDatabaseEvenWhenAWindowWantsToStay) {
    const databaseInfo entry = acme();
    ASSERT_TRUE(window->OpenDatabase(entry, -1, false));
    FakeBoundWindow payer;
    payer.keepOpen = true;
    window->boundWindows().add(payer);
    window->applicationWillTerminate();
    EXPECT_EQ(payer.asked, 1);
    EXPECT_FALSE(cdb()->IsReady());
    EXPECT_EQ(intQuery(entry.path(), "select in_use from database"), 0);
    EXPECT_EQ(company_Refer, nullptr);
}

}  // namespace
