// How elements enter a layer: insertion that cuts what it covers, borders, numbers and length changes.
#include <algorithm>

#include "document/KestrovelDoc.h"
#include "document/Layer.h"
#include "elements/Linear.h"

namespace {
bool StrictlyInside(const CPiece& p, int32_t x) { return p.GetStart().x < x && x < p.GetEnd().x; }
}  // namespace

void CLayer::AddPiece(std::unique_ptr<CPiece> piece, int redraw) {
    if (!piece) {
        return;
    }
    if (piece->GetKind() == kKindBorder) {
        if (auto* border = dynamic_cast<CBorder*>(piece.get())) {
            auto& slot = border->GetStart().x < 0 ? m_pLeftBorder : m_pRightBorder;
            piece.release();
            slot.reset(border);
        }
    } else {
        InsertPiece(std::move(piece));
    }
    ConnectBorders();
    if (m_nBatch > 0) {
        return;
    }
    m_nNextNumber = Renumber();
    FillObjectCombo();
    MarkModified();
    if (redraw) {
        UpdateViews(false);
    }
}

void CLayer::EndInsertBatch() {
    if (m_nBatch == 0 || --m_nBatch > 0) {
        return;
    }
    m_nNextNumber = Renumber();
    FillObjectCombo();
    MarkModified();
}

// Start cases: 'A' at the head's start, 'B' at an inner element's start, 'C' strictly inside an
// element, 'D' at the last element's end.
bool CLayer::LocateStart(int32_t s, Pos& at, char& kind) {
    auto it = m_pieces.begin();
    if ((*it)->GetStart().x == s) {
        at = it;
        kind = 'A';
        return true;
    }
    for (; it != m_pieces.end(); ++it) {
        if (StrictlyInside(**it, s)) {
            at = it;
            kind = 'C';
            return true;
        }
        auto next = std::next(it);
        if (next == m_pieces.end()) {
            break;
        }
        if ((*next)->GetStart().x == s) {
            at = next;
            kind = 'B';
            return true;
        }
    }
    if ((*it)->GetEnd().x == s) {
        at = it;
        kind = 'D';
        return true;
    }
    return false;
}

// End cases: 'c' strictly inside an element, 'b' at an element's end.
bool CLayer::LocateEnd(int32_t e, Pos& at, char& kind) {
    auto it = m_pieces.begin();
    if (StrictlyInside(**it, e)) {
        at = it;
        kind = 'c';
        return true;
    }
    for (; it != m_pieces.end(); ++it) {
        if ((*it)->GetEnd().x == e) {
            at = it;
            kind = 'b';
            return true;
        }
        auto next = std::next(it);
        if (next == m_pieces.end()) {
            break;
        }
        if (StrictlyInside(**next, e)) {
            at = next;
            kind = 'c';
            return true;
        }
    }
    return false;
}

void CLayer::EraseUpTo(Pos first, Pos stop) {
    while (first != stop && first != m_pieces.end()) {
        first = m_pieces.erase(first);
    }
}

void CLayer::InsertPiece(std::unique_ptr<CPiece> piece) {
    CPiece& n = *piece;
    if (n.GetEnd().x < n.GetStart().x) {
        const int32_t oldStart = n.GetStart().x;
        n.SetStart(n.GetEnd().x, n.GetStart().y);
        n.SetEnd(oldStart, n.GetEnd().y);
    }
    const int32_t s = n.GetStart().x;
    const int32_t e = n.GetEnd().x;
    if (s == e) {
        return;
    }
    if (m_pieces.empty()) {
        m_pieces.push_back(std::move(piece));
        return;
    }
    Pos start;
    Pos end;
    char startCase = 0;
    char endCase = 0;
    if (!LocateStart(s, start, startCase)) {
        ShowError("levystav je nula");
        return;
    }
    if (!LocateEnd(e, end, endCase)) {
        ShowError("pravystav je nula");
        return;
    }
    switch (startCase) {
        case 'A':
            // Stops at the end element at the latest, so the last element is never reached.
            EraseUpTo(m_pieces.begin(), end);
            m_pieces.push_front(std::move(piece));
            break;
        case 'B':
            m_pieces.insert(start, std::move(piece));
            EraseUpTo(start, end);
            break;
        case 'C': {
            auto part = (*start)->CreatePart((*start)->GetStart().x, s);
            if (part) {
                m_pieces.insert(start, std::move(part));
            }
            m_pieces.insert(start, std::move(piece));
            EraseUpTo(start, end);
            break;
        }
        default:
            m_pieces.push_back(std::move(piece));
            return;
    }
    // The end element survived the erasing above: every erase stopped before it.
    if (endCase == 'c') {
        (*end)->CutStartAt(e, m_pView);
    } else {
        m_pieces.erase(end);
    }
}

void CLayer::ConnectBorders() {
    if (m_pieces.empty()) {
        return;
    }
    const CPiece& first = *m_pieces.front();
    const CPiece& last = *m_pieces.back();
    if (m_pLeftBorder && first.GetStart().y != m_pLeftBorder->GetEnd().y) {
        m_pLeftBorder->SetEnd(m_pLeftBorder->GetEnd().x, first.GetStart().y);
    }
    if (m_pRightBorder && last.GetEnd().y != m_pRightBorder->GetStart().y) {
        m_pRightBorder->SetStart(m_pRightBorder->GetStart().x, last.GetEnd().y);
    }
}

int CLayer::Renumber() {
    int n = 1;
    for (auto& piece : m_pieces) {
        piece->SetNumber(n++);
    }
    return n;
}

int CLayer::CountPiecesFrom(int32_t length) const {
    return static_cast<int>(std::count_if(m_pieces.begin(), m_pieces.end(),
                                          [length](const auto& p) { return p->GetStart().x >= length; }));
}

void CLayer::ChangeLength(int32_t newLength, int32_t oldLength, int32_t height) {
    if (newLength > oldLength) {
        m_pieces.push_back(std::make_unique<CLinear>(oldLength, height, newLength, height));
    } else {
        // The element that reaches up to the new length from the left: one that merely starts
        // there would be cut to nothing.
        auto pos = std::find_if(m_pieces.begin(), m_pieces.end(), [newLength](const auto& p) {
            return p->GetStart().x < newLength && newLength <= p->GetEnd().x;
        });
        if (pos != m_pieces.end()) {
            m_pieces.erase(std::next(pos), m_pieces.end());
            (*pos)->CutEndAt(newLength, m_pDoc ? m_pDoc->GetActiveView() : m_pView);
        }
    }
    if (m_pRightBorder) {
        m_pRightBorder->ShiftX(newLength - oldLength);
    }
    // Keep the chain numbered and closed: the new tail needs a number and the cut tail's height
    // may have changed.
    ConnectBorders();
    m_nNextNumber = Renumber();
}

bool CLayer::ClipToLength(std::unique_ptr<CPiece>& piece, CViewServices* view) const {
    if (!piece) {
        return false;
    }
    const int32_t length = GetDrawingLength();
    if (piece->GetStart().x >= length || piece->GetEnd().x <= 0) {
        piece.reset();
        return false;
    }
    if (piece->GetStart().x < 0) {
        piece->CutStartAt(0, view);
    }
    if (piece->GetEnd().x > length) {
        piece->CutEndAt(length, view);
    }
    return true;
}
