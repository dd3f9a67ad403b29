// The notice that some recipients to print are not valid, and the error list its OK
// button shows beside the other windows.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPushButton>

#include "ui/UiTestHelpers.h"
#include "ui/print/PrintRecipientTypeInfo.h"
#include "ui/support/FormErrorDialog.h"
#include "ui/support/ModalLoop.h"

namespace {

TEST(PrintRecipientTypeInfo, OkClosesTheNoticeAndShowsTheErrorListWithoutAModalRun) {
    PrintRecipientTypeInfo notice;
    EXPECT_EQ(notice.objectName().toStdString(), "PrintRecipientTypeInfo");
    EXPECT_EQ(notice.FormErrorController(), nullptr);
    notice.show();
    uitest::saveImage(notice, QStringLiteral("PrintRecipientTypeInfo"));

    // Any modal run would reach the responder; none may start.
    int modalRuns = 0;
    ScopedModalResponder responder([&](QWidget& window) {
        ++modalRuns;
        stopModal(&window, 0);
    });
    uitest::press(notice, "Ok_btn");
    EXPECT_FALSE(notice.isVisible());
    FormErrorDialog* list = notice.FormErrorController();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_FALSE(isRunningModal(list));
    EXPECT_EQ(modalRuns, 0);
    uitest::saveImage(*list, QStringLiteral("FormErrorDialog"));

    // The list, shown without a run, closes by its own buttons.
    uitest::press(*list, "ErrorCancel");
    EXPECT_FALSE(list->isVisible());

    // The next showing reuses the list made the first time.
    notice.show();
    uitest::press(notice, "Ok_btn");
    EXPECT_EQ(notice.FormErrorController(), list);
    EXPECT_TRUE(list->isVisible());
    uitest::press(*list, "Errorok");
    EXPECT_FALSE(list->isVisible());
    // And by its close box.
    notice.show();
    uitest::press(notice, "Ok_btn");
    EXPECT_TRUE(list->close());
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(modalRuns, 0);
}

}  // namespace
