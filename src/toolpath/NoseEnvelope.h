// CNoseEnvelope: the edge a turning tool's nose circle cuts along a program's moves.
#pragma once

#include <map>

#include "toolpath/Toolpath.h"

class CProfileShape;

// A tool's nose as the envelope needs it, model units: the radius and where the nose centre lies
// seen from the programmed point (the imaginary tip), with the tip seen from the centre.
struct CToolNose {
    double dRadius = 0.0;
    double dCentreZ = 0.0;
    double dCentreX = 0.0;
};

class CNoseEnvelope {
public:
    // The path the cutting edge of the nose follows: each feed move under a tool with a nose is
    // moved to its nose centre and offset by the radius on the side of the tip (lines along their
    // normal, arcs by a changed radius), with an arc around the centre where consecutive offsets
    // part. Rapids, moves under no known tool and moves the control compensates itself (between
    // G41/G42 and G40: their programmed path is already the edge) stay as they are. Tools are
    // found by the number a T word selects (T0101 is tried as 101, then as tool 1). With the
    // profile given, the edge is the side of the nose that faces it (the nose cuts the part on
    // that side, wherever its tip points); without it, the side of the tip.
    static CToolpath Of(const CToolpath& path, const std::map<int, CToolNose>& noses,
                        const CProfileShape* profile = nullptr);
};
