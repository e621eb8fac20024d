// CActiveLayerChain: the document's current active layer as the chain a range selection follows.
#pragma once

#include "elements/PieceChain.h"

class CKestrovelDoc;

// Undo and redo replace the active layer object; a range attached through this chain always
// reaches the layer that is active now, never a destroyed one.
class CActiveLayerChain : public CPieceChain {
public:
    explicit CActiveLayerChain(CKestrovelDoc* doc) : m_pDoc(doc) {}

    CPiece* FindAt(int32_t x) const override;
    int32_t GetYAt(int32_t x) const override;
    double GetSlopeAt(int32_t x) const override;
    void AddPiece(std::unique_ptr<CPiece> piece, int redraw) override;

    // Pieces handed to the layer so far: a range tool that added none changed nothing.
    int GetAddCount() const { return m_nAdded; }

private:
    CKestrovelDoc* m_pDoc;
    int m_nAdded = 0;
};
