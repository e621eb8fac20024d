// Reading lathe cycles back: 50 G71 roughing cycles over a 200-element profile, in a subroutine
// and as numbered blocks.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "toolpath/NcReader.h"

namespace {

// Steps of a line along Z, a quarter-circle fillet up 1 mm, a line and a taper, 50 times over:
// radius 5 to 65 over 200 mm.
std::string CycleProgram(int cycles) {
    std::string text = "G18 G21 G90 G8\no100 sub\nG1 X5 Z0\n";
    char block[96];
    double x = 5;
    double z = 0;
    for (int i = 0; i < 50; ++i) {
        std::snprintf(block, sizeof block, "G1 Z%.3f\nG2 X%.3f Z%.3f I1 K0\n", z - 1, x + 1, z - 2);
        text += block;
        x += 1;
        std::snprintf(block, sizeof block, "G1 Z%.3f\nG1 X%.3f Z%.3f\n", z - 3, x + 0.2, z - 4);
        text += block;
        x += 0.2;
        z -= 4;
    }
    text += "o100 endsub\n";
    for (int i = 0; i < cycles; ++i) {
        text += "G0 X70 Z2\nG71 Q100 D0.5 I1 R0.5 F100\n";
    }
    return text + "M2\n";
}

// Reads the program again and again; skips when the reader finds an error in it.
void MeasureRead(benchmark::State& state, const std::string& text) {
    const CToolpath check = CNcReader().Read(text);
    if (!check.errors.empty()) {
        state.SkipWithError(check.errors[0].strText.c_str());
        return;
    }
    for (auto _ : state) {
        const CToolpath path = CNcReader().Read(text);
        benchmark::DoNotOptimize(path.moves.data());
    }
    state.counters["moves"] = static_cast<double>(check.moves.size());
    state.counters["lines"] = static_cast<double>(check.nLineCount);
}

void BM_Read50G71CyclesOn200ElementProfile(benchmark::State& state) {
    MeasureRead(state, CycleProgram(50));
}
BENCHMARK(BM_Read50G71CyclesOn200ElementProfile)->Unit(benchmark::kMillisecond);

// The same in the ISO two-block form: 50 cycles over one 200-block numbered profile, each cycle
// looking its blocks up in the text.
std::string NumberedCycleProgram(int cycles) {
    std::string text = "G18 G21 G90 G8\nG0 X70 Z2\nG71 U1 R0.5\nG71 P1000 Q1199 U0.5 W0.1 F100\nN1000 G1 X5 Z0\n";
    char block[96];
    for (int i = 1; i < 200; ++i) {
        std::snprintf(block, sizeof block, "N%d X%.3f Z%.3f\n", 1000 + i, 5 + i * 0.3, -i * 1.0);
        text += block;
    }
    for (int i = 1; i < cycles; ++i) {
        text += "G0 X70 Z2\nG71 P1000 Q1199 U0.5 W0.1 F100\n";
    }
    return text + "M30\n";
}

void BM_Read50NumberedG71CyclesOn200BlockProfile(benchmark::State& state) {
    MeasureRead(state, NumberedCycleProgram(50));
}
BENCHMARK(BM_Read50NumberedG71CyclesOn200BlockProfile)->Unit(benchmark::kMillisecond);

}  // namespace
