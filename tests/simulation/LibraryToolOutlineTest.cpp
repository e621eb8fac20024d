// The library's tools as cutting outlines: the nose centre from the tip orientation, the edges.
#include <gtest/gtest.h>

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
