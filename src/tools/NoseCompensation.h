// CNoseCompensation: the path of a turning tool's imaginary tip point that keeps its nose circle
// on a profile.
#pragma once

#include <string>
#include <vector>

#include "tools/NosePathSegment.h"

struct CCompensationResult {
    bool bOk = false;
    std::vector<CNosePathSegment> path;
    // When refused: the profile segment at fault and the Z where the nose does not fit.
    int nFaultSegment = -1;
    double dFaultZ = 0.0;
    std::string strReason;
};

// The nose centre runs at the nose radius from the profile on the tool's side: lines are moved
// along their normal, arcs change their radius, an arc around the corner point joins segments
// where the path turns away from the tool and the two neighbours are cut back to their
// intersection where it turns towards it. The tip point is the centre moved by the orientation's
// tip direction, so every segment keeps its shape. All exact in floating point, no polygons.
class CNoseCompensation {
public:
    // toolLeft: the tool stays to the left of the direction of travel (Z to the right, X up).
    // allowance: what the nose stays off the profile all along it (a roughing pass), in mm.
    static CCompensationResult Compute(const std::vector<CNosePathSegment>& profile, double noseRadius,
                                       int orientation, bool toolLeft, double allowance = 0.0);
};
