// The update check as the program installs it behind the main window's commands: a
// patch that installs ends the program with status 1 and its database released, and at
// start-up nothing is asked of the update server when the web site does not answer.
// At start-up the check runs beside the window: a server that says nothing never holds
// the window, and what the check has to show comes on the window's thread when it ends.

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>

#include <QApplication>

#include "MainWindowFixture.h"
#include "TestHttpServer.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Utils.h"
#include "core/foundation/WebAddresses.h"
#include "core/update/Version.h"
#include "core/update/data.h"
#include "core/zip/ZipFile.h"
#include "core/zip/ZipWriteStream.h"
#include "platform/FileSystem.h"
#include "platform/Launch.h"
#include "ui/UiTestHelpers.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/HandOffs.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"

namespace {

// An environment variable set for one test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) previous_ = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (previous_) setenv(name_, previous_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> previous_;
};

// The scripted seam, noting the thread that shows each message box.
class ThreadNotingInterface : public ScriptedUserInterface {
public:
    MessageBoxResult messageBox(const MessageBoxRequest& request) override {
        boxThreads.push_back(std::this_thread::get_id());
        return ScriptedUserInterface::messageBox(request);
    }
    std::vector<std::thread::id> boxThreads;
};

// The limits of these tests: the versions file fails after 1 s without a byte.
data::Timeouts smallTimeouts() {
    data::Timeouts t = data::defaultTimeouts();
    t.versionsFile.total = std::chrono::seconds(5);
    t.versionsFile.slowPeriod = std::chrono::seconds(1);
    t.patchArchive.total = std::chrono::seconds(5);
    t.patchArchive.slowPeriod = std::chrono::seconds(1);
    return t;
}

// Lets the window's events run until `done` holds; a guard against a hang, not a
// measure of time.
template <class Condition>
bool spinUntil(Condition done) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!done()) {
        if (std::chrono::steady_clock::now() > giveUp) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

class UpdateCommandTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        scripted.reset();
        auto noting = std::make_unique<ThreadNotingInterface>();
        boxThreads = &noting->boxThreads;
        scripted = std::move(noting);
        handOffs() = HandOffs{};
        // As the program installs them.
        handOffs().internetAvailable = &Utils::CheckInternet;
        handOffs().latestVersion = &runUpdateCheck;
        handOffs().launchUpdateCheck = [this] {
            UpdateCheckSlowStep slow = prepareLaunchUpdateCheck(&Utils::CheckInternet);
            if (!slow) return slow;
            return UpdateCheckSlowStep([this, slow] {
                UpdateCheckLastStep last = slow();
                slowStepEnded = true;
                return last;
            });
        };
        session().ControlledTempDir = home.file(".config");
        data::setTimeouts(smallTimeouts());
        setProcessExit([this](int status) {
            exits.push_back(status);
            openAtExit = cdb()->IsReady();
        });
        platform::setInstallerLauncher([this](const std::string& path) {
            launched.push_back(path);
            return true;
        });
        openDatabase();
        ASSERT_TRUE(app()->SetRecentDatabaseInfo(databaseInfo("Acme", home.file("Acme 2025.db"), 2025, false, "")));
        showDatabase();
    }
    void TearDown() override {
        window.reset();   // a start-up check still waiting ends with its window
        handOffs() = HandOffs{};
        setProcessExit({});
        platform::setInstallerLauncher({});
        data::setTimeouts(data::defaultTimeouts());
        MainWindowTest::TearDown();
    }

    // The program's start from the main window on, with the recent database closed as
    // the start finds it; the information window is answered with Continue.
    void startUp() {
        cdb()->Close();
        window->show();
        ScopedModalResponder responder([this](QWidget& shown) {
            windows.push_back(shown.objectName().toStdString());
            if (whileInformationShows) whileInformationShows();
            uitest::press(shown, "Continue_Button");
        });
        window->applicationDidFinishLaunching();
    }

    // The main window shows the recent database, open.
    void expectRecentDatabaseShown() {
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(cdb()->IsReady());
        EXPECT_EQ(cdb()->GetPath(), home.file("Acme 2025.db"));
        EXPECT_EQ(text("Db_name"), "Acme - 1099 Year 2025");
        EXPECT_EQ(windows, std::vector<std::string>{"InformationDialog"});
    }
    std::string versionsFile() const { return session().ControlledTempDir + "/forms1099Versions_64.db"; }

    // A versions database offering patch level 2, and the patch archive.
    void offerPatch() {
        const std::string made = home.file("made.db");
        {
            auto db = FMDatabase::databaseWithPath(made);
            ASSERT_TRUE(db->open());
            ASSERT_TRUE(db->executeStatements(
                "create table version (version INT); insert into version values (1);"
                "create table versionList (year INT, efile INT, majorVers INT, updateVers INT, patchVers INT,"
                "macPatchWebPageURL TEXT, macPatchURL TEXT, macPatchFileName TEXT,winPatchWebPageURL TEXT, "
                "winPatchURL TEXT, winPatchFileName TEXT);"
                "create table mostRecentVersion (majorVers INT, updateVers INT, patchVers INT,macUpdateWebPageURL "
                "TEXT, winUpdateWebPageURL TEXT);"
                "insert into mostRecentVersion values (25, 0, 2, '', '');"));
            ASSERT_TRUE(db->executeUpdate("insert into versionList values (2025, 1, 25, 0, 2, '', ?, ?, '', '', '');",
                                          server.address() + "/patch.zip", "Talvexa1099Patch.pkg"));
            db->close();
        }
        std::string bytes;
        platform::readFile(made, bytes);
        server.answer(kVersionsDatabasePath, 200, bytes);
        {
            ZipFile zip(home.file("made.zip"), ZipFile::ZipFileModeCreate);
            auto stream = zip.writeFileInZipWithName("Talvexa1099Patch.pkg", ZipFile::ZipCompressionLevelDefault);
            stream->writeData("the installer");
            stream->finishedWriting();
            zip.close();
        }
        platform::readFile(home.file("made.zip"), bytes);
        server.answer("/patch.zip", 200, bytes);
    }

    TestHttpServer server;
    ScopedVariable updateServer{kUpdateServerVariable, server.address()};
    ScopedVariable webSite{kProductWebSiteVariable, server.address()};
    std::vector<int> exits;
    bool openAtExit = true;
    std::vector<std::string> launched;
    std::vector<std::thread::id>* boxThreads = nullptr;
    std::atomic<bool> slowStepEnded{false};
    std::vector<std::string> windows;
    std::function<void()> whileInformationShows;
};

}  // namespace

TEST_F(UpdateCommandTest, APatchInstalledFromTheMenuEndsTheProgramWithStatusOne) {
    offerPatch();
    scripted->answerBox(kMessageAnswerOkYes);   // Download Patch Now
    scripted->answerBox(kMessageAnswerOkYes);   // needs to close

    item("actionCheckforUpdates")->trigger();

    EXPECT_EQ(exits, std::vector<int>{1});
    EXPECT_FALSE(openAtExit);
    EXPECT_FALSE(cdb()->IsReady());
    const std::string installer = home.file("Desktop/Talvexa1099Patch.pkg");
    EXPECT_EQ(launched, std::vector<std::string>{installer});
    std::string contents;
    EXPECT_TRUE(platform::readFile(installer, contents));
    EXPECT_EQ(contents, "the installer");
    EXPECT_TRUE(platform::fileExists(home.file("Desktop/Talvexa1099Patch.zip")));
    // The menu check asks the web site first, though only the start-up heeds the answer.
    EXPECT_EQ(server.requests().front(), "HEAD /");
}

TEST_F(UpdateCommandTest, AtStartUpTheCheckWaitsForTheWebSite) {
    offerPatch();
    EXPECT_FALSE(window->CheckForLatestVersion(false, true));   // the home page answers 404
    EXPECT_EQ(server.requests(), std::vector<std::string>{"HEAD /"});
    EXPECT_TRUE(cdb()->IsReady());

    server.answer("/", 200, "home page");
    scripted->answerBox(kMessageAnswerOkYes);
    scripted->answerBox(kMessageAnswerOkYes);
    EXPECT_TRUE(window->CheckForLatestVersion(false, true));
    EXPECT_EQ(launched.size(), 1u);
    EXPECT_FALSE(cdb()->IsReady());
}

TEST_F(UpdateCommandTest, OrdinaryUsersAreStillRefused) {
    offerPatch();
    session().loginInfo->setUserType(0);
    scripted->answerBox(kMessageAnswerOkYes);
    window->CheckforUpdates();
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].details, "Please login as an Administrator to check for updates.");
    EXPECT_TRUE(server.requests().empty());
    EXPECT_TRUE(exits.empty());
}

// The window layer's hooks reach the main window: its close of the database (bound
// windows first) and its reopening of the recent one.
TEST_F(UpdateCommandTest, TheHooksCloseAndReopenThroughTheMainWindow) {
    QtUserInterface real;
    session().ui = &real;
    EXPECT_TRUE(real.closeDatabase(false, false));
    EXPECT_FALSE(cdb()->IsReady());
    EXPECT_TRUE(real.openRecentDatabase());
    EXPECT_TRUE(cdb()->IsReady());
    EXPECT_EQ(cdb()->GetPath(), home.file("Acme 2025.db"));
    EXPECT_EQ(window->CompanyVec().size(), 0u);   // no payers in this file
    session().ui = scripted.get();
}

namespace {

enum class Stall { TakesConnectionsSilently, NeverAnswers, HeadersThenNothing };

struct StallCase {
    const char* name;
    Stall stall;
};
void PrintTo(const StallCase& c, std::ostream* os) { *os << c.name; }

class StartUpWithAStalledServer : public UpdateCommandTest, public ::testing::WithParamInterface<StallCase> {};

}  // namespace

// With the program's own limits (15 s without a byte, 60 s in all) the server is still
// saying nothing when the start-up has reached the main window with the recent
// database open; the check keeps waiting beside it and shows nothing meanwhile.
TEST_P(StartUpWithAStalledServer, ReachesTheMainWindowWithTheRecentDatabaseOpen) {
    data::setTimeouts(data::defaultTimeouts());
    switch (GetParam().stall) {
    case Stall::TakesConnectionsSilently: server.setSilent(true); break;   // the web site too
    case Stall::NeverAnswers:
        server.answer("/", 200, "home page");
        server.neverAnswer(kVersionsDatabasePath);
        break;
    case Stall::HeadersThenNothing:
        server.answer("/", 200, "home page");
        server.answer(kVersionsDatabasePath, {200, std::string(20000, 'v'), {}, TestHttpServer::kUntilStopped, false});
        break;
    }

    startUp();

    expectRecentDatabaseShown();
    EXPECT_TRUE(window->launchUpdateCheckRunning());
    EXPECT_FALSE(slowStepEnded);
    EXPECT_TRUE(scripted->boxes().empty());
    EXPECT_TRUE(w<QMenu>("File_Menu")->menuAction()->isEnabled());
    EXPECT_TRUE(exits.empty());
}

INSTANTIATE_TEST_SUITE_P(Servers, StartUpWithAStalledServer,
                         ::testing::Values(StallCase{"TakesConnectionsSilently", Stall::TakesConnectionsSilently},
                                           StallCase{"NeverAnswers", Stall::NeverAnswers},
                                           StallCase{"HeadersThenNothing", Stall::HeadersThenNothing}),
                         [](const ::testing::TestParamInfo<StallCase>& test) { return std::string(test.param.name); });

// When the limits end the download, the start-up check ends as the silent check does:
// no message, the database still open, no versions file.
TEST_F(UpdateCommandTest, AtStartUpAStalledServerEndsTheCheckSilently) {
    server.answer("/", 200, "home page");
    server.neverAnswer(kVersionsDatabasePath);
    startUp();
    ASSERT_TRUE(spinUntil([this] { return !window->launchUpdateCheckRunning(); }));

    EXPECT_TRUE(slowStepEnded);
    EXPECT_TRUE(scripted->boxes().empty());
    expectRecentDatabaseShown();
    EXPECT_FALSE(platform::fileExists(versionsFile()));
    EXPECT_EQ(server.requests(), (std::vector<std::string>{"HEAD /", std::string("GET ") + kVersionsDatabasePath}));
    EXPECT_TRUE(exits.empty());
}

// The offer found at start-up waits for the information window to close, comes on the
// window's thread, and a patch that installs ends the program as from the menu.
TEST_F(UpdateCommandTest, TheStartUpOfferComesOnTheWindowsThreadOnceNoOtherWindowRuns) {
    offerPatch();
    server.answer("/", 200, "home page");
    size_t boxesWhileInformationShowed = 99;
    whileInformationShows = [&] {
        // The check ends while the information window is up; what it sent is delivered.
        ASSERT_TRUE(spinUntil([this] { return slowStepEnded.load(); }));
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
        spinUntil([&] { return std::chrono::steady_clock::now() > until; });
        boxesWhileInformationShowed = scripted->boxes().size();
    };
    scripted->answerBox(kMessageAnswerOkYes);   // Download Patch Now
    scripted->answerBox(kMessageAnswerOkYes);   // needs to close

    startUp();
    ASSERT_TRUE(spinUntil([this] { return !exits.empty(); }));

    EXPECT_EQ(boxesWhileInformationShowed, 0u);
    EXPECT_EQ(exits, std::vector<int>{1});
    EXPECT_FALSE(openAtExit);
    EXPECT_EQ(launched, std::vector<std::string>{home.file("Desktop/Talvexa1099Patch.pkg")});
    ASSERT_EQ(scripted->boxes().size(), 2u);
    EXPECT_EQ(scripted->boxes()[0].caption, "A free patch is available! Download now?");
    EXPECT_EQ(*boxThreads, (std::vector<std::thread::id>{std::this_thread::get_id(), std::this_thread::get_id()}));
}

// Check for Updates while the start-up check still waits: the start-up check is
// stopped and shows nothing, the user's own check ends by the limits with the download
// message.
TEST_F(UpdateCommandTest, TheMenuCheckTakesThePlaceOfAStartUpCheckStillWaiting) {
    server.answer("/", 200, "home page");
    server.neverAnswer(kVersionsDatabasePath);
    startUp();
    ASSERT_TRUE(window->launchUpdateCheckRunning());
    scripted->answerBox(2);

    item("actionCheckforUpdates")->trigger();

    EXPECT_FALSE(window->launchUpdateCheckRunning());
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].caption, "Unable to check for updates.");
    EXPECT_EQ(scripted->boxes()[0].details,
              "Unable to download version file from the Internet.\n\nTo resolve this issue, please make sure that you "
              "are connected to the Internet and that Talvexa 1099 is allowed through your firewall.");
    QApplication::processEvents();
    EXPECT_EQ(scripted->boxes().size(), 1u);
    EXPECT_TRUE(cdb()->IsReady());
    EXPECT_TRUE(exits.empty());
}
