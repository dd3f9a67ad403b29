// The e-file help window: the agency's pages its buttons open, its modal run and its
// end code, and the one controller the e-file window keeps for it.

#include "EFileWindowFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "ui/efile/HowToEFile.h"
#include "platform/Launch.h"
#include "ui/support/DesktopServices.h"

#include <fstream>

#include <QElapsedTimer>

#include <unistd.h>

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

// The page goes to xdg-open with no terminal: its input and output are not this
// program's and it runs in a session of its own. Only the launcher's own failure brings
// the address; a launcher that became a browser is not answered for by how it ends.
TEST_F(HowToEFileTest, TheLauncherGetsNoTerminalAndOnlyItsOwnFailureBringsTheAddress) {
    setAddressOpener({});
    struct Case {
        const char* name;
        const char* end;   // how the stand-in for xdg-open goes on
        bool addressBox;
    };
    int n = 0;
    for (const Case& c : {Case{"the launcher fails", "exit 3", true},
                          Case{"it becomes a browser that then fails", "exec timeout 1 sleep 5", false}}) {
        SCOPED_TRACE(c.name);
        const std::string mark = home.file("launched-" + std::to_string(++n));
        const std::string opener = home.file("opener-" + std::to_string(n));
        {
            std::ofstream script(opener);
            script << "#!/bin/sh\n"
                   << "echo \"$1|$(readlink /proc/$$/fd/0)|$(readlink /proc/$$/fd/1)|$(readlink /proc/$$/fd/2)|"
                      "$(cut -d' ' -f6 /proc/$$/stat)|$$\" > '" << mark << "'\n"
                   << c.end << "\n";
        }
        std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
        platform::setOpenerProgram(opener);
        const size_t before = scripted->boxes().size();
        if (c.addressBox) scripted->answerBox(kMessageAnswerOkYes);

        HowToEFile help;
        help.Send_TestFile();
        // Long enough for the launcher, and for the browser it became, to end.
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 2500 && scripted->boxes().size() == before)
            QApplication::processEvents(QEventLoop::AllEvents, 20);

        std::ifstream in(mark);
        std::string line;
        ASSERT_TRUE(std::getline(in, line)) << "the launcher ran";
        std::vector<std::string> fields;
        for (size_t from = 0;;) {
            const size_t bar = line.find('|', from);
            fields.push_back(line.substr(from, bar - from));
            if (bar == std::string::npos) break;
            from = bar + 1;
        }
        ASSERT_EQ(fields.size(), 6u) << line;
        EXPECT_EQ(fields[0], "https://fire.test.irs.gov/");
        EXPECT_EQ(fields[1], "/dev/null") << "input";
        EXPECT_EQ(fields[2], "/dev/null") << "output";
        EXPECT_EQ(fields[3], "/dev/null") << "errors";
        EXPECT_EQ(fields[4], fields[5]) << "it leads a session of its own";
        EXPECT_NE(fields[4], std::to_string(::getsid(0)));

        const auto boxes = scripted->boxes();
        ASSERT_EQ(boxes.size(), before + (c.addressBox ? 1 : 0));
        if (c.addressBox) {
            EXPECT_NE(boxes.back().details.find("https://fire.test.irs.gov/"), std::string::npos);
        }
    }
    platform::setOpenerProgram("");
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
