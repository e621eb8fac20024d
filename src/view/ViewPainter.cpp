// Painting of the drawing view: window colour, layers, axes, source-material lines, copy, overlay.
#include "view/ViewPainter.h"

#include "platform/Surface.h"
#include "platform/ViewHost.h"
#include "view/KestrovelView.h"

namespace {
constexpr CPen kAxisPen{kPenDash, 1, kColorRed};
constexpr CPen kDimsPen{kPenDash, 1, kColorBlue};

void Label(CSurface& dc, int x, int y, COLORREF color, const char* text) {
    dc.SetTextAlign(kAlignLeft | kAlignTop);
    dc.SetTextColor(color);
    dc.TextOut(x, y, text);
}

void HorizontalLine(CSurface& dc, int y, int right) {
    dc.MoveTo(0, y);
    dc.LineTo(right, y);
}
}  // namespace

void CViewPainter::Paint(CSurface& window) {
    if (!m_bFirstPaintDone) {
        m_bFirstPaintDone = 1;
        if (CViewHost* host = m_view.GetHost()) {
            host->PostNotification(kNotifyFirstPaint);
        }
        return;
    }
    // The layers and the source material draw through the current view's mapping.
    m_view.MakeCurrent();
    const CRect client = m_view.GetClientRect();
    CSurface* picture = m_view.EnsurePictures(window);
    if (!picture) {
        Compose(window);
    } else {
        Compose(*picture);
        window.BitBlt(0, 0, client.Width(), client.Height(), *picture, 0, 0);
    }
    if (CPiece* active = m_view.GetActiveElement()) {
        active->DrawSelected(window, &m_view, client.left, client.top, client.right, client.bottom);
    }
}

void CViewPainter::Compose(CSurface& picture) {
    const CRect client = m_view.GetClientRect();
    picture.FillSolidRect(client, kColorWindow);
    m_view.DrawLayers(picture);
    CSurfaceStateSaver saver(picture);
    if (m_view.Aids().m_bDrawAxes) {
        DrawAxes(picture);
    }
    if (m_view.Aids().m_bDrawDims) {
        DrawDims(picture);
    }
}

void CViewPainter::DrawAxes(CSurface& dc) const {
    const CRect client = m_view.GetClientRect();
    dc.SetPen(kAxisPen);
    const int y = m_view.ModelToScreenY(0);
    if (y >= client.top && y < client.bottom) {
        HorizontalLine(dc, y, client.right);
        Label(dc, client.right - 60, y + 1, kColorRed, "lathe axis");
    }
    const int x = m_view.ModelToScreenX(m_view.GetSourceRect().right / 2);
    if (x >= client.left && x < client.right) {
        dc.MoveTo(x, 0);
        dc.LineTo(x, client.bottom);
        Label(dc, x + 1, 0, kColorRed, "center");
    }
}

void CViewPainter::DrawDims(CSurface& dc) const {
    const CRect client = m_view.GetClientRect();
    const int32_t top = m_view.GetSourceRect().top;
    dc.SetPen(kDimsPen);
    const int y = ClampPixel(m_view.ModelToScreenY(top));
    HorizontalLine(dc, y, client.right);
    Label(dc, client.right - 30, y + 1, kColorBlue, "diag");
    if (m_view.GetShape() == 1) {
        const int yr = ClampPixel(m_view.ModelToScreenY(Round(top * 0.707)));
        HorizontalLine(dc, yr, client.right);
        Label(dc, client.right - 30, yr + 1, kColorBlue, "rad");
    }
}
