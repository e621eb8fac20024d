// Compiling the lathe operations of the sample LinuxCNC post: a long groove of many plunges and
// a thread written out pass by pass.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "document/Layer.h"
#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "platform/Messages.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/MacroContext.h"
#include "postprocessor/ProgramList.h"

namespace {

class CNoLayers : public CMacroContext {
public:
    std::unique_ptr<CLayer> CopyLayer(int) override { return nullptr; }
    CMessages* GetMessages() override { return &m_messages; }
    CRecordingMessages m_messages;
};

void Compile(benchmark::State& state, const char* command, const std::vector<std::string>& fields) {
    CProgramList list;
    list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
    CMemoryControlBar bar;
    CMemoryForm form;
    CProgram* program = list.NewProgram(bar, form);
    program->SetPostProcessor("LinuxCNC lathe", bar);
    const auto& names = bar.GetEntries(IDC_PROG_TEMPLATES);
    program->StartCommand(form,
                          static_cast<int>(std::find(names.begin(), names.end(), command) - names.begin()));
    for (const std::string& field : fields) {
        const std::string key = field.substr(0, field.find('='));
        for (const auto& p : program->GetCurrent()->GetParameters()) {
            if (p->GetKey() == key) {
                p->GetEdit()->SetText(field.substr(key.size() + 1));
            }
        }
    }
    CNoLayers context;
    if (program->AddCommand(&context.m_messages) != 1) {
        state.SkipWithError("command refused");
        return;
    }
    size_t bytes = 0;
    for (auto _ : state) {
        program->Generate(context);
        bytes = program->GetCode().size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

// 400 mm wide, 3 mm tool: 166 plunges of 20 pecks each.
void BM_GrooveManyPlunges(benchmark::State& state) {
    Compile(state, "Groove",
            {"GrooveZ=0", "Width=400", "TopX=40", "Depth=20", "ToolWidth=3", "Peck=1", "Feed=50"});
}
BENCHMARK(BM_GrooveManyPlunges)->Unit(benchmark::kMillisecond);

// A 2 mm pitch thread 200 mm long in passes of equal depth 0.01 mm: 123 passes.
void BM_ThreadPasses(benchmark::State& state) {
    Compile(state, "Thread passes",
            {"FromZ=202", "ToZ=0", "MajorX=20", "Pitch=2", "FirstCut=0.01", "Degression=1", "MinCut=0.01",
             "Speed=500"});
}
BENCHMARK(BM_ThreadPasses)->Unit(benchmark::kMillisecond);

}  // namespace
