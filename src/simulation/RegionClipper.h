// CRegionClipper: the boolean operations on regions, the one door to the polygon library.
#pragma once

#include "simulation/Region.h"

class CRegionClipper {
public:
    // The polygons of b may overlap each other (they are filled non-zero); a's must not.
    static CRegion Difference(const CRegion& a, const CRegion& b);
    static CRegion Intersection(const CRegion& a, const CRegion& b);
    static CRegion Union(const CRegion& a);
};
