#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>

#include <functional>
#include <thread>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TempHome.h"
#include "TestHttpServer.h"
#include "platform/FileSystem.h"
#include "platform/WebRequests.h"

namespace {

std::string contents(const std::string& path) {
    std::string text;
    platform::readFile(path, text);
    return text;
}

// Nothing but the destination itself (or nothing at all) in the folder: no temporary
// file is left behind.
int filesIn(const std::string& folder) {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        (void)entry;
        ++n;
    }
    return n;
}

struct DownloadCase {
    const char* name;
    TestHttpServer::Answer answer;
    bool downloaded;
};
void PrintTo(const DownloadCase& c, std::ostream* os) { *os << c.name; }

class Download : public ::testing::TestWithParam<DownloadCase> {};

}  // namespace

// A download replaces the destination only with the whole body of a 2xx answer; every
// other outcome leaves the old file exactly as it was and no temporary file.
TEST_P(Download, ReplacesTheFileOnlyWithACompleteSuccessfulBody) {
    const DownloadCase& c = GetParam();
    TempHome home;
    TestHttpServer server;
    server.answer("/file", c.answer);
    const std::string folder = home.file("Downloads");
    ASSERT_TRUE(platform::createDirectories(folder));
    const std::string target = folder + "/versions.db";
    ASSERT_TRUE(platform::writeFileAtomically(target, "old contents"));

    platform::DownloadLimits limits;
    limits.total = std::chrono::seconds(2);
    const platform::WebResult r = platform::downloadToFile(server.address() + "/file", target, limits);

    EXPECT_EQ(r.ok, c.downloaded) << r.error;
    EXPECT_EQ(contents(target), c.downloaded ? c.answer.body : "old contents");
    EXPECT_EQ(filesIn(folder), 1);
    if (!c.downloaded) {
        EXPECT_FALSE(r.error.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Download,
    ::testing::Values(
        DownloadCase{"Ok", {200, "the body", {}, {}, false}, true},
        DownloadCase{"EmptyOk", {200, "", {}, {}, false}, true},
        DownloadCase{"NoContent", {204, "", {}, {}, false}, true},
        DownloadCase{"NotFound", {404, "<html>not found</html>", {}, {}, false}, false},
        DownloadCase{"ServerError", {500, "<html>oops</html>", {}, {}, false}, false},
        DownloadCase{"CutShort", {200, std::string(100000, 'x'), {}, {}, true}, false},
        DownloadCase{"Stalled", {200, "late", {}, std::chrono::milliseconds(4000), false}, false}),
    [](const ::testing::TestParamInfo<DownloadCase>& test) { return std::string(test.param.name); });

TEST(Download, FollowsARedirect) {
    TempHome home;
    TestHttpServer server;
    server.answer("/moved", {302, "", {{"Location", server.address() + "/here"}}, {}, false});
    server.answer("/here", 200, "arrived");
    const std::string target = home.file("file");
    EXPECT_TRUE(platform::downloadToFile(server.address() + "/moved", target).ok);
    EXPECT_EQ(contents(target), "arrived");
    EXPECT_EQ(server.requests(), (std::vector<std::string>{"GET /moved", "GET /here"}));
}

TEST(Download, NothingToReachLeavesNoFile) {
    TempHome home;
    const std::string target = home.file("file");
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(platform::downloadToFile("http://127.0.0.1:" + std::to_string(TestHttpServer::closedPort()) + "/x",
                                          target)
                     .ok);
    // A refused connection ends at once, not after a time-out.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    // Only web addresses are fetched; a destination in a missing folder cannot be made.
    EXPECT_FALSE(platform::downloadToFile("file:///etc/hostname", target).ok);
    EXPECT_FALSE(platform::downloadToFile("", target).ok);
    EXPECT_FALSE(platform::fileExists(target));
    TestHttpServer server;
    server.answer("/x", 200, "x");
    EXPECT_FALSE(platform::downloadToFile(server.address() + "/x", home.file("missing/file")).ok);
    EXPECT_EQ(filesIn(home.path()), 4);   // the four folders of the temporary home
}

TEST(Head, ReportsTheStatusOfTheAnswer) {
    TestHttpServer server;
    server.answer("/", 200, "home page");
    EXPECT_EQ(platform::headStatus(server.address() + "/", 5), 200);
    EXPECT_EQ(platform::headStatus(server.address() + "/elsewhere", 5), 404);
    EXPECT_EQ(server.requests(), (std::vector<std::string>{"HEAD /", "HEAD /elsewhere"}));
    EXPECT_EQ(platform::headStatus("http://127.0.0.1:" + std::to_string(TestHttpServer::closedPort()) + "/", 5), 0);
}

namespace {

// A server that hangs in one of the ways servers do, and the reason the download gives.
struct HangCase {
    const char* name;
    std::function<void(TestHttpServer&)> hang;
    std::int64_t slowBytes;
    const char* reason;
};
void PrintTo(const HangCase& c, std::ostream* os) { *os << c.name; }

class Hang : public ::testing::TestWithParam<HangCase> {};

// The limits these tests use: nothing for half a second ends a download, and so does
// less than 1,000 bytes in half a second where that is asked; the total limit is far
// away, so a download that ends has ended by the slow limit.
platform::DownloadLimits slowLimits(std::int64_t bytes) {
    platform::DownloadLimits limits;
    limits.total = std::chrono::seconds(60);
    limits.slowPeriod = std::chrono::milliseconds(500);
    limits.slowBytes = bytes;
    return limits;
}

}  // namespace

// However the server hangs, the download ends by the slow limit and leaves nothing.
TEST_P(Hang, EndsByTheSlowLimitAndLeavesNoFile) {
    const HangCase& c = GetParam();
    TempHome home;
    TestHttpServer server;
    c.hang(server);
    const std::string target = home.file("versions.db");

    const platform::WebResult r = platform::downloadToFile(server.address() + "/file", target,
                                                           slowLimits(c.slowBytes));

    EXPECT_FALSE(r.ok);
    EXPECT_THAT(r.error, ::testing::HasSubstr(c.reason));
    EXPECT_FALSE(platform::fileExists(target));
    EXPECT_EQ(filesIn(home.path()), 4);   // the four folders of the temporary home
    EXPECT_EQ(server.connections(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, Hang,
    ::testing::Values(
        HangCase{"TakesTheConnectionAndNeverReads", [](TestHttpServer& s) { s.setSilent(true); }, 1,
                 "nothing arrived for 500 ms"},
        HangCase{"ReadsTheRequestAndNeverAnswers", [](TestHttpServer& s) { s.neverAnswer("/file"); }, 1,
                 "nothing arrived for 500 ms"},
        HangCase{"SendsTheHeadersThenStalls",
                 [](TestHttpServer& s) {
                     s.answer("/file", {200, std::string(20000, 'v'), {}, TestHttpServer::kUntilStopped, false});
                 },
                 1, "nothing arrived for 500 ms"},
        HangCase{"TooSlow",
                 [](TestHttpServer& s) {
                     s.answerSlowly("/file", {200, std::string(20000, 'v'), {}, {}, false},
                                    {10, std::chrono::milliseconds(100)});
                 },
                 1000, "fewer than 1000 bytes arrived in 500 ms"}),
    [](const ::testing::TestParamInfo<HangCase>& test) { return std::string(test.param.name); });

// A body that keeps coming is not a hang, however long it takes in all.
TEST(Download, ABodyThatKeepsComingIsNotCutOff) {
    TempHome home;
    TestHttpServer server;
    const std::string body(3000, 'b');
    server.answerSlowly("/file", {200, body, {}, {}, false}, {300, std::chrono::milliseconds(100)});
    const std::string target = home.file("file");
    const platform::WebResult r = platform::downloadToFile(server.address() + "/file", target, slowLimits(1));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(contents(target), body);
}

// The total limit ends a body that keeps coming but takes too long.
TEST(Download, TheTotalLimitEndsALongDownload) {
    TempHome home;
    TestHttpServer server;
    server.answerSlowly("/file", {200, std::string(100000, 'b'), {}, {}, false}, {100, std::chrono::milliseconds(50)});
    platform::DownloadLimits limits = slowLimits(1);
    limits.total = std::chrono::seconds(1);
    const std::string target = home.file("file");
    const platform::WebResult r = platform::downloadToFile(server.address() + "/file", target, limits);
    EXPECT_FALSE(r.ok);
    EXPECT_THAT(r.error, ::testing::HasSubstr("no complete answer within 1 s"));
    EXPECT_FALSE(platform::fileExists(target));
}

// A stop ends the web requests of the thread that watches it, and every later one: the
// download and the HEAD request on a silent server give up without waiting for their
// limits (a minute here).
TEST(Download, AStopEndsTheRequestsOfItsThread) {
    TempHome home;
    TestHttpServer server;
    server.setSilent(true);
    platform::WebRequestStop stop;
    platform::WebResult result;
    long status = -1;
    std::thread requests([&] {
        const platform::WebRequestStopScope scope(stop);
        platform::DownloadLimits limits;
        limits.total = std::chrono::seconds(60);
        limits.connect = std::chrono::seconds(60);
        result = platform::downloadToFile(server.address() + "/file", home.file("file"), limits);
        status = platform::headStatus(server.address() + "/", 60);
    });
    while (server.connections() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    stop.stop();
    requests.join();

    EXPECT_FALSE(result.ok);
    EXPECT_THAT(result.error, ::testing::HasSubstr("stopped before it ended"));
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(platform::fileExists(home.file("file")));
    // Another thread's requests do not watch that stop.
    server.setSilent(false);
    server.answer("/", 200, "home page");
    EXPECT_EQ(platform::headStatus(server.address() + "/", 5), 200);
}
