// Drawing a profile chain with culling beside the surface and runs of narrow elements as columns.
#include "document/ProfilePainter.h"

#include <algorithm>
#include <climits>

#include "document/ColumnSpans.h"
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

// The highest radial coordinate an element reaches; an extreme it cannot place falls back to
// its end points.
int32_t TopOf(const CPiece& piece) {
    return std::max({piece.GetMaxY(), piece.GetStart().y, piece.GetEnd().y});
}

// The polygon of the vertices first ... last of both chains: along the upper one and back.
std::vector<CPoint> Slice(const std::vector<CPoint>& upper, const std::vector<CPoint>& lower, size_t first,
                          size_t last) {
    std::vector<CPoint> polygon(upper.begin() + static_cast<std::ptrdiff_t>(first),
                                upper.begin() + static_cast<std::ptrdiff_t>(last) + 1);
    for (size_t i = last + 1; i-- > first;) {
        polygon.push_back(lower[i]);
    }
    return polygon;
}
}  // namespace

struct CProfilePainter::CRunSpans {
    CColumnSpans pen;
    CColumnSpans lower;
    CColumnSpans fill;
    CRunSpans(int first, int last) : pen(first, last), lower(first, last), fill(first, last) {}
};

bool CProfilePainter::Beside(const CPiece& piece) const {
    const int margin = std::max(m_style.m_nPenWidth, 1) + 1;
    return ColumnOf(m_view, piece.GetEnd().x) < -margin ||
           ColumnOf(m_view, piece.GetStart().x) > m_dc.GetWidth() + margin;
}

void CProfilePainter::AddFillVertices(const CPiece& piece, std::vector<CPoint>& upper,
                                      std::vector<CPoint>& lower) const {
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

void CProfilePainter::FillOnce(const CPieceList& pieces, const std::vector<CRun>& runs) const {
    std::vector<CPoint> upper;
    std::vector<CPoint> lower;
    auto run = runs.begin();
    for (Pos it = pieces.begin(); it != pieces.end();) {
        if (run == runs.end() || it != run->first) {
            if (!Beside(**it)) {
                AddFillVertices(**it, upper, lower);
            }
            ++it;
            continue;
        }
        // Inside a run only the vertices that bound its first and last columns are needed.
        for (; it != run->end; ++it) {
            const int x1 = ColumnOf(m_view, (*it)->GetStart().x);
            const int x2 = ColumnOf(m_view, (*it)->GetEnd().x);
            if (x1 <= run->nFirst + 1 || x2 >= run->nLast - 1) {
                AddFillVertices(**it, upper, lower);
            }
        }
        ++run;
    }
    if (upper.empty()) {
        return;
    }
    // Both chains step through the same columns from left to right. The fill of a pixel column
    // comes from the edges that pass over it, so a slice of the vertices from the last one at
    // or before its first column to the first one beyond its last column fills that stretch
    // exactly as the whole polygon would; the closing edges of a slice run along pixel edges.
    const auto xLess = [](const CPoint& a, const CPoint& b) { return a.x < b.x; };
    size_t first = 0;
    for (const CRun& run : runs) {
        // The run's outer columns are shared with its neighbours and stay filled.
        if (run.nLast - run.nFirst < 2) {
            continue;
        }
        const auto stop = std::lower_bound(upper.begin(), upper.end(), CPoint(run.nFirst + 1, 0), xLess);
        const size_t last = std::min(static_cast<size_t>(stop - upper.begin()), upper.size() - 1);
        if (last > first) {
            FillSlice(upper, lower, first, last, runs);
        }
        const auto resume = std::upper_bound(upper.begin(), upper.end(), CPoint(run.nLast - 1, 0), xLess);
        first = static_cast<size_t>(std::max<std::ptrdiff_t>(resume - upper.begin() - 1, 0));
    }
    if (upper.size() - 1 > first) {
        FillSlice(upper, lower, first, upper.size() - 1, runs);
    }
}

void CProfilePainter::FillSlice(const std::vector<CPoint>& upper, const std::vector<CPoint>& lower,
                                size_t first, size_t last, const std::vector<CRun>& runs) const {
    // A slice between two runs or at the end of one often lies in the runs' outer columns,
    // which hold faces from the upper to the lower contour: its pixels are painted over.
    int top = INT_MAX;
    int bottom = INT_MIN;
    for (size_t i = first; i <= last; ++i) {
        top = std::min(top, upper[i].y);
        bottom = std::max(bottom, lower[i].y);
    }
    if (m_bFillCovered || !UnderRunFaces(upper[first].x, top, upper[last].x, bottom, runs)) {
        m_dc.FillPolygon(Slice(upper, lower, first, last));
    }
}

bool CProfilePainter::UnderRunFaces(int left, int top, int right, int bottom,
                                    const std::vector<CRun>& runs) const {
    if (right - left > 4) {
        return false;
    }
    // The pen columns the runs' elements over these columns take (each element's own part
    // of what the whole run will draw).
    CRunSpans probe(left, right);
    for (const CRun& run : runs) {
        if (run.nLast < left || run.nFirst > right) {
            continue;
        }
        // From the nearer end of the run, until its elements lie beyond the columns; the loop
        // tests one end of an element, the other end is tested before it is taken.
        if (left - run.nFirst <= run.nLast - right) {
            for (Pos it = run.first; it != run.end && ColumnOf(m_view, (*it)->GetStart().x) <= right; ++it) {
                if (ColumnOf(m_view, (*it)->GetEnd().x) >= left) {
                    AddToRun(**it, probe);
                }
            }
        } else {
            for (Pos it = run.end;
                 it != run.first && ColumnOf(m_view, (*std::prev(it))->GetEnd().x) >= left;) {
                --it;
                if (ColumnOf(m_view, (*it)->GetStart().x) <= right) {
                    AddToRun(**it, probe);
                }
            }
        }
    }
    for (int x = left; x <= right; ++x) {
        if (!probe.pen.Covers(x, top, bottom)) {
            return false;
        }
    }
    return true;
}

std::vector<CProfilePainter::CRun> CProfilePainter::FindRuns(const CPieceList& pieces) const {
    std::vector<CRun> runs;
    // A dashed pen's pattern along a column is not what its elements show, a wide pen reaches
    // into the neighbouring columns, and without edges the faces are not drawn at all.
    if (m_bExact || m_style.m_nPenStyle != kPenSolid || m_style.m_nPenWidth > 1 || !m_style.m_bDrawEdges) {
        return runs;
    }
    CRun run{pieces.end(), pieces.end(), 0, 0};
    int count = 0;
    auto close = [&](Pos end) {
        if (count >= 2) {
            run.end = end;
            runs.push_back(run);
        }
        count = 0;
    };
    for (Pos it = pieces.begin(); it != pieces.end(); ++it) {
        const CPiece& piece = **it;
        const int a = ColumnOf(m_view, piece.GetStart().x);
        const int b = ColumnOf(m_view, piece.GetEnd().x);
        if (Beside(piece) || b - a > 2) {
            close(it);
            continue;
        }
        if (count == 0) {
            run.first = it;
            run.nFirst = a;
        }
        run.nLast = b;
        ++count;
    }
    close(pieces.end());
    return runs;
}

void CProfilePainter::AddToRun(const CPiece& piece, CRunSpans& spans) const {
    const int32_t top = TopOf(piece);
    const int32_t low = piece.GetMinY();
    const int32_t lowEnd = std::min(piece.GetStart().y, piece.GetEnd().y);
    const int32_t bottom = low >= 0 ? std::min(low, lowEnd) : lowEnd;
    const int a = ColumnOf(m_view, piece.GetStart().x);
    const int b = ColumnOf(m_view, piece.GetEnd().x);
    // A hollow is rasterised on its circle's box moved up a row: inside its columns it may
    // reach a row above its ends.
    const int hollow = bottom < lowEnd ? 1 : 0;
    const int upperTop = UpperRow(m_view, top) - hollow;
    const int lowerBottom = LowerRow(m_view, top) + hollow;
    if (b - a < 2) {
        // The start face spans the strip from the lower to the upper contour; the contour
        // between the element's columns lies inside its highest and lowest rows.
        spans.pen.Add(a, upperTop, lowerBottom);
        spans.pen.Add(b, upperTop, lowerBottom);
        return;
    }
    // The faces at both ends, and in the column between them every row the contours pass:
    // each lies within a column of it.
    spans.pen.Add(a, UpperRow(m_view, piece.GetStart().y), LowerRow(m_view, piece.GetStart().y));
    spans.pen.Add(b, UpperRow(m_view, piece.GetEnd().y), LowerRow(m_view, piece.GetEnd().y));
    const int upperBottom = UpperRow(m_view, bottom);
    const int lowerTop = LowerRow(m_view, bottom);
    spans.pen.Add(a + 1, upperTop, upperBottom);
    spans.lower.Add(a + 1, lowerTop, lowerBottom);
    spans.fill.Add(a + 1, upperBottom + 1, lowerTop - 1);
}

CPixelRows CProfilePainter::DrawRun(const CRun& run, CPixelRows prev, CRunSpans& spans) const {
    if (!prev.IsZero()) {
        // The step from where the previous element ended.
        spans.pen.Add(run.nFirst, prev.nUpper);
        spans.pen.Add(run.nFirst, prev.nLower);
    }
    for (Pos it = run.first; it != run.end; ++it) {
        AddToRun(**it, spans);
    }
    const CPoint end = (*std::prev(run.end))->GetEnd();
    return CPixelRows{LowerRow(m_view, end.y), UpperRow(m_view, end.y)};
}

CPixelRows CProfilePainter::DrawChain(const CPieceList& pieces, CPixelRows prev) const {
    const int width = m_dc.GetWidth();
    const int margin = std::max(m_style.m_nPenWidth, 1) + 1;
    const CBrush brush = m_dc.GetBrush();
    const std::vector<CRun> runs = FindRuns(pieces);
    const bool filledOnce = !m_bExact && brush.nKind != CBrush::Null;
    if (filledOnce) {
        FillOnce(pieces, runs);
        // The elements draw their outlines only.
        m_dc.SetBrush(CBrush::MakeNull());
    }
    CRunSpans spans(-1, runs.empty() ? -2 : width);
    auto nextRun = runs.begin();
    for (Pos it = pieces.begin(); it != pieces.end();) {
        CPiece& piece = **it;
        if (m_bExact) {
            prev = piece.Draw(m_dc, &m_view, m_style, prev);
            ++it;
            continue;
        }
        if (nextRun != runs.end() && nextRun->first == it) {
            prev = DrawRun(*nextRun, prev, spans);
            it = nextRun->end;
            ++nextRun;
            continue;
        }
        const CStripCorners c = CStripCorners::Of(m_view, piece.GetStart(), piece.GetEnd());
        if (c.ptU2.x < -margin || c.ptU1.x > width + margin) {
            // What the element would have answered: where its strip ends.
            prev = CPixelRows{c.ptL2.y, c.ptU2.y};
            ++it;
            continue;
        }
        prev = piece.Draw(m_dc, &m_view, m_style, prev);
        ++it;
    }
    if (!runs.empty()) {
        spans.fill.Fill(m_dc, brush);
        spans.pen.Fill(m_dc, CBrush::MakeSolid(m_style.m_crPen));
        spans.lower.Fill(m_dc, CBrush::MakeSolid(m_style.m_crPen));
    }
    if (filledOnce) {
        m_dc.SetBrush(brush);
    }
    return prev;
}
