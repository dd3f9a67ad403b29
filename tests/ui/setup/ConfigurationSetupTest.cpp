#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "TempHome.h"
#include "core/foundation/Session.h"
#include "core/foundation/TalvexaDir.h"
#include "core/foundation/UserInterface.h"
#include "core/foundation/tvDatabase.h"
#include "platform/FileSystem.h"
#include "ui/UiTestHelpers.h"
#include "ui/setup/Configuration_Setup.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"
#include "WithoutFileOverride.h"

using uitest::child;
using uitest::press;

namespace {

class ConfigurationSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        session().ui = &ui;
        setProcessExit([this](int status) { exits.push_back(status); });
    }
    void TearDown() override {
        setProcessExit({});
        resetSession();
    }

    std::string documents() const { return home.path() + "/Documents/"; }

    // Runs the window for a directory object as start-up hands it over; `answer` plays the user.
    int run(TalvexaDir* dir, std::string& selected, const std::function<void(QWidget&)>& answer) {
        ScopedModalResponder responder([&](QWidget& w) {
            if (w.objectName() == "Configuration_Setup") answer(w);
            else ADD_FAILURE() << "unexpected window " << w.objectName().toStdString();
        });
        return ui.configurationSetup(dir, selected);
    }

    // Presses Choose and answers the folder chooser with `folder`.
    static void choose(QWidget& setup, const std::string& folder) {
        ScopedModalResponder chooser([&](QWidget& w) {
            EXPECT_EQ(w.objectName(), kFolderChooserName);
            answerFileChooser(w, folder);
        });
        press(setup, "Choose_Button");
    }

    static std::string shownPath(QWidget& setup) {
        return child<QLineEdit>(setup, "Dir_Path")->text().toStdString();
    }

    TempHome home;
    QtUserInterface ui;
    std::vector<int> exits;
};

TalvexaDir startUpDir(const std::string& base) {
    TalvexaDir dir;
    dir.SetBaseDir(base);
    dir.SetYear(2025);
    return dir;
}

}  // namespace

TEST_F(ConfigurationSetupTest, ProposesTheDocumentsFolderAndFinishesWithIt) {
    TalvexaDir dir = startUpDir(documents());
    std::string selected;
    int code = run(&dir, selected, [&](QWidget& w) {
        EXPECT_TRUE(child<QPlainTextEdit>(w, "ListOfFiles")->toPlainText().startsWith(
            "In order to run, Talvexa 1099 needs a place to save 1099 information."));
        EXPECT_EQ(shownPath(w), documents() + "Talvexa/1099/2025/");
        EXPECT_TRUE(child<QLineEdit>(w, "Dir_Path")->isReadOnly());
        uitest::key(w, Qt::Key_Return);   // Finish
    });
    EXPECT_EQ(code, kSetupUsableFolderCode);
    EXPECT_EQ(selected, documents());
}

TEST_F(ConfigurationSetupTest, MissingDocumentsFolderIsMadeOnFinish) {
    ASSERT_TRUE(platform::removePath(documents()));
    TalvexaDir dir = startUpDir(documents());
    std::string selected;
    int code = run(&dir, selected, [&](QWidget& w) { press(w, "Finish_Button"); });
    EXPECT_EQ(code, kSetupUsableFolderCode);
    EXPECT_EQ(selected, documents());
    EXPECT_TRUE(platform::isDirectory(documents()));
}

TEST_F(ConfigurationSetupTest, ChosenFolderIsTakenAsItsPlainPath) {
    // Characters that URL text would escape; only "%20" was ever decoded from it.
    const std::string folder = home.file("Tax Data 100% #2 é");
    ASSERT_TRUE(platform::createDirectories(folder));
    TalvexaDir dir = startUpDir(documents());
    std::string selected;
    int code = run(&dir, selected, [&](QWidget& w) {
        choose(w, folder);
        EXPECT_EQ(shownPath(w), folder + "/Talvexa/1099/2025/");
        press(w, "Finish_Button");
    });
    EXPECT_EQ(code, kSetupUsableFolderCode);
    EXPECT_EQ(selected, folder + "/");
}

TEST_F(ConfigurationSetupTest, FinishOnAFolderThatCannotBeUsed) {
    TalvexaDir dir = startUpDir(documents());
    std::string selected;
    const std::string missing = home.file("no such folder");
    EXPECT_EQ(run(&dir, selected, [&](QWidget& w) {
                  choose(w, missing);
                  press(w, "Finish_Button");
              }),
              kSetupUnusableFolderCode);
    EXPECT_EQ(selected, missing + "/");
}

TEST_F(ConfigurationSetupTest, FinishOnAFolderWithoutWriteAccess) {
    const std::string locked = home.file("locked");
    ASSERT_TRUE(platform::createDirectories(locked));
    ASSERT_EQ(chmod(locked.c_str(), 0500), 0);
    WithoutFileOverride plainUser;
    ASSERT_FALSE(platform::isWritable(locked));
    TalvexaDir dir = startUpDir(documents());
    std::string selected;
    const int code = run(&dir, selected, [&](QWidget& w) {
        choose(w, locked);
        press(w, "Finish_Button");
    });
    chmod(locked.c_str(), 0700);
    EXPECT_EQ(code, kSetupUnusableFolderCode);
}

TEST_F(ConfigurationSetupTest, UnusableFolderIsReportedByTheSetupService) {
    const std::string missing = home.file("gone");
    TalvexaDir dir = startUpDir(documents());
    std::vector<std::string> boxes;
    ScopedModalResponder responder([&](QWidget& w) {
        if (w.objectName() == "Configuration_Setup") {
            choose(w, missing);
            press(w, "Finish_Button");
        } else {
            boxes.push_back(child<QLabel>(w, "Caption")->text().toStdString());
            EXPECT_NE(child<QPlainTextEdit>(w, "Message_text")->toPlainText().toStdString().find(missing + "/"),
                      std::string::npos);
            press(w, "Button3");
        }
    });
    bool done = false;
    EXPECT_EQ(tvDatabase::ConfigurationSetup_Box(&dir, &done), "");
    EXPECT_FALSE(done);
    EXPECT_EQ(boxes, std::vector<std::string>{"Unable to use selected directory."});
}

TEST_F(ConfigurationSetupTest, CancelledChooserChangesNothingAndDefaultRestoresDocuments) {
    const std::string other = home.file("Other");
    ASSERT_TRUE(platform::createDirectories(other));
    TalvexaDir dir = startUpDir(documents());
    std::string selected;
    run(&dir, selected, [&](QWidget& w) {
        {
            ScopedModalResponder chooser([](QWidget& c) { cancelFileChooser(c); });
            press(w, "Choose_Button");
        }
        EXPECT_EQ(shownPath(w), documents() + "Talvexa/1099/2025/");
        choose(w, other);
        EXPECT_EQ(shownPath(w), other + "/Talvexa/1099/2025/");
        press(w, "Default_Button");
        EXPECT_EQ(shownPath(w), documents() + "Talvexa/1099/2025/");
        press(w, "Finish_Button");
    });
    EXPECT_EQ(selected, documents());
}

TEST_F(ConfigurationSetupTest, RootDirectoryOfTheCallerIsEmptiedFirst) {
    TalvexaDir dir;
    dir.setDir("/");
    dir.SetYear(2025);
    Configuration_Setup window;
    window.SetTalvexaDir(&dir);
    EXPECT_EQ(dir.dir(), "");
    ASSERT_TRUE(window.defaultDir().has_value());
    EXPECT_EQ(window.defaultDir()->dir(), "");
    EXPECT_EQ(window.defaultDir()->year(), 2025);
    ScopedModalResponder responder([&](QWidget& w) {
        EXPECT_EQ(shownPath(w), "/Talvexa/1099/2025/");
        press(w, "Finish_Button");
    });
    EXPECT_EQ(runModal(&window), kSetupUnusableFolderCode);   // an empty base folder cannot be used
}

TEST_F(ConfigurationSetupTest, CancelAsksWhetherToLeave) {
    struct Case {
        const char* name;
        std::function<void(QWidget&)> cancel;
        const char* answer;
        int code;
        std::vector<int> exits;
    } cases[] = {
        {"Cancel, stay", [](QWidget& w) { press(w, "Cancel_Button"); }, "Button2", kSetupCancelledCode, {}},
        {"close box, stay", [](QWidget& w) { w.close(); }, "Button2", kSetupCancelledCode, {}},
        {"Escape, close the question", [](QWidget& w) { uitest::key(w, Qt::Key_Escape); }, nullptr, kSetupCancelledCode, {}},
        {"Cancel, leave", [](QWidget& w) { press(w, "Cancel_Button"); }, "Button3", 1, {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        exits.clear();
        TalvexaDir dir = startUpDir(documents());
        std::string selected;
        int code = run(&dir, selected, [&](QWidget& w) {
            ScopedModalResponder question([&](QWidget& box) {
                EXPECT_EQ(child<QLabel>(box, "Caption")->text(), "Exit Talvexa 1099?");
                EXPECT_EQ(child<QPlainTextEdit>(box, "Message_text")->toPlainText(),
                          "Talvexa 1099 is unable to run without the necessary configuration information. Do you "
                          "want to exit Talvexa 1099 now?");
                EXPECT_EQ(child<QAbstractButton>(box, "Button2")->text(), "No");
                EXPECT_EQ(child<QAbstractButton>(box, "Button3")->text(), "Yes");
                EXPECT_EQ(box.windowTitle(), "Talvexa Error");
                if (c.answer) press(box, c.answer);
                else box.close();
            });
            c.cancel(w);
            // A process that was told to end stops here; the test ends the window itself.
            if (isRunningModal(&w)) stopModal(&w, 1);
        });
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(exits, c.exits);
    }
}
