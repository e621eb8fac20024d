// Painting a long profile of lines on the raster surface, the work of one repaint.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "elements/LayerStyle.h"
#include "elements/Linear.h"
#include "elements/ViewServices.h"
#include "platform/ImageSurface.h"

namespace {
// 6000 lines across a 1600 x 1000 window, the profile rising and falling over half the height.
void BM_PaintLineProfile(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    CViewServices view;
    view.SetScaleValue(60);
    view.SetOrigin(CPoint(50, 500));
    std::vector<std::unique_ptr<CLinear>> lines;
    const int32_t step = 250000000 / count;
    for (int i = 0; i < count; ++i) {
        const int32_t y1 = 300000 + (i * 7919) % 5000000;
        const int32_t y2 = 300000 + ((i + 1) * 7919) % 5000000;
        lines.push_back(std::make_unique<CLinear>(i * step, y1, (i + 1) * step, y2));
    }
    CImageSurface window(1600, 1000);
    CLayerStyle style;
    window.SetPen(CPen{kPenSolid, 1, kColorBlack});
    window.SetBrush(CBrush::MakeHatch(kHatchForwardDiagonal, kColorRed));
    for (auto _ : state) {
        window.Clear(kColorWhite);
        CPixelRows rows;
        for (auto& l : lines) {
            rows = l->Draw(window, &view, style, rows);
        }
        benchmark::DoNotOptimize(window.GetPixels().data());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_PaintLineProfile)->Arg(6000)->Unit(benchmark::kMillisecond);

void BM_FullPictureBlockCopy(benchmark::State& state) {
    CImageSurface clean(1600, 1000);
    CImageSurface composition(1600, 1000);
    for (auto _ : state) {
        composition.BitBlt(0, 0, 1600, 1000, clean, 0, 0);
        benchmark::DoNotOptimize(composition.GetPixels().data());
    }
}
BENCHMARK(BM_FullPictureBlockCopy)->Unit(benchmark::kMicrosecond);
}  // namespace
