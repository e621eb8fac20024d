// The sample "LinuxCNC lathe" post-processor's output run through LinuxCNC's rs274 interpreter.
#include "Rs274Moves.h"
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "PostTestUtil.h"

namespace fs = std::filesystem;

namespace {

const char* kRs274 = rs274::kPath;
using rs274::CMove;
using rs274::FeedMoves;

// What a pass along the layer must do: every element's far end in the walk's direction.
std::vector<const CPiece*> Walk(CLayer& layer, int forward) {
    layer.ExpandCompound();
    layer.InsertStepLines(forward);
    std::vector<const CPiece*> pieces{layer.BeginWalk(forward)};
    while (const CPiece* p = layer.NextInWalk(forward)) {
        pieces.push_back(p);
    }
    pieces.push_back(layer.GetWalkEndBorder(forward));
    return pieces;
}

class LinuxCncSample : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kRs274)) {
            GTEST_SKIP() << "rs274 (Debian package linuxcnc-uspace) is not installed; the LinuxCNC check is skipped";
        }
        m_dir = fs::temp_directory_path() / ("kestrovel_rs274_" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "tool.tbl") << "T1 P1 X0 Z0 D0.4 Q3 ;finishing\n";
        m_list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
        m_program = m_list.NewProgram(m_bar, m_form);
        UsePost("LinuxCNC lathe");
        m_context.m_layers.push_back(posttest::SampleLayer());
        auto raised = posttest::SampleLayer();
        raised->AddPiece(std::make_unique<CLinear>(0, 220000, 250000, 220000), 0);
        m_context.m_layers.push_back(std::move(raised));
    }
    void TearDown() override {
        if (!m_dir.empty()) {
            fs::remove_all(m_dir);
        }
    }
    // Binds the program to a sample post-processor whose output goes to the test folder.
    void UsePost(const std::string& name) {
        m_pp = m_list.FindPreProcesor(name);
        ASSERT_NE(m_pp, nullptr) << name;
        m_pp->m_strOutputPath = (m_dir / "out.ngc").string();
        m_program->SetPostProcessor(name, m_bar);
    }
    void Add(const std::string& name, const std::vector<std::string>& texts) {
        const auto& names = m_bar.GetEntries(IDC_PROG_TEMPLATES);
        const auto it = std::find(names.begin(), names.end(), name);
        ASSERT_NE(it, names.end()) << name;
        m_program->StartCommand(m_form, static_cast<int>(it - names.begin()));
        const auto& params = m_program->GetCurrent()->GetParameters();
        for (size_t i = 0; i < texts.size(); ++i) {
            params[i]->GetEdit()->SetText(texts[i]);
        }
        ASSERT_EQ(m_program->AddCommand(&m_context.m_messages), 1) << name;
    }
    // Compiles, runs rs274 and returns its feed moves; fails the test on any interpreter error.
    std::vector<CMove> Interpret() { return Interpret(m_context, m_context.m_messages); }
    std::vector<CMove> Interpret(CMacroContext& context, const CRecordingMessages& messages) {
        EXPECT_EQ(m_program->Compile(nullptr, context), 1);
        EXPECT_TRUE(messages.GetBoxes().empty());
        const std::string command = std::string(kRs274Serialized) + kRs274 + " -g -t " + (m_dir / "tool.tbl").string() + " " +
                                    (m_dir / "out.ngc").string() + " " + (m_dir / "canon.txt").string() +
                                    " < /dev/null > " + (m_dir / "log.txt").string() + " 2>&1";
        const int rc = std::system(command.c_str());
        std::ifstream log(m_dir / "log.txt");
        const std::string text((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
        EXPECT_EQ(rc, 0) << text << "\n" << m_program->GetCode();
        return FeedMoves((m_dir / "canon.txt").string());
    }
    void ExpectPass(const std::vector<CMove>& moves, size_t& at, int forward) {
        ExpectPass(moves, at, forward, m_context);
    }
    void ExpectPass(const std::vector<CMove>& moves, size_t& at, int forward, CMacroContext& context) {
        auto layer = context.CopyLayer(0);
        CPoint from = forward ? layer->GetLeftBorder()->GetStart() : layer->GetRightBorder()->GetEnd();
        for (const CPiece* p : Walk(*layer, forward)) {
            ASSERT_LT(at, moves.size());
            const CMove& m = moves[at++];
            const CPoint to = forward ? p->GetEnd() : p->GetStart();
            EXPECT_NEAR(m.dZ, to.x / 10000.0, 0.001);
            EXPECT_NEAR(m.dX, to.y / 10000.0, 0.001);
            const auto* arc = dynamic_cast<const CArc*>(p);
            ASSERT_EQ(m.bArc, arc != nullptr && !arc->IsStraight());
            if (m.bArc) {
                CheckArc(m, *arc, from, forward);
            }
            from = to;
        }
    }
    // Centre, and the side the interpreter's arc bulges to: its middle must lie on the element.
    static void CheckArc(const CMove& m, const CArc& arc, CPoint from, int forward) {
        EXPECT_NEAR(m.dCentreZ, arc.m_dCenterX / 10000.0, 0.001);
        EXPECT_NEAR(m.dCentreX, arc.m_dCenterY / 10000.0, 0.001);
        // Upper arcs traversed towards larger Z turn clockwise in this plane: G2.
        EXPECT_EQ(m.nRotation, (arc.GetObjectName() == "Ccw") == (forward == 1) ? -1 : 1);
        const double a0 = std::atan2(from.y / 10000.0 - m.dCentreX, from.x / 10000.0 - m.dCentreZ);
        double a1 = std::atan2(m.dX - m.dCentreX, m.dZ - m.dCentreZ);
        // Angles measured in the (Z, X) plane, counter-clockwise positive.
        if (m.nRotation > 0 && a1 < a0) {
            a1 += 2 * M_PI;
        }
        if (m.nRotation < 0 && a1 > a0) {
            a1 -= 2 * M_PI;
        }
        const double mid = (a0 + a1) / 2;
        const double r = std::hypot(m.dZ - m.dCentreZ, m.dX - m.dCentreX);
        const double z = m.dCentreZ + r * std::cos(mid);
        const double x = m.dCentreX + r * std::sin(mid);
        EXPECT_NEAR(x, arc.GetYAt(static_cast<int32_t>(std::lround(z * 10000))) / 10000.0, 0.001);
    }

    fs::path m_dir;
    CProgramList m_list;
    CPreProcesor* m_pp = nullptr;
    CProgram* m_program = nullptr;
    CMemoryControlBar m_bar;
    CMemoryForm m_form;
    posttest::CTestContext m_context;
};

}  // namespace

TEST_F(LinuxCncSample, FinishingPassesFollowTheProfile) {
    Add("Tool change", {"1"});
    Add("Spindle on", {"1500", "3"});
    Add("Feed rate", {"120"});
    Add("Rapid to point", {"30", "-60"});
    Add("Finish left to right", {"1", "25", "-55", "30", ""});
    Add("Finish right to left", {"1", "25", "105", "30", "80"});
    const std::vector<CMove> moves = Interpret();
    size_t at = 0;
    ExpectPass(moves, at, 1);
    ExpectPass(moves, at, 0);
    EXPECT_EQ(at, moves.size());
}

TEST_F(LinuxCncSample, RoughPassBetweenLayersIsAccepted) {
    Add("Tool change", {"1"});
    Add("Feed rate", {"200"});
    Add("Rough between layers", {"1", "2", "2.5", ""});
    const std::vector<CMove> moves = Interpret();
    ASSERT_GT(moves.size(), 10u);
    for (size_t i = 1; i < moves.size(); ++i) {
        EXPECT_FALSE(moves[i].bArc);
        EXPECT_GE(moves[i].dZ, moves[i - 1].dZ - 1e-9);  // a left-to-right pass
    }
    // Over the drawing the depths follow layer X (the first), not layer A, which stands at 22 mm
    // up to Z 25: within the half-millimetre corner cuts of a boundary, and arc points truncated
    // to whole millimetres.
    const auto layer = m_context.CopyLayer(0);
    int compared = 0;
    for (const CMove& m : moves) {
        const int32_t z = static_cast<int32_t>(std::lround(m.dZ * 10000));
        if (z < 0 || z > 1000000) {
            continue;
        }
        double low = 1e9;
        double high = -1e9;
        for (const int32_t at : {std::max(z - 5000, 0), z, std::min(z + 5000, 1000000)}) {
            const CPiece* piece = layer->FindAt(at);
            ASSERT_NE(piece, nullptr) << at;
            low = std::min(low, piece->GetYAt(at) / 10000.0);
            high = std::max(high, piece->GetYAt(at) / 10000.0);
        }
        EXPECT_GE(m.dX, low - 1.0) << "Z " << m.dZ;
        EXPECT_LE(m.dX, high + 0.001) << "Z " << m.dZ;
        ++compared;
    }
    EXPECT_GE(compared, 20);
}

// Arcs by end point and radius: the interpreter finds the same centres on the profile.
TEST_F(LinuxCncSample, RadiusWordsGiveTheSameArcs) {
    Add("Feed rate", {"120"});
    Add("Finish with R words", {"1", "25", "-55", "30", ""});
    Add("Finish left to right", {"1", "25", "-55", "30", ""});
    const std::vector<CMove> moves = Interpret();
    EXPECT_NE(m_program->GetCode().find(" R"), std::string::npos);
    size_t at = 0;
    ExpectPass(moves, at, 1);
    ExpectPass(moves, at, 1);
    EXPECT_EQ(at, moves.size());
}

// In diameter mode the X words are doubled and the interpreter halves them again; I and R stay
// radius values.
TEST_F(LinuxCncSample, DiameterPostFollowsTheProfile) {
    UsePost("LinuxCNC lathe (diameter)");
    Add("Feed rate", {"120"});
    Add("Rapid to point", {"30", "-60"});
    Add("Finish left to right", {"1", "25", "-55", "30", ""});
    Add("Finish right to left", {"1", "25", "105", "30", "80"});
    Add("Finish with R words", {"1", "25", "-55", "30", ""});
    const std::vector<CMove> moves = Interpret();
    EXPECT_NE(m_program->GetCode().find("G7"), std::string::npos);
    EXPECT_NE(m_program->GetCode().find("G0 X60.0000 Z-60.0000"), std::string::npos);
    size_t at = 0;
    ExpectPass(moves, at, 1);
    ExpectPass(moves, at, 0);
    ExpectPass(moves, at, 1);
    EXPECT_EQ(at, moves.size());
}

// Every command of both LinuxCNC samples on the sample drawing: accepted by the interpreter, and
// the finishing passes on its profile.
TEST_F(LinuxCncSample, SampleDrawingWithEveryCommand) {
    posttest::CSampleDrawing sample;
    ASSERT_NE(sample.m_pDoc, nullptr) << sample.m_strError;
    CRecordingMessages& messages = sample.m_messages;
    CDocumentContext context(*sample.m_pDoc);
    for (const char* post : {"LinuxCNC lathe", "LinuxCNC lathe (diameter)"}) {
        m_program = m_list.NewProgram(m_bar, m_form);
        UsePost(post);
        Add("Tool change", {"1"});
        Add("Spindle on", {"1200", "3"});
        Add("Coolant", {"8"});
        Add("Feed rate", {"150"});
        Add("Rapid to point", {"40", "5"});
        Add("Finish left to right", {"1", "35", "-5", "45", ""});
        Add("Finish right to left", {"1", "45", "175", "45", "100"});
        Add("Finish with R words", {"1", "35", "-5", "45", ""});
        Add("Rough between layers", {"1", "2", "0", ""});
        Add("Dwell", {"0.5"});
        Add("Spindle stop", {});
        const std::vector<CMove> moves = Interpret(context, messages);
        size_t at = 0;
        ExpectPass(moves, at, 1, context);
        ExpectPass(moves, at, 0, context);
        ExpectPass(moves, at, 1, context);
        EXPECT_GT(moves.size(), at + 10) << post;  // the rough pass
    }
}
