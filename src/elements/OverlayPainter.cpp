// The active element's editing overlay: guide lines, handles, labels and the copy to the window.
#include "elements/OverlayPainter.h"

#include "elements/StripCorners.h"
#include "elements/ViewServices.h"

namespace {
constexpr CPen kGuidePen{kPenSolid, 1, kColorRed};
constexpr CPen kOutlinePen{kPenSolid, 2, kColorRed};
constexpr CPen kHandlePen{kPenSolid, 2, kColorBlue};
}  // namespace

COverlayPainter::COverlayPainter(CSurface& window, CViewServices& view, const CRect& client)
    : m_window(window), m_view(view), m_rcClient(client) {}

CSurface& COverlayPainter::Begin() {
    CSurface* clean = m_view.GetCleanPicture();
    CSurface* composition = m_view.GetCompositionSurface();
    if (clean && composition && composition != &m_window) {
        composition->BitBlt(0, 0, composition->GetWidth(), composition->GetHeight(), *clean, 0, 0);
        m_pTarget = composition;
        m_bComposed = true;
    } else {
        m_pTarget = &m_window;
        m_bComposed = false;
    }
    return *m_pTarget;
}

void COverlayPainter::Line(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    m_pTarget->MoveTo(ClampPixel(x1), ClampPixel(y1));
    m_pTarget->LineTo(ClampPixel(x2), ClampPixel(y2));
}

void COverlayPainter::DrawGuides(CPoint u1, CPoint u2) {
    if (!m_view.GetDrawLines()) {
        return;
    }
    const CRect& c = m_rcClient;
    m_pTarget->SetPen(kGuidePen);
    Line(c.left, u1.y, c.right, u1.y);
    Line(c.left, u2.y, c.right, u2.y);
    Line(u1.x, c.top, u1.x, c.bottom);
    Line(u2.x, c.top, u2.x, c.bottom);
    if (m_view.GetDrawLabels()) {
        const int64_t y = static_cast<int64_t>(c.bottom) - kDimensionRise;
        Line(u1.x, y, u2.x, y);
    }
}

void COverlayPainter::SelectOutlinePen() {
    m_pTarget->SetPen(kOutlinePen);
    m_pTarget->SetBrush(CBrush::MakeNull());
}

void COverlayPainter::DrawHandles(const std::vector<CPoint>& centres) {
    m_pTarget->SetPen(kHandlePen);
    m_pTarget->SetBrush(CBrush::MakeNull());
    for (CPoint p : centres) {
        const int64_t x = p.x;
        const int64_t y = p.y;
        m_pTarget->Ellipse(CRect(ClampPixel(x - kHandleRadius), ClampPixel(y - kHandleRadius),
                                 ClampPixel(x + kHandleRadius), ClampPixel(y + kHandleRadius)));
    }
}

void COverlayPainter::Label(int64_t x, int64_t y, int align, int32_t value, bool radial) {
    m_pTarget->SetTextAlign(align);
    m_pTarget->TextOut(ClampPixel(x), ClampPixel(y), radial ? m_view.FormatRadial(value) : m_view.FormatLength(value));
}

void COverlayPainter::DrawLabels(CPoint u1, CPoint u2, CPoint start, CPoint end) {
    if (!m_view.GetDrawLabels()) {
        return;
    }
    const int64_t bottom = m_rcClient.bottom;
    const int64_t length = static_cast<int64_t>(end.x) - start.x;
    const int32_t shownLength = static_cast<int32_t>(length > INT32_MAX ? INT32_MAX : length);
    m_pTarget->SetTextColor(kColorRed);
    Label(static_cast<int64_t>(u1.x) - 1, bottom - 1, kAlignRight | kAlignBottom, start.x);
    Label(static_cast<int64_t>(u1.x) - 3, static_cast<int64_t>(u1.y) - 3, kAlignRight | kAlignBottom, start.y,
          true);
    Label(u1.x + (static_cast<int64_t>(u2.x) - u1.x) / 2, bottom - 16, kAlignCenter | kAlignBottom,
          shownLength);
    Label(static_cast<int64_t>(u2.x) + 1, bottom - 1, kAlignLeft | kAlignBottom, end.x);
    Label(static_cast<int64_t>(u2.x) + 3, static_cast<int64_t>(u2.y) - 3, kAlignLeft | kAlignBottom, end.y, true);
}

void COverlayPainter::Present() {
    if (!m_bComposed) {
        return;
    }
    const CRect& c = m_rcClient;
    m_window.BitBlt(c.left, c.top, c.Width(), c.Height(), *m_pTarget, c.left, c.top);
}

void COverlayPainter::Paint(const COverlayMarks& marks, const std::function<void(CSurface&)>& outline) {
    CSurface& dc = Begin();
    CSurfaceStateSaver saver(dc);
    DrawGuides(marks.ptU1, marks.ptU2);
    SelectOutlinePen();
    if (outline) {
        outline(dc);
    }
    DrawHandles(marks.handles);
    DrawLabels(marks.ptU1, marks.ptU2, marks.ptStart, marks.ptEnd);
    Present();
}

void COverlayPainter::PaintStraight(CPoint start, CPoint end) {
    const CStripCorners c = CStripCorners::Of(m_view, start, end);
    COverlayMarks marks;
    marks.ptU1 = c.ptU1;
    marks.ptU2 = c.ptU2;
    marks.ptStart = start;
    marks.ptEnd = end;
    marks.handles = {c.ptU1, c.ptU2};
    Paint(marks, [&c](CSurface& s) {
        s.MoveTo(c.ptU1.x, c.ptU1.y);
        s.LineTo(c.ptL1.x, c.ptL1.y);
        s.LineTo(c.ptL2.x, c.ptL2.y);
        s.LineTo(c.ptU2.x, c.ptU2.y);
        s.LineTo(c.ptU1.x, c.ptU1.y);
    });
}
