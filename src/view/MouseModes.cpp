// Mouse interaction of the drawing view: select click, handle drag, range markers with axis snap, move.
#include "view/MouseModes.h"

#include <algorithm>

#include "document/Layer.h"
#include "elements/Selection.h"
#include "platform/ViewHost.h"
#include "view/ActiveLayerChain.h"
#include "view/EditingTools.h"
#include "view/KestrovelView.h"
#include "view/ZoomCommands.h"

CEditState& CMouseModes::State() {
    return m_view.EditState();
}

CPoint CMouseModes::SnappedModel(CPoint point) const {
    return CPoint(m_view.SnapZ(m_view.ScreenToModelX(point.x)), m_view.SnapX(m_view.ScreenToModelY(point.y)));
}

void CMouseModes::OnLButtonDown(int flags, CPoint point) {
    (void)flags;
    m_view.MakeCurrent();
    CEditState& st = State();
    switch (st.m_nMouseMode) {
        case kModeIdle: SelectClick(point.x); break;
        case kModeZoomIn: m_view.ZoomCommands().ZoomInAt(point.x, point.y); break;
        case kModeSelected: GrabHandle(point); break;
        case kModeRange:
            if (!st.m_pRange) {
                NewRange(point.x);
            } else {
                m_view.RepaintOverlay();
                PlaceMarker(point.x, kMarkerStart);
            }
            break;
        case kModeMove: StartMove(point); break;
        default: break;
    }
}

void CMouseModes::OnLButtonUp(int flags, CPoint point) {
    (void)flags;
    CEditState& st = State();
    switch (st.m_nMouseMode) {
        case kModeZoomIn: st.m_nMouseMode = st.m_nPrevMouseMode; break;
        case kModeHandleDrag: DropHandle(point); break;
        case kModeRange:
            PlaceMarker(point.x, kMarkerStart);
            FinishIfComplete();
            break;
        case kModeMoveDrag:
            MoveStep(point);
            st.m_nMouseMode = kModeMove;
            st.m_ptDragAnchor = CPoint();
            if (st.IsFast()) {
                m_tools.Apply(1);
            }
            break;
        default: break;
    }
}

void CMouseModes::OnRButtonDown(int flags, CPoint point) {
    (void)flags;
    m_view.MakeCurrent();
    if (State().m_nMouseMode != kModeRange) {
        return;
    }
    if (!State().m_pRange) {
        NewRange(point.x);
    } else {
        PlaceMarker(point.x, kMarkerEnd);
    }
}

void CMouseModes::OnRButtonUp(int flags, CPoint point) {
    (void)flags;
    if (State().m_nMouseMode == kModeRange) {
        PlaceMarker(point.x, kMarkerEnd);
        FinishIfComplete();
    }
}

void CMouseModes::OnMouseMove(int flags, CPoint point) {
    switch (State().m_nMouseMode) {
        case kModeHandleDrag: DragHandle(point); break;
        case kModeRange:
            if (flags == kMouseLeft) {
                PlaceMarker(point.x, kMarkerStart);
            } else if (flags == kMouseRight) {
                PlaceMarker(point.x, kMarkerEnd);
            }
            break;
        case kModeMoveDrag: MoveStep(point); break;
        default: break;
    }
}

void CMouseModes::SelectClick(int x) {
    CLayer* layer = m_view.GetActiveLayer();
    const CPiece* found = layer ? layer->FindAt(m_view.ScreenToModelX(x)) : nullptr;
    std::unique_ptr<CPiece> copy = found ? found->Clone() : nullptr;
    if (!copy) {
        return;
    }
    m_tools.SetActive(std::move(copy));
    layer->SelectObjectInCombo(found->GetNumber());
    State().m_pActive->FillPropertyBar(&m_view);
    m_view.RepaintOverlay();
    State().m_nMouseMode = kModeSelected;
}

void CMouseModes::GrabHandle(CPoint point) {
    CEditState& st = State();
    if (!st.m_pActive) {
        return;
    }
    const Handle h = st.m_pActive->HitTestHandle(point.x, point.y, &m_view, m_view.Aids().HandleTolerance());
    if (h) {
        st.m_hGrabbed = h;
        st.m_ptDragAnchor = st.m_pActive->GetHandle(h);
        st.m_nPrevMouseMode = kModeSelected;
        st.m_nMouseMode = kModeHandleDrag;
        m_view.SetViewCursor(kCursorGrab);
        if (CViewHost* host = m_view.GetHost()) {
            host->SetCursorPos(m_view.ModelToScreen(st.m_ptDragAnchor));
        }
        return;
    }
    if (st.m_bElementChanged) {
        m_tools.Apply(0);
        st.m_bElementChanged = 0;
    }
    if (st.IsFast()) {
        SelectClick(point.x);
    }
    // The applied element is in the layer now and the old overlay must go.
    m_view.Repaint();
}

void CMouseModes::DragHandle(CPoint point) {
    CEditState& st = State();
    if (!st.m_pActive) {
        return;
    }
    const CPoint p = SnappedModel(point);
    m_view.MakeCurrent();
    st.m_pActive->SetHandle(st.m_hGrabbed, p.x, p.y, &m_view);
    st.m_ptDragAnchor = m_view.DrawDragFeedback(st.m_hGrabbed);
}

void CMouseModes::DropHandle(CPoint point) {
    CEditState& st = State();
    if (!st.m_pActive) {
        st.m_nMouseMode = kModeIdle;
        return;
    }
    const CPoint p = SnappedModel(point);
    st.m_pActive->SetHandle(st.m_hGrabbed, p.x, p.y, &m_view);
    m_view.RestoreCursor();
    if (st.IsFast()) {
        st.m_nMouseMode = kModeIdle;
        m_tools.Apply(1);
    } else {
        st.m_nMouseMode = kModeSelected;
        m_view.RepaintOverlay();
    }
}

void CMouseModes::NewRange(int x) {
    m_tools.DestroyActive();
    CLayer* layer = m_view.GetActiveLayer();
    const CPiece* found = layer ? layer->FindAt(m_view.ScreenToModelX(x)) : nullptr;
    if (!found) {
        return;
    }
    auto range = std::make_unique<CSelection>(*found);
    range->SetLock(kLockStartZ, 0);
    range->SetLock(kLockEndZ, 0);
    m_tools.SetActiveRange(std::move(range));
    m_view.RepaintOverlay();
}

bool CMouseModes::SnapToBoundary(int x, int d, CPoint& marker) const {
    const CPieceChain* chain = m_view.GetActiveChain();
    const CPiece* a = chain->FindAt(m_view.ScreenToModelX(x));
    const CPiece* b = chain->FindAt(m_view.ScreenToModelX(x - d));
    if (a != b && b) {
        marker = b->GetEnd();
        return true;
    }
    const CPiece* c = chain->FindAt(m_view.ScreenToModelX(x + d));
    if (a != c && c) {
        marker = c->GetStart();
        return true;
    }
    return false;
}

void CMouseModes::PlaceMarker(int x, int which) {
    CEditState& st = State();
    if (!st.m_pActive || !st.m_pRange) {
        return;
    }
    int32_t z = m_view.ScreenToModelX(x);
    if (z < 0 || z > m_view.GetDrawingLength()) {
        return;
    }
    z = m_view.SnapZ(z);
    CPoint marker(z, m_view.GetActiveChain()->GetYAt(z));
    const int d = which == kMarkerStart ? m_view.Aids().MainSnap() : m_view.Aids().SecondarySnap();
    if (d > 0) {
        SnapToBoundary(x, d, marker);
    }
    st.m_pRange->PlaceMarker(&m_view, marker.x, marker.y, which);
    st.m_pActive->FillPropertyBar(&m_view);
    m_view.DrawDragFeedback(nullptr);
}

void CMouseModes::FinishIfComplete() {
    const CEditState& st = State();
    if (st.IsFast() && st.m_pRange && st.m_pRange->IsComplete()) {
        m_tools.FinishRange(true);
    }
}

void CMouseModes::StartMove(CPoint point) {
    CEditState& st = State();
    if (!st.m_pActive) {
        return;
    }
    m_view.MakeCurrent();
    const CPoint p = SnappedModel(point);
    if (st.m_pActive->GetStart().x <= p.x && p.x <= st.m_pActive->GetEnd().x) {
        st.m_nMouseMode = kModeMoveDrag;
        st.m_nPrevMouseMode = kModeMove;
        st.m_ptDragAnchor = p;
    }
}

void CMouseModes::MoveStep(CPoint point) {
    CEditState& st = State();
    if (!st.m_pActive) {
        return;
    }
    const CPoint p = SnappedModel(point);
    const auto delta = [](int32_t a, int32_t b) {
        return static_cast<int32_t>(
            std::clamp<int64_t>(static_cast<int64_t>(a) - b, -kRoundLimit, kRoundLimit));
    };
    const int32_t dz = delta(p.x, st.m_ptDragAnchor.x);
    const int32_t dx = delta(p.y, st.m_ptDragAnchor.y);
    st.m_pActive->Move(dz, dx, &m_view);
    st.m_pActive->FillPropertyBar(&m_view);
    m_view.DrawMoveFeedback(dz, dx);
    st.m_ptDragAnchor = p;
}
