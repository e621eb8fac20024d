// The grid of segment ends: open addressing over the cells that hold nodes.
#include "exchange/NodeIndex.h"

#include <algorithm>
#include <cmath>

CNodeIndex::CNodeIndex(size_t expected) {
    size_t slots = 64;
    while (slots * 3 < expected * 4) {
        slots *= 2;
    }
    m_slots.resize(slots);
    m_marks.resize(slots * 4 / 64);
    // No more nodes than ends, two per segment: reserved, the arrays are never copied as they fill.
    m_points.reserve(2 * expected);
    m_next.reserve(2 * expected);
    m_exact.reserve(2 * expected);
}

long long CNodeIndex::Cell(double v) {
    const double c = std::floor(v / kJoin);
    return std::isnan(c) ? 0 : static_cast<long long>(std::clamp(c, -1e15, 1e15));
}

int CNodeIndex::Find(CPlanePoint p, bool exact) {
    const long long cz = Cell(p.z);
    const long long cx = Cell(p.x);
    // The hash is the row's (x) part plus the column: three rows to work out, not nine cells.
    const uint64_t rows[3] = {RowHash(cx - 1), RowHash(cx), RowHash(cx + 1)};
    for (long long i = cz - 1; i <= cz + 1; ++i) {
        for (long long j = cx - 1; j <= cx + 1; ++j) {
            const uint64_t hash = rows[j - (cx - 1)] + static_cast<uint64_t>(i);
            if (!MayHold(hash)) {
                continue;
            }
            const CSlot& slot = m_slots[SlotOf(i, j, hash)];
            // Nodes of a cell in the order they were made.
            for (int node = slot.nFirst; node >= 0; node = m_next[static_cast<size_t>(node)]) {
                const size_t n = static_cast<size_t>(node);
                // Farther along either axis is farther apart: no need to measure.
                if (std::fabs(m_points[n].z - p.z) <= kJoin && std::fabs(m_points[n].x - p.x) <= kJoin &&
                    std::hypot(m_points[n].z - p.z, m_points[n].x - p.x) <= kJoin) {
                    if (exact && !m_exact[n]) {
                        m_points[n] = p;
                        m_exact[n] = true;
                    }
                    return node;
                }
            }
        }
    }
    const int node = static_cast<int>(m_points.size());
    m_points.push_back(p);
    m_exact.push_back(exact);
    m_next.push_back(-1);
    Add(cz, cx, node);
    return node;
}

uint64_t CNodeIndex::RowHash(long long x) {
    // Unsigned: far cells must wrap, not overflow.
    uint64_t h = static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ULL;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 32;
    return h;
}

uint64_t CNodeIndex::Hash(long long z, long long x) {
    // Cells next to each other along Z lie in neighbouring slots, so the look-ups around a point
    // touch few places in memory.
    return RowHash(x) + static_cast<uint64_t>(z);
}

size_t CNodeIndex::SlotOf(long long z, long long x, uint64_t hash) const {
    const size_t mask = m_slots.size() - 1;
    for (size_t i = static_cast<size_t>(hash) & mask;; i = (i + 1) & mask) {
        const CSlot& slot = m_slots[i];
        if (slot.nFirst < 0 || (slot.z == z && slot.x == x)) {
            return i;
        }
    }
}

void CNodeIndex::Add(long long z, long long x, int node) {
    const uint64_t hash = Hash(z, x);
    CSlot& slot = m_slots[SlotOf(z, x, hash)];
    if (slot.nFirst >= 0) {
        m_next[static_cast<size_t>(slot.nLast)] = node;
        slot.nLast = node;
        return;
    }
    slot = CSlot{z, x, node, node};
    Mark(hash);
    if (++m_nUsed * 4 > m_slots.size() * 3) {
        Grow();
    }
}

void CNodeIndex::Grow() {
    std::vector<CSlot> old(m_slots.size() * 2);
    old.swap(m_slots);
    m_marks.assign(m_slots.size() * 4 / 64, 0);
    for (const CSlot& slot : old) {
        if (slot.nFirst >= 0) {
            const uint64_t hash = Hash(slot.z, slot.x);
            m_slots[SlotOf(slot.z, slot.x, hash)] = slot;
            Mark(hash);
        }
    }
}
