// The arcs through three curve points and their distance from the curve.
#include "exchange/CurveArcs.h"

#include <numbers>

namespace curve_arcs {

CDxfSegment ArcThrough(CPlanePoint a, CPlanePoint b, CPlanePoint c) {
    constexpr double kPi = std::numbers::pi;
    const double d = 2.0 * (a.z * (b.x - c.x) + b.z * (c.x - a.x) + c.z * (a.x - b.x));
    const double scale = std::max({std::fabs(a.z - c.z), std::fabs(a.x - c.x), 1e-300});
    if (std::fabs(d) < 1e-12 * scale * scale) {
        return CDxfSegment::Line(a, c);
    }
    const double a2 = a.z * a.z + a.x * a.x;
    const double b2 = b.z * b.z + b.x * b.x;
    const double c2 = c.z * c.z + c.x * c.x;
    const CPlanePoint center{(a2 * (b.x - c.x) + b2 * (c.x - a.x) + c2 * (a.x - b.x)) / d,
                             (a2 * (c.z - b.z) + b2 * (a.z - c.z) + c2 * (b.z - a.z)) / d};
    const double radius = std::hypot(a.z - center.z, a.x - center.x);
    const double start = std::atan2(a.x - center.x, a.z - center.z);
    const double mid = std::atan2(b.x - center.x, b.z - center.z);
    const double end = std::atan2(c.x - center.x, c.z - center.z);
    // The sweep from a to c that passes b.
    auto ccw = [](double from, double to) {
        double s = std::fmod(to - from, 2 * kPi);
        return s < 0.0 ? s + 2 * kPi : s;
    };
    const double whole = ccw(start, end);
    const double sweep = ccw(start, mid) <= whole ? whole : whole - 2 * kPi;
    // The ends are the points themselves, not the circle's points at the angles.
    return CDxfSegment::ArcWithEnds(center, radius, start, sweep, a, c);
}

double DistanceToSegment(const CDxfSegment& s, CPlanePoint p) {
    if (s.m_bArc) {
        return std::fabs(std::hypot(p.z - s.m_center.z, p.x - s.m_center.x) - s.m_dRadius);
    }
    const double dz = s.m_b.z - s.m_a.z;
    const double dx = s.m_b.x - s.m_a.x;
    const double l2 = dz * dz + dx * dx;
    const double t = l2 > 0.0 ? std::clamp(((p.z - s.m_a.z) * dz + (p.x - s.m_a.x) * dx) / l2, 0.0, 1.0) : 0.0;
    return std::hypot(p.z - s.m_a.z - t * dz, p.x - s.m_a.x - t * dx);
}

}  // namespace curve_arcs
