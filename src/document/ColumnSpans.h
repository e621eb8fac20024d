// CColumnSpans: one run of rows per pixel column, gathered before the surface fills them.
#pragma once

#include <vector>

#include "platform/Surface.h"

// Drawing a column span with the pen costs a call and a pixel at a time; gathered for all
// columns of a layer they go to the surface at once.
class CColumnSpans {
public:
    // Columns first ... last, none covered yet.
    CColumnSpans(int first, int last);
    // Widens the span of column x to take in row y; columns outside the range are ignored.
    void Add(int x, int y);
    bool IsEmpty() const { return m_bEmpty; }
    // Widens the span of column x to take in rows top ... bottom, when there are any.
    void Add(int x, int top, int bottom);
    void Fill(CSurface& dc, const CBrush& brush) const { dc.FillColumns(m_nFirst, m_spans, brush); }
    // Whether the span of column x takes in rows top ... bottom.
    bool Covers(int x, int top, int bottom) const;

private:
    int m_nFirst;
    bool m_bEmpty = true;
    std::vector<CColumnSpan> m_spans;
};
