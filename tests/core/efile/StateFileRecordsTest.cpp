// The records of the 1099-NEC state file, built from records in memory and read back
// with the tests' own tables: every field of every record for each state with combined
// filing on and off, each state's own data in 663-722, the K records of Oklahoma, and
// the amounts that do not fit.

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "AmountTable.h"
#include "EFileTestSupport.h"
#include "StateFileReader.h"
#include "core/efile/EFile_NEC.h"
#include "core/efile/FireVendor.h"

namespace {

using firetest::Built;
using firetest::Record;
using Fields = std::map<std::string, std::string>;

const std::string kZeros12 = "000000000000";

// Sixteen amount fields ("amount1" ... "amountG" or "total1" ...): the given codes with
// their cents, every other code zeros.
Fields amounts(const char* prefix, int width, const std::map<char, int64_t>& cents) {
    Fields fields;
    for (char code : std::string("123456789ABCDEFG")) {
        const auto found = cents.find(code);
        const std::string digits = std::to_string(found == cents.end() ? 0 : found->second);
        fields[std::string(prefix) + code] = std::string(static_cast<std::size_t>(width) - digits.size(), '0') + digits;
    }
    return fields;
}

Fields with(Fields base, const Fields& more) {
    for (const auto& [k, v] : more) base[k] = v;
    return base;
}

std::string seq(std::size_t n) {
    std::string text = std::to_string(n);
    return std::string(8 - text.size(), '0') + text;
}

void check(const std::vector<Record>& records, std::size_t i, Fields expected, const std::string& what) {
    ASSERT_LT(i, records.size()) << what;
    expected["sequence"] = seq(i + 1);
    statetest::checkRecord(records[i], expected, what);
}

E_FileInfo transmitterFor(const std::string& state, bool combined) {
    E_FileInfo t = firetest::transmitter(combined);
    t.setNECState(state);
    return t;
}

// One group per payer, each with its payees (all of them payees of the file).
Built buildStateFile(const E_FileInfo& transmitter,
                     const std::vector<std::pair<ComapnyInfo, std::vector<EFilePayee>>>& payers) {
    uint64_t count = 0;
    std::vector<EFileGroup> groups;
    for (const auto& [payer, payees] : payers) {
        count += payees.size();
        groups.push_back(EFile::groupOf(payer, 7, payees));
    }
    std::size_t next = 0;
    Built built;
    EFile_NEC file;
    built.result = file.write(
        transmitter, count,
        [&](EFileGroup& group) {
            if (next >= groups.size()) return false;
            group = groups[next++];
            return true;
        },
        [&](std::string_view record) {
            built.bytes.append(record);
            return true;
        });
    firetest::keepOutput(built.bytes);
    return built;
}

const std::map<std::string, std::string> kStateTexts = {{"KY", "Kentucky-KY"},       {"ME", "Maine-ME"},
                                                        {"NC", "North Carolina-NC"}, {"OK", "Oklahoma-OK"},
                                                        {"WI", "Wisconsin-WI"}};

EFilePayee necPayee(const std::string& state, const std::string& first, const std::string& surname) {
    return firetest::payee(7, first, surname, kStateTexts.at(state));
}

// ---- every record, by state and combined filing --------------------------------

struct StateCase {
    std::string state;
    bool combined;
    // 663-722 of the first payee (box 6 "<state>/12345", account "acct-0001", box 7
    // 1,250.00) and of the second (no state data, no account).
    std::map<int, std::string> first;
    std::map<int, std::string> second;
    bool kRecord;
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.state << (c.combined ? " combined" : " alone"); }

std::vector<StateCase> stateCases() {
    std::vector<StateCase> cases;
    for (bool combined : {false, true}) {
        cases.push_back({"KY", combined, {{663, "21"}, {665, "12345"}}, {{663, "21"}}, false});
        cases.push_back({"ME", combined, {}, {}, false});
        cases.push_back({"NC",
                         combined,
                         {{663, "M"}, {665, "ACCT-0001"}, {674, "V"}, {687, "N"}, {688, "NC"}, {711, "125000"}},
                         {{663, "M"}, {674, "V"}, {687, "N"}},
                         false});
        cases.push_back({"OK", combined, {}, {}, combined});
        cases.push_back({"WI", combined, {{663, "12345"}, {683, "55"}}, {{663, "036888888888801"}, {683, "55"}}, false});
    }
    return cases;
}

class StateFileRecords : public ::testing::TestWithParam<StateCase> {};

TEST_P(StateFileRecords, EveryFieldOfEveryRecord) {
    const StateCase& c = GetParam();
    const E_FileInfo transmitter = transmitterFor(c.state, c.combined);
    ComapnyInfo payer = firetest::payerIn("Illinois-IL");
    payer.setFinalFlag(true);

    EFilePayee first = necPayee(c.state, "Ned", "Necker");
    auto& n = first.recipient;
    n.setAccountNumber("acct-0001");
    n.setCorrected(true);
    n.setSecondTin(true);
    n.setFATCA_NEC(true);
    n.setNec_Line2_2(true);  // direct sales: no field of the state file
    n.setLine1_NEC("1,250.00");
    n.setLine3_NEC("10.00");
    n.setLine4_NEC("50.00");
    n.setLine5_1_NEC("150.00");
    n.setLine6_1_NEC(c.state + "/12345");
    n.setLine7_1_NEC("1250.00");
    EFilePayee second = necPayee(c.state, "Olga", "Other");
    second.recipient.setLine1_NEC("300.00");

    const Built built = buildStateFile(transmitter, {{payer, {first, second}}});
    ASSERT_TRUE(built.result.ok()) << built.result.message;
    const auto records = firetest::readFile(built.bytes);
    ASSERT_EQ(firetest::order(records), c.kRecord ? "TABBCKF" : "TABBCF");

    check(records, 0,
          {{"type", "T"}, {"year", "2025"}, {"tin", "123456789"}, {"tcc", "5X7Y9"}, {"name", "TESS TRANSMITTER"},
           {"company", "TALLY FILING CO"}, {"address", "1 MAIN ST"}, {"city", "SPRINGFIELD"}, {"state", "IL"},
           {"zip", "627011234"}, {"payees", "00000002"}, {"contact", "CARL CONTACT"}, {"phone", "217555010012"},
           {"email", "carl.contact@tally.example"}, {"vendor", "V"}, {"vendorName", std::string(firevendor::kName)},
           {"vendorAddress", std::string(firevendor::kMailingAddress)}, {"vendorCity", std::string(firevendor::kCity)},
           {"vendorState", std::string(firevendor::kState)}, {"vendorZip", std::string(firevendor::kZip)},
           {"vendorContact", std::string(firevendor::kContactName)},
           {"vendorPhone", std::string(firevendor::kContactPhone)}},
          "transmitter");
    // Position 6 stays blank, also under combined filing.
    check(records, 1,
          {{"type", "A"}, {"year", "2025"}, {"tin", "987654321"}, {"lastFiling", "1"}, {"typeOfReturn", "NE"},
           {"amountCodes", "134"}, {"name", "PRAIRIE PAYER & SONS"}, {"transferAgent", "0"},
           {"address", "200 OAK AVE"}, {"city", "PEORIA"}, {"state", "IL"}, {"zip", "61602"},
           {"phone", "3095550199"}},
          "payer");
    const Fields place = {{"address", "1 PAYEE WAY"}, {"city", "ANYTOWN"}, {"state", c.state}, {"zip", "12345"},
                          {"type", "B"},           {"year", "2025"},   {"tin", "123456789"},  {"localTax", kZeros12}};
    check(records, 2,
          with(with(amounts("amount", 12, {{'1', 125000}, {'3', 1000}, {'4', 5000}}), place),
               {{"corrected", "G"}, {"account", "ACCT-0001"}, {"name1", "NECKER"}, {"name2", "NED"},
                {"secondTin", "2"}, {"fatca", "1"}, {"stateTax", "000000015000"},
                {"stateData", firetest::placed(663, 60, c.first)}}),
          "first payee");
    check(records, 3,
          with(with(amounts("amount", 12, {{'1', 30000}}), place),
               {{"name1", "OTHER"}, {"name2", "OLGA"}, {"stateTax", kZeros12},
                {"stateData", firetest::placed(663, 60, c.second)}}),
          "second payee");
    const Fields totals = amounts("total", 18, {{'1', 155000}, {'3', 1000}, {'4', 5000}});
    check(records, 4, with(totals, {{"type", "C"}, {"payees", "00000002"}}), "end of payer");
    std::size_t last = 5;
    if (c.kRecord) check(records, last++, with(totals, {{"type", "K"}, {"payees", "00000002"}, {"stateCode", "OK"}}), "state totals");
    check(records, last, {{"type", "F"}, {"aRecords", "00000001"}, {"zeros", std::string(21, '0')}, {"payees", "00000002"}},
          "end of transmission");
}

INSTANTIATE_TEST_SUITE_P(ByState, StateFileRecords, ::testing::ValuesIn(stateCases()),
                         [](const ::testing::TestParamInfo<StateCase>& c) {
                             return c.param.state + (c.param.combined ? "Combined" : "Alone");
                         });

// ---- the states' own data --------------------------------------------------------

struct StateDataCase {
    std::string what;
    std::string state;
    std::string box5;
    std::string box6;
    std::string account;
    std::string box7;
    std::map<int, std::string> expected;  // 663-722
};

void PrintTo(const StateDataCase& c, std::ostream* os) { *os << c.what; }

const StateDataCase kStateDataCases[] = {
    {"KY box 6 with KY slash", "KY", "1.00", "KY/7654321", "", "", {{663, "21"}, {665, "7654321"}}},
    {"KY box 6 with KY", "KY", "1.00", "KY7654321", "", "", {{663, "21"}, {665, "7654321"}}},
    {"KY box 6 a bare number", "KY", "1.00", "7654321", "", "", {{663, "21"}, {665, "7654321"}}},
    {"KY box 6 without box 5", "KY", "", "KY/7654321", "", "", {{663, "21"}, {665, "7654321"}}},
    {"KY box 5 without box 6", "KY", "1.00", "", "", "", {{663, "21"}}},
    {"WI fallback without boxes 5 and 6", "WI", "", "", "", "", {{663, "036888888888801"}, {683, "55"}}},
    {"WI box 6 with WI slash", "WI", "2.00", "WI/036000000000001", "", "", {{663, "036000000000001"}, {683, "55"}}},
    {"WI box 6 with WI", "WI", "", "WI036000000000002", "", "", {{663, "036000000000002"}, {683, "55"}}},
    {"WI box 5 without box 6", "WI", "2.00", "", "", "", {{683, "55"}}},
    {"NC account cut to nine after filtering", "NC", "", "NC-99", "ab.cd#1234567890", "1,500.00",
     {{663, "M"}, {665, "ABCD12345"}, {674, "V"}, {687, "N"}, {688, "NC"}, {711, "150000"}}},
    {"NC box 6 a number", "NC", "", "600123", "A1", "12.34",
     {{663, "M"}, {665, "A1"}, {674, "V"}, {687, "N"}, {688, "60"}, {711, "1234"}}},
    {"NC twelve digits of box 7", "NC", "", "", "", "9999999999.99",
     {{663, "M"}, {674, "V"}, {687, "N"}, {711, "999999999999"}}},
    {"ME has none", "ME", "3.00", "ME-1", "A1", "4.00", {}},
    {"OK has none", "OK", "3.00", "OK-1", "A1", "4.00", {}},
};

class StateFileStateData : public ::testing::TestWithParam<StateDataCase> {};

TEST_P(StateFileStateData, Positions663To722) {
    const StateDataCase& c = GetParam();
    EFilePayee p = necPayee(c.state, "Pat", "Payee");
    p.recipient.setLine5_1_NEC(c.box5);
    p.recipient.setLine6_1_NEC(c.box6);
    p.recipient.setAccountNumber(c.account);
    p.recipient.setLine7_1_NEC(c.box7);
    const Built built = buildStateFile(transmitterFor(c.state, true), {{firetest::payerIn("Ohio-OH"), {p}}});
    ASSERT_TRUE(built.result.ok()) << built.result.message;
    const auto records = firetest::readFile(built.bytes);
    ASSERT_EQ(firetest::order(records).substr(0, 4), "TABC");
    EXPECT_EQ(firetest::rtrim(records[2].at(663, 722)), firetest::placed(663, 60, c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, StateFileStateData, ::testing::ValuesIn(kStateDataCases),
                         [](const ::testing::TestParamInfo<StateDataCase>& c) {
                             return firetest::caseName(c.param.what);
                         });

// ---- names, addresses and amounts -------------------------------------------------

// The entry windows keep the payer's name in an individual's LastName: every state's
// file names an individual by its own surname and first name, as the FIRE file does.
TEST(StateFile, AnIndividualIsFiledByItsOwnSurnameInEveryState) {
    for (const auto& [state, text] : kStateTexts) {
        SCOPED_TRACE(state);
        EFilePayee entered = necPayee(state, "Ned", "Necker");
        entered.recipient.setLastName("Prairie Payer & Sons");
        entered.additional.setmiddleName("Middle");
        EFilePayee imported = necPayee(state, "Ida", "Imported");
        imported.recipient.setLastName("");
        EFilePayee business = necPayee(state, "Ignored", "Acme & Sons, Inc.");
        business.additional.setname_typee("Business Name");
        business.additional.setlastname("Ignored too");
        const Built built = buildStateFile(transmitterFor(state, true),
                                           {{firetest::payerIn("Illinois-IL"), {entered, imported, business}}});
        ASSERT_TRUE(built.result.ok()) << built.result.message;
        const auto records = firetest::readFile(built.bytes);
        ASSERT_EQ(firetest::order(records).substr(0, 6), "TABBBC");
        const std::pair<const char*, const char*> names[] = {
            {"NECKER", "NED"}, {"IMPORTED", "IDA"}, {"ACME & SONS INC", ""}};
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(firetest::rtrim(records[2 + i].at(248, 287)), names[i].first) << i;
            EXPECT_EQ(firetest::rtrim(records[2 + i].at(288, 327)), names[i].second) << i;
        }
    }
}

TEST(StateFile, ABusinessAndAForeignAddress) {
    EFilePayee business = necPayee("ME", "", "Summit Cleaning & Sons, Inc.");
    business.additional.setname_typee("Business Name");
    business.recipient.setZip("04101-2345");
    EFilePayee foreign = necPayee("ME", "José", "Núñez");
    foreign.recipient.setAddressIsNotUSTerritory(true);
    foreign.recipient.setCity("Toronto");
    foreign.recipient.setZip("M5V 2T6");
    foreign.recipient.setCountry("Canada");

    const Built built = buildStateFile(transmitterFor("ME", false), {{firetest::payerIn("Maine-ME"), {business, foreign}}});
    ASSERT_TRUE(built.result.ok()) << built.result.message;
    const auto records = firetest::readFile(built.bytes);
    ASSERT_EQ(firetest::order(records), "TABBCF");
    const Fields common = with(amounts("amount", 12, {}), {{"type", "B"}, {"year", "2025"}, {"tin", "123456789"},
                                                           {"address", "1 PAYEE WAY"}, {"stateTax", kZeros12},
                                                           {"localTax", kZeros12}});
    check(records, 2,
          with(common, {{"name1", "SUMMIT CLEANING & SONS INC"}, {"city", "ANYTOWN"}, {"state", "ME"},
                        {"zip", "041012345"}}),
          "business");
    // Outside the United States: the flag, and city, state text, postal code and country
    // joined, the postal code as written.
    check(records, 3,
          with(common, {{"foreignAddress", "1"}, {"name1", "NUNEZ"}, {"name2", "JOSE"},
                        {"foreignCityStateZipCountry", "TORONTO MAINE-ME M5V 2T6 CANADA"}}),
          "foreign address");
}

TEST(StateFile, OklahomaTotalsGroupEveryPayerSeparately) {
    ComapnyInfo one = firetest::payerIn("Oklahoma-OK");
    ComapnyInfo two = firetest::payerIn("Texas-TX");
    two.setName("Second Payer");
    EFilePayee a = necPayee("OK", "Ann", "A");
    a.recipient.setLine1_NEC("1.00");
    EFilePayee b = necPayee("OK", "Bob", "B");
    b.recipient.setLine1_NEC("2.00");
    EFilePayee c = necPayee("OK", "Cy", "C");
    c.recipient.setLine4_NEC("4.00");
    const Built built = buildStateFile(transmitterFor("OK", true), {{one, {a, b}}, {two, {c}}});
    ASSERT_TRUE(built.result.ok()) << built.result.message;
    const auto records = firetest::readFile(built.bytes);
    ASSERT_EQ(firetest::order(records), "TABBCKABCKF");
    check(records, 5, with(amounts("total", 18, {{'1', 300}}), {{"type", "K"}, {"payees", "00000002"}, {"stateCode", "OK"}}),
          "first payer's Oklahoma totals");
    check(records, 9, with(amounts("total", 18, {{'4', 400}}), {{"type", "K"}, {"payees", "00000001"}, {"stateCode", "OK"}}),
          "second payer's Oklahoma totals");
    check(records, 10, {{"type", "F"}, {"aRecords", "00000002"}, {"zeros", std::string(21, '0')}, {"payees", "00000003"}},
          "end of transmission");
}

TEST(StateFile, TwelveDigitsFitInBox5) {
    EFilePayee p = necPayee("KY", "Pat", "Payee");
    p.recipient.setLine5_1_NEC("9,999,999,999.99");
    p.recipient.setLine1_NEC("0009999999999.99");
    const Built built = buildStateFile(transmitterFor("KY", false), {{firetest::payerIn("Ohio-OH"), {p}}});
    ASSERT_TRUE(built.result.ok()) << built.result.message;
    const auto records = firetest::readFile(built.bytes);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[2].at(723, 734), "999999999999");
    EXPECT_EQ(records[2].at(55, 66), "999999999999");
}

struct LongAmount {
    std::string what;
    std::string state;
    void (RecipientInfo::*set)(std::string);
    std::string box;
};

void PrintTo(const LongAmount& c, std::ostream* os) { *os << c.what; }

const LongAmount kLongAmounts[] = {
    {"box 1", "KY", &RecipientInfo::setLine1_NEC, "Box 1"},
    {"box 4", "WI", &RecipientInfo::setLine4_NEC, "Box 4"},
    {"box 5", "ME", &RecipientInfo::setLine5_1_NEC, "Box 5"},
    {"box 7 in NC", "NC", &RecipientInfo::setLine7_1_NEC, "Box 7"},
};

class StateFileLongAmounts : public ::testing::TestWithParam<LongAmount> {};

TEST_P(StateFileLongAmounts, RefuseTheFileNamingRecipientAndBox) {
    const LongAmount& c = GetParam();
    EFilePayee fine = necPayee(c.state, "Fay", "Fine");
    EFilePayee big = necPayee(c.state, "Bigg", "Spender");
    (big.recipient.*c.set)("10,000,000,000.00");
    const Built built = buildStateFile(transmitterFor(c.state, false), {{firetest::payerIn("Ohio-OH"), {fine, big}}});
    EXPECT_EQ(built.result.failure, EFileResult::Failure::refused);
    EXPECT_NE(built.result.message.find("Bigg Spender"), std::string::npos) << built.result.message;
    EXPECT_NE(built.result.message.find(c.box + " of the 1099-NEC"), std::string::npos) << built.result.message;
}

INSTANTIATE_TEST_SUITE_P(Table, StateFileLongAmounts, ::testing::ValuesIn(kLongAmounts),
                         [](const ::testing::TestParamInfo<LongAmount>& c) {
                             return firetest::caseName(c.param.what);
                         });

// Each text of the shared amount table in box 1 (55-66 and the C total) and in the
// state tax (box 5, 723-734) of a Maine file, and the North Carolina state income
// (box 7, 711-722).
TEST(StateFile, AmountsOfTheSharedTableOrARefusalNamingRecipientAndBox) {
    using amounttable::zeroFilled;
    for (const amounttable::AmountCase& c : amounttable::cases()) {
        for (const char* box : {"Box 1", "Box 5", "Box 7"}) {
            SCOPED_TRACE('"' + c.text + "\" in " + box);
            const std::string state = std::string(box) == "Box 7" ? "NC" : "ME";
            EFilePayee p = necPayee(state, "Ann", "Lee");
            p.recipient.setLine1_NEC(std::string(box) == "Box 1" ? c.text : "10.00");
            p.recipient.setLine5_1_NEC(std::string(box) == "Box 5" ? c.text : "1.00");
            p.recipient.setLine7_1_NEC(std::string(box) == "Box 7" ? c.text : "2.00");
            const Built built = buildStateFile(transmitterFor(state, false), {{firetest::payerIn("Ohio-OH"), {p}}});
            if (amounttable::isRefused(c.outcome)) {
                EXPECT_EQ(built.result.failure, EFileResult::Failure::refused);
                EXPECT_NE(built.result.message.find(std::string(box) + " of the 1099-NEC of Ann Lee"), std::string::npos)
                    << built.result.message;
                continue;
            }
            ASSERT_TRUE(built.result.ok()) << built.result.message;
            const auto records = firetest::readFile(built.bytes);
            ASSERT_EQ(records.size(), 5u);
            const int64_t box1 = std::string(box) == "Box 1" ? c.cents : 1000;
            EXPECT_EQ(records[2].at(55, 66), zeroFilled(box1, 12));
            EXPECT_EQ(records[3].at(16, 33), zeroFilled(box1, 18));
            EXPECT_EQ(records[2].at(723, 734), zeroFilled(std::string(box) == "Box 5" ? c.cents : 100, 12));
            if (state == "NC") {
                // Left-justified, unfilled; no amount leaves the field blank.
                const std::string digits = c.outcome == amounttable::Outcome::amount ? std::to_string(c.cents) : "";
                EXPECT_EQ(records[2].at(711, 722), digits + std::string(12 - digits.size(), ' '));
            }
        }
    }
}

}  // namespace
