// Nose-radius compensation two ways, proven equal by LinuxCNC's interpreter: the tip-point path
// the post-processor computes ("COMP") and the profile the control offsets (G41.1/G42.1 "CTRL").
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/ProgramList.h"
#include "PostTestUtil.h"
#include "Rs274Moves.h"

namespace fs = std::filesystem;
using rs274::CMove;

namespace {

constexpr int32_t kMm = 10000;

CPoint P(double z, double x) { return CPoint(static_cast<int32_t>(std::lround(z * kMm)), static_cast<int32_t>(std::lround(x * kMm))); }

// A 100 mm profile that starts and ends at radius 15 mm; build adds what lies between.
std::unique_ptr<CLayer> Profile(const std::function<void(CLayer&)>& build) {
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 15 * kMm, 100 * kMm);
    layer->AddLine(0, 15 * kMm, 100 * kMm, 15 * kMm);
    build(*layer);
    return layer;
}

void AddLine(CLayer& layer, double z1, double x1, double z2, double x2) {
    layer.AddPiece(std::make_unique<CLinear>(P(z1, x1).x, P(z1, x1).y, P(z2, x2).x, P(z2, x2).y), 0);
}

// A collar 5 mm high between two chamfers at the angle (degrees from the axis).
std::unique_ptr<CLayer> Chamfers(double degrees) {
    return Profile([degrees](CLayer& layer) {
        const double run = 5.0 / std::tan(degrees * M_PI / 180.0);
        AddLine(layer, 30, 15, 30 + run, 20);
        AddLine(layer, 30 + run, 20, 60, 20);
        AddLine(layer, 60, 20, 60 + run, 15);
    });
}

// An arc of the radius rising 5 mm (or the whole half circle when smaller) above the cylinder at
// Z 30, or sunk into it.
std::unique_ptr<CLayer> Bump(double radius, bool convex) {
    return Profile([radius, convex](CLayer& layer) {
        const double sag = std::min(radius, 5.0);
        const double chord = 2.0 * std::sqrt(radius * radius - (radius - sag) * (radius - sag));
        const double mid = convex ? 15 + sag : 15 - sag;
        layer.AddPiece(std::make_unique<CArc>(P(30, 15), P(30 + chord, 15), P(30 + chord / 2, mid)), 0);
    });
}

// A collar with square steps up and down.
std::unique_ptr<CLayer> Step() {
    return Profile([](CLayer& layer) { AddLine(layer, 40, 20, 70, 20); });
}

// A ball of radius 10 mm on a neck at radius 15 mm.
std::unique_ptr<CLayer> Ball() {
    return Profile([](CLayer& layer) {
        AddLine(layer, 40, 15, 42, 15);
        layer.AddPiece(std::make_unique<CArc>(P(42, 15), P(62, 15), P(52, 25)), 0);
    });
}

class CompensationRs274 : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(rs274::kPath)) {
            GTEST_SKIP() << "rs274 (Debian package linuxcnc-uspace) is not installed";
        }
        m_dir = fs::temp_directory_path() / ("kestrovel_comp_" + std::to_string(::getpid()));
        fs::create_directories(m_dir);
        std::ofstream(m_dir / "tool.tbl") << "T1 P1 X0 Z0 D0.8 Q2\nT2 P2 X0 Z0 D0.4 Q2\nT3 P3 X0 Z0 D1.6 Q2\n"
                                              "T4 P4 X0 Z0 D6 Q9\n";
        m_list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
    }
    void TearDown() override {
        if (!m_dir.empty()) {
            fs::remove_all(m_dir);
        }
    }
    // Compiles one finishing pass of tool over the layer and interprets it.
    std::vector<CMove> Moves(const std::string& pass, int tool, bool forward, std::string& code,
                             const std::string& allowance = "") {
        CProgram* program = m_list.NewProgram(m_bar, m_form);
        program->SetPostProcessor("LinuxCNC lathe", m_bar);
        CPreProcesor* pp = m_list.FindPreProcesor("LinuxCNC lathe");
        pp->m_strOutputPath = (m_dir / "out.ngc").string();
        const auto add = [&](const std::string& name, const std::vector<std::string>& texts) {
            const auto& names = m_bar.GetEntries(IDC_PROG_TEMPLATES);
            const auto it = std::find(names.begin(), names.end(), name);
            ASSERT_NE(it, names.end()) << name;
            program->StartCommand(m_form, static_cast<int>(it - names.begin()));
            const auto& params = program->GetCurrent()->GetParameters();
            for (size_t i = 0; i < texts.size(); ++i) {
                params[i]->GetEdit()->SetText(texts[i]);
            }
            ASSERT_EQ(program->AddCommand(&m_context.m_messages), 1) << name;
        };
        add("Tool change", {std::to_string(tool)});
        add("Feed rate", {"120"});
        std::vector<std::string> values{"1", "30", forward ? "-10" : "110", "35", ""};
        if (!allowance.empty()) {
            values.insert(values.end() - 1, allowance);
        }
        add(pass, values);
        EXPECT_EQ(program->Compile(nullptr, m_context), 1);
        code = program->GetCode();
        EXPECT_TRUE(m_context.m_messages.GetBoxes().empty()) << code;
        std::string log;
        EXPECT_EQ(rs274::Run((m_dir / "tool.tbl").string(), (m_dir / "out.ngc").string(),
                             (m_dir / "canon.txt").string(), log),
                  0)
            << log << code;
        return rs274::FeedMoves((m_dir / "canon.txt").string());
    }

    fs::path m_dir;
    CProgramList m_list;
    CMemoryControlBar m_bar;
    CMemoryForm m_form;
    posttest::CTestContext m_context;
};

TEST_F(CompensationRs274, ComputedPathEqualsTheControlsOffset) {
    // Each drawing with the nose radius that no longer fits it (0: any fits).
    struct CDrawing {
        std::string strName;
        std::unique_ptr<CLayer> pLayer;
        double dTooLarge = 0.0;
    };
    std::vector<CDrawing> drawings;
    for (const double angle : {30.0, 45.0, 60.0}) {
        drawings.push_back({"chamfer " + std::to_string(angle), Chamfers(angle)});
    }
    for (const double radius : {2.0, 10.0, 50.0}) {
        drawings.push_back({"convex arc " + std::to_string(radius), Bump(radius, true)});
        drawings.push_back({"concave arc " + std::to_string(radius), Bump(radius, false), radius});
    }
    drawings.push_back({"step", Step()});
    // The round insert can't reach the neck beside the ball (the control refuses it as well).
    drawings.push_back({"ball", Ball(), 3.0});
    // The sample library's finishing tool (0.4 mm, tip 2) and round insert (3 mm, centre 9).
    const std::vector<std::pair<int, double>> tools{{1, 0.4}, {4, 3.0}};
    for (CDrawing& drawing : drawings) {
        const std::string& name = drawing.strName;
        m_context.m_layers.clear();
        m_context.m_layers.push_back(std::move(drawing.pLayer));
        for (const auto& [tool, radius] : tools) {
            if (drawing.dTooLarge > 0.0 && radius >= drawing.dTooLarge) {
                continue;
            }
            for (const bool forward : {true, false}) {
                SCOPED_TRACE(name + ", tool " + std::to_string(tool) + (forward ? ", left to right" : ", right to left"));
                std::string computedCode;
                std::string controlCode;
                const auto computed = Moves(forward ? "Finish left to right, compensated" : "Finish right to left, compensated",
                                            tool, forward, computedCode);
                const auto control = Moves(forward ? "Finish left to right, by the control" : "Finish right to left, by the control",
                                           tool, forward, controlCode);
                // The entry moves differ: the control starts compensating on its own way there.
                ASSERT_EQ(computed.size(), control.size()) << computedCode << controlCode;
                ASSERT_GT(computed.size(), 3u);
                for (size_t k = 1; k < computed.size(); ++k) {
                    SCOPED_TRACE("move " + std::to_string(k));
                    const CMove& a = computed[k];
                    const CMove& b = control[k];
                    ASSERT_EQ(a.bArc, b.bArc) << computedCode << controlCode;
                    EXPECT_NEAR(a.dZ, b.dZ, 0.001);
                    EXPECT_NEAR(a.dX, b.dX, 0.001);
                    if (a.bArc) {
                        EXPECT_NEAR(a.dCentreZ, b.dCentreZ, 0.001);
                        EXPECT_NEAR(a.dCentreX, b.dCentreX, 0.001);
                        EXPECT_EQ(a.nRotation, b.nRotation);
                    }
                }
            }
        }
    }
}

// A roughing pass of the round insert (centre programmed) keeps its centre the nose radius plus
// the allowance from the ball, as the interpreter runs it.
TEST_F(CompensationRs274, RoughingPassKeepsTheAllowanceOffTheProfile) {
    m_context.m_layers.clear();
    m_context.m_layers.push_back(Ball());
    std::string code;
    const auto moves = Moves("Rough right to left, compensated", 4, false, code, "0.5");
    int onBall = 0;
    for (const CMove& m : moves) {
        if (m.bArc && std::fabs(m.dCentreZ - 52) < 1e-6 && std::fabs(m.dCentreX - 15) < 1e-6) {
            EXPECT_NEAR(std::hypot(m.dZ - 52, m.dX - 15), 13.5, 0.0005) << code;
            ++onBall;
        }
    }
    EXPECT_EQ(onBall, 1) << code;
}

}  // namespace
