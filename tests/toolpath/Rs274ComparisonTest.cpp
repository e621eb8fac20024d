// The reader's moves against LinuxCNC's rs274 interpreter: sample post output and hand-written
// programs in every mode the posts use, equal within 0.0005 mm.
#include <gtest/gtest.h>

#include "../postprocessor/PostTestUtil.h"
#include "Rs274.h"
#include "elements/DoubleArc.h"
#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/Program.h"
#include "postprocessor/ProgramList.h"
#include "toolpath/NcReader.h"

namespace {

constexpr double kToleranceMm = 0.0005;

void ExpectSameMoves(const std::string& text) {
    const rs274::CRun run = rs274::Run(text);
    ASSERT_EQ(run.nExit, 0) << run.strLog << "\n" << text;
    const CToolpath path = CNcReader().Read(text);
    EXPECT_TRUE(path.errors.empty()) << path.errors[0].strText;
    ASSERT_EQ(path.moves.size(), run.moves.size()) << text;
    for (size_t i = 0; i < run.moves.size(); ++i) {
        const rs274::CMove& want = run.moves[i];
        const CToolMove& got = path.moves[i];
        SCOPED_TRACE("move " + std::to_string(i) + " on line " + std::to_string(got.nLine));
        EXPECT_EQ(got.bRapid, want.bRapid);
        EXPECT_EQ(got.segment.IsArc(), want.bArc);
        EXPECT_NEAR(got.segment.ptEnd.dZ / 10000, want.dZ, kToleranceMm);
        EXPECT_NEAR(got.segment.ptEnd.dX / 10000, want.dX, kToleranceMm);
        if (want.bArc) {
            EXPECT_EQ(got.segment.nDirection, want.nRotation);
            EXPECT_NEAR(got.segment.ptCentre.dZ / 10000, want.dCentreZ, kToleranceMm);
            EXPECT_NEAR(got.segment.ptCentre.dX / 10000, want.dCentreX, kToleranceMm);
        }
    }
}

// Drawings of 100 mm at about 20 mm radius.
std::unique_ptr<CLayer> StepsLayer() {
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 200000, 1000000);
    layer->AddLine(0, 200000, 1000000, 200000);
    layer->AddPiece(std::make_unique<CLinear>(200000, 150000, 400000, 150000), 0);
    layer->AddPiece(std::make_unique<CLinear>(400000, 250000, 600000, 250000), 0);
    layer->AddPiece(std::make_unique<CLinear>(600000, 220000, 1000000, 180000), 0);
    return layer;
}

std::unique_ptr<CLayer> DoubleArcLayer() {
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 200000, 1000000);
    layer->AddLine(0, 200000, 1000000, 200000);
    layer->AddPiece(std::make_unique<CDoubleArc>(CPoint(300000, 200000), CPoint(500000, 240000),
                                                 CPoint(700000, 200000), CPoint(300000, 230000)),
                    0);
    return layer;
}

// Every walking command (one with a "layer" parameter) of every LinuxCNC sample post, in both
// directions, on one drawing.
class LinuxCncSamples : public ::testing::Test {
protected:
    void SetUp() override {
        if (!rs274::Installed()) {
            GTEST_SKIP() << rs274::SkipMessage();
        }
        m_list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
    }

    void CheckDrawing(std::unique_ptr<CLayer> layer) {
        m_context.m_layers.clear();
        m_context.m_layers.push_back(std::move(layer));
        int posts = 0;
        for (const auto& pp : m_list.GetPreProcesors()) {
            if (pp->GetName().rfind("LinuxCNC", 0) == 0) {
                ++posts;
                SCOPED_TRACE(pp->GetName());
                ExpectSameMoves(Compile(pp->GetName()));
            }
        }
        EXPECT_GT(posts, 0);
    }

    std::string Compile(const std::string& post) {
        CProgram* program = m_list.NewProgram(m_bar, m_form);
        program->SetPostProcessor(post, m_bar);
        const auto& names = m_bar.GetEntries(IDC_PROG_TEMPLATES);
        for (size_t row = 0; row < names.size(); ++row) {
            program->StartCommand(m_form, static_cast<int>(row));
            CCommand* command = program->GetCurrent();
            // Passes for a tool's nose follow the nose, not the drawn profile; the post-processor
            // tests prove them.
            if (!command->FindParameter("layer") || names[row].find(", compensated") != std::string::npos ||
                names[row].find(", by the control") != std::string::npos) {
                continue;
            }
            // Approach from beyond the end the command starts at; a left-to-right pass starts
            // at the left border, whatever its name.
            const bool back = command->GetName().find("right to left") != std::string::npos;
            Type(*command, "AppZ", back ? "105" : "-5");
            Type(*command, "AppX", "30");
            Type(*command, "RetX", "30");
            Type(*command, "Feed", "100");
            EXPECT_EQ(program->AddCommand(&m_context.m_messages), 1) << names[row];
        }
        EXPECT_GT(program->GetCommands().size(), 1u);
        EXPECT_EQ(program->Generate(m_context), 1);
        EXPECT_TRUE(m_context.m_messages.GetBoxes().empty());
        return program->GetCode();
    }

    static void Type(CCommand& command, const std::string& key, const std::string& text) {
        if (CParameter* p = command.FindParameter(key)) {
            p->GetEdit()->SetText(text);
        }
    }

    CProgramList m_list;
    CMemoryControlBar m_bar;
    CMemoryForm m_form;
    posttest::CTestContext m_context;
};

}  // namespace

TEST_F(LinuxCncSamples, LinesAndStepsInBothDirections) {
    CheckDrawing(StepsLayer());
}

TEST_F(LinuxCncSamples, UpperAndLowerArcs) {
    CheckDrawing(posttest::SampleLayer());
}

TEST_F(LinuxCncSamples, DoubleArcs) {
    CheckDrawing(DoubleArcLayer());
}

TEST(Rs274Comparison, HandWrittenProgramsInEveryMode) {
    if (!rs274::Installed()) {
        GTEST_SKIP() << rs274::SkipMessage();
    }
    // Diameter mode with absolute and incremental centres.
    ExpectSameMoves(
        "G18 G21 G90 G90.1 G7\nG0 X20 Z0\nG2 X30 Z-10 I2.5 K-10 F100\nG91.1\n"
        "G3 X40 Z-15 I5 K0\nG8 G1 X30\nM2\n");
    // R arcs of both signs and directions, incremental positions, inches.
    ExpectSameMoves(
        "G18 G21 G90 G8\nG0 X10 Z0\nG2 X10 Z-10 R8 F100\nG2 X10 Z-20 R-8\nG3 X10 Z-30 R8\n"
        "G3 X10 Z-40 R-8\nG91 G1 X1 Z-1\nG2 X0 Z-10 R5\nG90 G20 G1 X1 Z-3\n"
        "G2 X1 Z-4 I0.5 K-0.5\nG3 X1 Z-3 I0 K0.5\nM2\n");
    // Framing, block numbers and comments as the posts write them.
    ExpectSameMoves(
        "%\n(O10 sample)\nN10 G18 G21 G90 G90.1 G8 G94\nN20 G0 X25 Z-5 (approach)\n"
        "N30 G1 X20 Z0 F120\nN40 G2 X20 Z10 I15 K5\nN50 G0 X30\nN60 M30\n%\n");
}
