// The test programs' own guard: the print service out of reach, and a program that finds
// it answering fails.

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include <cups/cups.h>

#include "PrintServiceIsolation.h"
#include "TempHome.h"

namespace {

TEST(PrintServiceIsolation, NoPrintServiceAnswersAndOneThatDoesFailsTheProgram) {
    // The program started with the print service at its own socket, where nothing listens.
    std::string where;
    EXPECT_FALSE(printisolation::reachable(where));
    ASSERT_NE(std::getenv("CUPS_SERVER"), nullptr);
    EXPECT_EQ(where, std::getenv("CUPS_SERVER"));
    EXPECT_EQ(where, printisolation::isolate());

    // A print service that listens, as the machine's would.
    TempHome home;
    const std::string path = home.file("cups.sock");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << std::strerror(errno);
    ASSERT_EQ(::listen(listener, 4), 0);
    setenv("CUPS_SERVER", path.c_str(), 1);
    cupsSetServer(nullptr);

    EXPECT_TRUE(printisolation::reachable(where));
    EXPECT_EQ(where, path);
    EXPECT_NONFATAL_FAILURE(printisolation::Check().SetUp(), "a test could print on the machine's printer");

    ::close(listener);
    printisolation::isolate();
    EXPECT_FALSE(printisolation::reachable(where));
}

}  // namespace
