#include <gtest/gtest.h>

#include <QLabel>

#include "TempHome.h"
#include "core/foundation/AppDatabase.h"
#include "core/foundation/Session.h"
#include "core/store/DatabaseHolder.h"
#include "core/store/Startup.h"
#include "platform/FileSystem.h"
#include "ui/UiTestHelpers.h"
#include "ui/support/FileChoosers.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"

using uitest::child;
using uitest::press;

namespace {

// The whole start-up of a brand-new user in a temporary home, with the real windows
// answered by a responder that plays the user.
class FirstRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        session().ui = &ui;
    }
    void TearDown() override { resetSession(); }   // closes the databases before the home goes

    std::string documents() const { return home.path() + "/Documents/"; }

    // Runs start-up; `setup` answers each showing of the setup window in turn, and every
    // message box is answered with Button3 after its caption was noted.
    bool start(std::vector<std::function<void(QWidget&)>> setup) {
        size_t setupShown = 0;
        ScopedModalResponder responder([&](QWidget& w) {
            const std::string name = w.objectName().toStdString();
            windows.push_back(name);
            if (name == "WelcomeDialog") {
                press(w, "Continue_Button");
            } else if (name == "Configuration_Setup") {
                ASSERT_LT(setupShown, setup.size()) << "the setup window came back once too often";
                setup[setupShown++](w);
            } else if (name == "tvMessageDialog") {
                captions.push_back(child<QLabel>(w, "Caption")->text().toStdString());
                press(w, "Button3");
            } else {
                ADD_FAILURE() << "unexpected window " << name;
            }
        });
        return runStartup();
    }

    TempHome home;
    QtUserInterface ui;
    std::vector<std::string> windows;
    std::vector<std::string> captions;
};

void finish(QWidget& setup) { press(setup, "Finish_Button"); }

}  // namespace

TEST_F(FirstRunTest, NewUserTakesTheProposedFolder) {
    ASSERT_TRUE(start({finish}));
    EXPECT_EQ(windows, (std::vector<std::string>{"WelcomeDialog", "Configuration_Setup", "WelcomeDialog",
                                                 "tvMessageDialog"}));
    EXPECT_EQ(captions, std::vector<std::string>{"Created Talvexa Configuration Directory. Please Do Not Modify!"});
    const std::string year = documents() + "Talvexa/1099/2025/";
    for (const char* folder : {"__Configuration", "_Backups/_Auto_Backups", "_Reports"})
        EXPECT_TRUE(platform::isDirectory(year + folder)) << folder;
    EXPECT_TRUE(platform::fileExists(year + "__Configuration/Talvexa_1099_2025.db"));
    EXPECT_TRUE(session().appDBReady);
    EXPECT_EQ(session().ControlledTempDir, year + "__Configuration");
}

TEST_F(FirstRunTest, CancelledAndUnusableChoicesBringTheSetupBack) {
    const std::string chosen = home.file("Tax Files");
    ASSERT_TRUE(platform::createDirectories(chosen));
    auto cancelAndStay = [](QWidget& setup) {
        ScopedModalResponder question([](QWidget& box) { press(box, "Button2"); });   // "No": stay
        press(setup, "Cancel_Button");
    };
    auto chooseMissing = [&](QWidget& setup) {
        ScopedModalResponder chooser([&](QWidget& c) { answerFileChooser(c, home.file("missing")); });
        press(setup, "Choose_Button");
        finish(setup);
    };
    auto chooseFolder = [&](QWidget& setup) {
        ScopedModalResponder chooser([&](QWidget& c) { answerFileChooser(c, chosen); });
        press(setup, "Choose_Button");
        finish(setup);
    };
    ASSERT_TRUE(start({cancelAndStay, chooseMissing, chooseFolder}));
    EXPECT_EQ(windows, (std::vector<std::string>{"WelcomeDialog", "Configuration_Setup", "Configuration_Setup",
                                                 "tvMessageDialog", "Configuration_Setup", "WelcomeDialog",
                                                 "tvMessageDialog"}));
    EXPECT_EQ(captions, (std::vector<std::string>{"Unable to use selected directory.",
                                                  "Created Talvexa Configuration Directory. Please Do Not Modify!"}));
    EXPECT_TRUE(platform::fileExists(chosen + "/Talvexa/1099/2025/__Configuration/Talvexa_1099_2025.db"));
    EXPECT_FALSE(platform::isDirectory(documents() + "Talvexa"));
}
