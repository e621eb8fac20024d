// CLinear painting: the strip of the layer profile and the active-element overlay.
#include <vector>

#include "elements/LayerStyle.h"
#include "elements/Linear.h"
#include "elements/OverlayPainter.h"
#include "elements/StripCorners.h"
#include "elements/ViewServices.h"

namespace {
void Edge(CSurface& dc, int x1, int y1, CPoint to) {
    dc.MoveTo(x1, y1);
    dc.LineTo(to.x, to.y);
}
}  // namespace

CPixelRows CLinear::Draw(CSurface& dc, CViewServices* view, const CLayerStyle& style, CPixelRows prev) {
    if (!view) {
        return prev;
    }
    const CStripCorners c = CStripCorners::Of(*view, m_ptStart, m_ptEnd);
    dc.FillPolygon({c.ptU1, c.ptL1, c.ptL2, c.ptU2});
    if (!style.m_bDrawEdges && !prev.IsZero()) {
        // Continue the outline of the previous element: only a change of radius shows.
        Edge(dc, c.ptU1.x, prev.nLower, c.ptL1);
        dc.LineTo(c.ptL2.x, c.ptL2.y);
        Edge(dc, c.ptU1.x, prev.nUpper, c.ptU1);
        dc.LineTo(c.ptU2.x, c.ptU2.y);
    } else {
        Edge(dc, c.ptL2.x, c.ptL2.y, c.ptL1);
        dc.LineTo(c.ptU1.x, c.ptU1.y);
        dc.LineTo(c.ptU2.x, c.ptU2.y);
        if (!prev.IsZero() && prev.nUpper < c.ptU1.y) {
            // The previous element ends higher: close the step down to this one.
            Edge(dc, c.ptU1.x, prev.nLower, c.ptL1);
            Edge(dc, c.ptU1.x, prev.nUpper, c.ptU1);
        }
    }
    return CPixelRows{c.ptL2.y, c.ptU2.y};
}

void CLinear::PaintOverlay(CSurface& dc, CViewServices& view, const CRect& client) const {
    COverlayPainter(dc, view, client).PaintStraight(m_ptStart, m_ptEnd);
}

CPoint CLinear::DrawSelected(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom) {
    if (view) {
        PaintOverlay(dc, *view, CRect(left, top, right, bottom));
    }
    return {};
}

CPoint CLinear::DrawDragFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                                 Handle which) {
    if (view) {
        PaintOverlay(dc, *view, CRect(left, top, right, bottom));
    }
    return GetHandle(which);
}

int CLinear::DrawMoveFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                              int32_t, int32_t) {
    if (view) {
        PaintOverlay(dc, *view, CRect(left, top, right, bottom));
    }
    return 1;
}
