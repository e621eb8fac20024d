// Choosing the toolpath pane's layers for the threaded shaft's operations: the program simulated
// (and, for a new part layer, measured) again and the results listed, as the window does it between
// two repaints.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QSlider>
#include <QTemporaryDir>

#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "shell/ChildProcFrame.h"
#include "shell/CommandIds.h"
#include "shell/Kestrovel.h"
#include "shell/QtSettingsStore.h"
#include "shell/ShellDocument.h"
#include "shell/SimulationPanel.h"
#include "shell/ToolpathPane.h"

namespace {

// The sample post-processors and the drawing copied into the folder, which becomes the working
// directory: compiling writes there.
bool PrepareFolder(const QTemporaryDir& dir) {
    const QDir posts(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/Debug"));
    QDir(dir.path()).mkpath(QStringLiteral("Debug"));
    for (const QString& name : posts.entryList(QDir::Files)) {
        if (!QFile::copy(posts.filePath(name), dir.filePath(QStringLiteral("Debug/") + name))) {
            return false;
        }
    }
    return QFile::copy(QStringLiteral(KESTROVEL_SOURCE_DIR "/examples/threaded-shaft.kst"),
                       dir.filePath(QStringLiteral("shaft.kst"))) &&
           QDir::setCurrent(dir.path());
}

// Argument 0: the bore layer, None and 3 by turns; 1: the part layer, 1 and 4 by turns.
void BM_ChooseALayer(benchmark::State& state) {
    QTemporaryDir dir;
    if (!PrepareFolder(dir)) {
        state.SkipWithError("the example could not be copied");
        return;
    }
    CKestrovelApp app(CQtSettingsStore::ForFile(dir.filePath(QStringLiteral("b.ini")), 10));
    if (!app.InitInstance({dir.filePath(QStringLiteral("shaft.kst"))})) {
        state.SkipWithError("the example did not open");
        return;
    }
    CProgramList* list = CProgramDocument::Attach(app.Documents().front()->Doc());
    auto* cnc = dynamic_cast<CChildProcFrame*>(app.OpenCncWindow());
    CProgram* program = list && cnc ? list->FindProgram("Shaft operations") : nullptr;
    if (!program) {
        state.SkipWithError("no program \"Shaft operations\"");
        return;
    }
    list->SetActiveProgram(program);
    cnc->OnCommand(kCmdProgramCompile);
    CToolpathPane& pane = cnc->ToolpathPane();
    const bool part = state.range(0) == 1;
    QComboBox& box = part ? pane.PartLayerBox() : pane.BoreLayerBox();
    // Entry 3 is layer 4 of the part's list, layer 3 of the bore's.
    int choice = 0;
    for (auto _ : state) {
        choice = choice == 3 ? 0 : 3;
        box.setCurrentIndex(choice);
        emit box.activated(choice);
    }
    state.counters["moves"] = static_cast<double>(pane.Simulation().Slider().maximum());
}
BENCHMARK(BM_ChooseALayer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
