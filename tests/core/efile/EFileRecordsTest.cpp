// The records of the FIRE file, built from records in memory and read back by the
// tests' own reader: every field of every record of a file with all six form kinds,
// the state positions 663-750, the K groups, and the faults the writer mends.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "AmountTable.h"
#include "DateTable.h"
#include "EFileTestSupport.h"
#include "FireFileReader.h"
#include "core/efile/EFile.h"
#include "core/efile/FireVendor.h"

namespace {

using firetest::Built;
using firetest::PayerInput;
using firetest::Record;
using Fields = std::map<std::string, std::string>;

const std::string kZeros12 = "000000000000";

// The amount fields of a B record ("amount1" ...) or totals of a C or K record
// ("total1" ...): the given codes with their cents, every other code zeros.
Fields amounts(const char* prefix, int width, const std::map<char, int64_t>& cents) {
    Fields fields;
    for (char code : std::string("123456789ABCDEFGHJ")) {
        const auto found = cents.find(code);
        std::string digits = std::to_string(found == cents.end() ? 0 : found->second);
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

// Checks records[i] with its sequence number added to the expectation.
void check(const std::vector<Record>& records, std::size_t i, Fields expected, const std::string& what) {
    ASSERT_LT(i, records.size()) << what;
    expected["sequence"] = seq(i + 1);
    firetest::checkRecord(records[i], expected, what);
}

// ---- one transmitter, one payer, a payee of every form kind ---------------------

struct AllKinds {
    E_FileInfo transmitter = firetest::transmitter(true);
    ComapnyInfo payer = firetest::payerIn("Illinois-IL");
    EFilePayee misc, div, interest, r, s, nec;

    AllKinds() {
        transmitter.setTest(true);
        payer.setFinalFlag(true);

        misc = firetest::payee(1, "Mary", "Miscy", "California-CA");
        misc.additional.setmiddleName("Q");
        auto& m = misc.recipient;
        m.setTaxID("111-22-3333");
        m.setAccountNumber("acct-misc.1");
        m.setAddress("10 Elm St.");
        m.setCity("Fresno");
        m.setZip("93650-1234");
        m.setSecondTin(true);
        m.setLine9_Misc(true);
        m.setFATCA_MISC(true);
        m.setLine1_Misc("1.01");
        m.setLine2_Misc("2.02");
        m.setLine3_Misc("3.03");
        m.setLine4_Misc("4.04");
        m.setLine5_Misc("5.05");
        m.setLine6_Misc("6.06");
        m.setLine8_Misc("8.08");
        m.setLine7_Misc("9.09");
        m.setLine10_Misc("10.10");
        m.setLine11_Misc("11.11");
        m.setLine12_Misc("12.12");
        m.setLine13_Misc("13.13");
        m.setLine14_Misc("15.15");
        m.setLine16_1_Misc("16.16");
        m.setLine17_1_Misc("CA-1717");
        m.setLine18_1_Misc("18.18");

        div = firetest::payee(2, "", "Dividend Holdings, LLC", "Georgia-GA");
        div.additional.setname_typee("Business Name");
        div.additional.setlastname("");
        auto& d = div.recipient;
        d.setTaxID("22-3334444");
        d.setAddress("20 Peach St");
        d.setCity("Atlanta");
        d.setZip("30301");
        d.setDiv_Line1a("21.01");
        d.setDiv_Line1b("21.02");
        d.setDiv_Line2a("21.03");
        d.setDiv_Sec199ADiv("21.05");
        d.setDiv_Line2b("21.06");
        d.setDiv_Line2c("21.07");
        d.setDiv_Line2d("21.08");
        d.setDiv_Line3("21.09");
        d.setDiv_Line4("21.10");
        d.setDiv_Line5("21.11");
        d.setDiv_Line6("21.12");
        d.setDiv_Line8("21.13");
        d.setDiv_Line9("21.14");
        d.setDiv_Line10("21.15");
        d.setDiv_Line11("21.16");
        d.setDiv_Line2e("21.17");
        d.setDiv_Line2f("21.18");
        d.setDiv_Line7("Canada");
        d.setDiv_Line13_1("GA-1313");
        d.setFATCA_DIV(true);

        interest = firetest::payee(3, "Ina", "Intery", "Texas-TX");
        auto& i = interest.recipient;
        i.setCity("Texas City");
        i.setSecondTin(true);
        i.setCorrected(true);
        i.setInt_payerRTN("021000021");
        i.setInt_Line7("Mexico");
        i.setInt_Line12("cusip-12345");
        i.setInt_Line1("31.01");
        i.setInt_Line2("31.02");
        i.setInt_Line3("31.03");
        i.setInt_Line4("31.04");
        i.setInt_Line5("31.05");
        i.setInt_Line6("31.06");
        i.setInt_Line8("31.08");
        i.setInt_Line9("31.09");
        i.setInt_Line10("31.10");
        i.setInt_Line11("31.11");
        i.setInt_Line17("31.12");
        i.setInt_Line16("31.13");
        i.setFATCA_INT(true);

        r = firetest::payee(4, "Rita", "Retiree", "Ohio-OH");
        auto& x = r.recipient;
        x.setSecondTin(true);
        x.setR_Line1("41.01");
        x.setR_Line2a("41.02");
        x.setR_Line3("41.03");
        x.setR_Line4("41.04");
        x.setR_Line5("41.05");
        x.setR_Line6("41.06");
        x.setR_Line8("41.08");
        x.setR_Line9b("41.09");
        x.setR_Line10("41.10");
        x.setR_Line7("g4");
        x.setR_Line2b_Checkbox_1(true);
        x.setR_Line7_Checkbox(true);
        x.setR_Line2b_Checkbox_2(true);
        x.setR_Line9a(25);
        x.setR_Line11(2019);
        x.setFATCA_R(true);
        x.setR_DateOfPayment("2/3/2025");

        s = firetest::payee(5, "Sam", "Seller", "Arizona-AZ");
        auto& y = s.recipient;
        y.setS_Line1("6/7/2025");
        y.setS_Line2("500000.00");
        y.setS_Line5("1234.56");
        y.setS_Line4(true);
        y.setS_Line6(true);
        y.setS_Address_Line3("99 Sale Rd");
        y.setS_City_Line3("Tempe");
        y.setS_State_Line3("Arizona-AZ");
        y.setS_Zip_Line3("85281");

        nec = firetest::payee(7, "Ned", "Necker", "Maine-ME");
        auto& n = nec.recipient;
        n.setSecondTin(true);
        n.setNec_Line2_2(true);
        n.setLine1_NEC("71.01");
        n.setLine3_NEC("71.03");
        n.setLine4_NEC("71.04");
        n.setLine5_1_NEC("71.05");
        n.setLine6_1_NEC("ME-6");
        n.setLine7_1_NEC("71.07");
    }

    std::vector<PayerInput> input() const {
        return {{payer, {{1, {misc}}, {2, {div}}, {3, {interest}}, {4, {r}}, {5, {s}}, {7, {nec}}}}};
    }
};

TEST(FireRecords, EveryFieldOfEveryRecordOfAFileWithAllSixKinds) {
    AllKinds fixture;
    const auto in = fixture.input();
    const Built built = firetest::buildFile(fixture.transmitter, in);
    ASSERT_TRUE(built.result.ok()) << built.result.message;
    const auto records = firetest::readFile(built.bytes);
    ASSERT_EQ(firetest::order(records), "TABCKABCKABCABCKABCABCKF");
    EXPECT_EQ(built.bytes.size(), 24u * 750u);

    check(records, 0,
          {{"type", "T"}, {"year", "2025"}, {"tin", "123456789"}, {"tcc", "5X7Y9"}, {"test", "T"},
           {"name", "TESS TRANSMITTER"}, {"company", "TALLY FILING CO"}, {"address", "1 MAIN ST"},
           {"city", "SPRINGFIELD"}, {"state", "IL"}, {"zip", "627011234"}, {"payees", "00000006"},
           {"contact", "CARL CONTACT"}, {"phone", "217555010012"}, {"email", "carl.contact@tally.example"},
           {"vendor", "V"}, {"vendorName", std::string(firevendor::kName)},
           {"vendorAddress", std::string(firevendor::kMailingAddress)}, {"vendorCity", std::string(firevendor::kCity)},
           {"vendorState", std::string(firevendor::kState)}, {"vendorZip", std::string(firevendor::kZip)},
           {"vendorContact", std::string(firevendor::kContactName)},
           {"vendorPhone", std::string(firevendor::kContactPhone)}},
          "transmitter");

    const Fields payer = {{"type", "A"},          {"year", "2025"},   {"tin", "987654321"},  {"lastFiling", "1"},
                          {"name", "PRAIRIE PAYER & SONS"}, {"transferAgent", "0"}, {"address", "200 OAK AVE"},
                          {"city", "PEORIA"},     {"state", "IL"},    {"zip", "61602"},      {"phone", "3095550199"}};
    const Fields zerosTaxes = {{"stateTax", kZeros12}, {"localTax", kZeros12}};

    // 1099-MISC, California: in the combined program, no state data of its own.
    const std::map<char, int64_t> misc = {{'1', 101}, {'2', 202}, {'3', 303},  {'4', 404},   {'5', 505},  {'6', 606},
                                          {'8', 808}, {'A', 909}, {'C', 1010}, {'D', 1212}, {'E', 1515}, {'F', 1111}};
    check(records, 1, with(payer, {{"combinedFiler", "1"}, {"typeOfReturn", "A"}, {"amountCodes", "1234568ACDEF"}}),
          "1099-MISC payer");
    check(records, 2,
          with(with(amounts("amount", 12, misc), zerosTaxes),
               {{"type", "B"}, {"year", "2025"}, {"tin", "111223333"}, {"account", "ACCT-MISC1"}, {"name1", "MISCY"},
                {"name2", "MARY Q"}, {"address", "10 ELM ST"}, {"city", "FRESNO"}, {"state", "CA"},
                {"zip", "936501234"}, {"secondTin", "2"}, {"directSales", "1"}, {"fatca", "1"},
                {"combinedCode", "06"}}),
          "1099-MISC payee");
    check(records, 3, with(amounts("total", 18, misc), {{"type", "C"}, {"payees", "00000001"}}), "1099-MISC end");
    check(records, 4, with(amounts("total", 18, misc), {{"type", "K"}, {"payees", "00000001"}, {"stateCode", "06"}}),
          "1099-MISC California");

    // 1099-DIV, a business in Georgia.
    const std::map<char, int64_t> div = {{'1', 2101}, {'2', 2102}, {'3', 2103}, {'5', 2105}, {'6', 2106}, {'7', 2107},
                                         {'8', 2108}, {'9', 2109}, {'A', 2110}, {'B', 2111}, {'C', 2112}, {'D', 2113},
                                         {'E', 2114}, {'F', 2115}, {'G', 2116}, {'H', 2117}, {'J', 2118}};
    check(records, 5,
          with(payer, {{"combinedFiler", "1"}, {"typeOfReturn", "1"}, {"amountCodes", "12356789ABCDEFGHJ"}}),
          "1099-DIV payer");
    check(records, 6,
          with(with(amounts("amount", 12, div), zerosTaxes),
               {{"type", "B"}, {"year", "2025"}, {"tin", "223334444"}, {"name1", "DIVIDEND HOLDINGS LLC"},
                {"address", "20 PEACH ST"}, {"city", "ATLANTA"}, {"state", "GA"}, {"zip", "30301"},
                {"country", "CANADA"}, {"fatca", "1"}, {"combinedCode", "13"}}),
          "1099-DIV payee");
    check(records, 7, with(amounts("total", 18, div), {{"type", "C"}, {"payees", "00000001"}}), "1099-DIV end");
    check(records, 8, with(amounts("total", 18, div), {{"type", "K"}, {"payees", "00000001"}, {"stateCode", "13"}}),
          "1099-DIV Georgia");

    // 1099-INT, Texas: outside the combined program, so no K and a blank A position 6;
    // the payer's routing number fills 663-722.
    const std::map<char, int64_t> interest = {{'1', 3101}, {'2', 3102}, {'3', 3103}, {'4', 3104},
                                              {'5', 3105}, {'6', 3106}, {'8', 3108}, {'9', 3109},
                                              {'A', 3110}, {'B', 3111}, {'D', 3113}, {'E', 3112}};
    check(records, 9, with(payer, {{"typeOfReturn", "6"}, {"amountCodes", "12345689ABDE"}}), "1099-INT payer");
    check(records, 10,
          with(with(amounts("amount", 12, interest), zerosTaxes),
               {{"type", "B"}, {"year", "2025"}, {"corrected", "G"}, {"tin", "123456789"}, {"name1", "INTERY"},
                {"name2", "INA"}, {"address", "1 PAYEE WAY"}, {"city", "TEXAS CITY"}, {"state", "TX"},
                {"zip", "12345"}, {"secondTin", "2"}, {"country", "MEXICO"}, {"cusip", "  CUSIP-12345"},
                {"fatca", "1"}, {"specialData", "021000021"}}),
          "1099-INT payee");
    check(records, 11, with(amounts("total", 18, interest), {{"type", "C"}, {"payees", "00000001"}}), "1099-INT end");

    // 1099-R, Ohio: box 2a under codes 2 and A; position 544 stays blank.
    const std::map<char, int64_t> r = {{'1', 4101}, {'2', 4102}, {'3', 4103}, {'4', 4104}, {'5', 4105},
                                       {'6', 4106}, {'8', 4108}, {'9', 4109}, {'A', 4102}, {'B', 4110}};
    check(records, 12, with(payer, {{"combinedFiler", "1"}, {"typeOfReturn", "9"}, {"amountCodes", "12345689AB"}}),
          "1099-R payer");
    check(records, 13,
          with(with(amounts("amount", 12, r), zerosTaxes),
               {{"type", "B"}, {"year", "2025"}, {"tin", "123456789"}, {"name1", "RETIREE"}, {"name2", "RITA"},
                {"address", "1 PAYEE WAY"}, {"city", "ANYTOWN"}, {"state", "OH"}, {"zip", "12345"},
                {"distributionCode", "G4"}, {"taxableNotDetermined", "1"}, {"iraSepSimple", "1"},
                {"totalDistribution", "1"}, {"percentage", "25"}, {"firstRothYear", "2019"}, {"fatca", "1"},
                {"dateOfPayment", "20250203"}, {"combinedCode", "39"}}),
          "1099-R payee");
    check(records, 14, with(amounts("total", 18, r), {{"type", "C"}, {"payees", "00000001"}}), "1099-R end");
    check(records, 15, with(amounts("total", 18, r), {{"type", "K"}, {"payees", "00000001"}, {"stateCode", "39"}}),
          "1099-R Ohio");

    // 1099-S: never in the combined program.
    const std::map<char, int64_t> s = {{'2', 50000000}, {'5', 123456}};
    check(records, 16, with(payer, {{"typeOfReturn", "S"}, {"amountCodes", "25"}}), "1099-S payer");
    check(records, 17,
          with(with(amounts("amount", 12, s), zerosTaxes),
               {{"type", "B"}, {"year", "2025"}, {"tin", "123456789"}, {"name1", "SELLER"}, {"name2", "SAM"},
                {"address", "1 PAYEE WAY"}, {"city", "ANYTOWN"}, {"state", "AZ"}, {"zip", "12345"},
                {"propertyOrServices", "1"}, {"closingDate", "20250607"},
                {"propertyAddress", "99 SALE RD TEMPE AZ 85281"}, {"foreignTransferor", "1"}}),
          "1099-S payee");
    check(records, 18, with(amounts("total", 18, s), {{"type", "C"}, {"payees", "00000001"}}), "1099-S end");

    // 1099-NEC, Maine: box 3 filed under code 3; Maine's state tax withheld.
    const std::map<char, int64_t> nec = {{'1', 7101}, {'3', 7103}, {'4', 7104}};
    check(records, 19, with(payer, {{"combinedFiler", "1"}, {"typeOfReturn", "NE"}, {"amountCodes", "134"}}),
          "1099-NEC payer");
    check(records, 20,
          with(amounts("amount", 12, nec),
               {{"type", "B"}, {"year", "2025"}, {"tin", "123456789"}, {"name1", "NECKER"}, {"name2", "NED"},
                {"address", "1 PAYEE WAY"}, {"city", "ANYTOWN"}, {"state", "ME"}, {"zip", "12345"},
                {"secondTin", "2"}, {"directSales", "1"}, {"stateTax", "000000007105"}, {"localTax", kZeros12},
                {"combinedCode", "23"}}),
          "1099-NEC payee");
    check(records, 21, with(amounts("total", 18, nec), {{"type", "C"}, {"payees", "00000001"}}), "1099-NEC end");
    check(records, 22, with(amounts("total", 18, nec), {{"type", "K"}, {"payees", "00000001"}, {"stateCode", "23"}}),
          "1099-NEC Maine");

    check(records, 23,
          {{"type", "F"}, {"aRecords", "00000006"}, {"zeros", std::string(21, '0')}, {"payees", "00000006"}},
          "end of transmission");
}

TEST(FireRecords, NoPayerGivesTheTransmitterAndEndRecordsOnly) {
    const Built built = firetest::buildFile(firetest::transmitter(false), {});
    ASSERT_TRUE(built.result.ok());
    const auto records = firetest::readFile(built.bytes);
    ASSERT_EQ(firetest::order(records), "TF");
    EXPECT_EQ(firetest::fieldsIn(records[0])["payees"], "00000000");
    EXPECT_EQ(firetest::fieldsIn(records[1])["aRecords"], "00000000");
    EXPECT_EQ(firetest::fieldsIn(records[1])["payees"], "00000000");
}

TEST(FireRecords, PayeeNamesAndAddresses) {
    EFilePayee person = firetest::payee(7, "Ann", "Lee", "Illinois-IL");
    person.recipient.setLastName("Recipient-Lastname");
    person.additional.setlastname("Surname");
    person.additional.setmiddleName("Middle");
    EFilePayee business = firetest::payee(7, "Ignored", "Acme & Sons, Inc.", "Illinois-IL");
    business.additional.setname_typee("Business Name");
    business.additional.setlastname("Ignored too");
    EFilePayee foreign = firetest::payee(7, "Jos\u00e9", "Mart\u00edn", "Ontario");
    foreign.recipient.setAddressIsNotUSTerritory(true);
    foreign.recipient.setCity("Toronto");
    foreign.recipient.setZip("M5V 2T6");
    foreign.recipient.setCountry("Canada");
    EFilePayee texas = firetest::payee(7, "Tex", "Ranger", "Texas-TX");
    texas.recipient.setCity("TEXAS");
    texas.recipient.setZip("75001-2345");

    const Built built = firetest::buildFile(firetest::transmitter(false),
                                            {{firetest::payerIn("Illinois-IL"), {{7, {person, business, foreign, texas}}}}});
    ASSERT_TRUE(built.result.ok());
    const auto records = firetest::readFile(built.bytes);
    ASSERT_EQ(firetest::order(records), "TABBBBCF");

    auto b = firetest::fieldsIn(records[2]);
    EXPECT_EQ(b["name1"], "SURNAME");
    EXPECT_EQ(b["name2"], "ANN MIDDLE");
    b = firetest::fieldsIn(records[3]);
    EXPECT_EQ(b["name1"], "ACME & SONS INC");
    EXPECT_EQ(b["name2"], "");
    // A foreign address: city, state text, postal code as written and country in
    // 448-498, and "1" at 287.
    b = firetest::fieldsIn(records[4]);
    EXPECT_EQ(b["foreignAddress"], "1");
    EXPECT_EQ(b["name1"], "MARTIN");
    EXPECT_EQ(b["name2"], "JOSE");
    EXPECT_EQ(b["foreignCityStateZipCountry"], "TORONTO ONTARIO M5V 2T6 CANADA");
    // A city named Texas is written like any other city.
    b = firetest::fieldsIn(records[5]);
    EXPECT_EQ(b["city"], "TEXAS");
    EXPECT_EQ(b["state"], "TX");
    EXPECT_EQ(b["zip"], "750012345");
}

TEST(FireRecords, TexasIsWrittenWithItsJustificationAndFill) {
    E_FileInfo t = firetest::transmitter(false);
    t.setCity("Texas");
    ComapnyInfo payer = firetest::payerIn("Texas-TX");
    payer.setCity1("texas");
    payer.setName("TEXAS");
    const Built built = firetest::buildFile(t, {{payer, {{7, {firetest::payee(7, "A", "B", "Texas-TX")}}}}});
    const auto records = firetest::readFile(built.bytes);
    ASSERT_EQ(firetest::order(records), "TABCF");
    EXPECT_EQ(records[0].at(230, 269), "TEXAS" + std::string(35, ' '));
    EXPECT_EQ(records[1].at(174, 213), "TEXAS" + std::string(35, ' '));
    EXPECT_EQ(records[1].at(53, 92), "TEXAS" + std::string(35, ' '));
}

TEST(FireRecords, ANonAsciiEmailKeepsEveryRecordAt750PrintableBytes) {
    E_FileInfo t = firetest::transmitter(false);
    t.setEmail("jos\u00e9.n\u00fa\u00f1ez@caf\u00e9.example\u2122");
    t.setContact("Ren\u00e9e \u00d8stergaard");
    ComapnyInfo payer = firetest::payerIn("Illinois-IL");
    payer.setName("Caf\u00e9 \u00c9toile \u4e2d");
    const Built built = firetest::buildFile(t, {{payer, {{1, {firetest::payee(1, "Zo\u00eb", "M\u00fcller", "Ohio-OH")}}}}});
    ASSERT_TRUE(built.result.ok());
    const auto records = firetest::readFile(built.bytes);  // checks length and bytes
    ASSERT_EQ(firetest::order(records), "TABCF");
    auto t0 = firetest::fieldsIn(records[0]);
    EXPECT_EQ(t0["email"], "jose.nunez@cafe.example");
    EXPECT_EQ(t0["contact"], "RENEE OSTERGAARD");
    EXPECT_EQ(firetest::fieldsIn(records[1])["name"], "CAFE ETOILE");
    EXPECT_EQ(firetest::fieldsIn(records[2])["name1"], "MULLER");
    EXPECT_EQ(firetest::fieldsIn(records[2])["name2"], "ZOE");
}

// ---- positions 663-750 by form kind, state and combined filing ---------------------

struct StateCase {
    const char* what;
    int32_t kind;
    const char* payerState;
    const char* oregonBin;
    const char* recipientState;
    bool combined;
    std::function<void(RecipientInfo&)> boxes;
    std::map<int, std::string> special;  // pieces of 663-722 by position
    std::string stateTax;                // 723-734, trailing blanks removed
    std::string localTax;                // 735-746
    std::string combinedCode;            // 747-748
    bool combinedFiler;                  // A position 6, and one K record
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.what; }

const std::string Z = kZeros12;
const char* const kFallbackWI = "036888888888801";

void miscBoxes(RecipientInfo& r, const std::string& box17) {
    r.setLine16_1_Misc("16.16");
    r.setLine17_1_Misc(box17);
    r.setLine18_1_Misc("250.00");
}

const StateCase kStateCases[] = {
    // 1099-MISC
    {"MISC Oregon payer with its number, combined off", 1, "Oregon-OR", "12345", "California-CA", false,
     [](RecipientInfo& r) { miscBoxes(r, "OR-1"); }, {{663, "00012345"}, {671, "000000000"}, {680, "OR"}, {682, "000000025000"}},
     "000000001616", Z, "", false},
    {"MISC Oregon payer without a number, combined on", 1, "Oregon-OR", "", "California-CA", true,
     [](RecipientInfo& r) { miscBoxes(r, ""); }, {{663, "00000000"}, {671, "123456789"}, {680, "OR"}, {682, "000000025000"}},
     "000000001616", Z, "06", true},
    {"MISC Oregon payer wins over a Wisconsin payee", 1, "Oregon-OR", "7", "Wisconsin-WI", true,
     [](RecipientInfo& r) { miscBoxes(r, "WI/036999"); }, {{663, "00000007"}, {671, "000000000"}, {680, "OR"}, {682, "000000025000"}},
     "000000001616", Z, "55", true},
    {"MISC Wisconsin ID after WI slash", 1, "Illinois-IL", "", "Wisconsin-WI", true,
     [](RecipientInfo& r) { miscBoxes(r, "WI/036999"); }, {{663, "036999"}, {683, "55"}}, "000000001616", Z, "55", true},
    {"MISC Wisconsin ID after bare WI", 1, "Illinois-IL", "", "Wisconsin-WI", true,
     [](RecipientInfo& r) { miscBoxes(r, "WI036999"); }, {{663, "036999"}, {683, "55"}}, "000000001616", Z, "55", true},
    {"MISC Wisconsin ID without prefix kept whole", 1, "Illinois-IL", "", "Wisconsin-WI", true,
     [](RecipientInfo& r) { miscBoxes(r, "036999"); }, {{663, "036999"}, {683, "55"}}, "000000001616", Z, "55", true},
    {"MISC Wisconsin fallback ID", 1, "Illinois-IL", "", "Wisconsin-WI", true, [](RecipientInfo&) {},
     {{663, kFallbackWI}, {683, "55"}}, Z, Z, "55", true},
    {"MISC Wisconsin combined off", 1, "Illinois-IL", "", "Wisconsin-WI", false,
     [](RecipientInfo& r) { miscBoxes(r, "WI/036999"); }, {}, Z, Z, "", false},
    {"MISC Kentucky ID after KY slash", 1, "Illinois-IL", "", "Kentucky-KY", true,
     [](RecipientInfo& r) { miscBoxes(r, "KY/12345"); }, {{663, "21"}, {665, "12345"}}, "000000001616", Z, "", false},
    {"MISC Kentucky ID after bare KY", 1, "Illinois-IL", "", "Kentucky-KY", true,
     [](RecipientInfo& r) { miscBoxes(r, "KY12345"); }, {{663, "21"}, {665, "12345"}}, "000000001616", Z, "", false},
    {"MISC Kentucky ID without prefix kept whole", 1, "Illinois-IL", "", "Kentucky-KY", true,
     [](RecipientInfo& r) { miscBoxes(r, "12345"); }, {{663, "21"}, {665, "12345"}}, "000000001616", Z, "", false},
    {"MISC Kentucky combined off", 1, "Illinois-IL", "", "Kentucky-KY", false,
     [](RecipientInfo& r) { miscBoxes(r, "KY/12345"); }, {}, Z, Z, "", false},
    {"MISC Maine combined on", 1, "Illinois-IL", "", "Maine-ME", true, [](RecipientInfo& r) { miscBoxes(r, "ME1"); },
     {}, Z, Z, "23", true},
    {"MISC North Carolina combined on", 1, "Illinois-IL", "", "North Carolina-NC", true,
     [](RecipientInfo& r) { miscBoxes(r, "NC1"); }, {}, Z, Z, "37", true},
    {"MISC Maine combined off", 1, "Illinois-IL", "", "Maine-ME", false, [](RecipientInfo& r) { miscBoxes(r, "ME1"); },
     {}, Z, Z, "", false},
    {"MISC other state combined off", 1, "Illinois-IL", "", "Ohio-OH", false,
     [](RecipientInfo& r) { miscBoxes(r, "OH1"); }, {}, Z, Z, "", false},
    // 1099-DIV
    {"DIV Kentucky combined on", 2, "Illinois-IL", "", "Kentucky-KY", true,
     [](RecipientInfo& r) {
         r.setDiv_Line13_1("KY-998877");
         r.setDiv_Line14_1("14.14");
     },
     {{663, "21"}, {665, "998877"}}, "000000001414", Z, "", false},
    {"DIV Kentucky combined off", 2, "Illinois-IL", "", "Kentucky-KY", false,
     [](RecipientInfo& r) { r.setDiv_Line14_1("14.14"); }, {}, Z, Z, "", false},
    {"DIV Ohio combined on", 2, "Illinois-IL", "", "Ohio-OH", true, [](RecipientInfo& r) { r.setDiv_Line14_1("14.14"); },
     {}, Z, Z, "39", true},
    {"DIV other state combined off", 2, "Illinois-IL", "", "Ohio-OH", false,
     [](RecipientInfo& r) { r.setDiv_Line14_1("14.14"); }, {}, Z, Z, "", false},
    // 1099-INT
    {"INT Kentucky state number and state tax withheld", 3, "Illinois-IL", "", "Kentucky-KY", true,
     [](RecipientInfo& r) {
         r.setInt_payerRTN("021000021");
         r.setInt_Line12("CUSIP999");
         r.setInt_Line13_1("Kentucky-KY");
         r.setInt_Line14_1("KY55555");
         r.setInt_Line15_1("17.17");
     },
     {{663, "21"}, {665, "55555"}}, "000000001717", Z, "", false},
    {"INT Kentucky combined off keeps the routing number", 3, "Illinois-IL", "", "Kentucky-KY", false,
     [](RecipientInfo& r) {
         r.setInt_payerRTN("021000021");
         r.setInt_Line15_1("17.17");
     },
     {{663, "021000021"}}, Z, Z, "", false},
    {"INT California combined on", 3, "Illinois-IL", "", "California-CA", true,
     [](RecipientInfo& r) { r.setInt_payerRTN("rtn 021-000-021"); }, {{663, "RTN 021-000-021"}}, Z, Z, "06", true},
    {"INT California combined off", 3, "Illinois-IL", "", "California-CA", false,
     [](RecipientInfo& r) { r.setInt_payerRTN("021000021"); }, {{663, "021000021"}}, Z, Z, "", false},
    // 1099-R
    {"R Kentucky combined on", 4, "Oregon-OR", "5", "Kentucky-KY", true,
     [](RecipientInfo& r) {
         r.setR_Line12_1("12.12");
         r.setR_Line13_1("KY/4444");
         r.setR_Line15_1("15.15");
     },
     {{663, "21"}, {665, "4444"}}, "000000001212", "000000001515", "", false},
    {"R Kentucky combined off", 4, "Illinois-IL", "", "Kentucky-KY", false,
     [](RecipientInfo& r) { r.setR_Line12_1("12.12"); }, {}, Z, Z, "", false},
    {"R Oregon payer combined off", 4, "Oregon-OR", "", "California-CA", false,
     [](RecipientInfo& r) {
         r.setR_Line12_1("12.12");
         r.setR_Line15_1("15.15");
     },
     {{663, "00000000"}, {671, "123456789"}, {680, "OR"}}, "000000001212", "000000001515", "", false},
    {"R Wisconsin combined on", 4, "Illinois-IL", "", "Wisconsin-WI", true,
     [](RecipientInfo& r) {
         r.setR_Line12_1("12.12");
         r.setR_Line13_1("WI/77");
         r.setR_Line15_1("15.15");
     },
     {{663, "77"}, {683, "55"}}, "000000001212", "", "55", true},
    {"R Wisconsin fallback ID", 4, "Illinois-IL", "", "Wisconsin-WI", true, [](RecipientInfo&) {},
     {{663, kFallbackWI}, {683, "55"}}, Z, "", "55", true},
    {"R Wisconsin combined off", 4, "Illinois-IL", "", "Wisconsin-WI", false,
     [](RecipientInfo& r) { r.setR_Line12_1("12.12"); }, {}, Z, Z, "", false},
    {"R Oregon payer combined on", 4, "Oregon-OR", "77", "Ohio-OH", true,
     [](RecipientInfo& r) {
         r.setR_Line12_1("12.12");
         r.setR_Line15_1("15.15");
     },
     {{663, "00000077"}, {671, "000000000"}, {680, "OR"}}, "000000001212", "000000001515", "39", true},
    {"R other state combined on", 4, "Illinois-IL", "", "Ohio-OH", true, [](RecipientInfo& r) { r.setR_Line12_1("12.12"); },
     {}, Z, Z, "39", true},
    {"R other state combined off", 4, "Illinois-IL", "", "Ohio-OH", false,
     [](RecipientInfo& r) { r.setR_Line12_1("12.12"); }, {}, Z, Z, "", false},
    // 1099-S
    {"S never in the combined program", 5, "Oregon-OR", "5", "California-CA", true,
     [](RecipientInfo& r) { r.setS_Line2("100.00"); }, {}, Z, Z, "", false},
    // 1099-NEC
    {"NEC Kentucky combined on", 7, "Illinois-IL", "", "Kentucky-KY", true,
     [](RecipientInfo& r) {
         r.setLine5_1_NEC("150.00");
         r.setLine6_1_NEC("KY/5555");
     },
     {{663, "21"}, {665, "5555"}}, "000000015000", Z, "", false},
    {"NEC Kentucky combined off", 7, "Illinois-IL", "", "Kentucky-KY", false,
     [](RecipientInfo& r) { r.setLine5_1_NEC("150.00"); }, {}, Z, Z, "", false},
    {"NEC Wisconsin combined on", 7, "Illinois-IL", "", "Wisconsin-WI", true,
     [](RecipientInfo& r) {
         r.setLine5_1_NEC("150.00");
         r.setLine6_1_NEC("WI/123");
     },
     {{663, "123"}, {683, "55"}}, "000000015000", Z, "55", true},
    {"NEC Wisconsin fallback ID", 7, "Illinois-IL", "", "Wisconsin-WI", true,
     [](RecipientInfo& r) { r.setLine5_1_NEC("150.00"); }, {{663, kFallbackWI}, {683, "55"}}, "000000015000", Z, "55",
     true},
    {"NEC Wisconsin combined off", 7, "Illinois-IL", "", "Wisconsin-WI", false,
     [](RecipientInfo& r) { r.setLine6_1_NEC("WI/123"); }, {}, Z, Z, "", false},
    {"NEC Maine combined on", 7, "Illinois-IL", "", "Maine-ME", true, [](RecipientInfo& r) { r.setLine5_1_NEC("1,150.00"); },
     {}, "000000115000", Z, "23", true},
    {"NEC Maine combined off", 7, "Illinois-IL", "", "Maine-ME", false, [](RecipientInfo& r) { r.setLine5_1_NEC("150.00"); },
     {}, Z, Z, "", false},
    {"NEC North Carolina combined on", 7, "Illinois-IL", "", "North Carolina-NC", true,
     [](RecipientInfo& r) {
         r.setLine5_1_NEC("150.00");
         r.setLine7_1_NEC("300.00");
     },
     {{711, "30000"}}, "000000015000", Z, "37", true},
    {"NEC North Carolina combined off", 7, "Illinois-IL", "", "North Carolina-NC", false,
     [](RecipientInfo& r) { r.setLine7_1_NEC("300.00"); }, {}, Z, Z, "", false},
    {"NEC Oklahoma combined on", 7, "Illinois-IL", "", "Oklahoma-OK", true, [](RecipientInfo& r) { r.setLine5_1_NEC("1.00"); },
     {}, Z, Z, "40", true},
    {"NEC Oklahoma combined off", 7, "Illinois-IL", "", "Oklahoma-OK", false,
     [](RecipientInfo& r) { r.setLine5_1_NEC("1.00"); }, {}, Z, Z, "", false},
    {"NEC Texas outside the combined program", 7, "Illinois-IL", "", "Texas-TX", true,
     [](RecipientInfo& r) { r.setLine5_1_NEC("1.00"); }, {}, Z, Z, "", false},
};

class FireStatePositions : public ::testing::TestWithParam<StateCase> {};

TEST_P(FireStatePositions, ByKindStateAndCombinedFiling) {
    const StateCase& c = GetParam();
    EFilePayee p = firetest::payee(c.kind, "Pat", "Payee", c.recipientState);
    c.boxes(p.recipient);
    ComapnyInfo payer = firetest::payerIn(c.payerState);
    payer.setOregonBIN(c.oregonBin);
    const Built built = firetest::buildFile(firetest::transmitter(c.combined), {{payer, {{c.kind, {p}}}}});
    ASSERT_TRUE(built.result.ok()) << built.result.message;
    const auto records = firetest::readFile(built.bytes);
    ASSERT_EQ(firetest::order(records), c.combinedFiler ? "TABCKF" : "TABCF");
    EXPECT_EQ(firetest::fieldsIn(records[1])["combinedFiler"], c.combinedFiler ? "1" : "");
    auto b = firetest::fieldsIn(records[2]);
    EXPECT_EQ(b["specialData"], firetest::placed(663, 60, c.special));
    EXPECT_EQ(b["stateTax"], c.stateTax);
    EXPECT_EQ(b["localTax"], c.localTax);
    EXPECT_EQ(b["combinedCode"], c.combinedCode);
    EXPECT_EQ(records[2].at(749, 750), "  ");
    if (c.combinedFiler) {
        EXPECT_EQ(firetest::fieldsIn(records[4])["stateCode"], c.combinedCode);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, FireStatePositions, ::testing::ValuesIn(kStateCases),
                         [](const auto& test) { return firetest::caseName(test.param.what); });

TEST(FireRecords, KRecordsGroupPayeesByStateInOrderOfFirstAppearance) {
    auto misc = [](const char* state, const char* box1) {
        EFilePayee p = firetest::payee(1, "A", "B", state);
        p.recipient.setLine1_Misc(box1);
        return p;
    };
    const std::vector<EFilePayee> payees = {misc("Georgia-GA", "1.00"), misc("California-CA", "2.00"),
                                            misc("Texas-TX", "4.00"), misc("Georgia-GA", "8.00"),
                                            misc("California-CA", "16.00")};
    const Built built =
        firetest::buildFile(firetest::transmitter(true), {{firetest::payerIn("Illinois-IL"), {{1, payees}}}});
    const auto records = firetest::readFile(built.bytes);
    ASSERT_EQ(firetest::order(records), "TABBBBBCKKF");
    auto c = firetest::fieldsIn(records[7]);
    EXPECT_EQ(c["payees"], "00000005");
    EXPECT_EQ(c["total1"], "000000000000003100");
    auto georgia = firetest::fieldsIn(records[8]);
    EXPECT_EQ(georgia["stateCode"], "13");
    EXPECT_EQ(georgia["payees"], "00000002");
    EXPECT_EQ(georgia["total1"], "000000000000000900");
    auto california = firetest::fieldsIn(records[9]);
    EXPECT_EQ(california["stateCode"], "06");
    EXPECT_EQ(california["payees"], "00000002");
    EXPECT_EQ(california["total1"], "000000000000001800");
}

// ---- amounts too long for their fields ----------------------------------------------

struct LongAmountCase {
    const char* what;
    int32_t kind;
    const char* state;
    std::function<void(RecipientInfo&)> boxes;
    const char* box;
};

void PrintTo(const LongAmountCase& c, std::ostream* os) { *os << c.what; }

class FireLongAmounts : public ::testing::TestWithParam<LongAmountCase> {};

TEST_P(FireLongAmounts, RefuseTheFileNamingRecipientAndBox) {
    const LongAmountCase& c = GetParam();
    EFilePayee fine = firetest::payee(c.kind, "Fay", "Fine", c.state);
    EFilePayee big = firetest::payee(c.kind, "Bea", "Bigg", c.state);
    c.boxes(big.recipient);
    const Built built =
        firetest::buildFile(firetest::transmitter(true), {{firetest::payerIn("Illinois-IL"), {{c.kind, {fine, big}}}}});
    EXPECT_EQ(built.result.failure, EFileResult::Failure::refused);
    EXPECT_NE(built.result.message.find("Bea Bigg"), std::string::npos) << built.result.message;
    EXPECT_NE(built.result.message.find(std::string(c.box) + " "), std::string::npos) << built.result.message;
    // No record of the refused payee and nothing after it.
    EXPECT_EQ(built.bytes.size(), 3u * 750u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FireLongAmounts,
    ::testing::Values(
        LongAmountCase{"a 13 digit box 1 of a 1099-NEC", 7, "Ohio-OH",
                       [](RecipientInfo& r) { r.setLine1_NEC("10000000000.00"); }, "Box 1"},
        LongAmountCase{"a 1099-R box 9b beyond 64 bits", 4, "Ohio-OH",
                       [](RecipientInfo& r) { r.setR_Line9b("99999999999999999999.00"); }, "Box 9b"},
        LongAmountCase{"a 13 digit Maine state tax", 7, "Maine-ME",
                       [](RecipientInfo& r) { r.setLine5_1_NEC("12345678901.23"); }, "Box 5"},
        LongAmountCase{"a 13 digit Kentucky state tax", 1, "Kentucky-KY",
                       [](RecipientInfo& r) { r.setLine16_1_Misc("10000000000.00"); }, "Box 16"}),
    [](const auto& test) { return firetest::caseName(test.param.what); });

TEST(FireRecords, TwelveDigitAmountsFitAndLeadingZerosDoNotCount) {
    EFilePayee p = firetest::payee(7, "Max", "Most", "Maine-ME");
    p.recipient.setLine1_NEC("9,999,999,999.99");
    p.recipient.setLine5_1_NEC("0009999999999.99");
    const Built built =
        firetest::buildFile(firetest::transmitter(true), {{firetest::payerIn("Illinois-IL"), {{7, {p, p, p}}}}});
    ASSERT_TRUE(built.result.ok()) << built.result.message;
    const auto records = firetest::readFile(built.bytes);
    auto b = firetest::fieldsIn(records[2]);
    EXPECT_EQ(b["amount1"], "999999999999");
    EXPECT_EQ(b["stateTax"], "999999999999");
    EXPECT_EQ(firetest::fieldsIn(records[5])["total1"], "000002999999999997");
}

// Each text of the shared amount table in a federal amount (box 1, with the C total)
// and in the state tax position of a combined Maine payee (box 5 at 723-734).
TEST(FireRecords, AmountsOfTheSharedTableOrARefusalNamingRecipientAndBox) {
    using amounttable::zeroFilled;
    for (const amounttable::AmountCase& c : amounttable::cases()) {
        for (const bool stateTax : {false, true}) {
            SCOPED_TRACE('"' + c.text + (stateTax ? "\" in box 5" : "\" in box 1"));
            EFilePayee p = firetest::payee(7, "Ann", "Lee", "Maine-ME");
            p.recipient.setLine1_NEC(stateTax ? "10.00" : c.text);
            p.recipient.setLine5_1_NEC(stateTax ? c.text : "1.00");
            const Built built =
                firetest::buildFile(firetest::transmitter(true), {{firetest::payerIn("Illinois-IL"), {{7, {p}}}}});
            if (amounttable::isRefused(c.outcome)) {
                EXPECT_EQ(built.result.failure, EFileResult::Failure::refused);
                EXPECT_NE(built.result.message.find(std::string(stateTax ? "Box 5" : "Box 1") + " of the 1099-NEC of Ann Lee"),
                          std::string::npos)
                    << built.result.message;
                if (c.outcome == amounttable::Outcome::refused) {
                    EXPECT_NE(built.result.message.find('"' + c.text + '"'), std::string::npos) << built.result.message;
                }
                EXPECT_EQ(built.bytes.size(), 2u * 750u);  // T and A only
                continue;
            }
            ASSERT_TRUE(built.result.ok()) << built.result.message;
            const auto records = firetest::readFile(built.bytes);
            ASSERT_EQ(firetest::order(records), "TABCKF");
            auto b = firetest::fieldsIn(records[2]);
            EXPECT_EQ(b["amount1"], zeroFilled(stateTax ? 1000 : c.cents, 12));
            EXPECT_EQ(b["stateTax"], zeroFilled(stateTax ? c.cents : 100, 12));
            EXPECT_EQ(firetest::fieldsIn(records[3])["total1"], zeroFilled(stateTax ? 1000 : c.cents, 18));
            EXPECT_EQ(firetest::fieldsIn(records[4])["total1"], zeroFilled(stateTax ? 1000 : c.cents, 18));
        }
    }
}

TEST(FireRecords, AGroupThatHoldsAnotherNumberOfPayeesThanAnnouncedFails) {
    const Built built = firetest::buildFile(
        firetest::transmitter(false),
        {{firetest::payerIn("Illinois-IL"), {{7, {firetest::payee(7, "A", "B", "Ohio-OH")}}}}}, nullptr, 2);
    EXPECT_FALSE(built.result.ok());
    EXPECT_EQ(built.bytes.size(), 4u * 750u);  // T A B C, no F
}

// ---- dates, codes and years as the entry windows take them ----------------------------

// Every date of the shared table at 1099-R 557-564 and 1099-S 548-555: written as
// YYYYMMDD, blank when empty, or the file refused naming the payee, the box and the text.
TEST(FireRecords, DatesAreWrittenAsTheDateReaderReadsThemOrRefuseTheFile) {
    for (const datetable::DateCase& c : datetable::cases()) {
        SCOPED_TRACE('"' + c.text + '"');
        EFilePayee r = firetest::payee(4, "Ruth", "Ng", "Ohio-OH");
        r.recipient.setR_DateOfPayment(c.text);
        EFilePayee s = firetest::payee(5, "Sam", "Sold", "Ohio-OH");
        s.recipient.setS_Line1(c.text);
        for (const auto& [payee, field, box] : {std::tuple{r, "dateOfPayment", "Box 13 of the 1099-R of Ruth Ng"},
                                                std::tuple{s, "closingDate", "Box 1 of the 1099-S of Sam Sold"}}) {
            const Built built = firetest::buildFile(firetest::transmitter(false),
                                                    {{firetest::payerIn("Ohio-OH"), {{payee.recipient.getType(), {payee}}}}});
            if (c.refused) {
                EXPECT_EQ(built.result.failure, EFileResult::Failure::refused);
                EXPECT_NE(built.result.message.find("the date \"" + c.text + "\" in " + box), std::string::npos)
                    << built.result.message;
                continue;
            }
            ASSERT_TRUE(built.result.ok()) << built.result.message;
            const auto records = firetest::readFile(built.bytes);
            // An empty date leaves the field blank (read back trimmed).
            EXPECT_EQ(firetest::fieldsIn(records.at(2))[field], c.yearMonthDay);
        }
    }
}

// A distribution code or a first Roth year that the 1099-R window would refuse is not
// filed cut short ("IN", "INVA"): the file is refused, naming the box and the text.
TEST(FireRecords, CodesAndYearsTheEntryWindowRefusesRefuseTheFile) {
    struct Case {
        const char* name;
        std::function<void(RecipientInfo&)> set;
        const char* refusal;  // "" when filed
        const char* code;     // as read back, trimmed
        const char* year;
    } cases[] = {
        {"valid", [](RecipientInfo& r) { r.setR_Line7("g4"); r.setR_Line11(2019); }, "", "G4", "2019"},
        {"empty", [](RecipientInfo& r) { r.setR_Line7(""); r.setR_Line11(-1); }, "", "", ""},
        {"neverWritten", [](RecipientInfo& r) { r.setR_Line11(0); }, "", "", ""},
        {"codeINVALID", [](RecipientInfo& r) { r.setR_Line7("INVALID"); },
         "the distribution code \"INVALID\" in Box 7 of the 1099-R of Ruth Ng", "", ""},
        {"codeZ", [](RecipientInfo& r) { r.setR_Line7("Z"); }, "\"Z\" in Box 7", "", ""},
        {"yearMinusTwo", [](RecipientInfo& r) { r.setR_Line11(-2); },
         "the year \"INVALID\" in Box 11 of the 1099-R of Ruth Ng", "", ""},
        {"yearTwoDigits", [](RecipientInfo& r) { r.setR_Line11(19); }, "\"19\" in Box 11", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EFilePayee p = firetest::payee(4, "Ruth", "Ng", "Ohio-OH");
        c.set(p.recipient);
        const Built built =
            firetest::buildFile(firetest::transmitter(false), {{firetest::payerIn("Ohio-OH"), {{4, {p}}}}});
        if (*c.refusal) {
            EXPECT_EQ(built.result.failure, EFileResult::Failure::refused);
            EXPECT_NE(built.result.message.find(c.refusal), std::string::npos) << built.result.message;
            continue;
        }
        ASSERT_TRUE(built.result.ok()) << built.result.message;
        auto b = firetest::fieldsIn(firetest::readFile(built.bytes).at(2));
        EXPECT_EQ(b["distributionCode"], c.code);
        EXPECT_EQ(b["firstRothYear"], c.year);
    }
}

// A line break kept in a stored text (CR LF, LF or a tab) parts the words as a blank.
TEST(FireRecords, StoredControlCharactersBecomeBlanks) {
    EFilePayee p = firetest::payee(7, "Nora", "O'Brien\r\nHoldings", "Ohio-OH");
    p.recipient.setAddress("2 Oak\r\nSuite 5");
    p.recipient.setCity("Spring\tfield");
    const Built built = firetest::buildFile(firetest::transmitter(false), {{firetest::payerIn("Ohio-OH"), {{7, {p}}}}});
    ASSERT_TRUE(built.result.ok()) << built.result.message;
    auto b = firetest::fieldsIn(firetest::readFile(built.bytes).at(2));
    EXPECT_EQ(firetest::rtrim(b["address"]), "2 OAK SUITE 5");
    EXPECT_EQ(firetest::rtrim(b["name1"]), "OBRIEN HOLDINGS");
    EXPECT_EQ(firetest::rtrim(b["city"]), "SPRING FIELD");
}

// ---- names in refusals, foreign addresses and "None", Kentucky identifiers -----------

TEST(FireRecords, ARefusalNamesAnIndividualByItsOwnNameNeverByTheStoredPayerName) {
    // The entry windows keep the payer's name in an individual's LastName.
    EFilePayee named = firetest::payee(7, "Bea", "Bigg", "Ohio-OH");
    named.recipient.setLastName("Prairie Payer & Sons");
    named.recipient.setLine1_NEC("12345678901234.00");
    EFilePayee imported = firetest::payee(7, "Bo", "", "Ohio-OH");  // imported: no surname
    imported.recipient.setLastName("Prairie Payer & Sons");
    imported.recipient.setLine1_NEC("12345678901234.00");
    for (const auto& [payee, name] : {std::pair{named, "Bea Bigg"}, std::pair{imported, "of Bo is"}}) {
        const Built built =
            firetest::buildFile(firetest::transmitter(false), {{firetest::payerIn("Ohio-OH"), {{7, {payee}}}}});
        EXPECT_EQ(built.result.failure, EFileResult::Failure::refused);
        EXPECT_NE(built.result.message.find(name), std::string::npos) << built.result.message;
        EXPECT_EQ(built.result.message.find("Prairie"), std::string::npos) << built.result.message;
    }
}

// A foreign address has a province, not a state, whatever its text; "None" is no state.
// Under combined filing neither gets a state code, a combined code or a K record, and
// a payer and kind with only such payees is no combined filer.
TEST(FireRecords, ForeignAddressesAndStateNoneGetNoStateCodeAndNoKRecord) {
    auto foreign = [](const char* province) {
        EFilePayee p = firetest::payee(1, "Fran", "Foreign", province);
        p.recipient.setAddressIsNotUSTerritory(true);
        p.recipient.setCountry("France");
        p.recipient.setLine1_Misc("10.00");
        return p;
    };
    EFilePayee none = firetest::payee(1, "Nora", "None", "None");
    none.recipient.setLine1_Misc("20.00");
    const std::vector<EFilePayee> payees = {foreign("\u00cele-de-France"), foreign("Provence-Alpes-C\u00f4te d'Azur"),
                                            foreign("Delaware-DE"), none};
    for (int32_t kind : {1, 7}) {
        SCOPED_TRACE(kind);
        std::vector<EFilePayee> ofKind = payees;
        for (auto& p : ofKind) {
            p.recipient.setType(kind);
            p.recipient.setLine1_NEC("10.00");
        }
        const Built built =
            firetest::buildFile(firetest::transmitter(true), {{firetest::payerIn("Illinois-IL"), {{kind, ofKind}}}});
        ASSERT_TRUE(built.result.ok()) << built.result.message;
        const auto records = firetest::readFile(built.bytes);
        ASSERT_EQ(firetest::order(records), "TABBBBCF");
        EXPECT_EQ(firetest::fieldsIn(records[1])["combinedFiler"], "");
        for (std::size_t i = 2; i < 6; ++i) {
            auto b = firetest::fieldsIn(records[i]);
            EXPECT_EQ(b["combinedCode"], "") << i;
            EXPECT_EQ(b["state"], "") << i;
            EXPECT_EQ(b["specialData"], "") << i;
        }
        EXPECT_EQ(firetest::fieldsIn(records[2])["foreignCityStateZipCountry"],
                  "ANYTOWN ILE-DE-FRANCE 12345 FRANCE");
    }

    // Beside a Georgia payee, only Georgia has a K record, of one payee.
    std::vector<EFilePayee> mixed = payees;
    mixed.push_back(firetest::payee(1, "Gus", "Georgian", "Georgia-GA"));
    mixed.back().recipient.setLine1_Misc("40.00");
    const Built built =
        firetest::buildFile(firetest::transmitter(true), {{firetest::payerIn("Illinois-IL"), {{1, mixed}}}});
    const auto records = firetest::readFile(built.bytes);
    ASSERT_EQ(firetest::order(records), "TABBBBBCKF");
    EXPECT_EQ(firetest::fieldsIn(records[1])["combinedFiler"], "1");
    auto k = firetest::fieldsIn(records[8]);
    EXPECT_EQ(k["stateCode"], "13");
    EXPECT_EQ(k["payees"], "00000001");
    EXPECT_EQ(k["total1"], "000000000000004000");
}

// Kentucky's state identifier loses a leading "KY/", "KY-" or "KY" in every kind that
// files it; the code elsewhere in the text is kept.
TEST(FireRecords, TheKentuckyPrefixIsStrippedInEveryKind) {
    struct Kind {
        int32_t kind;
        std::function<void(RecipientInfo&, const std::string&)> id;
    };
    const Kind kinds[] = {
        {1, [](RecipientInfo& r, const std::string& id) { r.setLine17_1_Misc(id); r.setLine16_1_Misc("1.00"); }},
        {2, [](RecipientInfo& r, const std::string& id) { r.setDiv_Line13_1(id); r.setDiv_Line14_1("1.00"); }},
        {3, [](RecipientInfo& r, const std::string& id) { r.setInt_Line14_1(id); r.setInt_Line15_1("1.00"); }},
        {4, [](RecipientInfo& r, const std::string& id) { r.setR_Line13_1(id); r.setR_Line12_1("1.00"); }},
        {7, [](RecipientInfo& r, const std::string& id) { r.setLine6_1_NEC(id); r.setLine5_1_NEC("1.00"); }},
    };
    const std::pair<const char*, const char*> ids[] = {
        {"KY/123456", "123456"}, {"KY123456", "123456"}, {"ky/123456", "123456"}, {"KY-123456", "123456"},
        {"123456", "123456"},    {"1234KY56", "1234KY56"}, {"KY", ""},
        // The blanks around the separator are part of the prefix.
        {"KY 123456", "123456"}, {"KY / 123456", "123456"}, {"ky-  123456", "123456"},
    };
    for (const Kind& k : kinds) {
        for (const auto& [id, expected] : ids) {
            SCOPED_TRACE(std::to_string(k.kind) + " " + id);
            EFilePayee p = firetest::payee(k.kind, "Kay", "Kentuckian", "Kentucky-KY");
            k.id(p.recipient, id);
            const Built built =
                firetest::buildFile(firetest::transmitter(true), {{firetest::payerIn("Ohio-OH"), {{k.kind, {p}}}}});
            ASSERT_TRUE(built.result.ok()) << built.result.message;
            const auto records = firetest::readFile(built.bytes);
            EXPECT_EQ(firetest::rtrim(records[2].at(665, 684)), expected);
        }
    }
    EXPECT_EQ(EFile::withoutStatePrefix("WI/036888", "WI"), "036888");

    // Wisconsin's identifier likewise, through the payee record (663-677).
    for (const char* id : {"WI 036888", "WI-036888", "wi / 036888"}) {
        SCOPED_TRACE(id);
        EFilePayee p = firetest::payee(7, "Wes", "Badger", "Wisconsin-WI");
        p.recipient.setLine6_1_NEC(id);
        p.recipient.setLine5_1_NEC("1.00");
        const Built built =
            firetest::buildFile(firetest::transmitter(true), {{firetest::payerIn("Ohio-OH"), {{7, {p}}}}});
        ASSERT_TRUE(built.result.ok()) << built.result.message;
        EXPECT_EQ(firetest::rtrim(firetest::readFile(built.bytes)[2].at(663, 677)), "036888");
    }
}

}  // namespace
