// Searches of a pass over a layer copy that start where the previous search ended.
#include "document/Layer.h"

namespace {
bool Ascending(const CPiece& left, const CPiece& right) {
    return left.GetStart().x <= right.GetStart().x;
}
}  // namespace

CLayer::CSearchHint CLayer::StartSearch() {
    CSearchHint hint{m_pieces.begin(), true};
    for (auto it = m_pieces.begin(); it != m_pieces.end() && std::next(it) != m_pieces.end(); ++it) {
        if (!Ascending(**it, **std::next(it))) {
            hint.bOrdered = false;
            break;
        }
    }
    return hint;
}

CLayer::Pos CLayer::FindPosAtStrict(int32_t x, CSearchHint& hint) {
    if (!hint.bOrdered || hint.pos == m_pieces.end()) {
        return FindPosAtStrict(x);
    }
    if (x < m_pieces.front()->GetStart().x) {
        return m_pieces.end();
    }
    // With ascending starts, every element before the hint starting before x means the walk from
    // the head would have passed them all; it stops at the same element.
    Pos it = hint.pos;
    while (it != m_pieces.begin() && (*std::prev(it))->GetStart().x >= x) {
        --it;
    }
    while (std::next(it) != m_pieces.end() && (*it)->GetStart().x < x) {
        ++it;
    }
    hint.pos = it;
    return StrictAnswer(it, it == m_pieces.begin() ? m_pieces.end() : std::prev(it), x);
}

void CLayer::NoteEdit(CSearchHint& hint, Pos first, Pos stop) const {
    if (!hint.bOrdered) {
        return;
    }
    Pos from = first == m_pieces.begin() ? first : std::prev(first);
    for (Pos it = from; it != stop && it != m_pieces.end(); ++it) {
        const Pos next = std::next(it);
        if (next != m_pieces.end() && !Ascending(**it, **next)) {
            hint.bOrdered = false;
            return;
        }
    }
    hint.pos = first;
}
