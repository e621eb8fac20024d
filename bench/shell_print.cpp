// A page of the sample drawing, as Print, Print Preview and the PDF export paint it (A4 landscape
// at 150 dots per inch), and the PNG export's picture at 1920x1080.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QPainter>
#include <QTemporaryDir>

#include "shell/ChildFrame.h"
#include "shell/DrawingPrint.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/QtSettingsStore.h"
#include "shell/QtSurface.h"
#include "shell/ShellDocument.h"
#include "view/DrawingPicture.h"

namespace {

struct CBenchDocument {
    QTemporaryDir dir;
    std::unique_ptr<CKestrovelApp> app;
    CKestrovelDoc* pDoc = nullptr;

    explicit CBenchDocument(benchmark::State& state) {
        QDir::setCurrent(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples"));
        app = std::make_unique<CKestrovelApp>(CQtSettingsStore::ForFile(dir.filePath(QStringLiteral("b.ini")), 10));
        if (app->InitInstance({QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst")})) {
            auto* child = dynamic_cast<CChildFrame*>(app->GetMainFrame()->Mdi()->subWindowList().value(0));
            pDoc = child ? &child->GetShellDocument()->Doc() : nullptr;
        }
        if (!pDoc) {
            state.SkipWithError("the sample did not open");
        }
    }
};

void BM_PrintPage(benchmark::State& state) {
    CBenchDocument bench(state);
    QImage page(1754, 1240, QImage::Format_RGB32);
    page.setDotsPerMeterX(5906);  // 150 dots per inch
    page.setDotsPerMeterY(5906);
    for (auto _ : state) {
        if (!bench.pDoc) {
            break;
        }
        page.fill(Qt::white);
        QPainter painter(&page);
        CDrawingPrint::Paint(*bench.pDoc, painter, page.rect());
    }
}
BENCHMARK(BM_PrintPage)->Unit(benchmark::kMillisecond);

void BM_ExportPng(benchmark::State& state) {
    CBenchDocument bench(state);
    for (auto _ : state) {
        if (!bench.pDoc) {
            break;
        }
        CQtSurface picture(1920, 1080);
        CDrawingPicture::Paint(*bench.pDoc, picture);
        benchmark::DoNotOptimize(picture.GetImage().constBits());
    }
}
BENCHMARK(BM_ExportPng)->Unit(benchmark::kMillisecond);

}  // namespace
