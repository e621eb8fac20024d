// CSelection painting: the red start and blue end markers, and their stripe-wise redraw.
#include <algorithm>
#include <vector>

#include "elements/Selection.h"
#include "elements/ViewServices.h"

namespace {
constexpr CPen kStartPen{kPenSolid, 1, kColorRed};
constexpr CPen kEndPen{kPenSolid, 1, kColorBlue};

struct CMarkerPixels {
    int sx, sy, ex, ey;
};

CMarkerPixels PixelsOf(const CViewServices& view, CPoint start, CPoint end) {
    return {ClampPixel(view.ModelToScreenX(start.x)), ClampPixel(view.ModelToScreenY(start.y)),
            ClampPixel(view.ModelToScreenX(end.x)), ClampPixel(view.ModelToScreenY(end.y))};
}

void Line(CSurface& dc, int x1, int y1, int x2, int y2) {
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

void Text(CSurface& dc, int x, int y, int align, COLORREF color, const std::string& text) {
    dc.SetTextAlign(align | kAlignBottom);
    dc.SetTextColor(color);
    dc.TextOut(x, y, text);
}

// The pixels one pair of markers covers, as stripes to restore or to show.
void AddStripes(std::vector<CRect>& out, const CMarkerPixels& p, const CViewServices& view, CSize label,
                int right, int bottom) {
    for (int x : {p.sx, p.ex}) {
        out.emplace_back(x, 0, x + 1, bottom);
    }
    for (auto [x, y] : {std::pair{p.sx, p.sy}, std::pair{p.ex, p.ey}}) {
        out.emplace_back(x - 5, y - 5, x + 6, y + 6);
    }
    if (view.GetDrawLines()) {
        out.emplace_back(0, p.sy, right, p.sy + 1);
        out.emplace_back(0, p.ey, right, p.ey + 1);
        out.emplace_back(std::min(p.sx, p.ex), bottom - 15, std::max(p.sx, p.ex) + 1, bottom - 14);
    }
    if (view.GetDrawLabels()) {
        // Boxes reach to both sides of each anchor, whatever the alignment was.
        const int w = label.cx;
        const int h = label.cy;
        const int mid = p.sx + (p.ex - p.sx) / 2;
        for (auto [x, y] :
             {std::pair{p.sx - 1, bottom - 1}, std::pair{p.sx - 3, p.sy - 3}, std::pair{mid, bottom - 16},
              std::pair{p.ex + 1, bottom - 1}, std::pair{p.ex + 3, p.ey - 3}}) {
            out.emplace_back(x - w, y - h, x + w, y + 1);
        }
    }
}

void CopyStripes(CSurface& to, const CSurface& from, const std::vector<CRect>& stripes, int right,
                 int bottom) {
    for (CRect r : stripes) {
        r.left = std::max(r.left, 0);
        r.top = std::max(r.top, 0);
        r.right = std::min(r.right, right);
        r.bottom = std::min(r.bottom, bottom);
        if (!r.IsEmpty()) {
            to.BitBlt(r.left, r.top, r.Width(), r.Height(), from, r.left, r.top);
        }
    }
}
}  // namespace

void CSelection::DrawMarkers(CSurface& dc, CViewServices* view, int right, int bottom,
                             bool positiveLength) const {
    CSurfaceStateSaver saver(dc);
    const CMarkerPixels p = PixelsOf(*view, m_ptStart, m_ptEnd);
    dc.SetBrush(CBrush::MakeNull());
    if (view->GetDrawLines()) {
        dc.SetPen(kEndPen);
        Line(dc, 0, p.ey, right, p.ey);
        dc.SetPen(kStartPen);
        Line(dc, 0, p.sy, right, p.sy);
    }
    dc.SetPen(kEndPen);
    Line(dc, p.ex, 0, p.ex, bottom);
    dc.Ellipse(CRect(p.ex - 5, p.ey - 5, p.ex + 5, p.ey + 5));
    dc.SetPen(kStartPen);
    Line(dc, p.sx, 0, p.sx, bottom);
    dc.Ellipse(CRect(p.sx - 5, p.sy - 5, p.sx + 5, p.sy + 5));
    const int mid = p.sx + (p.ex - p.sx) / 2;
    if (view->GetDrawLines()) {
        Line(dc, p.sx, bottom - 15, mid, bottom - 15);
        dc.SetPen(kEndPen);
        Line(dc, mid, bottom - 15, p.ex, bottom - 15);
    }
    if (view->GetDrawLabels()) {
        const bool forward = p.ex >= p.sx;
        const int startAlign = forward ? kAlignRight : kAlignLeft;
        const int endAlign = forward ? kAlignLeft : kAlignRight;
        const int64_t length = positiveLength && !forward ? static_cast<int64_t>(m_ptStart.x) - m_ptEnd.x
                                                          : static_cast<int64_t>(m_ptEnd.x) - m_ptStart.x;
        const int32_t shown = static_cast<int32_t>(std::clamp<int64_t>(length, -kRoundLimit, kRoundLimit));
        Text(dc, p.sx - 1, bottom - 1, startAlign, kColorRed, view->FormatLength(m_ptStart.x));
        Text(dc, p.sx - 3, p.sy - 3, startAlign, kColorRed, view->FormatRadial(m_ptStart.y));
        Text(dc, mid, bottom - 16, kAlignCenter, kColorBlack, view->FormatLength(shown));
        Text(dc, p.ex + 1, bottom - 1, endAlign, kColorBlue, view->FormatLength(m_ptEnd.x));
        Text(dc, p.ex + 3, p.ey - 3, endAlign, kColorBlue, view->FormatRadial(m_ptEnd.y));
    }
}

CPoint CSelection::DrawSelected(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom) {
    (void)left, (void)top;
    if (!view) {
        return {};
    }
    CSurface* back = view->GetCleanPicture();
    CSurface* comp = view->GetCompositionSurface();
    if (!back || !comp) {
        DrawMarkers(dc, view, right, bottom, false);
        return {};
    }
    comp->BitBlt(0, 0, comp->GetWidth(), comp->GetHeight(), *back, 0, 0);
    DrawMarkers(*comp, view, right, bottom, false);
    dc.BitBlt(0, 0, comp->GetWidth(), comp->GetHeight(), *comp, 0, 0);
    return {};
}

void CSelection::Redraw(CSurface& dc, CViewServices* view, const CRect& client, bool positiveLength) {
    CSurface* back = view->GetCleanPicture();
    CSurface* comp = view->GetCompositionSurface();
    if (!back || !comp) {
        DrawMarkers(dc, view, client.right, client.bottom, positiveLength);
        return;
    }
    const CSize label = comp->GetTextExtent("9999.99");
    const CSize box{label.cx + 2, label.cy};
    std::vector<CRect> old;
    AddStripes(old, PixelsOf(*view, m_ptOldStart, m_ptOldEnd), *view, box, client.right, client.bottom);
    CopyStripes(*comp, *back, old, client.right, client.bottom);
    DrawMarkers(*comp, view, client.right, client.bottom, positiveLength);
    AddStripes(old, PixelsOf(*view, m_ptStart, m_ptEnd), *view, box, client.right, client.bottom);
    CopyStripes(dc, *comp, old, client.right, client.bottom);
}

CPoint CSelection::DrawDragFeedback(CSurface& dc, CViewServices* view, int left, int top, int right,
                                    int bottom, Handle which) {
    if (view) {
        Redraw(dc, view, CRect(left, top, right, bottom), true);
    }
    return GetHandle(which);
}

int CSelection::DrawMoveFeedback(CSurface& dc, CViewServices* view, int left, int top, int right, int bottom,
                                 int32_t, int32_t) {
    if (view) {
        Redraw(dc, view, CRect(left, top, right, bottom), false);
    }
    return 1;
}
