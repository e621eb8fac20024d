// The entry point of the application benchmarks: Qt's offscreen platform, without its notes on
// window hints, then every benchmark of the program.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

#include "shell/OffscreenMessages.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    InstallOffscreenMessageFilter();
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
