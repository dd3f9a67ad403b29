#pragma once

// Shared pieces of the e-file tests: readable case names, keeping every file a test
// builds under test-output/efile/, and building a file from records in memory.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "core/efile/EFile.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/E_FileInfo.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace firetest {

// "a foreign postal code, kept" -> "AForeignPostalCodeKept": a test name from a case's text.
inline std::string caseName(const std::string& text) {
    std::string name;
    bool upper = true;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

// Keeps a file that the running test built as test-output/efile/<Suite.Test>.txt; the
// test's further files as <Suite.Test>-2.txt, -3 and so on.
inline std::string keepOutput(const std::string& bytes) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string test = info ? std::string(info->test_suite_name()) + "." + info->name() : "unknown";
    for (char& c : test)
        if (c == '/') c = '_';
    static std::map<std::string, int> counts;
    const int n = ++counts[test];
    const std::filesystem::path folder = std::filesystem::path(TALVEXA_TEST_OUTPUT_DIR) / "efile";
    std::filesystem::create_directories(folder);
    const auto path = folder / (test + (n == 1 ? "" : "-" + std::to_string(n)) + ".txt");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path.string();
}

// A file built from records in memory, kept for looking at.
struct Built {
    EFileResult result;
    std::string bytes;
};

// One payer's groups in file order, each a kind with its payees.
struct PayerInput {
    ComapnyInfo payer;
    std::vector<std::pair<int32_t, std::vector<EFilePayee>>> kinds;
};

inline Built buildFile(const E_FileInfo& transmitter, const std::vector<PayerInput>& payers, EFile* writer = nullptr,
                       int64_t payeeCount = -1) {
    uint64_t count = 0;
    for (const auto& p : payers)
        for (const auto& k : p.kinds) count += k.second.size();
    std::vector<EFileGroup> groups;
    for (const auto& p : payers)
        for (const auto& k : p.kinds) groups.push_back(EFile::groupOf(p.payer, k.first, k.second));
    std::size_t next = 0;
    Built built;
    EFile own;
    EFile& file = writer ? *writer : own;
    built.result = file.write(
        transmitter, payeeCount < 0 ? count : static_cast<uint64_t>(payeeCount),
        [&](EFileGroup& group) {
            if (next >= groups.size()) return false;
            group = groups[next++];
            return true;
        },
        [&](std::string_view record) {
            built.bytes.append(record);
            return true;
        });
    keepOutput(built.bytes);
    return built;
}

inline EFilePayee payee(int32_t kind, const std::string& first, const std::string& surname, const std::string& state) {
    EFilePayee p;
    p.recipient.setType(kind);
    p.recipient.setFirstName(first);
    p.recipient.setLastName(surname);
    p.recipient.setState(state);
    p.recipient.setTaxID("123-45-6789");
    p.recipient.setAddress("1 Payee Way");
    p.recipient.setCity("Anytown");
    p.recipient.setZip("12345");
    p.additional.setType(kind);
    p.additional.setlastname(surname);
    p.additional.setname_typee("Individual");
    return p;
}

inline ComapnyInfo payerIn(const std::string& state) {
    ComapnyInfo payer;
    payer.setPK(0);
    payer.setName("Prairie Payer & Sons");
    payer.setTaxID1("98-7654321");
    payer.setAddress1("200 Oak Ave.");
    payer.setCity1("Peoria");
    payer.setState1(state);
    payer.setZip1("61602");
    payer.setPhone1("309-555-0199");
    return payer;
}

inline E_FileInfo transmitter(bool combined) {
    E_FileInfo t;
    t.setTCC("5X7Y9");
    t.setTIN("12-3456789");
    t.setName("Tess Transmitter");
    t.setCompany("Tally Filing Co.");
    t.setAddress("1 Main St.");
    t.setCity("Springfield");
    t.setState("Illinois-IL");
    t.setZip("62701-1234");
    t.setContact("Carl Contact");
    t.setPhone("(217) 555-0100 x12");
    t.setEmail("carl.contact@tally.example");
    t.setCombinedFedState(combined);
    return t;
}

}  // namespace firetest
