// CRegion: polygons with integer model coordinates (Z axial, X radial), the simulation's areas.
#pragma once

#include <cstdint>
#include <vector>

struct CRegionPoint {
    int64_t z = 0;
    int64_t x = 0;
    bool operator==(const CRegionPoint&) const = default;
};

using CRegionPolygon = std::vector<CRegionPoint>;

// A model coordinate as a region's integer: rounded, and held within ±10^12 (100 km) so that any
// text's numbers stay within what the boolean operations take; not-a-number becomes 0.
int64_t RegionCoordinate(double v);

// Bounding box of one polygon; false for an empty one.
bool PolygonBounds(const CRegionPolygon& polygon, CRegionPoint& low, CRegionPoint& high);

// Outer polygons run counter-clockwise and holes clockwise, as the boolean operations give them.
struct CRegion {
    std::vector<CRegionPolygon> polygons;

    bool IsEmpty() const { return polygons.empty(); }
    // Net area in square model units (holes subtract).
    double Area() const;
    // Bounding box; false for an empty region.
    bool Bounds(CRegionPoint& low, CRegionPoint& high) const;

    static CRegion Rectangle(int64_t z0, int64_t x0, int64_t z1, int64_t x1);
};
