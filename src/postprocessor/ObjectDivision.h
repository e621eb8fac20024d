// CObjectDivision and CDivisionRange: the corner sizes and the arc division table of a post file.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class CDivisionRange {
public:
    CDivisionRange() = default;
    CDivisionRange(int32_t upper, int32_t lower, int32_t value) : m_nUpper(upper), m_nLower(lower), m_nValue(value) {}

    bool Contains(int32_t size) const { return m_nLower <= size && size < m_nUpper; }

    int32_t m_nUpper = 0;  // exclusive
    int32_t m_nLower = 0;  // inclusive
    int32_t m_nValue = 0;
};

class CObjectDivision {
public:
    // The number of division points for a size in whole millimetres: the last range that
    // contains it; sizes no range covers take the last range's value, an empty table 2.
    int32_t GetDivision(int32_t size) const;
    void AddRange(int32_t upper, int32_t lower, int32_t value) {
        m_ranges.push_back(std::make_unique<CDivisionRange>(upper, lower, value));
    }
    void ClearRanges() { m_ranges.clear(); }
    const std::vector<std::unique_ptr<CDivisionRange>>& GetRanges() const { return m_ranges; }

    double m_dStart = 0.0;
    double m_dEnd = 0.0;
    std::vector<std::unique_ptr<CDivisionRange>> m_ranges;
};
