#include "CompanyRowsFixture.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

class YearEnd : public CompanyRowsTest {
protected:
    RecipientInfo recipient(const std::string& name, const std::string& tin, int32_t company = 1, int32_t kind = 1) {
        RecipientInfo r;
        r.setLastName(name);
        r.setTaxID(tin);
        r.setCompany_FK(company);
        r.setType(kind);
        return r;
    }
    RecipientAdditionalInfo extra(const std::string& surname) {
        RecipientAdditionalInfo a;
        a.setlastname(surname);
        return a;
    }
    void store(RecipientInfo r) {
        RecipientAdditionalInfo a;
        ASSERT_TRUE(cdb.insertRecipientInfo(r, a));
    }
};

TEST_F(YearEnd, ImportedRecipientsMatchThePayersRecipientsOfTheKindByNumberWithoutDashes) {
    store(recipient("Existing", "123-45-6789", 1, 1));
    store(recipient("Other payer", "555-55-5555", 2, 1));
    store(recipient("Other kind", "999-99-9999", 1, 7));
    store(recipient("No number", "", 1, 1));
    store(recipient("Dashed EIN", "98-7654321", 1, 1));

    struct Case {
        std::string tin;
        int32_t key;
    } cases[] = {
        {"123-45-6789", 0},   // same text
        {"123456789", 0},     // same number, no dashes
        {"12345-6789", 0},    // other dashes
        {"123456789-", 0},
        {"555-55-5555", -1},  // another payer's recipient
        {"999-99-9999", -1},  // another form kind's
        {"", -1},             // an empty number never matches, not even an empty one
        {"-", -1},
        {"123-45-6780", -1},
        {"123456789 ", -1},   // a blank is not ignored
        {"987654321", 4},
        {"123-456-789", 0},
    };
    std::vector<std::string> imported;
    for (const auto& c : cases) imported.push_back(c.tin);

    const auto keys = cdb.getRecipientConflicts(imported, 1, 1);
    ASSERT_TRUE(keys.has_value());
    ASSERT_EQ(keys->size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ((*keys)[i], cases[i].key) << '"' << cases[i].tin << '"';
    // A read: nothing was stored.
    EXPECT_EQ(count("select count(*) from recipients"), 5);
}

TEST_F(YearEnd, ConflictsThatCannotBeReadAreNotAnEmptyList) {
    store(recipient("Existing", "123-45-6789"));
    exec("alter table recipients rename to recipients_gone;");
    expectFailureBox();
    EXPECT_FALSE(cdb.getRecipientConflicts({"123-45-6789"}, 1, 1).has_value());
}

TEST_F(YearEnd, RecipientsStoredUnderCountedKeysKeepTheirAdditionalRowsTogether) {
    store(recipient("First", "1"));
    const int32_t next = cdb.nextRecipientKey();
    EXPECT_EQ(next, 1);
    RecipientInfo r = recipient("Second", "2");
    RecipientAdditionalInfo a = extra("Second");
    ASSERT_TRUE(cdb.insertRecipientInfo(r, a, next + 5));
    EXPECT_EQ(r.getPK(), 6);
    EXPECT_EQ(a.getPK(), 6);
    EXPECT_EQ(cdb.getRecipientAdditionalInfo(6).getlastname(), "Second");
    EXPECT_EQ(cdb.nextRecipientKey(), 7);
}

TEST_F(YearEnd, ImportedPayersAreRecognisedByTaxpayerNumber) {
    ComapnyInfo existing;
    existing.setName("Acme");
    existing.setTaxID1("12-3456789");
    ASSERT_TRUE(cdb.insertCompanyInfo(existing));

    std::vector<ComapnyInfo> imported(3);
    imported[0].setName("Acme again");
    imported[0].setTaxID1("12-3456789");
    imported[1].setName("Beta");
    imported[1].setTaxID1("98-7654321");
    imported[2].setName("No number");
    const auto conflicts = cdb.getCompanyConflicts(imported);
    ASSERT_EQ(conflicts.size(), 1u);
    EXPECT_EQ(conflicts[0].getName(), "Acme again");
    EXPECT_EQ(conflicts[0].getPK(), 0);
    EXPECT_EQ(count("select count(*) from companies"), 3);
    EXPECT_EQ(count("select count(*) from mailinglabel"), 3);
}

TEST_F(YearEnd, StatusResetsAndTheClearingOfFormData) {
    RecipientInfo r = recipient("Keep", "111-11-1111", 2, 4);
    r.setFirstName("Ann");
    r.setAccountNumber("A-1");
    r.setValidated(true);
    r.setPrinted(true);
    r.setCompleted(true);
    r.setVoided(true);
    r.setCorrected(true);
    r.setSecondTin(true);
    r.setR_Line1("100.00");
    r.setR_Line9a(50);
    r.setR_Line11(2020);
    r.setR_Line8_Percentage(3);
    r.setR_Line2b_Checkbox_1(true);
    r.setLine3_NEC("7.00");
    r.setLine1_Misc("5.00");
    r.setS_Line4(true);
    r.setFATCA_R(true);
    store(r);

    ASSERT_TRUE(cdb.ResetStatusFlags());
    RecipientInfo back = cdb.getRecipientInfo(0);
    EXPECT_FALSE(back.getValidated() || back.getPrinted() || back.getCompleted());
    EXPECT_TRUE(back.getVoided());

    ASSERT_TRUE(cdb.VoidCorrectedCheckBox());
    back = cdb.getRecipientInfo(0);
    EXPECT_FALSE(back.getVoided() || back.getCorrected());

    back.setCompleted(true);
    back.setPrinted(true);
    ASSERT_TRUE(cdb.updateRecipientInfo(back));
    ASSERT_TRUE(cdb.purgeNonGenericRecipientInfo());
    back = cdb.getRecipientInfo(0);
    EXPECT_EQ(back.getR_Line1(), "");
    EXPECT_EQ(back.getLine1_Misc(), "");
    EXPECT_EQ(back.getR_Line9a(), -1);
    EXPECT_EQ(back.getR_Line11(), -1);
    EXPECT_EQ(back.getR_Line8_Percentage(), -1);
    EXPECT_FALSE(back.getR_Line2b_Checkbox_1());
    EXPECT_FALSE(back.getS_Line4());
    EXPECT_FALSE(back.getPrinted());
    // Kept: who the recipient is, whom it belongs to, and what the year close leaves.
    EXPECT_EQ(back.getLine3_NEC(), "7.00");
    EXPECT_EQ(back.getFirstName(), "Ann");
    EXPECT_EQ(back.getTaxID(), "111-11-1111");
    EXPECT_EQ(back.getAccountNumber(), "A-1");
    EXPECT_EQ(back.getCompany_FK(), 2);
    EXPECT_EQ(back.getType(), 4);
    EXPECT_TRUE(back.getCompleted());
    EXPECT_TRUE(back.getSecondTin());
    EXPECT_TRUE(back.getFATCA_R());
}

TEST_F(YearEnd, ClearingFlagsLeavesAFileWithoutFlaggedRecipientsUnchanged) {
    store(recipient("A", "1"));
    exec("update recipients set void = NULL;");
    const auto before = rawRow("recipients", 0);
    ASSERT_TRUE(cdb.VoidCorrectedCheckBox());
    EXPECT_EQ(rawRow("recipients", 0), before);
}

TEST_F(YearEnd, ImportColumnMapsMoveToThisYearsCatalogue) {
    exec("insert into importFields values (1, 0, 10); insert into importFields values (1, 1, 37);"
         "insert into importFields values (1, 2, 40); insert into importFields values (2, 0, 58);"
         "insert into importFields values (2, 1, 59); insert into importFields values (2, 2, 70);"
         "insert into importFields values (3, 0, 38); insert into importFields values (4, 0, 90);"
         "insert into importFields values (5, 0, 80); insert into importFields values (5, 1, 81);"
         "insert into importFields values (7, 0, 99);");
    ASSERT_TRUE(cdb.MoveImportFields());
    auto values = [&](int type) {
        std::vector<int32_t> v;
        auto rs = cdb.db->executeQuery("select importField from importFields where recipientType = ? "
                                       "order by fieldIndex", type);
        while (rs && rs->next()) v.push_back(rs->intForColumnIndex(0));
        return v;
    };
    EXPECT_EQ(values(1), (std::vector<int32_t>{10, 40}));
    EXPECT_EQ(values(2), (std::vector<int32_t>{58, 58, 69}));
    EXPECT_EQ(values(3), (std::vector<int32_t>{37}));
    EXPECT_EQ(values(4), (std::vector<int32_t>{89}));
    EXPECT_EQ(values(5), (std::vector<int32_t>{80, 80}));
    EXPECT_EQ(values(7), (std::vector<int32_t>{99}));
}

TEST_F(YearEnd, LoginNoticesAndRecentCompanyKeys) {
    exec("update logins set doNotShowWelcomeDialog = 1, doNotShowPrintAlignmentDialog = 1;");
    ASSERT_TRUE(cdb.purgeDoNotShowAgains());
    EXPECT_EQ(count("select count(*) from logins where doNotShowWelcomeDialog = '0' and "
                    "doNotShowPrintAlignmentDialog = '0'"),
              count("select count(*) from logins"));

    EXPECT_EQ(cdb.GetRecentCompanyPKprioryear(), 0);
    ComapnyInfo c;
    c.setName("A");
    ASSERT_TRUE(cdb.insertCompanyInfo(c));
    ASSERT_TRUE(cdb.insertCompanyInfo(c));
    EXPECT_EQ(cdb.GetRecentCompanyPKprioryear(), 1);
    EXPECT_EQ(cdb.GetRecentCompanyPKforprioryear(), 1);
    EXPECT_EQ(cdb.GetRecentCompanyPK(), -1);
}
