// CKestrovelView: the drawing window of a document, with its zoom, painting and editing tools.
#pragma once

#include <memory>
#include <string>

#include "document/DocObserver.h"
#include "elements/ViewServices.h"
#include "platform/Geometry.h"
#include "view/DrawingAids.h"
#include "view/EditState.h"
#include "view/ViewCommands.h"
#include "view/ViewContext.h"

class CKestrovelDoc;
class CLayer;
class CPiece;
class CSelection;
class CActiveLayerChain;
class CZoomScroll;
class CZoomCommands;
class CViewPainter;
class CEditingTools;
class CMouseModes;
class CElementClipboard;
class CClipboardCommands;
class CPropertyBars;

// The view is platform-free: the shell forwards its window's events to the On... entry points
// and implements CViewHost for what the view asks of the window.
class CKestrovelView : public CViewServices, public CDocObserver {
public:
    explicit CKestrovelView(const CViewContext& context);
    ~CKestrovelView() override;

    // Window events.
    void OnInitialUpdate();
    void OnSize(int type, int cx, int cy);
    void OnPaint(CSurface& window);
    void OnNotification(int code);
    void OnHScroll(int code, int pos);
    void OnVScroll(int code, int pos);
    void OnLButtonDown(int flags, CPoint point);
    void OnLButtonUp(int flags, CPoint point);
    void OnRButtonDown(int flags, CPoint point);
    void OnRButtonUp(int flags, CPoint point);
    void OnMouseMove(int flags, CPoint point);
    void OnLButtonDblClk(int flags, CPoint point);
    void OnRButtonDblClk(int flags, CPoint point);
    // F2 zooms in, F3 out, F4 to fit; the letters of the tool tips pick their tools. The result
    // is always false, so every key also goes on to the default handling.
    bool OnKeyDown(int key);
    // The mouse wheel: each notch (negative: towards the user) zooms in or out about the pixel.
    void OnMouseWheel(int notches, CPoint at);
    // The platform asks for a cursor: true when the view set its own (temporary modes).
    bool OnSetCursor();
    // The document changed: repaint.
    void OnDocumentUpdate(bool erase) override;

    // Commands by identifier (ViewCommands.h); false when the view does not handle the id.
    bool OnCommand(int id);
    CCommandState GetCommandState(int id) const;

    // The zoom box of the view tool bar: an entry chosen, or the typed text left (focus lost).
    void OnZoomBoxSelect(int index);
    void OnZoomBoxKillFocus();

    // Zoom, scale, home origin and scroll limits.
    bool SetZoom(int percent);
    void CenterOn(const CRect& client, int32_t mz, int32_t mx);
    void ComputeScale();
    void ComputeHomeOrigin();
    void ComputeScrollLimits();
    int FitWidthZoom() const;
    int FitHeightZoom() const;
    CPoint GetHomeOrigin() const;
    // Allowed origin ranges: horizontal (min, max) and vertical (min, max).
    int GetHMin() const;
    int GetHMax() const;
    int GetVMin() const;
    int GetVMax() const;
    CRect GetClientRect() const;

    // Status-bar read-out of the model position under the mouse.
    void ShowCursorPosition();
    // Status pane 0: what the active tool and mouse mode expect next.
    // Says in the status bar why a typed value was not taken, in place of the next prompt.
    void ShowRefusal(const std::string& text);
    void ShowPrompt();

    // Editing.
    void ApplyActiveElement(int recordUndo);
    void DiscardActiveElement();
    void ResetEditing();
    int32_t SnapZ(int32_t z) const;
    int32_t SnapX(int32_t x) const;

    // Paints the active element's overlay afresh over the clean picture.
    void RepaintOverlay();
    // The active element's incremental overlay while a handle (or nothing: markers) moves.
    CPoint DrawDragFeedback(Handle which);
    void DrawMoveFeedback(int32_t dz, int32_t dx);
    // Copies the clean picture to the window: the overlay disappears.
    void ShowCleanPicture();
    // Asks the window for a full repaint.
    void Repaint(bool erase = false);
    // Has the document repaint all of its views.
    void UpdateAllViews();
    // Makes this view the document's current view (and so the active layer's).
    void MakeCurrent();
    // Origin = home origin, scroll bars following.
    void MoveToHome();

    // The cursor of the temporary modes; the one it replaces is saved.
    void SetViewCursor(int cursor);
    void RestoreCursor();

    // State.
    CPiece* GetActiveElement() const { return m_edit.m_pActive.get(); }
    CSelection* GetRange() const { return m_edit.m_pRange; }
    const CEditState& GetEditState() const { return m_edit; }
    CEditState& EditState() { return m_edit; }
    int GetMouseMode() const { return m_edit.m_nMouseMode; }
    int GetActiveTool() const { return m_edit.m_nActiveTool; }
    int GetSelectionKind() const { return m_edit.m_nSelectionKind; }
    int GetEditingMode() const { return m_edit.m_nEditMode; }
    int GetActiveCreatingTool() const { return m_edit.m_nCreatingTool; }
    CPoint GetLastMousePos() const { return m_ptLastMouse; }
    int GetRememberedLayer() const { return m_nLayerIndex; }
    void SetRememberedLayer(int index) { m_nLayerIndex = index; }
    CDrawingAids& Aids() { return m_aids; }
    const CDrawingAids& Aids() const { return m_aids; }

    CKestrovelDoc* GetDocument() const { return m_ctx.pDoc; }
    CLayer* GetActiveLayer() const;
    // The chain a selection follows: always the document's current active layer.
    CActiveLayerChain* GetActiveChain() const;
    CViewHost* GetHost() const { return m_ctx.pHost; }
    const CViewContext& GetContext() const { return m_ctx; }
    CViewContext& Context() { return m_ctx; }

    // What the view reads of its document.
    CRect GetSourceRect() const;
    int32_t GetProfileHeight() const;
    int GetShape() const;
    // Paints the active layer with the layers it shows.
    void DrawLayers(CSurface& dc);
    // Recreates the clean picture and the composition surface at the client size.
    void RecreatePictures();
    // The clean picture at the client size (made from the window when missing); null when empty.
    CSurface* EnsurePictures(const CSurface& window);

    CZoomCommands& ZoomCommands() { return *m_pZoomCommands; }
    CEditingTools& Tools() { return *m_pTools; }

    // Element services that depend on the document and the window.
    int32_t GetDrawingLength() const override;
    CSurface* GetWindowSurface() override;

    // Every notification of the main frame's bars (object, layer, drawing aids, view tool bar)
    // while this view is the active one; false when the control is none of theirs.
    bool OnBarNotify(CControlBar& bar, int id, BarNotify what);
    // The view became the active one: the bars show its state, the document takes its layer.
    void OnActivate();
    CPropertyBars& Bars() { return *m_pBars; }

    // The element clipboard the view copies to and pastes from: the application's, else its own.
    CElementClipboard& Clipboard() const;

    // Hook run by the initial update before the first paint: loads the persisted view state.
    virtual void LoadViewState();
    // Writes the view's settings to the settings store of its context.
    void SaveViewState() const;

private:
    void UpdateMousePos(CPoint point);
    void OnFirstPaint();
    CSurface* Window();

    CViewContext m_ctx;
    CDrawingAids m_aids;
    CEditState m_edit;
    CPoint m_ptLastMouse;
    int m_nLayerIndex = 0;
    std::unique_ptr<CActiveLayerChain> m_pChain;
    std::unique_ptr<CZoomScroll> m_pZoom;
    std::unique_ptr<CZoomCommands> m_pZoomCommands;
    std::unique_ptr<CViewPainter> m_pPainter;
    std::unique_ptr<CEditingTools> m_pTools;
    std::unique_ptr<CMouseModes> m_pMouse;
    std::unique_ptr<CElementClipboard> m_pOwnClipboard;
    std::unique_ptr<CClipboardCommands> m_pClipboardCommands;
    std::unique_ptr<CPropertyBars> m_pBars;
    std::string m_strRefusal;
};
