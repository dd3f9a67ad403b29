// The IRIS bulk-upload file built from records in memory: the header of every form
// kind, one line of every kind read back by an RFC 4180 reader, the value rules, the
// quoting of values that hold commas, quotes or line breaks, and the split into files
// of 100 recipients.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "AmountTable.h"
#include "DateTable.h"
#include "IrisCsv.h"
#include "core/efile/IrisFile.h"

namespace {

using iristest::readCsv;
using iristest::Row;

// ---- transcription of the column titles ----

const Row kPayerTitles = {"Form Type",
                          "Tax Year",
                          "Payer TIN Type",
                          "Payer Taxpayer ID Number",
                          "Payer Name Type",
                          "Payer Business or Entity Name Line 1",
                          "Payer Business or Entity Name Line 2",
                          "Payer First Name",
                          "Payer Middle Name",
                          "Payer Last Name (Surname)",
                          "Payer Suffix",
                          "Payer Country",
                          "Payer Address Line 1",
                          "Payer Address Line 2",
                          "Payer City/Town",
                          "Payer State/Province/Territory",
                          "Payer ZIP/Postal Code",
                          "Payer Phone Type",
                          "Payer Phone"};

const Row kFilerTitles = {"Form Type",
                          "Tax Year",
                          "Filer Taxpayer ID Type",
                          "Filer Taxpayer ID Number",
                          "Filer Name Type",
                          "Filer Business or Entity Name Line 1",
                          "Filer Business or Entity Name Line 2",
                          "Filer First Name",
                          "Filer Middle Name",
                          "Filer Last Name",
                          "Filer Suffix",
                          "Filer Country",
                          "Filer Address Line 1",
                          "Filer Address Line 2",
                          "Filer City/Town",
                          "Filer State/Province/Territory",
                          "Filer ZIP/Postal Code",
                          "Filer Phone Type",
                          "Filer Phone"};

Row recipientTitles(const std::string& lastName) {
    return {"Recipient TIN Type",
            "Recipient Taxpayer ID Number",
            "Recipient Name Type",
            "Recipient Business or Entity Name Line 1",
            "Recipient Business or Entity Name Line 2",
            "Recipient First Name",
            "Recipient Middle Name",
            lastName,
            "Recipient Suffix",
            "Recipient Country",
            "Recipient Address Line 1",
            "Recipient Address Line 2",
            "Recipient City/Town",
            "Recipient State/Province/Territory",
            "Recipient ZIP/Postal Code",
            "Office Code",
            "Form Account Number"};
}

const Row kTransferorTitles = {"Transferor Taxpayer ID Type",
                               "Transferor Taxpayer ID Number",
                               "Transferor Name Type",
                               "Transferor Business or Entity Name Line 1",
                               "Transferor Business or Entity Name Line 2",
                               "Transferor First Name",
                               "Transferor Middle Name",
                               "Transferor Last Name",
                               "Transferor Suffix",
                               "Transferor Country",
                               "Transferor Address Line 1",
                               "Transferor Address Line 2",
                               "Transferor City/Town",
                               "Transferor State/Province/Territory",
                               "Transferor ZIP/Postal Code",
                               "Office Code",
                               "Form Account Number"};

const Row kStateTitles = {"Combined Federal/State Filing",
                          "State 1",
                          "State 1 - State Tax Withheld",
                          "State 1 - State/Payer state number",
                          "State 1 - State income",
                          "State 1 - Local income tax withheld",
                          "State 1 - Special Data Entries",
                          "State 2",
                          "State 2 - State Tax Withheld",
                          "State 2 - State/Payer state number",
                          "State 2 - State income",
                          "State 2 - Local income tax withheld",
                          "State 2 - Special Data Entries"};

Row join(std::initializer_list<Row> parts) {
    Row all;
    for (const Row& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

struct KindCase {
    int32_t kind;
    std::string name;
    std::size_t columns;
    Row titles;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

std::vector<KindCase> kindCases() {
    return {
        {1, "MISC", 19 + 45,
         join({kPayerTitles, recipientTitles("Recipient Last Name (Surname)"),
               {"FATCA Filing Requirements", "2nd TIN Notice", "Box 1 - Rents", "Box 2 - Royalties",
                "Box 3 - Other Income", "Box 4 - Federal income tax withheld", "Box 5 - Fishing boat proceeds",
                "Box 6 - Medical and health care payments",
                "Box 7 - Direct sales of $5000 or more of consumer products to a recipient for resale",
                "Box 8 - Substitute payments in lieu of dividends or interest", "Box 9 - Crop insurance proceeds",
                "Box 10 - Gross proceeds paid to an attorney", "Box 11 - Fish purchased for resale",
                "Box 12 - Section 409A deferrals", "Box 15 - Nonqualified deferred compensation"},
               kStateTitles})},
        {2, "DIV", 19 + 50,
         join({kPayerTitles, recipientTitles("Recipient Last Name (Surname)"),
               {"FATCA Filing Requirements", "2nd TIN Notice", "Box 1a - Total ordinary dividends",
                "Box 1b - Qualified dividends", "Box 2a - Total capital gain distribution",
                "Box 2b - Unrecap. Sec. 1250 gain", "Box 2c - Section 1202 gain",
                "Box 2d - Collectibles (28%) gain", "Box 2e - Section 897 ordinary dividends",
                "Box 2f - Section 897 capital gain", "Box 3 - Nondividend distributions",
                "Box 4 - Federal income tax withheld", "Box 5 - Section 199A dividends",
                "Box 6 - Investment expenses", "Box 7 - Foreign tax paid",
                "Box 8 - Foreign country or U.S. possession", "Box 9 - Cash liquidation distributions",
                "Box 10 - Noncash liquidation distributions", "Box 12 - Exempt-interest dividends",
                "Box 13 - Specified private activity bond interest dividends"},
               kStateTitles})},
        {3, "INT", 19 + 47,
         join({kPayerTitles, recipientTitles("Recipient Last Name (Surname)"),
               {"FATCA Filing Requirements", "2nd TIN Notice", "Payer's RTN", "Box 1 - Interest Income",
                "Box 2 - Early withdrawal penalty",
                "Box 3 - Interest on U.S. Savings Bonds and Treasury obligations",
                "Box 4 - Federal income tax withheld", "Box 5 - Investment expenses", "Box 6 - Foreign tax paid",
                "Box 7 - Foreign country or U.S. territory", "Box 8 - Tax-exempt interest",
                "Box 9 - Specified private activity bond interest", "Box 10 - Market discount",
                "Box 11 - Bond premium", "Box 12 - Bond premium on Treasury obligations",
                "Box 13 - Bond premium on tax-exempt bond", "Box 14 - Tax-exempt and tax credit bond CUSIP no."},
               kStateTitles})},
        {4, "R", 19 + 48,
         join({kPayerTitles, recipientTitles("Recipient Last Name (Surname)"),
               {"FATCA Filing Requirements", "Box 1 - Gross distribution", "Box 2a - Taxable amount",
                "Box 2b - Taxable amount not determined", "Box 2b - Total distribution",
                "Box 3 - Capital gain (included in box 2a)", "Box 4 - Federal income tax withheld",
                "Box 5 - Employee contributions/Designated Roth contributions or insurance premiums",
                "Box 6 - Net unrealized appreciation in employer's securities", "Box 7 - Distribution code(s)",
                "IRA/SEP/SIMPLE", "Box 8 - Other/Amount", "Box 8 -  Other/Percentage",
                "Box 9a - Your percentage of total distribution", "Box 9b - Total employee contributions",
                "Box 10 - Amount allocable to IRR within 5 years",
                "Box 11 - 1st year of designated Roth contributions", "Box 13 - Date of Payment"},
               kStateTitles})},
        {5, "S", 19 + 23,
         join({kFilerTitles, kTransferorTitles,
               {"Box 1 - Date of closing", "Box 2 - Gross proceeds", "Box 3 - Address or Legal Description",
                "Box 4 - Check here if the transferor received or will receive property or services (other than "
                "cash or notes) as part of the consideration",
                "Box 5 - Check here if the transferor is a foreign person (nonresident alien or foreign partnership "
                "or foreign estate or foreign trust)",
                "Box 6 - Buyer's part of real estate tax"}})},
        {7, "NEC", 19 + 35,
         join({kPayerTitles, recipientTitles("Recipient Last Name"),
               {"2nd TIN Notice", "Box 1 - Nonemployee Compensation",
                "Box 2 - Payer made direct sales totaling $5000 or more of consumer products to a recipient for "
                "resale",
                "Box 3 - Excess golden parachute payments", "Box 4 - Federal income tax withheld"},
               kStateTitles})},
    };
}

// ---- fixture: a payer and one recipient whose fields hold distinct values ----

ComapnyInfo individualPayer() {
    ComapnyInfo p;
    p.setPK(0);
    p.setName("Acme Holdings");
    p.setPayertintype("SSN");
    p.setTaxID1("123-45-6789");
    p.setPayernametype("Individual");
    p.setPayerfirstname("Ann-Marie");
    p.setPayermiddleName("Q.");
    p.setPayerlastname("O'Neil");
    p.setPayersuffix("Jr.");
    p.setpayercountry("United States");
    p.setAddress1("12 Main St. #4");
    p.setPayerbussinessadd2("Suite 5/B");
    p.setCity1("St. Louis");
    p.setState1("Missouri-MO");
    p.setZip1("63101-1234");
    p.setPayerphone_type("Domestic");
    p.setPhone1("3145550100");
    p.setCombineStateIRIS(true);
    return p;
}

// The payer's 19 columns as read back.
Row individualPayerColumns(const std::string& form) {
    return {form,          "2025",         "SSN",      "123-45-6789", "I",         "",          "",
            "Ann-Marie",   "Q",            "ONeil",    "Jr",          "United States", "12 Main St 4", "Suite 5/B",
            "St Louis",    "MO",           "631011234", "D",          "=\"3145550100\""};
}

IrisRecipient everyBox() {
    IrisRecipient x;
    RecipientInfo& r = x.recipient;
    RecipientAdditionalInfo& a = x.additional;
    a.settin_type("SSN");
    r.setTaxID("987-65-4321");
    a.setname_typee("Individual");
    r.setLastName("Not Written Inc");
    r.setFirstName("Bob2");
    a.setmiddleName("Lee");
    a.setlastname("Smith-Jones");
    a.setsuffix("III");
    r.setCountry("United States");
    r.setAddress("9 Elm St.");
    a.setaddline2("Unit 3/B");
    r.setCity("Los Angeles");
    r.setState("California-CA");
    r.setZip("90001-0002");
    a.setOfficecode("00425");
    r.setAccountNumber("ACCT-77");

    // 1099-MISC
    r.setFATCA_MISC(true);
    r.setSecondTin(false);
    r.setLine1_Misc("1.01");
    r.setLine2_Misc("2.02");
    r.setLine3_Misc("3.03");
    r.setLine4_Misc("4.04");
    r.setLine5_Misc("5.05");
    r.setLine6_Misc("6.06");
    r.setLine9_Misc(true);
    r.setLine8_Misc("8.08");
    r.setLine7_Misc("7.07");
    r.setLine10_Misc("10.10");
    r.setLine11_Misc("11.11");
    r.setLine12_Misc("12.12");
    r.setLine14_Misc("14.14");
    a.setLine22_1_Misc("Oregon-OR");
    r.setLine16_1_Misc("16.01");
    r.setLine17_1_Misc("OR/17/1");
    r.setLine18_1_Misc("18.01");
    a.setLine19_1_Misc("19.01");
    a.setLine20_1_Misc("misc special 1");
    a.setLine22_2_Misc("Ohio-OH");
    r.setLine16_2_Misc("16.02");
    r.setLine17_2_Misc("OH-17-2");
    r.setLine18_2_Misc("18.02");
    a.setLine19_2_Misc("19.02");
    a.setLine20_2_Misc("");

    // 1099-DIV
    r.setFATCA_DIV(false);
    r.setDiv_Line1a("1.10");
    r.setDiv_Line1b("1.20");
    r.setDiv_Line2a("2.10");
    r.setDiv_Line2b("2.20");
    r.setDiv_Line2c("2.30");
    r.setDiv_Line2d("2.40");
    r.setDiv_Line2e("2.50");
    r.setDiv_Line2f("2.60");
    r.setDiv_Line3("3.00");
    r.setDiv_Line4("4.00");
    r.setDiv_Sec199ADiv("5.00");
    r.setDiv_Line5("6.00");
    r.setDiv_Line6("7.00");
    r.setDiv_Line7("Canada");
    r.setDiv_Line8("9.00");
    r.setDiv_Line9("10.00");
    r.setDiv_Line10("12.00");
    r.setDiv_Line11("13.00");
    r.setDiv_Line12_1("Utah-UT");
    r.setDiv_Line14_1("14.10");
    r.setDiv_Line13_1("13/10");
    a.setDiv_line17_1("17.10");
    a.setDiv_line15_1("15.10");
    a.setDiv_line16_1("div special 1");
    r.setDiv_Line12_2("Iowa-IA");
    r.setDiv_Line14_2("14.20");
    r.setDiv_Line13_2("13-20");
    a.setDiv_line17_2("17.20");
    a.setDiv_line15_2("15.20");
    a.setDiv_line16_2("div special 2");

    // 1099-INT
    r.setFATCA_INT(true);
    r.setInt_payerRTN("021000021");
    r.setInt_Line1("1.11");
    r.setInt_Line2("2.22");
    r.setInt_Line3("3.33");
    r.setInt_Line4("4.44");
    r.setInt_Line5("5.55");
    r.setInt_Line6("6.66");
    r.setInt_Line7("France");
    r.setInt_Line8("8.88");
    r.setInt_Line9("9.99");
    r.setInt_Line10("10.01");
    r.setInt_Line11("11.01");
    r.setInt_Line17("12.01");
    r.setInt_Line16("13.01");
    r.setInt_Line12("CUSIP12345");
    r.setInt_Line13_1("Idaho-ID");
    r.setInt_Line15_1("15.11");
    r.setInt_Line14_1("14/11");
    a.setInt_line20_1("20.11");
    a.setInt_line18_1("18.11");
    a.setInt_line19_1("int special 1");
    r.setInt_Line13_2("Maine-ME");
    r.setInt_Line15_2("15.22");
    r.setInt_Line14_2("14.22");
    a.setInt_line20_2("20.22");
    a.setInt_line18_2("18.22");
    a.setInt_line19_2("int special 2");

    // 1099-R
    r.setFATCA_R(true);
    r.setR_Line1("100.00");
    r.setR_Line2a("90.00");
    r.setR_Line2b_Checkbox_1(true);
    r.setR_Line2b_Checkbox_2(false);
    r.setR_Line3("3.50");
    r.setR_Line4("4.50");
    r.setR_Line5("5.50");
    r.setR_Line6("6.50");
    r.setR_Line7("g4");
    r.setR_Line7_Checkbox(true);
    r.setR_Line8("8.50");
    r.setR_Line8_Percentage(12);
    r.setR_Line9a(34);
    r.setR_Line9b("9.50");
    r.setR_Line10("10.50");
    r.setR_Line11(2019);
    r.setR_DateOfPayment("01/15/2025");
    a.setR_line20_1("Kansas-KS");
    r.setR_Line12_1("12.51");
    r.setR_Line13_1("KS/13");
    a.setR_line21_1("21.51");
    a.setR_line18_1("18.51");
    a.setR_line19_1("r special 1");
    a.setR_line20_2("Nevada-NV");
    r.setR_Line12_2("12.52");
    r.setR_Line13_2("13.52");
    a.setR_line21_2("21.52");
    a.setR_line18_2("18.52");
    a.setR_line19_2("r special 2");

    // 1099-S
    r.setS_Line1("03/01/2025");
    r.setS_Line2("250000.00");
    r.setS_Address_Line3("1 Lake Rd");
    r.setS_City_Line3("Reno");
    r.setS_State_Line3("Nevada-NV");
    r.setS_Zip_Line3("89501");
    r.setS_Line4(true);
    r.setS_Line6(false);
    r.setS_Line5("1200.00");

    // 1099-NEC
    r.setLine1_NEC("500.00");
    r.setNec_Line2_2(true);
    r.setLine3_NEC("3.70");
    r.setLine4_NEC("4.70");
    a.setNec_line10_1("Kentucky-KY");
    r.setLine5_1_NEC("5.71");
    r.setLine6_1_NEC("6/71");
    r.setLine7_1_NEC("7.71");
    a.setNec_line8_1("8.71");
    a.setNec_line9_1("nec special 1");
    a.setNec_line10_2("Wisconsin-WI");
    r.setLine5_2_NEC("5.72");
    r.setLine6_2_NEC("6.72");
    r.setLine7_2_NEC("7.72");
    a.setNec_line8_2("8.72");
    a.setNec_line9_2("nec special 2");
    return x;
}

// The 17 shared recipient columns of the fixture as read back.
const Row kCommonColumns = {"SSN",         "987-65-4321", "I",         "",         "",
                            "Bob",         "Lee",         "Smith-Jones", "III",    "United States",
                            "9 Elm St",    "Unit 3/B",    "Los Angeles", "CA",     "900010002",
                            "=\"0042\"",   "ACCT-77"};

Row expectedColumns(int32_t kind) {
    const Row payer = individualPayerColumns(IrisFile::REC_TYPE(kind));
    switch (kind) {
    case 1:
        return join({payer, kCommonColumns,
                     {"Y", "N", "1.01", "2.02", "3.03", "4.04", "5.05", "6.06", "Y", "8.08", "7.07", "10.10", "11.11",
                      "12.12", "14.14", "CA", "OR", "16.01", "OR171", "18.01", "19.01", "misc special 1", "OH", "16.02",
                      "OH-17-2", "18.02", "19.02", ""}});
    case 2:
        return join({payer, kCommonColumns,
                     {"N", "N", "1.10", "1.20", "2.10", "2.20", "2.30", "2.40", "2.50", "2.60", "3.00", "4.00", "5.00",
                      "6.00", "7.00", "Canada", "9.00", "10.00", "12.00", "13.00", "CA", "UT", "14.10", "1310", "17.10",
                      "15.10", "div special 1", "IA", "14.20", "13-20", "17.20", "15.20", "div special 2"}});
    case 3:
        return join({payer, kCommonColumns,
                     {"Y", "N", "021000021", "1.11", "2.22", "3.33", "4.44", "5.55", "6.66", "France", "8.88", "9.99",
                      "10.01", "11.01", "12.01", "13.01", "CUSIP12345", "CA", "ID", "15.11", "1411", "20.11", "18.11",
                      "int special 1", "ME", "15.22", "14.22", "20.22", "18.22", "int special 2"}});
    case 4:
        return join({payer, kCommonColumns,
                     {"Y", "100.00", "90.00", "Y", "N", "3.50", "4.50", "5.50", "6.50", "G4", "Y", "8.50", "12", "34",
                      "9.50", "10.50", "2019", "01/15/2025", "CA", "KS", "12.51", "KS13", "21.51", "18.51",
                      "r special 1", "NV", "12.52", "13.52", "21.52", "18.52", "r special 2"}});
    case 5:
        return join({payer, kCommonColumns,
                     {"03/01/2025", "250000.00", "1 Lake Rd Reno NV 89501", "Y", "N", "1200.00"}});
    case 7:
        return join({payer, kCommonColumns,
                     {"N", "500.00", "Y", "3.70", "4.70", "CA", "KY", "5.71", "671", "7.71", "8.71", "nec special 1",
                      "WI", "5.72", "6.72", "7.72", "8.72", "nec special 2"}});
    default:
        return {};
    }
}

class EveryKind : public ::testing::TestWithParam<KindCase> {};

TEST_P(EveryKind, HeaderHoldsTheKindsTitlesEachQuoted) {
    const KindCase& c = GetParam();
    EXPECT_EQ(IrisFile::columnTitles(c.kind), c.titles);
    const std::string header = IrisFile::header(c.kind);
    const std::vector<Row> rows = readCsv(header);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].size(), c.columns);
    EXPECT_EQ(rows[0], c.titles);
    // Every title stands in double quotes.
    std::string quoted;
    for (std::size_t i = 0; i < c.titles.size(); ++i) quoted += (i ? ",\"" : "\"") + c.titles[i] + "\"";
    EXPECT_EQ(header, quoted);
}

TEST_P(EveryKind, OneRecipientReadsBackColumnByColumn) {
    const KindCase& c = GetParam();
    IrisFile builder;
    const std::string text = builder.build(c.kind, individualPayer(), {everyBox()});
    iristest::keepCsv(IrisFile::proposedName(c.kind, 0), text);

    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << "two lines, no line feed after the last";
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.rfind("\xEF\xBB\xBF", 0), 0u) << "no byte-order mark";

    const std::vector<Row> rows = readCsv(text);
    ASSERT_EQ(rows.size(), 2u);
    const Row expected = expectedColumns(c.kind);
    ASSERT_EQ(expected.size(), c.columns) << "the test's own transcription";
    ASSERT_EQ(rows[1].size(), c.columns);
    for (std::size_t i = 0; i < c.columns; ++i)
        EXPECT_EQ(rows[1][i], expected[i]) << "column " << i + 1 << " \"" << c.titles[i] << "\"";
}

INSTANTIATE_TEST_SUITE_P(IrisFile, EveryKind, ::testing::ValuesIn(kindCases()),
                         [](const ::testing::TestParamInfo<KindCase>& test) { return test.param.name; });

TEST(IrisFile, FormNamesOfTheKinds) {
    EXPECT_EQ(IrisFile::REC_TYPE(1), "1099-MISC");
    EXPECT_EQ(IrisFile::REC_TYPE(2), "1099-DIV");
    EXPECT_EQ(IrisFile::REC_TYPE(3), "1099-INT");
    EXPECT_EQ(IrisFile::REC_TYPE(4), "1099-R");
    EXPECT_EQ(IrisFile::REC_TYPE(5), "1099-S");
    EXPECT_EQ(IrisFile::REC_TYPE(7), "1099-NEC");
    for (int32_t other : {0, 6, 8, -1}) EXPECT_EQ(IrisFile::REC_TYPE(other), "") << other;
    EXPECT_TRUE(IrisFile::columnTitles(6).empty());
}

// ---- value rules ----

struct ValueCase {
    std::string name;
    int32_t kind;
    void (*change)(ComapnyInfo& payer, IrisRecipient& r);
    std::vector<std::pair<std::string, std::string>> expected;   // column title, value read back
    std::string raw = {};                                          // a piece the line holds as written
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.name; }

std::size_t columnOf(int32_t kind, const std::string& title, std::size_t nth = 0) {
    const Row titles = IrisFile::columnTitles(kind);
    for (std::size_t i = 0; i < titles.size(); ++i)
        if (titles[i] == title && nth-- == 0) return i;
    ADD_FAILURE() << "no column \"" << title << "\"";
    return 0;
}

std::vector<ValueCase> valueCases() {
    return {
        {"IndividualPayer", 7, [](ComapnyInfo&, IrisRecipient&) {},
         {{"Payer Name Type", "I"},
          {"Payer Business or Entity Name Line 1", ""},
          {"Payer First Name", "Ann-Marie"},
          {"Payer Last Name (Surname)", "ONeil"}}},
        {"BusinessPayer", 7,
         [](ComapnyInfo& p, IrisRecipient&) { p.setPayernametype("Business Name"); },
         {{"Payer Name Type", "B"},
          {"Payer Business or Entity Name Line 1", "Acme Holdings"},
          {"Payer Business or Entity Name Line 2", ""},
          {"Payer First Name", ""},
          {"Payer Middle Name", ""},
          {"Payer Last Name (Surname)", ""},
          {"Payer Suffix", ""}}},
        {"PayerNameTypeB", 1, [](ComapnyInfo& p, IrisRecipient&) { p.setPayernametype("B"); },
         {{"Payer Name Type", "B"}, {"Payer Business or Entity Name Line 1", "Acme Holdings"}}},
        {"BusinessRecipientNameCleaned", 7,
         [](ComapnyInfo&, IrisRecipient& r) {
             r.additional.setname_typee("Business Name");
             r.recipient.setLastName("Smith & Sons (West) #2, Ltd.!");
         },
         {{"Recipient Name Type", "B"},
          {"Recipient Business or Entity Name Line 1", "Smith & Sons (West) #2 Ltd"},
          {"Recipient First Name", ""},
          {"Recipient Middle Name", ""},
          {"Recipient Last Name", ""},
          {"Recipient Suffix", ""}}},
        {"PhoneAndOfficeCodeFormulas", 1,
         [](ComapnyInfo& p, IrisRecipient& r) {
             p.setPhone1("0145550100");
             r.additional.setOfficecode("01234");
         },
         {{"Payer Phone", "=\"0145550100\""}, {"Office Code", "=\"0123\""}},
         ",=\"0145550100\","},
        {"EmptyOfficeCode", 1, [](ComapnyInfo&, IrisRecipient& r) { r.additional.setOfficecode(""); },
         {{"Office Code", "=\"\""}}},
        {"InternationalPhoneType", 1, [](ComapnyInfo& p, IrisRecipient&) { p.setPayerphone_type("International"); },
         {{"Payer Phone Type", "I"}}},
        {"StateNumberWithoutSlashes", 1,
         [](ComapnyInfo&, IrisRecipient& r) { r.recipient.setLine17_1_Misc("12/345/6"); },
         {{"State 1 - State/Payer state number", "123456"}}},
        {"TerritoryStateAsStored", 7,
         [](ComapnyInfo&, IrisRecipient& r) {
             r.recipient.setAddressIsNotUSTerritory(true);
             r.recipient.setState("Ontario");
         },
         {{"Recipient State/Province/Territory", "Ontario"}, {"Combined Federal/State Filing", ""}}},
        // A foreign address takes part in no state's program, whatever its province text.
        {"ForeignAddressHasNoCombinedFilingCode", 7,
         [](ComapnyInfo& p, IrisRecipient& r) {
             p.setCombineStateIRIS(true);
             r.recipient.setAddressIsNotUSTerritory(true);
             r.recipient.setState("Delaware-DE");
         },
         {{"Recipient State/Province/Territory", "Delaware-DE"}, {"Combined Federal/State Filing", ""}}},
        {"StateNoneHasNoCombinedFilingCode", 7,
         [](ComapnyInfo& p, IrisRecipient& r) {
             p.setCombineStateIRIS(true);
             r.recipient.setState("None");
         },
         {{"Recipient State/Province/Territory", ""}, {"Combined Federal/State Filing", ""}}},
        {"UnknownStateGivesEmptyCode", 7,
         [](ComapnyInfo& p, IrisRecipient& r) {
             p.setState1("None");
             r.recipient.setState("Atlantis");
         },
         {{"Payer State/Province/Territory", ""}, {"Recipient State/Province/Territory", ""}}},
        {"CombinedFilingOff", 7, [](ComapnyInfo& p, IrisRecipient&) { p.setCombineStateIRIS(false); },
         {{"Combined Federal/State Filing", ""}}},
        {"CombinedFilingStateOutsideTheProgram", 7,
         [](ComapnyInfo&, IrisRecipient& r) { r.recipient.setState("Texas-TX"); },
         {{"Combined Federal/State Filing", ""}, {"Recipient State/Province/Territory", "TX"}}},
        {"ZipWithoutHyphen", 1,
         [](ComapnyInfo& p, IrisRecipient& r) {
             p.setZip1("12345-6789");
             r.recipient.setZip("98765-4321");
         },
         {{"Payer ZIP/Postal Code", "123456789"}, {"Recipient ZIP/Postal Code", "987654321"}}},
        {"WholeNumbersEmptyForMinusOneAndMinusTwo", 4,
         [](ComapnyInfo&, IrisRecipient& r) {
             r.recipient.setR_Line8_Percentage(-1);
             r.recipient.setR_Line9a(-2);
             r.recipient.setR_Line11(-1);
         },
         {{"Box 8 -  Other/Percentage", ""},
          {"Box 9a - Your percentage of total distribution", ""},
          {"Box 11 - 1st year of designated Roth contributions", ""}}},
        {"InvalidAmountGivesAnEmptyField", 4,
         [](ComapnyInfo&, IrisRecipient& r) { r.recipient.setR_Line1("INVALID"); },
         {{"Box 1 - Gross distribution", ""}}},
        {"DistributionCodeInCapitals", 4, [](ComapnyInfo&, IrisRecipient& r) { r.recipient.setR_Line7("g4"); },
         {{"Box 7 - Distribution code(s)", "G4"}}},
        {"ControlCharactersInFilteredTextsAreBlanks", 7,
         [](ComapnyInfo&, IrisRecipient& r) {
             r.recipient.setAddress("2 Oak\r\nSuite 5");
             r.additional.setlastname("O'Brien\r\nHoldings");
             r.recipient.setCity("Spring\tfield");
         },
         {{"Recipient Address Line 1", "2 Oak Suite 5"},
          {"Recipient Last Name", "OBrien Holdings"},
          {"Recipient City/Town", "Spring field"}}},
        {"EmptySBox3IsThreeBlanks", 5,
         [](ComapnyInfo&, IrisRecipient& r) {
             r.recipient.setS_Address_Line3("");
             r.recipient.setS_City_Line3("");
             r.recipient.setS_State_Line3("");
             r.recipient.setS_Zip_Line3("");
         },
         {{"Box 3 - Address or Legal Description", "   "}}},
        {"SpecialDataAlwaysQuoted", 7, [](ComapnyInfo&, IrisRecipient& r) { r.additional.setNec_line9_1("AB"); },
         {{"State 1 - Special Data Entries", "AB"}},
         ",\"AB\","},
        // The 1099-NEC local tax is an amount like every other: "INVALID" is no amount.
        {"NecLocalTaxIsAnAmount", 7,
         [](ComapnyInfo&, IrisRecipient& r) {
             r.additional.setNec_line8_1("INVALID");
             r.additional.setNec_line8_2("7");
         },
         {{"State 1 - Local income tax withheld", ""}, {"State 2 - Local income tax withheld", "7.00"}}},
    };
}

class ValueRules : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ValueRules, ColumnReadsBack) {
    const ValueCase& c = GetParam();
    ComapnyInfo payer = individualPayer();
    IrisRecipient r = everyBox();
    c.change(payer, r);
    IrisFile builder;
    const std::string text = builder.build(c.kind, payer, {r});
    iristest::keepCsv(IrisFile::proposedName(c.kind, 0), text);
    const std::vector<Row> rows = readCsv(text);
    ASSERT_EQ(rows.size(), 2u);
    ASSERT_EQ(rows[1].size(), IrisFile::columnTitles(c.kind).size());
    for (const auto& [title, value] : c.expected) EXPECT_EQ(rows[1][columnOf(c.kind, title)], value) << title;
    if (!c.raw.empty()) {
        EXPECT_NE(text.find(c.raw), std::string::npos) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(IrisFile, ValueRules, ::testing::ValuesIn(valueCases()),
                         [](const ::testing::TestParamInfo<ValueCase>& test) { return test.param.name; });

// ---- commas, quotes and line breaks in stored texts ----

TEST_P(ValueRules, LineKeepsItsColumnCount) {
    // (Run for every case above as well: no value rule shifts a column.)
    const ValueCase& c = GetParam();
    ComapnyInfo payer = individualPayer();
    IrisRecipient r = everyBox();
    c.change(payer, r);
    IrisFile builder;
    EXPECT_EQ(readCsv(builder.line(c.kind, payer, r)).at(0).size(), IrisFile::columnTitles(c.kind).size());
}

struct QuotingCase {
    std::string name;
    int32_t kind;
    void (*change)(ComapnyInfo& payer, IrisRecipient& r);
    std::vector<std::pair<std::string, std::string>> expected;   // column title, value read back
};

void PrintTo(const QuotingCase& c, std::ostream* os) { *os << c.name; }

std::vector<QuotingCase> quotingCases() {
    return {
        {"CommaInAnAmountIsDropped", 1, [](ComapnyInfo&, IrisRecipient& r) { r.recipient.setLine1_Misc("1,234.00"); },
         {{"Box 1 - Rents", "1234.00"}}},
        {"CommaInAStateAmountIsDropped", 2,
         [](ComapnyInfo&, IrisRecipient& r) { r.additional.setDiv_line17_1("12,000.50"); },
         {{"State 1 - State income", "12000.50"}}},
        {"CommaInTheAccountNumber", 1,
         [](ComapnyInfo&, IrisRecipient& r) { r.recipient.setAccountNumber("12,345"); },
         {{"Form Account Number", "12,345"}}},
        {"CommaInTheDivForeignCountry", 2,
         [](ComapnyInfo&, IrisRecipient& r) { r.recipient.setDiv_Line7("Korea, Republic of"); },
         {{"Box 8 - Foreign country or U.S. possession", "Korea, Republic of"}}},
        {"CommaInTheIntForeignCountry", 3,
         [](ComapnyInfo&, IrisRecipient& r) { r.recipient.setInt_Line7("Bonaire, Sint Eustatius"); },
         {{"Box 7 - Foreign country or U.S. territory", "Bonaire, Sint Eustatius"}}},
        {"CommaInTheRtnAndCusip", 3,
         [](ComapnyInfo&, IrisRecipient& r) {
             r.recipient.setInt_payerRTN("0210,00021");
             r.recipient.setInt_Line12("CU,SIP");
         },
         {{"Payer's RTN", "0210,00021"}, {"Box 14 - Tax-exempt and tax credit bond CUSIP no.", "CU,SIP"}}},
        {"IsoDate", 4, [](ComapnyInfo&, IrisRecipient& r) { r.recipient.setR_DateOfPayment("2025-01-15"); },
         {{"Box 13 - Date of Payment", "01/15/2025"}}},
        {"CommaInTheBox3City", 5,
         [](ComapnyInfo&, IrisRecipient& r) { r.recipient.setS_City_Line3("Reno, Washoe County"); },
         {{"Box 3 - Address or Legal Description", "1 Lake Rd Reno, Washoe County NV 89501"},
          {"Box 4 - Check here if the transferor received or will receive property or services (other than cash or "
           "notes) as part of the consideration",
           "Y"}}},
        {"QuoteInTheCompanyName", 7,
         [](ComapnyInfo& p, IrisRecipient&) {
             p.setPayernametype("Business Name");
             p.setName("The \"Best\" Widgets");
         },
         {{"Payer Business or Entity Name Line 1", "The \"Best\" Widgets"}, {"Payer Country", "United States"}}},
        {"CommaAndQuoteInTheCompanyName", 7,
         [](ComapnyInfo& p, IrisRecipient&) {
             p.setPayernametype("Business Name");
             p.setName("Smith, \"Jones\" & Co");
         },
         {{"Payer Business or Entity Name Line 1", "Smith, \"Jones\" & Co"}}},
        {"CommaInTheCountries", 7,
         [](ComapnyInfo& p, IrisRecipient& r) {
             p.setpayercountry("Korea, South");
             r.recipient.setCountry("Congo, \"DR\"");
         },
         {{"Payer Country", "Korea, South"}, {"Recipient Country", "Congo, \"DR\""}}},
        // A control character kept in a stored text (an older import's line break, a
        // tab) is one blank, CR LF counting once, in every text column.
        {"LineBreaksInStoredTexts", 1,
         [](ComapnyInfo& p, IrisRecipient& r) {
             p.setTaxID1("12-3\r\n456789");
             r.recipient.setAccountNumber("A\nB");
             r.additional.setLine20_1_Misc("special\r\nentry");
             r.additional.setOfficecode("1\n23");
             r.recipient.setLine17_1_Misc("IL\t12/34");
             r.recipient.setCountry("United\rStates");
         },
         {{"Payer Taxpayer ID Number", "12-3 456789"},
          {"Form Account Number", "A B"},
          {"State 1 - Special Data Entries", "special entry"},
          {"Office Code", "=\"1 23\""},
          {"State 1 - State/Payer state number", "IL 1234"},
          {"Recipient Country", "United States"}}},
        {"LineBreakInTheBusinessName", 7,
         [](ComapnyInfo& p, IrisRecipient&) {
             p.setPayernametype("Business Name");
             p.setName("Acme\r\nWidgets,\tInc");
         },
         {{"Payer Business or Entity Name Line 1", "Acme Widgets, Inc"}}},
        {"TinTypesInCapitalsWithoutBlanks", 2,
         [](ComapnyInfo& p, IrisRecipient& r) {
             p.setPayertintype(" ein");
             r.additional.settin_type("q i-ein\t");
         },
         {{"Payer TIN Type", "EIN"}, {"Recipient TIN Type", "QI-EIN"}}},
        {"QuoteInTheSpecialData", 1,
         [](ComapnyInfo&, IrisRecipient& r) { r.additional.setLine20_1_Misc("say \"hi\", twice"); },
         {{"State 1 - Special Data Entries", "say \"hi\", twice"}}},
        {"CommaInThePhoneAndOfficeCode", 7,
         [](ComapnyInfo& p, IrisRecipient& r) {
             p.setPhone1("314,555,0100");
             r.additional.setOfficecode("0\"1");
         },
         {{"Payer Phone", "=\"314,555,0100\""}, {"Office Code", "=\"0\"1\""}}},
    };
}

class Quoting : public ::testing::TestWithParam<QuotingCase> {};

TEST_P(Quoting, EveryColumnStaysInPlace) {
    const QuotingCase& c = GetParam();
    ComapnyInfo payer = individualPayer();
    IrisRecipient r = everyBox();
    c.change(payer, r);
    IrisFile builder;
    // Two recipients, so that a broken first line would show in the second.
    const std::string text = builder.build(c.kind, payer, {r, r});
    iristest::keepCsv(IrisFile::proposedName(c.kind, 0), text);
    const std::vector<Row> rows = readCsv(text);
    ASSERT_EQ(rows.size(), 3u) << text;
    const std::size_t columns = IrisFile::columnTitles(c.kind).size();
    for (std::size_t line = 1; line < rows.size(); ++line) {
        ASSERT_EQ(rows[line].size(), columns) << "line " << line + 1;
        for (const auto& [title, value] : c.expected)
            EXPECT_EQ(rows[line][columnOf(c.kind, title)], value) << title;
    }
    // Every other column reads as in the record before the change (of the same name type).
    ComapnyInfo before = individualPayer();
    before.setPayernametype(payer.getpayernametype());
    const std::vector<Row> plain = readCsv(builder.build(c.kind, before, {everyBox()}));
    for (std::size_t i = 0; i < columns; ++i) {
        const bool changed = std::any_of(c.expected.begin(), c.expected.end(),
                                         [&](const auto& e) { return columnOf(c.kind, e.first) == i; });
        if (!changed) {
            EXPECT_EQ(rows[1][i], plain[1][i]) << "column " << i + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(IrisFile, Quoting, ::testing::ValuesIn(quotingCases()),
                         [](const ::testing::TestParamInfo<QuotingCase>& test) { return test.param.name; });

// ---- files of 100 ----

struct SplitCase {
    std::size_t selected;
    std::vector<std::pair<std::size_t, std::size_t>> ranges;   // first and last, counted from 1
    std::vector<std::string> names;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.selected; }

class Split : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Split, FilesOfAtMostOneHundred) {
    const SplitCase& c = GetParam();
    ASSERT_EQ(IrisFile::fileCount(c.selected), c.ranges.size());
    IrisFile builder;
    for (std::size_t file = 0; file < c.ranges.size(); ++file) {
        const auto [first, end] = IrisFile::recipientRange(c.selected, file);
        EXPECT_EQ(first + 1, c.ranges[file].first) << "file " << file + 1;
        EXPECT_EQ(end, c.ranges[file].second) << "file " << file + 1;
        EXPECT_EQ(IrisFile::proposedName(7, file), c.names[file]);
        const std::vector<IrisRecipient> recipients(end - first, everyBox());
        const std::string text = builder.build(7, individualPayer(), recipients);
        EXPECT_EQ(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')), end - first);
        if (file + 1 == c.ranges.size()) iristest::keepCsv(c.names[file], text);
    }
}

INSTANTIATE_TEST_SUITE_P(IrisFile, Split,
                         ::testing::Values(SplitCase{1, {{1, 1}}, {"1099-NEC.csv"}},
                                           SplitCase{100, {{1, 100}}, {"1099-NEC.csv"}},
                                           SplitCase{101, {{1, 100}, {101, 101}}, {"1099-NEC.csv", "1099-NEC-2.csv"}},
                                           SplitCase{201,
                                                     {{1, 100}, {101, 200}, {201, 201}},
                                                     {"1099-NEC.csv", "1099-NEC-2.csv", "1099-NEC-3.csv"}}),
                         [](const ::testing::TestParamInfo<SplitCase>& test) {
                             return std::to_string(test.param.selected) + "Recipients";
                         });

TEST(IrisFile, NoSelectionMakesNoFile) { EXPECT_EQ(IrisFile::fileCount(0), 0u); }

// ---- amounts as the amount reader reads them ----

TEST(IrisFile, EveryAmountColumnWritesTheSharedTableOrRefusesNamingRecipientAndColumn) {
    for (const amounttable::AmountCase& c : amounttable::cases()) {
        SCOPED_TRACE('"' + c.text + '"');
        IrisRecipient r = everyBox();
        r.recipient.setFirstName("Ann");
        r.additional.setlastname("Lee");
        r.additional.setname_typee("Individual");
        r.recipient.setLine1_NEC(c.text);
        r.additional.setNec_line8_1(c.text);  // the local tax of the state block
        IrisFile builder;
        const std::string text = builder.build(7, individualPayer(), {r});
        if (amounttable::isRefused(c.outcome)) {
            EXPECT_NE(builder.refusal().find("\"" + c.text + "\" in Box 1 - Nonemployee Compensation of the 1099-NEC "
                                             "of Ann Lee"),
                      std::string::npos)
                << builder.refusal();
            continue;
        }
        EXPECT_EQ(builder.refusal(), "");
        const std::vector<Row> rows = readCsv(text);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[1][columnOf(7, "Box 1 - Nonemployee Compensation")], c.stored);
        EXPECT_EQ(rows[1][columnOf(7, "State 1 - Local income tax withheld")], c.stored);
    }
}

// ---- dates, codes and years as the entry windows take them ----

TEST(IrisFile, DatesAreWrittenAsTheDateReaderReadsThemOrRefuseNamingRecipientAndColumn) {
    for (const datetable::DateCase& c : datetable::cases()) {
        SCOPED_TRACE('"' + c.text + '"');
        for (const auto& [kind, column] : {std::pair{4, "Box 13 - Date of Payment"}, std::pair{5, "Box 1 - Date of closing"}}) {
            IrisRecipient r = everyBox();
            r.recipient.setFirstName("Ann");
            r.additional.setlastname("Lee");
            r.additional.setname_typee("Individual");
            r.recipient.setR_DateOfPayment(c.text);
            r.recipient.setS_Line1(c.text);
            IrisFile builder;
            const std::string text = builder.build(kind, individualPayer(), {r});
            if (c.refused) {
                EXPECT_NE(builder.refusal().find("the date \"" + c.text + "\" in " + column + " of the " +
                                                 IrisFile::REC_TYPE(kind) + " of Ann Lee"),
                          std::string::npos)
                    << builder.refusal();
                continue;
            }
            EXPECT_EQ(builder.refusal(), "");
            const std::vector<Row> rows = readCsv(text);
            ASSERT_EQ(rows.size(), 2u);
            EXPECT_EQ(rows[1][columnOf(kind, column)], c.monthDayYear);
        }
    }
}

TEST(IrisFile, CodesAndYearsTheEntryWindowRefusesRefuseNamingRecipientAndColumn) {
    const std::pair<std::function<void(RecipientInfo&)>, const char*> cases[] = {
        {[](RecipientInfo& r) { r.setR_Line7("INVALID"); },
         "the distribution code \"INVALID\" in Box 7 - Distribution code(s) of the 1099-R of Ann Lee"},
        {[](RecipientInfo& r) { r.setR_Line11(-2); },
         "the year \"INVALID\" in Box 11 - 1st year of designated Roth contributions of the 1099-R of Ann Lee"},
        {[](RecipientInfo& r) { r.setR_Line11(19); }, "\"19\" in Box 11"},
        // A record's refused amount is named before a code in a column ahead of it.
        {[](RecipientInfo& r) {
             r.setR_Line7("Z");
             r.setR_Line8("1,2,3");
         },
         "the amount \"1,2,3\" in Box 8 - Other/Amount of the 1099-R of Ann Lee"},
    };
    for (const auto& [set, refusal] : cases) {
        SCOPED_TRACE(refusal);
        IrisRecipient r = everyBox();
        r.recipient.setFirstName("Ann");
        r.additional.setlastname("Lee");
        r.additional.setname_typee("Individual");
        set(r.recipient);
        IrisFile builder;
        builder.build(4, individualPayer(), {r});
        EXPECT_NE(builder.refusal().find(refusal), std::string::npos) << builder.refusal();
    }
}

TEST(IrisFile, ARefusedAmountInTheLocalTaxNamesItsColumn) {
    IrisRecipient r = everyBox();
    r.additional.setname_typee("Business Name");
    r.recipient.setLastName("Acme Widgets");
    r.additional.setNec_line8_2("15,00");
    IrisFile builder;
    builder.build(7, individualPayer(), {r});
    EXPECT_NE(builder.refusal().find("\"15,00\" in State 2 - Local income tax withheld of the 1099-NEC of Acme Widgets"),
              std::string::npos)
        << builder.refusal();
    // The next file starts afresh.
    builder.build(7, individualPayer(), {everyBox()});
    EXPECT_EQ(builder.refusal(), "");
}

}  // namespace
