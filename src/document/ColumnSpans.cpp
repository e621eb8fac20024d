// Column spans gathered per pixel column.
#include "document/ColumnSpans.h"

#include <algorithm>
#include <climits>

CColumnSpans::CColumnSpans(int first, int last)
    : m_nFirst(first),
      m_spans(static_cast<size_t>(std::max(last - first + 1, 0)), CColumnSpan{INT_MAX, INT_MIN}) {}

void CColumnSpans::Add(int x, int y) {
    const int64_t i = static_cast<int64_t>(x) - m_nFirst;
    if (i < 0 || i >= static_cast<int64_t>(m_spans.size())) {
        return;
    }
    CColumnSpan& s = m_spans[static_cast<size_t>(i)];
    s.nTop = std::min(s.nTop, y);
    s.nBottom = std::max(s.nBottom, y);
    m_bEmpty = false;
}

void CColumnSpans::Add(int x, int top, int bottom) {
    if (top <= bottom) {
        Add(x, top);
        Add(x, bottom);
    }
}

bool CColumnSpans::Covers(int x, int top, int bottom) const {
    const int64_t i = static_cast<int64_t>(x) - m_nFirst;
    if (i < 0 || i >= static_cast<int64_t>(m_spans.size())) {
        return false;
    }
    const CColumnSpan& s = m_spans[static_cast<size_t>(i)];
    return s.nTop <= top && bottom <= s.nBottom;
}
