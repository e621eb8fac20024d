// Painting tool moves: pens by kind, arcs on their bounding boxes, the start ring.
#include "toolpath/ToolpathPainter.h"

#include <algorithm>
#include <cmath>

#include "elements/ViewServices.h"

namespace {

int Px(double v) {
    return ClampPixel(static_cast<int64_t>(std::lround(std::clamp(v, -1e9, 1e9))));
}

CPoint ToScreen(const CViewServices& view, CPathPoint p) {
    return {Px(view.ModelToScreenXF(p.dZ)), Px(view.ModelToScreenYF(p.dX))};
}

// Whether the segment's extent reaches the surface at all.
bool Visible(const CViewServices& view, const CPathSegment& s, int width, int height) {
    // An arc is tried by its whole circle's box: a few arcs more get drawn, and no angles are
    // worked out for every arc of every repaint.
    const double r = s.IsArc() ? s.dRadius : 0.0;
    const double left =
        view.ModelToScreenXF(s.IsArc() ? s.ptCentre.dZ - r : std::min(s.ptStart.dZ, s.ptEnd.dZ));
    const double right =
        view.ModelToScreenXF(s.IsArc() ? s.ptCentre.dZ + r : std::max(s.ptStart.dZ, s.ptEnd.dZ));
    const double top =
        view.ModelToScreenYF(s.IsArc() ? s.ptCentre.dX + r : std::max(s.ptStart.dX, s.ptEnd.dX));
    const double bottom =
        view.ModelToScreenYF(s.IsArc() ? s.ptCentre.dX - r : std::min(s.ptStart.dX, s.ptEnd.dX));
    return right >= -2 && left <= width + 2 && bottom >= -2 && top <= height + 2;
}

}  // namespace

void CToolpathPainter::PaintMove(CSurface& dc, const CViewServices& view, const CPathSegment& s) {
    const CPoint a = ToScreen(view, s.ptStart);
    const CPoint b = ToScreen(view, s.ptEnd);
    if (!s.IsArc()) {
        dc.MoveTo(a.x, a.y);
        dc.LineTo(b.x, b.y);
        return;
    }
    const CRect box(Px(view.ModelToScreenXF(s.ptCentre.dZ - s.dRadius)),
                    Px(view.ModelToScreenYF(s.ptCentre.dX + s.dRadius)),
                    Px(view.ModelToScreenXF(s.ptCentre.dZ + s.dRadius)),
                    Px(view.ModelToScreenYF(s.ptCentre.dX - s.dRadius)));
    if (box.Width() < 2 || box.Height() < 2) {
        dc.MoveTo(a.x, a.y);
        dc.LineTo(b.x, b.y);
        return;
    }
    // The surface turns counter-clockwise as seen on the screen, which shows X upward.
    if (s.nDirection == kDirCounterClockwise) {
        dc.Arc(box, a, b);
    } else {
        dc.Arc(box, b, a);
    }
}

void CToolpathPainter::Paint(CSurface& dc, const CViewServices& view, const CToolpath& path,
                             const std::vector<size_t>& selected) {
    PaintMoves(dc, view, path);
    PaintMarks(dc, view, path, selected);
}

void CToolpathPainter::PaintMoves(CSurface& dc, const CViewServices& view, const CToolpath& path) {
    CSurfaceStateSaver saver(dc);
    dc.SetBrush(CBrush::MakeNull());
    const int width = dc.GetWidth();
    const int height = dc.GetHeight();
    const CPen rapid{kPenDash, 1, kRapidColor};
    const CPen feed{kPenSolid, 1, kFeedColor};
    for (const CToolMove& move : path.moves) {
        if (!Visible(view, move.segment, width, height)) {
            continue;
        }
        const CPen& pen = move.bRapid ? rapid : feed;
        if (!(dc.GetPen() == pen)) {
            dc.SetPen(pen);
        }
        PaintMove(dc, view, move.segment);
    }
}

void CToolpathPainter::PaintMarks(CSurface& dc, const CViewServices& view, const CToolpath& path,
                                  const std::vector<size_t>& selected) {
    CSurfaceStateSaver saver(dc);
    dc.SetBrush(CBrush::MakeNull());
    dc.SetPen(CPen{kPenSolid, 3, kSelectedColor});
    for (const size_t i : selected) {
        if (i < path.moves.size()) {
            PaintMove(dc, view, path.moves[i].segment);
        }
    }
    if (!path.moves.empty()) {
        // Before its first move the tool stands where the machine left it; the program starts
        // where that move goes.
        const CPoint start = ToScreen(view, path.moves.front().segment.ptEnd);
        dc.SetPen(CPen{kPenSolid, 2, kStartColor});
        dc.Ellipse(CRect(start.x - 5, start.y - 5, start.x + 6, start.y + 6));
    }
}

void CToolpathPainter::PaintTool(CSurface& dc, const CViewServices& view, const std::vector<CPathPoint>& outline,
                                 CPathPoint at) {
    if (outline.size() < 2) {
        return;
    }
    CSurfaceStateSaver saver(dc);
    dc.SetBrush(CBrush::MakeNull());
    dc.SetPen(CPen{kPenSolid, 2, kToolColor});
    std::vector<CPoint> points;
    points.reserve(outline.size());
    for (const CPathPoint& p : outline) {
        points.push_back(ToScreen(view, {at.dZ + p.dZ, at.dX + p.dX}));
    }
    dc.Polygon(points);
}
