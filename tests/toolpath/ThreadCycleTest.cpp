// Threading read back: the two-block G76 pass by pass, G32, and the blocks the reader refuses to
// guess at (model units, 10000 = 1 mm).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "toolpath/NcReader.h"

namespace {

CToolpath ReadIso(const std::string& text) {
    CNcReaderSettings settings;
    settings.bDiameterMode = true;
    return CNcReader(settings).Read(text);
}

bool ErrorOn(const CToolpath& path, int line, const std::string& part) {
    return std::any_of(path.errors.begin(), path.errors.end(), [&](const CNcNote& n) {
        return n.nLine == line && n.strText.find(part) != std::string::npos;
    });
}

}  // namespace

// Height 0.92, first cut 0.3, smallest cut 0.1, allowance 0.05, two finishing passes.
TEST(FlankThread, PassDepthsGrowByTheRootOfTheirNumberDownToTheAllowance) {
    CFlankThread t;
    t.dHeight = 9200;
    t.dFirstCut = 3000;
    t.settings.dMinCut = 1000;
    t.settings.dAllowance = 500;
    t.settings.nFinishPasses = 2;
    const std::vector<double> depths = CNcThreadCycle::FlankDepths(t);
    const std::vector<double> want = {3000, 4242.6, 5242.6, 6242.6, 7242.6, 8242.6, 8700, 9200, 9200};
    ASSERT_EQ(depths.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_NEAR(depths[i], want[i], 0.1) << i;
    }
    // Without a smallest cut the root law alone decides: 0.3 times the root of n below 0.87.
    t.settings.dMinCut = 0;
    EXPECT_EQ(CNcThreadCycle::FlankDepths(t).size(), 8u + 1 + 2);
    // A first cut deeper than the thread cuts to the allowance at once.
    t.dFirstCut = 20000;
    EXPECT_EQ(CNcThreadCycle::FlankDepths(t), (std::vector<double>{8700, 9200, 9200}));
}

// Whatever the numbers: the depths grow by at least the smallest cut, the last rough pass leaves
// exactly the allowance, and the finishing passes reach the thread height.
TEST(FlankThreadProperty, DepthsGrowToTheAllowanceThenTheHeight) {
    std::mt19937 rng(32);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 0; i < 500; ++i) {
        CFlankThread t;
        t.dHeight = 2000 + 30000 * unit(rng);
        t.dFirstCut = t.dHeight * (0.04 + unit(rng));  // at most some 600 passes
        t.settings.dMinCut = i % 3 ? 800 * unit(rng) : 0.0;
        t.settings.dAllowance = i % 4 ? t.dHeight * 0.3 * unit(rng) : 0.0;
        t.settings.nFinishPasses = i % 5;
        const std::vector<double> d = CNcThreadCycle::FlankDepths(t);
        const size_t rough = d.size() - t.settings.nFinishPasses;
        ASSERT_GE(rough, 1u);
        EXPECT_EQ(d[rough - 1], t.dHeight - t.settings.dAllowance);
        for (size_t n = 1; n + 1 < rough; ++n) {
            EXPECT_GE(d[n] - d[n - 1], t.settings.dMinCut - 1e-9);
            EXPECT_GE(d[n], t.dFirstCut * std::sqrt(n + 1.0) - 1e-9);
        }
        for (size_t n = rough; n < d.size(); ++n) {
            EXPECT_EQ(d[n], t.dHeight);
        }
    }
}

TEST(FlankThread, TwoBlocksCutEachPassFromTheStartPointAndReturnToIt) {
    const CToolpath path = ReadIso(
        "G0 X30 Z5\nG76 P021060 Q100 R0.05\nN30 G76 X26.16 Z-20 P920 Q300 F1.5\nX32\n"
        "G76 U-3.84 W-25 P920 Q300\n");
    ASSERT_TRUE(path.errors.empty()) << path.errors[0].strText;
    const auto [first, count] = path.MovesOfLine(3);
    std::vector<const CToolMove*> cuts;
    for (size_t i = first; i < first + count; ++i) {
        const CToolMove& m = path.moves[i];
        EXPECT_EQ(m.strBlock, "N30");
        if (!m.bRapid) {
            cuts.push_back(&m);
            EXPECT_EQ(m.dLead, 1.5);
        }
    }
    // Nine passes, each a cut and a pull-out of one lead at 45 degrees.
    ASSERT_EQ(cuts.size(), 18u);
    EXPECT_NEAR(cuts[0]->segment.ptEnd.dX, 130800 + 9200 - 3000, 0.5);
    EXPECT_NEAR(cuts[16]->segment.ptEnd.dX, 130800, 0.5);
    EXPECT_NEAR(cuts[16]->segment.ptEnd.dZ, -200000 + 15000, 0.5);
    EXPECT_NEAR(cuts[17]->segment.ptEnd.dX, 130800 + 15000, 0.5);
    EXPECT_NEAR(cuts[17]->segment.ptEnd.dZ, -200000, 0.5);
    // Passes start along the insert's flank: the last one 0.92 tan 30 degrees beyond the start.
    EXPECT_NEAR(path.moves[first + count - 6].segment.ptEnd.dZ, 50000 - 9200 * std::tan(M_PI / 6), 0.5);
    // The cycle ends where it began, acts once (X32 is a rapid again), and the first block's
    // settings stay for the next cycle, written incrementally.
    EXPECT_EQ(path.moves[first + count - 1].segment.ptEnd, (CPathPoint{50000, 150000}));
    const CToolMove& after = path.moves[first + count];
    EXPECT_TRUE(after.bRapid);
    EXPECT_EQ(after.segment.ptEnd, (CPathPoint{50000, 160000}));
    const auto [again, againCount] = path.MovesOfLine(5);
    EXPECT_EQ(againCount, count);
    EXPECT_NEAR(path.moves[again + againCount - 4].segment.ptEnd.dX, 140800, 0.5);  // the last cut
}

TEST(FlankThread, RefusedWordsAreErrorsOfTheirLine) {
    const CToolpath path = ReadIso(
        "G0 X30 Z5\nG76 P021060 Q0.1\nG76 X26 Z-20 P920 Q300\nG76 X26 Z-20 P920 Q0 F1.5\n"
        "G76 P1000000\nG76 X26 Z-20 P920 Q1 F1.5\n");
    EXPECT_TRUE(ErrorOn(path, 2, "decimal point"));
    EXPECT_TRUE(ErrorOn(path, 3, "lead"));
    EXPECT_TRUE(ErrorOn(path, 4, "first cut"));
    EXPECT_TRUE(ErrorOn(path, 5, "mmrraa"));
    EXPECT_TRUE(ErrorOn(path, 6, "passes"));  // a thousandth of a millimetre a pass
    EXPECT_EQ(path.moves.size(), 1u);
}

TEST(ThreadMoves, G32IsASynchronisedCutWithTheFeedAsLead) {
    const CToolpath path = ReadIso("G0 X20 Z2\nG32 Z-20 F1.5\nG0 X24\nG32 W-5\n");
    ASSERT_EQ(path.moves.size(), 4u);
    EXPECT_FALSE(path.moves[1].bRapid);
    EXPECT_EQ(path.moves[1].dLead, 1.5);
    EXPECT_EQ(path.moves[2].dLead, 0.0);
    EXPECT_EQ(path.moves[3].segment.ptEnd, (CPathPoint{-250000, 120000}));
    EXPECT_TRUE(path.errors.empty());
    EXPECT_TRUE(ErrorOn(ReadIso("G0 X20\nG32 Z-20\n"), 2, "lead"));
}

// What the reader does not expand is an error of its line and makes no move, as long as the
// mode lasts; the codes LinuxCNC programs use for modes stay modes.
TEST(NotExpanded, CyclesCallsAndFlowAreErrorsNotMoves) {
    const CToolpath path = CNcReader().Read(
        "G0 X20 Z5\nG84 Z-10 F1\nZ-12\nG0 X21\nG90 X18 Z-20 F0.2\nX16\nG0 X22\nM98 P100\no7 call\n"
        "o8 while [1]\nG73 Z-3\nG33.1 Z-4 K1\nG89 Z-1\nG0 X23\n");
    for (int line : {2, 3, 5, 6, 8, 9, 10, 11, 12, 13}) {
        EXPECT_TRUE(ErrorOn(path, line, "")) << line;
    }
    EXPECT_TRUE(ErrorOn(path, 2, "G84"));
    EXPECT_TRUE(ErrorOn(path, 6, "G90"));
    EXPECT_TRUE(ErrorOn(path, 8, "M98"));
    EXPECT_EQ(path.moves.size(), 4u);
    EXPECT_EQ(path.moves.back().nLine, 14);
    const CToolpath modes =
        CNcReader().Read("G90 G0 X10 Z0\nG92 X0 Z0\nG94 F100\nG90 X2\nG1 Z-1\nG91 G1 X1 F50\nM2\n");
    EXPECT_TRUE(modes.errors.empty()) << modes.errors[0].strText;
    EXPECT_EQ(modes.moves.size(), 4u);
}
