// The snapshot history of one layer.
#include "document/LayerUndo.h"

void CLayerUndo::Push(std::unique_ptr<CLayer> snapshot) {
    if (!snapshot) {
        return;
    }
    while (m_nPosition > 0 && !m_snapshots.empty()) {
        m_snapshots.pop_front();
        --m_nCount;
        --m_nPosition;
    }
    m_nPosition = 0;
    m_snapshots.push_front(std::move(snapshot));
    if (m_nCount == MaxSnapshots) {
        m_snapshots.pop_back();
    } else {
        ++m_nCount;
    }
}

void CLayerUndo::ChangeLength(int32_t newLength, int32_t oldLength, int32_t height) {
    for (auto& snapshot : m_snapshots) {
        snapshot->ChangeLength(newLength, oldLength, height);
    }
}

const CLayer* CLayerUndo::GetSnapshot(int i) const {
    return i >= 0 && i < static_cast<int>(m_snapshots.size()) ? m_snapshots[static_cast<size_t>(i)].get()
                                                               : nullptr;
}

std::unique_ptr<CLayer> CLayerUndo::Undo() {
    if (m_nCount <= 0) {
        return nullptr;
    }
    // The position moves even when nothing older exists; only the lookup is bounded.
    ++m_nPosition;
    const CLayer* snapshot = GetSnapshot(m_nPosition);
    return snapshot ? std::make_unique<CLayer>(*snapshot) : nullptr;
}

std::unique_ptr<CLayer> CLayerUndo::Redo() {
    if (m_nCount <= 0 || m_nPosition <= 0) {
        return nullptr;
    }
    --m_nPosition;
    const CLayer* snapshot = GetSnapshot(m_nPosition);
    return snapshot ? std::make_unique<CLayer>(*snapshot) : nullptr;
}
