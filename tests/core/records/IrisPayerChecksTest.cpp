// The IRIS payer's checks: the edges of every rule, the name parts an individual needs,
// and the error list's order and texts.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/records/IrisPayerChecks.h"
#include "core/store/ComapnyInfo.h"

using namespace irispayerchecks;

namespace {

// A business payer whose every field passes.
ComapnyInfo validPayer() {
    ComapnyInfo p;
    p.setPayernametype(kBusinessName);
    p.setPayertintype("EIN");
    p.setName("Harbor View Dental LLC");
    p.setTaxID1("12-3456789");
    p.setPayerphone_type(kDomestic);
    p.setPhone1("614-555-0100");
    p.setAddress1("500 Commerce Way");
    p.setCity1("Columbus");
    p.setState1("Ohio-OH");
    p.setZip1("43215");
    p.setpayercountry("USA");
    return p;
}

std::string chars(int n) { return std::string(static_cast<std::size_t>(n), 'a'); }

struct Edge {
    const char* what;
    std::function<void(ComapnyInfo&)> change;
    Check check;
    bool pass;
};

void PrintTo(const Edge& e, std::ostream* os) { *os << e.what; }

class IrisPayerCheckEdges : public ::testing::TestWithParam<Edge> {};

TEST_P(IrisPayerCheckEdges, SetsItsFlagAndNoOther) {
    const Edge& e = GetParam();
    ComapnyInfo p = validPayer();
    e.change(p);
    const std::vector<bool> flags = checkPayer(p);
    ASSERT_EQ(flags.size(), kCheckCount);
    for (std::size_t i = 0; i < kCheckCount; ++i) EXPECT_EQ(flags[i], i == e.check ? e.pass : true) << "flag " << i;
    EXPECT_EQ(allPass(flags), e.pass);
}

const auto individual = [](ComapnyInfo& p, const std::string& first, const std::string& last) {
    p.setPayernametype(kIndividual);
    p.setPayerfirstname(first);
    p.setPayerlastname(last);
};

INSTANTIATE_TEST_SUITE_P(
    Payer, IrisPayerCheckEdges,
    ::testing::Values(
        Edge{"no name type", [](ComapnyInfo& p) { p.setPayernametype(""); }, kNameTypeCheck, false},
        Edge{"SSN", [](ComapnyInfo& p) { p.setPayertintype("SSN"); }, kTinTypeCheck, true},
        Edge{"no TIN type", [](ComapnyInfo& p) { p.setPayertintype(""); }, kTinTypeCheck, false},
        Edge{"lower-case TIN type", [](ComapnyInfo& p) { p.setPayertintype("ein"); }, kTinTypeCheck, false},
        Edge{"empty business name", [](ComapnyInfo& p) { p.setName(""); }, kBusinessNameCheck, false},
        Edge{"business name of 41", [](ComapnyInfo& p) { p.setName(chars(41)); }, kBusinessNameCheck, false},
        Edge{"TIN of eight digits", [](ComapnyInfo& p) { p.setTaxID1("12345678"); }, kTaxIdCheck, false},
        Edge{"suffix of 20", [](ComapnyInfo& p) { p.setPayersuffix(chars(20)); }, kSuffixCheck, true},
        Edge{"suffix of 21", [](ComapnyInfo& p) { p.setPayersuffix(chars(21)); }, kSuffixCheck, false},
        // A business needs no person's name; an individual needs a first and a last name.
        Edge{"individual with both names", [](ComapnyInfo& p) { individual(p, "Pat", "Reyes"); }, kFirstNameCheck,
             true},
        Edge{"individual without first name", [](ComapnyInfo& p) { individual(p, "", "Reyes"); }, kFirstNameCheck,
             false},
        Edge{"individual with first name of 21", [](ComapnyInfo& p) { individual(p, chars(21), "Reyes"); },
             kFirstNameCheck, false},
        Edge{"individual without last name", [](ComapnyInfo& p) { individual(p, "Pat", ""); }, kLastNameCheck, false},
        Edge{"business with first name of 21", [](ComapnyInfo& p) { p.setPayerfirstname(chars(21)); },
             kFirstNameCheck, true},
        Edge{"middle name of 21", [](ComapnyInfo& p) { p.setPayermiddleName(chars(21)); }, kMiddleNameCheck, false},
        Edge{"no phone", [](ComapnyInfo& p) { p.setPhone1(""); }, kPhoneCheck, false},
        Edge{"domestic phone with a plus", [](ComapnyInfo& p) { p.setPhone1("+16145550100"); }, kPhoneCheck, false},
        Edge{"international phone",
             [](ComapnyInfo& p) {
                 p.setPayerphone_type(kInternational);
                 p.setPhone1("+44 20 7946 0958");
             },
             kPhoneCheck, true},
        Edge{"international phone without plus",
             [](ComapnyInfo& p) {
                 p.setPayerphone_type(kInternational);
                 p.setPhone1("44 20 7946 0958");
             },
             kPhoneCheck, false},
        Edge{"no address", [](ComapnyInfo& p) { p.setAddress1(""); }, kAddressLine1Check, false},
        Edge{"second address line of 40", [](ComapnyInfo& p) { p.setPayerbussinessadd2(chars(40)); },
             kAddressLine2Check, true},
        Edge{"second address line of 41", [](ComapnyInfo& p) { p.setPayerbussinessadd2(chars(41)); },
             kAddressLine2Check, false},
        Edge{"no city", [](ComapnyInfo& p) { p.setCity1(""); }, kCityCheck, false},
        Edge{"state None", [](ComapnyInfo& p) { p.setState1("None"); }, kStateCheck, false},
        Edge{"ZIP of four digits", [](ComapnyInfo& p) { p.setZip1("4321"); }, kZipCheck, false},
        Edge{"no country", [](ComapnyInfo& p) { p.setpayercountry(""); }, kCountryCheck, false},
        Edge{"country with a digit", [](ComapnyInfo& p) { p.setpayercountry("USA1"); }, kCountryCheck, false},
        Edge{"country of 40 letters", [](ComapnyInfo& p) { p.setpayercountry(chars(40)); }, kCountryCheck, true},
        Edge{"country of 41 letters", [](ComapnyInfo& p) { p.setpayercountry(chars(41)); }, kCountryCheck, false}),
    // The check and the case's position: "check9_16".
    [](const ::testing::TestParamInfo<Edge>& p) {
        return "check" + std::to_string(p.param.check) + "_" + std::to_string(p.index);
    });

TEST(IrisPayerChecks, TheErrorListNamesEveryFailingFieldInItsOrderWithThePhoneLast) {
    std::vector<bool> flags(kCheckCount, false);
    const std::vector<std::string> listed = {
        "Business Name: Must be between 1 and 40 characters.",
        "Taxpayer ID Number: Must be of form XXXXXXXXX, XX-XXXXXXX or XXX-XX-XXXX.",
        "First Name: Must be between 1 and 20 characters.",
        "Middle Name: Must be 20 characters or less.",
        "Last Name: Must be between 1 and 20 characters.",
        "Suffix: Must be 20 characters or less.",
        "Business address line 1: Must be between 1 and 40 characters.",
        "Business address line 2: Must be 40 characters or less.",
        "City/Town: Must be between 1 and 40 characters.",
        "State/Province/Territory: Please select a State or province.",
        "ZIP/Postal code: Must be of form XXXXX or XXXXX-XXXX.",
        "Country: Must be between 1 and 15 characters and it should not have any numerics.",
    };
    std::vector<std::string> domestic = listed;
    domestic.push_back("Phone: Must be of form XXX-XXX-XXXX or XXXXXXXXXX or XXX-XXX-XXXX ext. XXXXX.");
    std::vector<std::string> international = listed;
    international.push_back(
        "Payer's Phone:International phone number must contain between 10 and 15 digits after '+'.");
    EXPECT_EQ(errorStrings(flags, kDomestic), domestic);
    EXPECT_EQ(errorStrings(flags, kInternational), international);

    // A missing name or TIN type has no line of its own in the list.
    flags.assign(kCheckCount, true);
    flags[kNameTypeCheck] = flags[kTinTypeCheck] = false;
    EXPECT_TRUE(errorStrings(flags, kDomestic).empty());
    EXPECT_TRUE(allPass(checkPayer(validPayer())));
}

}  // namespace
