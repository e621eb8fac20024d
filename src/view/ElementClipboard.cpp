// The element clipboard's list of copies.
#include "view/ElementClipboard.h"

void CElementClipboard::Add(std::unique_ptr<CPiece> piece) {
    if (piece) {
        m_pieces.push_back(std::move(piece));
    }
}

CElementClipboard::CPieces CElementClipboard::CloneAll() const {
    CPieces clones;
    for (const auto& piece : m_pieces) {
        if (std::unique_ptr<CPiece> c = piece->Clone()) {
            clones.push_back(std::move(c));
        }
    }
    return clones;
}
