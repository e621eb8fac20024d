// Searches of a pass over a piece list that start from where the previous one ended.
#include "document/ChainSearch.h"

namespace {
// Both the starts and the ends rise along an ordered list, so this holds for a leading run only.
bool Passed(const CPiece& piece, int32_t x) {
    return piece.GetStart().x < x && piece.GetEnd().x <= x;
}
}  // namespace

CChainSearch::CChainSearch(CPieceList& pieces, bool fromCursor) : m_pieces(pieces), m_pos(pieces.begin()) {
    if (!fromCursor) {
        return;
    }
    m_bOrdered = true;
    for (Pos it = m_pieces.begin(); it != m_pieces.end() && m_bOrdered; ++it) {
        m_bOrdered = InOrder(it);
    }
}

bool CChainSearch::InOrder(Pos pos) const {
    const CPiece& piece = **pos;
    if (piece.GetEnd().x < piece.GetStart().x) {
        return false;
    }
    const Pos next = std::next(pos);
    return next == m_pieces.end() || piece.GetEnd().x <= (*next)->GetStart().x;
}

void CChainSearch::Changed(Pos pos) {
    if (!m_bOrdered) {
        return;
    }
    m_bOrdered = InOrder(pos) && (pos == m_pieces.begin() || InOrder(std::prev(pos)));
}

CChainSearch::Pos CChainSearch::FindCut(int32_t x) {
    Pos pos = m_bOrdered ? m_pos : m_pieces.begin();
    if (m_bOrdered) {
        while (pos != m_pieces.begin() && !Passed(**std::prev(pos), x)) {
            --pos;
        }
    }
    while (pos != m_pieces.end() && Passed(**pos, x)) {
        ++pos;
    }
    if (m_bOrdered) {
        m_pos = pos;
    }
    return pos;
}

void CChainSearch::FindCorner(int32_t x, Pos& left, Pos& right) {
    left = m_pieces.end();
    right = m_pieces.end();
    if (!m_bOrdered) {
        for (Pos it = m_pieces.begin(); it != m_pieces.end() && (*it)->GetStart().x <= x; ++it) {
            const CPiece& piece = **it;
            if (piece.GetEnd().x <= piece.GetStart().x) {
                continue;
            }
            if (piece.GetEnd().x == x) {
                left = it;
            } else if (piece.GetStart().x == x && right == m_pieces.end()) {
                right = it;
            }
        }
        return;
    }
    // In order, at most one element of some length ends at x and one starts there, both among the
    // elements reaching x; the walk back from past them stops at the first element ending before x.
    Pos beyond = m_pos;
    while (beyond != m_pieces.end() && (*beyond)->GetStart().x <= x) {
        ++beyond;
    }
    m_pos = beyond;
    for (Pos it = beyond; it != m_pieces.begin();) {
        --it;
        const CPiece& piece = **it;
        if (piece.GetEnd().x < x) {
            break;
        }
        if (piece.GetEnd().x <= piece.GetStart().x) {
            continue;
        }
        if (piece.GetEnd().x == x) {
            if (left == m_pieces.end()) {
                left = it;
            }
        } else if (piece.GetStart().x == x) {
            right = it;
        }
    }
}
