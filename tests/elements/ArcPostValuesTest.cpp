// The centre and radius words arcs and double-arc parts hand to the post-processor.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "elements/Arc.h"
#include "elements/DoubleArc.h"
#include "platform/Geometry.h"

namespace {

// Half of the circle of radius r (model units) over the chord from (z0, height) to (z0 + 2r,
// height): its upper half, or its lower half hanging below the chord.
CArc HalfCircle(int32_t z0, int32_t height, int32_t r, bool upper) {
    return CArc(CPoint(z0, height), CPoint(z0 + 2 * r, height),
                CPoint(z0 + r, upper ? height + r : height - r));
}

// A double arc of an upper arc of radius r1 from S to M and a lower arc of radius r2 from M to
// E, each a third of its circle with the chord at the given height.
CDoubleArc UpperThenLower(int32_t r1, int32_t r2) {
    CDoubleArc d;
    const int32_t h = r2 + 10000;
    const int32_t w1 = Round(r1 * 0.8660254), w2 = Round(r2 * 0.8660254);
    d.m_ptStart = CPoint(0, h);
    d.m_ptJunction = CPoint(2 * w1, h);
    d.m_ptEnd = CPoint(2 * w1 + 2 * w2, h);
    d.m_dRadius1 = r1, d.m_dCenter1Z = w1, d.m_dCenter1X = h - r1 / 2.0, d.m_bUpper1 = 1;
    d.m_dRadius2 = r2, d.m_dCenter2Z = 2.0 * w1 + w2, d.m_dCenter2X = h + r2 / 2.0, d.m_bUpper2 = 0;
    return d;
}

const int32_t kRadii[] = {10 * 10000, 25 * 10000, 999999, 100 * 10000, 1500 * 10000};

}  // namespace

// "Rad" is written as R in millimetres. In model units a definition file could never use it
// (templates only add values, and from 100 mm up the value passed the "no value" threshold).
TEST(ArcRadiusValue, MillimetresForArcsAndDoubleArcParts) {
    for (const int32_t r : kRadii) {
        for (const bool upper : {true, false}) {
            const CArc arc = HalfCircle(10000, r + 5000, r, upper);
            ASSERT_EQ(arc.GetRadius(), r);
            EXPECT_EQ(arc.GetObjectName(), upper ? "Ccw" : "Cw");
            EXPECT_DOUBLE_EQ(arc.GetValue("Rad", 0, 0, 1), r / 10000.0) << r;
            EXPECT_DOUBLE_EQ(arc.GetValue("Rad", 1, 1, 0), r / 10000.0) << r;
        }
        const CDoubleArc curve = UpperThenLower(r, kRadii[0]);
        const auto first = curve.GetPart(1), second = curve.GetPart(2);
        EXPECT_EQ(first->GetObjectName(), "Ccw");
        EXPECT_EQ(second->GetObjectName(), "Cw");
        EXPECT_DOUBLE_EQ(first->GetValue("Rad", 0, 0, 1), r / 10000.0);
        EXPECT_DOUBLE_EQ(second->GetValue("Rad", 1, 1, 0), kRadii[0] / 10000.0);
        EXPECT_DOUBLE_EQ(UpperThenLower(kRadii[0], r).GetPart(2)->GetValue("Rad", 0, 0, 1), r / 10000.0);
    }
    // The example of 25 mm now reads 25.0 (it used to be 250000.0).
    EXPECT_EQ(HalfCircle(0, 300000, 250000, true).GetValue("Rad", 0, 0, 1), 25.0);
    EXPECT_EQ(HalfCircle(0, 1005000, 999999, false).GetValue("Rad", 0, 0, 1), 99.9999);
}

TEST(ArcRadiusValue, StraightArcsLeaveTheWordOut) {
    // Collinear points give a straight arc: radius 0 is no radius.
    const CArc straight(CPoint(0, 10000), CPoint(40000, 30000), CPoint(20000, 20000));
    ASSERT_TRUE(straight.IsStraight());
    EXPECT_EQ(straight.GetValue("Rad", 0, 0, 1), kEmptyValue);
    // A double arc whose first part is the straight chord S-M.
    CDoubleArc curve = UpperThenLower(100000, 100000);
    curve.m_dRadius1 = 0.0;
    EXPECT_EQ(curve.GetPart(1)->GetValue("Rad", 0, 0, 1), kEmptyValue);
    EXPECT_EQ(curve.GetPart(2)->GetValue("Rad", 0, 0, 1), 10.0);
}

// I and K are either both absolute or both measured from the point the arc is entered at,
// whatever mode the end points are written in.
TEST(ArcCentreValues, BothCentreWordsFollowTheCentreFlag) {
    const CArc arc(CPoint(0, 100000), CPoint(200000, 150000), CPoint(100000, 140000));
    const double cz = arc.GetExactCenterZ() / 10000, cx = arc.GetExactCenterX() / 10000;
    ASSERT_GT(std::fabs(cx - 10.0), 1.0);
    for (const int relative : {0, 1}) {
        EXPECT_DOUBLE_EQ(arc.GetValue("CtrJ", relative, 0, 1), cx);
        EXPECT_DOUBLE_EQ(arc.GetValue("CtrI", relative, 0, 0), cz);
        EXPECT_NEAR(arc.GetValue("CtrJ", relative, 1, 1), cx - 10.0, 1e-12);
        EXPECT_NEAR(arc.GetValue("CtrJ", relative, 1, 0), cx - 15.0, 1e-12);
        EXPECT_DOUBLE_EQ(arc.GetValue("CtrI", relative, 1, 1), cz);
        EXPECT_NEAR(arc.GetValue("CtrI", relative, 1, 0), cz - 20.0, 1e-12);
    }
    // Absolute end points with incremental centres, as ISO lathe controls write them.
    EXPECT_DOUBLE_EQ(arc.GetValue("EndX", 0, 1, 1), 15.0);
    EXPECT_DOUBLE_EQ(arc.GetValue("EndZ", 0, 1, 1), 20.0);
}

// Over random arcs and double-arc parts, in both walking directions and every mode of the end
// points: the entry point plus (CtrI, CtrJ) is the centre, and R is the rounded radius.
TEST(ArcCentreValues, IncrementalCentresLeadFromTheEntryPointToTheCentre) {
    std::mt19937 gen(20261208);
    std::uniform_int_distribution<int32_t> z(0, 2000000), x(0, 600000);
    int checked = 0;
    for (int i = 0; i < 3000; ++i) {
        int32_t z1 = z(gen), z2 = z(gen), z3 = z(gen);
        if (z1 > z2) {
            std::swap(z1, z2);
        }
        if (z2 - z1 < 200) {
            continue;
        }
        std::vector<std::unique_ptr<CPiece>> arcs;
        arcs.push_back(
            std::make_unique<CArc>(CPoint(z1, x(gen)), CPoint(z2, x(gen)), CPoint((z1 + z2) / 2, x(gen))));
        const int32_t zm = z1 + (z2 - z1) / 2 + z3 % ((z2 - z1) / 4 + 1);
        CDoubleArc curve(CPoint(z1, x(gen)), CPoint(zm, x(gen)), CPoint(z2, x(gen)),
                         CPoint(z1 - 1000 - z3 / 10, x(gen)));
        arcs.push_back(curve.GetPart(1));
        arcs.push_back(curve.GetPart(2));
        for (const auto& piece : arcs) {
            const auto& arc = static_cast<const CArc&>(*piece);
            if (arc.IsStraight()) {
                EXPECT_EQ(arc.GetValue("Rad", 0, 0, 1), kEmptyValue);
                continue;
            }
            ++checked;
            EXPECT_DOUBLE_EQ(arc.GetValue("Rad", i % 2, 0, 1), arc.GetRadius() / 10000.0);
            for (const int forward : {0, 1}) {
                const CPoint entry = forward ? arc.GetStart() : arc.GetEnd();
                for (const int relative : {0, 1}) {
                    EXPECT_NEAR(entry.x / 10000.0 + arc.GetValue("CtrI", relative, 1, forward),
                                arc.GetExactCenterZ() / 10000, 1e-9);
                    EXPECT_NEAR(entry.y / 10000.0 + arc.GetValue("CtrJ", relative, 1, forward),
                                arc.GetExactCenterX() / 10000, 1e-9);
                }
            }
        }
    }
    EXPECT_GT(checked, 6000);
}
