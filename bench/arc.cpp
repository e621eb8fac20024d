// Arc costs: the height query the layer and the post-processor ask, and one handle drag step.
#include <benchmark/benchmark.h>

#include "elements/Arc.h"
#include "elements/DoubleArc.h"
#include "elements/ViewServices.h"
#include "platform/MemoryControlBar.h"
#include "platform/RecordingSurface.h"

namespace {
// An upper arc 400 mm long rising 100 mm above its ends.
CArc BenchArc() { return CArc(CPoint(0, 1000000), CPoint(4000000, 1000000), CPoint(2000000, 2000000)); }

void BM_ArcGetYAt(benchmark::State& state) {
    const CArc arc = BenchArc();
    int32_t z = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(arc.GetYAt(z));
        z = z >= 4000000 ? 0 : z + 997;
    }
}
BENCHMARK(BM_ArcGetYAt);

void BM_DoubleArcGetYAt(benchmark::State& state) {
    const CDoubleArc arc(CPoint(0, 1000000), CPoint(2000000, 1500000), CPoint(4000000, 2000000),
                         CPoint(-1000000, 1000000));
    int32_t z = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(arc.GetYAt(z));
        z = z >= 4000000 ? 0 : z + 997;
    }
}
BENCHMARK(BM_DoubleArcGetYAt);

// One mouse move while a handle is dragged: the edit, then the overlay recomposed over the clean
// picture and copied to the window. Recording is off so only the element's own work is timed.
void DragStep(benchmark::State& state, int handle) {
    CViewServices view;
    CMemoryControlBar bar;
    view.SetObjectBar(&bar);
    view.SetOrigin(CPoint(20, 300));
    CRecordingSurface window(800, 600);
    window.SetRecording(false);
    view.CreatePictures(window, 800, 600);
    static_cast<CRecordingSurface*>(view.GetCleanPicture())->SetRecording(false);
    static_cast<CRecordingSurface*>(view.GetCompositionSurface())->SetRecording(false);
    CArc arc = BenchArc();
    const Handle handles[4] = {arc.StartHandle(), arc.EndHandle(), arc.CenterHandle(), arc.MidHandle()};
    const Handle which = handles[handle];
    const CPoint origin = arc.GetHandle(which);
    int i = 0;
    for (auto _ : state) {
        const int32_t d = (i++ % 64) * 1000;
        arc.SetHandle(which, origin.x + d, origin.y + d / 2, &view);
        benchmark::DoNotOptimize(arc.DrawDragFeedback(window, &view, 0, 0, 800, 600, which));
    }
}

void BM_ArcDragStart(benchmark::State& state) { DragStep(state, 0); }
void BM_ArcDragMid(benchmark::State& state) { DragStep(state, 3); }
BENCHMARK(BM_ArcDragStart);
BENCHMARK(BM_ArcDragMid);
}  // namespace
