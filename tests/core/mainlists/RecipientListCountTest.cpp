#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ScriptedUserInterface.h"
#include "TempHome.h"
#include "core/foundation/Session.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/Company.h"
#include "core/store/CompanyDatabase.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"
#include "core/store/RecipientListCount.h"

// The count must always agree with the list it stands in for.
TEST(RecipientListCount, AgreesWithTheRecipientListForEveryFilter) {
    resetSession();
    TempHome home;
    ScriptedUserInterface ui;
    session().comp_details = std::make_shared<Company>();
    CompanyDatabase db;
    EXPECT_EQ(countRecipientList(db, "", 0, 0), 0);   // not open
    ASSERT_TRUE(db.Init(home.file("count.db"), false, false, true, "Count"));

    struct Row {
        int32_t payer, kind;
        const char* first;
        const char* last;
        bool printed, voided;
    };
    const Row rows[] = {
        {0, 1, "Ann", "Smith", true, false},  {0, 7, "Bo", "O'Neil", false, false},
        {0, 7, "", "Jones LLC", false, true}, {1, 3, "Cy", "Smith", true, false},
        {1, 2, "Di", "Adams", false, false},  {2, 1, "Ed", "Stone", false, false},
    };
    for (const Row& r : rows) {
        RecipientInfo info;
        info.setCompany_FK(r.payer);
        info.setType(r.kind);
        info.setFirstName(r.first);
        info.setLastName(r.last);
        info.setPrinted(r.printed);
        info.setVoided(r.voided);
        RecipientAdditionalInfo extra;
        extra.setCompany_FK(r.payer);
        extra.setType(r.kind);
        ASSERT_TRUE(db.insertRecipientInfo(info, extra));
    }

    const std::vector<std::vector<int32_t>> selections = {{}, {0}, {0, 1}, {2}};
    const char* const filters[] = {"", "smith", "O'N", "S*h", "*LLC", "%"};
    for (const auto& payers : selections) {
        session().comp_details->setSelectedCompanies(payers);
        for (const char* filter : filters)
            for (int32_t kind : {0, 1, 7, 6})
                for (int32_t status : {0, 1, 2, 7, 8, 11}) {
                    SCOPED_TRACE(std::string(filter) + " kind " + std::to_string(kind) + " status " +
                                 std::to_string(status) + " payers " + std::to_string(payers.size()));
                    const int64_t count = countRecipientList(db, filter, kind, status);
                    EXPECT_EQ(count,
                              static_cast<int64_t>(db.execRecipientListQuery(filter, 0, kind, status).size()));
                    // Where the window reuses the total for the filtered count, the two agree.
                    if (countsEveryRecipient(filter, kind, status)) {
                        EXPECT_EQ(count, countRecipientList(db, "", 0, 0));
                    }
                }
    }
    EXPECT_EQ(countRecipientList(db, "", 0, 0), 1);   // payer 2 alone
    db.Close();
    resetSession();
}
