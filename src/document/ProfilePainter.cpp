// Drawing a profile chain with culling beside the surface and one column per narrow run.
#include "document/ProfilePainter.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "elements/StripCorners.h"
#include "elements/ViewServices.h"
#include "platform/Surface.h"

namespace {
int ColumnOf(const CViewServices& view, int32_t x) {
    return ClampPixel(view.ModelToScreenX(x));
}

// Pixel rows of a radial coordinate on the upper contour and on the mirrored lower one, as the
// elements' own strips place them.
int UpperRow(const CViewServices& view, int32_t y) {
    return ClampPixel(view.ModelToScreenY(y));
}
int LowerRow(const CViewServices& view, int32_t y) {
    const int32_t mirrored = y == INT32_MIN ? INT32_MAX : -y;
    return ClampPixel(static_cast<int64_t>(view.ModelToScreenY(mirrored)) - 1);
}

struct CSpan {
    int nTop = INT_MAX;
    int nBottom = INT_MIN;
    void Add(int row) {
        nTop = std::min(nTop, row);
        nBottom = std::max(nBottom, row);
    }
};

void VerticalLine(CSurface& dc, int x, int top, int bottom) {
    dc.MoveTo(x, bottom);
    dc.LineTo(x, top);
    // The pen leaves out the last point of a line; the column shows it.
    dc.LineTo(x, top - 1);
}
}  // namespace

bool CProfilePainter::Beside(const CPiece& piece) const {
    const int margin = std::max(m_style.m_nPenWidth, 1) + 1;
    return ColumnOf(m_view, piece.GetEnd().x) < -margin ||
           ColumnOf(m_view, piece.GetStart().x) > m_dc.GetWidth() + margin;
}

void CProfilePainter::FillOnce(const CPieceList& pieces) const {
    std::vector<CPoint> upper;
    std::vector<CPoint> lower;
    for (const auto& p : pieces) {
        const CPiece& piece = *p;
        if (Beside(piece)) {
            continue;
        }
        const int x1 = ColumnOf(m_view, piece.GetStart().x);
        const int x2 = ColumnOf(m_view, piece.GetEnd().x);
        upper.emplace_back(x1, UpperRow(m_view, piece.GetStart().y));
        lower.emplace_back(x1, LowerRow(m_view, piece.GetStart().y));
        // Curved contours are followed column by column, clipped to the surface.
        const int from = std::max(x1 + 1, -1);
        const int to = std::min(x2, m_dc.GetWidth() + 1);
        for (int x = from; x < to; ++x) {
            const int32_t mx = std::clamp(m_view.ScreenToModelX(x), piece.GetStart().x, piece.GetEnd().x);
            const int32_t y = piece.GetYAt(mx);
            if (y >= 0) {
                upper.emplace_back(x, UpperRow(m_view, y));
                lower.emplace_back(x, LowerRow(m_view, y));
            }
        }
        upper.emplace_back(x2, UpperRow(m_view, piece.GetEnd().y));
        lower.emplace_back(x2, LowerRow(m_view, piece.GetEnd().y));
    }
    upper.insert(upper.end(), lower.rbegin(), lower.rend());
    m_dc.FillPolygon(upper);
}

CPixelRows CProfilePainter::DrawChain(const CPieceList& pieces, CPixelRows prev) const {
    const int width = m_dc.GetWidth();
    const int margin = std::max(m_style.m_nPenWidth, 1) + 1;
    const CBrush brush = m_dc.GetBrush();
    const bool filledOnce = !m_bExact && brush.nKind != CBrush::Null;
    if (filledOnce) {
        FillOnce(pieces);
        // The elements draw their outlines only.
        m_dc.SetBrush(CBrush::MakeNull());
    }
    // A dashed pen's pattern along a column is not what its elements show; without edges the
    // column is not covered by the pen either, and every element draws its own contour.
    const bool columns = m_style.m_nPenStyle == kPenSolid && m_style.m_bDrawEdges;
    for (Pos it = pieces.begin(); it != pieces.end();) {
        CPiece& piece = **it;
        if (m_bExact) {
            prev = piece.Draw(m_dc, &m_view, m_style, prev);
            ++it;
            continue;
        }
        const CStripCorners c = CStripCorners::Of(m_view, piece.GetStart(), piece.GetEnd());
        if (c.ptU2.x < -margin || c.ptU1.x > width + margin) {
            // What the element would have answered: where its strip ends.
            prev = CPixelRows{c.ptL2.y, c.ptU2.y};
            ++it;
            continue;
        }
        if (columns && c.ptU1.x == c.ptU2.x) {
            const Pos end = RunEnd(it, pieces.end(), m_view, c.ptU1.x);
            if (std::next(it) != end) {
                prev = DrawColumn(it, end, c.ptU1.x, prev);
                it = end;
                continue;
            }
        }
        prev = piece.Draw(m_dc, &m_view, m_style, prev);
        ++it;
    }
    if (filledOnce) {
        m_dc.SetBrush(brush);
    }
    return prev;
}

CProfilePainter::Pos CProfilePainter::RunEnd(Pos it, Pos end, const CViewServices& view, int x) {
    while (it != end && ColumnOf(view, (*it)->GetStart().x) == x && ColumnOf(view, (*it)->GetEnd().x) == x) {
        ++it;
    }
    return it;
}

CPixelRows CProfilePainter::DrawColumn(Pos first, Pos end, int x, CPixelRows prev) const {
    CSpan upper;
    CSpan lower;
    if (!prev.IsZero()) {
        upper.Add(prev.nUpper);
        lower.Add(prev.nLower);
    }
    const CPiece* last = nullptr;
    for (Pos it = first; it != end; ++it) {
        last = it->get();
        // An extreme the element cannot place (-1, outside it) falls back to its end points.
        const int32_t ends[2] = {std::min(last->GetStart().y, last->GetEnd().y),
                                 std::max(last->GetStart().y, last->GetEnd().y)};
        const int32_t top = std::max(last->GetMaxY(), ends[1]);
        const int32_t low = last->GetMinY();
        const int32_t bottom = low >= 0 ? std::min(low, ends[0]) : ends[0];
        upper.Add(UpperRow(m_view, top));
        upper.Add(UpperRow(m_view, bottom));
        lower.Add(LowerRow(m_view, top));
        lower.Add(LowerRow(m_view, bottom));
    }
    // Every element draws its start face from the lower to the upper contour: together they
    // cover the column between the outermost points.
    VerticalLine(m_dc, x, std::min(upper.nTop, lower.nTop), std::max(upper.nBottom, lower.nBottom));
    return CPixelRows{LowerRow(m_view, last->GetEnd().y), UpperRow(m_view, last->GetEnd().y)};
}
