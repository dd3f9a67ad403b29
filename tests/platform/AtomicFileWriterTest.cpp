// The streamed file writer: nothing under the real name until commit, no temporary
// file left behind, the system's reason on failure.

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <string>
#include <vector>

#include "FileSizeLimit.h"
#include "TempHome.h"
#include "platform/AtomicFileWriter.h"
#include "platform/FileSystem.h"
#include "WithoutFileOverride.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    return names;
}

std::string contents(const std::string& path) {
    std::string text;
    EXPECT_TRUE(platform::readFile(path, text));
    return text;
}

TEST(AtomicFileWriter, TheFileAppearsWholeOnCommitOnly) {
    TempHome home;
    const std::string path = home.file("Documents/e-file.txt");
    platform::AtomicFileWriter out(path);
    ASSERT_TRUE(out.ok()) << out.error();
    const std::string record(750, 'x');
    for (int i = 0; i < 200; ++i) ASSERT_TRUE(out.write(record));  // past the buffer several times
    EXPECT_FALSE(platform::fileExists(path));
    ASSERT_TRUE(out.commit()) << out.error();
    EXPECT_EQ(contents(path), std::string(200 * 750, 'x'));
    EXPECT_EQ(filesIn(home.file("Documents")), std::vector<std::string>{"e-file.txt"});
    // The user's usual permissions, not those of a private temporary file.
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IRGRP, 0u);
}

TEST(AtomicFileWriter, ReplacesAnExistingFileAndKeepsItsPermissions) {
    TempHome home;
    const std::string path = home.file("Documents/e-file.txt");
    ASSERT_TRUE(platform::writeFileAtomically(path, "old"));
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    platform::AtomicFileWriter out(path);
    ASSERT_TRUE(out.write("new"));
    ASSERT_TRUE(out.commit());
    EXPECT_EQ(contents(path), "new");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(AtomicFileWriter, AbandonedOrDroppedLeavesTheRealNameAsItWas) {
    TempHome home;
    const std::string path = home.file("Documents/e-file.txt");
    ASSERT_TRUE(platform::writeFileAtomically(path, "old"));
    {
        platform::AtomicFileWriter out(path);
        ASSERT_TRUE(out.write("half a fi"));
        ASSERT_TRUE(out.finish());
    }  // dropped without commit
    {
        platform::AtomicFileWriter out(path);
        ASSERT_TRUE(out.write("half a fi"));
        out.abandon();
        EXPECT_FALSE(out.ok());
        EXPECT_FALSE(out.write("le"));
        EXPECT_FALSE(out.commit());
    }
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(filesIn(home.file("Documents")), std::vector<std::string>{"e-file.txt"});
}

TEST(AtomicFileWriter, FailuresGiveTheSystemsReasonAndTheFilesName) {
    TempHome home;
    struct Case {
        std::string path;
        const char* reason;
    };
    fs::create_directories(home.file("locked"));
    ASSERT_EQ(::chmod(home.file("locked").c_str(), 0500), 0);
    WithoutFileOverride plainUser;
    const std::vector<Case> cases = {{home.file("missing/e-file.txt"), "No such file or directory"},
                                     {home.file("Documents/"), "Is a directory"},
                                     {home.file("locked/e-file.txt"), "Permission denied"}};
    for (const auto& c : cases) {
        platform::AtomicFileWriter out(c.path);
        EXPECT_FALSE(out.ok()) << c.path;
        EXPECT_NE(out.error().find(c.reason), std::string::npos) << out.error();
        EXPECT_NE(out.error().find(c.path), std::string::npos) << out.error();
        EXPECT_FALSE(out.write("x"));
        EXPECT_FALSE(out.commit());
    }
    ::chmod(home.file("locked").c_str(), 0700);

}

// A write the system refuses part-way (here: over the file size limit, as a full disk
// would) ends the writer with the reason and leaves nothing behind.
TEST(AtomicFileWriter, AWriteRefusedPartWayLeavesNothing) {
    TempHome home;
    const std::string path = home.file("Documents/e-file.txt");
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bool written = true;
    std::string error;
    {
        platform::AtomicFileWriter out(path);
        for (int i = 0; i < 400 && written; ++i) written = out.write(std::string(750, 'x'));
        written = written && out.commit();
        error = out.error();
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(written);
    EXPECT_NE(error.find("File too large"), std::string::npos) << error;
    EXPECT_FALSE(platform::fileExists(path));
    EXPECT_TRUE(filesIn(home.file("Documents")).empty());
}

// A flush hands what is buffered to the file at once, so a disk without room for it is
// known then, not at a later write or at commit().
TEST(AtomicFileWriter, AFlushTellsAtOnceWhetherTheFileTookTheBytes) {
    TempHome home;
    const std::string path = home.file("Documents/e-file.txt");
    ASSERT_TRUE(platform::writeFileAtomically(path, "old"));
    std::vector<bool> flushed;
    bool buffered = false;
    std::string error;
    {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.set());
        platform::AtomicFileWriter out(path);
        ASSERT_TRUE(out.write(std::string(600, 'x')));
        flushed.push_back(out.flush());
        buffered = out.write(std::string(600, 'y'));   // within the buffer: the file is not asked yet
        flushed.push_back(out.flush());
        flushed.push_back(out.write("z") || out.flush());
        error = out.error();
    }
    EXPECT_TRUE(buffered);
    EXPECT_EQ(flushed, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(error, "Could not write \"" + path + "\": File too large");
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(filesIn(home.file("Documents")), std::vector<std::string>{"e-file.txt"});
}

TEST(AtomicFileWriter, ReplacingAFolderFailsAndLeavesNoTemporaryFile) {
    TempHome home;
    fs::create_directories(home.file("Documents/e-file.txt/inside"));
    platform::AtomicFileWriter out(home.file("Documents/e-file.txt"));
    ASSERT_TRUE(out.write("text"));
    EXPECT_FALSE(out.commit());
    EXPECT_NE(out.error().find("Could not replace"), std::string::npos) << out.error();
    EXPECT_EQ(filesIn(home.file("Documents")), std::vector<std::string>{"e-file.txt"});
}

}  // namespace
