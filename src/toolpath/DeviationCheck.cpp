// The deviation check: feed moves measured against the profile, and the profile sampled against the moves.
#include "toolpath/DeviationCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "toolpath/MoveDeviation.h"

namespace {

// Sample count of a profile segment: one point per step, never fewer than both ends. Clamped
// before the conversion, so no length can overflow it.
int Samples(const CPathSegment& s) {
    const double n = std::ceil(s.Length() / CDeviationCheck::kSampleStep);
    return static_cast<int>(std::clamp(std::isfinite(n) ? n : 1.0, 1.0, 200000.0));
}

// Feed moves by the Z buckets their extent (widened by a margin) reaches.
class CMoveBuckets {
public:
    CMoveBuckets(const CToolpath& path, double z0, double z1, double margin) : m_dZ0(z0) {
        m_dWidth = std::max((z1 - z0) / 4096.0, 1000.0);
        m_buckets.resize(static_cast<size_t>((z1 - z0) / m_dWidth) + 1);
        for (size_t i = 0; i < path.moves.size(); ++i) {
            const CPathSegment& s = path.moves[i].segment;
            if (path.moves[i].bRapid || s.MaxZ() + margin < z0 || s.MinZ() - margin > z1) {
                continue;
            }
            for (size_t b = Index(s.MinZ() - margin); b <= Index(s.MaxZ() + margin); ++b) {
                m_buckets[b].push_back(i);
            }
        }
    }
    const std::vector<size_t>& At(double z) const { return m_buckets[Index(z)]; }

private:
    size_t Index(double z) const {
        const double i = std::floor((z - m_dZ0) / m_dWidth);
        return static_cast<size_t>(std::clamp(i, 0.0, static_cast<double>(m_buckets.size() - 1)));
    }
    double m_dZ0;
    double m_dWidth = 1.0;
    std::vector<std::vector<size_t>> m_buckets;
};

bool Same(CPathPoint a, CPathPoint b) {
    return std::hypot(a.dZ - b.dZ, a.dX - b.dX) < 1e-3;
}

// Whether feed move i starts a chain of feed moves (the one before it is a rapid, or none, or
// ends elsewhere); true past the last move.
bool FreeStart(const CToolpath& path, size_t i) {
    if (i == 0 || i >= path.moves.size() || path.moves[i].bRapid || path.moves[i - 1].bRapid) {
        return true;
    }
    return !Same(path.moves[i - 1].segment.ptEnd, path.moves[i].segment.ptStart);
}

}  // namespace

CDeviationResult CDeviationCheck::Run(const CToolpath& path, const CProfileShape& profile,
                                      double toleranceMm, const std::map<int, CToolNose>& noses) {
    CDeviationResult result;
    result.dToleranceMm = toleranceMm;
    if (profile.IsEmpty()) {
        return result;
    }
    if (noses.empty()) {
        MeasureMoves(path, profile, result);
        FindUncovered(path, profile, result);
    } else {
        const CToolpath edges = CNoseEnvelope::Of(path, noses, &profile);
        MeasureEdges(edges, profile, result);
        FindUncovered(edges, profile, result);
    }
    if (result.bMeasured) {
        size_t nearest = 0;
        profile.DistanceTo(result.ptAt, &nearest);
        const CPathPoint foot = NearestOn(profile.GetSegments()[nearest], result.ptAt);
        result.dAlongZMm = (result.ptAt.dZ - foot.dZ) / 10000.0;
        result.dAlongXMm = (result.ptAt.dX - foot.dX) / 10000.0;
    }
    return result;
}

CPathPoint CDeviationCheck::NearestOn(const CPathSegment& s, CPathPoint p) {
    if (s.IsArc()) {
        const double a = std::atan2(p.dX - s.ptCentre.dX, p.dZ - s.ptCentre.dZ);
        if (AngleOnSweep(a, s.StartAngle(), s.Sweep())) {
            return {s.ptCentre.dZ + s.dRadius * std::cos(a), s.ptCentre.dX + s.dRadius * std::sin(a)};
        }
        const double toStart = std::hypot(p.dZ - s.ptStart.dZ, p.dX - s.ptStart.dX);
        const double toEnd = std::hypot(p.dZ - s.ptEnd.dZ, p.dX - s.ptEnd.dX);
        return toStart <= toEnd ? s.ptStart : s.ptEnd;
    }
    const double dz = s.ptEnd.dZ - s.ptStart.dZ;
    const double dx = s.ptEnd.dX - s.ptStart.dX;
    const double squared = dz * dz + dx * dx;
    const double t =
        squared > 0 ? std::clamp(((p.dZ - s.ptStart.dZ) * dz + (p.dX - s.ptStart.dX) * dx) / squared, 0.0, 1.0) : 0.0;
    return {s.ptStart.dZ + t * dz, s.ptStart.dX + t * dx};
}

void CDeviationCheck::MeasureMoves(const CToolpath& path, const CProfileShape& profile,
                                   CDeviationResult& result) {
    const double near = result.dToleranceMm * 10000.0;
    double largest = -1.0;
    const auto take = [&](const CMoveExtreme& e, size_t i) {
        if (e.bFound && e.dDistance > largest) {
            largest = e.dDistance;
            result.ptAt = e.ptAt;
            result.nMove = i;
            result.nLine = path.moves[i].nLine;
            result.strBlock = path.moves[i].strBlock;
        }
    };
    bool afterFeed = false;
    for (size_t i = 0; i < path.moves.size(); ++i) {
        const CToolMove& move = path.moves[i];
        const bool entry = !afterFeed && !move.bRapid;
        afterFeed = !move.bRapid;
        if (move.bRapid || move.segment.MaxZ() < profile.GetSpanStart() ||
            move.segment.MinZ() > profile.GetSpanEnd()) {
            continue;
        }
        const CPathPoint end = move.segment.ptEnd;
        if (entry && profile.DistanceTo(move.segment.ptStart) > near) {
            // The feed move from the approach point onto the part: where it runs is the
            // simulation's business, where it ends is the profile's.
            if (profile.InSpan(end.dZ)) {
                take({true, profile.DistanceTo(end), end}, i);
            }
            continue;
        }
        take(CMoveDeviation::Largest(move.segment, profile, kPrecision), i);
    }
    result.bMeasured = largest >= 0;
    result.dLargestMm = std::max(largest, 0.0) / 10000.0;
}

void CDeviationCheck::MeasureEdges(const CToolpath& edges, const CProfileShape& profile,
                                   CDeviationResult& result) {
    double largest = -1.0;
    const auto take = [&](double d, CPathPoint at, size_t i) {
        if (d > largest) {
            largest = d;
            result.ptAt = at;
            result.nMove = i;
            result.nLine = edges.moves[i].nLine;
            result.strBlock = edges.moves[i].strBlock;
        }
    };
    // How far the cut stays from the profile: each profile point against the nearest edge
    // passing within the margin. Where an edge runs on past a corner it leaves the profile in
    // the air that the next move's edge cuts, so the edges' own distance would overstate it.
    constexpr double kMargin = 50000.0;
    const CMoveBuckets buckets(edges, profile.GetSpanStart(), profile.GetSpanEnd(), kMargin);
    for (const CPathSegment& s : profile.GetSegments()) {
        const int n = Samples(s);
        for (int k = 0; k <= n; ++k) {
            const CPathPoint p = s.PointAt(static_cast<double>(k) / n);
            if (!profile.InSpan(p.dZ)) {
                continue;
            }
            double nearest = kMargin;
            size_t move = SIZE_MAX;
            for (size_t i : buckets.At(p.dZ)) {
                const double d = edges.moves[i].segment.DistanceTo(p);
                if (d < nearest) {
                    nearest = d;
                    move = i;
                }
            }
            if (move == SIZE_MAX) {
                continue;
            }
            // A point nearest to where a pass begins or ends lies beyond its reach: uncovered,
            // not off.
            const CPathPoint q = NearestOn(edges.moves[move].segment, p);
            if (!(FreeStart(edges, move) && Same(q, edges.moves[move].segment.ptStart)) &&
                !(FreeStart(edges, move + 1) && Same(q, edges.moves[move].segment.ptEnd))) {
                take(nearest, q, move);
            }
        }
    }
    // An edge on the part's side of the profile (the right of its course toward +Z) cuts into it.
    for (size_t i = 0; i < edges.moves.size(); ++i) {
        const CToolMove& move = edges.moves[i];
        if (move.bRapid || move.segment.MaxZ() < profile.GetSpanStart() ||
            move.segment.MinZ() > profile.GetSpanEnd()) {
            continue;
        }
        const int n = std::min(Samples(move.segment), 4096);
        for (int k = 0; k <= n; ++k) {
            const CPathPoint p = move.segment.PointAt(static_cast<double>(k) / n);
            size_t j = 0;
            const double d = profile.InSpan(p.dZ) ? profile.DistanceTo(p, &j) : 0.0;
            if (d > largest && InsidePart(profile.GetSegments()[j], p)) {
                take(d, p, i);
            }
        }
    }
    result.bMeasured = largest >= 0;
    result.dLargestMm = std::max(largest, 0.0) / 10000.0;
}

bool CDeviationCheck::InsidePart(const CPathSegment& s, CPathPoint p) {
    if (s.IsArc()) {
        const double out = std::hypot(p.dZ - s.ptCentre.dZ, p.dX - s.ptCentre.dX) - s.dRadius;
        // The part lies right of the course: inside a clockwise arc, outside a counter-clockwise
        // one, when the arc runs toward +Z.
        const bool clockwise = (s.nDirection == kDirClockwise) == (s.ptEnd.dZ >= s.ptStart.dZ);
        return clockwise ? out < 0 : out > 0;
    }
    // A step keeps the course's own direction: the part lies before a step down, after a step up.
    const bool forward = s.ptEnd.dZ >= s.ptStart.dZ;
    const CPathPoint a = forward ? s.ptStart : s.ptEnd;
    const CPathPoint b = forward ? s.ptEnd : s.ptStart;
    return (b.dZ - a.dZ) * (p.dX - a.dX) - (b.dX - a.dX) * (p.dZ - a.dZ) < 0;
}

void CDeviationCheck::FindUncovered(const CToolpath& path, const CProfileShape& profile,
                                    CDeviationResult& result) {
    const double near = result.dToleranceMm * 10000.0;
    const CMoveBuckets buckets(path, profile.GetSpanStart(), profile.GetSpanEnd(), near);
    bool open = false;
    for (const CPathSegment& s : profile.GetSegments()) {
        const int n = Samples(s);
        for (int k = 0; k <= n; ++k) {
            const CPathPoint p = s.PointAt(static_cast<double>(k) / n);
            const auto& candidates = buckets.At(p.dZ);
            const bool covered = std::any_of(candidates.begin(), candidates.end(), [&](size_t i) {
                return path.moves[i].segment.DistanceTo(p) <= near;
            });
            if (!covered && !open) {
                result.uncovered.push_back({p.dZ, p.dZ});
            }
            if (!covered) {
                result.uncovered.back().second = p.dZ;
            }
            open = !covered;
        }
    }
}

std::string CDeviationResult::Summary() const {
    if (!bMeasured) {
        return "no feed move runs over the profile";
    }
    char text[160];
    std::snprintf(text, sizeof text, "largest deviation %.4f mm at Z %.3f X %.3f, line %s", dLargestMm,
                  ptAt.dZ / 10000.0, ptAt.dX / 10000.0,
                  strBlock.empty() ? std::to_string(nLine).c_str() : strBlock.c_str());
    return text;
}
