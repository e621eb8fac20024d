// Painting a simulation frame: filled regions through the view's mapping, then the bad rapids.
#include "simulation/SimulationPainter.h"

#include <algorithm>
#include <cmath>

#include "elements/ViewServices.h"

namespace {

int Px(double v) {
    return ClampPixel(static_cast<int64_t>(std::lround(std::clamp(v, -1e9, 1e9))));
}

}  // namespace

void CSimulationPainter::PaintRegion(CSurface& dc, const CViewServices& view, const CRegion& region,
                                     COLORREF color) {
    dc.SetBrush(CBrush::MakeSolid(color));
    const int width = dc.GetWidth();
    const int height = dc.GetHeight();
    std::vector<CPoint> points;
    for (const CRegionPolygon& polygon : region.polygons) {
        points.clear();
        int left = INT32_MAX, right = INT32_MIN, top = INT32_MAX, bottom = INT32_MIN;
        for (const CRegionPoint& p : polygon) {
            const CPoint q{Px(view.ModelToScreenXF(static_cast<double>(p.z))),
                           Px(view.ModelToScreenYF(static_cast<double>(p.x)))};
            // Corners that land on the same pixel as the one before add nothing.
            if (points.empty() || !(points.back() == q)) {
                points.push_back(q);
            }
            left = std::min(left, q.x);
            right = std::max(right, q.x);
            top = std::min(top, q.y);
            bottom = std::max(bottom, q.y);
        }
        if (points.size() >= 3 && right >= 0 && left <= width && bottom >= 0 && top <= height) {
            dc.Polygon(points);
        }
    }
}

void CSimulationPainter::Paint(CSurface& dc, const CViewServices& view, const CSimulationResult& frame,
                               const CToolpath& path) {
    CSurfaceStateSaver saver(dc);
    dc.SetPen(CPen{kPenNull, 0, 0});
    PaintRegion(dc, view, frame.part, kPartColor);
    PaintRegion(dc, view, frame.excess, kLeftOverColor);
    PaintRegion(dc, view, frame.gouged, kGougeColor);
    dc.SetPen(CPen{kPenDash, 3, kGougeColor});
    for (const CRapidThroughMaterial& rapid : frame.rapids) {
        if (rapid.source.nMove < path.moves.size()) {
            const CPathSegment& s = path.moves[rapid.source.nMove].segment;
            dc.MoveTo(Px(view.ModelToScreenXF(s.ptStart.dZ)), Px(view.ModelToScreenYF(s.ptStart.dX)));
            dc.LineTo(Px(view.ModelToScreenXF(s.ptEnd.dZ)), Px(view.ModelToScreenYF(s.ptEnd.dX)));
        }
    }
}
