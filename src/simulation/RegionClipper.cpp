// The boolean operations on regions, through Clipper (integer coordinates, exact).
#include "simulation/RegionClipper.h"

#include <clipper.hpp>

namespace {

ClipperLib::Paths ToPaths(const CRegion& region) {
    ClipperLib::Paths paths;
    paths.reserve(region.polygons.size());
    for (const CRegionPolygon& polygon : region.polygons) {
        ClipperLib::Path path;
        path.reserve(polygon.size());
        for (const CRegionPoint& p : polygon) {
            path.emplace_back(p.z, p.x);
        }
        paths.push_back(std::move(path));
    }
    return paths;
}

CRegion FromPaths(const ClipperLib::Paths& paths) {
    CRegion region;
    region.polygons.reserve(paths.size());
    for (const ClipperLib::Path& path : paths) {
        if (path.size() < 3) {
            continue;
        }
        CRegionPolygon polygon;
        polygon.reserve(path.size());
        for (const ClipperLib::IntPoint& p : path) {
            polygon.push_back({p.X, p.Y});
        }
        region.polygons.push_back(std::move(polygon));
    }
    return region;
}

CRegion Execute(ClipperLib::ClipType type, const CRegion& a, const CRegion* b) {
    // The library throws on coordinates beyond its range; ours are held within it
    // (RegionCoordinate), so a throw would be a fault of ours: the result is then empty.
    try {
        ClipperLib::Clipper clipper;
        clipper.AddPaths(ToPaths(a), ClipperLib::ptSubject, true);
        if (b) {
            clipper.AddPaths(ToPaths(*b), ClipperLib::ptClip, true);
        }
        ClipperLib::Paths out;
        clipper.Execute(type, out, ClipperLib::pftNonZero, ClipperLib::pftNonZero);
        return FromPaths(out);
    } catch (const ClipperLib::clipperException&) {
        return {};
    }
}

}  // namespace

CRegion CRegionClipper::Difference(const CRegion& a, const CRegion& b) {
    return Execute(ClipperLib::ctDifference, a, &b);
}

CRegion CRegionClipper::Intersection(const CRegion& a, const CRegion& b) {
    return Execute(ClipperLib::ctIntersection, a, &b);
}

CRegion CRegionClipper::Union(const CRegion& a) {
    return Execute(ClipperLib::ctUnion, a, nullptr);
}
