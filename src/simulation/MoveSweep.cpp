// Sweeps of a tool along lines and arcs: convex hulls of the outline at both ends of each chord.
#include "simulation/MoveSweep.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "simulation/ConvexHull.h"

namespace {

CRegionPoint Rounded(CPathPoint p) {
    return {RegionCoordinate(p.dZ), RegionCoordinate(p.dX)};
}

}  // namespace

CMoveSweep::CMoveSweep(const CToolOutline& tool, double shankTopX)
    : m_corners(tool.Corners()), m_dShankTop(shankTopX) {}

std::vector<CPathPoint> CMoveSweep::Chords(const CPathSegment& segment, double chordError) {
    if (!segment.IsArc() || segment.dRadius <= chordError) {
        return {segment.ptStart, segment.ptEnd};
    }
    const double sweep = segment.Sweep();
    const double step = 2.0 * std::acos(1.0 - chordError / segment.dRadius);
    const int n = std::clamp(static_cast<int>(std::ceil(std::fabs(sweep) / step)), 1, 100000);
    const double start = segment.StartAngle();
    std::vector<CPathPoint> points;
    points.reserve(n + 1);
    points.push_back(segment.ptStart);
    for (int k = 1; k < n; ++k) {
        const double a = start + sweep * k / n;
        points.push_back({segment.ptCentre.dZ + segment.dRadius * std::cos(a),
                          segment.ptCentre.dX + segment.dRadius * std::sin(a)});
    }
    points.push_back(segment.ptEnd);
    return points;
}

CRegionPolygon CMoveSweep::Piece(CPathPoint a, CPathPoint b) const {
    std::vector<CPathPoint> points;
    if (m_corners.empty()) {
        // The tip and the shank above it.
        points = {a, b, {b.dZ, std::max(m_dShankTop, b.dX)}, {a.dZ, std::max(m_dShankTop, a.dX)}};
    } else {
        points.reserve(2 * m_corners.size());
        for (const CPathPoint& c : m_corners) {
            points.push_back({a.dZ + c.dZ, a.dX + c.dX});
            points.push_back({b.dZ + c.dZ, b.dX + c.dX});
        }
    }
    CRegionPolygon polygon;
    for (const CPathPoint& p : ConvexHull(std::move(points))) {
        polygon.push_back(Rounded(p));
    }
    return polygon;
}

CRegion CMoveSweep::Sweep(const CPathSegment& segment) const {
    const std::vector<CPathPoint> points = Chords(segment, kArcChordError);
    if (m_corners.empty()) {
        return ShankSweep(points);
    }
    CRegion region;
    region.polygons.reserve(points.size() - 1);
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        CRegionPolygon piece = Piece(points[i], points[i + 1]);
        if (piece.size() >= 3) {
            region.polygons.push_back(std::move(piece));
        }
    }
    return region;
}

CRegion CMoveSweep::ThreadSweep(const CPathSegment& segment, double lead) const {
    const double dz = segment.ptEnd.dZ - segment.ptStart.dZ;
    const double length = segment.IsArc() || dz == 0.0 ? 0.0 : std::fabs(dz);
    if (m_corners.empty() || !(lead > 0.0) || length == 0.0 || length / lead > kMaxThreadCopies) {
        return Sweep(segment);
    }
    CRegion region;
    const int count = static_cast<int>(std::floor(length / lead));
    for (int k = 0; k <= count; ++k) {
        const double t = k * lead / length;
        const CPathPoint at{segment.ptStart.dZ + t * dz,
                            segment.ptStart.dX + t * (segment.ptEnd.dX - segment.ptStart.dX)};
        CRegionPolygon piece = Piece(at, at);
        if (piece.size() >= 3) {
            region.polygons.push_back(std::move(piece));
        }
    }
    return region;
}

CRegion CMoveSweep::ShankSweep(const std::vector<CPathPoint>& points) const {
    // Each run of chords that keeps going one way in Z and the shank above it make one polygon.
    CRegion region;
    size_t first = 0;
    while (first + 1 < points.size()) {
        size_t last = first + 1;
        const double way = points[last].dZ - points[first].dZ;
        while (last + 1 < points.size() && (points[last + 1].dZ - points[last].dZ) * way >= 0) {
            ++last;
        }
        if (way != 0.0) {
            CRegionPolygon polygon;
            for (size_t i = first; i <= last; ++i) {
                polygon.push_back(Rounded(points[i]));
            }
            polygon.push_back(Rounded({points[last].dZ, std::max(m_dShankTop, points[last].dX)}));
            polygon.push_back(Rounded({points[first].dZ, std::max(m_dShankTop, points[first].dX)}));
            region.polygons.push_back(std::move(polygon));
        }
        first = last;
    }
    return region;
}

CRegion CMoveSweep::At(CPathPoint p) const {
    return Sweep(CPathSegment::Line(p, p));
}
