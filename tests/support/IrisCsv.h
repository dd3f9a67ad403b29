#pragma once

// Reading IRIS bulk-upload files back in the tests, and keeping every file a test
// writes under test-output/iris/<Suite.Test>/ so it can be opened with other tools.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace iristest {

using Row = std::vector<std::string>;

// An RFC 4180 reader: records end at LF (or CRLF) outside quotes; a field that starts
// with a double quote runs to the matching quote, "" inside standing for one quote and
// line breaks kept; any other field is taken as it stands up to the next comma, quotes
// included (the ="..." formula fields). A malformed quoted field fails the test.
inline std::vector<Row> readCsv(const std::string& text) {
    std::vector<Row> rows;
    if (text.empty()) return rows;
    Row row;
    std::string field;
    std::size_t i = 0;
    const std::size_t n = text.size();
    for (;;) {
        field.clear();
        if (i < n && text[i] == '"') {
            ++i;
            for (;;) {
                if (i >= n) {
                    ADD_FAILURE() << "unterminated quoted field in row " << rows.size() + 1;
                    return rows;
                }
                if (text[i] == '"') {
                    if (i + 1 < n && text[i + 1] == '"') {
                        field.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.push_back(text[i++]);
            }
            if (i < n && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
                ADD_FAILURE() << "text after a closing quote in row " << rows.size() + 1;
                return rows;
            }
        } else {
            while (i < n && text[i] != ',' && text[i] != '\n' && text[i] != '\r') field.push_back(text[i++]);
        }
        row.push_back(field);
        if (i >= n) {
            rows.push_back(row);
            return rows;
        }
        if (text[i] == ',') {
            ++i;
            continue;
        }
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        ++i;
        rows.push_back(row);
        row.clear();
        if (i >= n) return rows;   // a final line break ends the last record
    }
}

// The folder test-output/iris/<Suite.Test>/ of the running test.
inline std::filesystem::path outputFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string test = info ? std::string(info->test_suite_name()) + "." + info->name() : "unknown";
    for (char& c : test)
        if (c == '/') c = '_';
    return std::filesystem::path(TALVEXA_TEST_OUTPUT_DIR) / "iris" / test;
}

// Keeps bytes as test-output/iris/<Suite.Test>/<name>.
inline void keepCsv(const std::string& name, const std::string& bytes) {
    const auto folder = outputFolder();
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace iristest
