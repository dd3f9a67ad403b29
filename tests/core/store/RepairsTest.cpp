#include "CompanyRowsFixture.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/E_FileInfo.h"
#include "core/store/MailingLabelInfo.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

class Repairs : public CompanyRowsTest {
protected:
    void payer(const std::string& state) {
        ComapnyInfo c;
        c.setName("P");
        c.setState1(state);
        ASSERT_TRUE(cdb.insertCompanyInfo(c));
    }
    void recipient(RecipientInfo r) {
        RecipientAdditionalInfo a;
        ASSERT_TRUE(cdb.insertRecipientInfo(r, a));
    }
};

TEST_F(Repairs, PayerStatesTakeTheFormOfTheStateList) {
    const std::pair<std::string, std::string> cases[] = {
        {"ny", "New York-NY"},         {"California", "California-CA"}, {"california-ca", "California-CA"},
        {"Atlantis", "None"},          {"None", "None"},                {"", ""},
        {"district of columbia", "District of Columbia-DC"}};
    for (const auto& c : cases) payer(c.first);
    cdb.StateName_Company();
    for (int32_t key = 0; key < static_cast<int32_t>(std::size(cases)); ++key)
        EXPECT_EQ(cdb.getCompanyInfo1(key).getState(), cases[key].second) << cases[key].first;
}

TEST_F(Repairs, RecipientStatesAndTheStateBoxesOfEachKind) {
    payer("OR");
    RecipientInfo div;
    div.setType(2);
    div.setState("Nowhere");
    div.setAddressIsNotUSTerritory(true);  // a foreign address keeps its state
    div.setDiv_Line12_1("tx");
    div.setDiv_Line12_2("");
    recipient(div);
    RecipientInfo intr;
    intr.setType(3);
    intr.setState("wa");
    intr.setInt_Line13_1("Oregon");
    intr.setInt_Line13_2("zz");
    recipient(intr);
    RecipientInfo s;
    s.setType(5);
    s.setState("Maine");
    s.setS_State_Line3("me");
    recipient(s);
    RecipientInfo misc;
    misc.setType(1);
    misc.setState("ga");
    recipient(misc);
    RecipientInfo r;
    r.setType(4);
    r.setState("gu");
    recipient(r);
    RecipientInfo nec;
    nec.setType(7);
    nec.setState("pr");
    recipient(nec);
    E_FileInfo t;
    t.setState("ak");
    ASSERT_TRUE(cdb.updateEFileInfo(t));

    cdb.StateName_MISC();
    cdb.StateName_DIV();
    cdb.StateName_INT();
    cdb.StateName_R();
    cdb.StateName_S();
    cdb.StateName_NEC();
    cdb.efileStatename();

    EXPECT_EQ(cdb.getRecipientInfo(0).getState(), "Nowhere");
    EXPECT_EQ(cdb.getRecipientInfo(0).getDiv_Line12_1(), "Texas-TX");
    EXPECT_EQ(cdb.getRecipientInfo(0).getDiv_Line12_2(), "");
    EXPECT_EQ(cdb.getRecipientInfo(1).getState(), "Washington-WA");
    EXPECT_EQ(cdb.getRecipientInfo(1).getInt_Line13_1(), "Oregon-OR");
    EXPECT_EQ(cdb.getRecipientInfo(1).getInt_Line13_2(), "None");
    EXPECT_EQ(cdb.getRecipientInfo(2).getState(), "Maine-ME");
    EXPECT_EQ(cdb.getRecipientInfo(2).getS_State_Line3(), "Maine-ME");
    EXPECT_EQ(cdb.getRecipientInfo(3).getState(), "Georgia-GA");
    EXPECT_EQ(cdb.getRecipientInfo(4).getState(), "Guam-GU");
    EXPECT_EQ(cdb.getRecipientInfo(5).getState(), "Puerto Rico-PR");
    EXPECT_EQ(cdb.getEFileInfo(1).getState(), "Alaska-AK");
}

TEST_F(Repairs, MiscBoxesMoveToTheirNewPlaces) {
    payer("");
    RecipientInfo r;
    r.setType(1);
    r.setLine7_Misc("1.00");
    r.setLine10_Misc("10.00");
    r.setLine14_Misc("14.00");
    r.setLine15a_Misc("15.00");
    recipient(r);
    RecipientInfo nec;
    nec.setType(7);
    nec.setLine10_Misc("10.00");
    recipient(nec);

    cdb.CopyMiscData();
    const RecipientInfo back = cdb.getRecipientInfo(0);
    EXPECT_EQ(back.getLine7_Misc(), "10.00");
    EXPECT_EQ(back.getLine10_Misc(), "14.00");
    EXPECT_EQ(back.getLine12_Misc(), "15.00");
    EXPECT_EQ(back.getLine14_Misc(), "");
    EXPECT_EQ(cdb.getRecipientInfo(1).getLine7_Misc(), "");
}

TEST_F(Repairs, AmountRewriteKeepsValuesAndEmptiesMissingOnes) {
    EXPECT_EQ(cdb.UpdateRecipientFields(std::string("12345")), "12345");
    EXPECT_EQ(cdb.UpdateRecipientFields(std::nullopt), "");
}

TEST_F(Repairs, PayersWithoutALabelRowGetOne) {
    payer("");
    exec("insert into companies (pk, name) values (5, 'Older'); insert into companies (pk, name) values (6, 'Oldest');");
    MailingLabelInfo custom = cdb.SelectMailingLabelInfo(0);
    custom.setLeft("0.55");
    ASSERT_TRUE(cdb.updateMailingLabelInfo(custom));

    cdb.insertMissingMailingLabels();
    EXPECT_EQ(count("select count(*) from mailinglabel"), 3);
    EXPECT_EQ(cdb.SelectMailingLabelInfo(0).getLeft(), "0.55");
    EXPECT_EQ(cdb.SelectMailingLabelInfo(6).getLeft(), "0.30");
    EXPECT_EQ(cdb.SelectMailingLabelInfo(6).getAcross(), 1);
}
