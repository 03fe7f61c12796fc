#pragma once
// The main of a benchmark of the editor's windows: they are made offscreen, under a
// QApplication, so that no display is needed and the figures do not depend on one.

#include <benchmark/benchmark.h>

#include <QApplication>

inline int run_offscreen_benchmarks(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
