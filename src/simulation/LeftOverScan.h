// CLeftOverScan: where the material left above the profile is thicker than an allowance.
#pragma once

#include <functional>
#include <vector>

#include "simulation/Region.h"
#include "simulation/SimulationResult.h"
#include "toolpath/ProfileShape.h"

class CLeftOverScan {
public:
    // Vertical lines this far apart (model units) are looked along.
    static constexpr double kStep = 500.0;

    // Thicker than limitMm counts.
    CLeftOverScan(const CProfileShape& profile, double limitMm);

    // The Z ranges over the profile's span; lastCut names the move that last cut over a range.
    std::vector<CLeftOver> Find(const CRegion& excess,
                                const std::function<CSimulationSource(double, double)>& lastCut) const;

private:
    // The thickest material on the vertical line at z: distance to the profile and the point.
    double Thickness(const std::vector<std::vector<const CRegionPolygon*>>& buckets, double z,
                     CPathPoint& at) const;

    const CProfileShape& m_profile;
    double m_dLimit;  // model units
};
