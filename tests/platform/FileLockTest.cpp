// Locks that another holder (another open of the same path, as another process would
// make) sees, folders kept for the user alone, and clearing what no holder keeps.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "TempHome.h"
#include "platform/FileLock.h"
#include "platform/FileSystem.h"

namespace {

namespace fs = std::filesystem;

TEST(FileLock, ASecondHolderFindsItBusyUntilTheFirstLetsGo) {
    TempHome home;
    const std::string path = home.file("run.lock");
    {
        const platform::FileLock first(path);
        ASSERT_TRUE(first.held()) << first.error();
        const platform::FileLock second(path);
        EXPECT_TRUE(second.busy());
        EXPECT_TRUE(first.lockedAt(path));
    }
    EXPECT_TRUE(platform::FileLock(path).held());
    EXPECT_EQ(platform::FileLock(home.file("no folder/run.lock")).state(), platform::FileLock::State::failed);
}

// A lock on a folder takes only the folder that is there: where it was removed, or where
// something else stands, nothing is made and nothing is locked.
TEST(FileLock, AFolderLockTakesOnlyAFolderThatIsThere) {
    struct Case {
        const char* what;
        std::function<void(const std::string& path)> make;   // nothing made: missing
        platform::FileLock::State state;
    };
    const Case cases[] = {
        {"a folder", [](const std::string& p) { fs::create_directory(p); }, platform::FileLock::State::held},
        {"missing", nullptr, platform::FileLock::State::failed},
        {"a file", [](const std::string& p) { std::ofstream(p) << "x"; }, platform::FileLock::State::failed},
        {"a link to a folder",
         [](const std::string& p) {
             fs::create_directory(p + "-target");
             fs::create_directory_symlink(p + "-target", p);
         },
         platform::FileLock::State::failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempHome home;
        const std::string path = home.file("run-folder");
        if (c.make) c.make(path);
        const fs::file_status before = fs::symlink_status(path);
        const platform::FileLock lock(path, platform::FileLock::On::folder);
        EXPECT_EQ(lock.state(), c.state) << lock.error();
        EXPECT_EQ(fs::symlink_status(path).type(), before.type());
    }
}

TEST(FileLock, ClearingLeavesLockedFoldersAndRemovesEverythingElse) {
    TempHome home;
    const std::string parent = home.file("scratch");
    std::string reason;
    ASSERT_TRUE(platform::makeOwnerOnlyFolder(parent, reason)) << reason;
    const platform::LockedFolder running(parent, "run-");
    ASSERT_TRUE(running.ok()) << running.error();
    std::ofstream(running.path() + "/kept.txt") << "in use";
    fs::create_directories(parent + "/run-ended/inner");
    std::ofstream(parent + "/run-ended/inner/left.txt") << "left by a killed run";
    std::ofstream(parent + "/stray.txt") << "stray";

    std::string cleared;
    ASSERT_TRUE(platform::clearUnlockedFolders(parent, cleared)) << cleared;
    EXPECT_TRUE(platform::fileExists(running.path() + "/kept.txt"));
    EXPECT_FALSE(platform::fileExists(parent + "/run-ended"));
    EXPECT_FALSE(platform::fileExists(parent + "/stray.txt"));
    struct stat st {};
    ASSERT_EQ(::stat(running.path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(FileLock, AFolderForTheUserAloneIsMadeTightenedOrRefused) {
    struct Case {
        const char* what;
        std::function<void(const std::string& path)> make;   // nothing made: no folder
        bool ok;
    };
    const Case cases[] = {
        {"missing, with its parent", nullptr, true},
        {"open to everyone",
         [](const std::string& p) {
             fs::create_directories(p);
             fs::permissions(p, fs::perms::all);
         },
         true},
        {"a link to a folder",
         [](const std::string& p) {
             fs::create_directories(p + "-target");
             fs::create_directory_symlink(p + "-target", p);
         },
         false},
        {"a file", [](const std::string& p) { std::ofstream(p) << "x"; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempHome home;
        const std::string path = home.file("parent/scratch");
        if (c.make) {
            fs::create_directories(home.file("parent"));
            c.make(path);
        }
        std::string reason;
        EXPECT_EQ(platform::makeOwnerOnlyFolder(path, reason), c.ok) << reason;
        if (!c.ok) {
            EXPECT_NE(reason.find(path), std::string::npos) << reason;
            continue;
        }
        struct stat st {};
        ASSERT_EQ(::lstat(path.c_str(), &st), 0);
        EXPECT_TRUE(S_ISDIR(st.st_mode));
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }
}

}  // namespace
