// The drawing view's construction and the routing of window events to its helpers.
#include "view/KestrovelView.h"

#include "elements/PieceChain.h"
#include "platform/ViewHost.h"

class CZoomScroll {};
class CZoomCommands {};
class CViewPainter {};
class CEditingTools {};
class CMouseModes {};

CKestrovelView::CKestrovelView(const CViewContext& context) : m_ctx(context) {
    SetObjectBar(context.pObjectBar);
    SetMessages(context.pMessages);
}

CKestrovelView::~CKestrovelView() = default;

void CKestrovelView::OnInitialUpdate() {}
void CKestrovelView::OnSize(int, int, int) {}
void CKestrovelView::OnPaint(CSurface&) {}
void CKestrovelView::OnNotification(int) {}
void CKestrovelView::OnHScroll(int, int) {}
void CKestrovelView::OnVScroll(int, int) {}
void CKestrovelView::OnLButtonDown(int, CPoint) {}
void CKestrovelView::OnLButtonUp(int, CPoint) {}
void CKestrovelView::OnRButtonDown(int, CPoint) {}
void CKestrovelView::OnRButtonUp(int, CPoint) {}
void CKestrovelView::OnMouseMove(int, CPoint point) { UpdateMousePos(point); }
void CKestrovelView::OnLButtonDblClk(int, CPoint) {}
void CKestrovelView::OnRButtonDblClk(int, CPoint) {}
bool CKestrovelView::OnKeyDown(int) { return false; }
bool CKestrovelView::OnSetCursor() { return false; }
void CKestrovelView::OnDocumentUpdate() { Repaint(); }
bool CKestrovelView::OnCommand(int) { return false; }
CCommandState CKestrovelView::GetCommandState(int) const { return {}; }
void CKestrovelView::OnZoomBoxSelect(int) {}
void CKestrovelView::OnZoomBoxKillFocus() {}
bool CKestrovelView::SetZoom(int) { return false; }
void CKestrovelView::CenterOn(const CRect&, int32_t, int32_t) {}
void CKestrovelView::ComputeScale() {}
void CKestrovelView::ComputeHomeOrigin() {}
void CKestrovelView::ComputeScrollLimits() {}
int CKestrovelView::FitWidthZoom() const { return m_nZoom; }
int CKestrovelView::FitHeightZoom() const { return m_nZoom; }
CPoint CKestrovelView::GetHomeOrigin() const { return {}; }
int CKestrovelView::GetHMin() const { return 0; }
int CKestrovelView::GetHMax() const { return 0; }
int CKestrovelView::GetVMin() const { return 0; }
int CKestrovelView::GetVMax() const { return 0; }
CRect CKestrovelView::GetClientRect() const { return {}; }
void CKestrovelView::ShowCursorPosition() {}
void CKestrovelView::ApplyActiveElement(int) {}
void CKestrovelView::DiscardActiveElement() {}
void CKestrovelView::ResetEditing() {}
int32_t CKestrovelView::SnapZ(int32_t z) const { return z; }
int32_t CKestrovelView::SnapX(int32_t x) const { return x; }
void CKestrovelView::RepaintOverlay() {}
void CKestrovelView::Repaint(bool erase) {
    if (m_ctx.pHost) {
        m_ctx.pHost->Invalidate(erase);
    }
}
void CKestrovelView::UpdateAllViews() { Repaint(); }
CLayer* CKestrovelView::GetActiveLayer() const { return nullptr; }
CPieceChain* CKestrovelView::GetActiveChain() const { return m_pChain.get(); }
int32_t CKestrovelView::GetDrawingLength() const { return CViewServices::GetDrawingLength(); }
CSurface* CKestrovelView::GetWindowSurface() {
    return m_ctx.pHost ? m_ctx.pHost->GetWindowSurface() : CViewServices::GetWindowSurface();
}
void CKestrovelView::UpdateMousePos(CPoint point) { m_ptLastMouse = point; }
