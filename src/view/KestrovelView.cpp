// The drawing view's construction and the routing of window events to its helpers.
#include "view/KestrovelView.h"

#include <algorithm>
#include <utility>

#include "document/KestrovelDoc.h"
#include "elements/Selection.h"
#include "platform/ControlBar.h"
#include "platform/ControlIds.h"
#include "platform/ViewHost.h"
#include "view/ActiveLayerChain.h"
#include "view/ClipboardCommands.h"
#include "view/EditingTools.h"
#include "view/ElementClipboard.h"
#include "view/MouseModes.h"
#include "view/PropertyBars.h"
#include "view/StatusPrompt.h"
#include "view/ViewPainter.h"
#include "view/ViewState.h"
#include "view/ZoomCommands.h"
#include "view/ZoomScroll.h"

CKestrovelView::CKestrovelView(const CViewContext& context)
    : m_ctx(context),
      m_pChain(std::make_unique<CActiveLayerChain>(context.pDoc)),
      m_pZoom(std::make_unique<CZoomScroll>(*this)),
      m_pZoomCommands(std::make_unique<CZoomCommands>(*this)),
      m_pPainter(std::make_unique<CViewPainter>(*this)),
      m_pTools(std::make_unique<CEditingTools>(*this)),
      m_pMouse(std::make_unique<CMouseModes>(*this, *m_pTools)),
      m_pOwnClipboard(context.pClipboard ? nullptr : std::make_unique<CElementClipboard>()),
      m_pClipboardCommands(std::make_unique<CClipboardCommands>(*this)),
      m_pBars(std::make_unique<CPropertyBars>(*this)) {
    SetObjectBar(context.pObjectBar);
    SetMessages(context.pMessages);
    if (m_ctx.pDoc) {
        m_ctx.pDoc->AddObserver(this);
    }
}

CKestrovelView::~CKestrovelView() {
    m_edit.m_pRange = nullptr;
    m_edit.m_pActive.reset();
    if (m_ctx.pDoc) {
        m_ctx.pDoc->RemoveObserver(this);
        // No layer, snapshot or the document may keep pointing at a closed view.
        m_ctx.pDoc->OnViewClosed(this);
    }
}

void CKestrovelView::OnInitialUpdate() {
    if (CViewHost* host = m_ctx.pHost) {
        host->SetScrollRange(kScrollHorz, -500, 500);
        host->SetScrollRange(kScrollVert, -500, 500);
    }
    LoadViewState();
    // A view made active before its state was loaded shows the loaded state in the bars.
    if (m_ctx.pDoc && m_ctx.pDoc->GetActiveView() == this) {
        m_pBars->Aids().ShowViewState();
    }
    if (CViewHost* host = m_ctx.pHost) {
        host->PostNotification(kNotifyFirstPaint);
    }
    if (m_ctx.pDoc) {
        m_nLayerIndex = m_ctx.pDoc->GetActiveLayerIndex();
    }
}

void CKestrovelView::OnFirstPaint() {
    m_pZoom->ComputeScale();
    m_pZoom->ComputeHomeOrigin();
    m_pZoom->ComputeScrollLimits();
    m_pZoom->MoveToHome();
    if (m_ctx.pAidsBar) {
        m_ctx.pAidsBar->SetCurSel(IDC_SNAP_POINTS, 3);
    }
    ResetEditing();
    Repaint();
    ShowPrompt();
}

void CKestrovelView::OnNotification(int code) {
    if (code == kNotifyZoomChanged) {
        m_pZoomCommands->ShowZoom();
    } else if (code == kNotifyFirstPaint) {
        OnFirstPaint();
    }
}

void CKestrovelView::OnSize(int type, int cx, int cy) {
    m_pZoom->OnSize(type, cx, cy);
}
void CKestrovelView::OnPaint(CSurface& window) {
    m_pPainter->Paint(window);
}
void CKestrovelView::OnHScroll(int code, int pos) {
    m_pZoom->OnScroll(kScrollHorz, code, pos);
}
void CKestrovelView::OnVScroll(int code, int pos) {
    m_pZoom->OnScroll(kScrollVert, code, pos);
}

void CKestrovelView::OnLButtonDown(int flags, CPoint point) {
    m_pMouse->OnLButtonDown(flags, point);
    ShowPrompt();
}
void CKestrovelView::OnLButtonUp(int flags, CPoint point) {
    m_pMouse->OnLButtonUp(flags, point);
    ShowPrompt();
}
void CKestrovelView::OnRButtonDown(int flags, CPoint point) {
    m_pMouse->OnRButtonDown(flags, point);
    ShowPrompt();
}
void CKestrovelView::OnRButtonUp(int flags, CPoint point) {
    m_pMouse->OnRButtonUp(flags, point);
    ShowPrompt();
}

void CKestrovelView::OnMouseMove(int flags, CPoint point) {
    UpdateMousePos(point);
    m_pMouse->OnMouseMove(flags, point);
}

void CKestrovelView::OnLButtonDblClk(int, CPoint) {}
void CKestrovelView::OnRButtonDblClk(int, CPoint) {}

bool CKestrovelView::OnKeyDown(int key) {
    // The letters the tool tips name; each one picks its tool as the button does.
    static constexpr std::pair<int, int> kToolKeys[] = {
        {'S', ID_TOOL_SELECT}, {'R', ID_TOOL_RANGE}, {'L', ID_TOOL_LINE},   {'C', ID_TOOL_CIRCLE},
        {'1', ID_TOOL_K1},     {'2', ID_TOOL_K2},    {'3', ID_TOOL_K3},     {'4', ID_TOOL_K4},
        {'M', ID_TOOL_MIRROR}, {'T', ID_TOOL_TURN},  {'V', ID_TOOL_MOVE},   {'O', ID_EDIT_OK},
        {'B', ID_EDIT_BACK},
    };
    if (key == kKeyF2) {
        m_pZoomCommands->ZoomIn();
    } else if (key == kKeyF3) {
        m_pZoomCommands->ZoomOut();
    } else if (key == kKeyF4) {
        m_pZoomCommands->ZoomFit();
    } else {
        for (const auto& [letter, command] : kToolKeys) {
            if (letter == key && GetCommandState(command).bEnabled) {
                OnCommand(command);
                return false;
            }
        }
    }
    ShowPrompt();
    return false;
}

void CKestrovelView::OnMouseWheel(int notches, CPoint at) {
    m_pZoomCommands->ZoomWheel(notches, at.x, at.y);
}

bool CKestrovelView::OnSetCursor() {
    const int mode = m_edit.m_nMouseMode;
    if (mode != kModeZoomIn && mode != kModeHandleDrag && mode != kModeMoveDrag && mode != kModeMove) {
        return false;
    }
    if (m_ctx.pHost) {
        m_ctx.pHost->SetCursor(m_edit.m_nCursor);
    }
    return true;
}

void CKestrovelView::OnDocumentUpdate(bool erase) {
    Repaint(erase);
}

bool CKestrovelView::OnCommand(int id) {
    bool handled = true;
    switch (id) {
        case ID_ZOOM_IN: m_pZoomCommands->ZoomIn(); break;
        case ID_ZOOM_OUT: m_pZoomCommands->ZoomOut(); break;
        case ID_ZOOM_FIT: m_pZoomCommands->ZoomFit(); break;
        case ID_ZOOM_100: m_pZoomCommands->Zoom100(); break;
        case ID_ZOOM_OBJECT: m_pZoomCommands->ZoomToObject(); break;
        default:
            handled =
                m_pTools->OnCommand(id) || m_pClipboardCommands->OnCommand(id) || m_pBars->OnCommand(id);
            break;
    }
    if (handled) {
        ShowPrompt();
    }
    return handled;
}

CCommandState CKestrovelView::GetCommandState(int id) const {
    switch (id) {
        case ID_ZOOM_IN: return {true, m_edit.m_nMouseMode == kModeZoomIn};
        case ID_ZOOM_OUT:
        case ID_ZOOM_FIT:
        case ID_ZOOM_100:
        case ID_ZOOM_OBJECT: return {true, false};
        default: break;
    }
    CCommandState state;
    if (!m_pTools->GetCommandState(id, state) && !m_pClipboardCommands->GetCommandState(id, state)) {
        m_pBars->GetCommandState(id, state);
    }
    return state;
}

bool CKestrovelView::OnBarNotify(CControlBar& bar, int id, BarNotify what) {
    const bool handled = m_pBars->OnNotify(bar, id, what);
    if (handled) {
        ShowPrompt();
    }
    return handled;
}
void CKestrovelView::OnActivate() {
    m_pBars->OnActivate();
    ShowPrompt();
}

CElementClipboard& CKestrovelView::Clipboard() const {
    return m_ctx.pClipboard ? *m_ctx.pClipboard : *m_pOwnClipboard;
}

void CKestrovelView::LoadViewState() {
    if (m_ctx.pSettings) {
        CViewState::Load(*this, *m_ctx.pSettings);
    }
}

void CKestrovelView::SaveViewState() const {
    if (m_ctx.pSettings) {
        CViewState::Save(*this, *m_ctx.pSettings);
    }
}

void CKestrovelView::OnZoomBoxSelect(int index) {
    m_pZoomCommands->OnPreset(index);
}

void CKestrovelView::OnZoomBoxKillFocus() {
    if (m_ctx.pViewBar) {
        m_pZoomCommands->OnTyped(m_ctx.pViewBar->GetText(IDC_ZOOM_BOX));
    }
}

bool CKestrovelView::SetZoom(int percent) {
    return m_pZoom->SetZoom(percent);
}
void CKestrovelView::CenterOn(const CRect& client, int32_t mz, int32_t mx) {
    m_pZoom->CenterOn(client, mz, mx);
}
void CKestrovelView::ComputeScale() {
    m_pZoom->ComputeScale();
}
void CKestrovelView::ComputeHomeOrigin() {
    m_pZoom->ComputeHomeOrigin();
}
void CKestrovelView::ComputeScrollLimits() {
    m_pZoom->ComputeScrollLimits();
}
int CKestrovelView::FitWidthZoom() const {
    return m_pZoom->FitWidthZoom();
}
int CKestrovelView::FitHeightZoom() const {
    return m_pZoom->FitHeightZoom();
}
CPoint CKestrovelView::GetHomeOrigin() const {
    return m_pZoom->GetHome();
}
int CKestrovelView::GetHMin() const {
    return m_pZoom->GetHMin();
}
int CKestrovelView::GetHMax() const {
    return m_pZoom->GetHMax();
}
int CKestrovelView::GetVMin() const {
    return m_pZoom->GetVMin();
}
int CKestrovelView::GetVMax() const {
    return m_pZoom->GetVMax();
}
CRect CKestrovelView::GetClientRect() const {
    return m_pZoom->GetClient();
}
void CKestrovelView::MoveToHome() {
    m_pZoom->MoveToHome();
}

void CKestrovelView::ShowCursorPosition() {
    if (!m_ctx.pHost) {
        return;
    }
    const CPoint p = ScreenToModel(m_ptLastMouse);
    m_ctx.pHost->SetStatusText(kPaneCursorZ, FormatLength(p.x));
    m_ctx.pHost->SetStatusText(kPaneCursorX, FormatRadial(p.y));
}

void CKestrovelView::ShowPrompt() {
    // A refusal stays until the next thing the user does in the view.
    std::string text = m_strRefusal.empty() ? NextStepPrompt(m_edit) : m_strRefusal;
    m_strRefusal.clear();
    if (m_ctx.pHost) {
        m_ctx.pHost->SetStatusText(kPanePrompt, text);
    }
}

void CKestrovelView::ShowRefusal(const std::string& text) {
    m_strRefusal = text;
    if (m_ctx.pHost) {
        m_ctx.pHost->SetStatusText(kPanePrompt, text);
    }
}

void CKestrovelView::UpdateMousePos(CPoint point) {
    m_ptLastMouse = point;
    ShowCursorPosition();
}

void CKestrovelView::ApplyActiveElement(int recordUndo) {
    m_pTools->Apply(recordUndo);
}
void CKestrovelView::DiscardActiveElement() {
    m_pTools->Discard();
}
void CKestrovelView::ResetEditing() {
    m_pTools->Reset();
}

namespace {
int32_t SnapToStep(int32_t v, int32_t step) {
    const int64_t s = std::max<int32_t>(step, 1);
    const int64_t r = (static_cast<int64_t>(v) + s / 2) / s * s;
    return static_cast<int32_t>(std::clamp<int64_t>(r, -kRoundLimit, kRoundLimit));
}
}  // namespace

int32_t CKestrovelView::SnapZ(int32_t z) const {
    return SnapToStep(z, m_aids.HorzStep(GetUnits()));
}
int32_t CKestrovelView::SnapX(int32_t x) const {
    return SnapToStep(x, m_aids.VertStep(GetUnits()));
}

CSurface* CKestrovelView::Window() {
    return m_ctx.pHost ? m_ctx.pHost->GetWindowSurface() : nullptr;
}

void CKestrovelView::RepaintOverlay() {
    CSurface* window = Window();
    if (m_edit.m_pActive && window) {
        const CRect c = GetClientRect();
        m_edit.m_pActive->DrawSelected(*window, this, c.left, c.top, c.right, c.bottom);
    }
}

CPoint CKestrovelView::DrawDragFeedback(Handle which) {
    CSurface* window = Window();
    if (!m_edit.m_pActive || !window) {
        return m_edit.m_pActive && which ? m_edit.m_pActive->GetHandle(which) : m_edit.m_ptDragAnchor;
    }
    const CRect c = GetClientRect();
    return m_edit.m_pActive->DrawDragFeedback(*window, this, c.left, c.top, c.right, c.bottom, which);
}

void CKestrovelView::DrawMoveFeedback(int32_t dz, int32_t dx) {
    CSurface* window = Window();
    if (m_edit.m_pActive && window) {
        const CRect c = GetClientRect();
        m_edit.m_pActive->DrawMoveFeedback(*window, this, c.left, c.top, c.right, c.bottom, dz, dx);
    }
}

void CKestrovelView::ShowCleanPicture() {
    CSurface* window = Window();
    CSurface* clean = GetCleanPicture();
    if (!window || !clean) {
        Repaint();
        return;
    }
    window->BitBlt(0, 0, clean->GetWidth(), clean->GetHeight(), *clean, 0, 0);
}

void CKestrovelView::Repaint(bool erase) {
    if (m_ctx.pHost) {
        m_ctx.pHost->Invalidate(erase);
    }
}

void CKestrovelView::UpdateAllViews() {
    if (m_ctx.pDoc) {
        m_ctx.pDoc->UpdateAllViews(false);
    } else {
        Repaint();
    }
}

void CKestrovelView::MakeCurrent() {
    if (m_ctx.pDoc) {
        m_ctx.pDoc->SetActiveView(this);
    }
}

void CKestrovelView::SetViewCursor(int cursor) {
    m_edit.m_nSavedCursor = m_edit.m_nCursor;
    m_edit.m_nCursor = cursor;
    if (m_ctx.pHost) {
        m_ctx.pHost->SetCursor(cursor);
    }
}

void CKestrovelView::RestoreCursor() {
    m_edit.m_nCursor = m_edit.m_nSavedCursor;
    if (m_ctx.pHost) {
        m_ctx.pHost->SetCursor(m_edit.m_nCursor);
    }
}

CLayer* CKestrovelView::GetActiveLayer() const {
    return m_ctx.pDoc ? m_ctx.pDoc->GetActiveLayer() : nullptr;
}
CActiveLayerChain* CKestrovelView::GetActiveChain() const {
    return m_pChain.get();
}
CRect CKestrovelView::GetSourceRect() const {
    return m_ctx.pDoc ? m_ctx.pDoc->GetSourceRect() : CRect();
}
int32_t CKestrovelView::GetProfileHeight() const {
    return m_ctx.pDoc ? m_ctx.pDoc->GetMaxProfileHeight() : 0;
}
int CKestrovelView::GetShape() const {
    return m_ctx.pDoc ? m_ctx.pDoc->GetShape() : 0;
}

void CKestrovelView::DrawLayers(CSurface& dc) {
    if (CLayer* layer = GetActiveLayer()) {
        layer->DrawAll(dc, this);
    }
}

void CKestrovelView::RecreatePictures() {
    const CRect c = GetClientRect();
    if (const CSurface* like = Window()) {
        CreatePictures(*like, c.Width(), c.Height());
    }
}

CSurface* CKestrovelView::EnsurePictures(const CSurface& window) {
    const CRect c = GetClientRect();
    if (c.IsEmpty()) {
        return nullptr;
    }
    CSurface* clean = GetCleanPicture();
    if (!clean || clean->GetWidth() != c.Width() || clean->GetHeight() != c.Height()) {
        CreatePictures(window, c.Width(), c.Height());
    }
    return GetCleanPicture();
}

int32_t CKestrovelView::GetDrawingLength() const {
    return m_ctx.pDoc ? m_ctx.pDoc->GetLength() : CViewServices::GetDrawingLength();
}

CSurface* CKestrovelView::GetWindowSurface() {
    CSurface* window = Window();
    return window ? window : CViewServices::GetWindowSurface();
}
