// The transmitter's checks: the edges of every rule, and the error list's order and
// texts.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/records/TransmitterChecks.h"
#include "core/store/E_FileInfo.h"

using namespace transmitterchecks;

namespace {

// A transmitter whose every field passes.
E_FileInfo validTransmitter() {
    E_FileInfo t;
    t.setTCC("5X7Y9");
    t.setTIN("12-3456789");
    t.setName("Pat Reyes");
    t.setCompany("Harbor View Dental LLC");
    t.setAddress("500 Commerce Way");
    t.setCity("Springfield");
    t.setState("Illinois-IL");
    t.setZip("62701");
    t.setContact("Pat Reyes");
    t.setPhone("217-555-0100");
    t.setEmail("");
    return t;
}

std::string chars(int n, const std::string& one = "a") {
    std::string s;
    for (int i = 0; i < n; ++i) s += one;
    return s;
}

struct Edge {
    Flag flag;
    void (E_FileInfo::*set)(std::string);
    std::string text;
    bool pass;
};

void PrintTo(const Edge& e, std::ostream* os) { *os << "flag " << e.flag << " \"" << e.text << "\""; }

class TransmitterCheckEdges : public ::testing::TestWithParam<Edge> {};

TEST_P(TransmitterCheckEdges, SetsItsFlagAndNoOther) {
    const Edge& e = GetParam();
    E_FileInfo t = validTransmitter();
    (t.*e.set)(e.text);
    const std::vector<bool> flags = checkTransmitter(t);
    ASSERT_EQ(flags.size(), kFlagCount);
    for (std::size_t i = 0; i < kFlagCount; ++i) EXPECT_EQ(flags[i], i == e.flag ? e.pass : true) << "flag " << i;
    EXPECT_EQ(allPass(flags), e.pass);
}

INSTANTIATE_TEST_SUITE_P(
    Transmitter, TransmitterCheckEdges,
    ::testing::Values(
        Edge{kTCC, &E_FileInfo::setTCC, "5x7y9", true}, Edge{kTCC, &E_FileInfo::setTCC, "5X7Y", false},
        Edge{kTCC, &E_FileInfo::setTCC, "5X7Y90", false}, Edge{kTCC, &E_FileInfo::setTCC, "5X-Y9", false},
        Edge{kTCC, &E_FileInfo::setTCC, "5X7Y\xC3\xA9", false},
        Edge{kTIN, &E_FileInfo::setTIN, "123456789", true}, Edge{kTIN, &E_FileInfo::setTIN, "123-45-6789", true},
        Edge{kTIN, &E_FileInfo::setTIN, "12345678", false}, Edge{kTIN, &E_FileInfo::setTIN, "1234-56789", false},
        Edge{kName, &E_FileInfo::setName, "", false},
        // Characters, not bytes: forty accented letters fit.
        Edge{kName, &E_FileInfo::setName, chars(40, "\xC3\xA9"), true},
        Edge{kName, &E_FileInfo::setName, chars(41), false}, Edge{kCompany, &E_FileInfo::setCompany, "", false},
        Edge{kCompany, &E_FileInfo::setCompany, chars(41), false},
        Edge{kAddress, &E_FileInfo::setAddress, "", false}, Edge{kCity, &E_FileInfo::setCity, chars(41), false},
        Edge{kState, &E_FileInfo::setState, "None", false}, Edge{kState, &E_FileInfo::setState, "Wyoming-WY", true},
        Edge{kZip, &E_FileInfo::setZip, "62701-1234", true}, Edge{kZip, &E_FileInfo::setZip, "62701-123", false},
        Edge{kZip, &E_FileInfo::setZip, "6270", false}, Edge{kContact, &E_FileInfo::setContact, "", false},
        Edge{kContact, &E_FileInfo::setContact, chars(40), true},
        Edge{kPhone, &E_FileInfo::setPhone, "(217) 555-0100 x12", true},
        Edge{kPhone, &E_FileInfo::setPhone, "555-0100", false}, Edge{kPhone, &E_FileInfo::setPhone, "", false},
        Edge{kEmail, &E_FileInfo::setEmail, chars(38) + "@example.com", true},
        Edge{kEmail, &E_FileInfo::setEmail, chars(39) + "@example.com", false},
        // The file holds ASCII only.
        Edge{kEmail, &E_FileInfo::setEmail, "jos\xC3\xA9@example.com", false},
        Edge{kEmail, &E_FileInfo::setEmail, "tab\t@example.com", false}),
    [](const ::testing::TestParamInfo<Edge>& p) { return "flag" + std::to_string(p.param.flag) + "_" + std::to_string(p.index); });

TEST(TransmitterChecks, TheErrorListNamesEveryFailingFieldInOrderAndWhatIsWrongWithTheEmail) {
    E_FileInfo t;   // everything empty: the state is "" here, not "None", so set it
    t.setState("None");
    t.setEmail("\xC3\xBC@example.com");
    std::vector<std::string> expected = {
        "Transmitter Control Code: Must be 5 alpha/numeric characters.",
        "Transmitter's TIN: Must be 9 digits.",
        "Transmitter Name: Must be between 1 and 40 characters",
        "Transmitter Company: Must be between 1 and 40 characters.",
        "Transmitter's Mailing Address: Must be between 1 and 40 characters.",
        "Transmitter's City: Must be between 1 and 40 characters.",
        "Transmitter's State: Please select a State or Province.",
        "Transmitter's Zip: Must be of form XXXXX or XXXXX-XXXX.",
        "Contact Name: Must be between 1 and 40 characters.",
        "Contact's Phone Number: Must be of form XXX-XXX-XXXX or XXX-XXX-XXXX ext. XXXXX.",
        "Contact's E-mail Address: Must contain only ASCII letters, digits and symbols.",
    };
    EXPECT_EQ(errorStrings(t, checkTransmitter(t)), expected);

    // Too long is named as such, whatever its characters.
    t.setEmail(chars(50, "\xC3\xBC") + "x");
    expected.back() = "Contact's E-mail Address: Must be 50 characters or less.";
    EXPECT_EQ(errorStrings(t, checkTransmitter(t)), expected);

    EXPECT_TRUE(errorStrings(validTransmitter(), checkTransmitter(validTransmitter())).empty());
}

}  // namespace
