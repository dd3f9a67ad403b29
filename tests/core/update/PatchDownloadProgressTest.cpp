#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "ScriptedJobs.h"
#include "TempHome.h"
#include "TestHttpServer.h"
#include "core/foundation/Session.h"
#include "core/update/data.h"
#include "platform/FileSystem.h"

namespace {

std::string contents(const std::string& path) {
    std::string bytes;
    platform::readFile(path, bytes);
    return bytes;
}

// The patch comes in under a progress window; Cancel stops it and leaves the folder as
// it was (an older archive of the same name included).
TEST(PatchDownload, ShowsItsProgressAndCancelLeavesTheFolderAsItWas) {
    resetSession();
    TempHome home;
    TestHttpServer server;
    const std::string body(4000, 'p');
    server.answerSlowly("/patch.zip", {200, body, {}, {}, false}, {200, std::chrono::milliseconds(20)});
    const std::string folder = home.file("Desktop");
    ASSERT_TRUE(platform::createDirectories(folder));
    const std::string archive = folder + "/patch.zip";
    {
        std::ofstream(archive, std::ios::binary) << "older";
    }

    {
        ScriptedJobsUserInterface ui;
        ui.cancelDuring("Downloading");
        data download(data::Download::PatchArchive);
        EXPECT_FALSE(download.DownloadFile(server.address() + "/patch.zip", archive, 1, 1, 1));
        EXPECT_TRUE(download.cancelled());
        ASSERT_EQ(ui.jobs().size(), 1u);
        EXPECT_EQ(ui.jobs()[0]->request.title, "Download Patch");
        EXPECT_TRUE(ui.jobs()[0]->closed);
    }
    EXPECT_EQ(contents(archive), "older");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);

    ScriptedJobsUserInterface ui;
    data download(data::Download::PatchArchive);
    EXPECT_TRUE(download.DownloadFile(server.address() + "/patch.zip", archive, 1, 1, 1));
    EXPECT_FALSE(download.cancelled());
    EXPECT_EQ(contents(archive), body);
    ASSERT_EQ(ui.jobs().size(), 1u);
    const auto& job = *ui.jobs()[0];
    ASSERT_FALSE(job.steps.empty());
    EXPECT_EQ(job.steps.back(), "Downloading the patch");
    EXPECT_EQ(job.lastCounts.back().second, 4000);   // the announced size
    EXPECT_GT(job.lastCounts.back().first, 0);

    // The versions file is fetched without a window (it may be off the window's thread).
    data versions(data::Download::VersionsFile);
    EXPECT_TRUE(versions.DownloadFile(server.address() + "/patch.zip", home.file("versions"), 0, 1, 0));
    EXPECT_EQ(ui.jobs().size(), 1u);
}

}  // namespace
