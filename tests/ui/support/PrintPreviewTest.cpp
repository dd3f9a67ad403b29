#include <gtest/gtest.h>

#include <QDialog>
#include <QPlainTextEdit>

#include "core/foundation/UserInterface.h"
#include "ui/UiTestHelpers.h"
#include "ui/support/DesktopServices.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"

using uitest::child;
using uitest::press;

TEST(PrintPreview, ShowsTheTextAndEndsWithTheClosedCode) {
    QtUserInterface ui;
    for (auto end : std::vector<std::function<void(QWidget&)>>{
             [](QWidget& w) { press(w, "Close_Button"); }, [](QWidget& w) { w.close(); },
             [](QWidget& w) { uitest::key(w, Qt::Key_Escape); }}) {
        ScopedModalResponder responder([&](QWidget& w) {
            ASSERT_EQ(w.objectName(), "PrintPreview");
            EXPECT_EQ(child<QPlainTextEdit>(w, "Print_Message")->toPlainText(), "Heading\n\nBody");
            end(w);
        });
        EXPECT_EQ(ui.printPreview("Heading\n\nBody"), kPrintPreviewClosedCode);
    }
}

TEST(PrintPreview, PrintsWhatTheViewHoldsAndStaysOpen) {
    std::vector<std::string> printed;
    setTextPrinter([&](QWidget*, const std::string& t) {
        printed.push_back(t);
        return false;   // a cancelled print dialog leaves the window as it is
    });
    ScopedModalResponder responder([&](QWidget& w) {
        press(w, "Print_Button");
        child<QPlainTextEdit>(w, "Print_Message")->setPlainText("Edited");
        press(w, "Print_Button");
        EXPECT_TRUE(isRunningModal(&w));
        press(w, "Close_Button");
    });
    EXPECT_EQ(QtUserInterface().printPreview("Original"), kPrintPreviewClosedCode);
    EXPECT_EQ(printed, (std::vector<std::string>{"Original", "Edited"}));
    setTextPrinter({});
}

TEST(PrintPreview, RealPrintGoesThroughThePrintDialog) {
    std::vector<std::string> windows;
    ScopedModalResponder responder([&](QWidget& w) {
        windows.push_back(w.objectName().toStdString());
        if (w.objectName() == "PrintDialog") {
            static_cast<QDialog&>(w).reject();
            return;
        }
        press(w, "Print_Button");
        press(w, "Close_Button");
    });
    QtUserInterface().printPreview("Text");
    EXPECT_EQ(windows, (std::vector<std::string>{"PrintPreview", "PrintDialog"}));
}
