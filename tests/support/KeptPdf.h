#pragma once

// Keeps every PDF a test makes under test-output/pdf/<Suite.Test>.pdf (the test's
// further ones as <Suite.Test>-2.pdf, -3 and so on), so they can be opened and checked
// with other tools after a run.

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include <gtest/gtest.h>

namespace testoutput {

// The path the bytes were kept at.
inline std::string keepPdf(const std::string& bytes) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string test = info ? std::string(info->test_suite_name()) + "." + info->name() : "outside-a-test";
    for (char& c : test)
        if (c == '/') c = '_';
    static std::map<std::string, int> counts;
    const int n = ++counts[test];
    const std::filesystem::path folder = std::filesystem::path(TALVEXA_TEST_OUTPUT_DIR) / "pdf";
    std::filesystem::create_directories(folder);
    const auto path = folder / (test + (n == 1 ? "" : "-" + std::to_string(n)) + ".pdf");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path.string();
}

}  // namespace testoutput
