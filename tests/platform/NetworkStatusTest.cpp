#include <cstdlib>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/NetworkStatus.h"
#include "platform/SystemLog.h"

// The variable forces the answer either way, and each answer is logged as such.
TEST(NetworkStatus, TheEnvironmentForcesTheAnswer) {
    std::optional<std::string> previous;
    if (const char* v = std::getenv(platform::kNetworkStatusVariable)) previous = v;
    std::vector<std::string> logged;
    platform::setLogSink([&](const std::string& line) { logged.push_back(line); });

    setenv(platform::kNetworkStatusVariable, "up", 1);
    EXPECT_TRUE(platform::isNetworkAvailable());
    setenv(platform::kNetworkStatusVariable, "down", 1);
    EXPECT_FALSE(platform::isNetworkAvailable());
    EXPECT_EQ(logged, (std::vector<std::string>{"Connection is Available", "Connection is down"}));

    // Anything else reads the interfaces; the answer is the machine's, and is given.
    setenv(platform::kNetworkStatusVariable, "maybe", 1);
    (void)platform::isNetworkAvailable();
    EXPECT_EQ(logged.size(), 3u);

    platform::setLogSink({});
    if (previous) setenv(platform::kNetworkStatusVariable, previous->c_str(), 1);
    else unsetenv(platform::kNetworkStatusVariable);
}
