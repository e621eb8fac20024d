// The deviation check: worked examples, deliberately wrong post files caught at their line, and
// the profile distance against a plain search over every segment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <utility>

#include "../postprocessor/PostTestUtil.h"
#include "platform/MemoryControlBar.h"
#include "platform/MemoryForm.h"
#include "platform/ProgramWindowIds.h"
#include "postprocessor/Program.h"
#include "postprocessor/ProgramDocument.h"
#include "postprocessor/ProgramList.h"
#include "toolpath/DeviationCheck.h"
#include "toolpath/MoveDeviation.h"
#include "toolpath/NcReader.h"
#include "toolpath/ProgramToolpath.h"

namespace {

// A flat profile at X 20 mm from Z 0 to Z 100 mm.
CProfileShape Flat() {
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 200000, 1000000);
    layer->AddLine(0, 200000, 1000000, 200000);
    return CProfileShape::FromLayer(*layer);
}

CDeviationResult Check(const std::string& nc, const CProfileShape& profile, double tolerance = 0.01) {
    return CDeviationCheck::Run(CNcReader().Read(nc), profile, tolerance);
}

// The line of text (from 1) holding the first occurrence of what.
int LineOf(const std::string& text, const std::string& what) {
    const size_t at = text.find(what);
    return at == std::string::npos ? 0
                                   : static_cast<int>(std::count(text.begin(), text.begin() + at, '\n')) + 1;
}

}  // namespace

TEST(DeviationCheck, WorkedExampleAndItsSummary) {
    const CDeviationResult r =
        Check("G0 X30 Z-5\nG1 X20 Z0 F100\nN150 G1 X20.0004 Z50\nG1 X20 Z100\nG1 X30 Z120\n", Flat());
    ASSERT_TRUE(r.bMeasured);
    EXPECT_NEAR(r.dLargestMm, 0.0004, 1e-9);
    EXPECT_NEAR(r.ptAt.dZ, 500000, 1e-6);
    EXPECT_EQ(r.nLine, 3);
    EXPECT_EQ(r.Summary(), "largest deviation 0.0004 mm at Z 50.000 X 20.000, line N150");
    EXPECT_FALSE(r.Exceeds());
    EXPECT_TRUE(r.uncovered.empty());
    // The approach and the exit lie outside the profile's span, and so do the end faces.
    EXPECT_EQ(Check("G0 X40 Z-50\nG1 X20 Z0\nG1 X20 Z100\nG1 X40 Z150\n", Flat()).dLargestMm, 0.0);
}

TEST(DeviationCheck, UncoveredPartsAndNothingToMeasure) {
    const CDeviationResult r =
        Check("G1 X20 Z0 F100\nG1 X20 Z40\nG0 X30\nG0 Z70\nG1 X20\nG1 X20 Z100\n", Flat());
    ASSERT_EQ(r.uncovered.size(), 1u);
    EXPECT_NEAR(r.uncovered[0].first, 400000, CDeviationCheck::kSampleStep);
    EXPECT_NEAR(r.uncovered[0].second, 700000, CDeviationCheck::kSampleStep);
    // Line 5 enters the profile from the rapid's end: only where it ends is measured.
    EXPECT_NEAR(r.dLargestMm, 0.0, 1e-9);
    const CDeviationResult none = Check("G0 X20 Z0\nG0 Z100\n", Flat());
    EXPECT_FALSE(none.bMeasured);
    EXPECT_TRUE(none.Exceeds());
    EXPECT_EQ(none.Summary(), "no feed move runs over the profile");
}

// The feed move from the approach point onto the part's face is the simulation's business; the
// same plunge after a feed move, or an entry that ends off the profile, is measured.
TEST(DeviationCheck, OnlyTheEntryFromTheApproachPointGoesUnmeasured) {
    const CDeviationResult entry = Check("G0 X45 Z5\nG1 X20 Z10 F100\nG1 X20 Z100\nG0 X45\n", Flat());
    EXPECT_TRUE(entry.bMeasured);
    EXPECT_NEAR(entry.dLargestMm, 0.0, 1e-9) << entry.Summary();
    const CDeviationResult plunge =
        Check("G0 X20 Z0\nG1 X20 Z10 F100\nN30 G1 X30\nG1 X20\nG1 Z100\n", Flat());
    EXPECT_NEAR(plunge.dLargestMm, 10.0, 1e-4);
    EXPECT_EQ(plunge.strBlock, "N30");
    const CDeviationResult wrongEnd = Check("G0 X45 Z5\nG1 X21 Z10 F100\nG1 X20 Z100\n", Flat());
    EXPECT_NEAR(wrongEnd.dLargestMm, 1.0, 1e-4);
    EXPECT_EQ(wrongEnd.nLine, 2);
}

// A move of 2 * 10^9 mm crossing the profile is measured where it runs over the span, in a
// bounded number of steps, exactly as a short piece of it would be.
TEST(DeviationCheck, AMovesLengthChangesNeitherTheResultNorTheWork) {
    const CProfileShape profile = Flat();
    for (const double reach : {1e5, 1e9, 1e13}) {
        CToolpath path;
        CToolMove move;
        // From (Z -reach, X 20) to (Z 100 + reach, X 22): about 1 mm above the profile mid-span.
        move.segment = CPathSegment::Line({-reach, 200000}, {1000000 + reach, 220000});
        move.nLine = 1;
        path.moves.push_back(move);
        // A feed move before it, so that it is measured in full rather than as an entry.
        CToolMove before = move;
        before.segment = CPathSegment::Line({-reach, 200000}, {-reach, 200000});
        path.moves.insert(path.moves.begin(), before);
        const CDeviationResult r = CDeviationCheck::Run(path, profile, 0.01);
        ASSERT_TRUE(r.bMeasured) << reach;
        const double slope = 20000.0 / (1000000 + 2 * reach);
        const double expected = (1000000 - 0.5 + reach) * slope;
        EXPECT_NEAR(r.dLargestMm * 10000, expected, CDeviationCheck::kPrecision + 1e-6) << reach;
    }
}

// The bounded search finds the largest distance of random lines and arcs to a random profile
// that dense sampling finds, never less than it and never more than its own precision above it.
TEST(MoveDeviationProperty, EqualsDenseSampling) {
    std::mt19937 rng(23);
    std::uniform_real_distribution<double> z(-100000, 1100000);
    std::uniform_real_distribution<double> x(100000, 300000);
    auto layer = std::make_unique<CLayer>();
    layer->CreateBorders(0, 200000, 1000000);
    layer->AddLine(0, 200000, 1000000, 200000);
    layer->AddPiece(std::make_unique<CLinear>(200000, 150000, 400000, 150000), 0);
    layer->AddPiece(std::make_unique<CArc>(CPoint(400000, 150000), CPoint(600000, 150000), CPoint(500000, 200000)),
                    0);
    layer->AddPiece(std::make_unique<CLinear>(600000, 180000, 900000, 220000), 0);
    const CProfileShape profile = CProfileShape::FromLayer(*layer);
    for (int round = 0; round < 120; ++round) {
        const CPathPoint a{z(rng), x(rng)};
        const CPathPoint b{z(rng), x(rng)};
        CPathSegment move = CPathSegment::Line(a, b);
        if (round % 2) {
            // An arc from a to b about a centre on the perpendicular bisector.
            const double lift = std::uniform_real_distribution<double>(-2.0, 2.0)(rng);
            const CPathPoint c{(a.dZ + b.dZ) / 2 - lift * (b.dX - a.dX), (a.dX + b.dX) / 2 + lift * (b.dZ - a.dZ)};
            move = CPathSegment::Arc(a, b, c, round % 4 == 1 ? kDirClockwise : kDirCounterClockwise);
            move.nTurns = round % 6 == 5 ? 1 : 0;
        }
        double dense = -1;
        const int n = 20000;
        for (int k = 0; k <= n; ++k) {
            const CPathPoint p = move.PointAt(static_cast<double>(k) / n);
            if (profile.InSpan(p.dZ)) {
                dense = std::max(dense, profile.DistanceTo(p));
            }
        }
        const CMoveExtreme e = CMoveDeviation::Largest(move, profile, CDeviationCheck::kPrecision);
        const double step = move.Length() / n;
        ASSERT_EQ(e.bFound, dense >= 0) << "round " << round;
        if (e.bFound) {
            ASSERT_GE(e.dDistance, dense - CDeviationCheck::kPrecision - step) << "round " << round;
            ASSERT_LE(e.dDistance, dense + step) << "round " << round;
            ASSERT_NEAR(profile.DistanceTo(e.ptAt), e.dDistance, 1e-6);
        }
    }
}

TEST(DeviationCheck, ArcsAreMeasuredOnTheCircleNotItsChords) {
    // The upper arc of the sample profile, from (Z 30, X 15) to (Z 50, X 16) through (Z 40, X 21).
    const auto layer = posttest::SampleLayer();
    const CProfileShape profile = CProfileShape::FromLayer(*layer);
    const CPathSegment* arc = nullptr;
    for (const CPathSegment& s : profile.GetSegments()) {
        arc = s.IsArc() && !arc ? &s : arc;
    }
    ASSERT_NE(arc, nullptr);
    EXPECT_EQ(arc->nDirection, kDirClockwise);
    char nc[200];
    std::snprintf(nc, sizeof nc, "G0 X15 Z30\nG2 X16 Z50 I%.6f K%.6f F100\n",
                  (arc->ptCentre.dX - 150000) / 10000, (arc->ptCentre.dZ - 300000) / 10000);
    EXPECT_LT(Check(nc, profile).dLargestMm, 0.0001);
    // The chord instead stays up to the arc's height away.
    EXPECT_GT(Check("G0 X15 Z30\nG1 X16 Z50 F100\n", profile).dLargestMm, 4.0);
}

class DeviationOfPosts : public ::testing::Test {
protected:
    void SetUp() override {
        m_list.ReadPostIni(KESTROVEL_SOURCE_DIR "/tests/data/toolpath");
        m_context.m_layers.push_back(posttest::SampleLayer());
    }
    CDeviationResult Verify(const std::string& post) {
        CProgram* program = m_list.NewProgram(m_bar, m_form);
        program->SetPostProcessor(post, m_bar);
        program->StartCommand(m_form, 0);
        EXPECT_EQ(program->AddCommand(&m_context.m_messages), 1);
        EXPECT_EQ(program->Generate(m_context), 1);
        m_strCode = program->GetCode();
        EXPECT_EQ(CProgramToolpath::WalkedLayers(*program), std::vector<int>{0});
        return CDeviationCheck::Run(CProgramToolpath::Read(*program),
                                    CProfileShape::FromLayer(*m_context.m_layers[0]), 0.01);
    }
    CProgramList m_list;
    CMemoryControlBar m_bar;
    CMemoryForm m_form;
    posttest::CTestContext m_context;
    std::string m_strCode;
};

TEST_F(DeviationOfPosts, TheRightPostFollowsTheProfile) {
    const CDeviationResult r = Verify("Right lathe");
    EXPECT_TRUE(r.bMeasured);
    EXPECT_LT(r.dLargestMm, 0.0005) << r.Summary() << "\n" << m_strCode;
    EXPECT_TRUE(r.uncovered.empty());
}

TEST_F(DeviationOfPosts, SwappedArcDirectionsAreCaughtAtTheArcStrayingFurthest) {
    const CDeviationResult r = Verify("Swapped arcs");
    EXPECT_TRUE(r.Exceeds());
    EXPECT_GT(r.dLargestMm, 1.0);
    // Both arcs run the long way round their circles; the lower one, now written G2, rises
    // furthest from the profile.
    EXPECT_EQ(r.nLine, LineOf(m_strCode, " G2 ")) << m_strCode;
    EXPECT_EQ(r.strBlock.substr(0, 1), "N");
    EXPECT_FALSE(r.uncovered.empty());
}

TEST_F(DeviationOfPosts, AWrongSignIsCaughtOnItsLine) {
    const CDeviationResult r = Verify("Wrong sign");
    EXPECT_TRUE(r.Exceeds());
    EXPECT_NE(m_strCode.find("X-20.0000"), std::string::npos) << m_strCode;
    // The first line along the profile, at X -20 instead of 20, stands 40 mm off it.
    EXPECT_EQ(r.nLine, LineOf(m_strCode, "G1 X-20.0000 Z20.0000"));
    EXPECT_NEAR(r.dLargestMm, 40.0, 5.0);
}

// The indexed search of the profile finds the same nearest distance as trying every segment.
TEST(ProfileShapeProperty, IndexedDistanceEqualsTheFullSearch) {
    std::mt19937 rng(15);
    std::uniform_int_distribution<int32_t> z(0, 1000000);
    std::uniform_int_distribution<int32_t> x(20000, 400000);
    for (int round = 0; round < 40; ++round) {
        CLayer layer;
        layer.CreateBorders(0, 200000, 1000000);
        layer.AddLine(0, 200000, 1000000, 200000);
        for (int k = 0; k < 8; ++k) {
            int32_t a = z(rng), b = z(rng);
            if (b - a < 20000) {
                continue;
            }
            if (k % 2) {
                layer.AddPiece(std::make_unique<CLinear>(a, x(rng), b, x(rng)), 0);
            } else {
                layer.AddPiece(
                    std::make_unique<CArc>(CPoint(a, x(rng)), CPoint(b, x(rng)), CPoint((a + b) / 2, x(rng))),
                    0);
            }
        }
        const CProfileShape profile = CProfileShape::FromLayer(layer);
        for (int k = 0; k < 100; ++k) {
            const CPathPoint p{static_cast<double>(z(rng)) * 1.2 - 100000, static_cast<double>(x(rng))};
            double full = std::numeric_limits<double>::max();
            for (const CPathSegment& s : profile.GetSegments()) {
                full = std::min(full, s.DistanceTo(p));
            }
            ASSERT_NEAR(profile.DistanceTo(p), full, 1e-6)
                << "round " << round << " point " << p.dZ << " " << p.dX;
        }
    }
}

// Every pass along a layer of every sample post-processor, each direction approached from
// beyond its start, follows the sample drawing's profile exactly.
TEST(DeviationOfSamplePosts, EveryPassFollowsTheSampleDrawing) {
    posttest::CSampleDrawing sample;
    ASSERT_NE(sample.m_pDoc, nullptr) << sample.m_strError;
    CDocumentContext context(*sample.m_pDoc);
    CProgramList list(&sample.m_messages);
    list.ReadPostIni(KESTROVEL_SOURCE_DIR "/examples");
    CMemoryControlBar bar;
    CMemoryForm form;
    const CProfileShape profile = CProfileShape::FromLayer(*sample.m_pDoc->GetLayer(0));
    int passes = 0;
    for (const auto& pp : list.GetPreProcesors()) {
        CProgram* program = list.NewProgram(bar, form);
        program->SetPostProcessor(pp->GetName(), bar);
        const auto names = bar.GetEntries(IDC_PROG_TEMPLATES);
        for (size_t row = 0; row < names.size(); ++row) {
            program->StartCommand(form, static_cast<int>(row));
            CCommand* command = program->GetCurrent();
            // Passes for a tool's nose follow the nose, not the drawn profile, and the roughing
            // cycle roughs; the post-processor tests prove them.
            if (!command->FindParameter("layer") || names[row].find(", compensated") != std::string::npos ||
                names[row].find(", by the control") != std::string::npos || names[row].rfind("Rough cycle", 0) == 0) {
                continue;
            }
            const bool back = names[row].find("right to left") != std::string::npos;
            for (const auto& [key, text] : {std::pair<const char*, const char*>{"AppZ", back ? "125" : "-2"},
                                            {"AppX", "40"},
                                            {"RetX", "45"},
                                            {"Feed", "100"}}) {
                if (CParameter* p = command->FindParameter(key)) {
                    p->GetEdit()->SetText(text);
                }
            }
            ASSERT_EQ(program->AddCommand(&sample.m_messages), 1) << names[row];
            ++passes;
        }
        ASSERT_EQ(program->Generate(context), 1) << pp->GetName();
        const CDeviationResult r = CDeviationCheck::Run(CProgramToolpath::Read(*program), profile, 0.0005);
        EXPECT_TRUE(r.bMeasured) << pp->GetName();
        EXPECT_FALSE(r.Exceeds()) << pp->GetName() << ": " << r.Summary() << "\n" << program->GetCode();
    }
    EXPECT_GE(passes, 8);
    EXPECT_TRUE(sample.m_messages.GetBoxes().empty());
}
