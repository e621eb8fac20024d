// The entry point of the application benchmarks: Qt's offscreen platform, without its notes on
// window hints, then every benchmark of the program.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "shell/OffscreenMessages.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    InstallOffscreenMessageFilter();
    // Recovery files of the measured sessions stay out of the person's own folder, and theirs
    // are not offered here.
    QTemporaryDir dataHome;
    setenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit().constData(), 1);
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
