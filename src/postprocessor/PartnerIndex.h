// CPartnerIndex: the element of a layer owning an axial position, found by binary search.
#pragma once

#include <cstdint>
#include <vector>

class CLayer;
class CPiece;

// Answers exactly what the layer's FindAt answers, without its walk from the head for every
// question: a pass over a long profile asks once per element. A chain whose starts are not in
// ascending order (a trusted file may hold one) is left to the layer itself.
class CPartnerIndex {
public:
    explicit CPartnerIndex(const CLayer& layer);
    CPiece* FindAt(int32_t x) const;

private:
    const CLayer& m_layer;
    std::vector<CPiece*> m_pieces;
    std::vector<int32_t> m_starts;
    bool m_bSorted = true;
};
