// Painting of a border: the end face of the part and the marker at its free end.
#include "elements/Border.h"

#include "elements/ViewServices.h"

namespace {
CPoint Pixel(CViewServices& view, int32_t x, int32_t y, int dy = 0) {
    return {ClampPixel(view.ModelToScreenX(x)), ClampPixel(static_cast<int64_t>(view.ModelToScreenY(y)) + dy)};
}
}  // namespace

CPixelRows CBorder::Draw(CSurface& dc, CViewServices* view, const CLayerStyle&, CPixelRows) {
    if (!view) {
        return {};
    }
    const CPoint u1 = Pixel(*view, m_ptStart.x, m_ptStart.y);
    const CPoint u2 = Pixel(*view, m_ptEnd.x, m_ptEnd.y);
    const CPoint l1 = Pixel(*view, m_ptStart.x, -m_ptStart.y, -1);
    const CPoint l2 = Pixel(*view, m_ptEnd.x, -m_ptEnd.y, -1);
    // Open at the free end: the outline runs along both contours and across the joint.
    const CPoint path[4] = {m_bLeft ? l1 : u2, m_bLeft ? l2 : u1, m_bLeft ? u2 : l1, m_bLeft ? u1 : l2};
    dc.MoveTo(path[0].x, path[0].y);
    for (int i = 1; i < 4; ++i) {
        dc.LineTo(path[i].x, path[i].y);
    }
    const CPoint free = m_bLeft ? u1 : u2;
    const CBrush old = dc.GetBrush();
    dc.SetBrush(CBrush::MakeSolid(kColorWhite));
    dc.Ellipse(CRect(free.x - 3, free.y - 3, free.x + 3, free.y + 3));
    dc.SetBrush(old);
    // A zero result makes the next element start a new outline.
    return {};
}

CPoint CBorder::DrawSelected(CSurface&, CViewServices*, int, int, int, int) { return {}; }

CPoint CBorder::DrawDragFeedback(CSurface&, CViewServices*, int, int, int, int, Handle which) {
    return GetHandle(which);
}
