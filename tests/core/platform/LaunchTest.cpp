#include <chrono>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "TempHome.h"
#include "platform/FileSystem.h"
#include "platform/Launch.h"

namespace {

// Waits a little for a started program to leave its mark.
bool appears(const std::string& path) {
    for (int i = 0; i < 200 && !platform::fileExists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return platform::fileExists(path);
}

}  // namespace

// The arguments reach the program as they are: no shell reads them.
TEST(Launch, ArgumentsAreNeverReadByAShell) {
    TempHome home;
    const std::string odd = home.file("a b; touch injected $(touch injected2) 'q'");
    ASSERT_TRUE(platform::startProgram({"touch", odd}));
    EXPECT_TRUE(appears(odd));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(platform::fileExists(home.file("injected")));
    EXPECT_FALSE(platform::fileExists(home.file("injected2")));
}

TEST(Launch, AProgramThatIsNotThereDoesNotStart) {
    EXPECT_FALSE(platform::startProgram({"talvexa-no-such-program-here"}));
    EXPECT_FALSE(platform::startProgram({}));
    EXPECT_FALSE(platform::startProgram({""}));
}

// Only web pages go to the browser; the recorder stands in for xdg-open.
TEST(Launch, OnlyWebAddressesAreOpened) {
    for (const char* refused : {"file:///etc/passwd", "/usr/bin/xterm", "--help", "", "javascript:alert(1)"})
        EXPECT_FALSE(platform::openUrl(refused)) << refused;

    std::string opened;
    platform::setUrlOpener([&](const std::string& address) {
        opened = address;
        return true;
    });
    EXPECT_TRUE(platform::openUrl("https://www.talvexa.com/buy"));
    EXPECT_EQ(opened, "https://www.talvexa.com/buy");
    platform::setUrlOpener({});
}
