// Autosave of the 12 000-element drawing: what a tick costs the window's thread, and the write.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include "document/KestrovelDoc.h"
#include "platform/RecoveryStore.h"
#include "postprocessor/DocumentFile.h"
#include "shell/Autosave.h"
#include "shell/Kestrovel.h"
#include "shell/QtSettingsStore.h"
#include "shell/ShellDocument.h"
#include "support/LargeDocument.h"

namespace {

// The application on six layers of 2000 elements and ten programs, with unsaved changes.
std::unique_ptr<CKestrovelApp> StartOnLargeDrawing(const QTemporaryDir& dir) {
    const std::string path = dir.filePath(QStringLiteral("large.kst")).toStdString();
    std::string error;
    if (!MakeLargeDocument(2000)->OnSaveDocument(path, error)) {
        return nullptr;
    }
    QDir::setCurrent(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples"));
    auto app =
        std::make_unique<CKestrovelApp>(CQtSettingsStore::ForFile(dir.filePath(QStringLiteral("b.ini")), 10));
    if (!app->InitInstance({QString::fromStdString(path)}) || app->Documents().size() != 1) {
        return nullptr;
    }
    app->Documents()[0]->Doc().SetModifiedFlag(true);
    return app;
}

void BM_AutosaveTickOnWindowThread(benchmark::State& state) {
    QTemporaryDir dir;
    std::unique_ptr<CKestrovelApp> app = StartOnLargeDrawing(dir);
    if (!app) {
        state.SkipWithError("the large drawing did not open");
        return;
    }
    CAutosave& autosave = *app->Autosave();
    for (auto _ : state) {
        autosave.SaveModified();
        state.PauseTiming();
        autosave.WaitForWrites();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    size_t elements = 0;
    for (int i = 0; i < CKestrovelDoc::kLayerCount; ++i) {
        elements += app->Documents()[0]->Doc().GetLayer(i)->GetPieces().size();
    }
    state.counters["elements"] = static_cast<double>(elements);
}
BENCHMARK(BM_AutosaveTickOnWindowThread)->Unit(benchmark::kMillisecond);

// What the worker does with the copy: encode the record and write it through the safe writer.
void BM_AutosaveWriteOnWorker(benchmark::State& state) {
    QTemporaryDir dir;
    CRecoveryRecord record;
    record.strOriginalPath = "/home/user/large.kst";
    record.document = CDocumentFile::Write(*MakeLargeDocument(2000));
    const std::string path = dir.filePath(QStringLiteral("slot.kstrec")).toStdString();
    std::string error;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CRecoveryStore::Write(path, record, error));
    }
    state.counters["bytes"] = static_cast<double>(record.document.size());
}
BENCHMARK(BM_AutosaveWriteOnWorker)->Unit(benchmark::kMillisecond);

}  // namespace
