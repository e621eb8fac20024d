// The library's tools as cutting outlines: the nose centre from the tip orientation, the edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "simulation/LibraryToolOutline.h"
#include "tools/Tool.h"

TEST(LibraryToolOutline, TheNoseCentreLiesOppositeTheTipAndTheBodyOppositeTheTip) {
    CTool tool;
    tool.dNoseRadius = 0.4;
    tool.dFrontAngle = 87.0;
    tool.dBackAngle = 32.0;
    // Tip direction (dZ, dX) from the nose centre for orientations 1-9.
    const double tips[9][2] = {{1, -1}, {-1, -1}, {-1, 1}, {1, 1}, {1, 0}, {0, -1}, {-1, 0}, {0, 1}, {0, 0}};
    for (int orientation = 1; orientation <= 9; ++orientation) {
        tool.nOrientation = orientation;
        const CToolOutline outline = CLibraryToolOutline::Of(tool);
        EXPECT_DOUBLE_EQ(outline.dCentreZMm, -0.4 * tips[orientation - 1][0]) << orientation;
        EXPECT_DOUBLE_EQ(outline.dCentreXMm, -0.4 * tips[orientation - 1][1]) << orientation;
    }
    // The library's angles are the outline's: with the tip at -Z -X of the nose (orientation 2)
    // the body lies up and towards +Z, between 32 and 87 deg.
    tool.nOrientation = 2;
    const CToolOutline outline = CLibraryToolOutline::Of(tool);
    EXPECT_DOUBLE_EQ(outline.dFrontEdgeDeg, 87.0);
    EXPECT_DOUBLE_EQ(outline.dBackEdgeDeg, 32.0);
    EXPECT_GT(outline.dEdgeLengthMm, 0.0);
    // A round insert cuts with its circle alone.
    tool.cShape = 'R';
    EXPECT_EQ(CLibraryToolOutline::Of(tool).dEdgeLengthMm, 0.0);
    EXPECT_FALSE(CLibraryToolOutline::Of(tool).IsPoint());
}

TEST(LibraryToolOutline, ALeftHandToolIsTheMirrorImageOfARightHandOne) {
    CTool right;
    right.dNoseRadius = 0.4;
    right.nOrientation = 2;
    right.dFrontAngle = 87.0;
    right.dBackAngle = 32.0;
    CTool left = right;
    left.nOrientation = 1;
    left.dFrontAngle = 93.0;
    left.dBackAngle = 148.0;
    // The edges' far ends, the corners farthest from the programmed point, mirror each other.
    const auto ends = [](const CTool& tool, double mirror) {
        std::vector<CPathPoint> corners = CLibraryToolOutline::Of(tool).Corners();
        std::sort(corners.begin(), corners.end(), [](const CPathPoint& p, const CPathPoint& q) {
            return std::hypot(p.dZ, p.dX) > std::hypot(q.dZ, q.dX);
        });
        corners.resize(2);
        for (CPathPoint& p : corners) {
            p.dZ *= mirror;
        }
        std::sort(corners.begin(), corners.end(), [](const CPathPoint& p, const CPathPoint& q) { return p.dX < q.dX; });
        return corners;
    };
    const auto a = ends(right, 1.0);
    const auto b = ends(left, -1.0);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(a[i].dZ, b[i].dZ, 1e-6) << i;
        EXPECT_NEAR(a[i].dX, b[i].dX, 1e-6) << i;
    }
}

namespace {

struct CBox {
    double z0 = 1e300, x0 = 1e300, z1 = -1e300, x1 = -1e300;
};

CBox BoxMm(const std::vector<CPathPoint>& corners) {
    CBox b;
    for (const CPathPoint& p : corners) {
        b = {std::min(b.z0, p.dZ / 1e4), std::min(b.x0, p.dX / 1e4), std::max(b.z1, p.dZ / 1e4),
             std::max(b.x1, p.dX / 1e4)};
    }
    return b;
}

}  // namespace

TEST(LibraryToolOutline, BladesThreadInsertsAndDrillsHaveTheirShapesAroundTheProgrammedPoint) {
    CTool blade;
    blade.strKind = "blade";
    blade.dWidth = 2.0;
    blade.dNoseRadius = 0.2;
    blade.nOrientation = 2;  // grooving: the lower corner toward -Z
    CBox b = BoxMm(CLibraryToolOutline::Of(blade).Corners());
    EXPECT_NEAR(b.z0, 0.0, 1e-9);
    EXPECT_NEAR(b.z1, 2.0, 1e-9);
    EXPECT_NEAR(b.x0, 0.0, 1e-9);
    EXPECT_NEAR(b.x1, CLibraryToolOutline::kBladeLengthMm, 1e-9);
    blade.nOrientation = 1;  // parting: the lower corner toward +Z
    b = BoxMm(CLibraryToolOutline::Of(blade).Corners());
    EXPECT_NEAR(b.z0, -2.0, 1e-9);
    EXPECT_NEAR(b.z1, 0.0, 1e-9);
    // The rounded corner leaves the sharp one out.
    for (const CPathPoint& p : CLibraryToolOutline::Of(blade).Corners()) {
        EXPECT_GT(std::hypot(p.dZ, p.dX), 0.2 * 1e4 * (std::sqrt(2.0) - 1.0) - 1.0);
    }

    CTool thread;
    thread.strKind = "thread";
    thread.dNoseRadius = 0.1;
    thread.nOrientation = 6;
    const std::vector<CPathPoint> v = CLibraryToolOutline::Of(thread).Corners();
    b = BoxMm(v);
    EXPECT_NEAR(b.x0, 0.0, 1e-9);
    EXPECT_NEAR(b.z0, -b.z1, 1e-6);
    // A flank: 30 degrees from the V's axis, tangent to the tip's circle.
    const auto left = std::min_element(v.begin(), v.end(), [](auto& p, auto& q) { return p.dZ < q.dZ; });
    EXPECT_NEAR(left->dX / 1e4 - (0.1 - 0.2), -left->dZ / 1e4 * std::sqrt(3.0), 1e-6);

    CTool drill;
    drill.strKind = "drill";
    drill.dDiameter = 8.0;
    drill.dPointAngle = 90.0;
    drill.nOrientation = 7;  // cutting toward -Z
    b = BoxMm(CLibraryToolOutline::Of(drill).Corners());
    EXPECT_NEAR(b.z0, 0.0, 1e-9);
    EXPECT_NEAR(b.x1, 4.0, 1e-9);
    EXPECT_NEAR(b.z1, 4.0 + CLibraryToolOutline::kEdgeLengthMm, 1e-9);
    drill.nOrientation = 5;
    EXPECT_NEAR(BoxMm(CLibraryToolOutline::Of(drill).Corners()).z1, 0.0, 1e-9);
}
