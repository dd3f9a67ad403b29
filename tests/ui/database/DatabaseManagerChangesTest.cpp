// The database manager's find, rename, move and remove, on real files.

#include <sys/stat.h>

#include <fstream>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "DatabaseFixture.h"
#include "WithoutFileOverride.h"
#include "core/foundation/MessageBoxCodes.h"
#include "ui/database/CommonName.h"
#include "ui/database/DBManagerController.h"
#include "ui/database/DatabaseManagerDialog.h"
#include "ui/database/FindDatabase.h"

namespace {

using Strings = std::vector<std::string>;

constexpr const char* kClosedFirst = "Database must be closed before modifying.";

class ManagerChangesTest : public DatabaseTest {
protected:
    void TearDown() override {
        box.reset();
        DatabaseTest::TearDown();
    }

    void makeBox() {
        session().SelectDbIndex = -1;
        box = std::make_unique<DatabaseManagerDialog>();
    }
    QTableView* table() { return uitest::child<QTableView>(*box, "DbList"); }
    int selectedRow() {
        const QModelIndexList rows = table()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    std::string selectedName() { return box->GetDatabaseInfo() ? box->GetDatabaseInfo()->name() : "<none>"; }
    // Selects the row of the listed database with that name.
    void select(const std::string& name) {
        if (selectedName() == name) return;   // a second click would clear it
        const std::vector<databaseInfo> list = app()->SelectDatabaseList();
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i].name() == name) answer::clickRow(table(), static_cast<int>(i));
        ASSERT_EQ(selectedName(), name);
    }
    std::string nameInside(const std::string& path) {
        CompanyDatabase file;
        EXPECT_TRUE(file.Init(path, false, true, false, ""));
        const std::string name = file.GetName();
        file.Close();
        return name;
    }
    // A recipe in a folder that is made first.
    static DatabaseRecipe in(DatabaseRecipe recipe, const std::string& folder) {
        EXPECT_TRUE(platform::createDirectories(folder));
        return recipe.inFolder(folder);
    }
    std::vector<std::string> listedNames() {
        std::vector<std::string> out;
        for (const databaseInfo& e : app()->SelectDatabaseList()) out.push_back(e.name());
        return out;
    }

    // Rename: the warning about other computers answered Yes, then the name prompt.
    void rename(const std::string& typed, const std::vector<int>& laterAnswers = {}) {
        scripted->answerBox(kMessageAnswerOkYes);
        for (int code : laterAnswers) scripted->answerBox(code);
        script.expect("CommonName", [typed](QWidget& w) {
            uitest::child<QLineEdit>(w, "Name_textChange")->setText(QString::fromStdString(typed));
            uitest::press(w, "Ok_Button");
        });
        uitest::press(*box, "Rename_DB");
    }
    // Move: the warning answered Yes, then the folder.
    void move(const std::string& folder) {
        scripted->answerBox(kMessageAnswerOkYes);
        script.expect(kFolderChooserName, answer::chooseFile(folder));
        uitest::press(*box, "MoveDB_Button");
    }
    void expectAlert(const std::string& message) { script.expect(kDatabaseAlertName, answer::alert(message)); }
    // Remove, answered Yes or No; `later` queues the windows that follow.
    void pressRemove(bool yes, const std::function<void()>& later = {}) {
        script.expect(kDatabaseAlertName, [yes](QWidget& w) {
            EXPECT_EQ(answer::alertText(w), "Remove database from list?");
            answer::pressAlertButton(w, yes ? QStringLiteral("Yes") : QStringLiteral("No"));
        });
        if (later) later();
        uitest::press(*box, "RemoveDB_Button");
    }
    std::string last(const char* what) {
        const MessageBoxRequest b = scripted->boxes().back();
        return std::string(what) == "caption" ? b.caption : b.details;
    }

    std::unique_ptr<DatabaseManagerDialog> box;
};

TEST_F(ManagerChangesTest, TheOpenDatabaseIsNeitherRenamedNorMovedNorDeleted) {
    const databaseInfo acme = listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    ASSERT_TRUE(cdb()->Init(acme.path(), true, true, true, "Acme"));
    makeBox();
    ASSERT_EQ(selectedName(), "Acme");
    expectAlert(kClosedFirst);
    uitest::press(*box, "Rename_DB");
    expectAlert(kClosedFirst);
    uitest::press(*box, "MoveDB_Button");

    scripted->answerBox(kMessageAnswerOkYes);   // also delete the file
    scripted->answerBox(kMessageAnswerNo);      // and not removed from the list either
    pressRemove(true, [&] { expectAlert(kClosedFirst); });
    EXPECT_EQ(captions(), (Strings{"Also delete database file?", "Continue removing database from list anyway?"}));
    EXPECT_TRUE(platform::fileExists(acme.path()));
    EXPECT_EQ(listedPaths(), Strings{acme.path()});
    EXPECT_EQ(nameInside(acme.path()), "Acme");
}

TEST_F(ManagerChangesTest, RenamingToTheSameNameRewritesItAndKeepsTheFile) {
    const databaseInfo acme = listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme", 2025, "Acme Supply");
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(acme));
    makeBox();
    scripted->answerBox(kMessageAnswerOkYes);
    script.expect("CommonName", [](QWidget& w) {
        EXPECT_EQ(w.windowTitle().toStdString(), "Rename Database");
        EXPECT_EQ(uitest::child<QLabel>(w, "Label_display")->text().toStdString(), "New Name");
        EXPECT_EQ(uitest::child<QLineEdit>(w, "Name_textChange")->text().toStdString(), "Acme");
        EXPECT_EQ(w.size(), QSize(610, 120));
        uitest::press(w, "Ok_Button");
    });
    uitest::press(*box, "Rename_DB");
    EXPECT_EQ(captions(), Strings{"Warning! Modifying database file may be unsafe! Continue anyway?"});
    EXPECT_EQ(listedPaths(), Strings{acme.path()});
    EXPECT_EQ(app()->SelectDatabaseList()[0].CompanyName(), "Acme Supply");
    EXPECT_EQ(recentPath(), acme.path());
    EXPECT_EQ(selectedName(), "Acme");
}

TEST_F(ManagerChangesTest, ARenamedFileMovesToItsYearFolderAndTheRecentDatabaseFollows) {
    const std::string sub = yearFolder() + "/Sub";
    const databaseInfo acme = listDatabase(makeDatabase(in(DatabaseRecipe("Acme"), sub)), "Acme");
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(acme));
    makeBox();
    select("Acme");
    rename("  Acme Books and Supplies of the Northern Counties Incorporated 1999  ");
    const std::string name = "Acme Books and Supplies of the Northern Counties Incorporate";
    const std::string renamed = yearFolder() + "/" + name + " 2025.db";
    EXPECT_FALSE(platform::fileExists(acme.path()));
    ASSERT_TRUE(platform::fileExists(renamed));
    EXPECT_EQ(nameInside(renamed), name);
    EXPECT_EQ(listedPaths(), Strings{renamed});
    EXPECT_EQ(recentPath(), renamed);
    EXPECT_EQ(selectedName(), name);
}

TEST_F(ManagerChangesTest, TheNamePromptTakesBackAKeystrokePastItsLimitAndItsCloseBoxCancels) {
    const databaseInfo acme = listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    makeBox();
    select("Acme");
    scripted->answerBox(kMessageAnswerOkYes);
    script.expect("CommonName", [](QWidget& w) {
        QLineEdit* name = uitest::child<QLineEdit>(w, "Name_textChange");
        const QString full(60, QLatin1Char('a'));
        name->setFocus();
        name->selectAll();
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, full);
        QApplication::sendEvent(name, &typed);
        QKeyEvent more(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
        QApplication::sendEvent(name, &more);
        EXPECT_EQ(name->text(), full);
        w.close();
    });
    uitest::press(*box, "Rename_DB");
    // Closed like Cancel: no complaint about an empty name, nothing renamed.
    EXPECT_EQ(captions(), Strings{"Warning! Modifying database file may be unsafe! Continue anyway?"});
    EXPECT_EQ(nameInside(acme.path()), "Acme");
}

TEST_F(ManagerChangesTest, ANameInUseAsksFirstAndNoChangesNothing) {
    const databaseInfo acme = listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    listDatabase(makeDatabase(DatabaseRecipe("Zeta file")), "Zeta");
    makeBox();
    select("Acme");
    rename("Zeta", {kMessageAnswerNo});
    EXPECT_EQ(last("caption"), "Warning! Database Name already in use! Continue anyway?");
    EXPECT_TRUE(scripted->boxes().back().flag);
    EXPECT_EQ(nameInside(acme.path()), "Acme");
    EXPECT_EQ(listedNames(), (Strings{"Acme", "Zeta"}));
    EXPECT_FALSE(platform::fileExists(yearFolder() + "/Zeta 2025.db"));
}

TEST_F(ManagerChangesTest, RenameRefusals) {
    listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    makeDatabase(DatabaseRecipe("Taken"));   // a file that is not listed
    // A file whose only copy an interrupted save left aside: put back, and still taken.
    const std::string kept = makeDatabase(DatabaseRecipe("Kept"));
    const std::string keptAside = yearFolder() + "/.Kept 2025.db.previous";
    ASSERT_EQ(::rename(kept.c_str(), keptAside.c_str()), 0);
    struct Case {
        const char* typed;
        const char* details;
    };
    const Case cases[] = {
        {"9 Lives", "Invalid Database Name. The Database Name must start with a letter."},
        {"Acme & Co", "Invalid Database Name. The Database Name may contain only letters, numbers, spaces, dashes, "
                      "and underscores."},
        {"Taken", "Renaming the database would overwrite another database file. Please choose a different name."},
        {"Kept", "Renaming the database would overwrite another database file. Please choose a different name."},
    };
    makeBox();
    select("Acme");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        scripted->answerBox(kMessageAnswerOkYes);
        rename(c.typed);
        EXPECT_EQ(last("caption"), "Unable to rename database.");
        EXPECT_EQ(last("details"), c.details);
        EXPECT_EQ(nameInside(yearFolder() + "/Acme 2025.db"), "Acme");
    }
    EXPECT_EQ(listedNames(), Strings{"Acme"});
    EXPECT_EQ(nameInside(kept), "Kept");
    EXPECT_FALSE(platform::fileExists(keptAside));
}

TEST_F(ManagerChangesTest, AFailedFileMoveKeepsTheOldNameInsideTheFile) {
    const std::string sub = yearFolder() + "/Sub";
    const databaseInfo acme = listDatabase(makeDatabase(in(DatabaseRecipe("Acme"), sub)), "Acme");
    makeBox();
    select("Acme");
    ASSERT_EQ(::chmod(yearFolder().c_str(), 0555), 0);
    scripted->answerBox(kMessageAnswerOkYes);
    {
        WithoutFileOverride plainUser;
        rename("Birch");
    }
    ::chmod(yearFolder().c_str(), 0755);
    EXPECT_EQ(last("details"), "Unable to rename the database file.");
    EXPECT_EQ(nameInside(acme.path()), "Acme");
    EXPECT_EQ(listedPaths(), Strings{acme.path()});
    EXPECT_FALSE(platform::fileExists(yearFolder() + "/Birch 2025.db"));
}

TEST_F(ManagerChangesTest, MovingIntoAnExistingTreeAndTheRecentDatabaseFollows) {
    const databaseInfo acme = listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(acme));
    const std::string other = home.file("Other Place");
    ASSERT_TRUE(platform::createDirectories(other + "/Talvexa/1099/2025/__Configuration"));
    makeBox();
    select("Acme");
    scripted->answerBox(kMessageAnswerOkYes);   // the report
    move(other + "/Talvexa/1099");
    const std::string target = other + "/Talvexa/1099/2025/Acme 2025.db";
    EXPECT_EQ(last("caption"), "");
    EXPECT_EQ(last("details"), "Successfully moved database.");
    EXPECT_EQ(scripted->boxes().back().image, kMessageImageMessage);
    EXPECT_FALSE(platform::fileExists(acme.path()));
    EXPECT_EQ(nameInside(target), "Acme");
    EXPECT_EQ(listedPaths(), Strings{target});
    EXPECT_EQ(recentPath(), target);
    EXPECT_EQ(selectedName(), "Acme");

    // Moving it where it already lies.
    scripted->answerBox(kMessageAnswerOkYes);
    move(other);
    EXPECT_EQ(last("caption"), "Database already in directory.");
    EXPECT_EQ(listedPaths(), Strings{target});
}

// Another database's only copy, left aside by an interrupted save under the target's
// name, is put back and keeps the move out.
TEST_F(ManagerChangesTest, AMoveOntoAnotherDatabasesKeptAsideCopyIsRefusedAndTheCopyPutBack) {
    const databaseInfo acme = listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    const std::string yearDir = home.file("Other Place") + "/Talvexa/1099/2025";
    const std::string other = makeDatabase(in(DatabaseRecipe("Acme"), yearDir));
    const std::string keptAside = yearDir + "/.Acme 2025.db.previous";
    ASSERT_EQ(::rename(other.c_str(), keptAside.c_str()), 0);
    makeBox();
    select("Acme");
    scripted->answerBox(kMessageAnswerOkYes);   // the refusal
    move(home.file("Other Place"));
    EXPECT_EQ(last("caption"), "Database already exists.");
    EXPECT_TRUE(platform::fileExists(other));
    EXPECT_FALSE(platform::fileExists(keptAside));
    EXPECT_TRUE(platform::fileExists(acme.path()));
    EXPECT_EQ(listedPaths(), Strings{acme.path()});
}

TEST_F(ManagerChangesTest, ACopyThatFailsDuringAMoveIsReportedAsAFailure) {
    const databaseInfo acme = listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    const std::string locked = home.file("Locked");
    const std::string yearDir = locked + "/Talvexa/1099/2025";
    for (const char* folder : {"/__Configuration", "/_Backups/_Auto_Backups", "/_Reports"})
        ASSERT_TRUE(platform::createDirectories(yearDir + folder));
    ASSERT_EQ(::chmod(yearDir.c_str(), 0555), 0);
    makeBox();
    select("Acme");
    scripted->answerBox(kMessageAnswerOkYes);
    {
        WithoutFileOverride plainUser;
        move(locked);
    }
    ::chmod(yearDir.c_str(), 0755);
    const MessageBoxRequest report = scripted->boxes().back();
    EXPECT_EQ(report.caption, "Unable to move database.");
    EXPECT_EQ(report.details, "Unable to copy the database file to the selected directory.\n\n    " + yearDir +
                                  "/Acme 2025.db");
    EXPECT_EQ(report.style, kMessageStyleOK);
    EXPECT_EQ(report.image, kMessageImageError);
    EXPECT_TRUE(platform::fileExists(acme.path()));
    EXPECT_FALSE(platform::fileExists(yearDir + "/Acme 2025.db"));
    EXPECT_EQ(listedPaths(), Strings{acme.path()});
}

TEST_F(ManagerChangesTest, RemovingKeepsOrDeletesTheFileAsTheUserSays) {
    const databaseInfo acme = listDatabase(makeDatabase(DatabaseRecipe("Acme")), "Acme");
    const databaseInfo birch = listDatabase(makeDatabase(DatabaseRecipe("Birch")), "Birch");
    ASSERT_TRUE(app()->SetRecentDatabaseInfo(birch));
    makeBox();

    select("Acme");
    pressRemove(false);   // not even from the list
    EXPECT_EQ(listedNames(), (Strings{"Acme", "Birch"}));

    scripted->answerBox(kMessageAnswerNo);   // off the list, the file stays
    pressRemove(true);
    EXPECT_EQ(listedNames(), Strings{"Birch"});
    EXPECT_TRUE(platform::fileExists(acme.path()));
    EXPECT_EQ(selectedRow(), -1);

    select("Birch");
    scripted->answerBox(kMessageAnswerOkYes);   // delete the file
    scripted->answerBox(kMessageAnswerOkYes);   // really
    pressRemove(true);
    EXPECT_EQ(captions().back(), "Permanently delete?");
    EXPECT_TRUE(listedNames().empty());
    EXPECT_FALSE(platform::fileExists(birch.path()));
    EXPECT_EQ(recentPath(), "");   // no recent database
}

TEST_F(ManagerChangesTest, ARowWhoseFileIsMissingCanBeRemoved) {
    listDatabase(yearFolder() + "/Gone 2025.db", "Gone");
    makeBox();
    scripted->answerBox(kMessageAnswerOkYes);   // told that the file cannot be found
    answer::clickRow(table(), 0);
    EXPECT_TRUE(uitest::child<QPushButton>(*box, "RemoveDB_Button")->isEnabled());
    pressRemove(true);
    EXPECT_TRUE(listedNames().empty());
}

// Find lists only what the manager would add: not the configuration database (its name
// has the year and ".db"), not another kind of file, not a company database of another
// year.
TEST_F(ManagerChangesTest, FindListsOnlyCompanyDatabasesOfTheYear) {
    const std::string documents = home.path() + "/Documents";
    const std::string acme = makeDatabase(DatabaseRecipe("Acme"));
    makeDatabase(DatabaseRecipe("Older").inYear(2024));   // in the 2025 folder
    ASSERT_TRUE(platform::writeFileAtomically(yearFolder() + "/notes 2025.db", std::string(2048, 'n')));
    ASSERT_TRUE(platform::fileExists(app()->GetPath()));
    makeBox();
    scripted->answerBox(kMessageAnswerOkYes);   // the warning that the search cannot be stopped
    scripted->answerBox(kMessageAnswerOkYes);   // finished
    script.expect("FindDatabase", [&](QWidget& w) {
        uitest::press(w, "Find_DB");
        QTableView* found = uitest::child<QTableView>(w, "DB_List");
        Strings listed;
        for (int row = 0; row < found->model()->rowCount(); ++row)
            listed.push_back(found->model()->index(row, 0).data().toString().toStdString());
        EXPECT_EQ(listed, Strings{acme});
        uitest::press(w, "Cancel_FindDB");
    });
    script.expect(kFolderChooserName, answer::chooseFile(documents));
    uitest::press(*box, "FindDB");
    EXPECT_EQ(scripted->boxes().size(), 2u);
    EXPECT_EQ(listedNames(), Strings{});
}

TEST_F(ManagerChangesTest, FoundDatabasesArePickedCheckedAndAdded) {
    const std::string tree = home.file("Search Root");
    makeDatabase(in(DatabaseRecipe("Acme"), tree));
    makeDatabase(in(DatabaseRecipe("Birch"), tree + "/deeper"));
    makeDatabase(in(DatabaseRecipe("Older").inYear(2024), tree));
    makeDatabase(in(DatabaseRecipe("Hidden"), tree + "/.cache"));
    // What interrupted copies left beside databases is no database of the user.
    std::ofstream(tree + "/Acme 2025.db.partial") << "half";
    std::ofstream(tree + "/deeper/Birch 2025.db.restoring") << "half";
    makeBox();
    scripted->answerBox(kMessageAnswerOkYes);   // the warning that the search cannot be stopped
    scripted->answerBox(kMessageAnswerOkYes);   // finished
    script.expect("FindDatabase", [&](QWidget& w) {
        QLineEdit* year = uitest::child<QLineEdit>(w, "Version_year");
        EXPECT_EQ(year->text().toStdString(), "2025");
        year->setFocus();
        year->end(false);
        QKeyEvent five(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
        QApplication::sendEvent(year, &five);
        EXPECT_EQ(year->text().toStdString(), "2025");
        EXPECT_FALSE(uitest::child<QPushButton>(w, "Adddblist")->isEnabled());
        uitest::press(w, "Find_DB");
        QTableView* found = uitest::child<QTableView>(w, "DB_List");
        ASSERT_EQ(found->model()->rowCount(), 2);
        EXPECT_EQ(found->model()->index(0, 0).data().toString().toStdString(), tree + "/Acme 2025.db");
        found->selectAll();
        uitest::press(w, "Adddblist");
    });
    script.expect(kFolderChooserName, answer::chooseFile(tree));
    uitest::press(*box, "FindDB");
    const std::vector<MessageBoxRequest> boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].style, kMessageStyleOKCancel);
    EXPECT_NE(boxes[0].details.find("select the root folder ('/')"), std::string::npos);
    EXPECT_EQ(boxes[1].details, "Talvexa 1099 has finished searching for 2025 databases in " + tree);
    EXPECT_EQ(listedNames(), (Strings{"Acme", "Birch"}));
    EXPECT_EQ(selectedName(), "Acme");
    EXPECT_FALSE(session().findDb);
}

}  // namespace
