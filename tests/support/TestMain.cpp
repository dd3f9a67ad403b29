// The main of every test program without windows: the print service out of reach, then
// every test.

#include <gtest/gtest.h>

#include "PrintServiceIsolation.h"

int main(int argc, char** argv) {
    printisolation::install();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
