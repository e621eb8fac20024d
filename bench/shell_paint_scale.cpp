// Repaints of the application window at 1920x1080 on six layers of 2000 elements, beside plain
// QPainter drawing the same segments on a picture of the same size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "elements/Linear.h"
#include "shell/ChildFrame.h"
#include "shell/DrawingWindow.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/QtSettingsStore.h"
#include "shell/QtSurface.h"
#include "support/HandleDrag.h"
#include "view/KestrovelView.h"
#include "view/MouseModes.h"

namespace {

constexpr int kElements = 2000;
constexpr int kZoomBoxFit = 8;
constexpr int kZoomBox400 = 0;
const QString kSample = QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst");

// Lines and upper and lower arcs alternating, a radial step between each pair, over the whole
// length of the drawing; each layer a little lower than the one before.
void FillLayer(CLayer& layer, int32_t length, int32_t top, int index) {
    auto& pieces = layer.GetPieces();
    pieces.clear();
    const int32_t step = length / kElements;
    for (int i = 0; i < kElements; ++i) {
        const int32_t z = i * step;
        const int32_t y = top * (8 - index) / 10 + (i % 4 < 2 ? 0 : step);
        if (i % 2 == 0) {
            pieces.push_back(std::make_unique<CLinear>(z, y, z + step, y));
        } else {
            const int32_t bulge = (i % 4 == 1 ? 1 : -1) * step / 3;
            pieces.push_back(
                std::make_unique<CArc>(CPoint(z, y), CPoint(z + step, y), CPoint(z + step / 2, y + bulge)));
        }
    }
    layer.ConnectBorders();
    layer.Renumber();
}

struct CBenchWindow {
    QTemporaryDir dir;
    std::unique_ptr<CKestrovelApp> app;
    CDrawingWindow* pDrawing = nullptr;

    bool Open() {
        QDir::setCurrent(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples"));
        app = std::make_unique<CKestrovelApp>(
            CQtSettingsStore::ForFile(dir.filePath(QStringLiteral("b.ini")), 10));
        if (!app->InitInstance({kSample})) {
            return false;
        }
        auto* frame = dynamic_cast<CChildFrame*>(app->GetMainFrame()->Mdi()->subWindowList().value(0));
        pDrawing = frame ? &frame->Drawing() : nullptr;
        if (!pDrawing) {
            return false;
        }
        app->GetMainFrame()->resize(2200, 1400);
        QCoreApplication::processEvents();
        const QSize extra = app->GetMainFrame()->size() - pDrawing->viewport()->size();
        app->GetMainFrame()->resize(QSize(1920, 1080) + extra);
        QCoreApplication::processEvents();
        for (int i = 0; i < 1000 && pDrawing->GetPaintCount() < 2; ++i) {
            QCoreApplication::processEvents();
            pDrawing->viewport()->repaint();
        }
        CKestrovelDoc* doc = pDrawing->View().GetDocument();
        const int32_t length = doc->GetLength();
        const int32_t top = doc->GetLayer(0)->GetLeftBorder()->GetEnd().y;
        CLayer* active = doc->GetActiveLayer();
        for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
            FillLayer(*doc->GetLayer(i), length, top, i);
            active->SetVisible(i + 1, 1);
        }
        return true;
    }

    // Opens at the zoom of the zoom box item; false (the benchmark skipped) when it cannot.
    bool OpenAt(benchmark::State& state, int zoomBoxItem) {
        if (!Open()) {
            state.SkipWithError("the drawing did not open");
            return false;
        }
        pDrawing->View().OnZoomBoxSelect(zoomBoxItem);
        return true;
    }

    void Repaint() {
        pDrawing->Invalidate(true);
        pDrawing->viewport()->repaint();
    }
};

// The element's pixel segment at "To fit": a line, or an arc on its real circle with Qt's
// start angle and span (1/16 degree), counter-clockwise on the screen as the window draws it.
struct CBaselineSegment {
    bool bArc = false;
    QLine line;
    QRectF box;
    int nAngle = 0;
    int nSpan = 0;
};

std::vector<CBaselineSegment> BaselineSegments(CKestrovelView& view, bool arcs) {
    std::vector<CBaselineSegment> segments;
    CKestrovelDoc* doc = view.GetDocument();
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        for (const auto& piece : doc->GetLayer(i)->GetPieces()) {
            const CPoint a = view.ModelToScreen(piece->GetStart());
            const CPoint b = view.ModelToScreen(piece->GetEnd());
            CBaselineSegment s;
            s.line = QLine(a.x, a.y, b.x, b.y);
            const auto* arc = dynamic_cast<const CArc*>(piece.get());
            if (arcs && arc && !arc->IsStraight()) {
                const double r = arc->GetRadius();
                const double left = view.ModelToScreenXF(arc->GetExactCenterZ() - r);
                const double right = view.ModelToScreenXF(arc->GetExactCenterZ() + r);
                const double top = view.ModelToScreenYF(arc->GetExactCenterX() + r);
                const double bottom = view.ModelToScreenYF(arc->GetExactCenterX() - r);
                s.bArc = true;
                s.box = QRectF(std::round(left), std::round(top), std::round(right - left),
                               std::round(bottom - top));
                const CPoint from = arc->GetCcw() ? b : a;
                const CPoint to = arc->GetCcw() ? a : b;
                s.nAngle = CQtSurface::ArcAngle(s.box, from);
                s.nSpan = CQtSurface::ArcAngle(s.box, to) - s.nAngle;
                while (s.nSpan <= 0) {
                    s.nSpan += 360 * 16;
                }
            }
            segments.push_back(s);
        }
    }
    return segments;
}

QPen BaselinePen() {
    QPen pen(Qt::black);
    pen.setWidth(0);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void DrawBaseline(QImage& image, const std::vector<CBaselineSegment>& segments, const QPen& pen) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen);
    for (const CBaselineSegment& s : segments) {
        if (s.bArc) {
            painter.drawArc(s.box, s.nAngle, s.nSpan);
        } else {
            painter.drawLine(s.line);
        }
    }
}

double ThreadCpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Repaints at "To fit" and the faithful baseline timed by turns in one window, so that a drift
// of the machine's speed falls on both alike: the CPU time of the one over the other.
double RatioToBaseline(CBenchWindow& window) {
    const std::vector<CBaselineSegment> segments = BaselineSegments(window.pDrawing->View(), true);
    QImage image(1920, 1080, QImage::Format_RGB32);
    const QPen pen = BaselinePen();
    double repaint = 0;
    double baseline = 0;
    for (int round = 0; round < 10; ++round) {
        const double t0 = ThreadCpuMilliseconds();
        for (int i = 0; i < 5; ++i) {
            window.Repaint();
        }
        const double t1 = ThreadCpuMilliseconds();
        for (int i = 0; i < 5; ++i) {
            DrawBaseline(image, segments, pen);
        }
        const double t2 = ThreadCpuMilliseconds();
        repaint += t1 - t0;
        baseline += t2 - t1;
    }
    return baseline > 0 ? repaint / baseline : 0;
}

void Repaint(benchmark::State& state, int zoomBoxItem) {
    CBenchWindow window;
    if (!window.OpenAt(state, zoomBoxItem)) {
        return;
    }
    for (auto _ : state) {
        window.Repaint();
    }
    state.counters["zoom"] = window.pDrawing->View().GetZoom();
    if (zoomBoxItem == kZoomBoxFit) {
        state.counters["baseline_ratio"] = RatioToBaseline(window);
    }
    // The picture measured, for a person to look at.
    if (const char* folder = std::getenv("KESTROVEL_BENCH_PICTURES")) {
        window.pDrawing->Picture().save(QString::fromLocal8Bit(folder) + QStringLiteral("/zoom-box-item-") +
                                        QString::number(zoomBoxItem) + QStringLiteral(".png"));
    }
}

void BM_RepaintToFit(benchmark::State& state) {
    Repaint(state, kZoomBoxFit);
}
void BM_Repaint400(benchmark::State& state) {
    Repaint(state, kZoomBox400);
}

// Grabs the end handle of the element in the middle at "To fit" and moves it up and down.
void BM_HandleDragStep(benchmark::State& state) {
    CBenchWindow window;
    if (!window.OpenAt(state, kZoomBoxFit)) {
        return;
    }
    CKestrovelView& view = window.pDrawing->View();
    window.Repaint();
    const int32_t middle = view.GetDocument()->GetLength() / 2;
    const CPiece* owner = view.GetDocument()->GetActiveLayer()->FindAt(middle);
    CPoint handle;
    if (!GrabEndHandle(view, view.ModelToScreen({middle, owner->GetYAt(middle)}), state, handle)) {
        return;
    }
    int step = 0;
    for (auto _ : state) {
        view.OnMouseMove(kMouseLeft, CPoint(handle.x, handle.y - 10 + (step++ % 20)));
        QCoreApplication::processEvents();
    }
    view.OnLButtonUp(0, handle);
}

// The same segments as the window draws them at "To fit", with plain QPainter calls: lines
// with drawLine and arcs with drawArc, in the window's one-pixel cosmetic pen. arcs = false
// draws every element as its chord, the cheaper figure of earlier measurements.
void PlainQPainter(benchmark::State& state, bool arcs) {
    CBenchWindow window;
    if (!window.OpenAt(state, kZoomBoxFit)) {
        return;
    }
    const std::vector<CBaselineSegment> segments = BaselineSegments(window.pDrawing->View(), arcs);
    QImage image(1920, 1080, QImage::Format_RGB32);
    const QPen pen = BaselinePen();
    int nArcs = 0;
    for (const CBaselineSegment& s : segments) {
        nArcs += s.bArc ? 1 : 0;
    }
    for (auto _ : state) {
        DrawBaseline(image, segments, pen);
    }
    state.counters["segments"] = static_cast<double>(segments.size());
    state.counters["arcs"] = nArcs;
}

void BM_PlainQPainterBaseline(benchmark::State& state) {
    PlainQPainter(state, true);
}
void BM_PlainQPainterChords(benchmark::State& state) {
    PlainQPainter(state, false);
}

}  // namespace

BENCHMARK(BM_RepaintToFit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HandleDragStep)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainQPainterBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainQPainterChords)->Unit(benchmark::kMillisecond);
