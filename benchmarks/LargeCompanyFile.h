#pragma once

// Fills an open company database with the benchmarks' large data set: kPayers payers
// and kRecipients recipients of every form kind, the first payer holding
// kRecipientsOfFirstPayer of them, the rest spread over the other payers. Other sizes
// can be asked for.

#include <cstdlib>
#include <string>

#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include "core/store/ComapnyInfo.h"
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

inline void fillLargeCompanyFile(CompanyDatabase& db, int payers = kPayers, int recipients = kRecipients,
                                 int recipientsOfFirstPayer = kRecipientsOfFirstPayer) {
    const int kinds[] = {1, 2, 3, 4, 5, 7};
    if (!db.db->beginTransaction()) std::abort();
    for (int p = 0; p < payers; ++p) {
        ComapnyInfo payer;
        payer.setName("Payer " + std::string(p < 10 ? "0" : "") + std::to_string(p));
        payer.setTaxID1("12-34567" + std::to_string(10 + p));
        db.insertCompanyInfo(payer);
    }
    for (int i = 0; i < recipients; ++i) {
        const int payer = i < recipientsOfFirstPayer ? 0 : 1 + i % (payers - 1);
        RecipientInfo r;
        r.setCompany_FK(payer);
        r.setType(kinds[i % 6]);
        r.setFirstName("First" + std::to_string(i % 997));
        r.setLastName("Last" + std::to_string(i % 1009));
        r.setTaxID(std::to_string(100000000 + i));
        r.setLine1_Misc("123.45");
        RecipientAdditionalInfo a;
        a.setCompany_FK(payer);
        a.setType(r.getType());
        a.setlastname("Surname" + std::to_string((i * 7919) % 10007));
        a.setname_typee("Individual");
        db.insertRecipientInfo(r, a);
    }
    if (!db.db->commit()) std::abort();
}

}  // namespace bench
