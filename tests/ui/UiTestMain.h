#pragma once

// The main of every window-test executable: the print service out of reach (before Qt
// asks it for printers), a QApplication on the offscreen platform, modal windows that no responder answers reported as test failures, and a PNG of each
// window that a test opens under TALVEXA_TEST_OUTPUT_DIR/windows/<Suite>.<Test>/.

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>

#include "PrintServiceIsolation.h"
#include "ui/UiTestHelpers.h"
#include "ui/support/ModalLoop.h"

namespace uitest {

class WindowImageListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& info) override {
        setWindowImageFolder(windowImageFolder(info));
    }
    void OnTestEnd(const ::testing::TestInfo&) override { setWindowImageFolder(QString()); }
};

// The offscreen platform announces every window feature it lacks; those lines are noise.
inline QtMessageHandler previousHandler = nullptr;
inline void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (previousHandler) previousHandler(type, context, message);
}

inline int runUiTests(int argc, char** argv) {
    printisolation::install();
    previousHandler = qInstallMessageHandler(quietHandler);
    // Test discovery runs the executable outside CTest's environment.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    setModalFailureHandler([](const std::string& why) { ADD_FAILURE() << why; });
    ::testing::UnitTest::GetInstance()->listeners().Append(new WindowImageListener);
    return RUN_ALL_TESTS();
}

}  // namespace uitest
