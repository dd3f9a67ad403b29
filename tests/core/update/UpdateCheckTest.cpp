// The update check against a server on the loopback: what the user sees for each answer
// of the server, from the menu and at start-up, and that the downloaded versions file
// never stays behind.

#include <functional>
#include <future>
#include <ostream>
#include <thread>

#include <gmock/gmock.h>

#include "UpdateFixture.h"
#include "core/foundation/Utils.h"
#include "core/update/UpdateCheckThread.h"
#include "core/update/VersionDatabase.h"
#include "core/update/VersionInfo.h"

using namespace updatetest;

namespace {

const char kDownloadText[] =
    "Unable to download version file from the Internet.\n\nTo resolve this issue, please make sure that you are "
    "connected to the Internet and that Talvexa 1099 is allowed through your firewall.";
const char kPatchOfferStart[] =
    "A free patch is available for Talvexa 1099 for 2025.\n\nUpgrading to the most recent version is recommended "
    "for all users.\n\nDo you want to download and install this patch now?\n\n Additional Details:\n Talvexa 1099 "
    "will automatically download the most recent patch. The download may take several minutes,and you will not be "
    "able to use Talvexa 1099 during this time.";
const char kPatchOfferEnd[] = "please try again, or download it directly from www.talvexa.com (link below).";

const Box kLatest{"Latest version is installed.", "You are running the most recent version of Talvexa 1099.",
                  kMessageStyleOK, "", kMessageImageMessage};
const Box kPurchase{"A new version of 1099 is available for purchase.",
                    "Do you want to go to www.talvexa.com now to purchase the new version?", kMessageStyleYesNo, "",
                    kMessageImagePrompt};
const Box kCannotDownload{"Unable to check for updates.", kDownloadText, kMessageStyleOK, "Talvexa 1099 E-File 2025",
                          kMessageImageError};
const Box kCannotInitialize{"Unable to check for updates.",
                            "Unable to initialize the downloaded version file. Please try again.", kMessageStyleOK, "",
                            kMessageImageError};
const Box kCannotRead{"Unable to check for updates.", "Unable to read from the version file. Please try again.",
                      kMessageStyleOK, "", kMessageImageError};
const Box kWarning{"Warning", "The database version does not match the code version.", kMessageStyleOK, "",
                   kMessageImageError};

// The patch offer's caption and style; its long text is checked once, below.
const char kPatchOfferCaption[] = "A free patch is available! Download now?";

enum class Served { Versions, Empty, NotADatabase, NotFound, Down };

struct CheckCase {
    const char* name;
    bool fromMenu;
    Served served;
    std::function<void(Versions&)> versions;   // changes to a database with nothing new
    std::vector<int> answers;
    std::vector<std::string> boxCaptions;       // in order; full boxes where they are fixed
    std::vector<Box> fullBoxes;
    std::vector<std::string> opened;
};
void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

class Check : public UpdateTest, public ::testing::WithParamInterface<CheckCase> {};

}  // namespace

TEST_P(Check, ShowsWhatTheServerSaysAndRemovesTheVersionsFile) {
    const CheckCase& c = GetParam();
    Versions v;
    if (c.versions) c.versions(v);
    switch (c.served) {
    case Served::Versions: serveVersions(v); break;
    case Served::Empty: server.answer(kVersionsDatabasePath, 200, ""); break;
    case Served::NotADatabase: server.answer(kVersionsDatabasePath, 200, "<html>maintenance</html>"); break;
    case Served::NotFound: break;   // the server answers 404 for what it does not know
    case Served::Down:
        setenv(kUpdateServerVariable, ("http://127.0.0.1:" + std::to_string(TestHttpServer::closedPort())).c_str(), 1);
        break;
    }
    for (int answer : c.answers) ui->answerBox(answer);

    EXPECT_FALSE(runUpdateCheck(c.fromMenu, true));

    std::vector<std::string> captions;
    for (const auto& box : ui->boxes()) captions.push_back(box.caption);
    EXPECT_EQ(captions, c.boxCaptions);
    if (!c.fullBoxes.empty()) expectBoxes(c.fullBoxes);
    EXPECT_EQ(opened, c.opened);
    EXPECT_TRUE(launched.empty());
    EXPECT_EQ(ui->count("closeDatabase"), 0);
    EXPECT_TRUE(company()->IsReady());
    EXPECT_FALSE(platform::fileExists(versionsFile()));
    EXPECT_TRUE(filesIn(session().ControlledTempDir).empty());
    if (c.served != Served::Down) {
        EXPECT_EQ(server.requests(), std::vector<std::string>{std::string("GET ") + kVersionsDatabasePath});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Server, Check,
    ::testing::Values(
        CheckCase{"NothingNewFromTheMenu", true, Served::Versions, {}, {2}, {kLatest.caption}, {kLatest}, {}},
        CheckCase{"NothingNewAtLaunch", false, Served::Versions, {}, {}, {}, {}, {}},
        CheckCase{"PatchOfferedAndDeclined", true, Served::Versions, [](Versions& v) { v.rows[0].patch = 2; },
                  {kMessageAnswerNo}, {kPatchOfferCaption}, {}, {}},
        CheckCase{"PatchOfferedAtLaunchToo", false, Served::Versions, [](Versions& v) { v.rows[0].patch = 2; },
                  {kMessageAnswerCloseBox}, {kPatchOfferCaption}, {}, {}},
        CheckCase{"NewVersionPurchasePageOpened", true, Served::Versions, [](Versions& v) { v.recent->major = 26; },
                  {2}, {kPurchase.caption}, {kPurchase}, {"https://www.talvexa.com/buy-1099"}},
        CheckCase{"NewUpdateOfThisVersionOfferedAtLaunch", false, Served::Versions,
                  [](Versions& v) { v.recent->update = 1; }, {2}, {kPurchase.caption}, {kPurchase},
                  {"https://www.talvexa.com/buy-1099"}},
        CheckCase{"NewVersionDeclined", true, Served::Versions, [](Versions& v) { v.recent->major = 26; },
                  {kMessageAnswerNo}, {kPurchase.caption}, {kPurchase}, {}},
        CheckCase{"PatchDeclinedThenPurchaseOffered", true, Served::Versions,
                  [](Versions& v) {
                      v.rows[0].patch = 2;
                      v.recent->major = 26;
                  },
                  {kMessageAnswerNo, kMessageAnswerNo}, {kPatchOfferCaption, kPurchase.caption}, {}, {}},
        CheckCase{"FieldsThatAreNotComparedOfferNothing", true, Served::Versions,
                  [](Versions& v) {
                      v.rows[0].major = 26;
                      v.rows[0].update = 5;
                      v.recent->patch = 9;
                  },
                  {2}, {kLatest.caption}, {kLatest}, {}},
        CheckCase{"VersionRowOf2", true, Served::Versions, [](Versions& v) { v.versionRow = 2; }, {2},
                  {kCannotInitialize.caption}, {kCannotInitialize}, {}},
        CheckCase{"VersionRowOf2AtLaunch", false, Served::Versions, [](Versions& v) { v.versionRow = 2; }, {}, {},
                  {}, {}},
        CheckCase{"NegativeVersionWarnsEvenAtLaunch", false, Served::Versions, [](Versions& v) { v.versionRow = -1; },
                  {2}, {kWarning.caption}, {kWarning}, {}},
        CheckCase{"EmptyBody", true, Served::Empty, {}, {2}, {kCannotRead.caption}, {kCannotRead}, {}},
        CheckCase{"EmptyBodyAtLaunch", false, Served::Empty, {}, {}, {}, {}, {}},
        CheckCase{"NotADatabase", true, Served::NotADatabase, {}, {2, 2},
                  {"Version Database Error!", kCannotRead.caption}, {}, {}},
        CheckCase{"No2025Row", true, Served::Versions, [](Versions& v) { v.rows[0].year = 2024; }, {2},
                  {kCannotRead.caption}, {kCannotRead}, {}},
        CheckCase{"No2025EFileRow", true, Served::Versions, [](Versions& v) { v.rows[0].efile = 0; }, {2},
                  {kCannotRead.caption}, {kCannotRead}, {}},
        CheckCase{"NoMostRecentRow", true, Served::Versions, [](Versions& v) { v.recent.reset(); }, {2},
                  {kCannotRead.caption}, {kCannotRead}, {}},
        CheckCase{"NotFound", true, Served::NotFound, {}, {2}, {kCannotDownload.caption}, {kCannotDownload}, {}},
        CheckCase{"NotFoundAtLaunch", false, Served::NotFound, {}, {}, {}, {}, {}},
        CheckCase{"ServerDown", true, Served::Down, {}, {2}, {kCannotDownload.caption}, {kCannotDownload}, {}},
        CheckCase{"ServerDownAtLaunch", false, Served::Down, {}, {}, {}, {}, {}}),
    [](const ::testing::TestParamInfo<CheckCase>& test) { return std::string(test.param.name); });

// The offer as the user reads it: its buttons, its link and its text with the typos.
TEST_F(UpdateTest, ThePatchOfferNamesItsButtonsAndLink) {
    Versions v;
    v.rows[0].patch = 2;
    serveVersions(v);
    ui->answerBox(kMessageAnswerNo);
    EXPECT_FALSE(runUpdateCheck(true, true));
    const auto boxes = ui->boxes();
    ASSERT_EQ(boxes.size(), 1u);
    const MessageBoxRequest& offer = boxes[0];
    EXPECT_EQ(offer.variant, MessageBoxRequest::Variant::NamedButtons);
    EXPECT_EQ(offer.style, kMessageStyleYesNo);
    EXPECT_EQ(offer.image, kMessageImagePrompt);
    EXPECT_EQ(offer.title, "Talvexa 1099 E-File 2025");
    EXPECT_EQ(offer.button3Title, "Download Patch Now");
    EXPECT_EQ(offer.button2Title, "Cancel");
    EXPECT_TRUE(offer.showPatchLink);
    EXPECT_EQ(offer.linkAddress, kPatchPageAddress);
    EXPECT_EQ(offer.details.rfind(kPatchOfferStart, 0), 0u) << offer.details;
    EXPECT_NE(offer.details.find("enter an adiminstrator password"), std::string::npos);
    EXPECT_NE(offer.details.find("just launch  Talvexa 1099"), std::string::npos);
    EXPECT_EQ(offer.details.substr(offer.details.size() - std::string(kPatchOfferEnd).size()), kPatchOfferEnd);
}

TEST_F(UpdateTest, TheDownloadFailureLinksToTheDownloadsPage) {
    ui->answerBox(2);
    EXPECT_FALSE(runUpdateCheck(true, false));
    const auto boxes = ui->boxes();
    ASSERT_EQ(boxes.size(), 1u);
    const MessageBoxRequest& box = boxes[0];
    EXPECT_EQ(box.variant, MessageBoxRequest::Variant::NamedButtons);
    EXPECT_EQ(box.button3Title, "OK");
    EXPECT_TRUE(box.showPatchLink);
    EXPECT_EQ(box.linkAddress, "https://www.talvexa.com/1099-software/downloads");
}

// At start-up the check runs only when the web site answered; from the menu it runs
// whatever the answer was.
TEST_F(UpdateTest, AtLaunchNothingIsAskedWithoutTheInternet) {
    serveVersions(Versions{});
    EXPECT_FALSE(runUpdateCheck(false, false));
    EXPECT_TRUE(server.requests().empty());
    ui->answerBox(2);
    EXPECT_FALSE(runUpdateCheck(true, false));
    EXPECT_EQ(server.requests().size(), 1u);
}

TEST_F(UpdateTest, NoCheckWithoutTheConfigurationDatabase) {
    serveVersions(Versions{});
    session().DBH->appDatabase()->Close();
    EXPECT_FALSE(runUpdateCheck(true, true));
    EXPECT_TRUE(server.requests().empty());
    EXPECT_TRUE(ui->boxes().empty());
}

// A stale versions file from an earlier run is never read: it is removed before the
// download, and a failed download leaves nothing.
TEST_F(UpdateTest, AnOldVersionsFileIsNeverRead) {
    Versions newer;
    newer.recent->major = 30;
    ASSERT_TRUE(platform::writeFileAtomically(versionsFile(), versionsDatabase(newer, home.path())));
    EXPECT_FALSE(runUpdateCheck(false, true));   // 404 at launch: silent
    EXPECT_FALSE(platform::fileExists(versionsFile()));
    EXPECT_TRUE(ui->boxes().empty());
}

namespace {

// An update server that hangs; the check ends by the download limits as a failed
// download does: from the menu with "Unable to download version file…", at start-up
// without a word, and never with the versions file left behind.
enum class Hang { TakesConnectionsSilently, NeverAnswers, HeadersThenNothing, TrickleOutlastsTheTotalLimit };

struct HangCase {
    const char* name;
    Hang hang;
    bool fromMenu;
};
void PrintTo(const HangCase& c, std::ostream* os) { *os << c.name; }

class StalledServer : public UpdateTest, public ::testing::WithParamInterface<HangCase> {
protected:
    void hang(Hang how) {
        const std::string body = versionsDatabase(Versions{}, home.path());
        switch (how) {
        case Hang::TakesConnectionsSilently: server.setSilent(true); break;
        case Hang::NeverAnswers: server.neverAnswer(kVersionsDatabasePath); break;
        case Hang::HeadersThenNothing:
            server.answer(kVersionsDatabasePath, {200, body, {}, TestHttpServer::kUntilStopped, false});
            break;
        case Hang::TrickleOutlastsTheTotalLimit:
            // A byte every 50 ms is never "nothing for a second", but the file would
            // take minutes.
            server.answerSlowly(kVersionsDatabasePath, {200, body, {}, {}, false}, {1, std::chrono::milliseconds(50)});
            break;
        }
    }
};

}  // namespace

TEST_P(StalledServer, EndsTheCheckAsAFailedDownload) {
    const HangCase& c = GetParam();
    hang(c.hang);
    if (c.fromMenu) ui->answerBox(2);

    EXPECT_FALSE(runUpdateCheck(c.fromMenu, true));

    if (c.fromMenu) {
        expectBoxes({kCannotDownload});
    } else {
        EXPECT_TRUE(ui->boxes().empty());
    }
    EXPECT_TRUE(filesIn(session().ControlledTempDir).empty());
    EXPECT_TRUE(company()->IsReady());
    EXPECT_EQ(server.connections(), 1);
    EXPECT_THAT(log, ::testing::Contains(::testing::StartsWith("Download failed! Error - ")));
}

INSTANTIATE_TEST_SUITE_P(
    Hangs, StalledServer,
    ::testing::Values(HangCase{"SilentFromTheMenu", Hang::TakesConnectionsSilently, true},
                      HangCase{"SilentAtLaunch", Hang::TakesConnectionsSilently, false},
                      HangCase{"NeverAnswersFromTheMenu", Hang::NeverAnswers, true},
                      HangCase{"NeverAnswersAtLaunch", Hang::NeverAnswers, false},
                      HangCase{"HeadersThenNothingFromTheMenu", Hang::HeadersThenNothing, true},
                      HangCase{"HeadersThenNothingAtLaunch", Hang::HeadersThenNothing, false},
                      HangCase{"TrickleFromTheMenu", Hang::TrickleOutlastsTheTotalLimit, true},
                      HangCase{"TrickleAtLaunch", Hang::TrickleOutlastsTheTotalLimit, false}),
    [](const ::testing::TestParamInfo<HangCase>& test) { return std::string(test.param.name); });

namespace {

// The start-up check as the program runs it: prepared here, its slow step on a thread
// of its own, its last step handed back to this (the window's) thread.
class LaunchCheck : public UpdateTest {
protected:
    // Runs the check; true when its thread handed a last step back (kept in `last`).
    bool runOnItsThread(std::function<bool()> internet = [] { return true; }) {
        UpdateCheckSlowStep slow = prepareLaunchUpdateCheck(std::move(internet));
        if (!slow) return false;
        std::promise<UpdateCheckLastStep> handed;
        auto arrived = handed.get_future();
        {
            UpdateCheckThread thread(std::move(slow), [&](UpdateCheckLastStep step) {
                slowStepThread = std::this_thread::get_id();
                handed.set_value(std::move(step));
            });
            // A guard against a hang, not a measure: the limits end the step in seconds.
            if (arrived.wait_for(std::chrono::seconds(60)) != std::future_status::ready) return false;
        }
        last = arrived.get();
        return true;
    }

    UpdateCheckLastStep last;
    std::thread::id slowStepThread;
};

}  // namespace

// What the check shows, it shows on the window's thread, after its thread has ended;
// its thread shows nothing, not even the warning shown in both modes.
TEST_F(LaunchCheck, ShowsItsOffersAndWarningOnlyInTheLastStep) {
    Versions v;
    v.versionRow = -1;   // the warning
    serveVersions(v);
    ASSERT_TRUE(runOnItsThread());
    EXPECT_NE(slowStepThread, std::this_thread::get_id());
    EXPECT_TRUE(ui->boxes().empty());
    EXPECT_FALSE(platform::fileExists(versionsFile()));
    ASSERT_TRUE(last);
    ui->answerBox(2);
    EXPECT_FALSE(last());
    expectBoxes({kWarning});

    serveVersions(patchLevel2());
    ASSERT_TRUE(runOnItsThread());
    EXPECT_EQ(ui->boxes().size(), 1u);
    ui->answerBox(kMessageAnswerNo);
    EXPECT_FALSE(last());
    EXPECT_EQ(ui->boxes().back().caption, kPatchOfferCaption);
    EXPECT_TRUE(launched.empty());
}

// A stalled server and a web site that does not answer both end the check silently.
TEST_F(LaunchCheck, EndsSilentlyWhenTheServerStallsOrTheWebSiteIsAway) {
    server.neverAnswer(kVersionsDatabasePath);
    ASSERT_TRUE(runOnItsThread());
    ASSERT_TRUE(last);
    EXPECT_FALSE(last());

    serveVersions(patchLevel2());
    const size_t asked = server.requests().size();
    ASSERT_TRUE(runOnItsThread([] { return false; }));
    EXPECT_FALSE(last);   // nothing to do
    EXPECT_EQ(server.requests().size(), asked);
    EXPECT_TRUE(ui->boxes().empty());
    EXPECT_TRUE(filesIn(session().ControlledTempDir).empty());
}

// Stopped while the server says nothing (at the program's end, or when the user checks
// from the menu), the check ends at once without waiting for its limits (the
// program's own, of 15 and 60 seconds) and hands nothing back.
TEST_F(LaunchCheck, AStopEndsItWithoutALastStep) {
    data::setTimeouts(data::defaultTimeouts());
    server.setSilent(true);
    UpdateCheckSlowStep slow = prepareLaunchUpdateCheck([] { return true; });
    ASSERT_TRUE(slow);
    bool handedBack = false;
    {
        UpdateCheckThread thread(std::move(slow), [&](UpdateCheckLastStep) { handedBack = true; });
        while (server.connections() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        thread.stop();
    }
    EXPECT_FALSE(handedBack);
    EXPECT_TRUE(ui->boxes().empty());
    EXPECT_TRUE(filesIn(session().ControlledTempDir).empty());
}

TEST_F(LaunchCheck, IsNotPreparedWithoutTheConfigurationDatabase) {
    session().DBH->appDatabase()->Close();
    EXPECT_FALSE(prepareLaunchUpdateCheck([] { return true; }));
}

// The versions database read directly: a file without the tables receives the empty
// schema, and the read of a fault says so when asked to.
TEST_F(UpdateTest, VersionDatabaseReadsWhatTheServerWrote) {
    const std::string path = home.file("versions.db");
    Versions v;
    v.rows = {Row{2024, 1, 24, 0, 9, "a", "2024.pkg"}, Row{2025, 1, 25, 3, 4, "https://x/p.zip", "p.pkg"}};
    v.recent = Row{2025, 1, 26, 1, 2, "", ""};
    ASSERT_TRUE(platform::writeFileAtomically(path, versionsDatabase(v, home.path())));
    VersionDatabase db;
    ASSERT_TRUE(db.Init(path, true));
    EXPECT_EQ(db.GetVersion(), 1);
    VersionInfo info;
    ASSERT_EQ(db.SelectVersionInfo(info, 2025, 1, true), 1);
    EXPECT_EQ(info.year(), 2025);
    EXPECT_EQ(info.thisYearMajor(), 25);
    EXPECT_EQ(info.thisYearUpdate(), 3);
    EXPECT_EQ(info.thisYearPatch(), 4);
    EXPECT_EQ(info.patchURL(), "https://x/p.zip");
    EXPECT_EQ(info.patchFileName(), "p.pkg");
    EXPECT_EQ(info.mostRecentMajor(), 26);
    EXPECT_EQ(info.mostRecentUpdate(), 1);
    EXPECT_EQ(info.mostRecentPatch(), 2);
    EXPECT_EQ(info.updateWebPageURL(), "https://www.talvexa.com/buy-1099");
    db.Close();
    EXPECT_FALSE(db.IsReady());

    const std::string empty = home.file("empty.db");
    VersionDatabase fresh;
    ASSERT_TRUE(fresh.Init(empty, false));   // made, with the empty schema
    EXPECT_EQ(fresh.GetVersion(), 1);
    EXPECT_EQ(fresh.SelectVersionInfo(info, 2025, 1, true), 0);
    fresh.Close();

    // Version 1 promises three tables.
    auto raw = FMDatabase::databaseWithPath(home.file("partial.db"));
    ASSERT_TRUE(raw->open());
    ASSERT_TRUE(raw->executeStatements("create table version (version INT); insert into version values (1);"));
    raw->close();
    VersionDatabase partial;
    EXPECT_FALSE(partial.Init(home.file("partial.db"), true));
    EXPECT_TRUE(ui->boxes().empty());

    // The empty schema is made whole or not at all: a table already there stops it,
    // and nothing of it stays behind.
    raw = FMDatabase::databaseWithPath(home.file("stray.db"));
    ASSERT_TRUE(raw->open());
    ASSERT_TRUE(raw->executeUpdate("create table mostRecentVersion (majorVers INT);"));
    raw->close();
    VersionDatabase stray;
    stray.Init(home.file("stray.db"), false);
    EXPECT_EQ(stray.GetVersion(), -1);
    stray.Close();
    ASSERT_TRUE(raw->open());
    EXPECT_EQ(raw->stringForQuery("select group_concat(name) from sqlite_master;").value_or(""), "mostRecentVersion");
    raw->close();
}

// The Internet counts as reachable only when the web site's home page answers 200.
TEST(InternetCheck, OnlyAnOkFromTheHomePageCounts) {
    TestHttpServer server;
    const char* saved = std::getenv(kProductWebSiteVariable);
    const std::optional<std::string> previous = saved ? std::optional<std::string>(saved) : std::nullopt;
    setenv(kProductWebSiteVariable, server.address().c_str(), 1);

    EXPECT_FALSE(Utils::CheckInternet());   // 404
    server.answer("/", 500, "down for maintenance");
    EXPECT_FALSE(Utils::CheckInternet());
    server.answer("/", {301, "", {{"Location", server.address() + "/home"}}, {}, false});
    server.answer("/home", 200, "home page");
    EXPECT_TRUE(Utils::CheckInternet());
    server.answer("/", 200, "home page");
    EXPECT_TRUE(Utils::CheckInternet());
    EXPECT_EQ(server.requests().back(), "HEAD /");
    setenv(kProductWebSiteVariable, ("http://127.0.0.1:" + std::to_string(TestHttpServer::closedPort())).c_str(), 1);
    EXPECT_FALSE(Utils::CheckInternet());

    if (previous) setenv(kProductWebSiteVariable, previous->c_str(), 1);
    else unsetenv(kProductWebSiteVariable);
}
