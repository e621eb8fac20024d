// Arcs that follow a parametrised curve (an ellipse, a spline) within a tolerance.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "exchange/DxfSegment.h"

namespace curve_arcs {

constexpr int kMaxDepth = 14;

// The arc through three points, its ends exactly a and c; a line when they are in a row.
CDxfSegment ArcThrough(CPlanePoint a, CPlanePoint b, CPlanePoint c);
// How far p lies from the segment (from an arc's circle).
double DistanceToSegment(const CDxfSegment& s, CPlanePoint p);

// The arc through the curve's points at a, the middle and c, halved where it leaves the curve by
// more than tolerance at its quarter or eighth points.
template <typename Curve>
void FitArcs(const Curve& at, double a, CPlanePoint pa, double c, CPlanePoint pc, double tolerance, int depth,
             std::vector<CDxfSegment>& out) {
    const double m = (a + c) / 2;
    const CPlanePoint pm = at(m);
    const CDxfSegment arc = ArcThrough(pa, pm, pc);
    bool close = true;
    for (double f : {0.25, 0.75, 0.125, 0.875}) {
        close = close && DistanceToSegment(arc, at(a + (c - a) * f)) <= tolerance;
    }
    if (close || depth >= kMaxDepth) {
        out.push_back(arc);
        return;
    }
    FitArcs(at, a, pa, m, pm, tolerance, depth + 1, out);
    FitArcs(at, m, pm, c, pc, tolerance, depth + 1, out);
}

}  // namespace curve_arcs

// Arcs through points of the curve at(t) for t from t0 to t1, starting from pieces equal steps and
// halving them until each arc keeps to the curve within tolerance at its quarter and eighth points.
// Curve: any callable from double to CPlanePoint.
template <typename Curve>
void AppendCurveArcs(const Curve& at, double t0, double t1, int pieces, double tolerance,
                     std::vector<CDxfSegment>& out) {
    if (!(t1 > t0) || !std::isfinite(t0) || !std::isfinite(t1)) {
        return;
    }
    const int n = std::max(1, pieces);
    CPlanePoint from = at(t0);
    for (int i = 0; i < n; ++i) {
        const double a = t0 + (t1 - t0) * i / n;
        const double c = i + 1 == n ? t1 : t0 + (t1 - t0) * (i + 1) / n;
        const CPlanePoint to = at(c);
        curve_arcs::FitArcs(at, a, from, c, to, tolerance, 0, out);
        from = to;
    }
}
