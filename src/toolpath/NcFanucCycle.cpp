// The ISO lathe roughing cycles. G71 takes its depth in X and cuts along Z; G72 takes its depth
// in Z and cuts along X: below, "depth" and "cut" name those two axes.
#include "toolpath/NcFanucCycle.h"

#include <cmath>
#include <optional>

namespace {

constexpr int kPassLimit = 100000;
constexpr double kPi = 3.14159265358979323846;

class CAxes {
public:
    explicit CAxes(bool alongX) : m_bAlongX(alongX) {}
    double Depth(CPathPoint p) const { return m_bAlongX ? p.dZ : p.dX; }
    double Cut(CPathPoint p) const { return m_bAlongX ? p.dX : p.dZ; }
    CPathPoint Make(double cut, double depth) const {
        return m_bAlongX ? CPathPoint{depth, cut} : CPathPoint{cut, depth};
    }

private:
    bool m_bAlongX;
};

// Where the segment first reaches depth level, as the cut coordinate.
std::optional<double> CrossAt(const CPathSegment& seg, const CAxes& axes, double level) {
    const double d0 = axes.Depth(seg.ptStart);
    const double d1 = axes.Depth(seg.ptEnd);
    if (!seg.IsArc()) {
        if ((d0 - level) * (d1 - level) > 0) {
            return std::nullopt;
        }
        if (d0 == d1) {
            return axes.Cut(seg.ptStart);
        }
        const double t = (level - d0) / (d1 - d0);
        return axes.Cut(seg.ptStart) + t * (axes.Cut(seg.ptEnd) - axes.Cut(seg.ptStart));
    }
    const double offset = level - axes.Depth(seg.ptCentre);
    if (std::fabs(offset) > seg.dRadius) {
        return std::nullopt;
    }
    const double half = std::sqrt(seg.dRadius * seg.dRadius - offset * offset);
    const double start = seg.StartAngle();
    const double sweep = seg.Sweep();
    std::optional<double> best;
    double bestTurn = 1e9;
    for (const double side : {-1.0, 1.0}) {
        const CPathPoint p = axes.Make(axes.Cut(seg.ptCentre) + side * half, level);
        const double a = std::atan2(p.dX - seg.ptCentre.dX, p.dZ - seg.ptCentre.dZ);
        if (!AngleOnSweep(a, start, sweep)) {
            continue;
        }
        // How far along the sweep the point lies.
        double turn = std::fmod((a - start) * (sweep < 0 ? -1 : 1) + 4 * kPi, 2 * kPi);
        if (turn < bestTurn) {
            bestTurn = turn;
            best = axes.Cut(p);
        }
    }
    return best;
}

CPathSegment Shifted(CPathSegment seg, CPathPoint by) {
    for (CPathPoint* p : {&seg.ptStart, &seg.ptEnd, &seg.ptCentre}) {
        p->dZ += by.dZ;
        p->dX += by.dX;
    }
    return seg;
}

class CEmitter {
public:
    explicit CEmitter(CFanucRoughResult& result, CPathPoint at) : m_result(result), m_at(at) {}
    void To(CPathPoint p, bool rapid) {
        m_result.moves.push_back(CCycleSegment{CPathSegment::Line(m_at, p), rapid});
        m_at = p;
    }
    void Follow(const CPathSegment& seg) {
        CPathSegment s = seg;
        s.ptStart = m_at;
        m_result.moves.push_back(CCycleSegment{s, false});
        m_at = seg.ptEnd;
    }
    CPathPoint At() const { return m_at; }

private:
    CFanucRoughResult& m_result;
    CPathPoint m_at;
};

}  // namespace

CFanucRoughResult ExpandFanucRough(const CFanucRoughInput& in) {
    CFanucRoughResult result;
    if (in.profile.size() < 2) {
        result.strError = "the profile needs its first point and at least one move after it";
        return result;
    }
    if (!(in.dDepth > 0) || !(in.dRetract >= 0)) {
        result.strError = "the depth of cut must be above 0 and the retract not below 0";
        return result;
    }
    const CAxes axes(in.bAlongX);
    const CPathPoint shift{in.dAllowanceZ, in.dAllowanceX};
    std::vector<CPathSegment> profile;
    for (size_t i = 1; i < in.profile.size(); ++i) {
        profile.push_back(Shifted(in.profile[i], shift));
    }
    const CPathPoint a = in.ptStart;
    const CPathPoint first = profile.front().ptStart;
    const CPathPoint last = profile.back().ptEnd;
    // Depth is taken from A toward A'; the passes run from A's side toward B's.
    const double depthSign = axes.Depth(first) < axes.Depth(a) ? -1.0 : 1.0;
    const double cutSign = axes.Cut(last) < axes.Cut(first) ? -1.0 : 1.0;
    CEmitter out(result, a);
    for (int k = 1;; ++k) {
        const double level = axes.Depth(a) + depthSign * k * in.dDepth;
        if (depthSign * (axes.Depth(first) - level) <= 1e-9) {
            break;
        }
        if (k > kPassLimit) {
            result.moves.clear();
            result.strError = "more than " + std::to_string(kPassLimit) + " passes";
            return result;
        }
        double end = axes.Cut(last);
        for (const CPathSegment& seg : profile) {
            if (const std::optional<double> cut = CrossAt(seg, axes, level)) {
                end = *cut;
                break;
            }
        }
        out.To(axes.Make(axes.Cut(a), level), true);
        out.To(axes.Make(end, level), false);
        const double lifted = level - depthSign * in.dRetract;
        out.To(axes.Make(end - cutSign * in.dRetract, lifted), true);
        out.To(axes.Make(axes.Cut(a), lifted), true);
        ++result.nPasses;
    }
    // Along the shifted profile, then back to A.
    out.To(axes.Make(axes.Cut(a), axes.Depth(first)), true);
    if (out.At() != first) {
        out.To(first, false);
    }
    for (const CPathSegment& seg : profile) {
        out.Follow(seg);
    }
    out.To(axes.Make(axes.Cut(out.At()), axes.Depth(a)), true);
    out.To(a, true);
    return result;
}
