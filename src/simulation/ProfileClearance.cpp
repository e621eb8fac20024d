// Two polylines over Z: one stays above the other when it does at every corner of both.
#include "simulation/ProfileClearance.h"

#include <algorithm>

CProfileClearance::CProfileClearance(const CRegion& part) {
    for (const CRegionPolygon& polygon : part.polygons) {
        for (const CRegionPoint& p : polygon) {
            if (p.x > 0) {
                m_top.push_back({static_cast<double>(p.z), static_cast<double>(p.x)});
            }
        }
    }
    std::sort(m_top.begin(), m_top.end(), [](const CPathPoint& a, const CPathPoint& b) {
        return a.dZ < b.dZ || (a.dZ == b.dZ && a.dX < b.dX);
    });
}

double CProfileClearance::HeightAt(double z) const {
    // At a step (two corners at one Z) the higher one counts.
    auto after = std::upper_bound(m_top.begin(), m_top.end(), z,
                                  [](double v, const CPathPoint& p) { return v < p.dZ; });
    if (after == m_top.begin() || after == m_top.end()) {
        return after == m_top.end() && !m_top.empty() && m_top.back().dZ == z ? m_top.back().dX : 0.0;
    }
    const CPathPoint& b = *after;
    const CPathPoint& a = *(after - 1);
    if (a.dZ == z) {
        return a.dX;
    }
    return a.dX + (b.dX - a.dX) * (z - a.dZ) / (b.dZ - a.dZ);
}

bool CProfileClearance::Clears(const std::vector<CPathPoint>& points) const {
    if (m_top.empty()) {
        return true;
    }
    // One micrometre in hand for rounding: a closer path is left to the exact clipping.
    constexpr double kMargin = 10.0;
    for (const CPathPoint& p : points) {
        if (p.dZ >= m_top.front().dZ && p.dZ <= m_top.back().dZ && p.dX < HeightAt(p.dZ) + kMargin) {
            return false;
        }
    }
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        const CPathPoint& a = points[i];
        const CPathPoint& b = points[i + 1];
        const double z0 = std::min(a.dZ, b.dZ);
        const double z1 = std::max(a.dZ, b.dZ);
        if (z1 <= z0) {
            continue;
        }
        auto it = std::upper_bound(m_top.begin(), m_top.end(), z0,
                                   [](double v, const CPathPoint& p) { return v < p.dZ; });
        for (; it != m_top.end() && it->dZ < z1; ++it) {
            const double x = a.dX + (b.dX - a.dX) * (it->dZ - a.dZ) / (b.dZ - a.dZ);
            if (x < it->dX + kMargin) {
                return false;
            }
        }
    }
    return true;
}
