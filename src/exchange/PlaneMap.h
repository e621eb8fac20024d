// CPlaneMap: an affine map of the drawing plane (a block's placement, an object coordinate system),
// and the arcs that follow an ellipse.
#pragma once

#include <vector>

#include "exchange/DxfSegment.h"

struct CPlaneMap {
    // p' = [m_a m_b; m_c m_d] p + (m_tz, m_tx)
    double m_a = 1.0;
    double m_b = 0.0;
    double m_c = 0.0;
    double m_d = 1.0;
    double m_tz = 0.0;
    double m_tx = 0.0;

    CPlanePoint Apply(CPlanePoint p) const;
    // This map after inner: p -> this(inner(p)).
    CPlaneMap After(const CPlaneMap& inner) const;

    // A block's placement: the block's base point goes to at, scaled, then turned by degrees.
    static CPlaneMap Insert(CPlanePoint base, CPlanePoint at, double sx, double sy, double degrees);
    // The plane of an object coordinate system (the DXF arbitrary-axis rule) seen from above.
    static CPlaneMap ObjectSystem(double nx, double ny, double nz);

    // Appends the segment mapped. An arc stays an arc under a map that keeps circles round;
    // under any other map it becomes arcs that follow its image within tolerance.
    void MapSegment(const CDxfSegment& s, double tolerance, std::vector<CDxfSegment>& out) const;
    // Whether circles stay circles; radius is then multiplied by the returned scale.
    bool KeepsCircles(double& scale) const;
};

// Arcs through points of the ellipse center + cos(t) major + sin(t) minor for t from t0 to t1
// (radians, t1 > t0), each leaving the ellipse by less than tolerance.
void AppendEllipseArcs(CPlanePoint center, CPlanePoint major, CPlanePoint minor, double t0, double t1,
                       double tolerance, std::vector<CDxfSegment>& out);

