// CNosePathSegment: one line or circular arc of a pass, in millimetres of the part's Z and X.
// Kept apart in name from the toolpath's CPathSegment (model units), which shares a program with it.
#pragma once

struct CNosePathPoint {
    double dZ = 0.0;
    double dX = 0.0;
};

struct CNosePathSegment {
    bool bArc = false;
    CNosePathPoint start;
    CNosePathPoint end;
    CNosePathPoint centre;      // arcs only
    bool bClockwise = false;  // arcs only: turning from +X towards +Z, Z drawn to the right, X up
    int nSource = -1;         // the profile segment it comes from (-1: a corner arc of the offset)
};
