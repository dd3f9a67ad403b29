// The create-database dialog, and the main window's run that makes a database with its
// first company, from the File menu and from New Company.

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "DatabaseFixture.h"
#include "KilledRun.h"
#include "Leftovers.h"
#include "WithoutFileOverride.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/UserInterface.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/Startup.h"
#include "platform/FileReplacement.h"
#include "ui/database/CreateDatabaseDialog.h"
#include "ui/main/AppDelegate.h"

namespace {

using Strings = std::vector<std::string>;

constexpr const char* kDialog = "CreateDatabaseDialog";

QLineEdit* field(QWidget& w, const char* name) { return uitest::child<QLineEdit>(w, name); }
std::string textOf(QWidget& w, const char* name) { return field(w, name)->text().toStdString(); }

// Types the text into the field in place of what it holds, one keystroke at a time.
void typeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

void typeName(QWidget& w, const std::string& name) { typeInto(field(w, "Comp_Name"), QString::fromStdString(name)); }

// The alert refusing a name: its window title is the reason.
ModalScript::Answer refusedName(std::string reason) {
    return [reason](QWidget& w) {
        EXPECT_EQ(w.windowTitle().toStdString(), reason);
        EXPECT_EQ(answer::alertText(w), "Unable to create the 1099 Database.");
        // The title bar may cut the reason short; the alert's own text gives it whole.
        auto* alert = qobject_cast<QMessageBox*>(&w);
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert->informativeText().toStdString(), reason);
        answer::pressAlertButton(w, QStringLiteral("OK"));
    };
}

class CreateDatabaseTest : public DatabaseTest {
protected:
    // Runs the dialog; the responder answers it, and the windows it opens meanwhile
    // take the answers queued by `nested` after it.
    int run(ModalScript::Answer answer, databaseInfo* created = nullptr, const std::function<void()>& nested = {}) {
        script.expect(kDialog, std::move(answer));
        if (nested) nested();
        CreateDatabaseDialog dialog;
        const int code = runModal(&dialog);
        if (created) *created = dialog.GetDatabaseInfo();
        return code;
    }

    std::string yearFolderSlash() const { return yearFolder() + "/"; }
    std::string markerFile() const { return session().ControlledTempDir + "/Use Underscores in Database Paths.txt"; }

    // What a created file holds: version, year and name.
    static std::string stored(const std::string& path) {
        CompanyDatabase file;
        EXPECT_TRUE(file.Init(path, false, true, true, ""));
        const std::string out = std::to_string(intQuery(path, "select current_version from database")) + "/" +
                                std::to_string(file.GetYear()) + "/" + file.GetName();
        file.Close();
        return out;
    }
};

TEST_F(CreateDatabaseTest, ProposalSkipsATakenFileNameAndAListedNameAndCancelWritesNothing) {
    makeDatabase(DatabaseRecipe("Talvexa 1099 Database"));
    listDatabase(home.file("Elsewhere/x 2025.db"), "Talvexa 1099 Database 2");
    const std::vector<std::string> before = listedPaths();
    const int code = run([&](QWidget& w) {
        EXPECT_EQ(textOf(w, "Comp_Name"), "Talvexa 1099 Database 3");
        EXPECT_EQ(textOf(w, "Pay_Year"), "2025");
        EXPECT_EQ(textOf(w, "Comp_Dir"), yearFolderSlash());
        EXPECT_EQ(textOf(w, "Comp_Path"), yearFolderSlash() + "Talvexa 1099 Database 3 2025.db");
        EXPECT_TRUE(field(w, "Comp_Path")->isReadOnly());
        EXPECT_TRUE(uitest::child<QPushButton>(w, "Createdatabse")->isDefault());
        uitest::press(w, "Cancel");
    });
    EXPECT_EQ(code, CreateDatabaseDialog::kCancelCode);
    EXPECT_EQ(listedPaths(), before);
    EXPECT_FALSE(platform::fileExists(yearFolderSlash() + "Talvexa 1099 Database 3 2025.db"));

    EXPECT_EQ(run([](QWidget& w) { static_cast<QDialog&>(w).reject(); }), CreateDatabaseDialog::kCloseBoxCode);
}

TEST_F(CreateDatabaseTest, SlashesBecomeUnderscoresAndTheFileIsAListedDatabaseOfThisYear) {
    databaseInfo created;
    const int code = run(
        [&](QWidget& w) {
            typeName(w, "  North/South\\East ");
            EXPECT_EQ(textOf(w, "Comp_Path"), yearFolderSlash() + "North_South_East 2025.db");
            uitest::press(w, "Createdatabse");
        },
        &created);
    EXPECT_EQ(code, CreateDatabaseDialog::kCreatedCode);
    const std::string path = yearFolderSlash() + "North_South_East 2025.db";
    EXPECT_EQ(created.name(), "North_South_East");
    EXPECT_EQ(created.path(), path);
    EXPECT_EQ(created.year(), 2025);
    EXPECT_EQ(stored(path), "36/2025/North_South_East");
    EXPECT_EQ(intQuery(path, "select in_use from database"), 0);
    EXPECT_EQ(listedPaths(), Strings{path});
    EXPECT_TRUE(scripted->boxes().empty());
}

TEST_F(CreateDatabaseTest, TypingStopsAtSixtyCharactersAndABlankNameCannotBeCreated) {
    run([&](QWidget& w) {
        typeName(w, std::string(61, 'a') + "b");
        EXPECT_EQ(textOf(w, "Comp_Name"), std::string(60, 'a'));
        typeName(w, "   ");
        EXPECT_FALSE(uitest::child<QPushButton>(w, "Createdatabse")->isEnabled());
        uitest::press(w, "Cancel");
    });
}

TEST_F(CreateDatabaseTest, AnInvalidNameIsRefusedAndTheDialogStaysOpen) {
    const int code = run(
        [&](QWidget& w) {
            typeName(w, "1st Books");
            uitest::press(w, "Createdatabse");
            EXPECT_TRUE(isRunningModal(&w));
            typeName(w, "Books & Co");
            uitest::press(w, "Createdatabse");
            EXPECT_TRUE(isRunningModal(&w));
            uitest::press(w, "Cancel");
        },
        nullptr,
        [&] {
            script.expect(kDatabaseAlertName,
                          refusedName("Invalid Database Name. The Database Name must start with a letter."));
            script.expect(kDatabaseAlertName, refusedName("Invalid Database Name. The Database Name may contain "
                                                          "only letters, numbers, spaces, dashes, and underscores."));
        });
    EXPECT_EQ(code, CreateDatabaseDialog::kCancelCode);
    EXPECT_TRUE(listedPaths().empty());
}

// A file of the name is there, or only its copy that an interrupted replacement kept
// aside: that copy is put back first (a new file beside it would have the next start
// take it for a leftover), and either way the file is refused as one that exists.
TEST_F(CreateDatabaseTest, AnExistingFileIsRefused) {
    for (const char* name : {"Acme", "Beta"}) {
        SCOPED_TRACE(name);
        const bool keptAside = std::string(name) == "Beta";
        const std::string existing = makeDatabase(DatabaseRecipe(name).payer("Acme Supply"));
        const std::filesystem::path at(existing);
        const std::string previous = (at.parent_path() / ("." + at.filename().string() + ".previous")).string();
        if (keptAside) {
            ASSERT_EQ(::rename(existing.c_str(), previous.c_str()), 0);
        }
        scripted->answerBox(kMessageAnswerOkYes);
        const int code = run([&](QWidget& w) {
            typeName(w, name);
            uitest::press(w, "Createdatabse");
            EXPECT_TRUE(isRunningModal(&w));
            uitest::press(w, "Cancel");
        });
        EXPECT_EQ(code, CreateDatabaseDialog::kCancelCode);
        ASSERT_FALSE(scripted->boxes().empty());
        const MessageBoxRequest box = scripted->boxes().back();
        EXPECT_EQ(box.caption, "");
        EXPECT_EQ(box.details, "Database already exists.");
        EXPECT_EQ(box.title.rfind("The database you are trying to create appears to already exist.", 0), 0u);
        EXPECT_EQ(box.image, kMessageImagePlain);
        EXPECT_EQ(intQuery(existing, "select count(*) from companies"), 1);
        EXPECT_FALSE(platform::fileExists(previous));
        EXPECT_TRUE(listedPaths().empty());
    }
}

TEST_F(CreateDatabaseTest, AFolderThatCannotBeWrittenIsRefusedWithTheAccessAdvice) {
    const std::string locked = home.file("Locked");
    ASSERT_TRUE(platform::createDirectories(locked));
    ASSERT_EQ(::chmod(locked.c_str(), 0555), 0);
    scripted->answerBox(kMessageAnswerOkYes);
    int code = 0;
    {
        WithoutFileOverride plainUser;
        code = run(
            [&](QWidget& w) {
                uitest::press(w, "ChooseDir_Button");
                EXPECT_EQ(textOf(w, "Comp_Dir"), locked + "/Talvexa/1099/2025/");
                uitest::press(w, "Createdatabse");
                EXPECT_TRUE(isRunningModal(&w));
                uitest::press(w, "Cancel");
            },
            nullptr, [&] { script.expect(kFolderChooserName, answer::chooseFile(locked)); });
    }
    ::chmod(locked.c_str(), 0755);
    EXPECT_EQ(code, CreateDatabaseDialog::kCancelCode);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    const MessageBoxRequest box = scripted->boxes()[0];
    EXPECT_EQ(box.caption, "Unable to create the 1099 Database.");
    EXPECT_EQ(box.details,
              "Unable to initialize the Talvexa Directory.\n\n        To resolve this issue, please choose a "
              "different directory or have a system administrator provide you with Read & Write access for the "
              "following directory:\n\n    " +
                  locked + "/");
    EXPECT_TRUE(box.flag);
    EXPECT_FALSE(platform::fileExists(locked + "/Talvexa"));
}

TEST_F(CreateDatabaseTest, AChosenFolderWithABlankAndAnAccentIsUsedAndTheProgramFolderStays) {
    const std::string chosen = home.file("Dossiers Société");
    ASSERT_TRUE(platform::createDirectories(chosen));
    const std::string configuration = session().configDir->GetDir();
    scripted->answerWelcome();
    scripted->answerBox(kMessageAnswerOkYes);   // the notice of the new Talvexa folder
    databaseInfo created;
    const int code = run(
        [&](QWidget& w) {
            uitest::press(w, "ChooseDir_Button");
            typeName(w, "Acme Books");
            EXPECT_EQ(textOf(w, "Comp_Path"), chosen + "/Talvexa/1099/2025/Acme Books 2025.db");
            uitest::press(w, "Createdatabse");
        },
        &created, [&] { script.expect(kFolderChooserName, answer::chooseFile(chosen)); });
    EXPECT_EQ(code, CreateDatabaseDialog::kCreatedCode);
    const std::string path = chosen + "/Talvexa/1099/2025/Acme Books 2025.db";
    EXPECT_EQ(created.path(), path);
    EXPECT_EQ(stored(path), "36/2025/Acme Books");
    EXPECT_EQ(session().configDir->GetDir(), configuration);
    std::string remembered;
    app()->LoadFolderPath(3, remembered);
    EXPECT_EQ(remembered, chosen);   // the year folder did not exist yet when it was chosen
    EXPECT_EQ(captions(), Strings{"Created Talvexa Configuration Directory. Please Do Not Modify!"});
}

// The program killed at each step of making a new company file in a folder the user
// chose: after the next start that folder holds the finished file or none (a finished
// file that no list names is the user's to add), the files of other programs there keep
// every byte, and the next attempt makes the file and lists it.
TEST_F(CreateDatabaseTest, AKillAtAnyStepInAChosenFolderLeavesTheFinishedFileOrNoneAfterTheNextStart) {
    constexpr int kKilledInPlace = kKilledStatus + 1;   // killed once the file had its name
    const std::string chosen = home.file("Stick");
    const std::string folder = chosen + "/Talvexa/1099/2025";
    ASSERT_TRUE(platform::createDirectories(folder));   // a tree made before: no welcome
    const std::string file = "Acme Books 2025.db";
    putOtherProgramsFiles(folder, file);
    const std::map<std::string, std::string> others = filesWithBytes(folder);
    const std::string notes = session().ControlledTempDir + "/Unfinished Writes";
    const std::string configuration = app()->GetPath();
    const auto create = [&] {
        return run(
            [&](QWidget& w) {
                uitest::press(w, "ChooseDir_Button");
                typeName(w, "Acme Books");
                uitest::press(w, "Createdatabse");
            },
            nullptr, [&] { script.expect(kFolderChooserName, answer::chooseFile(chosen)); });
    };
    sweepProgramFolders();   // the start of the run that is killed
    int stopAt = 0;
    for (;; ++stopAt) {
        SCOPED_TRACE("stopped at " + std::to_string(stopAt));
        app()->Close();
        const int status = statusOfChild([&] {
            int passed = 0;
            platform::setReplaceStepHookForTesting([&](platform::ReplaceStep at, const std::string&) {
                if (passed++ == stopAt) ::_exit(at >= platform::ReplaceStep::renamed ? kKilledInPlace : kKilledStatus);
                return true;
            });
            return app()->Init(configuration, false) && create() == CreateDatabaseDialog::kCreatedCode ? 0 : 1;
        });
        ASSERT_TRUE(app()->Init(configuration, false));
        if (status != kKilledStatus && status != kKilledInPlace) {
            EXPECT_EQ(status, 0);
            break;
        }
        sweepProgramFolders();   // the next start
        std::map<std::string, std::string> expected = others;
        if (status == kKilledInPlace) {
            EXPECT_EQ(stored(folder + "/" + file), "36/2025/Acme Books");
            expected[file] = filesWithBytes(folder)[file];
        }
        EXPECT_EQ(filesWithBytes(folder), expected);
        EXPECT_EQ(filesBelow(notes), Strings{});
        EXPECT_EQ(listedPaths(), Strings{});
        platform::removePath(folder + "/" + file);
    }
    EXPECT_GE(stopAt, 6);
    std::map<std::string, std::string> expected = others;
    expected[file] = filesWithBytes(folder)[file];
    EXPECT_EQ(filesWithBytes(folder), expected);
    EXPECT_EQ(stored(folder + "/" + file), "36/2025/Acme Books");
    EXPECT_EQ(listedPaths(), Strings{folder + "/" + file});
}

TEST_F(CreateDatabaseTest, WithTheMarkerFileBlanksOfTheFileNameBecomeUnderscoresAndTheFolderStays) {
    ASSERT_TRUE(platform::writeFileAtomically(markerFile(), ""));
    const std::string chosen = home.file("My Files");
    ASSERT_TRUE(platform::createDirectories(chosen + "/Talvexa/1099/2025"));
    databaseInfo created;
    run(
        [&](QWidget& w) {
            EXPECT_EQ(textOf(w, "Comp_Path"), yearFolderSlash() + "Talvexa_1099_Database_2025.db");
            uitest::press(w, "ChooseDir_Button");
            typeName(w, "Acme Books");
            uitest::press(w, "Createdatabse");
        },
        &created, [&] { script.expect(kFolderChooserName, answer::chooseFile(chosen)); });
    const std::string path = chosen + "/Talvexa/1099/2025/Acme_Books_2025.db";
    EXPECT_EQ(created.path(), path);
    EXPECT_EQ(created.name(), "Acme Books");
    EXPECT_EQ(stored(path), "36/2025/Acme Books");
}

// ---------------------------------------------------------------------------
// The main window's run

class CreateRunTest : public CreateDatabaseTest {
protected:
    void SetUp() override {
        CreateDatabaseTest::SetUp();
        window = std::make_unique<AppDelegate>();
    }
    void TearDown() override {
        CompanyDatabase::setStepHookForTesting({});
        window.reset();
        CreateDatabaseTest::TearDown();
    }

    // The create dialog makes a database of this name.
    void createNamed(std::string name) {
        scripted->answerCreateDatabase([this](databaseInfo& created) {
            CreateDatabaseDialog dialog;
            const int code = runModal(&dialog);
            created = dialog.GetDatabaseInfo();
            return code;
        });
        script.expect(kDialog, [name](QWidget& w) {
            typeName(w, name);
            uitest::press(w, "Createdatabse");
        });
    }
    void companyName(std::string name) {
        script.expect("NewCompanyFrame", [name](QWidget& w) {
            uitest::child<QLineEdit>(w, "Comp_Name")->setText(QString::fromStdString(name));
            uitest::press(w, "CompName_OK");
        });
    }
    std::string newPath(const std::string& name) const { return yearFolderSlash() + name + " 2025.db"; }
    std::string listedCompany(const std::string& path) {
        for (const databaseInfo& e : app()->SelectDatabaseList())
            if (e.path() == path) return e.CompanyName();
        return "<not listed>";
    }

    std::unique_ptr<AppDelegate> window;
};

TEST_F(CreateRunTest, FromTheMenuAnEmptyNameAsksAgainAndTheNewCompanyIsShownSelected) {
    createNamed("Acme Books");
    companyName("\u00a0");
    companyName("Acme Supply");
    scripted->answerBox(kMessageAnswerOkYes);
    window->findChild<QAction*>(QStringLiteral("Createdatabase"))->trigger();

    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "Unable to create new company.");
    EXPECT_EQ(scripted->boxes()[0].title, "Talvexa 1099 E-File 2025");
    ASSERT_TRUE(cdb()->IsReady());
    EXPECT_EQ(cdb()->GetPath(), newPath("Acme Books"));
    EXPECT_EQ(window->CompanyVec(), Strings{"Acme Supply"});
    EXPECT_EQ(session().comp_details->selectedCompanies(), std::vector<int32_t>{0});
    EXPECT_EQ(session().numberSelections, 1);
    EXPECT_EQ(listedCompany(newPath("Acme Books")), "Acme Supply");
    EXPECT_EQ(recentPath(), newPath("Acme Books"));
}

// The federal ID the dialog asks for is kept in the payer row with the name, also when
// OK is pressed while the ID is still being typed.
TEST_F(CreateRunTest, TheNewCompanysFederalIDIsStoredWithItsName) {
    createNamed("Acme Books");
    script.expect("NewCompanyFrame", [](QWidget& w) {
        uitest::child<QLineEdit>(w, "Comp_Name")->setText(QStringLiteral("Acme Supply"));
        QLineEdit* id = uitest::child<QLineEdit>(w, "Fed_Id");
        id->setFocus();
        for (QChar c : QStringLiteral(" 12-3456789")) {
            QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(id, &key);
        }
        uitest::press(w, "CompName_OK");
    });
    ASSERT_TRUE(window->CreateDatabase());
    ASSERT_EQ(session().comp_details->selectedCompanies().size(), 1u);
    const ComapnyInfo payer = cdb()->getCompanyInfo1(session().comp_details->selectedCompanies().front());
    EXPECT_EQ(payer.getName(), "Acme Supply");
    EXPECT_EQ(payer.getTaxID1(), "12-3456789");
    EXPECT_TRUE(scripted->boxes().empty());
}

TEST_F(CreateRunTest, NewCompanyMakesADatabaseOfItsOwnAndCancelLeavesItOpenWithoutACompany) {
    createNamed("Birch");
    script.expect("NewCompanyFrame", [](QWidget& w) { uitest::press(w, "Cancel_Button"); });
    window->NewCompany();
    EXPECT_TRUE(scripted->boxes().empty());
    ASSERT_TRUE(cdb()->IsReady());
    EXPECT_EQ(cdb()->GetPath(), newPath("Birch"));
    EXPECT_TRUE(window->CompanyVec().empty());
    EXPECT_EQ(listedCompany(newPath("Birch")), "");
}

TEST_F(CreateRunTest, ACompanyNameThatAnotherDatabaseHoldsIsWarnedAbout) {
    listDatabase(makeDatabase(DatabaseRecipe("Older").payer("Acme Supply")), "Older", 2025, "Acme Supply");
    for (const int answerCode : {kMessageAnswerNo, kMessageAnswerOkYes}) {
        SCOPED_TRACE(answerCode);
        const std::string name = answerCode == kMessageAnswerNo ? "First" : "Second";
        createNamed(name);
        companyName("Acme Supply");
        scripted->answerBox(answerCode);
        const bool made = window->CreateDatabase();
        EXPECT_EQ(made, answerCode == kMessageAnswerOkYes);
        const MessageBoxRequest box = scripted->boxes().back();
        EXPECT_EQ(box.caption, "Duplicate Company Warning");
        EXPECT_EQ(box.details,
                  "A company with the same Company Name is already created in the following database:\n\n    Older"
                  "\n\nTo avoid duplication issues. we recommend not creating a new company with this name. Do you "
                  "still wish to procced?");
        EXPECT_EQ(box.style, kMessageStyleYesNo);
        EXPECT_EQ(box.image, kMessageImagePrompt);
        EXPECT_TRUE(box.flag);
        EXPECT_EQ(cdb()->GetPath(), newPath(name));
        EXPECT_EQ(window->CompanyVec(), made ? Strings{"Acme Supply"} : Strings{});
        EXPECT_EQ(listedCompany(newPath(name)), made ? "Acme Supply" : "");
    }
    // A name that differs in case only is another name.
    createNamed("Third");
    companyName("ACME SUPPLY");
    EXPECT_TRUE(window->CreateDatabase());
    EXPECT_EQ(scripted->boxes().size(), 2u);
}

TEST_F(CreateRunTest, AFailureWhileBuildingTheFileLeavesNoFileAndNothingOpen) {
    CompanyDatabase::setStepHookForTesting([](CompanyDatabase& cdb, int32_t step) {
        if (step != 30) return;
        ASSERT_TRUE(cdb.db->executeUpdate("create trigger fault before update of current_version on database "
                                          "begin select raise(abort, 'injected fault'); end;"));
    });
    createNamed("Acme Books");
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_FALSE(window->CreateDatabase());
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "Unable to create the 1099 Company Database.");
    EXPECT_EQ(scripted->boxes()[0].details.rfind("Unable to initialize the database.", 0), 0u);
    EXPECT_FALSE(platform::fileExists(newPath("Acme Books")));
    EXPECT_TRUE(listedPaths().empty());
    EXPECT_FALSE(cdb()->IsReady());
}

}  // namespace
