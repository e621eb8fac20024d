// Painting of the source material: a cylinder's rectangle or a prism's three bands.
#include "document/KestrovelDoc.h"
#include "elements/ViewServices.h"
#include "platform/Surface.h"

namespace {
CRect Band(const CViewServices& view, int32_t left, int32_t top, int32_t right, int32_t bottom, int dy = 0) {
    return CRect(ClampPixel(view.ModelToScreenX(left)), ClampPixel(view.ModelToScreenY(top)),
                 ClampPixel(view.ModelToScreenX(right)),
                 ClampPixel(static_cast<int64_t>(view.ModelToScreenY(bottom)) + dy));
}
}  // namespace

void CKestrovelDoc::DrawSourceMaterial(CSurface& dc) {
    if (!m_pActiveView) {
        return;
    }
    CSurfaceStateSaver saver(dc);
    const CRect& rc = m_rcSource;
    if (m_nShape == kShapeCylinder) {
        dc.SetBrush(CBrush::MakeSolid(kColorGray));
        dc.Rectangle(Band(*m_pActiveView, rc.left, rc.top, rc.right, -rc.top));
        return;
    }
    DrawPrism(dc, *m_pActiveView);
}

void CKestrovelDoc::DrawPrism(CSurface& dc, CViewServices& view) const {
    const CRect& rc = m_rcSource;
    // The inscribed square's half side: the stock seen across its flats.
    const int32_t k = static_cast<int32_t>(rc.top * 0.707 + 0.5);
    dc.SetPen(CPen{kPenNull, 1, kColorBlack});
    dc.SetBrush(CBrush::MakeSolid(kColorGray));
    dc.Rectangle(Band(view, rc.left, k, rc.right, -k));
    dc.SetPen(CPen{kPenSolid, 1, kColorBlack});
    dc.SetBrush(CBrush::MakeSolid(kColorLightGray));
    dc.Rectangle(Band(view, rc.left, rc.top, rc.right, k));
    CRect lower = Band(view, rc.left, -k, rc.right, -rc.top);
    lower.top -= 1;
    dc.Rectangle(lower);
    dc.SetBrush(CBrush::MakeNull());
    dc.Rectangle(Band(view, rc.left, rc.top, rc.right, -rc.top));
}
