#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "core/foundation/JobMeter.h"
#include "core/foundation/Session.h"
#include "ui/UiTestHelpers.h"
#include "ui/support/ProgressWindow.h"
#include "ui/support/QtUserInterface.h"

namespace {

// The progress window on screen, if any.
QProgressDialog* shownProgress() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "ProgressWindow" && w->isVisible()) return dynamic_cast<QProgressDialog*>(w);
    return nullptr;
}

QPushButton* cancelButton(QWidget& window) {
    for (QPushButton* b : window.findChildren<QPushButton*>())
        if (b->isVisible()) return b;
    return nullptr;
}

class ProgressWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = session().ui;
        session().ui = &ui_;
        ProgressWindow::setShowDelay(0);
    }
    void TearDown() override {
        ProgressWindow::setShowDelay(500);
        session().ui = previous_;
    }

private:
    QtUserInterface ui_;
    UserInterface* previous_ = nullptr;
};

TEST_F(ProgressWindowTest, AStandInJobShowsItsStepsAndCountAndCancelGoesAtItsCommit) {
    {
        JobMeter meter("Stand-in Job", true);
        meter.step("Reading the rows", 12000);
        EXPECT_FALSE(meter.advance(3));
        QProgressDialog* window = shownProgress();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Stand-in Job");
        EXPECT_EQ(window->windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(window->labelText(), "Reading the rows\n3 of 12,000");
        EXPECT_EQ(window->maximum(), 12000);
        EXPECT_EQ(window->value(), 3);
        ASSERT_NE(cancelButton(*window), nullptr);

        // The last count of a step is always shown.
        EXPECT_FALSE(meter.advance(12000));
        EXPECT_EQ(window->labelText(), "Reading the rows\n12,000 of 12,000");

        meter.step("Saving");
        EXPECT_EQ(window->labelText(), "Saving");
        EXPECT_EQ(window->maximum(), 0);   // busy: the step cannot say how far it is
        meter.commitPoint();
        EXPECT_EQ(cancelButton(*window), nullptr);
        // Neither Escape nor the close box stops a job that is committing.
        uitest::key(*window, Qt::Key_Escape);
        window->close();
        EXPECT_FALSE(meter.cancelled());
        EXPECT_EQ(shownProgress(), window);
    }
    EXPECT_EQ(shownProgress(), nullptr);
}

TEST_F(ProgressWindowTest, CancelAndEscapeStopTheJobWhileItRuns) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Cancel");
        JobMeter meter("Stand-in Job", true);
        meter.step("Reading the rows", 10);
        // Pressed from the event loop, as a user would while the job's loop runs: the job
        // lets the window take events at its next count.
        QTimer::singleShot(0, [escape] {
            QProgressDialog* window = shownProgress();
            ASSERT_NE(window, nullptr);
            if (escape)
                uitest::key(*window, Qt::Key_Escape);
            else
                cancelButton(*window)->click();
        });
        EXPECT_TRUE(meter.advance(1));
        EXPECT_TRUE(meter.cancelled());
    }
}

TEST_F(ProgressWindowTest, AJobWithoutCancelShowsNoButtonAndOnlyALongOrBlockingJobAWindow) {
    {
        JobMeter meter("Backup", false);
        meter.step("Copying");
        QProgressDialog* window = shownProgress();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(cancelButton(*window), nullptr);
        EXPECT_FALSE(meter.cancelled());
    }
    ProgressWindow::setShowDelay(500);
    JobMeter meter("Stand-in Job", true);
    meter.step("Reading the rows", 10);
    meter.advance(10);
    EXPECT_EQ(shownProgress(), nullptr);
    // A step that blocks without reporting shows the window before it starts.
    meter.longStep("Saving");
    ASSERT_NE(shownProgress(), nullptr);
    EXPECT_EQ(shownProgress()->labelText(), "Saving");
}

TEST_F(ProgressWindowTest, AWindowNotYetDueNeverComesUpByItselfOverADialogTheJobWaitsIn) {
    // A print run makes its window, then waits in the print dialog and reports nothing;
    // the window coming up then would be modal over that dialog and lock the program.
    ProgressWindow::setShowDelay(500);
    JobMeter meter("Print", false);
    meter.step("Preparing the pages");
    QProgressDialog* window = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "ProgressWindow") window = dynamic_cast<QProgressDialog*>(w);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    constexpr int kHour = 60 * 60 * 1000;
    for (const QTimer* timer : window->findChildren<QTimer*>())
        EXPECT_FALSE(timer->isActive() && timer->remainingTime() < kHour) << timer->remainingTime();
}

}  // namespace
