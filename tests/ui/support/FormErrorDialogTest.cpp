#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "ui/UiTestHelpers.h"
#include "ui/support/FormErrorDialog.h"
#include "ui/support/ModalLoop.h"
#include "ui/support/QtUserInterface.h"

using uitest::child;
using uitest::press;

TEST(FormErrorDialog, ListsEveryMessageOnItsOwnLine) {
    QtUserInterface ui;
    std::string shown;
    ScopedModalResponder responder([&](QWidget& w) {
        ASSERT_EQ(w.objectName(), "FormErrorDialog");
        shown = child<QPlainTextEdit>(w, "ErrorView")->toPlainText().toStdString();
        press(w, "ErrorCancel");
    });
    ui.formErrors({"Invalid TIN.", "ZIP code is required.", "Box 1 is not an amount."});
    EXPECT_EQ(shown, "Invalid TIN.\nZIP code is required.\nBox 1 is not an amount.\n");

    ui.formErrors({});
    EXPECT_EQ(shown, "");
}

TEST(FormErrorDialog, OkSavesAnywayAndEveryOtherWayGoesBack) {
    struct Case {
        const char* name;
        std::function<void(QWidget&)> end;
        int code;
        int selection;
    } cases[] = {
        {"OK", [](QWidget& w) { press(w, "Errorok"); }, FormErrorDialog::kSaveAnywayCode, 1},
        {"Cancel", [](QWidget& w) { press(w, "ErrorCancel"); }, FormErrorDialog::kGoBackCode, 0},
        {"close box", [](QWidget& w) { w.close(); }, FormErrorDialog::kGoBackCode, 0},
        {"Escape", [](QWidget& w) { uitest::key(w, Qt::Key_Escape); }, FormErrorDialog::kGoBackCode, 0},
        {"Return", [](QWidget& w) { uitest::key(w, Qt::Key_Return); }, FormErrorDialog::kGoBackCode, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScopedModalResponder responder([&](QWidget& w) { c.end(w); });
        FormErrorDialog list;
        list.geterrors({"Invalid TIN."});
        EXPECT_EQ(list.getbuttonSelection(), 0);
        EXPECT_EQ(runModal(&list), c.code);
        EXPECT_EQ(list.getbuttonSelection(), c.selection);
        EXPECT_EQ(QtUserInterface().formErrors({"Invalid TIN."}), c.selection == 1);
    }
}
