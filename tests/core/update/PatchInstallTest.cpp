// The patch: downloaded to the Desktop, unzipped there and handed to the system, or,
// for every way it can fail, refused with the company database opened again and nothing
// started.

#include <ostream>
#include <random>

#include "UpdateFixture.h"

using namespace updatetest;

namespace {

const char kOfferCaption[] = "A free patch is available! Download now?";
const char kInstallFailed[] = "Unable to install patch.";
const char kInstallerUnreachable[] = "Unable to access the patch installer.";
const Box kNeedsToClose{"Talvexa 1099 needs to close.", "Talvexa 1099 needs to close to finish installing the patch.",
                        kMessageStyleOK, "", kMessageImagePlain};

std::string unzipFailure(const std::string& archive) {
    return "Unable to unzip the patch installer.\n\nTo resolve this issue, please close Talvexa 1099 and double-click "
           "the following file to unzip it:\n\n    " +
           archive + "\n\nYou can then double-click the unzipped installer to manually install the downloaded patch.";
}

class PatchTest : public UpdateTest {
protected:
    std::string archive() const { return desktop() + "/Talvexa1099Patch.zip"; }
    std::string installer() const { return desktop() + "/Talvexa1099Patch.pkg"; }

    // The patch was given up: nothing started, the company database open again.
    void expectGivenUp() {
        EXPECT_TRUE(launched.empty());
        EXPECT_EQ(ui->count("closeDatabase"), 1);
        EXPECT_EQ(ui->count("openRecentDatabase"), 1);
        EXPECT_TRUE(company()->IsReady());
        EXPECT_EQ(company()->GetPath(), companyPath);
        EXPECT_FALSE(platform::fileExists(versionsFile()));
    }
};

}  // namespace

TEST_F(PatchTest, APatchInstalls) {
    serveVersions(patchLevel2());
    servePatch({{"Talvexa1099Patch.pkg", "the installer"}});
    ui->answerBox(kMessageAnswerOkYes);   // Download Patch Now
    ui->answerBox(kMessageAnswerOkYes);   // needs to close

    EXPECT_TRUE(runUpdateCheck(true, true));

    std::vector<std::string> captions;
    for (const auto& box : ui->boxes()) captions.push_back(box.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{kOfferCaption, kNeedsToClose.caption}));
    const auto boxes = ui->boxes();
    EXPECT_EQ(boxes[1].details, kNeedsToClose.details);
    EXPECT_EQ(boxes[1].image, kMessageImagePlain);
    EXPECT_EQ(filesIn(desktop()), (std::vector<std::string>{"Talvexa1099Patch.pkg", "Talvexa1099Patch.zip"}));
    EXPECT_EQ(bytesOf(installer()), "the installer");
    EXPECT_EQ(launched, std::vector<std::string>{installer()});
    // The program ends now: its company database stays closed, and nothing reopened it.
    EXPECT_FALSE(company()->IsReady());
    EXPECT_EQ(ui->count("closeDatabase"), 1);
    EXPECT_EQ(ui->count("openRecentDatabase"), 0);
    EXPECT_FALSE(platform::fileExists(versionsFile()));
    EXPECT_EQ(server.requests(), (std::vector<std::string>{std::string("GET ") + kVersionsDatabasePath,
                                                           "GET /patches/Talvexa1099Patch.zip"}));
}

// A Desktop that is not there yet is made; an older archive and installer there are
// replaced.
TEST_F(PatchTest, TheDesktopIsMadeOrItsOldFilesReplaced) {
    std::filesystem::remove_all(desktop());
    serveVersions(patchLevel2());
    servePatch({{"Talvexa1099Patch.pkg", "first"}});
    ui->answerBox(kMessageAnswerOkYes);
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_TRUE(runUpdateCheck(false, true));
    EXPECT_EQ(bytesOf(installer()), "first");

    servePatch({{"Talvexa1099Patch.pkg", "second"}});
    ASSERT_TRUE(company()->Init(companyPath, true, true, true, "Acme"));
    ui->answerBox(kMessageAnswerOkYes);
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_TRUE(runUpdateCheck(false, true));
    EXPECT_EQ(bytesOf(installer()), "second");
    EXPECT_EQ(launched, (std::vector<std::string>{installer(), installer()}));
}

// An archive with a name that climbs out of the Desktop is refused whole: nothing of it
// is written, nothing is started, and the archive stays for the user to look at.
TEST_F(PatchTest, ATraversalArchiveIsRefused) {
    const struct {
        const char* name;
        std::vector<std::pair<std::string, std::string>> entries;
    } cases[] = {
        {"an entry before the installer", {{"../Documents/evil.txt", "evil"}, {"Talvexa1099Patch.pkg", "installer"}}},
        {"the installer itself", {{"../Documents/Talvexa1099Patch.pkg", "installer"}}},
        {"the installer in a folder", {{"sub/Talvexa1099Patch.pkg", "installer"}}},
        {"backslashes", {{"..\\..\\evil.txt", "evil"}, {"Talvexa1099Patch.pkg", "installer"}}},
    };
    serveVersions(patchLevel2());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(company()->Init(companyPath, true, true, true, "Acme"));
        std::filesystem::remove_all(desktop());
        ui = std::make_unique<ScriptedUserInterface>();
        launched.clear();
        servePatch(c.entries);
        const auto documentsBefore = filesIn(home.file("Documents"));
        ui->answerBox(kMessageAnswerOkYes);
        ui->answerBox(kMessageAnswerOkYes);

        EXPECT_FALSE(runUpdateCheck(true, true));

        const auto boxes = ui->boxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1].caption, kInstallFailed);
        EXPECT_EQ(boxes[1].details, unzipFailure(archive()));
        EXPECT_EQ(boxes[1].style, kMessageStyleOK);
        EXPECT_EQ(boxes[1].image, kMessageImageError);
        expectGivenUp();
        EXPECT_EQ(filesIn(desktop()), std::vector<std::string>{"Talvexa1099Patch.zip"});
        EXPECT_EQ(filesIn(home.file("Documents")), documentsBefore);
        EXPECT_FALSE(platform::fileExists(home.file("evil.txt")));
    }
}

// The server names the installer; a name that leads elsewhere is refused before
// anything is downloaded.
TEST_F(PatchTest, AnInstallerNameWithAPathIsRefusedBeforeTheDownload) {
    for (const char* name : {"../Talvexa1099Patch.pkg", "sub/Talvexa1099Patch.pkg", "..", "", ".",
                             "a\\b.pkg", "/tmp/Talvexa1099Patch.pkg"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(company()->Init(companyPath, true, true, true, "Acme"));
        ui = std::make_unique<ScriptedUserInterface>();
        serveVersions(patchLevel2(name));
        ui->answerBox(kMessageAnswerOkYes);
        ui->answerBox(kMessageAnswerOkYes);
        const size_t requestsBefore = server.requests().size();

        EXPECT_FALSE(runUpdateCheck(true, true));

        const auto boxes = ui->boxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1].caption, kInstallFailed);
        EXPECT_EQ(boxes[1].details, kInstallerUnreachable);
        EXPECT_EQ(boxes[1].image, kMessageImageError);
        EXPECT_EQ(server.requests().size(), requestsBefore + 1) << "only the versions database";
        expectGivenUp();
        EXPECT_TRUE(filesIn(desktop()).empty());
    }
}

namespace {

struct DownloadFailure {
    const char* name;
    TestHttpServer::Answer answer;
    TestHttpServer::Pace pace{0, std::chrono::milliseconds(0)};   // bytes 0: all at once
    bool neverAnswered = false;
};
void PrintTo(const DownloadFailure& c, std::ostream* os) { *os << c.name; }

class PatchDownload : public PatchTest, public ::testing::WithParamInterface<DownloadFailure> {};

}  // namespace

// A download that does not arrive whole leaves nothing on the Desktop.
TEST_P(PatchDownload, ThatFailsLeavesNothingOnTheDesktop) {
    const DownloadFailure& c = GetParam();
    serveVersions(patchLevel2());
    TestHttpServer::Answer answer = c.answer;
    if (answer.body == "archive") {
        // An installer that does not compress: the archive is as large as it.
        std::mt19937 bytes(2025);
        std::string installer(20000, '\0');
        for (char& b : installer) b = static_cast<char>(bytes() & 0xff);
        answer.body = patchArchive({{"Talvexa1099Patch.pkg", installer}}, home.path());
    }
    const std::string path = "/patches/Talvexa1099Patch.zip";
    if (c.neverAnswered) server.neverAnswer(path);
    else if (c.pace.bytes > 0) server.answerSlowly(path, answer, c.pace);
    else server.answer(path, answer);
    ui->answerBox(kMessageAnswerOkYes);
    ui->answerBox(kMessageAnswerOkYes);

    EXPECT_FALSE(runUpdateCheck(true, true));

    const auto boxes = ui->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, "Unable to download patch.");
    EXPECT_EQ(boxes[1].details,
              "To resolve this issue, please try again in a few minutes. If the problem persists, please make sure "
              "that you are connected to the Internet and that Talvexa 1099 is allowed through your firewall.");
    expectGivenUp();
    EXPECT_TRUE(filesIn(desktop()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PatchDownload,
    ::testing::Values(DownloadFailure{"CutShort", {200, "archive", {}, {}, true}},
                      DownloadFailure{"NotFound", {404, "<html>no such patch</html>", {}, {}, false}},
                      DownloadFailure{"ServerError", {500, "<html>oops</html>", {}, {}, false}},
                      DownloadFailure{"Stalled", {200, "archive", {}, TestHttpServer::kUntilStopped, false}},
                      DownloadFailure{"NeverAnswered", {}, {0, std::chrono::milliseconds(0)}, true},
                      // 1,000 bytes a second where the limit asks for 2,000.
                      DownloadFailure{"TooSlow", {200, "archive", {}, {}, false}, {100, std::chrono::milliseconds(100)}}),
    [](const ::testing::TestParamInfo<DownloadFailure>& test) { return std::string(test.param.name); });

// What arrived is not an archive that unzips: the user is told where it lies.
TEST_F(PatchTest, AnArchiveThatDoesNotUnzipStaysOnTheDesktop) {
    const struct {
        const char* name;
        std::string body;
    } cases[] = {
        {"not an archive", "<html>a page, not an archive</html>"},
        {"an empty body", ""},
        {"an archive without entries", patchArchive({}, home.path())},
        {"a damaged installer", [&] {
             std::string bytes = patchArchive({{"Talvexa1099Patch.pkg", std::string(3000, 'p')}}, home.path());
             bytes[30 + 20 + 5] ^= 0x40;
             return bytes;
         }()},
    };
    serveVersions(patchLevel2());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(company()->Init(companyPath, true, true, true, "Acme"));
        ui = std::make_unique<ScriptedUserInterface>();
        server.answer("/patches/Talvexa1099Patch.zip", 200, c.body);
        ui->answerBox(kMessageAnswerOkYes);
        ui->answerBox(kMessageAnswerOkYes);

        EXPECT_FALSE(runUpdateCheck(true, true));

        const auto boxes = ui->boxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1].caption, kInstallFailed);
        EXPECT_EQ(boxes[1].details, unzipFailure(archive()));
        expectGivenUp();
        EXPECT_EQ(filesIn(desktop()), std::vector<std::string>{"Talvexa1099Patch.zip"});
    }
}

TEST_F(PatchTest, AnInstallerThatDoesNotStartIsReported) {
    launcherStarts = false;
    serveVersions(patchLevel2());
    servePatch({{"Talvexa1099Patch.pkg", "the installer"}});
    ui->answerBox(kMessageAnswerOkYes);
    ui->answerBox(kMessageAnswerOkYes);
    ui->answerBox(kMessageAnswerOkYes);

    EXPECT_FALSE(runUpdateCheck(true, true));

    const auto boxes = ui->boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].caption, kNeedsToClose.caption);
    EXPECT_EQ(boxes[2].caption, kInstallFailed);
    EXPECT_EQ(boxes[2].details, kInstallerUnreachable);
    EXPECT_EQ(launched, std::vector<std::string>{installer()});
    EXPECT_EQ(ui->count("openRecentDatabase"), 1);
    EXPECT_TRUE(company()->IsReady());
}

// A main window that keeps its database open (a window the user kept) stops the patch
// before anything is downloaded; the purchase offer that follows still comes.
TEST_F(PatchTest, ARefusedCloseStopsThePatch) {
    Versions v = patchLevel2();
    v.recent->major = 26;
    serveVersions(v);
    servePatch({{"Talvexa1099Patch.pkg", "the installer"}});
    ui->refuseCloseDatabase();
    ui->answerBox(kMessageAnswerOkYes);
    ui->answerBox(kMessageAnswerNo);

    EXPECT_FALSE(runUpdateCheck(true, true));

    std::vector<std::string> captions;
    for (const auto& box : ui->boxes()) captions.push_back(box.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{kOfferCaption, "A new version of 1099 is available for purchase."}));
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(launched.empty());
    EXPECT_EQ(ui->count("openRecentDatabase"), 0);
    EXPECT_TRUE(company()->IsReady());
    EXPECT_TRUE(filesIn(desktop()).empty());
}

// The installer's name with ".pkg" gives the archive's name; one without it is used as
// it is.
TEST_F(PatchTest, TheArchiveIsNamedAfterTheInstaller) {
    serveVersions(patchLevel2("Setup.pkg.pkg"));
    server.answer("/patches/Talvexa1099Patch.zip", 200, patchArchive({{"Setup.pkg.pkg", "x"}}, home.path()));
    ui->answerBox(kMessageAnswerOkYes);
    ui->answerBox(kMessageAnswerOkYes);
    EXPECT_TRUE(runUpdateCheck(true, true));
    EXPECT_EQ(filesIn(desktop()), (std::vector<std::string>{"Setup.pkg.pkg", "Setup.zip.zip"}));
    EXPECT_EQ(launched, std::vector<std::string>{desktop() + "/Setup.pkg.pkg"});
}
