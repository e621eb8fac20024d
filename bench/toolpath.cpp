// Toolpath figures: reading 100 000 NC lines back, the deviation check of a 1 000-element profile.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "document/Layer.h"
#include "elements/Arc.h"
#include "elements/Linear.h"
#include "toolpath/DeviationCheck.h"
#include "toolpath/NcReader.h"

namespace {

// Numbered blocks of lines and arcs of both directions, with comments, like a finishing pass.
std::string Program(int lines) {
    std::string text = "%\n(O100 bench)\nN10 G18 G21 G90 G90.1 G8 G94\n";
    char block[128];
    for (int i = 0; i < lines; ++i) {
        const double z = i * 0.5;
        switch (i % 3) {
            case 0:
                std::snprintf(block, sizeof block, "N%d G1 X20.0000 Z%.4f F120.0\n", i * 10 + 20, z);
                break;
            case 1:
                std::snprintf(block, sizeof block, "N%d G2 X20.0000 Z%.4f I19.7500 K%.4f ; up\n", i * 10 + 20,
                              z, z - 0.25);
                break;
            default:
                std::snprintf(block, sizeof block, "N%d G3 X20.0000 Z%.4f R0.3 (down)\n", i * 10 + 20, z);
                break;
        }
        text += block;
    }
    return text + "M30\n%\n";
}

void BM_Read100000Lines(benchmark::State& state) {
    const std::string text = Program(100000);
    size_t moves = 0;
    for (auto _ : state) {
        const CToolpath path = CNcReader().Read(text);
        moves = path.moves.size();
        benchmark::DoNotOptimize(moves);
    }
    state.counters["moves"] = static_cast<double>(moves);
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_Read100000Lines)->Unit(benchmark::kMillisecond);

// A profile of 500 lines and 500 upper arcs, 1 mm each, and a pass that follows it exactly.
void BM_DeviationOf1000ElementProfile(benchmark::State& state) {
    CLayer layer;
    layer.CreateBorders(0, 200000, 10000000);
    layer.AddLine(0, 200000, 10000000, 200000);
    std::string text = "G18 G21 G90 G90.1 G8\nG0 X25 Z-1\nG1 X20 Z0 F100\n";
    char block[128];
    for (int i = 0; i < 1000; i += 2) {
        const int32_t z = i * 10000;
        layer.AddPiece(std::make_unique<CLinear>(z, 200000, z + 10000, 200000), 0);
        auto arc = std::make_unique<CArc>(CPoint(z + 10000, 200000), CPoint(z + 20000, 200000),
                                          CPoint(z + 15000, 202000));
        std::snprintf(block, sizeof block, "G1 X20 Z%.4f\nG2 X20 Z%.4f I%.6f K%.6f\n", (z + 10000) / 1e4,
                      (z + 20000) / 1e4, arc->m_dCenterY / 1e4, arc->m_dCenterX / 1e4);
        layer.AddPiece(std::move(arc), 0);
        text += block;
    }
    const CToolpath path = CNcReader().Read(text);
    for (auto _ : state) {
        CDeviationResult r = CDeviationCheck::Run(path, CProfileShape::FromLayer(layer), 0.01);
        benchmark::DoNotOptimize(r);
    }
    // Taken once outside the timed loop: a value passed to DoNotOptimize is not read back reliably.
    const double largest = CDeviationCheck::Run(path, CProfileShape::FromLayer(layer), 0.01).dLargestMm;
    state.counters["elements"] = static_cast<double>(layer.GetPieces().size());
    state.counters["moves"] = static_cast<double>(path.moves.size());
    state.counters["largest_mm"] = largest;
}
BENCHMARK(BM_DeviationOf1000ElementProfile)->Unit(benchmark::kMillisecond);

}  // namespace

// A 10 KB program of long feed moves crossing a 100 mm profile back and forth, 10 m each way:
// the work must not grow with a move's length.
void BM_DeviationOf10KbProgramOfLongMoves(benchmark::State& state) {
    CLayer layer;
    layer.CreateBorders(0, 200000, 1000000);
    layer.AddLine(0, 200000, 1000000, 200000);
    std::string text = "G18 G21 G90 G8\nG0 X20 Z-5000\nG1 X20 Z-5000 F100\n";
    char block[64];
    for (int i = 0; text.size() < 10000; ++i) {
        std::snprintf(block, sizeof block, "G1 X%.3f Z%d\n", 20.0 + (i % 7) * 0.001, i % 2 ? -5000 : 5000);
        text += block;
    }
    const CToolpath path = CNcReader().Read(text);
    const CProfileShape profile = CProfileShape::FromLayer(layer);
    for (auto _ : state) {
        CDeviationResult r = CDeviationCheck::Run(path, profile, 0.01);
        benchmark::DoNotOptimize(r);
    }
    const double largest = CDeviationCheck::Run(path, profile, 0.01).dLargestMm;
    state.counters["bytes"] = static_cast<double>(text.size());
    state.counters["moves"] = static_cast<double>(path.moves.size());
    state.counters["largest_mm"] = largest;
}
BENCHMARK(BM_DeviationOf10KbProgramOfLongMoves)->Unit(benchmark::kMillisecond);

// 200 threads cut by G76 one after another along a shaft, each M20 x 1.5 over 20 mm with a
// compound infeed, degression, tapers and spring passes (about 30 passes each).
void BM_Read200Threads(benchmark::State& state) {
    std::string text = "G18 G21 G90 G8\nS500 M3\n";
    char block[160];
    for (int i = 0; i < 200; ++i) {
        const double z = -25.0 * i;
        std::snprintf(block, sizeof block,
                      "G0 X11 Z%.3f\nG76 P1.5 Z%.3f I-1 J0.1 K0.92 R1.5 Q29.5 H2 E1 L3\n", z + 2, z - 20);
        text += block;
    }
    text += "M30\n";
    size_t moves = 0;
    for (auto _ : state) {
        const CToolpath path = CNcReader().Read(text);
        moves = path.moves.size();
        benchmark::DoNotOptimize(moves);
    }
    state.counters["moves"] = static_cast<double>(CNcReader().Read(text).moves.size());
    state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(BM_Read200Threads)->Unit(benchmark::kMillisecond);
