// Staircase outlines of column spans, and the surfaces' column fill through them.
#include "platform/ColumnOutlines.h"

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

std::vector<std::vector<CPoint>> ColumnOutlines(int x, const std::vector<CColumnSpan>& spans) {
    std::vector<std::vector<CPoint>> outlines;
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
    for (const CColumnSpan& s : spans) {
        if (s.IsEmpty()) {
            flush();
        } else {
            // Steps only where a row changes: a level stretch is one edge.
            Extend(top, x, s.nTop);
            Extend(bottom, x, s.nBottom + 1);
        }
        ++x;
    }
    flush();
    return outlines;
}

void CSurface::FillColumns(int x, const std::vector<CColumnSpan>& spans, const CBrush& brush) {
    if (brush.nKind == CBrush::Null) {
        return;
    }
    CSurfaceStateSaver saver(*this);
    SetBrush(brush);
    for (const std::vector<CPoint>& outline : ColumnOutlines(x, spans)) {
        FillPolygon(outline);
    }
}
