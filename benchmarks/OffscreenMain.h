#pragma once

// The start of the benchmarks that open windows: the offscreen platform unless another
// is chosen, without the lines in which it announces every window feature it lacks.

#include <cstdlib>
#include <functional>

#include <QApplication>
#include <QString>
#include <benchmark/benchmark.h>

namespace bench {

inline QtMessageHandler& previousQtHandler() {
    static QtMessageHandler handler = nullptr;
    return handler;
}

inline void quietQtHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    if (previousQtHandler()) previousQtHandler()(type, context, message);
}

// Runs the benchmarks chosen on the command line; afterRuns runs before the library
// shuts down (to release what the runs shared).
inline int runOffscreen(int argc, char** argv, const std::function<void()>& afterRuns = {}) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    previousQtHandler() = qInstallMessageHandler(quietQtHandler);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    if (afterRuns) afterRuns();
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench
