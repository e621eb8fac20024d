// The shared rounding function and the pixel clamp.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/Geometry.h"

TEST(Round, HalvesGoUpIncludingNegativeHalves) {
    EXPECT_EQ(Round(2.5), 3);
    EXPECT_EQ(Round(2.4999), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(-2.5001), -3);
    EXPECT_EQ(Round(0.0), 0);
    EXPECT_EQ(Round(-0.4), 0);
}

TEST(Round, ClampsToTwoBillionAndMapsNanToZero) {
    EXPECT_EQ(Round(2000000000.4), 2000000000);
    EXPECT_EQ(Round(3e9), 2000000000);
    EXPECT_EQ(Round(-3e9), -2000000000);
    EXPECT_EQ(Round(std::numeric_limits<double>::infinity()), 2000000000);
    EXPECT_EQ(Round(-std::numeric_limits<double>::infinity()), -2000000000);
    EXPECT_EQ(Round(std::nan("")), 0);
}

TEST(ClampPixel, KeepsSurfaceCoordinatesWithin32000) {
    EXPECT_EQ(ClampPixel(31999), 31999);
    EXPECT_EQ(ClampPixel(32001), 32000);
    EXPECT_EQ(ClampPixel(-5000000000LL), -32000);
}

TEST(CRect, NormalizeOrdersEdges) {
    CRect r(10, 20, 0, 5);
    r.Normalize();
    EXPECT_EQ(r, CRect(0, 5, 10, 20));
    EXPECT_TRUE(CRect(0, 0, 0, 5).IsEmpty());
}
