#include <gtest/gtest.h>

#include "TempHome.h"
#include "platform/FileSystem.h"
#include "platform/StandardPaths.h"
#include "platform/SystemLog.h"

TEST(StandardPaths, FollowTheTemporaryHome) {
    TempHome home;
    EXPECT_EQ(platform::homeDir(), home.path());
    EXPECT_EQ(platform::preferencesDir(), home.path() + "/.config");
    EXPECT_EQ(platform::documentsDir(), home.path() + "/Documents");
    EXPECT_EQ(platform::desktopDir(), home.path() + "/Desktop");
}

TEST(StandardPaths, DefaultsWhenXdgIsUnset) {
    TempHome home;
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DOCUMENTS_DIR");
    EXPECT_EQ(platform::preferencesDir(), home.path() + "/.config");
    EXPECT_EQ(platform::documentsDir(), home.path() + "/Documents");
}

TEST(FileSystem, AtomicWriteReplacesWholeFile) {
    TempHome home;
    const std::string f = home.file("a.txt");
    ASSERT_TRUE(platform::writeFileAtomically(f, "first"));
    ASSERT_TRUE(platform::writeFileAtomically(f, "second"));
    std::string got;
    ASSERT_TRUE(platform::readFile(f, got));
    EXPECT_EQ(got, "second");
    EXPECT_FALSE(platform::writeFileAtomically(home.file("missing/folder/a.txt"), "x"));
}

TEST(SystemLog, SinkReceivesLines) {
    std::string got;
    platform::setLogSink([&](const std::string& l) { got = l; });
    platform::systemLog("hello");
    platform::setLogSink({});
    EXPECT_EQ(got, "hello");
}
