// Repainting the toolpath pane in its Simulate mode at 1920x1080: the stock half way through a
// program of roughing and finishing over a 1 000-element profile, the moves over it, through the
// Qt surface.
#include <benchmark/benchmark.h>

#include "document/Layer.h"
#include "shell/QtSurface.h"
#include "simulation/SimulationPainter.h"
#include "support/SimulationWork.h"
#include "toolpath/ToolpathView.h"

namespace {

// The pane's view of the first `moves` moves of the work, its stock as it stands half way.
struct CPane {
    explicit CPane(size_t moves) : input(bench_simulation::Roughing()), surface(1920, 1080) {
        input.path.moves.resize(std::min(moves, input.path.moves.size()));
        frame = CStockSimulation::Run(input, input.path.moves.size() / 2);
        view.SetClientSize(1920, 1080);
        view.SetContent({}, input.path, "");
        view.SetUnderlay([this](CSurface& dc, const CViewServices& mapping) {
            CSimulationPainter::Paint(dc, mapping, frame, input.path);
        });
    }
    void Paint() {
        view.Paint(surface);
        surface.Flush();
    }
    CSimulationInput input;
    CSimulationResult frame;
    CToolpathView view;
    CQtSurface surface;
};

// The whole pane: background, stock, moves.
void BM_RepaintSimulatedStock(benchmark::State& state) {
    CPane pane(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        pane.Paint();
    }
    state.counters["polygons"] =
        static_cast<double>(pane.frame.part.polygons.size() + pane.frame.excess.polygons.size());
}
BENCHMARK(BM_RepaintSimulatedStock)->Arg(1002)->Arg(50200)->Unit(benchmark::kMillisecond);

// The stock alone, as the pane paints it under the moves.
void BM_RepaintStockOnly(benchmark::State& state) {
    CPane pane(50200);
    for (auto _ : state) {
        pane.surface.FillSolidRect(CRect(0, 0, 1920, 1080), RGB(255, 255, 255));
        CSimulationPainter::Paint(pane.surface, pane.view.GetMapping(), pane.frame, pane.input.path);
        pane.surface.Flush();
    }
}
BENCHMARK(BM_RepaintStockOnly)->Unit(benchmark::kMillisecond);

// A slider step forward by one move, as the pane takes it, then the pane painted.
void BM_StepTheSlider(benchmark::State& state) {
    CPane pane(static_cast<size_t>(state.range(0)));
    CStockSimulation::CStepper stepper(pane.input);
    size_t step = pane.input.path.moves.size() / 2;
    stepper.At(step);
    for (auto _ : state) {
        pane.frame = stepper.At(++step);
        pane.Paint();
    }
}
BENCHMARK(BM_StepTheSlider)->Arg(1002)->Arg(50200)->Unit(benchmark::kMillisecond);

}  // namespace
