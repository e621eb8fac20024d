// Reshaping an arc through its handles under the lock regimes, the object bar and the move.
#include <gtest/gtest.h>

#include <cmath>

#include "elements/Arc.h"
#include "elements/Linear.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"
#include "platform/MemoryControlBar.h"

namespace {
// Upper arc with centre (10000, 0) and radius 10000 from (0, 0) to (20000, 0).
CArc HalfCircle(int32_t shift = 0) {
    return CArc(CPoint(shift, 0), CPoint(shift + 20000, 0), CPoint(shift + 10000, 10000));
}

struct ArcBar : ::testing::Test {
    void SetUp() override {
        view.SetObjectBar(&bar);
        view.SetFormatDigit(1);
    }
    CMemoryControlBar bar;
    CViewServices view;
};
}  // namespace

TEST(ArcKeepRadius, ChordLongerThanTheDiameterLeavesTheStart) {
    CArc arc = HalfCircle(10000);
    arc.SetHandle(arc.StartHandle(), 5000, 0, nullptr);
    EXPECT_EQ(arc.GetStart(), CPoint(10000, 0));
    EXPECT_EQ(arc.GetCenter(), CPoint(20000, 0));
}

TEST(ArcKeepRadius, StartMovesAndTheCentreFollowsAtTheSameRadius) {
    CArc arc = HalfCircle();
    arc.SetStartKeepingArc(4000, 3000);
    EXPECT_EQ(arc.GetStart(), CPoint(4000, 3000));
    EXPECT_EQ(arc.GetRadius(), 10000);
    EXPECT_NEAR(arc.GetYAt(4000 + 1), 3000, 20);
    EXPECT_EQ(arc.GetYAt(20000), 0);
    EXPECT_EQ(arc.GetOldStart(), CPoint(0, 0));  // what a revert goes back to
}

TEST(ArcKeepRadius, FullyLockedStartDoesNothing) {
    CArc arc = HalfCircle();
    arc.SetLock(kLockStartZ, 1);
    arc.SetLock(kLockStartX, 1);
    arc.SetStartKeepingArc(4000, 3000);
    EXPECT_EQ(arc.GetStart(), CPoint(0, 0));
}

TEST(ArcKeepCentre, RadiusChangesAndTheEndSlidesOnTheNewCircle) {
    CArc arc = HalfCircle();
    arc.SetLock(kLockCenterZ, 1);
    arc.SetStartKeepingArc(1000, 6000);
    EXPECT_EQ(arc.GetStart(), CPoint(1000, 6000));
    EXPECT_EQ(arc.GetEnd(), CPoint(20000, 4123));
    EXPECT_EQ(arc.GetRadius(), 10817);
    EXPECT_EQ(arc.GetCenter(), CPoint(10000, 0));
}

TEST(ArcKeepCentre, FullyLockedEndKeepsTheStart) {
    CArc arc = HalfCircle();
    arc.SetLock(kLockCenterZ, 1);
    arc.SetLock(kLockEndZ, 1);
    arc.SetLock(kLockEndX, 1);
    arc.SetStartKeepingArc(1000, 6000);
    EXPECT_EQ(arc.GetStart(), CPoint(0, 0));
    EXPECT_EQ(arc.GetRadius(), 10000);
}

TEST(ArcKeepCentre, EndThatCannotStayOnTheCircleReverts) {
    CArc arc = HalfCircle();
    arc.SetLock(kLockCenterZ, 1);
    arc.SetStartKeepingArc(2000, 3000);  // the smaller circle does not reach Z = 20000
    EXPECT_EQ(arc.GetStart(), CPoint(0, 0));
    EXPECT_EQ(arc.GetEnd(), CPoint(20000, 0));
}

TEST(ArcKeepCentre, EndWithItsHeightLockedMovesInZ) {
    CArc arc = HalfCircle();
    arc.SetLock(kLockCenterX, 1);
    arc.SetLock(kLockEndX, 1);
    arc.SetStartKeepingArc(2000, 0);
    EXPECT_EQ(arc.GetStart(), CPoint(2000, 0));
    EXPECT_EQ(arc.GetEnd(), CPoint(18000, 0));
    EXPECT_EQ(arc.GetRadius(), 8000);
}

TEST(ArcSlide, StartSlidesOnTheFixedCircleAndKeepsItsDistance) {
    CArc arc = HalfCircle();
    arc.SetLock(kLockCenterZ, 1);
    arc.SetLock(kLockRadius, 1);
    arc.SetStartKeepingArc(19500, 50);
    EXPECT_EQ(arc.GetStart(), CPoint(19000, 4359));
    EXPECT_EQ(arc.GetRadius(), 10000);
    EXPECT_EQ(arc.GetEnd(), CPoint(20000, 0));
}

TEST(ArcSlide, StartBelowTheAxisLandsWhereTheCircleMeetsIt) {
    // Centre (20000, -2500), radius 12500: the circle meets the axis at 7752.55 and 32247.45.
    CArc arc(CPoint(10000, 5000), CPoint(30000, 5000), CPoint(20000, 10000));
    ASSERT_EQ(arc.GetCenter(), CPoint(20000, -2500));
    arc.SetLock(kLockCenterX, 1);
    arc.SetLock(kLockRadius, 1);
    arc.SetStartKeepingArc(7700, 0);
    EXPECT_EQ(arc.GetStart(), CPoint(7753, 0));
}

TEST(ArcSlide, EndSlidesTowardTheStartOnlyTo1000) {
    CArc arc = HalfCircle();
    arc.SetLock(kLockCenterZ, 1);
    arc.SetLock(kLockRadius, 1);
    arc.SetEndKeepingArc(200, 9000);
    EXPECT_EQ(arc.GetEnd(), CPoint(1000, 4359));
    EXPECT_EQ(arc.GetStart(), CPoint(0, 0));
}

TEST(ArcSlide, StraightArcHasNoCircleToSlideOn) {
    CArc arc(CPoint(0, 1000), CPoint(20000, 1000), CPoint(10000, 1000));
    arc.SetLock(kLockCenterZ, 1);
    arc.SetLock(kLockRadius, 1);
    arc.SetStartKeepingArc(5000, 2000);
    EXPECT_EQ(arc.GetStart(), CPoint(0, 1000));
}

TEST(ArcCentre, FootOfThePerpendicularOnTheBisector) {
    CArc arc(CPoint(0, 5000), CPoint(20000, 5000), CPoint(10000, 8000));
    arc.SetCenter(3000, 1000);
    EXPECT_EQ(arc.GetCenter(), CPoint(10000, 1000));
    EXPECT_EQ(arc.GetRadius(), 10770);
    EXPECT_EQ(arc.GetCcw(), 1);

    CArc slanted(CPoint(0, 0), CPoint(20000, 4000), CPoint(10000, 8000));
    slanted.SetCenter(0, -20000);
    // The projection lies on the new chord's bisector: equally far from both ends.
    const CPoint c = slanted.GetCenter();
    const double ds = std::hypot(c.x - 0.0, c.y - 0.0), de = std::hypot(c.x - 20000.0, c.y - 4000.0);
    EXPECT_NEAR(ds, de, 2.0);
}

TEST(ArcCentre, SlantedChordsUseTheExactMiddleAndLevelOnesTheIntegerHalf) {
    // The bisector of (1, 3)-(20000, 4000) runs through (10000.5, 2001.5); the foot of the
    // perpendicular from (0, -20000) is (13844.93, -17232.72).
    CArc slanted(CPoint(1, 3), CPoint(20000, 4000), CPoint(10000, 8000));
    slanted.SetCenter(0, -20000);
    EXPECT_EQ(slanted.GetCenter(), CPoint(13845, -17233));
    EXPECT_EQ(slanted.GetRadius(), 22107);
    EXPECT_DOUBLE_EQ(slanted.GetExactCenterZ(), 13845.0);

    CArc steep(CPoint(0, 1), CPoint(30001, 5000), CPoint(15000, 9000));
    steep.SetCenter(5000, -30000);
    EXPECT_EQ(steep.GetCenter(), CPoint(20000, -27501));

    CArc level(CPoint(1, 5000), CPoint(20000, 5000), CPoint(10000, 8000));
    level.SetCenter(3000, 1000);
    EXPECT_EQ(level.GetCenter(), CPoint(10000, 1000));
}

TEST(ArcMidPoint, OnTheChordStraightensAndOffItCurvesAgain) {
    CArc arc = HalfCircle();
    arc.SetMidPoint(10000, 0);
    EXPECT_TRUE(arc.IsStraight());
    EXPECT_EQ(arc.GetMid(), CPoint(10000, 0));
    EXPECT_EQ(arc.GetYAt(5000), 0);
    arc.SetMidPoint(10000, 10000);
    EXPECT_FALSE(arc.IsStraight());
    EXPECT_EQ(arc.GetRadius(), 10000);
    EXPECT_EQ(arc.GetMid(), CPoint(10000, 10000));
}

TEST(ArcMove, StopsWithTheLowerEndOnTheAxis) {
    CArc arc(CPoint(0, 2000), CPoint(20000, 6000), CPoint(10000, 8000));
    const double cx = arc.GetExactCenterX();
    arc.Move(0, -100000, nullptr);
    EXPECT_EQ(arc.GetStart(), CPoint(0, 0));
    EXPECT_EQ(arc.GetEnd(), CPoint(20000, 4000));
    EXPECT_DOUBLE_EQ(arc.GetExactCenterX(), cx - 2000);
}

TEST(ArcMove, LowerArcIsLiftedUntilItTouchesTheAxis) {
    CArc arc(CPoint(0, 10000), CPoint(20000, 10000), CPoint(10000, 2000));
    arc.Move(0, -5000, nullptr);
    EXPECT_EQ(arc.GetStart(), CPoint(0, 8000));
    EXPECT_EQ(arc.GetEnd(), CPoint(20000, 8000));
    EXPECT_EQ(arc.GetCenter(), CPoint(10000, 10250));
    EXPECT_EQ(arc.GetMinY(), 0);
    EXPECT_EQ(arc.GetRadius(), 10250);
}

TEST(ArcMove, AxialPartStaysInsideTheDrawingAndOldPointsPrecedeTheWholeMove) {
    CViewServices view;
    view.SetDrawingLength(100000);
    CArc arc = HalfCircle(50000);
    arc.Move(70000, 3000, &view);
    EXPECT_EQ(arc.GetStart(), CPoint(80000, 3000));
    EXPECT_EQ(arc.GetEnd(), CPoint(100000, 3000));
    EXPECT_EQ(arc.GetCenter(), CPoint(90000, 3000));
    EXPECT_EQ(arc.GetOldStart(), CPoint(50000, 0));
    arc.SetLock(kLockCenterZ, 1);
    arc.Move(-5000, 0, &view);
    EXPECT_EQ(arc.GetStart().x, 80000);
}

TEST(ArcHandles, HitTestPrefersTheStartAndSkipsAStraightCentre) {
    CViewServices view;
    view.SetZoomValue(2000);  // 10000 model units are 10 pixels
    CArc arc = HalfCircle();
    EXPECT_EQ(arc.HitTestHandle(0, 0, &view, 12), arc.StartHandle());
    EXPECT_EQ(arc.HitTestHandle(10, 0, &view, 3), arc.CenterHandle());
    EXPECT_EQ(arc.HitTestHandle(10, -10, &view, 3), arc.MidHandle());
    EXPECT_EQ(arc.HitTestHandle(10, 3, &view, 3), nullptr);
    EXPECT_EQ(arc.GetHandle(arc.CenterHandle()), CPoint(10000, 0));
    EXPECT_EQ(arc.GetHandle(nullptr), CPoint());
    arc.SetMidPoint(10000, 0);
    EXPECT_EQ(arc.HitTestHandle(10, 0, &view, 3), arc.MidHandle());
}

TEST_F(ArcBar, FillShowsPointsCircleTypeAndLocks) {
    for (const char* e : {"Undefined", "Linear", "Arc", "Selection", "DoubleArc"}) {
        bar.AddString(IDC_TYPE, e);
    }
    CArc arc = HalfCircle();
    arc.SetLock(kLockRadius, 1);
    arc.SetLock(kLockCenterX, 1);
    arc.m_nSpeed = 800;
    arc.FillPropertyBar(&view);
    EXPECT_EQ(bar.GetText(IDC_END_Z), "2.0");
    EXPECT_EQ(bar.GetText(IDC_STEER_I), "1.0");
    EXPECT_EQ(bar.GetText(IDC_STEER_J), "0.0");
    EXPECT_EQ(bar.GetText(IDC_RADIUS), "1.0");
    EXPECT_EQ(bar.GetCurSel(IDC_TYPE), 2);
    EXPECT_EQ(bar.GetCheck(IDC_LOCK_RADIUS), 1);
    EXPECT_EQ(bar.GetCheck(IDC_LOCK_J), 1);
    EXPECT_EQ(bar.GetCheck(IDC_LOCK_I), 0);
    EXPECT_EQ(bar.GetEntry(IDC_VELOCITY, bar.GetCurSel(IDC_VELOCITY)), "800");
}

TEST_F(ArcBar, DraggingWritesTheChangedFieldsAndMarksThemTyped) {
    CArc arc = HalfCircle();
    arc.SetHandle(arc.MidHandle(), 10000, 5000, &view);
    EXPECT_EQ(arc.IsEdited(kEditedMidZ), 1);
    EXPECT_EQ(arc.IsEdited(kEditedMidX), 1);
    EXPECT_EQ(arc.IsEdited(kEditedCenterZ), 0);
    EXPECT_EQ(bar.GetText(IDC_STEER_J), "-0.8");  // centre (10000, -7500), radius 12500
    EXPECT_EQ(bar.GetText(IDC_RADIUS), "1.2");
    bar.SetText(IDC_STEER_I, "");
    arc.SetHandle(arc.StartHandle(), -300, 0, &view);
    EXPECT_EQ(arc.GetStart(), CPoint(0, 0));
    EXPECT_EQ(arc.IsEdited(0), 1);
    EXPECT_EQ(bar.GetText(IDC_STEER_I), "");  // the centre did not move
}

TEST_F(ArcBar, ReadValuesAppliesOnlyTypedFields) {
    CArc arc(CPoint(0, 0), CPoint(20000, 0), CPoint(10000, 5000));
    bar.SetText(IDC_START_X, "0.3");
    bar.SetText(IDC_START_Z, "abc");
    bar.SetText(IDC_END_Z, "9.9");
    arc.SetEdited(0, 1);
    arc.SetEdited(1, 1);
    arc.ReadPropertyBar(&view);
    EXPECT_EQ(arc.GetStart(), CPoint(0, 3000));
    EXPECT_EQ(arc.GetEnd(), CPoint(20000, 0));
    // The untyped I= and J= still hold the former centre, which is projected on the new chord.
    const CPoint c = arc.GetCenter();
    EXPECT_NEAR(arc.GetRadius(), std::hypot(c.x, c.y - 3000.0), 1);
    EXPECT_NEAR(arc.GetRadius(), std::hypot(c.x - 20000.0, c.y), 1);
}

TEST(ArcSlide, LowerArcCannotSlidePastTheBottomOfACircleBelowTheAxis) {
    // The circle dips 114 below the axis; the start sits where it meets the axis on the right.
    CArc arc;
    arc.m_ptStart = CPoint(285777, 0);
    arc.m_ptEnd = CPoint(307300, 23736);
    arc.SetCcw(0);
    arc.SetCircle(283450.0, 23736.0, 23849.8);
    arc.ApplyOverflowGuard();
    arc.SetLock(kLockCenterX, 1);
    arc.SetLock(kLockRadius, 1);
    arc.SetStartKeepingArc(249207, 0);
    EXPECT_EQ(arc.GetStart(), CPoint(285777, 0));
    EXPECT_GE(arc.GetMinY(), 0);
}

namespace {
// A lower arc whose circle through its three points cut the axis, refitted tangent to it: the
// refit leaves the exact lowest point a rounding error below the axis.
CArc TangentLowerArc() {
    CArc arc(CPoint(0, 10000), CPoint(40000, 5000), CPoint(20000, 0));
    arc.SetLock(kLockCenterZ, 1);
    arc.SetLock(kLockRadius, 1);
    return arc;
}
}  // namespace

TEST(ArcSlide, EndOfAnArcTangentToTheAxisSlidesOnItsCircle) {
    CArc arc = TangentLowerArc();
    ASSERT_EQ(Round(arc.GetExactCenterX() - arc.GetExactRadius()), 0);
    const CPoint start = arc.GetStart();
    arc.SetHandle(arc.EndHandle(), 40500, 5300, nullptr);
    EXPECT_EQ(arc.GetEnd(), CPoint(40500, 5329));
    EXPECT_EQ(arc.GetStart(), start);
    EXPECT_EQ(arc.GetMinY(), 0);

    CArc back = TangentLowerArc();
    back.SetHandle(back.StartHandle(), 1000, 0, nullptr);
    const double cz = back.GetExactCenterZ(), cx = back.GetExactCenterX(), r = back.GetExactRadius();
    EXPECT_EQ(back.GetStart(), CPoint(1000, Round(cx - std::sqrt(r * r - (1000 - cz) * (1000 - cz)))));
}

TEST_F(ArcBar, ReadValuesWithNothingTypedKeepsATangentArc) {
    CArc arc = TangentLowerArc();
    const CArc before = arc;
    arc.FillPropertyBar(&view);
    arc.ReadPropertyBar(&view);
    EXPECT_EQ(arc.GetStart(), before.GetStart());
    EXPECT_EQ(arc.GetEnd(), before.GetEnd());
    EXPECT_EQ(arc.GetMinY(), 0);
}

TEST(ArcSlide, OnlyADipOfAWholeUnitStopsTheSlideAtTheAxis) {
    // Centre (20000, 10000): the bottom of the circle lies 0.4 or 0.6 below the axis.
    for (const double dip : {0.4, 0.6}) {
        CArc arc;
        arc.m_ptStart = CPoint(5000, 10000 - 6614);
        arc.m_ptEnd = CPoint(15000, 10000 - 8660);
        arc.SetCcw(0);
        arc.SetCircle(20000.0, 10000.0, 10000.0 + dip);
        arc.ApplyOverflowGuard();
        arc.SetLock(kLockCenterZ, 1);
        arc.SetLock(kLockRadius, 1);
        arc.SetEndKeepingArc(25000, 0);
        SCOPED_TRACE(dip);
        if (dip < 0.5) {
            EXPECT_EQ(arc.GetEnd().x, 25000);
        } else {
            // Where the circle meets the axis left of its bottom: 20000 - sqrt(r^2 - 10000^2).
            EXPECT_EQ(arc.GetEnd(), CPoint(Round(20000 - std::sqrt(20000 * dip + dip * dip)), 0));
        }
        EXPECT_GE(arc.GetMinY(), 0);
    }
}
