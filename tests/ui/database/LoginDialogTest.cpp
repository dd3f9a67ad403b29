#include <QLineEdit>
#include <QPushButton>

#include "DatabaseFixture.h"
#include "ui/database/LoginDialog.h"

namespace {

// A database with an administrator and an ordinary user, open in the session.
class LoginDialogTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        const std::string path =
            makeDatabase(DatabaseRecipe("Acme").user("Ada", "Secret1", 1).user("Bob", "pass word", 0));
        ASSERT_TRUE(cdb()->Init(path, true, true, true, "Acme"));
        session().loginInfo = std::make_shared<Login_Info>();
    }

    // Runs the dialog with the given attempts; each is answered like a user typing it.
    // Every refused attempt shows the invalid-login alert, checked here.
    int run(LoginDialog& dialog, const std::vector<std::pair<std::string, std::string>>& attempts,
            bool cancelAtEnd, int refused = 0) {
        script.expect("LoginDialog", [&](QWidget& w) {
            for (const auto& [name, password] : attempts) {
                answer::typeLogin(w, name, password);
                if (!isRunningModal(&w)) return;
                // A refused attempt leaves both fields empty for the next one.
                EXPECT_EQ(dialog.UserName_P()->text(), QString());
                EXPECT_EQ(dialog.Password_P()->text(), QString());
            }
            if (cancelAtEnd) uitest::press(w, "Cancel_Login");
        });
        for (int i = 0; i < refused; ++i)
            script.expect(kDatabaseAlertName, [](QWidget& w) {
                EXPECT_EQ(w.windowTitle(), QStringLiteral("Invalid Login"));
                EXPECT_EQ(answer::alertText(w), "Invalid Login, Please try again");
                // One line of text beside an icon of the message box's size, not a poster.
                auto* alert = qobject_cast<QMessageBox*>(&w);
                EXPECT_EQ(alert->iconPixmap().size(), QSize(64, 64));
                EXPECT_GE(alert->width(), 500);
                answer::pressAlertButton(w, QStringLiteral("OK"));
            });
        return runModal(&dialog);
    }
};

TEST_F(LoginDialogTest, AcceptsExactNameAndPasswordOfAnyAccount) {
    struct Case {
        std::string name, password;
        int userType;
    };
    for (const Case& c : {Case{"Ada", "Secret1", 1}, Case{"Bob", "pass word", 0}}) {
        SCOPED_TRACE(c.name);
        session().loginInfo = std::make_shared<Login_Info>();
        LoginDialog dialog;
        EXPECT_EQ(run(dialog, {{c.name, c.password}}, false), LoginDialog::kLoggedInCode);
        EXPECT_TRUE(dialog.getValiDLogin());
        EXPECT_EQ(session().loginInfo->getName(), c.name);
        EXPECT_EQ(session().loginInfo->getUserType(), c.userType);
        EXPECT_GE(session().loginInfo->getPK(), 0);
    }
}

TEST_F(LoginDialogTest, RefusedAttemptsSayInvalidLoginAndKeepTheDialogOpen) {
    struct Case {
        const char* why;
        std::string name, password;
    };
    const Case refused[] = {
        {"password in another letter case", "Ada", "secret1"},
        {"unknown name", "Eve", "Secret1"},
        {"empty fields", "", ""},
        {"name with a trailing blank", "Ada ", "Secret1"},
        {"built-in default login", "Harbour", "Harbour"},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.why);
        LoginDialog dialog;
        EXPECT_EQ(run(dialog, {{c.name, c.password}}, true, 1), LoginDialog::kCancelCode);
        EXPECT_FALSE(dialog.getValiDLogin());
    }
}

TEST_F(LoginDialogTest, ACorrectAttemptAfterARefusedOneLogsIn) {
    LoginDialog dialog;
    EXPECT_EQ(run(dialog, {{"Ada", "wrong"}, {"Ada", "Secret1"}}, false, 1), LoginDialog::kLoggedInCode);
    EXPECT_TRUE(dialog.getValiDLogin());
    EXPECT_EQ(session().loginInfo->getUserType(), 1);
}

TEST_F(LoginDialogTest, CloseBoxAndEscapeCancel) {
    for (bool escape : {false, true}) {
        LoginDialog dialog;
        script.expect("LoginDialog", [&](QWidget& w) {
            if (escape)
                uitest::key(w, Qt::Key_Escape);
            else
                w.close();
        });
        EXPECT_EQ(runModal(&dialog), LoginDialog::kCancelCode);
        EXPECT_FALSE(dialog.getValiDLogin());
    }
}

TEST_F(LoginDialogTest, ReturnLogsInAndThePasswordIsNotShown) {
    LoginDialog dialog;
    EXPECT_EQ(dialog.Password_P()->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(dialog.Execute_Login()->isDefault());
    script.expect("LoginDialog", [&](QWidget& w) {
        dialog.UserName_P()->setText(QStringLiteral("Ada"));
        dialog.Password_P()->setText(QStringLiteral("Secret1"));
        dialog.Password_P()->setFocus();
        uitest::key(w, Qt::Key_Return);
    });
    EXPECT_EQ(runModal(&dialog), LoginDialog::kLoggedInCode);
}

}  // namespace
