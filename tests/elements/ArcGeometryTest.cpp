// The arc's circle fitting, queries, transformations, values and archive record.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "elements/Arc.h"
#include "elements/Linear.h"
#include "platform/Messages.h"

namespace {
// Upper arc on the circle with centre (10000, 0) and radius 10000.
CArc HalfCircle() { return CArc(CPoint(0, 0), CPoint(20000, 0), CPoint(10000, 10000)); }
}  // namespace

TEST(ArcCircle, ThroughThreePoints) {
    const CArc arc = HalfCircle();
    EXPECT_EQ(arc.GetCenter(), CPoint(10000, 0));
    EXPECT_EQ(arc.GetRadius(), 10000);
    EXPECT_EQ(arc.GetCcw(), 1);
    EXPECT_EQ(arc.GetObjectName(), "Ccw");
    EXPECT_EQ(arc.GetYAt(5000), 8660);
    EXPECT_EQ(arc.GetMid(), CPoint(10000, 10000));
    EXPECT_EQ(arc.GetMaxY(), 10000);
    CArc bounded = arc;
    bounded.UpdateBounds();
    EXPECT_EQ(bounded.GetBounds(), CRect(0, 10000, 20000, -10000));
}

TEST(ArcCircle, CollinearPointsGiveAStraightArc) {
    const CArc arc(CPoint(0, 0), CPoint(20000, 10000), CPoint(10000, 5000));
    EXPECT_TRUE(arc.IsStraight());
    EXPECT_EQ(arc.GetExactRadius(), 0.0);
    EXPECT_EQ(arc.GetYAt(4000), CLinear::LineYAt(CPoint(0, 0), CPoint(20000, 10000), 4000));
}

TEST(ArcCircle, ConversionFromALineIsStraight) {
    CLinear line(0, 1000, 30000, 7000);
    line.m_nFeed = 300;
    line.SetLock(kLockStartZ, 1);
    const CArc arc(line);
    EXPECT_TRUE(arc.IsStraight());
    EXPECT_EQ(arc.GetMid(), CPoint(15000, line.GetYAt(15000)));
    EXPECT_EQ(arc.m_nFeed, 300);
    EXPECT_EQ(arc.GetLock(kLockStartZ), 1);
    EXPECT_EQ(arc.GetLock(kLockRadius), 0);
}

TEST(ArcCircle, ConversionFromACurveTakesItsCircle) {
    const CArc src = HalfCircle();
    const CArc arc(static_cast<const CPiece&>(src));
    EXPECT_EQ(arc.GetCenter(), CPoint(10000, 0));
    EXPECT_EQ(arc.GetRadius(), 10000);
    EXPECT_EQ(arc.GetCcw(), 1);
}

TEST(ArcFitToAxis, UpperArcCentreMovesDownToTheLowerEnd) {
    const CArc arc(CPoint(0, 0), CPoint(20000, 10000), CPoint(10000, 15000));
    EXPECT_EQ(arc.GetCenter(), CPoint(12500, 0));
    EXPECT_EQ(arc.GetRadius(), 12500);
    EXPECT_EQ(arc.GetStartSlope(), kNoSlope);
}

TEST(ArcFitToAxis, LowerArcAboveTheAxisKeepsItsCircle) {
    const CArc arc(CPoint(0, 10000), CPoint(20000, 10000), CPoint(10000, 2000));
    EXPECT_EQ(arc.GetCcw(), 0);
    EXPECT_EQ(arc.GetCenter(), CPoint(10000, 12250));
    EXPECT_EQ(arc.GetRadius(), 10250);
    EXPECT_EQ(arc.GetMinY(), 2000);
    EXPECT_EQ(arc.GetObjectName(), "Cw");
}

TEST(ArcFitToAxis, LowerArcCuttingTheAxisBecomesTangentToIt) {
    CArc arc(CPoint(0, 10000), CPoint(20000, 10000), CPoint(10000, 2000));
    arc.SetCircle(10000.0, 10000.0, 10001.0);
    arc.FitToAxis(nullptr);
    EXPECT_EQ(arc.GetCenter(), CPoint(10000, 10000));
    EXPECT_EQ(arc.GetRadius(), 10000);
    EXPECT_EQ(arc.GetCcw(), 0);
    EXPECT_EQ(arc.GetYAt(10000), 0);
}

TEST(ArcFitToAxis, MidPointDraggedBelowTheAxisGivesALowerTangentArc) {
    // The stored mid point still lies above the chord; the refitted arc must run through the
    // touch point below it all the same.
    CArc arc(CPoint(0, 10000), CPoint(30000, 10000), CPoint(15000, 15000));
    ASSERT_EQ(arc.GetCcw(), 1);
    arc.SetMidPoint(15000, -1000);
    EXPECT_EQ(arc.GetCcw(), 0);
    EXPECT_EQ(arc.GetCenter(), CPoint(15000, 16250));
    EXPECT_EQ(arc.GetRadius(), 16250);
    EXPECT_EQ(arc.GetYAt(15000), 0);
    EXPECT_EQ(arc.GetMinY(), 0);
}

TEST(ArcFitToAxis, TouchPointOutsideTheSpanIsReportedAndCentred) {
    CRecordingMessages messages;
    CArc arc(CPoint(0, 20000), CPoint(1000, 100), CPoint(500, 5000));
    arc.SetCcw(0);
    arc.SetCircle(500.0, 20000.0, 20100.0);
    arc.FitToAxis(&messages);
    ASSERT_EQ(messages.GetBoxes().size(), 1u);
    EXPECT_EQ(messages.GetBoxes()[0].strText, "Spatne urceni dotykoveho bodu");
    EXPECT_EQ(messages.GetBoxes()[0].strCaption, "Chyba");
    EXPECT_EQ(messages.GetBoxes()[0].buttons, MessageButtons::Ok);
    // The circle now runs through the middle of the span on the axis.
    EXPECT_LE(std::abs(arc.GetYAt(500)), 1);
}

TEST(ArcFitToAxis, VerticalChordIsLeftAlone) {
    CArc arc;
    arc.m_ptStart = CPoint(5000, 0);
    arc.m_ptEnd = CPoint(5000, 10000);
    arc.SetCcw(1);
    arc.SetCircle(5000.0, 5000.0, 5000.0);
    arc.FitToAxis(nullptr);
    EXPECT_EQ(arc.GetExactCenterZ(), 5000.0);
    EXPECT_EQ(arc.GetExactCenterX(), 5000.0);
    arc.UpdateMidPoint();
    EXPECT_TRUE(std::isfinite(arc.GetExactRadius()));
}

TEST(ArcOverflow, HugeCircleKeepsItsDoublesButBehavesStraight) {
    const CArc arc(CPoint(0, 0), CPoint(9000000, 0), CPoint(4500000, 1));
    EXPECT_TRUE(arc.IsStraight());
    EXPECT_EQ(arc.GetCenter(), CPoint(0, 0));
    EXPECT_GT(arc.GetExactRadius(), 2e9);
    EXPECT_EQ(arc.GetYAt(1000000), 0);
    // No radius word for an arc that behaves straight.
    EXPECT_EQ(arc.GetValue("Rad", 0, 0, 1), kEmptyValue);
}

TEST(ArcOverflow, EditingAHugeCircleKeepsItsExactCentre) {
    CArc arc(CPoint(0, 0), CPoint(9000000, 0), CPoint(4500000, 1));
    const double cz = arc.GetExactCenterZ();
    arc.SetLock(kLockCenterZ, 1);
    arc.SetStartKeepingArc(0, 0);
    EXPECT_EQ(arc.GetExactCenterZ(), cz);
}

TEST(ArcStraight, FormerCircleDoesNotLeakIntoHeightQueries) {
    CArc arc(CPoint(0, 0), CPoint(20000, 4000), CPoint(10000, 9000));
    arc.SetMidPoint(10000, CLinear::LineYAt(CPoint(0, 0), CPoint(20000, 4000), 10000));
    ASSERT_TRUE(arc.IsStraight());
    EXPECT_EQ(arc.GetMaxY(), 4000);
    EXPECT_EQ(arc.GetMinY(), 0);
    arc.UpdateBounds();
    EXPECT_EQ(arc.GetBounds().top, 4000);
    // A straight arc's mid point after a cut is the chord's middle, not the origin.
    arc.CutStartAt(2000, nullptr);
    EXPECT_EQ(arc.GetMid(), CPoint(11000, (arc.GetStart().y + 4000) / 2));
}

TEST(ArcQueries, YAtEndsAndOutside) {
    const CArc arc(CPoint(1000, 300), CPoint(21000, 700), CPoint(11000, 9000));
    EXPECT_EQ(arc.GetYAt(1000), 300);
    EXPECT_EQ(arc.GetYAt(21000), 700);
    EXPECT_EQ(arc.GetYAt(999), -1);
    EXPECT_EQ(arc.GetYAt(21001), -1);
    EXPECT_EQ(arc.GetSlopeAt(999), kNoSlope);
}

TEST(ArcQueries, SlopesAreRadiusVectorRatios) {
    const CArc arc = HalfCircle();
    // At Z = 5000 the radius vector runs from (10000, 0) to (5000, 8660).
    EXPECT_DOUBLE_EQ(arc.GetSlopeAt(5000), 5000.0 / -8660.0);
    EXPECT_EQ(arc.GetSlopeAt(10000), 0.0);
    EXPECT_EQ(arc.GetStartSlope(), kNoSlope);
    EXPECT_EQ(arc.GetEndSlope(), kNoSlope);
}

TEST(ArcTransform, TurnReflectsAboutTheMiddleOfTheSpan) {
    CArc arc(CPoint(0, 0), CPoint(20000, 10000), CPoint(10000, 15000));
    arc.Turn(nullptr);
    EXPECT_EQ(arc.GetStart(), CPoint(0, 10000));
    EXPECT_EQ(arc.GetEnd(), CPoint(20000, 0));
    EXPECT_EQ(arc.GetCenter(), CPoint(7500, 0));
    EXPECT_EQ(arc.GetCcw(), 1);
    EXPECT_EQ(arc.GetYAt(7500), 12500);
}

TEST(ArcTransform, MirrorAtExchangesTheEnds) {
    CArc arc(CPoint(0, 0), CPoint(20000, 10000), CPoint(10000, 15000));
    arc.MirrorAt(30000);
    EXPECT_EQ(arc.GetStart(), CPoint(40000, 10000));
    EXPECT_EQ(arc.GetEnd(), CPoint(60000, 0));
    EXPECT_EQ(arc.GetCenter(), CPoint(47500, 0));
    EXPECT_EQ(arc.GetOldStart(), CPoint(0, 0));
    EXPECT_EQ(arc.GetYAt(47500), 12500);
}

TEST(ArcTransform, CreatePartCutsTheSameCircle) {
    const CArc arc = HalfCircle();
    EXPECT_EQ(arc.CreatePart(5000, 4000), nullptr);
    auto part = arc.CreatePart(5000, 15000);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(part->GetKind(), kKindArc);
    EXPECT_EQ(part->GetStart(), CPoint(5000, 8660));
    EXPECT_EQ(part->GetEnd(), CPoint(15000, 8660));
    EXPECT_EQ(part->GetYAt(10000), 10000);
    // A part of no length stays finite.
    auto point = arc.CreatePart(5000, 5000);
    ASSERT_NE(point, nullptr);
    EXPECT_EQ(point->GetYAt(5000), 8660);
    EXPECT_TRUE(std::isfinite(static_cast<CArc&>(*point).GetExactCenterZ()));
}

TEST(ArcTransform, CloneClearsTypedInFlags) {
    CArc arc = HalfCircle();
    arc.SetEdited(kEditedMidX, 1);
    arc.SetEdited(0, 1);
    arc.SetLock(kLockRadius, 1);
    auto copy = arc.Clone();
    EXPECT_EQ(copy->IsEdited(kEditedMidX), 0);
    EXPECT_EQ(copy->IsEdited(0), 0);
    EXPECT_EQ(copy->GetLock(kLockRadius), 1);
    EXPECT_EQ(copy->GetLabel(), arc.GetLabel());
}

TEST(ArcValues, PostProcessorValues) {
    CArc arc(CPoint(0, 0), CPoint(500000, 0), CPoint(250000, 250000));
    arc.m_nNumber = 4;
    // R in millimetres like the coordinates: no definition file could use it in model units.
    EXPECT_EQ(arc.GetValue("Rad", 0, 0, 1), 25.0);
    EXPECT_EQ(arc.GetValue("Feed", 0, 0, 1), 1000000.0);
    EXPECT_EQ(arc.GetValue("Speed", 0, 0, 1), 1000000.0);
    arc.m_nSpeed = 1200;
    EXPECT_EQ(arc.GetValue("Speed", 0, 0, 1), 1200.0);
    EXPECT_EQ(arc.GetValue("EndZ", 1, 0, 0), -50.0);
    EXPECT_EQ(arc.GetValue("CtrI", 0, 0, 1), 25.0);
    EXPECT_EQ(arc.GetValue("CtrI", 0, 1, 0), -25.0);
    EXPECT_EQ(arc.GetValue("CtrJ", 0, 1, 1), 0.0);
    EXPECT_EQ(arc.GetValue("CtrJ", 1, 0, 1), 0.0);
    EXPECT_EQ(arc.GetValue("ctri", 0, 0, 1), kNoValue);
    EXPECT_EQ(arc.GetValueAtX("EndX", 0, 1, 1, 250000), 25.0);
    EXPECT_EQ(arc.GetValueAtX("EndZ", 0, 1, 0, 250000), kNoValue);
    EXPECT_EQ(arc.GetLabel(), "Arc 4 (0, 5)");
    EXPECT_EQ(arc.GetInterpolationName(), "OCI");
}

TEST(ArcRecord, WritesItsKindTagAndReadsBack) {
    CArc arc(CPoint(1000, 2000), CPoint(41000, 3000), CPoint(20000, 9000));
    arc.m_nNumber = 3;
    arc.m_nLeave = kLeaveCurrent;
    arc.m_nFeed = 250;
    arc.SetLock(kLockCenterX, 1);
    arc.SetLock(kLockEndZ, 1);
    CArchive out;
    arc.Serialize(out);
    const std::vector<uint8_t>& bytes = out.GetBytes();
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), std::string("\x03" "ARC"));
    // tags 4 + 13 + 11, 8 ints, 4 longs, 4 points, a long and 3 doubles.
    EXPECT_EQ(bytes.size(), 4u + 13 + 11 + 8 * 4 + 4 * 4 + 4 * 8 + 4 + 3 * 8);

    CArchive in(bytes);
    EXPECT_EQ(in.ReadString(), "ARC");
    CArc back;
    back.Serialize(in);
    EXPECT_FALSE(in.Failed());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back.GetStart(), arc.GetStart());
    EXPECT_EQ(back.GetEnd(), arc.GetEnd());
    EXPECT_EQ(back.GetCenter(), arc.GetCenter());
    EXPECT_EQ(back.GetMid(), arc.GetMid());
    EXPECT_EQ(back.GetRadius(), arc.GetRadius());
    EXPECT_EQ(back.GetExactRadius(), arc.GetExactRadius());
    EXPECT_EQ(back.GetExactCenterZ(), arc.GetExactCenterZ());
    EXPECT_EQ(back.GetExactCenterX(), arc.GetExactCenterX());
    EXPECT_EQ(back.GetCcw(), arc.GetCcw());
    EXPECT_EQ(back.m_nNumber, 3);
    EXPECT_EQ(back.m_nLeave, kLeaveCurrent);
    EXPECT_EQ(back.m_nFeed, 250);
    EXPECT_EQ(back.GetLock(kLockCenterX), 1);
    EXPECT_EQ(back.GetLock(kLockEndZ), 1);
    EXPECT_EQ(back.GetLock(kLockStartZ), 0);
    for (int z = 1000; z <= 41000; z += 2500) {
        EXPECT_EQ(back.GetYAt(z), arc.GetYAt(z));
    }
}

TEST(ArcRecord, NonFiniteCircleFromAFileFallsBackToTheChord) {
    CArc arc(CPoint(0, 1000), CPoint(20000, 3000), CPoint(10000, 9000));
    arc.SetCircle(std::numeric_limits<double>::quiet_NaN(), 5.0, std::numeric_limits<double>::infinity());
    CArchive out;
    arc.Serialize(out);
    CArchive in(out.GetBytes());
    in.ReadString();
    CArc back;
    back.Serialize(in);
    EXPECT_TRUE(back.IsStraight());
    EXPECT_EQ(back.GetYAt(10000), CLinear::LineYAt(CPoint(0, 1000), CPoint(20000, 3000), 10000));
    EXPECT_TRUE(std::isfinite(back.GetExactCenterZ()));
}

TEST(ArcRecord, TruncatedRecordFailsWithoutGarbage) {
    CArc arc = HalfCircle();
    CArchive out;
    arc.Serialize(out);
    std::vector<uint8_t> bytes = out.GetBytes();
    bytes.resize(bytes.size() / 2);
    CArchive in(bytes);
    in.ReadString();
    CArc back;
    back.Serialize(in);
    EXPECT_TRUE(in.Failed());
    EXPECT_TRUE(std::isfinite(back.GetExactRadius()));
}
