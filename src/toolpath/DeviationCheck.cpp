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

}  // namespace

CDeviationResult CDeviationCheck::Run(const CToolpath& path, const CProfileShape& profile,
                                      double toleranceMm) {
    CDeviationResult result;
    result.dToleranceMm = toleranceMm;
    if (profile.IsEmpty()) {
        return result;
    }
    MeasureMoves(path, profile, result);
    FindUncovered(path, profile, result);
    return result;
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
