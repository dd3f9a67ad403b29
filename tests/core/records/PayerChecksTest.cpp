// The payer's checks: the edges of every rule, the error list's order and texts, and
// the filing method a stored text stands for.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/records/PayerChecks.h"
#include "core/store/ComapnyInfo.h"

using namespace payerchecks;

namespace {

// A payer whose every field passes.
ComapnyInfo validPayer() {
    ComapnyInfo p;
    p.setName("Harbor View Dental LLC");
    p.setTaxID1("12-3456789");
    p.setAddress1("500 Commerce Way");
    p.setCity1("Columbus");
    p.setState1("Ohio-OH");
    p.setZip1("43215");
    p.setPhone1("614-555-0100");
    return p;
}

std::string chars(int n) { return std::string(static_cast<size_t>(n), 'a'); }

struct Edge {
    const char* name;
    std::function<void(ComapnyInfo&, const std::string&)> set;
    std::size_t flag;
    std::string text;
    bool pass;
};

void PrintTo(const Edge& e, std::ostream* os) { *os << e.name << " \"" << e.text << "\""; }

const auto name = [](ComapnyInfo& p, const std::string& t) { p.setName(t); };
const auto taxID = [](ComapnyInfo& p, const std::string& t) { p.setTaxID1(t); };
const auto address = [](ComapnyInfo& p, const std::string& t) { p.setAddress1(t); };
const auto city = [](ComapnyInfo& p, const std::string& t) { p.setCity1(t); };
const auto state = [](ComapnyInfo& p, const std::string& t) { p.setState1(t); };
const auto zip = [](ComapnyInfo& p, const std::string& t) { p.setZip1(t); };
const auto phone = [](ComapnyInfo& p, const std::string& t) { p.setPhone1(t); };
const auto contact = [](ComapnyInfo& p, const std::string& t) { p.setContact(t); };
const auto contactPhone = [](ComapnyInfo& p, const std::string& t) { p.setContactPhone(t); };
const auto email = [](ComapnyInfo& p, const std::string& t) { p.setEmail(t); };
const auto fax = [](ComapnyInfo& p, const std::string& t) { p.setFax(t); };
const auto bin = [](ComapnyInfo& p, const std::string& t) { p.setOregonBIN(t); };

class PayerCheckEdges : public ::testing::TestWithParam<Edge> {};

TEST_P(PayerCheckEdges, SetsItsFlagAndNoOther) {
    const Edge& e = GetParam();
    ComapnyInfo p = validPayer();
    e.set(p, e.text);
    const std::vector<bool> flags = checkPayer(p);
    ASSERT_EQ(flags.size(), kFlagCount);
    for (std::size_t i = 0; i < kFlagCount; ++i) EXPECT_EQ(flags[i], i == e.flag ? e.pass : true) << "flag " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Payer, PayerCheckEdges,
    ::testing::Values(
        Edge{"name", name, kName, "", false}, Edge{"name", name, kName, chars(40), true},
        Edge{"name", name, kName, chars(41), false},
        // Characters, not bytes: forty accented letters fit.
        Edge{"name", name, kName, [] { std::string s; for (int i = 0; i < 40; ++i) s += "\xC3\xA9"; return s; }(),
             true},
        Edge{"taxID", taxID, kFederalID, "123456789", true}, Edge{"taxID", taxID, kFederalID, "123-45-6789", true},
        Edge{"taxID", taxID, kFederalID, "", false}, Edge{"taxID", taxID, kFederalID, "12-345678", false},
        Edge{"address", address, kAddress, "", false}, Edge{"address", address, kAddress, chars(40), true},
        Edge{"address", address, kAddress, chars(41), false}, Edge{"city", city, kCity, "", false},
        Edge{"city", city, kCity, chars(41), false}, Edge{"state", state, kState, "None", false},
        Edge{"state", state, kState, "Oregon-OR", true}, Edge{"zip", zip, kZip, "43215-1234", true},
        Edge{"zip", zip, kZip, "4321", false},
        // The payer's phone must be there; the contact's phone and fax and the e-mail may be empty.
        Edge{"phone", phone, kPhone, "", false}, Edge{"phone", phone, kPhone, "(614) 555-0100 x12345", true},
        Edge{"phone", phone, kPhone, "61455501001234567", false},
        // 17 characters holding 15 digits pass; any characters beside them are allowed.
        Edge{"phone", phone, kPhone, "614-555-010012345", true},
        Edge{"phone", phone, kPhone, "614-555-0100123456", false},
        Edge{"contact", contact, kContactPerson, "", true}, Edge{"contact", contact, kContactPerson, chars(40), true},
        Edge{"contact", contact, kContactPerson, chars(41), false},
        Edge{"contactPhone", contactPhone, kContactPhone, "", true},
        Edge{"contactPhone", contactPhone, kContactPhone, "555-0100", false}, Edge{"fax", fax, kFax, "", true},
        Edge{"fax", fax, kFax, "614.555.0199", true}, Edge{"fax", fax, kFax, "none", false},
        Edge{"email", email, kEmail, "", true}, Edge{"email", email, kEmail, "billing@harborview.com", true},
        // A domain with a sub-domain is refused.
        Edge{"email", email, kEmail, "billing@mail.harborview.com", false},
        Edge{"email", email, kEmail, chars(40) + "@abcde.com", true},
        Edge{"email", email, kEmail, chars(41) + "@abcde.com", false}, Edge{"bin", bin, kOregonBIN, "", true},
        Edge{"bin", bin, kOregonBIN, "12345678", true}, Edge{"bin", bin, kOregonBIN, "1234567A", false},
        Edge{"bin", bin, kOregonBIN, "123456789", false}),
    // The field and the case's position: "phone_18".
    [](const ::testing::TestParamInfo<Edge>& p) { return std::string(p.param.name) + "_" + std::to_string(p.index); });

TEST(PayerChecks, TheErrorListNamesTheFailingFieldsInItsOwnOrder) {
    ComapnyInfo p;   // everything empty: the state is "" here, not "None", so it passes
    p.setState1("None");
    p.setOregonBIN("x");
    const std::vector<bool> flags = checkPayer(p);
    EXPECT_FALSE(allPass(flags));
    EXPECT_EQ(errorStrings(flags),
              (std::vector<std::string>{
                  "Payer's Name: Must be between 1 and 40 characters.",
                  "Payer's Federal ID: Must be of form XXXXXXXXX, XX-XXXXXXX or XXX-XX-XXXX.",
                  "Payer's Address: Must be between 1 and 40 characters.",
                  "Payer's City: Must be between 1 and 40 characters.",
                  "Payer's State: Please select a State or province.",
                  "Payer's ZIP: Must be of form XXXXX or XXXXX-XXXX.",
                  "Payer's Phone: Must be of form XXX-XXX-XXXX or XXXXXXXXXX or XXX-XXX-XXXX ext. XXXXX.",
                  "Oregon BIN: Must be 8 Numeric characters or less.",
              }));
    EXPECT_TRUE(allPass(checkPayer(validPayer())));
    EXPECT_TRUE(errorStrings(checkPayer(validPayer())).empty());
}

TEST(PayerChecks, FilingMethodsOtherThanFireAndIrisArePaper) {
    EXPECT_EQ(filingMethod("FIRE"), "FIRE");
    EXPECT_EQ(filingMethod("IRIS"), "IRIS");
    for (const char* other : {"", "0", "PRINT", "fire", "Iris "}) EXPECT_EQ(filingMethod(other), "PRINT") << other;
}

TEST(PayerChecks, OregonIsKnownByItsListTitleOrCode) {
    for (const char* yes : {"Oregon-OR", "OR", "or"}) EXPECT_TRUE(isOregon(yes)) << yes;
    for (const char* no : {"Oregon", "Ohio-OH", "None", "", "oregon-or"}) EXPECT_FALSE(isOregon(no)) << no;
}

}  // namespace
