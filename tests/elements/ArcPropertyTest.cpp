// Randomized editing of arcs and double arcs: whatever is asked, the element stays sound.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "elements/Arc.h"
#include "elements/DoubleArc.h"
#include "elements/ViewServices.h"
#include "platform/Messages.h"

namespace {
class CRandom {
public:
    explicit CRandom(uint32_t seed) : m_gen(seed) {}
    int32_t Int(int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(m_gen); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(m_gen); }

private:
    std::mt19937 m_gen;
};

std::string Describe(const CArc& a) {
    std::ostringstream s;
    s << "S(" << a.GetStart().x << "," << a.GetStart().y << ") E(" << a.GetEnd().x << "," << a.GetEnd().y
      << ") C(" << a.GetExactCenterZ() << "," << a.GetExactCenterX() << ") r=" << a.GetExactRadius()
      << " ccw=" << a.GetCcw() << " n=" << a.GetRadius();
    return s.str();
}

// The lowest point of a lower arc inside its span touches the axis: the tangent refit.
bool TouchesAxis(const CArc& a) {
    const bool inside = a.GetStart().x < a.GetExactCenterZ() && a.GetExactCenterZ() < a.GetEnd().x;
    return !a.GetCcw() && inside && std::fabs(a.GetExactCenterX() - a.GetExactRadius()) <= 1.0;
}

void ExpectSound(const CArc& a, const std::string& step) {
    const CPoint s = a.GetStart(), e = a.GetEnd();
    SCOPED_TRACE(step + " " + Describe(a));
    ASSERT_LT(s.x, e.x);
    ASSERT_GE(s.y, 0);
    ASSERT_GE(e.y, 0);
    ASSERT_TRUE(std::isfinite(a.GetExactCenterZ()));
    ASSERT_TRUE(std::isfinite(a.GetExactCenterX()));
    ASSERT_TRUE(std::isfinite(a.GetExactRadius()));
    ASSERT_EQ(a.GetYAt(s.x), s.y);
    ASSERT_EQ(a.GetYAt(e.x), e.y);
    if (a.IsStraight()) {
        return;
    }
    // Single-valued: an upper arc keeps its ends at or above the centre, a lower arc at or below.
    if (!TouchesAxis(a)) {
        if (a.GetCcw()) {
            ASSERT_LE(a.GetExactCenterX(), std::min(s.y, e.y) + 1.0);
        } else {
            ASSERT_GE(a.GetExactCenterX(), std::max(s.y, e.y) - 1.0);
        }
    }
    for (int i = 1; i < 8; ++i) {
        const int32_t z = s.x + static_cast<int32_t>((static_cast<int64_t>(e.x) - s.x) * i / 8);
        ASSERT_GE(a.GetYAt(z), -1) << "at " << z;
    }
}

Handle PickHandle(const CArc& a, CRandom& rnd) {
    switch (rnd.Int(0, 3)) {
        case 0: return a.StartHandle();
        case 1: return a.EndHandle();
        case 2: return a.CenterHandle();
        default: return a.MidHandle();
    }
}
}  // namespace

TEST(ArcProperties, RandomArcsUnderRandomDragsStaySound) {
    CRandom rnd(20240611);
    CViewServices view;
    CRecordingMessages messages;
    view.SetMessages(&messages);
    view.SetDrawingLength(1000000);
    for (int n = 0; n < 1500; ++n) {
        const int32_t z1 = rnd.Int(0, 400000);
        const int32_t z2 = z1 + rnd.Int(200, 400000);
        const CPoint s(z1, rnd.Int(0, 200000)), e(z2, rnd.Int(0, 200000));
        const CPoint p(rnd.Int(z1 + 1, z2 - 1), rnd.Int(-50000, 300000));
        CArc arc(s, e, p, &messages);
        ASSERT_NO_FATAL_FAILURE(ExpectSound(arc, "built"));
        for (int step = 0; step < 25; ++step) {
            for (int lock = 0; lock <= kLockRadius; ++lock) {
                arc.SetLock(lock, rnd.Chance(0.25));
            }
            std::ostringstream op;
            for (int lock = 0; lock <= kLockRadius; ++lock) {
                op << arc.GetLock(lock);
            }
            const std::string before = Describe(arc);
            if (rnd.Chance(0.15)) {
                const int32_t dz = rnd.Int(-100000, 100000), dx = rnd.Int(-100000, 100000);
                op << " move " << dz << "," << dx;
                arc.Move(dz, dx, &view);
            } else {
                const Handle h = PickHandle(arc, rnd);
                const CPoint at = arc.GetHandle(h);
                const int32_t z = at.x + rnd.Int(-60000, 60000), x = at.y + rnd.Int(-60000, 60000);
                op << " handle "
                   << (h == arc.StartHandle()    ? "S"
                       : h == arc.EndHandle()    ? "E"
                       : h == arc.CenterHandle() ? "C"
                                                 : "M")
                   << " to " << z << "," << x;
                arc.SetHandle(h, z, x, &view);
            }
            ASSERT_NO_FATAL_FAILURE(
                ExpectSound(arc, "from " + before + " locks " + op.str() + " step " + std::to_string(step)));
        }
    }
}

TEST(ArcProperties, RandomDoubleArcsUnderRandomDragsStaySound) {
    CRandom rnd(77);
    CViewServices view;
    CRecordingMessages messages;
    view.SetMessages(&messages);
    view.SetDrawingLength(2000000);
    for (int n = 0; n < 800; ++n) {
        const int32_t z1 = rnd.Int(1000, 400000);
        const int32_t zm = z1 + rnd.Int(200, 300000);
        const int32_t z2 = zm + rnd.Int(200, 300000);
        CDoubleArc arc(CPoint(z1, rnd.Int(0, 200000)), CPoint(zm, rnd.Int(0, 200000)),
                       CPoint(z2, rnd.Int(0, 200000)), CPoint(z1 - rnd.Int(0, 50000), rnd.Int(0, 200000)),
                       &messages);
        for (int step = 0; step < 20; ++step) {
            for (int lock : {0, 1, 2, 3, 9, 10, 11}) {
                arc.SetLock(lock, rnd.Chance(0.2));
            }
            const Handle handles[4] = {arc.StartHandle(), arc.EndHandle(), arc.JunctionHandle(),
                                       arc.DirectionHandle()};
            const Handle h = handles[rnd.Int(0, 3)];
            const CPoint at = arc.GetHandle(h);
            std::string op;
            if (rnd.Chance(0.1)) {
                arc.Move(rnd.Int(-100000, 100000), rnd.Int(-100000, 100000), &view);
                op = "move";
            } else if (rnd.Chance(0.05)) {
                arc.Mirror(&view);
                op = "mirror";
            } else {
                arc.SetHandle(h, at.x + rnd.Int(-60000, 60000), at.y + rnd.Int(-60000, 60000), &view);
                op = h == arc.StartHandle()      ? "S"
                     : h == arc.EndHandle()      ? "E"
                     : h == arc.JunctionHandle() ? "M"
                                                 : "D";
            }
            const CPoint s = arc.GetStart(), m = arc.GetJunction(), e = arc.GetEnd();
            SCOPED_TRACE("step " + std::to_string(step) + " " + op);
            ASSERT_LE(s.x, m.x);
            ASSERT_LE(m.x, e.x);
            ASSERT_LT(s.x, e.x);
            ASSERT_GE(s.y, 0);
            ASSERT_GE(e.y, 0);
            ASSERT_LE(arc.GetDirection().x, s.x);
            // The direction point stays near the curve, never thrown out of the drawing.
            ASSERT_LE(std::abs(arc.GetDirection().x - s.x), 2000000);
            ASSERT_LE(std::abs(arc.GetDirection().y - s.y), 2000000);
            ASSERT_TRUE(std::isfinite(arc.m_dRadius1) && std::isfinite(arc.m_dRadius2));
            ASSERT_TRUE(std::isfinite(arc.m_dCenter1Z) && std::isfinite(arc.m_dCenter2X));
            ASSERT_EQ(arc.GetYAt(s.x), s.y);
            ASSERT_EQ(arc.GetYAt(m.x), m.y);
            ASSERT_EQ(arc.GetYAt(e.x), e.y);
            for (int part = 1; part <= 2; ++part) {
                auto piece = arc.GetPart(part);
                ASSERT_NE(piece, nullptr);
                const CArc& a = static_cast<CArc&>(*piece);
                ASSERT_TRUE(std::isfinite(a.GetExactRadius()));
                // A part is a function of Z: its ends lie on the half of the circle it claims.
                const double cx = a.GetExactCenterX();
                if (a.GetExactRadius() != 0.0 && arc.GetMinAngle() <= arc.GetMaxAngle()) {
                    const int32_t low = std::min(a.GetStart().y, a.GetEnd().y);
                    const int32_t high = std::max(a.GetStart().y, a.GetEnd().y);
                    // Whole-unit points tilt a tangent by up to a unit over the shorter chord.
                    const double shorter =
                        std::min(std::hypot(m.x - s.x, m.y - s.y), std::hypot(e.x - m.x, e.y - m.y));
                    const double slack = 2 + a.GetExactRadius() * (1e-4 + 2 / shorter);
                    ASSERT_TRUE(a.GetCcw() ? low >= cx - slack : high <= cx + slack)
                        << "part " << part << " " << Describe(a) << " window " << arc.GetMinAngle() << ".."
                        << arc.GetMaxAngle() << " D " << arc.GetDirection().x << "," << arc.GetDirection().y
                        << " S " << s.x << "," << s.y << " M " << m.x << "," << m.y << " E " << e.x << ","
                        << e.y << " c1 " << arc.m_dCenter1Z << "," << arc.m_dCenter1X << " r1 "
                        << arc.m_dRadius1;
                }
            }
        }
    }
}

TEST(ArcProperties, ArcsTangentToTheAxisSlideTheirEndsAlongTheirCircle) {
    CRandom rnd(912);
    int tangent = 0;
    for (int n = 0; n < 2000; ++n) {
        const int32_t z1 = rnd.Int(0, 400000);
        const int32_t z2 = z1 + rnd.Int(4000, 400000);
        const CPoint s(z1, rnd.Int(1, 200000)), e(z2, rnd.Int(1, 200000));
        // A third point near the axis: the circle through the three cuts it and is refitted.
        CArc arc(s, e, CPoint(rnd.Int(z1 + 1, z2 - 1), rnd.Int(-20000, 500)));
        const double cz = arc.GetExactCenterZ(), cx = arc.GetExactCenterX(), r = arc.GetExactRadius();
        if (arc.GetCcw() || arc.IsStraight() || !(z1 < cz && cz < z2) || Round(cx - r) != 0) {
            continue;
        }
        ++tangent;
        arc.SetLock(rnd.Chance(0.5) ? kLockCenterZ : kLockCenterX, 1);
        arc.SetLock(kLockRadius, 1);
        const bool moveEnd = rnd.Chance(0.5);
        const int32_t lo = moveEnd ? Round(std::max(cz, z1 + 1000.0)) : Round(cz - r) + 1;
        const int32_t hi = moveEnd ? Round(cz + r) - 1 : Round(std::min(cz, z2 - 1000.0));
        if (lo > hi) {
            continue;
        }
        const int32_t a = rnd.Int(lo, hi);
        const CPoint kept = moveEnd ? arc.GetStart() : arc.GetEnd();
        moveEnd ? arc.SetEndKeepingArc(a, 0) : arc.SetStartKeepingArc(a, 0);
        const CPoint moved = moveEnd ? arc.GetEnd() : arc.GetStart();
        SCOPED_TRACE(Describe(arc) + " to " + std::to_string(a));
        ASSERT_EQ(moved, CPoint(a, Round(cx - std::sqrt(r * r - (a - cz) * (a - cz)))));
        ASSERT_EQ(moveEnd ? arc.GetStart() : arc.GetEnd(), kept);
        ASSERT_GE(arc.GetMinY(), 0);
    }
    EXPECT_GT(tangent, 500);
}
