// The Start New Year window and its finder: the list rows, the buttons and the default
// button, selecting, Start with chosen or all companies, the duplicate alert, Remove,
// the finder, the hand-over to a fresh window, and the main window's two ways in.

#include <filesystem>

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>

#include "ui/database/DatabaseFixture.h"
#include "core/foundation/Login_Info.h"
#include "ui/main/AppDelegate.h"
#include "ui/newyear/FindPriorYearDatabase.h"
#include "ui/newyear/ImportPriorYear.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/HandOffs.h"
#include "ui/support/QtUserInterface.h"

namespace {

std::vector<std::string> tableRows(QTableView* table) {
    std::vector<std::string> rows;
    for (int r = 0; r < table->model()->rowCount(); ++r)
        rows.push_back(table->model()->index(r, 0).data().toString().toStdString());
    return rows;
}

void selectRows(QTableView* table, const std::vector<int>& rows) {
    table->clearSelection();
    for (int r : rows)
        table->selectionModel()->select(table->model()->index(r, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

ImportPriorYear& asWindow(QWidget& w) { return *qobject_cast<ImportPriorYear*>(&w); }

}  // namespace

class NewYearWindowTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        session().loginInfo = std::make_shared<Login_Info>();
        TalvexaDir last;
        last.SetBaseDir(session().configDir->dir());
        last.SetYear(2024);
        lastFolder = last.GetDir();
        while (lastFolder.size() > 1 && lastFolder.back() == '/') lastFolder.pop_back();
        ASSERT_TRUE(platform::createDirectories(lastFolder));
    }
    void TearDown() override {
        handOffs() = HandOffs{};
        DatabaseTest::TearDown();
    }

    // A last-year database in the 2024 folder, in the prior-year list.
    std::string priorDatabase(const std::string& name, const std::vector<std::string>& payers, bool imported = false) {
        DatabaseRecipe recipe(name);
        recipe.inYear(2024).inFolder(lastFolder);
        for (const auto& p : payers) recipe.payer(p);
        const std::string path = makeDatabase(recipe);
        EXPECT_TRUE(app()->InsertPriorYearInfo(databaseInfo(name, path, 2024, imported, "")));
        return path;
    }

    std::string lastFolder;
};

TEST_F(NewYearWindowTest, RowsButtonsAndSelection) {
    priorDatabase("Acme & Sons Incorporated of the Greater Springfield Metropolitan Area", {"Acme & Sons", "Beta"},
                  true);
    priorDatabase("Beta", {"Beta Payer"});
    script.expect("ImportPriorYear", [](QWidget& w) {
        ImportPriorYear& win = asWindow(w);
        EXPECT_EQ(tableRows(win.importprioryear_listbox),
                  (std::vector<std::string>{"* 2024       Acme & Sons Incorporated of the Greater Springfield "
                                            "Metropolitan Area",
                                            " 2024       Beta"}));
        EXPECT_FALSE(win.StartNewYear->isEnabled());
        EXPECT_FALSE(win.Removefromlist->isEnabled());
        EXPECT_EQ(win.Adddatabase_list->text(), "&Add Database to List");
        EXPECT_TRUE(win.StartNewYear->isDefault());

        // The imported one: Restart, and Close is the Return key's button.
        answer::clickRow(win.importprioryear_listbox, 0);
        EXPECT_EQ(win.selection, 0);
        EXPECT_EQ(win.StartNewYear->text(), "Restart 2025");
        EXPECT_TRUE(win.Close->isDefault());
        EXPECT_FALSE(win.StartNewYear->isDefault());
        EXPECT_TRUE(win.StartNewYear->isEnabled());
        EXPECT_EQ(tableRows(win.Priorcomp_listAction), (std::vector<std::string>{"Acme & Sons", "Beta"}));
        EXPECT_NE(win.ImportPriorYearDialog_TxtPath->text().toStdString().find("Acme & Sons"), std::string::npos);

        answer::clickRow(win.importprioryear_listbox, 1);
        EXPECT_EQ(win.StartNewYear->text(), "Start New Year");
        EXPECT_TRUE(win.StartNewYear->isDefault());
        EXPECT_EQ(tableRows(win.Priorcomp_listAction), (std::vector<std::string>{"Beta Payer"}));

        // A second click on the selected row clears the selection.
        answer::clickRow(win.importprioryear_listbox, 1);
        EXPECT_EQ(win.selection, -1);
        EXPECT_TRUE(win.importprioryear_listbox->selectionModel()->selectedRows().isEmpty());
        EXPECT_FALSE(win.StartNewYear->isEnabled());
        EXPECT_TRUE(win.ImportPriorYearDialog_TxtPath->text().isEmpty());
        uitest::press(w, "Close");
    });
    EXPECT_EQ(ImportPriorYear::runFromMainWindow(nullptr), ImportPriorYear::kClosedCode);
}

// Tab reaches every list and button of the window; the buttons have letters of their own,
// and Start New Year, whose titles stay as they are, answers Alt+S under either title.
TEST_F(NewYearWindowTest, TheKeyboardReachesEveryControlAndAltSStarts) {
    priorDatabase("Acme", {"Alpha"}, true);
    script.expect("ImportPriorYear", [](QWidget& w) {
        ImportPriorYear& win = asWindow(w);
        uitest::activate(w);
        answer::clickRow(win.importprioryear_listbox, 0);
        EXPECT_EQ(win.StartNewYear->text(), "Restart 2025");
        win.importprioryear_listbox->setFocus(Qt::TabFocusReason);
        uitest::expectTabReachesEveryControl(w);
        EXPECT_EQ(uitest::expectLettersOfTheirOwn(w), "ACFORY");
        uitest::key(w, Qt::Key_C, Qt::AltModifier);
        EXPECT_EQ(w.focusWidget(), win.Priorcomp_listAction);
        EXPECT_EQ(win.StartNewYear->shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
        uitest::key(w, Qt::Key_S, Qt::AltModifier);
        EXPECT_TRUE(uitest::waitUntil([&w] { return !w.isVisible(); }));
    });
    scripted->answerBox(kMessageAnswerNo);   // Start New Year? (no 2025 file to replace yet)
    EXPECT_EQ(ImportPriorYear::runFromMainWindow(nullptr), ImportPriorYear::kStartedCode);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "Start New Year?");

    // Under its other title the key stays.
    priorDatabase("Beta", {"Beta Payer"});
    script.expect("ImportPriorYear", [](QWidget& w) {
        ImportPriorYear& win = asWindow(w);
        answer::clickRow(win.importprioryear_listbox, 1);
        EXPECT_EQ(win.StartNewYear->text(), "Start New Year");
        EXPECT_EQ(win.StartNewYear->shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
        uitest::press(w, "Close");
    });
    EXPECT_EQ(ImportPriorYear::runFromMainWindow(nullptr), ImportPriorYear::kClosedCode);
}

TEST_F(NewYearWindowTest, StartHandsTheChosenCompaniesOrAllOfThem) {
    priorDatabase("Acme", {"Alpha", "Bravo", "Charlie"});
    // Alpha and Charlie chosen.
    script.expect("ImportPriorYear", [](QWidget& w) {
        ImportPriorYear& win = asWindow(w);
        answer::clickRow(win.importprioryear_listbox, 0);
        selectRows(win.Priorcomp_listAction, {2, 0});
        uitest::press(w, "StartNewYear");
    });
    scripted->answerBox(2);                       // Start New Year?
    scripted->answerAlert(kAlertSecondButtonCode);   // clear the amounts
    scripted->answerBox(2);                       // success
    EXPECT_EQ(ImportPriorYear::runFromMainWindow(nullptr), ImportPriorYear::kStartedCode);
    const std::string details = scripted->boxes()[0].details;
    EXPECT_NE(details.find("Companies:\n        Alpha\n        Charlie\n"), std::string::npos) << details;
    EXPECT_EQ(listedPaths().size(), 2u);
    EXPECT_EQ(scripted->count("openRecentDatabase"), 1);

    // After the start the list shows it and offers a restart. None chosen: all three;
    // the confirmation, a restart's for the two made, declined makes nothing.
    script.expect("ImportPriorYear", [](QWidget& w) {
        ImportPriorYear& win = asWindow(w);
        EXPECT_EQ(tableRows(win.importprioryear_listbox), std::vector<std::string>{"* 2024       Acme"});
        answer::clickRow(win.importprioryear_listbox, 0);
        EXPECT_EQ(win.StartNewYear->text(), "Restart 2025");
        uitest::press(w, "StartNewYear");
    });
    scripted->answerBox(kMessageAnswerNo);
    EXPECT_EQ(ImportPriorYear::runFromMainWindow(nullptr), ImportPriorYear::kStartedCode);
    EXPECT_EQ(scripted->boxes()[2].caption, "Restart New Year?");
    EXPECT_NE(scripted->boxes()[2].details.find("Alpha\n        Bravo\n        Charlie"), std::string::npos);
    EXPECT_EQ(listedPaths().size(), 2u);
}

TEST_F(NewYearWindowTest, DuplicateNamesStopStartAndRemoveAsksFirst) {
    priorDatabase("Acme", {"Acme", " Acme "});
    script.expect("ImportPriorYear", [this](QWidget& w) {
        ImportPriorYear& win = asWindow(w);
        answer::clickRow(win.importprioryear_listbox, 0);
        scripted->answerAlert(kAlertFirstButtonCode);
        uitest::press(w, "StartNewYear");
        ASSERT_EQ(scripted->alerts().size(), 1u);
        EXPECT_EQ(scripted->alerts()[0].message, "Duplicate company is available in the selected company list. "
                                                 "Please avoid duplicate companies for the import.");
        EXPECT_TRUE(isRunningModal(&w));

        scripted->answerBox(kMessageAnswerNo);
        uitest::press(w, "Removefromlist");
        EXPECT_EQ(tableRows(win.importprioryear_listbox).size(), 1u);
        scripted->answerBox(2);
        uitest::press(w, "Removefromlist");
        EXPECT_TRUE(tableRows(win.importprioryear_listbox).empty());
        EXPECT_EQ(win.selection, -1);
        EXPECT_EQ(scripted->boxes().back().title, "Start New Year(Import from Prior Year)");
        uitest::press(w, "Close");
    });
    EXPECT_EQ(ImportPriorYear::runFromMainWindow(nullptr), ImportPriorYear::kClosedCode);
    EXPECT_TRUE(app()->SelectPriorYearList().empty());
    EXPECT_TRUE(listedPaths().empty());
}

TEST_F(NewYearWindowTest, FinderAddsTheSelectedDatabasesAndTheLastOneIsSelected) {
    const std::string folder = home.path() + "/search";
    ASSERT_TRUE(platform::createDirectories(folder));
    const std::string payroll = makeDatabase(DatabaseRecipe("Payroll").inYear(2024).inFolder(folder).payer("P"));
    const std::string zulu = makeDatabase(DatabaseRecipe("Zulu").inYear(2024).inFolder(folder).payer("Z"));
    makeDatabase(DatabaseRecipe("Old").inYear(2023).inFolder(folder));
    std::vector<std::string> rowsAfter;
    int selectedAfter = -2;
    script.expect("ImportPriorYear", [&](QWidget& w) {
        ImportPriorYear& win = asWindow(w);
        script.expect("FindPriorYearDatabase", [this, folder](QWidget& f) {
            auto& finder = *qobject_cast<FindPriorYearDatabase*>(&f);
            scripted->answerBox(2);
            scripted->answerFolder(folder);
            scripted->answerBox(2);
            uitest::press(f, "FindDb");
            ASSERT_EQ(tableRows(finder.Findprioryear_listbix).size(), 2u);
            selectRows(finder.Findprioryear_listbix, {0, 1});
            EXPECT_TRUE(finder.Addlist->isEnabled());
            uitest::press(f, "Addlist");
        });
        uitest::press(w, "Finddatabase");
        rowsAfter = tableRows(win.importprioryear_listbox);
        selectedAfter = win.selection;
        EXPECT_FALSE(win.listState.findDbFlag);
        uitest::press(w, "Close");
    });
    EXPECT_EQ(ImportPriorYear::runFromMainWindow(nullptr), ImportPriorYear::kClosedCode);
    EXPECT_EQ(rowsAfter, (std::vector<std::string>{" 2024       Payroll", " 2024       Zulu"}));
    EXPECT_EQ(selectedAfter, 1);
    EXPECT_EQ(captions(), (std::vector<std::string>{"Find Databases", "Finished Search."}));
    (void)payroll;
    (void)zulu;
}

TEST_F(NewYearWindowTest, AThisYearDatabaseHandsOverToAFreshWindowWhoseCodeIsPassedOn) {
    const std::string current = makeDatabase(DatabaseRecipe("Current").inYear(2025).payer("C"));
    priorDatabase("Empty", {});
    script.expect("ImportPriorYear", [this, current](QWidget& w) {
        scripted->answerOpenFile(current);
        scripted->answerBox(2);   // Please use the Database Manager.
        uitest::press(w, "Adddatabase_list");
        EXPECT_FALSE(isRunningModal(&w));
    });
    script.expect("ImportPriorYear", [this](QWidget& w) {
        answer::clickRow(asWindow(w).importprioryear_listbox, 0);
        scripted->answerBox(2);   // Start New Year? (no company)
        uitest::press(w, "StartNewYear");
    });
    EXPECT_EQ(ImportPriorYear::runFromMainWindow(nullptr), ImportPriorYear::kStartedCode);
    EXPECT_EQ(captions().front(), "Please use the Database Manager.");
}

TEST_F(NewYearWindowTest, TheMainWindowOpensItBesideFromTheMenuAndModallyFromTheContextButton) {
    priorDatabase("Acme", {"Alpha"});
    handOffs().makeNewYearWindow = &ImportPriorYear::make;
    int code = 0;
    handOffs().runNewYearWindow = [&code](QWidget* parent) {
        code = ImportPriorYear::runFromMainWindow(parent);
        return code;
    };
    AppDelegate main;

    // From the menu: no run; the window stands beside the main window until Close.
    main.ImportPriorYear();
    ImportPriorYear* beside = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<ImportPriorYear*>(w); found && found->isVisible()) beside = found;
    ASSERT_NE(beside, nullptr);
    EXPECT_FALSE(isRunningModal(beside));
    EXPECT_FALSE(beside->isModal());
    uitest::saveImage(*beside, QStringLiteral("ImportPriorYear"));
    uitest::press(*beside, "Close");
    EXPECT_FALSE(beside->isVisible());

    // From the context button: a modal run that ends with Start's code.
    script.expect("ImportPriorYear", [this](QWidget& w) {
        EXPECT_TRUE(isRunningModal(&w));
        answer::clickRow(asWindow(w).importprioryear_listbox, 0);
        scripted->answerBox(2);
        scripted->answerAlert(kAlertSecondButtonCode);
        scripted->answerBox(2);
        uitest::press(w, "StartNewYear");
    });
    main.ImportPriorYearBox();
    EXPECT_EQ(code, ImportPriorYear::kStartedCode);
    EXPECT_EQ(listedPaths().size(), 1u);
}

// The real file chooser of "Add Prior Year Database to List" opens over the Start New
// Year window beside the main window, and cancelled or answered leaves that window
// active, so that the keyboard goes on where the user was.
TEST_F(NewYearWindowTest, TheWindowIsActiveAgainAfterTheAddChooser) {
    const std::string added = makeDatabase(DatabaseRecipe("Beta").inYear(2024).inFolder(lastFolder).payer("B"));
    AppDelegate main;
    uitest::activate(main);
    std::unique_ptr<QWidget> beside = ImportPriorYear::make(&main);
    uitest::activate(*beside);
    ASSERT_TRUE(uitest::waitUntil([&] { return QApplication::activeWindow() == beside.get(); }));

    QtUserInterface real;
    UserInterface* const scriptedSeam = session().ui;
    session().ui = &real;
    for (bool choose : {false, true}) {
        SCOPED_TRACE(choose ? "chosen" : "cancelled");
        script.expect(kOpenChooserName, [&](QWidget& chooser) {
            EXPECT_EQ(chooser.windowTitle(), "Add Prior Year Database to List");
            // Its window, which a window manager makes active again when it closes.
            EXPECT_EQ(chooser.parentWidget(), beside.get());
            if (choose)
                answerFileChooser(chooser, added);
            else
                cancelFileChooser(chooser);
        });
        uitest::press(*beside, "Adddatabase_list");
        EXPECT_TRUE(uitest::waitUntil([&] { return QApplication::activeWindow() == beside.get(); }));
    }
    session().ui = scriptedSeam;
    const std::vector<databaseInfo> prior = app()->SelectPriorYearList();
    ASSERT_EQ(prior.size(), 1u);
    EXPECT_EQ(prior.front().path(), added);
}
