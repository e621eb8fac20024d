// Stock simulation figures: 50 000 moves of roughing and finishing over a 1 000-element profile.
#include <benchmark/benchmark.h>

#include "support/SimulationWork.h"

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

}  // namespace
