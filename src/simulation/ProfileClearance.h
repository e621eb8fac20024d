// CProfileClearance: whether a path stays on or above the part's outline, without clipping.
#pragma once

#include <vector>

#include "simulation/Region.h"
#include "toolpath/PathSegment.h"

class CProfileClearance {
public:
    // The part's top: its outline's corners in Z order (the axis corners left out).
    explicit CProfileClearance(const CRegion& part);

    // True when no point of the polyline lies below the part's top: then the point tool (tip and
    // shank above it) cannot touch part material. False when it may.
    bool Clears(const std::vector<CPathPoint>& points) const;

private:
    double HeightAt(double z) const;

    std::vector<CPathPoint> m_top;
};
