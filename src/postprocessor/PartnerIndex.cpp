// Binary search over a layer's element starts with the layer's own FindAt rule.
#include "postprocessor/PartnerIndex.h"

#include <algorithm>

#include "document/Layer.h"

CPartnerIndex::CPartnerIndex(const CLayer& layer) : m_layer(layer) {
    for (const auto& piece : layer.GetPieces()) {
        if (!m_starts.empty() && piece->GetStart().x < m_starts.back()) {
            m_bSorted = false;
        }
        m_pieces.push_back(piece.get());
        m_starts.push_back(piece->GetStart().x);
    }
}

CPiece* CPartnerIndex::FindAt(int32_t x) const {
    if (!m_bSorted || x < 0 || x > m_layer.GetDrawingLength() || m_pieces.size() < 2) {
        return m_layer.FindAt(x);
    }
    // The first element but the last that starts at or after x, else the last one.
    const auto last = m_starts.end() - 1;
    const size_t at = static_cast<size_t>(std::lower_bound(m_starts.begin(), last, x) - m_starts.begin());
    if (m_starts[at] <= x) {
        return m_pieces[at];
    }
    return at > 0 ? m_pieces[at - 1] : nullptr;
}
