// Construction and parametrisation of DXF segments.
#include "exchange/DxfSegment.h"

#include <cmath>

CDxfSegment CDxfSegment::Line(CPlanePoint a, CPlanePoint b) {
    CDxfSegment s;
    s.m_a = a;
    s.m_b = b;
    return s;
}

CDxfSegment CDxfSegment::ArcOf(CPlanePoint center, double radius, double start, double sweep) {
    return ArcWithEnds(center, radius, start, sweep,
                       {center.z + radius * std::cos(start), center.x + radius * std::sin(start)},
                       {center.z + radius * std::cos(start + sweep), center.x + radius * std::sin(start + sweep)});
}

CDxfSegment CDxfSegment::ArcWithEnds(CPlanePoint center, double radius, double start, double sweep, CPlanePoint a,
                                     CPlanePoint b) {
    CDxfSegment s;
    s.m_bArc = true;
    s.m_center = center;
    s.m_dRadius = radius;
    s.m_dStart = start;
    s.m_dSweep = sweep;
    s.m_a = a;
    s.m_b = b;
    return s;
}

CDxfSegment CDxfSegment::FromBulge(CPlanePoint a, CPlanePoint b, double bulge) {
    const double dz = b.z - a.z;
    const double dx = b.x - a.x;
    const double chord = std::hypot(dz, dx);
    if (std::fabs(bulge) < 1e-12 || chord < 1e-12 || !std::isfinite(bulge)) {
        return Line(a, b);
    }
    const double sweep = 4.0 * std::atan(bulge);
    const double radius = chord / (2.0 * std::fabs(std::sin(sweep / 2.0)));
    // The centre lies on the chord's bisector; its signed distance follows from the sweep.
    const double h = chord / (2.0 * std::tan(sweep / 2.0));
    const CPlanePoint mid{(a.z + b.z) / 2.0, (a.x + b.x) / 2.0};
    const CPlanePoint center{mid.z - h * dx / chord, mid.x + h * dz / chord};
    CDxfSegment s = ArcOf(center, radius, std::atan2(a.x - center.x, a.z - center.z), sweep);
    // The ends stay exactly where the polyline has its vertices.
    s.m_a = a;
    s.m_b = b;
    return s;
}

CPlanePoint CDxfSegment::At(double t) const {
    if (!m_bArc) {
        return {m_a.z + (m_b.z - m_a.z) * t, m_a.x + (m_b.x - m_a.x) * t};
    }
    // The ends are kept exactly as the drawing gave them.
    if (t <= 0.0) {
        return m_a;
    }
    if (t >= 1.0) {
        return m_b;
    }
    const double angle = m_dStart + m_dSweep * t;
    return {m_center.z + m_dRadius * std::cos(angle), m_center.x + m_dRadius * std::sin(angle)};
}

CDxfSegment CDxfSegment::Reversed() const {
    CDxfSegment s = *this;
    s.m_a = m_b;
    s.m_b = m_a;
    if (m_bArc) {
        s.m_dStart = m_dStart + m_dSweep;
        s.m_dSweep = -m_dSweep;
    }
    return s;
}

CDxfSegment CDxfSegment::Part(double t0, double t1) const {
    CDxfSegment s = *this;
    s.m_a = At(t0);
    s.m_b = At(t1);
    if (m_bArc) {
        s.m_dStart = m_dStart + m_dSweep * t0;
        s.m_dSweep = m_dSweep * (t1 - t0);
    }
    return s;
}
