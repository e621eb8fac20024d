// CPathSegment: a straight or circular piece of a path in the (Z, X) plane, in model units.
#pragma once

#include <vector>

// A point of a path: Z axial, X radial, model units (10000 = 1 mm), not rounded.
struct CPathPoint {
    double dZ = 0.0;
    double dX = 0.0;
    bool operator==(const CPathPoint&) const = default;
};

// Arc directions as seen with Z growing to the right and X upward: G2 turns clockwise.
enum : int { kDirLine = 0, kDirClockwise = -1, kDirCounterClockwise = 1 };

struct CPathSegment {
    CPathPoint ptStart;
    CPathPoint ptEnd;
    CPathPoint ptCentre;   // arcs only
    double dRadius = 0.0;  // arcs only
    int nDirection = kDirLine;
    int nTurns = 0;  // arcs only: whole turns made before the sweep to the end (a P word above 1)

    bool IsArc() const { return nDirection != kDirLine; }
    // Angle of the start point seen from the centre and the signed angle swept (radians);
    // an arc whose ends coincide is a full circle.
    double StartAngle() const;
    double Sweep() const;
    double Length() const;
    // The point at the fraction t (0...1) of the way along the segment.
    CPathPoint PointAt(double t) const;
    // Shortest distance from p to the segment (to the arc itself, not its chord).
    double DistanceTo(CPathPoint p) const;
    // Smallest and largest Z the segment reaches.
    double MinZ() const;
    double MaxZ() const;
    double MinX() const;
    double MaxX() const;

    static CPathSegment Line(CPathPoint a, CPathPoint b);
    static CPathSegment Arc(CPathPoint a, CPathPoint b, CPathPoint centre, int direction);
};

// Whether the angle a lies on the arc that starts at angle start and sweeps sweep.
bool AngleOnSweep(double a, double start, double sweep);
