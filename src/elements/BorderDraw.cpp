// Painting of a border: the end face of the part, the marker at its free end and the overlay.
#include "elements/Border.h"
#include "elements/OverlayPainter.h"
#include "elements/StripCorners.h"
#include "elements/ViewServices.h"

CPixelRows CBorder::Draw(CSurface& dc, CViewServices* view, const CLayerStyle&, CPixelRows) {
    if (!view) {
        return {};
    }
    const CStripCorners c = CStripCorners::Of(*view, m_ptStart, m_ptEnd);
    // Open at the free end: the outline runs along both contours and across the joint.
    const CPoint path[4] = {m_bLeft ? c.ptL1 : c.ptU2, m_bLeft ? c.ptL2 : c.ptU1, m_bLeft ? c.ptU2 : c.ptL1,
                            m_bLeft ? c.ptU1 : c.ptL2};
    dc.MoveTo(path[0].x, path[0].y);
    for (int i = 1; i < 4; ++i) {
        dc.LineTo(path[i].x, path[i].y);
    }
    const CPoint free = m_bLeft ? c.ptU1 : c.ptU2;
    const CBrush old = dc.GetBrush();
    dc.SetBrush(CBrush::MakeSolid(kColorWhite));
    dc.Ellipse(CRect(free.x - 3, free.y - 3, free.x + 3, free.y + 3));
    dc.SetBrush(old);
    // A zero result makes the next element start a new outline.
    return {};
}

void CBorder::PaintOverlay(CSurface& dc, CViewServices& view, const CRect& client) const {
    COverlayPainter(dc, view, client).PaintStraight(m_ptStart, m_ptEnd);
}

CPoint CBorder::DrawSelected(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom) {
    if (view) {
        PaintOverlay(dc, *view, CRect(left, top, right, bottom));
    }
    return {};
}

CPoint CBorder::DrawDragFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                                 Handle which) {
    if (view) {
        PaintOverlay(dc, *view, CRect(left, top, right, bottom));
    }
    return GetHandle(which);
}
