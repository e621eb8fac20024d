// Stock simulation figures: 50 000 moves of roughing and finishing over a 1 000-element profile;
// a thread's passes, each cutting a copy of the insert every lead.
#include <benchmark/benchmark.h>

#include <string>

#include "simulation/LibraryToolOutline.h"
#include "support/SimulationWork.h"
#include "toolpath/NcReader.h"
#include "tools/Tool.h"

namespace {

void BM_Simulate50000Moves(benchmark::State& state) {
    const CSimulationInput input = bench_simulation::Roughing();
    size_t gouges = 0;
    for (auto _ : state) {
        const CSimulationResult result = CStockSimulation::Run(input);
        gouges = result.gouges.size() + result.rapids.size();
        benchmark::DoNotOptimize(result.excess.polygons.data());
    }
    state.counters["moves"] = static_cast<double>(input.path.moves.size());
    state.counters["faults"] = static_cast<double>(gouges);
}
BENCHMARK(BM_Simulate50000Moves)->Unit(benchmark::kMillisecond);

// An M20 x 1.5 thread 100 mm long cut in state.range(0) passes: 67 copies of the insert each.
void BM_SimulateThreadPasses(benchmark::State& state) {
    CTool insert;
    insert.strKind = "thread";
    insert.dNoseRadius = 0.15;
    insert.nOrientation = 6;
    std::string nc = "G21 G8 T8\n";
    const int passes = static_cast<int>(state.range(0));
    for (int k = 1; k <= passes; ++k) {
        const std::string x = std::to_string(10.0 - 0.92 * k / passes);
        nc += "G0 X11 Z101\nG0 X" + x + "\nG33 Z1 K1.5\nG0 X11\n";
    }
    CSimulationInput input;
    input.path = CNcReader().Read(nc);
    input.profile = CProfileShape({CPathSegment::Line({0.0, 100000.0}, {1000000.0, 100000.0})}, 0.0, 1000000.0);
    input.dStockZ1 = 1000000.0;
    input.dStockX1 = 100000.0;
    input.tools[8] = CLibraryToolOutline::Of(insert);
    for (auto _ : state) {
        const CSimulationResult result = CStockSimulation::Run(input);
        benchmark::DoNotOptimize(result.excess.polygons.data());
    }
    state.counters["copies"] = static_cast<double>(passes) * 67.0;
}
BENCHMARK(BM_SimulateThreadPasses)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
