// CRoughPasses: roughing a turned profile in level passes along Z, written out move by move.
#pragma once

#include <vector>

#include "tools/NosePathSegment.h"

// One move of the passes, in millimetres of the part's Z and X.
struct CRoughMove {
    bool bRapid = false;
    double dZ = 0.0;
    double dX = 0.0;
};

// What the passes are cut from: the start point (in front of the profile's start and above the
// whole profile), the depth of each level, the retract after a cut and the material left.
struct CRoughSpec {
    double dStartZ = 0.0;
    double dStartX = 0.0;
    double dDepth = 1.0;
    double dRetract = 0.5;
    double dAllowX = 0.0;  // radius
    double dAllowZ = 0.0;
};

class CRoughPasses {
public:
    // The passes over a profile whose Z never falls along its segments (lines and arcs from its
    // start to its end), ending with a semi-finishing pass along the allowances and a rapid back
    // to the start point. Pockets are cut by plunging into them; the profile's end is a face.
    // Empty when the depth is so small against the profile's length that the passes would not end.
    static std::vector<CRoughMove> Compute(const std::vector<CNosePathSegment>& profile, const CRoughSpec& spec);

    // The index of the first segment along which X falls, and the Z where it starts to fall;
    // -1 when X only rises or stays.
    static int FindFall(const std::vector<CNosePathSegment>& profile, double& z);

    // The profile as a polyline, arcs as chords no further than 0.001 mm from them.
    static std::vector<CNosePathPoint> Polyline(const std::vector<CNosePathSegment>& profile);
};
