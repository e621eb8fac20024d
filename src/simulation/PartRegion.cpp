// The part's outline: the profile's chords, then down to the axis and back along it.
#include "simulation/PartRegion.h"

#include <cmath>

#include "simulation/MoveSweep.h"
#include "simulation/RegionClipper.h"

CRegion PartRegion(const CProfileShape& profile, double chordError) {
    if (profile.IsEmpty()) {
        return {};
    }
    CRegionPolygon outline;
    for (const CPathSegment& s : profile.GetSegments()) {
        const std::vector<CPathPoint> points = CMoveSweep::Chords(s, chordError);
        for (size_t i = outline.empty() ? 0 : 1; i < points.size(); ++i) {
            outline.push_back({RegionCoordinate(points[i].dZ), RegionCoordinate(points[i].dX)});
        }
    }
    outline.push_back({outline.back().z, 0});
    outline.push_back({outline.front().z, 0});
    // The outline runs clockwise (left to right along the top); a union makes it a proper region.
    return CRegionClipper::Union(CRegion{{outline}});
}
