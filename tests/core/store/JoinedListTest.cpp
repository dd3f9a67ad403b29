#include "CompanyRowsFixture.h"
#include "core/store/ComapnyInfo.h"
#include "core/store/RecipientAdditionalInfo.h"
#include "core/store/RecipientFullInfo.h"
#include "core/store/RecipientInfo.h"

class AdditionalRows : public CompanyRowsTest {
protected:
    struct Person {
        const char* first;
        const char* last;
        const char* surname;
        int32_t company;
        int32_t kind;
    };
    void add(const Person& p, bool printed = false) {
        RecipientInfo r;
        r.setFirstName(p.first);
        r.setLastName(p.last);
        r.setCompany_FK(p.company);
        r.setType(p.kind);
        r.setPrinted(printed);
        RecipientAdditionalInfo a;
        a.setlastname(p.surname);
        a.setname_typee("Individual");
        a.setCompany_FK(p.company);
        a.setType(p.kind);
        a.setPrinted(printed);
        ASSERT_TRUE(cdb.insertRecipientInfo(r, a));
    }
    static ComapnyInfo payer(int32_t key) {
        ComapnyInfo c;
        c.setPK(key);
        return c;
    }
    static std::vector<std::string> surnames(const std::vector<RecipientFullInfo>& list) {
        std::vector<std::string> names;
        for (const auto& f : list) names.push_back(f.getRLastName());
        return names;
    }
};

TEST_F(AdditionalRows, EveryColumnIsReadAndWrittenBackUnchanged) {
    std::string names = "pk, company_FK, type, validated, printed, completed, corrected, void";
    std::string values = "0, 3, 5, 1, 1, 0, 1, 1";
    for (const auto& c : columns("recipients_additionalinfo")) {
        if (names.find(c) != std::string::npos) continue;
        names += ", " + c;
        values += ", 'v_" + c + "'";
    }
    exec("insert into recipients_additionalinfo (" + names + ") values (" + values + ");");
    const auto before = rawRow("recipients_additionalinfo", 0);

    const RecipientAdditionalInfo a = cdb.getRecipientAdditionalInfo(0);
    ASSERT_TRUE(cdb.updateAdditionalRecipientInfo(a));
    EXPECT_EQ(rawRow("recipients_additionalinfo", 0), before);

    EXPECT_EQ(a.getCompany_FK(), 3);
    EXPECT_EQ(a.getType(), 5);
    EXPECT_TRUE(a.getVoided());
    EXPECT_FALSE(a.getCompleted());
    EXPECT_EQ(a.getlastname(), "v_lastname_surname");
    EXPECT_EQ(a.getTopState_M(), "v_line21_1");
    EXPECT_EQ(a.getBottomState(), "v_line21_2");
    EXPECT_EQ(a.getDiv_StateINC_2(), "v_div_line17_2");
    EXPECT_EQ(a.getInt_StateINCM_1(), "v_int_line20_1");
    EXPECT_EQ(a.getStateINC1_R(), "v_r_line21_1");
    EXPECT_EQ(a.getTopState_NEC(), "v_nec_line10_1");

    // Written as a new row under a new recipient, it lands column for column.
    RecipientInfo r;
    RecipientAdditionalInfo copy = a;
    ASSERT_TRUE(cdb.insertRecipientInfo(r, copy));
    auto inserted = rawRow("recipients_additionalinfo", 1);
    auto expected = before;
    inserted.erase("pk");
    expected.erase("pk");
    EXPECT_EQ(inserted, expected);
    EXPECT_EQ(cdb.getRecipientAdditionalInfo(7).getPK(), -1);
}

TEST_F(AdditionalRows, ListsOfAdditionalRows) {
    add({"Ann", "Lee", "Lee", 1, 1}, true);
    add({"Bo", "Ng", "Ngata", 1, 7});
    add({"Cy", "Ox", "Oxley", 2, 1});
    selectPayers({1, 2});

    EXPECT_EQ(cdb.getAddRecipients(1, 0).size(), 2u);
    EXPECT_EQ(cdb.getAddRecipients(1, 7).at(0).getlastname(), "Ngata");
    EXPECT_EQ(cdb.getAdditionalRecipients1(1, 1, 0, 0).at(0).getlastname(), "Ngata");
    EXPECT_EQ(cdb.getRecipientAdditionalInfo1(2, 0, 1, 0).at(0).getlastname(), "Oxley");
    EXPECT_EQ(cdb.getAdditionalRecipients("ng", 0, 0, 0).size(), 1u);
    EXPECT_EQ(cdb.getAdditionalRecipients("", 0, 0, 2).size(), 1u);  // printed
    EXPECT_EQ(cdb.getAdditionalRecipients("le*", 0, 0, 0).size(), 0u);  // "*" is no wildcard here
    EXPECT_EQ(cdb.execRecipientListAddQueryImport("2", "", 0, 0, 0).size(), 1u);
}

TEST_F(AdditionalRows, JoinedListByPayerKindStatusNameAndOrder) {
    add({"Ann", "Lee", "Lee", 1, 1}, true);
    add({"Bo", "Ng", "Adams", 1, 7});
    add({"Cy", "O'Hara", "O'Hara", 2, 1});
    add({"Di", "Ray", "Ray", 3, 2});
    // A recipient without additional data is not listed.
    RecipientInfo lone;
    lone.setFirstName("Lone");
    lone.setCompany_FK(1);
    ASSERT_TRUE(cdb.insertRecipientInfo(lone));

    struct Case {
        std::vector<int32_t> payers;
        std::string filter;
        int32_t direction, kind, status;
        std::vector<std::string> surnames;
    };
    const Case cases[] = {
        {{1}, "", 0, 0, 0, {"Adams", "Lee"}},
        {{1, 2}, "", 0, 0, 0, {"Adams", "Lee", "O'Hara"}},
        {{1, 2}, "", 1, 0, 0, {"O'Hara", "Lee", "Adams"}},
        {{1, 2, 3}, "", 0, 1, 0, {"Lee", "O'Hara"}},
        {{1, 2, 3}, "", 0, 7, 0, {"Adams"}},
        {{1, 2, 3}, "", 0, 0, 2, {"Lee"}},
        {{1, 2, 3}, "", 0, 0, 1, {"Adams", "O'Hara", "Ray"}},
        {{1, 2, 3}, "ng", 0, 0, 0, {"Adams"}},     // last name
        {{1, 2, 3}, "a*", 0, 0, 0, {"Adams", "Lee"}},  // first name or surname beginning with a
        {{1, 2, 3}, "o'h", 0, 0, 0, {"O'Hara"}},
        {{}, "", 0, 0, 0, {}},
    };
    for (const auto& c : cases) {
        std::vector<ComapnyInfo> payers;
        for (int32_t k : c.payers) payers.push_back(payer(k));
        EXPECT_EQ(surnames(cdb.execRecipientFullInfoQuery(payers, c.filter, c.direction, c.kind, c.status)),
                  c.surnames)
            << "filter '" << c.filter << "' kind " << c.kind << " status " << c.status;
    }

    const auto one = cdb.getRecipientFullInfo1(1, 0, 1, 0);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].getFirstName(), "Ann");
    EXPECT_EQ(one[0].getLastName(), "Lee");
    EXPECT_EQ(one[0].getnameType(), "Individual");
    EXPECT_EQ(one[0].getCompany_FK(), 1);
    EXPECT_EQ(one[0].getType(), 1);
    EXPECT_TRUE(one[0].getPrinted());
    EXPECT_FALSE(one[0].getVoided());
}

TEST_F(AdditionalRows, JoinedListCoversEveryStatusCode) {
    // One recipient per flag, holding just that flag.
    const char* flags[] = {"printed", "completed", "validated", "void", "corrected"};
    for (int i = 0; i < 5; ++i) {
        add({flags[i], "X", flags[i], 1, 1});
        exec(std::string("update recipients set printed = 0, completed = 0, validated = 0, void = 0, "
                         "corrected = 0, ") + flags[i] + " = 1 where pk = " + std::to_string(i) + ";");
    }
    for (int32_t status = 1; status <= 10; ++status) {
        const std::string flag = flags[(status - 1) / 2];
        const bool on = status % 2 == 0;
        const auto list = cdb.execRecipientFullInfoQuery({payer(1)}, "", 0, 0, status);
        std::vector<std::string> expected;
        for (const char* f : {"completed", "corrected", "printed", "validated", "void"})
            if ((f == flag) == on) expected.push_back(f);
        EXPECT_EQ(surnames(list), expected) << "status " << status;
    }
}

// With no payer selected the list is empty by definition: no rows and no error.
TEST_F(AdditionalRows, NoPayerGivesAnEmptyListWithoutAnError) {
    add({"Ann", "Lee", "Lee", 0, 1});
    EXPECT_TRUE(cdb.execRecipientFullInfoQuery({}, "", 0, 0, 0).empty());
    EXPECT_TRUE(cdb.execRecipientFullInfoQuery({}, "Lee", 1, 1, 2).empty());
    EXPECT_TRUE(ui.boxes().empty());
}
