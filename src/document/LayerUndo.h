// CLayerUndo: the undo history of one layer, kept as whole layer snapshots.
#pragma once

#include <deque>
#include <memory>
#include <utility>

#include "document/Layer.h"

// Newest snapshot first. The position counts the snapshots undone; the current state is the
// snapshot at that position. Callers only ever receive copies.
class CLayerUndo {
public:
    static constexpr int MaxSnapshots = 100;

    CLayerUndo() = default;
    CLayerUndo(const CLayerUndo&) = delete;
    CLayerUndo& operator=(const CLayerUndo&) = delete;

    // Takes ownership; discards the redo branch and the oldest snapshot beyond the limit.
    void Push(std::unique_ptr<CLayer> snapshot);
    // A fresh copy of the next older / newer snapshot, or null.
    std::unique_ptr<CLayer> Undo();
    std::unique_ptr<CLayer> Redo();
    int CanUndo() const { return m_nCount - m_nPosition - 1 > 0; }
    int CanRedo() const { return m_nPosition > 0; }

    int GetPosition() const { return m_nPosition; }
    int GetCount() const { return m_nCount; }
    // The drawing's length changed: every stored snapshot follows, so that no undo or redo brings
    // back a layer of another length.
    void ChangeLength(int32_t newLength, int32_t oldLength, int32_t height);
    // Trades the whole history with another one.
    void Swap(CLayerUndo& other) noexcept {
        std::swap(m_nPosition, other.m_nPosition);
        std::swap(m_nCount, other.m_nCount);
        m_snapshots.swap(other.m_snapshots);
    }
    // The stored snapshot at list position i (0 = newest), or null.
    const CLayer* GetSnapshot(int i) const;

private:
    int m_nPosition = 0;
    int m_nCount = 0;
    std::deque<std::unique_ptr<CLayer>> m_snapshots;
};
