#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>

#include "core/foundation/UserInterface.h"
#include "ui/UiTestHelpers.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"

using uitest::child;
using uitest::press;

namespace {
const std::string kHeading = "Talvexa 1099 Software for 2025";
std::string message(QWidget& w) { return child<QPlainTextEdit>(w, "welcome_msg")->toPlainText().toStdString(); }
}  // namespace

TEST(WelcomeDialog, ShowsTheGreetingAndEveryWayOutContinues) {
    for (auto end : std::vector<std::function<void(QWidget&)>>{
             [](QWidget& w) { press(w, "Continue_Button"); }, [](QWidget& w) { uitest::key(w, Qt::Key_Return); },
             [](QWidget& w) { w.close(); }, [](QWidget& w) { uitest::key(w, Qt::Key_Escape); }}) {
        ScopedModalResponder responder([&](QWidget& w) {
            ASSERT_EQ(w.objectName(), "WelcomeDialog");
            EXPECT_EQ(child<QLabel>(w, "Welcome_Title")->text(), "Welcome to");
            EXPECT_EQ(child<QLabel>(w, "Welcome_Heading")->text().toStdString(), kHeading);
            const std::string text = message(w);
            EXPECT_EQ(text.rfind("Thank you for purchasing Talvexa 1099 E-File 2025!\n\nPlease read the information "
                                 "below before continuing.\n\nSECURITY\n\n           Talvexa 1099 encourages you",
                                 0),
                      0u);
            EXPECT_NE(text.find("\n\nCUSTOMIZE\n\n"), std::string::npos);
            EXPECT_NE(text.find("\n\nMANUAL\n\n"), std::string::npos);
            EXPECT_TRUE(QString::fromStdString(text).endsWith("Please refer to it before Printing and Filing your 1099 Forms."));
            EXPECT_TRUE(child<QPlainTextEdit>(w, "welcome_msg")->isReadOnly());
            end(w);
        });
        EXPECT_EQ(QtUserInterface().welcome(), kWelcomeContinueCode);
    }
}

TEST(WelcomeDialog, PrintAndCopyUseHeadingAndMessage) {
    std::vector<std::string> printed, copied, windows;
    bool clipboardWorks = true;
    setTextPrinter([&](QWidget*, const std::string& t) { printed.push_back(t); return true; });
    setClipboardWriter([&](const std::string& t) { copied.push_back(t); return clipboardWorks; });
    std::string expected;
    ScopedModalResponder responder([&](QWidget& w) {
        windows.push_back(w.objectName().toStdString());
        if (w.objectName() == "WelcomeDialog") {
            expected = kHeading + "\n\n" + message(w);
            press(w, "Print_Text");
            press(w, "Copy_Text");
            clipboardWorks = false;
            press(w, "Copy_Text");
            EXPECT_TRUE(isRunningModal(&w));
            press(w, "Continue_Button");
        } else if (w.objectName() == "PrintPreview") {
            EXPECT_EQ(child<QPlainTextEdit>(w, "Print_Message")->toPlainText().toStdString(), expected);
            press(w, "Print_Button");
            press(w, "Close_Button");
        } else if (auto* alert = qobject_cast<QMessageBox*>(&w)) {
            EXPECT_EQ(alert->text(), "Message successfully copied.");
            EXPECT_EQ(alert->iconPixmap().size(), QSize(64, 64));
            EXPECT_GE(alert->width(), 500);
            alert->buttons().front()->click();
        } else {
            EXPECT_EQ(child<QLabel>(w, "Caption")->text(), "Unable to copy message.");
            EXPECT_EQ(w.windowTitle(), "Talvexa 1099 E-File 2025");
            EXPECT_TRUE(child(w, "Image_Icon1")->isVisible());
            press(w, "Button3");
        }
    });
    EXPECT_EQ(QtUserInterface().welcome(), kWelcomeContinueCode);
    EXPECT_EQ(windows,
              (std::vector<std::string>{"WelcomeDialog", "PrintPreview", "CopiedAlert", "tvMessageDialog"}));
    EXPECT_EQ(printed, std::vector<std::string>{expected});
    EXPECT_EQ(copied, (std::vector<std::string>{expected, expected}));
    setTextPrinter({});
    setClipboardWriter({});
}
