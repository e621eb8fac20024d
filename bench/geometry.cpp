// Throughput of the line's contour formula and the view's model-to-pixel mapping.
#include <benchmark/benchmark.h>

#include <vector>

#include "elements/Linear.h"
#include "elements/ViewServices.h"

namespace {
void BM_LinearGetYAt(benchmark::State& state) {
    const CLinear line(0, 100000, 50000000, 9000000);
    int32_t x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(line.GetYAt(x));
        x = x < 50000000 ? x + 7919 : 0;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LinearGetYAt);

// Through the element interface, as the layer and the post-processor call it.
void BM_PieceGetYAtVirtual(benchmark::State& state) {
    std::vector<std::unique_ptr<CPiece>> pieces;
    for (int i = 0; i < 64; ++i) {
        pieces.push_back(std::make_unique<CLinear>(i * 10000, i * 100, i * 10000 + 10000, i * 150));
    }
    size_t i = 0;
    for (auto _ : state) {
        const CPiece& p = *pieces[i & 63];
        benchmark::DoNotOptimize(p.GetYAt(p.GetStart().x + 5000));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PieceGetYAtVirtual);

void BM_ModelToScreenX(benchmark::State& state) {
    CViewServices view;
    view.SetZoomValue(static_cast<int>(state.range(0)));
    view.SetOrigin(CPoint(400, 300));
    int32_t x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(view.ModelToScreenX(x));
        x = x < 50000000 ? x + 7919 : -50000000;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ModelToScreenX)->Arg(100)->Arg(20000);
}  // namespace
