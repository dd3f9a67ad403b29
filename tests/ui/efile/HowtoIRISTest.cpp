// The IRIS help window, opened from the payer window: each button opens the agency's
// page in the browser, and every way out ends the run with 1000.

#include <string>
#include <vector>

#include "IrisWindowFixture.h"
#include "core/foundation/WebAddresses.h"
#include "ui/efile/HowtoIRIS.h"
#include "ui/support/DesktopServices.h"

namespace {

class HowtoIRISWindow : public IrisWindowTest {
protected:
    void SetUp() override {
        IrisWindowTest::SetUp();
        setAddressOpener([this](const std::string& address) {
            opened.push_back(address);
            return opens;
        });
    }
    void TearDown() override {
        setAddressOpener({});
        IrisWindowTest::TearDown();
    }
    std::vector<std::string> opened;
    bool opens = true;
};

TEST_F(HowtoIRISWindow, EachButtonOpensItsPageOnTheAgencySite) {
    const int32_t payer = addPayer(validPayer("Alpha Corp"));
    addRecipient(payer, 7, "Adams");
    selectInMainWindow({payer});
    std::vector<QWidget*> helpWindows;
    helpAct = [&](QWidget& help) {
        helpWindows.push_back(&help);
        button(help, "Sign_Outlet")->click();
        button(help, "CompletetheIris_outlet")->click();
        button(help, "Userguide_outlet")->click();
        button(help, "Cancel")->click();
    };
    const int code = run([&](Window& w) {
        button(w, "Howto_IRIS")->click();
        // The second time the same window comes, closed by its close box.
        helpAct = [&](QWidget& help) {
            helpWindows.push_back(&help);
            help.close();
        };
        button(w, "Howto_IRIS")->click();
        button(w, "Cancel")->click();
    });
    EXPECT_EQ(code, Window::kClosedCode);
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0].rfind(std::string(kIrisSignInHost) + "/sso/?", 0), 0u) << opened[0];
    EXPECT_EQ(opened[1], "https://www.irs.gov/tax-professionals/iris-application-for-tcc");
    EXPECT_EQ(opened[2], "https://www.irs.gov/pub/irs-pdf/p5717.pdf");
    ASSERT_EQ(helpWindows.size(), 2u);
    EXPECT_EQ(helpWindows[0], helpWindows[1]) << "made on first use and kept";
    EXPECT_TRUE(session().ADDInfoEditflag);
}

TEST_F(HowtoIRISWindow, EveryWayOutEndsTheRunWith1000) {
    const std::vector<std::pair<const char*, std::function<void(QWidget&)>>> ways = {
        {"Close button", [](QWidget& w) { button(w, "Cancel")->click(); }},
        {"close box", [](QWidget& w) { w.close(); }},
        {"Escape", [](QWidget& w) { key(w, Qt::Key_Escape); }},
    };
    for (const auto& [name, way] : ways) {
        HowtoIRIS help;
        helpAct = way;
        EXPECT_EQ(runModal(&help), HowtoIRIS::kClosedCode) << name;
        EXPECT_FALSE(help.isVisible()) << name;
    }
    EXPECT_TRUE(opened.empty());
}

TEST_F(HowtoIRISWindow, ABrowserThatCannotBeStartedGetsTheAddressToTheUser) {
    opens = false;
    HowtoIRIS help;
    helpAct = [](QWidget& w) {
        button(w, "Userguide_outlet")->click();
        button(w, "Cancel")->click();
    };
    scripted->answerBox(kMessageAnswerOkYes);
    runModal(&help);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].caption, "Unable to open the web browser.");
    EXPECT_NE(boxes()[0].details.find("https://www.irs.gov/pub/irs-pdf/p5717.pdf"), std::string::npos);
}

}  // namespace
