#include <gtest/gtest.h>

#include <algorithm>
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
#include "core/store/RecipientFullInfo.h"
#include "core/store/RecipientInfo.h"
#include "core/store/RecipientListCount.h"

namespace {

using Names = std::vector<std::string>;

// Names that differ from each other only where a wildcard of SQL would hide it.
const char* const kNames[] = {"A_B Supply", "AxB Supply", "A%B Supply", "A\\B Supply", "Pat_Smith", "Pat Smith"};

struct FilterCase {
    const char* name;
    const char* filter;
    Names matches;
};

void PrintTo(const FilterCase& c, std::ostream* os) { *os << '"' << c.filter << '"'; }

// "*" and "%" are the filter's wildcards; every other character, "_" and "\" included,
// stands for itself.
const FilterCase kCases[] = {
    {"Underscore", "_", {"A_B Supply", "Pat_Smith"}},
    {"UnderscoreBetweenLetters", "A_B", {"A_B Supply"}},
    {"UnderscoreAtTheEnd", "Pat_", {"Pat_Smith"}},
    {"Backslash", "A\\B", {"A\\B Supply"}},
    {"Star", "A*B*", {"A%B Supply", "A\\B Supply", "A_B Supply", "AxB Supply"}},
    {"UsersOwnPattern", "A%B%", {"A%B Supply", "A\\B Supply", "A_B Supply", "AxB Supply"}},
    {"UnderscoreInUsersOwnPattern", "%_%", {"A_B Supply", "Pat_Smith"}},
    {"UnderscoreBeforeStar", "Pat_S*", {"Pat_Smith"}},
    {"Empty", "", {"A%B Supply", "A\\B Supply", "A_B Supply", "AxB Supply", "Pat Smith", "Pat_Smith"}},
};

class NameFilter : public ::testing::TestWithParam<FilterCase> {
protected:
    void SetUp() override {
        resetSession();
        session().comp_details = std::make_shared<Company>();
        ASSERT_TRUE(db.Init(home.file("filter.db"), false, false, true, "Filter"));
        for (const char* name : kNames) {
            ComapnyInfo payer;
            payer.setName(name);
            ASSERT_TRUE(db.insertCompanyInfo(payer));
            payers.push_back(db.getCompanyPK());
        }
        // One recipient per name under the first payer: a business (its name line) and
        // a person whose first name and surname hold the same name.
        for (const char* name : kNames) {
            RecipientInfo r;
            r.setCompany_FK(payers.front());
            r.setType(7);
            r.setLastName(name);
            RecipientAdditionalInfo a;
            a.setCompany_FK(payers.front());
            a.setType(7);
            a.setname_typee("Business Name");
            ASSERT_TRUE(db.insertRecipientInfo(r, a));
        }
        session().comp_details->setSelectedCompanies({payers.front()});
    }
    void TearDown() override {
        db.Close();
        resetSession();
    }

    static Names sorted(Names names) {
        std::sort(names.begin(), names.end());
        return names;
    }

    TempHome home;
    ScriptedUserInterface ui;
    CompanyDatabase db;
    std::vector<int32_t> payers;
};

TEST_P(NameFilter, MatchesTheSameNamesInEveryList) {
    const FilterCase& c = GetParam();

    Names companies;
    for (const ComapnyInfo& p : db.execCompanyListQuery(c.filter, 0)) companies.push_back(p.getName());
    EXPECT_EQ(sorted(companies), c.matches) << "payer list";

    Names recipients;
    for (const RecipientInfo& r : db.execRecipientListQuery(c.filter, 0, 0, 0)) recipients.push_back(r.getLastName());
    EXPECT_EQ(sorted(recipients), c.matches) << "recipient list";

    Names joined;
    for (const RecipientFullInfo& r : db.execRecipientFullInfoQuery({db.getCompanyInfo1(payers.front())}, c.filter, 0, 0, 0))
        joined.push_back(r.getLastName());
    EXPECT_EQ(sorted(joined), c.matches) << "list shown in the main window";

    EXPECT_EQ(countRecipientList(db, c.filter, 0, 0), static_cast<int64_t>(c.matches.size())) << "count line";
    EXPECT_TRUE(ui.boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Filters, NameFilter, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FilterCase>& test) { return std::string(test.param.name); });

}  // namespace
