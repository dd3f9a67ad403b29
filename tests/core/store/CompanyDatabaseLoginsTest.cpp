// User accounts of a company database and the in-use warning.

#include "CompanyDbTestSupport.h"
#include "core/foundation/Login_Info.h"
#include "core/foundation/UserInfo.h"
#include "core/foundation/tvDatabase.h"

class CompanyDatabaseLogins : public CompanyDbTest {
protected:
    void SetUp() override {
        CompanyDbTest::SetUp();
        ASSERT_TRUE(cdb.Init(path(), false, false, true, "Company"));
    }

    void addUser(const std::string& name, const std::string& password, int type) {
        UserInfo u;
        u.setUserName(name);
        u.setPassword(password);
        u.setUserType(type);
        u.setPK(99);  // ignored: the table gives the key
        cdb.insertUserInfo(u);
    }

    int keyOf(const std::string& name) {
        for (const auto& u : cdb.getUsers())
            if (u.getUserName() == name) return u.getPK();
        return -1;
    }

    void logInAs(const std::string& name, const std::string& password) {
        session().loginInfo = std::make_shared<Login_Info>();
        session().loginInfo->setName(name);
        session().loginInfo->setPassWord(password);
    }

    CompanyDatabase cdb;
};

TEST_F(CompanyDatabaseLogins, BuiltInLoginsAloneNeedNoLogin) {
    EXPECT_FALSE(cdb.hasNonDefaultLogin(false, -1));
    EXPECT_EQ(cdb.getNewUserPK(), 1);
    addUser("adam", "pw", 0);
    EXPECT_EQ(keyOf("adam"), 2);
    EXPECT_TRUE(cdb.hasNonDefaultLogin(false, -1));

    // The support login's password is stored scrambled and is not the default one.
    const std::string stored = text(*cdb.db, "select password from logins where name = 'tvs1099';");
    EXPECT_FALSE(stored.empty());
    EXPECT_NE(tvDatabase::Decrypt(stored), "Harbour");
    EXPECT_NE(tvDatabase::Decrypt(stored), stored);
    EXPECT_EQ(tvDatabase::Decrypt(text(*cdb.db, "select password from logins where name = 'Harbour';")), "Harbour");
}

TEST_F(CompanyDatabaseLogins, ValidateLogin) {
    addUser("adam", "a-pass", 1);
    addUser("bob", "b-pass", 0);
    addUser("O'Neil", "it's me", 0);
    struct Case {
        const char* name;
        const char* password;
        bool adminRequired;
        bool valid;
    } cases[] = {
        {"Harbour", "Harbour", false, false},  // the default login never validates
        {"adam", "a-pass", false, true},       {"adam", "a-pass", true, true},
        {"adam", "A-PASS", false, false},      {"Adam", "a-pass", false, false},
        {"bob", "b-pass", false, true},        {"bob", "b-pass", true, false},
        {"O'Neil", "it's me", false, true},    {"O'Neil", "its me", false, false},
        {"nobody", "", false, false},          {"x' or '1'='1", "", false, false},
    };
    for (const auto& c : cases) {
        logInAs(c.name, c.password);
        EXPECT_EQ(cdb.validateLogin(c.adminRequired), c.valid) << c.name << " / " << c.password;
    }
}

TEST_F(CompanyDatabaseLogins, GetLoginInfoFillsTheLoggedInUser) {
    addUser("O'Neil", "pw", 1);
    ASSERT_TRUE(cdb.db->executeUpdate(
        "update logins set mainWindowXCoord = 1, mainWindowYCoord = 2, mainWindowWidth = 3, mainWindowHeight = 4, "
        "dbm_Width = 5, printIntRecipientSelectorWidth = 6, imptype_Width = 7, recipientSort = 1, companySort = 1, "
        "doNotShowWelcomeDialog = 2, doNotShowPrintAlignmentDialog = 0 where name = ?;",
        "O'Neil"));

    logInAs("O'Neil", "wrong");
    EXPECT_FALSE(cdb.getLoginInfo());
    EXPECT_EQ(session().loginInfo->getPK(), -1);

    logInAs("O'Neil", "pw");
    ASSERT_TRUE(cdb.getLoginInfo());
    const Login_Info& l = *session().loginInfo;
    EXPECT_EQ(l.getPK(), 2);
    EXPECT_EQ(l.getUserType(), 1);
    EXPECT_EQ(l.getFontSize(), 14);
    EXPECT_EQ(l.getMainWindowXCoord(), 1);
    EXPECT_EQ(l.getMainWindowYCoord(), 2);
    EXPECT_EQ(l.getMainWindowWidth(), 3);
    EXPECT_EQ(l.getMainWindowHeight(), 4);
    EXPECT_EQ(l.getDataBaseManagerWidth(), 5);
    EXPECT_EQ(l.getAdminWidth(), 0);  // empty columns read as 0
    EXPECT_EQ(l.getPrintIntRecipientSelectorWidth(), -1);
    EXPECT_EQ(l.getImportTypeWidth(), -1);
    EXPECT_EQ(l.getImportCompWidth(), -1);
    EXPECT_EQ(l.getRecipientSort(), 1);
    EXPECT_EQ(l.getCompanySort(), 1);
    EXPECT_TRUE(l.getDoNotShowWelcomeDialog());
    EXPECT_FALSE(l.getDoNotShowPrintAlignmentDialog());

    // Settings written back come in again at the next login.
    session().loginInfo->setEFileHeight(640);
    session().loginInfo->setRecipientSort(0);
    cdb.updateLoginInfo();
    logInAs("O'Neil", "pw");
    ASSERT_TRUE(cdb.getLoginInfo());
    EXPECT_EQ(session().loginInfo->getEFileHeight(), 640);
    EXPECT_EQ(session().loginInfo->getRecipientSort(), 0);
    EXPECT_EQ(session().loginInfo->getMainWindowHeight(), 4);
}

TEST_F(CompanyDatabaseLogins, UserListKeysAndChanges) {
    addUser("carol", "c", 0);
    addUser("Bob", "b", 0);
    addUser("adam", "a", 1);
    std::vector<std::string> names;
    for (const auto& u : cdb.getUsers()) {
        names.push_back(u.getUserName());
        EXPECT_EQ(u.getUserType(), -1);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"adam", "Bob", "carol", "Harbour", "tvs1099"}));

    UserInfo bob = cdb.getUserInfo(keyOf("Bob"));
    EXPECT_EQ(bob.getPassword(), "b");
    EXPECT_EQ(bob.getUserType(), 0);
    EXPECT_EQ(cdb.getUserInfo(4242).getPK(), -1);

    bob.setPassword("new pass");
    bob.setUserType(1);
    cdb.updateUserInfo(bob);
    const std::string stored = text(*cdb.db, "select password from logins where name = 'Bob';");
    EXPECT_NE(stored, "new pass");
    EXPECT_EQ(tvDatabase::Decrypt(stored), "new pass");
    EXPECT_EQ(cdb.getUserInfo(bob.getPK()).getUserType(), 1);

    // Keys: largest plus one, also after rows in between are gone; 0 in an empty table.
    cdb.deleteUser(cdb.getUserInfo(keyOf("Bob")));
    EXPECT_EQ(keyOf("Bob"), -1);
    addUser("dora", "d", 0);
    EXPECT_EQ(keyOf("dora"), 5);
    ASSERT_TRUE(cdb.db->executeUpdate("delete from logins;"));
    EXPECT_EQ(cdb.getNewUserPK(), -1);
    addUser("eve", "e", 0);
    EXPECT_EQ(keyOf("eve"), 0);
}

TEST_F(CompanyDatabaseLogins, OtherUsersAndAdministratorsRemaining) {
    addUser("A", "a", 1);
    addUser("B", "b", 0);
    const int a = keyOf("A"), b = keyOf("B");
    struct Case {
        bool adminsOnly;
        int key;
        bool expected;
    } cases[] = {{true, a, false}, {true, b, true}, {false, a, true}, {false, b, true}, {true, -1, true}};
    for (const auto& c : cases)
        EXPECT_EQ(cdb.hasNonDefaultLogin(c.adminsOnly, c.key), c.expected) << c.adminsOnly << " " << c.key;
    cdb.deleteUser(cdb.getUserInfo(b));
    EXPECT_FALSE(cdb.hasNonDefaultLogin(false, a));
}

TEST_F(CompanyDatabaseLogins, InUseWarning) {
    EXPECT_FALSE(cdb.CheckInUse());  // not marked: nothing shown
    EXPECT_TRUE(ui->shown().empty());

    cdb.SetName("Payroll \"East\"");
    cdb.SetInUse(1);
    ui->answerBox(16);
    ui->answerBox(2);
    ui->answerBox(1000);
    EXPECT_FALSE(cdb.CheckInUse());
    EXPECT_TRUE(cdb.CheckInUse());
    EXPECT_FALSE(cdb.CheckInUse());

    const auto box = ui->boxes().at(0);
    EXPECT_EQ(box.variant, MessageBoxRequest::Variant::NamedButtons);
    EXPECT_EQ(box.caption, "Warning! Database may be in use! Continue anyway?");
    EXPECT_EQ(box.style, 10);
    EXPECT_EQ(box.title, "Company Database Warning");
    EXPECT_EQ(box.image, 0x200);
    EXPECT_EQ(box.button2Title, "Cancel, Do Not Open");
    EXPECT_EQ(box.button3Title, "Continue Anyway (May Cause Corruption If In Use)");
    EXPECT_EQ(box.details.rfind("The database you are attempting to access appears to already be in use:\n\n    "
                                "\"Payroll \"East\"\"\n\nMultiple users accessing the same database simultaneously "
                                "may cause corruption!\n\n                           Please close",
                                0),
              0u)
        << box.details;
    EXPECT_NE(box.details.find("\n\n                           Do you want to continue opening this database?"),
              std::string::npos);
}
