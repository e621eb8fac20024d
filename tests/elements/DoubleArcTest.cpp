// The double arc: its recomputation, queries, handles, transformations, parts and record.
#include <gtest/gtest.h>

#include <cmath>

#include "elements/Arc.h"
#include "elements/DoubleArc.h"
#include "elements/Linear.h"
#include "elements/ViewServices.h"
#include "platform/ControlIds.h"
#include "platform/MemoryControlBar.h"
#include "platform/Messages.h"

namespace {
// A rising S-curve leaving the start level: a lower arc on the circle (0, 52500) r 42500 up to
// the junction, then an upper arc on (40000, -22500) r 42500 up to its apex at the end.
CDoubleArc SCurve() {
    return CDoubleArc(CPoint(0, 10000), CPoint(20000, 15000), CPoint(40000, 20000), CPoint(-10000, 10000));
}

// Radial coordinate of the curve at z sampled across the span.
void ExpectSameCurve(const CPiece& a, const CPiece& b, int32_t from, int32_t to, int tolerance) {
    for (int32_t z = from; z <= to; z += (to - from) / 16) {
        EXPECT_NEAR(a.GetYAt(z), b.GetYAt(z), tolerance) << "at " << z;
    }
}
}  // namespace

TEST(DoubleArcGeometry, CentresOfTheSCurve) {
    const CDoubleArc arc = SCurve();
    EXPECT_DOUBLE_EQ(arc.m_dCenter1Z, 0.0);
    EXPECT_DOUBLE_EQ(arc.m_dCenter1X, 52500.0);
    EXPECT_DOUBLE_EQ(arc.m_dRadius1, 42500.0);
    EXPECT_EQ(arc.m_bUpper1, 0);
    EXPECT_DOUBLE_EQ(arc.m_dCenter2Z, 40000.0);
    EXPECT_DOUBLE_EQ(arc.m_dCenter2X, -22500.0);
    EXPECT_DOUBLE_EQ(arc.m_dRadius2, 42500.0);
    EXPECT_EQ(arc.m_bUpper2, 1);
    EXPECT_EQ(arc.GetYAt(10000), 11193);
    EXPECT_EQ(arc.GetYAt(30000), 18807);
    EXPECT_EQ(arc.GetMaxY(), 20000);
    EXPECT_EQ(arc.GetMinY(), 10000);
}

TEST(DoubleArcGeometry, YAtTheThreePointsAndOutside) {
    const CDoubleArc arc = SCurve();
    EXPECT_EQ(arc.GetYAt(0), 10000);
    EXPECT_EQ(arc.GetYAt(20000), 15000);
    EXPECT_EQ(arc.GetYAt(40000), 20000);
    EXPECT_EQ(arc.GetYAt(-1), -1);
    EXPECT_EQ(arc.GetYAt(40001), -1);
    EXPECT_EQ(arc.GetSlopeAt(40001), kNoSlope);
}

TEST(DoubleArcGeometry, StraightFirstPartUsesTheLineFormula) {
    // The direction continues the chord S-M: no circle touches it there.
    const CDoubleArc arc(CPoint(10000, 5000), CPoint(30000, 7000), CPoint(50000, 12000), CPoint(0, 4000));
    EXPECT_EQ(arc.m_dRadius1, 0.0);
    EXPECT_GT(arc.m_dRadius2, 0.0);
    for (int32_t z : {12345, 20000, 29999}) {
        EXPECT_EQ(arc.GetYAt(z), CLinear::LineYAt(CPoint(10000, 5000), CPoint(30000, 7000), z));
    }
}

TEST(DoubleArcGeometry, ArcsShareTheirTangentAtTheJunction) {
    const CDoubleArc arc(CPoint(0, 10000), CPoint(25000, 18000), CPoint(40000, 12000), CPoint(-5000, 8000));
    EXPECT_NEAR(arc.GetSlopeAt(25000), arc.GetSlopeAt(25001), 0.01);
    // The junction lies on the line through both centres.
    const double cross = (arc.m_dCenter1Z - 25000) * (arc.m_dCenter2X - 18000) -
                         (arc.m_dCenter1X - 18000) * (arc.m_dCenter2Z - 25000);
    EXPECT_NEAR(cross / (arc.m_dRadius1 * arc.m_dRadius2), 0.0, 1e-9);
}

TEST(DoubleArcWindow, RisingCurveClampsTheDirectionOntoTheLimitLine) {
    const CDoubleArc arc(CPoint(0, 10000), CPoint(20000, 15000), CPoint(40000, 20000), CPoint(-1000, 0));
    const double upper = arc.GetMaxAngle();
    EXPECT_NEAR(upper, CDoubleArc::kPi / 2 - 2 * std::atan(0.25), 1e-9);
    const CPoint d = arc.GetDirection();
    EXPECT_EQ(d.x, -1000);
    EXPECT_NEAR(std::atan2(10000.0 - d.y, 0.0 - d.x), upper, 1e-3);
    // The first arc leaves the start along that line.
    const double tangent = -arc.GetSlopeAt(0);
    EXPECT_NEAR(std::atan(tangent), upper, 1e-3);
}

TEST(DoubleArcWindow, CrestWithoutRoomAndJunctionOffTheCircleAsksAndKeepsTheJunction) {
    CRecordingMessages messages;
    const CDoubleArc arc(CPoint(0, 10000), CPoint(20001, 15000), CPoint(20001, 10000), CPoint(-5000, 10000),
                         &messages);
    ASSERT_EQ(messages.GetBoxes().size(), 1u);
    EXPECT_EQ(messages.GetBoxes()[0].strText, "Diskriminat nula");
    EXPECT_EQ(messages.GetBoxes()[0].strCaption, "Error");
    EXPECT_EQ(messages.GetBoxes()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(arc.GetJunction(), CPoint(20001, 15000));
    EXPECT_TRUE(std::isfinite(arc.m_dRadius1));
    EXPECT_TRUE(std::isfinite(arc.m_dRadius2));
}

TEST(DoubleArcWindow, CrestWithoutRoomMovesTheJunctionOntoTheCircleOverTheChord) {
    CRecordingMessages messages;
    const CDoubleArc arc(CPoint(0, 10000), CPoint(19000, 15000), CPoint(20000, 10000), CPoint(-5000, 10000),
                         &messages);
    EXPECT_TRUE(messages.GetBoxes().empty());
    // On the circle with diameter S-E: centre (10000, 10000), radius 10000.
    const CPoint m = arc.GetJunction();
    EXPECT_EQ(m.x, 19000);
    EXPECT_NEAR(std::hypot(m.x - 10000.0, m.y - 10000.0), 10000.0, 1.0);
    EXPECT_DOUBLE_EQ(arc.GetMinAngle(), -CDoubleArc::kPi / 2);
    EXPECT_DOUBLE_EQ(arc.GetMaxAngle(), -CDoubleArc::kPi / 2);
}

TEST(DoubleArcWindow, GentleTroughKeepsItsJunction) {
    CRecordingMessages messages;
    const CDoubleArc arc(CPoint(0, 20000), CPoint(20000, 15000), CPoint(40000, 20000), CPoint(-5000, 21000),
                         &messages);
    EXPECT_TRUE(messages.GetBoxes().empty());
    EXPECT_EQ(arc.GetJunction(), CPoint(20000, 15000));
    EXPECT_EQ(arc.GetYAt(20000), 15000);
}

TEST(DoubleArcDirection, ResetPutsItOnTheStartTangentAtLeast1000Left) {
    CDoubleArc arc(CPoint(0, 10000), CPoint(2500, 11000), CPoint(5000, 11500), CPoint(-1000, 9700));
    arc.ResetDirection();
    const CPoint d = arc.GetDirection();
    EXPECT_EQ(d.x, -1000);
    const double rise = (arc.GetYAt(20) - 10000) / 20.0;
    EXPECT_NEAR(d.y, 10000 - 1000 * rise, 15);
    EXPECT_LT(d.y, 10000);

    // One tenth of a longer element.
    CDoubleArc longer = SCurve();
    longer.ResetDirection();
    EXPECT_EQ(longer.GetDirection(), CPoint(-4000, 10000));
}

TEST(DoubleArcDirection, DraggedDirectionStaysLeftOfTheStartAndReshapes) {
    CDoubleArc arc = SCurve();
    // Z is limited to the start's; straight below the start lies outside the window, so the
    // point goes onto the window's limit line left of the start.
    arc.SetHandle(arc.DirectionHandle(), 5000, 9000, nullptr);
    EXPECT_EQ(arc.GetDirection().x, -1000);
    EXPECT_NEAR(std::atan2(10000.0 - arc.GetDirection().y, 1000.0), arc.GetMaxAngle(), 1e-3);
    arc.SetHandle(arc.DirectionHandle(), -10000, 9000, nullptr);
    EXPECT_EQ(arc.GetYAt(20000), 15000);
    EXPECT_NE(arc.m_dCenter1Z, 0.0);
    EXPECT_EQ(arc.IsEdited(kEditedDirectionZ), 1);
    arc.SetLock(kLockDirection, 1);
    arc.SetHandle(arc.DirectionHandle(), -20000, 0, nullptr);
    EXPECT_EQ(arc.GetDirection(), CPoint(-10000, 9000));
}

TEST(DoubleArcHandles, StartEndAndJunctionRecompute) {
    CViewServices view;
    CMemoryControlBar bar;
    view.SetObjectBar(&bar);
    view.SetFormatDigit(1);
    CDoubleArc arc = SCurve();
    arc.SetHandle(arc.StartHandle(), 5000, 11000, &view);
    EXPECT_EQ(arc.GetStart(), CPoint(5000, 11000));
    EXPECT_EQ(bar.GetText(IDC_START_Z), "0.5");
    arc.SetHandle(arc.EndHandle(), 45000, 21000, &view);
    EXPECT_EQ(arc.GetEnd(), CPoint(45000, 21000));
    EXPECT_EQ(arc.GetYAt(45000), 21000);
    EXPECT_NEAR(arc.GetYAt(44999), 21000, 3);  // the second circle runs through the new end
    arc.SetHandle(arc.JunctionHandle(), 25000, 16000, &view);
    EXPECT_EQ(arc.GetJunction(), CPoint(25000, 16000));
    EXPECT_EQ(bar.GetText(IDC_STEER_I), "2.5");
    EXPECT_NEAR(arc.GetYAt(24999), 16000, 3);
    EXPECT_NEAR(arc.GetYAt(25001), 16000, 3);
    // The junction stays between the ends.
    arc.SetHandle(arc.JunctionHandle(), 90000, 16000, &view);
    EXPECT_EQ(arc.GetJunction().x, 44900);
}

TEST(DoubleArcHandles, BarLockBoxesMapToTheJunctionLocks) {
    CDoubleArc arc = SCurve();
    arc.SetLock(4, 1);
    EXPECT_EQ(arc.GetLock(kLockJunctionZ), 1);
    arc.SetLock(kLockJunctionX, 1);
    EXPECT_EQ(arc.GetLock(5), 1);
    arc.SetHandle(arc.JunctionHandle(), 25000, 16000, nullptr);
    EXPECT_EQ(arc.GetJunction(), CPoint(20000, 15000));
    EXPECT_EQ(arc.GetLock(6), 0);

    CViewServices view;
    CMemoryControlBar bar;
    view.SetObjectBar(&bar);
    for (const char* e : {"Undefined", "Linear", "Arc", "Selection", "DoubleArc"}) {
        bar.AddString(IDC_TYPE, e);
    }
    bar.SetCheck(IDC_LOCK_RADIUS, 1);
    arc.FillPropertyBar(&view);
    EXPECT_EQ(bar.GetCurSel(IDC_TYPE), 4);
    EXPECT_EQ(bar.GetCheck(IDC_LOCK_I), 1);
    EXPECT_EQ(bar.GetCheck(IDC_LOCK_J), 1);
    EXPECT_EQ(bar.GetCheck(IDC_LOCK_RADIUS), 0);
    EXPECT_EQ(bar.GetText(IDC_STEER_J), view.FormatLength(15000));
}

TEST(DoubleArcHandles, HitTestOrderAndFullyLockedStart) {
    CViewServices view;
    view.SetZoomValue(2000);  // 10000 model units are 10 pixels
    CDoubleArc arc = SCurve();
    EXPECT_EQ(arc.HitTestHandle(0, -10, &view, 3), arc.StartHandle());
    EXPECT_EQ(arc.HitTestHandle(20, -15, &view, 3), arc.JunctionHandle());
    EXPECT_EQ(arc.HitTestHandle(-10, -10, &view, 3), arc.DirectionHandle());
    EXPECT_EQ(arc.GetHandle(arc.JunctionHandle()), CPoint(20000, 15000));
    arc.SetLock(kLockStartZ, 1);
    arc.SetLock(kLockStartX, 1);
    EXPECT_EQ(arc.RecalcFromStart(5000, 0, nullptr), 0);
    EXPECT_EQ(arc.GetStart(), CPoint(0, 10000));
}

TEST(DoubleArcTransform, MirrorKeepsTheReversedCurveOnItsCircles) {
    const CDoubleArc before = SCurve();
    CDoubleArc arc = before;
    arc.Mirror(nullptr);
    EXPECT_EQ(arc.GetStart(), CPoint(0, 20000));
    EXPECT_EQ(arc.GetEnd(), CPoint(40000, 10000));
    EXPECT_EQ(arc.GetJunction(), CPoint(20000, 15000));
    for (int32_t z = 0; z <= 40000; z += 2500) {
        EXPECT_NEAR(arc.GetYAt(z), before.GetYAt(40000 - z), 1) << z;
    }
    EXPECT_EQ(arc.GetDirection(), CPoint(-4000, 20000));
}

TEST(DoubleArcTransform, MirrorAtReflectsAndKeepsTheDirectionLeft) {
    const CDoubleArc before = SCurve();
    CDoubleArc arc = before;
    arc.MirrorAt(50000);
    EXPECT_EQ(arc.GetStart(), CPoint(60000, 20000));
    EXPECT_EQ(arc.GetEnd(), CPoint(100000, 10000));
    for (int32_t z = 60000; z <= 100000; z += 2500) {
        EXPECT_NEAR(arc.GetYAt(z), before.GetYAt(100000 - z), 1) << z;
    }
    EXPECT_LE(arc.GetDirection().x, arc.GetStart().x - 1000);
    EXPECT_EQ(arc.GetOldStart(), CPoint(0, 10000));
}

TEST(DoubleArcTransform, CutsPastTheJunctionKeepTheCurve) {
    const CDoubleArc before = SCurve();
    auto right = before.CreatePart(25000, 38000);
    ASSERT_NE(right, nullptr);
    const CDoubleArc& r = static_cast<const CDoubleArc&>(*right);
    EXPECT_GE(r.GetJunction().x, r.GetStart().x);
    EXPECT_LE(r.GetJunction().x, r.GetEnd().x);
    ExpectSameCurve(r, before, 25000, 38000, 1);
    auto left = before.CreatePart(2000, 15000);
    ExpectSameCurve(*left, before, 2000, 15000, 1);
    EXPECT_EQ(before.CreatePart(5, 4), nullptr);
}

TEST(DoubleArcTransform, MoveKeepsTheTroughAboveTheAxis) {
    CViewServices view;
    view.SetDrawingLength(100000);
    CDoubleArc arc(CPoint(0, 20000), CPoint(20000, 5000), CPoint(40000, 20000), CPoint(-5000, 21000));
    arc.Move(80000, -19000, &view);
    EXPECT_EQ(arc.GetStart().x, 60000);
    EXPECT_EQ(arc.GetEnd().x, 100000);
    EXPECT_GE(arc.GetMinY(), 0);
    EXPECT_GE(arc.GetJunction().y, 0);
    EXPECT_EQ(arc.GetOldStart(), CPoint(0, 20000));
}

TEST(DoubleArcParts, TwoArcsFromStartToJunctionToEnd) {
    CDoubleArc arc = SCurve();
    arc.m_nFeed = 120;
    arc.m_nNumber = 7;
    arc.SetLock(kLockJunctionZ, 1);
    arc.SetLock(kLockDirection, 1);
    auto first = arc.GetPart(1), second = arc.GetPart(2);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(arc.GetPart(3), nullptr);
    EXPECT_EQ(arc.GetPart(0), nullptr);
    EXPECT_EQ(first->GetStart(), arc.GetStart());
    EXPECT_EQ(first->GetEnd(), arc.GetJunction());
    EXPECT_EQ(second->GetEnd(), arc.GetEnd());
    EXPECT_EQ(first->GetObjectName(), "Cw");
    EXPECT_EQ(second->GetObjectName(), "Ccw");
    EXPECT_EQ(first->GetLock(kLockEndZ), 1);
    EXPECT_EQ(second->GetLock(kLockStartZ), 1);
    EXPECT_EQ(second->GetLock(kLockRadius), 1);
    EXPECT_EQ(second->m_nFeed, 120);
    EXPECT_EQ(first->GetValue("Rad", 0, 0, 1), 4.25);  // millimetres, as every value of a macro
    ExpectSameCurve(*first, arc, 0, 20000, 1);
    ExpectSameCurve(*second, arc, 20000, 40000, 1);
}

TEST(DoubleArcValues, LabelAndPostProcessorValues) {
    CDoubleArc arc(CPoint(0, 10000), CPoint(100000, 15000), CPoint(250000, 20000), CPoint(-10000, 10000));
    arc.m_nNumber = 2;
    EXPECT_EQ(arc.GetLabel(), "DoubleArc 2 (0, 2)");
    EXPECT_EQ(arc.GetObjectName(), "NO");
    EXPECT_EQ(arc.GetInterpolationName(), "OCI");
    EXPECT_EQ(arc.IsCompound(), 1);
    EXPECT_EQ(arc.GetKind(), kKindDoubleArc);
    EXPECT_EQ(arc.GetValue("EndZ", 0, 0, 1), 25.0);
    EXPECT_EQ(arc.GetValue("Feed", 0, 0, 1), 1000000.0);
    EXPECT_EQ(arc.GetValue("Rad", 0, 0, 1), kNoValue);
    EXPECT_EQ(arc.GetValueAtX("EndX", 0, 1, 1, 100000), 1.0);
}

TEST(DoubleArcRecord, RoundTripResetsTheWindow) {
    CDoubleArc arc(CPoint(0, 10000), CPoint(20000, 15000), CPoint(40000, 20000), CPoint(-1000, 0));
    arc.m_nNumber = 5;
    arc.m_nSpeed = 900;
    arc.SetLock(kLockJunctionX, 1);
    arc.SetLock(kLockDirection, 1);
    CArchive out;
    arc.Serialize(out);
    const std::vector<uint8_t>& bytes = out.GetBytes();
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 10), std::string("\x09" "DOUBLEARC"));
    // tags 10 + 19 + 17, 9 ints, 4 longs, 4 points, 6 doubles.
    EXPECT_EQ(bytes.size(), 10u + 19 + 17 + 9 * 4 + 4 * 4 + 4 * 8 + 6 * 8);
    CArchive in(bytes);
    EXPECT_EQ(in.ReadString(), "DOUBLEARC");
    CDoubleArc back;
    back.Serialize(in);
    EXPECT_FALSE(in.Failed());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back.GetJunction(), arc.GetJunction());
    EXPECT_EQ(back.GetDirection(), arc.GetDirection());
    EXPECT_EQ(back.m_dRadius2, arc.m_dRadius2);
    EXPECT_EQ(back.m_bUpper1, arc.m_bUpper1);
    EXPECT_EQ(back.m_nSpeed, 900);
    EXPECT_EQ(back.m_nNumber, 5);
    EXPECT_EQ(back.GetLock(kLockJunctionX), 1);
    EXPECT_EQ(back.GetLock(kLockDirection), 1);
    EXPECT_EQ(back.GetLock(kLockJunctionZ), 0);
    EXPECT_DOUBLE_EQ(back.GetMaxAngle(), arc.GetMaxAngle());
    EXPECT_DOUBLE_EQ(back.GetMinAngle(), arc.GetMinAngle());
    ExpectSameCurve(back, arc, 0, 40000, 0);
}

TEST(DoubleArcDirection, StartDraggedPastTheDirectionPointKeepsItLeftOnTheSameLine) {
    CDoubleArc arc(CPoint(50000, 10000), CPoint(70000, 15000), CPoint(90000, 20000), CPoint(45000, 9000));
    const CPoint d0 = arc.GetDirection();
    arc.SetHandle(arc.StartHandle(), 30000, 8000, nullptr);
    const CPoint s = arc.GetStart(), d = arc.GetDirection();
    EXPECT_EQ(s, CPoint(30000, 8000));
    EXPECT_LE(d.x, s.x);
    const double cross = (static_cast<double>(d0.x) - s.x) * (d.y - s.y) - (static_cast<double>(d0.y) - s.y) * (d.x - s.x);
    EXPECT_NEAR(cross, 0.0, 1.0);
}
