// CNodeIndex: the points where segment ends meet, found through a grid of the join distance.
#pragma once

#include <cstdint>
#include <vector>

#include "exchange/DxfSegment.h"

// Ends within kJoin share one node; a grid of that cell size finds the neighbours.
// A node takes the first straight end that meets it, since line ends are exact where arc ends
// carry the error of their angles.
class CNodeIndex {
public:
    static constexpr double kJoin = 0.001;  // mm

    // expected: the number of segments whose two ends will be looked up, to size the grid once.
    explicit CNodeIndex(size_t expected);

    // The grid cell of a coordinate; coordinates far beyond any drawing share the outermost
    // cells instead of overflowing the cell number.
    static long long Cell(double v);

    // The node p joins (the first made within kJoin, looking at the neighbouring cells in turn),
    // or a new one; exact: p is a straight end, which the node then takes as its point.
    int Find(CPlanePoint p, bool exact);
    size_t Size() const { return m_points.size(); }
    CPlanePoint Point(int node) const { return m_points[static_cast<size_t>(node)]; }

private:
    // One cell of the grid that holds nodes: its first and last node, chained through m_next.
    struct CSlot {
        long long z = 0;
        long long x = 0;
        int nFirst = -1;  // -1: the slot is free
        int nLast = -1;
    };

    static uint64_t RowHash(long long x);
    static uint64_t Hash(long long z, long long x);
    // The slot of the cell, or the free slot where it would go (open addressing, linear probing;
    // the table is kept at most three quarters full: the marks spare most look-ups of free cells).
    size_t SlotOf(long long z, long long x, uint64_t hash) const;
    // Whether a cell of this hash may hold nodes: a cell that holds some has its bit set.
    bool MayHold(uint64_t hash) const {
        const size_t bit = static_cast<size_t>(hash) & (m_marks.size() * 64 - 1);
        return (m_marks[bit / 64] >> (bit % 64)) & 1u;
    }
    void Mark(uint64_t hash) {
        const size_t bit = static_cast<size_t>(hash) & (m_marks.size() * 64 - 1);
        m_marks[bit / 64] |= uint64_t{1} << (bit % 64);
    }
    void Add(long long z, long long x, int node);
    void Grow();

    std::vector<CSlot> m_slots;
    // Four bits per slot, a far smaller table than the slots to look at first: most cells around a
    // point hold nothing.
    std::vector<uint64_t> m_marks;
    size_t m_nUsed = 0;
    std::vector<int> m_next;
    std::vector<CPlanePoint> m_points;
    std::vector<bool> m_exact;
};
