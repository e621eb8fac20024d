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
