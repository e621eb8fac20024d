// The farthest point of a tool move from a profile: branch and bound over pieces of the move.
#include "toolpath/MoveDeviation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>
#include <vector>

namespace {

constexpr double kTwoPi = 2.0 * M_PI;
constexpr double kNoBound = std::numeric_limits<double>::infinity();

struct CProbe {
    double t = 0.0;
    CPathPoint p;
    double d = 0.0;
    size_t j = 0;  // the profile segment nearest to p
};

struct CInterval {
    CProbe a;
    CProbe b;
    double dBound = 0.0;
    bool operator<(const CInterval& other) const { return dBound < other.dBound; }
};

// Whether the arc (start, sweep) lies within the arc (outerStart, outerSweep), angles in radians.
bool ArcWithin(double start, double sweep, double outerStart, double outerSweep) {
    if (outerSweep < 0) {
        outerStart += outerSweep;
        outerSweep = -outerSweep;
    }
    if (sweep < 0) {
        start += sweep;
        sweep = -sweep;
    }
    double offset = std::remainder(start - outerStart, kTwoPi);
    if (offset < 0) {
        offset += kTwoPi;
    }
    return offset + sweep <= outerSweep;
}

class CSearch {
public:
    CSearch(const CPathSegment& move, const CProfileShape& profile, double precision)
        : m_move(move), m_profile(profile), m_dPrecision(precision), m_dLength(move.Length()) {
        if (move.IsArc()) {
            m_dStartAngle = move.StartAngle();
            m_dSweep = move.Sweep();
        }
    }

    CMoveExtreme Run(double t0, double t1) {
        const CProbe a = Probe(t0);
        if (t1 <= t0) {
            return m_best;
        }
        Push(a, Probe(t1));
        while (!m_queue.empty() && m_nEvaluations < CMoveDeviation::kEvaluations) {
            const CInterval piece = m_queue.top();
            m_queue.pop();
            if (!Worth(piece.dBound)) {
                break;  // no piece left can hold a farther point
            }
            const CProbe mid = Probe((piece.a.t + piece.b.t) / 2);
            Push(piece.a, mid);
            Push(mid, piece.b);
        }
        return m_best;
    }

private:
    bool Worth(double bound) const { return !m_best.bFound || bound > m_best.dDistance + m_dPrecision; }

    CProbe Probe(double t) {
        ++m_nEvaluations;
        CProbe probe;
        probe.t = t;
        probe.p = m_move.PointAt(t);
        probe.d = m_profile.DistanceTo(probe.p, &probe.j);
        if (m_profile.InSpan(probe.p.dZ) && (!m_best.bFound || probe.d > m_best.dDistance)) {
            m_best = {true, probe.d, probe.p};
        }
        return probe;
    }

    void Push(const CProbe& a, const CProbe& b) {
        if (!(b.t - a.t > 1e-15) || !ReachesSpan(a, b)) {
            return;
        }
        const double bound = Bound(a, b);
        if (Worth(bound)) {
            m_queue.push({a, b, bound});
        }
    }

    // Lines are clipped to the span beforehand; a piece of an arc is dropped when it cannot
    // reach the span.
    bool ReachesSpan(const CProbe& a, const CProbe& b) const {
        if (!m_move.IsArc()) {
            return true;
        }
        if ((b.t - a.t) * std::fabs(m_dSweep) >= M_PI) {
            // Half a turn or more (whole turns too): the whole circle's extent.
            return m_move.ptCentre.dZ + m_move.dRadius > m_profile.GetSpanStart() &&
                   m_move.ptCentre.dZ - m_move.dRadius < m_profile.GetSpanEnd();
        }
        CPathSegment piece = CPathSegment::Arc(a.p, b.p, m_move.ptCentre, m_move.nDirection);
        piece.dRadius = m_move.dRadius;
        return piece.MaxZ() > m_profile.GetSpanStart() && piece.MinZ() < m_profile.GetSpanEnd();
    }

    double Bound(const CProbe& a, const CProbe& b) const {
        double bound = (a.d + b.d + m_dLength * (b.t - a.t)) / 2;
        bound = std::min(bound, SegmentBound(a.j, a, b));
        if (b.j != a.j) {
            bound = std::min(bound, SegmentBound(b.j, a, b));
        }
        return bound;
    }

    // A bound on the distance to profile segment j over the piece from a to b.
    double SegmentBound(size_t j, const CProbe& a, const CProbe& b) const {
        const CPathSegment& s = m_profile.GetSegments()[j];
        const double da = j == a.j ? a.d : s.DistanceTo(a.p);
        const double db = j == b.j ? b.d : s.DistanceTo(b.p);
        if (!m_move.IsArc() && !s.IsArc()) {
            return std::max(da, db);
        }
        if (!m_move.IsArc() || !s.IsArc()) {
            return kNoBound;
        }
        // Every point of the piece lies within delta of the move's circle around s's centre;
        // where the piece, seen from s's centre, stays within s's sweep, s's arc is as near as
        // its circle.
        const double delta =
            std::hypot(m_move.ptCentre.dZ - s.ptCentre.dZ, m_move.ptCentre.dX - s.ptCentre.dX);
        if (delta >= m_move.dRadius / 2) {
            return kNoBound;
        }
        const double margin = std::asin(delta / (m_move.dRadius - delta)) + 1e-12;
        const double start = m_dStartAngle + a.t * m_dSweep;
        const double sweep = (b.t - a.t) * m_dSweep;
        const double lead = sweep >= 0 ? margin : -margin;
        if (!ArcWithin(start - lead, sweep + 2 * lead, s.StartAngle(), s.Sweep())) {
            return kNoBound;
        }
        return std::fabs(m_move.dRadius - s.dRadius) + delta;
    }

    const CPathSegment& m_move;
    const CProfileShape& m_profile;
    double m_dPrecision;
    double m_dLength;
    double m_dStartAngle = 0.0;
    double m_dSweep = 0.0;
    int m_nEvaluations = 0;
    CMoveExtreme m_best;
    std::priority_queue<CInterval> m_queue;
};

// The part (t0, t1) of a line strictly over the span; false when there is none.
bool ClipLine(const CPathSegment& line, const CProfileShape& profile, double& t0, double& t1) {
    const double lo = profile.GetSpanStart() + 0.5;
    const double hi = profile.GetSpanEnd() - 0.5;
    const double z0 = line.ptStart.dZ;
    const double dz = line.ptEnd.dZ - z0;
    t0 = 0.0;
    t1 = 1.0;
    if (dz == 0.0) {
        return z0 > lo && z0 < hi;
    }
    const double a = (lo - z0) / dz;
    const double b = (hi - z0) / dz;
    t0 = std::max(t0, std::min(a, b));
    t1 = std::min(t1, std::max(a, b));
    return t0 <= t1;
}

}  // namespace

CMoveExtreme CMoveDeviation::Largest(const CPathSegment& move, const CProfileShape& profile,
                                     double precision) {
    if (profile.IsEmpty()) {
        return {};
    }
    double t0 = 0.0;
    double t1 = 1.0;
    if (!move.IsArc() && !ClipLine(move, profile, t0, t1)) {
        return {};
    }
    return CSearch(move, profile, precision).Run(t0, t1);
}
