// CElementClipboard: the application-wide list of element copies that Copy, Cut and Paste share.
#pragma once

#include <memory>
#include <vector>

#include "elements/Piece.h"

// One object for the whole application (every drawing view and document sees the same copies);
// the shell and the tests make it and hand it to the views through their context.
class CElementClipboard {
public:
    using CPieces = std::vector<std::unique_ptr<CPiece>>;

    CElementClipboard() = default;
    CElementClipboard(const CElementClipboard&) = delete;
    CElementClipboard& operator=(const CElementClipboard&) = delete;

    bool IsEmpty() const { return m_pieces.empty(); }
    int GetCount() const { return static_cast<int>(m_pieces.size()); }
    const CPieces& GetPieces() const { return m_pieces; }
    // Destroys the copies held so far.
    void Clear() { m_pieces.clear(); }
    // Takes a copy; null is ignored.
    void Add(std::unique_ptr<CPiece> piece);
    // Fresh clones of the copies, in order; the clipboard keeps its own.
    CPieces CloneAll() const;

private:
    CPieces m_pieces;
};
