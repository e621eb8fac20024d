// Forwarding of the range's chain queries to the document's active layer.
#include "view/ActiveLayerChain.h"

#include "document/KestrovelDoc.h"

CPiece* CActiveLayerChain::FindAt(int32_t x) const {
    CLayer* layer = m_pDoc ? m_pDoc->GetActiveLayer() : nullptr;
    return layer ? layer->FindAt(x) : nullptr;
}

int32_t CActiveLayerChain::GetYAt(int32_t x) const {
    CLayer* layer = m_pDoc ? m_pDoc->GetActiveLayer() : nullptr;
    return layer ? layer->GetYAt(x) : 0;
}

double CActiveLayerChain::GetSlopeAt(int32_t x) const {
    CLayer* layer = m_pDoc ? m_pDoc->GetActiveLayer() : nullptr;
    return layer ? layer->GetSlopeAt(x) : 0.0;
}

void CActiveLayerChain::AddPiece(std::unique_ptr<CPiece> piece, int redraw) {
    if (CLayer* layer = m_pDoc ? m_pDoc->GetActiveLayer() : nullptr) {
        ++m_nAdded;
        layer->AddPiece(std::move(piece), redraw);
    }
}
