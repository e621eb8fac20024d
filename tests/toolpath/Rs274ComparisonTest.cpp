// The reader's moves against LinuxCNC's rs274 interpreter: sample post output and hand-written
// programs in every mode the posts use, equal within 0.0005 mm.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

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

void ExpectSameMoves(const std::string& mine, const std::string& theirs);

void ExpectSameMoves(const std::string& text) {
    ExpectSameMoves(text, text);
}

// Reads mine and gives rs274 theirs: the same program in the words each understands.
void ExpectSameMoves(const std::string& mine, const std::string& theirs) {
    const std::string& text = theirs;
    const rs274::CRun run = rs274::Run(theirs);
    ASSERT_EQ(run.nExit, 0) << run.strLog << "\n" << text;
    const CToolpath path = CNcReader().Read(mine);
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
            EXPECT_EQ(got.segment.nDirection * (got.segment.nTurns + 1), want.nRotation);
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
            // Passes for a tool's nose follow the nose, not the drawn profile, and the roughing
            // cycle roughs; the post-processor tests prove them.
            if (!command->FindParameter("layer") || names[row].find(", compensated") != std::string::npos ||
                names[row].find(", by the control") != std::string::npos || names[row].rfind("Rough cycle", 0) == 0) {
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

class Rs274Controller : public ::testing::Test {
protected:
    void SetUp() override {
        if (!rs274::Installed()) {
            GTEST_SKIP() << rs274::SkipMessage();
        }
    }
    // The controller refuses the program and the reader notes an error on the line.
    static void ExpectBothRefuse(const std::string& text, int line) {
        const rs274::CRun run = rs274::Run(text);
        EXPECT_NE(run.nExit, 0) << text;
        const CToolpath path = CNcReader().Read(text);
        EXPECT_TRUE(std::any_of(path.errors.begin(), path.errors.end(),
                                [&](const CNcNote& n) { return n.nLine == line; }))
            << text;
    }
};

TEST_F(Rs274Controller, ReferenceReturnsGoHome) {
    ExpectSameMoves("G18 G21 G90 G8 F100\nG0 X10 Z5\nG28\nG0 X10 Z5\nG28 X20\nG30 Z7\nG1 X3 Z3\nM2\n");
    // The ISO lathes' "G28 U0 W0": home in both axes through the point the tool stands at.
    ExpectSameMoves("G18 G21 G90 G8\nG0 X10 Z5\nG28 U0 W0\nG0 X4\nM2\n",
                    "G18 G21 G90 G8\nG0 X10 Z5\nG91 G28 X0 Z0\nG90\nG0 X4\nM2\n");
}

TEST_F(Rs274Controller, OffsetsAndMachineCoordinates) {
    const std::string program =
        "G18 G21 G90 G8\nG0 X10 Z5\nG92 X0 Z0\nG0 X1 Z1\nG92.1\nG0 X1 Z1\nG10 L2 P1 X5 Z6\n"
        "G0 X1 Z1\nG10 L20 P2 X0 Z0\nG55\nG0 X1 Z1\nG53 G0 X1 Z1\nG0 X2 Z2\nG54 G0 X2 Z2\n"
        "G10 L2 P0 Z-3\nG0 X2 Z2\nG59 G0 X1\nG54\nG92 Z4\nG0 X3 Z3\nM2\n";
    ExpectSameMoves(program);
    // In diameter mode X, and the X of every offset, is a diameter.
    ExpectSameMoves("G18 G21 G90 G7" + program.substr(program.find("G8") + 2));
    // G50 X Z sets the point as the ISO lathes' G92 does.
    const std::string iso = "G18 G21 G90 G8\nG0 X10 Z5\nG50 X0 Z0\nG0 X1 Z1\nG50 Z2\nG0 X2 Z2\nM2\n";
    std::string linuxcnc = iso;
    for (size_t at; (at = linuxcnc.find("G50")) != std::string::npos;) {
        linuxcnc.replace(at, 3, "G92");
    }
    ExpectSameMoves(iso, linuxcnc);
}

TEST_F(Rs274Controller, FullCirclesAndTurns) {
    ExpectSameMoves("G18 G21 G90 G8\nG0 X10 Z0\nG2 I0 K-5 F100\nG3 X10 Z-10 K-5 P3\nG2 I-2 P2\nM2\n");
}

TEST_F(Rs274Controller, BlocksTheControllerRefuses) {
    ExpectBothRefuse("G18 G21 G90 G8 F100\nG0 X10 Z0\nG0 G1 X5\nM2\n", 3);
    ExpectBothRefuse("G18 G21 G90 G8 F100\nG0 X10 Z0\nG90 G91 X5\nM2\n", 3);
    ExpectBothRefuse("G18 G21 G90 G8 F100\nG0 X10 Z0\nG2 X10 Z-10 R5 K-5\nM2\n", 3);
    ExpectBothRefuse("G18 G21 G90 G8 F100\nG0 X10 Z0\nG1 X5 I2\nM2\n", 3);
    ExpectBothRefuse("G18 G21 G90 G8\nG0 X10 Z0\nG1 X5\nM2\n", 3);
    ExpectBothRefuse("G18 G21 G90 G8\nG0 X10 Z0\nG2 X10 Z-10 K-5\nM2\n", 3);
}

TEST_F(Rs274Controller, AnEndCodeAmongOtherWordsEndsTheProgram) {
    ExpectSameMoves("G18 G21 G90 G8\nG0 X10 Z0\nM5 M30\nG0 X99\n");
    ExpectSameMoves("G18 G21 G90 G8\nG0 X10 Z0\nM9 M2\nG0 X99\n");
}

// Whether an arc whose end lies off its circle runs is decided as the controller decides it.
TEST_F(Rs274Controller, ArcRadiusDifferencesAsTheControllerAcceptsThem) {
    struct CCase {
        const char* units;
        double radius;
        double off;
    };
    for (const CCase c : {CCase{"G21", 5, 0.028}, {"G21", 5, 0.029}, {"G21", 50, 0.049}, {"G21", 50, 0.051},
                          {"G21", 4000, 2.6}, {"G21", 4000, 3.5}, {"G20", 0.1, 0.0027}, {"G20", 0.1, 0.0029},
                          {"G20", 2.5, 0.0024}, {"G20", 2.5, 0.0026}}) {
        char text[160];
        std::snprintf(text, sizeof text, "G18 %s G90 G8\nG0 X10 Z0\nG2 X10 Z%.5f K%.5f F100\nM2\n", c.units,
                      -2 * c.radius - c.off, -c.radius);
        const bool runs = rs274::Run(text).nExit == 0;
        EXPECT_EQ(CNcReader().Read(text).errors.empty(), runs) << text;
    }
}

TEST_F(Rs274Controller, ParametersAreErrorsAndSubroutinesRunWhereCalled) {
    ExpectSameMoves("G18 G21 G90 G8\no100 sub\nG0 X50 Z50\no100 endsub\nG0 X10 Z0\nM2\n");
    const CToolpath path =
        CNcReader().Read("G18 G21 G90 G8\n#<_depth> = 0.5\n#1 = [2 * 3]\no100 call\nG0 X10 Z0\nM2\n");
    ASSERT_EQ(path.errors.size(), 3u);
    EXPECT_EQ(path.errors[0].nLine, 2);
    EXPECT_NE(path.errors[0].strText.find("not previewed"), std::string::npos);
    EXPECT_EQ(path.errors[2].nLine, 4);
    EXPECT_EQ(path.moves.size(), 1u);
}

// Threading: the passes of G76 and the moves of G33 as the controller makes them, in radius and
// diameter mode, millimetres and inches, both ways along Z, outside and inside.
TEST_F(Rs274Controller, ThreadingCyclesExpandAsTheControllerRunsThem) {
    for (const char* cycle : {"G76 P1.5 Z-20 I-2 J0.4 K1",                   // constant depth
                              "G76 P1.5 Z-20 I-2 J0.2 K1 R2 H2",             // degression, spring
                              "G76 P1.5 Z-20 I-2 J0.2 K1 R1.5 Q29.5 E1 L3",  // compound, tapers
                              "G76 P2 Z-20 I-2 J0.3 K1.3 Q-30 E1.5 L1",      // entry taper
                              "G76 P1 Z-20 I-2 J0.3 K1 E1 L2 X20",           // exit taper, X after
                              "G76 P1.25 Z25 I2 J0.25 K0.8 Q30 H1",          // inside, towards +Z
                              "G7\nG76 P1.5 Z-20 I-4 J0.4 K2 E0.5 L3",       // diameters
                              // inches (on the grid rs274 prints inches to)
                              "G20\nG0 X0.5 Z0.1\nG76 P0.0625 Z-1 I-0.08 J0.01 K0.04 H1 E0.05 L3",
                              "G91\nG76 P1.5 Z-20 I-2 J0.5 K1 Q30",           // incremental Z
                              "G33 Z-20 K1.5\nG0 X14\nZ2\nX11.5\nG33 X12 Z-20 K1.5"}) {
        SCOPED_TRACE(cycle);
        ExpectSameMoves(std::string("G18 G21 G90 G8 S500 M3\nG0 X12 Z2\n") + cycle + "\nG90 G0 X30\nM2\n");
    }
    // Every cut of a cycle keeps the cycle's line and the pitch; rapids have none.
    const CToolpath path = CNcReader().Read("G0 X12 Z2\nN20 G76 P1.5 Z-20 I-2 J0.4 K1 E1 L3\n");
    ASSERT_EQ(path.moves.size(), 1u + 3 * 6 + 1);
    for (size_t i = 1; i < path.moves.size(); ++i) {
        EXPECT_EQ(path.moves[i].nLine, 2);
        EXPECT_EQ(path.moves[i].strBlock, "N20");
        EXPECT_EQ(path.moves[i].dLead, path.moves[i].bRapid ? 0.0 : 1.5);
    }
}

TEST_F(Rs274Controller, ThreadingBlocksTheControllerRefuses) {
    for (const char* cycle : {"G76 P1.5 Z-20 J0.5 K1", "G76 Z-20 I-2 J0.5 K1", "G76 P1.5 Z-20 I-2 J1.5 K1",
                              "G76 P1.5 Z-20 I-2 J0 K1", "G76 P1.5 Z-20 I0 J0.5 K1", "G76 P1.5 Z-20 I-2 J0.5 K1 H1.5",
                              "G76 P1.5 Z-20 I-2 J0.5 K1 L-1 E1", "G76 P1.5 I-2 J0.5 K1", "G0 G33 Z-5 K1",
                              "G33 Z-5", "G33 Z-5 K1 F100"}) {
        ExpectBothRefuse(std::string("G18 G21 G90 G8 S500 M3\nG0 X12 Z2\n") + cycle + "\nM2\n", 3);
    }
    // The motion stays G76: a block of axis words alone is a cycle without its words.
    ExpectBothRefuse("G18 G21 G90 G8 S500 M3\nG0 X12 Z2\nG76 P1.5 Z-20 I-2 J0.5 K1\nX30\nM2\n", 4);
}

// Random drive-line threads, outside and inside, both ways along Z, in radius and diameter mode:
// every move as the controller makes it.
TEST_F(Rs274Controller, RandomThreadsExpandAsTheControllerRunsThem) {
    std::mt19937 rng(76);
    auto pick = [&](double from, double to, double step) {
        return std::round(std::uniform_real_distribution<double>(from, to)(rng) / step) * step;
    };
    for (int i = 0; i < 20; ++i) {
        const double j = pick(0.05, 0.5, 0.001);
        const bool inside = i % 3 == 0;
        char text[300];
        std::snprintf(text, sizeof text,
                      "G18 G21 G90 G%d S500 M3\nG0 X%.3f Z%.3f\nG76 P%.3f Z%.3f I%.3f J%.3f K%.3f R%.2f Q%.1f H%d "
                      "E%.3f L%d\nG0 X40\nM2\n",
                      i % 2 ? 7 : 8, pick(10, 20, 0.001), pick(-5, 5, 0.001), pick(0.5, 3, 0.05),
                      pick(-40, 40, 0.001), (inside ? 1 : -1) * pick(0.5, 3, 0.001), j, j * pick(1.2, 5, 0.01),
                      pick(1, 3, 0.01), i % 4 ? pick(-45, 45, 0.1) : 0.0, i % 4, i % 5 ? pick(0, 2, 0.001) : 0.0,
                      i % 4);
        SCOPED_TRACE(text);
        ExpectSameMoves(text);
    }
}
