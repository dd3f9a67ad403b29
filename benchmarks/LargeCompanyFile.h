#pragma once

// Fills an open company database with the benchmarks' large data set: kPayers payers
// and kRecipients recipients of every form kind, the first payer holding
// kRecipientsOfFirstPayer of them, the rest spread over the other payers. Other sizes
// can be asked for.

#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "core/store/ComapnyInfo.h"
#include "core/sqlite/FMDatabase.h"
#include "core/sqlite/FMResultSet.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace bench {

constexpr int kPayers = 20;
constexpr int kRecipients = 50000;
constexpr int kRecipientsOfFirstPayer = 5000;

// The larger size the list and insert benchmarks are also measured at.
constexpr int kRecipientsLarge = 200000;

// The peak memory of the whole process so far (getrusage), in MiB, beside a benchmark's
// time; run a benchmark in a process of its own to see its own peak.
inline void reportPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Payers "Payer 00", "Payer 01", ... with keys 0, 1, ... in the open transaction.
inline void insertNumberedPayers(CompanyDatabase& db, int payers) {
    for (int p = 0; p < payers; ++p) {
        ComapnyInfo payer;
        payer.setName("Payer " + std::string(p < 10 ? "0" : "") + std::to_string(p));
        payer.setTaxID1("12-34567" + std::to_string(10 + p));
        db.insertCompanyInfo(payer);
    }
}

// The recipient numbered i of the benchmarks' files, under the given payer: its form
// kind, names and taxpayer number, and its additional row's surname (an individual).
inline void setNumberedRecipient(int i, int payer, RecipientInfo& r, RecipientAdditionalInfo& a) {
    const int kinds[] = {1, 2, 3, 4, 5, 7};
    r.setCompany_FK(payer);
    r.setType(kinds[i % 6]);
    r.setFirstName("First" + std::to_string(i % 997));
    r.setLastName("Last" + std::to_string(i % 1009));
    r.setTaxID(std::to_string(100000000 + i));
    a.setCompany_FK(payer);
    a.setType(r.getType());
    a.setlastname("Surname" + std::to_string((i * 7919) % 10007));
    a.setname_typee("Individual");
}

inline void fillLargeCompanyFile(CompanyDatabase& db, int payers = kPayers, int recipients = kRecipients,
                                 int recipientsOfFirstPayer = kRecipientsOfFirstPayer) {
    if (!db.db->beginTransaction()) std::abort();
    insertNumberedPayers(db, payers);
    for (int i = 0; i < recipients; ++i) {
        const int payer = i < recipientsOfFirstPayer ? 0 : 1 + i % (payers - 1);
        RecipientInfo r;
        RecipientAdditionalInfo a;
        setNumberedRecipient(i, payer, r, a);
        r.setLine1_Misc("123.45");
        db.insertRecipientInfo(r, a);
    }
    if (!db.db->commit()) std::abort();
}

// The real-size file: kRecipientsLarge recipients whose rows carry an address and every
// amount column, so the file is larger than the program's page cache. The payers share
// the recipients as in fillLargeCompanyFile: payer 0 holds the first 5,000 (the
// smallest), every other payer about 10,300 spread over the whole file (the largest).
constexpr int kFullPayers = kPayers;

inline int fullFilePayerOf(int recipient, int payers) {
    return recipient < kRecipientsOfFirstPayer ? 0 : 1 + recipient % (payers - 1);
}

// How many recipients a payer of the real-size file holds.
inline int fullFileRecipientsOf(int payer, int payers = kFullPayers, int recipients = kRecipientsLarge) {
    int count = 0;
    for (int i = 0; i < recipients; ++i) count += fullFilePayerOf(i, payers) == payer ? 1 : 0;
    return count;
}

inline void fillFullCompanyFile(CompanyDatabase& db, int payers = kFullPayers, int recipients = kRecipientsLarge) {
    if (!db.db->beginTransaction()) std::abort();
    insertNumberedPayers(db, payers);
    for (int i = 0; i < recipients; ++i) {
        const int payer = fullFilePayerOf(i, payers);
        RecipientInfo r;
        RecipientAdditionalInfo a;
        setNumberedRecipient(i, payer, r, a);
        r.setAddress(std::to_string(100 + i % 9000) + " Long Meadow Road, Suite " + std::to_string(i % 500));
        r.setCity("Springfield Heights");
        r.setState("Illinois-IL");
        r.setZip("62704-1234");
        r.setAccountNumber("ACCT-" + std::to_string(1000000 + i));
        a.setaddline2("Building " + std::to_string(i % 40));
        db.insertRecipientInfo(r, a);
    }
    // Every amount column of every row: the text columns that hold no name, address,
    // number or code.
    std::string sets;
    auto rs = db.db->executeQuery("pragma table_info(recipients);");
    while (rs && rs->next()) {
        const std::string name = rs->stringForColumn("name").value_or("");
        const std::string type = rs->stringForColumn("type").value_or("");
        const bool amount = type == "TEXT" && (name.find("line") != std::string::npos) &&
                            name.find("code") == std::string::npos && name.find("s_address") == std::string::npos &&
                            name.find("city") == std::string::npos && name.find("state") == std::string::npos &&
                            name.find("zip") == std::string::npos;
        if (amount) sets += (sets.empty() ? "" : ", ") + name + " = '12345.67'";
    }
    if (rs) rs->close();
    if (sets.empty() || !db.db->executeUpdate("update recipients set " + sets + ";")) std::abort();
    if (!db.db->commit()) std::abort();
}

// Writes the file out and asks the system to drop its pages from its cache (no root
// needed for pages already written), so the next read comes from the disk.
inline void dropFromSystemCache(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return;
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

}  // namespace bench
