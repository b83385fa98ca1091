// The main() of a benchmark that needs a Qt application (App: QApplication
// for windows, QGuiApplication for fonts and pictures), on the offscreen
// platform unless another one is asked for.
#pragma once

#include <benchmark/benchmark.h>
#include <cstdlib>

template <typename App>
int RunBenchmarksIn(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
