// The ISO lathes' two-block roughing cycles and G70 over numbered profile blocks (model units,
// 10000 = 1 mm, X as a radius).
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

#include "toolpath/NcReader.h"

namespace {

// A shaft of diameter 20, a taper to 30 and a shoulder, roughed from diameter 42 in 2 mm cuts
// (radius), leaving 0.4 mm on the diameter and 0.1 mm on the faces.
const char* const kShaft =
    "N10 G18 G21 G90 G0 X42 Z2\nN20 G71 U2 R0.5\nN30 G71 P40 Q80 U0.4 W0.1 F100\nN40 G0 X20\n"
    "N50 G1 Z-15 F50\nN60 X30 Z-25\nN70 Z-40\nN80 X42\nN90 G70 P40 Q80\nN100 G0 X100\nM30\n";

CToolpath ReadDiameter(const std::string& text) {
    CNcReaderSettings settings;
    settings.bDiameterMode = true;
    return CNcReader(settings).Read(text);
}

std::vector<const CToolMove*> MovesOn(const CToolpath& path, int line) {
    std::vector<const CToolMove*> moves;
    for (const CToolMove& m : path.moves) {
        if (m.nLine == line) {
            moves.push_back(&m);
        }
    }
    return moves;
}

}  // namespace

TEST(NcFanucCycle, RoughingPassesLeaveTheAllowanceAndTheProfileIsNotRunTwice) {
    const CToolpath path = ReadDiameter(kShaft);
    ASSERT_TRUE(path.errors.empty()) << path.errors[0].strText;
    // The cutting moves along Z at one depth each: radius 19, 17, 15, 13 and 11 (the next, 9, lies
    // below the profile's 10 + 0.2).
    std::vector<double> levels;
    std::vector<double> ends;
    const auto rough = MovesOn(path, 3);
    for (size_t i = 0; i + 1 < rough.size(); ++i) {
        const CPathSegment& s = rough[i]->segment;
        if (!rough[i]->bRapid && s.ptStart.dX == s.ptEnd.dX && s.ptStart.dZ == 20000 && rough[i + 1]->bRapid) {
            levels.push_back(s.ptEnd.dX);
            ends.push_back(s.ptEnd.dZ);
        }
    }
    EXPECT_EQ(levels, (std::vector<double>{190000, 170000, 150000, 130000, 110000}));
    // Each cut stops 0.1 mm before the shoulder or 0.2 mm (radius) above the taper.
    EXPECT_NEAR(ends[0], -399000, 1e-6);
    EXPECT_NEAR(ends[3], -205000, 1e-6);
    EXPECT_NEAR(ends[4], -165000, 1e-6);
    // After the passes one cut along the profile shifted by the allowance, then back to the start.
    ASSERT_GE(rough.size(), 6u);
    const CPathSegment& taper = rough[rough.size() - 5]->segment;
    EXPECT_NEAR(taper.ptStart.dZ, -149000, 1e-6);
    EXPECT_NEAR(taper.ptStart.dX, 102000, 1e-6);
    EXPECT_NEAR(taper.ptEnd.dX, 152000, 1e-6);
    EXPECT_EQ(path.moves[path.moves.size() - 2].segment.ptEnd, (CPathPoint{20000, 210000}));
    // The profile blocks run only inside G70.
    for (int line = 4; line <= 8; ++line) {
        EXPECT_TRUE(MovesOn(path, line).empty()) << line;
    }
}

TEST(NcFanucCycle, FinishingFollowsTheProfileAndReturns) {
    const CToolpath path = ReadDiameter(kShaft);
    const auto finish = MovesOn(path, 9);
    const std::vector<CPathPoint> profile{{20000, 100000}, {-150000, 100000}, {-250000, 150000},
                                          {-400000, 150000}, {-400000, 210000}, {20000, 210000}};
    ASSERT_EQ(finish.size(), profile.size());
    for (size_t i = 0; i < profile.size(); ++i) {
        EXPECT_EQ(finish[i]->segment.ptEnd, profile[i]) << i;
        EXPECT_EQ(finish[i]->bRapid, i == 0 || i + 1 == profile.size()) << i;
    }
    EXPECT_EQ(path.moves.back().nLine, 10);
}

TEST(NcFanucCycle, FacingAlongXAndFaults) {
    // G72: depth 1.5 mm in Z per pass, cuts along X from radius 25 down to the face profile.
    const CToolpath path = ReadDiameter(
        "G0 X50 Z1\nG72 W1.5 R0.3\nG72 P10 Q30 W0.2 F80\nN10 G0 Z-5\nN20 G1 X20\nN30 X20 Z1\nG0 X60\n");
    ASSERT_TRUE(path.errors.empty()) << path.errors[0].strText;
    std::vector<double> levels;
    const auto rough = MovesOn(path, 3);
    for (size_t i = 0; i + 1 < rough.size(); ++i) {
        const CPathSegment& s = rough[i]->segment;
        if (!rough[i]->bRapid && s.ptStart.dZ == s.ptEnd.dZ && s.ptStart.dX == 250000 && rough[i + 1]->bRapid) {
            levels.push_back(s.ptEnd.dZ);
            EXPECT_NEAR(s.ptEnd.dX, 100000, 1e-6);  // the bore of the face
        }
    }
    EXPECT_EQ(levels, (std::vector<double>{-5000, -20000, -35000}));
    // Blocks that are not there, and a depth of 0, are errors of the cycle's line.
    const CToolpath missing = ReadDiameter("G0 X50 Z1\nG71 U1 R1\nG71 P10 Q99 F80\nN10 G0 X20\nN20 Z-5\n");
    ASSERT_EQ(missing.errors.size(), 1u);
    EXPECT_EQ(missing.errors[0].nLine, 3);
    EXPECT_FALSE(ReadDiameter("G0 X50 Z1\nG71 P10 Q20 F80\nN10 G0 X20\nN20 G1 Z-5\n").errors.empty());
    // A profile that names its own cycle does not recurse without end.
    EXPECT_FALSE(ReadDiameter("G0 X50 Z1\nG71 U1 R1\nN10 G71 P10 Q20 F80\nN20 G0 X20\n").errors.empty());
}

namespace {

std::vector<CPathPoint> Ends(const std::vector<const CToolMove*>& moves, std::vector<bool>* rapid = nullptr) {
    std::vector<CPathPoint> ends;
    for (const CToolMove* m : moves) {
        ends.push_back(m->segment.ptEnd);
        if (rapid) {
            rapid->push_back(m->bRapid);
        }
    }
    return ends;
}

}  // namespace

TEST(NcFanucCycle, PeckDrillingOnTheAxisAndGroovingAlongX) {
    // G74 on the axis: 3 mm pecks (Q3000, thousandths), backing off 0.5 mm after each.
    std::vector<bool> rapid;
    const CToolpath drill = ReadDiameter("G0 X0 Z2\nG74 R0.5\nG74 Z-10 Q3000 F50\n");
    ASSERT_TRUE(drill.errors.empty()) << drill.errors[0].strText;
    EXPECT_EQ(Ends(MovesOn(drill, 3), &rapid),
              (std::vector<CPathPoint>{{-10000, 0}, {-5000, 0}, {-40000, 0}, {-35000, 0}, {-70000, 0}, {-65000, 0},
                                       {-100000, 0}, {20000, 0}}));
    EXPECT_EQ(rapid, (std::vector<bool>{false, true, false, true, false, true, false, true}));
    // G75: a groove from diameter 30 to 20, 4 mm wide in steps of 2 mm, pecks of 2 mm (P2.0 with a
    // point is in millimetres) backing off 0.3 mm; then back to the start.
    const CToolpath groove = ReadDiameter("G0 X30 Z-10\nG75 R0.3\nG75 X20 Z-14 P2.0 Q2000 F30\n");
    ASSERT_TRUE(groove.errors.empty()) << groove.errors[0].strText;
    const std::vector<CPathPoint> ends = Ends(MovesOn(groove, 3));
    const std::vector<CPathPoint> first{{-100000, 130000}, {-100000, 133000}, {-100000, 110000},
                                        {-100000, 113000}, {-100000, 100000}, {-100000, 150000},
                                        {-120000, 150000}};
    ASSERT_EQ(ends.size(), 3 * 6 + 2 + 1u);
    EXPECT_EQ(std::vector<CPathPoint>(ends.begin(), ends.begin() + 7), first);
    EXPECT_EQ(ends[13], (CPathPoint{-140000, 150000}));
    EXPECT_EQ(ends.back(), (CPathPoint{-100000, 150000}));
    // Grooves side by side without a step between them cannot be cut.
    EXPECT_FALSE(ReadDiameter("G0 X30 Z-10\nG75 X20 Z-14 P2000 F30\n").errors.empty());
}

// The sample post's cycles from either end over the shaft of the post-processor tests (shoulder
// X 15 to 20 at Z 20 from the left, mirrored at Z 80 from the right): W puts the Z allowance in
// front of the shoulder, so no roughing pass reaches it.
TEST(NcFanucCycle, SamplePostLeavesTheZAllowanceOnTheShouldersFromEitherEnd) {
    for (const bool back : {false, true}) {
        std::ifstream in(std::string(KESTROVEL_SOURCE_DIR "/tests/data/rough/") +
                         (back ? "FanucLatheBack.nc" : "FanucLathe.nc"));
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const CToolpath path = ReadDiameter(text);
        ASSERT_TRUE(path.errors.empty()) << path.errors[0].strText;
        int passes = 0;
        for (const CToolMove* m : MovesOn(path, 6)) {
            const double z = m->segment.ptEnd.dZ / 10000, x = m->segment.ptEnd.dX / 10000;
            const double length = std::fabs(m->segment.ptEnd.dZ - m->segment.ptStart.dZ) / 10000;
            if (!m->bRapid && x > 15.1 && x < 20 && length > 1) {
                ++passes;
                EXPECT_NEAR(back ? z - 80 : 20 - z, 0.1, 1e-6) << (back ? "from the right" : "from the left");
            }
        }
        EXPECT_EQ(passes, 3) << text;
    }
}
