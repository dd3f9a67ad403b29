#pragma once

// Fills an open company database with the benchmarks' large data set: kPayers payers
// and kRecipients recipients of every form kind, the first payer holding
// kRecipientsOfFirstPayer of them, the rest spread over the other payers.

#include <cstdlib>
#include <string>

#include "core/store/ComapnyInfo.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace bench {

constexpr int kPayers = 20;
constexpr int kRecipients = 50000;
constexpr int kRecipientsOfFirstPayer = 5000;

inline void fillLargeCompanyFile(CompanyDatabase& db) {
    const int kinds[] = {1, 2, 3, 4, 5, 7};
    // One transaction for the whole set; without it the fill would take minutes.
    if (!db.db->beginTransaction()) std::abort();
    for (int p = 0; p < kPayers; ++p) {
        ComapnyInfo payer;
        payer.setName("Payer " + std::string(p < 10 ? "0" : "") + std::to_string(p));
        payer.setTaxID1("12-34567" + std::to_string(10 + p));
        db.insertCompanyInfo(payer);
    }
    for (int i = 0; i < kRecipients; ++i) {
        const int payer = i < kRecipientsOfFirstPayer ? 0 : 1 + i % (kPayers - 1);
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
