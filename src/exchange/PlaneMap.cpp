// Affine maps of the drawing plane, and ellipses followed by arcs.
#include "exchange/PlaneMap.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "exchange/CurveArcs.h"

namespace {

constexpr double kPi = std::numbers::pi;

}  // namespace

CPlanePoint CPlaneMap::Apply(CPlanePoint p) const {
    return {m_a * p.z + m_b * p.x + m_tz, m_c * p.z + m_d * p.x + m_tx};
}

CPlaneMap CPlaneMap::After(const CPlaneMap& inner) const {
    CPlaneMap m;
    m.m_a = m_a * inner.m_a + m_b * inner.m_c;
    m.m_b = m_a * inner.m_b + m_b * inner.m_d;
    m.m_c = m_c * inner.m_a + m_d * inner.m_c;
    m.m_d = m_c * inner.m_b + m_d * inner.m_d;
    const CPlanePoint t = Apply({inner.m_tz, inner.m_tx});
    m.m_tz = t.z;
    m.m_tx = t.x;
    return m;
}

CPlaneMap CPlaneMap::Insert(CPlanePoint base, CPlanePoint at, double sx, double sy, double degrees) {
    const double r = degrees * kPi / 180.0;
    const double c = std::cos(r);
    const double s = std::sin(r);
    CPlaneMap m;
    m.m_a = c * sx;
    m.m_b = -s * sy;
    m.m_c = s * sx;
    m.m_d = c * sy;
    const CPlanePoint moved = m.Apply(base);
    m.m_tz = at.z - moved.z;
    m.m_tx = at.x - moved.x;
    return m;
}

CPlaneMap CPlaneMap::ObjectSystem(double nx, double ny, double nz) {
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (!(length > 0.0) || !std::isfinite(length)) {
        return {};
    }
    nx /= length;
    ny /= length;
    nz /= length;
    // The arbitrary-axis rule: Ax = W x N, W the world y axis near the poles, else the z axis.
    double ax[3];
    if (std::fabs(nx) < 1.0 / 64 && std::fabs(ny) < 1.0 / 64) {
        ax[0] = nz;  // (0,1,0) x N
        ax[1] = 0.0;
        ax[2] = -nx;
    } else {
        ax[0] = -ny;  // (0,0,1) x N
        ax[1] = nx;
        ax[2] = 0.0;
    }
    const double al = std::sqrt(ax[0] * ax[0] + ax[1] * ax[1] + ax[2] * ax[2]);
    for (double& v : ax) {
        v /= al;
    }
    // Ay = N x Ax.
    const double ay[3] = {ny * ax[2] - nz * ax[1], nz * ax[0] - nx * ax[2], nx * ax[1] - ny * ax[0]};
    CPlaneMap m;
    m.m_a = ax[0];
    m.m_b = ay[0];
    m.m_c = ax[1];
    m.m_d = ay[1];
    return m;
}

bool CPlaneMap::KeepsCircles(double& scale) const {
    const double s1 = std::hypot(m_a, m_c);
    const double s2 = std::hypot(m_b, m_d);
    const double dot = m_a * m_b + m_c * m_d;
    scale = s1;
    return s1 > 0.0 && std::fabs(s1 - s2) <= 1e-12 * s1 && std::fabs(dot) <= 1e-12 * s1 * s1;
}

void CPlaneMap::MapSegment(const CDxfSegment& s, double tolerance, std::vector<CDxfSegment>& out) const {
    if (!s.m_bArc) {
        out.push_back(CDxfSegment::Line(Apply(s.m_a), Apply(s.m_b)));
        return;
    }
    double scale = 1.0;
    if (KeepsCircles(scale)) {
        const CPlanePoint center = Apply(s.m_center);
        const CPlanePoint a = Apply(s.m_a);
        const double sense = m_a * m_d - m_b * m_c < 0.0 ? -1.0 : 1.0;
        CDxfSegment arc = CDxfSegment::ArcOf(center, s.m_dRadius * scale, std::atan2(a.x - center.x, a.z - center.z),
                                             s.m_dSweep * sense);
        arc.m_a = a;
        arc.m_b = Apply(s.m_b);
        out.push_back(arc);
        return;
    }
    // The image of a circle under this map is an ellipse.
    const CPlanePoint center = Apply(s.m_center);
    const CPlanePoint major{m_a * s.m_dRadius, m_c * s.m_dRadius};
    const CPlanePoint minor{m_b * s.m_dRadius, m_d * s.m_dRadius};
    const double t0 = std::min(s.m_dStart, s.m_dStart + s.m_dSweep);
    const double t1 = std::max(s.m_dStart, s.m_dStart + s.m_dSweep);
    std::vector<CDxfSegment> arcs;
    AppendEllipseArcs(center, major, minor, t0, t1, tolerance, arcs);
    out.insert(out.end(), arcs.begin(), arcs.end());
}

void AppendEllipseArcs(CPlanePoint center, CPlanePoint major, CPlanePoint minor, double t0, double t1,
                       double tolerance, std::vector<CDxfSegment>& out) {
    if (!(t1 > t0) || !std::isfinite(t0) || !std::isfinite(t1)) {
        return;
    }
    t1 = std::min(t1, t0 + 2 * kPi);
    auto at = [&](double t) {
        return CPlanePoint{center.z + std::cos(t) * major.z + std::sin(t) * minor.z,
                           center.x + std::cos(t) * major.x + std::sin(t) * minor.x};
    };
    AppendCurveArcs(at, t0, t1, static_cast<int>(std::ceil((t1 - t0) / (kPi / 8))), tolerance, out);
}
