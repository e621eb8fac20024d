// CPathSegment: one line or circular arc of a pass, in millimetres of the part's Z and X.
#pragma once

struct CPathPoint {
    double dZ = 0.0;
    double dX = 0.0;
};

struct CPathSegment {
    bool bArc = false;
    CPathPoint start;
    CPathPoint end;
    CPathPoint centre;      // arcs only
    bool bClockwise = false;  // arcs only: turning from +X towards +Z, Z drawn to the right, X up
    int nSource = -1;         // the profile segment it comes from (-1: a corner arc of the offset)
};
