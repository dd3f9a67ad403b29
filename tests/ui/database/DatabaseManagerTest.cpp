#include <cstdlib>

#include <QImage>
#include <QKeyEvent>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

#include "DatabaseFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/UserInterface.h"
#include "ui/database/DBManagerController.h"
#include "ui/database/DatabaseManagerDialog.h"

namespace {

using Strings = std::vector<std::string>;

class DatabaseManagerTest : public DatabaseTest {
protected:
    void TearDown() override {
        box.reset();
        DatabaseTest::TearDown();
    }

    // A new box, as the main window makes it.
    void makeBox() {
        session().SelectDbIndex = -1;
        box = std::make_unique<DatabaseManagerDialog>();
    }

    DBManagerController& list() { return *box->controller(); }
    QPushButton* button(const char* name) { return uitest::child<QPushButton>(*box, name); }
    QTableView* table() { return uitest::child<QTableView>(*box, "DbList"); }
    std::string pathText() { return uitest::child<QLineEdit>(*box, "DBManger_TxtPath")->text().toStdString(); }
    int selectedRow() {
        const QModelIndexList rows = table()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    std::string cell(int row, int column) {
        return table()->model()->index(row, column).data().toString().toStdString();
    }
    // Which of Open, Rename, Move and Remove are enabled, as "ORMX" with "-" for off.
    std::string enabledButtons() {
        std::string out;
        out += button("OpenDB_Button")->isEnabled() ? 'O' : '-';
        out += button("Rename_DB")->isEnabled() ? 'R' : '-';
        out += button("MoveDB_Button")->isEnabled() ? 'M' : '-';
        out += button("RemoveDB_Button")->isEnabled() ? 'X' : '-';
        return out;
    }

    // A file outside the year folder, to be added.
    std::string outsideFile(DatabaseRecipe recipe) {
        const std::string folder = home.path() + "/Elsewhere";
        EXPECT_TRUE(platform::createDirectories(folder));
        return makeDatabase(recipe.inFolder(folder));
    }

    // Presses the add button; the open panel is answered with path.
    void add(const std::string& path) {
        script.expect(kOpenChooserName, answer::chooseFile(path));
        uitest::press(*box, "AddDB_List");
    }

    std::string temporaryCopy() const { return session().ControlledTempDir + "/temporaryRestoreDatabase.db"; }

    std::unique_ptr<DatabaseManagerDialog> box;
};

TEST_F(DatabaseManagerTest, EmptyListOffersOnlyCreatingADatabase) {
    makeBox();
    EXPECT_EQ(table()->model()->rowCount(), 0);
    EXPECT_TRUE(button("Create_Button")->isDefault());
    EXPECT_FALSE(button("OpenDB_Button")->isDefault());
    EXPECT_EQ(enabledButtons(), "----");
    EXPECT_EQ(pathText(), "");
    EXPECT_EQ(box->GetDatabaseInfo(), nullptr);
    // The dialog's own names reach the same controls.
    EXPECT_EQ(box->CreateDbBtn, button("Create_Button"));
    EXPECT_EQ(box->Tbl_DB, table());
    EXPECT_EQ(list().OpenButton, button("OpenDB_Button"));
}

TEST_F(DatabaseManagerTest, OpenDatabaseIsPreselectedMarkedAndNotOfferedForOpening) {
    const databaseInfo zeta = listDatabase(makeDatabase(DatabaseRecipe("Zeta")), "Zeta");
    const std::string acme = makeDatabase(DatabaseRecipe("Acme"));
    listDatabase(acme, "Acme");
    listDatabase(yearFolder() + "/Old 2024.db", "Old", 2024);
    ASSERT_TRUE(cdb()->Init(acme, true, true, true, "Acme"));
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(zeta));
    makeBox();
    ASSERT_EQ(table()->model()->rowCount(), 3);
    // By year, newest first, then by name.
    EXPECT_EQ((Strings{cell(0, 0), cell(1, 0), cell(2, 0)}), (Strings{"Acme", "Zeta", "Old"}));
    EXPECT_EQ((Strings{cell(0, 1), cell(1, 1), cell(2, 1)}), (Strings{"* 2025", "  2025", "  2024"}));
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(session().SelectDbIndex, 0);
    EXPECT_EQ(enabledButtons(), "-RMX");
    EXPECT_FALSE(button("Create_Button")->isDefault());
    EXPECT_EQ(pathText(), acme);
    ASSERT_NE(box->GetDatabaseInfo(), nullptr);
    EXPECT_EQ(box->GetDatabaseInfo()->path(), acme);

    // The missing file of another year: the user is told, and offered to locate it.
    scripted->answerBox(kMessageAnswerOkYes);
    answer::clickRow(table(), 2);
    EXPECT_EQ(captions(), Strings{"Unable to modify database file."});
    EXPECT_EQ(scripted->boxes()[0].image, kMessageImagePlain);
    EXPECT_EQ(button("AddDB_List")->text().toStdString(), "Locate Database");
    EXPECT_EQ(enabledButtons(), "---X");
}

TEST_F(DatabaseManagerTest, RecentDatabaseIsPreselectedAndOpenIsTheReturnKeyButton) {
    const databaseInfo zeta = listDatabase(makeDatabase(DatabaseRecipe("Zeta")), "Zeta");
    listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(zeta));
    makeBox();
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_EQ(enabledButtons(), "ORMX");
    EXPECT_TRUE(button("OpenDB_Button")->isDefault());
    EXPECT_EQ(box->GetDatabaseInfo()->path(), zeta.path());
}

TEST_F(DatabaseManagerTest, ClickingTheSelectedRowAgainClearsTheSelection) {
    listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    listDatabase(makeDatabase(DatabaseRecipe("Zeta")), "Zeta");
    makeBox();
    ASSERT_EQ(selectedRow(), -1);

    answer::clickRow(table(), 1);
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_EQ(enabledButtons(), "ORMX");
    EXPECT_EQ(box->GetDatabaseInfo()->name(), "Zeta");

    answer::clickRow(table(), 1);
    EXPECT_EQ(selectedRow(), -1);
    EXPECT_EQ(enabledButtons(), "----");
    EXPECT_EQ(box->GetDatabaseInfo(), nullptr);
    EXPECT_EQ(pathText(), "");
}

// The list's own mouse handling: a click on a row reaches the table, a click on the
// empty space below the rows changes nothing.
TEST_F(DatabaseManagerTest, ClickOnTheListsEmptySpaceKeepsTheSelection) {
    listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    listDatabase(makeDatabase(DatabaseRecipe("Zeta")), "Zeta");
    makeBox();
    box->resize(600, 400);
    box->show();
    QWidget* area = table()->viewport();
    auto click = [area](QPoint at) {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, area->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(area, &event);
        }
    };
    click(table()->visualRect(table()->model()->index(1, 0)).center());
    ASSERT_EQ(selectedRow(), 1);
    const QPoint below(10, table()->visualRect(table()->model()->index(1, 0)).bottom() + 40);
    ASSERT_LT(below.y(), area->height());
    ASSERT_FALSE(table()->indexAt(below).isValid());
    click(below);
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_EQ(box->GetDatabaseInfo()->name(), "Zeta");
}

// What the screen shows after each click on the same row (select, clear, select again):
// every cell of the row drawn highlighted exactly when the row is selected.
TEST_F(DatabaseManagerTest, RowIsDrawnSelectedExactlyWhenItIsSelected) {
    listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    listDatabase(makeDatabase(DatabaseRecipe("Zeta")), "Zeta");
    makeBox();
    box->resize(600, 400);
    box->show();
    QWidget* area = table()->viewport();
    const QRect name = table()->visualRect(table()->model()->index(1, 0));
    const QRect year = table()->visualRect(table()->model()->index(1, 1));
    // A point of each cell that no text covers.
    const QPoint samples[] = {QPoint(name.right() - 4, name.center().y()), QPoint(year.left() + 2, year.center().y())};
    const QPalette palette = table()->palette();
    const QColor highlights[] = {palette.color(QPalette::Active, QPalette::Highlight),
                                 palette.color(QPalette::Inactive, QPalette::Highlight)};
    auto drawnHighlighted = [&](QPoint at) {
        QApplication::processEvents();
        // The window's own pixels as last painted, not a fresh rendering.
        const QImage shown = box->screen()->grabWindow(box->winId()).toImage();
        const QColor pixel = shown.pixelColor(area->mapTo(box.get(), at));
        // The style shades its highlight slightly.
        auto near = [&](const QColor& c) {
            return std::abs(pixel.red() - c.red()) + std::abs(pixel.green() - c.green()) +
                       std::abs(pixel.blue() - c.blue()) <= 12;
        };
        return near(highlights[0]) || near(highlights[1]);
    };
    QApplication::processEvents();
    for (int click = 1; click <= 3; ++click) {
        SCOPED_TRACE("click " + std::to_string(click));
        const QPoint at = name.center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, area->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(area, &event);
        }
        const bool selected = selectedRow() == 1;
        EXPECT_EQ(selected, click != 2);
        for (const QPoint& sample : samples) EXPECT_EQ(drawnHighlighted(sample), selected);
    }
}

// Shrunk as far as it goes, the box still shows its list and whole buttons; the button
// column keeps its width whichever title the add button has.
TEST_F(DatabaseManagerTest, BoxCannotBeShrunkPastItsListAndButtons) {
    listDatabase(makeDatabase(DatabaseRecipe("A database with a rather long name")), "A database with a rather long name");
    makeBox();
    box->show();
    box->resize(100, 100);
    QApplication::processEvents();
    EXPECT_GE(table()->width(), 340);
    EXPECT_GE(table()->height(), 200);
    const int width = button("AddDB_List")->width();
    for (const char* name : {"Create_Button", "FindDB", "Rename_DB", "MoveDB_Button", "RemoveDB_Button", "Help_Button"})
        EXPECT_EQ(button(name)->width(), width) << name;
    for (const QString& title : {QStringLiteral("Locate Database"), QStringLiteral("Add Database to List")}) {
        button("AddDB_List")->setText(title);
        QApplication::processEvents();
        EXPECT_EQ(button("AddDB_List")->width(), width);
        EXPECT_GE(width, button("AddDB_List")->sizeHint().width()) << title.toStdString();
    }
}

TEST_F(DatabaseManagerTest, KeyPressedInTheListWorksOutTheEntryOnRelease) {
    listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    listDatabase(makeDatabase(DatabaseRecipe("Zeta")), "Zeta");
    makeBox();
    box->show();
    box->activateWindow();
    QApplication::processEvents();
    answer::clickRow(table(), 1);
    table()->setFocus();
    button("AddDB_List")->setText(QStringLiteral("Locate Database"));
    session().dbInfo = nullptr;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Shift, Qt::NoModifier);
    QApplication::sendEvent(table(), &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    QApplication::sendEvent(table(), &release);
    EXPECT_EQ(box->GetDatabaseInfo()->name(), "Zeta");
    EXPECT_EQ(button("AddDB_List")->text().toStdString(), "Add Database to List");
    EXPECT_EQ(enabledButtons().substr(0, 3), "ORM");
}

TEST_F(DatabaseManagerTest, AddsACheckedFileAndSelectsIt) {
    listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    const std::string beta = outsideFile(DatabaseRecipe("Beta").payer("Beta Corp"));
    makeBox();
    add(beta);
    EXPECT_EQ(listedPaths(), (Strings{yearFolder() + "/Acme 2025.db", beta}));
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_EQ(box->GetDatabaseInfo()->path(), beta);
    EXPECT_EQ(session().selectedtoadd_high1, beta);
    EXPECT_FALSE(platform::fileExists(temporaryCopy()));
    std::string folder;
    EXPECT_EQ(app()->LoadFolderPath(2, folder), 1);
    EXPECT_EQ(folder, beta);
    // The file itself is left as it was: not marked in use.
    EXPECT_EQ(intQuery(beta, "select in_use from database"), 0);
    EXPECT_TRUE(scripted->boxes().empty());
}

TEST_F(DatabaseManagerTest, CancelledOpenPanelAddsNothing) {
    makeBox();
    script.expect(kOpenChooserName, [](QWidget& w) { cancelFileChooser(w); });
    uitest::press(*box, "AddDB_List");
    EXPECT_EQ(listedPaths(), Strings{});
}

TEST_F(DatabaseManagerTest, FileOfAnotherYearIsRefusedWithTheYearAdvice) {
    struct Case {
        int year;
        std::string advice;
    };
    const Case cases[] = {
        {2024,
         "If you're trying to start a New Year, please select 'Start New Year (Import Prior Year)' from the 'File' "
         "menu.\n\nIf you're trying to view prior year information, please use Talvexa 1099 2024"},
        {2026, "Please use Talvexa 1099 2026"},
    };
    makeBox();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        const std::string path = outsideFile(DatabaseRecipe("Acme").inYear(c.year));
        scripted->answerBox(kMessageAnswerOkYes);
        add(path);
        ASSERT_FALSE(scripted->boxes().empty());
        const MessageBoxRequest shown = scripted->boxes().back();
        EXPECT_EQ(shown.caption, "Unable to add database to list.");
        EXPECT_EQ(shown.details, "Invalid 1099 Year. Only databases for the year 2025 can be opened with this "
                                 "version of Talvexa 1099.\n\n" +
                                     c.advice + " to open the following database:\n\n    " + path);
        EXPECT_EQ(shown.title, "Database Manager");
        EXPECT_EQ(shown.image, kMessageImageError);
        EXPECT_EQ(listedPaths(), Strings{});
        EXPECT_FALSE(platform::fileExists(temporaryCopy()));
    }
}

TEST_F(DatabaseManagerTest, BackupCopyIsAddedOnlyWhenTheUserSaysYes) {
    makeBox();
    const std::string path = outsideFile(DatabaseRecipe("Acme").markedBackup());
    for (int answerCode : {kMessageAnswerNo, kMessageAnswerOkYes}) {
        scripted->answerBox(answerCode);
        add(path);
        const MessageBoxRequest shown = scripted->boxes().back();
        EXPECT_EQ(shown.caption, "Warning! File appears to be a database backup! Continue anyway?");
        EXPECT_EQ(shown.details.rfind("The following database to add appears to be a backup of another "
                                      "database:\n\n    " + path + "\n\nAdding a backup",
                                      0),
                  0u);
        EXPECT_NE(shown.details.find("    Original Database: Acme\n\nDo you want to add this database to the "
                                     "Database Manager anyway?"),
                  std::string::npos);
        EXPECT_EQ(shown.style, kMessageStyleYesNo);
        EXPECT_TRUE(shown.flag);
        EXPECT_EQ(listedPaths(), answerCode == kMessageAnswerOkYes ? Strings{path} : Strings{});
    }
}

TEST_F(DatabaseManagerTest, AddingAListedFileSelectsIt) {
    const std::string acme = makeDatabase(DatabaseRecipe("Acme").payer("Acme Supply"));
    // Listed under a path with a doubled "/", as joined folder and file names give.
    const std::string listed = session().configDir->GetDir() + "/Acme 2025.db";
    listDatabase(listed, "Acme", 2025, "Acme Supply");
    listDatabase(makeDatabase(DatabaseRecipe("Zeta")), "Zeta");
    makeBox();
    add(acme);
    EXPECT_EQ(listedPaths().size(), 2u);
    EXPECT_EQ(selectedRow(), 0);
    EXPECT_EQ(box->GetDatabaseInfo()->path(), listed);
    EXPECT_TRUE(scripted->boxes().empty());
}

TEST_F(DatabaseManagerTest, FileWithACompanyOfAListedDatabaseIsRefused) {
    listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme", 2025, "Acme Supply");
    const std::string beta = outsideFile(DatabaseRecipe("Beta").payer("Birch").payer("Acme Supply"));
    makeBox();
    script.expect(kOpenChooserName, answer::chooseFile(beta));
    script.expect(kDatabaseAlertName, [](QWidget& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Database Manager"));
        EXPECT_EQ(answer::alertText(w), "Duplicate company is available in the selected company list. Please "
                                        "avoid duplicate companies for the import.");
        answer::pressAlertButton(w, QStringLiteral("OK"));
    });
    uitest::press(*box, "AddDB_List");
    EXPECT_EQ(listedPaths(), Strings{yearFolder() + "/Acme 2025.db"});
}

TEST_F(DatabaseManagerTest, LocatingAtAFileWithADuplicateCompanyStillDropsTheMissingEntry) {
    const std::string acme = makeDatabase(DatabaseRecipe("Acme"));
    listDatabase(acme, "Acme", 2025, "Acme Supply");
    listDatabase(yearFolder() + "/Gone 2025.db", "Gone");
    const std::string moved = outsideFile(DatabaseRecipe("Gone").payer("Acme Supply"));
    makeBox();
    scripted->answerBox(kMessageAnswerOkYes);
    answer::clickRow(table(), 1);
    ASSERT_EQ(button("AddDB_List")->text().toStdString(), "Locate Database");
    script.expect(kOpenChooserName, answer::chooseFile(moved));
    script.expect(kDatabaseAlertName, answer::alert("Duplicate company is available in the selected company "
                                                    "list. Please avoid duplicate companies for the import."));
    uitest::press(*box, "AddDB_List");
    EXPECT_EQ(listedPaths(), Strings{acme});
    EXPECT_EQ(table()->model()->rowCount(), 1);
}

TEST_F(DatabaseManagerTest, MissingDatabaseIsLocated) {
    listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    const databaseInfo gone = listDatabase(yearFolder() + "/Gone 2025.db", "Gone");
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(gone));
    const std::string moved = outsideFile(DatabaseRecipe("Gone").payer("Gone Inc"));

    scripted->answerBox(kMessageAnswerOkYes);   // selected as the recent database: it cannot be found
    makeBox();
    ASSERT_EQ(captions(), Strings{"Unable to modify database file."});
    EXPECT_EQ(scripted->boxes()[0].details.rfind("Unable to locate database.", 0), 0u);
    EXPECT_EQ(selectedRow(), 1);
    EXPECT_EQ(button("AddDB_List")->text().toStdString(), "Locate Database");
    EXPECT_FALSE(button("OpenDB_Button")->isEnabled());

    add(moved);
    EXPECT_EQ(listedPaths(), (Strings{yearFolder() + "/Acme 2025.db", moved}));
    EXPECT_EQ(box->GetDatabaseInfo()->path(), moved);
    EXPECT_EQ(button("AddDB_List")->text().toStdString(), "Add Database to List");
    EXPECT_TRUE(button("OpenDB_Button")->isEnabled());
    // It was the recent database; the old path is not reopened at the next start.
    EXPECT_EQ(recentPath(), "");
}

// The message about a missing database is dismissed with Return: the key's release then
// reaches the box, and must not take back the "Locate Database" that the message announced.
TEST_F(DatabaseManagerTest, LocateDatabaseStaysOfferedAfterReturnDismissesTheMessage) {
    listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    const databaseInfo gone = listDatabase(yearFolder() + "/Gone 2025.db", "Gone");
    const std::string moved = outsideFile(DatabaseRecipe("Gone").payer("Gone Inc"));
    makeBox();
    box->show();
    table()->setFocus();

    scripted->answerBox(kMessageAnswerOkYes);   // "Unable to locate database", dismissed with Return
    answer::clickRow(table(), 1);
    ASSERT_EQ(captions(), Strings{"Unable to modify database file."});
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(table(), &release);

    EXPECT_EQ(selectedRow(), 1);
    ASSERT_NE(box->GetDatabaseInfo(), nullptr);
    EXPECT_EQ(box->GetDatabaseInfo()->path(), gone.path());
    EXPECT_EQ(button("AddDB_List")->text().toStdString(), "Locate Database");
    add(moved);
    EXPECT_EQ(listedPaths(), (Strings{yearFolder() + "/Acme 2025.db", moved}));
}

// Moving onto a missing database with the arrow keys offers to locate it, as a click does.
TEST_F(DatabaseManagerTest, ArrowKeysReachLocateDatabase) {
    listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    const databaseInfo gone = listDatabase(yearFolder() + "/Gone 2025.db", "Gone");
    makeBox();
    box->show();
    box->activateWindow();
    QApplication::processEvents();
    answer::clickRow(table(), 0);
    table()->setFocus();
    ASSERT_TRUE(table()->hasFocus());

    scripted->answerBox(kMessageAnswerOkYes);   // "Unable to locate database"
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(table(), &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(table(), &release);

    EXPECT_EQ(captions(), Strings{"Unable to modify database file."});
    EXPECT_EQ(selectedRow(), 1);
    ASSERT_NE(box->GetDatabaseInfo(), nullptr);
    EXPECT_EQ(box->GetDatabaseInfo()->path(), gone.path());
    EXPECT_EQ(button("AddDB_List")->text().toStdString(), "Locate Database");

    // Tab leaves the list for the buttons; its release there changes nothing, and the
    // missing entry is replaced by the file located.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(table(), &tab);
    ASSERT_FALSE(table()->hasFocus());
    QKeyEvent tabReleased(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(QApplication::focusWidget(), &tabReleased);
    EXPECT_EQ(button("AddDB_List")->text().toStdString(), "Locate Database");
    const std::string moved = outsideFile(DatabaseRecipe("Gone").payer("Gone Inc"));
    add(moved);
    EXPECT_EQ(listedPaths(), (Strings{yearFolder() + "/Acme 2025.db", moved}));
}

TEST_F(DatabaseManagerTest, FileThatIsNoDatabaseIsRefused) {
    makeBox();
    const std::string path = home.path() + "/notes.db";
    ASSERT_TRUE(platform::writeFileAtomically(path, std::string(2048, 'n')));
    scripted->answerBox(kMessageAnswerOkYes);
    add(path);
    // The file could be read; it is no database, which no access would change.
    ASSERT_EQ(captions(), Strings{"Unable to add database to list."});
    EXPECT_EQ(scripted->boxes()[0].details, "Unable to initialize the following database:\n\n    " + path);
    EXPECT_EQ(scripted->boxes()[0].image, kMessageImageError);
    EXPECT_EQ(scripted->boxes()[0].title, "");
    EXPECT_EQ(listedPaths(), Strings{});
    EXPECT_FALSE(platform::fileExists(temporaryCopy()));
}

// The configuration database has a "database" table and a year too, but no payers,
// users or recipients: it is refused once, in words of its own, before anything tries
// to add users to it.
TEST_F(DatabaseManagerTest, TheConfigurationDatabaseIsRefusedAsNoCompanyDatabase) {
    makeBox();
    const std::string config = app()->GetPath();
    scripted->answerBox(kMessageAnswerOkYes);
    add(config);
    ASSERT_EQ(captions(), Strings{"Unable to add database to list."});
    EXPECT_EQ(scripted->boxes()[0].details,
              "The following file is not a Talvexa 1099 company database:\n\n    " + config);
    EXPECT_EQ(scripted->boxes()[0].image, kMessageImageError);
    EXPECT_EQ(listedPaths(), Strings{});
    EXPECT_FALSE(platform::fileExists(temporaryCopy()));
    EXPECT_EQ(intQuery(config, "select count(*) from sqlite_master where name = 'logins'"), 0);
}

TEST_F(DatabaseManagerTest, OpenDatabaseIsCheckedOnACopy) {
    const std::string acme = makeDatabase(DatabaseRecipe("Acme").payer("Acme Supply"));
    ASSERT_TRUE(cdb()->Init(acme, true, true, true, "Acme"));
    makeBox();
    const std::optional<databaseInfo> entry = list().VerifyDatabaseToAdd(acme, "Unable to add database to list.");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->name(), "Acme");
    EXPECT_EQ(entry->path(), acme);
    EXPECT_EQ(entry->year(), 2025);
    EXPECT_TRUE(cdb()->IsReady());
    EXPECT_EQ(intQuery(acme, "select in_use from database"), 1);
    EXPECT_FALSE(platform::fileExists(temporaryCopy()));
}

TEST_F(DatabaseManagerTest, CreatedDatabaseIsSelected) {
    listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    makeBox();
    scripted->answerCreateDatabase([this](databaseInfo& created) {
        created = listDatabase(makeDatabase(DatabaseRecipe("New One")), "New One");
        return kCreateDatabaseCreatedCode;
    });
    uitest::press(*box, "Create_Button");
    EXPECT_EQ(box->GetDatabaseInfo()->name(), "New One");
    EXPECT_EQ(selectedRow(), 1);
}

TEST_F(DatabaseManagerTest, OpenAndCloseEndTheRunWithTheirCodes) {
    makeBox();
    struct Case {
        const char* how;
        std::function<void(QWidget&)> end;
        int code;
    };
    const Case cases[] = {
        {"Open", [](QWidget& w) { uitest::press(w, "OpenDB_Button"); }, DatabaseManagerDialog::kOpenCode},
        {"Close", [](QWidget& w) { uitest::press(w, "CloseDB_Button"); }, DatabaseManagerDialog::kCloseCode},
        {"close box", [](QWidget& w) { w.close(); }, DatabaseManagerDialog::kCloseCode},
        {"Escape", [](QWidget& w) { uitest::key(w, Qt::Key_Escape); }, DatabaseManagerDialog::kCloseCode},
    };
    box->OpenDB_BTN->setEnabled(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        script.expect("DatabaseManagerDialog", c.end);
        EXPECT_EQ(runModal(box.get()), c.code);
    }
}

}  // namespace
