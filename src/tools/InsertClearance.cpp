// The insert's cutting edges against the part under the profile, sampled along each edge.
#include "tools/InsertClearance.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDeg = M_PI / 180.0;
// Edge points tested per millimetre of edge.
constexpr double kSamplesPerMm = 8.0;

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
    const int n = static_cast<int>(kEdgeLengthMm * kSamplesPerMm);
    for (int k = 1; k <= n; ++k) {
        const double along = kEdgeLengthMm * k / n;
        const double z = from.dZ + along * dz;
        const double x = from.dX + along * dx;
        if (z > m_dZ0 && z < m_dZ1 && x >= 0 && x < PartRadiusAt(z) - kToleranceMm) {
            return false;
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
