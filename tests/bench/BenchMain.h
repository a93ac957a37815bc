#pragma once
// The main of the benchmarks that show windows: offscreen unless told otherwise, null audio,
// and the build folder known so the sample installation is found.
#include <QApplication>
#include <QDir>
#include <benchmark/benchmark.h>

inline int runBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("KESTROW_AUDIO", "null");
    QApplication app(argc, argv);
    // The benchmark lies in <build>/tests/bench unless KESTROW_BUILD names the build folder.
    if (qEnvironmentVariableIsEmpty("KESTROW_BUILD"))
        qputenv("KESTROW_BUILD", QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../..")).absolutePath().toLocal8Bit());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
