// Layer editing, snapshot and painting costs at 1000 elements per layer.
#include <benchmark/benchmark.h>

#include "document/KestrovelDoc.h"
#include "elements/Linear.h"
#include "elements/ViewServices.h"
#include "platform/MemoryControlBar.h"
#include "platform/RecordingSurface.h"

namespace {
constexpr int kElements = 1000;
constexpr int32_t kLength = 9000000;
constexpr int32_t kStep = kLength / kElements;

// Replaces the layer's chain by kElements lines of alternating height.
void FillLayer(CLayer& layer) {
    auto& pieces = layer.GetPieces();
    pieces.clear();
    for (int i = 0; i < kElements; ++i) {
        const int32_t y = 1000000 + (i % 2) * 50000;
        pieces.push_back(std::make_unique<CLinear>(i * kStep, y, (i + 1) * kStep, y));
    }
    layer.ConnectBorders();
    layer.Renumber();
}

struct CBenchDocument {
    CBenchDocument() {
        services.pObjectBar = &objectBar;
        doc = std::make_unique<CKestrovelDoc>(services);
        doc->OnNewDocument();
        doc->SetActiveView(&view);
        for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
            FillLayer(*doc->GetLayer(i));
        }
    }
    CMemoryControlBar objectBar;
    CDocServices services;
    CViewServices view;
    std::unique_ptr<CKestrovelDoc> doc;
};

// An element exactly over element k of the chain: the chain keeps its size.
std::unique_ptr<CPiece> Replacement(int k, int round) {
    return std::make_unique<CLinear>(k * kStep, 900000 + round % 7, (k + 1) * kStep, 900000 + round % 5);
}

void BM_AddPiece(benchmark::State& state) {
    CBenchDocument bench;
    CLayer& layer = *bench.doc->GetActiveLayer();
    int round = 0;
    for (auto _ : state) {
        layer.AddPiece(Replacement(kElements / 2 + round % 400, round), 0);
        ++round;
    }
    state.SetLabel(std::to_string(layer.GetPieces().size()) + " elements");
}
BENCHMARK(BM_AddPiece)->Unit(benchmark::kMicrosecond);

// One completed edit as the view makes it: insertion, renumbering, object box and snapshot.
void BM_SingleEdit(benchmark::State& state) {
    CBenchDocument bench;
    int round = 0;
    for (auto _ : state) {
        bench.doc->GetActiveLayer()->AddPiece(Replacement(kElements / 2 + round % 400, round), 1);
        bench.doc->RecordUndo();
        ++round;
    }
}
BENCHMARK(BM_SingleEdit)->Unit(benchmark::kMicrosecond);

void BM_LayerDeepCopy(benchmark::State& state) {
    CBenchDocument bench;
    const CLayer& layer = *bench.doc->GetLayer(0);
    for (auto _ : state) {
        CLayer copy(layer);
        benchmark::DoNotOptimize(copy.GetPieces().size());
    }
}
BENCHMARK(BM_LayerDeepCopy)->Unit(benchmark::kMicrosecond);

void BM_DrawAllSixLayers(benchmark::State& state) {
    CBenchDocument bench;
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
BENCHMARK(BM_DrawAllSixLayers)->Unit(benchmark::kMicrosecond);
}  // namespace
