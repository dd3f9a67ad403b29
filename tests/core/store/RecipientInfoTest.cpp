#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/foundation/Session.h"
#include "core/store/RecipientInfo.h"

namespace {

class RecipientInfoTest : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
};

RecipientInfo ofType(int32_t type) {
    RecipientInfo r;
    r.setType(type);
    return r;
}

TEST_F(RecipientInfoTest, NewRecordIsAnUnstoredMiscRecord) {
    RecipientInfo r;
    EXPECT_EQ(r.getPK(), -1);
    EXPECT_EQ(r.getType(), 1);
    EXPECT_EQ(r.getCompany_FK(), 0);
    EXPECT_EQ(r.getR_Line8_Percentage(), -1);
    EXPECT_EQ(r.getR_Line9a(), -1);
    EXPECT_EQ(r.getR_Line11(), -1);
    EXPECT_EQ(r.miscval(), 0);
    EXPECT_EQ(r.getFirstName(), "");
    EXPECT_EQ(r.getLine7_Misc(), "");
    EXPECT_EQ(r.getS_Line2(), "");
    EXPECT_FALSE(r.getVoided() || r.getCorrected() || r.getValidated() || r.getPrinted() || r.getCompleted());
    EXPECT_FALSE(r.getLine9_Misc() || r.getNec_Line2_2() || r.getR_Line7_Checkbox() || r.FATCA_S());
}

TEST_F(RecipientInfoTest, BothAccessorPairsReachTheSameField) {
    RecipientInfo r;
    r.setInt_line1("10.00");
    EXPECT_EQ(r.getInt_Line1(), "10.00");
    r.setR_DateOfPayment("2025-03-01");
    EXPECT_EQ(r.r_Date_Of_Payment(), "2025-03-01");
    r.setDiv_sec199ADiv("3.00");
    EXPECT_EQ(r.getDiv_Sec199ADiv(), "3.00");
}

TEST_F(RecipientInfoTest, NameJoinsFirstAndLastWithOneBlank) {
    const struct {
        std::string first, last, name;
    } cases[] = {{"Ann", "Smith", "Ann Smith"}, {"", "Smith", " Smith"}, {"Ann", "", "Ann "}, {"", "", " "}};
    for (const auto& c : cases) {
        RecipientInfo r;
        r.setFirstName(c.first);
        r.setLastName(c.last);
        EXPECT_EQ(r.getName(), c.name);
    }
}

TEST_F(RecipientInfoTest, PropertyAddressOfA1099S) {
    const struct {
        std::string address, city, state, zip, line;
    } cases[] = {
        {"12 Elm St", "", "", "", "12 Elm St"},
        {"12 Elm St", "Dayton", "Ohio-OH", "45402", "12 Elm St Dayton OH 45402"},
        {"12 Elm St", "Dayton", "", "45402", "12 Elm St Dayton  45402"},
        {"12 Elm St", "Dayton", "Atlantis", "45402", "12 Elm St Dayton  45402"},
        {"Lot 4", "", "", "45402", "Lot 4   45402"},
        {"", "", "", "", ""},
    };
    for (const auto& c : cases) {
        RecipientInfo r = ofType(5);
        r.setS_address_line3(c.address);
        r.setS_city_line3(c.city);
        r.setS_state_line3(c.state);
        r.setS_zip_line3(c.zip);
        EXPECT_EQ(r.getS_Line3(), c.line) << c.city << "|" << c.state << "|" << c.zip;
    }
}

// One case of the 1096 totals: a form kind, the boxes to fill and what is expected.
struct TotalsCase {
    const char* what;
    int32_t type;
    std::function<void(RecipientInfo&)> fill;
    int64_t paid;
    int64_t taxPaid;
};

TEST_F(RecipientInfoTest, TotalsCountTheBoxesOfEachFormKind) {
    const TotalsCase cases[] = {
        {"MISC counts boxes 1-3, 5, 6, 8-11 and line 13", 1,
         [](RecipientInfo& r) {
             r.setLine1_Misc("1.00");
             r.setLine2_Misc("2.00");
             r.setLine3_Misc("4.00");
             r.setLine4_Misc("8.00");  // tax withheld, not paid
             r.setLine5_Misc("16.00");
             r.setLine6_Misc("32.00");
             r.setLine8_Misc("64.00");
             r.setLine7_Misc("128.00");
             r.setLine10_Misc("256.00");
             r.setLine11_Misc("512.00");
             r.setLine13_Misc("1024.00");
             r.setLine12_Misc("5000.00");
             r.setLine14_Misc("5000.00");
             r.setLine15a_Misc("5000.00");
             r.setLine16_1_Misc("5000.00");
             r.setLine18_1_Misc("5000.00");
         },
         203900, 800},
        {"DIV counts 1a, 2a, 3, 9, 10 and 12", 2,
         [](RecipientInfo& r) {
             r.setDiv_line1a("1.00");
             r.setDiv_line1b("5000.00");
             r.setDiv_line2a("2.00");
             r.setDiv_line2b("5000.00");
             r.setDiv_line3("4.00");
             r.setDiv_line4("7.00");
             r.setDiv_sec199ADiv("5000.00");
             r.setDiv_line6("5000.00");
             r.setDiv_line8("8.00");
             r.setDiv_line9("16.00");
             r.setDiv_line10("32.00");
             r.setDiv_line11("5000.00");
             r.setDiv_line14_1("5000.00");
         },
         6300, 700},
        {"INT counts 1, 3, 8, 10, 11 and 13", 3,
         [](RecipientInfo& r) {
             r.setInt_line1("1.00");
             r.setInt_line2("5000.00");
             r.setInt_line3("2.00");
             r.setInt_line4("9.99");
             r.setInt_line5("5000.00");
             r.setInt_line8("4.00");
             r.setInt_line9("5000.00");
             r.setInt_line10("8.00");
             r.setInt_line11("16.00");
             r.setInt_line16("32.00");
             r.setInt_line17("5000.00");
             r.setInt_line15_1("5000.00");
         },
         6300, 999},
        {"R counts only box 1", 4,
         [](RecipientInfo& r) {
             r.setR_line1("100.00");
             r.setR_line2a("50.00");
             r.setR_line4("10.00");
             r.setR_line5("5.00");
             r.setR_line12_1("3.00");
         },
         10000, 1000},
        {"S counts only box 2 and has no withholding", 5,
         [](RecipientInfo& r) {
             r.setS_line2("250000.00");
             r.setS_line5("1200.00");
         },
         25000000, 0},
        {"NEC counts only box 1", 7,
         [](RecipientInfo& r) {
             r.setLine1_NEC("600.00");
             r.setLine3_NEC("50.00");
             r.setLine4_NEC("24.00");
             r.setLine5_1_NEC("12.00");
         },
         60000, 2400},
        {"unused kind 6", 6, [](RecipientInfo& r) { r.setLine1_Misc("1.00"); r.setLine4_Misc("1.00"); }, 0, 0},
        {"kind 0", 0, [](RecipientInfo& r) { r.setLine1_NEC("1.00"); r.setLine4_NEC("1.00"); }, 0, 0},
        {"empty boxes and -1 markers count nothing", 1,
         [](RecipientInfo& r) {
             r.setLine1_Misc("-1");
             r.setLine2_Misc("-2");
             r.setLine4_Misc("-1");
             r.setLine7_Misc("-1");
         },
         0, 0},
        {"one-decimal and comma amounts", 7,
         [](RecipientInfo& r) {
             r.setLine1_NEC("1,234.5");
             r.setLine4_NEC(".5");
         },
         123450, 50},
        {"sums beyond 32 bits", 2,
         [](RecipientInfo& r) {
             r.setDiv_line1a("21474836.48");
             r.setDiv_line2a("90000000.00");
             r.setDiv_line4("30000000.00");
         },
         11147483648LL, 3000000000LL},
    };
    for (const auto& c : cases) {
        for (bool voided : {false, true}) {
            RecipientInfo r = ofType(c.type);
            c.fill(r);
            r.setVoided(voided);
            EXPECT_EQ(r.getTotalPaid(), voided ? 0 : c.paid) << c.what << (voided ? " (void)" : "");
            EXPECT_EQ(r.getTotalTaxPaid(), voided ? 0 : c.taxPaid) << c.what << (voided ? " (void)" : "");
        }
    }
}

TEST_F(RecipientInfoTest, MiscBox9IsCountedByItsOwnRuleAndLeftInNec) {
    const struct {
        std::string box9;
        int64_t cents;
    } cases[] = {
        {"128.00", 12800},
        {"1,234.5", 123450},   // comma skipped, single decimal widened
        {"-20.00", 0},         // negative amounts are not counted
        {"-1", 0},             // empty-box marker
        {"", 0},
        {"12", 1200},          // whole dollars without a point
        {".50", 50},
        {"0.07", 7},
        {"12.345", 0},         // not an amount: counts nothing (runs refuse it first)
        {"1,,2.00", 0},
        {"30000000.00", 3000000000LL},
    };
    for (const auto& c : cases) {
        session().nec = -99;
        RecipientInfo r = ofType(1);
        r.setLine1_Misc("1.00");
        r.setLine7_Misc(c.box9);
        EXPECT_EQ(r.getTotalPaid(), 100 + c.cents) << c.box9;
        EXPECT_EQ(session().nec, c.cents) << c.box9;
    }
}

TEST_F(RecipientInfoTest, NecHoldsTheLastMiscRecordTotalled) {
    RecipientInfo misc = ofType(1);
    misc.setLine7_Misc("5.00");
    misc.getTotalPaid();
    EXPECT_EQ(session().nec, 500);

    // Other kinds leave it alone.
    RecipientInfo nec = ofType(7);
    nec.setLine1_NEC("9.00");
    nec.getTotalPaid();
    EXPECT_EQ(session().nec, 500);

    // A void 1099-MISC record clears it.
    misc.setVoided(true);
    EXPECT_EQ(misc.getTotalPaid(), 0);
    EXPECT_EQ(session().nec, 0);
}

TEST_F(RecipientInfoTest, GrossProceedsOfA1099S) {
    const struct {
        std::string proceeds;
        int64_t cents;
    } cases[] = {
        {"1234.56", 123456},
        {"1234.5", 123450},
        {"1,234.56", 123456},
        {"1234", 123400},             // whole dollars
        {"12345678901", 0},           // above the largest amount: refused, counts nothing
        {"-1", 0},                    // empty-box markers
        {"-2", 0},
        {"", 0},
        {"30000000.00", 3000000000LL},
    };
    for (const auto& c : cases) {
        RecipientInfo r = ofType(5);
        r.setS_line2(c.proceeds);
        EXPECT_EQ(r.getTotalPaid(), c.cents) << c.proceeds;
    }
}

TEST_F(RecipientInfoTest, RefusedTotalAmountNamesTheFirstBoxTheTotalsCannotRead) {
    RecipientInfo misc = ofType(1);
    misc.setLine1_Misc("1500");
    misc.setLine4_Misc("1,2,3");   // tax withheld, read by getTotalTaxPaid
    misc.setLine12_Misc("$5");     // not in either total
    ASSERT_TRUE(misc.refusedTotalAmount());
    EXPECT_EQ(misc.refusedTotalAmount()->box, "Box 4");
    EXPECT_EQ(misc.refusedTotalAmount()->text, "1,2,3");
    misc.setLine7_Misc("10000000000.5");
    EXPECT_EQ(misc.refusedTotalAmount()->box, "Box 9");
    EXPECT_TRUE(misc.refusedTotalAmount()->tooLarge);
    misc.setVoided(true);
    EXPECT_FALSE(misc.refusedTotalAmount());

    RecipientInfo div = ofType(2);
    div.setDiv_line1a(" 1,500.00 ");
    div.setDiv_line4("INVALID");
    EXPECT_FALSE(div.refusedTotalAmount());
    EXPECT_EQ(div.getTotalPaid(), 150000);
    div.setDiv_line9("15,00");
    EXPECT_EQ(div.refusedTotalAmount()->box, "Box 10");
}

TEST_F(RecipientInfoTest, DollarStringToIntMarksEmptyAndInvalidText) {
    const struct {
        std::string text;
        int64_t cents;
    } cases[] = {{"", -1}, {"1.2.3", -2}, {"1234", 123400}, {"1,234", 123400}, {"12.5", 1250}, {"12.34", 1234}};
    for (const auto& c : cases)
        EXPECT_EQ(RecipientInfo::dollarStringToInt(c.text), c.cents) << c.text;
}

}  // namespace
