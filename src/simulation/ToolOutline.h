// CToolOutline: the shape a tool cuts with, seen in the (Z, X) plane around its programmed point.
#pragma once

#include <vector>

#include "toolpath/PathSegment.h"

// A point tool (no tool bound) cuts with its tip and the shank above it; an insert cuts with its
// nose circle and the two cutting edges that leave it. The tool library's tools are mapped onto
// this by the caller (nose radius, orientation as the nose centre's offset, the edge directions).
struct CToolOutline {
    double dNoseRadiusMm = 0.0;
    // The nose centre seen from the programmed point (mm). A tool set to the imaginary tip at the
    // lower left of its nose has (+r, +r); one set to the nose centre (0, 0).
    double dCentreZMm = 0.0;
    double dCentreXMm = 0.0;
    // Directions in which the edges run away from the nose, degrees counter-clockwise from +Z;
    // the insert lies counter-clockwise from the back edge to the front edge (less than 180°).
    // A right-hand tool cutting toward -Z with a 55° insert: front 87°, back 32°.
    double dFrontEdgeDeg = 90.0;
    double dBackEdgeDeg = 90.0;
    double dEdgeLengthMm = 0.0;
    // A tool of another shape (a blade, a drill): its convex outline around the programmed point,
    // model units; when given it is the outline, and the nose and edges above are not used.
    std::vector<CPathPoint> shape;

    bool IsPoint() const { return shape.empty() && dNoseRadiusMm <= 0.0 && dEdgeLengthMm <= 0.0; }
    static CToolOutline Point() { return {}; }
    static CToolOutline Insert(double noseRadiusMm, double frontDeg, double backDeg, double edgeLengthMm);
    static CToolOutline Shape(std::vector<CPathPoint> points);

    // Chords per quarter turn that keep a circle of this radius (model units) within half a
    // micrometre: 2 to 180.
    static int QuarterSteps(double radius);

    // The insert's convex outline around the programmed point at (0, 0), model units,
    // counter-clockwise. Empty for a point tool.
    std::vector<CPathPoint> Corners() const;
};
