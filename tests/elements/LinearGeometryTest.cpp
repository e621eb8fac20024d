// The line's integer contour formula and its setters.
#include <gtest/gtest.h>

#include "elements/Linear.h"

TEST(LinearGeometry, YAtUsesTruncatedSlopeAndExactEnds) {
    CLinear line(0, 0, 10000, 5000);
    EXPECT_EQ(line.GetYAt(5000), 2500);
    EXPECT_EQ(line.GetYAt(10001), -1);
    EXPECT_EQ(line.GetYAt(-1), -1);
    EXPECT_EQ(line.GetYAt(0), 0);
    EXPECT_EQ(line.GetYAt(10000), 5000);
}

TEST(LinearGeometry, LargeRadialDifferenceDoesNotOverflow) {
    // 2000 mm base: a 1000 mm radial rise over 1 mm would overflow a 32-bit product.
    CLinear line(0, 0, 10000, 10000000);
    EXPECT_EQ(line.GetYAt(5000), 5000000);
}

TEST(LinearGeometry, SetStartClampsAndHonoursLocks) {
    CLinear line(0, 0, 10000, 0);
    line.SetStart(9950, -3);
    EXPECT_EQ(line.GetStart(), CPoint(9900, 0));
    line.SetLock(kLockStartZ, 1);
    line.SetStart(100, 50);
    EXPECT_EQ(line.GetStart(), CPoint(9900, 50));
}
