// The user accounts window with its details and delete dialogs, driven as a user would.

#include "AdminWindowsFixture.h"
#include "core/admin/AccountRules.h"
#include "core/foundation/tvDatabase.h"
#include "ui/admin/AdminDialog.h"
#include "ui/admin/UserDelete.h"
#include "ui/admin/UserDetailsDialog.h"

namespace {

using Names = std::vector<std::string>;

class Accounts : public AdminWindowsTest {
protected:
    // Runs the accounts window; `inside` works in it, then Close ends it unless it has ended.
    // The windows that open from within the accounts window, answered in this order.
    int runAccounts(std::function<void(AdminDialog&)> inside) {
        script.expect("AdminDialog", [inside](QWidget& w) {
            auto& dialog = static_cast<AdminDialog&>(w);
            inside(dialog);
            if (isRunningModal(&w)) uitest::press(w, "CloseBtn");
        });
        for (auto& [name, answer] : inside_) script.expect(name, std::move(answer));
        inside_.clear();
        AdminDialog dialog;
        return runModal(&dialog);
    }
    void expectInside(std::string name, ModalScript::Answer answer) {
        inside_.emplace_back(std::move(name), std::move(answer));
    }
    std::vector<std::pair<std::string, ModalScript::Answer>> inside_;

    static void fill(QWidget& w, const std::string& name, const std::string& password, const std::string& retyped) {
        typeInto(w, "UserName", name);
        typeInto(w, "Password", password);
        typeInto(w, "RePasword", retyped);
    }

    static void choose(AdminDialog& d, int row) { answer::clickRow(d.UserList(), row); }

    int32_t storedType(const std::string& name) { return cdb()->getUserInfo(keyOf(name)).getUserType(); }
};

TEST_F(Accounts, TheFirstAccountIsAnAdministratorWhateverTheBoxShowed) {
    openDatabase(DatabaseRecipe("Acme"));
    logIn("Harbour", "Harbour");
    expectInside("UserDetailsDialog", [](QWidget& w) {
        auto* box = uitest::child<QCheckBox>(w, "ADMINCheckbox");
        EXPECT_TRUE(box->isChecked());
        EXPECT_FALSE(box->isEnabled());
        EXPECT_TRUE(uitest::child<QPushButton>(w, "AddUser")->isDefault());
        EXPECT_FALSE(uitest::child<QPushButton>(w, "UpdateUser")->isEnabled());
        fill(w, "Ada", "Secret1", "Secret1");
        uitest::press(w, "AddUser");
    });
    runAccounts([](AdminDialog& d) {
        EXPECT_TRUE(d.userVector().empty());
        EXPECT_FALSE(d.UpdateBtn()->isEnabled());
        EXPECT_FALSE(d.DelBtn()->isEnabled());
        uitest::press(d, "AddBtn");
        EXPECT_EQ(d.userVector(), Names{"Ada"});
        EXPECT_EQ(d.selectedRow(), 0);
        EXPECT_TRUE(d.UpdateBtn()->isEnabled());
    });
    EXPECT_EQ(storedType("Ada"), 1);
    EXPECT_TRUE(cdb()->hasNonDefaultLogin(false, -1));
}

// Each refusal says why and keeps what was typed; exact built-in names are refused,
// other letter cases are ordinary names.
TEST_F(Accounts, AddRefusesInOrderAndAcceptsOtherLetterCasesOfTheBuiltInNames) {
    openDatabase(DatabaseRecipe("Acme").user("Ada", "Secret1", 1));
    logIn("Ada", "Secret1");
    struct Attempt {
        std::string name, password, retyped, title, text;
    };
    const std::vector<Attempt> refused = {
        {"", "pw", "pw", "Error", "Please enter both a User Name and a Password."},
        {"Bob", "", "", "Error", "Please enter both a User Name and a Password."},
        {"tvs1099", "", "x", "Error", "Please enter both a User Name and a Password."},
        {"tvs1099", "pw", "x", "Error", "'tvs1099' is a reserved User Name. Please use a different User Name."},
        {"Harbour", "pw", "x", "Error", "'Harbour' is a reserved User Name. Please use a different User Name."},
        {"Ada", "pw", "x", "Error", "The desired User Name is already being used. Please use a different User Name."},
        {"Bob", "pw", "px", "Passwords do not match!", "Passwords do not match. Please re-enter both passwords."},
    };
    expectInside("UserDetailsDialog", [&](QWidget& w) {
        for (const Attempt& a : refused) {
            fill(w, a.name, a.password, a.retyped);
            uitest::press(w, "AddUser");
            ASSERT_TRUE(isRunningModal(&w)) << a.text;
            EXPECT_EQ(uitest::child<QLineEdit>(w, "UserName")->text().toStdString(), a.name);
        }
        fill(w, "harbour", "pw", "pw");
        uitest::press(w, "AddUser");
    });
    for (const Attempt& a : refused) expectInside(kDatabaseAlertName, alertSaying(a.title, a.text));
    expectInside("UserDetailsDialog", [](QWidget& w) {
        fill(w, "TVS1099", "pw", "pw");
        uitest::press(w, "AddUser");
    });
    runAccounts([](AdminDialog& d) {
        uitest::press(d, "AddBtn");
        uitest::press(d, "AddBtn");
        EXPECT_EQ(d.userVector(), (Names{"Ada", "harbour", "TVS1099"}));
    });
    EXPECT_EQ(storedType("harbour"), 0);
}

TEST_F(Accounts, TheBuiltInLoginsAreNeverListedAndANewAccountIsSelected) {
    openDatabase(DatabaseRecipe("Acme").user("Ada", "Secret1", 1).user("Bob", "pw", 0));
    logIn("Ada", "Secret1");
    const Names all = [&] {
        Names n;
        for (const UserInfo& u : cdb()->getUsers()) n.push_back(u.getUserName());
        return n;
    }();
    ASSERT_EQ(all, (Names{"Ada", "Bob", "Harbour", "tvs1099"})) << "every file has both built-in logins";
    expectInside("UserDetailsDialog", [](QWidget& w) {
        EXPECT_TRUE(uitest::child<QCheckBox>(w, "ADMINCheckbox")->isEnabled());
        fill(w, "Zed", "pw", "pw");
        uitest::press(w, "AddUser");
    });
    runAccounts([](AdminDialog& d) {
        EXPECT_EQ(d.userVector(), (Names{"Ada", "Bob"}));
        choose(d, 0);
        uitest::press(d, "AddBtn");
        // "Zed" sorts after both built-in logins; the list shows it in its own row.
        EXPECT_EQ(d.userVector(), (Names{"Ada", "Bob", "Zed"}));
        EXPECT_EQ(d.selectedRow(), 2);
    });
}

TEST_F(Accounts, UpdateRefusalsAndARenameOfOnesOwnAccountChangeTheCurrentLogin) {
    openDatabase(DatabaseRecipe("Acme").user("Ada", "Secret1", 1).user("Bob", "pw", 0));
    logIn("Ada", "Secret1");
    scripted->answerBox(kMessageAnswerOkYes);   // empty name
    scripted->answerBox(kMessageAnswerOkYes);   // reserved name
    expectInside("UserDetailsDialog", [](QWidget& w) {
        // One's own account: the administrator box cannot be turned off.
        EXPECT_EQ(uitest::child<QLineEdit>(w, "UserName")->text(), QStringLiteral("Ada"));
        EXPECT_EQ(uitest::child<QLineEdit>(w, "RePasword")->text(), QStringLiteral("Secret1"));
        EXPECT_FALSE(uitest::child<QCheckBox>(w, "ADMINCheckbox")->isEnabled());
        EXPECT_TRUE(uitest::child<QPushButton>(w, "UpdateUser")->isDefault());
        EXPECT_FALSE(uitest::child<QPushButton>(w, "AddUser")->isEnabled());
        fill(w, "", "x", "x");
        uitest::press(w, "UpdateUser");
        fill(w, "Harbour", "x", "x");
        uitest::press(w, "UpdateUser");
        fill(w, "Bob", "x", "x");
        uitest::press(w, "UpdateUser");
        fill(w, "Ada", "new one", "other");
        uitest::press(w, "UpdateUser");
        ASSERT_TRUE(isRunningModal(&w));
        // The unchanged own name passes the duplicate check.
        fill(w, "Ada", "new one", "new one");
        uitest::press(w, "UpdateUser");
        ASSERT_FALSE(isRunningModal(&w));
    });
    expectInside(kDatabaseAlertName,
                  alertSaying("Error", "The desired User Name is already being used. Please use a different User Name."));
    expectInside(kDatabaseAlertName,
                  alertSaying("Passwords do not match!", "Passwords do not match. Please re-enter both passwords."));
    expectInside("UserDetailsDialog", [](QWidget& w) {
        fill(w, "Ada Lovelace & Co", "new one", "new one");
        uitest::press(w, "UpdateUser");
    });
    runAccounts([](AdminDialog& d) {
        choose(d, 0);
        uitest::press(d, "UpdateBtn");
        choose(d, 0);
        uitest::press(d, "UpdateBtn");
        EXPECT_EQ(d.userVector(), (Names{"Ada Lovelace & Co", "Bob"}));
        EXPECT_EQ(d.selectedRow(), 0);
    });
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].details, "Please enter both a User Name and a Password.");
    EXPECT_EQ(boxes[1].details, "'Harbour' is a reserved User Name. Please use a different User Name.");
    EXPECT_EQ(boxes[1].title, "Error");
    EXPECT_EQ(session().loginInfo->getName(), "Ada Lovelace & Co");
    EXPECT_EQ(session().loginInfo->getPassWord(), "new one");
    EXPECT_EQ(session().loginInfo->getUserType(), 1);
    EXPECT_TRUE(cdb()->validateLogin(true));
}

TEST_F(Accounts, TheOnlyAdministratorCannotBeDeletedWhileAnotherAccountRemains) {
    openDatabase(DatabaseRecipe("Acme").user("Ada", "Secret1", 1).user("Bob", "pw", 0));
    logIn("Ada", "Secret1");
    // The close box of the refusal keeps the accounts window; OK closes it.
    scripted->answerBox(kMessageAnswerCloseBox);
    scripted->answerBox(kMessageAnswerOkYes);
    const int refreshes = scripted->refreshCount();
    bool stayed = false;
    EXPECT_EQ(runAccounts([&](AdminDialog& d) {
                  choose(d, 0);
                  uitest::press(d, "DelBtn");
                  stayed = isRunningModal(&d);
                  uitest::press(d, "DelBtn");
              }),
              AdminDialog::kClosedCode);
    EXPECT_TRUE(stayed);
    EXPECT_EQ(scripted->refreshCount(), refreshes + 1);
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, " ");
    EXPECT_EQ(boxes[0].details, accounts::kDeleteRefusedText);
    EXPECT_EQ(boxes[0].title, "Error");
    EXPECT_EQ(keyOf("Ada") >= 0, true);
}

TEST_F(Accounts, DeletionsThatKeepAnAdministratorOrLeaveNoAccountsAreAllowed) {
    openDatabase(DatabaseRecipe("Acme").user("Ada", "Secret1", 1).user("Bob", "pw", 0).user("Cy", "pw", 1));
    logIn("Ada", "Secret1");
    auto confirm = [](std::string shown) {
        return [shown](QWidget& w) {
            EXPECT_EQ(uitest::child<QLineEdit>(w, "UserToDelete")->text().toStdString(), shown);
            EXPECT_TRUE(uitest::child<QPushButton>(w, "DeleteUser")->isDefault());
            uitest::press(w, "DeleteUser");
        };
    };
    expectInside("UserDelete", [](QWidget& w) { uitest::press(w, "Cancel"); });
    expectInside("UserDelete", confirm("Ada"));   // another administrator remains
    expectInside("UserDelete", confirm("Bob"));   // a non-administrator, with one remaining
    expectInside("UserDelete", confirm("Cy"));    // the last account of all
    runAccounts([](AdminDialog& d) {
        choose(d, 0);
        uitest::press(d, "DelBtn");
        EXPECT_EQ(d.userVector(), (Names{"Ada", "Bob", "Cy"}));
        choose(d, 0);
        uitest::press(d, "DelBtn");   // one's own account may go too
        EXPECT_EQ(d.userVector(), (Names{"Bob", "Cy"}));
        EXPECT_EQ(d.selectedRow(), -1);
        EXPECT_FALSE(d.UpdateBtn()->isEnabled());
        EXPECT_FALSE(d.DelBtn()->isEnabled());
        choose(d, 0);
        uitest::press(d, "DelBtn");
        choose(d, 0);
        uitest::press(d, "DelBtn");
        EXPECT_TRUE(d.userVector().empty());
    });
    EXPECT_FALSE(cdb()->hasNonDefaultLogin(false, -1));
}

TEST_F(Accounts, TheFieldsStopAtEightyFiveCharacters) {
    openDatabase(DatabaseRecipe("Acme"));
    logIn("Harbour", "Harbour");
    expectInside("UserDetailsDialog", [](QWidget& w) {
        for (const char* field : {"UserName", "Password", "RePasword"}) {
            typeInto(w, field, std::string(90, 'n'));
            EXPECT_EQ(uitest::child<QLineEdit>(w, field)->text().size(), accounts::kFieldLimit) << field;
        }
        uitest::press(w, "Cancel");
    });
    runAccounts([](AdminDialog& d) { uitest::press(d, "AddBtn"); });
    EXPECT_FALSE(cdb()->hasNonDefaultLogin(false, -1));
}

TEST_F(Accounts, OnlyAnAdministratorGetsTheWindow) {
    openDatabase(DatabaseRecipe("Acme").user("Ada", "Secret1", 1).user("Bob", "pw", 0));
    logIn("Bob", "pw");
    scripted->answerBox(kMessageAnswerOkYes);
    AdminDialog::Admin_Action(nullptr);
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_EQ(scripted->boxes()[0].details, "Please login as an Administrator to access Admin.");
    EXPECT_EQ(scripted->boxes()[0].title, "Administrator Login Required");
}

}  // namespace
