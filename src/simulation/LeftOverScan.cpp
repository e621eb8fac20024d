// The scan for material left over: vertical lines across the remaining material, each piece
// measured at its top and its middle by its distance to the profile.
#include "simulation/LeftOverScan.h"

#include <algorithm>
#include <cmath>

#include "simulation/RegionClipper.h"

CLeftOverScan::CLeftOverScan(const CProfileShape& profile, double limitMm)
    : m_profile(profile), m_dLimit(limitMm * 10000.0) {}

double CLeftOverScan::Thickness(const std::vector<std::vector<const CRegionPolygon*>>& buckets, double z,
                                CPathPoint& at) const {
    const size_t b = static_cast<size_t>(
        std::clamp((z - m_profile.GetSpanStart()) / kStep, 0.0, static_cast<double>(buckets.size() - 1)));
    std::vector<double> crossings;
    for (const CRegionPolygon* polygon : buckets[b]) {
        for (size_t i = 0, j = polygon->size() - 1; i < polygon->size(); j = i++) {
            const CRegionPoint& p = (*polygon)[j];
            const CRegionPoint& q = (*polygon)[i];
            if ((static_cast<double>(p.z) < z) != (static_cast<double>(q.z) < z)) {
                const double t = (z - static_cast<double>(p.z)) / static_cast<double>(q.z - p.z);
                crossings.push_back(static_cast<double>(p.x) + t * static_cast<double>(q.x - p.x));
            }
        }
    }
    std::sort(crossings.begin(), crossings.end());
    double thickest = 0.0;
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
        for (const double x : {crossings[i + 1], (crossings[i] + crossings[i + 1]) / 2}) {
            const double d = m_profile.DistanceTo({z, x});
            if (d > thickest) {
                thickest = d;
                at = {z, x};
            }
        }
    }
    return thickest;
}

std::vector<CLeftOver> CLeftOverScan::Find(
    const CRegion& excess, const std::function<CSimulationSource(double, double)>& lastCut) const {
    std::vector<CLeftOver> found;
    if (m_profile.IsEmpty() || m_profile.GetSpanEnd() <= m_profile.GetSpanStart()) {
        return found;
    }
    const double start = m_profile.GetSpanStart();
    const size_t count = static_cast<size_t>(std::ceil((m_profile.GetSpanEnd() - start) / kStep));
    // Each polygon is listed in the buckets of the lines its Z range reaches.
    std::vector<std::vector<const CRegionPolygon*>> buckets(std::max<size_t>(count, 1));
    for (const CRegionPolygon& polygon : excess.polygons) {
        CRegionPoint low, high;
        if (!PolygonBounds(polygon, low, high)) {
            continue;
        }
        const double from = std::max(0.0, (static_cast<double>(low.z) - start) / kStep - 1);
        const double to = std::min(static_cast<double>(buckets.size() - 1),
                                   (static_cast<double>(high.z) - start) / kStep + 1);
        for (size_t b = static_cast<size_t>(from); static_cast<double>(b) <= to; ++b) {
            buckets[b].push_back(&polygon);
        }
    }
    bool open = false;
    for (size_t k = 0; k < count; ++k) {
        // Halfway between whole units, so no line runs through a corner.
        const double z =
            std::min(start + (static_cast<double>(k) + 0.5) * kStep, m_profile.GetSpanEnd() - 0.5);
        CPathPoint at;
        const double thickness = m_profile.InSpan(z) ? Thickness(buckets, z, at) : 0.0;
        const bool beyond = thickness > m_dLimit;
        if (beyond && !open) {
            found.push_back({});
            found.back().dZFrom = z;
        }
        if (beyond) {
            CLeftOver& range = found.back();
            range.dZTo = z;
            if (thickness / 10000.0 > range.dThicknessMm) {
                range.dThicknessMm = thickness / 10000.0;
                range.ptThickest = at;
            }
        }
        open = beyond;
    }
    for (CLeftOver& range : found) {
        const double from = std::max(start, range.dZFrom - kStep / 2);
        const double to = std::min(m_profile.GetSpanEnd(), range.dZTo + kStep / 2);
        CRegionPoint low, high;
        excess.Bounds(low, high);
        const CRegion box = CRegion::Rectangle(RegionCoordinate(from), low.x, RegionCoordinate(to), high.x);
        range.dAreaMm2 = CRegionClipper::Intersection(box, excess).Area() / 1e8;
        range.dZFrom = from;
        range.dZTo = to;
        range.source = lastCut(from, to);
    }
    return found;
}
