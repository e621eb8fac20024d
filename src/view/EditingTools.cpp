// The editing commands: tools, fast and slow mode, OK and Back, Mirror, Turn, and applying the working copy.
#include "view/EditingTools.h"

#include "document/KestrovelDoc.h"
#include "elements/Arc.h"
#include "elements/Linear.h"
#include "elements/Selection.h"
#include "platform/ViewHost.h"
#include "view/ActiveLayerChain.h"
#include "view/K1Curve.h"
#include "view/KestrovelView.h"
#include "view/PropertyBars.h"

CEditState& CEditingTools::State() {
    return m_view.EditState();
}
const CEditState& CEditingTools::State() const {
    return m_view.GetEditState();
}

void CEditingTools::SetActive(std::unique_ptr<CPiece> piece) {
    CEditState& st = State();
    st.ForgetBarEdits();
    st.m_pRange = nullptr;
    st.m_hGrabbed = nullptr;
    st.m_pActive = std::move(piece);
}

void CEditingTools::SetActiveRange(std::unique_ptr<CSelection> range) {
    CEditState& st = State();
    range->SetAttachedLayer(m_view.GetActiveChain());
    st.ForgetBarEdits();
    st.m_hGrabbed = nullptr;
    st.m_pRange = range.get();
    st.m_pActive = std::move(range);
}

void CEditingTools::DestroyActive() {
    SetActive(nullptr);
}

bool CEditingTools::OnCommand(int id) {
    CEditState& st = State();
    switch (id) {
        case ID_TOOL_SELECT: SelectTool(); return true;
        case ID_TOOL_RANGE: RangeTool(); return true;
        case ID_TOOL_LINE: CreatingTool(kToolLine); return true;
        case ID_TOOL_CIRCLE: CreatingTool(kToolCircle); return true;
        case ID_TOOL_K1: CreatingTool(kToolK1); return true;
        case ID_TOOL_MIRROR: MirrorOrTurn(true); return true;
        case ID_TOOL_TURN: MirrorOrTurn(false); return true;
        case ID_TOOL_MOVE: MoveTool(); return true;
        case ID_MODE_FAST: st.m_nEditMode = 1; return true;
        case ID_MODE_SLOW: st.m_nEditMode = 0; return true;
        case ID_EDIT_OK: Ok(); return true;
        case ID_EDIT_BACK: Back(); return true;
        case ID_TOOL_DEBUG:
            if (CKestrovelDoc* doc = m_view.GetDocument()) {
                doc->DebugCombineLayers();
            }
            m_view.UpdateAllViews();
            return true;
        default: return false;
    }
}

bool CEditingTools::GetCommandState(int id, CCommandState& state) const {
    const CEditState& st = State();
    const bool active = st.m_pActive != nullptr;
    const bool fast = st.IsFast();
    switch (id) {
        case ID_TOOL_SELECT: state = {true, st.m_nSelectionKind == 0}; return true;
        case ID_TOOL_RANGE: state = {true, st.m_nSelectionKind == 1}; return true;
        case ID_TOOL_LINE:
            state = {true, st.m_nActiveTool == kToolLine ||
                               (active && st.m_pActive->GetKind() == kKindLine) ||
                               (st.m_nSelectionKind == 1 && fast)};
            return true;
        case ID_TOOL_CIRCLE: state = {true, st.m_nActiveTool == kToolCircle}; return true;
        case ID_TOOL_K1: state = {true, st.m_nActiveTool == kToolK1}; return true;
        case ID_TOOL_K2:
        case ID_TOOL_K3:
        case ID_TOOL_K4:
        case ID_TOOL_CURVE: state = {false, false}; return true;
        case ID_TOOL_MIRROR:
        case ID_TOOL_TURN: state = {active, false}; return true;
        case ID_TOOL_MOVE: state = {active, st.m_nActiveTool == kToolMove}; return true;
        case ID_MODE_FAST: state = {true, fast}; return true;
        case ID_MODE_SLOW: state = {true, !fast}; return true;
        case ID_EDIT_OK:
        case ID_EDIT_BACK: state = {!fast && active, false}; return true;
        case ID_TOOL_DEBUG: state = {true, false}; return true;
        default: return false;
    }
}

void CEditingTools::SelectTool() {
    CEditState& st = State();
    st.m_nActiveTool = kToolSelect;
    m_view.RestoreCursor();
    Discard();
    st.m_nSelectionKind = 0;
    st.m_nMouseMode = kModeIdle;
}

void CEditingTools::Discard() {
    if (State().m_pActive) {
        CPiece::ClearPropertyBar(&m_view);
    }
    DestroyActive();
    m_view.Repaint();
}

void CEditingTools::ReturnToSelectionMode() {
    CEditState& st = State();
    if (st.m_nSelectionKind == 1) {
        st.m_nMouseMode = kModeRange;
        st.m_nActiveTool = kToolRange;
    } else {
        st.m_nMouseMode = kModeIdle;
        st.m_nActiveTool = kToolSelect;
        st.m_nSelectionKind = 0;
    }
}

void CEditingTools::Apply(int recordUndo) {
    CEditState& st = State();
    CLayer* layer = m_view.GetActiveLayer();
    // A range is never handed to the layer: it marks a stretch, it is not part of the profile.
    if (!st.m_pActive || st.m_pActive.get() == st.m_pRange || !layer) {
        return;
    }
    st.m_nMouseMode = kModeIdle;
    layer->SetView(&m_view);
    layer->AddPiece(std::move(st.m_pActive), recordUndo);
    if (recordUndo) {
        m_view.GetDocument()->RecordUndo();
    }
    CPiece::ClearPropertyBar(&m_view);
    SetActive(nullptr);
    ReturnToSelectionMode();
}

void CEditingTools::Ok() {
    const CEditState& st = State();
    if (!st.IsFast() && st.m_pActive && !st.m_pRange) {
        // Values typed into the object bar and not yet read belong to what OK applies; a
        // refused one keeps the element as it is.
        if (st.m_bValuesPending && !m_view.Bars().Object().ReadPendingValues()) {
            return;
        }
        Apply(1);
    }
}

void CEditingTools::Back() {
    CEditState& st = State();
    if (st.IsFast() || !st.m_pActive) {
        return;
    }
    DestroyActive();
    ReturnToSelectionMode();
    m_view.ShowCleanPicture();
}

void CEditingTools::Reset() {
    CEditState& st = State();
    if (CKestrovelDoc* doc = m_view.GetDocument()) {
        doc->SetActiveLayer(m_view.GetRememberedLayer());
    }
    DestroyActive();
    if (st.m_nSelectionKind == 0) {
        st.m_nMouseMode = kModeIdle;
    } else {
        st.m_nPrevMouseMode = st.m_nMouseMode;
        st.m_nActiveTool = kToolRange;
        st.m_nMouseMode = kModeRange;
    }
    m_view.UpdateAllViews();
}

void CEditingTools::RangeTool() {
    CEditState& st = State();
    st.m_nPrevMouseMode = st.m_nMouseMode;
    st.m_nActiveTool = kToolRange;
    st.m_nSelectionKind = 1;
    st.m_nMouseMode = kModeRange;
    std::unique_ptr<CSelection> range;
    if (st.m_pActive) {
        CPiece::ClearPropertyBar(&m_view);
        range = std::make_unique<CSelection>(*st.m_pActive);
    } else {
        const CPieceChain* chain = m_view.GetActiveChain();
        const int32_t length = m_view.GetDrawingLength();
        range = std::make_unique<CSelection>(0, chain->GetYAt(0), length, chain->GetYAt(length));
    }
    SetActiveRange(std::move(range));
    st.m_pActive->FillPropertyBar(&m_view);
    m_view.Repaint();
    m_view.SetViewCursor(kCursorRange);
}

std::unique_ptr<CPiece> CEditingTools::MakeFromRange(const CSelection& range) const {
    switch (State().m_nCreatingTool) {
        case kToolCircle: return std::make_unique<CArc>(range, m_view.GetMessages());
        case kToolK1: return MakeK1Curve(range, m_view);
        default: return std::make_unique<CLinear>(range);
    }
}

bool CEditingTools::FinishRange(bool apply) {
    CEditState& st = State();
    CSelection* range = st.m_pRange;
    if (!range) {
        return false;
    }
    if (range->GetEnd().x < range->GetStart().x) {
        range->SwapEnds();
    }
    std::unique_ptr<CPiece> piece = MakeFromRange(*range);
    if (!piece) {
        return false;
    }
    piece->LockX();
    SetActive(std::move(piece));
    st.m_pActive->FillPropertyBar(&m_view);
    if (apply) {
        Apply(1);
    }
    m_view.Repaint();
    st.m_nMouseMode = kModeRange;
    return true;
}

void CEditingTools::CreatingTool(int kind) {
    CEditState& st = State();
    st.m_nCreatingTool = kind;
    st.m_nActiveTool = kind;
    if (st.IsFast()) {
        Discard();
        return;
    }
    // A range the tool cannot turn into an element stays, and so does range mode: its markers
    // can still be moved.
    if (st.m_nMouseMode != kModeRange) {
        st.m_nMouseMode = kModeSelected;
    } else if (st.m_pRange && FinishRange(false)) {
        st.m_nMouseMode = kModeSelected;
    }
}

void CEditingTools::MoveTool() {
    CEditState& st = State();
    if (!st.m_pActive) {
        return;
    }
    st.m_nPrevMouseMode = st.m_nMouseMode;
    st.m_nActiveTool = kToolMove;
    st.m_nMouseMode = kModeMove;
    m_view.SetViewCursor(kCursorMove);
}

void CEditingTools::RecordRangeEdit() {
    if (CKestrovelDoc* doc = m_view.GetDocument()) {
        doc->RecordUndo();
    }
}

void CEditingTools::MirrorOrTurn(bool mirror) {
    CEditState& st = State();
    if (!st.m_pActive) {
        return;
    }
    m_view.MakeCurrent();
    if (st.m_pRange) {
        const int added = m_view.GetActiveChain()->GetAddCount();
        if (mirror) {
            st.m_pRange->Mirror(&m_view);
            DestroyActive();
        } else {
            st.m_pRange->Turn(&m_view);
        }
        if (m_view.GetActiveChain()->GetAddCount() != added) {
            RecordRangeEdit();
        }
    } else {
        if (mirror) {
            st.m_pActive->Mirror(&m_view);
        } else {
            st.m_pActive->Turn(&m_view);
        }
        if (st.IsFast()) {
            Apply(1);
        }
    }
    m_view.Repaint();
}
