// The e-file help window: the agency's pages its buttons open, its modal run and its
// end code, and the one controller the e-file window keeps for it.

#include "EFileWindowFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "ui/efile/HowToEFile.h"
#include "ui/support/DesktopServices.h"

namespace {

using Strings = std::vector<std::string>;

class HowToEFileTest : public EFileWindowTest {
protected:
    void SetUp() override {
        EFileWindowTest::SetUp();
        setAddressOpener([this](const std::string& address) {
            opened.push_back(address);
            return opens;
        });
    }
    void TearDown() override {
        setAddressOpener({});
        EFileWindowTest::TearDown();
    }

    Strings opened;
    bool opens = true;
};

TEST_F(HowToEFileTest, EachButtonOpensItsPageAndOnlyCloseEndsTheRun) {
    HowToEFile help;
    bool stillRunning = true;
    ScopedModalResponder responder([&](QWidget& w) {
        ASSERT_EQ(w.objectName(), "HowToEFile");
        for (const char* button : {"Form_4419", "Create_FIRE", "Login_FIRE", "My_FIREAcct", "Send_TestFile"}) {
            w.findChild<QPushButton*>(QString::fromLatin1(button))->click();
            stillRunning = stillRunning && isRunningModal(&w) && w.isVisible();
        }
        w.findChild<QPushButton*>(QStringLiteral("HowEFile_Close"))->click();
    });
    EXPECT_EQ(runModal(&help), HowToEFile::kHowToEFileClosedCode);
    EXPECT_TRUE(stillRunning);
    EXPECT_EQ(opened, (Strings{"https://www.irs.gov/e-file-providers/filing-information-returns-electronically-fire/",
                               "https://fire.irs.gov/Register.aspx", "https://fire.irs.gov/LearnTheBasics.aspx",
                               "https://fire.irs.gov/Logon.aspx", "https://fire.test.irs.gov/"}));
}

TEST_F(HowToEFileTest, EscapeAndTheCloseBoxEndTheRunAsClose) {
    HowToEFile help;
    for (bool escape : {true, false}) {
        SCOPED_TRACE(escape);
        ScopedModalResponder responder([&](QWidget& w) {
            if (escape)
                press(&w, Qt::Key_Escape);
            else
                w.close();
        });
        EXPECT_EQ(runModal(&help), HowToEFile::kHowToEFileClosedCode);
        EXPECT_FALSE(help.isVisible());
    }
}

TEST_F(HowToEFileTest, ABrowserThatCannotBeReachedGivesTheAddress) {
    opens = false;
    HowToEFile help;
    scripted->answerBox(kMessageAnswerOkYes);
    help.Send_TestFile();
    ASSERT_EQ(scripted->boxes().size(), 1u);
    EXPECT_NE(scripted->boxes()[0].details.find("https://fire.test.irs.gov/"), std::string::npos);
    EXPECT_EQ(scripted->boxes()[0].image, kMessageImageError);
}

TEST_F(HowToEFileTest, TheEFileWindowKeepsOneHelpWindow) {
    open();
    std::vector<QWidget*> shown;
    ScopedModalResponder responder([&](QWidget& w) {
        shown.push_back(&w);
        w.findChild<QPushButton*>(QStringLiteral("My_FIREAcct"))->click();
        w.findChild<QPushButton*>(QStringLiteral("HowEFile_Close"))->click();
    });
    get<QPushButton>("Howtoefile_btn")->click();
    get<QPushButton>("Howtoefile_btn")->click();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], shown[1]);
    EXPECT_EQ(shown[0], window->helpWindow());
    EXPECT_EQ(opened, (Strings{"https://fire.irs.gov/Logon.aspx", "https://fire.irs.gov/Logon.aspx"}));
    EXPECT_TRUE(window->isVisible()) << "the e-file window stays open";
}

}  // namespace
