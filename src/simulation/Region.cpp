// Area, bounds and the rectangle of a region.
#include "simulation/Region.h"

#include <algorithm>
#include <cmath>

int64_t RegionCoordinate(double v) {
    return std::isfinite(v) ? std::llround(std::clamp(v, -1e12, 1e12))
                            : (std::isnan(v) ? 0 : (v > 0 ? 1000000000000 : -1000000000000));
}

double CRegion::Area() const {
    double total = 0.0;
    for (const CRegionPolygon& polygon : polygons) {
        double twice = 0.0;
        for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
            twice += static_cast<double>(polygon[j].z) * static_cast<double>(polygon[i].x) -
                     static_cast<double>(polygon[i].z) * static_cast<double>(polygon[j].x);
        }
        total += twice / 2.0;
    }
    return total;
}

bool PolygonBounds(const CRegionPolygon& polygon, CRegionPoint& low, CRegionPoint& high) {
    if (polygon.empty()) {
        return false;
    }
    low = high = polygon.front();
    for (const CRegionPoint& p : polygon) {
        low.z = std::min(low.z, p.z);
        low.x = std::min(low.x, p.x);
        high.z = std::max(high.z, p.z);
        high.x = std::max(high.x, p.x);
    }
    return true;
}

bool CRegion::Bounds(CRegionPoint& low, CRegionPoint& high) const {
    bool any = false;
    for (const CRegionPolygon& polygon : polygons) {
        CRegionPoint l, h;
        if (!PolygonBounds(polygon, l, h)) {
            continue;
        }
        if (!any) {
            low = l;
            high = h;
            any = true;
        }
        low = {std::min(low.z, l.z), std::min(low.x, l.x)};
        high = {std::max(high.z, h.z), std::max(high.x, h.x)};
    }
    return any;
}

CRegion CRegion::Rectangle(int64_t z0, int64_t x0, int64_t z1, int64_t x1) {
    return CRegion{{{{z0, x0}, {z1, x0}, {z1, x1}, {z0, x1}}}};
}
