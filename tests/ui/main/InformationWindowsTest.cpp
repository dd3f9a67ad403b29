#include <QAbstractButton>
#include <QMessageBox>
#include <QTextBrowser>

#include "MainWindowFixture.h"
#include "core/foundation/MessageBoxCodes.h"
#include "core/foundation/UserInterface.h"
#include "ui/UiTestHelpers.h"
#include "ui/main/AboutTalvexa1099.h"
#include "ui/main/InformationDialog.h"
#include "ui/main/ResizeButtonToFit.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/ModalLoop.h"
#include "core/foundation/WebAddresses.h"

using uitest::child;
using uitest::press;

namespace {

std::string shownText(QWidget& information) {
    return child<QTextBrowser>(information, "msgview")->toPlainText().toStdString();
}

}  // namespace

TEST_F(MainWindowTest, StartUpShowsTheInformationWindowWithTheMenusOffThenRefreshes) {
    std::vector<std::string> opened;
    bool menusOffMeanwhile = false;
    ScopedModalResponder responder([&](QWidget& shown) {
        opened.push_back(shown.objectName().toStdString());
        menusOffMeanwhile = !w<QMenu>("File_Menu")->menuAction()->isEnabled() &&
                            !item("QuitTalvexa1099")->isEnabled();
        press(shown, "Continue_Button");
    });
    window->applicationDidFinishLaunching();

    EXPECT_EQ(opened, std::vector<std::string>{"InformationDialog"});
    EXPECT_TRUE(menusOffMeanwhile);
    EXPECT_TRUE(w<QMenu>("File_Menu")->menuAction()->isEnabled());
    EXPECT_TRUE(item("QuitTalvexa1099")->isEnabled());
    EXPECT_EQ(text("Db_name"), "Not Open");
    EXPECT_EQ(text("Context_B"), "New Company");
}

TEST_F(MainWindowTest, InformationWindowEndsWithContinueHoweverItIsLeft) {
    struct Way {
        const char* name;
        std::function<void(QWidget&)> leave;
    };
    const Way ways[] = {
        {"Continue", [](QWidget& shown) { press(shown, "Continue_Button"); }},
        {"close box", [](QWidget& shown) { shown.close(); }},
        {"Escape", [](QWidget& shown) { uitest::key(shown, Qt::Key_Escape); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        InformationDialog information;
        ScopedModalResponder responder(way.leave);
        EXPECT_EQ(runModal(&information), InformationDialog::kContinueCode);
        EXPECT_FALSE(information.isVisible());
    }
}

TEST_F(MainWindowTest, InformationWindowCopiesItsTextWithTwoLineBreaks) {
    std::string copied;
    setClipboardWriter([&](const std::string& t) {
        copied = t;
        return true;
    });
    std::string shown;
    std::vector<std::string> opened;
    {
        ScopedModalResponder responder([&](QWidget& shownWindow) {
            opened.push_back(shownWindow.objectName().toStdString());
            if (auto* alert = qobject_cast<QMessageBox*>(&shownWindow)) {
                EXPECT_EQ(alert->windowTitle().toStdString(), "Important Information");
                EXPECT_EQ(alert->text().toStdString(), "Message successfully copied.");
                EXPECT_EQ(alert->iconPixmap().size(), QSize(64, 64));
                alert->buttons().front()->click();
                return;
            }
            shown = shownText(shownWindow);
            press(shownWindow, "Copybtn");
            press(shownWindow, "Continue_Button");
        });
        InformationDialog information;
        runModal(&information);
    }
    setClipboardWriter({});
    EXPECT_EQ(opened, (std::vector<std::string>{"InformationDialog", "CopiedAlert"}));
    EXPECT_FALSE(shown.empty());
    EXPECT_EQ(copied, shown + "\n\n");
}

TEST_F(MainWindowTest, InformationWindowExplainsAClipboardThatRefusesText) {
    setClipboardWriter([](const std::string&) { return false; });
    scripted->answerBox(kMessageAnswerOkYes);
    {
        ScopedModalResponder responder([](QWidget& shownWindow) {
            press(shownWindow, "Copybtn");
            press(shownWindow, "Continue_Button");
        });
        InformationDialog information;
        runModal(&information);
    }
    setClipboardWriter({});
    const auto boxes = scripted->boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Unable to copy message.");
    EXPECT_NE(boxes[0].details.find("copying it using Ctrl+C to clear your clipboard"), std::string::npos);
    EXPECT_EQ(boxes[0].style, kMessageStyleOK);
    EXPECT_EQ(boxes[0].image, kMessageImageError);
    EXPECT_EQ(boxes[0].title, "Talvexa 1099 E-File 2025");
}

TEST_F(MainWindowTest, InformationWindowPrintsItsTextThroughThePreview) {
    scripted->answerPrintPreview(kPrintPreviewClosedCode);
    std::string shown;
    {
        ScopedModalResponder responder([&](QWidget& shownWindow) {
            shown = shownText(shownWindow);
            press(shownWindow, "Printbtn");
            press(shownWindow, "Continue_Button");
        });
        InformationDialog information;
        runModal(&information);
    }
    ASSERT_EQ(scripted->shown().size(), 1u);
    EXPECT_EQ(scripted->shown()[0].window, "printPreview");
    EXPECT_EQ(scripted->shown()[0].text, shown + "\n\n");
}

TEST_F(MainWindowTest, AboutWindowShowsTheVersionsBesideTheMainWindow) {
    std::string opened;
    setAddressOpener([&](const std::string& address) {
        opened = address;
        return true;
    });
    item("actionAbout")->trigger();
    auto* about = window->findChild<AboutTalvexa1099*>(QStringLiteral("AboutTalvexa1099"));
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(isRunningModal(about));
    EXPECT_EQ(child<QLabel>(*about, "Version")->text().toStdString(), "Version 25.0.1");
    EXPECT_EQ(child<QLabel>(*about, "Database_Vers")->text().toStdString(), "4");

    press(*about, "weblinkButton");
    EXPECT_EQ(opened, kProductWebSite);
    setAddressOpener({});

    // The same window comes forward again while it is open.
    item("actionAbout")->trigger();
    EXPECT_EQ(window->findChildren<AboutTalvexa1099*>().size(), 1);
    about->Close_Action();
    EXPECT_FALSE(about->isVisible());
}

TEST(ResizeButtonToFit, TakesTheSizeOfEachNewTitleKeepingItsCorner) {
    QWidget holder;
    ResizeButtonToFit button(&holder);
    button.move(30, 40);
    button.setStringValue(QStringLiteral("OK"));
    const int shortWidth = button.width();
    button.setStringValue(QStringLiteral("Start New Year 2025 (Import Prior Year)"));
    EXPECT_GT(button.width(), shortWidth);
    EXPECT_EQ(button.size(), button.sizeHint());
    EXPECT_EQ(button.pos(), QPoint(30, 40));
    button.setStringValue(QStringLiteral("OK"));
    EXPECT_EQ(button.width(), shortWidth);
    EXPECT_EQ(button.text().toStdString(), "OK");
}
