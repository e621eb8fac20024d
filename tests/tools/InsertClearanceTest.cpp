// The insert's edges against the part: a left-hand tool is the mirror image of a right-hand one.
#include <gtest/gtest.h>

#include "tools/InsertClearance.h"

namespace {

std::vector<CNosePathSegment> Lines(const std::vector<CNosePathPoint>& points) {
    std::vector<CNosePathSegment> lines;
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        CNosePathSegment s;
        s.start = points[i];
        s.end = points[i + 1];
        lines.push_back(s);
    }
    return lines;
}

}  // namespace

TEST(InsertClearance, ALeftHandToolClearsWhereItsMirrorImageDoes) {
    // X 10 up to Z 20, a step up to X 15, and its mirror image about Z 20.
    const auto step = Lines({{0, 10}, {20, 10}, {20, 15}, {40, 15}});
    const auto mirrored = Lines({{0, 15}, {20, 15}, {20, 10}, {40, 10}});
    CTool right;
    right.dNoseRadius = 0.4;
    right.nOrientation = 2;
    right.dFrontAngle = 87;
    right.dBackAngle = 32;
    CTool left = right;
    left.nOrientation = 1;
    left.dFrontAngle = 93;
    left.dBackAngle = 148;
    const CInsertClearance a(step, right);
    const CInsertClearance b(mirrored, left);
    EXPECT_DOUBLE_EQ(a.PartRadiusAt(10), 10.0);
    EXPECT_DOUBLE_EQ(a.PartRadiusAt(20), 15.0);  // the higher side at a step
    int blocked = 0;
    for (double z = 0.5; z < 20; z += 0.25) {
        // The tip on the lower flat's compensated path: the right-hand tool's body leans over the
        // step ahead of it, as the left-hand tool's does over the mirrored one.
        const bool clears = a.Clears({z - 0.4, 10});
        EXPECT_EQ(clears, b.Clears({40 - z + 0.4, 10})) << z;
        blocked += clears ? 0 : 1;
    }
    EXPECT_GT(blocked, 0);
    EXPECT_LT(blocked, 60);
    // A round insert has no edges to collide.
    right.cShape = 'R';
    EXPECT_TRUE(CInsertClearance(step, right).Clears({19.6, 10}));
}
