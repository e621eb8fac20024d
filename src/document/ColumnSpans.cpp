// Column spans gathered per pixel column and turned into staircase outlines.
#include "document/ColumnSpans.h"

#include <algorithm>
#include <climits>

#include "platform/Surface.h"

namespace {
// Takes the pixel edge over column x at row y into a staircase chain.
void Extend(std::vector<CPoint>& chain, int x, int y) {
    if (!chain.empty() && chain.back().y == y && chain.back().x == x) {
        chain.back().x = x + 1;
        return;
    }
    chain.emplace_back(x, y);
    chain.emplace_back(x + 1, y);
}
}  // namespace

CColumnSpans::CColumnSpans(int first, int last)
    : m_nFirst(first), m_spans(static_cast<size_t>(std::max(last - first + 1, 0)), CSpan{INT_MAX, INT_MIN}) {}

void CColumnSpans::Add(int x, int y) {
    const int64_t i = static_cast<int64_t>(x) - m_nFirst;
    if (i < 0 || i >= static_cast<int64_t>(m_spans.size())) {
        return;
    }
    CSpan& s = m_spans[static_cast<size_t>(i)];
    s.nTop = std::min(s.nTop, y);
    s.nBottom = std::max(s.nBottom, y);
}

bool CColumnSpans::IsCovered(int x) const {
    const int64_t i = static_cast<int64_t>(x) - m_nFirst;
    return i >= 0 && i < static_cast<int64_t>(m_spans.size()) &&
           m_spans[static_cast<size_t>(i)].nTop != INT_MAX;
}

std::vector<std::vector<CPoint>> CColumnSpans::Outlines(int left, int right) const {
    std::vector<std::vector<CPoint>> outlines;
    const int from = std::max(left, m_nFirst);
    const int to = std::min(static_cast<int64_t>(right),
                            static_cast<int64_t>(m_nFirst) + static_cast<int64_t>(m_spans.size()) - 1);
    std::vector<CPoint> top;
    std::vector<CPoint> bottom;
    auto flush = [&]() {
        if (!top.empty()) {
            top.insert(top.end(), bottom.rbegin(), bottom.rend());
            outlines.push_back(std::move(top));
        }
        top.clear();
        bottom.clear();
    };
    for (int x = from; x <= to; ++x) {
        const CSpan& s = m_spans[static_cast<size_t>(x - m_nFirst)];
        if (s.nTop == INT_MAX) {
            flush();
            continue;
        }
        // Steps only where a row changes: a level stretch is one edge.
        Extend(top, x, s.nTop);
        Extend(bottom, x, s.nBottom + 1);
    }
    flush();
    return outlines;
}

void CColumnSpans::Fill(CSurface& dc, int left, int right) const {
    for (const std::vector<CPoint>& outline : Outlines(left, right)) {
        dc.FillPolygon(outline);
    }
}
