// Repainting the toolpath pane in its Simulate mode at 1920x1080: the stock half way through
// 50 000 moves over a 1 000-element profile, with the moves over it, through the Qt surface.
#include <benchmark/benchmark.h>

#include "document/Layer.h"
#include "shell/QtSurface.h"
#include "simulation/SimulationPainter.h"
#include "support/SimulationWork.h"
#include "toolpath/ToolpathView.h"

namespace {

void BM_RepaintSimulatedStock(benchmark::State& state) {
    const CSimulationInput input = bench_simulation::Roughing();
    const CSimulationResult frame = CStockSimulation::Run(input, input.path.moves.size() / 2);
    CToolpathView view;
    view.SetClientSize(1920, 1080);
    view.SetContent({}, input.path, "");
    view.SetUnderlay([&](CSurface& dc, const CViewServices& mapping) {
        CSimulationPainter::Paint(dc, mapping, frame, input.path);
    });
    CQtSurface surface(1920, 1080);
    for (auto _ : state) {
        view.Paint(surface);
        surface.Flush();
    }
    state.counters["polygons"] =
        static_cast<double>(frame.part.polygons.size() + frame.excess.polygons.size());
}
BENCHMARK(BM_RepaintSimulatedStock)->Unit(benchmark::kMillisecond);

// The stock alone, as the pane paints it under the moves.
void BM_RepaintStockOnly(benchmark::State& state) {
    const CSimulationInput input = bench_simulation::Roughing();
    const CSimulationResult frame = CStockSimulation::Run(input, input.path.moves.size() / 2);
    CToolpathView view;
    view.SetClientSize(1920, 1080);
    view.SetContent({}, input.path, "");
    CQtSurface surface(1920, 1080);
    for (auto _ : state) {
        surface.FillSolidRect(CRect(0, 0, 1920, 1080), RGB(255, 255, 255));
        CSimulationPainter::Paint(surface, view.GetMapping(), frame, input.path);
        surface.Flush();
    }
}
BENCHMARK(BM_RepaintStockOnly)->Unit(benchmark::kMillisecond);

// A slider step: the frame simulated again up to the new step, then painted.
void BM_StepTheSlider(benchmark::State& state) {
    const CSimulationInput input = bench_simulation::Roughing();
    CSimulationResult frame;
    CToolpathView view;
    view.SetClientSize(1920, 1080);
    view.SetContent({}, input.path, "");
    view.SetUnderlay([&](CSurface& dc, const CViewServices& mapping) {
        CSimulationPainter::Paint(dc, mapping, frame, input.path);
    });
    CQtSurface surface(1920, 1080);
    size_t step = input.path.moves.size() / 2;
    for (auto _ : state) {
        frame = CStockSimulation::Run(input, ++step);
        view.Paint(surface);
        surface.Flush();
    }
}
BENCHMARK(BM_StepTheSlider)->Unit(benchmark::kMillisecond);

}  // namespace
