// Drawing view figures: a full paint of six busy layers, and one handle-drag feedback step.
#include <benchmark/benchmark.h>

#include <deque>
#include <memory>

#include "document/KestrovelDoc.h"
#include "elements/Linear.h"
#include "platform/ImageSurface.h"
#include "view/KestrovelView.h"
#include "support/HandleDrag.h"
#include "view/SurfaceHost.h"

namespace {
constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

// A window that paints into an image.
struct CImageHost {
    CImageSurface m_window{kWidth, kHeight};
    CSurfaceHost m_host{m_window};
    void Pump(CKestrovelView& view) { m_host.Pump(view); }
};

// A zigzag of n lines over the whole length on every layer, all layers shown with the first.
struct CBusyDrawing {
    explicit CBusyDrawing(int elements) {
        doc = std::make_unique<CKestrovelDoc>();
        doc->OnNewDocument();
        const int32_t length = doc->GetLength();
        for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
            CLayer& layer = *doc->GetLayer(i);
            layer.GetPieces().clear();
            for (int k = 0; k < elements; ++k) {
                const int32_t z1 = static_cast<int32_t>(static_cast<int64_t>(length) * k / elements);
                const int32_t z2 = static_cast<int32_t>(static_cast<int64_t>(length) * (k + 1) / elements);
                const int32_t h = 700000 + 50000 * i + (k % 2) * 100000;
                layer.GetPieces().push_back(std::make_unique<CLinear>(z1, h, z2, 800000 + 50000 * i));
            }
            layer.Renumber();
            layer.ConnectBorders();
        }
        for (int v = 0; v < 7; ++v) {
            doc->GetLayer(0)->SetVisible(v, 1);
        }
        CViewContext ctx;
        ctx.pDoc = doc.get();
        ctx.pHost = &host.m_host;
        view = std::make_unique<CKestrovelView>(ctx);
        view->OnInitialUpdate();
        view->OnSize(kSizeRestored, kWidth, kHeight);
        view->OnPaint(host.m_window);
        host.Pump(*view);
        view->OnPaint(host.m_window);
    }

    CImageHost host;
    std::unique_ptr<CKestrovelDoc> doc;
    std::unique_ptr<CKestrovelView> view;
};

void BM_FullPaintSixLayers(benchmark::State& state) {
    CBusyDrawing drawing(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        drawing.view->OnPaint(drawing.host.m_window);
        benchmark::DoNotOptimize(drawing.host.m_window.GetPixel(kWidth / 2, kHeight / 2));
    }
}
BENCHMARK(BM_FullPaintSixLayers)->Arg(1000)->Arg(10)->Unit(benchmark::kMillisecond);

// Grabs the end handle of the element in the middle and moves it back and forth.
void BM_HandleDragStep(benchmark::State& state) {
    CBusyDrawing drawing(static_cast<int>(state.range(0)));
    CKestrovelView& view = *drawing.view;
    const int32_t middle = drawing.doc->GetLength() / 2;
    const int x = view.ModelToScreenX(middle);
    CPoint handle;
    if (!GrabEndHandle(view, CPoint(x, kHeight / 2), state, handle)) {
        return;
    }
    int step = 0;
    for (auto _ : state) {
        view.OnMouseMove(kMouseLeft, CPoint(handle.x, handle.y - 10 + (step++ % 20)));
    }
    view.OnLButtonUp(0, handle);
}
BENCHMARK(BM_HandleDragStep)->Arg(1000)->Arg(10)->Unit(benchmark::kMicrosecond);
}  // namespace
