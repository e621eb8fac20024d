// The written-out roughing passes: where a profile falls, and passes that never cut into the
// allowance over many random profiles with steps, tapers and pockets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "postprocessor/RoughPasses.h"

namespace {

CNosePathSegment Line(double z0, double x0, double z1, double x1) {
    CNosePathSegment s;
    s.start = {z0, x0};
    s.end = {z1, x1};
    return s;
}

// The distance of a point from the polyline; negative below it, inside the material.
double Clearance(const std::vector<CNosePathSegment>& profile, double z, double x) {
    double best = 1e9;
    double top = -1e9;
    for (const CNosePathSegment& s : profile) {
        const double dz = s.end.dZ - s.start.dZ, dx = s.end.dX - s.start.dX;
        const double len2 = dz * dz + dx * dx;
        const double t = len2 > 0 ? std::clamp(((z - s.start.dZ) * dz + (x - s.start.dX) * dx) / len2, 0.0, 1.0) : 0;
        best = std::min(best, std::hypot(z - s.start.dZ - t * dz, x - s.start.dX - t * dx));
        if (z >= s.start.dZ && z <= s.end.dZ) {
            top = std::max(top, dz > 0 ? s.start.dX + dx * (z - s.start.dZ) / dz : std::max(s.start.dX, s.end.dX));
        }
    }
    return x < top ? -best : best;
}

}  // namespace

TEST(RoughPasses, FindsWhereTheProfileFirstFalls) {
    double z = 0;
    EXPECT_EQ(CRoughPasses::FindFall({Line(0, 10, 5, 10), Line(5, 10, 5, 15), Line(5, 15, 9, 20)}, z), -1);
    EXPECT_EQ(CRoughPasses::FindFall({Line(0, 10, 5, 12), Line(5, 12, 8, 11), Line(8, 11, 8, 9)}, z), 1);
    EXPECT_DOUBLE_EQ(z, 5.0);
    // An upper arc over its top falls after the top: centre Z 10, from Z 5 to Z 15.
    CNosePathSegment arc = Line(5, 10, 15, 10);
    arc.bArc = true;
    arc.centre = {10, 10};
    arc.bClockwise = true;
    EXPECT_EQ(CRoughPasses::FindFall({Line(0, 10, 5, 10), arc}, z), 1);
    EXPECT_NEAR(z, 10.0, 0.25);  // within a chord of the top
}

TEST(RoughPasses, RandomProfilesAreRoughedWithoutCuttingIntoTheAllowance) {
    std::mt19937 random(28);
    std::uniform_real_distribution<double> radius(4.0, 24.0);
    for (int round = 0; round < 60; ++round) {
        std::vector<CNosePathSegment> profile;
        double z = 0.0, x = radius(random);
        const int pieces = 2 + static_cast<int>(random() % 7);
        for (int k = 0; k < pieces; ++k) {
            const double next = radius(random);
            const double length = 1.0 + radius(random) / 2.0;
            if (random() % 2) {
                profile.push_back(Line(z, x, z, next));  // a step
                profile.push_back(Line(z, next, z + length, next));
            } else {
                profile.push_back(Line(z, x, z + length, next));  // a taper
            }
            z += length;
            x = next;
        }
        CRoughSpec spec;
        spec.dStartZ = -2.0;
        spec.dStartX = 26.0;
        spec.dDepth = 0.5 + (random() % 30) / 10.0;
        spec.dRetract = (random() % 10) / 10.0;
        spec.dAllowX = (random() % 5) / 10.0;
        spec.dAllowZ = (random() % 5) / 10.0;
        const std::vector<CRoughMove> moves = CRoughPasses::Compute(profile, spec);
        ASSERT_FALSE(moves.empty());
        const double keep = std::min(spec.dAllowX, spec.dAllowZ) - 0.002;
        double fz = spec.dStartZ, fx = spec.dStartX, lowest = 1e9;
        for (const CRoughMove& m : moves) {
            ASSERT_LE(m.dX, spec.dStartX + 1e-9);
            ASSERT_GE(m.dZ, spec.dStartZ - 1e-9);
            const int steps = 1 + static_cast<int>(std::hypot(m.dZ - fz, m.dX - fx) / 0.05);
            for (int i = 0; i <= steps; ++i) {
                const double pz = fz + (m.dZ - fz) * i / steps, px = fx + (m.dX - fx) * i / steps;
                ASSERT_GE(Clearance(profile, pz, px), keep)
                    << "round " << round << (m.bRapid ? " rapid" : " feed") << " at Z " << pz << " X " << px;
            }
            fz = m.dZ;
            fx = m.dX;
            lowest = std::min(lowest, m.dX);
        }
        // The passes end where they began, having gone below every level of the stock.
        EXPECT_DOUBLE_EQ(fz, spec.dStartZ);
        EXPECT_DOUBLE_EQ(fx, spec.dStartX);
        EXPECT_LT(lowest, spec.dStartX - spec.dDepth);
    }
}

// Absurd depths and allowances end at once with no passes instead of running for hours.
TEST(RoughPasses, AbsurdValuesGiveNoPasses) {
    const std::vector<CNosePathSegment> profile = {Line(0, 10, 500, 10)};
    CRoughSpec spec;
    spec.dStartZ = -2;
    spec.dStartX = 30;
    spec.dDepth = 1e-7;
    EXPECT_TRUE(CRoughPasses::Compute(profile, spec).empty());
    spec.dDepth = 1;
    spec.dAllowZ = 1e300;
    EXPECT_TRUE(CRoughPasses::Compute(profile, spec).empty());
}
