// The tip-point path of a nose on lines and arcs: worked cases, corners and refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tools/NoseCompensation.h"
#include "tools/Tool.h"

namespace {

CNosePathSegment Line(double z1, double x1, double z2, double x2) {
    CNosePathSegment s;
    s.start = {z1, x1};
    s.end = {z2, x2};
    return s;
}

CNosePathSegment Arc(double z1, double x1, double z2, double x2, double cz, double cx, bool clockwise) {
    CNosePathSegment s = Line(z1, x1, z2, x2);
    s.bArc = true;
    s.centre = {cz, cx};
    s.bClockwise = clockwise;
    return s;
}

void ExpectPoint(const CNosePathPoint& p, double z, double x) {
    EXPECT_NEAR(p.dZ, z, 1e-9);
    EXPECT_NEAR(p.dX, x, 1e-9);
}

// A shaft at radius 10 ending in a 45 degree chamfer down to radius 5, run towards +Z with the
// tool above it (tip towards -Z and -X).
TEST(NoseCompensation, ChamferWithNoseRadiusPointEightIsOffByPointTwoThreeFour) {
    const auto result = CNoseCompensation::Compute(
        {Line(0, 10, 10, 10), Line(10, 10, 15, 5), Line(15, 5, 20, 5)}, 0.8, 2, true);
    ASSERT_TRUE(result.bOk) << result.strReason;
    // Line, corner arc (the convex edge at Z 10), chamfer, line.
    ASSERT_EQ(result.path.size(), 4u);
    EXPECT_TRUE(result.path[1].bArc);
    EXPECT_TRUE(result.path[1].bClockwise);
    const double off = 0.8 * (1.0 - std::sqrt(0.5));
    EXPECT_NEAR(off, 0.234, 0.0005);
    // On the cylinders the tip point runs on the drawn radius, a nose radius back in Z.
    ExpectPoint(result.path[0].start, -0.8, 10);
    ExpectPoint(result.path[0].end, 9.2, 10);
    ExpectPoint(result.path[2].start, 10 - off, 10 - off);
    // The concave corner at Z 15 is trimmed to where the chamfer's offset meets the face's.
    ExpectPoint(result.path[2].end, 15 - 2 * off, 5);
    ExpectPoint(result.path[3].start, 15 - 2 * off, 5);
    ExpectPoint(result.path[3].end, 19.2, 5);
    EXPECT_EQ(result.path[2].nSource, 1);
    EXPECT_EQ(result.path[1].nSource, -1);
}

TEST(NoseCompensation, ArcsChangeTheirRadiusAndKeepTheirCentre) {
    // A convex quarter arc (centre below) and, run back, a concave one.
    const auto convex = CNoseCompensation::Compute({Arc(0, 10, 10, 0, 0, 0, true)}, 0.5, 9, true);
    ASSERT_TRUE(convex.bOk);
    ExpectPoint(convex.path[0].start, 0, 10.5);
    ExpectPoint(convex.path[0].end, 10.5, 0);
    ExpectPoint(convex.path[0].centre, 0, 0);
    const auto concave = CNoseCompensation::Compute({Arc(0, 10, 10, 20, 0, 20, false)}, 0.5, 9, true);
    ASSERT_TRUE(concave.bOk);
    ExpectPoint(concave.path[0].start, 0, 10.5);
    ExpectPoint(concave.path[0].end, 9.5, 20);
}

TEST(NoseCompensation, ToolOnTheRightMirrorsTheOffset) {
    const auto result = CNoseCompensation::Compute({Line(20, 5, 0, 5)}, 0.4, 9, false);
    ASSERT_TRUE(result.bOk);
    ExpectPoint(result.path[0].start, 20, 5.4);
}

TEST(NoseCompensation, ConcaveArcSmallerThanTheNoseIsRefusedWithItsPlace) {
    // A groove of radius 0.5 between two faces, for a 0.8 nose.
    const auto result = CNoseCompensation::Compute(
        {Line(0, 10, 5, 10), Arc(5, 10, 6, 9.5, 5.5, 10, false), Line(6, 9.5, 10, 9.5)}, 0.8, 2, true);
    EXPECT_FALSE(result.bOk);
    EXPECT_EQ(result.nFaultSegment, 1);
    EXPECT_NEAR(result.dFaultZ, 5.0, 1e-9);
    EXPECT_NE(result.strReason.find("no larger than the nose radius"), std::string::npos);
}

TEST(NoseCompensation, SlotNarrowerThanTheNoseIsRefused) {
    // A 1 mm wide, 2 mm deep slot at Z 10 for a nose of radius 0.8.
    const auto result = CNoseCompensation::Compute(
        {Line(0, 10, 10, 10), Line(10, 10, 10, 8), Line(10, 8, 11, 8), Line(11, 8, 11, 10), Line(11, 10, 20, 10)},
        0.8, 2, true);
    EXPECT_FALSE(result.bOk);
    EXPECT_GE(result.nFaultSegment, 2);
    EXPECT_NE(result.strReason.find("narrower"), std::string::npos);
    // Twice as wide as the nose, it fits.
    EXPECT_TRUE(CNoseCompensation::Compute({Line(0, 10, 10, 10), Line(10, 10, 10, 8), Line(10, 8, 11.7, 8),
                                            Line(11.7, 8, 11.7, 10), Line(11.7, 10, 20, 10)},
                                           0.8, 2, true)
                    .bOk);
}

// Over random zig-zag profiles the nose centre keeps exactly the nose radius (plus the allowance
// of a roughing pass) from every profile segment at every path point, the tip point lies a nose
// radius from the centre, and the path is connected.
TEST(NoseCompensation, CentrePathKeepsTheRadiusFromTheProfileOnRandomProfiles) {
    std::mt19937 random(26);
    std::uniform_real_distribution<double> step(2.0, 6.0);
    std::uniform_real_distribution<double> rise(-3.0, 3.0);
    for (int round = 0; round < 200; ++round) {
        std::vector<CNosePathSegment> profile;
        double z = 0.0;
        double x = 20.0;
        for (int i = 0; i < 8; ++i) {
            const double z2 = z + step(random);
            const double x2 = x + rise(random);
            profile.push_back(Line(z, x, z2, x2));
            z = z2;
            x = x2;
        }
        const double allowance = round % 2 ? 0.5 : 0.0;
        const int orientation = round % 4 < 2 ? 9 : 2;
        const CTipDirection tip = CTool::TipDirection(orientation);
        const auto result = CNoseCompensation::Compute(profile, 0.4, orientation, true, allowance);
        ASSERT_TRUE(result.bOk) << result.strReason;
        for (size_t i = 0; i < result.path.size(); ++i) {
            const CNosePathSegment& s = result.path[i];
            if (i > 0) {
                ExpectPoint(s.start, result.path[i - 1].end.dZ, result.path[i - 1].end.dX);
            }
            for (const CNosePathPoint& at : {s.start, s.end}) {
                const CNosePathPoint p{at.dZ - 0.4 * tip.dZ, at.dX - 0.4 * tip.dX};
                double nearest = 1e9;
                for (const CNosePathSegment& q : profile) {
                    const double dz = q.end.dZ - q.start.dZ;
                    const double dx = q.end.dX - q.start.dX;
                    double t = ((p.dZ - q.start.dZ) * dz + (p.dX - q.start.dX) * dx) / (dz * dz + dx * dx);
                    t = std::clamp(t, 0.0, 1.0);
                    nearest = std::min(nearest, std::hypot(p.dZ - q.start.dZ - t * dz, p.dX - q.start.dX - t * dx));
                }
                EXPECT_NEAR(nearest, 0.4 + allowance, 1e-7);
            }
        }
    }
}

}  // namespace

TEST(NoseCompensation, GapInTheProfileIsRefused) {
    const auto result = CNoseCompensation::Compute({Line(0, 10, 10, 10), Line(10, 9, 20, 9)}, 0.4, 2, true);
    EXPECT_FALSE(result.bOk);
    EXPECT_EQ(result.nFaultSegment, 1);
}

TEST(NoseCompensation, StepWithinTheNosesReachIsPassedOver) {
    // A 0.3 mm step up after a 45 degree slope down, for a 0.8 nose: the slope's path meets the
    // upper face's directly.
    const auto result = CNoseCompensation::Compute(
        {Line(0, 10, 5, 5), Line(5, 5, 5, 5.3), Line(5, 5.3, 10, 5.3)}, 0.8, 9, true);
    ASSERT_TRUE(result.bOk) << result.strReason;
    ASSERT_EQ(result.path.size(), 2u);
    EXPECT_EQ(result.path[1].nSource, 2);
    EXPECT_NEAR(result.path[1].start.dX, 6.1, 1e-9);
    EXPECT_NEAR(result.path[0].end.dZ + result.path[0].end.dX, 10.0 + 0.8 * std::sqrt(2.0), 1e-9);
}

TEST(NoseCompensation, PathMeetsTheNoseArcBeyondAPassedOverStep) {
    // An arc bulging up from radius 10 to 10.5 mm, then a 1.5 mm step up to a face: the arc's
    // path passes over the step and runs into the nose's arc around the step's upper edge.
    // The circle through (10, 10), (15, 13) and (20, 10.5).
    const double cz = 15.159090909090908;
    const double cx = 7.068181818181818;
    const CNosePathSegment arc = Arc(10, 10, 20, 10.5, cz, cx, true);
    const auto result = CNoseCompensation::Compute({arc, Line(20, 10.5, 20, 12), Line(20, 12, 30, 12)}, 0.8, 9, true);
    ASSERT_TRUE(result.bOk) << result.strReason;
    ASSERT_EQ(result.path.size(), 3u);
    EXPECT_EQ(result.path[0].nSource, 0);
    EXPECT_TRUE(result.path[1].bArc);
    EXPECT_EQ(result.path[1].nSource, -1);
    ExpectPoint(result.path[1].centre, 20, 12);
    ExpectPoint(result.path[1].end, 20, 12.8);
    // Where the two meet, the point keeps the nose radius from the edge and the arc's new radius
    // from its centre.
    const CNosePathPoint meet = result.path[1].start;
    EXPECT_NEAR(std::hypot(meet.dZ - 20, meet.dX - 12), 0.8, 1e-9);
    EXPECT_NEAR(std::hypot(meet.dZ - cz, meet.dX - cx), std::hypot(10 - cz, 10 - cx) + 0.8, 1e-9);
}
