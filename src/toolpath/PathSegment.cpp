// Geometry of straight and circular path segments: sweep, points along, distances, extents.
#include "toolpath/PathSegment.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 2.0 * M_PI;
// Ends closer than this (model units) make a full circle.
constexpr double kSamePoint = 1e-3;

double DistanceToLine(CPathPoint a, CPathPoint b, CPathPoint p) {
    const double dz = b.dZ - a.dZ;
    const double dx = b.dX - a.dX;
    const double len2 = dz * dz + dx * dx;
    double t = len2 > 0 ? ((p.dZ - a.dZ) * dz + (p.dX - a.dX) * dx) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(a.dZ + t * dz - p.dZ, a.dX + t * dx - p.dX);
}

}  // namespace

bool AngleOnSweep(double a, double start, double sweep) {
    double d = std::remainder(a - start, kTwoPi);  // -pi...pi
    if (sweep >= 0) {
        if (d < 0) {
            d += kTwoPi;
        }
        return d <= sweep;
    }
    if (d > 0) {
        d -= kTwoPi;
    }
    return d >= sweep;
}

CPathSegment CPathSegment::Line(CPathPoint a, CPathPoint b) {
    CPathSegment s;
    s.ptStart = a;
    s.ptEnd = b;
    return s;
}

CPathSegment CPathSegment::Arc(CPathPoint a, CPathPoint b, CPathPoint centre, int direction) {
    CPathSegment s;
    s.ptStart = a;
    s.ptEnd = b;
    s.ptCentre = centre;
    s.nDirection = direction;
    s.dRadius = std::hypot(a.dZ - centre.dZ, a.dX - centre.dX);
    return s;
}

double CPathSegment::StartAngle() const {
    return std::atan2(ptStart.dX - ptCentre.dX, ptStart.dZ - ptCentre.dZ);
}

double CPathSegment::Sweep() const {
    if (!IsArc()) {
        return 0.0;
    }
    const double turns = nDirection * kTwoPi * nTurns;
    if (std::hypot(ptEnd.dZ - ptStart.dZ, ptEnd.dX - ptStart.dX) < kSamePoint) {
        return nDirection * kTwoPi + turns;
    }
    const double end = std::atan2(ptEnd.dX - ptCentre.dX, ptEnd.dZ - ptCentre.dZ);
    double sweep = end - StartAngle();
    if (nDirection > 0) {
        while (sweep <= 0) {
            sweep += kTwoPi;
        }
    } else {
        while (sweep >= 0) {
            sweep -= kTwoPi;
        }
    }
    return sweep + turns;
}

double CPathSegment::Length() const {
    if (IsArc()) {
        return std::fabs(Sweep()) * dRadius;
    }
    return std::hypot(ptEnd.dZ - ptStart.dZ, ptEnd.dX - ptStart.dX);
}

CPathPoint CPathSegment::PointAt(double t) const {
    if (t >= 1.0) {
        return ptEnd;
    }
    if (!IsArc()) {
        return {ptStart.dZ + t * (ptEnd.dZ - ptStart.dZ), ptStart.dX + t * (ptEnd.dX - ptStart.dX)};
    }
    const double a = StartAngle() + t * Sweep();
    return {ptCentre.dZ + dRadius * std::cos(a), ptCentre.dX + dRadius * std::sin(a)};
}

double CPathSegment::DistanceTo(CPathPoint p) const {
    if (!IsArc()) {
        return DistanceToLine(ptStart, ptEnd, p);
    }
    const double a = std::atan2(p.dX - ptCentre.dX, p.dZ - ptCentre.dZ);
    const double toEnds = std::min(std::hypot(p.dZ - ptStart.dZ, p.dX - ptStart.dX),
                                   std::hypot(p.dZ - ptEnd.dZ, p.dX - ptEnd.dX));
    if (!AngleOnSweep(a, StartAngle(), Sweep())) {
        return toEnds;
    }
    return std::min(toEnds, std::fabs(std::hypot(p.dZ - ptCentre.dZ, p.dX - ptCentre.dX) - dRadius));
}

double CPathSegment::MinZ() const {
    const double ends = std::min(ptStart.dZ, ptEnd.dZ);
    return IsArc() && AngleOnSweep(M_PI, StartAngle(), Sweep()) ? ptCentre.dZ - dRadius : ends;
}

double CPathSegment::MaxZ() const {
    const double ends = std::max(ptStart.dZ, ptEnd.dZ);
    return IsArc() && AngleOnSweep(0.0, StartAngle(), Sweep()) ? ptCentre.dZ + dRadius : ends;
}

double CPathSegment::MinX() const {
    const double ends = std::min(ptStart.dX, ptEnd.dX);
    return IsArc() && AngleOnSweep(-M_PI / 2, StartAngle(), Sweep()) ? ptCentre.dX - dRadius : ends;
}

double CPathSegment::MaxX() const {
    const double ends = std::max(ptStart.dX, ptEnd.dX);
    return IsArc() && AngleOnSweep(M_PI / 2, StartAngle(), Sweep()) ? ptCentre.dX + dRadius : ends;
}
