#include <gtest/gtest.h>

#include "core/foundation/Login_Info.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInfo.h"

namespace {

class Login_InfoTest : public ::testing::Test {
protected:
    void SetUp() override { resetSession(); }
};

TEST_F(Login_InfoTest, NewLoginIsNoAdministratorAndHasNoSavedFrames) {
    Login_Info login;
    EXPECT_EQ(login.getUserType(), -1);
    EXPECT_EQ(login.getPK(), -1);
    EXPECT_EQ(login.getFontSize(), -1);
    EXPECT_EQ(login.getName(), "");
    EXPECT_EQ(login.getPassWord(), "");
    EXPECT_TRUE(login.getDoNotShowWelcomeDialog());
    EXPECT_TRUE(login.getDoNotShowPrintAlignmentDialog());
    EXPECT_TRUE(login.getUseDefaultPDFs());
    EXPECT_EQ(login.getCustomPDFDirectory(), "");
    EXPECT_EQ(login.getCompanySort(), 0);
    EXPECT_EQ(login.getRecipientSort(), 0);
    const int frames[] = {login.mainWindowHeight(), login.getDataBaseManagerWidth(),
                          login.getIntRecipientDetailsXCoord(), login.printIntRecipientSelectorYCoord(),
                          login.getImportTypeWidth(), login.importCompHeight(), login.getEFileYCoord()};
    for (int f : frames)
        EXPECT_EQ(f, -1);
}

TEST_F(Login_InfoTest, MisspelledAndExtraSettersWriteTheSameFields) {
    Login_Info login;
    login.seDataBaseManagerWidth(640);
    EXPECT_EQ(login.DataBaseManagerWidth(), 640);
    login.setDataBaseManagerWidth(800);
    EXPECT_EQ(login.getDataBaseManagerWidth(), 800);

    login.setImporTypetWidth(300);
    EXPECT_EQ(login.importTypeWidth(), 300);

    login.setIntRecipientDetailsHeight(410);
    EXPECT_EQ(login.recipientIntDetailsHeight(), 410);
    login.setRecipientSDetailsXCoord(12);
    EXPECT_EQ(login.getSRecipientDetailsXCoord(), 12);
}

TEST_F(Login_InfoTest, NewUserRowHasNoKeyAndNoRole) {
    UserInfo user;
    EXPECT_EQ(user.getPK(), -1);
    EXPECT_EQ(user.getUserType(), -1);
    EXPECT_EQ(user.getUserName(), "");
    EXPECT_EQ(user.getPassword(), "");
    EXPECT_EQ(user.path(), "");
}

}  // namespace
