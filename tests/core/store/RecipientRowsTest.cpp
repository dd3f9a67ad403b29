#include <set>

#include "CompanyRowsFixture.h"
#include "core/foundation/tvDatabase.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientInfo.h"

namespace {

// Columns the recipient record carries as flags or whole numbers; every other column
// holds text.
const std::set<std::string> kFlagColumns = {
    "validated",  "printed",   "completed",          "corrected",           "void",
    "addressIsNotUSTerritory", "secondTin",          "FATCA_MISC",          "FATCA_DIV",
    "FATCA_INT",  "FATCA_R",   "FATCA_NEC",          "line9",               "s_line4",
    "s_line6",    "r_line2b_checkbox_1",             "r_line2b_checkbox_2", "r_line7_checkbox",
    "nec_line2_2"};
const std::set<std::string> kNumberColumns = {"company_FK", "type", "r_line8_percentage", "r_line9a",
                                              "r_line11",   "mode"};

}  // namespace

class RecipientRows : public CompanyRowsTest {
protected:
    // A recipient row written by SQL with a value of its own in every column: texts
    // "v_<column>", flags 1, numbers distinct, the two scrambled numbers scrambled.
    void insertRawRecipient(int32_t key, int32_t company) {
        std::string names = "pk";
        std::string values = std::to_string(key);
        int number = 40;
        for (const auto& c : columns("recipients")) {
            if (c == "pk") continue;
            names += ", " + c;
            if (c == "company_FK") values += ", " + std::to_string(company);
            else if (c == "type") values += ", 4";
            else if (kFlagColumns.count(c)) values += ", 1";
            else if (kNumberColumns.count(c)) values += ", " + std::to_string(number++);
            else if (c == "taxID" || c == "accountNumber") values += ", '" + tvDatabase::Encrypt("t_" + c) + "'";
            else values += ", 'v_" + c + "'";
        }
        exec("insert into recipients (" + names + ") values (" + values + ");");
    }

    bool add(RecipientInfo r) { return cdb.insertRecipientInfo(r); }

    RecipientInfo named(const std::string& first, const std::string& last, int32_t company, int32_t kind) {
        RecipientInfo r;
        r.setFirstName(first);
        r.setLastName(last);
        r.setCompany_FK(company);
        r.setType(kind);
        return r;
    }
};

TEST_F(RecipientRows, EveryColumnIsReadAndWrittenBackUnchanged) {
    insertRawRecipient(0, 3);
    const auto before = rawRow("recipients", 0);

    const RecipientInfo r = cdb.getRecipientInfo(0);
    ASSERT_TRUE(cdb.updateRecipientInfo(r));
    EXPECT_EQ(rawRow("recipients", 0), before);

    // The columns whose names differ from the record's fields.
    EXPECT_EQ(r.getPK(), 0);
    EXPECT_EQ(r.getCompany_FK(), 3);
    EXPECT_EQ(r.getTaxID(), "t_taxID");
    EXPECT_EQ(r.getAccountNumber(), "t_accountNumber");
    EXPECT_TRUE(r.getVoided());
    EXPECT_TRUE(r.getLine9_Misc());
    EXPECT_EQ(r.getInt_Line10(), "v_int_line14");
    EXPECT_EQ(r.getInt_Line11(), "v_int_line15");
    EXPECT_EQ(r.getInt_Line12(), "v_int_line10");
    EXPECT_EQ(r.getInt_Line13_1(), "v_int_line11");
    EXPECT_EQ(r.getInt_Line14_2(), "v_int_line12_2");
    EXPECT_EQ(r.getInt_Line15_1(), "v_int_line13");
    EXPECT_EQ(r.getDiv_Line12_1(), "v_div_line12");
    EXPECT_EQ(r.getDiv_Line14_2(), "v_div_line14_2");
    EXPECT_EQ(r.getR_Line7(), "v_r_line7_code");
    EXPECT_EQ(r.getR_DateOfPayment(), "v_r_DateOfPayment");
    EXPECT_EQ(r.getLine1_NEC(), "v_nec_line1");
    EXPECT_EQ(r.getLine7_2_NEC(), "v_nec_line7_2");
    EXPECT_EQ(r.getLine15b_Misc(), "v_line15b");
}

TEST_F(RecipientRows, ARecipientOfEachFormKindRoundTripsThroughInsert) {
    insertRawRecipient(0, 3);
    const auto original = rawRow("recipients", 0);
    const RecipientInfo full = cdb.getRecipientInfo(0);

    for (int32_t kind : {1, 2, 3, 4, 5, 7}) {
        RecipientInfo r = full;
        r.setType(kind);
        r.setCompany_FK(kind + 10);
        RecipientAdditionalInfo a;
        ASSERT_TRUE(cdb.insertRecipientInfo(r, a));
        const int32_t key = cdb.getRecipientPK();

        auto row = rawRow("recipients", key);
        EXPECT_EQ(row["type"], std::to_string(kind));
        EXPECT_EQ(row["company_FK"], std::to_string(kind + 10));
        EXPECT_EQ(row["line15b"], "<null>");  // only older files and the year close write it
        EXPECT_EQ(row["mode"], "<null>");
        for (const char* own : {"pk", "type", "company_FK", "line15b", "mode"}) row.erase(own);
        auto expected = original;
        for (const char* own : {"pk", "type", "company_FK", "line15b", "mode"}) expected.erase(own);
        EXPECT_EQ(row, expected) << "kind " << kind;

        const RecipientInfo back = cdb.getRecipientInfo(key);
        EXPECT_EQ(back.getType(), kind);
        EXPECT_EQ(back.getTaxID(), "t_taxID");
        EXPECT_EQ(cdb.getRecipientAdditionalInfo(key).getPK(), key);
    }
}

TEST_F(RecipientRows, TaxpayerAndAccountNumbersAreStoredScrambled) {
    RecipientInfo r = named("Ann", "Lee", 0, 1);
    r.setTaxID("123-45-6789");
    r.setAccountNumber("ACCT-0042");
    ASSERT_TRUE(cdb.insertRecipientInfo(r));
    EXPECT_EQ(single("select taxID from recipients where pk = 0"), tvDatabase::Encrypt("123-45-6789"));
    EXPECT_EQ(single("select accountNumber from recipients where pk = 0"), tvDatabase::Encrypt("ACCT-0042"));
    EXPECT_EQ(cdb.getRecipientInfo(0).getTaxID(), "123-45-6789");
    EXPECT_EQ(cdb.getRecipientInfo(0).getAccountNumber(), "ACCT-0042");
}

TEST_F(RecipientRows, Box9WithOneDecimalIsCompletedAtInsert) {
    const std::pair<std::string, std::string> cases[] = {
        {"12.5", "12.50"}, {"12.50", "12.50"}, {"12", "12"}, {"", ""}, {"12.505", "12.505"}};
    for (const auto& [entered, stored] : cases) {
        RecipientInfo r = named("A", "B", 0, 1);
        r.setLine7_Misc(entered);
        ASSERT_TRUE(cdb.insertRecipientInfo(r));
        EXPECT_EQ(r.getLine7_Misc(), stored);
        EXPECT_EQ(cdb.getRecipientInfo(cdb.getRecipientPK()).getLine7_Misc(), stored) << entered;
    }
}

// The 1099-INT Box 14 bond number lives in a column declared INT; it must come back as
// typed, leading zeros and decimals included, after an insert and after an update.
TEST_F(RecipientRows, TheBondNumberInAWholeNumberColumnKeepsItsText) {
    for (const std::string number : {"037833100", "0", "312.00", "00012345.50", "AB12-0007", ""}) {
        RecipientInfo r = named("A", "B", 0, 3);
        r.setInt_Line12(number);
        ASSERT_TRUE(cdb.insertRecipientInfo(r));
        const int32_t key = cdb.getRecipientPK();
        RecipientInfo back = cdb.getRecipientInfo(key);
        EXPECT_EQ(back.getInt_Line12(), number);
        back.setInt_Line12(number + "1");
        ASSERT_TRUE(cdb.updateRecipientInfo(back));
        EXPECT_EQ(cdb.getRecipientInfo(key).getInt_Line12(), number + "1");
    }
}

TEST_F(RecipientRows, NamesStoredInTheOldMacEncodingAreDecoded) {
    exec("insert into recipients (pk, company_FK, type, firstName, lastName, city) "
         "values (0, 0, 1, X'8E6C6F6469', X'A5', 'Plain');");
    const RecipientInfo r = cdb.getRecipientInfo(0);
    EXPECT_EQ(r.getFirstName(), "\xC3\xA9lodi");
    EXPECT_EQ(r.getLastName(), "\xE2\x80\xA2");
    EXPECT_EQ(r.getCity(), "Plain");
    EXPECT_EQ(r.getAddress(), "");
}

TEST_F(RecipientRows, KeysFlagsAndMissingRows) {
    EXPECT_EQ(cdb.getRecipientPK(), -1);
    ASSERT_TRUE(add(named("A", "A", 0, 1)));
    ASSERT_TRUE(add(named("B", "B", 0, 1)));
    EXPECT_EQ(cdb.getRecipientPK(), 1);
    ASSERT_TRUE(cdb.deleteRecipient(cdb.getRecipientInfo(1)));
    ASSERT_TRUE(add(named("C", "C", 0, 1)));
    EXPECT_EQ(cdb.getRecipientPK(), 1);

    exec("update recipients set FATCA_NEC = -1, FATCA_R = 2 where pk = 0;");
    RecipientInfo r = cdb.getRecipientInfo(0);
    EXPECT_FALSE(r.getFATCA_NEC());
    EXPECT_TRUE(r.getFATCA_R());
    ASSERT_TRUE(cdb.updateRecipientInfo(r));
    EXPECT_EQ(single("select FATCA_NEC || '/' || FATCA_R from recipients where pk = 0"), "0/1");

    EXPECT_EQ(cdb.getRecipientInfo(9).getPK(), -1);
}

// A new key is one above the largest left in either recipient table, also after the
// rows with the largest keys were deleted.
TEST_F(RecipientRows, NewKeysFollowTheLargestKeyLeftAfterDeletingAtTheTop) {
    for (const char* name : {"A", "B", "C", "D"}) {
        RecipientInfo r = named(name, name, 0, 1);
        RecipientAdditionalInfo a;
        ASSERT_TRUE(cdb.insertRecipientInfo(r, a));
    }
    exec("delete from recipients where pk >= 2; delete from recipients_additionalinfo where pk >= 3;");
    RecipientInfo r = named("E", "E", 0, 1);
    RecipientAdditionalInfo a;
    ASSERT_TRUE(cdb.insertRecipientInfo(r, a));
    EXPECT_EQ(single("select pk from recipients where firstName = 'E'"), "3");
    EXPECT_EQ(cdb.getRecipientPK(), 3);

    exec("delete from recipients; delete from recipients_additionalinfo;");
    EXPECT_EQ(cdb.getRecipientPK(), -1);
    RecipientInfo first = named("F", "F", 0, 1);
    ASSERT_TRUE(cdb.insertRecipientInfo(first, a));
    EXPECT_EQ(single("select pk from recipients where firstName = 'F'"), "0");
}

TEST_F(RecipientRows, TheAdditionalRowTakesItsRecipientsKeyEvenWhenTheTablesAreOutOfStep) {
    // A leftover additional row that belongs to no recipient.
    exec("insert into recipients_additionalinfo (pk, company_FK, type, lastname_surname) values (0, 0, 1, 'Stray');");

    RecipientInfo r = named("Ann", "Lee", 0, 1);
    RecipientAdditionalInfo a;
    a.setlastname("Lee");
    ASSERT_TRUE(cdb.insertRecipientInfo(r, a));
    EXPECT_EQ(cdb.getRecipientPK(), 1);
    EXPECT_EQ(cdb.getRecipientAdditionalInfo(1).getlastname(), "Lee");

    // The same through the two separate inserts.
    RecipientInfo r2 = named("Bo", "Ng", 0, 1);
    RecipientAdditionalInfo a2;
    a2.setPK(0);
    a2.setlastname("Ng");
    ASSERT_TRUE(cdb.insertRecipientInfo(r2));
    ASSERT_TRUE(cdb.insertadditionalRecipientInfo(a2));
    EXPECT_EQ(cdb.getRecipientPK(), 2);
    EXPECT_EQ(cdb.getRecipientAdditionalInfo(2).getlastname(), "Ng");
    EXPECT_EQ(cdb.getRecipientAdditionalInfo(0).getlastname(), "Stray");
}

TEST_F(RecipientRows, AFailedWriteLeavesTheFileAsItWas) {
    RecipientInfo kept = named("Kept", "One", 0, 1);
    RecipientAdditionalInfo keptExtra;
    ASSERT_TRUE(cdb.insertRecipientInfo(kept, keptExtra));
    const auto recipientBefore = rawRow("recipients", 0);

    block("insert", "recipients_additionalinfo");
    expectFailureBox();
    RecipientInfo lost = named("Lost", "Two", 0, 1);
    RecipientAdditionalInfo lostExtra;
    EXPECT_FALSE(cdb.insertRecipientInfo(lost, lostExtra));
    EXPECT_EQ(count("select count(*) from recipients"), 1);

    block("update", "recipients");
    expectFailureBox();
    RecipientInfo changed = cdb.getRecipientInfo(0);
    changed.setFirstName("Changed");
    EXPECT_FALSE(cdb.updateRecipientInfo(changed));

    block("delete", "recipients");
    expectFailureBox();
    EXPECT_FALSE(cdb.deleteRecipient(changed));
    EXPECT_EQ(rawRow("recipients", 0), recipientBefore);
    EXPECT_EQ(count("select count(*) from recipients_additionalinfo"), 1);

    ASSERT_EQ(ui.boxes().size(), 3u);
    EXPECT_NE(ui.boxes()[0].details.find("Unable to insert recipient info."), std::string::npos);
    EXPECT_NE(ui.boxes()[1].details.find("Unable to update recipient info."), std::string::npos);
    for (const auto& box : ui.boxes()) EXPECT_NE(box.details.find("blocked by test"), std::string::npos);
}

TEST_F(RecipientRows, ListsOfOnePayer) {
    for (const auto& [first, kind] : std::vector<std::pair<std::string, int>>{{"b", 1}, {"a", 2}, {"c", 1}})
        ASSERT_TRUE(add(named(first, "X", 4, kind)));
    ASSERT_TRUE(add(named("other payer", "X", 5, 1)));

    auto firstNames = [](const std::vector<RecipientInfo>& list) {
        std::vector<std::string> names;
        for (const auto& r : list) names.push_back(r.getFirstName());
        return names;
    };
    EXPECT_EQ(firstNames(cdb.getRecipients(4, 1)), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(firstNames(cdb.getRecipients(4, 0)), (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(firstNames(cdb.getRecipientInfo1(4, 1, 0, 0)), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_EQ(firstNames(cdb.SelectRecipients({2, 1, 0}, 1)), (std::vector<std::string>{"c", "b"}));
    EXPECT_TRUE(cdb.SelectRecipients({0}, 6).empty());
    EXPECT_EQ(cdb.getRecipientInfopk(5).getFirstName(), "other payer");
    EXPECT_EQ(cdb.getRecipientInfopk(9).getPK(), -1);
}

TEST_F(RecipientRows, ListOfTheSelectedPayersByNameKindAndStatus) {
    struct Row {
        const char* first;
        const char* last;
        int32_t company;
        int32_t kind;
        bool printed, completed, validated, voided, corrected;
    };
    const Row rows[] = {
        {"Ann", "Able", 1, 1, true, false, true, false, false},
        {"Abe", "Baker", 1, 2, false, true, false, true, false},
        {"Cy", "O'Neil", 2, 7, false, false, true, false, true},
        {"Dee", "Dunn", 3, 1, true, true, true, true, true},
    };
    for (const auto& row : rows) {
        RecipientInfo r = named(row.first, row.last, row.company, row.kind);
        r.setPrinted(row.printed);
        r.setCompleted(row.completed);
        r.setValidated(row.validated);
        r.setVoided(row.voided);
        r.setCorrected(row.corrected);
        ASSERT_TRUE(cdb.insertRecipientInfo(r));
    }
    selectPayers({1, 2});

    struct Case {
        std::string filter;
        int32_t direction, kind, status;
        std::vector<std::string> firsts;
    };
    const Case cases[] = {
        {"", 0, 0, 0, {"Ann", "Abe", "Cy"}},
        {"", 1, 0, 0, {"Cy", "Abe", "Ann"}},
        {"a*", 0, 0, 0, {"Ann", "Abe"}},          // first or last name beginning with a
        {"ab", 0, 0, 0, {"Ann", "Abe"}},          // anywhere in either name
        {"*r", 0, 0, 0, {"Abe"}},                 // ending in r
        {"o'n", 0, 0, 0, {"Cy"}},                 // a quote is an ordinary character
        {"", 0, 1, 0, {"Ann"}},
        {"", 0, 7, 0, {"Cy"}},
        {"", 0, 6, 0, {"Ann", "Abe", "Cy"}},      // kind 6: every kind
        {"", 0, 0, 1, {"Abe", "Cy"}},
        {"", 0, 0, 2, {"Ann"}},
        {"", 0, 0, 3, {"Ann", "Cy"}},
        {"", 0, 0, 4, {"Abe"}},
        {"", 0, 0, 5, {"Abe"}},
        {"", 0, 6, 6, {"Ann", "Cy"}},
        {"", 0, 0, 7, {"Ann", "Cy"}},
        {"", 0, 0, 8, {"Abe"}},
        {"", 0, 0, 9, {"Ann", "Abe"}},
        {"", 0, 0, 10, {"Cy"}},
        {"", 0, 0, 11, {"Ann", "Abe", "Cy"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> firsts;
        for (const auto& r : cdb.execRecipientListQuery(c.filter, c.direction, c.kind, c.status))
            firsts.push_back(r.getFirstName());
        EXPECT_EQ(firsts, c.firsts) << "filter '" << c.filter << "' dir " << c.direction << " kind " << c.kind
                                    << " status " << c.status;
    }

    std::vector<std::string> one;
    for (const auto& r : cdb.execRecipientListQueryImport1("3", "", 0, 0, 0)) one.push_back(r.getFirstName());
    EXPECT_EQ(one, (std::vector<std::string>{"Dee"}));

    ComapnyInfo p3, p1;
    p3.setPK(3);
    p1.setPK(1);
    std::vector<std::string> byPayer;
    for (const auto& r : cdb.execRecipientListQueryImport({p3, p1}, "", 0, 0, 0)) byPayer.push_back(r.getFirstName());
    EXPECT_EQ(byPayer, (std::vector<std::string>{"Dee", "Ann", "Abe"}));

    selectPayers({});
    EXPECT_TRUE(cdb.execRecipientListQuery("", 0, 0, 0).empty());
}
