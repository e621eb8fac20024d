// Start-up of the application to its first painted drawing window, and a repaint at 1920x1080.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "shell/ChildFrame.h"
#include "shell/DrawingWindow.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/QtSettingsStore.h"

namespace {

const QString kSample = QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst");

std::unique_ptr<CKestrovelApp> StartOnSample(const QTemporaryDir& dir) {
    auto app =
        std::make_unique<CKestrovelApp>(CQtSettingsStore::ForFile(dir.filePath(QStringLiteral("b.ini")), 10));
    if (!app->InitInstance({kSample})) {
        return nullptr;
    }
    return app;
}

CDrawingWindow* FirstDrawing(CKestrovelApp& app) {
    auto* frame = dynamic_cast<CChildFrame*>(app.GetMainFrame()->Mdi()->subWindowList().value(0));
    return frame ? &frame->Drawing() : nullptr;
}

// Until the view has painted its drawing: its first paint request only asks for a second one.
bool WaitForDrawing(CDrawingWindow& drawing) {
    for (int i = 0; i < 1000 && drawing.GetPaintCount() < 2; ++i) {
        QCoreApplication::processEvents();
        drawing.viewport()->repaint();
    }
    return drawing.GetPaintCount() >= 2;
}

void BM_StartupToFirstPaintedDrawing(benchmark::State& state) {
    QDir::setCurrent(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples"));
    QTemporaryDir dir;
    for (auto _ : state) {
        std::unique_ptr<CKestrovelApp> app = StartOnSample(dir);
        CDrawingWindow* drawing = app ? FirstDrawing(*app) : nullptr;
        if (!drawing || !WaitForDrawing(*drawing)) {
            state.SkipWithError("the sample drawing did not open");
            return;
        }
        state.PauseTiming();
        app.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstPaintedDrawing)->Unit(benchmark::kMillisecond);

void BM_RepaintSample1920x1080(benchmark::State& state) {
    QDir::setCurrent(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples"));
    QTemporaryDir dir;
    std::unique_ptr<CKestrovelApp> app = StartOnSample(dir);
    CDrawingWindow* drawing = app ? FirstDrawing(*app) : nullptr;
    if (!drawing) {
        state.SkipWithError("the sample drawing did not open");
        return;
    }
    // The frame grows until the drawing's client area is exactly 1920x1080.
    app->GetMainFrame()->resize(2200, 1400);
    QCoreApplication::processEvents();
    const QSize extra = app->GetMainFrame()->size() - drawing->viewport()->size();
    app->GetMainFrame()->resize(QSize(1920, 1080) + extra);
    QCoreApplication::processEvents();
    WaitForDrawing(*drawing);
    state.counters["width"] = drawing->viewport()->width();
    state.counters["height"] = drawing->viewport()->height();
    for (auto _ : state) {
        drawing->Invalidate(true);
        drawing->viewport()->repaint();
    }
}
BENCHMARK(BM_RepaintSample1920x1080)->Unit(benchmark::kMillisecond);

}  // namespace
