// A web address that no browser takes is named to the user: xdg-open's exit status is
// waited for without holding the window, and a failure brings the box with the address,
// whose Copy button copies the address alone.

#include <chrono>

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>

#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/Session.h"
#include "core/foundation/UserInterface.h"
#include "platform/Launch.h"
#include "ui/UiTestHelpers.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"
#include "ui/support/tvMessageDialog.h"

namespace {

constexpr const char* kAddress = "https://docs.talvexa.com/1099/2025/1099Manual.pdf";

class OpenAddress : public ::testing::Test {
protected:
    void SetUp() override {
        resetSession();
        session().ui = &ui;
        setClipboardWriter([this](const std::string& text) {
            copied.push_back(text);
            return true;
        });
    }
    void TearDown() override {
        platform::setOpenerProgram("");
        setClipboardWriter({});
        session().ui = nullptr;
    }

    // Runs the event loop until `done` holds, for at most `limit` milliseconds.
    static bool waitFor(const std::function<bool()>& done, int limit = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < limit) QApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    // Answers the address box: checks it, presses Copy (and OK on the copied notice), then OK.
    ModalResponder addressBox(int& shown, const std::string& details, const std::string& title) {
        return [&shown, details, title](QWidget& w) {
            if (qobject_cast<QMessageBox*>(&w)) {   // "Message successfully copied."
                uitest::key(w, Qt::Key_Return);
                return;
            }
            ASSERT_EQ(w.objectName(), "tvMessageDialog");
            ++shown;
            EXPECT_EQ(uitest::child<QLabel>(w, "Caption")->text().toStdString(), "Unable to open the web browser.");
            EXPECT_EQ(uitest::child<QPlainTextEdit>(w, "Message_text")->toPlainText().toStdString(), details);
            EXPECT_EQ(w.windowTitle().toStdString(), title);
            uitest::press(w, "Copy_btn");
            uitest::press(w, "Button3");
        };
    }

    QtUserInterface ui;
    std::vector<std::string> copied;
};

// The real path: the opener is started, the window goes on, and when the opener ends
// with a failure the box comes.
TEST_F(OpenAddress, AFailingOpenerShowsTheAddressBox) {
    platform::setOpenerProgram("false");
    int shown = 0;
    const std::string details = std::string("Open this address in your web browser:\n\n") + kAddress;
    ScopedModalResponder responder(addressBox(shown, details, "How to E-File"));
    openAddressOrExplain(kAddress, details, "How to E-File");
    EXPECT_EQ(shown, 0);   // not waited for
    ASSERT_TRUE(waitFor([&] { return shown == 1; }));
    EXPECT_EQ(copied, std::vector<std::string>{kAddress});
}

TEST_F(OpenAddress, AnOpenerThatSucceedsShowsNothing) {
    platform::setOpenerProgram("true");
    bool failed = false;
    ASSERT_TRUE(openAddress(kAddress, [&] { failed = true; }));
    // Long enough for the opener to end and its answer to arrive.
    EXPECT_FALSE(waitFor([&] { return failed; }, 1000));
}

// An opener that cannot be started at all is reported at once.
TEST_F(OpenAddress, AnOpenerThatDoesNotStartShowsTheBoxAtOnce) {
    platform::setOpenerProgram("talvexa-no-such-opener-here");
    int shown = 0;
    ScopedModalResponder responder(addressBox(shown, "Read it at " + std::string(kAddress), "Talvexa 1099"));
    openAddressOrExplain(kAddress, "Read it at " + std::string(kAddress), "Talvexa 1099");
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(copied, std::vector<std::string>{kAddress});
}

// The message box's own link (the patch page) gets the same box.
TEST_F(OpenAddress, TheMessageBoxsLinkGetsTheSameBox) {
    setAddressOpener([](const std::string&) { return false; });
    MessageBoxRequest offer;
    offer.variant = MessageBoxRequest::Variant::NamedButtons;
    offer.caption = "A free patch is available! Download now?";
    offer.style = kMessageStyleYesNo;
    offer.image = kMessageImagePrompt;
    offer.button3Title = "Download Patch Now";
    offer.button2Title = "Cancel";
    offer.showPatchLink = true;
    offer.linkTitle = "1099 Patch Page";
    offer.linkAddress = "https://www.talvexa.com/1099-software/downloads";
    int shown = 0;
    const std::string details = "Open this address in your web browser:\n\n" + offer.linkAddress;
    ScopedModalResponder responder([&](QWidget& box) {
        ScopedModalResponder inner(addressBox(shown, details, "Talvexa Error"));
        uitest::press(box, "Weblink_Val");
        EXPECT_TRUE(isRunningModal(&box));
        uitest::press(box, "Button3");
    });
    EXPECT_EQ(runMessageBox(offer).code, kMessageAnswerOkYes);
    setAddressOpener({});
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(copied, std::vector<std::string>{offer.linkAddress});
}

}  // namespace
