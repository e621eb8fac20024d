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
    // A direction point steeply above the start would make the first arc arrive at M past the
    // vertical: the tangent is held at 2a - pi/2 below the level, a = atan(0.25).
    const CDoubleArc arc(CPoint(0, 10000), CPoint(20000, 15000), CPoint(40000, 20000), CPoint(-1000, 20000));
    const double lower = arc.GetMinAngle();
    EXPECT_NEAR(lower, 2 * std::atan(0.25) - CDoubleArc::kPi / 2, 1e-9);
    EXPECT_NEAR(arc.GetMaxAngle(), CDoubleArc::kPi / 2, 1e-9);
    // Steeper than 45 degrees: one reach (10000) above the start, on the limit line.
    const CPoint d = arc.GetDirection();
    EXPECT_EQ(d.y, 20000);
    EXPECT_NEAR(std::atan2(10000.0 - d.y, 0.0 - d.x), lower, 1e-3);
    // The first arc leaves the start along that line.
    EXPECT_NEAR(std::atan(-arc.GetSlopeAt(0)), lower, 1e-3);
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
    // The crest can only start straight up: the direction point lies below the start.
    EXPECT_DOUBLE_EQ(arc.GetMinAngle(), CDoubleArc::kPi / 2);
    EXPECT_DOUBLE_EQ(arc.GetMaxAngle(), CDoubleArc::kPi / 2);
    EXPECT_EQ(arc.GetDirection(), CPoint(0, 5000));
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
    // Z is limited to the start's; straight above the start lies outside the window, so the
    // point goes onto the window's limit line left of the start, as far from it as before.
    arc.SetHandle(arc.DirectionHandle(), 5000, 11000, nullptr);
    EXPECT_EQ(arc.GetDirection().y, 11000);
    EXPECT_LT(arc.GetDirection().x, 0);
    EXPECT_NEAR(std::atan2(10000.0 - arc.GetDirection().y, -arc.GetDirection().x), arc.GetMinAngle(), 1e-3);
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
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 10), std::string("\x09"
                                                                          "DOUBLEARC"));
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
    const double cross =
        (static_cast<double>(d0.x) - s.x) * (d.y - s.y) - (static_cast<double>(d0.y) - s.y) * (d.x - s.x);
    EXPECT_NEAR(cross, 0.0, 1.0);
}

namespace {
constexpr double kDegree = CDoubleArc::kPi / 180;

// Largest distance in X between the curve and the straight line through its ends, at every
// 10 mm: there a line with a whole slope per mille is exact in the system's integer formula.
double DeviationFromChord(const CDoubleArc& arc) {
    const CPoint s = arc.GetStart(), e = arc.GetEnd();
    double worst = 0;
    for (int32_t z = s.x; z <= e.x; z += 10000) {
        const double line =
            s.y + (static_cast<double>(e.y) - s.y) * (z - s.x) / (static_cast<double>(e.x) - s.x);
        worst = std::max(worst, std::fabs(arc.GetYAt(z) - line));
    }
    return worst;
}

// A single-valued curve: each part's ends lie on the half of its circle the part claims.
void ExpectFunctionOfZ(const CDoubleArc& arc) {
    const CPoint ends[3] = {arc.GetStart(), arc.GetJunction(), arc.GetEnd()};
    for (int part = 1; part <= 2; ++part) {
        auto piece = arc.GetPart(part);
        const CArc& a = static_cast<const CArc&>(*piece);
        if (a.GetExactRadius() == 0.0) {
            continue;
        }
        for (const CPoint p : {ends[part - 1], ends[part]}) {
            if (a.GetCcw()) {
                EXPECT_GE(p.y, a.GetExactCenterX() - 1.0) << "part " << part;
            } else {
                EXPECT_LE(p.y, a.GetExactCenterX() + 1.0) << "part " << part;
            }
        }
    }
}

// Chebyshev distance of the direction point from the start.
int64_t DirectionReach(const CDoubleArc& arc) {
    const CPoint s = arc.GetStart(), d = arc.GetDirection();
    return std::max(std::llabs(static_cast<int64_t>(s.x) - d.x), std::llabs(static_cast<int64_t>(s.y) - d.y));
}
}  // namespace

TEST(DoubleArcWindow, CurveOverAStraightConeIsTheCone) {
    for (const double degrees : {14.0, 31.0, 35.0, 45.0, 63.0, 80.0}) {
        for (const int sign : {1, -1}) {
            SCOPED_TRACE(testing::Message() << degrees << " degrees, sign " << sign);
            // A whole slope per mille, so that the cone is exact at every whole millimetre.
            const int32_t perMille = sign * Round(1000 * std::tan(degrees * kDegree));
            const int32_t length = 640000;
            const CPoint s(100000, sign > 0 ? 100000 : 100000 - length / 1000 * perMille);
            const auto on = [&](int32_t dz) { return CPoint(s.x + dz, s.y + dz / 1000 * perMille); };
            const CDoubleArc arc(s, on(length / 2), on(length), on(-length / 10));
            EXPECT_LE(DeviationFromChord(arc), 2.0);
            EXPECT_LE(arc.GetMinAngle(), std::atan(perMille / 1000.0));
            EXPECT_GE(arc.GetMaxAngle(), std::atan(perMille / 1000.0));
            EXPECT_EQ(arc.GetDirection(), on(-length / 10));
        }
    }
}

TEST(DoubleArcWindow, CrestAndTroughWithALevelDirectionStayNearTheStart) {
    CRecordingMessages messages;
    // A 10 mm bump over 40 mm and a 10 mm groove, both left level at the start.
    const CDoubleArc bump(CPoint(1000000, 500000), CPoint(1200000, 600000), CPoint(1400000, 500000),
                          CPoint(900000, 500000), &messages);
    const CDoubleArc groove(CPoint(1000000, 500000), CPoint(1200000, 400000), CPoint(1400000, 500000),
                            CPoint(900000, 500000), &messages);
    // A crest too sharp for any tangent: its junction goes onto the circle over S-E.
    const CDoubleArc sharp(CPoint(1000000, 500000), CPoint(1100000, 900000), CPoint(1200000, 500000),
                           CPoint(1000000 - 20000, 500000), &messages);
    EXPECT_TRUE(messages.GetBoxes().empty());
    for (const CDoubleArc* arc : {&bump, &groove, &sharp}) {
        EXPECT_LE(DirectionReach(*arc), 100000);
        EXPECT_LE(arc->GetDirection().x, arc->GetStart().x);
        EXPECT_GE(arc->GetDirection().y, 0);
        EXPECT_LE(arc->GetMinAngle(), arc->GetMaxAngle());
        ExpectFunctionOfZ(*arc);
    }
    // The window opens at 2a - 2b - pi/2 with a = -b = atan(1/2): the bump starts rising that
    // steeply, and the groove falling, and neither reaches far past its junction.
    const double opening = 4 * std::atan(0.5) - CDoubleArc::kPi / 2;
    EXPECT_NEAR(std::atan(-bump.GetSlopeAt(1000000)), opening, 1e-3);
    EXPECT_NEAR(std::atan(-groove.GetSlopeAt(1000000)), -opening, 1e-3);
    EXPECT_LT(bump.GetMaxY(), 650000);
    EXPECT_GT(groove.GetMinY(), 350000);
    EXPECT_EQ(sharp.GetJunction(), CPoint(1100000, 600000));
    EXPECT_EQ(sharp.GetDirection(), CPoint(1000000, 480000));

    // The sharp trough starts straight down: its direction point lies above the start.
    const CDoubleArc trough(CPoint(1000000, 500000), CPoint(1100000, 100000), CPoint(1200000, 500000),
                            CPoint(1000000 - 20000, 500000), &messages);
    EXPECT_EQ(trough.GetJunction(), CPoint(1100000, 400000));
    EXPECT_DOUBLE_EQ(trough.GetMaxAngle(), -CDoubleArc::kPi / 2);
    EXPECT_EQ(trough.GetDirection(), CPoint(1000000, 520000));
    EXPECT_TRUE(messages.GetBoxes().empty());
    ExpectFunctionOfZ(trough);
}
