// The editor's DXF import path: 1 000 to 10 000 entities inserted into the open drawing's layer, with
// its object list, undo snapshot and repaint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <filesystem>

#include "document/KestrovelDoc.h"
#include "exchange/DxfImport.h"
#include "shell/ChildFrame.h"
#include "shell/Kestrovel.h"
#include "shell/MainFrame.h"
#include "shell/QtSettingsStore.h"
#include "shell/ShellDocument.h"
#include "support/SteppedDxf.h"

namespace {

const QString kSample = QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/sample.kst");

// A stepped profile of count lines and arcs along the sample's 120 mm.
std::string SteppedProfile(const QTemporaryDir& dir, int count) {
    const std::string path = dir.filePath(QStringLiteral("p%1.dxf").arg(count)).toStdString();
    WriteSteppedProfile(path, count, 120.0, 10.0);
    return path;
}

void BM_EditorImport(benchmark::State& state) {
    QDir::setCurrent(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples"));
    QTemporaryDir dir;
    auto app = std::make_unique<CKestrovelApp>(CQtSettingsStore::ForFile(dir.filePath(QStringLiteral("b.ini")), 10));
    if (!app->InitInstance({kSample})) {
        state.SkipWithError("the sample drawing did not open");
        return;
    }
    auto* frame = dynamic_cast<CChildFrame*>(app->GetMainFrame()->Mdi()->subWindowList().value(0));
    if (!frame) {
        state.SkipWithError("no drawing window");
        return;
    }
    CKestrovelDoc& doc = frame->GetShellDocument()->Doc();
    CImportResult result;
    std::string error;
    CDxfImport().LoadFile(SteppedProfile(dir, static_cast<int>(state.range(0))), {}, result, error);
    int inserted = 0;
    for (auto _ : state) {
        inserted = CDxfImport::Apply(doc, doc.GetActiveLayerIndex(), result, doc.GetMessages());
        QCoreApplication::processEvents();
        state.PauseTiming();
        doc.Undo();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["inserted"] = inserted;
}
BENCHMARK(BM_EditorImport)->RangeMultiplier(10)->Range(1000, 10000)->Unit(benchmark::kMillisecond);

}  // namespace
