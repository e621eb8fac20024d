// Refusing drawings whose coordinates the model cannot hold, before they are joined or rounded.
#include "exchange/DxfRange.h"

#include <cmath>
#include <cstdio>

namespace {

// How far from the origin the point reaches in mm (infinite for what is not a number).
double Reach(CPlanePoint p, double radius, double scale, CPlanePoint origin) {
    const double z = std::fabs(p.z * scale - origin.z) + std::fabs(radius * scale);
    const double x = std::fabs(p.x * scale - origin.x) + std::fabs(radius * scale);
    const double reach = std::fmax(z, x);
    return std::isnan(reach) ? HUGE_VAL : reach;
}

}  // namespace

std::string CDxfRange::Check(const CDxfContent& content, double scale, CPlanePoint origin) {
    const size_t count = content.m_segments.size() + content.m_circles.size();
    if (count > kMaxSegments) {
        return "the drawing holds " + std::to_string(count) + " lines, arcs and circles where it is read; an import takes at most " +
               std::to_string(kMaxSegments);
    }
    double reach = 0.0;
    for (const CDxfSegment& s : content.m_segments) {
        reach = std::fmax(reach, Reach(s.m_a, 0.0, scale, origin));
        reach = std::fmax(reach, Reach(s.m_b, 0.0, scale, origin));
        if (s.m_bArc) {
            reach = std::fmax(reach, Reach(s.m_center, s.m_dRadius, scale, origin));
        }
    }
    for (const CDxfContent::CCircle& c : content.m_circles) {
        reach = std::fmax(reach, Reach(c.m_center, c.m_dRadius, scale, origin));
    }
    if (reach <= kReachMm) {
        return {};
    }
    char text[160];
    std::snprintf(text, sizeof text, "the drawing reaches %.4g mm from its origin; a drawing holds %.0f mm", reach,
                  kReachMm);
    return text;
}

std::string CDxfRange::CheckPieces(size_t pieces) {
    if (pieces <= kMaxPieces) {
        return {};
    }
    return "the profile would be " + std::to_string(pieces) + " pieces; a layer takes at most " +
           std::to_string(kMaxPieces) + " from one import";
}
