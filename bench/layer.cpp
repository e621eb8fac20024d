// Layer editing, snapshot and painting costs at 1000 or 2000 elements per layer.
#include <benchmark/benchmark.h>

#include <memory>

#include "document/KestrovelDoc.h"
#include "elements/Linear.h"
#include "elements/ViewServices.h"
#include "platform/MemoryControlBar.h"
#include "platform/RecordingSurface.h"

namespace {
constexpr int32_t kLength = 9000000;

// Replaces the layer's chain by n lines of alternating height.
void FillLayer(CLayer& layer, int n) {
    const int32_t step = kLength / n;
    auto& pieces = layer.GetPieces();
    pieces.clear();
    for (int i = 0; i < n; ++i) {
        const int32_t y = 1000000 + (i % 2) * 50000;
        pieces.push_back(std::make_unique<CLinear>(i * step, y, (i + 1) * step, y));
    }
    layer.ConnectBorders();
    layer.Renumber();
}

struct CBenchDocument {
    explicit CBenchDocument(int n) : nElements(n) {
        services.pObjectBar = &objectBar;
        doc = std::make_unique<CKestrovelDoc>(services);
        doc->OnNewDocument();
        doc->SetActiveView(&view);
        for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
            FillLayer(*doc->GetLayer(i), n);
        }
    }
    int nElements;
    CMemoryControlBar objectBar;
    CDocServices services;
    CViewServices view;
    std::unique_ptr<CKestrovelDoc> doc;
};

// An element exactly over element k of the chain: the chain keeps its size.
std::unique_ptr<CPiece> Replacement(const CBenchDocument& bench, int round) {
    const int32_t step = kLength / bench.nElements;
    const int k = bench.nElements / 2 + round % 400;
    return std::make_unique<CLinear>(k * step, 900000 + round % 7, (k + 1) * step, 900000 + round % 5);
}

void BM_AddPiece(benchmark::State& state) {
    CBenchDocument bench(static_cast<int>(state.range(0)));
    CLayer& layer = *bench.doc->GetActiveLayer();
    int round = 0;
    for (auto _ : state) {
        layer.AddPiece(Replacement(bench, round), 0);
        ++round;
    }
    state.SetLabel(std::to_string(layer.GetPieces().size()) + " elements");
}
BENCHMARK(BM_AddPiece)->Arg(1000)->Arg(2000)->Unit(benchmark::kMicrosecond);

// One completed edit as the view makes it: insertion, renumbering, object box and snapshot.
void BM_SingleEdit(benchmark::State& state) {
    CBenchDocument bench(static_cast<int>(state.range(0)));
    int round = 0;
    for (auto _ : state) {
        bench.doc->GetActiveLayer()->AddPiece(Replacement(bench, round), 1);
        bench.doc->RecordUndo();
        ++round;
    }
}
BENCHMARK(BM_SingleEdit)->Arg(1000)->Arg(2000)->Unit(benchmark::kMicrosecond);

void BM_LayerDeepCopy(benchmark::State& state) {
    CBenchDocument bench(static_cast<int>(state.range(0)));
    const CLayer& layer = *bench.doc->GetLayer(0);
    for (auto _ : state) {
        CLayer copy(layer);
        benchmark::DoNotOptimize(copy.GetPieces().size());
    }
}
BENCHMARK(BM_LayerDeepCopy)->Arg(1000)->Arg(2000)->Unit(benchmark::kMicrosecond);

void BM_DrawAllSixLayers(benchmark::State& state) {
    CBenchDocument bench(static_cast<int>(state.range(0)));
    CLayer& active = *bench.doc->GetActiveLayer();
    for (int i = 0; i < 7; ++i) {
        active.SetVisible(i, 1);
    }
    CRecordingSurface dc(1200, 800);
    dc.SetRecording(false);
    for (auto _ : state) {
        active.DrawAll(dc, &bench.view);
    }
    state.SetLabel(std::to_string(dc.GetCallCount() / state.iterations()) + " calls per paint");
}
BENCHMARK(BM_DrawAllSixLayers)->Arg(1000)->Arg(2000)->Unit(benchmark::kMicrosecond);
// Halving the drawing's length on six full layers (a question-free cut of half of every chain),
// undone and redone: the whole-drawing undo step the change makes.
void BM_LengthChangeUndoRedo(benchmark::State& state) {
    CBenchDocument bench(static_cast<int>(state.range(0)));
    bench.doc->ChangeSourceMaterial(kShapePrism, kLength / 2, 2000000);
    for (auto _ : state) {
        bench.doc->Undo();
        bench.doc->Redo();
    }
    state.SetLabel(std::to_string(bench.doc->GetLayer(0)->GetPieces().size()) + " elements left per layer");
}
BENCHMARK(BM_LengthChangeUndoRedo)->Arg(1000)->Arg(2000)->Unit(benchmark::kMicrosecond);

// The change itself: six layers copied for the undo step and cut.
void BM_LengthChange(benchmark::State& state) {
    std::unique_ptr<CBenchDocument> fresh;
    for (auto _ : state) {
        state.PauseTiming();
        fresh = std::make_unique<CBenchDocument>(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        fresh->doc->ChangeSourceMaterial(kShapePrism, kLength / 2, 2000000);
    }
}
BENCHMARK(BM_LengthChange)->Arg(1000)->Arg(2000)->Unit(benchmark::kMicrosecond);
}  // namespace
