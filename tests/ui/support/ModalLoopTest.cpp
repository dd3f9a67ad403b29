#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include "TempHome.h"
#include "ui/support/ModalLoop.h"

namespace {

// Replaces the test failure handler for one test, to look at what it would report.
class CapturedFailures {
public:
    CapturedFailures() {
        setModalFailureHandler([this](const std::string& why) { reasons.push_back(why); });
    }
    ~CapturedFailures() {
        setModalFailureHandler([](const std::string& why) { ADD_FAILURE() << why; });
    }
    std::vector<std::string> reasons;
};

class CodedDialog : public QDialog {
public:
    explicit CodedDialog(const char* name) { setObjectName(QString::fromLatin1(name)); }
    void reject() override { stopModal(this, 77); }
};

}  // namespace

TEST(ModalLoop, StopModalOnWindowWithoutRunDoesNothing) {
    CodedDialog window("Idle");
    stopModal(&window, 5);
    EXPECT_FALSE(isRunningModal(&window));
    EXPECT_FALSE(window.isVisible());
}

TEST(ModalLoop, ResponderEndsRunWithItsCode) {
    CodedDialog window("Answered");
    std::vector<std::string> seen;
    ScopedModalResponder responder([&](QWidget& w) {
        seen.push_back(w.objectName().toStdString());
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.windowModality(), Qt::ApplicationModal);
        EXPECT_TRUE(isRunningModal(&w));
        stopModal(&w, 42);
    });
    EXPECT_EQ(runModal(&window), 42);
    EXPECT_EQ(seen, std::vector<std::string>{"Answered"});
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(isRunningModal(&window));
}

TEST(ModalLoop, NestedWindowsReachTheResponderAndEndOnlyTheirOwnRun) {
    CodedDialog outer("Outer");
    CodedDialog inner("Inner");
    int innerCode = 0;
    ScopedModalResponder responder([&](QWidget& w) {
        if (&w == &outer) {
            innerCode = runModal(&inner);
            EXPECT_FALSE(isRunningModal(&outer));
            stopModal(&outer, 1);   // already ended: keeps its code
        } else {
            stopModal(&outer, 3);   // the outer run ends, the inner one goes on
            EXPECT_TRUE(isRunningModal(&inner));
            stopModal(&inner, 2);
        }
    });
    EXPECT_EQ(runModal(&outer), 3);
    EXPECT_EQ(innerCode, 2);
}

TEST(ModalLoop, EventLoopsNestAndStopOnlyTheNamedWindow) {
    CapturedFailures quiet;
    setModalFailureHandler({});   // let the real event loops run
    CodedDialog outer("Outer");
    CodedDialog inner("Inner");
    int innerCode = 0;
    std::vector<std::string> order;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] {
            stopModal(&outer, 10);
            order.push_back("outer stopped");
            QTimer::singleShot(0, [&] {
                EXPECT_TRUE(isRunningModal(&inner));
                stopModal(&inner, 20);
            });
        });
        innerCode = runModal(&inner);
        order.push_back("inner returned");
    });
    EXPECT_EQ(runModal(&outer), 10);
    EXPECT_EQ(innerCode, 20);
    EXPECT_EQ(order, (std::vector<std::string>{"outer stopped", "inner returned"}));
}

TEST(ModalLoop, WithoutResponderTheWindowFailsAndTakesItsClosePath) {
    CapturedFailures failures;
    CodedDialog window("Unanswered");
    EXPECT_EQ(runModal(&window), 77);
    ASSERT_EQ(failures.reasons.size(), 1u);
    EXPECT_NE(failures.reasons[0].find("Unanswered"), std::string::npos);
}

TEST(ModalLoop, ResponderThatLeavesTheWindowRunningFails) {
    CapturedFailures failures;
    CodedDialog window("LeftOpen");
    ScopedModalResponder responder([](QWidget&) {});
    EXPECT_EQ(runModal(&window), 77);
    ASSERT_EQ(failures.reasons.size(), 1u);
    EXPECT_NE(failures.reasons[0].find("LeftOpen"), std::string::npos);
}

TEST(ModalLoop, PlainDialogEndsWithItsResult) {
    QDialog window;
    window.setObjectName("Plain");
    ScopedModalResponder responder([](QWidget& w) { static_cast<QDialog&>(w).accept(); });
    EXPECT_EQ(runModal(&window), QDialog::Accepted);
}

TEST(ModalLoop, SavesAnImageOfEachWindow) {
    TempHome home;
    const QString folder = QString::fromStdString(home.file("images"));
    setWindowImageFolder(folder);
    CodedDialog window("Pictured");
    window.resize(200, 100);
    ScopedModalResponder responder([](QWidget& w) { stopModal(&w, 1); });
    runModal(&window);
    runModal(&window);
    setWindowImageFolder(QString());
    EXPECT_TRUE(QFileInfo::exists(folder + "/Pictured.png"));
    EXPECT_TRUE(QFileInfo::exists(folder + "/Pictured-2.png"));
}
