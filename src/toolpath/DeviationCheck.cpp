// The deviation check: feed moves sampled against the profile, and the profile against the moves.
#include "toolpath/DeviationCheck.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Sample count of a segment: one point per step, never fewer than both ends.
int Samples(const CPathSegment& s) {
    return std::clamp(static_cast<int>(std::ceil(s.Length() / CDeviationCheck::kSampleStep)), 1, 200000);
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
    double largest = -1.0;
    for (size_t i = 0; i < path.moves.size(); ++i) {
        const CToolMove& move = path.moves[i];
        if (move.bRapid || move.segment.MaxZ() < profile.GetSpanStart() ||
            move.segment.MinZ() > profile.GetSpanEnd()) {
            continue;
        }
        const int n = Samples(move.segment);
        for (int k = 0; k <= n; ++k) {
            const CPathPoint p = move.segment.PointAt(static_cast<double>(k) / n);
            if (!profile.InSpan(p.dZ)) {
                continue;
            }
            const double d = profile.DistanceTo(p);
            if (d > largest) {
                largest = d;
                result.ptAt = p;
                result.nMove = i;
                result.nLine = move.nLine;
                result.strBlock = move.strBlock;
            }
        }
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
