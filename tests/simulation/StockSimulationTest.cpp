// The stock simulation: faulty programs found at their line, and one finishing pass with a point
// tool over random profiles clearing exactly the stock above the profile.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

#include "simulation/LibraryToolOutline.h"
#include "simulation/StockSimulation.h"
#include "tools/Tool.h"
#include "toolpath/NcReader.h"

namespace {

constexpr double kMm = 10000.0;

CPathPoint P(double zMm, double xMm) {
    return {zMm * kMm, xMm * kMm};
}

// A profile through the points (mm), straight between them, over the stock from Z 0 to 100.
CProfileShape Polyline(const std::vector<CPathPoint>& points) {
    std::vector<CPathSegment> segments;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        segments.push_back(CPathSegment::Line(points[i], points[i + 1]));
    }
    return CProfileShape(segments, points.front().dZ, points.back().dZ);
}

CSimulationInput Input(const std::string& nc, CProfileShape profile, double stockXMm = 20.0) {
    CSimulationInput input;
    input.path = CNcReader().Read(nc);
    input.profile = std::move(profile);
    input.dStockZ0 = 0.0;
    input.dStockZ1 = 100.0 * kMm;
    input.dStockX1 = stockXMm * kMm;
    return input;
}

const CProfileShape kFlat15 = Polyline({P(0, 15), P(100, 15)});

}  // namespace

TEST(StockSimulation, RapidAcrossTheStockAndAirCutting) {
    const CSimulationResult r = CStockSimulation::Run(
        Input("G0 X25 Z105\nG1 X21 F100\nG1 Z60\nN40 G0 X18\nN50 G0 Z50\nG0 X25\n", kFlat15));
    ASSERT_EQ(r.rapids.size(), 1u);
    EXPECT_EQ(r.rapids[0].source.nLine, 5);
    EXPECT_EQ(r.rapids[0].source.strBlock, "N50");
    EXPECT_NEAR(r.rapids[0].dAreaMm2, 10 * 2 + 0.0, 1e-6);  // Z 60...50, X 18...20
    EXPECT_TRUE(r.gouges.empty());
    // Both feed moves run above the stock (the rapid down at Z 60 only touches its cut edge).
    EXPECT_DOUBLE_EQ(r.AirCuttingShare(), 1.0);
}

TEST(StockSimulation, RoughingPassTooShallowLeavesMaterialAtItsLine) {
    CSimulationInput input =
        Input("G0 X25 Z102\nG1 X18 F200\nG1 Z0\nG0 X25\nG0 Z102\nG1 X16\nN70 G1 Z0\nG0 X25\n", kFlat15);
    input.dAllowanceMm = 0.2;
    const CSimulationResult r = CStockSimulation::Run(input);
    EXPECT_TRUE(r.gouges.empty());
    EXPECT_TRUE(r.rapids.empty());
    ASSERT_EQ(r.leftOver.size(), 1u);
    const CLeftOver& left = r.leftOver[0];
    EXPECT_NEAR(left.dThicknessMm, 1.0, 1e-3);
    EXPECT_NEAR(left.dZFrom, 0.0, 1.0);
    EXPECT_NEAR(left.dZTo, 100 * kMm, 1.0);
    EXPECT_NEAR(left.dAreaMm2, 100.0, 1e-3);
    EXPECT_EQ(left.source.nLine, 7);
    EXPECT_EQ(left.source.strBlock, "N70");
    // Only the plunges beyond the stock's end cut air.
    EXPECT_NEAR(r.AirCuttingShare(), 16.0 / 220.0, 1e-9);
    // Down to the allowance, nothing is left over.
    input.path = CNcReader().Read("G0 X25 Z102\nG1 X15.2 F200\nG1 Z0\nG0 X25\n");
    EXPECT_TRUE(CStockSimulation::Run(input).leftOver.empty());
}

TEST(StockSimulation, ArcTurnedTheWrongWayGougesThePart) {
    // A bump 2 mm high from Z 40 to 60: radius 26 about (50, -9).
    std::vector<CPathSegment> segments{CPathSegment::Line(P(0, 15), P(40, 15)),
                                       CPathSegment::Arc(P(40, 15), P(60, 15), P(50, -9), kDirClockwise),
                                       CPathSegment::Line(P(60, 15), P(100, 15))};
    const CProfileShape profile(segments, 0, 100 * kMm);
    const std::string right = "G0 X25 Z-2\nG1 X15 F100\nG1 Z40\nN30 G2 X15 Z60 R26\nG1 Z102\nG0 X25\n";
    const CSimulationResult good = CStockSimulation::Run(Input(right, profile));
    EXPECT_TRUE(good.gouges.empty());
    EXPECT_TRUE(good.leftOver.empty());
    std::string wrong = right;
    wrong.replace(wrong.find("G2"), 2, "G3");
    const CSimulationResult bad = CStockSimulation::Run(Input(wrong, profile));
    ASSERT_EQ(bad.gouges.size(), 1u);
    EXPECT_EQ(bad.gouges[0].source.nLine, 4);
    EXPECT_EQ(bad.gouges[0].source.strBlock, "N30");
    // The arc dips 2 mm below X 15 where the profile stands 2 mm above it.
    EXPECT_NEAR(bad.gouges[0].dDepthMm, 4.0, 0.01);
    EXPECT_NEAR(bad.gouges[0].ptDeepest.dZ, 50 * kMm, 0.05 * kMm);
    EXPECT_GT(bad.gouges[0].dAreaMm2, 20.0);
    EXPECT_FALSE(bad.gouged.IsEmpty());
}

TEST(StockSimulation, PlungeSteeperThanTheBackEdgeGouges) {
    // A 45° flank from X 15 at Z 40 up to X 20 at Z 45; the pass runs right to left down it.
    const CProfileShape profile = Polyline({P(0, 15), P(40, 15), P(45, 20), P(100, 20)});
    const std::string nc = "T1\nG0 X26 Z101\nG1 X20 F100\nG1 Z45\nN50 G1 X15 Z40\nG1 Z0\nG0 X26\n";
    CSimulationInput input = Input(nc, profile, 25.0);
    input.tools[1] = CToolOutline::Insert(0.0, 87, 32, 10);
    const CSimulationResult steep = CStockSimulation::Run(input);
    ASSERT_FALSE(steep.gouges.empty());
    EXPECT_EQ(steep.gouges[0].source.nLine, 5);
    EXPECT_GT(steep.gouges[0].dDepthMm, 0.5);
    // An insert whose back edge rises more steeply than the flank follows it cleanly, and so
    // does the point tool when no tool is bound to T1.
    input.tools[1] = CToolOutline::Insert(0.0, 87, 50, 10);
    EXPECT_TRUE(CStockSimulation::Run(input).gouges.empty());
    input.tools.clear();
    EXPECT_TRUE(CStockSimulation::Run(input).gouges.empty());
}

TEST(StockSimulation, AGougeIntoAnEndFaceIsAsDeepAsTheFaceIsCut) {
    // The right end face is cut 0.01 mm deep from the axis up; its depth is measured from the face,
    // not from the chamfer above it.
    const CProfileShape profile = Polyline({P(0, 15), P(98, 15), P(100, 13)});
    const CSimulationResult r =
        CStockSimulation::Run(Input("G0 X25 Z101\nG0 X0\nG1 Z99.99 F100\nG1 X25\nG0 Z101\n", profile));
    ASSERT_EQ(r.gouges.size(), 1u);
    EXPECT_NEAR(r.gouges[0].dDepthMm, 0.01, 0.002);
}

TEST(StockSimulation, BlocksItCannotFollowAreListedAndNotPassedOver) {
    const CSimulationResult r = CStockSimulation::Run(
        Input("G0 X25 Z102\nG73 U1 R0.5\nG1 X10 Z50 F100\nM98 P100\nG2 X10 Z40\nG0 X25\n", kFlat15));
    ASSERT_EQ(r.notSimulated.size(), 3u);
    EXPECT_EQ(r.notSimulated[0].nLine, 2);
    EXPECT_EQ(r.notSimulated[1].nLine, 4);
    EXPECT_EQ(r.notSimulated[2].nLine, 5);  // an arc without a centre
    EXPECT_EQ(r.nMovesSimulated, 3u);
    EXPECT_FALSE(r.gouges.empty());  // line 3 is simulated and runs into the part
}

TEST(StockSimulation, NumbersBeyondAnyMachineAreCutNotCrashedOn) {
    // The reader refuses such numbers in a text; moves handed in directly may still hold them.
    CSimulationInput input = Input("G0 X25 Z102\nG1 X18 F1\nG1 Z-99999999999999\n", kFlat15);
    ASSERT_EQ(input.path.moves.size(), 2u);
    EXPECT_EQ(CStockSimulation::Run(input).notSimulated.size(), 1u);
    CToolMove far;
    far.segment = CPathSegment::Line(P(102, 18), {-1e30, 18 * kMm});
    far.nLine = 3;
    input.path.moves.push_back(far);
    far.segment = CPathSegment::Line({-1e30, 18 * kMm}, {-1e30, std::nan("")});
    far.nLine = 4;
    input.path.moves.push_back(far);
    input.path.errors.clear();
    const CSimulationResult r = CStockSimulation::Run(input);
    EXPECT_EQ(r.nMovesSimulated, 4u);
    EXPECT_TRUE(r.rapids.empty());
    EXPECT_TRUE(r.gouges.empty());
    EXPECT_NEAR(r.excess.Area() / 1e8, 3 * 100.0, 1e-6);  // X 15 to 18 is left
}

TEST(StockSimulation, StepsUpToAMoveForwardAndBack) {
    const CSimulationInput input =
        Input("G0 X25 Z102\nG1 X18 F100\nG1 Z0\nG0 X25\nG0 Z102\nG1 X16\nG1 Z50\nG0 X25\n", kFlat15);
    const double before = CStockSimulation::Run(input, 2).excess.Area();
    const double after = CStockSimulation::Run(input, 3).excess.Area();
    EXPECT_NEAR((before - after) / 1e8, 200.0, 1e-6);
    EXPECT_TRUE(CStockSimulation::Run(input, 3).leftOver.empty());  // only a full run looks
    CStockSimulation::CStepper stepper(input);
    for (const size_t step : {8, 3, 7, 7, 0, 2, 8}) {
        const CSimulationResult stepped = stepper.At(step);
        const CSimulationResult run = CStockSimulation::Run(input, step);
        EXPECT_DOUBLE_EQ(stepped.excess.Area(), run.excess.Area()) << step;
        EXPECT_EQ(stepped.nMovesSimulated, run.nMovesSimulated) << step;
        EXPECT_EQ(stepped.leftOver.size(), run.leftOver.size()) << step;
        EXPECT_DOUBLE_EQ(stepped.AirCuttingShare(), run.AirCuttingShare()) << step;
    }
}

// One finishing pass with a point tool along a random profile of lines and arcs clears the stock
// above the profile and leaves the part whole.
TEST(StockSimulation, FinishingPassLeavesExactlyThePart) {
    std::mt19937 random(27);
    for (int trial = 0; trial < 40; ++trial) {
        std::uniform_real_distribution<double> height(5.0, 30.0);
        std::vector<CPathSegment> segments;
        std::string nc = "G0 X45 Z-1\n";
        CPathPoint at = P(0, std::round(height(random) * 1000) / 1000);
        char block[160];
        std::snprintf(block, sizeof block, "G1 X%.3f Z0 F100\n", at.dX / kMm);
        nc += block;
        const int count = 2 + trial % 12;
        for (int k = 1; k <= count; ++k) {
            const CPathPoint end =
                P(std::round(100000.0 * k / count) / 1000, std::round(height(random) * 1000) / 1000);
            const double chord = std::hypot(end.dZ - at.dZ, end.dX - at.dX);
            if (random() % 2 && end.dX != at.dX) {
                // An arc flatter than a sixth of a circle, bulging up or down.
                const int direction = random() % 2 ? kDirClockwise : kDirCounterClockwise;
                const double r = chord * std::uniform_real_distribution<double>(1.2, 3.0)(random);
                const double h = std::sqrt(r * r - chord * chord / 4);
                const double side = direction == kDirCounterClockwise ? 1.0 : -1.0;
                const CPathPoint centre{(at.dZ + end.dZ) / 2 - side * h * (end.dX - at.dX) / chord,
                                        (at.dX + end.dX) / 2 + side * h * (end.dZ - at.dZ) / chord};
                segments.push_back(CPathSegment::Arc(at, end, centre, direction));
                std::snprintf(block, sizeof block, "G%d X%.3f Z%.3f I%.5f K%.5f\n",
                              direction == kDirClockwise ? 2 : 3, end.dX / kMm, end.dZ / kMm,
                              (centre.dX - at.dX) / kMm, (centre.dZ - at.dZ) / kMm);
            } else {
                segments.push_back(CPathSegment::Line(at, end));
                std::snprintf(block, sizeof block, "G1 X%.3f Z%.3f\n", end.dX / kMm, end.dZ / kMm);
            }
            nc += block;
            at = end;
        }
        nc += "G0 X45\n";
        CSimulationInput input = Input(nc, CProfileShape(segments, 0, 100 * kMm), 40.0);
        const CSimulationResult before = CStockSimulation::Run(input, 0);
        const CSimulationResult after = CStockSimulation::Run(input);
        SCOPED_TRACE(nc);
        EXPECT_TRUE(after.gouges.empty());
        EXPECT_TRUE(after.rapids.empty());
        EXPECT_TRUE(after.leftOver.empty());
        EXPECT_TRUE(after.notSimulated.empty());
        // Within the arcs' chord error (0.001 mm) along the profile.
        double length = 0.0;
        for (const CPathSegment& s : segments) {
            length += s.Length() / kMm;
        }
        EXPECT_LT(after.excess.Area() / 1e8, 0.001 * length);
        EXPECT_NEAR(after.part.Area() / 1e8, before.part.Area() / 1e8, 0.001 * length);
        EXPECT_GT(before.excess.Area(), 100.0 * 1e8);
    }
}

// A thread pass cuts the section once a revolution: where the teeth are drawn between its copies
// nothing is gouged; teeth drawn half a lead off are.
TEST(StockSimulation, AThreadPassCutsACopyOfTheInsertEveryLead) {
    CTool insert;
    insert.strKind = "thread";
    insert.dNoseRadius = 0.0;
    insert.nOrientation = 6;
    const auto teeth = [](double shiftMm) {
        std::vector<CPathPoint> points{P(0, 10)};
        for (double z = 21.0; z < 100.0; z += 2.0) {
            const double half = std::tan(std::numbers::pi / 6.0);  // a 1 mm deep 60 degree V
            points.insert(points.end(), {P(z + shiftMm - half, 10), P(z + shiftMm, 9), P(z + shiftMm + half, 10)});
        }
        points.push_back(P(100, 10));
        return Polyline(points);
    };
    for (const double shift : {0.0, 1.0}) {
        CSimulationInput input = Input("G21 T1\nG0 X11 Z101\nG0 X9\nG33 Z21 K2\nG0 X11\n", teeth(shift), 10.0);
        input.tools[1] = CLibraryToolOutline::Of(insert);
        const CSimulationResult r = CStockSimulation::Run(input);
        EXPECT_TRUE(r.rapids.empty()) << shift;
        EXPECT_EQ(r.gouges.empty(), shift == 0.0) << shift;
        if (shift == 0.0) {
            EXPECT_TRUE(r.leftOver.empty());
        }
    }
}

// A centre hole drawn as the bore profile is no part material: drilling it gouges nothing.
TEST(StockSimulation, DrillingACentreHoleDrawnAsTheBoreGougesNothing) {
    CTool drill;
    drill.strKind = "drill";
    drill.dDiameter = 8.0;
    drill.dPointAngle = 90.0;
    for (const bool bore : {true, false}) {
        CSimulationInput input = Input("T9\nG0 X0 Z103\nG1 Z97 F50\nG0 Z103\n", kFlat15);
        input.tools[9] = CLibraryToolOutline::Of(drill);
        if (bore) {
            input.bore = Polyline({P(0, 0), P(97, 0), P(100, 3)});
        }
        const CSimulationResult r = CStockSimulation::Run(input);
        EXPECT_EQ(r.gouges.empty(), bore);
        EXPECT_TRUE(r.rapids.empty());
    }
}
