// The line's geometry, editing, post-processor values, copies and labels.
#include <gtest/gtest.h>

#include "elements/Linear.h"
#include "elements/ViewServices.h"

TEST(LinearYAt, EndsAreExactWhereTheTruncatedFormulaIsNot) {
    CLinear line(1500, 0, 3700, 1000);
    // k = 454, c = -454: the formula would give 908 at the end.
    EXPECT_EQ(line.GetYAt(3700), 1000);
    EXPECT_EQ(line.GetYAt(1500), 0);
    EXPECT_EQ(line.GetYAt(2000), 454);
    EXPECT_EQ(line.GetYAt(2999), 454);  // x is cut to whole thousands
    EXPECT_EQ(line.GetYAt(1499), -1);
    CLinear flat(0, 777, 5000, 777);
    EXPECT_EQ(flat.GetYAt(1234), 777);
}

TEST(LinearSlopes, FloatingSlopeAndNoSlopeMarker) {
    CLinear line(0, 0, 10000, 5000);
    EXPECT_DOUBLE_EQ(line.GetStartSlope(), 0.5);
    EXPECT_DOUBLE_EQ(line.GetEndSlope(), 0.5);
    EXPECT_DOUBLE_EQ(line.GetSlopeAt(10000), 0.5);
    EXPECT_EQ(line.GetSlopeAt(10001), kNoSlope);
    CLinear vertical(500, 0, 500, 100);
    EXPECT_EQ(vertical.GetStartSlope(), kNoSlope);
    EXPECT_EQ(vertical.GetSlopeAt(500), kNoSlope);
}

TEST(LinearSetters, EndKeepsMinimumLengthAxisAndLocks) {
    CLinear line(5000, 10, 20000, 10);
    line.SetEnd(5050, -9);
    EXPECT_EQ(line.GetEnd(), CPoint(5100, 0));
    line.SetLock(kLockEndX, 1);
    line.SetEnd(30000, 400);
    EXPECT_EQ(line.GetEnd(), CPoint(30000, 0));
    EXPECT_EQ(line.GetBounds(), CRect(5000, 10, 30000, -10));
    CLinear origin;
    origin.SetStart(5000000, 3);  // an end at 0 does not hold the start back
    EXPECT_EQ(origin.GetStart(), CPoint(5000000, 3));
}

TEST(LinearSetters, ExtremeCoordinatesSaturateInsteadOfWrapping) {
    CLinear line(0, 0, INT32_MIN + 50, 0);
    line.SetStart(0, 0);
    EXPECT_EQ(line.GetStart().x, INT32_MIN);
    CLinear far(INT32_MAX - 10, 0, INT32_MAX, 0);
    far.SetEnd(0, 0);
    EXPECT_EQ(far.GetEnd().x, INT32_MAX);
    far.MirrorAt(INT32_MAX);
    EXPECT_EQ(far.GetEnd().x, INT32_MAX);
    far.Move(INT32_MAX, INT32_MAX, nullptr);
    EXPECT_EQ(far.GetStart().y, INT32_MAX);
}

TEST(LinearMove, LowerEndLandsOnTheAxis) {
    CLinear line(1000, 200, 11000, 700);
    line.Move(0, -500, nullptr);
    EXPECT_EQ(line.GetStart(), CPoint(1000, 0));
    EXPECT_EQ(line.GetEnd(), CPoint(11000, 500));
    EXPECT_EQ(line.GetOldStart(), CPoint(1000, 200));
    EXPECT_EQ(line.GetOldEnd(), CPoint(11000, 700));
}

TEST(LinearMove, StaysWithinTheDrawingLengthAndHonoursLocks) {
    CViewServices view;
    view.SetDrawingLength(100000);
    CLinear line(10000, 0, 30000, 0);
    line.Move(-50000, 0, &view);
    EXPECT_EQ(line.GetStart(), CPoint(0, 0));
    EXPECT_EQ(line.GetEnd(), CPoint(20000, 0));
    line.Move(500000, 0, &view);
    EXPECT_EQ(line.GetEnd(), CPoint(100000, 0));
    EXPECT_EQ(line.GetStart(), CPoint(80000, 0));
    line.SetLock(kLockEndZ, 1);
    line.SetLock(kLockStartX, 1);
    line.Move(-5000, 300, &view);
    EXPECT_EQ(line.GetStart(), CPoint(80000, 0));
}

TEST(LinearMirror, MirrorAtSwapsEndsAndTurnSwapsRadii) {
    CLinear line(100, 5, 300, 7);
    line.MirrorAt(0);
    EXPECT_EQ(line.GetStart(), CPoint(-300, 7));
    EXPECT_EQ(line.GetEnd(), CPoint(-100, 5));
    EXPECT_EQ(line.GetOldStart(), CPoint(100, 5));
    line.Turn(nullptr);
    EXPECT_EQ(line.GetStart(), CPoint(-300, 5));
    line.Mirror(nullptr);
    EXPECT_EQ(line.GetStart(), CPoint(-300, 7));
    EXPECT_EQ(line.GetEnd(), CPoint(-100, 5));
}

TEST(LinearLocks, IndicesMapToTheMembers) {
    CLinear line;
    line.SetLock(kLockStartZ, 1);
    line.SetLock(kLockEndX, 1);
    line.SetLock(4, 1);
    EXPECT_EQ(line.m_bLockStartX, 1);
    EXPECT_EQ(line.m_bLockEndY, 1);
    EXPECT_EQ(line.m_bLockStartY + line.m_bLockEndX, 0);
    EXPECT_EQ(line.GetLock(4), 0);
    EXPECT_EQ(line.GetLock(-1), 0);
    line.SetEdited(3, 1);
    line.SetEdited(9, 1);
    EXPECT_EQ(line.IsEdited(3), 1);
    EXPECT_EQ(line.IsEdited(9), 0);
    line.ClearEdited();
    EXPECT_EQ(line.IsEdited(3), 0);
}

TEST(LinearValues, EndCoordinatesByDirectionAndRelativeFlag) {
    CLinear line(20000, 10000, 50000, 15000);
    EXPECT_DOUBLE_EQ(line.GetValue("EndZ", 1, 0, 0), -3.0);
    EXPECT_DOUBLE_EQ(line.GetValue("EndZ", 1, 1, 1), 3.0);
    EXPECT_DOUBLE_EQ(line.GetValue("EndZ", 0, 0, 1), 5.0);
    EXPECT_DOUBLE_EQ(line.GetValue("EndZ", 0, 0, 0), 2.0);
    EXPECT_DOUBLE_EQ(line.GetValue("EndX", 0, 0, 1), 1.5);
    EXPECT_DOUBLE_EQ(line.GetValue("EndX", 1, 0, 0), -0.5);
    EXPECT_EQ(line.GetValue("endz", 0, 0, 1), kNoValue);
    EXPECT_EQ(line.GetValue("Rad", 0, 0, 1), kNoValue);
}

TEST(LinearValues, SpeedAndFeedAnswerNoValueWhenUnset) {
    CLinear line(0, 0, 1000, 0);
    EXPECT_EQ(line.GetValue("Speed", 0, 0, 1), kNoValue);
    line.SetSpeed(1200);
    EXPECT_DOUBLE_EQ(line.GetValue("Speed", 0, 0, 1), 1200.0);
    EXPECT_EQ(line.GetValue("Feed", 1, 0, 0), kNoValue);
    line.SetFeed(0);
    EXPECT_DOUBLE_EQ(line.GetValue("Feed", 1, 0, 0), 0.0);
}

TEST(LinearValues, DivisionPointsTruncateToWholeMillimetres) {
    CLinear line(0, 0, 100000, 50000);
    EXPECT_DOUBLE_EQ(line.GetValueAtX("EndZ", 0, 1, 1, 25999), 2.0);
    EXPECT_EQ(line.GetValueAtX("EndZ", 0, 1, 0, 25999), kNoValue);
    EXPECT_DOUBLE_EQ(line.GetValueAtX("EndX", 0, 1, 1, 40000), 2.0);
    EXPECT_DOUBLE_EQ(line.GetValueAtX("EndX", 20000, 1, 0, 40000), 3.0);
    EXPECT_DOUBLE_EQ(line.GetValueAtX("EndX", 20000, 0, 0, 40000), 1.0);
    EXPECT_DOUBLE_EQ(line.GetValueAtX("EndX", INT32_MAX, 1, 0, INT32_MAX), 0.0);  // outside: -1 / 10000
    EXPECT_EQ(line.GetValueAtX("Feed", 0, 1, 1, 0), kNoValue);
}

TEST(LinearLabel, ShowsWholeCentimetres) {
    CLinear line(0, 0, 99999, 0);
    line.SetNumber(7);
    EXPECT_EQ(line.GetLabel(), "Linear 7 (0, 0)");
    CLinear three(0, 0, 1250000, 0);
    three.SetNumber(3);
    EXPECT_EQ(three.GetLabel(), "Linear 3 (0, 12)");
}

TEST(LinearHandles, StrictToleranceAndStartWins) {
    CViewServices view;  // zoom 100, scale 50: 20 000 units per pixel
    CLinear line(0, 0, 200000, 0);  // pixels (0, 0) and (10, 0)
    EXPECT_EQ(line.HitTestHandle(3, 4, &view, 5), nullptr);   // distance exactly 5
    EXPECT_EQ(line.HitTestHandle(3, 4, &view, 6), line.StartHandle());
    EXPECT_EQ(line.HitTestHandle(13, 4, &view, 6), line.EndHandle());
    EXPECT_EQ(line.HitTestHandle(13, 4, &view, 5), nullptr);
    CLinear shortLine(0, 0, 40000, 0);  // pixels (0, 0) and (2, 0)
    EXPECT_EQ(shortLine.HitTestHandle(1, 0, &view, 5), shortLine.StartHandle());
    EXPECT_EQ(line.HitTestHandle(0, 0, &view, 0), nullptr);
    EXPECT_EQ(line.HitTestHandle(0, 0, nullptr, 5), nullptr);
    EXPECT_EQ(line.GetHandle(line.EndHandle()), CPoint(200000, 0));
    CPoint other;
    EXPECT_EQ(line.GetHandle(&other), CPoint());
}

TEST(LinearCopies, CloneAndPartsCarryAttributesButNotTypedFlags) {
    CLinear line(0, 0, 10000, 5000);
    line.SetNumber(4);
    line.SetFeed(300);
    line.SetSpeed(1200);
    line.SetLeave(-2);
    line.SetLock(kLockEndX, 1);
    line.Move(10, 0, nullptr);
    line.SetEdited(0, 1);
    auto clone = line.Clone();
    EXPECT_EQ(clone->GetStart(), line.GetStart());
    EXPECT_EQ(clone->GetNumber(), 4);
    EXPECT_EQ(clone->GetFeed(), 300);
    EXPECT_EQ(clone->GetSpeed(), 1200);
    EXPECT_EQ(clone->GetLeave(), -2);
    EXPECT_EQ(clone->GetLock(kLockEndX), 1);
    EXPECT_EQ(clone->GetOldStart(), CPoint(0, 0));
    EXPECT_EQ(clone->IsEdited(0), 0);

    // The locked end X kept the move from shifting the line: it still rises 1 in 2 from (0, 0).
    auto part = line.CreatePart(5000, 7000);
    EXPECT_EQ(part->GetStart(), CPoint(5000, 2500));
    EXPECT_EQ(part->GetEnd(), CPoint(7000, 3500));
    EXPECT_EQ(part->GetSpeed(), 1200);
    EXPECT_EQ(part->GetLock(kLockEndX), 1);
    EXPECT_EQ(part->GetKind(), kKindLine);
}

TEST(LinearCopies, ConversionTakesPointsLocksAndRatesButNotTheNumber) {
    CLinear src(100, 200, 300, 400);
    src.SetNumber(9);
    src.SetSpeed(5);
    src.SetLeave(700);
    src.SetLock(kLockStartX, 1);
    src.MirrorAt(1000);
    const CLinear line(static_cast<const CPiece&>(src));
    EXPECT_EQ(line.GetStart(), src.GetStart());
    EXPECT_EQ(line.GetOldStart(), src.GetStart());
    EXPECT_EQ(line.GetSpeed(), 5);
    EXPECT_EQ(line.GetLeave(), 700);
    EXPECT_EQ(line.GetLock(kLockStartX), 1);
    EXPECT_EQ(line.GetNumber(), 0);
    EXPECT_EQ(line.GetInterpolationName(), "line");
    EXPECT_EQ(line.GetObjectName(), "line");
    EXPECT_EQ(line.IsCompound(), 0);
}

TEST(LinearCut, CutsFollowTheContourWithoutLocks) {
    CLinear line(0, 0, 10000, 5000);
    line.SetLock(kLockStartZ, 1);
    line.CutStartAt(4000, nullptr);
    EXPECT_EQ(line.GetStart(), CPoint(4000, 2000));
    line.CutEndAt(8000, nullptr);
    EXPECT_EQ(line.GetEnd(), CPoint(8000, 4000));
    EXPECT_EQ(line.GetMinY(), 2000);
    EXPECT_EQ(line.GetMaxY(), 4000);
}
