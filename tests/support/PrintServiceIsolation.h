#pragma once

#include <string>

#include <gtest/gtest.h>

// No test reaches the machine's print service (CUPS): every test program points it at a
// socket in a private folder of its own, where nothing listens, before any test runs,
// whatever its environment says (CTest sets the same for each test). A program that
// finds the print service answering all the same fails.
namespace printisolation {

// Points the print service of this process at the private socket; returns its path.
std::string isolate();

// True when the print service the process would use answers; where names it.
bool reachable(std::string& where);

// Fails the program (every test of it) when the print service answers.
class Check : public ::testing::Environment {
public:
    void SetUp() override;
};

// For the start of a test program: isolate() and the check installed.
void install();

}  // namespace printisolation
