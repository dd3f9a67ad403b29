#include <chrono>
#include <filesystem>
#include <ostream>
#include <string>

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
    limits.totalSeconds = 2;
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
