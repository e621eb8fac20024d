// Painting of a layer: the whole drawing in layer order and one profile with its attributes.
#include "document/KestrovelDoc.h"
#include "document/Layer.h"
#include "document/ProfilePainter.h"
#include "elements/ViewServices.h"
#include "platform/Surface.h"

void CLayer::DrawAll(CSurface& dc, CViewServices* view) {
    if (m_bVisible[0] && m_pDoc) {
        m_pDoc->DrawSourceMaterial(dc);
    }
    auto drawOther = [&](int i) {
        CLayer* layer = m_pDoc ? m_pDoc->GetLayer(i) : nullptr;
        if (layer && layer != this && m_bVisible[i + 1]) {
            layer->DrawProfile(dc, view);
        }
    };
    for (int i = 0; i < m_nIndex && i < kLayerCount; ++i) {
        drawOther(i);
    }
    if (!m_bActiveInFront) {
        DrawProfile(dc, view);
    }
    for (int i = std::max(m_nIndex + 1, 0); i < kLayerCount; ++i) {
        drawOther(i);
    }
    if (m_bActiveInFront) {
        DrawProfile(dc, view);
    }
}

void CLayer::DrawProfile(CSurface& dc, CViewServices* view) {
    if (!view || !m_pLeftBorder || !m_pRightBorder) {
        return;
    }
    CSurfaceStateSaver saver(dc);
    if (m_style.m_bBrushNull) {
        dc.SetBrush(CBrush::MakeNull());
    } else if (m_style.m_bBrushSolid) {
        dc.SetBrush(CBrush::MakeSolid(m_style.m_crBrush));
    } else {
        dc.SetBrush(CBrush::MakeHatch(m_style.m_nBrushType, m_style.m_crBrush));
    }
    dc.SetPen(CPen{m_style.m_nPenStyle, m_style.m_nPenWidth, m_style.m_crPen});
    CPixelRows prev = m_pLeftBorder->Draw(dc, view, m_style, CPixelRows{});
    prev = CProfilePainter(dc, *view, m_style).DrawChain(m_pieces, prev);
    if (!m_pieces.empty()) {
        // Close the outline at the profile's end face before the right border starts anew.
        const CPoint end = m_pieces.back()->GetEnd();
        const int px = ClampPixel(view->ModelToScreenX(end.x));
        const int py = ClampPixel(view->ModelToScreenY(end.y));
        dc.MoveTo(px, prev.nLower);
        dc.LineTo(px, py);
        prev = CPixelRows{px, prev.nLower};
    }
    m_pRightBorder->Draw(dc, view, m_style, prev);
}
