// The update check as the program installs it behind the main window's commands: a
// patch that installs ends the program with status 1 and its database released, and at
// start-up nothing is asked of the update server when the web site does not answer.

#include <chrono>
#include <cstdlib>
#include <optional>

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
#include "ui/support/DesktopServices.h"
#include "ui/support/HandOffs.h"
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

class UpdateCommandTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        handOffs() = HandOffs{};
        // As the program installs them.
        handOffs().internetAvailable = &Utils::CheckInternet;
        handOffs().latestVersion = &runUpdateCheck;
        session().ControlledTempDir = home.file(".config");
        data::setTimeout(std::chrono::seconds(3));
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
        handOffs() = HandOffs{};
        setProcessExit({});
        platform::setInstallerLauncher({});
        data::setTimeout(std::chrono::seconds(10000));
        MainWindowTest::TearDown();
    }

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
