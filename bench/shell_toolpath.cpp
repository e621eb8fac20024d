// Painting 10 000 tool moves as the toolpath pane does, through the Qt surface at 1600x1000.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "document/Layer.h"
#include "shell/QtSurface.h"
#include "toolpath/NcReader.h"
#include "toolpath/ToolpathView.h"

namespace {

// A roughing-like program: rapids back, feed lines and arcs along a 200 mm part.
std::string Program(int moves) {
    std::string text = "G18 G21 G90 G91.1 G8\n";
    char block[96];
    for (int i = 0; i < moves; ++i) {
        const double x = 20 + (i / 100) * 0.1;
        const double z = (i % 100) * 2.0;
        switch (i % 4) {
            case 0: std::snprintf(block, sizeof block, "G0 X%.3f Z%.3f\n", x + 1, z); break;
            case 1: std::snprintf(block, sizeof block, "G1 X%.3f Z%.3f F100\n", x, z); break;
            case 2: std::snprintf(block, sizeof block, "G2 X%.3f Z%.3f R1.5\n", x, z + 2); break;
            default: std::snprintf(block, sizeof block, "G3 X%.3f Z%.3f R1.5\n", x, z + 4); break;
        }
        text += block;
    }
    return text;
}

void BM_Paint10000Moves(benchmark::State& state) {
    CToolpathView view;
    view.SetClientSize(1600, 1000);
    view.SetContent({}, CNcReader().Read(Program(10000)), "");
    CQtSurface surface(1600, 1000);
    for (auto _ : state) {
        view.Paint(surface);
        surface.Flush();
    }
    state.counters["moves"] = static_cast<double>(view.GetPath().moves.size());
}
BENCHMARK(BM_Paint10000Moves)->Unit(benchmark::kMillisecond);

}  // namespace
