// CMoveSweep: the region a tool's outline covers while it follows one move.
#pragma once

#include <vector>

#include "simulation/Region.h"
#include "simulation/ToolOutline.h"
#include "toolpath/PathSegment.h"

class CMoveSweep {
public:
    // Arcs are followed through chords that stay this close to the true circle (model units).
    static constexpr double kArcChordError = 8.0;
    // Copies a threading move makes at most; a longer thread sweeps as a continuous cut.
    static constexpr double kMaxThreadCopies = 100000.0;

    // The point tool's shank reaches up to shankTopX (model units), above the stock.
    CMoveSweep(const CToolOutline& tool, double shankTopX);

    // Pieces whose union is the sweep (filled non-zero): for an insert one convex piece per chord.
    CRegion Sweep(const CPathSegment& segment) const;
    // A cut synchronised with the spindle (lead: model units along Z per revolution) passes the
    // section once a revolution: a copy of the outline at the start and every lead along the move.
    // The point tool and a lead of 0 sweep as Sweep does.
    CRegion ThreadSweep(const CPathSegment& segment, double lead) const;
    bool IsPoint() const { return m_corners.empty(); }
    // The outline standing at one point.
    CRegion At(CPathPoint p) const;

    // The points a segment is followed through: its ends, and for an arc its chord corners.
    static std::vector<CPathPoint> Chords(const CPathSegment& segment, double chordError);

private:
    CRegionPolygon Piece(CPathPoint a, CPathPoint b) const;
    CRegion ShankSweep(const std::vector<CPathPoint>& points) const;

    std::vector<CPathPoint> m_corners;  // empty: the point tool
    double m_dShankTop;
};
