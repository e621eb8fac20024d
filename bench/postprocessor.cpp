// Compiling RUN and OCI programs over a layer of 1000 lines and arcs.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "document/Layer.h"
#include "elements/Arc.h"
#include "elements/Linear.h"
#include "platform/Messages.h"
#include "postprocessor/DefinitionReader.h"
#include "postprocessor/ItemFileReader.h"
#include "postprocessor/MacroContext.h"
#include "postprocessor/PostFileReader.h"
#include "postprocessor/PreProcesor.h"
#include "postprocessor/Program.h"

namespace {

constexpr int32_t kStep = 100000;  // 10 mm per element
constexpr int kElements = 1000;

// Lines at alternating heights joined by upper and lower arcs: 1000 elements plus the step lines
// the walks insert.
std::unique_ptr<CLayer> WavyLayer(int32_t lift) {
    auto layer = std::make_unique<CLayer>();
    const int32_t length = kStep * kElements;
    layer->CreateBorders(0, 300000 + lift, length);
    layer->AddLine(0, 300000 + lift, length, 300000 + lift);
    for (int i = 0; i < kElements; ++i) {
        const int32_t z = i * kStep;
        const int32_t y = 300000 + lift + (i % 4 < 2 ? 0 : 20000);
        if (i % 2 == 0) {
            layer->AddPiece(std::make_unique<CLinear>(z, y, z + kStep, y), 0);
        } else {
            const int32_t bulge = i % 4 == 1 ? 30000 : -30000;
            layer->AddPiece(std::make_unique<CArc>(CPoint(z, y), CPoint(z + kStep, y + 5000),
                                                   CPoint(z + kStep / 2, y + bulge)),
                            0);
        }
    }
    return layer;
}

class CBenchContext : public CMacroContext {
public:
    CBenchContext() {
        m_layers[0] = WavyLayer(0);
        m_layers[1] = WavyLayer(15000);
    }
    std::unique_ptr<CLayer> CopyLayer(int index) override {
        return index >= 0 && index < 2 ? std::make_unique<CLayer>(*m_layers[index]) : nullptr;
    }
    CMessages* GetMessages() override { return &m_messages; }

    CRecordingMessages m_messages;

private:
    std::unique_ptr<CLayer> m_layers[2];
};

const char* kItems =
    "BeginItem\nName:   Finish\nMacro:Finish\nHelp\nh\nEndHelp\n\"Layer\"@<layer>(YN)?1\n\"Feed\"@<Feed>(YY)?120\n"
    "End\nBeginItem\nName:   Rough\nMacro:Rough\nHelp\nh\nEndHelp\n\"X\"@<layerX>(YN)?1\n\"A\"@<layerA>(YN)?2\n"
    "\"T\"@<ToolDiferenc>(YY)?2.5\n\"Feed\"@<Feed>(YY)?200\nEnd\n"
    "BeginItem\nName:   FinishComp\nMacro:FinishComp\nHelp\nh\nEndHelp\n\"Layer\"@<layer>(YN)?1\n"
    "\"Feed\"@<Feed>(YY)?120\n\"Tool\"@<Tool>(YN)?1\nEnd\n"
    "BeginItem\nName:   FinishStop\nMacro:FinishStop\nHelp\nh\nEndHelp\n\"Layer\"@<layer>(YN)?1\n"
    "\"Feed\"@<Feed>(YY)?120\n\"Tool\"@<Tool>(YN)?1\nEnd\nEndDefItems\n";
const char* kPost =
    "BeginVar\nX>4.4\nZ>4.4\nI>4.4\nK>4.4\nF>5.1\n(O>4.0\nEnd\nNumber\nY\nLetter\nN\nSequence_N\n10\n10\n"
    "First#?\nN\nLast#?\nN\nIncremental?\nN\nCtrIncremental?\nN\nDefOCI\nBeginObj\n0.5\nEndObj\n0.5\n"
    "DivideObj\n5:2\n20:4\n60:8\n200:16\nEnd\nBeginMacro\nSTART\nStartCode\n%\n(O<program> <NameFile>)\nEnd\n"
    "BeginMacro\nEND\nEndCode\nM30\n%\nEnd\nBeginMacro\nRUN\nFinish\nRIGHT\nG0 X40\n<line>\n"
    "G1 X<EndX> Z<EndZ> F<Feed>\n<Cw>\nG3 X<EndX> Z<EndZ> I<CtrJ> K<CtrI> F<Feed>\n<Ccw>\n"
    "G2 X<EndX> Z<EndZ> I<CtrJ> K<CtrI> F<Feed>\nG0 X40\nEnd\nBeginMacro\nOCI\nRough\nRIGHT\n<line>\n"
    "G1 X<EndX> Z<EndZ> F<Feed>\n<OCI>\nG1 X<EndX> Z<EndZ> F<Feed>\nBeginMacro\nRUN\nFinishComp\nRIGHT COMP\n"
    "G0 X40\n<line>\nG1 X<EndX> Z<EndZ> F<Feed>\n<Cw>\nG3 X<EndX> Z<EndZ> I<CtrJ> K<CtrI> F<Feed>\n<Ccw>\n"
    "G2 X<EndX> Z<EndZ> I<CtrJ> K<CtrI> F<Feed>\nG0 X40\nEnd\nBeginMacro\nRUN\nFinishStop\nRIGHT COMP STOP\n"
    "G0 X40\n<line>\nG1 X<EndX> Z<EndZ> F<Feed>\n<Cw>\nG3 X<EndX> Z<EndZ> I<CtrJ> K<CtrI> F<Feed>\n<Ccw>\n"
    "G2 X<EndX> Z<EndZ> I<CtrJ> K<CtrI> F<Feed>\nG0 X40\nEnd\nBeginMacro\nENDPOSTPROCESOR\n";

std::unique_ptr<CPreProcesor> MakePost() {
    const std::string out = (std::filesystem::temp_directory_path() / "kestrovel_bench.nc").string();
    auto pp = std::make_unique<CPreProcesor>("Bench", "bench.*", out, "");
    CDefinitionReader items("bench.itm", kItems, nullptr);
    CItemFileReader::Read(items, *pp);
    CDefinitionReader post("bench.pos", kPost, nullptr);
    CPostFileReader::Read(post, *pp);
    pp->MarkLoaded();
    CToolLibrary tools;
    tools.FindOrAdd(1).dNoseRadius = 0.8;
    pp->SetTools(tools);
    return pp;
}

void CompileProgram(benchmark::State& state, int templateIndex, bool toFile, bool warnings = false) {
    CBenchContext context;
    auto pp = MakePost();
    CProgram program("Bench");
    program.m_pPreProcesor = pp.get();
    auto command = pp->CreateCommand(templateIndex);
    program.m_commands.push_back(std::move(command));
    size_t bytes = 0;
    for (auto _ : state) {
        if (toFile) {
            program.Compile(nullptr, context);
        } else {
            program.Generate(context);
        }
        bytes = program.GetCode().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    if (!context.m_messages.GetBoxes().empty()) {
        if (warnings && context.m_messages.GetBoxes().front().icon == MessageIcon::Warning) {
            return;  // the stretches the insert can't reach, passed over
        }
        state.SkipWithError(context.m_messages.GetBoxes().front().strText.c_str());
    }
}

void BM_CompileRun(benchmark::State& state) { CompileProgram(state, 0, false); }
void BM_CompileOci(benchmark::State& state) { CompileProgram(state, 1, false); }
void BM_CompileRunWithFile(benchmark::State& state) { CompileProgram(state, 0, true); }
// The same pass for a tool of nose radius 0.8 mm, its tip path computed.
void BM_CompileRunCompensated(benchmark::State& state) { CompileProgram(state, 2, false); }
// The same with the insert's edges checked along the path every 0.05 mm (passing over what they
// can't reach).
void BM_CompileRunCompensatedEdgesChecked(benchmark::State& state) { CompileProgram(state, 3, false, true); }

}  // namespace

BENCHMARK(BM_CompileRun)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompileOci)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompileRunWithFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompileRunCompensated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompileRunCompensatedEdgesChecked)->Unit(benchmark::kMillisecond);
