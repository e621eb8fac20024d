// The insert's cutting edges against the part under the profile, sampled along each edge.
#include "tools/InsertClearance.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDeg = M_PI / 180.0;

double MinZ(const CNosePathSegment& s) {
    return std::min(s.start.dZ, s.end.dZ);
}
double MaxZ(const CNosePathSegment& s) {
    return std::max(s.start.dZ, s.end.dZ);
}

// Whether the angle a (radians) lies on the arc s seen from its centre.
bool OnArc(const CNosePathSegment& s, double a) {
    const double a0 = std::atan2(s.start.dX - s.centre.dX, s.start.dZ - s.centre.dZ);
    const double a1 = std::atan2(s.end.dX - s.centre.dX, s.end.dZ - s.centre.dZ);
    // Counter-clockwise from the start to the end unless the arc turns clockwise.
    const double from = s.bClockwise ? a1 : a0;
    const double to = s.bClockwise ? a0 : a1;
    const double sweep = std::fmod(to - from + 4 * M_PI, 2 * M_PI);
    const double at = std::fmod(a - from + 4 * M_PI, 2 * M_PI);
    return at <= sweep + 1e-12;
}

}  // namespace

CInsertClearance::CInsertClearance(const std::vector<CNosePathSegment>& profile, const CTool& tool)
    : m_tool(tool), m_bEdges(tool.cShape != 'R' && tool.cShape != 'r') {
    bool first = true;
    for (const CNosePathSegment& s : profile) {
        if (first || MinZ(s) < m_dZ0) {
            m_dZ0 = MinZ(s);
        }
        if (first || MaxZ(s) > m_dZ1) {
            m_dZ1 = MaxZ(s);
        }
        first = false;
        if (MaxZ(s) - MinZ(s) > 1e-9) {
            m_profile.push_back(s);
        }
    }
    std::sort(m_profile.begin(), m_profile.end(),
              [](const CNosePathSegment& a, const CNosePathSegment& b) { return MinZ(a) < MinZ(b); });
}

double CInsertClearance::PartRadiusAt(double z) const {
    double radius = 0.0;
    // Segments overlap in Z only at their ends: from the last one starting at or before z back
    // to the first that ends before it.
    const auto end = std::upper_bound(m_profile.begin(), m_profile.end(), z,
                                      [](double v, const CNosePathSegment& s) { return v < MinZ(s); });
    for (auto it = end; it != m_profile.begin();) {
        const CNosePathSegment& s = *--it;
        if (z > MaxZ(s)) {
            break;
        }
        if (!s.bArc) {
            const double t = (z - s.start.dZ) / (s.end.dZ - s.start.dZ);
            radius = std::max(radius, s.start.dX + t * (s.end.dX - s.start.dX));
            continue;
        }
        const double r = std::hypot(s.start.dZ - s.centre.dZ, s.start.dX - s.centre.dX);
        const double dz = z - s.centre.dZ;
        const double h = std::sqrt(std::max(r * r - dz * dz, 0.0));
        for (const double x : {s.centre.dX + h, s.centre.dX - h}) {
            if (OnArc(s, std::atan2(x - s.centre.dX, dz))) {
                radius = std::max(radius, x);
            }
        }
    }
    return radius;
}

bool CInsertClearance::EdgeClears(CNosePathPoint centre, double angleDeg, double tangentSideDeg) const {
    const double r = m_tool.dNoseRadius;
    const CNosePathPoint from{centre.dZ + r * std::cos(tangentSideDeg * kDeg),
                              centre.dX + r * std::sin(tangentSideDeg * kDeg)};
    const double dz = std::cos(angleDeg * kDeg);
    const double dx = std::sin(angleDeg * kDeg);
    const CNosePathPoint to{from.dZ + kEdgeLengthMm * dz, from.dX + kEdgeLengthMm * dx};
    // Whether the edge's point at z lies inside the part.
    const auto inside = [&](double z) {
        if (z <= m_dZ0 || z >= m_dZ1) {
            return false;
        }
        const double radius = PartRadiusAt(z) - kToleranceMm;
        if (std::fabs(dz) < 1e-12) {
            return std::min(from.dX, to.dX) < radius && std::max(from.dX, to.dX) >= 0;
        }
        const double x = from.dX + (z - from.dZ) / dz * dx;
        return x >= 0 && x < radius;
    };
    const double z0 = std::min(from.dZ, to.dZ);
    const double z1 = std::max(from.dZ, to.dZ);
    // Between the profile's corners the part's edge is straight or an arc, the insert's edge
    // straight: the deepest point lies at a corner, an end of the edge or where an arc runs
    // parallel to the edge. Just inside the edge's ends, so that the nose's own touch is no hit.
    const double margin = 1e-6;
    if (inside(z0 + margin) || inside(z1 - margin)) {
        return false;
    }
    const auto first = std::lower_bound(m_profile.begin(), m_profile.end(), z0,
                                        [](const CNosePathSegment& s, double v) { return MaxZ(s) < v; });
    for (auto it = first; it != m_profile.end() && MinZ(*it) <= z1; ++it) {
        const CNosePathSegment& s = *it;
        for (const double z : {MinZ(s), MaxZ(s)}) {
            if (z > z0 + margin && z < z1 - margin && inside(z)) {
                return false;
            }
        }
        if (s.bArc) {
            // The points whose tangent runs along the edge: a quarter turn from its direction.
            const double radius = std::hypot(s.start.dZ - s.centre.dZ, s.start.dX - s.centre.dX);
            for (const double a : {angleDeg * kDeg + M_PI / 2, angleDeg * kDeg - M_PI / 2}) {
                const double z = s.centre.dZ + radius * std::cos(a);
                if (OnArc(s, a) && z > z0 + margin && z < z1 - margin && inside(z)) {
                    return false;
                }
            }
        }
    }
    return true;
}

bool CInsertClearance::Clears(CNosePathPoint tip) const {
    if (!m_bEdges) {
        return true;
    }
    const CTipDirection d = CTool::TipDirection(m_tool.nOrientation);
    const CNosePathPoint centre{tip.dZ - m_tool.dNoseRadius * d.dZ, tip.dX - m_tool.dNoseRadius * d.dX};
    // The body is the narrower sector between the edges; each edge leaves the nose a quarter turn
    // from its direction, away from the other edge.
    const double front = m_tool.dFrontAngle;
    const double back = m_tool.dBackAngle;
    const double side = std::remainder(front - back, 360.0) >= 0 ? 90.0 : -90.0;
    return EdgeClears(centre, front, front + side) && EdgeClears(centre, back, back - side);
}
