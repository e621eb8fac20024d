// CColumnSpans: one run of rows per pixel column, filled as few row-ordered polygons.
#pragma once

#include <vector>

#include "platform/Geometry.h"

class CSurface;

// Drawing a column span pixel by pixel with the pen costs as much as its height; handed to the
// surface as the outline of all columns together, the surface fills it row by row. The outline
// follows the pixel edges, so every surface that fills by pixel centres covers exactly the rows
// of each column, both ends included.
class CColumnSpans {
public:
    // Columns first ... last, none covered yet.
    CColumnSpans(int first, int last);
    // Widens the span of column x to take in row y; columns outside the range are ignored.
    void Add(int x, int y);
    bool IsCovered(int x) const;
    // The outlines of the covered columns, one polygon per stretch of adjacent covered columns,
    // clipped to columns left ... right.
    std::vector<std::vector<CPoint>> Outlines(int left, int right) const;
    // Fills the outlines with the surface's current brush.
    void Fill(CSurface& dc, int left, int right) const;

private:
    struct CSpan {
        int nTop;
        int nBottom;
    };
    int m_nFirst;
    std::vector<CSpan> m_spans;
};
