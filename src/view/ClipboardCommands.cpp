// The element clipboard commands of the drawing view and the forwarding of undo and redo.
#include "view/ClipboardCommands.h"

#include <algorithm>
#include <memory>

#include "document/KestrovelDoc.h"
#include "elements/Linear.h"
#include "elements/Selection.h"
#include "view/ElementClipboard.h"
#include "view/KestrovelView.h"
#include "view/PropertyBars.h"

bool CClipboardCommands::OnCommand(int id) {
    switch (id) {
        case ID_EDIT_COPY: Copy(); return true;
        case ID_EDIT_CUT: Cut(); return true;
        case ID_EDIT_CLEAR: Delete(); return true;
        case ID_EDIT_PASTE: Paste(); return true;
        case ID_EDIT_UNDO: Undo(); return true;
        case ID_EDIT_REDO: Redo(); return true;
        default: return false;
    }
}

bool CClipboardCommands::GetCommandState(int id, CCommandState& state) const {
    const CKestrovelDoc* doc = m_view.GetDocument();
    switch (id) {
        case ID_EDIT_COPY:
        case ID_EDIT_CUT:
        case ID_EDIT_CLEAR: state = {m_view.GetActiveElement() != nullptr, false}; return true;
        case ID_EDIT_PASTE: state = {!m_view.Clipboard().IsEmpty(), false}; return true;
        case ID_EDIT_UNDO: state = {doc && doc->CanUndo(), false}; return true;
        case ID_EDIT_REDO: state = {doc && doc->CanRedo(), false}; return true;
        default: return false;
    }
}

bool CClipboardCommands::CopiedSpan(int32_t& lo, int32_t& hi) const {
    if (const CSelection* range = m_view.GetRange()) {
        lo = std::min(range->GetStart().x, range->GetEnd().x);
        hi = std::max(range->GetStart().x, range->GetEnd().x);
    } else {
        lo = m_view.GetActiveElement()->GetStart().x;
        hi = m_view.GetActiveElement()->GetEnd().x;
    }
    return !m_view.GetRange() || lo != hi;
}

void CClipboardCommands::CopyStretch(CLayer& layer, int32_t lo, int32_t hi) {
    CElementClipboard& clipboard = m_view.Clipboard();
    const CPiece* first = layer.FindAt(lo);
    std::unique_ptr<CPiece> copy = first ? first->Clone() : nullptr;
    if (!copy) {
        return;
    }
    copy->CutStartAt(lo, &m_view);
    int32_t end = copy->GetEnd().x;
    CPiece* last = copy.get();
    clipboard.Add(std::move(copy));
    while (end < hi) {
        const CPiece* next = layer.FindAt(end);
        copy = next ? next->Clone() : nullptr;
        // An element that does not reach past the last end (none, or of no length) would
        // otherwise be found again and again.
        if (!copy || copy->GetEnd().x <= end) {
            break;
        }
        end = copy->GetEnd().x;
        last = copy.get();
        clipboard.Add(std::move(copy));
    }
    last->CutEndAt(hi, &m_view);
}

bool CClipboardCommands::FillClipboard(CLayer& layer) {
    CElementClipboard& clipboard = m_view.Clipboard();
    clipboard.Clear();
    if (!m_view.GetRange()) {
        clipboard.Add(m_view.GetActiveElement()->Clone());
        return !clipboard.IsEmpty();
    }
    int32_t lo = 0;
    int32_t hi = 0;
    if (CopiedSpan(lo, hi)) {
        CopyStretch(layer, lo, hi);
    }
    return !clipboard.IsEmpty();
}

void CClipboardCommands::Copy() {
    CLayer* layer = m_view.GetActiveLayer();
    if (m_view.GetActiveElement() && layer) {
        FillClipboard(*layer);
    }
}

void CClipboardCommands::Cut() {
    CLayer* layer = m_view.GetActiveLayer();
    if (m_view.GetActiveElement() && layer && FillClipboard(*layer)) {
        RemoveStretch();
    }
}

void CClipboardCommands::Delete() {
    if (m_view.GetActiveElement()) {
        RemoveStretch();
    }
}

void CClipboardCommands::RemoveStretch() {
    CLayer* layer = m_view.GetActiveLayer();
    CKestrovelDoc* doc = m_view.GetDocument();
    int32_t lo = 0;
    int32_t hi = 0;
    if (!layer || !doc || !CopiedSpan(lo, hi)) {
        return;
    }
    const int32_t top = doc->GetSourceRect().top;
    std::unique_ptr<CPiece> line = std::make_unique<CLinear>(lo, top, hi, top);
    // A border's span lies outside the drawing: there is nothing in the chain to replace.
    if (!layer->ClipToLength(line, &m_view)) {
        return;
    }
    layer->AddPiece(std::move(line), 1);
    doc->RecordUndo();
}

void CClipboardCommands::Paste() {
    CLayer* layer = m_view.GetActiveLayer();
    CKestrovelDoc* doc = m_view.GetDocument();
    if (m_view.Clipboard().IsEmpty() || !layer || !doc) {
        return;
    }
    CElementClipboard::CPieces clones = m_view.Clipboard().CloneAll();
    for (std::unique_ptr<CPiece>& piece : clones) {
        if (layer->ClipToLength(piece, &m_view)) {
            layer->AddPiece(std::move(piece), 0);
        }
    }
    doc->RecordUndo();
    m_view.UpdateAllViews();
}

void CClipboardCommands::Undo() {
    if (CKestrovelDoc* doc = m_view.GetDocument()) {
        const int32_t length = doc->GetLength();
        doc->Undo();
        FollowLength(length);
    }
}

void CClipboardCommands::Redo() {
    if (CKestrovelDoc* doc = m_view.GetDocument()) {
        const int32_t length = doc->GetLength();
        doc->Redo();
        FollowLength(length);
    }
}

void CClipboardCommands::FollowLength(int32_t lengthBefore) {
    const CKestrovelDoc* doc = m_view.GetDocument();
    if (doc && doc->GetLength() != lengthBefore) {
        // The element being edited belonged to the drawing of the other length.
        m_view.DiscardActiveElement();
        m_view.Bars().FitToDrawing();
    }
}
