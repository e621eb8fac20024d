// The monotone chain: lower and upper hulls of the points sorted by Z, then X.
#include "simulation/ConvexHull.h"

#include <algorithm>

namespace {

double Cross(const CPathPoint& o, const CPathPoint& a, const CPathPoint& b) {
    return (a.dZ - o.dZ) * (b.dX - o.dX) - (a.dX - o.dX) * (b.dZ - o.dZ);
}

}  // namespace

std::vector<CPathPoint> ConvexHull(std::vector<CPathPoint> points) {
    std::sort(points.begin(), points.end(), [](const CPathPoint& a, const CPathPoint& b) {
        return a.dZ < b.dZ || (a.dZ == b.dZ && a.dX < b.dX);
    });
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.size() < 3) {
        return points;
    }
    std::vector<CPathPoint> hull(2 * points.size());
    size_t k = 0;
    for (const CPathPoint& p : points) {
        while (k >= 2 && Cross(hull[k - 2], hull[k - 1], p) <= 0) {
            --k;
        }
        hull[k++] = p;
    }
    for (size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && Cross(hull[k - 2], hull[k - 1], points[i]) <= 0) {
            --k;
        }
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return hull;
}
