// CChainSearch: the searches of one pass over a piece list, each starting where the last ended.
#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include "elements/Piece.h"

using CPieceList = std::list<std::unique_ptr<CPiece>>;

// A pass that cuts a long profile at rising (or falling) positions would walk the list from its
// head for every cut. While the elements lie in order (each has no negative length and ends at
// or before the next one starts) every search below answers from the last position found what
// a search from the head answers; an edit that breaks the order sends every later search back to
// the head, so a list in any state gets the answers it always got. The list must not lose the
// element at the kept position while the search lives (cuts replace pieces in place).
class CChainSearch {
public:
    using Pos = CPieceList::iterator;

    // fromCursor false: every search starts at the head (single searches outside a pass).
    CChainSearch(CPieceList& pieces, bool fromCursor);

    // The first element that does not both start before x and end at or before it: the element
    // a cut at x falls into, or the first one beyond x; the list's end when none.
    Pos FindCut(int32_t x);
    // The last element of some length ending at x and the first one starting at x, among those
    // starting at or before x; the list's end where there is none.
    void FindCorner(int32_t x, Pos& left, Pos& right);
    // The element at pos was changed or inserted: the order is checked against its neighbours.
    void Changed(Pos pos);

    bool IsOrdered() const { return m_bOrdered; }

private:
    bool InOrder(Pos pos) const;

    CPieceList& m_pieces;
    Pos m_pos;
    bool m_bOrdered = false;
};
