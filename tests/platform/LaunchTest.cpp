#include <chrono>
#include <future>
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

// The exit status reaches the caller once the program has ended, from the waiting thread.
TEST(Launch, TheExitStatusIsHandedOnWhenTheProgramEnds) {
    for (const auto& [program, succeeds] : {std::pair{"true", true}, std::pair{"false", false}}) {
        std::promise<bool> status;
        ASSERT_TRUE(platform::startProgram({program}, [&](bool succeeded) { status.set_value(succeeded); }));
        std::future<bool> ended = status.get_future();
        ASSERT_EQ(ended.wait_for(std::chrono::seconds(5)), std::future_status::ready) << program;
        EXPECT_EQ(ended.get(), succeeds) << program;
    }
}

// An opener that ends with a failure is reported; one that succeeds is not.
TEST(Launch, AnOpenerThatFailsIsReported) {
    for (const auto& [program, fails] : {std::pair{"false", true}, std::pair{"true", false}}) {
        platform::setOpenerProgram(program);
        std::promise<void> reported;
        std::future<void> failure = reported.get_future();
        ASSERT_TRUE(platform::openUrl("https://www.talvexa.com/buy", [&] { reported.set_value(); })) << program;
        EXPECT_EQ(failure.wait_for(std::chrono::seconds(fails ? 5 : 1)) == std::future_status::ready, fails)
            << program;
    }
    platform::setOpenerProgram("");
}

// A launcher that replaced itself with another program (a browser) has handed the
// address over: how that program ends is not the launcher's answer.
TEST(Launch, ALauncherThatBecameAnotherProgramHasSucceeded) {
    std::promise<bool> status;
    // The shell waits before it replaces itself, so that the launcher is seen as the shell
    // first even on a busy machine.
    ASSERT_TRUE(platform::startProgram({"sh", "-c", "sleep 1; exec timeout 1 sleep 5"},
                                       [&](bool succeeded) { status.set_value(succeeded); }));
    std::future<bool> ended = status.get_future();
    ASSERT_EQ(ended.wait_for(std::chrono::seconds(8)), std::future_status::ready);
    EXPECT_TRUE(ended.get());
}
